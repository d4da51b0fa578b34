// The photo library's picture adjuster on image controls: flips mirror the drawn
// picture, the colour settings reach it, the loaded picture stays as it was.
#include "PhotoPictureAdjuster.h"
#include "RenderProbe.h"
#include "SKTImage.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
using probe::quadrants;
using probe::writeQuadrants;
using probe::quarterColours;

// Registers the photo adjuster for one test.
struct AdjusterInUse {
    PhotoPictureAdjuster adjuster;
    AdjusterInUse() { Set_Picture_Adjuster(&adjuster); }
    ~AdjusterInUse() { Set_Picture_Adjuster(nullptr); }
};

} // namespace

TEST(ImageDrawing, FlipsMirrorTheDrawnPicture)
{
    AdjusterInUse inUse;
    auto g = SKTImage::initWithPath({0, 0}, writeQuadrants("quad.png"));
    g->_bounds = QRectF(0, 0, 100, 100);
    const Picture loaded = g->_contents;
    g->flipHorizontally();
    auto q = quarterColours(probe::render(*g), QRect(0, 0, 100, 100));
    EXPECT_EQ(q[0], qRgb(0, 255, 0));
    EXPECT_EQ(qAlpha(q[2]), 0);
    g->flipVertically();
    q = quarterColours(probe::render(*g), QRect(0, 0, 100, 100));
    EXPECT_EQ(qAlpha(q[0]), 0);
    EXPECT_EQ(q[3], qRgb(255, 0, 0));
    EXPECT_EQ(g->_contents, loaded);  // the loaded picture stays as it was

    // Natural size: the picture's size, origin kept, both flips gone.
    g->_bounds = QRectF(7, 8, 100, 100);
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), QRectF(7, 8, 20, 20));
    EXPECT_FALSE(g->_isFlippedHorizontally);
    EXPECT_FALSE(g->_isFlippedVertically);
    EXPECT_EQ(g->_contents_with_settings, loaded);

    // A locked control keeps its size and flips.
    g->flipHorizontally();
    g->_bounds = QRectF(7, 8, 50, 50);
    g->ctrl_is_locked = true;
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), QRectF(7, 8, 50, 50));
    EXPECT_TRUE(g->_isFlippedHorizontally);
}
