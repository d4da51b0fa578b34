#pragma once
// Where a picture view draws its picture, in the view's y-up coordinates: pure
// functions of the picture's size, the view's drawing rectangle (its bounds less the
// frame's inset), its scaling and its alignment.
#include <QRectF>
#include <QSizeF>

#include <optional>

// The stored indexes are the enumerators' values.
enum class ImageScaling {
    ProportionallyDown = 0,  // never enlarged
    AxesIndependently = 1,
    None = 2,
    ProportionallyUpOrDown = 3,
};
enum class ImageAlignment {  // "top" is the larger y
    Center = 0,
    Top = 1,
    TopLeft = 2,
    TopRight = 3,
    Left = 4,
    Bottom = 5,
    BottomLeft = 6,
    BottomRight = 7,
    Right = 8,
};

// A picture view's stored index as a scaling: any other value is None.
ImageScaling Image_Scaling_Of(int index);
// A picture view's stored index as an alignment; none for an unknown index, whose
// view draws its picture into the empty rectangle at the drawing rectangle's origin.
std::optional<ImageAlignment> Image_Alignment_Of(int index);

// Drawn points per picture point across and down; (1, 1) for a picture without width
// or height.
QSizeF Image_Ratio(QSizeF picture, const QRectF &drawing, ImageScaling scaling);

// The rectangle the picture is drawn in; it may reach outside the drawing rectangle
// (scaling None). A picture under 1 point either way gives the zero rectangle.
QRectF Scaled_Image_Rect(QSizeF picture, const QRectF &drawing, ImageScaling scaling, ImageAlignment alignment);
