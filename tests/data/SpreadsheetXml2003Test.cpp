#include "Checkers.h"
#include "SpreadsheetWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SpreadsheetXml2003, RowsRoundTripAndCellsKeepTheirKind)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/notes.xml";
    const SheetRows rows = {{"Name", "Count"}, {"Zoë & co", "12"}, {"0123", "-3.5", "extra"}};
    ASSERT_TRUE(SpreadsheetWriter::WriteWorksheetXML2004(path, rows));
    EXPECT_EQ(SpreadsheetWriter::ReadWorksheetXML2004(path), rows);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray xml = f.readAll();
    EXPECT_TRUE(xml.contains("ss:ExpandedColumnCount=\"2\" ss:ExpandedRowCount=\"3\""));
    EXPECT_TRUE(xml.contains("<Data ss:Type=\"Number\">-3.5</Data>"));
    EXPECT_TRUE(xml.contains("<Data ss:Type=\"String\">0123</Data>"));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorksheetXML2004(dir.path() + "/none.xml", {}));
    EXPECT_TRUE(SpreadsheetWriter::ReadWorksheetXML2004(dir.path() + "/none.xml").isEmpty());
}

TEST(SpreadsheetXml2003, WorkbookPartNamesItsSheet)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/workbook.xml";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbookXML(path, "Guests & staff"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray xml = f.readAll();
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
    EXPECT_TRUE(xml.contains("<sheet name=\"Guests &amp; staff\" />"));
}
