#include "BarcodeFactory.h"
#include "Code128Barcode.h"
#include "JapanPostBarcode.h"
#include "PostalBarcodes.h"
#include "UPCEANBarcodes.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<NKDBarcode> make(const char *title, const QString &content)
{
    auto b = Make_Linear_Barcode(QString::fromLatin1(title), content, true);
    EXPECT_TRUE(b) << title;
    return b;
}

// Bar states of a four-state symbol from its bar positions: A ascender, D descender,
// F full, T tracker.
QString barStates(const NKDBarcode &b)
{
    const QString modules = b.completeBarcode();
    const float full = b.barTop(0) > b.barTop(1) ? b.barTop(0) : b.barTop(1);
    QString states;
    for (int i = 0; i < modules.size(); ++i) {
        if (modules[i] != u'1') continue;
        const bool up = b.barTop(i) > full * 0.9f, down = b.barBottom(i) == 0;
        states += up && down ? u'F' : up ? u'A' : down ? u'D' : u'T';
    }
    return states;
}

} // namespace

TEST(Symbology, ModuleStrings)
{
    struct Row {
        const char *title, *content, *modules;
    };
    const Row rows[] = {
        {"Code 128", "12345678",
         "1101001110010110011100100010110001110001011011000010100100011101101100011101011"},
        {"Codabar", "A1234B", "1011001001010101100101010010110110010101010110100101001001011"},
        // F9
        {"Industrial 2 of 5", "1234",
         "111011101011101010101110101110101011101110111010101010101110101110111010111"},
        // F10
        {"Modified Plessey", "1234", "1101001001001101001001101001001001101101001101001001001101001001001"},
        {"UPCE", "0425261", "101001110100100110111001001101101011110011001010101"},
    };
    for (const Row &r : rows) {
        auto b = make(r.title, QString::fromLatin1(r.content));
        EXPECT_TRUE(b->isContentValid()) << r.title << " " << r.content;
        EXPECT_EQ(b->completeBarcode(), QString::fromLatin1(r.modules)) << r.title << " " << r.content;
    }
}

TEST(Symbology, Code39)
{
    const auto code39 = make("Code 39", "CODE39");
    EXPECT_EQ(code39->completeBarcode().size(), 104);
    EXPECT_TRUE(code39->completeBarcode().startsWith(QStringLiteral("1001011011010")));
    const auto ext = make("Extended Code 39", "abc");
    const auto pairs = make("Code 39", "+A+B+C");
    EXPECT_EQ(ext->content(), QStringLiteral("abc"));
    EXPECT_EQ(ext->completeBarcode(), pairs->completeBarcode());
    // F5: line feed is $J; F4: '*' is /J in Extended and no data in Code 39.
    EXPECT_EQ(make("Extended Code 39", "\n")->completeBarcode(), make("Code 39", "$J")->completeBarcode());
    EXPECT_EQ(make("Extended Code 39", "*")->completeBarcode(), make("Code 39", "/J")->completeBarcode());
    EXPECT_FALSE(make("Code 39", "A*B")->isContentValid());
    EXPECT_FALSE(make("Extended Code 39", "\r")->isContentValid());
    code39->generateChecksum();
    EXPECT_EQ(code39->checkDigit(), 'W');
}

TEST(Symbology, Code128Sets)
{
    struct Row {
        const char *title, *content;
        std::vector<int> symbols;
        int check;
    };
    const Row rows[] = {
        // F6: an odd digit count ends with CODE B and the last digit.
        {"Code 128", "123", {12, 100, 19}, 65},
        {"Code 128", "Hello", {40, 69, 76, 76, 79}, 76},
        {"Code 128", "A B", {33, 0, 34}, 33},
        {"Code 128", "", {}, 2},
        // F7: SHIFT when the next byte returns to the set, else a change of set.
        {"Code 128 SET A", "AbC", {33, 98, 66, 35}, (103 + 33 + 2 * 98 + 3 * 66 + 4 * 35) % 103},
        {"Code 128 SET A", "Abc", {33, 100, 66, 67}, (103 + 33 + 2 * 100 + 3 * 66 + 4 * 67) % 103},
        {"Code 128 SET B", "a\tb", {65, 98, 73, 66}, (104 + 65 + 2 * 98 + 3 * 73 + 4 * 66) % 103},
        {"Code 128 SET C", "1234", {12, 34}, (105 + 12 + 2 * 34) % 103},
    };
    for (const Row &r : rows) {
        auto b = make(r.title, QString::fromLatin1(r.content));
        auto *c = dynamic_cast<NKDCode128Barcode *>(b.get());
        ASSERT_TRUE(c);
        EXPECT_EQ(b->isContentValid(), *r.content != 0) << r.content;  // an empty value makes no symbol
        EXPECT_EQ(c->symbolValues(), r.symbols) << r.title << " " << r.content;
        EXPECT_EQ(b->checkDigit(), r.check) << r.title << " " << r.content;
    }
    EXPECT_EQ(make("Code 128", "123")->completeBarcode().size(), 68);
    EXPECT_EQ(dynamic_cast<NKDCode128Barcode &>(*make("Code 128", "\t\tb")).codeSet(), 0);
    EXPECT_EQ(dynamic_cast<NKDCode128Barcode &>(*make("Code 128", "a\tb")).codeSet(), 1);
    // F6: forced set C takes digits only.
    EXPECT_FALSE(make("Code 128 SET C", "12AB")->isContentValid());
}

TEST(Symbology, ChecksAndValidity)
{
    struct Row {
        const char *title, *content;
        bool valid;
        int check;  // -2: not looked at
    };
    const Row rows[] = {
        {"EAN-13", "400638133393", true, '1'},
        {"EAN-13", "4006381333931", true, '1'},
        {"EAN-13", "4006381333932", false, -2},
        {"EAN-13", "40063813339310", false, -2},
        {"EAN-8", "5512345", true, '7'},
        {"EAN-8", "55123457", true, '7'},
        // F12
        {"EAN-8", "55123458", false, -2},
        {"EAN-8", "551234A", false, -2},
        {"UPCA", "03600029145", true, '2'},
        {"UPCA", "036000291452", true, '2'},
        {"UPCA", "036000291453", false, -2},
        // F13: the check digit of the UPC-A expansion; an 8th digit must match.
        {"UPCE", "0425261", true, '4'},
        {"UPCE", "04252614", true, '4'},
        {"UPCE", "04252615", false, -2},
        {"UPCE", "2425261", false, -2},
        {"UPCE", "04210000526", true, '4'},
        {"UPCE", "042100005264", true, '4'},
        {"UPCE", "042100005265", false, -2},
        {"UPCE", "01234567890", false, -2},
        // A letter among the first seven: no check digit to compare (asserted in QChar before).
        {"UPCE", "A4252614", false, -2},
        {"UPCE", "042526A4", false, -2},
        // F8
        {"Codabar", "A12B34", false, -2},
        {"Codabar", "A", false, -2},
        {"Codabar", "a1234b", false, -2},
        {"PostNet", "12345", true, '5'},
        {"PostNet", "1234", false, -2},
        {"PostNet", "12a45", false, -2},
        {"Interleaved 2 of 5", "12a", false, -2},
        {"Industrial 2 of 5", "12a", false, -2},
        {"Modified Plessey", "1234", true, '4'},
        {"Modified Plessey (Hex)", "1a2f", true, '0' + (10 - (2 + 2 + 3 + 1) % 10) % 10},
        {"Modified Plessey (Hex)", "12G", false, -2},
        // F14
        {"Royal Mail Barcode (RM4SCC / CBC)", "sn34rd1a", true, 'K'},
        {"Royal Mail Barcode (RM4SCC / CBC)", "SN-34", false, -2},
        {"Royal Mail Barcode (RM4SCC / CBC)", "", false, 'Z'},
        {"Japan Post Barcode", "123-4567", false, -2},
        {"Japan Post Barcode", "1234567 ab-1", true, -2},
    };
    for (const Row &r : rows) {
        auto b = make(r.title, QString::fromLatin1(r.content));
        EXPECT_EQ(b->isContentValid(), r.valid) << r.title << " " << r.content;
        if (r.check != -2) {
            EXPECT_EQ(b->checkDigit(), r.check) << r.title << " " << r.content;
        }
    }
    // Non-ASCII content is invalid in every symbology, also where it would convert.
    for (const QString &title : Linear_Barcode_Titles())
        for (const QString &text : {QStringLiteral("1234567é"), QStringLiteral("1234567\u00df")})
            EXPECT_FALSE(Make_Linear_Barcode(title, text, true)->isContentValid()) << title.toStdString();
}

TEST(Symbology, Conversions)
{
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE("042100005264"), QStringLiteral("425261"));
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE("012340000058"), QStringLiteral("123454"));
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE("012345678905"), QString());
    EXPECT_EQ(make("Codabar", "A1234")->completeBarcode(), make("Codabar", "A1234A")->completeBarcode());
    EXPECT_EQ(make("Codabar", "1234B")->completeBarcode(), make("Codabar", "B1234B")->completeBarcode());
    // F8: a content without letters is framed A ... A, its caption as typed.
    EXPECT_EQ(make("Codabar", "1234")->completeBarcode(), make("Codabar", "A1234A")->completeBarcode());
    EXPECT_EQ(make("Codabar", "1234")->caption(), QStringLiteral("1234"));
    auto upce = make("UPCE", "04210000526");
    EXPECT_EQ(upce->content(), QStringLiteral("0425261"));
    EXPECT_EQ(make("Interleaved 2 of 5", "123")->completeBarcode().size(), 4 + 2 * 18 + 5);
    // F11: weight 3 on the rightmost digit.
    auto itf = make("Interleaved 2 of 5", "1234567");
    itf->generateChecksum();
    EXPECT_EQ(itf->checkDigit(), '0');
}

TEST(Symbology, PostalBars)
{
    auto postnet = make("PostNet", "12345");
    const QString modules = postnet->completeBarcode();
    EXPECT_EQ(modules.count(u'1'), 32);
    auto planet = make("Planet", "12345");
    EXPECT_FLOAT_EQ(postnet->barTop(3), 3.6f);  // digit 1: bars 4 and 5 tall
    EXPECT_FLOAT_EQ(planet->barTop(3), 9.0f);
    EXPECT_FLOAT_EQ(planet->barTop(0), 9.0f);

    EXPECT_EQ(barStates(*make("Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A")),
              QStringLiteral("AFTFTFDTADTAFDTFAFTADTFADTDAFDADAADDAF"));

    auto jp = make("Japan Post Barcode", "6540123789-A-K-Z");
    auto &japan = dynamic_cast<JapanPostBarcode &>(*jp);
    EXPECT_TRUE(jp->isContentValid());
    EXPECT_EQ(japan.japanpostContents(), QStringLiteral("6540123789-:0-;0-<5="));
    EXPECT_EQ(jp->checkDigit(), '3');
    EXPECT_EQ(barStates(*jp), QStringLiteral("FD" "DAFFTFFADFTTFFTFDADFAAFDADFTFFTFTDATFTTTFTDTAFTTTFTADTFTFTDA" "DFA" "DF"));
    // F15: the symbol size stays apart from the drawing height.
    jp->setHeight(40);
    EXPECT_FLOAT_EQ(japan.symbolSize(), 10.0f);
    EXPECT_FLOAT_EQ(jp->barTop(0), float(3.6 / 0.3527777777777777));
    japan.setSymbolSize(20);
    EXPECT_FLOAT_EQ(jp->barWidth(), 11.5f / 6);
    jp->setBarWidth(1.0f);
    EXPECT_FLOAT_EQ(japan.symbolSize(), 8.0f);
}
