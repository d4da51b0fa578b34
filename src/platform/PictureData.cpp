#include "PictureData.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstdlib>
#include <cstring>

namespace {
// True when the JPEG data (its reader has seen its start marker) runs through its
// segments and scans to its end marker. A segment's length is passed over; in a scan a
// 0xFF byte is followed by 0x00 (a data byte) or a restart marker, which are passed over
// too, so that the next other marker ends it.
bool Jpeg_Data_Complete(const uchar *d, qint64 n)
{
    const auto restart = [](uchar m) { return m >= 0xD0 && m <= 0xD7; };
    qint64 i = 2;
    while (i + 1 < n) {
        // Bytes between segments and fill bytes before a marker are passed over, as
        // the decoder does.
        if (d[i] != 0xFF || d[i + 1] == 0xFF) {
            ++i;
            continue;
        }
        const uchar marker = d[i + 1];
        i += 2;
        if (marker == 0xD9) return true;
        if (marker == 0x01 || marker == 0x00 || restart(marker)) continue;
        if (i + 1 >= n) return false;
        const qint64 length = (qint64(d[i]) << 8) | d[i + 1];
        if (length < 2) return false;
        i += length;
    }
    return false;
}

// True when a run-length BMP's codes from `at` reach the end-of-picture code. A run is
// two bytes; 0 0 ends a line, 0 1 the picture, 0 2 moves by the next two bytes, and 0 n
// is followed by n pixels as they are (n bytes, or n / 2 rounded up for four-bit
// pixels), padded to a whole pair of bytes.
bool Bmp_Runs_Reach_End(const uchar *d, qint64 n, qint64 at, bool fourBits)
{
    qint64 i = at;
    while (i + 1 < n) {
        const uchar count = d[i], code = d[i + 1];
        i += 2;
        if (count != 0 || code == 0) continue;
        if (code == 1) return true;
        if (code == 2) {
            i += 2;
            continue;
        }
        const qint64 bytes = fourBits ? (code + 1) / 2 : code;
        i += bytes + (bytes & 1);
    }
    return false;
}

// True when the BMP holds the rows its header declares, from where its header says the
// pixels start: rows of whole four-byte words, or run-length codes to their end.
bool Bmp_Data_Complete(const uchar *d, qint64 n)
{
    const auto u16 = [d](qint64 at) { return quint32(d[at]) | quint32(d[at + 1]) << 8; };
    const auto u32 = [&u16](qint64 at) { return u16(at) | u16(at + 2) << 16; };
    if (n < 18 || d[0] != 'B' || d[1] != 'M') return false;
    const qint64 start = u32(10), header = u32(14);
    qint64 width = 0, height = 0, bits = 0, compression = 0;
    if (header == 12 && n >= 26) {  // the first form of the header: 16-bit sides
        width = u16(18);
        height = u16(20);
        bits = u16(24);
    } else if (header >= 40 && n >= 54) {
        width = qint32(u32(18));
        height = qint32(u32(22));
        bits = u16(28);
        compression = u32(30);
    } else {
        return false;
    }
    if (start > n) return false;
    if (compression == 1 || compression == 2) return Bmp_Runs_Reach_End(d, n, start, compression == 2);
    // Rows as they are, with or without masks; no other kind is read here.
    if (compression != 0 && compression != 3 && compression != 6) return false;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    if (width <= 0 || stride <= 0) return false;
    return (n - start) / stride >= std::abs(height);
}

// True when the GIF's blocks, after its header, screen descriptor and colour table, run
// to its trailer: an extension is its label and data blocks, a picture its descriptor,
// colour table, code size and data blocks; a data block is its length and that many
// bytes, and an empty one ends them.
bool Gif_Data_Complete(const uchar *d, qint64 n)
{
    const auto table = [](uchar packed) -> qint64 { return packed & 0x80 ? 3 << ((packed & 7) + 1) : 0; };
    if (n < 13) return false;
    qint64 i = 13 + table(d[10]);
    const auto blocks = [d, n, &i] {
        while (i < n) {
            const uchar length = d[i++];
            if (length == 0) return true;
            i += length;
        }
        return false;
    };
    while (i < n) {
        const uchar kind = d[i++];
        if (kind == 0x3B) return true;
        if (kind == 0x21) {
            ++i;
        } else if (kind == 0x2C) {
            if (i + 9 > n) return false;
            i += 9 + table(d[i + 8]) + 1;
        } else {
            return false;
        }
        if (!blocks()) return false;
    }
    return false;
}

// True when the XBM's values, after the opening brace, reach the closing one.
bool Xbm_Data_Complete(const uchar *d, qint64 n)
{
    const void *open = n > 0 ? std::memchr(d, '{', size_t(n)) : nullptr;
    if (!open) return false;
    const qint64 after = static_cast<const uchar *>(open) - d + 1;
    return std::memchr(d + after, '}', size_t(n - after)) != nullptr;
}

bool Reader_Data_Whole(QImageReader &reader, const QByteArray &format)
{
    if (!reader.fileName().isEmpty()) return Picture_File_Whole(reader.fileName(), format);
    const auto *buffer = qobject_cast<const QBuffer *>(reader.device());
    if (!buffer) return false;
    const QByteArray &bytes = buffer->data();
    return Picture_Data_Whole(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size(), format);
}

// Whether an image of the size and pixel format is within the reader's allocation limit.
bool Within_Reader_Limit(QSize size, QImage::Format pixels)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    const qint64 bytes = qint64(size.width()) * size.height() * QImage::toPixelFormat(pixels).bitsPerPixel() / 8;
    return limit == 0 || bytes <= limit;
}
} // namespace

bool Picture_Data_Whole(const uchar *data, qint64 size, const QByteArray &format)
{
    const QByteArray f = format.toLower();
    if (f == "jpeg" || f == "jpg") return Jpeg_Data_Complete(data, size);
    if (f == "bmp") return Bmp_Data_Complete(data, size);
    if (f == "gif") return Gif_Data_Complete(data, size);
    if (f == "xbm") return Xbm_Data_Complete(data, size);
    return true;
}

bool Picture_File_Whole(const QString &path, const QByteArray &format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (const uchar *mapped = file.map(0, file.size())) return Picture_Data_Whole(mapped, file.size(), format);
    const QByteArray data = file.readAll();
    return Picture_Data_Whole(reinterpret_cast<const uchar *>(data.constData()), data.size(), format);
}

QImage Read_Whole_Picture(QImageReader &reader)
{
    const QByteArray format = reader.format().toLower();
    if (format.isEmpty() || !Reader_Data_Whole(reader, format)) return {};
    QImage image;
    if (format == "bmp") {
        const QSize size = reader.size();
        const QImage::Format pixels = reader.imageFormat();
        if (!size.isValid() || pixels == QImage::Format_Invalid || !Within_Reader_Limit(size, pixels)) return {};
        image = QImage(size, pixels);
        if (image.isNull()) return {};
        image.fill(0);
    }
    if (!reader.read(&image)) return {};
    return image;
}

QImage Picture_From_Data(const QByteArray &bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer);
    return Read_Whole_Picture(reader);
}
