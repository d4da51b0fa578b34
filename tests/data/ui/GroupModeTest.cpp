// Group mode on a design: a group project written to a design file and read again,
// its rows listed in the pane, a person put on both sides and the panels, rows added,
// edited, saved and deleted, the column dialog, and the side not shown filled for
// output.
#include "CardValueEngine.h"
#include "DesignFile.h"
#include "GroupProjectTest.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "TestSupport.h"
#include "Update_XL_Column.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace group_mode_test {

namespace {

using group_project::Control_Snapshot;
using group_project::kPeople;
using group_project::snapshotOf;

using GroupMode = group_project::Group_Project_Test;

TEST_F(GroupMode, OpeningAFileEntersGroupModeOnlyWhenItIsRead)
{
    const QString notADesign = testsupport::testHome() + "/Notes.zcd";
    QFile notes(notADesign);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a design");
    notes.close();
    struct Row {
        QString file;
        bool read;
        Card_Mode mode;
        QString project;
        QStringList messages;
        QStringList entries;
    } rows[] = {
        {notADesign, false, Card_Mode::Visitor, "", {"\n\"Notes.zcd\" is not a design file."}, {}},
        {path, true, Card_Mode::Group, path, {}, {"1 - Ann", "2 - Bob", "3 - Cy", "4 - Dee", "5 - Eve"}},
    };
    for (Row &r : rows) {
        w.document.Start_Card_Option = Card_Mode::Visitor;
        w.document.Project_File_Name.clear();
        w.document.setListData({});
        w.group.Rows_Changed();
        testsupport::boxes().clear();
        EXPECT_EQ(w.group.Open_Group_Project(r.file), r.read) << r.file.toStdString();
        EXPECT_EQ(w.document.Start_Card_Option, r.mode) << r.file.toStdString();
        EXPECT_EQ(w.document.Project_File_Name, r.project) << r.file.toStdString();
        EXPECT_EQ(testsupport::boxes().take(), r.messages) << r.file.toStdString();
        EXPECT_EQ(entries(), r.entries) << r.file.toStdString();
    }
    EXPECT_EQ(cardText(0, "Fup_Name"), "Ann") << "the first person on the card";
    EXPECT_EQ(w.history.undoCount(0), 1) << "the history starts anew";
    EXPECT_FALSE(w.changed());
}

TEST_F(GroupMode, SelectedRowOnBothSidesAndTheirPanels)
{
    for (int r : {3, 1, 4, 0}) {
        const QStringList &p = kPeople.at(r);
        list().GroupList->setCurrentRow(r);
        EXPECT_EQ(w.document.listSelection(), r) << "export, print and mail fill the other side from it";
        EXPECT_EQ(cardText(0, "Fup_Name"), p[1]) << r;
        EXPECT_EQ(cardText(0, "Fup_Company"), p[2]) << r;
        EXPECT_EQ(panelText(0, "Fup_Name"), p[1]) << r;
        EXPECT_EQ(panelText(0, "Fup_Company"), p[2]) << r;
        w.showSide(1);
        EXPECT_EQ(w.document.Card_Front_Or_Back, 1);
        EXPECT_EQ(cardText(1, "Fup_Name"), p[1]) << r;
        EXPECT_EQ(cardText(1, "Fup_UniqueNo"), p[3]) << r;
        EXPECT_EQ(panelText(1, "Fup_Name"), p[1]) << r;
        EXPECT_EQ(panelText(1, "Fup_UniqueNo"), p[3]) << r;
        w.showSide(0);
        EXPECT_EQ(w.document.Card_Front_Or_Back, 0);
    }
}

TEST_F(GroupMode, AddEditSaveDeleteAndReopen)
{
    Profile_Panel &front = *Profile_Panel_Of_Side(0);
    list().GroupList->setCurrentRow(1);
    front.Text_Box_For_ID("Fup_Name")->setText("Fay");
    front.Text_Box_For_ID("Fup_Company")->setText("Fox");
    QTest::mouseClick(list().add_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nRecord added successfully."}));
    EXPECT_EQ(entries().size(), 6);
    EXPECT_EQ(entries().last(), "6 - Fay");
    EXPECT_EQ(list().selectedRow(), 5);
    EXPECT_EQ(w.document.ListData().at(5).mid(0, 3), QStringList({"6", "Fay", "Fox"}));
    EXPECT_EQ(w.document.ListData().at(1), kPeople.at(1)) << "the person selected before stays as they were";
    EXPECT_EQ(fileRows(), w.document.ListData()) << "saved at once";

    // Edit Cy, save with the message.
    list().GroupList->setCurrentRow(2);
    front.Text_Box_For_ID("Fup_Name")->setText("Cyd");
    QTest::mouseClick(list().save_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nRecord saved successfully."}));
    EXPECT_EQ(w.document.ListData().at(2), QStringList({"3", "Cyd", "Corp", "U3"}));
    EXPECT_EQ(entries().at(2), "3 - Cyd");
    EXPECT_EQ(cardText(0, "Fup_Name"), "Cyd");
    EXPECT_EQ(fileRows(), w.document.ListData());

    // An unticked value box keeps its cell.
    list().GroupList->setCurrentRow(3);
    front.Text_Box_For_ID("Fup_Company")->setText("Dune");
    front.Chk_Box_For_ID("Fup_Company")->setChecked(false);
    front.Text_Box_For_ID("Fup_Name")->setText("Dora");
    QTest::mouseClick(list().save_next_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList()) << "the silent save";
    EXPECT_EQ(w.document.ListData().at(3), QStringList({"4", "Dora", "Dart", "U4"}));
    EXPECT_EQ(list().selectedRow(), 4) << "moved on";

    // Delete Bob: asked, then the row before is selected.
    list().GroupList->setCurrentRow(1);
    testsupport::boxes().answerNext(1);  // Yes
    QTest::mouseClick(list().delete_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"Are you sure you want delete selected record?",
                                                         "\nRecord deleted successfully."}));
    EXPECT_EQ(entries(), QStringList({"1 - Ann", "2 - Cyd", "3 - Dora", "4 - Eve", "5 - Fay"}));
    EXPECT_EQ(list().selectedRow(), 0);
    const QList<QStringList> rows = w.document.ListData();
    const DesignColumnChoices choices = w.document.m_columnChoices;
    EXPECT_EQ(fileRows(), rows);

    reopen();
    EXPECT_EQ(w.document.ListData(), rows) << "reopened unchanged";
    EXPECT_EQ(w.document.m_columnChoices, choices);
    EXPECT_EQ(entries(), QStringList({"1 - Ann", "2 - Cyd", "3 - Dora", "4 - Eve", "5 - Fay"}));
    EXPECT_EQ(w.document.m_columnChoices.excel_cb_value10, 3);
    EXPECT_EQ(cardText(0, "Fup_Name"), "Ann");
    EXPECT_EQ(w.front().count(), 2) << "the choices bind the controls there are; none is made twice";
    EXPECT_EQ(w.back().count(), 2);
}

TEST_F(GroupMode, SaveWithoutASelectedPersonStoresNoPanel)
{
    // The panel shows no person: what it holds is not written over the first row.
    list().GroupList->setCurrentRow(-1);
    Profile_Panel_Of_Side(0)->Text_Box_For_ID("Fup_Name")->setText("Zed");
    ASSERT_TRUE(Profile_Panel_Of_Side(0)->Chk_Box_For_ID("Fup_Name")->isChecked());
    ASSERT_TRUE(w.save());
    EXPECT_EQ(fileRows(), kPeople);
    EXPECT_EQ(w.document.ListData(), kPeople);
}

TEST_F(GroupMode, EachPersonWithTheirOwnPhoto)
{
    // A front photo column: Ann and Bob have pictures, Cy has none.
    const QString home = testsupport::testHome();
    for (const char *name : {"ann", "bob"}) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(QString(name) == "ann" ? Qt::red : Qt::blue);
        ASSERT_TRUE(picture.save(home + "/" + name + ".png"));
    }
    list().GroupList->setCurrentRow(-1);
    GraphicPtr photo = w.add(w.front(), GraphicKind::Image, {170, 20, 60, 80});
    photo->control_ID = "Fup_Photo";
    w.document.m_spreadsheet.column_titles << "Photo";
    w.document.setListData({kPeople.at(0) + QStringList{home + "/ann.png"}, kPeople.at(1) + QStringList{home + "/bob.png"},
                            kPeople.at(2) + QStringList{""}});
    w.document.m_columnChoices.excel_cb_value11 = 4;
    ASSERT_TRUE(w.save());
    reopen();

    struct Row {
        int row;
        QString path;  // on the card and in the panel
    } rows[] = {{1, home + "/bob.png"}, {0, home + "/ann.png"}, {2, ""}};
    for (const Row &r : rows) {
        list().GroupList->setCurrentRow(r.row);
        SKTGraphic *g = w.frontView.Selcect_Ctrl_With_ID("Fup_Photo");
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(Profile_Panel_Of_Side(0)->image_path_val->text(), r.path) << r.row;
        if (r.path.isEmpty()) {
            EXPECT_NE(g->FilePath(), home + "/ann.png") << "no picture of the person before";
        } else {
            EXPECT_EQ(g->FilePath(), r.path) << r.row;
            EXPECT_EQ(g->_contents.image().pixelColor(0, 0), QColor(r.row == 0 ? Qt::red : Qt::blue)) << r.row;
        }
    }
    // Saving a person keeps their picture's path in the row.
    list().GroupList->setCurrentRow(1);
    QTest::mouseClick(list().save_btn, Qt::LeftButton);
    EXPECT_EQ(w.document.ListData().at(1).value(4), home + "/bob.png");
    EXPECT_EQ(w.document.ListData().at(0).value(4), home + "/ann.png");
}

TEST_F(GroupMode, UserAddedFieldTakesItsColumn)
{
    // A row of the panel's own: caption "Badge :" and its value bound to "Unique".
    list().GroupList->setCurrentRow(-1);
    GraphicPtr caption = field(0, "F_label1", 80);
    caption->Set_text_value("Badge :");
    GraphicPtr value = field(0, "F_field1", 100);
    value->Set_Data_source_type(Data_Source_Spreadsheet);
    value->Set_Excel_binding(true);
    value->Set_Excel_binding_Index(3);
    ASSERT_TRUE(w.save());
    reopen();

    Profile_Panel &front = *Profile_Panel_Of_Side(0);
    ASSERT_NE(front.Get_Dynamic_Text_Box("F_field1"), nullptr) << "the panel has the row";
    list().GroupList->setCurrentRow(3);
    EXPECT_EQ(cardText(0, "F_field1"), "U4");
    EXPECT_EQ(front.Get_Dynamic_Text_Box("F_field1")->text(), "U4");
    EXPECT_EQ(cardText(0, "F_label1"), "Badge :") << "captions take no column";

    front.Get_Dynamic_Text_Box("F_field1")->setText("U4b");
    QTest::mouseClick(list().save_btn, Qt::LeftButton);
    EXPECT_EQ(w.document.ListData().at(3), QStringList({"4", "Dee", "Dart", "U4b"}));
    EXPECT_EQ(fileRows().at(3), QStringList({"4", "Dee", "Dart", "U4b"}));
}

TEST_F(GroupMode, ColumnDialogMovesAUserAddedFieldToAnotherColumn)
{
    list().GroupList->setCurrentRow(-1);
    field(0, "F_label1", 80)->Set_text_value("Badge :");
    GraphicPtr value = field(0, "F_field1", 100);
    value->Set_Data_source_type(Data_Source_Spreadsheet);
    value->Set_Excel_binding(true);
    value->Set_Excel_binding_Index(3);
    ASSERT_TRUE(w.save());
    reopen();
    list().GroupList->setCurrentRow(2);
    QStringList listed;
    w.runner.whileOpen<Update_XL_Column>([&](Update_XL_Column &d) {
        for (const auto &row : d.view_array_value) listed << row.caption->text();
        d.view_array_value.at(0).combo->setCurrentIndex(2);  // "Company"
        d.OKPressed();
    });
    w.group.Update_Excel_Btn_Clicked();
    w.runner.remove<Update_XL_Column>();
    EXPECT_EQ(listed, QStringList({"F_field1"})) << "values, not captions";
    SKTGraphic *g = w.frontView.Selcect_Ctrl_With_ID("F_field1");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->excel_col_indx, 2);
    EXPECT_EQ(g->Text_Value, "Corp") << "the selected person's cell of the new column";
    EXPECT_EQ(Profile_Panel_Of_Side(0)->Get_Dynamic_Text_Box("F_field1")->text(), "Corp");
}

TEST_F(GroupMode, ViewingTheRowsNeedsRows)
{
    w.document.setListData({});
    QTest::mouseClick(list().view_excel_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nThere is no excel data to view."}));
    EXPECT_EQ(w.rowWindows, 0);
    EXPECT_EQ(entries(), QStringList());
    QTest::mouseClick(list().save_btn, Qt::LeftButton);
    QTest::mouseClick(list().delete_btn, Qt::LeftButton);
    EXPECT_EQ(w.document.ListData(), QList<QStringList>()) << "nothing to store into or delete";
}

TEST_F(GroupMode, TheOnlyRowCannotBeDeleted)
{
    w.document.setListData({kPeople.at(0)});
    QTest::mouseClick(list().delete_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList({"\nUnable to delete this record because project must have one record."}));
    EXPECT_EQ(w.document.ListData().size(), 1);
}

// ---- The column dialog ----

TEST_F(GroupMode, ColumnDialogRefusesNoNameAndCancelChangesNothing)
{
    struct Row {
        int side;
        QString title;
    } rows[] = {{0, "Front Side Update Excel Column"}, {1, "Back Side Update Excel Column"}};
    for (const Row &r : rows) {
        if (r.side == 1) w.showSide(1);
        const DesignColumnChoices before = w.document.m_columnChoices;
        const QList<Control_Snapshot> front = snapshotOf(w.front()), back = snapshotOf(w.back());
        QStringList titles;
        w.runner.whileOpen<Update_XL_Column>([&](Update_XL_Column &d) {
            titles << d.windowTitle();
            d.combos[0]->setCurrentIndex(0);
            d.OKPressed();
            d.CancelPressed();
        });
        QTest::mouseClick(list().update_column_btn, Qt::LeftButton);
        w.runner.remove<Update_XL_Column>();
        EXPECT_EQ(titles, QStringList({r.title}));
        EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nDefault column should not be 'None'."}));
        EXPECT_EQ(w.document.m_columnChoices, before);
        EXPECT_EQ(snapshotOf(w.front()), front);
        EXPECT_EQ(snapshotOf(w.back()), back);
        EXPECT_EQ(w.document.Card_Front_Or_Back, r.side) << "the side shown stays";
    }
}

TEST_F(GroupMode, ColumnDialogShowOffHidesAndOneUndoRestoresAll)
{
    list().GroupList->setCurrentRow(1);
    const QList<Control_Snapshot> card = snapshotOf(w.front());
    w.runner.whileOpen<Update_XL_Column>([&](Update_XL_Column &d) {
        d.checks[2]->setChecked(false);    // the company no longer shown
        d.combos[1]->setCurrentIndex(3);   // the title from "Unique", shown
        d.OKPressed();
        if (d.isVisible()) d.CancelPressed();
    });
    w.group.Update_Excel_Btn_Clicked();
    w.runner.remove<Update_XL_Column>();
    EXPECT_EQ(w.document.m_columnChoices.excel_cb_value2, 3);
    SKTGraphic *company = w.frontView.Selcect_Ctrl_With_ID("Fup_Company");
    ASSERT_NE(company, nullptr);
    EXPECT_FALSE(company->ctrl_is_visible);
    EXPECT_EQ(company->excel_col_indx, 2) << "still bound";
    EXPECT_EQ(cardText(0, "Fup_Title"), "U2") << "a new title control, on the selected person";
    EXPECT_FALSE(Profile_Panel_Of_Side(0)->Chk_Box_For_ID("Fup_Company")->isChecked()) << "the panel follows";
    EXPECT_TRUE(Profile_Panel_Of_Side(0)->Chk_Box_For_ID("Fup_Title")->isChecked());
    EXPECT_EQ(panelText(0, "Fup_Title"), "U2");
    SKTGraphic *unique = w.frontView.Selcect_Ctrl_With_ID("Fup_UniqueNo");
    ASSERT_NE(unique, nullptr) << "a field with a column, not shown, gets its control, hidden and bound";
    EXPECT_FALSE(unique->ctrl_is_visible);
    EXPECT_EQ(unique->excel_col_indx, 3);
    EXPECT_EQ(list().selectedRow(), 1) << "the person stays selected";
    EXPECT_EQ(w.document.Card_Front_Or_Back, 0);

    ASSERT_TRUE(w.undoStep());
    EXPECT_EQ(snapshotOf(w.front()), card) << "one undo restores all";
}

TEST_F(GroupMode, ColumnDialogOnTheBackWorksOnTheBack)
{
    w.showSide(1);
    list().GroupList->setCurrentRow(4);
    const QList<Control_Snapshot> front = snapshotOf(w.front());
    w.runner.whileOpen<Update_XL_Column>([&](Update_XL_Column &d) {
        d.checks[9]->setChecked(false);  // the unique number no longer shown
        d.OKPressed();
    });
    w.group.Update_Excel_Btn_Clicked();
    w.runner.remove<Update_XL_Column>();
    EXPECT_EQ(w.document.Card_Front_Or_Back, 1);
    SKTGraphic *unique = w.backView.Selcect_Ctrl_With_ID("Fup_UniqueNo");
    ASSERT_NE(unique, nullptr);
    EXPECT_FALSE(unique->ctrl_is_visible);
    EXPECT_EQ(cardText(1, "Fup_Name"), "Eve") << "the selected person stays on the back";
    EXPECT_EQ(snapshotOf(w.front()), front) << "the front is not touched";
}

// ---- Output ----

TEST_F(GroupMode, OutputTakesTheSideNotShownFromTheSelectedRow)
{
    w.showSide(1);
    list().GroupList->setCurrentRow(3);
    const QList<Control_Snapshot> front = snapshotOf(w.front());
    const std::shared_ptr<SideCopy> filled = w.group.Group_Side_Not_Shown_Filled();
    ASSERT_NE(filled, nullptr);
    QStringList texts;
    for (const GraphicPtr &g : filled->controls) texts << g->control_ID + "=" + g->Text_Value;
    texts.sort();
    EXPECT_EQ(texts, QStringList({"Fup_Company=Dart", "Fup_Name=Dee"}));
    EXPECT_EQ(snapshotOf(w.front()), front) << "the design unchanged";
    w.document.Start_Card_Option = Card_Mode::Visitor;
    EXPECT_EQ(w.group.Group_Side_Not_Shown_Filled(), nullptr) << "only in group mode";
}

} // namespace

} // namespace group_mode_test
