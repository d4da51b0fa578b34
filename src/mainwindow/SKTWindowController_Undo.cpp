// Undo and redo by whole snapshots of one side. Each side keeps an undo stack whose
// top is the side as it is after its last recorded change, and a redo stack of the
// states undone. The scratch side has none.
#include "SKTWindowController.h"

#include "Globals.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"

#include <QAction>

SKTGraphicList &SKTWindowController::sideControls(int side) const
{
    return side == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
}

void SKTWindowController::Insert_In_Undo_Redo() { Record_Side(document.currentSide()); }

void SKTWindowController::Record_Side(int side)
{
    if (live_mode_list_value_change) return;
    // The other side starts its history from the state it has now, so that its first
    // own change can be undone as well.
    Make_Sure_Of_Undo_Base(1 - side);
    SideSnapshot now = Side_Snapshot(sideControls(side).items());
    // A recorded state that differs from the last one is a change of the design (the
    // roads that open or make a design say afterwards that it is as saved).
    const std::vector<SideSnapshot> &stack = side == 1 ? m_history.Ucontrol_back : m_history.Ucontrol;
    if (stack.empty() || stack.back() != now) m_userChanged = true;
    m_history.record(side, std::move(now));
    Check_Undo_Redo_Btn_Enability();
}

void SKTWindowController::Undo_Stack() { Insert_In_Undo_Stack(currentSideControls().items()); }

void SKTWindowController::Insert_In_Undo_Stack(const std::vector<GraphicPtr> &controls)
{
    m_history.push(document.currentSide(), Side_Snapshot(controls));
}

void SKTWindowController::Insert_In_Redo_Stack(const std::vector<GraphicPtr> &controls)
{
    m_history.pushRedo(document.currentSide(), Side_Snapshot(controls));
}

void SKTWindowController::Last_Stack(const QString &which)
{
    const std::vector<GraphicPtr> controls = currentSideControls().items();
    if (which == QLatin1String("U"))
        Insert_In_Redo_Stack(controls);
    else
        Insert_In_Undo_Stack(controls);
}

void SKTWindowController::Make_Sure_Of_Undo_Base(int side)
{
    m_history.makeSureOfBase(side, [&] { return Side_Snapshot(sideControls(side).items()); });
}

void SKTWindowController::Fill_Undo_Redo_Control(const SideSnapshot &snapshot)
{
    SKTGraphicView *view = currentGraphicView();
    if (!view || !view->graphicsList()) return;
    Refresh_Visitor_Dyn_Ctrl_and_image();
    // Read back in the snapshot's order; pictures come back shared with the snapshot.
    const std::vector<GraphicPtr> restored = Controls_From_Snapshot(snapshot);
    view->graphicsList()->replaceAll(restored);
    for (const GraphicPtr &g : restored) {
        SKTGraphicView::check_barcode_and_set_control_bounds(g.get());
        Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(g.get());
    }
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    // Picking a row is no undo step: the card and the panels show again the row that
    // the list shows.
    Assign_value_to_card_in_group_mode_list_selection();
}

void SKTWindowController::Undo_Action_Perform()
{
    const int side = document.currentSide();
    if (!m_history.canUndo(side)) {
        Check_Undo_Redo_Btn_Enability();
        return;
    }
    if (const SideSnapshot *before = m_history.undo(side, Side_Snapshot(sideControls(side).items()))) {
        Fill_Undo_Redo_Control(*before);
        Refresh_Canvas();
        Show_RHS_Properties(nullptr);
    }
    Check_Undo_Redo_Btn_Enability();
}

void SKTWindowController::Redo_Action_Perform()
{
    const int side = document.currentSide();
    if (std::optional<SideSnapshot> undone = m_history.redo(side)) {
        Fill_Undo_Redo_Control(*undone);
        m_history.push(side, Side_Snapshot(sideControls(side).items()));
        Refresh_Canvas();
        Show_RHS_Properties(nullptr);
    }
    Check_Undo_Redo_Btn_Enability();
}

int SKTWindowController::Get_Undo_Count() const { return m_history.undoCount(document.currentSide()); }
int SKTWindowController::Get_Redo_Count() const { return m_history.redoCount(document.currentSide()); }

void SKTWindowController::Check_Undo_Redo_Btn_Enability()
{
    Enable_Disable_Undo(m_history.canUndo(document.currentSide()));
    Enable_Disable_Redo(m_history.canRedo(document.currentSide()));
}

void SKTWindowController::Enable_Disable_Undo(bool enabled)
{
    if (QAction *a = ui.command(QStringLiteral("Undo"))) a->setEnabled(enabled);
}

void SKTWindowController::Enable_Disable_Redo(bool enabled)
{
    if (QAction *a = ui.command(QStringLiteral("Redo"))) a->setEnabled(enabled);
}

void SKTWindowController::Undo_Redo_Clear()
{
    m_history.clear();
    Enable_Disable_Undo(false);
    Enable_Disable_Redo(false);
}

void SKTWindowController::Undo_Redo_Button_state() { Check_Undo_Redo_Btn_Enability(); }
