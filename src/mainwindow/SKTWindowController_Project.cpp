// Starting a new design: the reset of the editor and the start window.
#include "SKTWindowController.h"

#include "CardAppearance.h"
#include "CardPropertyPanel.h"
#include "Globals.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "SKTDocument.h"
#include "SKTGraphicView.h"
#include "Start_Card.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>

void SKTWindowController::New_Project_Setting_Reset(bool resetCard)
{
    for (int side = 0; side < 3; ++side)
        if (SKTGraphicView *v = graphicView(side)) v->Clear_Control_Selection();
    Undo_Redo_Clear();
    for (int side = 0; side < 3; ++side) document.sideList(side).clear();
    for (User_Profile_Class *p : {&Front_user_profile, &Back_user_profile, &TEMP_user_profile}) p->Reset_All_Values();
    document.All_Text_font = Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    document.All_Text_clr = Qt::black;
    Image_Ctrl_Counter = 0;
    if (resetCard) {
        // New card properties; the card keeps its size until a template gives another.
        const QSizeF size = document.cardBounds().size();
        document.Front_card_Prop = Card_Property();
        document.Back_card_Prop = Card_Property();
        document.Back_card_Prop.setCard_Side_Name(QStringLiteral("B"));
        SetDocumentCanvasSize(size);
    }
    document.Project_File_Name.clear();
    document.Selected_Template_Path.clear();
    Check_Path_And_Create_Files();
    Select_front_side();
}

void SKTWindowController::New_Project()
{
    try {
        New_Project_Setting_Reset(true);
        Show_RHS_Properties(nullptr);
        Refresh_Canvas();
        Open_Start_Window();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

bool SKTWindowController::Open_Start_Window()
{
    document.Start_Card_Option = QStringLiteral("V");
    for (;;) {
        std::optional<QString> choice;
        if (startWindowAnswerer) {
            choice = startWindowAnswerer();
        } else {
            Start_Card *gallery = Start_Card::defaultInstance();
            if (gallery->Open_Wnd() == 1) choice = gallery->selectedTemplatePath();
        }
        if (choice && !choice->isEmpty() &&
            Read_and_load_design_Log_NEW_METHOD(*choice, QStringLiteral("T"), false) != 1)
            continue;  // the reader has said why; choose again
        if (choice) {
            document.Selected_Template_Path = *choice;
            document.Start_Card_Option = QStringLiteral("V");
            Make_Sure_Of_Front_Photo();
            Show_Single_Mode_Front_Panel();
            Set_Card_Shape(Card_Shape_Number(document.Front_card_Prop.Card_Shape()));
            Select_front_side();
            Undo_Redo_Clear();
            Insert_In_Undo_Redo();
            Set_Log_Name_In_Title();
            return true;
        }
        if (Show_YES_NO_MessageBox(QStringLiteral("\nDo you really want to exit?")) == 1) {
            QApplication::exit(0);
            return false;
        }
    }
}

void SKTWindowController::Set_Log_Name_In_Title()
{
    if (ui.window) ui.window->setWindowTitle(document.displayName());
}

void SKTWindowController::Make_Sure_Of_Front_Photo()
{
    if (!_graphicView || _graphicView->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo"))) return;
    // The visitor's photo goes to the right of a landscape card and to the top centre
    // of a portrait one, at passport proportions.
    const QSizeF card = _graphicView->cardSize();
    const double w = std::min(card.width(), card.height()) * 0.42, h = w * 1.25;
    const QRectF rect = card.width() >= card.height() ? QRectF(card.width() - w - 12, 12, w, h)
                                                      : QRectF((card.width() - w) / 2, 12, w, h);
    _graphicView->createGraphicOfClass(GraphicKind::Image, std::nullopt, true, rect, QStringLiteral("F"),
                                       Resource_Path + QStringLiteral("pic_ic.png"), QStringLiteral("Fup_Photo"));
    _graphicView->Clear_Control_Selection();
}
