// Keeping the controls in place when the card size changes.
#include "SKTWindowController.h"

#include "SKTGraphicList.h"
#include "SKTGraphicView.h"

void SKTWindowController::Change_Card_Size(QSizeF points)
{
    if (points.width() <= 0 || points.height() <= 0 || !_graphicView) return;
    const QSizeF old = _graphicView->cardSize();
    if (old == points) return;
    SetDocumentCanvasSize(points);
    Set_Control_Location_Size_IF_Card_Size_Change(float(old.width()), float(old.height()), float(points.width()),
                                                  float(points.height()), 1);
    for (Card_Property *prop : {&Front_card_Prop, &Back_card_Prop}) {
        prop->setCard_Location(QPointF(0, 0));
        prop->setCard_Size(points);
    }
    Update_Card_Graphics();
    Insert_In_Undo_Redo();
}

void SKTWindowController::Set_Control_Location_Size_IF_Card_Size_Change(float oldWidth, float oldHeight,
                                                                        float newWidth, float newHeight, char)
{
    if (newWidth == oldWidth && newHeight == oldHeight) return;
    // Percentages of an empty card mean nothing: nothing is moved then.
    if (oldWidth <= 0 || oldHeight <= 0) return;
    const float pw = (newWidth - oldWidth) * 100.0f / oldWidth;
    const float ph = (newHeight - oldHeight) * 100.0f / oldHeight;
    Chane_control_size_location_for_both_side(Get_Front_Controls_Array().items(), pw, ph);
    Chane_control_size_location_for_both_side(Get_Back_Controls_Array().items(), pw, ph);
}

void SKTWindowController::Chane_control_size_location_for_both_side(const std::vector<GraphicPtr> &graphics,
                                                                    float pw, float ph)
{
    for (const GraphicPtr &g : graphics) {
        const float x = float(g->xPosition()), y = float(g->yPosition());
        float w = float(g->width()), h = float(g->height());
        const float nx = x + x * pw / 100.0f, ny = y + y * ph / 100.0f;
        if (g->kind() != GraphicKind::Barcode) {
            w = w + w * pw / 100.0f;
            h = h + h * ph / 100.0f;
        }
        if (g->kind() == GraphicKind::Text) {
            w = std::max(w, 50.0f);
            h = std::max(h, 20.0f);
        }
        g->setBounds(QRectF(nx, ny, w, h));
    }
}
