#pragma once
// Names and rows of the cropping window's direct roads (a picture, a series or a
// spreadsheet column of an image control): the file a direct crop of an input is
// written as, and the rows a series file gives.
#include <QByteArray>
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
