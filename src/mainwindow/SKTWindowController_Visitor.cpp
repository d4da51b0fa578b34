// The visitor entry panels in the main window: the panels' desk (profile/) gets the
// window's panes, views and pictures; the window shows and hides what the mode asks;
// the visitor record (visitorlog/ui) mails through the window's mail desk.
#include "SKTWindowController.h"

#include "ControlPanels.h"
#include "Direct_Mail.h"
#include "GroupBinding.h"
#include "Mail_Desk.h"
#include "MainWindowLayout.h"
#include "Profile_Data_Source.h"
#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "Side_Panes.h"
#include "Visitor_Record_Desk.h"

#include <QAction>
#include <QGroupBox>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>

namespace {
Side_Pane_Widgets paneWidgets(const MainWindowLayout &ui)
{
    return {ui.splitter,         ui.group_control_view, ui.Visitor_Panel_Area, ui.scrollView,
            ui.visitor_stack,    ui.front_vistr_view,   ui.back_vistr_view,    ui.card_area};
}
} // namespace

void SKTWindowController::Build_Visitor_Panels() { m_visitorPanels.Build(paneWidgets(ui)); }

Visitor_Record_Desk &SKTWindowController::visitorRecord()
{
    if (!m_visitorRecord)
        m_visitorRecord = std::make_unique<Visitor_Record_Desk>(document, pictureAdjuster, ui.window, [this](const QString &path) {
            // The mailed file stays until its last message has gone.
            Direct_Mail &mail = mailDesk().Direct_Mail_Window();
            mail.Open_Wnd(path);
            mail.Wait_Until_Done();
        }, &runPool);
    return *m_visitorRecord;
}

void SKTWindowController::Record_Visitor()
{
    visitorRecord().Add_Visitor_Record_To_DB(Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ);
}

void SKTWindowController::Record_Undo(int side)
{
    if (side < 0)
        Insert_In_Undo_Redo();
    else
        Record_Side(side);
}

bool SKTWindowController::Multiple_Image_Selection(const QString &action)
{
    return controlPanels && controlPanels->Check_Multiple_Image_Selection(action, true);
}

void SKTWindowController::Load_Visitor_Panels_From_Card(const Panel_Typing *copied)
{
    // Every card now open comes here, whatever came before it. The captions' wording is
    // a visitor pass's in visitor mode and a general ID card's in any other.
    const bool visitor = document.Start_Card_Option == Card_Mode::Visitor;
    Set_Field_Captions(visitor ? Caption_Wording::Visitor : Caption_Wording::General_ID_Card);
    if (!Is_Visitor_Or_Group_Mode()) {
        // No visitor fields: empty panels, every tool and button as at start-up.
        m_visitorPanels.Reset_All_Panels();
        Show_Hide_Visitor_DB_Button(false);
        return;
    }
    // The panels are emptied first, then the rows are made again from the side lists,
    // then the fixed fields take the captions and the card's values. A side copied onto
    // the other keeps its photo, and the copy has the same.
    m_visitorPanels.Rebuild_From_Card(copy_card_design ? Visitor_Panel_Desk::Side_Photos::Kept
                                                       : Visitor_Panel_Desk::Side_Photos::From_Design);
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ}) {
        if (!p) continue;
        if (visitor) p->Refresh_Controls();
        // What the clerk typed on the copied side, read before its boxes were emptied, is
        // the typing of both sides now: the copy is the source's.
        if (copied) p->Give_Back_Typing(*copied);
    }
    Show_Hide_Profile_Panel_Live_Mode(1);
    m_visitorPanels.Show_Single_Mode_Front_Panel(copied ? Visitor_Panel_Desk::Visit_Time::Kept
                                                        : Visitor_Panel_Desk::Visit_Time::Stamped);
    m_visitorPanels.Follow_Locks();
}

namespace {
// The design's spreadsheet rows as the profile dialogs and the visitor panels read them.
class Design_Rows_Source final : public Profile_Data_Source {
public:
    Design_Rows_Source(const SKTWindowController &c, const bool &browsedAgain) : m_c(c), m_browsedAgain(browsedAgain) {}
    int Calculate_Excel_table_rows() const override { return int(m_c.document.ListData().size()); }
    QString Get_Excel_Table_Item_Text(int row, int col) const override
    {
        return GroupBinding::Cell_Text(m_c.document, row, col);
    }
    bool Excel_Binding_Use() const override { return m_c.document.m_spreadsheet.Excel_Binding_Use; }
    bool Browse_Excel_AGAIN() const override { return m_browsedAgain; }
    bool Check_Front_Side_Excel_Binding_Is_Used() const override { return usesSheet(m_c.Get_Front_Controls_Array()); }
    bool Check_Back_Side_Excel_Binding_Is_Used() const override { return usesSheet(m_c.Get_Back_Controls_Array()); }
    // The row table's columns, as the Data Source tab lists them (0 the row number).
    QStringList Excel_Column_Names() const override
    {
        return m_c.document.m_spreadsheet.Excel_Binding_Use ? m_c.document.ColList_Titles() : QStringList();
    }

private:
    static bool usesSheet(const SKTGraphicList &side)
    {
        for (int i = 0; i < side.count(); ++i)
            if (side.at(i)->data_source_type_val() == Data_Source_Spreadsheet) return true;
        return false;
    }
    const SKTWindowController &m_c;
    const bool &m_browsedAgain;
};
} // namespace

Profile_Data_Source &SKTWindowController::profileDataSource()
{
    if (!m_profileSource) m_profileSource = std::make_unique<Design_Rows_Source>(*this, m_profileDesk.Browse_Excel_AGAIN);
    return *m_profileSource;
}

// ---- Mode display ----

void SKTWindowController::Show_Hide_Visitor_DB_Button(bool hide)
{
    const Card_Mode mode = document.Start_Card_Option;
    if (QAction *log = ui.command(QStringLiteral("VisitorLog"))) log->setVisible(!hide);
    // The profile dialog writes onto the card over the panels' entry: no profile button
    // in visitor and group mode (the template gallery keeps its own).
    if (QAction *profile = ui.command(QStringLiteral("Profile")))
        profile->setVisible(mode != Card_Mode::Visitor && mode != Card_Mode::Group);
    QAction *text = ui.toolActions[2], *image = ui.toolActions[8], *library = ui.toolActions[9];
    for (QAction *a : {text, image, library}) a->setEnabled(true);
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->new_ctrl_type_box->hide();
    if (mode == Card_Mode::Visitor) {
        text->setEnabled(false);
    } else if (mode == Card_Mode::Group) {
        for (QAction *a : {text, image, library}) a->setEnabled(false);
    } else if (!hide) {
        text->setEnabled(true);
    }
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->Add_to_DB_btn->setVisible(!hide);
    if (hide && mode == Card_Mode::Visitor) m_visitorPanels.Reset_All_Panels();
    if (hide && mode == Card_Mode::Group)
        for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
            if (p) p->new_ctrl_type_box->show();
}

void SKTWindowController::Show_Hide_Profile_Panel_Live_Mode(char show)
{
    if (show == 0 || copy_card_design == 1) return;
    const Card_Mode mode = document.Start_Card_Option;
    if (mode == Card_Mode::Visitor) Title_For_Visitor();
    m_visitorPanels.Change_Side_View(0);
    Select_front_side();
    ui.Visitor_Panel_Area->show();
    if (mode == Card_Mode::Group) {
        Show_Hide_Visitor_DB_Button(true);
        ui.group_control_view->show();
    }
    if (mode == Card_Mode::Visitor) {
        Show_Hide_Visitor_DB_Button(false);
        ui.group_control_view->hide();
        ui.Visitor_Panel_Area->show();
    }
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) {
            p->Chk_Unchk_Manual_Date_Time(QStringLiteral("D"));
            p->Chk_Unchk_Manual_Date_Time(QStringLiteral("T"));
        }
    ui.scrollView->show();
    m_visitorPanels.Show_Single_Mode_Front_Panel();
    m_visitorPanels.Show_Single_Mode_Back_Panel();
    m_visitorPanels.Uncollapse_Left_View();
}
