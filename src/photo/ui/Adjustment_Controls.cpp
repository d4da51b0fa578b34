#include "Adjustment_Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <numbers>
#include <utility>

namespace {
const char *kScale = "valueScale";
const char *kValueField = "valueField";

void Show_Value(QSlider *slider, int value)
{
    if (auto *field = qobject_cast<QLabel *>(slider->property(kValueField).value<QObject *>()))
        field->setText(QString::number(value * slider->property(kScale).toDouble()));
}
} // namespace

QSlider *Adjustment_Controls::Add_Slider(QGridLayout *grid, int row, const QString &label, int low, int high,
                                         double scale, const std::function<void()> &changed)
{
    auto *slider = new QSlider(Qt::Horizontal);
    slider->setRange(low, high);
    slider->setProperty(kScale, scale);
    auto *value = new QLabel;
    value->setMinimumWidth(44);
    slider->setProperty(kValueField, QVariant::fromValue<QObject *>(value));
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(value, row, 2);
    QObject::connect(slider, &QSlider::valueChanged, slider, [slider, changed](int v) {
        Show_Value(slider, v);
        changed();
    });
    return slider;
}

QGroupBox *Adjustment_Controls::Build_Adjustment_Box(const std::function<void()> &changed)
{
    Image_Edit_Prop_Box = new QGroupBox(QObject::tr("Adjustments"));
    auto *grid = new QGridLayout(Image_Edit_Prop_Box);
    Image_Gray_Scale_chk = new QCheckBox(QObject::tr("Grey scale"));
    Image_Sepia_chk = new QCheckBox(QObject::tr("Sepia"));
    Image_Invert_chk = new QCheckBox(QObject::tr("Invert colours"));
    Image_FIH_chk = new QCheckBox(QObject::tr("Flip horizontally"));
    Image_FIV_chk = new QCheckBox(QObject::tr("Flip vertically"));
    int row = 0;
    for (QCheckBox *c : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIH_chk, Image_FIV_chk}) {
        grid->addWidget(c, row++, 0, 1, 3);
        QObject::connect(c, &QCheckBox::toggled, c, [changed] { changed(); });
    }
    // Ranges as on the image tab; the hue in degrees.
    Hue_slidr = Add_Slider(grid, row++, QObject::tr("Hue"), -180, 180, 1, changed);
    Sat_slidr = Add_Slider(grid, row++, QObject::tr("Saturation"), 0, 200, 0.01, changed);
    Brt_slidr = Add_Slider(grid, row++, QObject::tr("Brightness"), -100, 100, 0.01, changed);
    Con_slidr = Add_Slider(grid, row++, QObject::tr("Contrast"), 25, 400, 0.01, changed);
    shrp_slidr = Add_Slider(grid, row++, QObject::tr("Sharpness"), 0, 200, 0.01, changed);
    ev_slidr = Add_Slider(grid, row++, QObject::tr("Exposure"), -100, 100, 0.1, changed);
    blr_slidr = Add_Slider(grid, row++, QObject::tr("Blur"), 0, 100, 1, changed);
    Trsp_slidr = Add_Slider(grid, row++, QObject::tr("Transparency"), 0, 100, 1, changed);
    Rotate_slidr = Add_Slider(grid, row++, QObject::tr("Rotation"), -180, 180, 1, changed);
    image_reset_btn = new QPushButton(QObject::tr("Reset"));
    grid->addWidget(image_reset_btn, row++, 0, 1, 3);
    Reset_Image_Editing_Controls();
    return Image_Edit_Prop_Box;
}

ImageAdjustments Adjustment_Controls::Current_Adjustments() const
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

void Adjustment_Controls::Reset_Image_Editing_Controls()
{
    const std::pair<QSlider *, int> neutral[] = {{Rotate_slidr, 0}, {Trsp_slidr, 100}, {Hue_slidr, 0},
                                                 {Sat_slidr, 100},  {Brt_slidr, 0},    {Con_slidr, 100},
                                                 {shrp_slidr, 0},   {ev_slidr, 0},     {blr_slidr, 0}};
    for (const auto &[slider, value] : neutral) {
        const QSignalBlocker quiet(slider);
        slider->setValue(value);
        Show_Value(slider, value);
    }
    for (QCheckBox *c : {Image_Gray_Scale_chk, Image_Sepia_chk, Image_Invert_chk, Image_FIV_chk, Image_FIH_chk}) {
        const QSignalBlocker quiet(c);
        c->setChecked(false);
    }
}
