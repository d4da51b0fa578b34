// Data Matrix entries, codewords, symbols read back by ZXing-C++ and dmtxread, and
// the pictures.
#include "DataMatrixReaders.h"
#include "DataMatrixSymbol.h"

#include <gtest/gtest.h>

namespace {

using E = DataMatrixEncodation;
using S = DataMatrixSize;

const char *const kSizeEntries[] = {"C10X10",   "C12X12",   "C14X14", "C16X16", "C18X18", "C20X20", "C22X22", "C24X24",
                                    "C26X26",   "C32X32",   "C36X36", "C40X40", "C44X44", "C48X48", "C52X52", "C64X64",
                                    "C72X72",   "C80X80",   "C88X88", "C96X96", "C104X104", "C120X120", "C132X132",
                                    "C144X144", "C8X18",    "C8X32",  "C12X26", "C12X36", "C16X36", "C16X48"};

std::vector<uint8_t> cw(std::initializer_list<int> values) { return std::vector<uint8_t>(values.begin(), values.end()); }

// Both readers read the grid back as the bytes (dmtxread not at 144 x 144, whose block
// interleaving it does not follow).
void expectReadBack(const DataMatrixGrid &grid, const QByteArray &bytes, const std::string &what, bool dmtx = true)
{
    const QImage image = dmtest::scan(grid);
    if (readers::Have_Zxing()) {
        EXPECT_EQ(readers::Zxing_Read_Data_Matrix(image), bytes) << "ZXing " << what;
    }
    if (dmtx && grid.width != 144 && readers::Have_Dmtxread()) {
        const bool eci = std::any_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) >= 0x80; });
        EXPECT_EQ(readers::Dmtx_Read(image), eci ? "\x1A" + bytes : bytes) << "dmtxread " << what;
    }
}

} // namespace

TEST(DataMatrix, EntriesAndShapes)
{
    EXPECT_EQ(DataMatrix_Size_From_Entry("Auto"), S::Auto);
    EXPECT_EQ(DataMatrix_Size_From_Entry("C10"), S::Auto);  // without an "X"
    EXPECT_EQ(DataMatrix_Size_From_Entry("C8X18"), S::C8X18);
    EXPECT_EQ(DataMatrix_Size_From_Entry("C 16X 48"), S::C16X48);
    EXPECT_EQ(DataMatrix_Size_From_Entry("C18X8"), std::nullopt);
    EXPECT_EQ(DataMatrix_Size_From_Entry("C9X9"), std::nullopt);
    const std::pair<const char *, E> encodations[] = {{"Auto", E::Auto}, {"Ascii", E::Ascii}, {"C40", E::C40},
                                                      {"Text", E::Text}, {"Base256", E::Base256}, {"ascii", E::Auto}};
    for (const auto &[entry, encodation] : encodations) EXPECT_EQ(DataMatrix_Encodation_From_Entry(entry), encodation) << entry;

    // The list order is the enum order; each size's codewords fill its data regions.
    for (int i = 0; i < int(std::size(kSizeEntries)); ++i) {
        const S size = S(i + 1);
        EXPECT_EQ(DataMatrix_Size_From_Entry(kSizeEntries[i]), size) << kSizeEntries[i];
        EXPECT_EQ(DataMatrix_Size_Entry(size), kSizeEntries[i]);
        const DataMatrixShape &s = DataMatrix_Shape(size);
        const int regions = (s.rows / (s.regionRows + 2)) * (s.columns / (s.regionColumns + 2));
        EXPECT_EQ(s.dataCodewords + s.checkCodewords, regions * s.regionRows * s.regionColumns / 8) << kSizeEntries[i];
        EXPECT_EQ(s.checkCodewords % s.blocks, 0) << kSizeEntries[i];
    }
    EXPECT_EQ(DataMatrix_Size_Entry(S::Auto), "Auto");
}

TEST(DataMatrix, Codewords)
{
    struct Row {
        const char *value;
        S size;
        E encodation;
        S made;
        std::vector<uint8_t> data;
    } rows[] = {
        {"123456", S::C10X10, E::Ascii, S::C10X10, cw({142, 164, 186})},  // digit pairs
        {"0123", S::Auto, E::Auto, S::C10X10, cw({131, 153, 129})},       // the first pad is 129
        {"A", S::C10X10, E::Ascii, S::C10X10, cw({66, 129, 70})},         // later pads are randomised
        {"AIM", S::C12X12, E::C40, S::C12X12, cw({230, 91, 11, 254, 129})},
        {"ABCD", S::Auto, E::C40, S::C12X12, cw({230, 89, 233, 254, 69})},    // "D" after the unlatch
        {"hello", S::Auto, E::Text, S::C12X12, cw({239, 134, 42, 160, 161})}, // Shift 1 pad, no unlatch
        {"HELLO", S::Auto, E::Base256, S::C14X14, cw({231, 49, 9, 156, 56, 206, 103, 129})},
        {"\xc3\xa9", S::Auto, E::Ascii, S::C14X14, cw({241, 27, 235, 68, 235, 42, 129, 56})},  // ECI 26, Upper Shift
        {"HELLO", S::C8X18, E::Ascii, S::C8X18, cw({73, 70, 77, 77, 80})},
        {"HELLO", S::Auto, E::Auto, S::C12X12, cw({73, 70, 77, 77, 80})},
        {"AB", S::C10X10, E::C40, S::C10X10, cw({230, 89, 217})},               // Shift 1 pad
        {"aaaaaa", S::Auto, E::Auto, S::C12X12, cw({239, 89, 191, 89, 191})},   // Text, one codeword short of ASCII
        {"aaaaaaaaa1", S::C16X16, E::Auto, S::C16X16, cw({239, 89, 191, 89, 191, 89, 191, 254, 50, 129, 251, 147})},
        {"12\xe2\x82\xac", S::Auto, E::Auto, S::C14X14, cw({241, 27, 142, 231, 239, 100, 154, 89})},  // Base256 after a pair
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &r = rows[i];
        const auto made = DataMatrix_Codewords(r.value, r.size, r.encodation);
        ASSERT_TRUE(made) << "row " << i;
        EXPECT_EQ(made->size, r.made) << "row " << i;
        EXPECT_EQ(made->data, r.data) << "row " << i;
    }
    // 251 bytes above 127: one Base256 run with a two-codeword length (250, 1) is one
    // codeword shorter than a short run and two bytes in ASCII.
    const QByteArray long256 = "\xe2\x82\xac" + QByteArray("\xc3\xa9").repeated(124);
    const auto run = DataMatrix_Codewords(long256, S::Auto, E::Auto);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->size, S::C64X64);
    EXPECT_EQ(std::vector<uint8_t>(run->data.begin(), run->data.begin() + 5), cw({241, 27, 231, 81, 237}));
    EXPECT_EQ(run->data[256], 129);  // the first pad after 2 + 3 + 251 codewords
    expectReadBack(DataMatrix_Place(DataMatrix_Shape(S::C64X64), run->symbol), long256, "long Base256 run");

    // The check codewords of "123456" in 10 x 10, and its modules from the top row down.
    EXPECT_EQ(DataMatrix_Codewords("123456", S::C10X10, E::Ascii)->symbol, cw({142, 164, 186, 114, 25, 5, 88, 102}));
    const auto grid = Encode_DataMatrix("123456", S::C10X10, E::Ascii);
    ASSERT_TRUE(grid);
    QStringList modules;
    for (int row = grid->height - 1; row >= 0; --row) {
        modules << QString();
        for (int x = 0; x < grid->width; ++x) modules.back() += grid->dark(x, row) ? '#' : '.';
    }
    EXPECT_EQ(modules, QStringList({"#.#.#.#.#.", "##..#.##.#", "##.....#..", "##...###.#", "##....#...",
                                    "#.....####", "###.##....", "####.##..#", "#..###.#..", "##########"}));
}

// Runs of bytes above 127 at the longest short Base256 run (249 bytes, one length
// codeword): where ASCII and a short run cost as much as one long run, the value
// starts in ASCII (Upper Shift) and the run comes after. Of short runs that cost the
// same, the one that starts first is taken.
TEST(DataMatrix, Base256RunsAtTheLongestShortRun)
{
    const QByteArray e = "\xc3\xa9";
    struct Row {
        QByteArray value;
        size_t length;               // the Auto codewords before the pads
        std::vector<uint8_t> start;  // the first codewords
    } rows[] = {
        {"\xe2\x82\xac" + e.repeated(123), 253, cw({241, 27, 231, 80, 206, 4, 196})},  // 249 bytes: one short run
        {e.repeated(125), 255, cw({241, 27, 235, 68, 231, 123, 193})},                 // 250: 1 in ASCII, 249 run
        {"A" + e.repeated(125), 256, cw({241, 27, 66, 235, 68, 231, 17, 86})},
        {"12" + e.repeated(125) + "34", 257, cw({241, 27, 142, 235, 68, 231, 17, 86})},
        {e.repeated(3), 10, cw({241, 27, 231, 93, 175, 43, 219, 86})},
        {"hjc\xc3\xa9\xc2\xa0", 11, cw({241, 27, 231, 94, 84, 236, 123, 112, 236, 154, 14})},  // not "hjc" in ASCII
        {"\t940\xe2\x82\xac", 10, cw({241, 27, 10, 224, 231, 134, 72, 143, 197, 132})},       // "0" in the run
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &r = rows[i];
        const std::vector<DataMatrixData> ways = DataMatrix_Encodations(r.value, E::Auto, true);
        ASSERT_FALSE(ways.empty()) << "row " << i;
        EXPECT_EQ(ways.front().codewords.size(), r.length) << "row " << i;
        EXPECT_EQ(std::vector<uint8_t>(ways.front().codewords.begin(), ways.front().codewords.begin() + r.start.size()), r.start)
            << "row " << i;
        const auto grid = Encode_DataMatrix(r.value, S::Auto, E::Auto);
        ASSERT_TRUE(grid) << "row " << i;
        expectReadBack(*grid, r.value, "row " + std::to_string(i));
    }
}

TEST(DataMatrix, LongestValuesAndRefusals)
{
    const QByteArray digits(3116, '7');
    const auto full = Encode_DataMatrix(digits, S::Auto, E::Auto);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->width, 144);
    expectReadBack(*full, digits, "3,116 digits");

    struct Row {
        QByteArray value;
        S size;
        E encodation;
        const char *failure;
    } rows[] = {
        {QByteArray(3117, '7'), S::Auto, E::Auto, "the value needs more than 1558 codewords, the largest size holds 1558 with 620 codewords of ecc"},
        {QByteArray(3117, '7'), S::C10X10, E::Auto, "the value needs more than 1558 codewords, the size holds 3 with 5 codewords of ecc"},
        {QByteArray(3115, '7') + "A", S::C144X144, E::Ascii, "the value needs 1559 codewords, the size holds 1558 with 620 codewords of ecc"},
        {"", S::Auto, E::Auto, "empty value"},
        {"\xff", S::Auto, E::Auto, "the value is not UTF-8"},
        {"a\xc3", S::Auto, E::Base256, "the value is not UTF-8"},
        {"\xed\xa0\x80", S::Auto, E::Auto, "the value is not UTF-8"},  // a surrogate
        {"\xc0\x80", S::Auto, E::Auto, "the value is not UTF-8"},      // overlong
        {"\xe0\x9f\xbf", S::Auto, E::Auto, "the value is not UTF-8"},  // overlong
        {"\xf4\x90\x80\x80", S::Auto, E::Auto, "the value is not UTF-8"},  // above U+10FFFF
        {"hello", S::C10X10, E::Auto, "the value needs 5 codewords, the size holds 3 with 5 codewords of ecc"},
        {QByteArray(1556, 'x'), S::Auto, E::Base256, "the value needs 1559 codewords, the largest size holds 1558 with 620 codewords of ecc"},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        QString failure;
        EXPECT_FALSE(Encode_DataMatrix(rows[i].value, rows[i].size, rows[i].encodation, &failure)) << "row " << i;
        EXPECT_EQ(failure, rows[i].failure) << "row " << i;
    }
    // The longest Base256 run: 1,555 bytes behind the latch and two length codewords.
    const auto bytes = Encode_DataMatrix(QByteArray(1555, 'x'), S::Auto, E::Base256);
    ASSERT_TRUE(bytes);
    expectReadBack(*bytes, QByteArray(1555, 'x'), "1,555 bytes in Base256");
    EXPECT_FALSE(Encode_DataMatrix(QString(), "Auto", "Auto"));
    EXPECT_FALSE(Encode_DataMatrix("AB", "C9X9", "Auto"));
}

TEST(DataMatrix, EverySizeFilledWithDigitsReadsBack)
{
    for (int i = 1; i <= kDataMatrixSizes; ++i) {
        const S size = S(i);
        const QByteArray digits = QByteArray("31415926535897932384626433832795028841971")
                                      .repeated(80)
                                      .left(2 * DataMatrix_Shape(size).dataCodewords);
        const auto grid = Encode_DataMatrix(digits, size, E::Auto);
        ASSERT_TRUE(grid) << kSizeEntries[i - 1];
        EXPECT_FALSE(DataMatrix_Codewords(digits + "1", size, E::Auto)) << kSizeEntries[i - 1];
        EXPECT_EQ(grid->width, DataMatrix_Shape(size).columns);
        EXPECT_EQ(grid->height, DataMatrix_Shape(size).rows);
        expectReadBack(*grid, digits, kSizeEntries[i - 1]);
    }
}

TEST(DataMatrix, EveryEncodationReadsBackEveryKindOfCharacter)
{
    const QByteArray values[] = {
        "VISITOR PASS",
        "visitor pass",
        "0123456789012",
        "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",
        " a  b ",
        QByteArray("\x00\x01\t\n\r\x1b\x1f\x7f", 8),
        "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac 5 \xf0\x9f\x98\x80",
        "ABCD",
        "AB",
        "A",
        "ab!",
        "Gate 7b: Zo\xc3\xab O'Neil, badge #00412 (VIP)\n",
    };
    for (const E encodation : {E::Auto, E::Ascii, E::C40, E::Text, E::Base256}) {
        for (size_t i = 0; i < std::size(values); ++i) {
            const std::string what = "encodation " + std::to_string(int(encodation)) + " value " + std::to_string(i);
            const auto grid = Encode_DataMatrix(values[i], S::Auto, encodation);
            ASSERT_TRUE(grid) << what;
            expectReadBack(*grid, values[i], what);
        }
    }
}

TEST(DataMatrix, AutoIsNeverLongerThanOneEncodation)
{
    const QByteArray values[] = {"VISITOR PASS 0042", "visitor pass", "0123456789012", "ABC123abc456DEF",
                                 "Gr\xc3\xbc\xc3\x9f" "e", "\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", "a", "AAAAAAAAAAAAAAAAAAAAAAAA"};
    const auto shortest = [](const QByteArray &v, E e) {
        size_t n = SIZE_MAX;
        for (const DataMatrixData &way : DataMatrix_Encodations(v, e, false)) n = std::min(n, way.codewords.size());
        return n;
    };
    for (const QByteArray &v : values) {
        const size_t automatic = shortest(v, E::Auto);
        for (const E e : {E::Ascii, E::C40, E::Text, E::Base256}) EXPECT_LE(automatic, shortest(v, e)) << v.constData();
    }
    // Upper case runs go to C40, lower case to Text, digits stay in ASCII pairs.
    EXPECT_EQ(DataMatrix_Codewords("AAAAAAAAAAAA", S::Auto, E::Auto)->data.front(), 230);
    EXPECT_EQ(DataMatrix_Codewords("aaaaaaaaaaaa", S::Auto, E::Auto)->data.front(), 239);
    EXPECT_EQ(DataMatrix_Codewords("000000000000", S::Auto, E::Auto)->data.front(), 130);
}

TEST(DataMatrix, NonAsciiTextReadsBack)
{
    const struct {
        const char *value;
        E encodation;
    } rows[] = {{"Gr\xc3\xbc\xc3\x9f" "e", E::Auto}, {"HELLO", E::Base256}, {"Gr\xc3\xbc\xc3\x9f" "e", E::Base256},
                {"12\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", E::Auto},  // a Base256 run after digits
                {"\xe0\xa4\x85 \xef\xbf\xbd \xf4\x8f\xbf\xbf", E::Auto}};           // U+0905, U+FFFD, U+10FFFF
    for (const auto &r : rows) {
        const auto grid = Encode_DataMatrix(QString::fromUtf8(r.value), "Auto", r.encodation == E::Auto ? "Auto" : "Base256");
        ASSERT_TRUE(grid) << r.value;
        expectReadBack(*grid, r.value, r.value);
    }
    QByteArray e40;
    for (int i = 0; i < 40; ++i) e40 += "\xc3\xa9";
    for (const E e : {E::Auto, E::Ascii, E::C40, E::Text, E::Base256}) {
        const auto grid = Encode_DataMatrix(e40, S::Auto, e);
        ASSERT_TRUE(grid) << int(e);
        expectReadBack(*grid, e40, "e x 40");
    }
}

TEST(DataMatrix, EverySingleByte)
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray value(1, char(b));
        const auto grid = Encode_DataMatrix(value, S::Auto, E::Auto);
        EXPECT_EQ(bool(grid), b < 128) << b;
        if (grid && readers::Have_Zxing()) {
            EXPECT_EQ(readers::Zxing_Read_Data_Matrix(dmtest::scan(*grid)), value) << b;
        }
    }
}

TEST(DataMatrix, PictureKeepsModulesSquare)
{
    const auto square = Encode_DataMatrix("0123", "Auto", "Auto");
    ASSERT_TRUE(square);
    const Picture p = Render_DataMatrix(*square, 2, 72);
    EXPECT_EQ(p.size(), QSizeF(20, 20));
    ASSERT_EQ(p.image().size(), QSize(20, 20));
    EXPECT_EQ(Render_DataMatrix(*square, 2, 600).image().size(), QSize(167, 167));
    // 12 units of 20 / 12 points: the symbol from 1.67 to 18.33 points, pixels 2 to 17
    // at 72 dpi, 14 to 152 of 167 at 600 dpi (edges at 13.9 + 0.17 and 152.9).
    const QImage fine = Render_DataMatrix(*square, 2, 600).image();
    for (const auto &[x, alpha] : {std::pair{1, 0}, {2, 255}, {17, 255}, {18, 0}}) {
        EXPECT_EQ(qAlpha(p.image().pixel(x, 10)), alpha) << x;
        EXPECT_EQ(qAlpha(p.image().pixel(10, x)), alpha) << x;
    }
    for (const auto &[x, alpha] : {std::pair{13, 0}, {14, 255}, {152, 255}, {153, 0}}) {
        EXPECT_EQ(qAlpha(fine.pixel(x, 80)), alpha) << x;
        EXPECT_EQ(qAlpha(fine.pixel(80, x)), alpha) << x;
    }

    // 18 x 8 modules at 12 points: 216 x 96 points, 20 x 10 units of 9.6 points centred.
    const auto wide = Encode_DataMatrix("AB", "C8X18", "Auto");
    ASSERT_TRUE(wide);
    const QImage image = Render_DataMatrix(*wide, 12, 72).image();
    ASSERT_EQ(image.size(), QSize(216, 96));
    EXPECT_EQ(qAlpha(image.pixel(5, 48)), 0);   // outside the border
    EXPECT_EQ(qAlpha(image.pixel(20, 48)), 0);  // in the one-module border
    // The bottom-left module is dark (the L-shaped finder), row 0 at the bottom.
    EXPECT_EQ(image.pixel(int(12 + 9.6 + 4), int(96 - 9.6 - 4)), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(int(12 + 9.6 + 4), int(9.6 + 4)), qRgb(0, 0, 0));  // top-left: finder column
    // Module edges on whole pixels: the symbol spans pixels 22 to 194 (12 + 9.6 = 21.6
    // rounds to 22, 21.6 + 18 x 9.6 = 194.4 to 194).
    EXPECT_EQ(qAlpha(image.pixel(21, 48)), 0);
    EXPECT_EQ(qAlpha(image.pixel(22, 48)), 255);
    EXPECT_EQ(qAlpha(image.pixel(193, 48)), 255);
    EXPECT_EQ(qAlpha(image.pixel(194, 48)), 0);
}

TEST(DataMatrix, NoTransparentSeamInsideASymbol)
{
    const auto grid = Encode_DataMatrix("Visitor 0042 gate B", "C16X36", "Auto");
    ASSERT_TRUE(grid);
    for (const double dpi : {203.0, 300.0, 600.0, 72.0, 96.0}) {
        for (const double module : {1.0, 1.5, 2.0, 3.0}) {
            const QImage image = Render_DataMatrix(*grid, module, dpi).image();
            // The opaque box: every row and column between its first and last opaque pixel
            // is opaque across the whole box.
            int left = image.width(), right = -1, top = image.height(), bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y))) {
                        left = std::min(left, x), right = std::max(right, x);
                        top = std::min(top, y), bottom = std::max(bottom, y);
                    }
            ASSERT_GE(right, left) << dpi << " " << module;
            int seams = 0;
            for (int y = top; y <= bottom; ++y)
                for (int x = left; x <= right; ++x) seams += qAlpha(image.pixel(x, y)) != 255;
            EXPECT_EQ(seams, 0) << dpi << " dpi, module " << module;
        }
    }
}

TEST(DataMatrix, RectanglesAt203DpiReadBack)
{
    for (const char *size : {"C12X36", "C16X36", "C8X18", "C16X48"}) {
        const auto grid = Encode_DataMatrix("7-0042", size, "Auto");
        ASSERT_TRUE(grid) << size;
        for (const double module : {1.0, 2.0}) {  // 2.7 and 5.3 pixels a module
            const QImage image = readers::Grey_Page(Render_DataMatrix(*grid, module, 203).image(), 12);
            if (readers::Have_Zxing()) {
                EXPECT_EQ(readers::Zxing_Read_Data_Matrix(image), "7-0042") << size << " " << module;
            }
            if (module == 2 && readers::Have_Dmtxread()) {
                EXPECT_EQ(readers::Dmtx_Read(image), "7-0042") << size << " " << module;
            }
        }
    }
}

TEST(DataMatrix, NoPictureForUnusableSizes)
{
    const auto grid = Encode_DataMatrix("0123", "Auto", "Auto");
    ASSERT_TRUE(grid);
    const double bad[][2] = {{0, 600},  {-1, 600},  {NAN, 600},      {INFINITY, 600}, {2, 0},
                             {2, -300}, {2, NAN},   {2, INFINITY},   {1e6, 600},      {2, 1e9},
                             {2, 36004}};  // 10,002 pixels square: just over 100 megapixels
    for (const auto &b : bad) EXPECT_TRUE(Render_DataMatrix(*grid, b[0], b[1]).isNull()) << b[0] << " " << b[1];
    EXPECT_FALSE(Render_DataMatrix(*grid, 100, 600).isNull());  // 8,334 pixels square: 69 megapixels
    EXPECT_TRUE(Render_DataMatrix(DataMatrixGrid{}, 2, 600).isNull());
    EXPECT_TRUE(Render_DataMatrix(DataMatrixGrid{10, 10, {}}, 2, 600).isNull());
}

TEST(DataMatrix, FailureDiagnosticsInTheLog)
{
    static QStringList lines;
    lines.clear();
    const QtMessageHandler old =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &m) { lines << m; });
    EXPECT_FALSE(Encode_DataMatrix("hello", "C10X10", "Auto"));
    EXPECT_FALSE(Encode_DataMatrix("AB", "C9X11", "Ascii"));
    EXPECT_TRUE(Encode_DataMatrix("AB", "C10X10", "Ascii"));
    EXPECT_FALSE(Encode_DataMatrix("", "Auto", "Text"));
    const QString digits(3117, QLatin1Char('7'));  // one past the largest symbol's digit pairs
    EXPECT_FALSE(Encode_DataMatrix(digits, "Auto", "Auto"));
    qInstallMessageHandler(old);
    EXPECT_EQ(lines, QStringList({"No barcode produced\nSize    : 10x10\nEncoded : the value needs 5 codewords, the size holds 3 "
                                  "with 5 codewords of ecc\nBarcode : hello\nEncoding: Auto",
                                  "No barcode produced\nSize    : 11x9\nEncoded : no symbol of that size\nBarcode : "
                                  "AB\nEncoding: Ascii",
                                  // Auto: the largest size tried, and no size line when none was.
                                  "No barcode produced\nEncoded : empty value\nBarcode : \nEncoding: Text",
                                  "No barcode produced\nSize    : 144x144\nEncoded : the value needs more than 1558 "
                                  "codewords, the largest size holds 1558 with 620 codewords of ecc\nBarcode : " +
                                      digits + "\nEncoding: Auto"}));
}

// With as many codewords of each block spoilt as its check codewords can correct, both
// readers still read the value: the placement itself spoils no codeword. The first and
// then the last codewords of each block are spoilt, so every codeword is checked once.
TEST(DataMatrix, PlacementSpoilsNoCodeword)
{
    for (int i = 1; i <= kDataMatrixSizes; ++i) {
        const DataMatrixShape &shape = DataMatrix_Shape(S(i));
        const int total = shape.dataCodewords + shape.checkCodewords, spoilt = shape.checkCodewords / shape.blocks / 2;
        for (const char *value : {"Gate 7 0042", "zz", "Gate 7, visitor 0042"})
        for (const bool first : {true, false}) {
            const auto made = DataMatrix_Codewords(value, S(i), E::Ascii);
            if (!made) continue;  // too small
            std::vector<uint8_t> symbol = made->symbol;
            for (int b = 0; b < shape.blocks; ++b) {
                std::vector<int> places;
                for (int k = b; k < total; k += shape.blocks) places.push_back(k);
                for (int n = 0; n < spoilt; ++n) symbol[size_t(places[size_t(first ? n : int(places.size()) - 1 - n)])] ^= 0x5A;
            }
            expectReadBack(DataMatrix_Place(shape, symbol), value,
                           kSizeEntries[i - 1] + std::string(first ? " first " : " last ") + value);
        }
    }
}

// Where the codewords leave the lower right 2 x 2 modules of the mapping free, they
// hold a checkerboard, dark at its lower right.
TEST(DataMatrix, FreeCornerIsACheckerboard)
{
    for (int i = 1; i <= kDataMatrixSizes; ++i) {
        const DataMatrixShape &s = DataMatrix_Shape(S(i));
        const int across = s.columns / (s.regionColumns + 2), down = s.rows / (s.regionRows + 2);
        if (across * s.regionColumns * down * s.regionRows % 8 == 0) continue;
        for (const char *value : {"1", "HELLO"}) {
            const auto grid = Encode_DataMatrix(value, S(i), E::Ascii);
            ASSERT_TRUE(grid);
            const int x = s.columns - 2;  // the mapping's last column; row 1 is its last row
            EXPECT_TRUE(grid->dark(x, 1) && grid->dark(x - 1, 2)) << kSizeEntries[i - 1];
            EXPECT_FALSE(grid->dark(x - 1, 1) || grid->dark(x, 2)) << kSizeEntries[i - 1];
        }
    }
}
