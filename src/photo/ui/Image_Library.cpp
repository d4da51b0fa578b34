#include "Image_Library.h"

#include "FileUtilities.h"
#include "Globals.h"
#include "LibraryContents.h"
#include "Log.h"
#include "MessageBox.h"
#include "Modal_Runner.h"

#include <QComboBox>
#include <QDataStream>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kThumbnailSide = 300;  // thumbnails are made once at this size; zoom 1 shows them whole
const QString kRowsMime = QStringLiteral("application/x-library-rows");
} // namespace

// The browser's items over the library's list; drags move rows by the library's rule.
class LibraryBrowserModel : public QAbstractListModel {
public:
    explicit LibraryBrowserModel(Image_Library &library) : QAbstractListModel(&library), m_library(library) {}

    void reset()
    {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_library.images.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || size_t(index.row()) >= m_library.images.size()) return {};
        const MyImageObject &item = m_library.images[size_t(index.row())];
        if (role == Qt::DisplayRole) return QFileInfo(item.image_Name).completeBaseName();
        if (role == Qt::DecorationRole) return thumbnail(item.path);
        if (role == Qt::ToolTipRole) return item.path;
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        const Qt::ItemFlags base = Qt::ItemIsDropEnabled;
        return index.isValid() ? base | Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled : base;
    }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override { return {kRowsMime}; }
    QMimeData *mimeData(const QModelIndexList &indexes) const override
    {
        QByteArray rows;
        QDataStream out(&rows, QIODevice::WriteOnly);
        for (const QModelIndex &i : indexes) out << qint32(i.row());
        auto *data = new QMimeData;
        data->setData(kRowsMime, rows);
        return data;
    }
    bool dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent) override
    {
        if (!data || !data->hasFormat(kRowsMime)) return false;
        std::vector<int> rows;
        QDataStream in(data->data(kRowsMime));
        while (!in.atEnd()) {
            qint32 r = 0;
            in >> r;
            rows.push_back(r);
        }
        const int to = row >= 0 ? row : parent.isValid() ? parent.row() : int(m_library.images.size());
        // Called from the drop's event handling: the list changes after it returns.
        QTimer::singleShot(0, &m_library, [lib = &m_library, rows, to] { lib->imageBrowser_moveItemsAtIndexes(rows, to); });
        return true;
    }
    bool removeRows(int, int, const QModelIndex &) override { return false; }

private:
    QIcon thumbnail(const QString &path) const
    {
        auto it = m_thumbnails.find(path);
        if (it == m_thumbnails.end()) {
            const Picture t = Thimbnail_Using_CG_Image(path, QSizeF(kThumbnailSide, kThumbnailSide));
            it = m_thumbnails.insert(path, QIcon(QPixmap::fromImage(t.image())));
        }
        return *it;
    }

    Image_Library &m_library;
    mutable QHash<QString, QIcon> m_thumbnails;
};

Image_Library::Image_Library(QWidget *parent, Modal_Runner *runner) : QDialog(parent), m_runner(runner)
{
    setModal(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgbF(0.9450980392156862f, 0.9568627450980393f, 0.9803921568627451f));
    setPalette(pal);

    category_label = new QLabel(tr("Category:"), this);
    cat_cmbo_bx = new QComboBox(this);
    cat_cmbo_bx->setMinimumWidth(200);
    imageBrowser = new QListView(this);
    imageBrowser->setViewMode(QListView::IconMode);
    imageBrowser->setResizeMode(QListView::Adjust);
    imageBrowser->setMovement(QListView::Snap);
    imageBrowser->setSelectionMode(QAbstractItemView::ExtendedSelection);
    imageBrowser->setDragDropMode(QAbstractItemView::DragDrop);
    imageBrowser->setDefaultDropAction(Qt::MoveAction);
    imageBrowser->setSpacing(8);
    imageBrowser->setWordWrap(true);
    m_model = new LibraryBrowserModel(*this);
    imageBrowser->setModel(m_model);
    _zoom_label = new QLabel(tr("Zoom"), this);
    _zoom_slider = new QSlider(Qt::Horizontal, this);
    _zoom_slider->setRange(10, 100);  // hundredths
    ok = new QPushButton(tr("OK"), this);
    cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(category_label);
    top->addWidget(cat_cmbo_bx);
    top->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(_zoom_label);
    bottom->addWidget(_zoom_slider, 1);
    bottom->addStretch();
    bottom->addWidget(cancel);
    bottom->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(imageBrowser, 1);
    layout->addLayout(bottom);
    resize(640, 480);

    connect(cat_cmbo_bx, &QComboBox::currentIndexChanged, this, &Image_Library::Load_Category);
    connect(_zoom_slider, &QSlider::valueChanged, this, &Image_Library::zoomSliderDidChange);
    connect(imageBrowser->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Image_Library::selectionChanged);
    connect(ok, &QPushButton::clicked, this, &Image_Library::OK_Clicked);
    connect(cancel, &QPushButton::clicked, this, &Image_Library::Cancel_Clicked);
    zoomSliderDidChange(40);
}

Image_Library::~Image_Library() = default;

int Image_Library::Open_Library_Window()
{
    try {
        images.clear();
        reload();
        _zoom_slider->setValue(40);
        zoomSliderDidChange(40);
        selected_image = QString();
        if (control_or_BG == Library_Purpose::Control) {
            setWindowTitle(tr("Image Library"));
            cat_cmbo_bx->show();
            category_label->show();
            Fill_Combobox();
        } else {
            setWindowTitle(tr("Background Image Library"));
            cat_cmbo_bx->hide();
            category_label->hide();
            Load_and_fill_backgrounds();
        }
        if (!images.empty()) {
            _zoom_slider->setEnabled(true);
            selectItem(0);
        }
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

void Image_Library::Fill_Combobox()
{
    {
        const QSignalBlocker quiet(cat_cmbo_bx);
        cat_cmbo_bx->clear();
        // Shown capitalised; the folder's own name loads it.
        for (const LibraryCategory &c : Library_Categories(Resource_Path + QStringLiteral("LibraryImage")))
            cat_cmbo_bx->addItem(c.shown, c.folder);
        cat_cmbo_bx->setCurrentIndex(cat_cmbo_bx->count() > 0 ? 0 : -1);
    }
    if (cat_cmbo_bx->count() > 0) Load_Category(0);
}

void Image_Library::Load_Category(int row)
{
    if (row < 0 || row >= cat_cmbo_bx->count()) return;
    showFolder(Resource_Path + QStringLiteral("LibraryImage/") + cat_cmbo_bx->itemData(row).toString());
}

void Image_Library::Load_and_fill_backgrounds()
{
    showFolder(Resource_Path + QStringLiteral("Background"));
}

void Image_Library::showFolder(const QString &folder)
{
    if (!QFileInfo(folder).isDir()) return;
    images.clear();
    reload();
    for (const QString &path : Library_Picture_Files(folder)) {
        const QString name = QFileInfo(path).fileName();
        addImageWithPath(path, name, name);
    }
}

void Image_Library::addImageWithPath(const QString &path, const QString &name, const QString &uid)
{
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty()) return;
    images.push_back({trimmed, name, uid});
    reload();
}

void Image_Library::OK_Clicked()
{
    if (!selected_image.isEmpty() && QFileInfo::exists(selected_image)) {
        done(1);
        return;
    }
    Show_MessageBox(QStringLiteral("Please select image."));
}

void Image_Library::Cancel_Clicked()
{
    selected_image = QString();
    done(0);
}

void Image_Library::zoomSliderDidChange(int value)
{
    m_zoom = value / 100.0;
    const int side = int(kThumbnailSide * m_zoom);
    imageBrowser->setIconSize(QSize(side, side));
    imageBrowser->setGridSize(QSize(side + 24, side + 40));
}

void Image_Library::imageBrowser_moveItemsAtIndexes(const std::vector<int> &indexes, int to)
{
    Move_Library_Items(images, indexes, to);
    reload();
}

void Image_Library::imageBrowser_removeItemsAtIndexes(const std::vector<int> &) { reload(); }

void Image_Library::selectItem(int index)
{
    if (index < 0 || size_t(index) >= images.size()) return;
    imageBrowser->selectionModel()->select(m_model->index(index), QItemSelectionModel::ClearAndSelect);
}

void Image_Library::reload() { m_model->reset(); }

void Image_Library::selectionChanged()
{
    QModelIndexList chosen = imageBrowser->selectionModel()->selectedIndexes();
    if (chosen.isEmpty()) return;
    std::sort(chosen.begin(), chosen.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    const int row = chosen.front().row();
    if (size_t(row) < images.size()) selected_image = images[size_t(row)].path;
}
