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
