// Number cells as a workbook shows them: which formats are dates, how a serial number
// shows in each, and numbers in the General format.
#include "CellDisplay.h"

#include <gtest/gtest.h>

namespace cell_display_test {

namespace {
// A value in a number format and the text the cell shows.
struct Shown {
    double value;
    const char16_t *code, *shown;
};

void expectShown(std::initializer_list<Shown> rows)
{
    for (const Shown &row : rows)
        EXPECT_EQ(Date_Cell_Text(row.value, QStringView(row.code), false), QString::fromUtf16(row.shown))
            << QString::fromUtf16(row.code).toStdString() << " on " << row.value;
}
} // namespace

TEST(CellDisplay, DateFormatsAreToldFromOtherNumberFormats)
{
    struct Row {
        const char16_t *code;
        bool date;
    } rows[] = {
        {u"General", false},        {u"0", false},
        {u"0.00", false},           {u"#,##0.00", false},
        {u"@", false},              {u"[Red]0.00", false},
        {u"0.00E+00", false},       {u"\"days\" 0", false},
        {u"0\\h", false},           {u"_m0", false},
        {u"#,##0;[Red]-#,##0", false}, {u"0;\"d\"", false},
        {u"yyyy-mm-dd", true},      {u"dd/mm/yyyy", true},
        {u"h:mm AM/PM", true},      {u"[h]:mm:ss", true},
        {u"[$-409]mmmm d, yyyy;@", true}, {u"D.M.YYYY", true},
        {u"\"on\" d mmm", true},
        // Elapsed counts alone or with other parts; brackets of colours and conditions.
        {u"[h]", true},             {u"[MM]", true},
        {u"[ss]", true},            {u"[h] \"hours\"", true},
        {u"[>=100]0", false},       {u"[Color 10]0", false},
        {u"[hm]", false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Is_Date_Format(QStringView(row.code)), row.date) << QString::fromUtf16(row.code).toStdString();
    for (int id : {14, 15, 16, 17, 18, 19, 20, 21, 22, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 45, 46, 47, 50, 51, 52,
                   53, 54, 55, 56, 57, 58}) {
        EXPECT_FALSE(Builtin_Date_Format(id).isEmpty()) << id;
        EXPECT_TRUE(Is_Date_Format(Builtin_Date_Format(id))) << id;
    }
    for (int id : {0, 1, 2, 3, 4, 9, 10, 11, 12, 13, 23, 26, 37, 44, 48, 49, 59, 164})
        EXPECT_TRUE(Builtin_Date_Format(id).isEmpty()) << id;
}

TEST(CellDisplay, SerialNumbersShowInTheSheetsFormatOrInIso8601)
{
    // 46389 is 2 January 2027 (a Saturday) in the 1900 system; .6041666 is 14:30.
    struct Row {
        double value;
        const char16_t *code;
        bool date1904;
        const char16_t *shown;
    } rows[] = {
        {46389, u"yyyy-mm-dd", false, u"2027-01-02"},
        {46389, u"dd/mm/yyyy", false, u"02/01/2027"},
        {46389, u"d.m.yy", false, u"2.1.27"},
        {46389, u"mm-dd-yy", false, u"01-02-27"},
        {46389, u"m/d/yyyy", false, u"1/2/2027"},
        {46389, u"d-mmm-yy", false, u"2-Jan-27"},
        {46389, u"dddd, mmmm d, yyyy", false, u"Saturday, January 2, 2027"},
        {46389, u"ddd d mmm yyyy", false, u"Sat 2 Jan 2027"},
        {46389, u"[$-409]mmmm d, yyyy;@", false, u"January 2, 2027"},
        {46389, u"yyyy\"年\"m\"月\"d\"日\"", false, u"2027年1月2日"},
        {46389, u"mmmmm", false, u"J"},
        {46389.60416666666, u"yyyy-mm-dd h:mm:ss", false, u"2027-01-02 14:30:00"},
        {46389.60416666666, u"m/d/yyyy h:mm", false, u"1/2/2027 14:30"},
        {46389.60416666666, u"dd.mm.yyyy hh:mm AM/PM", false, u"02.01.2027 02:30 PM"},
        {0.3854166666666667, u"h:mm:ss", false, u"9:15:00"},
        {0.3854166666666667, u"h:mm A/P", false, u"9:15 a"},
        {45000.75, u"h:mm a/p", false, u"6:00 p"},
        {45000.25, u"hh:mm am/pm", false, u"06:00 AM"},
        {0.5, u"h:mm AM/PM", false, u"12:00 PM"},
        {0.0, u"h:mm AM/PM", false, u"12:00 AM"},
        {1.0625, u"[h]:mm:ss", false, u"25:30:00"},
        {0.0104166666666667, u"mm:ss", false, u"15:00"},
        // Cut to the second (Calc shows this 22:47:41 as 22:47:40).
        {45000.500006944, u"h:mm:ss", false, u"12:00:00"},
        {25967.949780092593, u"dd/mmm/yy h:mm:s", false, u"03/Feb/71 22:47:41"},
        // Elapsed counts run past a day and are cut, not rounded, to whole units.
        {1.5, u"[h]", false, u"36"},
        {1.5, u"[hh]", false, u"36"},
        {1.5, u"[m]", false, u"2160"},
        {1.5, u"[ss]", false, u"129600"},
        {1.5, u"[h] \"hours\"", false, u"36 hours"},
        {1.5, u"[mm]:ss", false, u"2160:00"},
        {0.01, u"[hh]", false, u"00"},
        {0.01, u"[h]:mm:ss", false, u"0:14:24"},
        {1.99999, u"[h]:mm", false, u"47:59"},
        {52320.359262152779, u"[h]:mm:ss", false, u"1255688:37:20"},  // Calc: "#FMT" past 2^32 s
        // Below zero an elapsed count shows after a minus sign, unless it shows as zero;
        // a time of day shows as the number.
        {-1 / 24.0, u"[h]:mm", false, u"-1:00"},
        {-1 / 24.0, u"[mm]:ss", false, u"-60:00"},
        {-1.5, u"[h]:mm:ss", false, u"-36:00:00"},
        {-0.7 / 86400, u"[h]:mm:ss", false, u"-0:00:01"},
        {-0.3 / 86400, u"[h]:mm:ss", false, u"0:00:00"},
        {-1 / 24.0, u"\"at\" [h]:mm", false, u"-at 1:00"},
        {-0.25, u"h:mm", false, u"-0.25"},
        // Fractions of a second: rounded, but cut where they would reach the next second.
        {307.3 / 86400, u"mm:ss.0", false, u"05:07.3"},
        {307.35 / 86400, u"mm:ss.0", false, u"05:07.4"},
        {59.96 / 86400, u"mm:ss.0", false, u"00:59.9"},
        {0.0104166666666667, u"mm:ss.0", false, u"15:00.0"},
        {0.999999, u"hh:mm:ss.0", false, u"23:59:59.9"},
        {307.3 / 86400, u"h:mm:ss.00", false, u"0:05:07.30"},
        {-307.3 / 86400, u"[mm]:ss.0", false, u"-05:07.3"},
        {-0.06 / 86400, u"[mm]:ss.0", false, u"-00:00.1"},
        {46389.60416666666, u"yyyy-mm-dd hh:mm:ss.000", false, u"2027-01-02 14:30:00.000"},
        {46389.6041666, u"hh:mm:ss.00", false, u"14:29:59.99"},
        {46389.60416666666, u"h:mm:ss.00 AM/PM", false, u"2:30:00.00 PM"},
        // In an elapsed count a rounded fraction carries into the next second.
        {59.96 / 86400, u"[mm]:ss.0", false, u"01:00.0"},
        {3599.96 / 86400, u"[h]:mm:ss.0", false, u"1:00:00.0"},
        {-59.96 / 86400, u"[mm]:ss.0", false, u"-01:00.0"},
        {3599.9996 / 86400, u"[h]:mm:ss.000", false, u"1:00:00.000"},
        // The count rounds to the shown digits straight from the value, as Calc does, not
        // first to what fifteen digits leave: half a millisecond from a step, as Calc
        // stores it (0.9995 s, 90,000.0005 s and 3,888,012,345.9995 s, each a little short).
        {1.1568287037037E-005, u"[hh]:mm:ss.000", false, u"00:00:00.999"},
        {1.0416666724537, u"[hh]:mm:ss.000", false, u"25:00:00.000"},
        {45000.1428935127, u"[hh]:mm:ss.000", false, u"1080003:25:45.999"},
        // A value below zero takes the second section, without a minus sign of its own,
        // and zero the third; a text section ("@") is not one of them.
        {-1.5, u"[h]:mm;([h]:mm)", false, u"(36:00)"},
        {-1.5, u"[h]:mm;;", false, u""},
        {0, u"[h]:mm;;", false, u""},
        {0, u"[h]:mm;([h]:mm)", false, u"0:00"},
        {0, u"[h]:mm;([h]:mm);\"zero\"", false, u"zero"},
        {-0.25, u"h:mm;(h:mm)", false, u"(6:00)"},
        {-0.3 / 86400, u"[h]:mm:ss;([h]:mm:ss)", false, u"(0:00:00)"},
        {-59.96 / 86400, u"mm:ss.0;[Red]-mm:ss.0", false, u"-00:59.9"},
        {-0.5, u"[h]:mm;[h]:mm;[h]:mm;[h]:mm", false, u"12:00"},
        {-1.5, u"[h]:mm;[Red]\"neg\"", false, u"neg"},
        {-1.5, u"[h]:mm;0.00", false, u"1.5"},  // Calc: "1.50"
        {-1.5, u"[h]:mm;@", false, u"-36:00"},
        {0, u"yyyy-mm-dd;;\"n\";@", false, u"n"},
        // Colours and conditions leave the text as the rest of the code makes it.
        {45000.5, u"[Red]yyyy-mm-dd", false, u"2023-03-15"},
        {45000.5, u"[Red]d/m/yyyy", false, u"15/3/2023"},
        {45000.5, u"[Color 10]d/m/yyyy", false, u"15/3/2023"},
        {45000.5, u"[>=100]yyyy-mm-dd", false, u"2023-03-15"},
        {45000.5, u"[Blue][>=100]yyyy-mm-dd;0", false, u"2023-03-15"},
        // The date systems: day 1, the 1900 system's 29 February, the 1904 epoch.
        {1, u"yyyy-mm-dd", false, u"1900-01-01"},
        {59, u"yyyy-mm-dd", false, u"1900-02-28"},
        {60, u"yyyy-mm-dd", false, u"1900-02-29"},
        {61, u"yyyy-mm-dd", false, u"1900-03-01"},
        {0, u"yyyy-mm-dd", true, u"1904-01-01"},
        {44927, u"yyyy-mm-dd", true, u"2027-01-02"},
        {2958465, u"yyyy-mm-dd", false, u"9999-12-31"},
        // Formats that are not common fall back to ISO 8601.
        {46389, u"[$-F800]dddd, mmmm dd, yyyy", false, u"2027-01-02"},
        {46389.604178240741, u"[$-F400]h:mm:ss AM/PM", false, u"2027-01-02 14:30:01"},
        {7.12345 / 86400, u"ss.0000", false, u"00:00:07"},
        {307.3 / 86400, u"h:mm.0", false, u"00:05:07"},
        {46389, u"yyyy-mm-dd #", false, u"2027-01-02"},
        // Outside the calendar: the number.
        {-1, u"yyyy-mm-dd", false, u"-1"},
        {2958466, u"yyyy-mm-dd", false, u"2958466"},
        {-1e300, u"hh:mm:ss;hh:mm:ss", false, u"-1E+300"},
    };
    int i = 0;
    for (const Row &row : rows) {
        EXPECT_EQ(Date_Cell_Text(row.value, QStringView(row.code), row.date1904), QString::fromUtf16(row.shown))
            << "row " << i;
        ++i;
    }
}

// A time of day cuts its units where an elapsed count rounds them: no next minute,
// hour or day for a value just short of one.
TEST(CellDisplay, ClockTimesAreCutToTheirUnits)
{
    expectShown({
        {86399.95 / 86400, u"hh:mm:ss", u"23:59:59"},
        {59.96 / 86400, u"h:mm", u"0:00"},
        {3599.96 / 86400, u"hh:mm:ss", u"00:59:59"},
        {43199.7 / 86400, u"h:mm AM/PM", u"11:59 AM"},
        {21600.05 / 86400, u"mm:ss.0", u"00:00.0"},  // a little less than 21600.05 s in binary
        {45000 + 43199.6 / 86400, u"yyyy-mm-dd hh:mm:ss", u"2023-03-15 11:59:59"},
        {45000 + 86399.4 / 86400, u"yyyy-mm-dd hh:mm", u"2023-03-15 23:59"},
        {45000 + 86399.6 / 86400, u"yyyy-mm-dd hh:mm:ss", u"2023-03-16 00:00:00"},  // as in Calc, with a date
        // Some fifteen digits from a whole second are that second.
        {0.604166666666666, u"h:mm:ss", u"14:30:00"},
        {46389.6041666666, u"h:mm:ss", u"14:29:59"},
        {0.547210648148147, u"hh:mm:ss", u"13:07:59"},
        // The seconds rounded to what fifteen digits leave before the fraction rounds
        // (6 h and 0.05 s as Calc stores it); with a date, counted from 1970-01-01.
        {0.250000578703704, u"mm:ss.0", u"00:00.0"},
        {30867.6454398148, u"yyyy-mm-dd hh:mm:ss", u"1984-07-04 15:29:25"},
        {1.0416666724537, u"hh:mm:ss.000", u"01:00:00.001"},  // "25:00:00.000" in "[hh]:mm:ss.000"
        {1.1568287037037E-005, u"hh:mm:ss.000", u"00:00:00.999"},
        {45000.1428935127, u"hh:mm:ss.000", u"03:25:45.999"},
        // The day taken to fifteen significant digits, not seventeen: a value a few units of
        // the last place short of a day is that day.
        {0.9999999999999999, u"hh:mm:ss", u"00:00:00"},
        {45000.99999999999, u"hh:mm:ss", u"00:00:00"},
        // A date alone is the value's own day (23:59:59.5 and 23:59:59.995).
        {45000.999994212965, u"yyyy-mm-dd", u"2023-03-15"},
        {30867.99999994213, u"dd.mm.yyyy", u"04.07.1984"},
    });
}

// The fraction left over a clock's whole seconds, half a step from where a digit
// rounds as Calc stores the value (4.385 s, 0.145 s and 6.3245 s, each a little short),
// rounds up as Calc shows it; an elapsed count rounds straight from the value.
TEST(CellDisplay, FractionsOfASecondRoundAsCalcShowsThem)
{
    expectShown({
        {5.07523148148148e-05, u"mm:ss.00", u"00:04.39"},
        {1.67824074074074e-06, u"mm:ss.00", u"00:00.15"},
        {7.32002314814815e-05, u"hh:mm:ss.000", u"00:00:06.325"},
        {5.07523148148148e-05, u"[mm]:ss.00", u"00:04.39"},
        {1.67824074074074e-06, u"[mm]:ss.00", u"00:00.15"},
        {7.32002314814815e-05, u"[hh]:mm:ss.000", u"00:00:06.325"},
    });
}

// Elapsed seconds with a fraction show the count, padded as the code asks, and the
// fraction rounded to its digits, carrying into the next second.
TEST(CellDisplay, ElapsedSecondsShowWithTheirFraction)
{
    expectShown({
        {5.07523148148148e-05, u"[ss].00", u"04.39"},
        {5.07523148148148e-05, u"[ss].0", u"04.4"},
        {5.07523148148148e-05, u"[ss].000", u"04.385"},
        {5.07523148148148e-05, u"[s].00", u"4.39"},
        {1.67824074074074e-06, u"[ss].00", u"00.15"},
        {1.5, u"[ss].00", u"129600.00"},
        {59.96 / 86400, u"[ss].0", u"60.0"},
        {-1 / 24.0, u"[ss].00", u"-3600.00"},
        {5.07523148148148e-05, u"[ss].0000", u"00:00:04"},  // finer than milliseconds: ISO 8601
    });
}

// What a sheet in an English setting shows for the East Asian built-in formats, which
// a workbook names by their ids alone.
TEST(CellDisplay, EastAsianBuiltinFormatsShowAsInAnEnglishSetting)
{
    const QString date = QStringLiteral("1/3/2023"), time = QStringLiteral("7:12:00");  // of 44929.3
    for (int id = 27; id <= 58; ++id) {
        if (id > 36 && id < 50) continue;
        const QString shown = Date_Cell_Text(44929.3, Builtin_Date_Format(id), false);
        EXPECT_EQ(shown, id >= 32 && id <= 35 ? time : date) << id;
    }
    EXPECT_EQ(Date_Cell_Text(45000.75, Builtin_Date_Format(31), false), "3/15/2023");
    EXPECT_EQ(Date_Cell_Text(45000.75, Builtin_Date_Format(33), false), "18:00:00");
}

// Value attributes of other programs' ods cells: dates and durations as the readers
// show a date without a format.
TEST(CellDisplay, IsoDatesAndDurationsShowWithoutAFormat)
{
    struct Row {
        const char16_t *iso, *shown;
    } dates[] = {
        {u"2027-01-02", u"2027-01-02"},
        {u"2027-01-02T00:00:00", u"2027-01-02"},
        {u"2027-01-02T14:30:00", u"2027-01-02 14:30"},
        {u"2027-01-02T14:30:15", u"2027-01-02 14:30:15"},
        {u"2027-01-02T14:30:15.6Z", u"2027-01-02 14:30:16"},
        {u"2027-12-31T23:59:59.7", u"2028-01-01"},
        {u"1850-05-06", u"1850-05-06"},
        {u"2027-02-30", u"2027-02-30"},
        {u"2027-01-02T25:00:00", u"2027-01-02T25:00:00"},
        {u"soon", u"soon"},
    }, durations[] = {
        {u"PT14H30M00S", u"14:30"},
        {u"PT09H15M30S", u"09:15:30"},
        {u"PT36H", u"36:00"},
        {u"P1DT2H", u"26:00"},
        {u"PT0H1M0.5S", u"00:01:01"},
        {u"-PT1H30M", u"-01:30"},
        {u"PT0S", u"00:00"},
        {u"P1Y", u"P1Y"},
        {u"PT1M2H", u"PT1M2H"},
        {u"PT", u"PT"},
        {u"PT5", u"PT5"},
        {u"14:30", u"14:30"},
    };
    for (const Row &row : dates)
        EXPECT_EQ(Iso_Date_Text(QStringView(row.iso)), QString::fromUtf16(row.shown)) << QString::fromUtf16(row.iso).toStdString();
    for (const Row &row : durations)
        EXPECT_EQ(Iso_Duration_Text(QStringView(row.iso)), QString::fromUtf16(row.shown)) << QString::fromUtf16(row.iso).toStdString();
}

TEST(CellDisplay, IsoDateCellsGiveTheirSerialNumbers)
{
    struct Row {
        const char16_t *iso;
        bool date1904;
        double serial;
    } rows[] = {
        {u"2027-01-02", false, 46389},           {u"2027-01-02T00:00:00", false, 46389},
        {u"2027-01-02T14:30:00Z", false, 46389.604166666664}, {u"1900-01-01", false, 1},
        {u"2027-01-02", true, 44927},            {u"09:15:00", false, 0.3854166666666667},
    };
    for (const Row &row : rows) {
        double serial = -1;
        ASSERT_TRUE(Iso_To_Serial(QStringView(row.iso), row.date1904, &serial)) << QString::fromUtf16(row.iso).toStdString();
        EXPECT_NEAR(serial, row.serial, 1e-9) << QString::fromUtf16(row.iso).toStdString();
    }
    double serial = 0;
    for (const char16_t *bad : {u"", u"tomorrow", u"2027-13-01", u"1899-01-01", u"25:00"})
        EXPECT_FALSE(Iso_To_Serial(QStringView(bad), false, &serial)) << QString::fromUtf16(bad).toStdString();
}

TEST(CellDisplay, NumbersShowAsInTheGeneralFormat)
{
    struct Row {
        const char16_t *stored, *shown;
    } rows[] = {
        {u"42", u"42"},
        {u"10000000", u"10000000"},
        {u"1.0E7", u"10000000"},
        {u"1e+07", u"10000000"},
        {u"10000000.0", u"10000000"},
        {u"0.30000000000000004", u"0.3"},
        {u"3.5", u"3.5"},
        {u"-7", u"-7"},
        {u"-0.0", u"0"},
        {u"1.5E-3", u"0.0015"},
        {u"123456789012345", u"123456789012345"},
        {u"1e+20", u"1E+20"},
        {u"1.234567890123457e+16", u"1.23456789012346E+16"},
        {u"1e-12", u"1E-12"},
        {u"not a number", u"not a number"},
        {u"", u""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Number_Cell_Text(QStringView(row.stored)), QString::fromUtf16(row.shown))
            << QString::fromUtf16(row.stored).toStdString();
}

} // namespace cell_display_test
