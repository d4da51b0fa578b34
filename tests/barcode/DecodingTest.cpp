// Each symbology drawn with the default style, rasterised at 300 dpi with a white quiet
// zone of 10 modules, and read back by independent readers.
#include "BarcodeFactory.h"
#include "BarcodeImages.h"

#include "BarcodeReaders.h"

#include <gtest/gtest.h>

namespace {

// A model as a new barcode control sets it up: 20-mil bars, 6 mm bars high below the
// caption, Arial 10 captions, no header or footer.
[[maybe_unused]] QImage drawn(const QString &title, const QString &content)
{
    const QtFontMeasure measure;
    auto b = Make_Linear_Barcode(title, content, true);
    EXPECT_TRUE(b && b->isContentValid()) << title.toStdString() << " " << content.toStdString();
    if (!b) return {};
    const Barcode_Style style;
    b->setStyle(style);
    b->setBarWidth(20 / 1000.0f * 72);
    b->setCaptionFontSize(10, measure);
    b->setHeaderFontSize(10, measure);
    b->setFooterFontSize(10, measure);
    b->setHeight(6.0f / 25.4f * 72 + b->captionHeight() * 72 + style.value_margin + 2 * style.TB_margin);
    b->calculateWidth();
    const QImage symbol = imageFromBarcode(*b, measure).rasterised(300);
    return readers::Grey_Page(symbol, int(std::ceil(10 * b->barWidth() * 300 / 72)));
}

struct Row {
    const char *title, *content, *zbar, *zxing;  // nullptr: that reader does not read it
};

const Row kRows[] = {
    {"Code 39", "CODE39", "CODE39", "CODE39"},
    {"Extended Code 39", "abc", "+A+B+C", "abc"},
    {"Extended Code 39", "A*b\n", "A/J+B$J", "A*b\n"},
    {"Code 128", "12345678", "12345678", "12345678"},
    {"Code 128", "123", "123", "123"},
    {"Code 128", "Hello", "Hello", "Hello"},
    {"Code 128 SET A", "AbC", "AbC", "AbC"},
    {"Code 128 SET A", "Abc", "Abc", "Abc"},
    {"Code 128 SET B", "a\tb", "a\tb", "a\tb"},
    {"Code 128 SET C", "12345", "12345", "12345"},
    {"Interleaved 2 of 5", "123456", "123456", "123456"},
    {"Codabar", "A1234B", "A1234B", "A1234B"},
    {"Codabar", "1234", "A1234A", "A1234A"},
    {"Codabar", "1234B", "B1234B", "B1234B"},
    {"EAN-13", "400638133393", "4006381333931", "4006381333931"},
    {"EAN-8", "5512345", "55123457", "55123457"},
    {"UPCA", "03600029145", "036000291452", "036000291452"},
    {"UPCE", "0425261", "04252614", "04252614"},
    {"UPCE", "04210000526", "04252614", "04252614"},
    {"UPCE", "1425261", nullptr, "14252611"},  // zbar does not read number system 1
};

#ifdef HAVE_ZXING
std::string zxingRead(const QImage &gray, const QString &title)
{
    using ZXing::BarcodeFormat;
    const std::pair<const char *, BarcodeFormat> formats[] = {
        {"Code 39", BarcodeFormat::Code39},   {"Extended", BarcodeFormat::Code39}, {"Code 128", BarcodeFormat::Code128},
        {"Interleaved", BarcodeFormat::ITF},  {"Codabar", BarcodeFormat::Codabar}, {"EAN-13", BarcodeFormat::EAN13},
        {"EAN-8", BarcodeFormat::EAN8},       {"UPCA", BarcodeFormat::UPCA},       {"UPCE", BarcodeFormat::UPCE}};
    ZXing::BarcodeFormats wanted;
    for (const auto &[prefix, format] : formats)
        if (title.startsWith(QLatin1String(prefix))) wanted = format;
    return readers::Zxing_Read(gray, wanted, {title.startsWith(QLatin1String("Extended")), true});
}
#endif

} // namespace

TEST(BarcodeDecoding, ZbarReadsTheContentBack)
{
#ifdef HAVE_ZBAR
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const Row &r = kRows[i];
        if (r.zbar) {
            EXPECT_EQ(readers::Zbar_Read(drawn(r.title, r.content)), r.zbar) << "row " << i << " " << r.title;
        }
    }
#else
    GTEST_SKIP() << "zbar was not found";
#endif
}

TEST(BarcodeDecoding, ZxingReadsTheContentBack)
{
#ifdef HAVE_ZXING
    for (size_t i = 0; i < std::size(kRows); ++i) {
        const Row &r = kRows[i];
        if (r.zxing) {
            EXPECT_EQ(zxingRead(drawn(r.title, r.content), r.title), r.zxing) << "row " << i << " " << r.title;
        }
    }
#else
    GTEST_SKIP() << "ZXing-C++ was not found";
#endif
}
