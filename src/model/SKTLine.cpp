#include "SKTLine.h"

#include "GeometryStrings.h"
#include "StrokeStyles.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

const QString SKTLineBeginPointKey = QStringLiteral("beginPoint");
const QString SKTLineEndPointKey = QStringLiteral("endPoint");

QPointF SKTLine::beginPoint() const
{
    const QRectF b = bounds();
    return {_pointsRight ? b.x() : b.x() + b.width(), _pointsDown ? b.y() : b.y() + b.height()};
}

QPointF SKTLine::endPoint() const
{
    const QRectF b = bounds();
    return {_pointsRight ? b.x() + b.width() : b.x(), _pointsDown ? b.y() + b.height() : b.y()};
}

QRectF SKTLine::boundsWithBeginPoint(const QPointF &begin, const QPointF &end, bool *pointsRight, bool *pointsDown)
{
    if (pointsRight) *pointsRight = end.x() > begin.x();
    if (pointsDown) *pointsDown = end.y() > begin.y();
    return {std::min(begin.x(), end.x()), std::min(begin.y(), end.y()), std::abs(end.x() - begin.x()),
            std::abs(end.y() - begin.y())};
}

void SKTLine::setBeginPoint(const QPointF &p)
{
    ChangeScope scope(*this);
    setBounds(boundsWithBeginPoint(p, endPoint(), &_pointsRight, &_pointsDown));
}

void SKTLine::setEndPoint(const QPointF &p)
{
    ChangeScope scope(*this);
    setBounds(boundsWithBeginPoint(beginPoint(), p, &_pointsRight, &_pointsDown));
}

QVariantMap SKTLine::properties()
{
    QVariantMap p = SKTGraphic::properties();
    p.remove(SKTGraphicBoundsKey);
    p.insert(SKTLineBeginPointKey, Point_To_String(beginPoint()));
    p.insert(SKTLineEndPointKey, Point_To_String(endPoint()));
    return p;
}

void SKTLine::initWithProperties(const QVariantMap &properties)
{
    SKTGraphic::initWithProperties(properties);
    auto point = [&](const QString &key) {
        const QVariant v = properties.value(key);
        return v.typeId() == QMetaType::QString ? Point_From_String(v.toString()) : QPointF();
    };
    _bounds = boundsWithBeginPoint(point(SKTLineBeginPointKey), point(SKTLineEndPointKey), &_pointsRight, &_pointsDown);
}

QStringList SKTLine::keysForValuesToObserveForUndo() const
{
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.removeAll(SKTGraphicBoundsKey);
    return keys << SKTLineBeginPointKey << SKTLineEndPointKey;
}

// ---- Drawing, hit-testing and handles ----

QPainterPath SKTLine::bezierPathForDrawing() const
{
    QPainterPath path;
    path.moveTo(beginPoint());
    path.lineTo(endPoint());
    return path;
}

void SKTLine::drawContentsInView(QPainter &painter, bool, const DrawContext &)
{
    if (!ctrl_is_visible) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(bezierPathForDrawing(), Control_Stroke_Pen(*this));
    painter.restore();
}

double SKTLine::Line_Hit_Tolerance() const { return std::max(strokeWidth() / 2, 3.0); }

bool SKTLine::isContentsUnderPoint(QPointF p) const
{
    const QPointF a = beginPoint(), b = endPoint();
    const QPointF ab = b - a, ap = p - a;
    const double len2 = QPointF::dotProduct(ab, ab);
    // The nearest point of the segment (the begin point for a zero-length line).
    const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / len2, 0.0, 1.0) : 0.0;
    const QPointF d = p - (a + ab * t);
    return std::hypot(d.x(), d.y()) <= Line_Hit_Tolerance();
}

int SKTLine::handleUnderPoint(QPointF point) const
{
    if (isHandleAtPoint(beginPoint(), point)) return 1;
    if (isHandleAtPoint(endPoint(), point)) return 2;
    return SKTGraphicNoHandle;
}

void SKTLine::drawHandlesInView(QPainter &painter, bool locked) const
{
    drawHandleInView(painter, beginPoint(), locked);
    drawHandleInView(painter, endPoint(), locked);
}

int SKTLine::resizeByMovingHandle(int handle, QPointF point)
{
    if (handle == 1) setBeginPoint(point);
    else if (handle == 2) setEndPoint(point);
    return handle;
}
