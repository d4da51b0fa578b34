// The picture pages of the control panels: the image control's picture, transparency,
// flips and border, and the signature or fingerprint picture with its border.
#include "ControlPanels.h"

#include "ColorWell.h"
#include "Dialogs.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "ScopedFlag.h"
#include "PropertyPanelHost.h"
#include "SKTImage.h"
#include "SKTSignature.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
using W = Row_Widget;

// An adjustment field of image controls, shown as its value x `scale`; a value written
// is kept within the shown range (a number that is none counts as its lower end).
template <class T>
Field_Binding Bind_Adjustment(T SKTGraphic::*field, double scale = 1, Row_Range range = {})
{
    return Bind_With(
        [field, scale](SKTGraphic &g) { return std::is_same_v<T, bool> ? QVariant(bool(g.*field)) : QVariant(double(g.*field) * scale); },
        [field, scale, range](SKTGraphic &g, const QVariant &v) {
            if (g.kind() != GraphicKind::Image) return;
            if constexpr (std::is_same_v<T, bool>) {
                (void)scale, (void)range;  // a flag has neither
                static_cast<SKTImage &>(g).setAdjustment(field, v.toBool());
            } else {
                const double shown = v.toDouble();
                const double kept = std::isnan(shown) ? range.min : std::clamp(shown, range.min, range.max);
                static_cast<SKTImage &>(g).setAdjustment(field, T(kept / scale));
            }
        });
}

Panel_Row Adjustment_Row(const QString &box, const QString &label, float SKTGraphic::*field, Row_Range range,
                         QDoubleSpinBox *&slot, double scale = 1)
{
    return {{.box = box, .label = label, .kind = W::Decimal, .range = range, .made = Keep(slot)},
            Bind_Adjustment(field, scale, range)};
}
} // namespace

void ControlPanels::buildImageTab()
{
    const QString picture = tr("Picture"), adjust = tr("Adjustments");
    std::vector<Panel_Row> rows = {
        {{.box = picture, .kind = W::Path, .made = Keep(image.path)}},
        {{.box = picture, .label = tr("Browse..."), .kind = W::Button, .made = Keep(image.browse)}},
        {{.box = picture, .label = tr("Library..."), .kind = W::Button, .beside = true, .made = Keep(image.library)}},
        {{.box = picture, .label = tr("Camera..."), .kind = W::Button, .beside = true, .made = Keep(image.camera)}},
        {{.box = picture, .label = tr("Crop..."), .kind = W::Button, .made = Keep(image.crop)}},
        {{.box = picture, .label = tr("Invalid source."), .kind = W::Note, .made = [this](QWidget *w) {
              image.invalid_source_label = qobject_cast<QLabel *>(w);
              w->setStyleSheet(QStringLiteral("color: #b00000"));
              w->hide();
          }}},
        // The opacity of a picture is kept in percent.
        {{.box = adjust, .label = tr("Opacity"), .kind = W::Percent, .made = Keep(image.transparency)},
         Bind_Plain(QStringLiteral("img_trnsp_val"))},
        // Flips go through the control, which adjusts its picture again.
        {{.box = adjust, .label = tr("Flip horizontally"), .kind = W::Check, .made = Keep(image.flipH)},
         Bind_With([](SKTGraphic &g) { return QVariant(g._isFlippedHorizontally); },
                   [](SKTGraphic &g, const QVariant &v) { g.setFlippedHorizontally(v.toBool()); })},
        {{.box = adjust, .label = tr("Flip vertically"), .kind = W::Check, .made = Keep(image.flipV)},
         Bind_With([](SKTGraphic &g) { return QVariant(g._isFlippedVertically); },
                   [](SKTGraphic &g, const QVariant &v) { g.setFlippedVertically(v.toBool()); })},
        {{.box = adjust, .label = tr("Grey scale"), .kind = W::Check, .made = Keep(image.grey)},
         Bind_Adjustment(&SKTGraphic::gray_Scale)},
        {{.box = adjust, .label = tr("Sepia"), .kind = W::Check, .made = Keep(image.sepia)},
         Bind_Adjustment(&SKTGraphic::Sepia)},
        {{.box = adjust, .label = tr("Invert colours"), .kind = W::Check, .made = Keep(image.invert)},
         Bind_Adjustment(&SKTGraphic::invert_clr)},
        // The hue is kept in radians and shown in degrees.
        Adjustment_Row(adjust, tr("Hue"), &SKTGraphic::hue_val, {-180, 180, 0, 1}, image.hue, 180 / std::numbers::pi),
        Adjustment_Row(adjust, tr("Saturation"), &SKTGraphic::sat_val, {0, 2, 2, 0.05}, image.saturation),
        Adjustment_Row(adjust, tr("Brightness"), &SKTGraphic::brt_val, {-1, 1, 2, 0.05}, image.brightness),
        Adjustment_Row(adjust, tr("Contrast"), &SKTGraphic::con_val, {0.25, 4, 2, 0.05}, image.contrast),
        Adjustment_Row(adjust, tr("Sharpness"), &SKTGraphic::srp_val, {0, 2, 2, 0.05}, image.sharpness),
        Adjustment_Row(adjust, tr("Exposure"), &SKTGraphic::ev_val, {-10, 10, 1, 0.1}, image.exposure),
        Adjustment_Row(adjust, tr("Blur"), &SKTGraphic::blr_val, {0, 100, 1, 1}, image.blur),
        Adjustment_Row(adjust, tr("Rotation"), &SKTGraphic::rotate_image, {-180, 180, 0, 1}, image.rotation),
        {{.box = adjust, .label = tr("Reset"), .kind = W::Button, .made = Keep(image.reset)}},
    };
    const std::vector<Panel_Row> border = strokeRows(image.border, tr("Border"), tr("Draw a border"));
    rows.insert(rows.end(), border.begin(), border.end());
    buildTab(image_tab, rows);
    connect(image.browse, &QPushButton::clicked, this, &ControlPanels::browseImage);
    connect(image.library, &QPushButton::clicked, this, &ControlPanels::browseLibraryImage);
    connect(image.camera, &QPushButton::clicked, this, &ControlPanels::Open_Camera_Clicked);
    connect(image.reset, &QPushButton::clicked, this, &ControlPanels::resetImage);
    connect(image.crop, &QPushButton::clicked, this, &ControlPanels::Cropping_Selected_Image_clicked);
}

void ControlPanels::buildSignTab()
{
    const QString picture = tr("Picture");
    std::vector<Panel_Row> rows = {
        {{.box = picture, .kind = W::Note, .made = Keep(sign.kind)}},
        {{.box = picture, .kind = W::Path, .made = Keep(sign.path)}},
        {{.box = picture, .label = tr("Browse..."), .kind = W::Button, .made = Keep(sign.browse)}},
    };
    const std::vector<Panel_Row> border = strokeRows(sign.border, tr("Border"), tr("Draw a border"));
    rows.insert(rows.end(), border.begin(), border.end());
    buildTab(sign_tab, rows);
    connect(sign.browse, &QPushButton::clicked, this, &ControlPanels::browseSignature);
}

void ControlPanels::Reset_Image_Editing_Controls()
{
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    image.transparency->setValue(100);
    image.flipH->setChecked(false);
    image.flipV->setChecked(false);
    for (QCheckBox *flag : {image.grey, image.sepia, image.invert}) flag->setChecked(false);
    for (QDoubleSpinBox *value : {image.hue, image.brightness, image.sharpness, image.exposure, image.blur, image.rotation})
        value->setValue(0);
    image.saturation->setValue(1);
    image.contrast->setValue(1);
    image.border.on->setChecked(false);
    image.border.color->setColor(Qt::black);
    image.border.width->setValue(1);
    image.border.style->setCurrentIndex(0);
    updateEnabled();
}

void ControlPanels::resetImage()
{
    Reset_Image_Editing_Controls();
    Update_Image_Graphics(true);
}

void ControlPanels::Set_Image_On_Card_Control(const QString &path)
{
    SKTGraphic *g = shownControl();
    if (!g || g->kind() != GraphicKind::Image) return;
    change(
        [&path](SKTGraphic &target) {
            static_cast<SKTImage &>(target).setFilePath(path, true);
            return true;
        },
        true);
}

void ControlPanels::browseImage()
{
    if (!shownControl() || Check_Multiple_Image_Selection(QStringLiteral("Select"), true)) return;
    if (!m_host.Browse_User_Image_Manually()) return;
    Set_Image_On_Card_Control(Library_Selected_Image);
}

void ControlPanels::browseLibraryImage()
{
    if (!shownControl() || Check_Multiple_Image_Selection(QStringLiteral("Select"), true)) return;
    const QString chosen = m_host.Panel_Library_Image();
    if (chosen.isEmpty()) return;
    Library_Selected_Image = chosen;
    Set_Image_On_Card_Control(Library_Selected_Image);
}

void ControlPanels::Open_Camera_Clicked()
{
    if (!shownControl() || Check_Multiple_Image_Selection(QStringLiteral("Capture"), true)) return;
    const QString taken = m_host.Panel_Camera_Picture();
    if (!taken.isEmpty()) Set_Image_On_Card_Control(taken);
}

void ControlPanels::Cropping_Selected_Image_clicked()
{
    SKTGraphic *g = shownControl();
    if (!g || g->kind() != GraphicKind::Image || Check_Multiple_Image_Selection(QStringLiteral("Crop"), true)) return;
    const std::optional<Cropped_Picture_Binding> bound = m_host.Panel_Crop_Picture(*g);
    if (!bound || !shownControl()) return;
    change(
        [&bound](SKTGraphic &target) {
            if (bound->source == Data_Source_Series) {
                target.Set_Data_source_type(Data_Source_Series);
                target.Set_Batch_List_Name(bound->series);
                target.Set_Batch_List_Index(bound->seriesIndex);
            } else if (bound->source == Data_Source_Spreadsheet) {
                target.Set_Data_source_type(Data_Source_Spreadsheet);
                target.Set_Excel_binding_Index(bound->column);
            }
            static_cast<SKTImage &>(target).setFilePath(bound->path, true);
            return true;
        },
        true);
    if (SKTGraphic *shown = shownControl()) m_host.Image_Was_Cropped(*shown);
}

void ControlPanels::browseSignature()
{
    SKTGraphic *g = shownControl();
    if (!g || g->kind() != GraphicKind::Signature) return;
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFile;
    request.title = g->Sign_Or_FP_Val() == QLatin1String("S") ? tr("Choose a signature") : tr("Choose a fingerprint");
    request.extensions = m_host.Panel_Image_File_Types();
    const QStringList chosen = Run_File_Panel(request);
    if (chosen.isEmpty() || Image_Is_Over_Size(chosen.front(), 1)) return;
    const QString path = chosen.front();
    change(
        [&path](SKTGraphic &target) {
            static_cast<SKTSignature &>(target).setFilePath(path);
            return true;
        },
        true);
}

void ControlPanels::refreshInvalidSource(SKTGraphic &g)
{
    // The adjusted picture is present exactly when the loaded one is (it is made when drawn).
    const Picture &shown = g._contents;
    const bool valid = !shown.isNull() && !shown.size().isEmpty() && !g.FilePath().isEmpty() &&
                       QFileInfo(g.FilePath()).isFile();
    image.invalid_source_label->setVisible(!valid);
}
