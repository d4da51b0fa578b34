#pragma once
// Writes the exported card: one side, or both sides as two files ("_Front", "_Back")
// or joined into one picture (side by side or one above the other). The file type
// follows the extension: PDF (the card's size as its page, drawn as vectors), or a
// PNG, JPEG, BMP or TIFF picture at Export_Picture_DPI with that resolution stored.
// Every file is written whole; a failed export leaves no file of its own behind.
#include "SKTGraphic.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "RenderResources.h"

class Card_Property;

constexpr double Export_Picture_DPI = 600.0;

// One card side as the export draws it.
struct Export_Side {
    std::vector<GraphicPtr> graphics;
    const Card_Property *cardProperty = nullptr;
    QRectF frame;  // the card rectangle in points
    RenderResources resources;
};

enum class Export_Layout { Front, Back, Both, Combined_Side_By_Side, Combined_Above };

// "Card_3.png" -> "Card_3_Front.png" / "Card_3_Back.png" in the same folder.
QString Create_Front_Card_Path(const QString &path);
QString Create_Back_Card_Path(const QString &path);

// The files an export of `layout` to `path` writes, in writing order.
QStringList Export_Target_Paths(const QString &path, Export_Layout layout);

// A side drawn at `dpi`, its resolution stored; null on failure.
QImage Export_Side_Image(const Export_Side &side, double dpi = Export_Picture_DPI);
// Front and back joined: side by side (front left) or one above the other (front on top).
QImage Combine_Side_Images(const QImage &front, const QImage &back, bool sideBySide);

// The bytes of one file: `sides` holds one side, or front and back to be joined.
// Empty on failure.
QByteArray Export_File_Data(const std::vector<const Export_Side *> &sides, bool sideBySide,
                            const QString &extension);
// Writes a picture to the path in the type of its extension ("pdf": a page of the
// picture's size in points). False on failure.
bool Save_gen_image(const QImage &image, const QString &path);

// Writes the export of `layout` to `path`. On failure nothing written by this call
// stays behind and `error` says why. `written` gets the files written.
bool Write_Export_Files(const QString &path, Export_Layout layout, const Export_Side &front,
                        const Export_Side &back, QStringList *written = nullptr, QString *error = nullptr);
