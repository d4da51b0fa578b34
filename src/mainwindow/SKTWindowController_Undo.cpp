// Undo and redo by whole snapshots of one side.
#include "SKTWindowController.h"

#include "Globals.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"

namespace {
SideSnapshot snapshotOf(const SKTGraphicList &list)
{
    SideSnapshot s;
    s.reserve(size_t(list.count()));
    for (const GraphicPtr &g : list.items()) s.push_back(g->encode());
    return s;
}
} // namespace

void SKTWindowController::Insert_In_Undo_Redo()
{
    if (live_mode_list_value_change) return;
    auto &undo = Card_Front_Or_Back == 1 ? Ucontrol_back : Ucontrol;
    auto &redo = Card_Front_Or_Back == 1 ? Rcontrol_back : Rcontrol;
    undo.push_back(snapshotOf(currentSideControls()));
    redo.clear();
}

void SKTWindowController::Undo_Redo_Clear()
{
    auto &undo = Card_Front_Or_Back == 1 ? Ucontrol_back : Ucontrol;
    auto &redo = Card_Front_Or_Back == 1 ? Rcontrol_back : Rcontrol;
    undo.clear();
    redo.clear();
}

int SKTWindowController::Get_Undo_Count() const { return int((Card_Front_Or_Back == 1 ? Ucontrol_back : Ucontrol).size()); }
int SKTWindowController::Get_Redo_Count() const { return int((Card_Front_Or_Back == 1 ? Rcontrol_back : Rcontrol).size()); }
