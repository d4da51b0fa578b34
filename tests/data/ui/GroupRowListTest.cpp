// The group-mode row list driven as a user drives it, with scripted answers.
#include "Group_Row_List.h"
#include "MessageBox.h"
#include "SKTDocument.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct RowList : ::testing::Test {
    SKTDocument doc;
    QStringList boxes;  // every message shown, in order
    int yes = 1;
    int saves = 0;
    bool written = true;  // what the project's save answers
    QList<QStringList> rowsAtSave;  // the rows each silent save found
    QList<GroupRows::Panel_Value> panel;
    QList<int> shown;  // rows put on the card

    void SetUp() override
    {
        Set_MessageBox_Answerer([this](MessageBoxKind, const QString &text) {
            boxes << text.trimmed();
            return yes;
        });
        doc.m_spreadsheet.column_titles = {"Name", "Title"};
        doc.m_columnChoices.excel_cb_value1 = 1;
        doc.setListData({{"1", "Ann", "Boss"}, {"2", "Bob", "Clerk"}, {"3", "Cy", "Cook"}});
    }
    void TearDown() override { Set_MessageBox_Answerer({}); }

    std::unique_ptr<Group_Row_List> makeList()
    {
        auto list = std::make_unique<Group_Row_List>(doc);
        list->panelValues = [this] { return panel; };
        list->saveProject = [this, l = list.get()] {
            ++saves;
            rowsAtSave << QStringList{QString::number(l->selectedRow())};
            return written;
        };
        QObject::connect(list.get(), &Group_Row_List::rowSelected, [this](int r) { shown << r; });
        return list;
    }

    QStringList entries(const Group_Row_List &list) const
    {
        QStringList out;
        for (int i = 0; i < list.GroupList->count(); ++i) out << list.GroupList->item(i)->text();
        return out;
    }
};

TEST_F(RowList, AddSelectsTheNewRowBeforeTheSave)
{
    auto list = makeList();
    list->Mark_Group_List_New_Selection(1);
    panel = {{1, "Dee", true}, {2, "Chef", false}};
    QTest::mouseClick(list->add_btn, Qt::LeftButton);
    EXPECT_EQ(entries(*list), QStringList({"1 - Ann", "2 - Bob", "3 - Cy", "4 - Dee"}));
    EXPECT_EQ(doc.ListData().at(3), QStringList({"4", "Dee", "Chef"}));
    EXPECT_EQ(doc.ListData().at(1), QStringList({"2", "Bob", "Clerk"}));
    EXPECT_EQ(rowsAtSave, QList<QStringList>({{"3"}}));  // the save saw the new row selected
    EXPECT_EQ(boxes, QStringList({"Record added successfully."}));
    EXPECT_EQ(shown, QList<int>({1, 3}));
    const QString shots = qEnvironmentVariable("GROUP_SHOTS");
    if (!shots.isEmpty()) {
        list->resize(260, 320);
        list->show();
        list->grab().save(QDir(shots).filePath("24-row-list.png"));
    }
}

TEST_F(RowList, DeleteTable)
{
    struct Row {
        int selected;
        int answer;
        QStringList entries;
        int selectedAfter;
        QStringList boxes;
    } rows[] = {
        {2, 1, {"1 - Ann", "2 - Bob"}, 1, {"Are you sure you want delete selected record?", "Record deleted successfully."}},
        {1, 1, {"1 - Ann", "2 - Cy"}, 0, {"Are you sure you want delete selected record?", "Record deleted successfully."}},
        {0, 1, {"1 - Bob", "2 - Cy"}, 0, {"Are you sure you want delete selected record?", "Record deleted successfully."}},
        {1, 0, {"1 - Ann", "2 - Bob", "3 - Cy"}, 1, {"Are you sure you want delete selected record?"}},
    };
    for (const Row &r : rows) {
        SetUp();
        boxes.clear();
        saves = 0;
        yes = r.answer;
        auto list = makeList();
        list->Mark_Group_List_New_Selection(r.selected);
        list->Delete_Record();
        EXPECT_EQ(entries(*list), r.entries) << r.selected;
        EXPECT_EQ(list->selectedRow(), r.selectedAfter) << r.selected;
        EXPECT_EQ(boxes, r.boxes) << r.selected;
        EXPECT_EQ(saves, r.answer) << r.selected;
    }
}

TEST_F(RowList, TheLastRowCannotBeDeleted)
{
    doc.setListData({{"1", "Ann", "Boss"}});
    auto list = makeList();
    list->Delete_Record();
    EXPECT_EQ(boxes, QStringList({"Unable to delete this record because project must have one record."}));
    EXPECT_EQ(doc.ListData().size(), 1);
    EXPECT_EQ(saves, 0);
}

TEST_F(RowList, SaveAndNext)
{
    auto list = makeList();
    list->Mark_Group_List_New_Selection(0);
    panel = {{1, "Anne", true}, {2, "Owner", false}};
    QTest::mouseClick(list->save_btn, Qt::LeftButton);
    EXPECT_EQ(doc.ListData().at(0), QStringList({"1", "Anne", "Boss"}));
    EXPECT_EQ(boxes, QStringList({"Record saved successfully."}));
    QTest::mouseClick(list->save_next_btn, Qt::LeftButton);
    EXPECT_EQ(list->selectedRow(), 1);
    list->Mark_Group_List_New_Selection(2);
    list->Save_And_Next();
    EXPECT_EQ(list->selectedRow(), 2);  // the last entry stays
    EXPECT_EQ(doc.ListData().at(2), QStringList({"3", "Anne", "Cook"}));
    list->GP_Move_Next_Rcd_ChkBox->setChecked(false);
    list->Mark_Group_List_New_Selection(0);
    list->Save_And_Next();
    EXPECT_EQ(list->selectedRow(), 0);
    EXPECT_EQ(saves, 4);
    EXPECT_EQ(boxes.size(), 1);  // the silent saves said nothing
}

// A command whose project could not be written (the window said why) shows no success,
// and Save & Next stays on the row; one that was written says so.
TEST_F(RowList, ACommandWhoseSaveFailedShowsNoSuccess)
{
    const QString ask = "Are you sure you want delete selected record?";
    struct Row {
        QPushButton *Group_Row_List::*button;
        bool writes;
        QStringList boxes;
        int selectedAfter;
    } rows[] = {
        {&Group_Row_List::save_btn, false, {}, 1},
        {&Group_Row_List::save_btn, true, {"Record saved successfully."}, 1},
        {&Group_Row_List::save_next_btn, false, {}, 1},
        {&Group_Row_List::save_next_btn, true, {}, 2},
        {&Group_Row_List::add_btn, false, {}, 3},
        {&Group_Row_List::add_btn, true, {"Record added successfully."}, 3},
        {&Group_Row_List::delete_btn, false, {ask}, 0},
        {&Group_Row_List::delete_btn, true, {ask, "Record deleted successfully."}, 0},
    };
    for (const Row &r : rows) {
        SetUp();
        boxes.clear();
        saves = 0;
        written = r.writes;
        auto list = makeList();
        const QString what = (*list.*r.button)->text() + (r.writes ? " written" : " not written");
        list->Mark_Group_List_New_Selection(1);
        panel = {{1, "Bea", true}};
        QTest::mouseClick(*list.*r.button, Qt::LeftButton);
        EXPECT_EQ(saves, 1) << what.toStdString();
        EXPECT_EQ(boxes, r.boxes) << what.toStdString();
        EXPECT_EQ(list->selectedRow(), r.selectedAfter) << what.toStdString();
    }
}

TEST_F(RowList, NothingSelectedStoresAndDeletesNothing)
{
    // As the window's own save does: no chosen person, no row written over.
    auto list = makeList();
    list->GroupList->setCurrentRow(-1);
    ASSERT_EQ(list->selectedRow(), -1);
    const QList<QStringList> rows = doc.ListData();
    panel = {{1, "Zed", true}, {2, "Spy", true}};
    QTest::mouseClick(list->save_btn, Qt::LeftButton);
    QTest::mouseClick(list->save_next_btn, Qt::LeftButton);
    QTest::mouseClick(list->delete_btn, Qt::LeftButton);
    EXPECT_EQ(doc.ListData(), rows);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(boxes, QStringList());
    EXPECT_EQ(list->selectedRow(), -1);
}

TEST_F(RowList, EmptyTableAndNoNameColumn)
{
    doc.setListData({});
    auto list = makeList();
    EXPECT_EQ(list->GroupList->count(), 0);
    list->Mark_Group_List_New_Selection(0);
    list->Save_Record(true);
    EXPECT_EQ(saves, 0);
    list->Delete_Record();
    EXPECT_EQ(boxes, QStringList({"Unable to delete this record because project must have one record."}));
    doc.m_columnChoices.excel_cb_value1 = -1;
    list->Add_Record();
    EXPECT_EQ(doc.ListData(), QList<QStringList>({{"1", "", ""}}));
    EXPECT_EQ(list->GroupList->count(), 0);
}

} // namespace
