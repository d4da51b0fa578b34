// Where a picture view draws its picture, with the examples of its scaling and
// alignment rules (stored indexes turned into the enumerations as the view does), and
// pictures without size.
#include "PictureViewGeometry.h"

#include <gtest/gtest.h>

TEST(PictureViewGeometry, ScalingAndAlignment)
{
    struct Row {
        QSizeF picture;
        int scaling, alignment;  // stored indexes
        QSizeF ratio;
        QRectF drawn;  // in (0, 0, 200, 200)
    };
    const Row rows[] = {
        {{400, 300}, 0, 0, {0.5, 0.5}, {0, 25, 200, 150}},
        {{50, 40}, 0, 0, {1, 1}, {75, 80, 50, 40}},
        {{50, 40}, 3, 0, {4, 4}, {0, 20, 200, 160}},
        {{50, 40}, 1, 0, {4, 5}, {0, 0, 200, 200}},
        {{400, 300}, 2, 0, {1, 1}, {-100, -50, 400, 300}},
        {{400, 300}, 7, 0, {1, 1}, {-100, -50, 400, 300}},  // unknown scaling: none
        {{400, 300}, -1, 0, {1, 1}, {-100, -50, 400, 300}},
        {{100, 50}, 2, 1, {1, 1}, {50, 150, 100, 50}},   // top
        {{200, 150}, 2, 2, {1, 1}, {0, 50, 200, 150}},   // top left
        {{100, 50}, 2, 3, {1, 1}, {100, 150, 100, 50}},  // top right
        {{100, 50}, 2, 4, {1, 1}, {0, 75, 100, 50}},     // left
        {{100, 50}, 2, 5, {1, 1}, {50, 0, 100, 50}},     // bottom
        {{100, 50}, 2, 6, {1, 1}, {0, 0, 100, 50}},      // bottom left
        {{200, 150}, 2, 7, {1, 1}, {0, 0, 200, 150}},    // bottom right
        {{100, 50}, 2, 8, {1, 1}, {100, 75, 100, 50}},   // right
        {{1.5, 100}, 2, 0, {1, 1}, {99.25, 50, 1.5, 100}},  // a point and a half across still draws
        {{0.5, 100}, 0, 0, {1, 1}, {}},
        {{0, 0}, 0, 0, {1, 1}, {}},                      // a picture that did not decode
    };
    for (const Row &r : rows) {
        for (QPointF origin : {QPointF(0, 0), QPointF(4, 4)}) {
            const QRectF drawing(origin, QSizeF(200, 200));
            const ImageScaling scaling = Image_Scaling_Of(r.scaling);
            const std::optional<ImageAlignment> alignment = Image_Alignment_Of(r.alignment);
            ASSERT_TRUE(alignment.has_value()) << r.alignment;
            EXPECT_EQ(Image_Ratio(r.picture, drawing, scaling), r.ratio) << r.picture.width() << " " << r.scaling;
            const QRectF expected = r.drawn.isNull() ? QRectF() : r.drawn.translated(origin);
            EXPECT_EQ(Scaled_Image_Rect(r.picture, drawing, scaling, *alignment), expected)
                << r.picture.width() << " " << r.scaling << " " << r.alignment;
        }
    }
    for (int unknown : {-1, 9, 100}) EXPECT_FALSE(Image_Alignment_Of(unknown).has_value()) << unknown;
    EXPECT_EQ(Image_Scaling_Of(3), ImageScaling::ProportionallyUpOrDown);
    for (int unknown : {-1, 4, 7}) EXPECT_EQ(Image_Scaling_Of(unknown), ImageScaling::None) << unknown;
    // A picture without size has ratio 1 under every scaling.
    for (ImageScaling scaling : {ImageScaling::ProportionallyDown, ImageScaling::AxesIndependently, ImageScaling::None,
                                 ImageScaling::ProportionallyUpOrDown})
        EXPECT_EQ(Image_Ratio({0, 0}, QRectF(0, 0, 200, 200), scaling), QSizeF(1, 1)) << int(scaling);
}
