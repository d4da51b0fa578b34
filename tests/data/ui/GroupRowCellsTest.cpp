// Group mode: the selected person's row goes onto the card and the panel's boxes follow
// the card. Two boxes of one column show one cell, whichever is typed into, and that is
// what the row's Save stores; a field not shown and a person without a photo.
#include "GroupBinding.h"
#include "GroupProjectTest.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace group_row_cells_test {

namespace {

using group_project::kPeople;
struct GroupCells : group_project::Group_Project_Test {
    // The person of `row` picked and the card's text `id` bound to `column` on the Data
    // Source tab.
    void bindOnTheCard(int row, const char *id, int column)
    {
        list().GroupList->setCurrentRow(row);
        SKTGraphic *g = w.frontView.Selcect_Ctrl_With_ID(id);
        ASSERT_NE(g, nullptr);
        w.bindOnTab(*g, column);
    }
    // Cy picked, the card's name bound to the company column and saved: the name box and
    // the company box show the company, the row is unchanged.
    void bindNameToCompany()
    {
        bindOnTheCard(2, "Fup_Name", 2);
        ASSERT_EQ(w.document.m_columnChoices.excel_cb_value1, 2);
        EXPECT_EQ(panelText(0, "Fup_Name"), "Corp");
        QTest::mouseClick(list().save_btn, Qt::LeftButton);
        EXPECT_EQ(w.document.ListData().at(2), kPeople.at(2));
        testsupport::boxes().clear();
    }
    // The row's Save: it says so, the row holds `company` in memory and in the project
    // file, and the person picked again after `between` shows it in both boxes.
    void expectSaved(int row, const QString &company, int between, const char *what)
    {
        QTest::mouseClick(list().save_btn, Qt::LeftButton);
        EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nRecord saved successfully."})) << what;
        QStringList stored = kPeople.at(row);
        stored[2] = company;
        EXPECT_EQ(w.document.ListData().at(row), stored) << what;
        EXPECT_EQ(fileRows().at(row), stored) << what;
        list().GroupList->setCurrentRow(between);
        list().GroupList->setCurrentRow(row);
        for (const char *id : {"Fup_Name", "Fup_Company"})
            EXPECT_EQ(panelText(0, id), company) << what << ", picked again: " << id;
    }
};

TEST_F(GroupCells, TwoBoxesOfOneColumnShowOneCellAndSaveStoresIt)
{
    bindNameToCompany();

    // Typed into either box; a box emptied leaves the cell empty, not the card's
    // "Text here".
    const struct Row {
        const char *typedInto;
        int row;
        QString typed;
        QString nameCard, companyCard;
    } rows[] = {{"Fup_Name", 0, "Typed Corp", "Typed Corp", "Typed Corp"},
                {"Fup_Company", 1, "Typed Corp", "Typed Corp", "Typed Corp"},
                {"Fup_Name", 3, "", "Text here", "Text here"}};
    for (const Row &r : rows) {
        list().GroupList->setCurrentRow(r.row);
        QLineEdit *box = Profile_Panel_Of_Side(0)->Text_Box_For_ID(r.typedInto);
        box->selectAll();
        if (r.typed.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, r.typed);
        EXPECT_EQ(cardText(0, "Fup_Name"), r.nameCard) << r.typedInto;
        EXPECT_EQ(cardText(0, "Fup_Company"), r.companyCard) << r.typedInto;
        for (const char *id : {"Fup_Name", "Fup_Company"})
            EXPECT_EQ(panelText(0, id), r.typed) << r.typedInto << ", the box of " << id;
        expectSaved(r.row, r.typed, 4, r.typedInto);
        EXPECT_EQ(entries().at(r.row), QString("%1 - %2").arg(r.row + 1).arg(r.typed)) << r.typedInto;
    }
    EXPECT_EQ(w.document.ListData().at(4), kPeople.at(4)) << "the person picked between is not touched";
}

// The texts of one column show one cell whatever road changes one of them: a text
// changed on the card itself (as the Text tab changes it) brings the other text of its
// column and both boxes along, and the row's Save stores that one value.
TEST_F(GroupCells, ATextChangedOnTheCardBringsTheOtherTextOfItsColumn)
{
    bindNameToCompany();
    const struct Row {
        const char *changed;
        int row;
        QString to, card, boxes, stored;
    } rows[] = {{"Fup_Name", 0, "Tab Two", "Tab Two", "Tab Two", "Tab Two"},
                {"Fup_Company", 1, "Tab Three", "Tab Three", "Tab Three", "Tab Three"},
                {"Fup_Name", 3, "Text here", "Text here", "", ""},
                {"Fup_Company", 4, "", "", "", ""}};
    for (const Row &r : rows) {
        list().GroupList->setCurrentRow(r.row);
        SKTGraphic *g = w.frontView.Selcect_Ctrl_With_ID(r.changed);
        ASSERT_NE(g, nullptr);
        g->Set_text_value(r.to);
        for (const char *id : {"Fup_Name", "Fup_Company"}) {
            EXPECT_EQ(cardText(0, id), r.card) << r.changed << ", the text of " << id;
            EXPECT_EQ(panelText(0, id), r.boxes) << r.changed << ", the box of " << id;
        }
        expectSaved(r.row, r.stored, r.row == 0 ? 1 : 0, r.changed);
    }
}

// So too for the first column of the sheet after the row number: the company text bound
// to the name column shows the name typed into the company box.
TEST_F(GroupCells, TwoBoxesOfTheFirstColumnShowOneCell)
{
    bindOnTheCard(0, "Fup_Company", 1);
    ASSERT_EQ(w.document.m_columnChoices.excel_cb_value3, 1);
    QLineEdit *box = Profile_Panel_Of_Side(0)->Text_Box_For_ID("Fup_Company");
    box->selectAll();
    QTest::keyClicks(box, "Ann Typed");
    EXPECT_EQ(cardText(0, "Fup_Name"), "Ann Typed");
    EXPECT_EQ(panelText(0, "Fup_Name"), "Ann Typed");
}

TEST_F(GroupCells, TheBoxesFollowTheRowPutOnTheCard)
{
    // The company not shown on the card, and a front photo column: Ann and Cy have a
    // picture, Bob none.
    const QString home = testsupport::testHome();
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(home + "/ann.png"));
    list().GroupList->setCurrentRow(-1);
    GraphicPtr photo = w.add(w.front(), GraphicKind::Image, {170, 20, 60, 80});
    photo->control_ID = "Fup_Photo";
    w.frontView.Selcect_Ctrl_With_ID("Fup_Company")->Set_Ctrl_Is_Visible(false);
    w.document.m_spreadsheet.column_titles << "Photo";
    w.document.setListData({kPeople.at(0) + QStringList{home + "/ann.png"}, kPeople.at(1) + QStringList{""},
                            kPeople.at(2) + QStringList{home + "/ann.png"}});
    w.document.m_columnChoices.excel_cb_value11 = 4;
    ASSERT_TRUE(w.save());
    reopen();

    const QString ann = home + "/ann.png", standIn = w.No_Image_Path();
    const struct Row {
        int row;
        QString company;
        QString photoBox, cardPhoto;
    } rows[] = {{0, "Acme", ann, ann}, {1, "Bell", "", standIn}, {2, "Corp", ann, ann}, {1, "Bell", "", standIn}};
    Profile_Panel &front = *Profile_Panel_Of_Side(0);
    for (const Row &r : rows) {
        list().GroupList->setCurrentRow(r.row);
        EXPECT_EQ(cardText(0, "Fup_Company"), r.company) << r.row;
        EXPECT_EQ(panelText(0, "Fup_Company"), r.company) << r.row << ": a field not shown shows the person's cell too";
        EXPECT_FALSE(front.Chk_Box_For_ID("Fup_Company")->isChecked()) << r.row;
        SKTGraphic *g = w.frontView.Selcect_Ctrl_With_ID("Fup_Photo");
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->FilePath(), r.cardPhoto) << r.row;
        EXPECT_EQ(front.image_path_val->text(), r.photoBox) << r.row << ": the stand-in is nobody's photo";
    }
    // The person without a photo saved: no picture is stored.
    QTest::mouseClick(list().save_btn, Qt::LeftButton);
    EXPECT_EQ(w.document.ListData().at(1), kPeople.at(1) + QStringList{""});
}

// A user-added field bound anew on the Data Source tab: its entry of the side's list
// takes the control's column, which the row's Save then stores into; unbound it has
// none, and a later binding gives it that column again. Its binding undone, it is the
// old column's again, on the card and in the Save.
TEST_F(GroupCells, AUserAddedFieldsColumnFollowsItsBinding)
{
    list().GroupList->setCurrentRow(-1);
    field(0, "F_label1", 80)->Set_text_value("Badge :");
    GroupBinding::Bind(*field(0, "F_field1", 100), 3, true);
    ASSERT_TRUE(w.save());
    reopen();
    const DesignColumnChoices choices = w.document.m_columnChoices;
    const auto entryColumn = [this] {
        for (const Dynamic_Ctrl_Entry &e : w.panels.front_list)
            if (e.id == "F_field1") return e.column;
        return QString("<no entry>");
    };
    ASSERT_EQ(entryColumn(), "3");
    list().GroupList->setCurrentRow(3);
    const struct {
        int bound;    // the control's column on the Data Source tab, -1 Manual
        bool undone;  // the binding then undone
        QString entry, card;
        QStringList stored;  // Dee's row once "Desk 9" is typed into the box and saved (none: not typed)
    } rows[] = {{2, true, "3", "U4", {"4", "Dee", "Dart", "Desk 9"}},
                {2, false, "2", "Dart", {"4", "Dee", "Desk 9", "Desk 9"}},
                {-1, false, "-1", "Desk 9", {}},
                {1, false, "1", "Dee", {}}};
    for (const auto &r : rows) {
        SKTGraphic *g = w.frontView.Selcect_Ctrl_With_ID("F_field1");
        ASSERT_NE(g, nullptr);
        w.Record_Undo(0);
        w.bindOnTab(*g, r.bound);
        if (r.undone) {
            ASSERT_TRUE(w.undoStep());
        }
        EXPECT_EQ(entryColumn(), r.entry) << r.bound;
        EXPECT_EQ(w.group.Column_Of("F_field1"), r.entry.toInt()) << r.bound;
        EXPECT_EQ(cardText(0, "F_field1"), r.card) << r.bound;
        EXPECT_EQ(w.document.m_columnChoices, choices) << r.bound << ": the fixed fields keep their columns";
        if (r.stored.isEmpty()) continue;
        // Typed into its box and saved: the cell of the field's column takes it.
        QLineEdit *box = Profile_Panel_Of_Side(0)->Get_Dynamic_Text_Box("F_field1");
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClicks(box, "Desk 9");
        QTest::mouseClick(list().save_btn, Qt::LeftButton);
        EXPECT_EQ(w.document.ListData().at(3), r.stored) << r.bound << r.undone;
    }
}

} // namespace

} // namespace group_row_cells_test
