// Undo and redo by whole snapshots of one side. Each side keeps an undo stack whose
// top is the side as it is after its last recorded change, and a redo stack of the
// states undone. The scratch side has none.
#include "SKTWindowController.h"

#include "Globals.h"
#include "Log.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"

#include <QAction>
#include <exception>

namespace {
// One archive per control, in the side's order. A control that cannot be archived is
// left out (and logged); the rest of the side is still recorded.
SideSnapshot snapshotOf(const std::vector<GraphicPtr> &controls)
{
    SideSnapshot s;
    s.reserve(controls.size());
    for (const GraphicPtr &g : controls) {
        if (!g) continue;
        try {
            s.push_back(g->encode());
        } catch (const std::exception &e) {
            Show_NSLog_Message(QString::fromUtf8(e.what()));
        }
    }
    return s;
}

int sideInHand() { return Card_Front_Or_Back == 1 ? 1 : 0; }
} // namespace

std::vector<SideSnapshot> &SKTWindowController::undoStack(int side) { return side == 1 ? Ucontrol_back : Ucontrol; }
std::vector<SideSnapshot> &SKTWindowController::redoStack(int side) { return side == 1 ? Rcontrol_back : Rcontrol; }

void SKTWindowController::Insert_In_Undo_Redo()
{
    if (live_mode_list_value_change) return;
    // The other side starts its history from the state it has now, so that its first
    // own change can be undone as well.
    Make_Sure_Of_Undo_Base(1 - sideInHand());
    Undo_Stack();
    // A new change starts a new line of history: what was undone before it cannot
    // be redone on top of it.
    redoStack(sideInHand()).clear();
    Check_Undo_Redo_Btn_Enability();
}

void SKTWindowController::Undo_Stack() { Insert_In_Undo_Stack(currentSideControls().items()); }

void SKTWindowController::Insert_In_Undo_Stack(const std::vector<GraphicPtr> &controls)
{
    undoStack(sideInHand()).push_back(snapshotOf(controls));
}

void SKTWindowController::Insert_In_Redo_Stack(const std::vector<GraphicPtr> &controls)
{
    redoStack(sideInHand()).push_back(snapshotOf(controls));
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
    std::vector<SideSnapshot> &undo = undoStack(side);
    if (!undo.empty()) return;
    undo.push_back(snapshotOf((side == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array()).items()));
}

void SKTWindowController::Fill_Undo_Redo_Control(const SideSnapshot &snapshot)
{
    SKTGraphicView *view = currentGraphicView();
    if (!view || !view->graphicsList()) return;
    Refresh_Visitor_Dyn_Ctrl_and_image();
    // Read back in the snapshot's order; an archive that cannot be read is skipped.
    // Pictures come back shared with the snapshot, not copied.
    std::vector<GraphicPtr> restored;
    restored.reserve(snapshot.size());
    for (const KeyedArchive &archive : snapshot) {
        GraphicPtr g;
        try {
            g = SKTGraphic::decode(archive);
        } catch (const std::exception &) {
            g = nullptr;
        }
        if (g) restored.push_back(std::move(g));
    }
    view->graphicsList()->replaceAll(restored);
    for (const GraphicPtr &g : restored) {
        SKTGraphicView::check_barcode_and_set_control_bounds(g.get());
        Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(g.get());
    }
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
}

void SKTWindowController::Undo_Action_Perform()
{
    std::vector<SideSnapshot> &undo = undoStack(sideInHand());
    // The bottom snapshot is the state the side's history starts from: there is
    // nothing before it to go back to, so it always stays.
    if (undo.size() < 2) {
        Check_Undo_Redo_Btn_Enability();
        return;
    }
    Last_Stack(QStringLiteral("U"));
    undo.pop_back();
    Fill_Undo_Redo_Control(undo.back());
    Check_Undo_Redo_Btn_Enability();
    Refresh_Canvas();
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Redo_Action_Perform()
{
    std::vector<SideSnapshot> &redo = redoStack(sideInHand());
    if (redo.empty()) {
        Check_Undo_Redo_Btn_Enability();
        return;
    }
    const SideSnapshot top = std::move(redo.back());
    redo.pop_back();
    Fill_Undo_Redo_Control(top);
    Last_Stack(QStringLiteral("R"));
    Check_Undo_Redo_Btn_Enability();
    Refresh_Canvas();
    Show_RHS_Properties(nullptr);
}

int SKTWindowController::Get_Undo_Count() const
{
    return int((sideInHand() == 1 ? Ucontrol_back : Ucontrol).size());
}
int SKTWindowController::Get_Redo_Count() const
{
    return int((sideInHand() == 1 ? Rcontrol_back : Rcontrol).size());
}

void SKTWindowController::Check_Undo_Redo_Btn_Enability()
{
    Enable_Disable_Undo(Get_Undo_Count() > 1);
    Enable_Disable_Redo(Get_Redo_Count() > 0);
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
    Ucontrol.clear();
    Ucontrol_back.clear();
    Rcontrol.clear();
    Rcontrol_back.clear();
    Enable_Disable_Undo(false);
    Enable_Disable_Redo(false);
}

void SKTWindowController::Undo_Redo_Button_state() { Check_Undo_Redo_Btn_Enability(); }
