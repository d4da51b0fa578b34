#pragma once
// Drawing shared by the picture controls (image, signature and fingerprint).
#include <QRectF>

class Picture;
class QPainter;
class SKTGraphic;

// Draws the whole picture stretched into the rectangle (aspect ratio not kept),
// smoothly, at the opacity (clamped to 0..1). A picture without pixels or with a size
// of zero draws nothing.
void Draw_Picture_Stretched(QPainter &painter, const Picture &picture, const QRectF &rect, double opacity);

// Strokes the rectangle with the control's outline pen (colour, width, dash code)
// when the control draws its stroke.
void Draw_Control_Border(QPainter &painter, SKTGraphic &graphic, const QRectF &rect);
