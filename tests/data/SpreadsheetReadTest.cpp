#include "Checkers.h"
#include "SpreadsheetWriter.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace spreadsheet_read_test {

namespace {

const char *const kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

// Shared strings: "a", a rich-text item "Rich" (with a phonetic run), "c", " A ".
const char *const kSharedStrings =
    "<si><t>a</t></si>"
    "<si><r><rPr><b/></rPr><t>Ri</t></r><r><t>ch</t></r><rPh sb=\"0\" eb=\"1\"><t>ri</t></rPh></si>"
    "<si><t>c</t></si>"
    "<si><t xml:space=\"preserve\"> _x0041_ </t></si>";

QByteArray sheet(const char *dimension, const char *data)
{
    QByteArray xml = QByteArray("<?xml version=\"1.0\"?>\n<worksheet xmlns=\"") + kMain + "\">";
    if (dimension) xml += QByteArray("<dimension ref=\"") + dimension + "\"/>";
    return xml + "<sheetData>" + data + "</sheetData></worksheet>";
}

// Packs the parts (name -> content) into an xlsx file in `dir`.
QString workbook(const QString &dir, const QList<std::pair<QString, QByteArray>> &parts)
{
    const QString root = dir + "/parts";
    QDir(root).removeRecursively();
    for (const auto &[name, content] : parts) {
        QDir().mkpath(QFileInfo(root + u'/' + name).path());
        QFile f(root + u'/' + name);
        if (!f.open(QIODevice::WriteOnly)) return {};
        f.write(content);
    }
    const QString path = dir + "/book.xlsx";
    QFile::remove(path);
    return ZipArchive::createZipFileAtPath(path, {root + "/xl"}) ? path : QString();
}

QString withSheet(const QString &dir, const QByteArray &sheetXml)
{
    return workbook(dir, {{"xl/worksheets/sheet1.xml", sheetXml},
                          {"xl/sharedStrings.xml", QByteArray("<sst xmlns=\"") + kMain + "\">" + kSharedStrings + "</sst>"}});
}

struct Read {
    SheetRows header;
    SheetRows rows;
    int columns = 0;
};

Read readAll(const QString &path, int sheetNumber = 1)
{
    SpreadsheetWriter reader;
    reader.ReadWorkbook(path, true);
    reader.Excel_Sheet_Number = sheetNumber;
    Read r;
    r.header = reader.ReadData_only_column();
    r.rows = reader.ReadWorkbook(path, false);
    r.columns = reader.Excel_Sheet_Columns;
    return r;
}

} // namespace

TEST(SpreadsheetRead, HandMadeSheetsReadAsRectangularRows)
{
    const struct {
        const char *what;
        QByteArray xml;
        SheetRows header, rows;
    } cases[] = {
        {"rows 1, 2 and 5 follow one another",
         sheet("A1:B5", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row><row r=\"2\"><c r=\"B2\"><v>2</v></c></row>"
                        "<row r=\"5\"><c r=\"A5\"><v>5</v></c></row>"),
         {{"a", "Untitled Column 2"}}, {{"a", ""}, {"", "2"}, {"5", ""}}},
        {"shared strings: rich text joined, the count and beyond give nothing",
         sheet("A1:E1", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"B1\" t=\"s\"><v>3</v></c>"
                        "<c r=\"C1\" t=\"s\"><v>4</v></c><c r=\"D1\" t=\"s\"><v>9</v></c><c r=\"E1\" t=\"s\"><v>2</v></c></row>"),
         {{"Rich", " A ", "Untitled Column 3", "Untitled Column 4", "c"}}, {{"Rich", " A ", "", "", "c"}}},
        {"value kinds: number, boolean, inline string, formulas give their cached values",
         sheet("A1:E1", "<row r=\"1\"><c r=\"A1\"><v>42</v></c><c r=\"B1\" t=\"b\"><v>1</v></c>"
                        "<c r=\"C1\" t=\"inlineStr\"><is><t>in_x000A_line</t></is></c>"
                        "<c r=\"D1\"><f>SUM(A1:A1)</f><v>42</v></c><c r=\"E1\" t=\"str\"><f>\"x\"&amp;\"y\"</f><v>xy</v></c></row>"),
         {{"42", "TRUE", "in\nline", "42", "xy"}}, {{"42", "TRUE", "in\nline", "42", "xy"}}},
        {"a one-cell dimension keeps its column",
         sheet("A1", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"), {{"a"}}, {{"a"}}},
        {"no dimension: the widest cell counts",
         sheet(nullptr, "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row><row r=\"2\"><c r=\"C2\"><v>3</v></c></row>"),
         {{"a", "Untitled Column 2", "Untitled Column 3"}}, {{"a", "", ""}, {"", "", "3"}}},
        {"a dimension starting elsewhere", sheet("AA1:AC5", "<row r=\"1\"><c r=\"AB1\"><v>7</v></c></row>"),
         {}, {}},
        {"a wider cell in row 3 pads rows 1 and 2",
         sheet("A1:B3", "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row r=\"2\"><c r=\"B2\"><v>2</v></c></row>"
                        "<row r=\"3\"><c r=\"D3\"><v>4</v></c></row>"),
         {{"1", "Untitled Column 2", "Untitled Column 3", "Untitled Column 4"}},
         {{"1", "", "", ""}, {"", "2", "", ""}, {"", "", "", "4"}}},
        {"cells without a reference follow the previous cell",
         sheet("A1:C2", "<row><c><v>1</v></c><c><v>2</v></c></row><row><c r=\"B2\"><v>5</v></c><c><v>6</v></c></row>"),
         {{"1", "2", "Untitled Column 3"}}, {{"1", "2", ""}, {"", "5", "6"}}},
        {"invalid shared-string indices are empty cells",
         sheet("A1:D1", "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>-1</v></c><c r=\"B1\" t=\"s\"><v></v></c>"
                        "<c r=\"C1\" t=\"s\"><v>abc</v></c><c r=\"D1\" t=\"s\"><v> 2 </v></c></row>"),
         {{"Untitled Column 1", "Untitled Column 2", "Untitled Column 3", "c"}}, {{"", "", "", "c"}}},
        {"trailing empty cells and rows add nothing, a dimension wider than the values neither",
         sheet("A1:Z9", "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"/><c r=\"C1\" t=\"s\"><v>9</v></c></row>"
                        "<row r=\"2\"/><row r=\"3\"><c r=\"B3\"><v>3</v></c></row><row r=\"4\"><c r=\"Z4\" s=\"1\"/></row>"
                        "<row r=\"5\"/>"),
         {{"1", "Untitled Column 2"}}, {{"1", ""}, {"", ""}, {"", "3"}}},
        {"inline strings leave out phonetic runs; elements other than cells and values are skipped",
         sheet("A1:C1", "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><r><t>in</t></r><rPh sb=\"0\" eb=\"1\"><t>x</t></rPh>"
                        "<r><t>line</t></r></is></c><c r=\"B1\"><v>2</v><extLst><t>no</t></extLst></c>"
                        "<extLst><v>9</v></extLst></row>"),
         {{"inline", "2"}}, {{"inline", "2"}}},
        {"lower-case references", sheet("a1:b1", "<row r=\"1\"><c r=\"b1\"><v>2</v></c><c r=\"a1\"><v>1</v></c></row>"),
         {{"1", "2"}}, {{"1", "2"}}},
        {"prefixed elements",
         QByteArray("<x:worksheet xmlns:x=\"") + kMain + "\"><x:dimension ref=\"A1:B1\"/><x:sheetData><x:row r=\"1\">"
             "<x:c r=\"A1\" t=\"s\"><x:v>2</x:v></x:c><x:c r=\"B1\" t=\"inlineStr\"><x:is><x:t>i</x:t></x:is></x:c>"
             "</x:row></x:sheetData></x:worksheet>",
         {{"c", "i"}}, {{"c", "i"}}},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        const Read r = readAll(withSheet(dir.path(), c.xml));
        if (QByteArray(c.what).startsWith("a dimension starting elsewhere")) {
            ASSERT_EQ(r.rows.size(), 1) << c.what;
            EXPECT_EQ(r.rows[0].size(), 28) << c.what;  // up to the last value, not the dimension
            EXPECT_EQ(r.rows[0][27], "7") << c.what;
            EXPECT_EQ(r.header[0][0], "Untitled Column 1") << c.what;
            continue;
        }
        EXPECT_EQ(r.header, c.header) << c.what;
        EXPECT_EQ(r.rows, c.rows) << c.what;
        EXPECT_EQ(r.columns, c.header.isEmpty() ? 0 : c.header[0].size()) << c.what;
    }
}

TEST(SpreadsheetRead, SheetsAreListedAndReadInNumericOrder)
{
    QTemporaryDir dir;
    const auto one = [](const char *v) { return sheet("A1", (QByteArray("<row><c><v>") + v + "</v></c></row>").constData()); };
    const QString path = workbook(dir.path(), {{"xl/worksheets/sheet10.xml", one("10")},
                                               {"xl/worksheets/sheet2.xml", one("2")},
                                               {"xl/worksheets/sheet1.xml", one("1")},
                                               {"xl/workbook.xml", QByteArray("<workbook xmlns=\"") + kMain +
                                                    "\"><sheets><sheet name=\"Staff\"/><sheet name=\"Guests\"/>"
                                                    "<sheet name=\"Old\"/></sheets></workbook>"}});
    SpreadsheetWriter reader;
    reader.ReadWorkbook(path, true);
    EXPECT_EQ(reader.Sheet_List(), QStringList({"sheet1", "sheet2", "sheet10"}));
    EXPECT_EQ(reader.Read_Sheet_Name(), QStringList({"Staff", "Guests", "Old"}));
    reader.Excel_Sheet_Number = SpreadsheetWriter::Sheet_Number("sheet10");
    reader.ReadData_only_column();
    EXPECT_EQ(reader.ReadWorkbook(path, false), SheetRows({{"10"}}));
    reader.Excel_Sheet_Number = 2;
    reader.ReadData_only_column();
    EXPECT_EQ(reader.ReadWorkbook(path, false), SheetRows({{"2"}}));
}

TEST(SpreadsheetRead, UnreadableInputGivesNoRows)
{
    QTemporaryDir dir;
    const QString text = dir.path() + "/notes.xlsx";
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is not a workbook");
    f.close();
    const QString broken = dir.path() + "/broken";
    QDir().mkpath(broken);
    const struct { const char *what; QString path; } cases[] = {
        {"missing file", dir.path() + "/missing.xlsx"},
        {"foreign file", text},
        {"sheet that is not XML", withSheet(broken, "<worksheet><sheetData><row>")},
    };
    for (const auto &c : cases) {
        const Read r = readAll(c.path);
        EXPECT_TRUE(r.header.isEmpty()) << c.what;
        EXPECT_TRUE(r.rows.isEmpty()) << c.what;
    }
    SpreadsheetWriter fresh;
    EXPECT_TRUE(fresh.ReadWorkbook({}, false).isEmpty());
    EXPECT_EQ(fresh.Excel_Sheet_Columns, 1);
}

TEST(SpreadsheetRead, WorkbookWrittenByOpenpyxl)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    QTemporaryDir dir;
    const QString path = dir.path() + "/openpyxl.xlsx";
    ASSERT_EQ(checkers::writeStaffWorkbook(path), "");
    const Read r = readAll(path);
    EXPECT_EQ(r.header, SheetRows({{"Name", "Untitled Column 2", "Photo"}}));
    EXPECT_EQ(r.rows, SheetRows({{"Name", "", "Photo"}, {"a", "", "c"}, {"42", "TRUE", ""}}));
    EXPECT_EQ(readAll(path, 2).rows, SheetRows({{"second"}}));
}

TEST(SpreadsheetRead, CellsOutOfColumnOrderStillMakeRectangularRows)
{
    QTemporaryDir dir;
    const QString path = withSheet(dir.path(), sheet("A1:B2", "<row r=\"1\"><c r=\"D1\"><v>4</v></c><c r=\"A1\"><v>1</v></c></row>"
                                                               "<row r=\"2\"><c r=\"B2\"><v>2</v></c></row>"));
    const Read r = readAll(path);
    EXPECT_EQ(r.rows, SheetRows({{"1", "", "", "4"}, {"", "2", "", ""}}));
    EXPECT_EQ(r.columns, 4);
}

TEST(SpreadsheetRead, NumberCellsShowAsTheWorkbookShowsThem)
{
    // Styles: 0 General, 1 the built-in date 14, 2 a custom date, 3 a custom number
    // format, 4 the built-in time 20; the 1904 date system when the workbook says so.
    const QByteArray styles = QByteArray("<styleSheet xmlns=\"") + kMain + "\">"
        "<numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/>"
        "<numFmt numFmtId=\"165\" formatCode=\"&quot;No. &quot;0\"/></numFmts>"
        "<cellXfs count=\"5\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
        "<xf numFmtId=\"165\"/><xf numFmtId=\"20\"/></cellXfs></styleSheet>";
    const QByteArray cells = sheet("A1:H1",
        "<row r=\"1\"><c r=\"A1\" s=\"1\"><v>46389</v></c><c r=\"B1\" s=\"2\" t=\"n\"><v>46389</v></c>"
        "<c r=\"C1\" s=\"3\"><v>46389</v></c><c r=\"D1\" s=\"4\"><v>0.6041666666666666</v></c>"
        "<c r=\"E1\"><v>1.0E7</v></c><c r=\"F1\" t=\"d\"><v>2027-01-02T14:30:00</v></c>"
        "<c r=\"G1\" s=\"2\" t=\"b\"><v>1</v></c><c r=\"H1\" t=\"b\"><v>0</v></c></row>");
    QTemporaryDir dir;
    struct Case {
        const char *workbookPr;
        QStringList row;
    } cases[] = {
        {"", {"1/2/2027", "02/01/2027", "46389", "14:30", "10000000", "2027-01-02 14:30", "TRUE", "FALSE"}},
        {"<workbookPr date1904=\"1\"/>", {"1/3/2031", "03/01/2031", "46389", "14:30", "10000000", "2027-01-02 14:30", "TRUE", "FALSE"}},
    };
    for (const Case &c : cases) {
        const QString path = workbook(dir.path(), {{"xl/worksheets/sheet1.xml", cells},
                                                   {"xl/styles.xml", styles},
                                                   {"xl/workbook.xml", QByteArray("<workbook xmlns=\"") + kMain + "\">" +
                                                                           c.workbookPr + "<sheets><sheet name=\"S\" sheetId=\"1\"/></sheets></workbook>"}});
        EXPECT_EQ(readAll(path).rows, SheetRows({c.row})) << c.workbookPr;
    }
}

// Formats as the workbook names them (a built-in id without a numFmt entry, or a
// code of its own) and what Calc shows for the value in each.
TEST(SpreadsheetRead, EastAsianElapsedAndColouredFormatsShowAsCalcShowsThem)
{
    struct Case {
        int id;              // a built-in id, or 0 for `code`
        const char *code;
        const char *value, *shown;
    } cases[] = {
        {27, "", "45000.75", "3/15/2023"},      {31, "", "45000.75", "3/15/2023"},
        {32, "", "45000.75", "18:00:00"},       {35, "", "44929.3", "7:12:00"},
        {36, "", "44929.3", "1/3/2023"},        {50, "", "44929.3", "1/3/2023"},
        {58, "", "45000.75", "3/15/2023"},      {0, "[h]", "1.5", "36"},
        {0, "[mm]", "1.5", "2160"},             {0, "[ss]", "1.5", "129600"},
        {0, "[h] &quot;hours&quot;", "1.5", "36 hours"},
        {0, "[h]:mm:ss", "1.5", "36:00:00"},    {0, "[mm]:ss", "1.5", "2160:00"},
        {47, "", "0.00355671296296296", "05:07.3"},
        {0, "[h]:mm", "-0.0416666666666667", "-1:00"},
        {0, "[Red]yyyy-mm-dd", "45000.5", "2023-03-15"},
        {0, "[Red]d/m/yyyy", "45000.5", "15/3/2023"},
        {0, "[&gt;=100]yyyy-mm-dd", "45000.5", "2023-03-15"},
        {0, "h:mm a/p", "45000.75", "6:00 p"},
        {0, "[Red]0.00", "1.5", "1.5"},
    };
    QByteArray formats, xfs = "<xf numFmtId=\"0\"/>", cells;
    QStringList expected;
    int column = 0;
    for (const Case &c : cases) {
        const int id = c.id ? c.id : 164 + column;
        if (!c.id) formats += QByteArray("<numFmt numFmtId=\"") + QByteArray::number(id) + "\" formatCode=\"" + c.code + "\"/>";
        xfs += "<xf numFmtId=\"" + QByteArray::number(id) + "\"/>";
        ++column;
        cells += "<c s=\"" + QByteArray::number(column) + "\"><v>" + c.value + "</v></c>";
        expected << c.shown;
    }
    const QByteArray styles = QByteArray("<styleSheet xmlns=\"") + kMain + "\"><numFmts>" + formats + "</numFmts><cellXfs>" +
                              xfs + "</cellXfs></styleSheet>";
    QTemporaryDir dir;
    const QString path = workbook(dir.path(), {{"xl/worksheets/sheet1.xml", sheet(nullptr, ("<row>" + cells + "</row>").constData())},
                                               {"xl/styles.xml", styles}});
    const SheetRows rows = readAll(path).rows;
    ASSERT_EQ(rows.size(), 1);
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows[0].value(i), expected[i]) << "cell " << i << " (" << cases[i].id << " " << cases[i].code << ")";
}

TEST(SpreadsheetRead, DatesOfAWorkbookWrittenByOpenpyxl)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    QTemporaryDir dir;
    const SheetRows expected = {{"Name", "Born", "Start", "Clock", "Count", "Ratio"},
                                {"Ann", "2027-01-02", "2027-01-02 14:30:00", "9:15:00", "10000000", "0.3"},
                                {"Bob", "31/12/1999", "1/2/2027", "", "1E+20", "3.5"}};
    for (const QString epoch : {"1900", "1904"}) {
        const QString path = dir.path() + "/dates" + epoch + ".xlsx";
        ASSERT_EQ(checkers::writeDatesWorkbook(path, epoch), "");
        EXPECT_EQ(readAll(path).rows, expected) << epoch.toStdString();
    }
}

} // namespace spreadsheet_read_test
