#include "AsLoadedAdjuster.h"
#include "Globals.h"
#include "SKTBarcode.h"
#include "SKTImage.h"
#include "SKTSignature.h"
#include "SKTText.h"
#include "TestSupport.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
QString writePng(const QString &name, int w, int h)
{
    const QString path = testsupport::testHome() + "/" + name;
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::gray);
    EXPECT_TRUE(img.save(path));
    return path;
}
} // namespace

TEST(ImageControl, PathConstructorLoadsAndCentres)
{
    const QString path = writePng("photo.png", 40, 20);
    auto g = SKTImage::initWithPath_With_ID({100, 100}, path, "Fup_Photo");
    EXPECT_EQ(g->control_ID, "Fup_Photo");
    EXPECT_EQ(g->FilePath(), path);
    EXPECT_EQ(g->Text_Value, path);
    EXPECT_EQ(g->bounds(), QRectF(80, 90, 40, 20));
    EXPECT_TRUE(g->_contents_with_settings.isNull()) << "the shown picture is made when drawn";

    // A missing file leaves no picture and a zero-size control on the point.
    auto missing = SKTImage::initWithPath({5, 6}, testsupport::testHome() + "/none.png");
    EXPECT_TRUE(missing->_contents.isNull());
    EXPECT_EQ(missing->bounds(), QRectF(5, 6, 0, 0));

    // An empty path does not become the text value.
    missing->setFilePath(QString(), true);
    EXPECT_EQ(missing->Text_Value, testsupport::testHome() + "/none.png");
}

TEST(ImageControl, PropertiesCarryPictureAndFlips)
{
    auto g = SKTImage::create();
    g->_contents = Picture(QImage(3, 2, QImage::Format_ARGB32));
    g->flipHorizontally();
    const QVariantMap p = g->properties();
    auto back = SKTGraphic::createWithProperties(GraphicKind::Image, p);
    EXPECT_EQ(back->_contents, g->_contents);
    EXPECT_TRUE(back->_isFlippedHorizontally);
    EXPECT_FALSE(back->_isFlippedVertically);
    g->flipHorizontally();
    EXPECT_FALSE(g->_isFlippedHorizontally);
}

TEST(TextControl, PropertiesCarryTheRichText)
{
    auto g = SKTText::create();
    g->Set_text_value("Visitor");
    auto back = std::static_pointer_cast<SKTText>(SKTGraphic::createWithProperties(GraphicKind::Text, g->properties()));
    ASSERT_TRUE(back->contents_val.has_value());
    EXPECT_EQ(back->contents_val->text, "Visitor");
}

TEST(SignatureControl, SamplePathsByKind)
{
    auto fp = SKTSignature::initWithPosition({50, 50}, Picture(QImage(10, 6, QImage::Format_ARGB32)), "F");
    EXPECT_EQ(fp->FilePath(), Resource_Path + "fingerprints.png");
    EXPECT_EQ(fp->Sign_Or_FP_Val(), "F");
    EXPECT_EQ(fp->bounds(), QRectF(45, 47, 10, 6));

    fp->setFilePath("Default");
    EXPECT_EQ(fp->file_path, Resource_Path + "fingerprints.png");
    fp->Set_Sign_Or_FP("S");
    fp->setFilePath("Default");
    EXPECT_EQ(fp->FilePath(), Resource_Path + "sign_sample.png");

    const QString path = writePng("sign.png", 8, 4);
    auto sig = SKTSignature::initWithPath({0, 0}, path, "S");
    EXPECT_EQ(sig->file_path, sig->FilePath());
    EXPECT_EQ(sig->_contents_img.size(), QSizeF(8, 4));
}

TEST(BarcodeControl, StartsEmptyAndTakesItsPicture)
{
    auto g = SKTBarcode::initWithPosition({30, 40}, Picture(QImage(9, 9, QImage::Format_ARGB32)));
    EXPECT_EQ(g->bounds(), QRectF(30, 40, 0, 0));
    g->Set_Barcode_image(Picture(QImage(60, 20, QImage::Format_ARGB32)));
    EXPECT_EQ(g->bounds(), QRectF(30, 40, 60, 20));
    EXPECT_TRUE(g->_contents.isNull());
    g->barcode_image_var_assign();
    EXPECT_EQ(g->_contents, g->_barcode_image);
}

TEST(BarcodeControl, PaintsTheVectorFormAsVector)
{
    struct Recorder : PictureVector {
        mutable std::vector<QRectF> targets;
        QSizeF size() const override { return {60, 20}; }
        void paint(QPainter &, const QRectF &target) const override { targets.push_back(target); }
    };
    auto drawing = std::make_shared<Recorder>();
    auto g = SKTBarcode::initWithPosition({30, 40}, Picture());
    g->Set_Barcode_image(Picture::fromVector(drawing));
    QImage card(100, 100, QImage::Format_ARGB32);
    QPainter painter(&card);
    g->drawContentsInView(painter, false, DrawContext(asLoaded()));
    ASSERT_EQ(drawing->targets.size(), 1u);
    EXPECT_EQ(drawing->targets[0], g->bounds());
}
