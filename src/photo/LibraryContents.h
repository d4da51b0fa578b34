#pragma once
// What the picture library offers: its categories (the folders of "LibraryImage"),
// the pictures of a folder, and the order rule of moving browser items.
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

// A name with each word's first letter upper case and the rest lower case.
QString Capitalised_Category(const QString &name);

struct LibraryCategory {
    QString shown;   // capitalised
    QString folder;  // the folder's own name, which loads it
};
// The sub-folders of the folder, by name; none when it is not a folder.
std::vector<LibraryCategory> Library_Categories(const QString &libraryFolder);
// Full paths of the files directly in the folder whose extension is png or jpg in any
// case, by name; none when it is not a folder.
QStringList Library_Picture_Files(const QString &folder);

// Takes the items at the indexes out (in their order) and inserts them as one block at
// `to` less the number of them that stood before it. Indexes out of range are left out.
template <class T>
void Move_Library_Items(std::vector<T> &items, std::vector<int> indexes, int to)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    std::erase_if(indexes, [&items](int i) { return i < 0 || size_t(i) >= items.size(); });
    std::vector<T> moved;
    int before = 0;
    for (int i : indexes) {
        moved.push_back(items[size_t(i)]);
        if (i < to) ++before;
    }
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) items.erase(items.begin() + *it);
    const int at = std::clamp(to - before, 0, int(items.size()));
    items.insert(items.begin() + at, moved.begin(), moved.end());
}
