#pragma once
// The panes left of the card: pane 0 the group-mode pane, pane 1 the visitor entry
// panel of the side being edited, pane 2 the card. Which panes show follows the
// design's mode; the panel view's height follows its user-added rows.
#include "CardModes.h"

#include <QString>

class Profile_Panel;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class QWidget;

struct Side_Pane_Widgets {
    QSplitter *verticalSplitView = nullptr;  // panes 0, 1, 2 first; anything after stays
    QWidget *group_control_view = nullptr;   // pane 0
    QWidget *Visitor_mode_view = nullptr;    // pane 1
    QScrollArea *scrollView = nullptr;
    QStackedWidget *visitor_stack = nullptr; // holds the two panel views
    QWidget *front_vistr_view = nullptr, *back_vistr_view = nullptr;
    QWidget *myTargetView = nullptr;         // pane 2
};

// 475 points without user-added rows, else 475 + the custom caption box's height + 50.
int Panel_View_Height(const Profile_Panel *panel);
// Gives the side's panel view (0 front, 1 back) its height.
void Set_Panel_Size(const Side_Pane_Widgets &w, int side, const Profile_Panel *panel);
// Shows the side's panel, scrolled to its top; in visitor mode the divider after pane 1
// goes to 380. Other sides do nothing.
void change_Visitor_Side_View(const Side_Pane_Widgets &w, long side, Card_Mode mode, const Profile_Panel *panel);
void collapseLeftView(const Side_Pane_Widgets &w);
// Group mode: panes 0 (200) and 1 (400) shown; visitor mode: pane 0 hidden, pane 1
// shown; other modes: panes 0 and 1 hidden.
void uncollapseLeftView(const Side_Pane_Widgets &w, Card_Mode mode);
void Hide_Visitor_panel(const Side_Pane_Widgets &w);
// Moves the divider after pane `index` to the x position, as far as the panes allow.
void Move_Divider(QSplitter *split, int index, int position);
