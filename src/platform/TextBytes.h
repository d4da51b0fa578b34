#pragma once
// Text files as people save them: the bytes of a file turned into its text, and the
// text cut into lines. Pure functions; every reader of series files and of imported
// lists goes through them, so all of them read the same values.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// The text of a file's bytes: UTF-8, its byte-order mark dropped; UTF-16 little- or
// big-endian by its byte-order mark (a surrogate without its other half read as
// U+FFFD); any other bytes that are not valid UTF-8 as
// Windows-1252 (every byte one character; the five bytes Windows-1252 leaves unused
// keep their Latin-1 control character), so no byte is lost or replaced.
QString Decode_Text_Bytes(const QByteArray &bytes);

// The character of one Windows-1252 byte.
QChar Windows_1252_Char(unsigned char byte);

// The lines of a text: CR, LF and CR LF each end a line; the text after the last line
// end is the last line (empty when the text ends with a line end).
QStringList Split_Text_Lines(QStringView text);
