#pragma once
// Names and rows of the cropping window's direct roads (a picture, a series or a
// spreadsheet column of an image control): the file a direct crop of an input is
// written as, the rows a series file gives, and the new column a column run leaves.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The file name a direct crop of `input` gets in its output folder: the input's own
// file name; an input whose type cannot be written (gif, or no extension) keeps its
// base name with "png".
QString Direct_Crop_File_Name(const QString &input);

// The rows of a series file in the direct series road: the text (Decode_Text_Bytes, as
// every series reader) trimmed whole and cut at CR, LF or CR LF, every line a row,
// trimmed, empty lines kept.
QStringList Direct_Series_Rows(const QByteArray &bytes);

// Whether any of the paths names an existing file of a picture type the cropping window
// reads (png, jpg, jpeg, bmp, tif, tiff, gif).
bool Any_Picture_File(const QStringList &paths);

// The new column of a spreadsheet-column run, from the column's cells (`inputs`) and the
// file written for each row done (`written`; empty for none). A row that names a
// picture but got no file (no face found, a picture that cannot be read or written)
// keeps its own cell, so that its person keeps the picture; `uncut` lists those rows
// (0-based), `blank` the rows done that name no picture, `cropped` counts the rows that
// got theirs. Rows a stop left out (beyond `written`) get empty cells.
struct Direct_Column {
    QStringList cells;
    QList<int> uncut;
    QList<int> blank;
    int cropped = 0;
};
Direct_Column Direct_Column_Cells(const QStringList &inputs, const QStringList &written);

// What a column run tells at its end: "Image has been cropped successfully." when
// every row named got its file; else the pictures cropped of the rows, the count of
// the rows kept as they were and the first few of them in row order ("Row N: "name"",
// or "Row N: no picture" for a row that names none), as Crop All names the pictures it
// could not read.
QString Direct_Column_Message(const QStringList &inputs, const Direct_Column &column);
