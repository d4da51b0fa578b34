#include "Side_Steps.h"

#include "CardResize.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "ScopedFlag.h"
#include "Visitor_Panel_Desk.h"

Side_Steps::Side_Steps(SKTDocument &document, Visitor_Panel_Desk &panels, Side_Steps_Host &host, const bool &paused)
    : m_doc(document), m_panels(panels), m_host(host), m_paused(paused)
{
}

SideSnapshot Side_Steps::State(int side) const
{
    SideSnapshot s = Side_Snapshot(m_doc.sideList(side).items());
    s.card = Card_Size_Of(m_doc.Front_card_Prop, m_doc.Back_card_Prop);
    s.card->size = m_doc.cardBounds().size();
    if (Side_Steps_Rows *rows = m_host.Steps_Rows()) s.rowFill = rows->Card_Fill(side);
    s.textHere = m_panels.Typing(side).textHere;
    return s;
}

void Side_Steps::Record(int side)
{
    if (m_paused) return;
    Make_Sure_Of_Base(1 - side);
    SideSnapshot now = State(side);
    // A recorded state that differs from the last one is a change of the design.
    if (const SideSnapshot *last = m_history.top(side); !last || *last != now) m_edited = true;
    m_history.record(side, std::move(now));
    m_host.Steps_Changed(side);
}

void Side_Steps::Column_Step(int side, const DesignColumnChoices &before)
{
    SideSnapshot *top = m_history.top(side);
    if (!top || before == m_doc.m_columnChoices) return;
    top->columnStep = std::pair(before, m_doc.m_columnChoices);
    m_edited = true;
}

void Side_Steps::Make_Sure_Of_Base(int side)
{
    m_history.makeSureOfBase(side, [&] { return State(side); });
}

bool Side_Steps::Design_Changed()
{
    // Asked first, so that pending typing is written whatever the answer.
    const bool edited = Design_Edited();
    return m_unsaved || edited;
}

bool Side_Steps::Design_Edited()
{
    m_host.Steps_Write_Typing();
    return m_edited || !(m_doc.Front_card_Prop == m_savedFront) || !(m_doc.Back_card_Prop == m_savedBack) ||
           m_doc.ListData() != m_savedRows;
}

void Side_Steps::Design_Is_As_Saved()
{
    m_edited = false;
    m_unsaved = false;
    m_savedFront = m_doc.Front_card_Prop;
    m_savedBack = m_doc.Back_card_Prop;
    // Shared with the document's rows until either changes.
    m_savedRows = m_doc.ListData();
}

void Side_Steps::Start_Anew(bool saved)
{
    Clear();
    Record(m_doc.currentSide());
    if (saved) {
        Design_Is_As_Saved();
        return;
    }
    // Its first state is no edit of the user's.
    m_edited = false;
    m_unsaved = true;
}

bool Side_Steps::Ask_To_Save_Changes(const std::function<bool()> &save)
{
    if (!Design_Changed()) return true;
    const int answer = Show_YES_NO_Cancel_MessageBox(QStringLiteral("Do you want to save changes before closing?"));
    if (answer == kAlertCancel) return false;
    return answer != kAlertYes || save();
}

void Side_Steps::Clear()
{
    m_history.clear();
    m_host.Steps_Changed(-1);
}

void Side_Steps::Show_State(const SideSnapshot &state, bool columnsStepped)
{
    m_panels.Refresh_After_Undo(state.textHere);
    // Read back in the state's order; pictures come back shared with the state.
    const std::vector<GraphicPtr> restored = Controls_From_Snapshot(state);
    m_doc.sideList(m_doc.currentSide()).replaceAll(restored);
    for (const GraphicPtr &g : restored) {
        SKTGraphicView::check_barcode_and_set_control_bounds(g.get());
        m_panels.Show_Control_After_Undo(g.get());
    }
    m_panels.Follow_Locks();
    // Picking a row is no undo step: the card and the panels show again the row that
    // the list shows. A state taken while the side held the present fill of that row
    // keeps what was typed into its bound controls, so Redo gives back what Undo took.
    if (Side_Steps_Rows *rows = m_host.Steps_Rows()) rows->Refill_Restored_Side(state.rowFill, columnsStepped);
}

void Side_Steps::Card_Size_Follows(const SideSnapshot &restored, int side, bool undoing)
{
    const QSizeF now = m_doc.cardBounds().size();
    if (!restored.card || restored.card->size == now || restored.card->size.isEmpty()) return;
    const QSizeF size = restored.card->size;
    const int other = 1 - side;
    // The other side goes the same way along its own history to its nearest state taken
    // on a card of this size (a size change records both sides, so it finds the state
    // that change left or found), its present state first; without one its present
    // controls are rescaled as a size change rescales them, and that is its new state.
    // The Redo of an Undo that took it back past later states of its own takes it
    // forward past them again, to where that Undo found it.
    std::optional<int> found;
    if (!undoing && restored.otherRedos) found = m_history.redosToDepth(other, *restored.otherRedos, size);
    if (!found) found = m_history.stepsToCard(other, size, undoing);
    const int steps = found.value_or(-1);
    // Taken on the card it was laid out for, before the card changes.
    SideSnapshot present = State(other);
    Give_Card_Size(*restored.card, m_doc.Front_card_Prop, m_doc.Back_card_Prop);
    m_host.Steps_Card_Size(size);
    if (steps == 0) return;
    const Scoped_Value<int> otherSide(m_doc.Card_Front_Or_Back, other);
    if (steps < 0) {
        if (const auto percent = Card_Resize_Percentages(float(now.width()), float(now.height()), float(size.width()),
                                                         float(size.height())))
            Chane_control_size_location_for_both_side(m_doc.sideList(other).items(), percent->first, percent->second);
        m_history.push(other, State(other));
        return;
    }
    for (int i = 0; i < steps; ++i) {
        if (undoing) {
            present = *m_history.undo(other, std::move(present));
        } else {
            present = *m_history.redo(other);
            present.otherRedos.reset();
            m_history.push(other, present);
        }
    }
    Show_State(present, false);
}

void Side_Steps::Step_Shown(const SideSnapshot &state, int side, bool undoing, const Column_Step_Record &step)
{
    // The columns the step changed go back with its undo and come again with its redo.
    Side_Steps_Rows *rows = m_host.Steps_Rows();
    const bool stepped = step && rows &&
                         (undoing ? rows->Step_Columns(step->second, step->first) : rows->Step_Columns(step->first, step->second));
    Show_State(state, stepped);
    Card_Size_Follows(state, side, undoing);
    m_host.Steps_Shown();
}

bool Side_Steps::Undo()
{
    const int side = m_doc.currentSide();
    const SideSnapshot *before = nullptr;
    if (m_history.canUndo(side)) {
        // The present state keeps the column step that left it, for its redo.
        const Column_Step_Record step = m_history.top(side)->columnStep;
        SideSnapshot present = State(side);
        present.columnStep = step;
        // Its Redo takes the other side forward again past what the card size walks back.
        present.otherRedos = m_history.redoCount(1 - side);
        before = m_history.undo(side, std::move(present));
        if (before) {
            Step_Shown(*before, side, true, step);
            // What the step took back is no longer what the file holds (a save may have
            // written the state it left).
            m_edited = true;
        }
    }
    m_host.Steps_Changed(-1);
    return before != nullptr;
}

bool Side_Steps::Redo()
{
    const int side = m_doc.currentSide();
    const std::optional<SideSnapshot> undone = m_history.redo(side);
    if (undone) {
        Step_Shown(*undone, side, false, undone->columnStep);
        SideSnapshot now = State(side);
        now.columnStep = undone->columnStep;
        m_history.push(side, std::move(now));
        m_edited = true;
    }
    m_host.Steps_Changed(-1);
    return undone.has_value();
}

void Side_Steps::Copy_To_Other_Side()
{
    const int source = m_doc.currentSide();
    const int destination = 1 - source;
    // The copy gives the destination the source's photo column: an undo there takes it back.
    const DesignColumnChoices columnsBefore = m_doc.m_columnChoices;
    // What the clerk typed on the source side, read before the panels are emptied.
    const Panel_Typing typed = m_panels.Typing(source);
    {
        const Scoped_Flag copying(copy_card_design);
        // The destination's history starts from its state before the copy, so that the
        // copy can be undone there.
        Make_Sure_Of_Base(destination);
        m_doc.copySideToOther(source);
        m_host.Steps_Copy_Read(typed);
    }
    // The destination is shown and its new state recorded: the source did not change.
    m_host.Steps_Show_Side(destination);
    // In group mode the copy shows the current row's person, whom the list still selects.
    if (Side_Steps_Rows *rows = m_host.Steps_Rows()) rows->Side_Copied();
    Record(destination);
    Column_Step(destination, columnsBefore);
}
