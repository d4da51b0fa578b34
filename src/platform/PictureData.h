#pragma once
// Whether a picture's data is whole, and reading a picture only then. Some readers take
// data cut short without a word: the BMP reader leaves the rows it did not get as the
// memory held before (pieces of earlier pictures), the GIF reader fills them black, the
// JPEG reader grey and the XBM reader white.
#include <QByteArray>
#include <QImage>

class QImageReader;
class QString;

// Whether the data of a picture in `format` (a reader's format name) runs to its end: a
// JPEG's segments and scans to its end marker, a BMP's rows as its header declares them
// (its run-length data to its end-of-picture code), a GIF's blocks to its trailer, an
// XBM's values to their closing brace. The readers of the other formats refuse data that
// stops short themselves: for them it is true.
bool Picture_Data_Whole(const uchar *data, qint64 size, const QByteArray &format);
// The same for the file at `path`; false when it cannot be read.
bool Picture_File_Whole(const QString &path, const QByteArray &format);

// The reader's picture (of a file or of bytes in a QBuffer), read only when its data is
// whole; null otherwise, as for a reader's own error. A BMP is read into an image filled
// beforehand (its reader fills an image of its size and format that it is given), so
// that pixels its data leaves out, as a run-length picture that ends early does, are
// never memory left from earlier pictures.
QImage Read_Whole_Picture(QImageReader &reader);
// Read_Whole_Picture of the bytes, whatever their format.
QImage Picture_From_Data(const QByteArray &bytes);
