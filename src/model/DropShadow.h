#pragma once
// A soft drop shadow of anything drawn: the drawing's coverage is rendered into a
// picture, blurred, tinted and painted offset under where the drawing will go.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <functional>

class QImage;
class QPainter;

// Blurs the alpha of a premultiplied ARGB picture in place with a Gaussian of the
// given radius in pixels (standard deviation half the radius); 0 leaves it as it is.
void Blur_Alpha(QImage &image, double radius);

// Paints the shadow of what `paintShape` draws (in the painter's card coordinates,
// inside `area`, with any opaque pen): its coverage blurred by `blur` points, in
// `color` (alpha included), moved by `offset` points along the card's axes.
void Draw_Drop_Shadow(QPainter &painter, const QRectF &area, const QColor &color, double blur, QPointF offset,
                      const std::function<void(QPainter &)> &paintShape);
