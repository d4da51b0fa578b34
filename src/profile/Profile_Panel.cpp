#include "Profile_Panel.h"

#include "Dialogs.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Picture.h"
#include "ProfilePanelHost.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "StandInPictures.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

Profile_Panel *Front_Profile_Panel_OBJ = nullptr;
Profile_Panel *Back_Profile_Panel_OBJ = nullptr;

Profile_Panel *Profile_Panel_Of_Side(int side) { return side == 1 ? Back_Profile_Panel_OBJ : Front_Profile_Panel_OBJ; }

namespace {
const QString kDateFormat = QStringLiteral("dd-MMM-yyyy");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");
constexpr int kPictureSide = 90;  // the photo preview's box, in pixels

void setEditable(QLineEdit *box, bool on)
{
    box->setEnabled(on);
    box->setReadOnly(!on);
}
} // namespace

Profile_Panel::Profile_Panel(int side, ProfilePanelHost *host, QWidget *parent)
    : QWidget(parent), m_side(side == 1 ? 1 : 0), m_host(host)
{
    setObjectName(m_side == 0 ? QStringLiteral("Front_Profile_Panel") : QStringLiteral("Back_Profile_Panel"));
    buildLayout();
    (m_side == 0 ? Front_Profile_Panel_OBJ : Back_Profile_Panel_OBJ) = this;
    Refresh_Controls();
}

Profile_Panel::~Profile_Panel()
{
    Profile_Panel *&global = m_side == 0 ? Front_Profile_Panel_OBJ : Back_Profile_Panel_OBJ;
    if (global == this) global = nullptr;
}

void Profile_Panel::buildLayout()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 3);
    const auto &table = Visitor_Fixed_Fields();
    auto makeBox = [this](const QString &name) {
        auto *box = new QLineEdit(this);
        box->setObjectName(name);
        connect(box, &QLineEdit::textEdited, this, [this, box] { controlTextDidChange(box); });
        return box;
    };
    int row = 0;
    for (int f = 0; f < kVisitorFieldCount; ++f, ++row) {
        const QString word = QLatin1String(table[f].word);
        Field_Boxes &b = fields[f];
        b.label_chk = new QCheckBox(this);
        b.label_chk->setObjectName(word + QStringLiteral("_label_chk"));
        b.label = makeBox(word + QStringLiteral("_label"));
        b.value_chk = new QCheckBox(this);
        b.value_chk->setObjectName(word + QStringLiteral("_value_chk"));
        b.value = makeBox(word + QStringLiteral("_value"));
        connect(b.label_chk, &QCheckBox::clicked, this, [this, f] { Field_Chk_Clicked(f, true); });
        connect(b.value_chk, &QCheckBox::clicked, this, [this, f] { Field_Chk_Clicked(f, false); });
        grid->addWidget(b.label_chk, row, 0);
        grid->addWidget(b.label, row, 1);
        grid->addWidget(b.value_chk, row, 2);
        grid->addWidget(b.value, row, 3);
    }
    date_manual_chk = new QCheckBox(tr("Manual"), this);
    date_manual_chk->setObjectName(QStringLiteral("date_manual_chk"));
    time_manual_chk = new QCheckBox(tr("Manual"), this);
    time_manual_chk->setObjectName(QStringLiteral("time_manual_chk"));
    connect(date_manual_chk, &QCheckBox::clicked, this, &Profile_Panel::Date_Manual_Chk_Clicked);
    connect(time_manual_chk, &QCheckBox::clicked, this, &Profile_Panel::Time_Manual_Chk_Clicked);
    grid->addWidget(date_manual_chk, kDateField, 4);
    grid->addWidget(time_manual_chk, kTimeField, 4);

    // The photo beside its path and buttons.
    user_picture = new QLabel(this);
    user_picture->setObjectName(QStringLiteral("user_picture"));
    user_picture->setFixedSize(kPictureSide, kPictureSide);
    user_picture->setFrameShape(QFrame::Box);
    user_picture->setAlignment(Qt::AlignCenter);
    grid->addWidget(user_picture, row, 0, 1, 2, Qt::AlignHCenter);
    auto *photoColumn = new QVBoxLayout;
    image_path_val = new QLineEdit(this);
    image_path_val->setObjectName(QStringLiteral("image_path_val"));
    image_path_val->setReadOnly(true);
    photoColumn->addWidget(image_path_val);
    Browse_image_btn = new QPushButton(tr("Photo from File..."), this);
    Open_Camera_btn = new QPushButton(tr("Camera..."), this);
    connect(Browse_image_btn, &QPushButton::clicked, this, &Profile_Panel::Browse_image_Btn_Clicked);
    connect(Open_Camera_btn, &QPushButton::clicked, this, &Profile_Panel::Open_Camera_Clicked);
    photoColumn->addWidget(Browse_image_btn);
    photoColumn->addWidget(Open_Camera_btn);
    photoColumn->addStretch(1);
    grid->addLayout(photoColumn, row++, 2, 1, 3);
    buildRowArea();
    grid->addWidget(custom_area, row++, 0, 1, 5);
    grid->setRowStretch(row, 1);
}

QLineEdit *Profile_Panel::Text_Box_For_ID(const QString &id) const
{
    bool caption = false;
    const int f = Visitor_Field_Of_ID(id, &caption);
    return f < 0 ? nullptr : caption ? fields[f].label : fields[f].value;
}

QCheckBox *Profile_Panel::Chk_Box_For_ID(const QString &id) const
{
    bool caption = false;
    const int f = Visitor_Field_Of_ID(id, &caption);
    return f < 0 ? nullptr : caption ? fields[f].label_chk : fields[f].value_chk;
}

// ---- Fixed fields ----

void Profile_Panel::Field_Chk_Clicked(int f, bool caption)
{
    if (f < 0 || f >= kVisitorFieldCount || !m_host) return;
    const Visitor_Field &field = Visitor_Fixed_Fields()[f];
    QLineEdit *box = caption ? fields[f].label : fields[f].value;
    QCheckBox *chk = caption ? fields[f].label_chk : fields[f].value_chk;
    const QString id = QLatin1String(caption ? field.caption_id : field.value_id);
    const bool date = !caption && f == kDateField, time = !caption && f == kTimeField;
    // The card receives the time of the click, also over a time typed by hand.
    if (time) Set_Time_Value();
    const QString text = box->text();
    // The box opens or closes with its check before the card takes it: the control's
    // own rule then has the last word (the row's number stays read-only).
    if (!date && !time) setEditable(box, chk->isChecked());
    const char created = m_host->new_control_add(text, id, box);
    // A new text may show a value of the design (a group row's cell), which its box took.
    m_host->Change_Value(created == 1 ? box->text() : text, id, chk->isChecked(), created == 1);
    if (date || time) {
        if (chk->isChecked()) {
            Chk_Unchk_Manual_Date_Time(date ? QStringLiteral("D") : QStringLiteral("T"));
        } else {
            date ? Set_Date_Value() : Set_Time_Value();
            box->setEnabled((date ? date_manual_chk : time_manual_chk)->isChecked());
        }
    }
}

void Profile_Panel::Chk_Unchk_Manual_Date_Time(const QString &which)
{
    const bool date = which == QLatin1String("D");
    const Field_Boxes &b = fields[date ? kDateField : kTimeField];
    QCheckBox *manual = date ? date_manual_chk : time_manual_chk;
    auto stamp = [this, date] { date ? Set_Date_Value() : Set_Time_Value(); };
    if (manual->isChecked()) {
        setEditable(b.value, true);
        return;
    }
    // Not typed by hand: a shown box keeps the date or time it holds (typed before, and
    // on the card) and is stamped only when empty; a box not shown is stamped.
    setEditable(b.value, false);
    if (!b.value_chk->isChecked()) {
        stamp();
        return;
    }
    if (b.value->text().isEmpty()) Stamp_Shown_Date_Time(date);
    b.value->setEnabled(true);
}

void Profile_Panel::Stamp_Shown_Date_Time(bool date)
{
    // A shown date or time is a value of the pass: the stamp goes onto the card control
    // of the panel's side, and the box follows the card. Only a side without the control
    // has the box stamped alone.
    const QString now = date ? Get_date_Value(kDateFormat) : Get_time_Value(kTimeFormat);
    const QString id = QLatin1String(Visitor_Fixed_Fields()[date ? kDateField : kTimeField].value_id);
    SKTGraphicView *own = m_host ? m_host->Panel_Card_View(m_side) : nullptr;
    SKTGraphic *g = own ? own->Selcect_Ctrl_With_ID(id) : nullptr;
    if (g && g->kind() == GraphicKind::Text) {
        g->Set_text_value(now);
        // The property panels, when they show the control, show the stamp too.
        if (own->Selected_Graphic() == g) m_host->Panel_Show_Properties(g);
    }
    QLineEdit *box = fields[date ? kDateField : kTimeField].value;
    if (box->text() != now) box->setText(now);
}

void Profile_Panel::Date_Time_Box_Follows(bool date)
{
    const Field_Boxes &b = fields[date ? kDateField : kTimeField];
    const bool manual = (date ? date_manual_chk : time_manual_chk)->isChecked();
    b.value->setEnabled(b.value_chk->isChecked() || manual);
    b.value->setReadOnly(!manual);
}

void Profile_Panel::Set_Date_Value() { fields[kDateField].value->setText(Get_date_Value(kDateFormat)); }
void Profile_Panel::Set_Time_Value() { fields[kTimeField].value->setText(Get_time_Value(kTimeFormat)); }

namespace {
const char kEditOrder[] = "editOrder";
} // namespace

void Profile_Panel::Stamp_Edit(QLineEdit *box) { box->setProperty(kEditOrder, ++m_edits); }

quint64 Profile_Panel::Edit_Order(const QLineEdit *box) { return box ? box->property(kEditOrder).toULongLong() : 0; }

void Profile_Panel::controlTextDidChange(QLineEdit *box)
{
    if (!box || !m_host) return;
    Stamp_Edit(box);
    for (int f = 0; f < kVisitorFieldCount; ++f) {
        const Visitor_Field &field = Visitor_Fixed_Fields()[f];
        for (const bool caption : {true, false}) {
            if ((caption ? fields[f].label : fields[f].value) != box) continue;
            QCheckBox *chk = caption ? fields[f].label_chk : fields[f].value_chk;
            const QString id = QLatin1String(caption ? field.caption_id : field.value_id);
            // Date and time are sent as they are shown; the others show themselves.
            const bool dateOrTime = !caption && (f == kDateField || f == kTimeField);
            if (!dateOrTime) chk->setChecked(true);
            m_host->Change_Value(box->text(), id, dateOrTime ? chk->isChecked() : true, false);
            return;
        }
    }
}

int Whole_Text_Width(const QLineEdit &box, const QString &text)
{
    QStyleOptionFrame frame;
    frame.initFrom(&box);
    frame.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &box);
    const QMargins margins = box.textMargins();
    // The line edit keeps a margin of 2 on each side of its text.
    const QSize contents(box.fontMetrics().horizontalAdvance(text) + 2 * 2 + margins.left() + margins.right() + 1,
                         box.fontMetrics().height());
    return box.style()->sizeFromContents(QStyle::CT_LineEdit, &frame, contents, &box).width();
}

void Profile_Panel::Refresh_Controls()
{
    const auto &table = Visitor_Fixed_Fields();
    for (int f = 0; f < kVisitorFieldCount; ++f) {
        Field_Boxes &b = fields[f];
        b.label->setText(*table[f].caption);
        // The caption shows whole from its first letter, however narrow the panel.
        b.label->setMinimumWidth(Whole_Text_Width(*b.label, b.label->text()));
        b.label->setCursorPosition(0);
        for (QCheckBox *c : {b.label_chk, b.value_chk}) {
            c->setChecked(false);
            if (m_side == 0) c->setEnabled(true);
        }
        b.value->clear();
        b.label->setEnabled(false);
        b.value->setEnabled(false);
    }
    for (QCheckBox *c : {date_manual_chk, time_manual_chk}) {
        c->setChecked(false);
        if (m_side == 0) c->setEnabled(true);
    }
    Set_Date_Value();
    Set_Time_Value();
}

namespace {
const QString kTypedPlaceholder = QStringLiteral("Text here");
} // namespace

Panel_Typing Profile_Panel::Typing() const
{
    Panel_Typing typing;
    const auto &table = Visitor_Fixed_Fields();
    for (int f = 0; f < kVisitorFieldCount; ++f) {
        if (fields[f].label->text() == kTypedPlaceholder) typing.textHere << QLatin1String(table[f].caption_id);
        if (fields[f].value->text() == kTypedPlaceholder) typing.textHere << QLatin1String(table[f].value_id);
    }
    for (const auto *rows : {&view_array_label, &view_array_value})
        for (const Row_Entry &r : *rows)
            if (auto *box = qobject_cast<const QLineEdit *>(r.control); box && box->text() == kTypedPlaceholder)
                typing.textHere << r.id;
    typing.dateManual = date_manual_chk->isChecked();
    typing.timeManual = time_manual_chk->isChecked();
    return typing;
}

void Profile_Panel::Give_Back_Typing(const Panel_Typing &typing)
{
    const auto giveBack = [&typing](QLineEdit *box, const QString &id) {
        if (typing.textHere.contains(id))
            box->setText(kTypedPlaceholder);
        else if (box->text() == kTypedPlaceholder)
            box->clear();
    };
    const auto &table = Visitor_Fixed_Fields();
    for (int f = 0; f < kVisitorFieldCount; ++f) {
        giveBack(fields[f].label, QLatin1String(table[f].caption_id));
        giveBack(fields[f].value, QLatin1String(table[f].value_id));
    }
    for (const auto *rows : {&view_array_label, &view_array_value})
        for (const Row_Entry &r : *rows)
            if (auto *box = qobject_cast<QLineEdit *>(r.control)) giveBack(box, r.id);
    date_manual_chk->setChecked(typing.dateManual);
    time_manual_chk->setChecked(typing.timeManual);
}

void Profile_Panel::Reset_all_Ctrl()
{
    Set_User_Image_Control(QString(), Picture(), QString());
    Refresh_Controls();
    counter = 1;
    ctrl_y = 5.0;
    if (Has_Rows()) Remove_All_Rows();
}

// ---- Photos ----

void Profile_Panel::showPicture(const Picture &picture)
{
    m_picture = picture;
    if (picture.isNull()) {
        user_picture->clear();
        return;
    }
    user_picture->setPixmap(QPixmap::fromImage(picture.image()).scaled(
        user_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

int Profile_Panel::Find_And_Select_Design_Image_Control()
{
    SKTGraphicView *view = m_host ? m_host->Panel_Card_View(m_host->Panel_Current_Side()) : nullptr;
    if (!view || !view->graphicsList()) return 0;
    SKTGraphic *selected = view->Selected_Graphic();
    if (selected && selected->kind() == GraphicKind::Image && !selected->Is_Control_Locked()) return 1;
    int count = 0;
    SKTGraphic *only = nullptr;
    for (const GraphicPtr &g : view->graphicsList()->items())
        if (g->kind() == GraphicKind::Image) {
            ++count;
            only = g.get();
        }
    if (count == 1) {
        if (only->Is_Control_Locked()) {
            Show_MessageBox(QStringLiteral("Image control is locked."));
            return 2;
        }
        view->selectGraphics({only});
        view->setSelected_Graphic(only);
        m_host->Panel_Show_Properties(only);
        return 1;
    }
    if (count > 1) Show_MessageBox(QStringLiteral("Please select 'Image Control' to use image file."));
    return count;
}

void Profile_Panel::Browse_image_Btn_Clicked()
{
    Place_Photo([this] {
        FilePanelRequest request;
        request.title = tr("Choose Photo");
        request.extensions = m_host->Panel_Image_File_Types();
        const QStringList chosen = Run_File_Panel(request);
        if (chosen.isEmpty()) Library_Selected_Image.clear();
        // A file that is no picture is refused before anything changes: the side keeps
        // its photo.
        return chosen.isEmpty() || !Picture_File_Opens(chosen.front()) ? QString() : chosen.front();
    });
}

void Profile_Panel::Open_Camera_Clicked()
{
    Place_Photo([this] { return m_host->Panel_Camera_Picture(); });
}

void Profile_Panel::Place_Photo(const std::function<QString()> &choose)
{
    if (!m_host || m_host->Panel_Multiple_Image_Selection(QStringLiteral("Select"))) return;
    SKTGraphicView *view = m_host->Panel_Card_View(m_host->Panel_Current_Side());
    if (view && view->There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(QStringLiteral("Selected control is locked."));
        return;
    }
    const int found = Find_And_Select_Design_Image_Control();
    if (found >= 2) return;
    const QString path = choose();
    if (path.isEmpty()) return;
    if (found == 0) m_host->new_control_add(path, Visitor_Photo_ID, image_path_val);
    // The control the photo went into is the side's photo from now on; a user-added
    // photo row keeps its own picture apart from it. Picture and photo are one undo
    // step, recorded once both are in place: undoing a later change keeps them.
    const bool quiet = m_host->Panel_Pause_Undo(true);
    SKTGraphic *filled = Set_User_Image(path, QString());
    if (filled && !Get_Dynamic_Text_Box(filled->control_ID)) m_host->Panel_Photo_Placed(filled);
    m_host->Panel_Pause_Undo(quiet);
    if (filled) m_host->Panel_Record_Undo();
    m_host->Show_Message_To_Update_Data();
}

SKTGraphic *Profile_Panel::Set_User_Image(const QString &path, const QString &ctrl_id)
{
    if (!m_host) return nullptr;
    SKTGraphicView *view = m_host->Panel_Card_View(m_host->Panel_Current_Side());
    SKTGraphic *selected = view ? view->Selected_Graphic() : nullptr;
    if (ctrl_id.isEmpty() && selected && selected->kind() != GraphicKind::Image) {
        Set_User_Image_Control(path, selected->_contents, selected->control_ID);
        return nullptr;
    }
    const QString p = path.trimmed();
    image_path_val->setText(p);
    QString target = ctrl_id;
    if (target.isEmpty()) target = selected ? selected->control_ID : Visitor_Photo_ID;
    const char created = m_host->new_control_add(p, target, image_path_val);
    m_host->Change_Value(p, target, true, created == 1);
    SKTGraphic *filled = target.isEmpty() ? selected : view ? view->Selcect_Ctrl_With_ID(target) : nullptr;
    // A user-added photo row of the side shows the path and the picture too.
    if (target != Visitor_Photo_ID)
        if (Profile_Panel *panel = Profile_Panel_Of_Side(m_host->Panel_Current_Side()))
            if (QLineEdit *box = panel->Get_Dynamic_Text_Box(target)) {
                Show_NSLog_Message(box->text());
                box->setText(p);
                panel->Set_Dynamic_Pic_Ctrl_Image(panel->Get_Dynamic_Photo_Ctrl(target),
                                                  panel->Picture_For_Row_Path(p));
            }
    if (p.isEmpty()) {
        showPicture(Picture());
        return filled;
    }
    showPicture(m_host->Panel_Image_For_Path(p));
    if (view && !target.isEmpty()) view->Set_Selection_Index_According_ID(target);
    return filled;
}

void Profile_Panel::Set_User_Image_Control(const QString &path, const Picture &image, const QString &ctrl_id)
{
    const QString id = ctrl_id.trimmed();
    SKTGraphicView *own = m_host ? m_host->Panel_Card_View(m_side) : nullptr;
    if (!id.isEmpty() && (!own || !own->Selcect_Ctrl_With_ID(id))) return;
    // A stand-in picture is nobody's photo: the box shows none.
    const QString p = Is_Stand_In_Picture(path, Resource_Path) ? QString() : path.trimmed();
    image_path_val->setText(p);
    if (p.isEmpty() || !QFileInfo::exists(p)) {
        showPicture(Picture());
        return;
    }
    if (!image.isNull()) {
        showPicture(image);
        return;
    }
    // A file that does not read as a picture shows none, never the picture shown before.
    showPicture(m_host ? m_host->Panel_Image_For_Path(p) : Picture());
}
