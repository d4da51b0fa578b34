#pragma once
// The two visitor entry panels and the card: the bridge that carries a panel box into
// the card control with the box's ID (on the current side), the card read back into
// the panels, the side lists of user-added controls, the front's photo control and the
// panes beside the card. It works on the design it is given and asks the window that
// shows it for the rest (Visitor_Panel_Window).
#include "Dynamic_Control_List.h"
#include "ProfilePanelHost.h"
#include "Side_Panes.h"
#include "Visitor_Fields.h"
#include "Visitor_Panel_Sync.h"

#include <QMetaObject>
#include <QPointF>
#include <QRectF>
#include <vector>

class Profile_Panel;
class QCheckBox;
class QThread;
class SKTDocument;
class SKTGraphicList;
class Visitor_Panel_Window;

class Visitor_Panel_Desk final : public ProfilePanelHost {
public:
    // Both outlive the desk.
    // From here on the panels follow every change of a front or back control.
    Visitor_Panel_Desk(SKTDocument &document, Visitor_Panel_Window &window);
    ~Visitor_Panel_Desk() override;
    Visitor_Panel_Desk(const Visitor_Panel_Desk &) = delete;
    Visitor_Panel_Desk &operator=(const Visitor_Panel_Desk &) = delete;

    // Makes the front and back panels inside the panel views of `panes`, which are kept
    // for the sizing and showing of the panes; the panel area is never narrower than a
    // panel with its captions whole.
    void Build(const Side_Pane_Widgets &panes);

    // ---- Panel to card ----
    char new_control_add(const QString &value, const QString &ctrl_id, QLineEdit *box) override;
    void Change_Value(const QString &value, const QString &ctrl_id, bool show, bool place) override;
    // The value or caption box and its check box of the ID in the current side's panel.
    QLineEdit *Text_Box(const QString &ctrl_id) const { return m_sync.Text_Box(ctrl_id); }
    QCheckBox *Chk_Box(const QString &ctrl_id) const { return m_sync.Chk_Box(ctrl_id); }
    // The add-to-database button: the visitor of both panels recorded by the window.
    void Add_Visitor_Record_To_DB() override;
    // Where a new profile control stands on a card of the front side's orientation.
    QRectF Sample_Rect(const QString &ctrl_id) const;

    // ---- Card to panels ----
    using Visit_Time = Visitor_Panel_Sync::Visit_Time;
    // The side's visible controls into the side's panel (0 front, 1 back).
    void Load_Side(int side, Visit_Time time = Visit_Time::Stamped);
    // In visitor and group mode: both panels, or the back's alone.
    void Show_Single_Mode_Front_Panel(Visit_Time time = Visit_Time::Stamped);
    void Show_Single_Mode_Back_Panel();
    void Reset_All_Panels();
    // After a design was read: the panels emptied, the side lists made from the sides
    // and the rows of both panels made again from them; each side's photo taken from
    // the design (SKTDocument::Take_Visitor_Photos_From_Design), or kept as the card has
    // it after a side was copied onto the other (the copy's is the source's).
    enum class Side_Photos { From_Design, Kept };
    void Rebuild_From_Card(Side_Photos photos = Side_Photos::From_Design);
    void Control_Selected(SKTGraphic *g);
    void Control_Deleted(SKTGraphic *g);
    // After undo and redo: the panels' rows anew, then each restored control's boxes
    // (Visitor_Panel_Sync::Refresh_After_Undo).
    void Refresh_After_Undo(const QStringList &textHere = {});
    // What the clerk put into the panel of a side (0 front, 1 back); none outside
    // visitor and group mode.
    Panel_Typing Typing(int side) const;
    void Show_Control_After_Undo(SKTGraphic *g);
    // Every box of the current side's panel follows its control's lock.
    void Follow_Locks();
    // Every profile control of both sides into the boxes of its panel (before a
    // visitor is recorded: the record holds what the card shows).
    void Follow_Card() const { m_sync.Follow_Card(); }

    // ---- Side lists of user-added controls ----
    Dynamic_Ctrl_List front_list, back_list;
    Dynamic_Ctrl_List &Current_List();
    void Create_Dynamic_Control_List() override;
    int Get_Col_Index_of_Dynamic_Control(const QString &ctrl_id);
    void Update_Value_For_Dynamic_Control(const QString &mode, const QString &ctrl_id);
    // The rows of both panels made from the side lists.
    void Create_Control_For_Visitor_Mode();

    // ---- The front's photo control ----
    // The front has a photo control: "Fup_Photo", or any image control (then selected),
    // or a new "Fup_Photo" showing the placeholder.
    void Check_For_Default_Photo_Control();
    // 1 when the current side's selected control is an image, or its first image
    // control (then selected); 0 when it has none.
    int Find_And_Select_Design_Image_Control();

    // ---- Panes ----
    void Panel_Rows_Changed(int side) override;
    void Change_Side_View(long side);
    void Collapse_Left_View();
    void Uncollapse_Left_View();
    void Hide_Visitor_Panel();

private:
    SKTGraphicView *Panel_Card_View(int side) const override;
    int Panel_Current_Side() const override;
    void Panel_Show_Properties(SKTGraphic *g) override;
    bool Panel_Multiple_Image_Selection(const QString &action) override;
    QStringList Panel_Image_File_Types() const override;
    Picture Panel_Image_For_Path(const QString &path) override;
    QString Panel_Camera_Picture() override;
    void Show_Message_To_Update_Data() override;
    void Panel_Record_Undo() override;
    bool Panel_Pause_Undo(bool paused) override;
    void Panel_Photo_Placed(SKTGraphic *g) override;
    QString Panel_No_Image_Path() const override;
    Picture Panel_No_Image_Picture() const override;
    Picture Panel_Err_Image() const override;

    SKTGraphicView *currentView() const;
    SKTGraphicList &currentSide() const;
    // The place of a new caption or value beside (or above, below) its shown partner.
    QPointF Set_Ctrl_Pos_In_Vstr_Mode(const QString &ctrl_id, const QRectF &ctrl_bound);
    // The top left of the partner when its box is ticked and its control exists; the
    // partner's frame is kept in m_partnerRect.
    QPointF Get_Ctrl_Location_From_Design(const QString &ctrl_id);

    SKTDocument &m_document;
    Visitor_Panel_Window &m_window;
    Visitor_Panel_Sync m_sync;
    Side_Pane_Widgets m_panes;
    QRectF m_partnerRect;
    QThread *const m_thread;  // the thread the panels live on
    std::vector<QMetaObject::Connection> m_following;
};
