#include "SKTGraphic.h"
#include "SKTGraphicList.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

GraphicPtr shapeAt(const QRectF &r)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->setBounds(r);
    return g;
}
} // namespace

TEST(Geometry, DrawingBoundsFollowStroke)
{
    GraphicPtr g = shapeAt({10, 20, 100, 50});
    g->setStrokeWidth(1);
    EXPECT_EQ(g->drawingBounds(), QRectF(6, 16, 109, 59));
    g->setStrokeWidth(20);
    EXPECT_EQ(g->drawingBounds(), QRectF(0, 10, 121, 71));
}

TEST(Geometry, HandleResizingFlips)
{
    GraphicPtr g = shapeAt({10, 20, 100, 50});
    EXPECT_EQ(g->resizeByMovingHandle(1, {200, 100}), 8);
    EXPECT_EQ(g->bounds(), QRectF(110, 70, 90, 30));

    g->setBounds({10, 20, 100, 50});
    EXPECT_EQ(g->resizeByMovingHandle(5, {0, 35}), 4);
    EXPECT_EQ(g->bounds(), QRectF(0, 20, 10, 50));

    g->setBounds({10, 20, 100, 50});
    EXPECT_EQ(g->resizeByMovingHandle(2, {500, 30}), 2);
    EXPECT_EQ(g->bounds(), QRectF(10, 30, 100, 40)) << "the top handle moves only the top edge";
    EXPECT_EQ(g->resizeByMovingHandle(4, {20, 500}), 4);
    EXPECT_EQ(g->bounds(), QRectF(20, 30, 90, 40)) << "the left handle moves only the left edge";

    GraphicPtr barcode = SKTGraphic::create(GraphicKind::Barcode);
    barcode->setBounds({10, 20, 100, 50});
    EXPECT_EQ(barcode->resizeByMovingHandle(8, {300, 300}), 0);
    EXPECT_EQ(barcode->bounds(), QRectF(10, 20, 100, 50));
}

TEST(Geometry, HitTestingIsHalfOpen)
{
    GraphicPtr g = shapeAt({10, 20, 100, 50});
    EXPECT_TRUE(g->isContentsUnderPoint({10, 20}));
    EXPECT_FALSE(g->isContentsUnderPoint({110, 40})) << "right edge is outside";
    EXPECT_FALSE(g->isContentsUnderPoint({50, 70})) << "bottom edge is outside";
    EXPECT_EQ(g->handleUnderPoint({6, 20}), 1) << "4 points left of the handle point is on it";
    EXPECT_EQ(g->handleUnderPoint({14, 20}), 0) << "4 points right is not";
    EXPECT_EQ(g->handleUnderPoint({110, 70}), 8);
    EXPECT_EQ(g->handleUnderPoint({60, 45}), 0);
}

TEST(Geometry, NaturalSizeAndRotatedTextHandles)
{
    GraphicPtr g = shapeAt({5, 5, 100, 50});
    EXPECT_TRUE(g->canMakeNaturalSize());
    g->ctrl_is_locked = true;
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), QRectF(5, 5, 100, 50));
    g->ctrl_is_locked = false;
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), QRectF(5, 5, 50, 50));
    EXPECT_FALSE(g->canMakeNaturalSize());

    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->setBounds({0, 0, 100, 20});
    text->text_rotation = 45;
    const QRectF frame = text->handleFrame();
    EXPECT_GT(frame.height(), 20) << "handles sit on the upright rectangle around the rotated text";
    GraphicPtr shape = shapeAt({0, 0, 100, 20});
    shape->text_rotation = 45;
    EXPECT_EQ(shape->handleFrame(), QRectF(0, 0, 100, 20));
}

TEST(Geometry, LockedHandlesAreRed)
{
    QImage img(40, 40, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    SKTGraphic::drawHandleInView(p, {20, 20}, true);
    p.end();
    EXPECT_EQ(img.pixelColor(19, 19), QColor(Qt::red));
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({}), QRectF());
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({}), QRectF(0, 0, 243, 154));
}
