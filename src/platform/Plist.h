#pragma once
// Property lists (XML and binary) through libplist, as QVariant trees: QString,
// qint64, double, bool, QByteArray, QVariantList and QVariantMap (dates and unknown
// node kinds are read as null values). Reading refuses (nullopt) a string or key that
// holds a NUL character and containers nested more than 256 deep; writing leaves NUL
// characters out, since property-list text can't hold them.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>

enum class PlistFormat { Xml, Binary };

std::optional<QVariant> Plist_From_Bytes(const QByteArray &bytes);
QByteArray Plist_To_Bytes(const QVariant &root, PlistFormat format = PlistFormat::Xml);

std::optional<QVariant> Plist_Read_File(const QString &path);
// Writes the whole file (temporary file, then rename) with the given permissions
// (octal, e.g. 0600). Returns false when it could not be written, `error` getting the
// system's error number of the step that failed (as Write_File_Whole gives it).
bool Plist_Write_File(const QString &path, const QVariant &root, PlistFormat format = PlistFormat::Xml,
                      int permissions = 0600, int *error = nullptr);
