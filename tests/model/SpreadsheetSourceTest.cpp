// The document's spreadsheet source: appending rows, cell lookup, the column table.
#include "SKTDocument.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(SpreadsheetSource, RowsAreNumberedByTheCountAndCellsTrimmed)
{
    SKTDocument doc;
    struct Row {
        QStringList cells;
        int count;
        bool added;
    };
    const std::vector<Row> rows = {
        {{"  Ann \n", "\tSmith", "x"}, 2, true},  // only the first two texts
        {{"", "", ""}, 3, true},                   // all empty still a row
        {{"a"}, 2, false},                         // too short: nothing of it
        {{"b", "c"}, -1, false},
        {{}, 0, true},                             // only the row number
    };
    for (const Row &r : rows) EXPECT_EQ(doc.Create_List_By_Array(r.cells, r.count), r.added) << r.count;
    EXPECT_EQ(doc.ListData(), (QList<QStringList>{{"1", "Ann", "Smith"}, {"2", "", "", ""}, {"3"}}));

    // After rows were removed elsewhere the number may repeat.
    doc.setListData({{"1", "A"}, {"2", "B"}, {"3", "C"}});
    QList<QStringList> fewer = doc.ListData();
    fewer.removeAt(0);
    doc.setListData(fewer);
    ASSERT_TRUE(doc.Create_List_By_Array({"D"}, 1));
    EXPECT_EQ(doc.ListData().last(), (QStringList{"3", "D"}));
}

TEST(SpreadsheetSource, CellLookup)
{
    SKTDocument doc;
    doc.setListData({{"1", "Ann", "Smith"}, {"2", "Bob"}});
    struct Case {
        int row, column;
        std::optional<QString> text;
    };
    const std::vector<Case> cases = {
        {0, 0, "1"}, {0, 1, "Ann"}, {0, 2, "Smith"}, {1, 1, "Bob"},
        {1, 2, std::nullopt},   // a key the row lacks
        {0, 9, std::nullopt}, {0, -1, std::nullopt},
        {2, 0, ""}, {-1, 1, ""}, // rows outside the table
    };
    for (const Case &c : cases) EXPECT_EQ(doc.Get_Item_Text(c.row, c.column), c.text) << c.row << "," << c.column;
    doc.Clear_ListData();
    EXPECT_EQ(doc.Get_Item_Text(0, 0), QString(""));
}

TEST(SpreadsheetSource, RowOfOneValue)
{
    SKTDocument doc;
    EXPECT_TRUE(doc.Create_List_By_Value("v", "Column3"));
    EXPECT_TRUE(doc.Create_List_By_Value("7", "Extension"));
    for (const char *bad : {"Column0", "Column", "column1", "Column1x", "Name", "Column01"})
        EXPECT_FALSE(doc.Create_List_By_Value("w", bad)) << bad;
    EXPECT_EQ(doc.ListData(), (QList<QStringList>{{"", "", "", "v"}, {"7"}}));
    EXPECT_EQ(doc.Get_Item_Text(0, 3), QString("v"));
    EXPECT_EQ(doc.Get_Item_Text(1, 1), std::nullopt);
}

TEST(SpreadsheetSource, KeysAndColumnNumbers)
{
    const std::vector<std::pair<QString, int>> keys = {
        {"Extension", 0}, {"Column1", 1}, {"Column12", 12}, {"Column9", 9}, {"Column0", -1}, {"Column", -1},
        {"Column-1", -1}, {"extension", -1}, {"Column 1", -1}, {"Column99999999999", -1},
        // A zero inside the number is a digit like any other; the neighbours of the digits are not.
        {"Column10", 10}, {"Column205", 205}, {"Column1/", -1}, {"Column1:", -1},
    };
    for (const auto &[key, column] : keys) EXPECT_EQ(Spreadsheet_Column_Of_Key(key), column) << qPrintable(key);
    EXPECT_EQ(Spreadsheet_Key_Of_Column(0), "Extension");
    EXPECT_EQ(Spreadsheet_Key_Of_Column(4), "Column4");
}

TEST(SpreadsheetSource, ColumnTableStartsWithTheRowNumber)
{
    SKTDocument doc;
    QSignalSpy changed(&doc, &SKTDocument::listDataChanged);
    EXPECT_EQ(doc.ColList(), (QList<SpreadsheetColumn>{{"Extension", "S.No."}}));
    doc.Add_ColList_Column("Name");
    doc.Add_ColList_Column("Photo");
    const QList<SpreadsheetColumn> columns = doc.ColList();
    ASSERT_EQ(columns.size(), 3);
    EXPECT_EQ(columns[1], (SpreadsheetColumn{"Column1", "Name", 100, Qt::AlignLeft, false}));
    EXPECT_EQ(columns[2].identifier, "Column2");
    EXPECT_EQ(columns[2].title, "Photo");
    EXPECT_EQ(doc.m_spreadsheet.column_titles, (QStringList{"Name", "Photo"}));
    doc.Remove_ColList_Data_Columns();
    EXPECT_EQ(doc.ColList().size(), 1);
    EXPECT_EQ(changed.count(), 3);
}

TEST(SpreadsheetSource, SelectionStaysWithinTheRows)
{
    SKTDocument doc;
    doc.setListData({{"1"}, {"2"}, {"3"}});
    QSignalSpy selected(&doc, &SKTDocument::listSelectionChanged);
    const std::vector<std::pair<int, int>> cases = {{2, 2}, {0, 0}, {3, -1}, {-4, -1}, {1, 1}};
    for (const auto &[row, shown] : cases) {
        doc.Mark_List_New_Selection(row);
        EXPECT_EQ(doc.listSelection(), shown) << row;
        EXPECT_EQ(selected.takeFirst().at(0).toInt(), shown);
    }
    doc.Clear_ListData();
    EXPECT_EQ(doc.listSelection(), -1);
}
