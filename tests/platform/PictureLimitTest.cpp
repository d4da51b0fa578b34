// The bound on pictures made from a size: the pixels a size makes, the sizes allowed
// around the bound, and the words that say why one is not made. A picture file is
// read only whole and within the bound.
#include "Picture.h"
#include "PictureLimit.h"
#include "TestSupport.h"

#include <QFile>
#include <QImageWriter>
#include <QPainter>
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
    const struct Row {
        QString path;
        bool readable;
    } rows[] = {
        {home + "face.png", true},
        {home + "face.jpg", true},
        {home + "progressive.jpg", true},
        {home + "trailing.jpg", true},
        {home + "fill.jpg", true},
        {testsupport::zipNamedAsPicture("archive.png"), false},
        {testsupport::jpegCutInHalf("half.jpg"), false},
        {testsupport::jpegPastTheSizeBound("huge.jpg"), false},
        {home + "gone.png", false},
        {home, false},
        {"", false},
    };
    for (const Row &r : rows) EXPECT_EQ(Picture_File_Readable(r.path), r.readable) << r.path.toStdString();
    // A JPEG cut anywhere short of its end is refused, and reading it never runs past the
    // bytes there are.
    for (const char *name : {"face.jpg", "progressive.jpg"}) {
        QFile whole(home + name);
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            QFile part(home + "cut.jpg");
            ASSERT_TRUE(part.open(QIODevice::WriteOnly | QIODevice::Truncate));
            part.write(bytes.left(cut));
            part.close();
            EXPECT_FALSE(Picture_File_Readable(home + "cut.jpg")) << name << " cut at " << cut;
        }
    }
    EXPECT_EQ(Unreadable_Picture_Text(), "The chosen file could not be opened as a picture.");
}
