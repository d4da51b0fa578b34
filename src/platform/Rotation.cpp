#include "Rotation.h"

QTransform RotationTransform(double angle, double x, double y)
{
    // Applied to a point in reverse order: move (x, y) to the origin, rotate, move back.
    QTransform t;
    t.translate(x, y);
    t.rotate(angle);
    t.translate(-x, -y);
    return t;
}

QPainterPath rotatedPath(const QPainterPath &path, double angle, QPointF aboutPoint)
{
    if (angle == 0) return path;
    return RotationTransform(angle, aboutPoint.x(), aboutPoint.y()).map(path);
}

QRectF Rotated_Path_Rect(const QRectF &rect, float angle)
{
    const float cx = float(rect.x()) + float(rect.width()) / 2.0f;
    const float cy = float(rect.y()) + float(rect.height()) / 2.0f;
    QPainterPath path;
    path.addRect(rect);
    return rotatedPath(path, angle, QPointF(cx, cy)).boundingRect();
}
