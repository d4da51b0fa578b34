#pragma once
// Values read from outside lists: text files (UTF-8 with or without a byte-order mark,
// UTF-16 with one, anything else as Windows-1252, as series files are read), rich text (our own small reader: plain
// text only), CSV (RFC 4180 quoting), pasted text and image folders. Pure functions
// but the folder listing; any input gives values, never a failure.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ListImport {

// The text of a plain text file (Decode_Text_Bytes): a UTF-8 (or UTF-16) byte-order
// mark dropped; bytes not valid as UTF-8 are read as Windows-1252.
QString Decode_Text(const QByteArray &bytes);

// The plain text of a rich-text document: control words dropped, groups of fonts,
// colours, styles, pictures and "\*" destinations dropped whole, "\'hh" (Windows-1252)
// and "\uN" (its "\ucN" fallback characters skipped) decoded, "\par", "\line" and
// "\row" end a line, "\tab" and "\cell" give a tab, escaped "\\", "\{", "\}" kept.
// Bytes that are not rich text are decoded as Decode_Text.
QString Rtf_To_Text(const QByteArray &bytes);

// The lines of a text: ended by CR, LF or CR LF.
QStringList Split_Lines(const QString &text);

// A line as an imported value: every "\", "{" and "}" removed, then trimmed.
QString Clean_Line(const QString &line);

// Values of a text (or rich-text) list: its lines cleaned, empty ones skipped; the
// first line holding "NSFont = " ends the list.
QStringList Text_Values(const QString &text);

// The records of a CSV text (RFC 4180): fields cut at commas outside quotes, records
// at CR, LF or CR LF outside quotes; a quoted field loses its quotes and "" in it is
// one quote; a quote inside an unquoted field stays.
QList<QStringList> Csv_Records(const QString &text);
// Values of a CSV list: every field of every record cleaned (Clean_Line), empty ones
// skipped; a record without a comma is one value; a field holding "NSFont = " ends
// its record.
QStringList Csv_Values(const QString &text);

// Values of a file by its extension: "csv" (any case) as CSV, "rtf" as rich text,
// anything else as a text list.
QStringList File_Values(const QString &fileName, const QByteArray &bytes);
// The text a file gives before it is cut into values (empty: nothing readable).
QString File_Text(const QString &fileName, const QByteArray &bytes);

// Lines of a pasted list for a series file: the text trimmed whole, cut into lines,
// empty lines skipped, other lines kept as typed (inner blanks too).
QStringList Pasted_Lines(const QString &text);

// The picture extensions of an image-folder import (lower case).
QStringList Image_Extensions();
// Full paths of the folder's own regular files whose extension (any case) is a picture
// extension, sorted by name; sub-folders are not entered.
QStringList Image_Folder_Values(const QString &folder);

} // namespace ListImport
