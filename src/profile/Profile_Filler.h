#pragma once
// Writing a side's profile record onto a card view by control ID: the profile
// controls are hidden, each filled value and caption is written into the control with
// its ID (created at its default place when missing), values and the photo take the
// record's data binding. The scratch filling previews a record on the scratch side.
#include "CardModes.h"
#include "User_Profile_Class.h"

#include <QRectF>
#include <QString>
#include <functional>

class SKTGraphic;
class SKTGraphicView;

struct Profile_Fill_Target {
    enum class Kind {
        Front,   // photo without use: its control is hidden
        Back,    // the same
        Scratch  // no combo step, no confirmation needed, photo always placed, no undo step
    };
    Kind kind = Kind::Front;
    // A profile of the design was confirmed in a dialog: only then are the front and
    // the back written (without it they take only the combo step).
    bool confirmed = false;
    SKTGraphicView *view = nullptr;
    Card_Side card_side = Card_Side::Front;  // for controls made here
    QString no_image_path;
    // The default rectangle of a profile control (card view coordinates).
    std::function<QRectF(const QString &id, const QString &value)> default_rect;
    std::function<void(int)> set_tool;
    // The data-source list's "Excel" item follows the design's binding.
    std::function<void()> combo_step;
    std::function<void()> record_undo;
};

// The binding of a value or photo control from the record's flags (series first).
void Bind_Profile_Control(SKTGraphic &g, const Profile_Field &field);

// Fills the record onto the view; an exception ends it where it is, logged, and
// leaves what was done (no undo step).
void Fill_User_profile_info_side(const User_Profile_Class &record, const Profile_Fill_Target &target);

class SKTDocument;

// What writing the profile records onto the design's sides asks of the window that
// shows them.
class Profile_Filling_Window {
public:
    virtual ~Profile_Filling_Window() = default;
    // The card view of the side: 0 front, 1 back, 2 the scratch side.
    virtual SKTGraphicView *Filling_View(int side) const = 0;
    virtual void Filling_Set_Tool(int tool) = 0;
    // The data-source list's "Excel" item follows the design's spreadsheet binding.
    virtual void Filling_Data_Source_List() = 0;
    // Records an undo snapshot of the side.
    virtual void Filling_Record_Side(int side) = 0;
    // A profile dialog of the design has ended with OK.
    virtual bool Filling_Profile_Confirmed() const = 0;
    // The placeholder picture's path for a photo without a picture.
    virtual QString Filling_No_Image_Path() const = 0;
};

// The records written onto the design's sides: new controls stand at their place in
// the sample layout of the front's card size; the front and the back record an undo
// snapshot of their side, the scratch side none.
class Profile_Filling {
public:
    // Both outlive the object.
    Profile_Filling(const SKTDocument &document, Profile_Filling_Window &window);

    void Fill_Front(const User_Profile_Class &record) const;
    void Fill_Back(const User_Profile_Class &record) const;
    // The scratch side previews a record (its photo always placed).
    void Fill_Scratch(const User_Profile_Class &record) const;

private:
    Profile_Fill_Target Target(Profile_Fill_Target::Kind kind) const;

    const SKTDocument &m_document;
    Profile_Filling_Window &m_window;
};
