// The visitor entry panels and the card: the bridge that carries a panel box into the
// card control with the box's ID (on the current side), the reading of the card's
// profile controls back into the panels, the side lists and the panes.
#include "Visitor_Panel_Desk.h"

#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "Visitor_Fields.h"
#include "Visitor_Panel_Window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace {
const QString kTextHere = QStringLiteral("Text here");
constexpr int kImageTool = 8;
} // namespace

Visitor_Panel_Desk::Visitor_Panel_Desk(SKTDocument &document, Visitor_Panel_Window &window)
    : m_document(document), m_window(window), m_sync(document), m_thread(QThread::currentThread())
{
    // The one place where a change of the card reaches the panels, whatever made it.
    // Only changes made on the thread of the panels are followed. The calls are direct,
    // so the test sees the thread that made the change: a change made on another thread
    // is dropped there, and nothing is queued (a queued call would carry a control that
    // may be gone when it runs).
    const auto follow = [this](SKTGraphic *g) {
        if (g && QThread::currentThread() == m_thread) m_sync.Follow_Control(*g);
    };
    for (SKTGraphicList *side : {&document.graphics(), &document.graphics_back()}) {
        m_following.push_back(QObject::connect(
            side, &SKTGraphicList::changed, side, [follow](SKTGraphic *g, QRectF, QRectF) { follow(g); },
            Qt::DirectConnection));
        m_following.push_back(QObject::connect(
            side, &SKTGraphicList::inserted, side, [follow](int, SKTGraphic *g) { follow(g); },
            Qt::DirectConnection));
        m_following.push_back(QObject::connect(
            side, &SKTGraphicList::reset, side,
            [this, side] {
                if (QThread::currentThread() != m_thread) return;
                for (const GraphicPtr &g : side->items()) m_sync.Follow_Control(*g);
            },
            Qt::DirectConnection));
    }
}

Visitor_Panel_Desk::~Visitor_Panel_Desk()
{
    for (const QMetaObject::Connection &c : m_following) QObject::disconnect(c);
}

void Visitor_Panel_Desk::Build(const Side_Pane_Widgets &panes)
{
    m_panes = panes;
    for (QWidget *holder : {panes.front_vistr_view, panes.back_vistr_view}) {
        if (!holder) continue;
        auto *layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *panel = new Profile_Panel(holder == panes.front_vistr_view ? 0 : 1, this, holder);
        layout->addWidget(panel);
        if (panes.Visitor_mode_view && panes.scrollView)
            panes.Visitor_mode_view->setMinimumWidth(
                std::max(panes.Visitor_mode_view->minimumWidth(),
                         panel->minimumSizeHint().width() + panes.scrollView->verticalScrollBar()->sizeHint().width()));
    }
}

SKTGraphicView *Visitor_Panel_Desk::currentView() const { return m_window.Card_View(m_document.currentSide()); }
SKTGraphicList &Visitor_Panel_Desk::currentSide() const { return m_document.sideList(m_document.currentSide()); }

// ---- Panel to card ----

char Visitor_Panel_Desk::new_control_add(const QString &value, const QString &ctrl_id, QLineEdit *box)
{
    Library_Selected_Image.clear();
    // An empty ID names no field: the panels then act on the selected control.
    if (ctrl_id.isEmpty()) return 0;
    const QString v = value.isEmpty() ? kTextHere : value;
    for (const GraphicPtr &g : currentSide().items())
        if (g->control_ID == ctrl_id) return 0;
    SKTGraphicView *view = currentView();
    if (!view) return 0;
    const bool photo = Is_Visitor_Photo_ID(ctrl_id) || Is_User_Photo_ID(ctrl_id);
    if (photo) m_window.Set_Tool(kImageTool);
    // A profile field starts at its place of the sample layout; others at the side's
    // next free point.
    const QRectF rect = Sample_Rect(ctrl_id);
    const bool useRect = rect.width() > 0 && rect.height() > 0;
    // The bridge's Change_Value that follows records the step: one tick, one undo.
    const bool quiet = m_window.Pause_Undo(true);
    SKTGraphic *made = view->createGraphicOfClass(photo ? GraphicKind::Image : GraphicKind::Text, std::nullopt,
                                                  useRect, rect, Card_Side_Of_Index(m_document.currentSide()), v,
                                                  ctrl_id);
    // A field's new text shows what the card's fill gives it (a group row's cell); the
    // caller hands the card what the box then holds.
    if (!photo && made) m_window.Field_Control_Made(*made);
    m_window.Pause_Undo(quiet);
    if (!photo && box) box->setText(Box_Text_Of_Card_Text(made ? made->Text_Value : v, box->text()));
    return 1;
}

void Visitor_Panel_Desk::Change_Value(const QString &value, const QString &ctrl_id, bool show, bool place)
{
    try {
        const QString v = value.isEmpty() ? kTextHere : value;
        SKTGraphicView *view = currentView();
        const std::vector<GraphicPtr> &controls = currentSide().items();
        if (!view || controls.empty()) return;
        SKTGraphic *g = nullptr;
        if (ctrl_id.isEmpty()) {
            g = view->Selected_Graphic();
        } else {
            for (const GraphicPtr &c : controls)
                if (c->control_ID == ctrl_id) {
                    g = c.get();
                    break;
                }
        }
        if (g && (g->kind() == GraphicKind::Text || g->kind() == GraphicKind::Image)) {
            if (show) {
                if (place) g->setBounds(QRectF(Set_Ctrl_Pos_In_Vstr_Mode(ctrl_id, g->bounds()), g->bounds().size()));
                if (g->kind() == GraphicKind::Text) {
                    // In group mode the other texts of its column follow by the card's
                    // own rule (SKTDocument, one cell per column).
                    g->Set_text_value(v);
                } else if (!value.isEmpty())
                    static_cast<SKTImage *>(g)->setFilePath(value, true);
                else if (g->FilePath().isEmpty() || g->_contents.isNull())
                    // No picture named: the image keeps its own, or shows the placeholder.
                    static_cast<SKTImage *>(g)->setFilePath(m_window.No_Image_Path(), true);
                g->Set_Ctrl_Is_Visible(true);
                if (ctrl_id.isEmpty()) {
                    view->selectGraphics({g});
                    view->setSelected_Graphic(g);
                } else {
                    view->Set_Selection_Index_According_ID(ctrl_id);
                }
            } else {
                g->Set_Ctrl_Is_Visible(false);
            }
            m_window.Show_Properties(show ? g : nullptr);
        }
        // The changed control has asked the view for its own redraw; the whole card
        // is not drawn again.
        m_window.Record_Undo();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

QRectF Visitor_Panel_Desk::Sample_Rect(const QString &ctrl_id) const
{
    return Visitor_Sample_Rect(m_document.Front_card_Prop.Card_Size(), ctrl_id);
}

QPointF Visitor_Panel_Desk::Get_Ctrl_Location_From_Design(const QString &ctrl_id)
{
    QCheckBox *chk = Chk_Box(ctrl_id);
    if (!chk || !chk->isChecked()) return QPointF();
    for (const GraphicPtr &g : currentSide().items())
        if (g->control_ID == ctrl_id) {
            m_partnerRect = g->bounds();
            return m_partnerRect.topLeft();
        }
    return QPointF();
}

QPointF Visitor_Panel_Desk::Set_Ctrl_Pos_In_Vstr_Mode(const QString &ctrl_id, const QRectF &ctrl_bound)
{
    // The role and the partner; a later test overrides an earlier one.
    bool caption = false, role = false;
    QString partner;
    const int f = Visitor_Field_Of_ID(ctrl_id, &caption);
    if (Is_Fixed_Field_ID(ctrl_id) && f >= 0) {
        const Visitor_Field &field = Visitor_Fixed_Fields()[f];
        partner = QLatin1String(caption ? field.value_id : field.caption_id);
        role = true;
    }
    if (Is_User_Value_ID(ctrl_id)) {
        caption = false;
        partner = Row_Partner_ID(ctrl_id);
        role = true;
    }
    if (Is_User_Caption_ID(ctrl_id)) {
        caption = true;
        partner = Row_Partner_ID(ctrl_id);
        role = true;
    }
    if (!role) return ctrl_bound.topLeft();
    const QPointF p = Get_Ctrl_Location_From_Design(partner);
    // Without a shown partner the new control keeps the place it was created at.
    if (p.isNull()) return ctrl_bound.topLeft();
    const QPointF beside = caption ? QPointF(p.x() - ctrl_bound.width(), p.y())
                                   : QPointF(p.x() + m_partnerRect.width(), p.y());
    const QRectF card = m_document.cardBounds();
    if (beside.x() >= card.left() && beside.x() < card.right() && beside.y() >= card.top() &&
        beside.y() < card.bottom())
        return beside;
    return caption ? QPointF(p.x(), p.y() - ctrl_bound.height()) : QPointF(p.x(), p.y() + m_partnerRect.height());
}

// ---- What the panels ask of the window ----

SKTGraphicView *Visitor_Panel_Desk::Panel_Card_View(int side) const { return m_window.Card_View(side == 1 ? 1 : 0); }
int Visitor_Panel_Desk::Panel_Current_Side() const { return m_document.currentSide(); }
void Visitor_Panel_Desk::Panel_Show_Properties(SKTGraphic *g) { m_window.Show_Properties(g); }
bool Visitor_Panel_Desk::Panel_Multiple_Image_Selection(const QString &action)
{
    return m_window.Multiple_Image_Selection(action);
}
QStringList Visitor_Panel_Desk::Panel_Image_File_Types() const { return m_window.Image_File_Types(); }
Picture Visitor_Panel_Desk::Panel_Image_For_Path(const QString &path) { return m_window.Image_For_Path(path); }
QString Visitor_Panel_Desk::Panel_Camera_Picture() { return m_window.Camera_Picture(); }
void Visitor_Panel_Desk::Add_Visitor_Record_To_DB()
{
    // The record holds what the card shows, with what was typed a moment ago.
    m_window.Take_Typing();
    m_sync.Follow_Card();
    m_window.Record_Visitor();
}
void Visitor_Panel_Desk::Panel_Record_Undo() { m_window.Record_Undo(); }
bool Visitor_Panel_Desk::Panel_Pause_Undo(bool paused) { return m_window.Pause_Undo(paused); }
void Visitor_Panel_Desk::Panel_Photo_Placed(SKTGraphic *g)
{
    const int side = m_document.currentSide();
    if (g && m_document.sideList(side).contains(g)) m_document.Set_Visitor_Photo(side, g);
}
QString Visitor_Panel_Desk::Panel_No_Image_Path() const { return m_window.No_Image_Path(); }
Picture Visitor_Panel_Desk::Panel_No_Image_Picture() const { return m_window.No_Image_Picture(); }
Picture Visitor_Panel_Desk::Panel_Err_Image() const { return m_window.Err_Image(); }

void Visitor_Panel_Desk::Show_Message_To_Update_Data()
{
    try {
        SKTGraphicView *view = currentView();
        SKTGraphic *g = view ? view->Selected_Graphic() : nullptr;
        if (m_document.Start_Card_Option == Card_Mode::Group && g && g->data_source_type_val() == 2)
            Show_MessageBox(
                QStringLiteral("Please click on 'Save' button to update your changes in your project data."));
    } catch (const std::exception &e) {
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
}

// ---- Card to panels ----

void Visitor_Panel_Desk::Load_Side(int side, Visit_Time time)
{
    SKTGraphicView *view = m_window.Card_View(side == 1 ? 1 : 0);
    m_sync.Load_Side(Profile_Panel_Of_Side(side), view ? view->graphicsList() : nullptr, time);
}

void Visitor_Panel_Desk::Show_Single_Mode_Front_Panel(Visit_Time time)
{
    if (!m_document.isVisitorOrGroupMode()) return;
    Load_Side(0, time);
    Load_Side(1, time);
}

void Visitor_Panel_Desk::Show_Single_Mode_Back_Panel()
{
    if (!m_document.isVisitorOrGroupMode()) return;
    Load_Side(1);
}

void Visitor_Panel_Desk::Reset_All_Panels()
{
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->Reset_all_Ctrl();
}

void Visitor_Panel_Desk::Rebuild_From_Card(Side_Photos photos)
{
    Reset_All_Panels();
    front_list = Build_Dynamic_Control_List(m_document.graphics(), Dynamic_List_Source::Design_File);
    back_list = Build_Dynamic_Control_List(m_document.graphics_back(), Dynamic_List_Source::Design_File);
    Create_Control_For_Visitor_Mode();
    if (photos == Side_Photos::From_Design) m_document.Take_Visitor_Photos_From_Design();
}

void Visitor_Panel_Desk::Control_Selected(SKTGraphic *g)
{
    if (!g) return;
    if (QLineEdit *box = m_sync.Control_Selected(*g)) m_window.Focus(box);
}

void Visitor_Panel_Desk::Control_Deleted(SKTGraphic *g)
{
    if (g) m_sync.Control_Deleted(*g);
}

void Visitor_Panel_Desk::Refresh_After_Undo(const QStringList &textHere) { m_sync.Refresh_After_Undo(textHere); }

Panel_Typing Visitor_Panel_Desk::Typing(int side) const
{
    const Profile_Panel *panel = m_document.isVisitorOrGroupMode() ? Profile_Panel_Of_Side(side) : nullptr;
    return panel ? panel->Typing() : Panel_Typing();
}

void Visitor_Panel_Desk::Show_Control_After_Undo(SKTGraphic *g)
{
    if (g) m_sync.Show_Control_After_Undo(*g);
}

void Visitor_Panel_Desk::Follow_Locks() { m_sync.Follow_Locks(currentSide()); }

// ---- Side lists ----

Dynamic_Ctrl_List &Visitor_Panel_Desk::Current_List() { return m_document.currentSide() == 1 ? back_list : front_list; }

void Visitor_Panel_Desk::Create_Dynamic_Control_List()
{
    Current_List() = Build_Dynamic_Control_List(currentSide(), Dynamic_List_Source::Panel);
}

int Visitor_Panel_Desk::Get_Col_Index_of_Dynamic_Control(const QString &ctrl_id)
{
    return ::Get_Col_Index_of_Dynamic_Control(Current_List(), ctrl_id);
}

void Visitor_Panel_Desk::Update_Value_For_Dynamic_Control(const QString &mode, const QString &ctrl_id)
{
    Profile_Panel *panel = Profile_Panel_Of_Side(m_document.currentSide());
    if (!panel) return;
    ::Update_Value_For_Dynamic_Control(Current_List(), mode, ctrl_id, *panel, currentSide(), m_window.Data_Source());
    if (SKTGraphicView *view = currentView()) view->update();
}

void Visitor_Panel_Desk::Create_Control_For_Visitor_Mode()
{
    if (Front_Profile_Panel_OBJ) Create_Control_For_Visitor_Mode_Side(front_list, *Front_Profile_Panel_OBJ);
    if (Back_Profile_Panel_OBJ) Create_Control_For_Visitor_Mode_Side(back_list, *Back_Profile_Panel_OBJ);
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->txt_or_image_ctrl = 0;
}

// ---- The front's photo control ----

int Visitor_Panel_Desk::Find_And_Select_Design_Image_Control()
{
    SKTGraphicView *view = currentView();
    SKTGraphic *selected = view ? view->Selected_Graphic() : nullptr;
    if (selected && selected->kind() == GraphicKind::Image) return 1;
    for (const GraphicPtr &g : currentSide().items())
        if (g->kind() == GraphicKind::Image) {
            if (view) view->setSelected_Graphic(g.get());
            return 1;
        }
    return 0;
}

void Visitor_Panel_Desk::Check_For_Default_Photo_Control()
{
    try {
        SKTGraphicView *front = m_window.Card_View(0);
        if (!front || front->Selcect_Ctrl_With_ID(Visitor_Photo_ID)) return;
        // Both tests are made on the front, whichever side is shown.
        int found = 0;
        {
            // The side shown comes back on every way out.
            struct Restore {
                int &side;
                int kept;
                ~Restore() { side = kept; }
            } restore{m_document.Card_Front_Or_Back, m_document.Card_Front_Or_Back};
            m_document.Card_Front_Or_Back = 0;
            found = Find_And_Select_Design_Image_Control();
        }
        if (found == 1) return;
        const QRectF rect = Sample_Rect(Visitor_Photo_ID);
        m_window.Set_Tool(kImageTool);
        // The placeholder is the picture: nothing chosen in the library stands in for it.
        Library_Selected_Image.clear();
        front->ReplaceGraphicText(GraphicKind::Image, true, rect, Card_Side::Front, m_window.No_Image_Path(),
                                  Visitor_Photo_ID);
    } catch (const std::exception &) {
    }
}

// ---- Panes ----

void Visitor_Panel_Desk::Panel_Rows_Changed(int side)
{
    Set_Panel_Size(m_panes, side == 1 ? 1 : 0, Profile_Panel_Of_Side(side == 1 ? 1 : 0));
}

void Visitor_Panel_Desk::Change_Side_View(long side)
{
    ::change_Visitor_Side_View(m_panes, side, m_document.Start_Card_Option, Profile_Panel_Of_Side(side == 1 ? 1 : 0));
}

void Visitor_Panel_Desk::Collapse_Left_View() { ::collapseLeftView(m_panes); }
void Visitor_Panel_Desk::Uncollapse_Left_View() { ::uncollapseLeftView(m_panes, m_document.Start_Card_Option); }
void Visitor_Panel_Desk::Hide_Visitor_Panel() { ::Hide_Visitor_panel(m_panes); }
