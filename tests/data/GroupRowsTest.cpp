// Rows of a group project: add, save, delete.
#include "GroupRows.h"
#include "SKTDocument.h"

#include <gtest/gtest.h>

namespace group_rows_test {

namespace {

using namespace GroupRows;

void loadPeople(SKTDocument &doc)
{
    doc.m_spreadsheet.column_titles = {"Name", "Title", "Photo"};
    doc.setListData({{"1", "Ann", "Boss", "/p/ann.png"}, {"2", "Bob", "Clerk", "/p/bob.png"}, {"3", "Cy"}});
}

TEST(GroupRows, BuildRow)
{
    const QList<Panel_Value> panel = {{1, "Dee", true}, {2, "Chief", false}, {5, "outside", true}, {0, "num", true}};
    struct Row {
        QStringList base;
        bool ticks;
        QStringList row;
    } rows[] = {
        {{}, false, {"9", "Dee", "Chief", ""}},
        {{"x", "Ann", "Boss", "/p/a.png"}, true, {"9", "Dee", "Boss", "/p/a.png"}},
        {{"x", "Ann"}, true, {"9", "Dee", "", ""}},
    };
    for (const Row &r : rows) EXPECT_EQ(Build_Row("9", r.base, 4, panel, r.ticks), r.row);
}

// Two boxes of one column give the row one value: the ticked one typed into last (the
// first ticked one when none was typed into), at the place of the column's first box.
TEST(GroupRows, EachColumnsValueOnce)
{
    const auto texts = [](const QList<Panel_Value> &values) {
        QStringList out;
        for (const Panel_Value &v : values) out << QString("%1=%2%3").arg(v.column).arg(v.text, v.ticked ? "" : "(off)");
        return out;
    };
    const struct Row {
        QList<Panel_Value> panel;
        QStringList once;
    } rows[] = {
        {{{2, "Acme"}, {1, "Ann"}, {2, "Acme"}}, {"2=Acme", "1=Ann"}},
        {{{2, "Old", false}, {1, "Ann"}, {2, "New"}}, {"2=New", "1=Ann"}},
        {{{2, "Old", false}, {2, "Other", false}}, {"2=Old(off)"}},
        {{{2, "First"}, {2, "Second"}}, {"2=First"}},
        // A stale box (a text left Manual by an undo) before the box the clerk typed into.
        {{{2, "Stale", true, 0}, {1, "Ann"}, {2, "Typed", true, 7}}, {"2=Typed", "1=Ann"}},
        {{{2, "Later", true, 9}, {2, "Earlier", true, 7}}, {"2=Later"}},
        {{{2, "Ticked", true, 3}, {2, "Typed off", false, 9}}, {"2=Ticked"}},
        {{{-1, "a"}, {-1, "b"}, {3, ""}}, {"-1=a", "3="}},
        {{}, {}},
    };
    for (const Row &r : rows) EXPECT_EQ(texts(One_Value_Per_Column(r.panel)), r.once) << texts(r.panel).join(' ').toStdString();
}

TEST(GroupRows, AddAppendsNextNumberAndKeepsTheOthers)
{
    SKTDocument doc;
    loadPeople(doc);
    EXPECT_TRUE(Delete_Row(doc, 0).deleted);
    EXPECT_EQ(Add_Row(doc, {{1, "Dee"}, {2, "Chief", false}}), 2);
    EXPECT_EQ(doc.ListData(), QList<QStringList>({{"2", "Bob", "Clerk", "/p/bob.png"}, {"3", "Cy"}, {"3", "Dee", "Chief", ""}}));
}

TEST(GroupRows, SaveWithAnUntickedBoxKeepsThatCell)
{
    SKTDocument doc;
    loadPeople(doc);
    EXPECT_TRUE(Save_Row(doc, 1, {{1, "Robert", true}, {2, "Manager", false}, {3, "/p/rob.png", true}}));
    EXPECT_EQ(doc.ListData().at(1), QStringList({"2", "Robert", "Clerk", "/p/rob.png"}));
    EXPECT_EQ(doc.ListData().at(0), QStringList({"1", "Ann", "Boss", "/p/ann.png"}));
    EXPECT_FALSE(Save_Row(doc, 3, {{1, "X"}}));
    EXPECT_FALSE(Save_Row(doc, -1, {{1, "X"}}));
}

// A row's save stores what differs from what the row's fill showed: a column shown with
// the same text is left alone, however its box is ticked.
TEST(GroupRows, ChangedValues)
{
    const QList<Panel_Value> shown = {{1, "Ann"}, {2, "Acme"}, {4, "/p/ann.png"}, {3, "", false}};
    const struct Row {
        const char *what;
        QList<Panel_Value> now;
        QList<int> changed;  // their columns
    } rows[] = {
        {"nothing changed", shown, {}},
        {"a name typed", {{1, "Anna"}, {2, "Acme"}, {4, "/p/ann.png"}, {3, "", false}}, {1}},
        {"a box emptied", {{1, ""}, {2, "Acme"}}, {1}},
        {"a photo taken", {{1, "Ann"}, {4, "/p/new.png"}}, {4}},
        {"a box ticked, its text kept", {{3, "", true}}, {}},
        {"a column the fill did not show", {{5, "Desk"}, {1, "Ann"}}, {5}},
        {"the same text on another column", {{2, "Ann"}}, {2}},
    };
    for (const Row &r : rows) {
        QList<int> columns;
        for (const Panel_Value &v : Changed_Values(shown, r.now)) columns << v.column;
        EXPECT_EQ(columns, r.changed) << r.what;
    }
}

// A save given nothing to store inside the table leaves the row as it is, absent cells
// too.
TEST(GroupRows, SaveOfNothingKeepsTheRow)
{
    SKTDocument doc;
    loadPeople(doc);
    const QList<QStringList> before = doc.ListData();
    for (const QList<Panel_Value> &panel :
         {QList<Panel_Value>{}, QList<Panel_Value>{{1, "X", false}}, QList<Panel_Value>{{4, "outside", true}},
          QList<Panel_Value>{{0, "number", true}}}) {
        EXPECT_TRUE(Save_Row(doc, 2, panel));
        EXPECT_EQ(doc.ListData(), before);
    }
    // The first column alone is something to store.
    EXPECT_TRUE(Save_Row(doc, 2, {{1, "Cyrus"}}));
    EXPECT_EQ(doc.ListData().at(2), QStringList({"3", "Cyrus", "", ""}));
}

TEST(GroupRows, DeleteSelectsTheRowBefore)
{
    struct Row {
        int row;
        bool deleted;
        int select;
        int left;
    } rows[] = {{0, true, 0, 2}, {1, true, 0, 2}, {2, true, 1, 2}, {3, false, -1, 3}, {-1, false, -1, 3}};
    for (const Row &r : rows) {
        SKTDocument doc;
        loadPeople(doc);
        const Delete_Result d = Delete_Row(doc, r.row);
        EXPECT_EQ(d.deleted, r.deleted) << r.row;
        EXPECT_EQ(d.select, r.select) << r.row;
        EXPECT_EQ(doc.ListData().size(), r.left) << r.row;
    }
    SKTDocument two;
    two.m_spreadsheet.column_titles = {"Name"};
    two.setListData({{"1", "Ann"}, {"2", "Bob"}});
    EXPECT_TRUE(Delete_Row(two, 1).deleted);
    EXPECT_EQ(two.ListData(), QList<QStringList>({{"1", "Ann"}}));
    SKTDocument one;
    one.m_spreadsheet.column_titles = {"Name"};
    one.setListData({{"1", "Ann"}});
    EXPECT_FALSE(Delete_Row(one, 0).deleted);
    SKTDocument none;
    EXPECT_FALSE(Delete_Row(none, 0).deleted);
}

TEST(GroupRows, RowAfterSilentSave)
{
    const int rows[][4] = {{0, 3, 1, 1}, {1, 3, 1, 2}, {2, 3, 1, 2}, {0, 3, 0, 0}, {0, 1, 1, 0}, {-1, 3, 1, -1}};
    for (const auto &r : rows) EXPECT_EQ(Row_After_Save(r[0], r[1], r[2] != 0), r[3]) << r[0] << "," << r[1];
}

} // namespace

TEST(GroupRows, FillFromSheet)
{
    const QList<QStringList> sheet = {{" Name ", "", "Photo"},
                                      {" Ann ", "Boss", "/p/ann.png"},
                                      {"", "", ""},
                                      {"Bob"},
                                      {"", "Clerk", ""}};
    struct Case {
        bool header;
        QStringList titles;
        QList<QStringList> rows;
    } cases[] = {
        {true,
         {"Name", "Untitled Column 2", "Photo"},
         {{"1", "Ann", "Boss", "/p/ann.png"}, {"2", "Bob", "", ""}, {"3", "", "Clerk", ""}}},
        {false,
         {"Name", "Untitled Column 2", "Photo"},
         {{"1", "Name", "", "Photo"}, {"2", "Ann", "Boss", "/p/ann.png"}, {"3", "Bob", "", ""}, {"4", "", "Clerk", ""}}},
    };
    for (const Case &c : cases) {
        SKTDocument doc;
        loadPeople(doc);
        EXPECT_EQ(Fill_From_Sheet(doc, sheet, c.header), c.rows.size());
        EXPECT_EQ(doc.m_spreadsheet.column_titles, c.titles);
        EXPECT_EQ(doc.ListData(), c.rows);
        EXPECT_EQ(doc.ColList().size(), 4) << "the row number and three columns";
    }
    SKTDocument empty;
    loadPeople(empty);
    EXPECT_EQ(Fill_From_Sheet(empty, {}, true), 0);
    EXPECT_TRUE(empty.ListData().isEmpty());
    EXPECT_TRUE(empty.m_spreadsheet.column_titles.isEmpty());
}

} // namespace group_rows_test
