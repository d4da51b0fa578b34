#pragma once
// What a card view asks of the main window controller. The canvas does not know the
// controller; the controller implements this and hands itself to its card views.
#include "CardModes.h"
#include "Picture.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;
class SKTGraphic;
class SKTGraphicView;
enum class GraphicKind;

// The control class of a drawing tool: the kind, and the shape type or the signature
// ("S") or fingerprint ("F") letter that a new control of the tool gets ("" for none).
struct GraphicClass {
    GraphicKind kind;
    QString letter;
};

struct CardViewHost {
    virtual ~CardViewHost() = default;
    // The current side's card base (under the controls) and border and watermark
    // (over them), for the rectangle being redrawn, in card points.
    virtual void Card_Base_Drawing(QPainter &painter, const QRectF &dirty) = 0;
    virtual void Card_Border_Drawing(QPainter &painter, const QRectF &dirty) = 0;
    // The drawing tool in hand (0 arrow) and whether the design is in visitor or group mode.
    virtual int Selected_Control_Tool() const { return 0; }
    virtual bool Is_Visitor_Or_Group_Mode() const { return false; }
    // The design's mode and the current side (0 front, 1 back).
    virtual Card_Mode Design_Mode() const { return Card_Mode::Template; }
    virtual int Current_Side() const { return 0; }
    // Shows the property panels of the control (nullptr: the card's own properties).
    virtual void Show_RHS_Properties(SKTGraphic *) {}
    // Records an undo snapshot of the current side.
    virtual void Insert_In_Undo_Redo() {}
    virtual void Open_Barcode_Window() {}
    // Creates a control for the tool in hand at the point (card points) of the view
    // pressed; returns it after inserting it at index 0 of the view's side, or nullptr.
    virtual SKTGraphic *Create_Graphic_For_Tool_At(SKTGraphicView &, QPointF) { return nullptr; }
    // Keeps the visitor panel in step: a control became current / controls are deleted.
    virtual void Visitor_Panel_Control_Selected(SKTGraphic *) {}
    virtual void Visitor_Panel_Control_Deleted(SKTGraphic *) {}
    // Same-width and same-height buttons follow the number of selected controls.
    virtual void Selection_Count_Changed(int) {}

    // ---- Creating controls ----
    // Puts a tool in hand (0 the arrow), without creating anything.
    virtual void Set_Selected_Control_Tool(int) {}
    // The next placement point of a new control on the side.
    virtual QPointF Control_New_Point(Card_Side) { return QPointF(10, 10); }
    enum class SamplePicture { NoImage, Signature, Fingerprint };
    // The pictures a new control shows until it has its own.
    virtual Picture Sample_Picture(SamplePicture) const { return Picture(); }
    // The natural-size and fit-to-label buttons (off for a new barcode).
    virtual void Set_Natural_Size_Buttons_Enabled(bool) {}
    // Group mode: the spreadsheet column chosen for a profile field (-1 none), and the
    // batch list following the shown side.
    virtual int Get_Excel_Coulmn_Index_According_ID(const QString &) { return -1; }
    virtual void Set_Batch_List_To_Current_Side() {}
    // Creating a control is one group of the document's own undo record; a creation
    // taken back is undone there.
    virtual void Begin_Creation_Undo_Group() {}
    virtual void End_Creation_Undo_Group(bool /*takeBack*/) {}

    // ---- Clipboard and context menu ----
    // A new ID ("F_Pic%d") for an image control pasted in visitor or group mode.
    virtual QString Generate_Extra_image_control_ID() { return QString(); }
    // The Paste button follows the clipboard (after a copy).
    virtual void Set_Paste_Button_Status() {}
    // Controls a paste put on the side shown, before the paste is recorded: they show
    // what the design's fill gives them (in group mode the selected row's cells).
    virtual void Controls_Pasted(const std::vector<SKTGraphic *> & /*pasted*/) {}
    // The main window's commands that the card view's context menu offers.
    enum class WindowCommand { CardProperties, CardBackground, Lock, Unlock, ExportCard, ExportTemplate, MailCard, PrintCard };
    virtual void Run_Window_Command(WindowCommand) {}
    // Whether the window offers the command now (its menu item is greyed otherwise).
    virtual bool Window_Command_Available(WindowCommand) const { return true; }
};
