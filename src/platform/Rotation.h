#pragma once
// Rotation of points, paths and rectangles about a point. A positive angle (degrees)
// turns clockwise on the card, whose y axis points down.
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QTransform>

// A rotation by `angle` degrees about (x, y).
QTransform RotationTransform(double angle, double x, double y);

// The path rotated about the point; an angle of exactly 0 gives the path unchanged.
QPainterPath rotatedPath(const QPainterPath &path, double angle, QPointF aboutPoint);

// Bounds of the rectangle turned by the angle about its centre.
QRectF Rotated_Path_Rect(const QRectF &rect, float angle);
