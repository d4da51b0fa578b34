#pragma once
// The steps of the card's sides: each side's undo history, the record of a change of a
// side, Undo and Redo of the side shown (with the group columns a step changed), and
// Copy to Other Side. The main window's commands and every other desk that shows the
// sides run these, so that there is one road for each step. The window that shows the
// sides answers what only it can do (Side_Steps_Host); group mode, when there is one,
// keeps its rows on the card through Side_Steps_Rows.
#include "Card_Property.h"
#include "DesignChoices.h"
#include "UndoHistory.h"

#include <QList>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <optional>

class SKTDocument;
class Visitor_Panel_Desk;
struct Panel_Typing;

// What the steps need of group mode's rows on the card.
class Side_Steps_Rows {
public:
    virtual ~Side_Steps_Rows() = default;
    // Which fill of a row the side's bound controls hold (none: not known).
    virtual std::optional<int> Card_Fill(int side) const = 0;
    // A step that took the columns from `from` to `to`, undone or redone: true when a
    // column changed.
    virtual bool Step_Columns(const DesignColumnChoices &from, const DesignColumnChoices &to) = 0;
    // The side shown came back from a state that held row fill `fill`.
    virtual void Refill_Restored_Side(std::optional<int> fill, bool columnsStepped) = 0;
    // The side shown was made by Copy to Other Side.
    virtual void Side_Copied() = 0;
};

class Side_Steps_Host {
public:
    virtual ~Side_Steps_Host() = default;
    // Group mode's rows, or nullptr.
    virtual Side_Steps_Rows *Steps_Rows() = 0;
    // The card's properties took the size: the views show it.
    virtual void Steps_Card_Size(QSizeF points) = 0;
    // After an Undo or Redo that changed the side shown.
    virtual void Steps_Shown() = 0;
    // The history changed: a state of side `recorded` was recorded (a change, or a copy
    // onto it), or (-1) an Undo, a Redo or a clear. Undo and Redo follow it.
    virtual void Steps_Changed(int recorded) = 0;
    // Copy to Other Side: the side lists, panels and title follow the copied design as
    // after a read, given what the clerk typed on the source side.
    virtual void Steps_Copy_Read(const Panel_Typing &typed) = 0;
    // The side (0 front, 1 back) is shown.
    virtual void Steps_Show_Side(int side) = 0;
    // Text typed into a box and not yet on the card (the Text tab writes it after a
    // pause) is written and recorded now, as at the end of its pause.
    virtual void Steps_Write_Typing() = 0;
};

class Side_Steps {
public:
    // All outlive the steps. While `paused` is set no change is recorded.
    Side_Steps(SKTDocument &document, Visitor_Panel_Desk &panels, Side_Steps_Host &host, const bool &paused);

    UndoHistory &history() { return m_history; }
    const UndoHistory &history() const { return m_history; }

    // The side's state now: its controls, the card size they are laid out for, the row
    // fill they hold and the boxes that hold "Text here" as typed.
    SideSnapshot State(int side) const;
    // A change of the side: its state is recorded (the other side's history starts
    // first, so that its own first change can be undone as well).
    void Record(int side);
    // The side's last recorded state was left by a step that changed the group columns
    // from `before` to what they are now (nothing when they are the same).
    void Column_Step(int side, const DesignColumnChoices &before);
    // A side without history starts it from its present state.
    void Make_Sure_Of_Base(int side);
    // Undo and Redo of the side shown; false when there was no step.
    bool Undo();
    bool Redo();
    // The side shown onto the other, which is then shown and its new state recorded,
    // with the source's photo column for its photo (an undo there takes it back).
    void Copy_To_Other_Side();
    void Clear();

    // Whether the design differs from what was last read from or written to a file: the
    // one decision that New, Open, Group Mode, Exit and closing the window ask. What is
    // typed into a box at that moment is written first (Steps_Write_Typing), however
    // soon after the last key. The user edited the design since (Design_Edited), or it
    // is marked as not in its file (a project whose file could not be written, a
    // template's other orientation taken for a new card size: Start_Anew(false)).
    bool Design_Changed();
    // A step of a side recorded, undone or redone, a column step, the card's settings of
    // either side or the spreadsheet rows not as they were, since the design was last as
    // a file holds it; what is typed into a box is written first. The card's other
    // orientation asks it: a template the user has not edited turns into its twin.
    bool Design_Edited();
    // The design as it is now is the one read or written.
    void Design_Is_As_Saved();
    // The design was read or made anew: the history starts from the side shown, and the
    // design is as saved, or not in its file.
    void Start_Anew(bool saved);
    // The design just started anew holds the user's own work (a profile written onto a
    // template): it counts as edited, so that leaving it asks and the card's other
    // orientation rescales it rather than taking the template's twin.
    void Design_Is_Users_Work() { m_edited = true; }
    // Before a changed design is left: "Do you want to save changes before closing?"; Yes
    // writes it with `save`. False when the user stays (Cancel, or the save failed).
    bool Ask_To_Save_Changes(const std::function<bool()> &save);

private:
    using Column_Step_Record = decltype(SideSnapshot::columnStep);
    void Show_State(const SideSnapshot &state, bool columnsStepped);
    // The state an Undo (or Redo) of `step` gave back shown on the side.
    void Step_Shown(const SideSnapshot &state, int side, bool undoing, const Column_Step_Record &step);
    // After a step of `side`, the card takes the size the state was laid out for, and
    // the other side goes along its own history to its nearest state on that card; a
    // Redo takes it forward to where the Undo of that step found it.
    void Card_Size_Follows(const SideSnapshot &restored, int side, bool undoing);

    SKTDocument &m_doc;
    Visitor_Panel_Desk &m_panels;
    Side_Steps_Host &m_host;
    const bool &m_paused;
    UndoHistory m_history;
    // What the design was when it was last read or written, and what happened since.
    bool m_edited = false;
    bool m_unsaved = false;
    Card_Property m_savedFront, m_savedBack;
    QList<QStringList> m_savedRows;
};
