#include "SpreadsheetXml.h"

#include <gtest/gtest.h>

TEST(SpreadsheetXml, ColumnNamesAndNumbers)
{
    const struct { int number; const char *name; } rows[] = {
        {1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(ColumnNumber_To_Name(r.number), r.name) << r.number;
        EXPECT_EQ(Column_Number(QString::fromLatin1(r.name)), r.number) << r.name;
    }
    EXPECT_EQ(ColumnNumber_To_Name(0), "");
    EXPECT_EQ(Column_Number(u"a1"), 0);
}

TEST(SpreadsheetXml, DimensionsGiveTheColumnOfTheirLastCell)
{
    const struct { const char *ref; int columns; } rows[] = {
        {"A1:L25", 12}, {"B3:F9", 6}, {"A1", 1}, {"AB12", 28}, {"A10:C20", 3}, {"AA1:AC5", 29},
        {" A1:c3 ", 3}, {"", 0}, {"1:5", 0}, {"A1:$", 0},
    };
    for (const auto &r : rows) EXPECT_EQ(Dimension_Columns(QString::fromLatin1(r.ref)), r.columns) << r.ref;
}

TEST(SpreadsheetXml, NumberCellsFollowOneLocaleFreeGrammar)
{
    const struct { const char *text; bool number; } rows[] = {
        {"42", true}, {"-7", true}, {"3.5", true}, {"0", true}, {"0.25", true}, {"-0.001", true},
        {"123456789012345", true}, {"0.000123456789012345", true}, {"1234567890123456", false},
        {"12345678901234567", false}, {"0123", false}, {"3,5", false}, {"", false}, {"1e5", false},
        {"+1", false}, {"1.", false}, {".5", false}, {" 1", false}, {"-", false}, {"abc", false},
    };
    for (const auto &r : rows) EXPECT_EQ(Is_Number_Cell(QString::fromLatin1(r.text)), r.number) << r.text;
    EXPECT_FALSE(Is_Number_Cell(u"\u0661\u0662"));  // Arabic-Indic digits are text
}

TEST(SpreadsheetXml, TextEscapesRoundTrip)
{
    const struct { QString text; const char *xml; } rows[] = {
        {"a<b>&c", "a&lt;b&gt;&amp;c"},
        {QString::fromLatin1("bell\x07"), "bell_x0007_"},
        {"cr\rlf\n\ttab", "cr_x000D_lf\n\ttab"},
        {"_x0041_", "_x005F_x0041_"},
        {"_x12_ _xZZZZ_", "_x12_ _xZZZZ_"},
        {QString::fromUtf8("Zoë 名前 😀"), "Zoë 名前 😀"},
        {QString(QChar(0xD800)) + "x", "_xD800_x"},
        {QString(QChar(0xFFFE)), "_xFFFE_"},
    };
    for (const auto &r : rows) {
        std::string out;
        Append_Xml_Text(out, r.text);
        EXPECT_EQ(out, r.xml) << r.text.toStdString();
        if (out.find('&') == std::string::npos) {
            EXPECT_EQ(Decode_Escapes(QString::fromUtf8(out.c_str())), r.text) << r.xml;
        }
    }
    EXPECT_EQ(Decode_Escapes(QStringLiteral("_x0041__x0062_")), "Ab");
}

TEST(SpreadsheetXml, OuterSpaceNeedsPreserving)
{
    EXPECT_TRUE(Has_Outer_Space(u" lead"));
    EXPECT_TRUE(Has_Outer_Space(u"trail\n"));
    EXPECT_FALSE(Has_Outer_Space(u"in side"));
    EXPECT_FALSE(Has_Outer_Space(u""));
}
