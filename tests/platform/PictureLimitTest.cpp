// The bound on pictures made from a size: the pixels a size makes, the sizes allowed
// around the bound, and the words that say why one is not made. A picture file is
// read only whole and within the bound, by every road.
#include "Picture.h"
#include "PictureData.h"
#include "PictureLimit.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(PictureLimit, PixelsOfASizeAreRoundedUpAndAtLeastOne)
{
    const struct {
        QSizeF points;
        double perPoint;
        QSizeF pixels;
    } rows[] = {
        {{243, 154}, 600.0 / 72, {2025, 1284}},             // 2025 exactly: no extra pixel for rounding noise
        {{85.6 * 2.834645669291, 54 * 2.834645669291}, 600.0 / 72, {2023, 1276}},
        {{360000, 154}, 300.0 / 72, {1500000, 642}},
        {{0, 0}, 1, {1, 1}},
        {{1e300, 1}, 1e10, {std::numeric_limits<double>::infinity(), 1e10}},  // no overflow into a small int
    };
    for (const auto &r : rows) {
        const QSizeF got = Picture_Pixels(r.points, r.perPoint);
        EXPECT_EQ(got.width(), r.pixels.width()) << r.points.width();
        EXPECT_EQ(got.height(), r.pixels.height()) << r.points.width();
    }
}

TEST(PictureLimit, PicturesUpToTheBoundAreAllowed)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct {
        double width, height;
        bool allowed;
    } rows[] = {
        {10000, 10000, true},                // just at the bound: 100,000,000 pixels
        {10000, 10000.0001, false},          // just over
        {100000000, 1, true}, {100000001, 1, false}, {1, 100000001, false},
        {1500000, 642, false},               // 360,000 x 154 points at 300 dpi
        {1283, 416667, false},               // 154 x 50,000 points at 600 dpi
        {236221, 236221, false},             // the largest card side both ways at 600 dpi
        {1, 1, true}, {0, 5, false}, {5, -1, false},
        {nan, 5, false}, {5, inf, false}, {inf, inf, false},
    };
    for (const auto &r : rows)
        EXPECT_EQ(Picture_Size_Allowed(r.width, r.height), r.allowed) << r.width << " x " << r.height;
    EXPECT_EQ(kLargestPicturePixels, 100000000);
}

TEST(PictureLimit, TheRefusalNamesThePixelsAndTheBound)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const QString tooMany = QStringLiteral("it would have more than the 100 million pixels a picture can have");
    struct Row {
        QSizeF pixels;
        QString text;
    } rows[] = {
        {{1500000, 642}, QStringLiteral("it would be 1,500,000 x 642 pixels, more than the 100 million pixels a "
                                        "picture can have")},
        {{642, 999999999999999}, QStringLiteral("it would be 642 x 999,999,999,999,999 pixels, more than the 100 "
                                                "million pixels a picture can have")},
        // Sides too long to be told as a whole number, or no number at all.
        {{inf, 5}, tooMany},
        {{5, inf}, tooMany},
        {{nan, 5}, tooMany},
        {{5, nan}, tooMany},
        {{1e15, 5}, tooMany},
        {{5, 1e15}, tooMany},
    };
    for (const Row &r : rows)
        EXPECT_EQ(Picture_Too_Large_Text(r.pixels), r.text) << r.pixels.width() << " x " << r.pixels.height();
}

TEST(PictureLimit, AVectorPictureOverTheBoundIsNotRasterised)
{
    struct Plain : PictureVector {
        QSizeF s;
        explicit Plain(QSizeF size) : s(size) {}
        QSizeF size() const override { return s; }
        void paint(QPainter &p, const QRectF &target) const override { p.fillRect(target, Qt::black); }
    };
    // 120,000 x 1,000 points at 72 dpi: 120 million pixels, 480 MB.
    EXPECT_TRUE(Rasterise_Vector(Plain(QSizeF(120000, 1000)), 72).isNull());
    EXPECT_TRUE(Rasterise_Vector(Plain(QSizeF(1e9, 1e9)), 600).isNull());
    const QImage small = Rasterise_Vector(Plain(QSizeF(100, 50)), 144);
    EXPECT_EQ(small.size(), QSize(200, 100));
    EXPECT_EQ(small.pixelColor(199, 99), QColor(Qt::black));
}

TEST(PictureLimit, APictureFileIsReadOnlyWholeAndWithinTheBound)
{
    const QString home = testsupport::testHome() + "/";
    QImage face(60, 80, QImage::Format_RGB32);
    face.fill(QColor(200, 40, 40));
    face.setPixel(5, 5, qRgb(0, 0, 255));
    ASSERT_TRUE(face.save(home + "face.png"));
    ASSERT_TRUE(face.save(home + "face.jpg", "JPEG", 90));
    QImageWriter progressive(home + "progressive.jpg", "jpeg");
    progressive.setProgressiveScanWrite(true);
    ASSERT_TRUE(progressive.write(face));
    // Bytes after the end marker, as some cameras leave, are no part of the picture.
    ASSERT_TRUE(QFile::copy(home + "face.jpg", home + "trailing.jpg"));
    QFile trailing(home + "trailing.jpg");
    ASSERT_TRUE(trailing.open(QIODevice::Append));
    trailing.write(QByteArray(300, '\xFF'));
    trailing.close();
    // Fill bytes (0xFF) before a marker, which decoders pass over.
    QFile plain(home + "face.jpg");
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    QByteArray filled = plain.readAll();
    filled.insert(filled.indexOf("\xFF\xDA"), QByteArray(3, '\xFF'));
    QFile fill(home + "fill.jpg");
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly));
    fill.write(filled);
    fill.close();
    ASSERT_TRUE(face.save(home + "face.bmp") && face.copy(0, 0, 7, 9).save(home + "small.bmp"));
    const auto write = [&home](const QString &name, const QByteArray &bytes) {
        QFile file(home + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return home + name;
    };
    // A 4 x 4 GIF, green over red (Qt writes none), and a 600 x 800 run-length BMP of
    // white and green whose codes fill the bottom row green and end the picture.
    write("small.gif", QByteArray::fromHex("4749463839610400040080000000c800c800002c000000000400040000020a04081020c0"
                                           "8409132605003b"));
    write("runs.bmp", QByteArray::fromHex("424d48000000000000003e00000028000000580200002003000001000800010000000a00"
                                          "0000130b0000130b00000200000002000000ffffff0000c80000c801c801c80100000001"));
    // A 2 x 2 green BMP with the first, 12-byte form of the header (16-bit sides).
    const QByteArray os2 = QByteArray::fromHex("424d2a000000000000001a000000" "0c000000020002000100" "1800"
                                               "00c80000c8000000" "00c80000c8000000");
    QBuffer xbm;
    ASSERT_TRUE(xbm.open(QIODevice::WriteOnly) && face.save(&xbm, "XBM"));
    const struct Row {
        QString path;
        bool readable;
    } rows[] = {
        {home + "face.png", true},
        {home + "face.jpg", true},
        {home + "progressive.jpg", true},
        {home + "trailing.jpg", true},
        {home + "fill.jpg", true},
        {home + "face.bmp", true},
        {home + "small.gif", true},
        {home + "runs.bmp", true},
        {write("face.xbm", xbm.data()), true},
        {write("short-header.bmp", os2), true},
        {write("short-header-cut.bmp", os2.left(34)), false},  // one row of two
        {testsupport::bmpCutToAThird("third.bmp"), false},
        {write("half.xbm", xbm.data().left(xbm.data().size() / 2)), false},  // its values end with a brace
        {testsupport::zipNamedAsPicture("archive.png"), false},
        {testsupport::jpegCutInHalf("half.jpg"), false},
        {testsupport::jpegPastTheSizeBound("huge.jpg"), false},
        {home + "gone.png", false},
        {home, false},
        {"", false},
    };
    // Every road that reads a picture, of a file or of its bytes, reads what the check reads.
    const auto bytesOf = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    for (const Row &r : rows) {
        EXPECT_EQ(Picture_File_Readable(r.path), r.readable) << r.path.toStdString();
        EXPECT_EQ(Picture::fromFile(r.path).isNull(), !r.readable) << r.path.toStdString();
        EXPECT_EQ(Picture_From_Data(bytesOf(r.path)).isNull(), !r.readable) << r.path.toStdString();
    }
    // A JPEG, BMP or GIF cut anywhere short of its end is refused, and reading it never
    // runs past the bytes there are.
    for (const char *name : {"face.jpg", "progressive.jpg", "small.bmp", "runs.bmp", "small.gif"}) {
        const QByteArray bytes = bytesOf(home + name);
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            const QString part = write(QStringLiteral("cut.") + QFileInfo(name).suffix(), bytes.left(cut));
            EXPECT_FALSE(Picture_File_Readable(part)) << name << " cut at " << cut;
        }
    }
    // The pixels a picture's data leaves out are filled, never memory of earlier pictures
    // (here ones of pixels 77, freed just before).
    for (int round = 0; round < 2; ++round) QImage(600, 800, QImage::Format_Indexed8).fill(77);
    const QImage runs = Picture::fromFile(home + "runs.bmp").image();
    ASSERT_EQ(runs.size(), QSize(600, 800));
    EXPECT_EQ(runs.pixel(0, 799), qRgb(0, 200, 0));
    int leftOut = 0;
    for (int y = 0; y < 799; ++y) leftOut += int(std::count(runs.constScanLine(y), runs.constScanLine(y) + 600, 0));
    EXPECT_EQ(leftOut, 600 * 799);
    EXPECT_EQ(Unreadable_Picture_Text(), "The chosen file could not be opened as a picture.");
}
