// Workbooks checked against LibreOffice (slow: a few cases only). Skipped when
// LibreOffice is not installed.
#include "Checkers.h"
#include "Globals.h"
#include "SpreadsheetWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

const char *const kCsv = "csv:Text - txt - csv (StarCalc):44,34,76,1";

class LibreOffice : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (checkers::soffice().isEmpty()) GTEST_SKIP() << "LibreOffice is not installed";
    }
    QByteArray csvOf(const QString &xlsx)
    {
        const QString csv = checkers::convert(xlsx, QString::fromLatin1(kCsv), dir.path() + "/csv");
        QFile f(csv);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no csv>");
    }
    QTemporaryDir dir;
};

// Seeded date and time format codes of the common kinds, made of day, month, year,
// hour, minute, second and AM/PM parts between separators.
class CodeMaker {
public:
    explicit CodeMaker(unsigned seed) : m_rng(seed) {}

    int below(int n) { return int(m_rng() % unsigned(n)); }

    // A format code and a number to show in it: a serial number of 1900-03-01 to
    // 2099-12-31 for a date or a time, up to 1,000 days for an elapsed count (Calc
    // shows "#FMT" for counts past 2^32 seconds), always a quarter of a second past a
    // whole second (Calc cuts the fraction where this reader rounds it, and cuts some
    // whole seconds one short).
    std::pair<double, QString> cell()
    {
        QString code;
        int days = 61 + below(73050 - 61);
        switch (below(6)) {
        case 0: case 1: code = date(); break;
        case 2: code = time(); break;
        case 3: code = elapsed(), days = below(1000); break;
        default: code = date() + u' ' + time(); break;
        }
        if (below(10) == 0) code = pick({"\"on \"", "\"at\" "}) + code;
        if (below(8) == 0) code = pick({"[Red]", "[Blue]", "[Color 10]"}) + code;  // a colour comes first
        return {days + (below(86400) + 0.25) / 86400.0, code};
    }

    // A time or an elapsed count, with fractions of a second half the time, in a code
    // of one, two or three sections, and a number to show in it: below zero in one
    // section for an elapsed count only (Calc shows a date or a time of day before its
    // epoch), else in the second section; zero only in a third. Where the code shows
    // fractions or an elapsed count, the fraction is some thousandths clear of where
    // digits round, or just short of a whole second.
    std::pair<double, QString> signedCell()
    {
        const bool count = below(2);
        const int decimals = below(2) ? 0 : 1 + below(3);
        QString code = count ? elapsed(decimals) : below(2) ? time(decimals) : date() + u' ' + time(decimals);
        const int days = count ? below(1000) : 61 + below(73050 - 61);
        double fraction = 0.25;
        if (count || decimals > 0) {
            const double close[] = {0.96, 0.996, 0.9996, (below(1000) + 0.4) / 1000};
            fraction = close[below(4)];
        }
        double value = days + (below(86400) + fraction) / 86400.0;
        switch (below(4)) {
        case 0: value = count && below(2) ? -value : value; break;
        case 1: code += ";(" + code + u')'; value = -value; break;
        case 2: code += ";[Red]-" + code; value = -value; break;
        default:
            code += below(2) ? QStringLiteral(";;") : ";(" + code + ");\"zero\"";
            value = below(2) ? 0.0 : -value;
            break;
        }
        return {value, code};
    }

private:
    QString pick(std::initializer_list<const char *> texts) { return QString::fromLatin1(texts.begin()[below(int(texts.size()))]); }

    QString date()
    {
        const QString d = pick({"d", "dd"}), m = pick({"m", "mm", "mmm", "mmmm"}), y = pick({"yy", "yyyy"});
        const QString sep = pick({"/", "-", ".", " ", ", "});
        switch (below(7)) {
        case 0: return d + sep + m + sep + y;
        case 1: return m + sep + d + sep + y;
        case 2: return y + sep + m + sep + d;
        case 3: return d + sep + m;
        case 4: return m + sep + y;
        case 5: return pick({"ddd", "dddd"}) + ", " + m + u' ' + d + ", " + y;
        default: return pick({"ddd", "dddd"}) + u' ' + d + sep + m + sep + y;
        }
    }

    QString time(int decimals = 0)
    {
        QString out = pick({"h", "hh"}) + u':' + pick({"m", "mm"});
        if (below(2) || decimals > 0) out += u':' + pick({"s", "ss"}) + fractionOf(decimals);
        if (below(2)) out += u' ' + pick({"AM/PM", "am/pm", "A/P", "a/p"});
        return out;
    }

    // ".0" to ".000" for a second's fraction of 1 to 3 digits; empty for none.
    static QString fractionOf(int decimals) { return decimals > 0 ? u'.' + QString(decimals, u'0') : QString(); }

    QString elapsed(int decimals = 0)
    {
        if (decimals > 0)
            return pick({"[h]:mm:ss", "[hh]:mm:ss", "[m]:ss", "[mm]:ss"}) + fractionOf(decimals);
        switch (below(4)) {
        case 0: return pick({"[h]", "[hh]"}) + u':' + pick({"m", "mm"}) + (below(2) ? ":ss" : "");
        case 1: return pick({"[m]", "[mm]"}) + ":ss";
        case 2: return pick({"[h]", "[mm]", "[ss]"});
        default: return pick({"[h]", "[m]", "[s]"}) + pick({" \"hours\"", " \"min\"", " \"s\""});
        }
    }

    std::mt19937 m_rng;
};

// A line of Calc's csv output as the cell's text (quotes of text cells taken off).
QString csvCell(const QByteArray &line)
{
    QString cell = QString::fromUtf8(line);
    if (cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"'))
        cell = cell.sliced(1, cell.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return cell;
}

} // namespace

TEST_F(LibreOffice, WorkbookSavedByCalcReadsRight)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    const QString made = dir.path() + "/staff.xlsx";
    ASSERT_EQ(checkers::writeStaffWorkbook(made), "");
    const QString saved = checkers::convert(made, "xlsx", dir.path() + "/calc");
    ASSERT_FALSE(saved.isEmpty());
    SpreadsheetWriter reader;
    reader.ReadWorkbook(saved, true);
    EXPECT_EQ(reader.Sheet_List(), QStringList({"sheet1", "sheet2"}));
    EXPECT_EQ(reader.ReadData_only_column(), SheetRows({{"Name", "Untitled Column 2", "Photo"}}));
    EXPECT_EQ(reader.ReadWorkbook(saved, false), SheetRows({{"Name", "", "Photo"}, {"a", "", "c"}, {"42", "TRUE", ""}}));
    reader.Excel_Sheet_Number = 2;
    reader.ReadData_only_column();
    EXPECT_EQ(reader.ReadWorkbook(saved, false), SheetRows({{"second"}}));
}

TEST_F(LibreOffice, WrittenWorkbooksOpenWithTheirValues)
{
    const QString batch = dir.path() + "/batch.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(batch, {{"Batch Value"}, {"10"}, {"20"}, {"abc"}}, false, Resource_Path));
    EXPECT_EQ(csvOf(batch), "\"Batch Value\"\n10\n20\n\"abc\"\n");  // text cells quoted

    const QString tricky = dir.path() + "/tricky.xlsx";
    const QStringList texts = {"0123", "3,5", "12345678901234567", " lead", "_x0041_", "a\x01" "b"};
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(tricky, {texts}, false, Resource_Path));
    EXPECT_EQ(csvOf(tricky), "\"0123\",\"3,5\",\"12345678901234567\",\" lead\",\"_x0041_\",\"a\x01" "b\"\n");
}

TEST_F(LibreOffice, Xml2003FileOpensWithItsValues)
{
    const SheetRows rows = {{"Name", "Count"}, {"Zoë", "12"}};
    const QString ours = dir.path() + "/ours.xml";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorksheetXML2004(ours, rows));
    EXPECT_EQ(csvOf(ours), "\"Name\",\"Count\"\n\"Zoë\",12\n");
}

TEST_F(LibreOffice, OdsFilesTravelBothWays)
{
    const QString ours = dir.path() + "/ours.ods";
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(ours, {{"Name", "Count"}, {"Zoë", "12"}}, false, Resource_Path));
    EXPECT_EQ(csvOf(ours), "\"Name\",\"Count\"\n\"Zoë\",\"12\"\n");  // every cell a string

    const QString xlsx = dir.path() + "/book.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(xlsx, {{"Name", "Count"}, {"Zoë", "12"}}, false, Resource_Path));
    const QString calc = checkers::convert(xlsx, "ods", dir.path() + "/calc");
    ASSERT_FALSE(calc.isEmpty());
    // Calc fills rows out with repeated empty cells and rows, which read as they stand.
    const SheetRows read = SpreadsheetWriter::ReadODS(calc);
    ASSERT_GE(read.size(), 2);
    EXPECT_EQ(read[0].mid(0, 2), QStringList({"Name", "Count"}));
    EXPECT_EQ(read[1].mid(0, 2), QStringList({"Zoë", "12"}));
    EXPECT_EQ(read[1].mid(2).join(""), "");
}

TEST_F(LibreOffice, ControlCharactersDoNotSpoilOdsOrXml2003Files)
{
    const QString cell = QStringLiteral("a\x1B" "b\x0B" "c") + QChar(0) + QStringLiteral("d");
    const QString ods = dir.path() + "/control.ods", xml = dir.path() + "/control.xml";
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(ods, {{"Title"}, {cell}}, false, Resource_Path));
    ASSERT_TRUE(SpreadsheetWriter::WriteWorksheetXML2004(xml, {{"Title"}, {cell}}));
    EXPECT_EQ(QString::fromUtf8(csvOf(ods)), QString::fromUtf8("\"Title\"\n\"a\uFFFDb\uFFFDc\uFFFDd\"\n"));
    EXPECT_EQ(QString::fromUtf8(csvOf(xml)), QString::fromUtf8("\"Title\"\n\"a\uFFFDb\uFFFDc\uFFFDd\"\n"));
}

TEST_F(LibreOffice, DatesReadAlikeFromCalcsWorkbookAndOdsFile)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    const QString made = dir.path() + "/dates.xlsx";
    ASSERT_EQ(checkers::writeDatesWorkbook(made), "");
    const QString saved = checkers::convert(made, "xlsx", dir.path() + "/calc");
    const QString ods = checkers::convert(made, "ods", dir.path() + "/calc");
    ASSERT_FALSE(saved.isEmpty());
    ASSERT_FALSE(ods.isEmpty());
    SpreadsheetWriter reader;
    reader.ReadWorkbook(saved, true);
    reader.ReadData_only_column();
    const SheetRows xlsxRows = reader.ReadWorkbook(saved, false);
    ASSERT_EQ(xlsxRows.size(), 3);
    EXPECT_EQ(xlsxRows[1], QStringList({"Ann", "2027-01-02", "2027-01-02 14:30:00", "9:15:00", "10000000", "0.3"}));
    EXPECT_EQ(xlsxRows[2], QStringList({"Bob", "31/12/1999", "1/2/2027", "", "1E+20", "3.5"}));
    // The ods file shows the same texts, as Calc wrote them (Calc writes three
    // digits of exponent).
    SheetRows odsRows = SpreadsheetWriter::ReadODS(ods);
    ASSERT_EQ(odsRows.size(), 3);
    EXPECT_EQ(odsRows[2][4], "1E+020");
    odsRows[2][4] = "1E+20";
    EXPECT_EQ(odsRows, xlsxRows);
}

// Number cells in date and time formats read as Calc shows them: the East Asian
// built-in formats (named by id alone), elapsed counts, colours and conditions, and
// a few hundred seeded common codes on seeded serial numbers, then times and elapsed
// counts with fractions of a second (some half a step from where a digit rounds), values
// below zero and sections for them and for zero, and values just short of a carry. One
// workbook, one conversion.
TEST_F(LibreOffice, DateAndTimeCellsReadAsCalcShowsThem)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    QList<std::pair<double, QString>> cells;
    for (int id = 27; id <= 58; ++id) {
        if (id > 36 && id < 50) continue;
        cells.append({44929.3, QStringLiteral("#%1").arg(id)});
        cells.append({45000.75, QStringLiteral("#%1").arg(id)});
    }
    for (const char *code : {"[h]", "[hh]", "[m]", "[mm]", "[s]", "[ss]", "[h] \"hours\"", "[h]:mm:ss", "[mm]:ss",
                             "[hh]:mm", "[ss] \"s\""}) {
        for (double value : {1.5, 0.01, 1.99999, 0.7, 3.25})
            cells.append({value, QString::fromLatin1(code)});
    }
    for (const char *code : {"[Red]yyyy-mm-dd", "[Red]d/m/yyyy", "[Color 10]d/m/yyyy", "[>=100]yyyy-mm-dd",
                             "[Blue][>=100]yyyy-mm-dd;0", "h:mm a/p", "h:mm A/P", "hh:mm am/pm", "h:mm:ss AM/PM"}) {
        for (double value : {45000.5, 45000.75, 45000.25})
            cells.append({value, QString::fromLatin1(code)});
    }
    // Just short of a carry a time of day cuts its units, an elapsed count rounds them.
    for (const char *code : {"hh:mm:ss", "h:mm", "h:mm AM/PM", "mm:ss.0", "ss.00", "h:mm:ss.000", "[h]:mm:ss",
                             "[mm]:ss.0"}) {
        for (double seconds : {86399.95, 59.96, 3599.96, 21600.05, 0.999999, 43199.7})
            cells.append({seconds / 86400, QString::fromLatin1(code)});
    }
    for (const char *code : {"yyyy-mm-dd hh:mm", "d/m/yy h:mm:ss.0"}) {
        for (double seconds : {43199.7, 3599.96, 21600.05, 82060.96, 86399.4, 86399.6, 86399.95})
            cells.append({45000 + seconds / 86400, QString::fromLatin1(code)});
    }
    for (double value : {0.604166666666666, 46389.6041666666, 46389.60416666666, 45000.7})
        cells.append({value, QStringLiteral("h:mm:ss")});
    // As Calc stores them, to fifteen significant digits: a date alone from 23:59:59.5 on;
    // times, with a date or not, near where a digit of the fraction rounds and a few
    // units of the last place short of a whole second.
    const auto stored = [](double value) { return QString::number(value, 'g', 15).toDouble(); };
    for (double day : {100.0, 30867.0, 45000.0}) {
        for (double seconds : {86399.5, 86399.9, 86399.995, 86399.9994, 86399.9996, 86399.99999}) {
            cells.append({stored(day + seconds / 86400), QStringLiteral("yyyy-mm-dd")});
            cells.append({stored(day + seconds / 86400), QStringLiteral("dd.mm.yyyy")});
        }
    }
    cells.append({0.250000578703704, QStringLiteral("mm:ss.0")});
    std::mt19937 rng(20261209);
    const double days[] = {0, 100, 30867, 45000, 2958000};
    for (int i = 0; i < 300; ++i) {
        const double day = days[rng() % 5];
        const QString date = day > 0 ? QStringLiteral("yyyy-mm-dd ") : QString();
        const int decimals = int(rng() % 4);
        double value = day + double(rng() % 86400) / 86400;
        if (i % 2 && decimals > 0) {
            const double step = std::pow(10.0, -decimals), offset = (double(rng() % 25) - 12) * 1e-8;
            value += ((rng() % int(1 / step + 0.5) + 0.5) * step + offset) / 86400;
        } else {
            for (int k = int(rng() % 6); k >= 0; --k) value = std::nextafter(value, 0.0);
        }
        const QString fraction = decimals > 0 ? u'.' + QString(decimals, u'0') : QString();
        cells.append({stored(value), date + QStringLiteral("hh:mm:ss") + fraction});
    }
    // Elapsed counts with fractions, as Calc stores them, half a step from where a digit
    // rounds and a little either side: the count rounds straight from the value where a
    // time of day first rounds its seconds to what fifteen digits leave (0.9995 s,
    // 90,000.0005 s and 3,888,012,345.9995 s, each a little short, among them).
    for (double value : {1.1568287037037E-005, 1.0416666724537, 45000.1428935127}) {
        cells.append({value, QStringLiteral("[hh]:mm:ss.000")});
        cells.append({value, QStringLiteral("hh:mm:ss.000")});
    }
    const char *const counts[] = {"[h]:mm:ss", "[hh]:mm:ss", "[m]:ss", "[mm]:ss"};
    const double countDays[] = {0, 1, 100, 12345, 45000};  // Calc shows "#FMT" past 2^32 s
    for (int i = 0; i < 200; ++i) {
        const int decimals = 1 + int(rng() % 3);
        const double step = std::pow(10.0, -decimals);
        const double offset = (double(rng() % 25) - 12) * 1e-8;
        const double seconds = double(rng() % 86400) + (double(rng() % unsigned(1 / step + 0.5)) + 0.5) * step + offset;
        const double day = countDays[rng() % 5];
        const QString code = QString::fromLatin1(counts[rng() % 4]) + u'.' + QString(decimals, u'0');
        cells.append({stored(day + seconds / 86400), code});
    }
    // Clock and elapsed codes on values half a step from where a digit of the fraction
    // rounds, as Calc stores them (4.385 s, 0.145 s and 6.3245 s among them).
    for (double value : {5.07523148148148e-05, 1.67824074074074e-06, 7.32002314814815e-05}) {
        for (const char *code : {"mm:ss.00", "[mm]:ss.00", "hh:mm:ss.000", "[hh]:mm:ss.000"})
            cells.append({value, QString::fromLatin1(code)});
    }
    for (int i = 0; i < 200; ++i) {
        const bool milli = i % 2;
        const double step = milli ? 0.001 : 0.01;
        const double seconds = (double(rng() % (milli ? 120000u : 12000u)) + 0.5) * step;  // below 120 s
        const char *const codes[] = {"mm:ss.00", "[mm]:ss.00", "hh:mm:ss.000", "[h]:mm:ss.000"};
        cells.append({stored(seconds / 86400), QString::fromLatin1(codes[(milli ? 2 : 0) + rng() % 2])});
    }
    CodeMaker maker(20261208);
    for (int i = 0; i < 300; ++i) cells.append(maker.cell());
    for (int i = 0; i < 200; ++i) cells.append(maker.signedCell());
    const QString book = dir.path() + "/formats.xlsx";
    ASSERT_EQ(checkers::writeFormatsWorkbook(book, cells), "");
    SpreadsheetWriter reader;
    reader.ReadWorkbook(book, true);
    reader.ReadData_only_column();
    const SheetRows ours = reader.ReadWorkbook(book, false);
    const QList<QByteArray> calc = csvOf(book).split('\n');
    ASSERT_EQ(ours.size(), cells.size());
    ASSERT_GE(calc.size(), cells.size());
    int differ = 0;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QString theirs = csvCell(calc[i]);
        if (ours[i].value(0) == theirs) continue;
        ++differ;
        ADD_FAILURE() << "row " << i + 1 << ": " << cells[i].second.toStdString() << " on "
                      << QString::number(cells[i].first, 'g', 17).toStdString() << " reads \""
                      << ours[i].value(0).toStdString() << "\", Calc shows \"" << theirs.toStdString() << '"';
    }
    EXPECT_EQ(differ, 0);
}
