#include "Invitation_Wizard.h"

#include "MessageBox.h"
#include "Modal_Runner.h"
#include "Picture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

namespace {
// Sliders work in hundredths of the image tab's units; the hue slider in degrees.
constexpr double kStep = 100.0;

struct SliderRange {
    const char *label;
    double min, max, neutral;
};
// Hue, saturation, brightness, contrast, sharpness, exposure, blur, opacity, rotation.
constexpr SliderRange kRanges[] = {{"Hue", -180, 180, 0},       {"Saturation", 0, 2, 1}, {"Brightness", -1, 1, 0},
                                   {"Contrast", 0.25, 4, 1},   {"Sharpness", 0, 2, 0},  {"Exposure", -10, 10, 0},
                                   {"Blur", 0, 100, 0},        {"Opacity", 0, 100, 100}, {"Rotation", -180, 180, 0}};

double valueOf(const QSlider *s) { return s->value() / kStep; }
} // namespace

Invitation_Wizard::Invitation_Wizard(Wizard_Collaborators with, QWidget *parent) : QDialog(parent), m_with(std::move(with))
{
    setWindowTitle(tr("Invitation Wizard"));
    setModal(true);
    auto *layout = new QHBoxLayout(this);
    page = new Wizard_Card_Page(m_with.pvc_sizes, m_with.paper_sizes);
    layout->addWidget(page);

    auto *texts = new QFormLayout;
    Title = new QLineEdit;
    To = new QLineEdit;
    Message = new QPlainTextEdit;
    Message->setMaximumHeight(80);
    Date = new QLineEdit;
    Time = new QLineEdit;
    Venue = new QLineEdit;
    From = new QLineEdit;
    texts->addRow(tr("Title"), Title);
    texts->addRow(tr("To"), To);
    texts->addRow(tr("Message"), Message);
    texts->addRow(tr("Date"), Date);
    texts->addRow(tr("Time"), Time);
    texts->addRow(tr("Venue"), Venue);
    texts->addRow(tr("From"), From);
    auto *background = new QPushButton(tr("Background from Library..."));
    backgroundName = new QLabel;
    texts->addRow(background, backgroundName);
    auto *frame = new QPushButton(tr("Frame Picture..."));
    frameName = new QLabel;
    texts->addRow(frame, frameName);
    auto *photo = new QPushButton(tr("Photo..."));
    texts->addRow(photo);
    auto *middle = new QVBoxLayout;
    middle->addLayout(texts);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    middle->addStretch(1);
    middle->addWidget(buttons);
    layout->addLayout(middle, 1);

    auto *adjust = new QVBoxLayout;
    Selected_picture = new QLabel;
    Selected_picture->setFixedSize(200, 200);
    Selected_picture->setAlignment(Qt::AlignCenter);
    Selected_picture->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray"));
    adjust->addWidget(Selected_picture);
    auto *checks = new QGridLayout;
    Image_Gray_Scale_chk = new QCheckBox(tr("Grey scale"));
    Image_Sepia_chk = new QCheckBox(tr("Sepia"));
    Image_Invert_chk = new QCheckBox(tr("Invert colours"));
    Image_FIH_chk = new QCheckBox(tr("Flip horizontally"));
    Image_FIV_chk = new QCheckBox(tr("Flip vertically"));
    int at = 0;
    for (QCheckBox *c : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIH_chk, Image_FIV_chk}) {
        checks->addWidget(c, at / 2, at % 2);
        ++at;
        connect(c, &QCheckBox::toggled, this, &Invitation_Wizard::Update_Image_With_Settings);
    }
    adjust->addLayout(checks);
    auto *sliders = new QFormLayout;
    QSlider **made[] = {&Hue_slidr, &Sat_slidr, &Brt_slidr, &Con_slidr, &shrp_slidr,
                        &ev_slidr,  &blr_slidr, &Trsp_slidr, &Rotate_slidr};
    for (int i = 0; i < 9; ++i) {
        auto *s = new QSlider(Qt::Horizontal);
        s->setRange(int(std::lround(kRanges[i].min * kStep)), int(std::lround(kRanges[i].max * kStep)));
        *made[i] = s;
        sliders->addRow(tr(kRanges[i].label), s);
        connect(s, &QSlider::valueChanged, this, &Invitation_Wizard::Update_Image_With_Settings);
    }
    adjust->addLayout(sliders);
    adjust->addStretch(1);
    layout->addLayout(adjust);

    connect(background, &QPushButton::clicked, this, &Invitation_Wizard::Background_Library_Btn);
    connect(frame, &QPushButton::clicked, this, &Invitation_Wizard::Frame_Browse_Btn);
    connect(photo, &QPushButton::clicked, this, &Invitation_Wizard::Photo_Browse_Btn);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(1); });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(0); });
    resize(1000, 600);
    reset();
}

void Invitation_Wizard::reset()
{
    page->select(QStringLiteral("Paper Card"), QStringLiteral("Horizontal"), 7, 1);
    for (QLineEdit *e : {Title, To, Date, Time, Venue, From}) e->clear();
    Message->clear();
    m_background.clear();
    m_frame.clear();
    m_photo.clear();
    backgroundName->clear();
    frameName->clear();
    User_Picture = Picture();
    m_shown = Picture();
    QSlider *all[] = {Hue_slidr, Sat_slidr, Brt_slidr, Con_slidr, shrp_slidr, ev_slidr, blr_slidr, Trsp_slidr, Rotate_slidr};
    for (int i = 0; i < 9; ++i) {
        const QSignalBlocker quiet(all[i]);
        all[i]->setValue(int(std::lround(kRanges[i].neutral * kStep)));
    }
    for (QCheckBox *c : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIH_chk, Image_FIV_chk}) {
        const QSignalBlocker quiet(c);
        c->setChecked(false);
    }
    Selected_picture->clear();
}

int Invitation_Wizard::Open_Wnd()
{
    reset();
    return Run_Wizard(*this, m_with.runner);
}

void Invitation_Wizard::Background_Library_Btn()
{
    Pick_Library_Picture(m_with, m_background, *backgroundName);
}

void Invitation_Wizard::Frame_Browse_Btn()
{
    if (!m_with.choose_picture_file) return;
    const QString path = m_with.choose_picture_file(tr("Frame Picture"));
    if (path.isEmpty() || !Picture_File_Opens(path)) return;
    m_frame = path;
    frameName->setText(QFileInfo(path).fileName());
}

void Invitation_Wizard::Photo_Browse_Btn()
{
    if (!m_with.choose_picture_file) return;
    const QString path = m_with.choose_picture_file(tr("Photo"));
    if (!path.isEmpty()) setPhoto(path);
}

void Invitation_Wizard::setPhoto(const QString &path)
{
    if (!Picture_File_Opens(path)) return;
    Picture picture = m_with.preview ? m_with.preview(path) : Picture::fromFile(path);
    if (picture.isNull()) {
        Show_MessageBox(Unreadable_Picture_Text());
        return;
    }
    m_photo = path;
    User_Picture = std::move(picture);
    Update_Image_With_Settings();
}

ImageAdjustments Invitation_Wizard::adjustments() const
{
    ImageAdjustments a;
    a.flipHorizontally = Image_FIH_chk->isChecked();
    a.flipVertically = Image_FIV_chk->isChecked();
    a.invert = Image_Invert_chk->isChecked();
    a.grayScale = Image_Gray_Scale_chk->isChecked();
    a.sepia = Image_Sepia_chk->isChecked();
    // The hue is kept in radians, as on image controls.
    a.hue = valueOf(Hue_slidr) * std::numbers::pi / 180.0;
    a.saturation = valueOf(Sat_slidr);
    a.brightness = valueOf(Brt_slidr);
    a.contrast = valueOf(Con_slidr);
    a.sharpness = valueOf(shrp_slidr);
    a.exposure = valueOf(ev_slidr);
    a.blur = valueOf(blr_slidr);
    a.transparency = valueOf(Trsp_slidr);
    a.rotation = std::trunc(valueOf(Rotate_slidr));
    return a;
}

void Invitation_Wizard::Update_Image_With_Settings()
{
    if (User_Picture.isNull()) {
        m_shown = Picture();
        Selected_picture->clear();
        return;
    }
    m_shown = m_with.adjuster ? m_with.adjuster->adjusted(User_Picture, adjustments(), QSize()) : User_Picture;
    Selected_picture->setPixmap(QPixmap::fromImage(m_shown.image()).scaled(Selected_picture->size(), Qt::KeepAspectRatio,
                                                                          Qt::SmoothTransformation));
}

Invitation_Values Invitation_Wizard::values() const
{
    Invitation_Values v;
    v.Invite_Title = Title->text();
    v.Invite_To = To->text();
    v.Invite_Message = Message->toPlainText();
    v.Invite_Date = Date->text();
    v.Invite_Time = Time->text();
    v.Invite_Venue = Venue->text();
    v.Invite_From = From->text();
    v.Invite_BG_IMG = m_background;
    v.Invite_Frame_Pic_IMG = m_photo;
    v.Invite_Frame_IMG = m_frame;
    v.photo_adjustments = adjustments();
    v.Main_Photo_image = m_shown;
    v.main_photo_ds_batch = !m_photo.isEmpty();
    return v;
}

void Invitation_Wizard::paintEvent(QPaintEvent *) { Paint_Wizard_Pattern(*this, m_with.pattern); }
