#include "Side_Panes.h"

#include "Profile_Panel.h"

#include <QFrame>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>

namespace {
constexpr int kPanelHeight = 475;
constexpr int kRowsMargin = 50;
} // namespace

int Panel_View_Height(const Profile_Panel *panel)
{
    if (!panel || !panel->Has_Rows()) return kPanelHeight;
    return kPanelHeight + int(panel->Frame_Of(panel->custom_label_box).height()) + kRowsMargin;
}

void Set_Panel_Size(const Side_Pane_Widgets &w, int side, const Profile_Panel *panel)
{
    QWidget *view = side == 1 ? w.back_vistr_view : w.front_vistr_view;
    if (!view) return;
    view->setFixedHeight(Panel_View_Height(panel));
    // The stack is as high as the panel on show.
    if (w.visitor_stack && w.visitor_stack->currentWidget() == view)
        w.visitor_stack->setFixedHeight(view->height());
}

void Move_Divider(QSplitter *split, int index, int position)
{
    if (!split || index < 0 || index + 1 >= split->count()) return;
    QList<int> sizes = split->sizes();
    int before = 0;
    for (int i = 0; i < index; ++i)
        if (sizes[i] > 0) before += sizes[i] + split->handleWidth();
    const int wanted = std::max(0, position - before);
    const int delta = wanted - sizes[index];
    sizes[index] = wanted;
    sizes[index + 1] = std::max(0, sizes[index + 1] - delta);
    split->setSizes(sizes);
}

void change_Visitor_Side_View(const Side_Pane_Widgets &w, long side, Card_Mode mode, const Profile_Panel *panel)
{
    if (side != 0 && side != 1) return;
    if (mode == Card_Mode::Visitor) Move_Divider(w.verticalSplitView, 1, 380);
    QWidget *view = side == 1 ? w.back_vistr_view : w.front_vistr_view;
    if (w.visitor_stack && view) w.visitor_stack->setCurrentWidget(view);
    Set_Panel_Size(w, int(side), panel);
    if (w.scrollView) {
        w.scrollView->horizontalScrollBar()->setValue(0);
        w.scrollView->verticalScrollBar()->setValue(0);
    }
}

void collapseLeftView(const Side_Pane_Widgets &w)
{
    if (w.group_control_view) w.group_control_view->hide();
    if (w.Visitor_mode_view) w.Visitor_mode_view->hide();
}

void uncollapseLeftView(const Side_Pane_Widgets &w, Card_Mode mode)
{
    QSplitter *split = w.verticalSplitView;
    if (!split || split->count() < 3) return;
    if (mode == Card_Mode::Group) {
        w.group_control_view->show();
        w.Visitor_mode_view->show();
        QList<int> sizes = split->sizes();
        const int total = sizes[0] + sizes[1] + sizes[2];
        sizes[0] = 200;
        sizes[1] = 400;
        sizes[2] = std::max(0, total - 600);
        split->setSizes(sizes);
    } else if (mode == Card_Mode::Visitor) {
        w.group_control_view->hide();
        w.Visitor_mode_view->show();
    } else {
        collapseLeftView(w);
    }
}

void Hide_Visitor_panel(const Side_Pane_Widgets &w)
{
    collapseLeftView(w);
    if (w.scrollView) w.scrollView->hide();
}
