// The adjustment chain: stage by stage on known pixels, flips and the turn into the
// box on an asymmetric picture, the size cap, and a run from a worker thread.
#include "AdjustmentChain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <thread>

namespace {

Picture filled(QRgb colour, int w = 3, int h = 3)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(colour);
    return Picture(img, QSizeF(w, h));
}

QRgb centre(const Picture &p) { return p.image().pixel(p.image().width() / 2, p.image().height() / 2); }

// Left half red, right half blue.
Picture halves(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, x < w / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return Picture(img, QSizeF(w, h));
}

bool near(QRgb a, QRgb b, int tolerance = 1)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance && std::abs(qAlpha(a) - qAlpha(b)) <= tolerance;
}

Picture run(const Picture &p, const std::function<void(ImageAdjustments &)> &set, bool onBox = true)
{
    ImageAdjustments s;
    set(s);
    return Get_Processed_Image_Full_Combined(p, s, onBox);
}

} // namespace

// Each stage on known pixels, exact to the code: the values follow from the sRGB
// curve, the luma weights, the stage formulas and their order. A kernel, pivot or
// order changed by a little moves at least one row.
TEST(AdjustmentChain, EachStageGivesExactPixels)
{
    QImage spot(3, 3, QImage::Format_ARGB32);
    spot.fill(qRgb(64, 64, 64));
    spot.setPixel(1, 1, qRgb(128, 128, 128));
    const Picture spotted(spot, QSizeF(3, 3));
    // Left column opaque red, the rest transparent green: a blur must not bleed the
    // colour of transparent pixels.
    QImage edge(3, 3, QImage::Format_ARGB32);
    edge.fill(qRgba(0, 255, 0, 0));
    for (int y = 0; y < 3; ++y) edge.setPixel(0, y, qRgba(255, 0, 0, 255));
    const Picture edged(edge, QSizeF(3, 3));
    struct Row {
        const char *stage;
        Picture source;
        std::function<void(ImageAdjustments &)> set;
        QPoint at;
        QRgb expected;
    };
    const QPoint mid(1, 1);
    const Row rows[] = {
        {"grey", filled(qRgb(200, 50, 50)), [](auto &s) { s.grayScale = true; }, mid, qRgb(107, 107, 107)},
        {"sepia", filled(qRgb(128, 128, 128)), [](auto &s) { s.sepia = true; }, mid, qRgb(147, 139, 124)},
        {"grey then sepia", filled(qRgb(200, 50, 50)), [](auto &s) { s.grayScale = s.sepia = true; }, mid,
         qRgb(123, 117, 104)},
        {"hue toward yellow", filled(qRgb(200, 0, 0)), [](auto &s) { s.hue = 0.5; }, mid, qRgb(181, 66, 0)},
        {"hue toward magenta", filled(qRgb(200, 0, 0)), [](auto &s) { s.hue = -0.5; }, mid, qRgb(200, 0, 133)},
        {"saturation 0", filled(qRgb(200, 50, 50)), [](auto &s) { s.saturation = 0; }, mid, qRgb(107, 107, 107)},
        {"saturation 2", filled(qRgb(200, 80, 80)), [](auto &s) { s.saturation = 2; }, mid, qRgb(252, 0, 0)},
        {"brightness", filled(qRgb(100, 100, 100)), [](auto &s) { s.brightness = 0.2; }, mid, qRgb(155, 155, 155)},
        // Contrast turns about linear 0.5.
        {"contrast", filled(qRgb(150, 150, 150)), [](auto &s) { s.contrast = 2; }, mid, qRgb(93, 93, 93)},
        // Brightness is added before the contrast scales.
        {"brightness then contrast", filled(qRgb(150, 150, 150)), [](auto &s) { s.brightness = 0.1; s.contrast = 2; },
         mid, qRgb(151, 151, 151)},
        // Sharpness x (luminance - its 3 x 3 mean weighted 4, 2, 1 over 16).
        {"sharpness", spotted, [](auto &s) { s.sharpness = 1; }, mid, qRgb(157, 157, 157)},
        // Twice the linear light of code 100 encodes to code 138.
        {"exposure", filled(qRgb(100, 100, 100)), [](auto &s) { s.exposure = 1; }, mid, qRgb(138, 138, 138)},
        // Premultiplied: a third of the red's weight reaches the middle, no green.
        {"blur beside transparency", edged, [](auto &s) { s.blur = 1; }, mid, qRgba(255, 0, 0, 85)},
        {"blur at the edge", edged, [](auto &s) { s.blur = 1; }, QPoint(0, 1), qRgba(255, 0, 0, 170)},
        // Values outside their ranges count as the nearest bound, or as neutral.
        {"saturation beyond 2", filled(qRgb(200, 80, 80)), [](auto &s) { s.saturation = 1e30; }, mid, qRgb(252, 0, 0)},
        {"hue not a number", filled(qRgb(200, 0, 0)), [](auto &s) { s.hue = NAN; s.grayScale = true; }, mid,
         qRgb(98, 98, 98)},
        {"exposure below -10", filled(qRgb(250, 250, 250)), [](auto &s) { s.exposure = -INFINITY; }, mid, qRgb(3, 3, 3)},
    };
    for (const Row &r : rows) {
        const QImage out = run(r.source, r.set).image();
        const QRgb c = out.pixel(r.at);
        EXPECT_EQ(c, r.expected) << r.stage << ": " << qRed(c) << "," << qGreen(c) << "," << qBlue(c) << "," << qAlpha(c);
    }
}

TEST(AdjustmentChain, NeutralInvertAndTransparencyKeepTheSource)
{
    const Picture source = halves(8, 4);
    EXPECT_EQ(run(source, [](auto &) {}).image().cacheKey(), source.image().cacheKey());
    EXPECT_EQ(run(source, [](auto &s) { s.invert = true; s.transparency = 70; }).image().cacheKey(),
              source.image().cacheKey());
    // A hue turn too small to see runs every pixel through the float chain and back.
    const QImage round = run(source, [](auto &s) { s.hue = 1e-9; }).image();
    for (QPoint p : {QPoint(0, 0), QPoint(7, 3)})
        EXPECT_TRUE(near(round.pixel(p), source.image().pixel(p)));
    EXPECT_TRUE(run(Picture(), [](auto &s) { s.sepia = true; }).isNull());
}

TEST(AdjustmentChain, GreyComesBeforeSepia)
{
    const auto greyThenSepia = [](auto &s) { s.grayScale = s.sepia = true; };
    const QRgb fromRed = centre(run(filled(qRgb(255, 0, 0)), greyThenSepia));
    const QRgb fromGrey = centre(run(filled(qRgb(127, 127, 127)), greyThenSepia));
    EXPECT_TRUE(near(fromRed, fromGrey, 3)) << "the tone is laid on the grey picture";
    EXPECT_FALSE(near(fromRed, centre(run(filled(qRgb(255, 0, 0)), [](auto &s) { s.sepia = true; })), 3));
}

TEST(AdjustmentChain, FlipsAndTurnIntoTheBox)
{
    const Picture source = halves(200, 100);
    struct Row {
        const char *what;
        std::function<void(ImageAdjustments &)> set;
        bool onBox;
        QSize pixels;
        QRgb topLeft, bottomRight;
    };
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const Row rows[] = {
        {"flip H", [](auto &s) { s.flipHorizontally = true; }, true, {200, 100}, blue, red},
        {"flip V", [](auto &s) { s.flipVertically = true; }, true, {200, 100}, red, blue},
        {"turn 90 clockwise", [](auto &s) { s.rotation = 90.7; }, true, {100, 200}, red, blue},
        {"turn -90", [](auto &s) { s.rotation = -90; }, true, {100, 200}, blue, red},
        {"turn off the box", [](auto &s) { s.rotation = 90; }, false, {200, 100}, red, blue},
        {"both flips", [](auto &s) { s.flipHorizontally = s.flipVertically = true; }, true, {200, 100}, blue, red},
        {"turn beyond a half turn counts as one", [](auto &s) { s.rotation = 1e30; }, true, {200, 100}, blue, red},
        {"turn below a half turn back", [](auto &s) { s.rotation = -270; }, true, {200, 100}, blue, red},
    };
    for (const Row &r : rows) {
        const Picture out = run(source, r.set, r.onBox);
        EXPECT_EQ(out.size(), QSizeF(200, 100)) << r.what;
        const QImage img = out.image();
        EXPECT_EQ(img.size(), r.pixels) << r.what;
        EXPECT_TRUE(near(img.pixel(2, 2), r.topLeft)) << r.what;
        EXPECT_TRUE(near(img.pixel(img.width() - 3, img.height() - 3), r.bottomRight)) << r.what;
    }
    // A turn by a third of a right angle keeps the whole picture inside the box.
    const Picture tilted = imageRotatedByDegrees_On_Ctrl_Bound(source, 30);
    EXPECT_EQ(tilted.size(), QSizeF(200, 100));
    EXPECT_NEAR(tilted.image().width(), 200 * std::cos(M_PI / 6) + 100 * 0.5, 2);
    EXPECT_EQ(qAlpha(tilted.image().pixel(0, 0)), 0) << "corners outside the turned picture stay clear";
}

// A source larger than the output needs is scaled down first: the result has at most
// the wanted pixels (a turned one: its canvas squeezed into them), at the same size in
// points and with the same picture.
TEST(AdjustmentChain, WorksAtTheWantedPixelSize)
{
    const Picture source = halves(200, 100);
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    struct Row {
        const char *what;
        std::function<void(ImageAdjustments &)> set;
        QSize wanted, pixels;
        QRgb topLeft, bottomRight;
    };
    const Row rows[] = {
        {"scaled down", [](auto &s) { s.sepia = false; }, {50, 40}, {50, 40}, red, blue},
        {"scaled and flipped", [](auto &s) { s.flipHorizontally = true; }, {50, 40}, {50, 40}, blue, red},
        {"smaller than wanted", [](auto &s) { s.flipVertically = true; }, {400, 400}, {200, 100}, red, blue},
        {"one side only", [](auto &s) { s.flipVertically = true; }, {400, 30}, {200, 30}, red, blue},
        {"turned into the box", [](auto &s) { s.rotation = 90; }, {50, 50}, {50, 50}, red, blue},
        {"turned, room to spare", [](auto &s) { s.rotation = 90; }, {500, 500}, {100, 200}, red, blue},
    };
    for (const Row &r : rows) {
        ImageAdjustments s;
        r.set(s);
        const Picture out = Get_Processed_Image_Full_Combined(source, s, true, r.wanted);
        EXPECT_EQ(out.size(), QSizeF(200, 100)) << r.what;
        const QImage img = out.image();
        EXPECT_EQ(img.size(), r.pixels) << r.what;
        EXPECT_TRUE(near(img.pixel(1, 1), r.topLeft)) << r.what;
        EXPECT_TRUE(near(img.pixel(img.width() - 2, img.height() - 2), r.bottomRight)) << r.what;
    }
    // A block of 4 x 4 pixels averaged in linear light: half black, half white is
    // linear 0.5, code 188.
    QImage stripes(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    ImageAdjustments none;
    const QImage half = Get_Processed_Image_Full_Combined(Picture(stripes, QSizeF(8, 8)), none, true, {2, 2}).image();
    EXPECT_EQ(half.pixel(1, 1), qRgb(188, 188, 188));
    // The blur radius shrinks with the picture: 8 source pixels are 2 of 4.
    ImageAdjustments blurred;
    blurred.blur = 8;
    const QImage small = Get_Processed_Image_Full_Combined(halves(16, 16), blurred, true, {4, 4}).image();
    const QImage direct = Get_Processed_Image_Full_Combined(halves(4, 4), [] { ImageAdjustments b; b.blur = 2; return b; }(), true).image();
    EXPECT_EQ(small, direct);
}

TEST(AdjustmentChain, SizeCapChangesOnlyTheSizeInPoints)
{
    struct Row {
        QSizeF in, out;
    };
    for (const Row &r : {Row{{1000, 300}, {724, 300}}, Row{{500, 500}, {500, 468}}, Row{{700, 400}, {700, 400}}}) {
        const Picture source(QImage(10, 10, QImage::Format_ARGB32), r.in);
        const Picture capped = Set_Dimaension(source);
        EXPECT_EQ(capped.size(), r.out) << r.in.width();
        EXPECT_EQ(capped.image().cacheKey(), source.image().cacheKey());
    }
    EXPECT_EQ(Set_Dimaension(Picture()).size(), QSizeF(0, 0));
}

TEST(AdjustmentChain, RunsFromAWorkerThread)
{
    const Picture source = halves(300, 200);
    const auto all = [](ImageAdjustments &s) {
        s.sepia = true;
        s.hue = 0.3;
        s.sharpness = 0.5;
        s.blur = 3;
        s.rotation = 45;
    };
    const QImage here = run(source, all).image();
    QImage there;
    std::thread worker([&] { there = run(source, all).image(); });
    worker.join();
    EXPECT_EQ(there, here);
}
