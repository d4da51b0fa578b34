// The front, back and scratch sides: which one is shown, and the ways to their controls.
#include "SKTWindowController.h"

#include "CardAppearance.h"
#include "Globals.h"
#include "SKTDocument.h"
#include "SKTGraphicView.h"
#include "SKTZoomingScrollView.h"

#include <QIcon>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QPixmap>

SKTGraphicView *SKTWindowController::graphicView(int side) const
{
    return side == 1 ? _graphicView_BACK : side == 2 ? _graphicView_TEMP : _graphicView;
}

SKTGraphicView *SKTWindowController::currentGraphicView() const { return graphicView(document.Card_Front_Or_Back == 1 ? 1 : 0); }

SKTZoomingScrollView *SKTWindowController::zoomingScrollView(int side) const
{
    return side == 1 ? _zoomingScrollView_BACK : side == 2 ? _zoomingScrollView_TEMP : _zoomingScrollView;
}

SKTGraphicList &SKTWindowController::Get_Front_Controls_Array() const
{
    return document.graphics();
}
SKTGraphicList &SKTWindowController::Get_Back_Controls_Array() const
{
    return document.graphics_back();
}
SKTGraphicList &SKTWindowController::Get_Temp_Controls_Array() const
{
    return document.graphics_temp();
}
SKTGraphicList &SKTWindowController::currentSideControls() const
{
    return document.Card_Front_Or_Back == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
}
int SKTWindowController::Get_Front_Control_Count() const { return Get_Front_Controls_Array().count(); }
int SKTWindowController::Get_Back_Control_Count() const { return Get_Back_Controls_Array().count(); }
int SKTWindowController::Get_Temp_Control_Count() const { return Get_Temp_Controls_Array().count(); }

SKTGraphic *SKTWindowController::Get_Selected_Graphic() const
{
    return currentGraphicView() ? currentGraphicView()->Selected_Graphic() : nullptr;
}

void SKTWindowController::Set_Selected_Graphic(SKTGraphic *g)
{
    if (g && currentGraphicView()) currentGraphicView()->setSelected_Graphic(g);
}

Card_Property &SKTWindowController::currentCardProperty() { return document.currentCardProperty(); }

void SKTWindowController::Set_Card_Shape(int shape)
{
    document.Card_Shape = shape;
    for (SKTZoomingScrollView *z : {_zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP})
        if (z) z->setCardShape(shape);
}

void SKTWindowController::changeViewController(int index)
{
    if (index < 0 || index > 2 || !ui.myTargetView) return;
    ui.myTargetView->setCurrentIndex(index);
}

void SKTWindowController::showSide(int side)
{
    auto setIcon = [](QToolButton *b, const Picture &p) {
        if (!p.isNull()) b->setIcon(QIcon(QPixmap::fromImage(p.image())));
    };
    setIcon(ui.Front_Side_btn, side == 0 ? front_btn_image_sel : front_btn_image);
    QWidget *const Last_Card_Sel_Tab = ui.sett_tab ? ui.sett_tab->currentWidget() : nullptr;
    setIcon(ui.Back_Side_btn, side == 1 ? back_btn_image_sel : back_btn_image);
    ui.Front_back_label->setText(side == 0 ? QObject::tr("Front") : QObject::tr("Back"));
    document.Card_Front_Or_Back = side;
    Set_Card_Shape(Card_Shape_Number(currentCardProperty().Card_Shape()));
    changeViewController(side);
    if (ui.visitor_stack) ui.visitor_stack->setCurrentIndex(side);
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
    Show_RHS_Properties(nullptr);
    // One of the card's own tabs stays shown; any other tab gives way to the card's
    // information.
    if (ui.sett_tab) {
        bool cardTab = false;
        for (PropertyTab t : {card_info_tab, card_size_tab, card_bkgd_tab, card_brdr_tab})
            cardTab = cardTab || Last_Card_Sel_Tab == ui.tabPages[size_t(t)];
        ui.sett_tab->setCurrentWidget(cardTab ? Last_Card_Sel_Tab : ui.tabPages[card_info_tab]);
    }
    Check_Undo_Redo_Btn_Enability();
}

void SKTWindowController::Select_front_side() { showSide(0); }
void SKTWindowController::Select_back_side() { showSide(1); }

void SKTWindowController::Select_temp_design_side()
{
    ui.Front_back_label->setText(QStringLiteral("TEMP"));
    changeViewController(2);
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::Front_Card_Btn_Clicked()
{
    Take_Typing();  // what is typed belongs to the side shown until now
    Select_front_side();
    Reset_Image_Editing_Controls();
    // In group mode the side shown takes the selected person.
    Assign_value_to_card_in_group_mode_list_selection();
}

void SKTWindowController::Back_Card_Btn_Clicked()
{
    Take_Typing();  // what is typed belongs to the side shown until now
    Select_back_side();
    Reset_Image_Editing_Controls();
    Assign_value_to_card_in_group_mode_list_selection();
}

void SKTWindowController::Temp_Card_Btn_Clicked()
{
    Take_Typing();  // what is typed belongs to the side shown until now
    Select_temp_design_side();
    Temp_Design_Control_Assign();
}

void SKTWindowController::Show_Canvas_And_Right_Prop()
{
    if (ui.myTargetView) ui.myTargetView->show();
    if (ui.Right_Prop_Box) ui.Right_Prop_Box->show();
}

void SKTWindowController::Show_Hide_Main_Window(char show)
{
    if (copy_card_design == 1) return;
    if (show == 1) {
        Show_Canvas_And_Right_Prop();
        return;
    }
    if (ui.myTargetView) ui.myTargetView->hide();
    if (ui.Right_Prop_Box) ui.Right_Prop_Box->hide();
    // The visitor panes go with them.
    Hide_Visitor_panel();
}
