#pragma once
// A named node of an outline list with its children in insertion order (the group-mode
// project tree: one item per folder, its project files as children).
#include <QString>
#include <memory>
#include <vector>

struct TreeItem {
    using Ptr = std::shared_ptr<TreeItem>;

    QString name = QStringLiteral("name");
    std::vector<Ptr> children;

    static Ptr TreeItemName(const QString &name)
    {
        auto item = std::make_shared<TreeItem>();
        item->name = name;
        return item;
    }
    QString description() const { return name; }
    // Whether the item has children.
    bool isBoss() const { return !children.empty(); }
    void addTreeItem(Ptr item)
    {
        if (item) children.push_back(std::move(item));
    }
    int getTreeItemNumbers() const { return static_cast<int>(children.size()); }
    // A copy of the child list: later additions to the item do not show in it.
    std::vector<Ptr> getTreeItems() const { return children; }
    void RemoveAllTreeItem() { children.clear(); }
};
