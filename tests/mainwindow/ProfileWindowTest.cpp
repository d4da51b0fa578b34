#include "../data/Checkers.h"
#include "DataSourceSection.h"
#include "Profile_Data_Source.h"
#include "Profile_Dialog.h"
#include "Profile_Window.h"
#include "ProfileWindow.h"
#include "ProfileWorkbooks.h"
#include "SKTImage.h"
#include "SheetImport.h"
#include "SpreadsheetWriter.h"
#include "Shots.h"
#include "Data_From_Excel.h"
#include "TestSupport.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QTableView>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <gtest/gtest.h>

namespace {
struct Answer {
    testsupport::ScriptedRunner &runner;
    Answer(ProfileWindow &w, std::function<void(Profile_Dialog &)> f) : runner(w.runner)
    {
        runner.answer<Profile_Dialog>(std::move(f));
    }
    ~Answer() { runner.remove<Profile_Dialog>(); }
};

struct Fresh : ::testing::Test {};

void Choose(QComboBox *source, const QString &text)
{
    const int at = source->findText(text);
    ASSERT_GE(at, 0) << text.toStdString();
    source->setCurrentIndex(at);
    emit source->activated(at);
}
} // namespace

TEST_F(Fresh, CancelKeepsTheFlagAndTheSide)
{
    ProfileWindow w;
    GraphicPtr name = SKTGraphic::create(GraphicKind::Text);
    name->control_ID = "Fup_Name";
    name->Text_Value = "Visitor";
    name->Set_Ctrl_Is_Visible(true);
    w.front().insert(name, 0);
    w.controller.Make_Sure_Of_Undo_Base(0);
    std::vector<KeyedArchive> before;
    for (const GraphicPtr &g : w.front().items()) before.push_back(g->encode());
    const int undo = w.controller.Get_Undo_Count();
    int shownDuringPreview = -1;
    Answer a(w, [&](Profile_Dialog &d) {
        d.rows[0].value->setText("Someone else");
        d.image_USE->setChecked(true);
        d.Preview_Btn_Clicked();
        shownDuringPreview = w.controller.ui.myTargetView->currentIndex();
        d.Cancel_Btn_Clicked();
    });
    w.controller.User_Profile_Button_Clicked();
    EXPECT_EQ(shownDuringPreview, 2) << "the preview shows the scratch side";
    EXPECT_EQ(w.controller.ui.myTargetView->currentIndex(), 0);
    EXPECT_FALSE(w.controller.profiles().Profile_Confirmed());
    std::vector<KeyedArchive> after;
    for (const GraphicPtr &g : w.front().items()) after.push_back(g->encode());
    EXPECT_TRUE(after == before);
    EXPECT_EQ(w.controller.Get_Undo_Count(), undo);
    EXPECT_EQ(w.controller._graphicView_TEMP->Selcect_Ctrl_With_ID("Fup_Name")->Text_Value, "Someone else");
}

TEST_F(Fresh, OkWritesTheProfileOntoTheCardInOneUndoStep)
{
    ProfileWindow w;
    w.controller.Make_Sure_Of_Undo_Base(0);
    const int undo = w.controller.Get_Undo_Count();
    Answer a(w, [&](Profile_Dialog &d) {
        d.rows[0].value->setText("Ann Lee");
        d.rows[0].caption->setText("Name :");
        d.Preview_Btn_Clicked();
        d.OK_Btn_Clicked();
    });
    w.controller.ui.command("Profile")->trigger();
    ASSERT_NE(w.onFront("Fup_Name"), nullptr);
    EXPECT_EQ(w.onFront("Fup_Name")->Text_Value, "Ann Lee");
    EXPECT_EQ(w.onFront("Fup_lbl_Name")->Text_Value, "Name :");
    EXPECT_EQ(w.controller.Get_Undo_Count(), undo + 1);
    EXPECT_EQ(w.controller.Selected_Control_Tool(), 0);
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(w.onFront("Fup_Name"), nullptr);
}

TEST_F(Fresh, PanesFollowTheModeAndTheRows)
{
    ProfileWindow w;
    w.controller.window()->resize(1600, 900);
    w.controller.showWindow();
    w.controller.visitorPanels().Change_Side_View(1);
    EXPECT_EQ(w.controller.ui.visitor_stack->currentWidget(), w.controller.ui.back_vistr_view);
    EXPECT_EQ(w.controller.ui.splitter->sizes()[1], 380);
    EXPECT_EQ(w.controller.ui.back_vistr_view->height(), 475);

    const QList<int> sizes = w.controller.ui.splitter->sizes();
    w.document.Start_Card_Option = Card_Mode::Template;
    w.controller.Show_Hide_Profile_Panel_Live_Mode(0);
    EXPECT_EQ(w.controller.ui.splitter->sizes(), sizes) << "0 changes nothing";
    EXPECT_EQ(w.controller.ui.visitor_stack->currentWidget(), w.controller.ui.back_vistr_view);
    w.controller.visitorPanels().Uncollapse_Left_View();
    EXPECT_TRUE(w.controller.ui.group_control_view->isHidden());
    EXPECT_TRUE(w.controller.ui.Visitor_Panel_Area->isHidden());

    w.document.Start_Card_Option = Card_Mode::Group;
    w.controller.visitorPanels().Uncollapse_Left_View();
    EXPECT_FALSE(w.controller.ui.group_control_view->isHidden());
    EXPECT_EQ(w.controller.ui.splitter->sizes()[0], 200);
    EXPECT_EQ(w.controller.ui.splitter->sizes()[1], 400);
}

TEST_F(Fresh, VisitorButtonsFollowTheModeTable)
{
    struct Case {
        const char *mode;
        bool hide;
        bool text, image, toDb, kinds, log;
    } cases[] = {
        {"V", false, false, true, true, false, true}, {"V", true, false, true, false, false, false},
        {"G", false, false, false, true, false, true}, {"G", true, false, false, false, true, false},
        {"T", false, true, true, true, false, true},   {"T", true, true, true, false, false, false},
    };
    for (const Case &c : cases) {
        ProfileWindow w(c.mode);
        w.controller.Show_Hide_Visitor_DB_Button(c.hide);
        const std::string name = std::string(c.mode) + (c.hide ? " hide" : " show");
        EXPECT_EQ(w.controller.ui.toolActions[2]->isEnabled(), c.text) << name;
        EXPECT_EQ(w.controller.ui.toolActions[8]->isEnabled(), c.image) << name;
        EXPECT_EQ(w.controller.ui.toolActions[9]->isEnabled(), c.image) << name;
        for (Profile_Panel *p : {&w.fp(), &w.bp()}) {
            EXPECT_EQ(!p->Add_to_DB_btn->isHidden(), c.toDb) << name;
            EXPECT_EQ(!p->new_ctrl_type_box->isHidden(), c.kinds) << name;
        }
        EXPECT_EQ(w.controller.ui.command("VisitorLog")->isVisible(), c.log) << name;
    }
}

TEST_F(Fresh, HidingTheVisitorPanelHidesBothLeftPanes)
{
    ProfileWindow w;
    w.controller.showWindow();
    w.controller.Show_Hide_Profile_Panel_Live_Mode(1);
    EXPECT_FALSE(w.controller.ui.Visitor_Panel_Area->isHidden());
    w.controller.visitorPanels().Hide_Visitor_Panel();
    EXPECT_TRUE(w.controller.ui.group_control_view->isHidden());
    EXPECT_TRUE(w.controller.ui.Visitor_Panel_Area->isHidden());
    EXPECT_TRUE(w.controller.ui.scrollView->isHidden());
}

TEST_F(Fresh, AWorkbookPickedInTheProfileDialogBecomesTheDesignsDataSource)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    QTemporaryDir dir;
    const QString book = dir.path() + "/staff.xlsx";
    ASSERT_EQ(checkers::python("import sys, datetime, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
                               "for r in [['Name', 'Title', 'Born'], ['Ann Lee', 'Boss', datetime.date(2027, 1, 2)],"
                               " ['Bob Ray', 'Clerk', datetime.date(1990, 5, 17)]]: ws.append(r)\n"
                               "wb.save(sys.argv[1])",
                               {book}),
              "");
    ProfileWindow w;
    testsupport::clearFilePanels();
    testsupport::queueFilePanelAnswer({book});
    QStringList importColumns, sources, values;
    Answer a(w, [&](Profile_Dialog &d) {
        // The import window opens in mode "E" on the chosen workbook: all its columns.
        std::function<void()> answerImport = [&] {
            auto *import = qobject_cast<Import_Excel *>(QApplication::activeModalWidget());
            if (!import) {
                QTimer::singleShot(10, answerImport);  // not shown yet
                return;
            }
            EXPECT_EQ(import->open_mode, "E");
            for (const SeriesImport::ColumnEntry &e : import->entries()) importColumns << e.extension;
            import->Select_ALL_Pressed();
            testsupport::saveShot(*import, "profile-excel-1-import");
            import->OKPressed();
        };
        QTimer::singleShot(0, answerImport);
        QComboBox *name = d.rows[0].source;
        const int pick = name->findText("Excel...");
        ASSERT_GE(pick, 0);
        name->setCurrentIndex(pick);
        emit name->activated(pick);
        // The columns are offered now; the name takes the first, the title the second.
        QComboBox *title = d.rows[1].source;
        const int second = title->findText("Column: Title");
        ASSERT_GE(second, 0);
        title->setCurrentIndex(second);
        emit title->activated(second);
        for (int i = 0; i < title->count(); ++i) sources << title->itemText(i);
        values << name->currentText() << d.rows[0].value->text() << d.rows[1].value->text();
        testsupport::saveShot(d, "profile-excel-2-dialog");
        d.OK_Btn_Clicked();
    });
    w.controller.ui.command("Profile")->trigger();
    EXPECT_EQ(testsupport::filePanelRequests().size(), 1);
    EXPECT_EQ(importColumns, QStringList({"Name", "Title", "Born"}));
    EXPECT_EQ(sources.mid(sources.size() - 5),
              QStringList({"Column: S.No.", "Column: Name", "Column: Title", "Column: Born", "Excel..."}));
    EXPECT_EQ(values, QStringList({"Column: Name", "Ann Lee", "Boss"}));
    // The rows are the design's, bound as its data source; the first row is on the card.
    EXPECT_TRUE(w.document.m_spreadsheet.Excel_Binding_Use);
    EXPECT_EQ(w.document.m_spreadsheet.Excel_Source_Path, book);
    ASSERT_EQ(w.document.ListData().size(), 2);
    EXPECT_EQ(w.document.ListData()[1], QStringList({"2", "Bob Ray", "Clerk", "1990-05-17"}));
    SKTGraphic *shownName = w.onFront("Fup_Name");
    ASSERT_NE(shownName, nullptr);
    EXPECT_EQ(shownName->Text_Value, "Ann Lee");
    EXPECT_EQ(shownName->data_source_type_val(), 2);
    EXPECT_EQ(shownName->excel_col_indx, 1);
    ASSERT_NE(w.onFront("Fup_Title"), nullptr);
    EXPECT_EQ(w.onFront("Fup_Title")->Text_Value, "Boss");
    // The Data Source tab offers "Excel" with the columns, the control's shown.
    w.controller._graphicView->selectGraphics({shownName});
    w.controller.Show_RHS_Properties(shownName);  // as a click on it does
    DataSourceSection &tab = *w.controller.dataSourceSection;
    EXPECT_EQ(tab.Data_source_type->currentText(), "Excel");
    EXPECT_EQ(tab.Batch_Series->currentText(), "Name");
    if (!qEnvironmentVariableIsEmpty("DOZO_SHOTS_DIR")) {
        w.controller.window()->resize(1300, 850);
        w.controller.window()->show();
        QApplication::processEvents();
        testsupport::saveShot(*w.controller.window(), "profile-excel-3-window");
        testsupport::saveShot(tab, "profile-excel-4-data-source");
    }
    // The view button's spreadsheet source window lists the rows.
    QAbstractItemModel &table = *w.controller.Data_From_Excel_Window().ColList->model();
    ASSERT_EQ(table.rowCount(), 2);
    ASSERT_EQ(table.columnCount(), 4);
    EXPECT_EQ(table.headerData(3, Qt::Horizontal).toString(), "Born");
    EXPECT_EQ(table.index(0, 3).data().toString(), "2027-01-02");
    EXPECT_EQ(table.index(1, 1).data().toString(), "Bob Ray");
}

// A second workbook imported in the same dialog: each row bound to a column keeps that
// column by its name and shows its first value from the new rows; a row whose column
// is gone goes back to Manual and the message names it.
TEST_F(Fresh, ANewWorkbookKeepsEachRowsColumnByName)
{
    Two_Books books;
    ProfileWindow w;
    testsupport::clearFilePanels();
    testsupport::boxes().clear();
    QStringList after;
    Answer a(w, [&](Profile_Dialog &d) {
        Import_Through(d.rows[0].source, books.six);  // Name takes the first column
        Choose(d.rows[1].source, "Column: Label");
        Choose(d.rows[2].source, "Column: Company");
        Choose(d.rows[4].source, "Column: Tag");
        EXPECT_EQ(d.rows[4].value->text(), "Tag1");
        Import_Through(d.rows[2].source, books.other);  // Company takes the first column
        for (int i : {0, 1, 2, 4}) after << d.rows[size_t(i)].source->currentText() << d.rows[size_t(i)].value->text();
        d.OK_Btn_Clicked();
    });
    w.controller.ui.command("Profile")->trigger();
    EXPECT_EQ(after, QStringList({"Column: Name", "Other1", "Column: Label", "M1", "Column: Label", "M1", "Manual", "Tag1"}));
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList({"\nThe new workbook has no column for these rows; they are set to Manual:\n"
                           "Address (column \"Tag\")"}));
    EXPECT_EQ(w.document.m_spreadsheet.Excel_Source_Path, books.other);
    const QList<std::pair<const char *, QString>> card{{"Fup_Name", "Other1"}, {"Fup_Title", "M1"}, {"Fup_Company", "M1"}};
    for (const auto &[id, value] : card) {
        SKTGraphic *g = w.onFront(id);
        ASSERT_NE(g, nullptr) << id;
        EXPECT_EQ(g->Text_Value, value) << id;
    }
    EXPECT_EQ(w.onFront("Fup_Name")->excel_col_indx, 2);
    EXPECT_EQ(w.onFront("Fup_Title")->excel_col_indx, 1);
}

// Cancel after an import leaves the design's rows and columns, its bindings and the
// lists the dialog offers as they were before the dialog opened.
TEST_F(Fresh, CancelAfterAnImportChangesNothing)
{
    Two_Books books;
    ProfileWindow w;
    testsupport::clearFilePanels();
    {
        Answer first(w, [&](Profile_Dialog &d) {
            Import_Through(d.rows[0].source, books.six);
            d.OK_Btn_Clicked();
        });
        w.controller.ui.command("Profile")->trigger();
    }
    const DesignSpreadsheet before = w.document.m_spreadsheet;
    ASSERT_EQ(before.rows.size(), 6);
    ASSERT_NE(w.onFront("Fup_Name"), nullptr);
    const KeyedArchive name = w.onFront("Fup_Name")->encode();
    QStringList offered;
    {
        Answer again(w, [&](Profile_Dialog &d) {
            Import_Through(d.rows[1].source, books.other);
            EXPECT_EQ(w.document.m_spreadsheet.Excel_Source_Path, books.other);
            d.Cancel_Btn_Clicked();
        });
        w.controller.ui.command("Profile")->trigger();
    }
    EXPECT_TRUE(w.document.m_spreadsheet == before);
    EXPECT_EQ(w.document.ColList_Titles(), QStringList({"S.No.", "Name", "Label", "Company", "Tag"}));
    EXPECT_TRUE(w.onFront("Fup_Name")->encode() == name) << "the binding is not dropped";
    {
        Answer look(w, [&](Profile_Dialog &d) {
            for (int i = 0; i < d.rows[1].source->count(); ++i) offered << d.rows[1].source->itemText(i);
            d.Cancel_Btn_Clicked();
        });
        w.controller.ui.command("Profile")->trigger();
    }
    EXPECT_EQ(offered.mid(offered.size() - 6),
              QStringList({"Column: S.No.", "Column: Name", "Column: Label", "Column: Company", "Column: Tag", "Excel..."}));
}
