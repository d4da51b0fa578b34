#pragma once
// The card's own appearance on one side: the base (fill, gradient, hatch pattern or
// background picture, in the card's shape) under the controls, and the border and
// watermark over them. Used on screen and off screen alike.
#include "RenderResources.h"

#include <QPainterPath>
#include <QRectF>
#include <QString>

class Card_Property;
class QPainter;

// Outline of the card for a shape code: "RR" rounded rectangle (radius 10), "E"
// ellipse, anything else a rectangle.
QPainterPath Card_Shape_Path(const QString &shapeCode, const QRectF &card);
// Process-wide shape number (0, 1, 2) of a shape code.
int Card_Shape_Number(const QString &shapeCode);

void Draw_Card_Base(QPainter &painter, const Card_Property &prop, const QRectF &card,
                    const RenderResources &resources);
void Draw_Card_Border(QPainter &painter, const Card_Property &prop, const QRectF &card,
                      const RenderResources &resources);
