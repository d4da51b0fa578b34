// A side too large for a picture: neither the rendering view nor a recorded side makes
// one, and nothing of its size is allocated; a large side that fits is still drawn.
#include "AsLoadedAdjuster.h"
#include "Card_Property.h"
#include "PictureLimit.h"
#include "ProcessMemory.h"
#include "RenderedSide.h"
#include "SKTRenderingView.h"
#include "TestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// A filled card of the size, so that a picture made of it is written whole.
Card_Property filledCard(QSizeF size)
{
    Card_Property card;
    card.setCard_Size(size);
    card.setCard_fill_chk(true);
    card.setCard_fill_style("S");
    card.setCard_fill_clr(QColor(20, 120, 220));
    return card;
}

struct Grown {
    bool measured = false;
    long long start = 0;
    Grown() : measured(processmemory::resetPeak()), start(processmemory::residentBytes()) {}
    long long bytes() const { return processmemory::peakBytes() - start; }
};

} // namespace

TEST(PictureBound, ASideOverTheBoundIsNotMadeIntoAPicture)
{
    const struct {
        const char *what;
        QSizeF points;
        double dpi;
    } rows[] = {
        {"the longest card side, wide, at 600 dpi", {kLargestCardSidePoints, 154}, 600},   // 236,221 x 1,284
        {"the longest card side, tall, at 600 dpi", {154, kLargestCardSidePoints}, 600},
        {"both sides the longest, at 600 dpi", {kLargestCardSidePoints, kLargestCardSidePoints}, 600},
        {"just over the bound at one pixel a point", {10000.01, 10000}, 72},              // 10,001 x 10,000
    };
    const RenderResources resources = Application_Render_Resources(asLoaded());
    for (const auto &r : rows) {
        const Card_Property card = filledCard(r.points);
        const QRectF frame(QPointF(0, 0), r.points);
        ASSERT_FALSE(Picture_Size_Allowed(Picture_Pixels(r.points, r.dpi / 72))) << r.what;
        {
            const Grown grown;
            EXPECT_TRUE(SKTRenderingView::image_From_Card_Graphics({}, frame, &card, resources, r.dpi / 72).isNull())
                << r.what;
            if (processmemory::kMeasuresMemory && grown.measured) {
                EXPECT_LT(grown.bytes(), 64ll << 20) << r.what << ": " << grown.bytes() / 1e6 << " MB";
            }
        }
        {
            const RenderedSide side = Render_Side_Picture({}, frame, &card, resources);
            ASSERT_FALSE(side.isNull()) << r.what;
            const Grown grown;
            EXPECT_TRUE(Rendered_Side_Image(side, r.dpi).isNull()) << r.what;
            if (processmemory::kMeasuresMemory && grown.measured) {
                EXPECT_LT(grown.bytes(), 64ll << 20) << r.what << ": " << grown.bytes() / 1e6 << " MB";
            }
        }
    }
}

TEST(PictureBound, ALargeSideWithinTheBoundIsDrawnWhole)
{
    // An A4 page at 600 dpi: 4,961 x 7,016 pixels, 35 million.
    const QSizeF a4(210 * 2.834645669291, 297 * 2.834645669291);
    const Card_Property card = filledCard(a4);
    const RenderResources resources = Application_Render_Resources(asLoaded());
    const QImage image =
        SKTRenderingView::image_From_Card_Graphics({}, QRectF(QPointF(0, 0), a4), &card, resources, 600.0 / 72);
    ASSERT_EQ(image.size(), QSize(4961, 7016));
    EXPECT_EQ(image.pixelColor(4960, 7015), QColor(20, 120, 220));
}
