// Shape controls rendered and probed pixel by pixel: outlines, fill rule, fills,
// outlines' dashes and rotation.
#include "AsLoadedAdjuster.h"
#include "Shape_Control.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace shape_drawing_test {

namespace {
// A white image of the size with the control drawn at 1 pixel per point.
QImage render(SKTGraphic &g, QSize size = QSize(220, 220))
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    g.drawContentsInView(p, false, Application_Draw_Context(asLoaded()));
    return img;
}

bool dark(const QImage &img, double x, double y) { return qGray(img.pixel(int(x), int(y))) < 128; }

// A black, unstroked shape of the code in the square (10, 10, 200, 200).
std::shared_ptr<Shape_Control> blackShape(const QString &code)
{
    auto s = Shape_Control::create();
    s->_bounds = QRectF(10, 10, 200, 200);
    s->Set_Shape_Type(code);
    s->_fillColor = Qt::black;
    s->_isDrawingStroke = false;
    return s;
}

// Number of separate filled stretches met going once around the circle of the radius
// about the shape's centre (110, 110). Gaps under 2 degrees (pixel noise along an
// antialiased edge) do not separate stretches.
int filledRunsOnCircle(const QImage &img, double radius)
{
    const int samples = 1440, minGap = 8;
    std::vector<bool> on(samples);
    for (int i = 0; i < samples; ++i) {
        const double a = 2 * M_PI * i / samples;
        on[i] = dark(img, 110 + radius * std::cos(a), 110 + radius * std::sin(a));
    }
    int start = 0;  // begin the walk in a long gap
    while (start < samples) {
        int j = 0;
        while (j < minGap && !on[(start + j) % samples]) ++j;
        if (j == minGap) break;
        ++start;
    }
    if (start == samples) return 0;
    int runs = 0, gap = minGap;
    for (int k = 0; k < samples; ++k) {
        if (on[(start + k) % samples]) {
            if (gap >= minGap) ++runs;
            gap = 0;
        } else {
            ++gap;
        }
    }
    return runs;
}
} // namespace

TEST(ShapeDrawing, PentagramCentreIsFilledAndInside)
{
    auto star = blackShape("S");
    const QImage img = render(*star);
    EXPECT_TRUE(dark(img, 110, 110)) << "non-zero rule fills the centre pentagon";
    EXPECT_TRUE(star->isContentsUnderPoint(QPointF(110, 110)));
    EXPECT_TRUE(dark(img, 110, 14)) << "first point at the middle of the top edge";
    // Between the two lower points, below the inner corner.
    EXPECT_FALSE(dark(img, 110, 190));
    EXPECT_FALSE(star->isContentsUnderPoint(QPointF(110, 190)));
    EXPECT_EQ(filledRunsOnCircle(img, 97), 5);
}

TEST(ShapeDrawing, StarAndPolygonPointCounts)
{
    struct Case {
        const char *code;
        int type;
        int corners;
    };
    // Stars: 7..15 points; polygons: pentagon to octagon; type 6 is N = 6, a triangle
    // traced twice; double-star type 7 is used as N itself.
    const Case cases[] = {{"DS", 1, 7}, {"DS", 2, 9}, {"DS", 3, 11}, {"DS", 4, 13}, {"DS", 5, 15}, {"DS", 7, 7},
                          {"P", 2, 5},  {"P", 3, 6},  {"P", 4, 7},   {"P", 5, 8},   {"P", 6, 3}};
    for (const Case &c : cases) {
        auto s = blackShape(c.code);
        s->double_star_type = c.type;
        s->polygon_type = c.type;
        EXPECT_EQ(filledRunsOnCircle(render(*s), 97), c.corners) << c.code << " type " << c.type;
    }
}

TEST(ShapeDrawing, EmptyFiguresDrawAndHitNothing)
{
    for (const char *code : {"DS", "P", "X"}) {
        auto s = blackShape(code);
        s->double_star_type = 0;
        s->polygon_type = 0;
        s->_isDrawingStroke = true;
        const QImage img = render(*s);
        int darkPixels = 0;
        for (int y = 0; y < img.height(); y += 2)
            for (int x = 0; x < img.width(); x += 2) darkPixels += dark(img, x, y);
        EXPECT_EQ(darkPixels, 0) << code;
        EXPECT_FALSE(s->isContentsUnderPoint(QPointF(110, 110))) << code;
    }
}

TEST(ShapeDrawing, FourPointStarAndOutlines)
{
    auto s = blackShape("P");  // polygon type 1: four-point star
    QImage img = render(*s);
    EXPECT_TRUE(dark(img, 12, 12)) << "a point in the top-left corner";
    EXPECT_TRUE(dark(img, 207, 207)) << "a point in the bottom-right corner";
    EXPECT_TRUE(dark(img, 110, 110));
    EXPECT_FALSE(dark(img, 110, 30)) << "above the inner corner at a quarter height";

    // Triangle: apex at the middle of the top edge; diamond through the edge middles.
    s->Set_Shape_Type("T");
    img = render(*s);
    EXPECT_TRUE(dark(img, 110, 14));
    EXPECT_FALSE(dark(img, 20, 20));
    EXPECT_TRUE(dark(img, 12, 207));
    s->Set_Shape_Type("D");
    img = render(*s);
    EXPECT_TRUE(dark(img, 12, 110));
    EXPECT_FALSE(dark(img, 20, 20));
    EXPECT_FALSE(dark(img, 200, 200));

    // Ellipse inscribed in wide, low bounds; a star stretched the same way.
    s->_bounds = QRectF(10, 80, 200, 60);
    s->Set_Shape_Type("C");
    img = render(*s);
    EXPECT_TRUE(dark(img, 14, 110));
    EXPECT_FALSE(dark(img, 14, 84));
    s->Set_Shape_Type("S");
    img = render(*s);
    EXPECT_TRUE(dark(img, 110, 82)) << "top point at the top edge";
    EXPECT_FALSE(dark(img, 110, 40));
}

TEST(ShapeDrawing, RoundedCornersUseTheRadius)
{
    auto s = blackShape("RR");
    s->_bounds = QRectF(0, 0, 100, 60);
    // Default radius 10: the corner circle is centred on (10, 10).
    QImage img = render(*s);
    EXPECT_FALSE(dark(img, 2, 2)) << "10.6 from the corner centre";
    EXPECT_TRUE(dark(img, 4, 4)) << "7.8 from the corner centre";
    EXPECT_TRUE(dark(img, 50, 0));
    s->cor_rad_val = 20;
    EXPECT_FALSE(dark(render(*s), 4, 4));
    s->Set_Shape_Type("R");
    EXPECT_TRUE(dark(render(*s), 0, 0));
}

TEST(ShapeDrawing, GradientAndHatchFills)
{
    auto s = blackShape("R");
    s->_fill_type = "G";
    s->_fill_Grad_clr1 = Qt::black;
    s->_fill_Grad_clr2 = Qt::white;
    QImage img = render(*s);
    EXPECT_LT(qGray(img.pixel(12, 110)), 20) << "first colour on the left at 0 degrees";
    EXPECT_GT(qGray(img.pixel(207, 110)), 235);
    s->_fill_grad_angle = 90;
    img = render(*s);
    EXPECT_LT(qGray(img.pixel(110, 207)), 20) << "first colour at the bottom at 90 degrees";

    // Hatch: the background colour with the pattern's lines over it.
    s->_fill_type = "H";
    s->_fill_htch_clr = QColor(0, 0, 255);
    s->_fill_hatch_type = "Horizontal";
    img = render(*s);
    bool sawBackground = false, sawLine = false;
    for (int y = 20; y < 60; ++y) {
        const QColor c = img.pixelColor(110, y);
        sawBackground = sawBackground || (c.blue() > 200 && c.red() < 60);
        sawLine = sawLine || c.blue() < 100;
    }
    EXPECT_TRUE(sawBackground);
    EXPECT_TRUE(sawLine);

    // Half fill opacity over white.
    s->_fill_type = "S";
    s->alpha_val = 0.5f;
    EXPECT_NEAR(qGray(render(*s).pixel(110, 110)), 128, 3);
}

TEST(ShapeDrawing, FillOffStillHitsInsideAndStrokesFrame)
{
    auto s = blackShape("R");
    s->_bounds = QRectF(20, 20, 100, 100);
    s->_isDrawingFill = false;
    s->_isDrawingStroke = true;
    s->_strokeWidth = 4;
    const QImage img = render(*s);
    EXPECT_FALSE(dark(img, 70, 70));
    EXPECT_TRUE(dark(img, 70, 20));
    EXPECT_TRUE(s->isContentsUnderPoint(QPointF(70, 70)));

    s->ctrl_is_visible = false;
    EXPECT_FALSE(dark(render(*s), 70, 20)) << "a hidden shape draws nothing";
}

TEST(ShapeDrawing, RotationTurnsClockwiseAboutTheCentre)
{
    auto s = blackShape("T");
    s->_bounds = QRectF(50, 50, 100, 100);
    EXPECT_TRUE(s->isContentsUnderPoint(QPointF(100, 55)));
    s->text_rotation = 90;
    // The apex (top middle) goes to the right middle; the base becomes the left edge.
    const QImage img = render(*s);
    EXPECT_TRUE(dark(img, 55, 60));
    EXPECT_FALSE(dark(img, 145, 60));
    EXPECT_TRUE(dark(img, 145, 100));
    EXPECT_FALSE(s->isContentsUnderPoint(QPointF(100, 55))) << "inside the bounds, outside the turned outline";
    EXPECT_TRUE(s->isContentsUnderPoint(QPointF(55, 60)));
    // The turned outline stays inside the drawing bounds.
    auto star = blackShape("S");
    star->text_rotation = 17;
    EXPECT_TRUE(star->drawingBounds().contains(star->bezierPathForDrawing().boundingRect()));
}

} // namespace shape_drawing_test
