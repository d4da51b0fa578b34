// The document's row table as a table of cells: counts, the cell rule and the column
// added by the cropping window's direct column mode.
#include "SKTDocument.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(RowTable, CellsOfTheRows)
{
    SKTDocument doc;
    doc.m_spreadsheet.column_titles = {"Name", "Photo"};
    doc.setListData({{"1", "Ann", "/p/a.png"}, {"2", "Bob"}});
    EXPECT_EQ(doc.Row_Table_Column_Count(), 3);
    EXPECT_EQ(doc.Row_Table_Row_Count(), 2);
    struct Case {
        int row, column;
        QString cell;
    };
    const Case cases[] = {
        {0, 0, "1"}, {0, 2, "/p/a.png"}, {1, 1, "Bob"},
        {1, 2, ""},   // a column the row lacks
        {0, -1, ""},  // no column
        {2, 1, ""},   // past the rows
        {-1, 1, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(doc.Get_sel_row_col_value_of_Excel(c.row, c.column), c.cell) << c.row << "," << c.column;
    EXPECT_EQ(doc.Row_Table_Column_Title(0), "S.No.");
    EXPECT_EQ(doc.Row_Table_Column_Title(2), "Photo");
    EXPECT_EQ(doc.Row_Table_Column_Title(3), "");
}

TEST(RowTable, AddedColumnIsColumnNHeadedNPlusOne)
{
    SKTDocument doc;
    doc.m_spreadsheet.column_titles = {"Name", "Photo"};
    doc.setListData({{"1", "Ann", "/p/a.png"}, {"2"}, {"3", "Cy", "/p/c.png"}});
    QSignalSpy changed(&doc, &SKTDocument::listDataChanged);
    // Row-number column + 2 columns: identifier "Column3", header "Column 4"; a row
    // short of cells is filled up, a row past the cells given gets an empty cell.
    EXPECT_EQ(doc.Add_Row_Table_Column({"/c/a.png", "/c/b.png"}), 3);
    EXPECT_EQ(changed.size(), 1);
    const QList<SpreadsheetColumn> columns = doc.ColList();
    ASSERT_EQ(columns.size(), 4);
    EXPECT_EQ(columns[3].identifier, "Column3");
    EXPECT_EQ(columns[3].title, "Column 4");
    EXPECT_EQ(doc.ListData(), (QList<QStringList>{{"1", "Ann", "/p/a.png", "/c/a.png"},
                                                  {"2", "", "", "/c/b.png"},
                                                  {"3", "Cy", "/p/c.png", ""}}));
    EXPECT_EQ(doc.Add_Row_Table_Column({}), 4);
    EXPECT_EQ(doc.ColList().last().title, "Column 5");
}
