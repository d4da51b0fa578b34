// Values and sizes that make no symbol, and the faults of long and odd values: every
// encoder and picture call answers "none" instead of crashing or cutting a symbol.
#include "BarcodeFactory.h"
#include "BarcodeImages.h"
#include "BarcodeSizes.h"
#include "Code128Barcode.h"
#include "JapanPostBarcode.h"
#include "Pdf417Encoder.h"
#include "QrEncoder.h"

#include <gtest/gtest.h>
#include <limits>

namespace no_symbol_test {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

TEST(NoSymbol, EmptyValues)
{
    const QtFontMeasure measure;
    for (const QString &title : Linear_Barcode_Titles()) {
        auto b = Make_Linear_Barcode(title, QString(), true);
        ASSERT_TRUE(b);
        b->setBarWidth(1);
        b->setHeight(30);
        EXPECT_FALSE(b->isContentValid()) << title.toStdString();
        EXPECT_TRUE(imageFromBarcode(*b, measure).isNull()) << title.toStdString();
    }
    EXPECT_FALSE(Encode_QR({}, QR_Level::M, 0));
    EXPECT_EQ(Encode_PDF417({}, Pdf417_Level::L2, 1.0).error, 2);
    EXPECT_TRUE(PDF417_Picture({}, Pdf417_Level::L2, {100, 20}, 600).isNull());
}

TEST(NoSymbol, SizesAndResolutions)
{
    struct Row {
        double width, height, dpi;
        QSize pixels;  // empty: refused
    };
    const Row rows[] = {
        {100, 20, 600, {834, 167}},
        {10000, 10000, 72, {10000, 10000}},  // 100 megapixels exactly
        {10000, 10001, 72, {}},
        {1000, 1000, 1000, {}},
        {100, 20, kNaN, {}},
        {100, 20, kInf, {}},
        {100, 20, 0, {}},
        {100, 20, -72, {}},
        {kNaN, 20, 600, {}},
        {100, kInf, 600, {}},
        {0, 20, 600, {}},
        {100, -20, 600, {}},
        {1e-300, 20, 600, {}},
        {0.1, 20, 72, {1, 20}},  // a part of a pixel is one
        {20, 0.1, 72, {20, 1}},
        {720, 720, 0.5, {5, 5}},
        {-100, -20, -72, {}},
        {1e300, 1e300, 600, {}},
    };
    for (const Row &r : rows) {
        const std::optional<QSize> pixels = Barcode_Pixel_Size(QSizeF(r.width, r.height), r.dpi);
        EXPECT_EQ(pixels.value_or(QSize()), r.pixels) << r.width << " x " << r.height << " at " << r.dpi;
    }

    const std::optional<QrGrid> qr = Encode_QR("HELLO", QR_Level::M, 0);
    ASSERT_TRUE(qr);
    for (const auto &[dimension, dpi] : std::initializer_list<std::pair<int, double>>{
             {100000, 72}, {10001, 72}, {1000, 1000}, {100, kNaN}, {100, -kInf}, {100, 0}, {0, 72}, {-5, 72}})
        EXPECT_TRUE(Render_QR(*qr, dimension, dpi).isNull()) << dimension << " at " << dpi;
    EXPECT_EQ(Render_QR(*qr, 100, 72).image().size(), QSize(100, 100));

    for (const auto &[size, dpi] : std::initializer_list<std::pair<QSizeF, double>>{
             {{1e9, 1e9}, 600}, {{100000, 100000}, 72}, {{100, 20}, kNaN}, {{kNaN, 20}, 600}, {{-1, 20}, 600},
             {{100, 0}, 600}, {{100, 20}, -1}})
        EXPECT_TRUE(PDF417_Picture("VISITOR", Pdf417_Level::L2, size, dpi).isNull()) << size.width() << " at " << dpi;

    QImage pixels(10, 10, QImage::Format_ARGB32);
    pixels.fill(Qt::white);
    pixels.setPixel(0, 0, qRgb(255, 0, 0));
    const Picture picture(pixels, QSizeF(10, 10));
    EXPECT_TRUE(Increase_DPI(picture, kNaN).isNull());
    EXPECT_TRUE(Increase_DPI(picture, 1e6).isNull());
    const QImage doubled = Increase_DPI(picture, 144).image();
    EXPECT_EQ(doubled.size(), QSize(20, 20));
    EXPECT_EQ(doubled.pixel(0, 0), qRgb(255, 0, 0));  // each pixel becomes 2 x 2
    EXPECT_EQ(doubled.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(doubled.pixel(2, 0), qRgb(255, 255, 255));

    // A linear model whose drawing size is not finite, or too large to rasterise.
    const QtFontMeasure measure;
    auto b = Make_Linear_Barcode("Code 39", "CODE39", false);
    b->setBarWidth(1);
    b->setHeight(30);
    EXPECT_FALSE(imageFromBarcode(*b, measure).isNull());
    for (const float height : {float(kNaN), -30.0f, 0.0f, 1e9f}) {
        b->setHeight(height);
        EXPECT_TRUE(imageFromBarcode(*b, measure).isNull()) << height;
    }
    b->setHeight(30);
    b->setBarWidth(float(kInf));
    EXPECT_TRUE(imageFromBarcode(*b, measure).isNull());
}

TEST(NoSymbol, Pdf417CodewordLimit)
{
    // 1,104 bytes: length descriptor, 924, then 920 codewords (two pads follow beside 4
    // check codewords); 1,108: 901 and 924 more (926 in all); 1,110: 924 and 925 more,
    // one past the limit.
    const struct {
        int bytes, error, descriptor;
    } rows[] = {{1104, 0, 924}, {1108, 0, 926}, {1110, 1, 0}, {5420, 1, 0}, {5421, 1, 0}};
    for (const auto &r : rows) {
        const Pdf417Symbol s = Encode_PDF417(QByteArray(r.bytes, '\x01'), Pdf417_Level::L2, 1.0);
        EXPECT_EQ(s.error, r.error) << r.bytes;
        EXPECT_EQ(s.codewords.empty() ? 0 : s.codewords[0], r.descriptor) << r.bytes;
        EXPECT_EQ(s.modules.empty(), r.error != 0) << r.bytes;
    }
    EXPECT_TRUE(PDF417_Picture(QString(1110, QChar(1)), Pdf417_Level::L2, {300, 300}, 72).isNull());
    EXPECT_FALSE(PDF417_Picture(QString(1108, QChar(1)), Pdf417_Level::L2, {300, 300}, 72).isNull());
}

TEST(LongValues, Code128CheckSumStaysModulo103)
{
    // 104 + 90 x (1 + 2 + ... + 7000) passes the range of a 32-bit sum.
    auto b = Make_Linear_Barcode("Code 128", QString(7000, u'z'), true);
    ASSERT_TRUE(b->isContentValid());
    EXPECT_EQ(b->checkDigit(), 26);
    const QString modules = b->completeBarcode();
    EXPECT_EQ(modules.size(), 11 * (1 + 7000 + 1) + 13);
    EXPECT_TRUE(modules.endsWith(NKDCode128Barcode::patternForValue(26) + b->terminator()));
}

TEST(LongValues, JapanPostDropsACutLetterWhole)
{
    const struct {
        const char *input, *codes, *readable;
    } rows[] = {
        {"123456789012345678A", "123456789012345678:0", "123456789012345678A"},
        {"1234567890123456789A", "1234567890123456789=", "1234567890123456789"},
        {"1234567890123456789AB", "1234567890123456789=", "1234567890123456789"},
        {"12345678901234567890A", "12345678901234567890", "12345678901234567890"},
        {"1234567Z9012345678K9", "1234567<59012345678=", "1234567Z9012345678"},
        // The letters at the ends of each control code's range.
        {"1234567AJKTUZ", "1234567:0:9;0;9<0<5=", "1234567AJKTUZ"},
    };
    for (const auto &r : rows) {
        auto b = Make_Linear_Barcode("Japan Post Barcode", QString::fromLatin1(r.input), true);
        const auto &jp = dynamic_cast<const JapanPostBarcode &>(*b);
        EXPECT_EQ(jp.japanpostContents(), QString::fromLatin1(r.codes)) << r.input;
        EXPECT_EQ(jp.content(), QString::fromLatin1(r.readable)) << r.input;
    }
}

TEST(LinearModel, WidthFollowsEverySetter)
{
    // Code 39: 13 modules a character and the two '*' patterns.
    auto b = Make_Linear_Barcode("Code 39", "AB", true);
    EXPECT_FLOAT_EQ(b->width(), 0);  // no bar width yet
    b->setBarWidth(0.5f);
    EXPECT_FLOAT_EQ(b->width(), 4 * 13 * 0.5f);
    b->setContent("ABCDEFGHIJ");
    EXPECT_FLOAT_EQ(b->width(), 12 * 13 * 0.5f);
    b->setCheckDigit('W');
    EXPECT_FLOAT_EQ(b->width(), 13 * 13 * 0.5f);
    b->setWidth(500);  // the engine's total width stands until the next change
    Barcode_Style style;
    b->setStyle(style);
    EXPECT_FLOAT_EQ(b->width(), 13 * 13 * 0.5f);
    b->setWidth(500);
    b->setCaptionFontSize(10, QtFontMeasure());
    EXPECT_FLOAT_EQ(b->width(), 13 * 13 * 0.5f);
}

} // namespace no_symbol_test
