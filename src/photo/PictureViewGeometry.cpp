#include "PictureViewGeometry.h"

#include <algorithm>

ImageScaling Image_Scaling_Of(int index)
{
    return index >= 0 && index <= 3 ? ImageScaling(index) : ImageScaling::None;
}

std::optional<ImageAlignment> Image_Alignment_Of(int index)
{
    if (index < 0 || index > 8) return std::nullopt;
    return ImageAlignment(index);
}

QSizeF Image_Ratio(QSizeF picture, const QRectF &drawing, ImageScaling scaling)
{
    if (!(picture.width() > 0) || !(picture.height() > 0)) return {1, 1};
    const double rx = drawing.width() / picture.width(), ry = drawing.height() / picture.height();
    const float fitted = std::min(float(rx), float(ry));
    switch (scaling) {
    case ImageScaling::ProportionallyDown: {
        const double r = std::min(1.0f, fitted);
        return {r, r};
    }
    case ImageScaling::AxesIndependently: return {rx, ry};
    case ImageScaling::ProportionallyUpOrDown: return {fitted, fitted};
    case ImageScaling::None: break;
    }
    return {1, 1};
}

QRectF Scaled_Image_Rect(QSizeF picture, const QRectF &drawing, ImageScaling scaling, ImageAlignment alignment)
{
    if (picture.width() < 1 || picture.height() < 1) return {};
    const QSizeF ratio = Image_Ratio(picture, drawing, scaling);
    const double w = picture.width() * ratio.width(), h = picture.height() * ratio.height();
    const double cx = (drawing.width() - w) / 2, cy = (drawing.height() - h) / 2;
    const double right = drawing.width() - w, top = drawing.height() - h;
    double x = cx, y = cy;
    switch (alignment) {
    case ImageAlignment::Center: break;
    case ImageAlignment::Top: y = top; break;
    case ImageAlignment::TopLeft: x = 0, y = top; break;
    case ImageAlignment::TopRight: x = right, y = top; break;
    case ImageAlignment::Left: x = 0; break;
    case ImageAlignment::Bottom: y = 0; break;
    case ImageAlignment::BottomLeft: x = 0, y = 0; break;
    case ImageAlignment::BottomRight: x = right, y = 0; break;
    case ImageAlignment::Right: x = right; break;
    }
    return QRectF(drawing.x() + x, drawing.y() + y, w, h);
}
