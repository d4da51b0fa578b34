#pragma once
// Files named as pictures that cannot be read as pictures, written under the test's home:
// what a person might choose in a file panel for a photo.
#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace testsupport {
namespace unreadable_detail {
inline QString write(const QString &name, const QByteArray &bytes)
{
    const QString path = testHome() + "/" + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) ADD_FAILURE() << "cannot write " << name.toStdString();
    return path;
}
inline QByteArray jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 4 % 256, y * 3 % 256, (x * y) % 256));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPEG", 90));
    return buffer.data();
}
} // namespace unreadable_detail

// An empty zip archive (its end record alone) named `name`.
inline QString zipNamedAsPicture(const QString &name)
{
    return unreadable_detail::write(name, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
}

// The first half of a 60 x 80 JPEG: its reader knows it and its size, and its data stops
// before the end marker.
inline QString jpegCutInHalf(const QString &name)
{
    const QByteArray whole = unreadable_detail::jpeg(60, 80);
    return unreadable_detail::write(name, whole.left(whole.size() / 2));
}

// A 16 x 16 JPEG whose frame says 20,000 x 10,000 pixels: past the bound of
// PictureLimit.h (100 million pixels); its data runs to its end marker.
inline QString jpegPastTheSizeBound(const QString &name)
{
    QByteArray bytes = unreadable_detail::jpeg(16, 16);
    const auto at = [&bytes](qsizetype i) { return uchar(bytes.at(i)); };
    for (qsizetype i = 2; i + 8 < bytes.size() && at(i) == 0xFF; i += 2 + (at(i + 2) << 8 | at(i + 3))) {
        if (at(i + 1) != 0xC0) continue;
        const char size[4] = {char(10000 >> 8), char(10000 & 0xFF), char(20000 >> 8), char(20000 & 0xFF)};
        bytes.replace(i + 5, 4, QByteArray(size, 4));
        return unreadable_detail::write(name, bytes);
    }
    ADD_FAILURE() << "no baseline frame in the JPEG";
    return {};
}
} // namespace testsupport
