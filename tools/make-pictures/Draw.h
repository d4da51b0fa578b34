// Shared palette and helpers of the picture maker.
#pragma once

#include <QColor>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>

namespace pictures {

// One palette for every picture.
namespace palette {
inline const QColor slate("#3b5b92");
inline const QColor slateDark("#2b3f63");
inline const QColor ink("#2f3e55");  // single-colour glyphs
inline const QColor teal("#1f9e9a");
inline const QColor tealLight("#7fd1cc");
inline const QColor greyLight("#eef1f5");
inline const QColor greyMid("#c7ced8");
inline const QColor grey("#8e99ab");
inline const QColor red("#d64545");
inline const QColor white("#ffffff");
}  // namespace palette

// An image of the given size filled with `fill` (transparent by default).
QImage blank(int w, int h, const QColor& fill = Qt::transparent);

// A painter with antialiasing switched on.
void prepare(QPainter& p);

// "DejaVu Sans" (or "Liberation Sans" when missing) at a pixel size.
QFont uiFont(int pixelSize, bool bold = false);

// Writes the image as `name` into `dir`; PNG at the strongest compression,
// JPEG at quality 85. Returns false (and says why on stderr) on failure.
bool save(const QImage& image, const QDir& dir, const QString& name);

// The folder `name` inside `base`, created (owner only) when missing.
QDir subfolder(const QDir& base, const QString& name);

// Count of pictures written so far (for the final summary).
int savedCount();

// Glyphs shared by several pictures, drawn into the rectangle `r`.
void pictureGlyph(QPainter& p, const QRectF& r, const QColor& c, qreal stroke);  // frame, mountains, sun
void personGlyph(QPainter& p, const QRectF& r, const QColor& c);                 // head and shoulders
void cameraGlyph(QPainter& p, const QRectF& r, const QColor& c, qreal stroke);   // outlined camera

// The picture groups, each writing its files into the resources folder.
bool makeMainPictures(const QDir& resources);
bool makeHatches(const QDir& resources);
bool makeBackgrounds(const QDir& resources);
bool makeLibrary(const QDir& resources);
bool makeIcons(const QDir& resources);
bool makePromotionPictures(const QDir& resources);
bool makePrintPictures(const QDir& resources);
bool makeAppIcon(const QDir& resources);  // the desktop icon, "AppIcon/"

}  // namespace pictures
