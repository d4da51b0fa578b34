// The card read back into the visitor entry panels (the work is in profile/).
#include "SKTWindowController.h"

#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Visitor_Panel_Sync.h"

#include <QLineEdit>

QRectF SKTWindowController::Get_Control_Rect_From_Template(const QString &ctrl_id, const QString &) const
{
    return Visitor_Sample_Rect(document.Front_card_Prop.Card_Size(), ctrl_id);
}

// ---- Card to panels ----

void SKTWindowController::Load_Fup_Fields() { Load_Panel_Of_Side(0); }

void SKTWindowController::Load_Panel_Of_Side(int side)
{
    SKTGraphicView *view = graphicView(side == 1 ? 1 : 0);
    Visitor_Panel_Sync::Load_Side(Profile_Panel_Of_Side(side), view ? view->graphicsList() : nullptr);
}

void SKTWindowController::Show_Single_Mode_Front_Panel()
{
    if (!Is_Visitor_Or_Group_Mode()) return;
    Load_Panel_Of_Side(0);
    Load_Panel_Of_Side(1);
}

void SKTWindowController::Show_Single_Mode_Back_Panel()
{
    if (!Is_Visitor_Or_Group_Mode()) return;
    Load_Panel_Of_Side(1);
}

void SKTWindowController::Reset_All_Visitor_Grp_Mode_Ctrl()
{
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->Reset_all_Ctrl();
}

void SKTWindowController::Load_Visitor_Panels_From_Card()
{
    // The panels are emptied first, then the rows are made again from the side lists,
    // then the fixed fields take the captions and the card's values.
    Reset_All_Visitor_Grp_Mode_Ctrl();
    dynamic_ctrl_list_front = Build_Dynamic_Control_List(Get_Front_Controls_Array(), Dynamic_List_Source::Design_File);
    dynamic_ctrl_list_back = Build_Dynamic_Control_List(Get_Back_Controls_Array(), Dynamic_List_Source::Design_File);
    Create_Control_For_Visitor_Mode();
    if (!Is_Visitor_Or_Group_Mode()) return;
    if (document.Start_Card_Option == Card_Mode::Visitor) {
        Title_For_Visitor();
        for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
            if (p) p->Refresh_Controls();
    }
    Show_Hide_Profile_Panel_Live_Mode(1);
    Show_Single_Mode_Front_Panel();
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
}

// ---- Card events ----

void SKTWindowController::Visitor_Panel_Control_Selected(SKTGraphic *g)
{
    if (!g) return;
    if (QLineEdit *box = m_panelSync.Control_Selected(*g)) SetFocus(box);
}

void SKTWindowController::Visitor_Panel_Control_Deleted(SKTGraphic *g)
{
    if (g) m_panelSync.Control_Deleted(*g);
}

// ---- Undo, redo and locks ----

void SKTWindowController::Refresh_Visitor_Dyn_Ctrl_and_image() { m_panelSync.Refresh_After_Undo(); }

void SKTWindowController::Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic *g)
{
    if (g) m_panelSync.Show_Control_After_Undo(*g, no_image_ctrl_GP);
}

void SKTWindowController::Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK()
{
    m_panelSync.Follow_Locks(currentSideControls());
}
