// Workbooks checked against LibreOffice (slow: a few cases only). Skipped when
// LibreOffice is not installed.
#include "Checkers.h"
#include "Globals.h"
#include "SpreadsheetWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    EXPECT_EQ(reader.ReadWorkbook(saved, false), SheetRows({{"Name", "", "Photo"}, {"a", "", "c"}, {"42", "1", ""}}));
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
