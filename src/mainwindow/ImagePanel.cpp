// The picture pages of the control panels: the image control's picture, transparency,
// flips and border, and the signature or fingerprint picture with its border.
#include "ControlPanels.h"

#include "ColorWell.h"
#include "Dialogs.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "SKTImage.h"
#include "SKTSignature.h"
#include "SKTWindowController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {
QLineEdit *pathBox()
{
    auto *e = new QLineEdit;
    e->setReadOnly(true);
    return e;
}
} // namespace

void ControlPanels::buildImageTab()
{
    auto *pictureBox = new QGroupBox(tr("Picture"));
    auto *form = new QFormLayout(pictureBox);
    image.path = pathBox();
    image.browse = new QPushButton(tr("Browse..."));
    image.library = new QPushButton(tr("Library..."));
    image.invalid_source_label = new QLabel(tr("Invalid source."));
    image.invalid_source_label->setStyleSheet(QStringLiteral("color: #b00000"));
    image.invalid_source_label->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(image.browse);
    buttons->addWidget(image.library);
    form->addRow(image.path);
    form->addRow(buttons);
    form->addRow(image.invalid_source_label);

    auto *adjustBox = new QGroupBox(tr("Adjustments"));
    auto *adjust = new QFormLayout(adjustBox);
    image.transparency = new QSlider(Qt::Horizontal);
    image.transparency->setRange(0, 100);
    image.flipH = new QCheckBox(tr("Flip horizontally"));
    image.flipV = new QCheckBox(tr("Flip vertically"));
    image.reset = new QPushButton(tr("Reset"));
    adjust->addRow(tr("Opacity"), image.transparency);
    adjust->addRow(image.flipH);
    adjust->addRow(image.flipV);

    auto *borderBox = new QGroupBox(tr("Border"));
    new QFormLayout(borderBox);
    image.border = addStroke(image_tab, borderBox, true, tr("Draw a border"));
    adjust->addRow(image.reset);

    body(image_tab)->layout()->addWidget(pictureBox);
    body(image_tab)->layout()->addWidget(adjustBox);
    body(image_tab)->layout()->addWidget(borderBox);

    // The opacity of a picture is kept in percent.
    bind(Plain_Field(image.transparency, image_tab, QStringLiteral("img_trnsp_val")));
    // Flips go through the control, which adjusts its picture again.
    bind({image.flipH, image_tab, [](SKTGraphic &g) { return QVariant(g._isFlippedHorizontally); },
          [](SKTGraphic &g, const QVariant &v) { g.setFlippedHorizontally(v.toBool()); }});
    bind({image.flipV, image_tab, [](SKTGraphic &g) { return QVariant(g._isFlippedVertically); },
          [](SKTGraphic &g, const QVariant &v) { g.setFlippedVertically(v.toBool()); }});
    connect(image.browse, &QPushButton::clicked, this, &ControlPanels::browseImage);
    connect(image.library, &QPushButton::clicked, this, &ControlPanels::browseLibraryImage);
    connect(image.reset, &QPushButton::clicked, this, &ControlPanels::resetImage);
}

void ControlPanels::buildSignTab()
{
    auto *pictureBox = new QGroupBox(tr("Picture"));
    auto *form = new QFormLayout(pictureBox);
    sign.kind = new QLabel;
    sign.path = pathBox();
    sign.browse = new QPushButton(tr("Browse..."));
    form->addRow(sign.kind);
    form->addRow(sign.path);
    form->addRow(sign.browse);
    auto *borderBox = new QGroupBox(tr("Border"));
    new QFormLayout(borderBox);
    sign.border = addStroke(sign_tab, borderBox, true, tr("Draw a border"));
    body(sign_tab)->layout()->addWidget(pictureBox);
    body(sign_tab)->layout()->addWidget(borderBox);
    connect(sign.browse, &QPushButton::clicked, this, &ControlPanels::browseSignature);
}

void ControlPanels::Reset_Image_Editing_Controls()
{
    const char old = Not_Draw_Only_Prop_Change;
    Not_Draw_Only_Prop_Change = 1;
    image.transparency->setValue(100);
    image.flipH->setChecked(false);
    image.flipV->setChecked(false);
    image.border.on->setChecked(false);
    image.border.color->setColor(Qt::black);
    image.border.width->setValue(1);
    image.border.style->setCurrentIndex(0);
    updateEnabled();
    Not_Draw_Only_Prop_Change = old;
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
    if (!m_controller->Browse_User_Image_Manually()) return;
    Set_Image_On_Card_Control(Library_Selected_Image);
}

void ControlPanels::browseLibraryImage()
{
    if (!shownControl() || Check_Multiple_Image_Selection(QStringLiteral("Select"), true)) return;
    if (m_controller->Open_Image_Library_Window(QStringLiteral("C")) != 1) return;
    Library_Selected_Image = m_controller->lib_window_sel_file;
    Set_Image_On_Card_Control(Library_Selected_Image);
}

void ControlPanels::browseSignature()
{
    SKTGraphic *g = shownControl();
    if (!g || g->kind() != GraphicKind::Signature) return;
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFile;
    request.title = g->Sign_Or_FP_Val() == QLatin1String("S") ? tr("Choose a signature") : tr("Choose a fingerprint");
    request.extensions = m_controller->Allowd_Image_fileTypes;
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
    const Picture &shown = g._contents_with_settings;
    const bool valid = !shown.isNull() && !shown.size().isEmpty() && !g.FilePath().isEmpty() &&
                       QFileInfo(g.FilePath()).isFile();
    image.invalid_source_label->setVisible(!valid);
}
