// Where a picture view draws its picture, with the examples of its scaling and
// alignment rules, and pictures without size.
#include "PictureViewGeometry.h"

#include <gtest/gtest.h>

TEST(PictureViewGeometry, ScalingAndAlignment)
{
    struct Row {
        QSizeF picture;
        int scaling, alignment;
        QSizeF ratio;
        QRectF drawn;  // in (0, 0, 200, 200)
    };
    const Row rows[] = {
        {{400, 300}, 0, 0, {0.5, 0.5}, {0, 25, 200, 150}},
        {{50, 40}, 0, 0, {1, 1}, {75, 80, 50, 40}},
        {{50, 40}, 3, 0, {4, 4}, {0, 20, 200, 160}},
        {{50, 40}, 1, 0, {4, 5}, {0, 0, 200, 200}},
        {{400, 300}, 2, 0, {1, 1}, {-100, -50, 400, 300}},
        {{200, 150}, 2, 2, {1, 1}, {0, 50, 200, 150}},   // top left
        {{200, 150}, 2, 7, {1, 1}, {0, 0, 200, 150}},    // bottom right
        {{100, 50}, 2, 3, {1, 1}, {100, 150, 100, 50}},  // top right
        {{100, 50}, 2, 8, {1, 1}, {100, 75, 100, 50}},   // right
        {{100, 50}, 2, 9, {1, 1}, {0, 0, 0, 0}},         // unknown alignment
        {{0.5, 100}, 0, 0, {1, 1}, {}},
        {{0, 0}, 0, 0, {1, 1}, {}},                      // a picture that did not decode
    };
    for (const Row &r : rows) {
        for (QPointF origin : {QPointF(0, 0), QPointF(4, 4)}) {
            const QRectF drawing(origin, QSizeF(200, 200));
            EXPECT_EQ(Image_Ratio(r.picture, drawing, r.scaling), r.ratio) << r.picture.width() << " " << r.scaling;
            const QRectF expected = r.drawn.isNull() && r.alignment <= 8 ? QRectF() : r.drawn.translated(origin);
            EXPECT_EQ(Scaled_Image_Rect(r.picture, drawing, r.scaling, r.alignment), expected)
                << r.picture.width() << " " << r.scaling << " " << r.alignment;
        }
    }
}
