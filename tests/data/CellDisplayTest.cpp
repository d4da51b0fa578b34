// Number cells as a workbook shows them: which formats are dates, how a serial number
// shows in each, and numbers in the General format.
#include "CellDisplay.h"

#include <gtest/gtest.h>

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
    };
    for (const Row &row : rows)
        EXPECT_EQ(Is_Date_Format(QStringView(row.code)), row.date) << QString::fromUtf16(row.code).toStdString();
    for (int id : {14, 15, 16, 17, 18, 19, 20, 21, 22, 45, 46, 47}) {
        EXPECT_FALSE(Builtin_Date_Format(id).isEmpty()) << id;
        EXPECT_TRUE(Is_Date_Format(Builtin_Date_Format(id))) << id;
    }
    for (int id : {0, 1, 2, 3, 4, 9, 10, 11, 12, 13, 23, 37, 44, 48, 49, 164})
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
        {0.3854166666666667, u"h:mm A/P", false, u"9:15 A"},
        {0.5, u"h:mm AM/PM", false, u"12:00 PM"},
        {0.0, u"h:mm AM/PM", false, u"12:00 AM"},
        {1.0625, u"[h]:mm:ss", false, u"25:30:00"},
        {0.0104166666666667, u"mm:ss", false, u"15:00"},
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
        {46389.60416666666, u"yyyy-mm-dd hh:mm:ss.000", false, u"2027-01-02 14:30"},
        {46389.604178240741, u"[$-F400]h:mm:ss AM/PM", false, u"2027-01-02 14:30:01"},
        {0.0104166666666667, u"mm:ss.0", false, u"00:15"},
        {46389, u"yyyy-mm-dd #", false, u"2027-01-02"},
        // Outside the calendar: the number.
        {-1, u"yyyy-mm-dd", false, u"-1"},
        {2958466, u"yyyy-mm-dd", false, u"2958466"},
    };
    int i = 0;
    for (const Row &row : rows) {
        EXPECT_EQ(Date_Cell_Text(row.value, QStringView(row.code), row.date1904), QString::fromUtf16(row.shown))
            << "row " << i;
        ++i;
    }
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
