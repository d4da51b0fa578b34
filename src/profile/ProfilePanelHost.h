#pragma once
// What a visitor entry panel asks of the main window: the bridge that carries a box's
// value into the card control with the box's ID, the card views of the sides and the
// recording of the visitor.
#include "Picture.h"

#include <QString>
#include <QStringList>

class QLineEdit;
class SKTGraphic;
class SKTGraphicView;

class ProfilePanelHost {
public:
    virtual ~ProfilePanelHost() = default;
    // Creates the control for the ID on the current side when it has none; 1 when it
    // was created. A text control's value ("Text here" for none) goes into `box`.
    virtual char new_control_add(const QString &value, const QString &ctrl_id, QLineEdit *box) = 0;
    // Sets the control's text or picture path, shows or hides it and, with `place`,
    // puts it beside its partner; then selects it, records an undo snapshot.
    virtual void Change_Value(const QString &value, const QString &ctrl_id, bool show, bool place) = 0;
    virtual SKTGraphicView *Panel_Card_View(int side) const = 0;
    // The side the user works on: 0 front, 1 back.
    virtual int Panel_Current_Side() const = 0;
    virtual void Panel_Show_Properties(SKTGraphic *g) = 0;
    // True (after its message) when two or more image controls are selected.
    virtual bool Panel_Multiple_Image_Selection(const QString &action) = 0;
    virtual QStringList Panel_Image_File_Types() const = 0;
    virtual Picture Panel_Image_For_Path(const QString &path) = 0;
    // Runs the camera window; the stored picture's path, or "" when it was cancelled.
    virtual QString Panel_Camera_Picture() = 0;
    virtual void Show_Message_To_Update_Data() = 0;
    // The photo buttons put a photo into this control of the current side: it is the
    // side's visitor photo from now on.
    virtual void Panel_Photo_Placed(SKTGraphic * /*g*/) {}
    // The add-to-database button: records the visitor of both panels.
    virtual void Add_Visitor_Record_To_DB() = 0;

    // ---- User-added rows ----
    // Records an undo snapshot of the current side.
    virtual void Panel_Record_Undo() {}
    // Stops (true) or resumes (false) the recording of undo snapshots; the state before.
    virtual bool Panel_Pause_Undo(bool paused) = 0;
    // A row was added by the operator: the current side's list is built again.
    virtual void Create_Dynamic_Control_List() {}
    // The panel of the side gained or lost rows: its view is sized again and shown.
    virtual void Panel_Rows_Changed(int /*side*/) {}
    // The placeholder picture of a photo without a picture, its path, and the picture
    // of a file that cannot be read.
    virtual QString Panel_No_Image_Path() const { return QString(); }
    virtual Picture Panel_No_Image_Picture() const { return Picture(); }
    virtual Picture Panel_Err_Image() const { return Picture(); }
};
