#pragma once
// Barcode sizes in points from the lengths of the settings boxes, the unit labels, and
// the raster services that give a symbol picture its pixels.
#include "Picture.h"
#include "PictureLimit.h"

#include <QString>
#include <optional>

// The unit of the lengths typed in the settings.
enum class Barcode_Unit { Inch = 0, Cm = 1, Mm = 2 };
// The unit of a stored index (0 inch, 1 cm, 2 mm); any other index is mm, the unit every
// load sets.
Barcode_Unit Barcode_Unit_From_Index(int index);

// 0.393701 inch to the centimetre.
double Unit_To_Points(double length, Barcode_Unit unit);

// A caption, header or footer: its height in inches, its margin in the unit.
struct BarcodeBlock {
    bool printed = false;  // the model draws it
    bool hidden = false;   // its check box hides it: no margin (and, for header and footer, no height)
    double heightInches = 0, margin = 0;
};

// Bars, caption with the value margin, header and footer with theirs, and two
// top-and-bottom margins, in points; the bar height and margins are in the unit.
double Linear_Total_Height(double barHeight, const BarcodeBlock &caption, const BarcodeBlock &header,
                           const BarcodeBlock &footer, double topBottom, Barcode_Unit unit);
// The widest of symbol, header and footer (points; give 0 for a hidden one), plus two
// left-and-right margins, plus 15 points when that margin is above 0.
double Barcode_Total_Width(double symbolWidth, double headerWidth, double footerWidth, double leftRight,
                           Barcode_Unit unit);
// A 2D symbol's height with header, footer and two top-and-bottom margins; never a caption.
double TwoD_Total_Height(double imageHeight, const BarcodeBlock &header, const BarcodeBlock &footer, double topBottom,
                         Barcode_Unit unit);

QString Bar_Height_Label(bool twoD, Barcode_Unit unit);
QString Bar_Width_Label(bool twoD);
// The margin box title of a linear barcode in the unit.
QString Margins_Label(Barcode_Unit unit);

// The smallest QR size for a version index (0 "Auto", 1-40): 21 + 4 x (version - 1).
int QR_Size_Floor(int version);

// The largest picture a barcode is given, in pixels: the bound of every picture made.
inline constexpr double kBarcode_Max_Pixels = double(kLargestPicturePixels);

// ceil(dpi x points / 72) pixels on each axis; none when the size or the resolution is not
// finite and above 0, or the picture would pass kBarcode_Max_Pixels.
std::optional<QSize> Barcode_Pixel_Size(QSizeF points, double dpi);

// The picture at ceil(dpi x points / 72) pixels, its size in points kept, without
// smoothing; none (and "Invalid image" in the log) for an empty picture or a size or
// resolution that Barcode_Pixel_Size refuses.
Picture Increase_DPI(const Picture &picture, double dpi);
// The image at that many pixels without smoothing; none for an empty image.
QImage Resize_Image(const QImage &image, QSize size);
// The picture's pixels as a PNG file, written whole; false when it cannot be written.
bool Save_Barcode_Image(const Picture &picture, const QString &path);
QImage Flip_Vertically(const QImage &image);
QImage Flip_Horizontally(const QImage &image);
