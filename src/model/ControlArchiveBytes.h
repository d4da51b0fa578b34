#pragma once
// The byte form of control archives: what the clipboard and the undo snapshots carry.
//
// One archive is a property-list dictionary:
//   "$class"  the archived class name
//   "$keys"   the keys in writing order
//   <key>     a one-entry dictionary naming the value's type:
//             {"bool": true}, {"int": -1}, {"float": 1.2999999523162842},
//             {"double": 0.1}, {"rect": [x, y, w, h]}, {"point": [x, y]},
//             {"size": [w, h]}, {"string": "..."}, {"color": [r, g, b, a]},
//             {"font": {"family", "size", "weight", "italic", "description"}},
//             {"picture": {"png": <data>, "size": [w, h], "format": n}},
//             {"text": {"string", "font", "color"}}
// A list of archives is an array of such dictionaries. The bytes are a binary
// property list. Every value comes back exactly, and a float stays a float.
#include "KeyedArchive.h"
#include "SKTGraphic.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

// The property-list value of one archive, and back. Reading refuses (nullopt, with a
// reason in *error) anything that is not an archive in this form.
QVariantMap Control_Archive_To_Plist(const KeyedArchive &archive);
std::optional<KeyedArchive> Control_Archive_From_Plist(const QVariant &value, QString *error = nullptr);

QByteArray Control_Archive_To_Bytes(const KeyedArchive &archive);
std::optional<KeyedArchive> Control_Archive_From_Bytes(const QByteArray &bytes, QString *error = nullptr);

QByteArray Control_Archives_To_Bytes(const std::vector<KeyedArchive> &archives);
std::optional<std::vector<KeyedArchive>> Control_Archives_From_Bytes(const QByteArray &bytes,
                                                                     QString *error = nullptr);

// Controls through their archives (SKTGraphic::encode / decode), in list order. Reading
// refuses data that holds anything but archives of card control classes.
QByteArray Graphics_To_Archive_Bytes(const std::vector<GraphicPtr> &graphics);
std::optional<std::vector<GraphicPtr>> Graphics_From_Archive_Bytes(const QByteArray &bytes, QString *error = nullptr);
