// Starting a new design: the reset of the editor and the start window.
#include "SKTWindowController.h"

#include "CardAppearance.h"
#include "CardPropertyPanel.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphicView.h"
#include "Start_Card.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>

void SKTWindowController::New_Project_Setting_Reset(bool resetCard)
{
    for (int side = 0; side < 3; ++side)
        if (SKTGraphicView *v = graphicView(side)) v->Clear_Control_Selection();
    Undo_Redo_Clear();
    for (int side = 0; side < 3; ++side) document.sideList(side).clear();
    m_profileDesk.Reset_Records();
    document.All_Text_font = Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    document.All_Text_clr = Qt::black;
    Image_Ctrl_Counter = 0;
    if (resetCard) {
        // New card properties; the card keeps its size until a template gives another.
        const QSizeF size = document.cardBounds().size();
        document.Front_card_Prop = Card_Property();
        document.Back_card_Prop = Card_Property();
        document.Back_card_Prop.setCard_Side_Name(QStringLiteral("B"));
        SetDocumentCanvasSize(size);
    }
    document.Project_File_Name.clear();
    document.Selected_Template_Path.clear();
    m_visitorPanels.front_list.clear();
    m_visitorPanels.back_list.clear();
    // A new design has none of the rows, columns and workbook of the design before (saved
    // or not), and no field has a column.
    document.Clear_Spreadsheet();
    document.m_columnChoices = DesignColumnChoices();
    if (m_group) m_group->Rows_Changed();
    Data_Source_Combo_Follows_Binding();
    if (ui.group_control_view) ui.group_control_view->hide();
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->Change_btn_location();
    Check_Path_And_Create_Files();
    Select_front_side();
    Design_Is_As_Saved();
}

void SKTWindowController::New_Project()
{
    try {
        New_Project_Setting_Reset(true);
        Show_RHS_Properties(nullptr);
        Refresh_Canvas();
        Open_Start_Window();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void SKTWindowController::Start_With_Design(const QString &path)
{
    try {
        New_Project_Setting_Reset(true);
        Show_RHS_Properties(nullptr);
        Refresh_Canvas();
        if (!Open_Design_File(path)) Open_Start_Window();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

bool SKTWindowController::Open_Start_Window()
{
    document.Start_Card_Option = Card_Mode::Visitor;
    for (;;) {
        Start_Card &gallery = Start_Window();
        gallery.Open_Wnd();
        const Start_Choice choice = gallery.choice();
        // Cancel in a wizard comes back to the gallery.
        if (choice.road == Start_Road::Card_Wizard) {
            if (Run_Card_Wizard()) return true;
            continue;
        }
        if (choice.road == Start_Road::Invitation_Wizard) {
            if (Run_Invitation_Wizard()) return true;
            continue;
        }
        if (choice.road == Start_Road::Open) {
            if (!choice.templatePath.isEmpty() &&
                Read_and_load_design_Log_NEW_METHOD(choice.templatePath, Card_Mode::Template, false) != 1)
                continue;  // the reader has said why; choose again
            document.Selected_Template_Path = choice.templatePath;
            document.Start_Card_Option = Card_Mode::Visitor;
            Check_For_Defalut_Photo_Control();
            Finish_Started_Design();
            return true;
        }
        if (Show_YES_NO_MessageBox(QStringLiteral("\nDo you really want to exit?")) == 1) {
            QApplication::exit(0);
            return false;
        }
    }
}

void SKTWindowController::Set_Log_Name_In_Title()
{
    if (ui.window) ui.window->setWindowTitle(document.displayName());
}
