// Line controls: dashes in points, caps, hit-testing near the segment, end handles.
#include "AsLoadedAdjuster.h"
#include "SKTLine.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
QImage render(SKTGraphic &g)
{
    QImage img(240, 60, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    g.drawContentsInView(p, false, Application_Draw_Context(asLoaded()));
    return img;
}

bool dark(const QImage &img, int x, int y) { return qGray(img.pixel(x, y)) < 128; }

std::shared_ptr<SKTLine> line(QPointF from, QPointF to, double width = 1)
{
    auto l = SKTLine::create();
    l->setBeginPoint(from);
    l->setEndPoint(to);
    l->_strokeWidth = width;
    return l;
}

// Lengths of the alternating dark / light stretches along row y, from x = 0 up to the
// last full stretch before x = limit.
std::vector<int> runs(const QImage &img, int y, int limit)
{
    std::vector<int> out;
    bool state = dark(img, 0, y);
    int length = 0;
    for (int x = 0; x < limit; ++x) {
        if (dark(img, x, y) == state) {
            ++length;
            continue;
        }
        out.push_back(length);
        state = !state;
        length = 1;
    }
    return out;
}
} // namespace

TEST(LineDrawing, DashLengthsAreInPointsAtAnyWidth)
{
    struct Case {
        const char *code;
        std::vector<int> pattern;
    };
    const Case cases[] = {{"DA", {8, 2}}, {"DO", {4, 6}}, {"DD", {24, 10, 6, 10}}};
    for (const Case &c : cases)
        for (double width : {1.0, 4.0}) {
            auto l = line(QPointF(0, 20.5), QPointF(240, 20.5), width);
            l->_stroke_border_type = c.code;
            const std::vector<int> r = runs(render(*l), 20, 200);
            ASSERT_GE(r.size(), 8u) << c.code << " width " << width;
            for (size_t i = 0; i < 8; ++i)
                EXPECT_NEAR(r[i], c.pattern[i % c.pattern.size()], 1) << c.code << " width " << width << " run " << i;
        }
    auto solid = line(QPointF(0, 20.5), QPointF(240, 20.5), 4);
    solid->_stroke_border_type = "Q";
    EXPECT_EQ(runs(render(*solid), 20, 200).size(), 0u) << "unknown code is solid";
}

TEST(LineDrawing, CapsColourAndVisibility)
{
    auto l = line(QPointF(20, 30), QPointF(100, 30), 10);
    EXPECT_FALSE(dark(render(*l), 103, 30)) << "butt ends stop at the end point";
    l->_line_cap_style = 1;
    EXPECT_TRUE(dark(render(*l), 103, 30)) << "round ends reach half the width further";
    EXPECT_FALSE(dark(render(*l), 103, 23));
    l->_line_cap_style = 2;
    EXPECT_TRUE(dark(render(*l), 103, 26)) << "square ends";

    l->setColor(Qt::red);
    l->alpha_val_stroke = 0.5f;
    const QColor c = render(*l).pixelColor(60, 30);
    EXPECT_EQ(c.red(), 255);
    EXPECT_NEAR(c.green(), 128, 3) << "red at half opacity over white";
    EXPECT_FALSE(l->isDrawingFill());

    l->ctrl_is_visible = false;
    EXPECT_FALSE(dark(render(*l), 60, 30));
}

TEST(LineDrawing, HitNearTheSegment)
{
    // Horizontal and vertical lines have empty bounds but are hit within the tolerance.
    auto h = line(QPointF(10, 50), QPointF(200, 50));
    EXPECT_EQ(h->bounds().height(), 0);
    EXPECT_DOUBLE_EQ(h->Line_Hit_Tolerance(), 3);
    EXPECT_TRUE(h->isContentsUnderPoint(QPointF(100, 50)));
    EXPECT_TRUE(h->isContentsUnderPoint(QPointF(100, 52.9)));
    EXPECT_FALSE(h->isContentsUnderPoint(QPointF(100, 53.5)));
    EXPECT_TRUE(h->isContentsUnderPoint(QPointF(8, 50)));
    EXPECT_FALSE(h->isContentsUnderPoint(QPointF(204, 50))) << "past the end";
    auto v = line(QPointF(30, 10), QPointF(30, 100));
    EXPECT_TRUE(v->isContentsUnderPoint(QPointF(32, 60)));
    EXPECT_FALSE(v->isContentsUnderPoint(QPointF(40, 60)));

    // A wide line is hit across its whole width.
    h->_strokeWidth = 12;
    EXPECT_TRUE(h->isContentsUnderPoint(QPointF(100, 55.9)));
    EXPECT_FALSE(h->isContentsUnderPoint(QPointF(100, 56.5)));

    // Inside the bounds of a diagonal but far from the segment: no hit.
    auto d = line(QPointF(0, 0), QPointF(100, 100));
    EXPECT_FALSE(d->isContentsUnderPoint(QPointF(90, 10)));
    EXPECT_TRUE(d->isContentsUnderPoint(QPointF(52, 50)));
    // A zero-length line is hit around its point.
    auto dot = line(QPointF(5, 5), QPointF(5, 5));
    EXPECT_TRUE(dot->isContentsUnderPoint(QPointF(6, 6)));
}

TEST(LineDrawing, EndHandlesAndResizing)
{
    auto l = line(QPointF(10, 10), QPointF(50, 10));
    EXPECT_EQ(l->creationSizingHandle(), 2);
    EXPECT_FALSE(l->canMakeNaturalSize());
    EXPECT_EQ(l->handleUnderPoint(QPointF(7, 12)), 1);
    EXPECT_EQ(l->handleUnderPoint(QPointF(52, 8)), 2);
    EXPECT_EQ(l->handleUnderPoint(QPointF(30, 10)), SKTGraphic::SKTGraphicNoHandle);
    // Both handles on one point: the begin handle wins.
    auto dot = line(QPointF(5, 5), QPointF(5, 5));
    EXPECT_EQ(dot->handleUnderPoint(QPointF(5, 5)), 1);

    // Dragging the end across the begin keeps handle 2 and turns the direction flags.
    EXPECT_EQ(l->resizeByMovingHandle(2, QPointF(0, 10)), 2);
    EXPECT_EQ(l->bounds(), QRectF(0, 10, 10, 0));
    EXPECT_FALSE(l->_pointsRight);
    EXPECT_EQ(l->beginPoint(), QPointF(10, 10));
    EXPECT_EQ(l->resizeByMovingHandle(1, QPointF(30, 40)), 1);
    EXPECT_EQ(l->beginPoint(), QPointF(30, 40));
    EXPECT_EQ(l->endPoint(), QPointF(0, 10));
    EXPECT_EQ(l->resizeByMovingHandle(5, QPointF(99, 99)), 5);
    EXPECT_EQ(l->bounds(), QRectF(0, 10, 30, 30)) << "other handles change nothing";

    // Two handles drawn, at the ends only.
    QImage img(80, 60, QImage::Format_ARGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        l->drawHandlesInView(p, true);
    }
    EXPECT_EQ(img.pixelColor(30, 40), QColor(Qt::red)) << "a locked line's handle is red";
    EXPECT_EQ(img.pixelColor(1, 11), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(30, 10), QColor(Qt::white)) << "no handle on the bounds' other corners";
}
