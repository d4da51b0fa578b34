#pragma once
// The project tree of the group-mode store: one row per folder (its path relative to
// "Group_Excel_Data") with the folder's projects and links below it, and the project
// commands Copy, Rename and Delete (a folder row is deleted with everything in it, a
// link row as a link; a link is never opened, copied or renamed). The tree is rebuilt
// from disk after every command.
#include "GroupProjectStore.h"

#include <QWidget>
#include <functional>
#include <optional>

class QPushButton;
class QTreeWidget;

class Group_Project_Tree : public QWidget {
    Q_OBJECT
public:
    // dataFolder: the per-user data folder, ending with "/".
    explicit Group_Project_Tree(QString dataFolder, QWidget *parent = nullptr);

    // Rebuilds the tree from the store ("All" made when missing) and selects the row of
    // the last command again (row 1, the row below "All", the first time).
    void Fill_Tree_View();
    // The path the selected row stands for: a folder or a project's design file; ""
    // when nothing or a link is selected.
    QString Get_Selected_Project_Path() const;
    // True when the tree shows at least two rows (a project or a second folder).
    bool project_created() const { return m_projectCreated; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const QList<GroupProjectStore::TreeRow> &rows() const { return m_rows; }
    // Selects the row (in display order); false when there is no such row.
    bool selectRow(int row);
    int selectedRow() const;

    void Copy_Prj_Click();
    void Rename_Prj_Click();
    void Delete_Prj_Click();

    // Asks the new name of a project (the name to show in: the present name, or after
    // a refused empty name what was typed); nullopt on Cancel. By default a name box
    // titled "Rename Project".
    std::function<std::optional<QString>(const QString &)> askName;

    QTreeWidget *treeView = nullptr;
    QPushButton *copy_btn = nullptr, *rename_btn = nullptr, *delete_btn = nullptr;

signals:
    // The selection changed, or the tree was rebuilt.
    void selectionChanged();
    // A project was renamed: its design file's path before and after.
    void projectRenamed(const QString &from, const QString &to);
    // After Yes to deleting a project (its design file) or a folder with everything in
    // it, whether or not all of it could be deleted.
    void projectDeleted(const QString &path);

private:
    // The selected project's path after checking it names an existing project file;
    // "" after "Please select project.".
    QString selectedProject();

    QString m_data;
    QList<GroupProjectStore::TreeRow> m_rows;
    int m_lastRow = 0;
    bool m_projectCreated = false;
};
