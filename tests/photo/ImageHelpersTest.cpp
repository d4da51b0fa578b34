// Mirror, half turn and border of pictures: pixels land where they should, a vector
// picture stays vector, each dash code's runs along a drawn edge.
#include "ImageHelpers.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace image_helpers_test {

namespace {

// Red top-left quarter of 20 x 10 points, the rest clear.
Picture marked()
{
    QImage img(20, 10, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x) img.setPixel(x, y, qRgb(255, 0, 0));
    return Picture(img, QSizeF(20, 10));
}

struct Marked final : PictureVector {
    QSizeF size() const override { return {20, 10}; }
    void paint(QPainter &p, const QRectF &t) const override
    {
        p.fillRect(QRectF(t.topLeft(), QSizeF(t.width() / 2, t.height() / 2)), Qt::red);
    }
};

bool redAt(const QImage &img, double fx, double fy)
{
    return qRed(img.pixel(int(fx * img.width()), int(fy * img.height()))) > 200;
}

// Lengths of alternating painted and clear runs along the top row, from the left.
std::vector<int> runsAlongTop(const QImage &img, int count)
{
    std::vector<int> runs;
    bool painted = true;
    int length = 0;
    for (int x = 0; x < img.width() && int(runs.size()) < count; ++x) {
        if ((qAlpha(img.pixel(x, 0)) > 128) == painted) {
            ++length;
        } else {
            runs.push_back(length);
            painted = !painted;
            length = 1;
        }
    }
    if (int(runs.size()) < count) runs.push_back(length);
    return runs;
}

} // namespace

TEST(ImageHelpers, MirrorAndHalfTurnMovePixelAndVectorPictures)
{
    struct Row {
        const char *what;
        Picture (*op)(const Picture &);
        double x, y;  // where the red quarter's centre lands, as fractions
    };
    const Row rows[] = {
        {"left to right", [](const Picture &p) { return Create_Mirror_Image_With_CG_Image(p, false); }, 0.75, 0.25},
        {"top to bottom", [](const Picture &p) { return Create_Mirror_Image_With_CG_Image(p, true); }, 0.25, 0.75},
        {"half turn", [](const Picture &p) { return imageRotatedByDegrees_Angle(p); }, 0.75, 0.75},
    };
    const Picture vector = Picture::fromVector(std::make_shared<Marked>());
    for (const Row &r : rows) {
        for (const Picture &source : {marked(), vector}) {
            const Picture out = r.op(source);
            EXPECT_EQ(out.size(), QSizeF(20, 10)) << r.what;
            EXPECT_EQ(out.vector() != nullptr, source.vector() != nullptr) << r.what << ": stays vector";
            EXPECT_TRUE(redAt(out.image(), r.x, r.y)) << r.what;
            EXPECT_FALSE(redAt(out.image(), 0.25, 0.25)) << r.what;
        }
    }
    EXPECT_TRUE(Create_Mirror_Image_With_CG_Image(Picture(), true).isNull());
}

TEST(ImageHelpers, BorderDashCodesInPoints)
{
    struct Row {
        const char *code;
        std::vector<int> runs;
    };
    const Row rows[] = {
        {"S", {200}},
        {"DA", {8, 2, 8, 2}},
        {"DO", {4, 6, 4, 6}},
        {"DD", {24, 10, 6, 10, 24}},
        {"DDD", {24, 8, 8, 8, 8, 8, 24}},
        {"??", {200}},
    };
    QImage clear(200, 40, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    for (const Row &r : rows) {
        // Two points wide: dashes stay in points, not in pen widths.
        const Picture framed = image_Drawing_with_border(Picture(clear, QSizeF(200, 40)), 2, r.code, Qt::black);
        std::vector<int> runs = runsAlongTop(framed.image(), int(r.runs.size()));
        EXPECT_EQ(runs, r.runs) << r.code;
        EXPECT_EQ(framed.size(), QSizeF(200, 40));
    }
}

} // namespace image_helpers_test
