#pragma once
// The document's data by type: the document's own type (or its older name) gives a
// binary property list {"version": 2, "graphics": one control archive per front
// control in order, "printInfo": the print settings as a dictionary}; PDF gives the
// front side as one page of the card's size, TIFF the front's controls as a picture.
// The data is written only; nothing reads it back.
#include "RenderResources.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <optional>

class SKTDocument;

extern const QString SKTDocumentOldTypeName;  // "DOZO Card document"
extern const QString SKTDocumentNewTypeName;  // the application's own identifier
extern const int SKTDocumentCurrentVersion;   // 2

struct Document_Print_Info;

// The document's print settings as written under "printInfo": "PrinterName",
// "PaperName", "PaperWidth" and "PaperHeight" (points, the paper as it lies),
// "Orientation" (0 portrait, 1 landscape) and the four margins in points.
QVariantMap Print_Info_Dictionary(const Document_Print_Info &info);

// The data of the type; another type (or a side that cannot be drawn) gives no data
// and a reason in *error.
std::optional<QByteArray> Document_Data_Of_Type(const SKTDocument &document, const QString &type,
                                                const RenderResources &resources, QString *error = nullptr);
