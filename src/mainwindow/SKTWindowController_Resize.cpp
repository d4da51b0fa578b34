// Keeping the controls in place when the card size changes.
#include "SKTWindowController.h"

#include "CardPropertyPanel.h"
#include "CardResize.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "ScopedFlag.h"
#include "SKTGraphicList.h"

#include <QDir>
#include <QFileInfo>
#include "SKTGraphicView.h"

void SKTWindowController::Change_Card_Size(QSizeF points, bool moveControls)
{
    if (points.width() <= 0 || points.height() <= 0 || !_graphicView) return;
    const QSizeF old = _graphicView->cardSize();
    if (old == points) return;
    // Both histories hold the state before: each side's next state is taken on the new
    // card, moved or not, so that undo gives the card its size back with the controls.
    Make_Sure_Of_Undo_Base(0);
    Make_Sure_Of_Undo_Base(1);
    SetDocumentCanvasSize(points);
    if (moveControls)
        Set_Control_Location_Size_IF_Card_Size_Change(float(old.width()), float(old.height()), float(points.width()),
                                                  float(points.height()), 1);
    for (Card_Property *prop : {&document.Front_card_Prop, &document.Back_card_Prop}) {
        prop->setCard_Location(QPointF(0, 0));
        prop->setCard_Size(points);
    }
    Update_Card_Graphics();
    // Each side records its state on the new card, the side not shown first.
    const int shownSide = document.Card_Front_Or_Back == 1 ? 1 : 0;
    for (int side : {1 - shownSide, shownSide}) Record_Side(side);
}

void SKTWindowController::Set_Control_Location_Size_IF_Card_Size_Change(float oldWidth, float oldHeight,
                                                                        float newWidth, float newHeight,
                                                                        char changeFontSize)
{
    ::Set_Control_Location_Size_IF_Card_Size_Change(oldWidth, oldHeight, newWidth, newHeight, changeFontSize,
                                                    Get_Front_Controls_Array().items(),
                                                    Get_Back_Controls_Array().items());
}

void SKTWindowController::Card_Control_Size_Change_or_not(QSizeF points, const QString &preset, const QString &category,
                                                         int row)
{
    const QString oldPreset = document.Front_card_Prop.Card_Preset();
    if (preset == QLatin1String("Custom")) {
        Change_Card_Size(points, false);
        return;
    }
    if (preset == oldPreset && category == document.Front_card_Prop.Card_Category() && row == document.Front_card_Prop.Card_Cat_index() &&
        _graphicView && _graphicView->cardSize() == points)
        return;
    // A design made from a template that the user has not changed since it was read (its
    // steps, its card settings and rows as read) takes the template's other orientation
    // when there is one; any other is rescaled with every change kept.
    if (!m_steps.Design_Edited() && document.Project_File_Name.isEmpty() &&
        document.Start_Card_Option != Card_Mode::Group && !document.Selected_Template_Path.isEmpty() && preset != oldPreset) {
        QString swapped = Swap_Template_Orientation_Path(document.Selected_Template_Path, oldPreset, preset);
        if (!QFileInfo::exists(swapped)) {
            // The twin's name may differ in letter case ("(V)" for "(v)").
            const QFileInfo info(swapped);
            for (const QString &name : QDir(info.path()).entryList(QDir::Files))
                if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0) swapped = info.path() + u'/' + name;
        }
        if (swapped != document.Selected_Template_Path && QFileInfo::exists(swapped)) {
            int read = 0;
            {
                const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
                read = Read_and_load_design_Log_NEW_METHOD(swapped, Card_Mode::Template, false);
            }
            if (read != 1) return;
            document.Selected_Template_Path = swapped;
            // The user's new card size, though read from a template: not in a file.
            m_steps.Start_Anew(false);
            if (cardPanel) cardPanel->loadFrom(document.Front_card_Prop);
            return;
        }
    }
    Change_Card_Size(points, true);
}
