#pragma once
// What the visitor entry panels and the profile dialogs ask of the window that shows
// them: its card views, its property panels and undo record, its pictures, the camera,
// the recording of a visit and the design's spreadsheet. The main window implements
// it; tests give a small stand-in.
#include "Picture.h"

#include <QString>
#include <QStringList>

#include <functional>

class Profile_Data_Source;
class QComboBox;
class QWidget;
class SKTGraphic;
class SKTGraphicView;

class Visitor_Panel_Window {
public:
    virtual ~Visitor_Panel_Window() = default;
    // The card view of a side: 0 front, 1 back, 2 scratch; nullptr when there is none.
    virtual SKTGraphicView *Card_View(int side) const = 0;
    // Shows the property panels of the control (nullptr: the card's own).
    virtual void Show_Properties(SKTGraphic *g) = 0;
    // Records an undo snapshot of the side (-1: the current side).
    virtual void Record_Undo(int side = -1) = 0;
    // Stops (true) or resumes (false) the recording of undo snapshots; the state before.
    virtual bool Pause_Undo(bool paused) = 0;
    // Puts a drawing tool in hand (8 the image tool).
    virtual void Set_Tool(int tool) = 0;
    // Activates the window and gives the widget the keyboard focus.
    virtual void Focus(QWidget *widget) = 0;
    // True (after its message) when two or more image controls are selected.
    virtual bool Multiple_Image_Selection(const QString &action) = 0;
    virtual QStringList Image_File_Types() const = 0;
    virtual Picture Image_For_Path(const QString &path) = 0;
    // Runs the camera window; the stored picture's path, or "" when it was cancelled.
    virtual QString Camera_Picture() = 0;
    // The placeholder of a photo without a picture, its path, and the picture of a file
    // that cannot be read.
    virtual QString No_Image_Path() const = 0;
    virtual Picture No_Image_Picture() const = 0;
    virtual Picture Err_Image() const = 0;
    // What is typed into a box of the window and not yet on the card (a box that writes
    // after a pause, or when it is left) is written now.
    virtual void Take_Typing() {}
    // Records the visitor of both panels as one new visit.
    virtual void Record_Visitor() = 0;
    // A tick made the text of a field on the side shown: it shows what the design's fill
    // gives it (in group mode the selected row's cell), which its box then shows.
    virtual void Field_Control_Made(SKTGraphic & /*g*/) {}
    // The design's spreadsheet rows as the panel rows and the profile dialogs read them.
    virtual Profile_Data_Source &Data_Source() = 0;

    // ---- Profile dialogs ----
    // The data-source list of the property panels (nullptr when there is none); its
    // "Excel" item follows the design's spreadsheet binding.
    virtual QComboBox *Data_Source_Combo() const { return nullptr; }
    virtual void Data_Source_Combo_Follows_Binding() {}
    // Lets the user choose a workbook and imports it as the design's rows; true when
    // the rows hold at least one row (the spreadsheet is then bound).
    virtual bool Import_Spreadsheet() { return false; }
    // The value a control bound to the spreadsheet column shows (the current row's cell
    // in group mode, else the first row's).
    virtual QString Column_Value_Shown(int /*column*/) const { return QString(); }
    // The scratch side made a copy of the current side, `fill` run on it, then shown.
    virtual void Preview_On_Scratch(const std::function<void()> &fill) { fill(); }
    // Shows the side (0 front, 1 back) again.
    virtual void Show_Side(int /*side*/) {}
};
