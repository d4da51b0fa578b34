// The user-added rows of a visitor entry panel: a caption box and a value box (each
// with its check box) bound to "F_label%d" and "F_field%d", or a photo well and a path
// box bound to "F_Photo%d". Captions and photos stand in the custom caption box, values
// in the custom value box; both grow by one row height per row and the buttons below
// them move down.
#include "Profile_Panel.h"

#include "Globals.h"
#include "Helpers.h"
#include "Log.h"
#include "ProfilePanelHost.h"
#include "SKTGraphicView.h"
#include "StandInPictures.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
constexpr double kRowStep = 25;
constexpr double kEmptyBoxHeight = 20;
constexpr int kButtonHeight = 24;

bool isTextBox(const QWidget *w) { return qobject_cast<const QLineEdit *>(w) != nullptr; }
bool isChkBox(const QWidget *w) { return qobject_cast<const QCheckBox *>(w) != nullptr; }
bool isWell(const QWidget *w) { return qobject_cast<const QLabel *>(w) != nullptr; }
} // namespace

// ---- Geometry: y-up frames turned into widget geometry ----

QRectF Profile_Panel::Frame_Of(const QWidget *w) const { return m_frames.value(w); }

// A frame is y-up: inside a custom box from the box's bottom edge; inside the row area
// from the bottom edge of the fixed fields' boxes, which is the area's top (so the
// boxes and buttons below it have negative y).
void Profile_Panel::Set_Frame(QWidget *w, const QRectF &f)
{
    m_frames.insert(w, f);
    QWidget *parent = w->parentWidget();
    const double height = parent == custom_area ? 0 : Frame_Of(parent).height();
    w->setGeometry(QRectF(f.x(), height - f.y() - f.height(), f.width(), f.height()).toRect());
    if (parent != custom_area) return;
    if (auto *frame = qobject_cast<QFrame *>(w)) Place_Children(frame);
    Resize_Row_Area();
}

void Profile_Panel::Place_Children(QWidget *box)
{
    for (QWidget *child : box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (m_frames.contains(child)) Set_Frame(child, Frame_Of(child));
}

void Profile_Panel::Resize_Row_Area()
{
    double depth = 0;
    for (QWidget *w : custom_area->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (m_frames.contains(w) && !w->isHidden()) depth = std::max(depth, -Frame_Of(w).y());
    custom_area->setFixedHeight(int(depth) + 5);
}

void Profile_Panel::Reread_Default_Boxes()
{
    // The fixed fields stand above the row area: their boxes end at its top edge.
    def_lbl_bx_rect = QRectF(0, 0, 145, 0);
    def_fld_bx_rect = QRectF(150, 0, 200, 0);
}

void Profile_Panel::Grow_Box(QFrame *box, const QRectF &def)
{
    const QRectF f = Frame_Of(box);
    Set_Frame(box, QRectF(f.x(), def.y() - f.height() - kRowStep, f.width(), f.height() + kRowStep));
}

void Profile_Panel::buildRowArea()
{
    custom_area = new QWidget(this);
    custom_area->setObjectName(QStringLiteral("custom_area"));
    custom_area->setMinimumWidth(350);
    Reread_Default_Boxes();
    for (QFrame **box : {&custom_label_box, &custom_field_box}) {
        *box = new QFrame(custom_area);
        (*box)->setFrameShape(QFrame::NoFrame);
    }
    custom_label_box->setObjectName(QStringLiteral("custom_label_box"));
    custom_field_box->setObjectName(QStringLiteral("custom_field_box"));
    Set_Frame(custom_label_box, QRectF(def_lbl_bx_rect.x(), def_lbl_bx_rect.y() - kEmptyBoxHeight,
                                       def_lbl_bx_rect.width(), kEmptyBoxHeight));
    Set_Frame(custom_field_box, QRectF(def_fld_bx_rect.x(), def_fld_bx_rect.y() - kEmptyBoxHeight,
                                       def_fld_bx_rect.width(), kEmptyBoxHeight));
    custom_label_box->hide();
    custom_field_box->hide();

    Add_label_btn = new QPushButton(tr("Add New Field"), custom_area);
    Add_label_btn->setObjectName(QStringLiteral("Add_label_btn"));
    connect(Add_label_btn, &QPushButton::clicked, this, &Profile_Panel::Add_New_Label_Clicked);
    Add_to_DB_btn = new QPushButton(tr("Add to Database"), custom_area);
    Add_to_DB_btn->setObjectName(QStringLiteral("Add_to_DB_btn"));
    connect(Add_to_DB_btn, &QPushButton::clicked, this, [this] {
        if (m_host) m_host->Add_Visitor_Record_To_DB();
    });
    new_ctrl_type_box = new QGroupBox(custom_area);
    new_ctrl_type_box->setObjectName(QStringLiteral("new_ctrl_type_box"));
    new_ctrl_type_box->setFlat(true);
    auto *kinds = new QHBoxLayout(new_ctrl_type_box);
    kinds->setContentsMargins(2, 0, 2, 0);
    text_kind_btn = new QRadioButton(tr("Text"), new_ctrl_type_box);
    photo_kind_btn = new QRadioButton(tr("Photo"), new_ctrl_type_box);
    text_kind_btn->setChecked(true);
    kinds->addWidget(text_kind_btn);
    kinds->addWidget(photo_kind_btn);
    connect(text_kind_btn, &QRadioButton::clicked, this, [this] { txt_or_image_ctrl = 0; });
    connect(photo_kind_btn, &QRadioButton::clicked, this, [this] { txt_or_image_ctrl = 1; });
    new_ctrl_type_box->hide();
    m_frames.insert(Add_label_btn, QRectF(5, 0, 135, kButtonHeight));
    m_frames.insert(Add_to_DB_btn, QRectF(155, 0, 190, kButtonHeight));
    m_frames.insert(new_ctrl_type_box, QRectF(155, 0, 190, kButtonHeight));
    Change_btn_location();
}

void Profile_Panel::Change_btn_location()
{
    const double g = view_array_label.empty() ? 15 : -5;
    const QRectF lbl = Frame_Of(custom_label_box), fld = Frame_Of(custom_field_box);
    auto below = [this](QWidget *w, double y) {
        const QRectF f = Frame_Of(w);
        Set_Frame(w, QRectF(f.x(), y, f.width(), f.height()));
    };
    below(Add_label_btn, lbl.y() - Frame_Of(Add_label_btn).height() + g);
    below(Add_to_DB_btn, fld.y() - Frame_Of(Add_to_DB_btn).height() + g);
    below(new_ctrl_type_box, fld.y() - Frame_Of(new_ctrl_type_box).height() - 5 + g);
}

// ---- Rows ----

QCheckBox *Profile_Panel::makeRowChk(QWidget *box, double y, bool visible)
{
    auto *chk = new QCheckBox(box);
    chk->setChecked(visible);
    Set_Frame(chk, QRectF(box == custom_label_box ? -2 : 165, y, 28, 20));
    connect(chk, &QCheckBox::clicked, this, [this, chk] { Visitor_Dyn_Ctrl_Checked_Changed(chk); });
    chk->show();
    return chk;
}

QLineEdit *Profile_Panel::makeRowBox(QWidget *box, const QRectF &frame, const QString &text)
{
    auto *edit = new QLineEdit(text, box);
    Set_Frame(edit, frame);
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { Row_Text_Edited(edit); });
    edit->setCursorPosition(0);
    edit->show();
    return edit;
}

bool Profile_Panel::Row_ID_In_Use(const QString &id) const
{
    for (const auto *rows : {&view_array_label, &view_array_value})
        for (const Row_Entry &r : *rows)
            if (r.id == id) return true;
    if (!m_host) return false;
    for (int side : {m_side, m_host->Panel_Current_Side()})
        if (SKTGraphicView *view = m_host->Panel_Card_View(side))
            for (const auto &g : view->graphics())
                if (g->control_ID == id) return true;
    return false;
}

int Profile_Panel::Free_Row_Number() const
{
    for (int n = std::max(counter, 1);; ++n) {
        const QString number = QString::number(n);
        if (!Row_ID_In_Use(QStringLiteral("F_label") + number) && !Row_ID_In_Use(QStringLiteral("F_field") + number) &&
            !Row_ID_In_Use(QStringLiteral("F_Photo") + number))
            return n;
    }
}

void Profile_Panel::Add_New_Label_Clicked()
{
    counter = Free_Row_Number();
    if (txt_or_image_ctrl != 0)
        Add_Image_control(QString(), QString(), true);
    else
        Add_label_control(QString(), QString(), true);
    Add_Value_control(QString(), QString(), true);
    Increment_in_position();
    if (m_host) m_host->Create_Dynamic_Control_List();
}

void Profile_Panel::Keep_Row(bool caption, const Row_Entry &row, const std::optional<QString> &newText, QLineEdit *editor)
{
    (caption ? view_array_label : view_array_value).push_back(row);
    if (newText && m_host) {
        const char created = m_host->new_control_add(*newText, row.id, editor);
        m_host->Change_Value(*newText, row.id, true, created == 1);
    }
    if (caption)
        Grow_Box(custom_label_box, def_lbl_bx_rect);
    else
        Grow_Box(custom_field_box, def_fld_bx_rect);
}

void Profile_Panel::Add_label_control(const QString &ctrl_id, const QString &text, bool visible)
{
    Reread_Default_Boxes();
    const bool fresh = ctrl_id.isEmpty();
    const QString id = fresh ? QStringLiteral("F_label%1").arg(counter) : ctrl_id;
    const QString boxText = fresh ? id : text;
    const int y = int(ctrl_y);
    QLineEdit *box = makeRowBox(custom_label_box, QRectF(24, y, 115, 20), boxText);
    box->setEnabled(visible);
    QCheckBox *chk = makeRowChk(custom_label_box, y, visible);
    Keep_Row(true, {id, box, chk}, fresh ? std::optional(boxText) : std::nullopt, box);
}

void Profile_Panel::Add_Image_control(const QString &ctrl_id, const QString &path, bool visible)
{
    Reread_Default_Boxes();
    const bool fresh = ctrl_id.isEmpty();
    const QString id = fresh ? QStringLiteral("F_Photo%1").arg(counter) : ctrl_id;
    const QString p = fresh && m_host ? m_host->Panel_No_Image_Path() : path;
    const Picture picture = fresh && m_host ? m_host->Panel_No_Image_Picture() : Picture_For_Row_Path(p);
    const int y = int(ctrl_y);
    auto *well = new QLabel(custom_label_box);
    well->setFrameShape(QFrame::Box);
    well->setAlignment(Qt::AlignCenter);
    Set_Frame(well, QRectF(5, y - 3, 40, 25));
    Set_Dynamic_Pic_Ctrl_Image(well, picture);
    well->show();
    QCheckBox *chk = makeRowChk(custom_label_box, y, visible);
    chk->hide();
    auto *idText = new QLineEdit(id, custom_label_box);
    idText->setReadOnly(true);
    idText->setFrame(false);
    Set_Frame(idText, QRectF(60, y, 80, 20));
    idText->show();
    Keep_Row(true, {id, well, chk}, fresh ? std::optional(p) : std::nullopt, nullptr);
}

void Profile_Panel::Add_Value_control(const QString &ctrl_id, const QString &text, bool visible)
{
    Reread_Default_Boxes();
    const bool fresh = ctrl_id.isEmpty();
    const bool photo = txt_or_image_ctrl == 1;
    QString id = ctrl_id, boxText = text;
    if (fresh) {
        id = (photo ? QStringLiteral("F_Photo%1") : QStringLiteral("F_field%1")).arg(counter);
        boxText = photo ? (m_host ? m_host->Panel_No_Image_Path() : QString()) : id;
    }
    const int y = int(ctrl_y);
    QLineEdit *box = makeRowBox(custom_field_box, QRectF(7, y, 160, 20), boxText);
    box->setEnabled(visible);
    if (photo) box->setReadOnly(true);
    QCheckBox *chk = makeRowChk(custom_field_box, y, visible);
    Keep_Row(false, {id, box, chk}, fresh ? std::optional(boxText) : std::nullopt, photo ? nullptr : box);
}

void Profile_Panel::Increment_in_position()
{
    ctrl_y += kRowStep;
    counter += 1;
    custom_label_box->show();
    custom_field_box->show();
    Change_btn_location();
    if (m_host) m_host->Panel_Rows_Changed(m_side);
}

void Profile_Panel::Row_Text_Edited(QLineEdit *box)
{
    if (!m_host) return;
    for (const auto *rows : {&view_array_label, &view_array_value})
        for (const Row_Entry &r : *rows)
            if (r.control == box) {
                Stamp_Edit(box);
                // Typing shows the text on the card; the row's tick stays as it is.
                m_host->Change_Value(box->text(), r.id, true, false);
                return;
            }
}

void Profile_Panel::Visitor_Dyn_Ctrl_Checked_Changed(QCheckBox *sender)
{
    const Row_Entry *row = nullptr;
    for (const auto *rows : {&view_array_label, &view_array_value}) {
        for (const Row_Entry &r : *rows)
            if (r.chk == sender) {
                row = &r;
                break;
            }
        if (row) break;
    }
    if (!row || !m_host) return;
    const QString id = row->id;
    m_host->Panel_Record_Undo();
    QLineEdit *box = Get_Dynamic_Text_Box(id);
    const QString text = box ? box->text() : QString();
    // The box opens or closes before the card takes it: the control's own rule then
    // has the last word (the row's number stays read-only).
    if (box) {
        box->setEnabled(sender->isChecked());
        box->setReadOnly(!sender->isChecked() || id.contains(QLatin1String("_Photo")));
    }
    const char created = m_host->new_control_add(text, id, box);
    // A new text may show a value of the design (a group row's cell), which its box took.
    m_host->Change_Value(created == 1 && box ? box->text() : text, id, sender->isChecked(), false);
}

// ---- Look-ups ----

QWidget *Profile_Panel::Get_Dynamic_Label_Ctrl(const QString &ctrl_id, const QString &kind) const
{
    const std::vector<Row_Entry> *rows = nullptr;
    if (ctrl_id.contains(QLatin1String("_field")) || ctrl_id.contains(QLatin1String("_Photo")))
        rows = &view_array_value;
    else if (ctrl_id.contains(QLatin1String("_label")))
        rows = &view_array_label;
    if (!rows) return nullptr;
    const bool text = kind == QLatin1String("T");
    for (const Row_Entry &r : *rows) {
        if (r.id != ctrl_id) continue;
        QWidget *w = text ? r.control : static_cast<QWidget *>(r.chk);
        if (text ? isTextBox(w) : isChkBox(w)) return w;
    }
    return nullptr;
}

QLineEdit *Profile_Panel::Get_Dynamic_Text_Box(const QString &ctrl_id) const
{
    return qobject_cast<QLineEdit *>(Get_Dynamic_Label_Ctrl(ctrl_id, QStringLiteral("T")));
}

QCheckBox *Profile_Panel::Get_Dynamic_Chk_Box(const QString &ctrl_id) const
{
    return qobject_cast<QCheckBox *>(Get_Dynamic_Label_Ctrl(ctrl_id, QStringLiteral("C")));
}

QLabel *Profile_Panel::Get_Dynamic_Photo_Ctrl(const QString &ctrl_id) const
{
    for (const Row_Entry &r : view_array_label)
        if (r.id == ctrl_id && isWell(r.control)) return static_cast<QLabel *>(r.control);
    return nullptr;
}

Picture Profile_Panel::Picture_For_Row_Path(const QString &path) const
{
    if (!m_host) return Picture();
    if (Is_Stand_In_Picture(path, Resource_Path)) return m_host->Panel_No_Image_Picture();
    const Picture picture = path.isEmpty() ? Picture() : m_host->Panel_Image_For_Path(path);
    return picture.isNull() ? m_host->Panel_Err_Image() : picture;
}

Picture Profile_Panel::Well_Picture(const QLabel *well) const { return m_wellPictures.value(well); }

void Profile_Panel::Set_Well_Picture(QLabel *well, const Picture &picture)
{
    if (!well) return;
    m_wellPictures.insert(well, picture);
    if (picture.isNull()) {
        well->clear();
        return;
    }
    well->setPixmap(QPixmap::fromImage(picture.image()).scaled(well->size(), Qt::KeepAspectRatio,
                                                                Qt::SmoothTransformation));
}

void Profile_Panel::Set_Dynamic_Pic_Ctrl_Image(QLabel *well, const Picture &picture)
{
    Set_Well_Picture(well, picture.isNull() && m_host ? m_host->Panel_Err_Image() : picture);
}

QString Profile_Panel::Other_Details_Text() const
{
    QString text;
    for (const Row_Entry &r : view_array_label) {
        // A photo row's path is the visit's photo, not a detail.
        if (!isTextBox(r.control) || r.id.contains(QLatin1String("_Photo"))) continue;
        QString valueId = r.id;
        valueId.replace(QLatin1String("label"), QLatin1String("field"));
        const QLineEdit *valueBox = Get_Dynamic_Text_Box(valueId);
        const QString value = valueBox && valueBox->isEnabled() ? valueBox->text() : QString();
        const QString caption = r.control->isEnabled() ? static_cast<QLineEdit *>(r.control)->text() + QStringLiteral(" : ")
                                                       : QString();
        text = Trim_Str(text + QStringLiteral("\r\n") + caption + value + QStringLiteral("\r\n"));
    }
    return text;
}

void Profile_Panel::Refresh_Rows_For_Undo()
{
    for (const auto *rows : {&view_array_label, &view_array_value})
        for (const Row_Entry &r : *rows) r.chk->setChecked(false);
    for (const Row_Entry &r : view_array_label)
        if (isWell(r.control) && m_host) Set_Well_Picture(static_cast<QLabel *>(r.control), m_host->Panel_No_Image_Picture());
    for (const auto *rows : {&view_array_label, &view_array_value})
        for (const Row_Entry &r : *rows)
            if (auto *box = qobject_cast<QLineEdit *>(r.control)) {
                box->setReadOnly(r.id.contains(QLatin1String("_Photo")));
                box->setEnabled(false);
            }
}

// ---- Removing every row ----

void Profile_Panel::Remove_All_Rows()
{
    for (QFrame *box : {custom_label_box, custom_field_box}) {
        const QList<QWidget *> children = box->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (auto it = children.rbegin(); it != children.rend(); ++it) {
            m_frames.remove(*it);
            if (auto *well = qobject_cast<QLabel *>(*it)) m_wellPictures.remove(well);
            delete *it;
        }
    }
    view_array_label.clear();
    view_array_value.clear();
    custom_label_box->hide();
    custom_field_box->hide();
    Reread_Default_Boxes();
    Set_Frame(custom_label_box, QRectF(Frame_Of(custom_label_box).x(), def_lbl_bx_rect.y() - kEmptyBoxHeight,
                                       Frame_Of(custom_label_box).width(), kEmptyBoxHeight));
    Set_Frame(custom_field_box, QRectF(Frame_Of(custom_field_box).x(), def_fld_bx_rect.y() - kEmptyBoxHeight,
                                       Frame_Of(custom_field_box).width(), kEmptyBoxHeight));
    Change_btn_location();
    // The panel shrinks at once, not at the next resize of the window.
    if (m_host) m_host->Panel_Rows_Changed(m_side);
}
