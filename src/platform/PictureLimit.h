#pragma once
// The bound on the pictures the program makes from a size it is given or works out (a
// card side at an export's resolution, both sides joined, a printed pass, a page
// preview, a template's preview): a design or a profile from outside sets those sizes,
// so every such picture is measured before it is made, and one over the bound is not
// made at all. Pictures decoded from files are bounded by the image reader's own
// allocation limit.
#include <QSizeF>
#include <QString>
#include <QtGlobal>

// 100 million pixels: 400 MB as 32-bit pixels. An A4 page at 600 dpi has 35 million,
// its front and back joined 70 million; the largest card presets are far below that.
// A run makes a few pictures at once (one per pool thread, the joined one and its
// flattened copy), so a bound much above this would let one design take the machine.
inline constexpr qint64 kLargestPicturePixels = 100'000'000;

// The whole pixels of a picture of `points` at `pixelsPerPoint`: each side rounded up
// (a hair over a whole number stays on it) and at least 1. Real numbers, so that no
// size overflows; not finite when the size or the scale is not.
QSizeF Picture_Pixels(QSizeF points, double pixelsPerPoint);

// True when a picture of width x height pixels may be made: both finite, at least 1,
// and no more than kLargestPicturePixels in all.
bool Picture_Size_Allowed(double width, double height);
inline bool Picture_Size_Allowed(QSizeF pixels) { return Picture_Size_Allowed(pixels.width(), pixels.height()); }

// "it would be 300,000 x 1,283 pixels, more than the 100 million pixels a picture can
// have" (sides that are not finite read "too many pixels" instead of numbers).
QString Picture_Too_Large_Text(QSizeF pixels);
