#pragma once
// What a card view asks of the main window controller. The canvas does not know the
// controller; the controller implements this and hands itself to its card views.
#include <QRectF>
#include <QString>
#include <optional>

class QPainter;
class SKTGraphic;
enum class GraphicKind;

struct CardViewHost {
    virtual ~CardViewHost() = default;
    // The current side's card base (under the controls) and border and watermark
    // (over them), for the rectangle being redrawn, in card points.
    virtual void Card_Base_Drawing(QPainter &painter, const QRectF &dirty) = 0;
    virtual void Card_Border_Drawing(QPainter &painter, const QRectF &dirty) = 0;
    // The drawing tool in hand (0 arrow) and whether the mode letter is "V" or "G".
    virtual int Selected_Control_Tool() const { return 0; }
    virtual bool Is_Visitor_Or_Group_Mode() const { return false; }
    // Shows the property panels of the control (nullptr: the card's own properties).
    virtual void Show_RHS_Properties(SKTGraphic *) {}
    // Records an undo snapshot of the current side.
    virtual void Insert_In_Undo_Redo() {}
    virtual void Open_Barcode_Window() {}
    // Creates a control for the tool in hand at the point (card points); returns it
    // after inserting it at index 0 of the view's side, or nullptr.
    virtual SKTGraphic *Create_Graphic_For_Tool_At(QPointF) { return nullptr; }
    // Keeps the visitor panel in step: a control became current / controls are deleted.
    virtual void Visitor_Panel_Control_Selected(SKTGraphic *) {}
    virtual void Visitor_Panel_Control_Deleted(SKTGraphic *) {}
    // Same-width and same-height buttons follow the number of selected controls.
    virtual void Selection_Count_Changed(int) {}
};
