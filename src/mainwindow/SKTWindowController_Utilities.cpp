// Small services of the main window for the rest of the application.
#include "SKTWindowController.h"

#include "Group_Mode.h"
#include "DocumentUndo.h"

#include <QMainWindow>

void SKTWindowController::SetFocus(QWidget *widget)
{
    if (!widget) return;
    if (ui.window) {
        ui.window->raise();
        ui.window->activateWindow();
    }
    widget->setFocus(Qt::OtherFocusReason);
}

int SKTWindowController::Get_Excel_Coulmn_Index_According_ID(const QString &ctrl_id)
{
    return m_group ? m_group->Column_Of(ctrl_id) : -1;
}

void SKTWindowController::Begin_Creation_Undo_Group() { document.undoManager().beginUndoGrouping(); }

void SKTWindowController::End_Creation_Undo_Group(bool takeBack)
{
    Document_Undo &undo = document.undoManager();
    undo.endUndoGrouping();
    if (!takeBack) return;
    const bool recording = undo.isRegistrationEnabled();
    undo.setRegistrationEnabled(false);
    undo.undoNestedGroup();
    undo.setRegistrationEnabled(recording);
}
