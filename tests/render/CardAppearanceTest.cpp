#include "AsLoadedAdjuster.h"
#include "CardAppearance.h"
#include "Card_Property.h"
#include "Globals.h"
#include "RenderedSide.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace card_appearance_test {

namespace {
const QRectF kCard(0, 0, 243, 154);

QImage render(const Card_Property &prop, bool border = false)
{
    QImage img(243, 154, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Draw_Card_Base(p, prop, kCard, Application_Render_Resources(asLoaded()));
    if (border) Draw_Card_Border(p, prop, kCard, Application_Render_Resources(asLoaded()));
    return img;
}

Card_Property filled(const QString &style)
{
    Card_Property prop;
    prop.setCard_fill_chk(true);
    prop.setCard_fill_style(style);
    return prop;
}

int redOf(const QImage &img, int x, int y) { return qRed(img.pixel(x, y)); }
} // namespace

TEST(CardAppearance, FillKinds)
{
    Card_Property off;
    EXPECT_EQ(qAlpha(render(off).pixel(120, 77)), 0) << "no fill when the fill box is off";

    Card_Property solid = filled("S");
    solid.setCard_fill_clr(QColor(200, 0, 0));
    EXPECT_EQ(render(solid).pixel(120, 77), QColor(200, 0, 0).rgb());

    // Gradient at 0 degrees runs from the first colour on the left to the second on the right.
    Card_Property grad = filled("G");
    grad.setCard_fill_Grd_1_clr(Qt::black);
    grad.setCard_fill_Grd_2_clr(Qt::white);
    grad.setCard_alpha_Stepper(1.0f);
    QImage g = render(grad);
    EXPECT_LT(redOf(g, 2, 77), 20);
    EXPECT_GT(redOf(g, 240, 77), 235);
    // At 90 degrees the first colour is at the bottom.
    grad.setCard_grad_Stepper(90);
    g = render(grad);
    EXPECT_LT(redOf(g, 120, 151), 20);
    EXPECT_GT(redOf(g, 120, 2), 235);

    // Hatch: background colour with the pattern's dark lines over it.
    Card_Property hatch = filled("H");
    hatch.setCard_hatch_bk_clr(QColor(0, 0, 255));
    hatch.setCard_hatch_style("Horizontal");
    const QImage h = render(hatch);
    bool sawBackground = false, sawLine = false;
    for (int y = 0; y < 16; ++y) {
        const QColor c = h.pixelColor(100, y);
        if (c.blue() > 200) sawBackground = true;
        if (c.blue() < 100) sawLine = true;
    }
    EXPECT_TRUE(sawBackground);
    EXPECT_TRUE(sawLine);

    // Picture fill, stretched over the card.
    QImage pic(10, 10, QImage::Format_RGB32);
    pic.fill(QColor(0, 200, 0));
    Card_Property image = filled("I");
    image.setCard_BG_Image(Picture(pic));
    EXPECT_EQ(render(image).pixel(240, 150), QColor(0, 200, 0).rgb());
}

TEST(CardAppearance, TransparencyAndShapes)
{
    Card_Property grad = filled("G");
    grad.setCard_fill_Grd_1_clr(Qt::black);
    grad.setCard_fill_Grd_2_clr(Qt::black);
    grad.setCard_alpha_Stepper(0.5f);
    EXPECT_NEAR(qAlpha(render(grad).pixel(120, 77)), 128, 2);

    Card_Property round = filled("S");
    round.setCard_fill_clr(Qt::red);
    round.setCard_Shape("RR");
    QImage r = render(round);
    EXPECT_EQ(qAlpha(r.pixel(0, 0)), 0) << "rounded corner stays empty";
    EXPECT_EQ(qAlpha(r.pixel(12, 12)), 255);

    round.setCard_Shape("E");
    r = render(round);
    EXPECT_EQ(qAlpha(r.pixel(20, 10)), 0) << "outside the ellipse";
    EXPECT_EQ(qAlpha(r.pixel(121, 77)), 255);
}

TEST(CardAppearance, BorderStylesAndWatermark)
{
    Card_Property prop;
    prop.setCard_border_chk(true);
    prop.setCard_bor_Stepper(4);
    prop.setCard_bordr_clr(Qt::black);
    // Count dark pixels along the top edge: solid covers it, dashes leave gaps.
    auto darkAlongTop = [&](const QString &style) {
        prop.setCard_border_style(style);
        const QImage img = render(prop, true);
        int dark = 0;
        for (int x = 10; x < 230; ++x) dark += qAlpha(img.pixel(x, 2)) > 128;
        return dark;
    };
    EXPECT_EQ(darkAlongTop("S"), 220);
    const int da = darkAlongTop("DA"), dot = darkAlongTop("DO");
    EXPECT_GT(da, 150);   // 8 on, 2 off
    EXPECT_LT(da, 200);
    EXPECT_GT(dot, 60);   // 4 on, 6 off
    EXPECT_LT(dot, 120);
    EXPECT_LT(darkAlongTop("DD"), 220);
    EXPECT_LT(darkAlongTop("DDD"), 220);

    // Watermark: top, middle and bottom placement, centred horizontally.
    Card_Property wm;
    wm.setWatermark_Used(true);
    wm.setWatermark_Text("WWWWWW");
    wm.setWatermark_Color(Qt::black);
    wm.setWatermark_Transp(1.0f);
    auto inkRows = [&](int alignment) {
        wm.setWatermark_Alignment(alignment);
        const QImage img = render(wm, true);
        int first = -1, last = -1, left = 243;
        for (int y = 0; y < 154; ++y)
            for (int x = 0; x < 243; ++x)
                if (qAlpha(img.pixel(x, y)) > 100) {
                    if (first < 0) first = y;
                    last = y;
                    left = std::min(left, x);
                }
        return std::tuple{first, last, left};
    };
    const auto [t0, t1, tl] = inkRows(0);
    const auto [m0, m1, ml] = inkRows(1);
    const auto [b0, b1, bl] = inkRows(2);
    EXPECT_LT(t1, 30);
    EXPECT_GT(m0, 60);
    EXPECT_LT(m1, 95);
    EXPECT_GT(b0, 120);
    EXPECT_GT(tl, 60) << "centred, not at the left edge";
}

namespace {
// The watermark's ink in card points: first and last rows, first and last columns.
struct InkBox {
    double top = -1, bottom = -1, left = -1, right = -1;
};

InkBox inkOf(const QImage &img, double scale);

// Drawn straight onto a target of `dpi`, or recorded as a side picture first (as
// printing and runs do) and played onto it.
InkBox watermarkInk(const Card_Property &prop, double dpi, bool recorded = false)
{
    if (recorded)
        return inkOf(Rendered_Side_Image(Render_Side_Picture({}, kCard, &prop, Application_Render_Resources(asLoaded())),
                                         dpi),
                     dpi / 72.0);
    const double scale = dpi / 72.0;
    QImage img(int(std::ceil(kCard.width() * scale)), int(std::ceil(kCard.height() * scale)),
               QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    // The resolution is recorded before painting, as a printer or a high resolution
    // picture records it.
    const int dpm = int(std::lround(dpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    {
        QPainter p(&img);
        p.scale(scale, scale);
        Draw_Card_Border(p, prop, kCard, Application_Render_Resources(asLoaded()));
    }
    return inkOf(img, scale);
}

InkBox inkOf(const QImage &img, double scale)
{
    InkBox box;
    int top = -1, bottom = -1, left = img.width(), right = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 100) {
                if (top < 0) top = y;
                bottom = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    if (top < 0) return box;
    return {top / scale, (bottom + 1) / scale, left / scale, (right + 1) / scale};
}
} // namespace

// The watermark is laid out in points: the canvas, an exported picture and a printer
// show it the same size, whatever resolution the target records.
TEST(CardAppearance, WatermarkHasTheSameSizeOnEveryTarget)
{
    Card_Property wm;
    wm.setWatermark_Used(true);
    wm.setWatermark_Text("WWWWWW");
    wm.setWatermark_Color(Qt::black);
    wm.setWatermark_Transp(1.0f);
    wm.setWatermark_Font(Font_With_Name("Arial", 12));
    struct Row {
        int alignment;
        // The ink of six 12 point capitals W, in card points (243 x 154).
        double top, bottom, left, right;
    };
    const Row rows[] = {
        {0, 2.5, 10.8, 87, 155},
        {1, 72.5, 81, 87, 155},
        {2, 142.5, 151, 87, 155},
    };
    // 72 dpi: a picture at one pixel per point; 96: a canvas on a common screen;
    // 300 and 600: exported pictures and printers.
    for (const bool recorded : {false, true}) {
        for (const double dpi : {72.0, 96.0, 300.0, 600.0}) {
            for (const Row &r : rows) {
                wm.setWatermark_Alignment(r.alignment);
                const InkBox ink = watermarkInk(wm, dpi, recorded);
                const QString where =
                    QStringLiteral("dpi %1 alignment %2 recorded %3").arg(dpi).arg(r.alignment).arg(recorded);
                EXPECT_NEAR(ink.top, r.top, 0.75) << where.toStdString();
                EXPECT_NEAR(ink.bottom, r.bottom, 0.75) << where.toStdString();
                EXPECT_NEAR(ink.left, r.left, 0.75) << where.toStdString();
                EXPECT_NEAR(ink.right, r.right, 0.75) << where.toStdString();
            }
        }
    }
}

} // namespace card_appearance_test
