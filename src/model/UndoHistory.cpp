#include "UndoHistory.h"

#include "Log.h"

#include <exception>

SideSnapshot Side_Snapshot(const std::vector<GraphicPtr> &controls)
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

std::vector<GraphicPtr> Controls_From_Snapshot(const SideSnapshot &snapshot)
{
    std::vector<GraphicPtr> controls;
    controls.reserve(snapshot.size());
    for (const KeyedArchive &archive : snapshot) {
        GraphicPtr g;
        try {
            g = SKTGraphic::decode(archive);
        } catch (const std::exception &) {
            g = nullptr;
        }
        if (g) controls.push_back(std::move(g));
    }
    return controls;
}

void UndoHistory::record(int side, SideSnapshot state)
{
    undoStack(side).push_back(std::move(state));
    redoStack(side).clear();
}

void UndoHistory::makeSureOfBase(int side, const std::function<SideSnapshot()> &present)
{
    if (undoStack(side).empty()) undoStack(side).push_back(present());
}

const SideSnapshot *UndoHistory::undo(int side, SideSnapshot present)
{
    std::vector<SideSnapshot> &undo = undoStack(side);
    if (undo.size() < 2) return nullptr;
    redoStack(side).push_back(std::move(present));
    undo.pop_back();
    return &undo.back();
}

std::optional<SideSnapshot> UndoHistory::redo(int side)
{
    std::vector<SideSnapshot> &redo = redoStack(side);
    if (redo.empty()) return std::nullopt;
    SideSnapshot top = std::move(redo.back());
    redo.pop_back();
    return top;
}

void UndoHistory::clear()
{
    for (std::vector<SideSnapshot> *s : {&Ucontrol, &Ucontrol_back, &Rcontrol, &Rcontrol_back}) s->clear();
}
