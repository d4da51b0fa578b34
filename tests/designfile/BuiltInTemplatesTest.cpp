// The templates that come with the application (resources/Templates/<category>/):
// each must open, show a preview in the gallery and find its pictures wherever the
// application is installed.
#include "DesignFile.h"
#include "Globals.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"
#include "SKTSignature.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList builtInTemplates(const QString &resources)
{
    QStringList paths;
    QDirIterator it(resources + QStringLiteral("Templates"), {QStringLiteral("*.zcd")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) paths << it.next();
    paths.sort();
    return paths;
}

QString previewOf(const QString &templatePath)
{
    const QFileInfo info(templatePath);
    return info.path() + u'/' + info.completeBaseName() + QStringLiteral(".png");
}

const SKTGraphic *withId(const std::vector<GraphicPtr> &controls, const QString &id)
{
    for (const GraphicPtr &g : controls)
        if (g->control_ID == id) return g.get();
    return nullptr;
}

bool copyFolder(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target)) return false;
    }
    return true;
}

// Restores the resources folder in use when the test ends.
struct ResourcePathGuard {
    QString saved = Resource_Path;
    ~ResourcePathGuard() { Resource_Path = saved; }
};

} // namespace

TEST(BuiltInTemplates, EveryTemplateOpensWithAPreviewOfItsCard)
{
    const QStringList templates = builtInTemplates(Resource_Path);
    ASSERT_GE(templates.size(), 5);
    for (const QString &path : templates) {
        SCOPED_TRACE(path.toStdString());
        DesignData d;
        QString error;
        ASSERT_TRUE(Read_Design_File(path, d, &error)) << error.toStdString();
        EXPECT_EQ(d.mode, Card_Mode::Template);
        EXPECT_FALSE(d.front_controls.empty());
        const QSizeF card = d.front_card.Card_Size();
        ASSERT_GT(card.width(), 0);
        ASSERT_GT(card.height(), 0);
        EXPECT_EQ(d.back_card.Card_Size(), card);
        EXPECT_EQ(d.front_card.Card_Preset(), card.width() >= card.height() ? "Horizontal" : "Vertical");

        // The gallery shows the preview; it must be of this card, not of an older one.
        const QImage preview(previewOf(path));
        ASSERT_FALSE(preview.isNull()) << "no preview beside the template";
        EXPECT_NEAR(double(preview.width()) / preview.height(), card.width() / card.height(), 0.02);

        // Every control stays on the card.
        const QRectF onCard = QRectF(QPointF(0, 0), card).adjusted(-0.01, -0.01, 0.01, 0.01);
        for (const auto *side : {&d.front_controls, &d.back_controls})
            for (const GraphicPtr &g : *side)
                EXPECT_TRUE(onCard.contains(g->bounds())) << g->className().toStdString() << " "
                                                          << g->control_ID.toStdString() << " leaves the card";
    }
}

TEST(BuiltInTemplates, PicturesAreFoundInResourcesInstalledElsewhere)
{
    ResourcePathGuard guard;
    QTemporaryDir moved;
    ASSERT_TRUE(moved.isValid());
    const QString copy = moved.path() + QStringLiteral("/elsewhere/resources/");
    ASSERT_TRUE(copyFolder(Resource_Path, copy));
    Resource_Path = copy;

    int pictures = 0;
    for (const QString &path : builtInTemplates(copy)) {
        SCOPED_TRACE(path.toStdString());
        DesignData d;
        QString error;
        ASSERT_TRUE(Read_Design_File(path, d, &error)) << error.toStdString();
        for (const auto *side : {&d.front_controls, &d.back_controls})
            for (const GraphicPtr &g : *side) {
                if (g->kind() == GraphicKind::Image) {
                    ++pictures;
                    EXPECT_TRUE(g->FilePath().startsWith(copy)) << g->FilePath().toStdString();
                    EXPECT_TRUE(g->Text_Value.startsWith(copy)) << g->Text_Value.toStdString();
                    EXPECT_FALSE(g->_contents.isNull()) << g->FilePath().toStdString() << " did not load";
                } else if (g->kind() == GraphicKind::Signature) {
                    ++pictures;
                    const auto &s = static_cast<const SKTSignature &>(*g);
                    EXPECT_TRUE(s.FilePath().startsWith(copy)) << s.FilePath().toStdString();
                    EXPECT_FALSE(s._contents_img.isNull()) << s.FilePath().toStdString() << " did not load";
                }
            }
        for (const Card_Property *c : {&d.front_card, &d.back_card})
            if (!c->Card_BG_Image_Path().isEmpty()) {
                ++pictures;
                EXPECT_TRUE(c->Card_BG_Image_Path().startsWith(copy)) << c->Card_BG_Image_Path().toStdString();
                EXPECT_FALSE(c->Card_BG_Image().isNull());
            }
    }
    EXPECT_GT(pictures, 0);
}

TEST(BuiltInTemplates, VisitorPassesComeInBothOrientationsWithTheVisitorFields)
{
    const QStringList templates = builtInTemplates(Resource_Path);
    QStringList passes;
    for (const QString &path : templates)
        if (QFileInfo(path).completeBaseName().startsWith(QStringLiteral("Visitor Pass"))) passes << path;
    ASSERT_EQ(passes.size(), 2);
    // The card-size panel swaps a template for its twin in the same folder.
    EXPECT_EQ(QFileInfo(passes[0]).fileName(), "Visitor Pass (h).zcd");
    EXPECT_EQ(QFileInfo(passes[1]).fileName(), "Visitor Pass (v).zcd");
    EXPECT_EQ(QFileInfo(passes[0]).path(), QFileInfo(passes[1]).path());

    for (const QString &path : passes) {
        SCOPED_TRACE(path.toStdString());
        DesignData d;
        ASSERT_TRUE(Read_Design_File(path, d, nullptr));
        const QSizeF card = d.front_card.Card_Size();
        EXPECT_EQ(card.width() > card.height(), path.endsWith(QStringLiteral("(h).zcd")));
        EXPECT_EQ(d.front_card.Card_Side(), "2");
        EXPECT_FALSE(d.back_controls.empty());

        const SKTGraphic *photo = withId(d.front_controls, QStringLiteral("Fup_Photo"));
        ASSERT_NE(photo, nullptr);
        EXPECT_EQ(photo->kind(), GraphicKind::Image);
        EXPECT_TRUE(photo->FilePath().endsWith(QStringLiteral("/pic_ic.png")));
        for (const char *word : {"Name", "Company", "CompanySlogan", "Website", "Date", "Time", "UniqueNo"}) {
            const SKTGraphic *value = withId(d.front_controls, QStringLiteral("Fup_") + QLatin1String(word));
            const SKTGraphic *caption = withId(d.front_controls, QStringLiteral("Fup_lbl_") + QLatin1String(word));
            ASSERT_NE(value, nullptr) << word;
            ASSERT_NE(caption, nullptr) << word;
            EXPECT_EQ(value->kind(), GraphicKind::Text) << word;
            EXPECT_EQ(caption->kind(), GraphicKind::Text) << word;
        }
        EXPECT_EQ(withId(d.front_controls, QStringLiteral("Fup_lbl_CompanySlogan"))->Text_Value, "Purpose :");
        EXPECT_EQ(withId(d.front_controls, QStringLiteral("Fup_lbl_Website"))->Text_Value, "Person to Meet :");
        EXPECT_EQ(withId(d.front_controls, QStringLiteral("Fup_lbl_UniqueNo"))->Text_Value, "Visitor No. :");
    }
}
