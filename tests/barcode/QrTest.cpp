// QR Code tables, capacities, the picture, and symbols read back by independent readers.
#include "QrEncoder.h"

#include "BarcodeReaders.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The grid at 3 pixels a module with a light quiet zone of 4 modules, grey levels.
[[maybe_unused]] QImage scan(const QrGrid &grid)
{
    const int n = grid.dimension();
    return readers::Module_Page(n, n, 3, 4, [&grid](int x, int y) { return grid.valueAt(x, y) != 0; });
}

[[maybe_unused]] std::string zbarRead(const QrGrid &grid)
{
#ifdef HAVE_ZBAR
    return readers::Zbar_Read(scan(grid), zbar::ZBAR_QRCODE);
#else
    return "(no reader)";
#endif
}

[[maybe_unused]] std::string zxingRead(const QrGrid &grid)
{
#ifdef HAVE_ZXING
    return readers::Zxing_Read(scan(grid), ZXing::BarcodeFormat::QRCode);
#else
    return "(no reader)";
#endif
}

void expectReadBack(const QByteArray &bytes, const std::optional<QrGrid> &grid, const std::string &what)
{
    ASSERT_TRUE(grid) << what;
#if defined(HAVE_ZBAR)
    EXPECT_TRUE(zbarRead(*grid) == bytes.toStdString()) << "zbar " << what;
#endif
#if defined(HAVE_ZXING)
    EXPECT_TRUE(zxingRead(*grid) == bytes.toStdString()) << "ZXing " << what;
#endif
}

} // namespace

TEST(QrTables, EveryRowIsConsistent)
{
    for (int v = 1; v <= 40; ++v) {
        // Data modules: the symbol less finders, timing, alignment, format and version areas.
        int modules = (16 * v + 128) * v + 64;
        if (v >= 2) modules -= (25 * (v / 7 + 2) - 10) * (v / 7 + 2) - 55;
        if (v >= 7) modules -= 36;
        for (int level = 0; level < 4; ++level) {
            const QrVersionRow &r = QR_Version_Row(v, QR_Level(level));
            EXPECT_EQ(r.group1Blocks * (r.group1Data + r.ecPerBlock) + r.group2Blocks * (r.group2Data + r.ecPerBlock),
                      r.totalCodewords) << v << level;
            EXPECT_EQ(r.totalCodewords, modules / 8) << v;
            EXPECT_TRUE(r.group2Blocks == 0 || r.group2Data == r.group1Data + 1) << v << level;
        }
        const std::vector<int> centres = QR_Alignment_Centres(v);
        EXPECT_EQ(centres.size(), v == 1 ? 0u : size_t(v / 7 + 2)) << v;
        if (v > 1) {
            EXPECT_TRUE(centres.front() == 6 && centres.back() == 4 * v + 10) << v;
        }
    }
    const int data[2][4] = {{19, 16, 13, 9}, {2956, 2334, 1666, 1276}};
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(QR_Version_Row(1, QR_Level(level)).dataCodewords(), data[0][level]);
        EXPECT_EQ(QR_Version_Row(40, QR_Level(level)).dataCodewords(), data[1][level]);
    }
}

TEST(QrEncoder, BitLengthsAndCapacities)
{
    EXPECT_EQ(QR_Bit_Length("01234567", 1), 41);
    EXPECT_EQ(QR_Bit_Length("HELLO WORLD", 1), 74);
    EXPECT_EQ(QR_Bit_Length("hello", 1), 52);
    // The count's width steps up at versions 10 and 27.
    const struct {
        const char *text;
        int bits[4];  // at versions 9, 10, 26, 27
    } counts[] = {{"01234567", {41, 43, 43, 45}}, {"HELLO WORLD", {74, 76, 76, 78}}, {"hello", {52, 60, 60, 60}}};
    const int versions[4] = {9, 10, 26, 27};
    for (const auto &c : counts)
        for (int i = 0; i < 4; ++i) EXPECT_EQ(QR_Bit_Length(c.text, versions[i]), c.bits[i]) << c.text << i;
    EXPECT_EQ(QR_Bit_Length("", 1), std::nullopt);

    // Mixed texts are cut into runs of one mode and neighbours merged where shorter.
    const struct {
        const char *text;
        int version, bits;
    } mixed[] = {
        {"ABC123456789", 1, 74},            // alphanumeric 30 + numeric 44 (79 as one run)
        {"ABC123456789", 10, 78},           // longer count indicators: 32 + 46
        {"a1234567890123456789b", 1, 118},  // 8-bit 20 + numeric 78 + 8-bit 20 (180 as bytes)
        {"1A", 1, 24},                      // one alphanumeric run (37 as two runs, 28 as bytes)
        {"123456Aabc", 1, 78},              // numeric 34 + 8-bit "Aabc" 44 (88 with "123456A" alphanumeric)
        {"A1B", 1, 30},                     // numeric between letters joins them: one alphanumeric run
        {"a1A", 1, 36},                     // "1A" alphanumeric, then all three as 8-bit
        {"123Aabc", 1, 68},                 // "A" joins the bytes after it: numeric 24 + 8-bit 44
        {"HELLO WORLD 0123", 1, 101},       // the digits join the letters
        {"\xc3\xa9 1234567890123", 1, 12 + 36 + 58},  // ECI, 8-bit "\xc3\xa9 ", numeric 13
    };
    for (const auto &row : mixed) EXPECT_EQ(QR_Bit_Length(row.text, row.version), row.bits) << row.text;

    const QByteArray e8 = QString(8, QChar(0xe9)).toUtf8();  // 16 bytes
    struct Row {
        QByteArray bytes;
        int level, version, side;  // side 0: refused
    } rows[] = {
        {"01234567", 1, 0, 21},
        {QByteArray(41, '7'), 0, 1, 21},
        {QByteArray(42, '7'), 0, 1, 0},
        {QByteArray(42, '7'), 0, 0, 25},  // an automatic request is not bounded by version 1
        {QByteArray(17, 'a'), 0, 1, 21},
        {QByteArray(18, 'a'), 0, 1, 0},
        {QByteArray(174, 'A'), 3, 10, 57},
        {QByteArray(175, 'A'), 3, 10, 0},
        {e8, 0, 1, 21},  // the ECI header counts
        {e8 + "a", 0, 1, 0},
        {QByteArray(7089, '1'), 0, 0, 177},
        {QByteArray(7090, '1'), 0, 0, 0},
        {QByteArray(4296, 'A'), 0, 40, 177},
        {QByteArray(2953, 'a'), 0, 40, 177},
        {QByteArray(2954, 'a'), 0, 0, 0},
        {"", 0, 0, 0},
    };
    for (const Row &r : rows) {
        const std::optional<QrGrid> grid = Encode_QR(r.bytes, QR_Level(r.level), r.version);
        EXPECT_EQ(grid ? grid->dimension() : 0, r.side) << r.bytes.left(12).toStdString() << " x" << r.bytes.size();
    }
}

TEST(QrEncoder, MaskPenalty)
{
    QrGrid light(21), pattern(21);
    for (int x : {0, 1, 3, 4, 5, 7}) pattern.set(1, x, 10);  // 1011101 after a dark module
    EXPECT_EQ(QR_Penalty(light), 798 + 1200 + 100);
    EXPECT_EQ(QR_Penalty(pattern), 391 + 381 + 40 + 1152 + 90);
}

// The penalty module by module, as ISO/IEC 18004 words it: light beyond the edges.
long referencePenalty(const QrGrid &g)
{
    const int n = g.dimension();
    long score = 0, dark = 0;
    for (int line = 0; line < n; ++line)
        for (const bool rows : {true, false}) {
            const auto at = [&](int i) { return i < 0 || i >= n ? 0 : rows ? g.valueAt(i, line) : g.valueAt(line, i); };
            for (int i = 0, run = 0; i < n; ++i) {
                run = i > 0 && at(i) == at(i - 1) ? run + 1 : 1;
                score += run == 5 ? 3 : run > 5 ? 1 : 0;
            }
            for (int i = 0; i + 7 <= n; ++i) {
                const int p[7] = {1, 0, 1, 1, 1, 0, 1};
                bool match = true;
                for (int k = 0; k < 7; ++k) match = match && at(i + k) == p[k];
                const bool before = !at(i - 1) && !at(i - 2) && !at(i - 3) && !at(i - 4);
                const bool after = !at(i + 7) && !at(i + 8) && !at(i + 9) && !at(i + 10);
                score += match && (before || after) ? 40 : 0;
            }
        }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            dark += g.valueAt(x, y);
            if (x + 1 < n && y + 1 < n && g.valueAt(x, y) == g.valueAt(x + 1, y) &&
                g.valueAt(x, y) == g.valueAt(x, y + 1) && g.valueAt(x, y) == g.valueAt(x + 1, y + 1))
                score += 3;
        }
    return score + 10 * (std::labs(50 - dark * 100 / (long(n) * n)) / 5);
}

TEST(QrEncoder, PenaltyAgreesWithTheModuleByModuleRule)
{
    // Random grids of every width the word boundaries cut differently, sparse and dense,
    // and encoded symbols with each mask.
    std::mt19937 rng(7);
    for (const int n : {21, 63, 64, 65, 101, 127, 128, 129, 177})
        for (const int density : {20, 50, 80}) {
            QrGrid g(n);
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) g.set(int(rng() % 100) < density, x, y);
            EXPECT_EQ(QR_Penalty(g), referencePenalty(g)) << n << " " << density;
        }
    for (int mask = 0; mask < 8; ++mask)
        for (const int version : {1, 7, 40}) {
            const std::optional<QrGrid> g = Encode_QR("HELLO WORLD 0123", QR_Level::Q, version, mask);
            ASSERT_TRUE(g);
            EXPECT_EQ(QR_Penalty(*g), referencePenalty(*g)) << mask << " " << version;
        }
    // The chosen mask scores lowest of the eight (the lower number on a tie).
    const std::optional<QrGrid> chosen = Encode_QR("Visitor pass 0042, gate B", QR_Level::M, 0);
    ASSERT_TRUE(chosen);
    long best = -1;
    for (int mask = 0; mask < 8; ++mask) {
        const long score = referencePenalty(*Encode_QR("Visitor pass 0042, gate B", QR_Level::M, 0, mask));
        if (best < 0 || score < best) best = score;
    }
    EXPECT_EQ(QR_Penalty(*chosen), best);
}

TEST(QrEncoder, PictureAndDescription)
{
    const std::optional<QrGrid> grid = Encode_QR("01234567", QR_Level::M, 0);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->description().count('\n'), 21);
    EXPECT_EQ(grid->description().size(), 21 * 22);

    const QImage at72 = Render_QR(*grid, 100, 72).image();
    ASSERT_EQ(at72.size(), QSize(100, 100));
    EXPECT_EQ(qAlpha(at72.pixel(7, 7)), 0);          // margin o = 8
    EXPECT_EQ(at72.pixel(8, 8), qRgb(0, 0, 0));        // finder corner, p = 4
    EXPECT_EQ(at72.pixel(91, 8), qRgb(0, 0, 0));       // top-right finder corner
    EXPECT_EQ(qAlpha(at72.pixel(91, 91)), 255);
    EXPECT_EQ(qAlpha(at72.pixel(92, 92)), 0);
    const Picture at600 = Render_QR(*grid, 100, 600);
    EXPECT_EQ(at600.image().size(), QSize(834, 834));
    EXPECT_EQ(at600.size(), QSizeF(100, 100));

    const Picture small = Render_QR(*grid, 10, 72);  // smaller than the module count
    EXPECT_EQ(small.image().size(), QSize(21, 21));
    EXPECT_EQ(small.image().pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_TRUE(Render_QR(QrGrid(0), 100, 72).isNull());
}

// Every level of the versions, filled with 8-bit text three codewords short of capacity.
void readBackVersions(int from, int to)
{
    if (!readers::Have_Zbar() && !readers::Have_Zxing()) GTEST_SKIP() << "no QR reader (zbar, ZXing-C++) was found";
    for (int v = from; v <= to; ++v)
        for (int level = 0; level < 4; ++level) {
            QByteArray bytes;
            for (int i = 0; i < QR_Version_Row(v, QR_Level(level)).dataCodewords() - 3; ++i) bytes += char('a' + (i * 7 + v) % 26);
            expectReadBack(bytes, Encode_QR(bytes, QR_Level(level), v), "version " + std::to_string(v) + " level " +
                                                                  std::to_string(level));
        }
}

TEST(QrDecoding, Versions1To30ReadBack) { readBackVersions(1, 30); }
TEST(QrDecoding, Versions31To40ReadBack) { readBackVersions(31, 40); }

TEST(QrDecoding, MasksAndTextsReadBack)
{
    if (!readers::Have_Zbar() && !readers::Have_Zxing()) GTEST_SKIP() << "no QR reader (zbar, ZXing-C++) was found";
    for (int mask = 0; mask < 8; ++mask)
        expectReadBack("HELLO WORLD 0123", Encode_QR("HELLO WORLD 0123", QR_Level::Q, 7, mask), "mask " + std::to_string(mask));
    // Every alphanumeric sign, and numeric groups ending with 0, 1 and 2 digits over, at
    // every level.
    for (const char *text : {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:", "123456", "1234", "12345"})
        for (const QR_Level level : {QR_Level::L, QR_Level::M, QR_Level::Q, QR_Level::H})
            expectReadBack(text, Encode_QR(text, level, 0), text);
    // Non-ASCII text travels as UTF-8 bytes after the ECI designator 26.
    for (const char *text : {"01234567", "HELLO WORLD", "Gr\xc3\xbc\xc3\x9f" "e \xe6\x97\xa5\xe6\x9c\xac",
                             "ABC123456789", "a1234567890123456789b", "123Aabc", "a1A",
                             "\xc3\xa9 1234567890123", "mixed 0123456789 TEXT http://X.ORG/A?b=1"})
        expectReadBack(text, Encode_QR(text, QR_Level::M, 0), text);
}
