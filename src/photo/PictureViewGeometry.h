#pragma once
// Where a picture view draws its picture, in the view's y-up coordinates: pure
// functions of the picture's size, the view's drawing rectangle (its bounds less the
// frame's inset), its scaling and its alignment.
#include <QRectF>
#include <QSizeF>

// Scaling: 0 proportionally down (never enlarged), 1 axes independently, 2 none,
// 3 proportionally up or down; any other value as none.
// Alignment: 0 centre, 1 top, 2 top left, 3 top right, 4 left, 5 bottom, 6 bottom
// left, 7 bottom right, 8 right ("top" is the larger y).

// Drawn points per picture point across and down; (1, 1) for a picture without width
// or height.
QSizeF Image_Ratio(QSizeF picture, const QRectF &drawing, int scaling);

// The rectangle the picture is drawn in; it may reach outside the drawing rectangle
// (scaling none). A picture under 1 point either way gives the zero rectangle, an
// unknown alignment the empty rectangle at the drawing rectangle's origin.
QRectF Scaled_Image_Rect(QSizeF picture, const QRectF &drawing, int scaling, int alignment);
