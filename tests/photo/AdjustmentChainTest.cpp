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

TEST(AdjustmentChain, EachStageMovesAKnownPixelTheRightWay)
{
    QImage spot(3, 3, QImage::Format_ARGB32);
    spot.fill(qRgb(64, 64, 64));
    spot.setPixel(1, 1, qRgb(128, 128, 128));
    const Picture spotted(spot, QSizeF(3, 3));
    struct Row {
        const char *stage;
        Picture source;
        std::function<void(ImageAdjustments &)> set;
        std::function<bool(QRgb)> moved;
    };
    const Row rows[] = {
        {"grey", filled(qRgb(200, 50, 50)), [](auto &s) { s.grayScale = true; },
         [](QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qRed(c) < 200 && qRed(c) > 50; }},
        {"sepia", filled(qRgb(128, 128, 128)), [](auto &s) { s.sepia = true; },
         [](QRgb c) { return qRed(c) > qGreen(c) && qGreen(c) > qBlue(c); }},
        {"hue toward yellow", filled(qRgb(200, 0, 0)), [](auto &s) { s.hue = 0.5; },
         [](QRgb c) { return qGreen(c) > 20 && qGreen(c) > qBlue(c) && qRed(c) > qGreen(c); }},
        {"hue toward magenta", filled(qRgb(200, 0, 0)), [](auto &s) { s.hue = -0.5; },
         [](QRgb c) { return qBlue(c) > 20 && qBlue(c) > qGreen(c); }},
        {"saturation 0", filled(qRgb(200, 50, 50)), [](auto &s) { s.saturation = 0; },
         [](QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }},
        {"saturation 2", filled(qRgb(200, 80, 80)), [](auto &s) { s.saturation = 2; },
         [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 80; }},
        {"brightness", filled(qRgb(100, 100, 100)), [](auto &s) { s.brightness = 0.2; },
         [](QRgb c) { return qRed(c) > 110; }},
        {"contrast above", filled(qRgb(230, 230, 230)), [](auto &s) { s.contrast = 2; },
         [](QRgb c) { return qRed(c) > 240; }},
        {"contrast below", filled(qRgb(60, 60, 60)), [](auto &s) { s.contrast = 2; },
         [](QRgb c) { return qRed(c) < 50; }},
        {"sharpness", spotted, [](auto &s) { s.sharpness = 1; }, [](QRgb c) { return qRed(c) > 135; }},
        {"exposure", filled(qRgb(100, 100, 100)), [](auto &s) { s.exposure = 1; },
         // Twice the linear light of code 100 encodes to code 138.
         [](QRgb c) { return std::abs(qRed(c) - 138) <= 1; }},
        {"blur", spotted, [](auto &s) { s.blur = 1; }, [](QRgb c) { return qRed(c) < 128 && qRed(c) > 64; }},
    };
    for (const Row &r : rows) {
        const QRgb c = centre(run(r.source, r.set));
        EXPECT_TRUE(r.moved(c)) << r.stage << ": " << qRed(c) << "," << qGreen(c) << "," << qBlue(c);
        EXPECT_EQ(qAlpha(c), 255) << r.stage;
    }
}

TEST(AdjustmentChain, NeutralInvertAndTransparencyKeepTheSource)
{
    const Picture source = halves(8, 4);
    EXPECT_EQ(run(source, [](auto &) {}).image().cacheKey(), source.image().cacheKey());
    EXPECT_EQ(run(source, [](auto &s) { s.invert = true; s.transparency = 70; }).image().cacheKey(),
              source.image().cacheKey());
    // A full turn of the hue runs every pixel through the float chain and back.
    const QImage round = run(source, [](auto &s) { s.hue = 2 * M_PI; }).image();
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
