// Render probes of the image, signature, fingerprint and barcode controls.
#include "RenderProbe.h"
#include "SKTBarcode.h"
#include "SKTImage.h"
#include "SKTSignature.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using probe::quadrants;
using probe::quarterColours;
using probe::writeQuadrants;

TEST(ImageDrawing, StretchedIntoTheBoundsAtItsTransparency)
{
    auto g = SKTImage::initWithPath({0, 0}, writeQuadrants("quad.png"));
    g->_bounds = QRectF(20, 40, 200, 80);
    QImage img = probe::render(*g);
    auto q = quarterColours(img, QRect(20, 40, 200, 80));
    EXPECT_EQ(q[0], qRgb(255, 0, 0));
    EXPECT_EQ(q[1], qRgb(0, 255, 0));
    EXPECT_EQ(q[2], qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(q[3]), 0);  // the picture's own transparency is kept
    EXPECT_EQ(qAlpha(img.pixel(19, 60)), 0);
    EXPECT_EQ(qAlpha(img.pixel(221, 60)), 0);

    g->img_trnsp_val = 50;
    img = probe::render(*g);
    EXPECT_NEAR(qAlpha(quarterColours(img, QRect(20, 40, 200, 80))[0]), 128, 2);
}

TEST(ImageDrawing, NaturalSizeWithoutAPictureKeepsTheBounds)
{
    for (const Picture &none : {Picture(), Picture(quadrants())}) {
        auto g = SKTImage::create();
        g->_bounds = QRectF(7, 8, 50, 50);
        g->_contents = none;
        g->_contents.setSize(QSizeF(0, 0));
        g->makeNaturalSize();
        EXPECT_EQ(g->bounds(), QRectF(7, 8, 50, 50));
    }
}

TEST(ImageDrawing, WithoutPathOrPictureOnlyTheBorder)
{
    auto g = SKTImage::initWithPosition({60, 60}, Picture(quadrants()));
    g->_contents_with_settings = g->_contents;
    g->_bounds = QRectF(20, 20, 80, 80);
    g->_file_path = "";
    g->_isDrawingStroke = true;
    g->_strokeColor = Qt::magenta;
    g->_strokeWidth = 2;
    g->_stroke_border_type = "S";
    QImage img = probe::render(*g);
    EXPECT_EQ(qAlpha(img.pixel(40, 40)), 0);
    EXPECT_EQ(probe::inkRect(img, probe::near(Qt::magenta)), QRect(19, 19, 82, 82));

    // A dashed border leaves gaps along the edge.
    g->_stroke_border_type = "DA";
    img = probe::render(*g);
    int gaps = 0;
    for (int x = 22; x < 98; ++x) gaps += qAlpha(img.pixel(x, 20)) == 0 ? 1 : 0;
    EXPECT_GT(gaps, 10);

    g->ctrl_is_visible = false;
    EXPECT_TRUE(probe::inkRect(probe::render(*g)).isNull());
}

TEST(SignatureDrawing, NoPictureDrawsOnlyTheBorder)
{
    for (const Picture &none : {Picture(), Picture(QImage(4, 4, QImage::Format_ARGB32), QSizeF(0, 0))}) {
        auto g = SKTSignature::initWithPosition({50, 50}, Picture(), "F");
        g->_contents_img = none;
        g->_contents_img.setSize(QSizeF(0, 0));
        g->_bounds = QRectF(10, 10, 60, 30);
        g->_isDrawingStroke = true;
        g->_strokeColor = Qt::blue;
        g->_strokeWidth = 2;
        const QImage img = probe::render(*g);
        EXPECT_EQ(probe::inkRect(img, probe::near(Qt::blue)), QRect(9, 9, 62, 32));
        EXPECT_EQ(qAlpha(img.pixel(40, 25)), 0);
        g->makeNaturalSize();  // no picture: keeps its size
        EXPECT_EQ(g->bounds(), QRectF(10, 10, 60, 30));
    }
}

TEST(SignatureDrawing, StretchesAndReloadsAChangedPathWhenDrawn)
{
    auto g = SKTSignature::initWithPath({0, 0}, "Default", "S");
    g->_bounds = QRectF(0, 0, 100, 50);
    g->_isDrawingStroke = false;
    const QString path = writeQuadrants("sign.png");
    g->Set_Control_File_path(path);  // as a design file does
    EXPECT_NE(g->_contents_img.image().size(), QSize(20, 20));  // not before drawing
    const QImage img = probe::render(*g);
    EXPECT_EQ(g->file_path, path);
    EXPECT_EQ(g->_contents_img.image().size(), QSize(20, 20));
    const auto q = quarterColours(img, QRect(0, 0, 100, 50));
    EXPECT_EQ(q[0], qRgb(255, 0, 0));
    EXPECT_EQ(q[2], qRgb(0, 0, 255));

    g->_bounds = QRectF(5, 6, 100, 50);
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), QRectF(5, 6, 20, 20));
}

TEST(BarcodeDrawing, UnscaledAtTheOriginWithoutFillOrBorder)
{
    auto g = SKTBarcode::initWithPosition({0, 0}, Picture());
    EXPECT_FALSE(g->_barcode_image.isNull());  // its rendered "0123"
    g->_barcode_image = Picture();
    EXPECT_TRUE(probe::inkRect(probe::render(*g)).isNull());  // no picture

    QImage bars(10, 5, QImage::Format_ARGB32);
    bars.fill(Qt::black);
    bars.setPixel(1, 0, qRgb(255, 255, 255));
    g->Set_Barcode_image(Picture(bars));
    g->_bounds = QRectF(20, 30, 100, 100);
    g->_isDrawingFill = true;
    g->_fillColor = Qt::red;
    g->_isDrawingStroke = true;
    g->_strokeColor = Qt::red;
    g->_strokeWidth = 4;
    const QImage img = probe::render(*g, QSize(400, 300), 3.0);
    EXPECT_EQ(probe::inkRect(img), QRect(60, 90, 30, 15));
    EXPECT_EQ(probe::count(img, probe::near(Qt::red)), 0);
    // No smoothing: the white bar's pixels stay pure white, its neighbours pure black.
    EXPECT_EQ(img.pixel(64, 91), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(62, 91), qRgb(0, 0, 0));
}
