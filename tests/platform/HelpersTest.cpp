#include "Globals.h"
#include "Helpers.h"
#include "ScopedFlag.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using testsupport::boxes;

TEST(StringHelpers, CuttingByCountAndIndex)
{
    const QString s = "abcdef";
    EXPECT_EQ(Left_Str_substringToIndex(s, 3), "abc");
    EXPECT_EQ(Left_Str_substringToIndex(s, 6), "abcdef");
    EXPECT_EQ(Left_Str_substringToIndex(s, 10), "abcdef");
    EXPECT_EQ(Left_Str_substringToIndex(s, -2), "");
    EXPECT_EQ(Right_Str_substringFromIndex(s, 2), "ef");
    EXPECT_EQ(Right_Str_substringFromIndex(s, 6), "abcdef");
    EXPECT_EQ(Right_Str_substringFromIndex(s, 60), "abcdef");
    EXPECT_EQ(Right_Str_substringFromIndex(s, -1), "");

    EXPECT_EQ(Read_Str_FromIndex("abc", 1), "bc");
    EXPECT_EQ(Read_Str_FromIndex("abc", 3), "");
    EXPECT_EQ(Read_Str_FromIndex("abc", 4), "");
    EXPECT_EQ(Read_Str_FromIndex("abc", -1), "");
    EXPECT_EQ(Read_Str_Upto_Index("abc", 2), "ab");
    EXPECT_EQ(Read_Str_Upto_Index("abc", 3), "abc");
    EXPECT_EQ(Read_Str_Upto_Index("abc", 4), "");
    EXPECT_EQ(Read_Str_Upto_Index("abc", -1), "");

    // Counts are UTF-16 units: "é" precomposed is one, a clef (U+1D11E) is two.
    const QString music = QString::fromUtf8("\xC3\xA9\xF0\x9D\x84\x9Ex");
    EXPECT_EQ(music.size(), 4);
    EXPECT_EQ(Read_Str_FromIndex(music, 3), "x");
}

TEST(StringHelpers, TrimmingKeepsInnerCharacters)
{
    EXPECT_EQ(Trim_Str("  \ta b\n"), "a b");
    EXPECT_EQ(Trim_Str(QString::fromUtf8("\xC2\xA0\r\nx y\xE2\x80\xA8")), "x y");  // no-break space, line separator
    // Control and format characters at the ends go too, inner ones stay.
    EXPECT_EQ(Trim_Str(QString::fromUtf8("\x01\x7F" "a\x02z\x1F\xE2\x80\x8B")), QString::fromUtf8("a\x02z"));
    // A format character outside the basic plane (language tag U+E0001) as a whole.
    EXPECT_EQ(Trim_Str(QString::fromUtf8("id\xF3\xA0\x80\x81")), "id");
    EXPECT_EQ(Replace_Char_For_valid(" x "), "x");
    EXPECT_EQ(Trim_Str(""), "");
}

TEST(StringHelpers, ElidedForDisplay)
{
    const QString pair = QString::fromUtf8("ab\xF0\x9D\x84\x9E" "c");  // a, b, a surrogate pair, c
    const struct {
        QString text;
        int max;
        QString shown;
    } rows[] = {
        {"short", 5, "short"},
        {"longer", 5, QString::fromUtf8("long\xE2\x80\xA6")},
        {pair, 4, QString::fromUtf8("ab\xE2\x80\xA6")},  // the pair is not split
    };
    for (const auto &row : rows) EXPECT_EQ(Elided_For_Display(row.text, row.max), row.shown) << row.text.left(9).toStdString();
}

TEST(StringHelpers, ReplacingAndSearching)
{
    EXPECT_EQ(Replace_char_in_string("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(Replace_char_in_string("aAa", "a", ""), "A");
    // An empty target changes nothing (instead of inserting between every character).
    EXPECT_EQ(Replace_char_in_string("abc", "", "_"), "abc");

    EXPECT_EQ(Find_Str("Visitor", "VISIT"), 0);
    EXPECT_EQ(Find_Str("Visitor", "sit"), 1);
    EXPECT_EQ(Find_Str("Visitor", ""), 0);
    EXPECT_EQ(Find_Str(QString(), "a"), 0);
    EXPECT_EQ(Find_Str_Case_Insensitive("Visitor", "VISIT"), 1);
    EXPECT_EQ(Find_Str_Case_Insensitive("Visitor", "guest"), 0);
    EXPECT_EQ(Find_Str_Case_Insensitive("Visitor", QString()), 0);
    EXPECT_EQ(Find_Str_Case_Insensitive(QString(), "v"), 0);
}

TEST(StringHelpers, FileNamesFromUserText)
{
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("<Card/1>"), "Card_1");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("*?Who?|"), "Who");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("a?b"), "a?b");
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name("\"/ x/y \\"), "x_y");
}

TEST(Units, ConversionsBetweenMillimetresPointsAndUnits)
{
    EXPECT_NEAR(MM_to_Points_Convert(25.4), 72.0, 1e-9);
    EXPECT_NEAR(Points_to_MM_Convert(72.0), 25.4, 1e-9);
    EXPECT_NEAR(Points_to_MM_Convert(1.0), 0.3527777777778, 1e-12);
    EXPECT_DOUBLE_EQ(Get_Unit_Convertor(0, 2), 25.4);
    EXPECT_DOUBLE_EQ(Get_Unit_Convertor(1, 2), 10.0);
    EXPECT_DOUBLE_EQ(Get_Unit_Convertor(2, 1), 0.1);
    EXPECT_DOUBLE_EQ(Get_Unit_Convertor(2, 2), 1.0);
    EXPECT_NEAR(Get_Unit_Convertor(0, 1), 2.54, 1e-12);
}

TEST(CalculateTimeTaken, ReportsHoursMinutesSecondsSinceTheMark)
{
    boxes().clear();
    const QDateTime start = QDateTime::fromString("2024-03-01T10:00:00.700", Qt::ISODateWithMs);
    Calculate_Time_Taken(0, "ignored", start);
    EXPECT_TRUE(boxes().take().isEmpty());
    // The mark keeps the whole second only: 10:00:00, so 3725.2 s later is 3725 s.
    Calculate_Time_Taken(1, "Printing", start.addMSecs(3725 * 1000 - 500));
    EXPECT_EQ(boxes().take(),
              QStringList{"\nTime Taken in Printing :: 1 Hours : 2 Minutes : 5 Seconds\n"});
    // A label holding a placeholder is shown as it is.
    Calculate_Time_Taken(2, "50%2", start.addSecs(59));
    EXPECT_EQ(boxes().take(), QStringList{"\nTime Taken in 50%2 :: 0 Hours : 0 Minutes : 59 Seconds\n"});
}

TEST(ScopedFlag, GivesBackThePreviousValueOnEveryWayOut)
{
    char flag = 0;
    auto early = [&](bool leave) {
        const Scoped_Flag guard(flag);
        if (leave) return;
        const Scoped_Flag inner(flag, 0);
        EXPECT_EQ(flag, 0);
        throw 1;
    };
    early(true);
    EXPECT_EQ(flag, 0);
    EXPECT_THROW(early(false), int);
    EXPECT_EQ(flag, 0);
    flag = 1;
    early(true);
    EXPECT_EQ(flag, 1) << "a guard inside a guarded scope keeps the flag set";
}
