// Undo and redo by whole snapshots of one side, run by the sides' steps (Side_Steps);
// the window answers what they ask of it and keeps its Undo and Redo commands in step.
#include "SKTWindowController.h"

#include "Group_Mode.h"

#include <QAction>

void SKTWindowController::Insert_In_Undo_Redo() { Record_Side(document.currentSide()); }

void SKTWindowController::Record_Side(int side) { m_steps.Record(side); }

void SKTWindowController::Column_Step_Recorded(int side, const DesignColumnChoices &before)
{
    m_steps.Column_Step(side, before);
}

void SKTWindowController::Make_Sure_Of_Undo_Base(int side) { m_steps.Make_Sure_Of_Base(side); }

void SKTWindowController::Undo_Action_Perform() { m_steps.Undo(); }

void SKTWindowController::Redo_Action_Perform() { m_steps.Redo(); }

Side_Steps_Rows *SKTWindowController::Steps_Rows() { return m_group.get(); }

void SKTWindowController::Steps_Shown()
{
    Refresh_Canvas();
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Steps_Copy_Read(const Panel_Typing &typed)
{
    Refresh_Canvas();
    // The side lists, the visitor panels and the title follow the design as after a
    // read; the saved state stays where the last read or write left it.
    Design_Did_Load(&typed);
}

void SKTWindowController::Steps_Show_Side(int side)
{
    if (side == 1)
        Select_back_side();
    else
        Select_front_side();
}

void SKTWindowController::Steps_Write_Typing() { Take_Typing(); }

int SKTWindowController::Get_Undo_Count() const { return m_steps.history().undoCount(document.currentSide()); }
int SKTWindowController::Get_Redo_Count() const { return m_steps.history().redoCount(document.currentSide()); }

void SKTWindowController::Check_Undo_Redo_Btn_Enability()
{
    Enable_Disable_Undo(m_steps.history().canUndo(document.currentSide()));
    Enable_Disable_Redo(m_steps.history().canRedo(document.currentSide()));
}

void SKTWindowController::Enable_Disable_Undo(bool enabled)
{
    if (QAction *a = ui.command(QStringLiteral("Undo"))) a->setEnabled(enabled);
}

void SKTWindowController::Enable_Disable_Redo(bool enabled)
{
    if (QAction *a = ui.command(QStringLiteral("Redo"))) a->setEnabled(enabled);
}

void SKTWindowController::Undo_Redo_Clear() { m_steps.Clear(); }

void SKTWindowController::Undo_Redo_Button_state() { Check_Undo_Redo_Btn_Enability(); }
