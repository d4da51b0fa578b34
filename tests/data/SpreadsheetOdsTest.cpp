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
