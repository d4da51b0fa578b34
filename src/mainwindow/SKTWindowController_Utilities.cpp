// Small services of the main window for the rest of the application.
#include "SKTWindowController.h"

#include "ControlColumn.h"
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
    // User-added fields take the column their entry of the current side's list names.
    return ::Get_Excel_Coulmn_Index_According_ID(document.m_columnChoices, ctrl_id,
                                                 [this](const QString &id) { return m_visitorPanels.Get_Col_Index_of_Dynamic_Control(id); });
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
