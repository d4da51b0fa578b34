// The visitor entry panels and the card: the bridge that carries a panel box into the
// card control with the box's ID (on the current side), and the reading of the card's
// profile controls back into the panels.
#include "SKTWindowController.h"

#include "ControlPanels.h"
#include "Globals.h"
#include "Log.h"
#include "MainWindowLayout.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "Visitor_Fields.h"
#include "Visitor_Record_Desk.h"
#include "Direct_Mail.h"
#include "Mail_Desk.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace {
const QString kTextHere = QStringLiteral("Text here");

Card_Side sideLetter(const SKTDocument &d) { return Card_Side_Of_Index(d.currentSide()); }
} // namespace

Visitor_Record_Desk &SKTWindowController::visitorRecord()
{
    if (!m_visitorRecord)
        m_visitorRecord = std::make_unique<Visitor_Record_Desk>(document, pictureAdjuster, ui.window, [this](const QString &path) {
            // The mailed file stays until its last message has gone.
            Direct_Mail &mail = mailDesk().Direct_Mail_Window();
            mail.Open_Wnd(path);
            mail.Wait_Until_Done();
        });
    return *m_visitorRecord;
}

void SKTWindowController::Add_Visitor_Record_To_DB()
{
    visitorRecord().Add_Visitor_Record_To_DB(Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ, NO_Image_Path);
}

void SKTWindowController::Build_Visitor_Panels()
{
    for (int side = 0; side < 2; ++side) {
        QWidget *holder = side == 0 ? ui.front_vistr_view : ui.back_vistr_view;
        if (!holder) continue;
        auto *layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *panel = new Profile_Panel(side, this, holder);
        layout->addWidget(panel);
        // The panel area is never narrower than the panel with its captions whole.
        if (ui.Visitor_Panel_Area && ui.scrollView)
            ui.Visitor_Panel_Area->setMinimumWidth(
                std::max(ui.Visitor_Panel_Area->minimumWidth(),
                         panel->minimumSizeHint().width() +
                             ui.scrollView->verticalScrollBar()->sizeHint().width()));
    }
}

// ---- Panel to card ----

char SKTWindowController::new_control_add(const QString &value, const QString &ctrl_id, QLineEdit *box)
{
    Library_Selected_Image.clear();
    // An empty ID names no field: the panels then act on the selected control.
    if (ctrl_id.isEmpty()) return 0;
    const QString v = value.isEmpty() ? kTextHere : value;
    for (const GraphicPtr &g : currentSideControls().items())
        if (g->control_ID == ctrl_id) return 0;
    SKTGraphicView *view = currentGraphicView();
    if (!view) return 0;
    const bool photo = Is_Visitor_Photo_ID(ctrl_id) || Is_User_Photo_ID(ctrl_id);
    if (photo) m_selectedTool = 8;
    // A profile field starts at its place of the sample layout; others at the side's
    // next free point.
    const QRectF rect = Get_Control_Rect_From_Template(ctrl_id, v);
    const bool useRect = rect.width() > 0 && rect.height() > 0;
    // The bridge's Change_Value that follows records the step: one tick, one undo.
    const bool quiet = live_mode_list_value_change;
    live_mode_list_value_change = true;
    view->createGraphicOfClass(photo ? GraphicKind::Image : GraphicKind::Text, std::nullopt, useRect, rect,
                               sideLetter(document), v, ctrl_id);
    live_mode_list_value_change = quiet;
    if (!photo && box) box->setText(v);
    return 1;
}

void SKTWindowController::Change_Value(const QString &value, const QString &ctrl_id, bool show, bool place)
{
    try {
        const QString v = value.isEmpty() ? kTextHere : value;
        SKTGraphicView *view = currentGraphicView();
        const std::vector<GraphicPtr> &controls = currentSideControls().items();
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
                if (place) {
                    const QPointF at = Set_Ctrl_Pos_In_Vstr_Mode(ctrl_id, g->bounds());
                    g->setBounds(QRectF(at, g->bounds().size()));
                }
                if (g->kind() == GraphicKind::Text)
                    g->Set_text_value(v);
                else if (!value.isEmpty())
                    static_cast<SKTImage *>(g)->setFilePath(value, true);
                else if (g->FilePath().isEmpty() || g->_contents.isNull())
                    // No picture named: the image keeps its own, or shows the placeholder.
                    static_cast<SKTImage *>(g)->setFilePath(NO_Image_Path, true);
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
            Show_RHS_Properties(show ? g : nullptr);
        }
        // The changed control has asked the view for its own redraw; the whole card
        // is not drawn again.
        Insert_In_Undo_Redo();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

QLineEdit *SKTWindowController::Get_text_box_of_visitor_mode(const QString &ctrl_id) const
{
    return m_panelSync.Text_Box(ctrl_id);
}

QCheckBox *SKTWindowController::Get_chk_box_of_visitor_mode(const QString &ctrl_id) const
{
    return m_panelSync.Chk_Box(ctrl_id);
}

QPointF SKTWindowController::Get_Ctrl_Location_From_Design(const QString &ctrl_id)
{
    QCheckBox *chk = Get_chk_box_of_visitor_mode(ctrl_id);
    if (!chk || !chk->isChecked()) return QPointF();
    for (const GraphicPtr &g : currentSideControls().items())
        if (g->control_ID == ctrl_id) {
            rf_control_rect = g->bounds();
            return rf_control_rect.topLeft();
        }
    return QPointF();
}

QPointF SKTWindowController::Set_Ctrl_Pos_In_Vstr_Mode(const QString &ctrl_id, const QRectF &ctrl_bound)
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
                                   : QPointF(p.x() + rf_control_rect.width(), p.y());
    const QRectF card = frontCardBounds();
    if (beside.x() >= card.left() && beside.x() < card.right() && beside.y() >= card.top() &&
        beside.y() < card.bottom())
        return beside;
    return caption ? QPointF(p.x(), p.y() - ctrl_bound.height()) : QPointF(p.x(), p.y() + rf_control_rect.height());
}

bool SKTWindowController::Panel_Multiple_Image_Selection(const QString &action)
{
    return controlPanels && controlPanels->Check_Multiple_Image_Selection(action, true);
}

void SKTWindowController::Show_Message_To_Update_Data()
{
    try {
        SKTGraphic *g = Get_Selected_Graphic();
        if (document.Start_Card_Option == Card_Mode::Group && g && g->data_source_type_val() == 2)
            Show_MessageBox(
                QStringLiteral("Please click on 'Save Details' button to update your changes in your project data."));
    } catch (const std::exception &e) {
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
}
