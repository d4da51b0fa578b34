#pragma once
// Pure helpers of the xlsx reader and writer: column names and numbers, cell
// references, the number-cell rule, and the text escapes of SpreadsheetML.
#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

// Spreadsheets end at column XFD; cells further right are ignored.
constexpr int kMaxSheetColumns = 16384;

// "A" = 1 ... "Z" = 26, "AA" = 27, "ZZ" = 702, "AAA" = 703; 0 when `letters` holds
// anything but letters A to Z (either case) or is empty.
int Column_Number(QStringView letters);
// The inverse: 1 "A", 27 "AA", 702 "ZZ"; empty for numbers below 1.
QString ColumnNumber_To_Name(int number);
// The column number of a cell reference such as "C7" or "ab12" (its letters before
// the first digit); 0 when it has no letters, kMaxSheetColumns + 1 or more beyond
// the last column. The second form reads a reference as the file's UTF-8 bytes.
int Reference_Column(QStringView reference);
int Reference_Column(std::string_view reference);
// The column count a dimension such as "A1:L25", "AA1:AC5" or "A1" gives: the column
// of its last cell (29 for "AA1:AC5", 1 for "A1"); 0 when unreadable.
int Dimension_Columns(QStringView ref);

// A number cell: -?(0|[1-9][0-9]*)(\.[0-9]+)? with at most 15 significant digits,
// independent of the locale. "0123", "3,5", "" and "1e5" are texts.
bool Is_Number_Cell(QStringView text);

// Decodes SpreadsheetML's "_xHHHH_" escapes (hex, either case); "_x005F_" before
// another escape keeps that one literal.
QString Decode_Escapes(const QString &text);
// Appends the text as XML character data in UTF-8: "&", "<", ">" as entities,
// characters XML forbids as "_xHHHH_", and a literal "_xHHHH_" with its underscore
// escaped ("_x005F_xHHHH_").
void Append_Xml_Text(std::string &out, QStringView text);
// The text with every character XML 1.0 forbids (control characters other than tab,
// line feed and carriage return, U+FFFE, U+FFFF, unpaired surrogates) replaced by
// U+FFFD; the rest is kept.
QString Xml_Safe_Text(QStringView text);
// True when the text starts or ends with white space (xml:space="preserve").
bool Has_Outer_Space(QStringView text);
