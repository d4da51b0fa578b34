// The card read back into the visitor entry panels: after a design or template was
// read, after undo and redo, on lock changes, and when a control is selected or
// deleted on the card. Also the sample layout that places new profile controls.
#include "SKTWindowController.h"

#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Visitor_Fields.h"

#include <QCheckBox>
#include <QLineEdit>
#include <exception>

namespace {
// The sample layout of the profile controls, one frame per field for each card
// orientation, y growing upwards inside a sample box of the given height: the ten
// fields in a column beside the photo (on the right of a landscape card, above the
// fields of a portrait one).
struct Sample_Layout {
    double boxHeight;
    QRectF photo;
    double fieldX, fieldWidth, firstTop, step;  // card coordinates of the value column
    QRectF frame(int field) const
    {
        const double top = firstTop + field * step;  // y on the card, downwards
        return QRectF(fieldX, boxHeight - 20 - top, fieldWidth, 20);
    }
};
const Sample_Layout kHorizontalSample{153, QRectF(167, 153 - 20 - 12, 64, 80), 8, 150, 20, 12};
const Sample_Layout kVerticalSample{243, QRectF(44, 243 - 20 - 12, 64, 80), 10, 133, 106, 13};

SKTGraphicView *viewOfSide(const SKTWindowController &c, int side) { return c.graphicView(side == 1 ? 1 : 0); }
} // namespace

QRectF SKTWindowController::Get_Control_Rect_From_Template(const QString &ctrl_id, const QString &) const
{
    const QSizeF card = document.Front_card_Prop.Card_Size();
    const Sample_Layout &layout = card.width() >= card.height() ? kHorizontalSample : kVerticalSample;
    QRectF r;
    bool caption = false;
    const int f = Visitor_Field_Of_ID(ctrl_id, &caption);
    if (ctrl_id == Visitor_Photo_ID)
        r = layout.photo;
    else if (f >= 0 && f < kDateField)
        r = layout.frame(f).translated(0, caption ? 10 : 0);
    // Flip into the card view's coordinates, y growing downwards.
    r.moveTop(layout.boxHeight - r.y() - 20);
    return r;
}

// ---- Card to panels ----

static void loadSide(SKTWindowController &c, int side)
{
    Profile_Panel *panel = Profile_Panel_Of_Side(side);
    SKTGraphicView *view = viewOfSide(c, side);
    if (!panel || !view || !view->graphicsList()) return;
    for (const GraphicPtr &g : view->graphicsList()->items()) {
        const bool text = g->kind() == GraphicKind::Text;
        if (!text && g->kind() != GraphicKind::Image) continue;
        const QString id = g->control_ID.trimmed();
        if ((text && id.isEmpty()) || !g->ctrl_is_visible) continue;
        if (!text) {
            if (id == Visitor_Photo_ID || id.isEmpty())
                panel->Set_User_Image_Control(g->FilePath(), g->_contents, g->control_ID);
            continue;
        }
        bool caption = false;
        const int f = Visitor_Field_Of_ID(id, &caption);
        if (f < 0) continue;  // user-added rows are not read here
        QLineEdit *box = caption ? panel->fields[f].label : panel->fields[f].value;
        QCheckBox *chk = caption ? panel->fields[f].label_chk : panel->fields[f].value_chk;
        const bool dateOrTime = !caption && (f == kDateField || f == kTimeField);
        if (!dateOrTime) box->setReadOnly(false);
        box->setText(g->Text_Value);
        chk->setChecked(true);
        if (dateOrTime)
            panel->Chk_Unchk_Manual_Date_Time(f == kDateField ? QStringLiteral("D") : QStringLiteral("T"));
        else
            box->setEnabled(true);
    }
}

void SKTWindowController::Load_Fup_Fields() { loadSide(*this, 0); }
void SKTWindowController::Load_Fup_Fields_BackSide() { loadSide(*this, 1); }

void SKTWindowController::Show_Single_Mode_Front_Panel()
{
    if (!Is_Visitor_Or_Group_Mode()) return;
    Load_Fup_Fields();
    Load_Fup_Fields_BackSide();
}

void SKTWindowController::Show_Single_Mode_Back_Panel()
{
    if (!Is_Visitor_Or_Group_Mode()) return;
    Load_Fup_Fields_BackSide();
}

void SKTWindowController::Reset_All_Visitor_Grp_Mode_Ctrl()
{
    for (Profile_Panel *p : {Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ})
        if (p) p->Reset_all_Ctrl();
}

void SKTWindowController::Load_Visitor_Panels_From_Card()
{
    if (!Is_Visitor_Or_Group_Mode()) return;
    if (document.Start_Card_Option == QLatin1String("V")) Title_For_Visitor();
    Reset_All_Visitor_Grp_Mode_Ctrl();
    Show_Single_Mode_Front_Panel();
    Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK();
}

// ---- Card events ----

void SKTWindowController::Visitor_Panel_Control_Selected(SKTGraphic *g)
{
    if (!g) return;
    if (g->kind() == GraphicKind::Image) {
        if (Profile_Panel *panel = Profile_Panel_Of_Side(document.Card_Front_Or_Back))
            panel->Set_User_Image_Control(g->FilePath(), g->_contents, g->control_ID);
        return;
    }
    QLineEdit *box = Get_text_box_of_visitor_mode(g->control_ID);
    if (box && box->isEnabled()) SetFocus(box);
}

void SKTWindowController::Visitor_Panel_Control_Deleted(SKTGraphic *g)
{
    if (!g) return;
    if (QCheckBox *chk = Get_chk_box_of_visitor_mode(g->control_ID)) chk->setChecked(false);
    if (QLineEdit *box = Get_text_box_of_visitor_mode(g->control_ID)) {
        box->setEnabled(false);
        box->setReadOnly(true);
    }
    if (g->kind() == GraphicKind::Image && (g->control_ID == Visitor_Photo_ID || g->control_ID.isEmpty()))
        if (Profile_Panel *panel = Profile_Panel_Of_Side(document.Card_Front_Or_Back))
            panel->Set_User_Image_Control(QString(), Picture(), QString());
}

// ---- Undo, redo and locks ----

void SKTWindowController::Refresh_Visitor_Dyn_Ctrl_and_image()
{
    if (!Is_Visitor_Or_Group_Mode()) return;
    if (Profile_Panel *panel = Profile_Panel_Of_Side(document.Card_Front_Or_Back)) {
        panel->Refresh_Controls();
        panel->Set_User_Image_Control(QString(), Picture(), QString());
    }
}

void SKTWindowController::Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic *g)
{
    if (!g || !Is_Visitor_Or_Group_Mode()) return;
    if (g->kind() != GraphicKind::Text && g->kind() != GraphicKind::Image) return;
    QString text = g->Text_Value;
    if (g->kind() == GraphicKind::Image) {
        text = g->FilePath();
        if (Profile_Panel *panel = Profile_Panel_Of_Side(document.Card_Front_Or_Back))
            panel->Set_User_Image_Control(text, g->_contents, g->control_ID);
    }
    QCheckBox *chk = Get_chk_box_of_visitor_mode(g->control_ID);
    if (chk) chk->setChecked(g->ctrl_is_visible);
    if (QLineEdit *box = Get_text_box_of_visitor_mode(g->control_ID)) {
        box->setText(text);
        const bool on = chk && chk->isChecked();
        box->setEnabled(on);
        box->setReadOnly(!on);
    }
}

void SKTWindowController::Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK()
{
    if (Not_Draw_Only_Prop_Change || !Is_Visitor_Or_Group_Mode()) return;
    Profile_Panel *panel = Profile_Panel_Of_Side(document.Card_Front_Or_Back);
    if (!panel) return;
    try {
        for (const GraphicPtr &g : currentSideControls().items()) {
            if (g->kind() != GraphicKind::Text && g->kind() != GraphicKind::Image) continue;
            const bool locked = g->Is_Control_Locked();
            QCheckBox *chk = Get_chk_box_of_visitor_mode(g->control_ID);
            QLineEdit *box = Get_text_box_of_visitor_mode(g->control_ID);
            if (g->control_ID == QLatin1String("Fup_Date")) panel->date_manual_chk->setEnabled(!locked);
            if (g->control_ID == QLatin1String("Fup_Time")) panel->time_manual_chk->setEnabled(!locked);
            if (chk) chk->setEnabled(!locked);
            if (box) box->setEnabled(!locked && !(chk && !chk->isChecked() && !g->ctrl_is_visible));
        }
    } catch (const std::exception &e) {
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
}
