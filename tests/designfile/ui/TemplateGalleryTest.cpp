// The template gallery driven as a user drives it, with scripted answers.
#include "MessageBox.h"
#include "Template_Gallery.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void picture(const QString &path, QRgb colour)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(80, 50, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path));
    QFile design(QFileInfo(path).absolutePath() + "/" + QFileInfo(path).completeBaseName() + ".zcd");
    ASSERT_TRUE(design.open(QIODevice::WriteOnly));
}

QStringList names(const Template_Gallery &g)
{
    QStringList out;
    for (int i = 0; i < g.imageBrowser->count(); ++i)
        out << QFileInfo(g.imageBrowser->item(i)->data(Qt::UserRole).toString()).fileName();
    return out;
}

struct Gallery : ::testing::Test {
    QTemporaryDir tmp;
    QString t = tmp.path() + "/Templates";
    QString u = tmp.path() + "/data/Templates/User";
    QStringList boxes;
    int yes = 1;
    void SetUp() override
    {
        picture(t + "/Corporate/c1.png", qRgb(200, 0, 0));
        picture(t + "/Visitor/v1.png", qRgb(0, 0, 200));
        picture(t + "/Visitor/v2.jpg", qRgb(0, 200, 0));
        picture(u + "/Staff.png", qRgb(90, 90, 90));
        Set_MessageBox_Answerer([this](MessageBoxKind, const QString &text) {
            boxes << text.trimmed();
            return yes;
        });
    }
    void TearDown() override { Set_MessageBox_Answerer({}); }
};

TEST_F(Gallery, CategoriesAndUserTemplates)
{
    Template_Gallery g(t, u);
    EXPECT_EQ(names(g), QStringList({"c1.png"}));
    g.template_category_combo->setCurrentText("Visitor");
    EXPECT_EQ(names(g), QStringList({"v1.png", "v2.jpg"}));
    g.template_category_combo->setCurrentText("All");
    EXPECT_EQ(names(g), QStringList({"c1.png", "v1.png", "v2.jpg"}));
    g.template_category_combo->setCurrentText("Health");  // no such folder: unchanged
    EXPECT_EQ(names(g), QStringList({"c1.png", "v1.png", "v2.jpg"}));
    g.cat_cmbo_bx->setCurrentIndex(1);
    EXPECT_EQ(names(g), QStringList({"Staff.png"}));
    EXPECT_FALSE(g.template_btn_box->isHidden());
    EXPECT_EQ(g.Selected_Template_Path(), u + "/Staff.png");
}

TEST_F(Gallery, UserCommands)
{
    Template_Gallery g(t, u);
    g.cat_cmbo_bx->setCurrentIndex(1);
    g.Copy_temp_btn->click();
    EXPECT_EQ(g.imageBrowser->currentRow(), 0);  // the refill selects the first item
    g.imageBrowser->setCurrentRow(1);              // Staff.png again
    g.Copy_temp_btn->click();
    EXPECT_EQ(names(g), QStringList({"Staff (copy 1).png", "Staff (copy 2).png", "Staff.png"}));
    g.askName = [](const QString &current) -> std::optional<QString> { return current + " X"; };
    g.imageBrowser->setCurrentRow(2);
    g.Rename_temp_btn->click();
    EXPECT_EQ(names(g), QStringList({"Staff (copy 1).png", "Staff (copy 2).png", "Staff X.png"}));
    yes = 0;
    g.Delete_temp_btn->click();
    EXPECT_EQ(names(g).size(), 3);
    yes = 1;
    g.Delete_temp_btn->click();
    g.Delete_temp_btn->click();
    g.Delete_temp_btn->click();
    EXPECT_EQ(names(g), QStringList());
    EXPECT_FALSE(g.template_btn_box->isEnabled());
    g.Delete_Template_Click();
    EXPECT_EQ(boxes, QStringList({"Do you want to make copy of this template?", "Do you want to make copy of this template?",
                                  "Do you want to delete this template?", "Do you want to delete this template?",
                                  "Do you want to delete this template?", "Do you want to delete this template?",
                                  "Please select template."}));
    EXPECT_EQ(QDir(u).entryList(QDir::Files), QStringList());
    const QString shots = qEnvironmentVariable("GROUP_SHOTS");
    if (!shots.isEmpty()) {
        Template_Gallery shown(t, u);
        shown.template_category_combo->setCurrentText("All");
        shown.resize(520, 360);
        shown.show();
        shown.grab().save(QDir(shots).filePath("24-gallery.png"));
    }
}

} // namespace
