#include "../data/Checkers.h"
#include "DataSourceSection.h"
#include "Profile_Data_Source.h"
#include "Profile_Dialog.h"
#include "Profile_Window.h"
#include "ProfileWindow.h"
#include "SKTImage.h"
#include "SheetImport.h"
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

// A newly browsed spreadsheet of one row, both sides bound to it.
struct NewSheet : Profile_Data_Source {
    int Calculate_Excel_table_rows() const override { return 1; }
    bool Browse_Excel_AGAIN() const override { return true; }
    bool Check_Front_Side_Excel_Binding_Is_Used() const override { return true; }
    bool Check_Back_Side_Excel_Binding_Is_Used() const override { return true; }
};

GraphicPtr bound(SKTGraphicList &side, GraphicKind kind, const QString &id)
{
    GraphicPtr g = SKTGraphic::create(kind);
    g->control_ID = id;
    g->setBounds(QRectF(10, 10, 70, 20));
    g->Set_Data_source_type(2);
    g->Set_Excel_binding(true);
    g->Set_Excel_binding_Index(1);
    side.insert(g, side.count());
    return g;
}

struct Fresh : ::testing::Test {
    void SetUp() override { Fill_User_Profile = false; }
    void TearDown() override { Fill_User_Profile = false; }
};
} // namespace

TEST_F(Fresh, SideLetterWithBlanksOpensTheBacksDialog)
{
    ProfileWindow w;
    QString seen;
    Profile_Dialog *dialog = nullptr;
    Answer a(w, [&](Profile_Dialog &d) {
        dialog = &d;
        seen = d.load_side;
        d.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(w.controller.Open_User_Profile_Window(1, " B ", "2"), 0);
    EXPECT_EQ(seen, "B");
    EXPECT_EQ(dialog, &w.controller.Show_User_Profile_Window());
    // An empty letter opens the two-side dialog; a one-sided card's on the front.
    w.controller.Open_User_Profile_Window(0, "", "1");
    EXPECT_EQ(dialog, &w.controller.User_profile_Window());
    EXPECT_EQ(seen, "F");
    w.controller.Open_User_Profile_Window(0, "", "2");
    EXPECT_EQ(seen, "");
}

TEST_F(Fresh, BackDialogStoresIntoTheBackRecordOnly)
{
    ProfileWindow w;
    w.controller.Front_user_profile[Profile_Stem::Name].value = "Front person";
    w.controller.Select_back_side();
    Answer a(w, [&](Profile_Dialog &d) {
        d.rows[0].value->setText("Back person");
        d.Preview_Btn_Clicked();
        EXPECT_EQ(w.controller.Front_user_profile[Profile_Stem::Name].value, "Front person");
        d.OK_Btn_Clicked();
    });
    EXPECT_EQ(w.controller.Open_User_Profile_Window(1, "B", "2"), 1);
    EXPECT_EQ(w.controller.Front_user_profile[Profile_Stem::Name].value, "Front person");
    EXPECT_EQ(w.controller.Back_user_profile[Profile_Stem::Name].value, "Back person");
    EXPECT_TRUE(Fill_User_Profile);
}

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
    EXPECT_FALSE(Fill_User_Profile);
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

TEST_F(Fresh, ANewSpreadsheetDropsStaleBindingsButProfileControlsKeepTheirs)
{
    for (const char *sides : {"2", "1"}) {
        ProfileWindow w;
        w.controller.setProfileDataSource(std::make_unique<NewSheet>());
        GraphicPtr profile = bound(w.front(), GraphicKind::Text, "Fup_Name");
        GraphicPtr free = bound(w.front(), GraphicKind::Text, "");
        GraphicPtr code = bound(w.front(), GraphicKind::Barcode, "");
        GraphicPtr shape = bound(w.front(), GraphicKind::Shape, "");
        GraphicPtr backProfile = bound(w.back(), GraphicKind::Text, "Fup_Name");
        Answer a(w, [](Profile_Dialog &d) { d.Cancel_Btn_Clicked(); });
        w.controller.Open_User_Profile_Window(1, "F", sides);
        EXPECT_EQ(profile->data_source_type_val(), 2) << sides;
        EXPECT_EQ(free->data_source_type_val(), 0) << sides;
        EXPECT_EQ(free->excel_col_indx, -1);
        EXPECT_FALSE(free->excel_binding);
        EXPECT_EQ(code->data_source_type_val(), 0);
        EXPECT_EQ(shape->data_source_type_val(), 2) << "shapes carry no binding to drop";
        // The other side loses every binding, profile controls too, on a two-sided card.
        EXPECT_EQ(backProfile->data_source_type_val(), QString(sides) == "2" ? 0 : 2) << sides;
    }
}

TEST_F(Fresh, InvitationLayout)
{
    ProfileWindow w("L");
    w.document.Front_card_Prop.setCard_Size(QSizeF(300, 400));
    Invitation_Values v;
    v.Invite_Time = "7 pm";
    v.Invite_Venue = "Hall";
    w.controller.Fill_Party_Invidation_Details(v);
    ASSERT_EQ(w.front().count(), 2);
    SKTGraphic *time = w.controller._graphicView->Selcect_Ctrl_With_ID("PARTY_TIME");
    SKTGraphic *venue = w.controller._graphicView->Selcect_Ctrl_With_ID("PARTY_VENUE");
    ASSERT_TRUE(time && venue);
    EXPECT_EQ(time->Text_Value, "AT 7 pm");
    EXPECT_EQ(time->bounds(), QRectF(30, 40, 220, 20));
    EXPECT_EQ(venue->Text_Value, "Venue:\nHall");
    EXPECT_EQ(venue->bounds(), QRectF(30, 100, 220, 60));

    ProfileWindow empty("L");
    empty.controller.Fill_Party_Invidation_Details(Invitation_Values{});
    EXPECT_EQ(empty.front().count(), 0);
    EXPECT_EQ(empty.controller.Selected_Control_Tool(), 2);
}

// The photo spans the middle of the card where the texts stand: it lies under them (it
// used to cover the title, date and venue), the frame over everything; what the front
// held before stays at the bottom.
TEST_F(Fresh, InvitationPhotoLiesUnderTheTextsAndTheFrameOverAll)
{
    ProfileWindow w("L");
    w.document.Front_card_Prop.setCard_Size(QSizeF(425.52, 357.12));
    GraphicPtr before = SKTGraphic::create(GraphicKind::Shape);
    w.front().insert(before);
    Invitation_Values v;
    v.Invite_Title = "Party";
    v.Invite_Date = "12 June";
    v.Invite_Venue = "Hall";
    v.Invite_Frame_Pic_IMG = "/pictures/photo.png";
    v.Invite_Frame_IMG = "/pictures/frame.png";
    w.controller.Fill_Party_Invidation_Details(v);
    QStringList order;  // top first
    for (const GraphicPtr &g : w.front().items()) order << g->control_ID;
    EXPECT_EQ(order, QStringList({"PARTY_IMAGE_BG", "PARTY_VENUE", "PARTY_DATE", "PARTY_TITLE", "PARTY_IMAGE", ""}));
    EXPECT_EQ(w.front().items().back(), before);

    // Without texts the photo stays where it was made.
    ProfileWindow photoOnly("L");
    Invitation_Values p;
    p.Invite_Frame_Pic_IMG = "/pictures/photo.png";
    photoOnly.controller.Fill_Party_Invidation_Details(p);
    ASSERT_EQ(photoOnly.front().count(), 1);
    EXPECT_EQ(photoOnly.front().at(0)->control_ID, "PARTY_IMAGE");
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
