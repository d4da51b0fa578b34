// The card read back into the visitor entry panels, and the sample layout of new
// profile controls.
#include "Visitor_Panel_Sync.h"

#include "Globals.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "StandInPictures.h"
#include "Visitor_Fields.h"

#include <QCheckBox>
#include <QLabel>
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
} // namespace

QRectF Visitor_Sample_Rect(QSizeF card, const QString &ctrl_id)
{
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

QLineEdit *Visitor_Panel_Sync::Text_Box(const QString &ctrl_id) const
{
    return Text_Box_Of_Side(m_document.Card_Front_Or_Back, ctrl_id);
}

QLineEdit *Visitor_Panel_Sync::Text_Box_Of_Side(int side, const QString &ctrl_id) const
{
    Profile_Panel *panel = Profile_Panel_Of_Side(side);
    if (!panel) return nullptr;
    return Is_Fixed_Field_ID(ctrl_id) ? panel->Text_Box_For_ID(ctrl_id) : panel->Get_Dynamic_Text_Box(ctrl_id);
}

QCheckBox *Visitor_Panel_Sync::Chk_Box(const QString &ctrl_id) const
{
    Profile_Panel *panel = Profile_Panel_Of_Side(m_document.Card_Front_Or_Back);
    if (!panel) return nullptr;
    return Is_Fixed_Field_ID(ctrl_id) ? panel->Chk_Box_For_ID(ctrl_id) : panel->Get_Dynamic_Chk_Box(ctrl_id);
}

// ---- Card to panels ----

void Visitor_Panel_Sync::Load_Side(Profile_Panel *panel, const SKTGraphicList *controls, Visit_Time time) const
{
    if (!panel || !controls) return;
    const int side = controls == &m_document.graphics() ? 0 : controls == &m_document.graphics_back() ? 1 : -1;
    const SKTGraphic *photo = side < 0 ? SKTDocument::Design_Photo(*controls) : m_document.Visitor_Photo(side);
    for (const GraphicPtr &g : controls->items()) {
        const bool text = g->kind() == GraphicKind::Text;
        if (!text && g->kind() != GraphicKind::Image) continue;
        const QString id = g->control_ID.trimmed();
        if ((text && id.isEmpty()) || !g->ctrl_is_visible) continue;
        if (!text) {
            if (g.get() == photo) panel->Set_User_Image_Control(g->FilePath(), g->_contents, g->control_ID);
            continue;
        }
        bool caption = false;
        const int f = Visitor_Field_Of_ID(id, &caption);
        if (f < 0) continue;  // user-added rows are not read here
        QLineEdit *box = caption ? panel->fields[f].label : panel->fields[f].value;
        QCheckBox *chk = caption ? panel->fields[f].label_chk : panel->fields[f].value_chk;
        const bool dateOrTime = !caption && (f == kDateField || f == kTimeField);
        if (!dateOrTime) box->setReadOnly(Shows_Row_Number(*g));
        box->setText(Box_Text_Of_Card_Text(g->Text_Value, box->text()));
        chk->setChecked(true);
        if (dateOrTime) {
            // Unless typed by hand, the card shows the visit's own date and time, not
            // the design's sample; a refresh keeps the one on the card.
            const bool stamp = time == Visit_Time::Stamped &&
                               !(f == kDateField ? panel->date_manual_chk : panel->time_manual_chk)->isChecked();
            if (stamp) f == kDateField ? panel->Set_Date_Value() : panel->Set_Time_Value();
            panel->Chk_Unchk_Manual_Date_Time(f == kDateField ? QStringLiteral("D") : QStringLiteral("T"));
            if (stamp) g->Set_text_value(box->text());
        } else {
            box->setEnabled(true);
        }
    }
}

int Visitor_Panel_Sync::Side_Holding(const SKTGraphic &g) const
{
    return m_document.graphics().contains(&g) ? 0 : m_document.graphics_back().contains(&g) ? 1 : -1;
}

bool Visitor_Panel_Sync::Is_Side_Photo(const SKTGraphic &g) const
{
    return g.Is_Visitor_Photo() && Side_Holding(g) >= 0;
}

bool Visitor_Panel_Sync::Shows_Row_Number(const SKTGraphic &g) const
{
    return m_document.Start_Card_Option == Card_Mode::Group && g.kind() == GraphicKind::Text &&
           g.data_source_type_val() == Data_Source_Spreadsheet && g.excel_col_indx == 0;
}

namespace {
// The picture a photo row's well shows for its control: the control's own picture, or,
// for a stand-in or a control without a picture, what the panel shows for its path.
Picture Row_Picture(const Profile_Panel &panel, const SKTGraphic &g)
{
    const QString path = g.FilePath().trimmed();
    const bool own = !g._contents.isNull() && !Is_Stand_In_Picture(path, Resource_Path);
    return own ? g._contents : panel.Picture_For_Row_Path(path);
}
} // namespace

// ---- Card events ----

QLineEdit *Visitor_Panel_Sync::Control_Selected(SKTGraphic &g) const
{
    if (g.kind() == GraphicKind::Image) {
        // Another picture without an ID (a company logo) never takes the photo's place
        // in the photo box.
        if (g.control_ID.trimmed().isEmpty() && !Is_Side_Photo(g)) return nullptr;
        if (Profile_Panel *panel = Profile_Panel_Of_Side(m_document.Card_Front_Or_Back))
            panel->Set_User_Image_Control(g.FilePath(), g._contents, g.control_ID);
        return nullptr;
    }
    if (!m_document.isVisitorOrGroupMode() || g.control_ID.isEmpty() || g.control_ID.contains(QLatin1String("_Photo")))
        return nullptr;
    QLineEdit *box = Text_Box(g.control_ID);
    if (!box) return nullptr;
    QCheckBox *chk = Chk_Box(g.control_ID);
    const bool unlocked = !g.Is_Control_Locked();
    if (chk) chk->setEnabled(unlocked);
    box->setEnabled(unlocked);
    return unlocked ? box : nullptr;
}

void Visitor_Panel_Sync::Control_Deleted(const SKTGraphic &g) const
{
    if (QCheckBox *chk = Chk_Box(g.control_ID)) chk->setChecked(false);
    if (QLineEdit *box = Text_Box(g.control_ID)) {
        box->setEnabled(false);
        box->setReadOnly(true);
    }
    // Only the side's photo empties the photo box: another picture (a company logo)
    // goes without touching it, and does not become the photo after it.
    if (!Is_Side_Photo(g)) return;
    if (Profile_Panel *panel = Profile_Panel_Of_Side(Side_Holding(g)))
        panel->Set_User_Image_Control(QString(), Picture(), QString());
}

// ---- Undo, redo and locks ----

void Visitor_Panel_Sync::Refresh_After_Undo(const QStringList &textHere) const
{
    if (!m_document.isVisitorOrGroupMode()) return;
    if (Profile_Panel *panel = Profile_Panel_Of_Side(m_document.Card_Front_Or_Back)) {
        // Read before the boxes are emptied: the Manual ticks are the clerk's now, the
        // words "Text here" as typed are the restored state's.
        Panel_Typing typing = panel->Typing();
        typing.textHere = textHere;
        panel->Refresh_Controls();
        panel->Set_User_Image_Control(QString(), Picture(), QString());
        panel->Refresh_Rows_For_Undo();
        panel->Give_Back_Typing(typing);
    }
}

void Visitor_Panel_Sync::Show_Control_After_Undo(const SKTGraphic &g) const
{
    if (!m_document.isVisitorOrGroupMode()) return;
    if (g.kind() != GraphicKind::Text && g.kind() != GraphicKind::Image) return;
    QString text = g.Text_Value;
    if (g.kind() == GraphicKind::Image) {
        // A photo row's box names what Follow_Control names: the control's file path.
        text = g.FilePath().trimmed();
        Profile_Panel *panel = Profile_Panel_Of_Side(m_document.Card_Front_Or_Back);
        if (panel && !g.control_ID.isEmpty() && !Is_Visitor_Photo_ID(g.control_ID)) {
            // A row's photo well shows the control's picture again, in "V" as in "G".
            if (QLabel *well = panel->Get_Dynamic_Photo_Ctrl(g.control_ID))
                panel->Set_Dynamic_Pic_Ctrl_Image(well, Row_Picture(*panel, g));
        }
        // The photo box shows the side's photo, whatever its ID, never another picture
        // (a company logo).
        if (panel && Is_Side_Photo(g)) panel->Set_User_Image_Control(g.FilePath(), g._contents, g.control_ID);
    }
    QCheckBox *chk = Chk_Box(g.control_ID);
    if (chk) chk->setChecked(g.ctrl_is_visible);
    if (QLineEdit *box = Text_Box(g.control_ID)) {
        // A text's box shows what the follower shows of it: the placeholder is an empty box.
        box->setText(g.kind() == GraphicKind::Text ? Box_Text_Of_Card_Text(text, box->text()) : text);
        const bool on = chk && chk->isChecked();
        box->setEnabled(on);
        box->setReadOnly(!on || g.control_ID.contains(QLatin1String("_Photo")) || Shows_Row_Number(g));
        // The date and time are typed only with their Manual box ticked.
        bool caption = false;
        const int f = Visitor_Field_Of_ID(g.control_ID, &caption);
        Profile_Panel *panel = Profile_Panel_Of_Side(m_document.Card_Front_Or_Back);
        if (panel && !caption && (f == kDateField || f == kTimeField)) panel->Date_Time_Box_Follows(f == kDateField);
    }
}

// ---- The panels follow the card ----

void Visitor_Panel_Sync::Follow_Control(const SKTGraphic &g) const
{
    if (!m_document.isVisitorOrGroupMode()) return;
    if (g.kind() != GraphicKind::Text && g.kind() != GraphicKind::Image) return;
    const int side = Side_Holding(g);
    Profile_Panel *panel = side < 0 ? nullptr : Profile_Panel_Of_Side(side);
    if (!panel) return;
    const QString id = g.control_ID.trimmed();
    if (g.kind() == GraphicKind::Image)
        Follow_Picture(*panel, g, id);
    else if (!id.isEmpty())
        Follow_Text(*panel, g, id);
}

void Visitor_Panel_Sync::Follow_Card() const
{
    for (const SKTGraphicList *side : {&m_document.graphics(), &m_document.graphics_back()})
        for (const GraphicPtr &g : side->items()) Follow_Control(*g);
    for (int side : {0, 1}) Photo_Box_Follows(side);
}

void Visitor_Panel_Sync::Photo_Box_Follows(int side) const
{
    if (!m_document.isVisitorOrGroupMode()) return;
    Profile_Panel *panel = Profile_Panel_Of_Side(side);
    if (!panel) return;
    if (const SKTGraphic *photo = m_document.Visitor_Photo(side))
        Follow_Picture(*panel, *photo, QString());
    else if (!panel->image_path_val->text().isEmpty())
        panel->Set_User_Image_Control(QString(), Picture(), QString());
}

void Visitor_Panel_Sync::Follow_Text(Profile_Panel &panel, const SKTGraphic &g, const QString &id) const
{
    const bool fixed = Is_Fixed_Field_ID(id);
    QLineEdit *box = fixed ? panel.Text_Box_For_ID(id) : panel.Get_Dynamic_Text_Box(id);
    QCheckBox *chk = fixed ? panel.Chk_Box_For_ID(id) : panel.Get_Dynamic_Chk_Box(id);
    if (!box) return;
    const bool shown = g.ctrl_is_visible;
    bool caption = false;
    const int f = fixed ? Visitor_Field_Of_ID(id, &caption) : -1;
    const bool date = !caption && f == kDateField, time = !caption && f == kTimeField;
    if (chk && chk->isChecked() != shown) {
        chk->setChecked(shown);
        if (date || time)
            panel.Date_Time_Box_Follows(date);
        else
            box->setEnabled(shown && !g.Is_Control_Locked());
    }
    if (!date && !time) {
        // Typed into, the row's number would be stored nowhere.
        const bool readOnly = !shown || Shows_Row_Number(g);
        if (box->isReadOnly() != readOnly) box->setReadOnly(readOnly);
    }
    // A hidden control's text is not on the card: the box keeps what was typed. In
    // group mode a control bound to a column holds the person's cell, shown or not.
    const bool cell =
        m_document.Start_Card_Option == Card_Mode::Group && g.data_source_type_val() == Data_Source_Spreadsheet;
    if (!shown && !cell) return;
    // An emptied box shows "Text here" on the card, and a person's empty cell is that
    // value too: the box is empty for both.
    const QString text = Box_Text_Of_Card_Text(g.Text_Value, box->text());
    if (box->text() == text) return;
    // setText, not an edit: the box's textEdited does not fire.
    box->setText(text);
}

void Visitor_Panel_Sync::Follow_Picture(Profile_Panel &panel, const SKTGraphic &g, const QString &id) const
{
    const QString path = g.FilePath().trimmed();
    if (!id.isEmpty() && !Is_Visitor_Photo_ID(id)) {
        // A photo row: its box names the picture, its well shows it.
        QLineEdit *box = panel.Get_Dynamic_Text_Box(id);
        if (box && box->text() != path) {
            box->setText(path);
            if (QLabel *well = panel.Get_Dynamic_Photo_Ctrl(id))
                panel.Set_Dynamic_Pic_Ctrl_Image(well, Row_Picture(panel, g));
        }
    }
    // The side's photo, whatever its ID.
    if (!Is_Side_Photo(g)) return;
    // The stand-in of a photo without a picture is nobody's photo: the box stays empty.
    const bool standIn = Is_Stand_In_Picture(path, Resource_Path);
    const QString shown = standIn ? QString() : path;
    if (panel.image_path_val->text() == shown) return;
    // No ID: the photo box only, no control of the card selected.
    panel.Set_User_Image_Control(shown, standIn ? Picture() : g._contents, QString());
}

void Visitor_Panel_Sync::Follow_Locks(const SKTGraphicList &controls) const
{
    if (Not_Draw_Only_Prop_Change || !m_document.isVisitorOrGroupMode()) return;
    Profile_Panel *panel = Profile_Panel_Of_Side(m_document.Card_Front_Or_Back);
    if (!panel) return;
    try {
        for (const GraphicPtr &g : controls.items()) {
            if (g->kind() != GraphicKind::Text && g->kind() != GraphicKind::Image) continue;
            const bool locked = g->Is_Control_Locked();
            QCheckBox *chk = Chk_Box(g->control_ID);
            QLineEdit *box = Text_Box(g->control_ID);
            if (g->control_ID == QLatin1String("Fup_Date")) panel->date_manual_chk->setEnabled(!locked);
            if (g->control_ID == QLatin1String("Fup_Time")) panel->time_manual_chk->setEnabled(!locked);
            if (chk) chk->setEnabled(!locked);
            if (box) box->setEnabled(!locked && !(chk && !chk->isChecked() && !g->ctrl_is_visible));
        }
    } catch (const std::exception &e) {
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
}
