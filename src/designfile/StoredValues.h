#pragma once
// Stored values: the text forms in which design files keep flags, numbers, colours,
// fonts and geometry.
//
//   flag     "Y" / "N"
//   integer  "%d"
//   number   "%0.2f" when that gives the value back exactly, else the shortest
//            decimal that does (a 32-bit float reads back as the same float, a
//            double as the same double)
//   colour   "r:g:b:a", each component "%0.1f" when that is exact, else the shortest
//            decimal that gives the same colour back ("0.0:0.55:1.0:1.0")
//   font     "name::::size": name is the family, with "-Bold", "-Italic",
//            "-BoldItalic", "-Light" ... when the font has a weight or slant
//   point    "{x, y}", size "{w, h}", rectangle "{{x, y}, {w, h}}"
//
// Readers accept any decimal form ("1.3", "1.30", "1.3e0"), so files written with
// fewer digits still open.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The colour as stored; "" for no colour (an invalid QColor). Colours of other models
// (HSV, CMYK) are stored as their RGB equivalent.
QString Convert_Color_to_String(const QColor &color);
// The colour that a stored colour text (four ":"-separated components) describes; an
// invalid QColor when the text is not one.
QColor Convert_String_to_Color(const QString &text);

// The font as stored ("name::::size").
QString Convert_Font_to_String(const QFont &font);
// The font that a stored font text names, resolved through Font_With_Name, or
// DEFAULT_FONT when none can be made from the text.
QFont Convert_String_to_Font(const QString &text);

// One writer and one strict reader per stored type. A reader returns false (and
// leaves `out` alone) when the text is not a value of its type.
QString To_Stored_Text(bool v);
QString To_Stored_Text(int v);
QString To_Stored_Text(float v);
QString To_Stored_Text(double v);
QString To_Stored_Text(const QRectF &v);
QString To_Stored_Text(const QPointF &v);
QString To_Stored_Text(const QSizeF &v);
QString To_Stored_Text(const QString &v);
QString To_Stored_Text(const QColor &v);
QString To_Stored_Text(const QFont &v);

bool From_Stored_Text(const QString &text, bool &out);
bool From_Stored_Text(const QString &text, int &out);
bool From_Stored_Text(const QString &text, float &out);
bool From_Stored_Text(const QString &text, double &out);
bool From_Stored_Text(const QString &text, QRectF &out);
bool From_Stored_Text(const QString &text, QPointF &out);
bool From_Stored_Text(const QString &text, QSizeF &out);
bool From_Stored_Text(const QString &text, QString &out);
bool From_Stored_Text(const QString &text, QColor &out);  // "" reads as no colour
bool From_Stored_Text(const QString &text, QFont &out);
