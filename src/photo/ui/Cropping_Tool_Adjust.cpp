// The cropping window's picture adjustments: grey, sepia, invert and the two flips,
// the eight sliders and the rotation, their reset, and the adjusted picture on show,
// which Crop cuts and whose settings every row of Crop All is adjusted with.
#include "Cropping_Tool.h"

#include "AdjustmentChain.h"
#include "MessageBox.h"
#include "PictureView.h"
#include "SelectionCanvas.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStackedWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <numbers>

namespace {
const char *kScale = "valueScale";
const char *kValueField = "valueField";

QSlider *Add_Slider(QGridLayout *grid, int row, const QString &label, int low, int high, double scale)
{
    auto *slider = new QSlider(Qt::Horizontal);
    slider->setRange(low, high);
    slider->setProperty(kScale, scale);
    auto *value = new QLabel;
    value->setMinimumWidth(40);
    slider->setProperty(kValueField, QVariant::fromValue<QObject *>(value));
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(value, row, 2);
    QObject::connect(slider, &QSlider::valueChanged, value,
                     [value, scale](int v) { value->setText(QString::number(v * scale)); });
    return slider;
}
}  // namespace

void Cropping_Tool::buildAdjustments()
{
    Image_Edit_Prop_Box = new QGroupBox(tr("Adjustments"));
    auto *grid = new QGridLayout(Image_Edit_Prop_Box);
    Image_Gray_Scale_chk = new QCheckBox(tr("Grey scale"));
    Image_Sepia_chk = new QCheckBox(tr("Sepia"));
    Image_Invert_chk = new QCheckBox(tr("Invert colours"));
    Image_FIH_chk = new QCheckBox(tr("Flip horizontally"));
    Image_FIV_chk = new QCheckBox(tr("Flip vertically"));
    int row = 0;
    for (QCheckBox *c : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIH_chk, Image_FIV_chk}) {
        grid->addWidget(c, row++, 0, 1, 3);
        connect(c, &QCheckBox::toggled, this, &Cropping_Tool::Update_Image_With_Settings);
    }
    // The camera window's ranges; the hue in degrees.
    Hue_slidr = Add_Slider(grid, row++, tr("Hue"), -180, 180, 1);
    Sat_slidr = Add_Slider(grid, row++, tr("Saturation"), 0, 200, 0.01);
    Brt_slidr = Add_Slider(grid, row++, tr("Brightness"), -100, 100, 0.01);
    Con_slidr = Add_Slider(grid, row++, tr("Contrast"), 25, 400, 0.01);
    shrp_slidr = Add_Slider(grid, row++, tr("Sharpness"), 0, 200, 0.01);
    ev_slidr = Add_Slider(grid, row++, tr("Exposure"), -100, 100, 0.1);
    blr_slidr = Add_Slider(grid, row++, tr("Blur"), 0, 100, 1);
    Trsp_slidr = Add_Slider(grid, row++, tr("Transparency"), 0, 100, 1);
    Rotate_slidr = Add_Slider(grid, row++, tr("Rotation"), -180, 180, 1);
    for (QSlider *s : {Hue_slidr, Sat_slidr, Brt_slidr, Con_slidr, shrp_slidr, ev_slidr, blr_slidr, Trsp_slidr,
                       Rotate_slidr})
        connect(s, &QSlider::valueChanged, this, &Cropping_Tool::Update_Image_With_Settings);
    image_reset_btn = new QPushButton(tr("Reset"));
    grid->addWidget(image_reset_btn, row++, 0, 1, 3);
    connect(image_reset_btn, &QPushButton::clicked, this, &Cropping_Tool::Image_reset_Button);

    auto *cropLayout = qobject_cast<QHBoxLayout *>(screens->widget(1)->layout());
    auto *right = qobject_cast<QVBoxLayout *>(cropLayout->itemAt(1)->layout());
    right->insertWidget(right->count() - 1, Image_Edit_Prop_Box);
}

ImageAdjustments Cropping_Tool::Current_Adjustments() const
{
    ImageAdjustments a;
    a.grayScale = Image_Gray_Scale_chk->isChecked();
    a.sepia = Image_Sepia_chk->isChecked();
    a.invert = Image_Invert_chk->isChecked();
    a.flipHorizontally = Image_FIH_chk->isChecked();
    a.flipVertically = Image_FIV_chk->isChecked();
    a.hue = Hue_slidr->value() * std::numbers::pi / 180;
    a.saturation = Sat_slidr->value() / 100.0;
    a.brightness = Brt_slidr->value() / 100.0;
    a.contrast = Con_slidr->value() / 100.0;
    a.sharpness = shrp_slidr->value() / 100.0;
    a.exposure = ev_slidr->value() / 10.0;
    a.blur = blr_slidr->value();
    a.transparency = Trsp_slidr->value();
    a.rotation = Rotate_slidr->value();
    return a;
}

void Cropping_Tool::Update_Image_With_Settings()
{
    if (!On_Gui_Thread("Update_Image_With_Settings"))
        return;
    if (User_Picture_PREVIEW.isNull()) {
        User_Picture = QImage();
        Modified_image->setPicture({});
        return;
    }
    const Picture adjusted = Get_Processed_Image_Full_Combined(User_Picture_PREVIEW, Current_Adjustments(), true);
    User_Picture = adjusted.image();
    Modified_image->setPicture(adjusted);
    canvas->arrangeCanvas();
}

void Cropping_Tool::Reset_Image_Editing_Controls()
{
    const std::pair<QSlider *, int> neutral[] = {{Rotate_slidr, 0}, {Trsp_slidr, 100}, {Hue_slidr, 0},
                                                 {Sat_slidr, 100},  {Brt_slidr, 0},    {Con_slidr, 100},
                                                 {shrp_slidr, 0},   {ev_slidr, 0},     {blr_slidr, 0}};
    for (const auto &[slider, value] : neutral) {
        const QSignalBlocker quiet(slider);
        slider->setValue(value);
        if (auto *field = qobject_cast<QLabel *>(slider->property(kValueField).value<QObject *>()))
            field->setText(QString::number(value * slider->property(kScale).toDouble()));
    }
    for (QCheckBox *c : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIV_chk, Image_FIH_chk}) {
        const QSignalBlocker quiet(c);
        c->setChecked(false);
    }
}

void Cropping_Tool::Image_reset_Button()
{
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to reset image settings?")) != 1)
        return;
    Reset_Image_Editing_Controls();
    Update_Image_With_Settings();
}
