#include "Start_Card.h"

#include "FileUtilities.h"
#include "Globals.h"
#include "Paths.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
const char *kUserCategory = "User";

QString userTemplateFolder() { return Created_Resource_Path + QStringLiteral("Templates/User"); }
QString templateFolder(const QString &category)
{
    return category == QLatin1String(kUserCategory) ? userTemplateFolder()
                                                    : Resource_Path + QStringLiteral("Templates/") + category;
}
} // namespace

Start_Card *Start_Card::defaultInstance()
{
    static Start_Card *instance = new Start_Card;
    return instance;
}

Start_Card::Start_Card()
{
    setWindowTitle(tr("Start a new card"));
    setModal(true);
    resize(760, 520);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(tr("Choose a blank card or a template to begin with."));
    layout->addWidget(title);
    m_category = new QComboBox;
    layout->addWidget(m_category);
    m_list = new QListWidget;
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(160, 110));
    m_list->setGridSize(QSize(190, 150));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setWordWrap(true);
    layout->addWidget(m_list, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Open"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (QListWidgetItem *item = m_list->currentItem()) {
            m_selected = item->data(kPathRole).toString();
            done(1);
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(0); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_selected = item->data(kPathRole).toString();
        done(1);
    });
    connect(m_category, &QComboBox::currentTextChanged, this, &Start_Card::fillCategory);
}

QStringList Start_Card::templateCategories()
{
    QStringList categories = Get_Folder_Array_At_Path(Resource_Path + QStringLiteral("Templates"));
    categories.sort();
    categories << QLatin1String(kUserCategory);
    return categories;
}

QStringList Start_Card::templatesOfCategory(const QString &category)
{
    QStringList paths;
    const QString folder = templateFolder(category);
    for (const QString &name : Get_Files_Array_At_Path(folder, 0))
        if (QFileInfo(name).suffix().compare(design_file_EXT, Qt::CaseInsensitive) == 0)
            paths << Path_Join(folder, name);
    return paths;
}

void Start_Card::fillCategory(const QString &category)
{
    m_list->clear();
    auto *blank = new QListWidgetItem(tr("Blank Card"));
    blank->setData(kPathRole, QString());
    QPixmap white(160, 101);
    white.fill(Qt::white);
    blank->setIcon(QIcon(white));
    m_list->addItem(blank);
    for (const QString &path : templatesOfCategory(category)) {
        auto *item = new QListWidgetItem(QFileInfo(path).completeBaseName());
        item->setData(kPathRole, path);
        const QString preview = QFileInfo(path).path() + u'/' + QFileInfo(path).completeBaseName() + QStringLiteral(".png");
        item->setIcon(QIcon(preview));
        m_list->addItem(item);
    }
    m_list->setCurrentRow(0);
}

int Start_Card::Open_Wnd()
{
    m_selected.clear();
    const QString current = m_category->currentText();
    m_category->blockSignals(true);
    m_category->clear();
    m_category->addItems(templateCategories());
    m_category->blockSignals(false);
    // Visitor passes first: the main use of the application.
    const int at = m_category->findText(current.isEmpty() ? QStringLiteral("Visitor") : current);
    m_category->setCurrentIndex(at >= 0 ? at : 0);
    fillCategory(m_category->currentText());
    const int result = exec();
    hide();
    return result;
}
