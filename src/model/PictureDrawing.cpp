#include "PictureDrawing.h"

#include "Picture.h"
#include "SKTGraphic.h"
#include "StrokeStyles.h"

#include <QPainter>

void Draw_Picture_Stretched(QPainter &painter, const Picture &picture, const QRectF &rect, double opacity)
{
    if (picture.isNull() || picture.size().isEmpty() || rect.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setOpacity(painter.opacity() * Clamp_Opacity(opacity));
    painter.drawImage(rect, picture.image(), QRectF(picture.image().rect()));
    painter.restore();
}

void Draw_Control_Border(QPainter &painter, SKTGraphic &graphic, const QRectF &rect)
{
    if (!graphic.isDrawingStroke()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Control_Stroke_Pen(graphic));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.restore();
}
