#include "Group_Project_Tree.h"

#include "MessageBox.h"

#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace GPS = GroupProjectStore;

namespace {
constexpr int kRowRole = Qt::UserRole + 1;
const QString kSelectProject = QStringLiteral("Please select project.");
} // namespace

Group_Project_Tree::Group_Project_Tree(QString dataFolder, QWidget *parent)
    : QWidget(parent), m_data(std::move(dataFolder))
{
    treeView = new QTreeWidget(this);
    treeView->setHeaderHidden(true);
    treeView->setColumnCount(1);
    treeView->setSelectionMode(QAbstractItemView::SingleSelection);
    copy_btn = new QPushButton(tr("Copy"), this);
    rename_btn = new QPushButton(tr("Rename"), this);
    delete_btn = new QPushButton(tr("Delete"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(copy_btn);
    buttons->addWidget(rename_btn);
    buttons->addWidget(delete_btn);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(treeView, 1);
    layout->addLayout(buttons);

    askName = [this](const QString &current) -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(this, QStringLiteral("Rename Project"), tr("Project name:"),
                                                   QLineEdit::Normal, current, &ok);
        if (!ok) return std::nullopt;
        return name;
    };
    connect(treeView, &QTreeWidget::itemSelectionChanged, this, &Group_Project_Tree::selectionChanged);
    connect(copy_btn, &QPushButton::clicked, this, &Group_Project_Tree::Copy_Prj_Click);
    connect(rename_btn, &QPushButton::clicked, this, &Group_Project_Tree::Rename_Prj_Click);
    connect(delete_btn, &QPushButton::clicked, this, &Group_Project_Tree::Delete_Prj_Click);
}

void Group_Project_Tree::Fill_Tree_View()
{
    GPS::Ensure_Root(m_data);
    m_rows = GPS::Tree_Rows(m_data);
    const QSignalBlocker quiet(treeView);
    treeView->clear();
    QTreeWidgetItem *folder = nullptr;
    for (int i = 0; i < m_rows.size(); ++i) {
        const GPS::TreeRow &row = m_rows.at(i);
        QTreeWidgetItem *item = row.folder || !folder ? new QTreeWidgetItem(treeView) : new QTreeWidgetItem(folder);
        item->setText(0, row.link ? row.name + QStringLiteral(" (link)") : row.name);
        item->setData(0, kRowRole, i);
        if (row.link) {
            QFont font = item->font(0);
            font.setItalic(true);
            item->setFont(0, font);
            const QString target = QFileInfo(row.path).symLinkTarget();
            item->setToolTip(0, tr("Link to %1").arg(target));
        }
        if (row.folder) folder = item;
    }
    treeView->expandAll();
    if (m_lastRow <= 0) m_lastRow = 1;
    if (m_lastRow < m_rows.size()) selectRow(m_lastRow);
    m_projectCreated = m_rows.size() >= 2;
    emit selectionChanged();
}

bool Group_Project_Tree::selectRow(int row)
{
    QTreeWidgetItemIterator it(treeView);
    for (; *it; ++it) {
        if ((*it)->data(0, kRowRole).toInt() == row) {
            treeView->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

int Group_Project_Tree::selectedRow() const
{
    const QList<QTreeWidgetItem *> items = treeView->selectedItems();
    return items.isEmpty() ? -1 : items.front()->data(0, kRowRole).toInt();
}

QString Group_Project_Tree::Get_Selected_Project_Path() const
{
    const int row = selectedRow();
    return row >= 0 && row < m_rows.size() && !m_rows.at(row).link ? m_rows.at(row).path : QString();
}

QString Group_Project_Tree::selectedProject()
{
    m_lastRow = selectedRow();
    const int row = m_lastRow;
    const bool project = row >= 0 && row < m_rows.size() && !m_rows.at(row).folder && !m_rows.at(row).link;
    const QString path = project ? m_rows.at(row).path : QString();
    const QFileInfo info(path);
    if (path.isEmpty() || info.isSymLink() || !info.isFile()) {
        Show_MessageBox(kSelectProject);
        return {};
    }
    return path;
}

void Group_Project_Tree::Copy_Prj_Click()
{
    const QString path = selectedProject();
    if (path.isEmpty()) return;
    if (Show_YES_NO_MessageBox(QStringLiteral("Do you want to make copy of this project?")) != 1) return;
    GPS::Copy_Project(m_data, path);
    Fill_Tree_View();
}

void Group_Project_Tree::Rename_Prj_Click()
{
    const QString path = selectedProject();
    if (path.isEmpty()) return;
    // An empty name is refused and the name box comes again, holding what was typed,
    // until a name is given or the box is cancelled.
    QString typed = QFileInfo(path).completeBaseName();
    QString renamed;
    for (;;) {
        const std::optional<QString> name = askName ? askName(typed) : std::nullopt;
        if (!name) return;
        switch (GPS::Rename_Project(m_data, path, *name, &renamed)) {
        case GPS::Rename_Result::Bad_Name:
            Show_MessageBox(QStringLiteral("Please enter project name."));
            typed = *name;
            continue;
        case GPS::Rename_Result::Name_Exists: Show_MessageBox(QStringLiteral("Project name already exist.")); return;
        case GPS::Rename_Result::Failed: Show_MessageBox(QStringLiteral("Error in file accessing.")); return;
        case GPS::Rename_Result::Unchanged: return;
        case GPS::Rename_Result::Renamed: break;
        }
        break;
    }
    emit projectRenamed(path, renamed);
    Fill_Tree_View();
}

void Group_Project_Tree::Delete_Prj_Click()
{
    m_lastRow = selectedRow();
    const int row = m_lastRow;
    if (row < 0 || row >= m_rows.size()) {
        Show_MessageBox(kSelectProject);
        return;
    }
    const GPS::TreeRow &chosen = m_rows.at(row);
    if (chosen.link) {
        // A link goes as a link, wherever it leads (or when it leads nowhere).
        if (!QFileInfo(chosen.path).isSymLink()) {
            Show_MessageBox(kSelectProject);
            return;
        }
        if (Show_YES_NO_MessageBox(QStringLiteral("Do you want to delete this link?")) != 1) return;
        GPS::Delete_Link(m_data, chosen.path);
    } else if (chosen.folder) {
        // The root "All" is never deleted.
        const QFileInfo folder(chosen.path);
        if (chosen.name == QLatin1String("All") || folder.isSymLink() || !folder.isDir()) {
            Show_MessageBox(kSelectProject);
            return;
        }
        if (Show_YES_NO_MessageBox(QStringLiteral("This Folder may be contain files if you delete this folder, also "
                                                  "deleted contain files. Do you want to delete this folder "
                                                  "permanently?")) != 1)
            return;
        GPS::Delete_Folder(m_data, chosen.path);
        emit projectDeleted(QString(chosen.path));
    } else {
        if (QFileInfo(chosen.path).isSymLink() || !QFileInfo(chosen.path).isFile()) {
            Show_MessageBox(kSelectProject);
            return;
        }
        if (Show_YES_NO_MessageBox(QStringLiteral("Do you want to delete this project?")) != 1) return;
        GPS::Delete_Project(m_data, chosen.path);
        emit projectDeleted(QString(chosen.path));
    }
    Fill_Tree_View();
}
