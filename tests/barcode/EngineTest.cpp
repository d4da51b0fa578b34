// The barcode engine: settings, value, header and footer in, the whole barcode picture
// out, read back by independent readers.
#include "BarcodeDrawing.h"
#include "BarcodeEngine.h"

#include "BarcodeReaders.h"
#include "DataMatrixReaders.h"

#include <gtest/gtest.h>

namespace engine_test {

namespace {

// Every font has a cap height of 7.2 points (lines of 9.72 points); a text is 5 points a
// character wide and 12 high.
struct FixedMeasure : FontMeasure {
    double capHeight(const QFont &) const override { return 7.2; }
    QSizeF textSize(const QString &text, const QFont &) const override { return {5.0 * text.size(), 12}; }
    TextInk textInk(const QString &text, const QFont &) const override
    {
        return text.trimmed().isEmpty() ? TextInk{} : TextInk{2.5, 9.7};
    }
};
const FixedMeasure measure;

Barcode_Settings titled(const QString &title)
{
    Barcode_Settings s;
    s.barcode_font_index = int(Barcode_Symbology_Titles().indexOf(title));
    s.linear_or_2d = Is_TwoD_Barcode_Title(title) ? 1 : 0;
    return s;
}

Picture render(const Barcode_Settings &s, const QString &value)
{
    return Barcode_Picture(s, value, s.header_val, s.footer_val, measure);
}

const BarcodeDrawing &drawingOf(const Picture &p) { return dynamic_cast<const BarcodeDrawing &>(*p.vector()); }

// The symbol raster inside a two-dimensional barcode picture.
Picture symbolOf(const Picture &p)
{
    const auto images = drawingOf(p).itemsOf<BarcodeDrawing::Image>();
    return images.size() == 1 ? images[0].picture : Picture();
}

// Modules across a QR symbol: its dark extent over the module width that the top-left
// finder pattern (7 modules) shows in its first dark row.
int qrModules(const QImage &symbol)
{
    const QImage img = symbol.convertToFormat(QImage::Format_ARGB32);
    auto dark = [&](int x, int y) { return qAlpha(img.pixel(x, y)) > 128 && qGray(img.pixel(x, y)) < 128; };
    int top = -1, left = img.width(), right = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (dark(x, y)) {
                if (top < 0) top = y;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    if (top < 0) return 0;
    int run = 0;
    while (left + run < img.width() && dark(left + run, top)) ++run;
    return int(std::lround((right - left + 1) * 7.0 / run));
}

// The picture rasterised at 300 dpi on white with a 40-pixel quiet zone, in grey.
QImage scanned(const Picture &p) { return readers::Grey_Page(p.rasterised(300), 40); }

} // namespace

TEST(BarcodeEngine, NewControlRendersCode39WithHeaderAndFooter)
{
    const Barcode_Settings s;  // a new control
    EXPECT_EQ(s.title(), QStringLiteral("Code 39"));
    const Picture p = render(s, s.value());
    ASSERT_FALSE(p.isNull());
    ASSERT_TRUE(p.vector());
    QStringList texts;
    for (const auto &t : drawingOf(p).itemsOf<BarcodeDrawing::Text>()) texts << t.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("HEADER"))) << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("FOOTER"))) << texts.join(u'|').toStdString();
    // 6 mm bars, caption, header and footer lines of 9.72 points with their 1 mm gaps,
    // and 1 mm above and below: 17.0078832 + 3 x (9.72 + 2.8346472) + 2 x 2.8346472.
    EXPECT_NEAR(p.size().height(), 60.3411192, 1e-4);
    EXPECT_EQ(drawingOf(p).size(), p.size());
}

TEST(BarcodeEngine, EveryOfferedTitleDrawsAValidValueAndRefusesOthers)
{
    struct Row {
        const char *title, *valid, *invalid;
    };
    const Row rows[] = {
        {"Code 39", "CODE39", "A#B"},
        {"Extended Code 39", "abc", "Grüße"},
        {"Interleaved 2 of 5", "123456", "12A4"},
        {"UPCA", "03600029145", "0360002914"},
        {"PostNet", "12345", "12A45"},
        {"Modified Plessey", "1234", "12G4"},
        {"Modified Plessey (Hex)", "1A2F", "1G2F"},
        {"Industrial 2 of 5", "1234", "12A4"},
        {"EAN-13", "400638133393", "40063813339"},
        {"Code 128", "Hello", "Grüße"},
        {"Code 128 SET A", "ABC", "Grüße"},
        {"Code 128 SET B", "abc", "Grüße"},
        {"Code 128 SET C", "1234", "12AB"},
        {"Codabar", "A1234B", "A12X4B"},
        {"UPCE", "0425261", "04252"},
        {"EAN-8", "5512345", "551234"},
        {"Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A", "sn-34"},
        {"Planet", "12345", "12A45"},
        {"Japan Post Barcode", "6540123789-A-K-Z", "6540ü"},
        {"QR Code", "VISITOR 0042", nullptr},
        {"PDF417", "VISITOR 0042", nullptr},
        {"DataMatrix", "VISITOR 0042", nullptr},
    };
    ASSERT_EQ(Barcode_Symbology_Titles().size(), qsizetype(std::size(rows)));
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &r = rows[i];
        ASSERT_EQ(Barcode_Symbology_Titles().value(qsizetype(i)), QString::fromUtf8(r.title)) << "row " << i;
        const Barcode_Settings s = titled(QString::fromUtf8(r.title));
        EXPECT_FALSE(render(s, QString::fromUtf8(r.valid)).isNull()) << r.title;
        EXPECT_TRUE(render(s, QString()).isNull()) << r.title;
        EXPECT_TRUE(render(s, QStringLiteral(" \t\n")).isNull()) << r.title;
        if (r.invalid) {
            EXPECT_TRUE(render(s, QString::fromUtf8(r.invalid)).isNull()) << r.title;
        }
    }
    // Two-dimensional values their chosen size cannot hold, and titles of the other mode.
    Barcode_Settings qr = titled(QStringLiteral("QR Code"));
    qr.qr_version_index = 1;
    qr.qr_ec_index = 3;
    EXPECT_TRUE(render(qr, QStringLiteral("THIS TEXT IS LONGER THAN VERSION 1-H")).isNull());
    Barcode_Settings dm = titled(QStringLiteral("DataMatrix"));
    dm.dm_format_index = 1;  // C10X10: 3 data codewords
    EXPECT_TRUE(render(dm, QStringLiteral("ABCDEFG")).isNull());
    EXPECT_TRUE(render(titled(QStringLiteral("PDF417")), QString(6000, u'x')).isNull());
    Barcode_Settings wrongMode = titled(QStringLiteral("QR Code"));
    wrongMode.linear_or_2d = 0;
    EXPECT_TRUE(render(wrongMode, QStringLiteral("0123")).isNull());
    Barcode_Settings unknown;
    unknown.barcode_font_index = 99;
    EXPECT_TRUE(render(unknown, QStringLiteral("0123")).isNull());
}

// The QR version and level come from each control's own settings, not from whatever
// was rendered before.
TEST(BarcodeEngine, QrVersionFollowsItsOwnSettings)
{
    Barcode_Settings v2 = titled(QStringLiteral("QR Code")), v10 = v2;
    v2.qr_version_index = 2;
    v10.qr_version_index = 10;
    v2.qr_size_val = v10.qr_size_val = 228;
    v2.dpi_val_index = v10.dpi_val_index = 1;  // 150 dpi
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(qrModules(symbolOf(render(v2, QStringLiteral("A"))).image()), 25) << round;
        EXPECT_EQ(qrModules(symbolOf(render(v10, QStringLiteral("A"))).image()), 57) << round;
    }
}

// A value needing a larger version is sized before it is framed: header, symbol and
// footer stay inside the picture, the symbol centred.
TEST(BarcodeEngine, GrowingQrStaysInsideItsPicture)
{
    const Barcode_Settings s = titled(QStringLiteral("QR Code"));
    for (const QString &value : {QStringLiteral("1"), QString(300, u'Q')}) {
        const Picture p = render(s, value);
        ASSERT_FALSE(p.isNull());
        const QRectF whole(QPointF(), p.size());
        const auto images = drawingOf(p).itemsOf<BarcodeDrawing::Image>();
        ASSERT_EQ(images.size(), 1u);
        EXPECT_TRUE(whole.contains(images[0].rect)) << value.size();
        EXPECT_NEAR(images[0].rect.center().x(), whole.center().x(), 1e-3) << value.size();
        for (const auto &t : drawingOf(p).itemsOf<BarcodeDrawing::Text>())
            EXPECT_TRUE(whole.contains(t.rect)) << t.text.toStdString() << " " << value.size();
        // Symbol, two 9.72-point lines with their 1 mm gaps, 1 mm above and below.
        EXPECT_NEAR(p.size().height(), images[0].rect.height() + 2 * 9.72 + 4 * 2.8346472, 1e-3);
    }
}

TEST(BarcodeEngine, ResolutionSetsPixelsNotPoints)
{
    Barcode_Settings at300 = titled(QStringLiteral("QR Code")), at600 = at300;
    at300.dpi_val_index = 2;
    at600.dpi_val_index = 3;
    const Picture p300 = render(at300, QStringLiteral("0123")), p600 = render(at600, QStringLiteral("0123"));
    EXPECT_EQ(p300.size(), p600.size());
    EXPECT_EQ(symbolOf(p300).size(), QSizeF(60, 60));
    EXPECT_EQ(symbolOf(p300).image().size(), QSize(250, 250));
    EXPECT_EQ(symbolOf(p600).image().size(), QSize(500, 500));

    struct Row {
        int index;
        const char *custom;
        int dpi;
    };
    const Row rows[] = {{0, "0", 600}, {1, "0", 150}, {4, "0", 1200}, {5, "450", 450},
                        {5, " 72 ", 72}, {5, "1", 1}, {5, "0", 600}, {5, "abc", 600}, {9, "0", 600}};
    for (const Row &r : rows) {
        Barcode_Settings s;
        s.dpi_val_index = r.index;
        s.dpi_custom_val = QString::fromUtf8(r.custom);
        EXPECT_EQ(Barcode_Resolution(s), r.dpi) << r.index << " " << r.custom;
    }
}

TEST(BarcodeEngine, LinearKeepsItsVectorForm)
{
    const Picture p = render(titled(QStringLiteral("Code 128")), QStringLiteral("12345678"));
    ASSERT_TRUE(p.vector());
    EXPECT_TRUE(drawingOf(p).itemsOf<BarcodeDrawing::Image>().empty());
    EXPECT_FALSE(drawingOf(p).itemsOf<BarcodeDrawing::Fill>().empty());
}

// Alignments by list index, and hidden headers and footers: no text, no line, no gap and,
// for the header, no width.
TEST(BarcodeEngine, AlignmentsAndHiddenTexts)
{
    const std::pair<int, Qt::Alignment> alignments[] = {{0, Qt::AlignLeft}, {1, Qt::AlignHCenter}, {2, Qt::AlignRight}};
    for (const auto &[index, alignment] : alignments) {
        Barcode_Settings s;
        s.align_hdr_index = index;
        s.align_ftr_index = 2 - index;
        for (const auto &t : drawingOf(render(s, "0123")).itemsOf<BarcodeDrawing::Text>()) {
            if (t.text == QLatin1String("HEADER")) {
                EXPECT_EQ(t.alignment & Qt::AlignHorizontal_Mask, alignment) << index;
            }
            if (t.text == QLatin1String("FOOTER")) {
                EXPECT_EQ(t.alignment & Qt::AlignHorizontal_Mask, alignments[2 - index].second) << index;
            }
        }
    }
    for (const QString &title : {QStringLiteral("Code 39"), QStringLiteral("QR Code")}) {
        Barcode_Settings shown = titled(title), hidden = shown;
        hidden.show_hide_hdr = hidden.show_hide_ftr = 1;
        hidden.header_val = QString(40, u'H');  // wider than the symbol, but hidden
        const Picture a = render(shown, "0123"), b = render(hidden, "0123");
        QStringList texts;
        for (const auto &t : drawingOf(b).itemsOf<BarcodeDrawing::Text>()) texts << t.text;
        EXPECT_FALSE(texts.contains(QStringLiteral("FOOTER"))) << title.toStdString();
        EXPECT_FALSE(texts.contains(hidden.header_val)) << title.toStdString();
        // Two lines of 9.72 points and their 1 mm gaps fewer; the width of the symbol.
        EXPECT_NEAR(a.size().height() - b.size().height(), 2 * (9.72 + 2.8346472), 1e-3) << title.toStdString();
        EXPECT_NEAR(a.size().width(), b.size().width(), 1e-3) << title.toStdString();
    }
}

TEST(BarcodeEngine, ListsOfTheSettings)
{
    EXPECT_EQ(Barcode_Symbology_Titles().mid(19), QStringList({"QR Code", "PDF417", "DataMatrix"}));
    EXPECT_EQ(QR_Version_Titles().size(), 41);
    EXPECT_EQ(QR_Version_Titles().value(40), QStringLiteral("V40"));
    EXPECT_EQ(DataMatrix_Size_Titles().size(), 31);
    EXPECT_EQ(DataMatrix_Size_Titles().value(1), QStringLiteral("C10X10"));
    EXPECT_EQ(DataMatrix_Size_Titles().value(27), QStringLiteral("C12X26"));
    EXPECT_EQ(Barcode_Resolution_Titles().value(kCustom_Resolution_Index), QStringLiteral("Custom"));
}

// Values read back through the engine by independent readers; a non-ASCII value from a
// series is carried as UTF-8 by the two-dimensional symbologies and refused by a linear one.
TEST(BarcodeEngine, ReadersReadTheEnginesPicturesBack)
{
    const QString umlauts = QStringLiteral("Grüße");
    EXPECT_TRUE(render(titled(QStringLiteral("Code 128")), umlauts).isNull());
    [[maybe_unused]] const QImage code128 = scanned(render(titled(QStringLiteral("Code 128")), "12345678"));
    [[maybe_unused]] const QImage ean13 = scanned(render(titled(QStringLiteral("EAN-13")), "400638133393"));
    [[maybe_unused]] const QImage qr = scanned(render(titled(QStringLiteral("QR Code")), "VISITOR 0042"));
    [[maybe_unused]] const QImage qrUtf8 = scanned(render(titled(QStringLiteral("QR Code")), umlauts));
    [[maybe_unused]] const QImage pdf = scanned(render(titled(QStringLiteral("PDF417")), "VISITOR 0042"));
    [[maybe_unused]] const QImage pdfUtf8 = scanned(render(titled(QStringLiteral("PDF417")), umlauts));
    [[maybe_unused]] const QImage dm = scanned(render(titled(QStringLiteral("DataMatrix")), "VISITOR 0042"));
    [[maybe_unused]] const QImage dmUtf8 = scanned(render(titled(QStringLiteral("DataMatrix")), umlauts));
    int readers = 0;
#ifdef HAVE_ZBAR
    ++readers;
    EXPECT_EQ(readers::Zbar_Read(code128), "12345678");
    EXPECT_EQ(readers::Zbar_Read(ean13), "4006381333931");
    EXPECT_EQ(readers::Zbar_Read(qr), "VISITOR 0042");
    EXPECT_EQ(readers::Zbar_Read(qrUtf8), umlauts.toStdString());
#endif
#ifdef HAVE_ZXING
    ++readers;
    using ZXing::BarcodeFormat;
    EXPECT_EQ(readers::Zxing_Read(code128, BarcodeFormat::Code128), "12345678");
    EXPECT_EQ(readers::Zxing_Read(ean13, BarcodeFormat::EAN13), "4006381333931");
    EXPECT_EQ(readers::Zxing_Read(qr, BarcodeFormat::QRCode), "VISITOR 0042");
    EXPECT_EQ(readers::Zxing_Read(qrUtf8, BarcodeFormat::QRCode), umlauts.toStdString());
    EXPECT_EQ(readers::Zxing_Read(pdf, BarcodeFormat::PDF417), "VISITOR 0042");
    EXPECT_EQ(readers::Zxing_Read(pdfUtf8, BarcodeFormat::PDF417), umlauts.toStdString());
    EXPECT_EQ(readers::Zxing_Read(dm, BarcodeFormat::DataMatrix), "VISITOR 0042");
    EXPECT_EQ(readers::Zxing_Read(dmUtf8, BarcodeFormat::DataMatrix), umlauts.toStdString());
#endif
    if (const std::optional<QByteArray> read = readers::Dmtx_Read(dm)) {
        ++readers;
        EXPECT_EQ(*read, QByteArray("VISITOR 0042"));
    }
    if (!readers) GTEST_SKIP() << "no barcode reader was found";
}

} // namespace engine_test
