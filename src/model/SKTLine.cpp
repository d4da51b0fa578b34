#include "SKTLine.h"

#include "GeometryStrings.h"

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
