// The side buttons (front, back and the scratch side), the card tab kept across a side
// change, and hiding the work area.
#include "ControlPanels.h"
#include "Globals.h"
#include "SKTGraphicView.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QScrollArea>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(Sides, ScratchButtonShowsCopiesOfTheCurrentSide)
{
    TestWindow w;
    GraphicPtr front = w.add(w.front(), GraphicKind::Shape, {10, 10, 40, 20});
    GraphicPtr back = w.add(w.back(), GraphicKind::Text, {20, 30, 60, 20});
    back->Set_text_value("Back text");
    w.controller.ui.Back_Side_btn->click();
    w.controller.ui.Temp_Side_btn->click();
    EXPECT_EQ(w.controller.ui.Front_back_label->text(), "TEMP");
    EXPECT_EQ(w.controller.ui.myTargetView->currentIndex(), 2);
    EXPECT_EQ(w.document.Card_Front_Or_Back, 1) << "the scratch side leaves the current side";
    SKTGraphicList &temp = w.document.graphics_temp();
    ASSERT_EQ(temp.count(), 1);
    EXPECT_NE(temp.at(0).get(), back.get());
    EXPECT_EQ(temp.at(0)->Text_Value, "Back text");
    // Editing the copy leaves the side as it was.
    temp.at(0)->Set_text_value("Changed");
    temp.at(0)->setBounds({0, 0, 5, 5});
    EXPECT_EQ(back->Text_Value, "Back text");
    EXPECT_EQ(back->bounds(), QRectF(20, 30, 60, 20));

    w.controller.ui.Front_Side_btn->click();
    w.controller.ui.Temp_Side_btn->click();
    ASSERT_EQ(temp.count(), 1);
    EXPECT_EQ(temp.at(0)->bounds(), front->bounds()) << "the scratch side follows the side shown";
    EXPECT_EQ(w.document.Card_Front_Or_Back, 0);
}

TEST(Sides, ACardTabStaysShownAcrossASideChangeAnyOtherGivesTheInformationTab)
{
    TestWindow w;
    QTabWidget *tabs = w.controller.ui.sett_tab;
    auto page = [&](PropertyTab t) { return w.controller.ui.tabPages[size_t(t)]; };
    GraphicPtr shape = w.add(w.front(), GraphicKind::Shape, {10, 10, 40, 20});
    const struct {
        PropertyTab shown;
        PropertyTab expected;
    } rows[] = {
        {card_size_tab, card_size_tab},     {card_bkgd_tab, card_bkgd_tab},     {card_brdr_tab, card_brdr_tab},
        {card_info_tab, card_info_tab},     {card_setting_tab, card_info_tab}, {shape_tab, card_info_tab},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        w.controller.ui.Front_Side_btn->click();
        if (rows[i].shown == shape_tab) {
            w.controller._graphicView->selectGraphics({shape.get()});
            w.controller.Show_RHS_Properties(shape.get());
        }
        tabs->setCurrentWidget(page(rows[i].shown));
        ASSERT_EQ(tabs->currentWidget(), page(rows[i].shown)) << "row " << i;
        w.controller.ui.Back_Side_btn->click();
        EXPECT_EQ(tabs->currentWidget(), page(rows[i].expected)) << "row " << i;
        EXPECT_EQ(w.document.Card_Front_Or_Back, 1);
        w.controller.ui.Front_Side_btn->click();
        EXPECT_EQ(tabs->currentWidget(), page(rows[i].expected)) << "row " << i;
    }
}

TEST(Sides, SideButtonsResetTheImageTab)
{
    TestWindow w;
    ControlPanels *panels = w.controller.controlPanels;
    for (QToolButton *button : {w.controller.ui.Back_Side_btn, w.controller.ui.Front_Side_btn}) {
        panels->image.transparency->setValue(40);
        panels->image.flipH->setChecked(true);
        panels->image.grey->setChecked(true);
        button->click();
        EXPECT_EQ(panels->image.transparency->value(), 100);
        EXPECT_FALSE(panels->image.flipH->isChecked());
        EXPECT_FALSE(panels->image.grey->isChecked());
    }
    // Selecting a side by itself leaves the image tab alone.
    panels->image.transparency->setValue(40);
    w.controller.Select_back_side();
    EXPECT_EQ(panels->image.transparency->value(), 40);
}

TEST(Sides, HidingTheWorkArea)
{
    TestWindow w;
    QWidget *card = w.controller.ui.myTargetView;
    QWidget *props = w.controller.ui.Right_Prop_Box;
    QWidget *panes = w.controller.ui.Visitor_Panel_Area;
    auto hidden = [&] { return std::vector<bool>{card->isHidden(), props->isHidden(), panes->isHidden()}; };
    ASSERT_EQ(hidden(), std::vector<bool>({false, false, false}));

    // While a side is being copied nothing changes.
    copy_card_design = 1;
    w.controller.Show_Hide_Main_Window(0);
    copy_card_design = 0;
    EXPECT_EQ(hidden(), std::vector<bool>({false, false, false}));

    for (char value : {0, 2}) {
        w.controller.Show_Hide_Main_Window(1);
        w.controller.Show_Hide_Main_Window(value);
        EXPECT_EQ(hidden(), std::vector<bool>({true, true, true})) << int(value);
    }
    copy_card_design = 1;
    w.controller.Show_Hide_Main_Window(1);
    copy_card_design = 0;
    EXPECT_EQ(hidden(), std::vector<bool>({true, true, true}));
    w.controller.Show_Hide_Main_Window(1);
    EXPECT_EQ(hidden(), std::vector<bool>({false, false, true})) << "the panes come back with their mode";
    w.controller.Show_Hide_Main_Window(0);
    w.controller.Show_Canvas_And_Right_Prop();
    EXPECT_EQ(hidden(), std::vector<bool>({false, false, true}));

    // The whole visitor panel goes: the group pane and the panels' scroll view too.
    QWidget *group = w.controller.ui.group_control_view;
    QWidget *scroll = w.controller.ui.scrollView;
    group->show();
    scroll->show();
    w.controller.Show_Hide_Main_Window(0);
    EXPECT_EQ(std::vector<bool>({group->isHidden(), scroll->isHidden()}), std::vector<bool>({true, true}));
}
