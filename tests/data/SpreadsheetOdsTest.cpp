#include "Checkers.h"
#include "Globals.h"
#include "SpreadsheetWriter.h"
#include "ZipArchive.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SpreadsheetOds, RowsRoundTripAsStrings)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/list.ods";
    const SheetRows rows = {{"Name", "Count"}, {"Zoë & co", "12"}, {"x", "", "extra"}};
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(path, rows, false, Resource_Path));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(path), rows);
    EXPECT_FALSE(SpreadsheetWriter::WriteODS(path, {}, false, Resource_Path));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(path), rows);  // the failed write left the file
}

TEST(SpreadsheetOds, RepeatedCellsRepeatTheirText)
{
    QTemporaryDir dir;
    const QString parts = dir.path() + "/parts";
    QDir().mkpath(parts);
    QFile f(parts + "/content.xml");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
            " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
            " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet>"
            "<table:table><table:table-row><table:table-cell><text:p>a</text:p></table:table-cell>"
            "<table:table-cell table:number-columns-repeated=\"3\"><text:p>b</text:p></table:table-cell>"
            "<table:table-cell table:number-columns-repeated=\"0\"><text:p>gone</text:p></table:table-cell>"
            "<table:table-cell><text:p>c</text:p></table:table-cell></table:table-row></table:table>"
            "<table:table><table:table-row><table:table-cell><text:p>second table</text:p></table:table-cell>"
            "</table:table-row></table:table></office:spreadsheet></office:body></office:document-content>");
    f.close();
    const QString path = dir.path() + "/hand.ods";
    ASSERT_TRUE(ZipArchive::createZipFileAtPath(path, {parts + "/content.xml"}));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(path), SheetRows({{"a", "b", "b", "b", "c"}}));
}

// Characters XML forbids become U+FFFD in the ods and XML 2003 writers, and the rest
// of the cell is kept (a NUL used to cut it short).
TEST(SpreadsheetOds, ForbiddenCharactersBecomeReplacementCharacters)
{
    QTemporaryDir dir;
    const QString cell = QStringLiteral("a\x1B" "b\x0B" "c") + QChar(0) + QStringLiteral("d\tend") + QChar(0xFFFF);
    const QString kept = QString::fromUtf8("a\uFFFDb\uFFFDc\uFFFDd\tend\uFFFD");
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(dir.path() + "/c.ods", {{"Title"}, {cell}}, false, Resource_Path));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(dir.path() + "/c.ods"), SheetRows({{"Title"}, {kept}}));
    ASSERT_TRUE(SpreadsheetWriter::WriteWorksheetXML2004(dir.path() + "/c.xml", {{"Title"}, {cell}}));
    EXPECT_EQ(SpreadsheetWriter::ReadWorksheetXML2004(dir.path() + "/c.xml"), SheetRows({{"Title"}, {kept}}));
}

// Elements match by their local names: a writer that chose other prefixes is read.
TEST(SpreadsheetOds, OtherPrefixesReadTheSame)
{
    QTemporaryDir dir;
    const QString parts = dir.path() + "/parts";
    QDir().mkpath(parts);
    QFile f(parts + "/content.xml");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<o:document-content xmlns:o=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
            " xmlns:t=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
            " xmlns:p=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><o:body><o:spreadsheet>"
            "<t:table><t:table-row><t:table-cell t:number-columns-repeated=\"2\"><p:p>a</p:p></t:table-cell>"
            "<t:table-cell/><t:table-cell><p:p>b</p:p></t:table-cell></t:table-row>"
            "<t:table-row t:number-rows-repeated=\"2\"><t:table-cell><p:p>c</p:p></t:table-cell></t:table-row>"
            "</t:table></o:spreadsheet></o:body></o:document-content>");
    f.close();
    const QString path = dir.path() + "/prefixes.ods";
    ASSERT_TRUE(ZipArchive::createZipFileAtPath(path, {parts + "/content.xml"}));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(path), SheetRows({{"a", "a", "", "b"}, {"c"}, {"c"}}));
}

// Other programs than Calc write a cell's value in attributes only, without a text
// paragraph: the value reads as a cell of that kind shows without a format. A text
// paragraph, where there is one, is what the cell shows.
TEST(SpreadsheetOds, ValuesHeldOnlyInAttributesRead)
{
    QTemporaryDir dir;
    const QString parts = dir.path() + "/parts";
    QDir().mkpath(parts);
    QFile f(parts + "/content.xml");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
            " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
            " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:body><office:spreadsheet><table:table>"
            "<table:table-row><table:table-cell office:value-type=\"float\" office:value=\"42\"/>"
            "<table:table-cell office:value-type=\"float\" office:value=\"0.30000000000000004\"/>"
            "<table:table-cell office:value-type=\"percentage\" office:value=\"0.25\"/>"
            "<table:table-cell office:value-type=\"currency\" office:currency=\"EUR\" office:value=\"1e20\"/>"
            "<table:table-cell office:value-type=\"float\" office:value=\"7\"><text:p>seven</text:p></table:table-cell>"
            "</table:table-row><table:table-row>"
            "<table:table-cell office:value-type=\"date\" office:date-value=\"2027-01-02\"/>"
            "<table:table-cell office:value-type=\"date\" office:date-value=\"2027-01-02T14:30:00\"/>"
            "<table:table-cell office:value-type=\"date\" office:date-value=\"1850-05-06T09:15:30\"/>"
            "<table:table-cell office:value-type=\"time\" office:time-value=\"PT14H30M00S\"/>"
            "<table:table-cell office:value-type=\"time\" office:time-value=\"PT36H00M10S\"/>"
            "</table:table-row><table:table-row>"
            "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
            "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"false\"/>"
            "<table:table-cell office:value-type=\"string\" office:string-value=\"Zo&#235; &amp; co\"/>"
            "<table:table-cell office:date-value=\"2027-01-02\"/>"
            "<table:table-cell/><table:table-cell office:value-type=\"float\" office:value=\"5\""
            " table:number-columns-repeated=\"2\"/><table:table-cell table:number-columns-repeated=\"9\"/>"
            "</table:table-row></table:table></office:spreadsheet></office:body></office:document-content>");
    f.close();
    const QString path = dir.path() + "/values.ods";
    ASSERT_TRUE(ZipArchive::createZipFileAtPath(path, {parts + "/content.xml"}));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(path),
              SheetRows({{"42", "0.3", "0.25", "1E+20", "seven"},
                         {"2027-01-02", "2027-01-02 14:30", "1850-05-06 09:15:30", "14:30", "36:00:10"},
                         {"TRUE", "FALSE", "Zoë & co", "2027-01-02", "", "5", "5"}}));
}
