// The "Group Mode" command in the main window's toolbar.
#include "Globals.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QToolBar>
#include <gtest/gtest.h>

namespace group_mode_command_test {

namespace {

struct Window : TestWindow {
    Window()
    {
        document.Start_Card_Option = Card_Mode::Visitor;
        Set_Field_Captions(Caption_Wording::Visitor);
        controller.Select_front_side();
        testsupport::boxes().clear();
    }
};

TEST(GroupModeCommand, FollowsVisitorLogOnTheToolbar)
{
    Window w;
    const QList<QAction *> actions = w.controller.ui.deskBar->actions();
    const qsizetype log = actions.indexOf(w.command("VisitorLog"));
    ASSERT_GE(log, 0);
    EXPECT_EQ(actions.value(log + 1), w.command("GroupMode"));
    EXPECT_EQ(w.command("GroupMode")->text(), "Group Mode");
}

} // namespace

} // namespace group_mode_command_test
