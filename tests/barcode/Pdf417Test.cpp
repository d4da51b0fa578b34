// PDF417 pattern table, codeword counts, sizes and levels, and symbols read back by ZXing-C++.
#include "Pdf417Encoder.h"

#include "BarcodeReaders.h"

#include <gtest/gtest.h>
#include <set>

TEST(Pdf417Tables, EveryPatternIsWellFormed)
{
    std::set<int> seen;
    for (int cluster : {0, 3, 6})
        for (int codeword = 0; codeword < 929; ++codeword) {
            const Pdf417Pattern &p = PDF417_Pattern(cluster, codeword);
            ASSERT_TRUE(p.cluster == cluster && p.codeword == codeword);
            EXPECT_TRUE((p.modules >> 16) & 1 && !(p.modules & 1)) << codeword;
            int widths[8] = {}, element = 0;
            for (int i = 16; i >= 0; --i) {
                if (i < 16 && ((p.modules >> i) & 1) != ((p.modules >> (i + 1)) & 1)) ++element;
                if (element < 8) ++widths[element];
            }
            EXPECT_EQ(element, 7) << codeword;
            for (int w : widths) EXPECT_TRUE(w >= 1 && w <= 6) << codeword;
            EXPECT_EQ((widths[0] - widths[2] + widths[4] - widths[6] + 9) % 9, cluster) << codeword;
            seen.insert(p.modules);
        }
    EXPECT_EQ(seen.size(), 2787u);
}

TEST(Pdf417Encoder, SizesLevelsAndCodewords)
{
    struct Row {
        QByteArray bytes;
        int level, columns, rows, paintedLevel, bitColumns, pads;
    } rows[] = {
        {"HELLO", 2, 1, 12, 2, 86, 0},
        {QByteArray(100, 'A'), 2, 2, 30, 2, 103, 1},
        {QByteArray(100, 'A'), -1, 2, 34, 3, 103, 1},
        {QByteArray(78, 'A'), -1, 2, 24, 2, 103, 0},    // 40 data codewords
        {QByteArray(80, 'A'), -1, 2, 29, 3, 103, 1},    // 41
        {QByteArray(320, 'A'), -1, 4, 49, 4, 137, 3},   // 161
        {QByteArray(640, 'A'), -1, 6, 65, 5, 171, 5},   // 321
    };
    for (const Row &r : rows) {
        const Pdf417Symbol s = Encode_PDF417(r.bytes, Pdf417_Level(r.level), 1.0);
        const int pads = int(std::count(s.codewords.begin(), s.codewords.end() - (2 << s.level), 900));
        EXPECT_EQ(std::vector<int>({s.columns, s.rows, s.level, s.bitColumns, pads}),
                  std::vector<int>({r.columns, r.rows, r.paintedLevel, r.bitColumns, r.pads}))
            << r.bytes.left(10).toStdString() << " x" << r.bytes.size();
        EXPECT_EQ(int(s.modules.size()), s.rows);
        // Every row: start pattern 11111111010101000 ... stop pattern 111111101000101001.
        for (const std::vector<uint8_t> &row : s.modules) {
            ASSERT_EQ(int(row.size()), s.bitColumns);
            std::string start, stop;
            for (int i = 0; i < 17; ++i) start += char('0' + row[size_t(i)]);
            for (int i = s.bitColumns - 18; i < s.bitColumns; ++i) stop += char('0' + row[size_t(i)]);
            EXPECT_EQ(start, "11111111010101000");
            EXPECT_EQ(stop, "111111101000101001");
        }
    }
    // Other aspect ratios (321 data codewords, 329 with level 2's check codewords): 4.0
    // gives 2 columns and 165 rows, beyond 90, so 4 x 90; 0.25 gives 14 x 24; 0.001 gives
    // more than 30 columns, so 30 x 11.
    const struct {
        double aspect;
        int columns, rows, level;
    } shapes[] = {{4.0, 4, 90, 4}, {0.25, 14, 24, 2}, {0.001, 30, 11, 2}};
    for (const auto &shape : shapes) {
        const Pdf417Symbol s = Encode_PDF417(QByteArray(640, 'A'), Pdf417_Level::L2, shape.aspect);
        EXPECT_EQ(std::vector<int>({s.columns, s.rows, s.level}), std::vector<int>({shape.columns, shape.rows, shape.level}))
            << shape.aspect;
    }
    const Pdf417Symbol bytes12 = Encode_PDF417(QByteArray(12, '\x01'), Pdf417_Level::L2, 1.0);
    EXPECT_EQ(bytes12.codewords[0], 12);  // descriptor, 924, ten codewords
    EXPECT_EQ(bytes12.codewords[1], 924);
    const Pdf417Symbol bytes13 = Encode_PDF417(QByteArray(13, '\x01'), Pdf417_Level::L2, 1.0);
    EXPECT_EQ(bytes13.codewords[1], 901);
    EXPECT_EQ(bytes13.codewords[0], 13);  // descriptor, 901, eleven codewords
    EXPECT_EQ(Encode_PDF417("123456789012", Pdf417_Level::L2, 1.0).codewords[1], 902);
    EXPECT_EQ(Encode_PDF417("ab1234567890123cd", Pdf417_Level::L2, 1.0).codewords[3], 902);  // 13 digits in text
    EXPECT_EQ(Encode_PDF417("ab123456789012cd", Pdf417_Level::L2, 1.0).codewords[0], 11);    // 12 stay text
    EXPECT_EQ(Encode_PDF417("\xc3\xa9", Pdf417_Level::L2, 1.0).codewords[1], 927);

    EXPECT_EQ(Encode_PDF417(QByteArray(5421, 'a'), Pdf417_Level::L2, 1.0).error, 1);
    EXPECT_EQ(Encode_PDF417(QByteArray(5420, '\x01'), Pdf417_Level::L2, 1.0).error, 1);
    EXPECT_TRUE(PDF417_Picture(QString(5421, 'a'), Pdf417_Level::L2, {100, 20}, 600).isNull());
    const Picture picture = PDF417_Picture("HELLO", Pdf417_Level::L2, {100, 20}, 600);
    EXPECT_EQ(picture.size(), QSizeF(100, 20));
    EXPECT_EQ(picture.image().size(), QSize(834, 167));
}

TEST(Pdf417Decoding, ZxingReadsTheSymbolsBack)
{
#ifndef HAVE_ZXING
    GTEST_SKIP() << "ZXing-C++ was not found";
#else
    QByteArray mixed;
    for (int i = 0; mixed.size() < 1000; ++i) mixed += "Visitor 42, gate B; badge #" + QByteArray::number(i * 7919) + " ok\n";
    mixed.truncate(1000);
    QByteArray binary;
    for (int i = 0; i < 256; ++i) binary += char(i);
    const QByteArray digits = QByteArray("1234567890").repeated(10);
    for (const QByteArray &bytes : {QByteArray("HELLO"), mixed, digits, binary, QString("Gr\u00fc\u00dfe \u65e5\u672c").toUtf8()}) {
        const Pdf417Symbol s = Encode_PDF417(bytes, Pdf417_Level::L2, 1.0);
        ASSERT_EQ(s.error, 0);
        const QImage image = readers::Module_Page(s.bitColumns, s.rows * 3, 3, 4,
                                                  [&s](int x, int y) { return s.modules[y / 3][x] != 0; });
        const std::string read = readers::Zxing_Read(image, ZXing::BarcodeFormat::PDF417);
        EXPECT_TRUE(read == bytes.toStdString() || (bytes == binary && !read.empty())) << bytes.left(20).toStdString();
    }
    // The default picture: 100 x 20 points at 600 dpi, with a white quiet zone.
    const QImage symbol = PDF417_Picture("VISITOR 0042", Pdf417_Level::L2, {100, 20}, 600).image();
    EXPECT_EQ(readers::Zxing_Read(readers::Grey_Page(symbol, 40), ZXing::BarcodeFormat::PDF417), "VISITOR 0042");
#endif
}
