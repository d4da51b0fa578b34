#include "Rotation.h"

#include <gtest/gtest.h>

namespace {
void expectNear(QPointF a, QPointF b)
{
    EXPECT_NEAR(a.x(), b.x(), 1e-9);
    EXPECT_NEAR(a.y(), b.y(), 1e-9);
}
} // namespace

// On the y-down card a positive angle turns clockwise: right of the centre goes below it.
TEST(Rotation, PositiveAnglesTurnClockwiseAboutThePoint)
{
    const QTransform t = RotationTransform(90, 10, 10);
    expectNear(t.map(QPointF(20, 10)), QPointF(10, 20));
    expectNear(t.map(QPointF(10, 10)), QPointF(10, 10));

    QPainterPath path;
    path.moveTo(20, 10);
    path.lineTo(30, 10);
    const QPainterPath turned = rotatedPath(path, 90, QPointF(10, 10));
    ASSERT_EQ(turned.elementCount(), 2);
    expectNear(turned.elementAt(0), QPointF(10, 20));
    expectNear(turned.elementAt(1), QPointF(10, 30));
    EXPECT_EQ(rotatedPath(path, 0, QPointF(10, 10)), path);
}

TEST(Rotation, RotatedRectBoundsAboutItsCentre)
{
    const QRectF r = Rotated_Path_Rect(QRectF(0, 0, 40, 20), 90);
    EXPECT_NEAR(r.x(), 10, 1e-4);
    EXPECT_NEAR(r.y(), -10, 1e-4);
    EXPECT_NEAR(r.width(), 20, 1e-4);
    EXPECT_NEAR(r.height(), 40, 1e-4);
    EXPECT_EQ(Rotated_Path_Rect(QRectF(), 30), QRectF());
}
