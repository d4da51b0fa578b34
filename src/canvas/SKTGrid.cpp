#include "SKTGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>

SKTGrid::SKTGrid(QObject *parent) : QObject(parent), _color(QColor::fromRgbF(2.0f / 3, 2.0f / 3, 2.0f / 3)) {}

void SKTGrid::setColor(const QColor &color)
{
    if (color == _color) return;
    _color = color;
    emit changed();
}

void SKTGrid::setSpacing(double spacing)
{
    if (spacing == _spacing) return;
    _spacing = spacing;
    emit changed();
}

void SKTGrid::setAlwaysShown(bool shown)
{
    const bool isNew = shown != _isAlwaysShown;
    _isAlwaysShown = shown;
    if (isNew) emit alwaysShownChanged(shown);
    emit changed();
}

void SKTGrid::setConstraining(bool constraining)
{
    if (constraining == _isConstraining) return;
    _isConstraining = constraining;
    emit changed();
}

double SKTGrid::snapped(double c) const { return std::floor(c / _spacing + 0.5) * _spacing; }

QPointF SKTGrid::constrainedPoint(QPointF point) const
{
    if (!isUsable() || !_isConstraining) return point;
    return QPointF(snapped(point.x()), snapped(point.y()));
}

QRectF SKTGrid::alignedRect(const QRectF &rect) const
{
    const QPointF origin(snapped(rect.x()), snapped(rect.y()));
    const QPointF corner(snapped(rect.x() + rect.width()), snapped(rect.y() + rect.height()));
    return QRectF(origin, QSizeF(corner.x() - origin.x(), corner.y() - origin.y()));
}

void SKTGrid::drawRect(QPainter &painter, const QRectF &dirty) const
{
    if (!isUsable() || !_isAlwaysShown || dirty.isEmpty()) return;
    // Every line whose number lies within the rectangle, wherever the rectangle is.
    const auto first = [&](double v) { return std::ceil(v / _spacing); };
    const auto last = [&](double v) { return std::floor(v / _spacing); };
    // A spacing far below a point over a large area would mean millions of lines that
    // no device can tell apart; such a request draws nothing rather than stall.
    constexpr double kMaxLines = 20000;
    if (last(dirty.right()) - first(dirty.left()) > kMaxLines ||
        last(dirty.bottom()) - first(dirty.top()) > kMaxLines)
        return;
    QPainterPath path;
    for (double n = first(dirty.left()), end = last(dirty.right()); n <= end; ++n) {
        path.moveTo(n * _spacing, dirty.top());
        path.lineTo(n * _spacing, dirty.bottom());
    }
    for (double n = first(dirty.top()), end = last(dirty.bottom()); n <= end; ++n) {
        path.moveTo(dirty.left(), n * _spacing);
        path.lineTo(dirty.right(), n * _spacing);
    }
    painter.save();
    QPen pen(_color, 0);  // width 0: the thinnest line the device draws, at any zoom
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}
