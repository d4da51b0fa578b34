// Undo and redo by whole snapshots of one side. Each side keeps an undo stack whose
// top is the side as it is after its last recorded change, and a redo stack of the
// states undone. The scratch side has none. Each state carries the card size its
// controls were laid out for: restoring it gives the card that size back, and the
// other side follows to controls laid out for it.
#include "SKTWindowController.h"

#include "CardResize.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "ScopedFlag.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"

#include <QAction>

SKTGraphicList &SKTWindowController::sideControls(int side) const
{
    return side == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
}

SideSnapshot SKTWindowController::Take_Side_Snapshot(const std::vector<GraphicPtr> &controls, int side) const
{
    SideSnapshot s = Side_Snapshot(controls);
    s.card = Card_Size_Of(document.Front_card_Prop, document.Back_card_Prop);
    s.card->size = document.cardBounds().size();
    if (m_group) s.rowFill = m_group->Card_Fill(side);
    s.textHere = m_visitorPanels.Typing(side).textHere;
    return s;
}

void SKTWindowController::Insert_In_Undo_Redo() { Record_Side(document.currentSide()); }

void SKTWindowController::Record_Side(int side)
{
    if (live_mode_list_value_change) return;
    // The other side starts its history from the state it has now, so that its first
    // own change can be undone as well.
    Make_Sure_Of_Undo_Base(1 - side);
    SideSnapshot now = Take_Side_Snapshot(sideControls(side).items(), side);
    // A recorded state that differs from the last one is a change of the design (the
    // roads that open or make a design say afterwards that it is as saved).
    if (const SideSnapshot *last = m_history.top(side); !last || *last != now) m_userChanged = true;
    m_history.record(side, std::move(now));
    Check_Undo_Redo_Btn_Enability();
}

void SKTWindowController::Column_Step_Recorded(int side, const DesignColumnChoices &before)
{
    SideSnapshot *top = m_history.top(side);
    if (!top || before == document.m_columnChoices) return;
    top->columnStep = std::pair(before, document.m_columnChoices);
    m_userChanged = true;
}

void SKTWindowController::Undo_Stack() { Insert_In_Undo_Stack(currentSideControls().items()); }

void SKTWindowController::Insert_In_Undo_Stack(const std::vector<GraphicPtr> &controls)
{
    m_history.push(document.currentSide(), Take_Side_Snapshot(controls, document.currentSide()));
}

void SKTWindowController::Insert_In_Redo_Stack(const std::vector<GraphicPtr> &controls)
{
    m_history.pushRedo(document.currentSide(), Take_Side_Snapshot(controls, document.currentSide()));
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
    m_history.makeSureOfBase(side, [&] { return Take_Side_Snapshot(sideControls(side).items(), side); });
}

void SKTWindowController::Fill_Undo_Redo_Control(const SideSnapshot &snapshot, bool columnsStepped)
{
    SKTGraphicView *view = currentGraphicView();
    if (!view || !view->graphicsList()) return;
    Refresh_Visitor_Dyn_Ctrl_and_image(snapshot.textHere);
    // Read back in the snapshot's order; pictures come back shared with the snapshot.
    const std::vector<GraphicPtr> restored = Controls_From_Snapshot(snapshot);
    view->graphicsList()->replaceAll(restored);
    for (const GraphicPtr &g : restored) {
        SKTGraphicView::check_barcode_and_set_control_bounds(g.get());
        Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(g.get());
    }
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    // Picking a row is no undo step: the card and the panels show again the row that
    // the list shows. A state taken while the side held the present fill of that row
    // keeps what was typed into its bound controls, so Redo gives back what Undo took.
    if (m_group) m_group->Refill_Restored_Side(snapshot.rowFill, columnsStepped);
}

void SKTWindowController::Card_Size_Follows(const SideSnapshot &restored, int side, bool undoing)
{
    const QSizeF now = document.cardBounds().size();
    if (!restored.card || restored.card->size == now || restored.card->size.isEmpty()) return;
    const QSizeF size = restored.card->size;
    const int other = 1 - side;
    // The other side goes the same way along its own history to its nearest state taken
    // on a card of this size (a size change records both sides, so it finds the state
    // that change left or found), its present state first; without one its present
    // controls are rescaled as a size change rescales them, and that is its new state.
    const int steps = m_history.stepsToCard(other, size, undoing).value_or(-1);
    // Taken on the card it was laid out for, before the card changes.
    SideSnapshot present = Take_Side_Snapshot(sideControls(other).items(), other);
    Give_Card_Size(*restored.card, document.Front_card_Prop, document.Back_card_Prop);
    SetDocumentCanvasSize(size);
    if (steps == 0) return;
    const Scoped_Value<int> otherSide(document.Card_Front_Or_Back, other);
    if (steps < 0) {
        if (const auto percent = Card_Resize_Percentages(float(now.width()), float(now.height()), float(size.width()),
                                                         float(size.height())))
            Chane_control_size_location_for_both_side(sideControls(other).items(), percent->first, percent->second);
        m_history.push(other, Take_Side_Snapshot(sideControls(other).items(), other));
        return;
    }
    for (int i = 0; i < steps; ++i) {
        if (undoing) {
            present = *m_history.undo(other, std::move(present));
        } else {
            present = *m_history.redo(other);
            m_history.push(other, present);
        }
    }
    Fill_Undo_Redo_Control(present);
}

void SKTWindowController::Undo_Action_Perform()
{
    const int side = document.currentSide();
    if (!m_history.canUndo(side)) {
        Check_Undo_Redo_Btn_Enability();
        return;
    }
    // The step undone: a change of the group columns it made goes back with it, and
    // its redo makes it again.
    const auto step = m_history.top(side)->columnStep;
    SideSnapshot present = Take_Side_Snapshot(sideControls(side).items(), side);
    present.columnStep = step;
    if (const SideSnapshot *before = m_history.undo(side, std::move(present))) {
        const bool stepped = step && m_group && m_group->Step_Columns(step->second, step->first);
        Fill_Undo_Redo_Control(*before, stepped);
        Card_Size_Follows(*before, side, true);
        Refresh_Canvas();
        Show_RHS_Properties(nullptr);
    }
    Check_Undo_Redo_Btn_Enability();
}

void SKTWindowController::Redo_Action_Perform()
{
    const int side = document.currentSide();
    if (std::optional<SideSnapshot> undone = m_history.redo(side)) {
        const auto step = undone->columnStep;
        const bool stepped = step && m_group && m_group->Step_Columns(step->first, step->second);
        Fill_Undo_Redo_Control(*undone, stepped);
        Card_Size_Follows(*undone, side, false);
        SideSnapshot now = Take_Side_Snapshot(sideControls(side).items(), side);
        now.columnStep = step;
        m_history.push(side, std::move(now));
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
