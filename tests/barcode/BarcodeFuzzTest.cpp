// Seeded random and hostile values through every linear title, QR Code at each level and
// PDF417, with hostile sizes and resolutions: no crash, no hang (a watchdog per value),
// no symbol for a value the rules refuse, and every QR and PDF417 symbol made reads back
// equal in ZXing-C++.
#include "BarcodeFactory.h"
#include "BarcodeImages.h"
#include "BarcodeReaders.h"
#include "BarcodeRenderer.h"
#include "Fuzz.h"
#include "Pdf417Encoder.h"
#include "QrEncoder.h"

#include <gtest/gtest.h>
#include <limits>

namespace barcode_fuzz_test {

namespace {

const int kRounds = fuzz::rounds(150);

QString allBytes()
{
    QString s;
    for (int c = 0; c < 256; ++c) s += QChar(char16_t(c));
    return s;
}

// Hostile values: empty, blank, NUL, every byte, invalid UTF-8, very long runs.
QList<QByteArray> seeds()
{
    return {
        "", " ", QByteArray(1, '\0'), "\xff\xfe", "\xc3\x28", "\xe2\x82", "\xed\xa0\x80", "A4252614", "042526A4",
        "1234567890123456789A", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:", "HELLO WORLD", "Gr\xc3\xbc\xc3\x9f" "e",
        allBytes().toUtf8(), QByteArray(7000, 'z'), QByteArray(1110, '\x01'), QByteArray(3000, '7'),
        QByteArray("A1B2").repeated(500),
    };
}

// Linear titles that take digits only.
bool digitsOnly(const QString &title)
{
    return title.contains(QLatin1String("2 of 5")) || title == QLatin1String("PostNet") ||
           title == QLatin1String("Planet") || title.startsWith(QLatin1String("EAN")) ||
           title.startsWith(QLatin1String("UPC")) || title == QLatin1String("Code 128 SET C");
}

// Validity that the symbologies' rules give without encoding: an empty value, a character
// beyond ASCII, or a non-digit where only digits go makes no symbol.
bool plainlyInvalid(const QString &title, const QString &value)
{
    if (value.isEmpty()) return true;
    for (QChar c : value) {
        if (c.unicode() > 127) return true;
        if (digitsOnly(title) && !(c >= u'0' && c <= u'9')) return true;
    }
    return false;
}

// Every font has a cap height of 7.2 points; a text is 5 points a character wide.
struct FixedMeasure : FontMeasure {
    double capHeight(const QFont &) const override { return 7.2; }
    QSizeF textSize(const QString &text, const QFont &) const override { return {5.0 * text.size(), 12}; }
    TextInk textInk(const QString &, const QFont &) const override { return {2.5, 9.7}; }
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
const double kSizes[] = {72, 1, 0, -5, kNaN, kInf, -kInf, 1e9, 1e-300, 20000};
const double kResolutions[] = {203, 600, 0, -1, kNaN, kInf, 1e7, 1e-9};
const int kQrSizes[] = {72, 1, 0, -5, std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 1000000000, 20000};

void linear(const QString &value, fuzz::Mutator &m, const FontMeasure &measure,
            const QStringList &titles = Linear_Barcode_Titles())
{
    for (const QString &title : titles) {
        auto b = Make_Linear_Barcode(title, value, m.below(2) == 0);
        ASSERT_TRUE(b);
        if (plainlyInvalid(title, value)) {
            EXPECT_FALSE(b->isContentValid()) << title.toStdString() << " " << value.left(40).toStdString();
        }
        b->setBarWidth(float(m.below(4) == 0 ? kSizes[m.below(std::size(kSizes))] : 1.44));
        b->setCaptionFontSize(10, measure);
        b->setHeaderFontSize(10, measure);
        b->setFooterFontSize(10, measure);
        b->setHeight(float(m.below(4) == 0 ? kSizes[m.below(std::size(kSizes))] : 40));
        const Picture picture = imageFromBarcode(*b, measure);
        if (!b->isContentValid()) {
            EXPECT_TRUE(picture.isNull()) << title.toStdString() << " " << value.left(40).toStdString();
        }
        (void)Draw_Linear_Barcode(*b, measure);  // the layout of any model, valid or not
    }
}

void twoDimensional(const QString &value, fuzz::Mutator &m)
{
    const std::string utf8 = value.toUtf8().toStdString();
    for (const QR_Level level : {QR_Level::L, QR_Level::M, QR_Level::Q, QR_Level::H}) {
        const std::optional<QrGrid> grid = Encode_QR_Text(value, level, m.below(3) == 0 ? m.below(42) : 0);
        if (value.isEmpty()) {
            EXPECT_FALSE(grid);
        }
        if (!grid) continue;
        const int n = grid->dimension();
        const QImage page = readers::Module_Page(n, n, 3, 4, [&](int x, int y) { return grid->valueAt(x, y) != 0; });
        EXPECT_TRUE(readers::Zxing_Read(page, ZXing::BarcodeFormat::QRCode) == utf8)
            << "QR level " << int(level) << " " << value.left(40).toStdString();
        (void)Render_QR(*grid, kQrSizes[m.below(std::size(kQrSizes))], kResolutions[m.below(std::size(kResolutions))]);
    }
    const Pdf417Symbol symbol = Encode_PDF417(value.toUtf8(), PDF417_Level_From_Index(m.below(9)), 1.0);
    if (value.isEmpty()) {
        EXPECT_NE(symbol.error, 0);
    }
    if (symbol.error == 0) {
        const QImage page = readers::Module_Page(symbol.bitColumns, symbol.rows * 3, 2, 4,
                                                 [&](int x, int y) { return symbol.modules[size_t(y / 3)][size_t(x)] != 0; });
        EXPECT_TRUE(readers::Zxing_Read(page, ZXing::BarcodeFormat::PDF417) == utf8)
            << "PDF417 " << value.left(40).toStdString();
    } else {
        EXPECT_TRUE(symbol.modules.empty());
    }
    const QSizeF box(kSizes[m.below(std::size(kSizes))], kSizes[m.below(std::size(kSizes))]);
    (void)PDF417_Picture(value, Pdf417_Level::Auto, box, kResolutions[m.below(std::size(kResolutions))]);
}

} // namespace

#ifdef HAVE_ZXING
TEST(BarcodeFuzz, HostileAndRandomValues)
{
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(30));
    fuzz::Mutator m(20261207);
    const QtFontMeasure measure;
    const QList<QByteArray> pool = seeds();
    QList<QByteArray> inputs = pool;
    for (int round = 0; round < kRounds; ++round) {
        QByteArray b = m.mutate(pool[m.below(pool.size())], pool[m.below(pool.size())]);
        inputs << b.left(1 + m.below(400));
    }
    for (const QByteArray &input : inputs) {
        // The bytes as typed (invalid UTF-8 becomes replacement characters) and as Latin-1.
        for (const QString &value : {QString::fromUtf8(input), QString::fromLatin1(input)}) {
            watchdog.next(input.left(60).toHex().toStdString());
            linear(value, m, measure);
            if (value.size() <= 3000) twoDimensional(value, m);
        }
    }
    // Values of 100,000 characters, whose bars a drawing quadratic in the length would not
    // finish within the watchdog's time (texts measured by a fixed rule).
    const FixedMeasure fixed;
    const QStringList postal = {"PostNet", "Planet", "Royal Mail Barcode (RM4SCC / CBC)", "Japan Post Barcode",
                                "Code 128"};
    for (const QByteArray &input : {QByteArray("SN34RD1A").repeated(12500), QByteArray(100000, '7')}) {
        watchdog.next(input.left(16).toStdString() + " x" + std::to_string(input.size()));
        linear(QString::fromLatin1(input), m, fixed, postal);
    }
}
#endif

} // namespace barcode_fuzz_test
