// The card's own appearance and the main window's card and geometry fields.
#include "SKTWindowController.h"

#include "CardAppearance.h"
#include "CardPropertyPanel.h"
#include "CardValues.h"
#include "ControlPanels.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Grid_Wizard.h"
#include "Helpers.h"
#include "Log.h"
#include "Paths.h"
#include "SKTGraphic.h"
#include "SKTGraphicView.h"
#include "SKTZoomingScrollView.h"

#include <QMainWindow>
#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>

void SKTWindowController::Card_Base_Drawing(QPainter &painter, const QRectF &)
{
    SKTGraphicView *v = currentGraphicView();
    Draw_Card_Base(painter, currentCardProperty(), QRectF(QPointF(0, 0), v ? v->cardSize() : QSizeF(243, 154)),
                   Application_Render_Resources(pictureAdjuster));
}

void SKTWindowController::Card_Border_Drawing(QPainter &painter, const QRectF &)
{
    SKTGraphicView *v = currentGraphicView();
    Draw_Card_Border(painter, currentCardProperty(), QRectF(QPointF(0, 0), v ? v->cardSize() : QSizeF(243, 154)),
                     Application_Render_Resources(pictureAdjuster));
}

void SKTWindowController::Refresh_Canvas()
{
    if (m_cardValues && m_cardValues->Redraw_Held()) return;
    if (SKTGraphicView *v = currentGraphicView()) v->update();
}

QPointF SKTWindowController::Control_New_Point(Card_Side side)
{
    try {
        const int count = side == Card_Side::Front ? Get_Front_Control_Count() : Get_Back_Control_Count();
        const double step = std::max(count, 20);
        const QSizeF card = frontCardBounds().size();
        double x = m_lastNewPoint.x() + step, y = m_lastNewPoint.y() + step;
        if (x >= card.width() || x + 50 >= card.width()) x = 10;
        if (y >= card.height() || y + 50 >= card.height()) y = 10;
        m_lastNewPoint = QPointF(x, y);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
    return m_lastNewPoint;
}

void SKTWindowController::_setLabels()
{
    if (cardPanel) cardPanel->setUnitLabels(Measument_Unit_Is);
}

void SKTWindowController::Apply_unit_Chaneg_Values()
{
    if (cardPanel) cardPanel->convertShownSize(last_unit_val, Measument_Unit_Is);
}

void SKTWindowController::Set_Card_Size_In_Control(QSizeF sizeMM)
{
    if (!cardPanel) return;
    cardPanel->showSizeInMM(sizeMM);
    last_unit_val = 2;
    Apply_unit_Chaneg_Values();
    last_unit_val = Measument_Unit_Is;
}

void SKTWindowController::Set_Control_Pos_And_Size(SKTGraphic *g)
{
    // Only the current control's geometry is shown.
    if (cardPanel && g && g == Last_Selected_Graphic) cardPanel->showControlGeometry(g);
}

void SKTWindowController::Side_Control_Changed(SKTGraphic *g)
{
    Set_Control_Pos_And_Size(g);
    if (controlPanels) controlPanels->Follow_Control(g);
}

void SKTWindowController::Side_Control_Inserted(int, SKTGraphic *g)
{
    if (g && (g->kind() == GraphicKind::Image || g->kind() == GraphicKind::Signature)) Reset_Image_Editing_Controls();
}

void SKTWindowController::Show_RHS_Properties(SKTGraphic *g)
{
    if (m_selectedTool != 0) m_selectedTool = 0;
    Last_Selected_Graphic = g;
    if (!g) {
        if (SKTGraphicView *v = currentGraphicView()) {
            v->setSelected_Graphic(nullptr);
            if (!v->selectedGraphics().empty() && Not_Draw_Only_Prop_Change == 0) v->Clear_Control_Selection();
        }
        if (cardPanel) {
            cardPanel->showControlGeometry(nullptr);
            if (Not_Draw_Only_Prop_Change == 0) cardPanel->loadFrom(currentCardProperty());
        }
        if (controlPanels) controlPanels->showControl(nullptr);
        Show_Data_Source_Of(nullptr);
        Enable_Standard_Button_For_Unlock();
        return;
    }
    if (cardPanel) cardPanel->showControlGeometry(g);
    if (controlPanels) controlPanels->showControl(g);
    Show_Data_Source_Of(g);
    // The toolbar follows the current control's lock.
    if (g->ctrl_is_locked)
        Disable_Standard_Button_For_Lock();
    else
        Enable_Standard_Button_For_Unlock();
}

void SKTWindowController::Reset_Image_Editing_Controls()
{
    if (controlPanels) controlPanels->Reset_Image_Editing_Controls();
}

void SKTWindowController::Load_and_fill_backgrounds()
{
    const QString folder = Resource_Path + QStringLiteral("Background");
    if (!QFileInfo(folder).isDir()) return;
    images.clear();
    for (const QString &name : Get_Files_Array_At_Path(folder, 0)) {
        const QString ext = QFileInfo(name).suffix().toLower();
        if (ext == QLatin1String("png") || ext == QLatin1String("jpg")) images << Path_Join(folder, name);
    }
    if (cardPanel) cardPanel->fillBackgrounds(images);
}

void SKTWindowController::card_prop_set(const QString &fillCode)
{
    if (cardPanel) cardPanel->showFillChoice(fillCode);
}

void SKTWindowController::Update_Card_Graphics()
{
    if (!cardPanel) return;
    Card_Property &prop = currentCardProperty();
    cardPanel->storeInto(prop);
    Set_Card_Shape(Card_Shape_Number(prop.Card_Shape()));
    for (SKTZoomingScrollView *z : {_zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP})
        if (z) z->viewport()->update();
    if (SKTGraphicView *v = currentGraphicView()) v->update();
}

void SKTWindowController::SetDocumentCanvasSize(QSizeF points)
{
    // The design's card size is its card properties' size; the views show it.
    for (Card_Property *prop : {&document.Front_card_Prop, &document.Back_card_Prop}) prop->setCard_Size(points);
    for (SKTGraphicView *v : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        if (v) v->setCardSize(points);
    Refresh_Canvas();
}

void SKTWindowController::Set_Canvas_to_100_percent()
{
    _zoomFactor = 1.0;
    for (SKTZoomingScrollView *z : {_zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP})
        if (z) z->setFactor(1.0);
}

namespace {
const char *kLockCommands[] = {"Cut", "Paste", "Delete", "Front", "Back", "Lock"};

// The seven alignment commands of the toolbar's alignment menu.
void enableAlignment(const MainWindowLayout &ui, bool enabled)
{
    const QAction *align = ui.command(QStringLiteral("Align"));
    if (!align || !align->menu()) return;
    for (QAction *item : align->menu()->actions())
        if (item->data().isValid() && SKTGraphicView::Is_Alignment_Command(SKTGraphicView::Command(item->data().toInt())))
            item->setEnabled(enabled);
}
} // namespace

void SKTWindowController::Disable_Standard_Button_For_Lock()
{
    for (const char *name : kLockCommands)
        if (QAction *a = ui.command(QLatin1String(name))) a->setEnabled(false);
    enableAlignment(ui, false);
    if (QAction *a = ui.command(QStringLiteral("Unlock"))) a->setEnabled(true);
}

void SKTWindowController::Enable_Standard_Button_For_Unlock()
{
    for (const char *name : {"Cut", "Copy", "Delete", "Front", "Back", "Lock"})
        if (QAction *a = ui.command(QLatin1String(name))) a->setEnabled(true);
    // The menu's own check still asks for a selection of two when it opens.
    enableAlignment(ui, true);
    if (QAction *a = ui.command(QStringLiteral("Paste"))) a->setEnabled(SKTGraphicView::clipboardHoldsControls());
    if (QAction *a = ui.command(QStringLiteral("Unlock"))) a->setEnabled(false);
}

void SKTWindowController::Show_Hide_Ruler_ChkBox(bool shown)
{
    for (SKTZoomingScrollView *z : {_zoomingScrollView, _zoomingScrollView_BACK, _zoomingScrollView_TEMP})
        if (z) z->setRulersVisible(shown);
}

void SKTWindowController::toggleGridShowing()
{
    Grid_Wizard &wizard = Grid_Window();
    wizard.setGrid(&_grid);
    wizard.Open_Wnd();
}

Grid_Wizard &SKTWindowController::Grid_Window()
{
    if (!m_gridWizard) m_gridWizard = new Grid_Wizard(ui.window);
    return *m_gridWizard;
}
