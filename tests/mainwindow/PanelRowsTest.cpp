#include "Dynamic_Control_List.h"
#include "ProfileWindow.h"
#include "SKTImage.h"
#include "TestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(PanelRows, UntickHidesAndDisablesTickRecordsTheStepFirst)
{
    ProfileWindow w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    ProfileWindow::type(p.Get_Dynamic_Text_Box("F_label1"), "Badge");
    QCheckBox *chk = p.Get_Dynamic_Chk_Box("F_label1");
    chk->click();
    EXPECT_FALSE(w.onFront("F_label1")->ctrl_is_visible);
    EXPECT_FALSE(p.Get_Dynamic_Text_Box("F_label1")->isEnabled());
    const int undo = w.controller.Get_Undo_Count();
    chk->click();
    EXPECT_TRUE(w.onFront("F_label1")->ctrl_is_visible);
    EXPECT_TRUE(p.Get_Dynamic_Text_Box("F_label1")->isEnabled());
    EXPECT_FALSE(p.Get_Dynamic_Text_Box("F_label1")->isReadOnly());
    // One snapshot before the change (of the hidden caption), one after it.
    EXPECT_EQ(w.controller.Get_Undo_Count(), undo + 2);
    w.controller.Undo_Action_Perform();
    EXPECT_FALSE(w.onFront("F_label1")->ctrl_is_visible);
}

