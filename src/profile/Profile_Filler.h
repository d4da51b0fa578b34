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
        Scratch  // no combo step, no flag test, photo always placed, no undo step
    };
    Kind kind = Kind::Front;
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
