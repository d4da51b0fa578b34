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
#include <QSlider>
#include <QTest>
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

TEST(GalleryZoom, ThumbnailSizeOfTheZoom)
{
    const struct {
        double zoom;
        QSize size;
    } table[] = {{0, {64, 44}}, {0.25, {112, 77}}, {0.5, {160, 110}}, {1, {256, 176}}, {-0.5, {64, 44}}, {1.5, {256, 176}}};
    for (const auto &row : table) EXPECT_EQ(Gallery_Thumbnail_Size(row.zoom), row.size) << row.zoom;
}

// The bounding box of the pixels of one colour in the shown list.
QRect drawnBox(QListWidget &list, QRgb colour)
{
    const QImage shown = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QRect box;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(Gallery, ZoomSliderSizesTheThumbnails)
{
    // A preview of 400 x 250 pixels, larger than the largest thumbnail.
    QImage big(400, 250, QImage::Format_RGB32);
    big.fill(qRgb(200, 0, 0));
    QDir().mkpath(t + "/Misc");
    ASSERT_TRUE(big.save(t + "/Misc/big.png"));
    Template_Gallery g(t, u);
    g.resize(700, 500);
    g.show();
    g.template_category_combo->setCurrentText("Misc");
    g.imageBrowser->clearSelection();  // the selection frame would cover the edges
    EXPECT_TRUE(g._zoom_slider->isEnabled());
    EXPECT_EQ(g._zoom_slider->value(), 50);
    EXPECT_EQ(drawnBox(*g.imageBrowser, qRgb(200, 0, 0)).size(), QSize(160, 100));
    // The user drags the slider to its ends (keys move it as dragging does).
    const struct {
        Qt::Key key;
        double zoom;
        QSize icon, drawn;
    } table[] = {{Qt::Key_End, 1.0, {256, 176}, {256, 160}}, {Qt::Key_Home, 0.0, {64, 44}, {64, 40}}};
    for (const auto &row : table) {
        QTest::keyClick(g._zoom_slider, row.key);
        EXPECT_DOUBLE_EQ(g.zoomValue(), row.zoom);
        EXPECT_EQ(g.imageBrowser->iconSize(), row.icon);
        EXPECT_EQ(drawnBox(*g.imageBrowser, qRgb(200, 0, 0)).size(), row.drawn) << row.zoom;
    }
    // Cells with names under the thumbnails grow with them.
    g.Set_Grid_Margin(QSize(30, 40));
    EXPECT_EQ(g.imageBrowser->gridSize(), QSize(94, 84));
    g.zoomSliderDidChange(0.5);
    EXPECT_EQ(g._zoom_slider->value(), 50);
    EXPECT_EQ(g.imageBrowser->gridSize(), QSize(190, 150));
    // An empty user folder has nothing to zoom.
    QFile::remove(u + "/Staff.png");
    g.cat_cmbo_bx->setCurrentIndex(1);
    EXPECT_FALSE(g._zoom_slider->isEnabled());
    if (const QString shots = qEnvironmentVariable("DOZO_SHOTS_DIR"); !shots.isEmpty()) {
        g.cat_cmbo_bx->setCurrentIndex(0);
        g.template_category_combo->setCurrentText("All");
        QTest::keyClick(g._zoom_slider, Qt::Key_End);
        QDir().mkpath(shots);
        g.grab().save(QDir(shots).filePath("gallery-zoom.png"));
    }
}

} // namespace
