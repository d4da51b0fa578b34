// The command toolbar's remaining commands: undo and redo, lock and unlock, the card's
// own properties and background, help, the scratch side and copying a side's design
// onto the other side.
#include "SKTWindowController.h"
#include "Visitor_Record_Desk.h"

#include "AdjustmentChain.h"
#include "Image_Library.h"
#include "CardPropertyPanel.h"
#include "ControlPanels.h"
#include "Cropping_Tool.h"
#include "Data_From_Excel.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "ScopedFlag.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "PanelField.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Series_Commands.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QTabWidget>

namespace {

// Independent copies of controls, made through their archives (pictures shared).
std::vector<GraphicPtr> copiesOf(const std::vector<GraphicPtr> &controls)
{
    std::vector<GraphicPtr> copies;
    copies.reserve(controls.size());
    for (const GraphicPtr &g : controls)
        if (GraphicPtr copy = g ? SKTGraphic::decode(g->encode()) : nullptr) copies.push_back(std::move(copy));
    return copies;
}

} // namespace

void SKTWindowController::connectCommands()
{
    struct Connection {
        const char *name;
        void (SKTWindowController::*slot)();
    };
    const Connection connections[] = {
        {"Undo", &SKTWindowController::Undo_Clicked},
        {"Redo", &SKTWindowController::Redo_Clicked},
        {"Lock", &SKTWindowController::Lock_Clicked},
        {"Unlock", &SKTWindowController::Unlock_Clicked},
        {"CardProp", &SKTWindowController::Card_Prop_Clicked},
        {"CardBackground", &SKTWindowController::Card_Bckgrnd_Clicked},
        {"CopySide", &SKTWindowController::Copy_Card_Design_Clicked},
        {"GroupMode", &SKTWindowController::Group_Mode_Clicked},
        {"Profile", &SKTWindowController::User_Profile_Button_Clicked},
    };
    for (const Connection &c : connections)
        if (QAction *a = ui.command(QLatin1String(c.name))) connect(a, &QAction::triggered, this, c.slot);
    if (QAction *a = ui.command(QStringLiteral("VisitorLog")))
        connect(a, &QAction::triggered, this, [this] { visitorRecord().View_Vistor_Record(); });
    connectHelpAndLinks();
    if (QAction *a = ui.command(QStringLiteral("Undo"))) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    if (QAction *a = ui.command(QStringLiteral("Redo"))) a->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connectOutputCommands();
    if (QAction *a = ui.command(QStringLiteral("Crop")))
        connect(a, &QAction::triggered, this, [this] {
            Cropping_Tool &tool = Cropping_Tool_Of(*ui.window, &document, modalRunner, &runPool);
            tool.View_Spreadsheet_Rows = [this] { Data_From_Excel_Window().Open_Wnd(); };
            tool.Open_Wnd();
            // A series written by Crop All joins the data-source lists at once.
            if (tool.Series_Made()) seriesCommands().Refresh_All_Series_Combobox();
        });
    Check_Undo_Redo_Btn_Enability();
}

// ---- Lock and unlock ----

void SKTWindowController::Lock_Or_Unlock(bool lock)
{
    // The toolbar shows the new state whatever the selection.
    if (lock)
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Unlock();
    SKTGraphicView *view = currentGraphicView();
    const std::vector<SKTGraphic *> selected = view ? view->selectedGraphics() : std::vector<SKTGraphic *>();
    if (selected.empty()) {
        Show_MessageBox(lock ? QStringLiteral("Please select a control to Lock.")
                             : QStringLiteral("Please select a control to Unlock."));
        return;
    }
    // No control kind has an in-place editor, so there is no editing to start here.
    for (SKTGraphic *g : selected) g->ctrl_is_locked = lock;
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    // The card's panel, then the same selection again with the last control's panel.
    const std::vector<int> indexes = view->selectionIndexes();
    Show_RHS_Properties(nullptr);
    view->changeSelectionIndexes(indexes);
    Refresh_Canvas();
    Set_Selected_Graphic(selected.back());
    Show_RHS_Properties(selected.back());
}

// ---- The card's own properties ----

void SKTWindowController::Card_Prop_Clicked() { Show_RHS_Properties(nullptr); }

void SKTWindowController::Card_Bckgrnd_Clicked()
{
    Show_RHS_Properties(nullptr);
    if (Open_Image_Library_Window(Library_Purpose::Background) != 1 || lib_window_sel_file.isEmpty()) return;
    Card_Property &prop = currentCardProperty();
    prop.setCard_BG_Image_Path(lib_window_sel_file);
    prop.setCard_BG_Image(Set_Dimaension(Picture::fromFile(lib_window_sel_file)));
    prop.setCard_fill_chk(true);
    prop.setCard_fill_style(QStringLiteral("I"));
    if (cardPanel) cardPanel->loadFrom(prop);
    Update_Card_Graphics();
    if (ui.sett_tab) ui.sett_tab->setCurrentWidget(ui.tabPages[card_bkgd_tab]);
}

// ---- The scratch side ----

void SKTWindowController::Temp_Design_Control_Assign()
{
    if (!_graphicView_TEMP || !_graphicView_TEMP->graphicsList()) return;
    // Copies, not the side's own controls: a control belongs to one side, and what is
    // filled in on the scratch side must not reach the card.
    _graphicView_TEMP->graphicsList()->replaceAll(copiesOf(currentSideControls().items()));
    _graphicView_TEMP->update();
}

// ---- What is typed ----

void SKTWindowController::Take_Typing()
{
    // The Text tab's box writes after a pause in typing; the other boxes that wait write
    // when they are left, and one of them may hold the focus.
    if (controlPanels) controlPanels->commitPendingEdits();
    if (ui.window) Confirm_Typing(ui.window->focusWidget());
}

// ---- Copying a side onto the other ----

void SKTWindowController::Copy_Card_Design_Clicked()
{
    // What is typed at this moment is part of the design that is copied.
    Take_Typing();
    if (Show_YES_NO_MessageBox(QStringLiteral(
            "This action will copy the current design to other side of your card and will replace any existing "
            "design on that side.\n\nAre you sure you want to copy current design to other side of your Card?")) != 1)
        return;
    const bool gridShown = _grid.isAlwaysShown();
    for (int side = 0; side < 3; ++side)
        if (SKTGraphicView *v = graphicView(side)) v->Clear_Control_Selection();
    // The copy, the destination shown and its new state recorded (Side_Steps); it
    // never moves the saved state.
    m_steps.Copy_To_Other_Side();
    _grid.setAlwaysShown(gridShown);
    Show_Hide_Main_Window(1);
    Refresh_Canvas();
}
