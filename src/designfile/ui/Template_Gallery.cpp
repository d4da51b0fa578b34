#include "Template_Gallery.h"

#include "Export_Template.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "TemplateFiles.h"
#include "LayoutParts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QStringList kCategories = {"Corporate", "Education", "Health", "Misc", "Press", "Transport", "Visitor", "All"};
// Thumbnails are made at the largest zoom's width and scaled down for the smaller.
constexpr int kThumbnailWidth = 256;

} // namespace

QSize Gallery_Thumbnail_Size(double zoom)
{
    const double z = std::clamp(zoom, 0.0, 1.0);
    const int width = int(std::lround(64 + 192 * z));
    return {width, int(std::lround(width * 11 / 16.0))};
}

Template_Gallery::Template_Gallery(const QString &templatesFolder, const QString &userFolder, QWidget *parent)
    : QWidget(parent), m_templates(templatesFolder), m_user(userFolder)
{
    cat_cmbo_bx = new QComboBox(this);
    cat_cmbo_bx->addItems({tr("Built-in Templates"), tr("User Templates")});
    template_category_combo = new QComboBox(this);
    template_category_combo->addItems(kCategories);
    imageBrowser = new QListWidget(this);
    imageBrowser->setViewMode(QListView::IconMode);
    imageBrowser->setIconSize(Gallery_Thumbnail_Size(m_zoom));
    imageBrowser->setResizeMode(QListView::Adjust);
    imageBrowser->setMovement(QListView::Static);
    imageBrowser->setSpacing(6);
    // The chosen template is framed: built-in items have no title to highlight.
    imageBrowser->setStyleSheet(QStringLiteral("QListWidget::item:selected { border: 3px solid palette(highlight); background: transparent; color: palette(text); }"));
    template_btn_box = new QWidget(this);
    Delete_temp_btn = new QPushButton(tr("Delete"), template_btn_box);
    Copy_temp_btn = new QPushButton(tr("Copy"), template_btn_box);
    Rename_temp_btn = new QPushButton(tr("Rename"), template_btn_box);
    auto *buttons = new QHBoxLayout(template_btn_box);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(Delete_temp_btn);
    buttons->addWidget(Copy_temp_btn);
    buttons->addWidget(Rename_temp_btn);
    template_btn_box->hide();

    auto *top = Side_By_Side({cat_cmbo_bx, template_category_combo});
    _zoom_label = new QLabel(tr("Zoom:"), this);
    _zoom_slider = new QSlider(Qt::Horizontal, this);
    _zoom_slider->setRange(0, 100);
    _zoom_slider->setValue(50);
    _zoom_slider->setMaximumWidth(200);
    _zoom_slider->setEnabled(false);
    Stack_Layout(this, {top, {imageBrowser, 1}, Button_Row({_zoom_label, _zoom_slider}), template_btn_box});

    askName = [this](const QString &current) -> std::optional<QString> {
        if (!m_nameDialog) m_nameDialog = new Export_Template(this);
        Export_Template *dialog = m_nameDialog;
        dialog->template_passed = current;
        dialog->template_name->setText(current);
        if (dialog->Open_Wnd(QStringLiteral("Rename Template")) != 1) return std::nullopt;
        return export_template_name;
    };

    connect(cat_cmbo_bx, &QComboBox::currentIndexChanged, this, [this](int index) {
        const bool user = index != 0;
        template_btn_box->setVisible(user && m_choosers);
        template_category_combo->setVisible(!user && m_choosers);
        if (user) Fill_Templates_User_Defined();
        else Fill_Templates(template_category_combo->currentText().left(1).toUpper());
    });
    connect(template_category_combo, &QComboBox::currentTextChanged, this,
            [this](const QString &text) { Fill_Templates(text.left(1).toUpper()); });
    connect(_zoom_slider, &QSlider::valueChanged, this, [this](int v) { zoomSliderDidChange(v / 100.0); });
    connect(imageBrowser, &QListWidget::currentRowChanged, this, [this] { emit templateSelected(Selected_Template_Path()); });
    connect(Delete_temp_btn, &QPushButton::clicked, this, &Template_Gallery::Delete_Template_Click);
    connect(Copy_temp_btn, &QPushButton::clicked, this, &Template_Gallery::Copy_Templatee_Click);
    connect(Rename_temp_btn, &QPushButton::clicked, this, &Template_Gallery::Rename_Template_Click);
    Fill_Templates(QStringLiteral("C"));
}

void Template_Gallery::zoomSliderDidChange(double value)
{
    m_zoom = std::clamp(value, 0.0, 1.0);
    {
        const QSignalBlocker block(_zoom_slider);
        _zoom_slider->setValue(int(std::lround(m_zoom * 100)));
    }
    const QSize size = Gallery_Thumbnail_Size(m_zoom);
    imageBrowser->setIconSize(size);
    if (m_gridMargin.isValid()) imageBrowser->setGridSize(size + m_gridMargin);
    Show_NSLog_Message(QString::asprintf("ZOOM : %f\n", m_zoom));
}

void Template_Gallery::Set_Grid_Margin(const QSize &extra)
{
    m_gridMargin = extra;
    imageBrowser->setGridSize(imageBrowser->iconSize() + extra);
}

bool Template_Gallery::userMode() const
{
    return cat_cmbo_bx->currentIndex() != 0;
}

void Template_Gallery::fill(const QStringList &previews)
{
    imageBrowser->clear();
    for (const QString &path : previews) {
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(Thumbnail_Image(path, kThumbnailWidth))),
                                         userMode() ? QFileInfo(path).completeBaseName() : QString(), imageBrowser);
        item->setData(Qt::UserRole, path);
    }
    if (imageBrowser->count() > 0) {
        _zoom_slider->setEnabled(true);
        imageBrowser->setCurrentRow(0);
    }
}

void Template_Gallery::Fill_Templates(const QString &letter)
{
    const QString folder = letter == QLatin1String("A") ? m_templates : m_templates + '/' + TemplateFiles::Category_Folder(letter);
    if (!QFileInfo(folder).isDir()) return;  // a missing folder leaves the gallery as it was
    fill(TemplateFiles::Builtin_Previews(m_templates, letter));
}

void Template_Gallery::Fill_Templates_User_Defined()
{
    if (!QFileInfo(m_user).isDir()) {
        imageBrowser->clear();
    } else {
        fill(TemplateFiles::Previews_In(m_user));
    }
    template_btn_box->setEnabled(imageBrowser->count() > 0);
    _zoom_slider->setEnabled(imageBrowser->count() > 0);
}

void Template_Gallery::Show_Designs(const QStringList &designPaths, bool blankCard)
{
    imageBrowser->clear();
    if (blankCard) {
        QPixmap white(kThumbnailWidth, kThumbnailWidth * 101 / 160);
        white.fill(Qt::white);
        auto *blank = new QListWidgetItem(QIcon(white), tr("Blank Card"), imageBrowser);
        blank->setData(Qt::UserRole, QString());
    }
    for (const QString &path : designPaths) {
        const QFileInfo info(path);
        QString preview = info.path() + u'/' + info.completeBaseName() + QStringLiteral(".png");
        if (!QFileInfo::exists(preview)) preview = info.path() + u'/' + info.completeBaseName() + QStringLiteral(".jpg");
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(Thumbnail_Image(preview, kThumbnailWidth))),
                                         info.completeBaseName(), imageBrowser);
        item->setData(Qt::UserRole, path);
    }
    _zoom_slider->setEnabled(imageBrowser->count() > 0);
    if (imageBrowser->count() > 0) imageBrowser->setCurrentRow(0);
}

void Template_Gallery::Set_Choosers_Visible(bool visible)
{
    m_choosers = visible;
    cat_cmbo_bx->setVisible(visible);
    template_category_combo->setVisible(visible && !userMode());
    template_btn_box->setVisible(visible && userMode());
}

QString Template_Gallery::Selected_Template_Path() const
{
    const QListWidgetItem *item = imageBrowser->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

bool Template_Gallery::userSelectionExists() const
{
    const QString path = Selected_Template_Path();
    if (!path.isEmpty() && QFileInfo(path).isFile()) return true;
    Show_MessageBox(QStringLiteral("Please select template."));
    return false;
}

void Template_Gallery::Delete_Template_Click()
{
    if (!userSelectionExists()) return;
    if (Show_YES_NO_MessageBox(QStringLiteral("Do you want to delete this template?")) != 1) return;
    TemplateFiles::Delete_Template(Selected_Template_Path());
    Fill_Templates_User_Defined();
}

void Template_Gallery::Copy_Templatee_Click()
{
    if (!userSelectionExists()) return;
    if (Show_YES_NO_MessageBox(QStringLiteral("Do you want to make copy of this template?")) != 1) return;
    TemplateFiles::Copy_Template(Selected_Template_Path());
    Fill_Templates_User_Defined();
}

void Template_Gallery::Rename_Template_Click()
{
    if (!userSelectionExists()) return;
    const QString path = Selected_Template_Path();
    const std::optional<QString> name = askName ? askName(QFileInfo(path).completeBaseName()) : std::nullopt;
    if (!name) return;
    TemplateFiles::Rename_Template(path, *name);
    Fill_Templates_User_Defined();
}
