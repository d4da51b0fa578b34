#pragma once
// Opening the right profile dialog for a side, keeping the data-source list's
// spreadsheet item in step and dropping the spreadsheet bindings a newly browsed
// spreadsheet has made stale; and the invitation laid out on the front side.
#include "Invitation_Values.h"

#include <QPointF>
#include <QSizeF>
#include <QString>
#include <functional>

class Profile_Data_Source;
class Profile_Dialog;
class QComboBox;
class SKTGraphic;
class SKTGraphicList;
class SKTGraphicView;

struct Profile_Window_Context {
    Profile_Dialog *one_side = nullptr;  // Show_User_Profile
    Profile_Dialog *two_sides = nullptr; // User_profile
    Profile_Data_Source *source = nullptr;
    QComboBox *data_source_combo = nullptr;
    std::function<void()> combo_step;    // "Excel" item added or removed by the binding
    SKTGraphicList *current_side = nullptr, *other_side = nullptr;
    bool current_is_back = false;
    // A profile of the design was confirmed before: the two-side dialog starts from it.
    bool profile_confirmed = false;
};

// flag: the one-side dialog's start (the two-side dialog's is profile_confirmed);
// side: "F"/"B" (blanks trimmed) for the one-side dialog, "" for the two-side one;
// sides: "2" for a two-sided card. Returns the dialog's result, 1 for OK.
int Open_User_Profile_Window(char flag, const QString &side, const QString &sides, const Profile_Window_Context &c);

// The spreadsheet binding of a control dropped: a manual value.
void Drop_Excel_Binding(SKTGraphic &g);

// Lays the invitation out on the front view of a card of the size at the location; the
// photo control takes the adjustments the wizard showed it with and lies under the
// invitation's texts, the frame over everything.
void Fill_Party_Invidation_Details(const Invitation_Values &v, SKTGraphicView &front, QSizeF card, QPointF location,
                                   const std::function<void(int)> &set_tool);
