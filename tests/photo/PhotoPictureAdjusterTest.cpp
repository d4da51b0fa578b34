// The photo library's picture adjuster handed to the drawing of image controls: flips
// mirror the drawn picture, the loaded picture stays as it was, and the shown picture
// is made when drawn, at the pixels drawn, and kept until something it depends on
// changes.
#include "AdjustmentChain.h"
#include "PhotoPictureAdjuster.h"
#include "RenderProbe.h"
#include "SKTImage.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <atomic>

namespace photo_picture_adjuster_test {

namespace {
using probe::quadrants;
using probe::writeQuadrants;
using probe::quarterColours;

const PhotoPictureAdjuster adjuster;

QImage drawn(SKTGraphic &g, double scale = 1.0, const PictureAdjuster &a = adjuster)
{
    return probe::render(g, QSize(400, 300), scale, false, a);
}

// The photo adjuster, counting the pictures it makes.
struct Counting final : PictureAdjuster {
    mutable std::atomic<int> made{0};
    mutable QSize lastPixels;
    Picture adjusted(const Picture &source, const ImageAdjustments &s, QSize pixels) const override
    {
        ++made;
        lastPixels = pixels;
        return adjuster.adjusted(source, s, pixels);
    }
};

} // namespace

TEST(ImageDrawing, FlipsMirrorTheDrawnPicture)
{
    auto g = SKTImage::initWithPath({0, 0}, writeQuadrants("quad.png"));
    g->_bounds = QRectF(0, 0, 100, 100);
    const Picture loaded = g->_contents;
    g->flipHorizontally();
    auto q = quarterColours(drawn(*g), QRect(0, 0, 100, 100));
    EXPECT_EQ(q[0], qRgb(0, 255, 0));
    EXPECT_EQ(qAlpha(q[2]), 0);
    g->flipVertically();
    q = quarterColours(drawn(*g), QRect(0, 0, 100, 100));
    EXPECT_EQ(qAlpha(q[0]), 0);
    EXPECT_EQ(q[3], qRgb(255, 0, 0));
    EXPECT_EQ(g->_contents, loaded);  // the loaded picture stays as it was

    // Natural size: the picture's size, origin kept, both flips gone.
    g->_bounds = QRectF(7, 8, 100, 100);
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), QRectF(7, 8, 20, 20));
    EXPECT_FALSE(g->_isFlippedHorizontally);
    EXPECT_FALSE(g->_isFlippedVertically);
    drawn(*g);
    EXPECT_EQ(g->_contents_with_settings, loaded);

    // A locked control keeps its size and flips.
    g->flipHorizontally();
    g->_bounds = QRectF(7, 8, 50, 50);
    g->ctrl_is_locked = true;
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), QRectF(7, 8, 50, 50));
    EXPECT_TRUE(g->_isFlippedHorizontally);
}

// The shown picture is made when the control is drawn, for the pixels it covers, and
// made again only when the source, a setting or those pixels change.
TEST(ImageDrawing, TheShownPictureIsMadeWhenDrawnAndKept)
{
    QImage big(400, 400, QImage::Format_ARGB32);
    big.fill(qRgb(128, 128, 128));
    const QString path = testsupport::testHome() + "/big.png";
    ASSERT_TRUE(big.save(path));
    auto g = SKTImage::initWithPath({0, 0}, path);
    g->_bounds = QRectF(0, 0, 50, 40);
    EXPECT_TRUE(g->_contents_with_settings.isNull()) << "nothing made before the first drawing";
    g->setAdjustment(&SKTGraphic::Sepia, true);
    Counting counting;
    struct Step {
        const char *what;
        std::function<void()> change;
        double scale;
        int made;
        QSize pixels;
    };
    const Step steps[] = {
        {"first drawing", [] {}, 1.0, 1, {50, 40}},
        {"drawn again", [] {}, 1.0, 1, {50, 40}},
        {"zoomed in", [] {}, 2.0, 2, {100, 80}},
        {"a setting", [&] { g->setAdjustment(&SKTGraphic::blr_val, 2.0f); }, 2.0, 3, {100, 80}},
        {"the same setting again", [&] { g->setAdjustment(&SKTGraphic::blr_val, 2.0f); }, 2.0, 3, {100, 80}},
        {"a flip", [&] { g->flipVertically(); }, 2.0, 4, {100, 80}},
        {"another source", [&] { g->setFileNSImage(path); }, 2.0, 5, {100, 80}},
        {"drawn tiny", [] {}, 0.01, 6, {1, 1}},
    };
    for (const Step &s : steps) {
        s.change();
        drawn(*g, s.scale, counting);
        EXPECT_EQ(counting.made, s.made) << s.what;
        EXPECT_EQ(counting.lastPixels, s.pixels) << s.what;
        EXPECT_EQ(g->_contents_with_settings.image().size(), s.pixels) << s.what << ": worked at the drawn size";
    }
    // A PDF takes the picture at the source's own resolution.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    QPainter painter(&writer);
    g->drawContentsInView(painter, false, Application_Draw_Context(counting));
    painter.end();
    EXPECT_EQ(counting.made, 7);
    EXPECT_EQ(counting.lastPixels, QSize());
    EXPECT_EQ(g->_contents_with_settings.image().size(), QSize(400, 400));
}

} // namespace photo_picture_adjuster_test
