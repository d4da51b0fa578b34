#pragma once
// The undo and redo history of the card sides: for the front (0) and the back (1) an
// undo stack whose top is the side after its last recorded change, and a redo stack
// of the states undone. A snapshot holds one control archive per control, in the
// side's order, and the card size its controls were laid out for; pictures are shared
// with the controls, not copied. No two snapshots are merged. The scratch side has no
// history.
//
// Each side's history keeps within a budget (kUndoBudgetPerSide), counted by the
// archives' bytes: a snapshot costs the archives and pictures it does not share with
// the snapshot beneath it. When a recorded change takes the side past the budget, the
// oldest steps above the bottom snapshot go until it fits again (the bottom snapshot,
// where the side's history starts, and the newest state always stay).
#include "Card_Property.h"
#include "DesignChoices.h"
#include "KeyedArchive.h"
#include "SKTGraphic.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// What a change of the card size alters of the card properties: the size, and of each
// side the preset, category, size name and row of the card size tab. The card's other
// properties are no part of the history.
struct Card_Size_Record {
    struct Names {
        QString preset, category, sizeName;
        int32_t row = 0;
        bool operator==(const Names &) const = default;
    };
    QSizeF size;
    Names front, back;
    bool operator==(const Card_Size_Record &) const = default;
};
Card_Size_Record Card_Size_Of(const Card_Property &front, const Card_Property &back);
// Gives both sides the record's size and names, nothing else.
void Give_Card_Size(const Card_Size_Record &record, Card_Property &front, Card_Property &back);

// The archives of a side's controls, read as the list they are, with the card size
// they were taken on (none: taken without the card, such a snapshot leaves it alone).
// rowFill: which fill of a spreadsheet row's values the side's bound controls held
// (none: not known); it tells no state of the design from another. photo: the position
// of the side's visitor photo among the archives (-1: the side had none). textHere: the
// control IDs whose entry panel box held the words "Text here" as the clerk typed them
// (on the card they read as an emptied box); like rowFill, no state of the design.
// columnStep: the group columns before and after the step that left this state, when
// that step changed them (the column dialog, a binding, a crop into a column, a side
// copy); an undo of the step puts back the columns it changed, a redo makes them again,
// and no other step touches them. otherRedos: on a state an Undo put on the redo stack,
// how many states the other side's redo stack held before that Undo; like rowFill, no
// state of the design.
struct SideSnapshot : std::vector<KeyedArchive> {
    using std::vector<KeyedArchive>::vector;
    std::optional<Card_Size_Record> card;
    std::optional<int> rowFill;
    int photo = -1;
    QStringList textHere;
    std::optional<std::pair<DesignColumnChoices, DesignColumnChoices>> columnStep;
    std::optional<int> otherRedos;
    bool operator==(const SideSnapshot &o) const
    {
        return card == o.card && photo == o.photo && static_cast<const std::vector<KeyedArchive> &>(*this) == o;
    }
};

// One archive per control, in order, and which of them is the visitor's photo. A
// control that cannot be archived is left out (its reason logged); the rest of the side
// is still taken.
SideSnapshot Side_Snapshot(const std::vector<GraphicPtr> &controls);
// The controls of a snapshot, in its order, the photo marked again; an archive that
// cannot be read is skipped.
std::vector<GraphicPtr> Controls_From_Snapshot(const SideSnapshot &snapshot);

// The bytes an archive holds: its keys and values, pictures by their pixels.
qint64 Archive_Bytes(const KeyedArchive &archive);

inline constexpr qint64 kUndoBudgetPerSide = 256ll << 20;

class UndoHistory {
public:
    explicit UndoHistory(qint64 budgetPerSide = kUndoBudgetPerSide) : m_budget(budgetPerSide) {}

    // A change of the side: its new state goes on top of the undo stack, and what was
    // undone before it can no longer be redone.
    void record(int side, SideSnapshot state);
    // A side without history starts it from its present state (asked for only then).
    void makeSureOfBase(int side, const std::function<SideSnapshot()> &present);
    // One step back: the present state goes onto the redo stack and the state before
    // the last change is returned for the side to show. The bottom snapshot is where
    // the side's history starts and always stays: nullptr (nothing changed) when
    // there is nothing before the top.
    const SideSnapshot *undo(int side, SideSnapshot present);
    // One step forward: the last undone state, taken off the redo stack; nullopt when
    // nothing was undone. The side shows it and records it with `push`.
    std::optional<SideSnapshot> redo(int side);
    // The side's present state, the top of its undo stack; nullptr when it has none.
    SideSnapshot *top(int side)
    {
        std::vector<SideSnapshot> &stack = undoStack(side);
        return stack.empty() ? nullptr : &stack.back();
    }
    // Onto the undo stack, leaving the redo stack as it is.
    void push(int side, SideSnapshot state);
    void pushRedo(int side, SideSnapshot state);

    // How many undos (or redos) take the side to its nearest state taken on a card of
    // `size`: 0 when its present state (the top of its undo stack) was; none when no
    // state on the way was.
    std::optional<int> stepsToCard(int side, const QSizeF &size, bool undoing) const;
    // How many redos leave `depth` states on the side's redo stack, when the state they
    // give back was taken on a card of `size`; none when no redo would, or it was not.
    std::optional<int> redosToDepth(int side, int depth, const QSizeF &size) const;
    int undoCount(int side) const { return int(undoStack(side).size()); }
    int redoCount(int side) const { return int(redoStack(side).size()); }
    // There is a state before the one shown, or an undone one.
    bool canUndo(int side) const { return undoCount(side) > 1; }
    bool canRedo(int side) const { return redoCount(side) > 0; }
    void clear();
    // What the side's undo and redo stacks hold, by the budget's count.
    qint64 bytes(int side) const;
    qint64 budget() const { return m_budget; }

    // Front undo, back undo, front redo, back redo.
    std::vector<SideSnapshot> Ucontrol, Ucontrol_back, Rcontrol, Rcontrol_back;

private:
    void pushOnto(std::vector<SideSnapshot> &stack, std::vector<qint64> &costs, SideSnapshot state);
    void popFrom(std::vector<SideSnapshot> &stack, std::vector<qint64> &costs);
    void keepWithinBudget(int side);
    std::vector<qint64> &undoCosts(int side) { return side == 1 ? m_costs[1] : m_costs[0]; }
    std::vector<qint64> &redoCosts(int side) { return side == 1 ? m_costs[3] : m_costs[2]; }

    qint64 m_budget;
    // The cost of each snapshot of Ucontrol, Ucontrol_back, Rcontrol, Rcontrol_back.
    std::vector<qint64> m_costs[4];

    std::vector<SideSnapshot> &undoStack(int side) { return side == 1 ? Ucontrol_back : Ucontrol; }
    std::vector<SideSnapshot> &redoStack(int side) { return side == 1 ? Rcontrol_back : Rcontrol; }
    const std::vector<SideSnapshot> &undoStack(int side) const { return side == 1 ? Ucontrol_back : Ucontrol; }
    const std::vector<SideSnapshot> &redoStack(int side) const { return side == 1 ? Rcontrol_back : Rcontrol; }
};
