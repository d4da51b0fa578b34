#pragma once
// The widgets of the main window, built in code: toolbars, the visitor panel area on
// the left, the card area in the middle and the property tabs on the right. The
// controller keeps the pointers; the layout itself has no behaviour.
#include <QMargins>
#include <QRect>
#include <QString>
#include <array>

class QAction;
class QLabel;
class QMainWindow;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;
class QScrollArea;
class Repeat_Image;

struct MainWindowLayout {
    QMainWindow *window = nullptr;
    // The commands in three bars side by side, each bar starting a row of its own
    // when the window is too narrow for it beside the others, so every command stays
    // one click away (two rows from 1366 pixels wide up): file, edit and arranging
    // commands, viewing, then the desk's (card, crop, visitor log, group mode,
    // profile, help and the series commands).
    QToolBar *commandBar = nullptr;
    QToolBar *viewBar = nullptr;
    QToolBar *deskBar = nullptr;
    QToolBar *toolBar = nullptr;
    QSplitter *splitter = nullptr;
    // Below the toolbar: the banner strip and the row of product and link buttons
    // (filled by the controller).
    Repeat_Image *banner = nullptr;
    QWidget *link_row = nullptr;

    // Left: the group-mode pane (filled by group mode), then the visitor entry panels
    // of the front and back side.
    QWidget *group_control_view = nullptr;
    QWidget *Visitor_Panel_Area = nullptr;
    QStackedWidget *visitor_stack = nullptr;
    QScrollArea *scrollView = nullptr;
    QWidget *front_vistr_view = nullptr;
    QWidget *back_vistr_view = nullptr;

    // Middle: the card area showing one of the three sides.
    QWidget *card_area = nullptr;
    QStackedWidget *myTargetView = nullptr;
    QWidget *first_view = nullptr;
    QWidget *second_view = nullptr;
    QWidget *temp_design_view = nullptr;
    QLabel *Front_back_label = nullptr;
    QToolButton *Front_Side_btn = nullptr;
    QToolButton *Back_Side_btn = nullptr;
    QToolButton *Temp_Side_btn = nullptr;

    // Right: the property tabs.
    QWidget *Right_Prop_Box = nullptr;
    QTabWidget *sett_tab = nullptr;
    // The fifteen tab pages, in their fixed order (card tabs first).
    std::array<QWidget *, 15> tabPages{};
    std::array<QString, 15> tabTitles{};

    // Tools (0..15) and commands by name.
    std::array<QAction *, 16> toolActions{};
    QAction *command(const QString &name) const;
    // The button of a command, in whichever bar holds it.
    QWidget *commandWidget(QAction *action) const;
    std::array<std::pair<QString, QAction *>, 40> commands{};
};

// Index of each property tab page.
enum PropertyTab {
    card_setting_tab, card_info_tab, card_size_tab, card_bkgd_tab, card_brdr_tab,
    line_tab, shape_tab, text_edtng_tab, text_prop_tab, image_tab, sign_tab,
    datasource_tab, aligmnt_tab, barcode_tab, Lock_tab
};

// The frame margins taken while the window manager has not told the window's own: the
// title bar and borders of common window managers fit within them.
inline constexpr QMargins kAssumedWindowFrame{8, 40, 8, 8};

// The main window's normal (not maximised) geometry, its inside: the available area
// less the frame's margins (kAssumedWindowFrame while none are known), so that the
// frame, title bar included, lies inside the area.
QRect Normal_Window_Geometry(const QRect &available, const QMargins &frame);

// Builds the window and its widgets; the caller owns the window.
MainWindowLayout Build_Main_Window_Layout();
