// Seeded random and hostile values through every Data Matrix size and encodation: no
// crash, no hang, no symbol for bytes that are not UTF-8, and every symbol made reads
// back equal in ZXing-C++ (every twentieth also in dmtxread).
#include "DataMatrixReaders.h"
#include "DataMatrixSymbol.h"
#include "Fuzz.h"

#include <gtest/gtest.h>

namespace {

bool isUtf8(const QByteArray &b) { return QString::fromUtf8(b).toUtf8() == b; }

QByteArray randomValue(fuzz::Mutator &m)
{
    static const char *const pieces[] = {"A",  "z",  "0",  "7",  " ",  "!",  "~",  "\x7f", "\t", "\n",
                                         "\xc3\xa9", "\xc3\x9f", "\xe2\x82\xac", "\xe6\x97\xa5", "\xf0\x9f\x98\x80"};
    QByteArray v;
    switch (m.below(5)) {
    case 0:  // any bytes
        for (int n = m.below(80); n > 0; --n) v += char(m.below(256));
        break;
    case 1:  // ASCII
        for (int n = 1 + m.below(300); n > 0; --n) v += char(m.below(128));
        break;
    case 2:  // text of every character class, runs repeated
        for (int n = 1 + m.below(60); n > 0; --n) v += QByteArray(pieces[m.below(std::size(pieces))]).repeated(1 + m.below(8));
        break;
    case 3:  // digits with a few letters
        for (int n = 1 + m.below(3200); n > 0; --n) v += char(m.below(40) ? '0' + m.below(10) : 'A' + m.below(26));
        break;
    default: v = m.mutate("Gate 7: Zo\xc3\xab O'Neil #00412", QByteArray("\x00\xff\xc3\x28 ABC abc 0123", 18));
    }
    return v;
}

} // namespace

TEST(DataMatrixFuzz, EverySymbolMadeReadsBack)
{
    if (!dmtest::haveZxing()) GTEST_SKIP() << "ZXing-C++ was not found";
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(10));
    fuzz::Mutator m(16022);
    QList<QByteArray> hostile = {"",
                                 QByteArray(3116, '9'),
                                 QByteArray(3117, '9'),
                                 QByteArray(1555, 'x'),
                                 QByteArray(1556, 'x'),
                                 QByteArray(100000, 'A'),
                                 QByteArray(10, '\xff'),
                                 "\xc3",
                                 QByteArray(1, '\0'),
                                 QByteArray(2000, '\0'),
                                 "\xed\xa0\x80",
                                 QByteArray("\xc3\xa9").repeated(800)};
    const int rounds = fuzz::rounds(500);
    int made = 0;
    for (int round = 0; round < rounds + hostile.size() && !HasFailure(); ++round) {
        const QByteArray value = round < hostile.size() ? hostile[round] : randomValue(m);
        const auto size = DataMatrixSize(m.below(2) ? 0 : m.below(kDataMatrixSizes + 1));
        const auto encodation = DataMatrixEncodation(m.below(5));
        const std::string input = "round " + std::to_string(round) + " size " + std::to_string(int(size)) +
                                  " encodation " + std::to_string(int(encodation)) + " value " +
                                  value.left(60).toHex().toStdString();
        watchdog.next(input);
        const auto grid = Encode_DataMatrix(value, size, encodation);
        if (value.isEmpty() || !isUtf8(value)) {
            EXPECT_FALSE(grid) << input;
            continue;
        }
        if (!grid) continue;
        ++made;
        if (size != DataMatrixSize::Auto) {
            EXPECT_EQ(grid->width, DataMatrix_Shape(size).columns) << input;
        }
        const QImage image = dmtest::scan(*grid);
        EXPECT_EQ(dmtest::zxingRead(image), value) << input;
        if (made % 20 == 0 && grid->width != 144 && !dmtest::dmtxreadProgram().isEmpty()) {  // a sample: a program run each
            const bool eci = std::any_of(value.begin(), value.end(), [](char c) { return uint8_t(c) >= 0x80; });
            EXPECT_EQ(dmtest::dmtxRead(image), eci ? "\x1A" + value : value) << "dmtxread " << input;
        }
        const double dpis[] = {203, 300, 600, 0, -72, NAN, INFINITY, 1e7};
        const double dpi = dpis[m.below(std::size(dpis))];
        const Picture picture = Render_DataMatrix(*grid, 1 + m.below(2), dpi);
        EXPECT_EQ(picture.isNull(), !(dpi > 0 && dpi < 1e6)) << input;
    }
    EXPECT_GT(made, rounds / 3);
}
