// The editing commands of the toolbar: cut, copy, paste, bring to front, send to back,
// the alignment menu and select all, each run by the card view of the side shown; and
// the window's side of the card view's context menu.
#include "SKTWindowController.h"

#include "Globals.h"
#include "Run_Desk.h"
#include "SKTGraphicView.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {
using C = SKTGraphicView::Command;

struct ToolbarRow {
    const char *name;
    C command;
    QKeySequence::StandardKey key;
};
const ToolbarRow kToolbarCommands[] = {
    {"Cut", C::Cut, QKeySequence::Cut},
    {"Copy", C::Copy, QKeySequence::Copy},
    {"Paste", C::Paste, QKeySequence::Paste},
    {"Front", C::BringToFront, QKeySequence::UnknownKey},
    {"Back", C::SendToBack, QKeySequence::UnknownKey},
};

// The alignment menu; an empty title is a divider.
struct AlignRow {
    const char *title;
    const char *iconName;
    C command;
};
const AlignRow kAlignMenu[] = {
    {"Align Left Edges", "align_left", C::AlignLeftEdges},
    {"Align Horizontal Centers", "align_center", C::AlignHorizontalCenters},
    {"Align Right Edges", "align_right", C::AlignRightEdges},
    {"Align Top Edges", "align_top", C::AlignTopEdges},
    {"Align Vertical Centers", "align_middle", C::AlignVerticalCenters},
    {"Align Bottom Edges", "align_bottom", C::AlignBottomEdges},
    {"Center on Card", "", C::AlignFormCenter},
    {"", "", C::AlignFormCenter},
    {"Same Width", "same_size", C::MakeSameWidth},
    {"Same Height", "same_size", C::MakeSameHeight},
    {"Align with Grid", "", C::AlignWithGrid},
};
} // namespace

void SKTWindowController::connectEditCommands()
{
    for (const ToolbarRow &row : kToolbarCommands) {
        QAction *a = ui.command(QLatin1String(row.name));
        if (!a) continue;
        if (row.key != QKeySequence::UnknownKey) a->setShortcut(row.key);
        const C command = row.command;
        connect(a, &QAction::triggered, this, [this, command] {
            if (SKTGraphicView *v = currentGraphicView()) v->runCommand(command);
        });
    }

    if (QAction *align = ui.command(QStringLiteral("Align"))) connectAlignMenu(align);

    auto *selectAll = new QAction(tr("Select All"), ui.window);
    selectAll->setObjectName(QStringLiteral("SelectAll"));
    selectAll->setShortcut(QKeySequence::SelectAll);
    connect(selectAll, &QAction::triggered, this, [this] {
        if (SKTGraphicView *v = currentGraphicView()) v->runCommand(C::SelectAll);
    });
    ui.window->addAction(selectAll);
}

void SKTWindowController::connectAlignMenu(QAction *align)
{
    auto *menu = new QMenu(ui.window);
    for (const AlignRow &row : kAlignMenu) {
        if (*row.title == '\0') {
            menu->addSeparator();
            continue;
        }
        QAction *item = SKTGraphicView::addCommandAction(menu, tr(row.title), row.command);
        if (*row.iconName)
            item->setIcon(QIcon(Resource_Path + QStringLiteral("Icons/") + QLatin1String(row.iconName) +
                                QStringLiteral(".png")));
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        if (SKTGraphicView *v = currentGraphicView()) v->validateMenu(menu);
    });
    connect(menu, &QMenu::triggered, this, [this](QAction *item) {
        SKTGraphicView *v = currentGraphicView();
        if (v && item->data().isValid()) v->runCommand(C(item->data().toInt()));
    });
    align->setMenu(menu);
    if (auto *button = qobject_cast<QToolButton *>(ui.commandWidget(align)))
        button->setPopupMode(QToolButton::InstantPopup);
}

void SKTWindowController::Set_Paste_Button_Status()
{
    if (QAction *a = ui.command(QStringLiteral("Paste"))) a->setEnabled(SKTGraphicView::clipboardHoldsControls());
}

namespace {
// The toolbar command that stands for a window command of the context menu, if any.
const char *toolbarCommandFor(CardViewHost::WindowCommand command)
{
    switch (command) {
    case CardViewHost::WindowCommand::ExportCard: return "Export";
    case CardViewHost::WindowCommand::MailCard: return "Mail";
    case CardViewHost::WindowCommand::PrintCard: return "Print";
    default: return nullptr;
    }
}
} // namespace

void SKTWindowController::Run_Window_Command(WindowCommand command)
{
    switch (command) {
    case WindowCommand::CardProperties: Card_Prop_Clicked(); break;
    case WindowCommand::CardBackground: Card_Bckgrnd_Clicked(); break;
    case WindowCommand::Lock: Lock_Clicked(); break;
    case WindowCommand::Unlock: Unlock_Clicked(); break;
    case WindowCommand::ExportTemplate: Export_As_Template_Clicked(); break;
    case WindowCommand::ExportCard: runDesk().Export_Card_Clicked(); break;
    case WindowCommand::MailCard:
    case WindowCommand::PrintCard:
        if (QAction *a = ui.command(QLatin1String(toolbarCommandFor(command)))) a->trigger();
        break;
    }
}

bool SKTWindowController::Window_Command_Available(WindowCommand command) const
{
    const char *name = toolbarCommandFor(command);
    if (!name) return true;
    const QAction *a = ui.command(QLatin1String(name));
    return a && a->isEnabled();
}
