#include "PictureViewGeometry.h"

#include <algorithm>

QSizeF Image_Ratio(QSizeF picture, const QRectF &drawing, int scaling)
{
    if (!(picture.width() > 0) || !(picture.height() > 0)) return {1, 1};
    const double rx = drawing.width() / picture.width(), ry = drawing.height() / picture.height();
    const float fitted = std::min(float(rx), float(ry));
    switch (scaling) {
    case 0: {
        const double r = std::min(1.0f, fitted);
        return {r, r};
    }
    case 1: return {rx, ry};
    case 3: return {fitted, fitted};
    default: return {1, 1};
    }
}

QRectF Scaled_Image_Rect(QSizeF picture, const QRectF &drawing, int scaling, int alignment)
{
    if (picture.width() < 1 || picture.height() < 1) return {};
    const QSizeF ratio = Image_Ratio(picture, drawing, scaling);
    const double w = picture.width() * ratio.width(), h = picture.height() * ratio.height();
    const double cx = (drawing.width() - w) / 2, cy = (drawing.height() - h) / 2;
    const double right = drawing.width() - w, top = drawing.height() - h;
    struct Offset {
        double x, y;
    };
    const Offset offsets[] = {{cx, cy},  {cx, top}, {0, top}, {right, top}, {0, cy},
                              {cx, 0},   {0, 0},    {right, 0}, {right, cy}};
    if (alignment < 0 || alignment > 8) return QRectF(drawing.topLeft(), QSizeF(0, 0));
    const Offset o = offsets[alignment];
    return QRectF(drawing.x() + o.x, drawing.y() + o.y, w, h);
}
