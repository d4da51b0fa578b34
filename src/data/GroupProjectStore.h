#pragma once
// The group-mode project store: design files ("zcd") kept in folders under
// "Group_Excel_Data" of the per-user data folder. "Group_Excel_Data/All" is the root
// project folder and always exists while the store is in use. A folder is named by its
// path relative to "Group_Excel_Data" ("All", "All/Staff"); a project by its file name
// without extension. Listings are sorted by name so every view shows the same order.
// Nothing here asks the user: the windows ask and then call these functions.
// No command creates, deletes, renames or writes anything outside the store's own real
// path: only real folders of the store are listed as folders and offered as places for
// a project; a symbolic link in a store folder (to a folder, to a file, or leading
// nowhere) is a link row of its folder, removed as a link and never opened, copied,
// renamed or written through; a path that leads out of the store through a link is
// refused.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace GroupProjectStore {

// dataFolder + "Group_Excel_Data" (dataFolder ends with "/").
QString Root(const QString &dataFolder);
// Creates "Group_Excel_Data" and "All" in it when missing (0700); false on failure.
bool Ensure_Root(const QString &dataFolder);
// Relative paths of every real folder of the store, at any depth, sorted: a link and
// what lies behind it are not listed.
QStringList Folders(const QString &dataFolder);
// True when the relative path names a real folder of the store: it is there, and no
// link stands on the way from the store's root to it.
bool Is_Store_Folder(const QString &dataFolder, const QString &folder);
// True when the relative path may hold a new project: a real folder of the store, or a
// path whose deepest existing folder is one (the rest is made when the project is
// saved, so no link is on the way).
bool May_Hold_Project(const QString &dataFolder, const QString &folder);
// True when something, a link leading nowhere included, has that path.
bool Occupied(const QString &path);
// Project names (file names of "zcd" regular files without extension, links left out)
// directly in the folder at the given path, sorted; none when that path is a link.
QStringList Projects_In(const QString &folderPath);
// File names of the links directly in the folder at the given path, sorted.
QStringList Links_In(const QString &folderPath);

// One row of the project tree: a folder row (named by its relative path) followed by
// its projects' rows (named without extension) and its links' rows (named by their
// file names).
struct TreeRow {
    QString name;
    bool folder = false;
    QString path;  // the folder, the project's design file, or the link
    bool link = false;
    bool operator==(const TreeRow &) const = default;
};
QList<TreeRow> Tree_Rows(const QString &dataFolder);

// The design file of a project: Root + "/" + folder + "/" + name + ".zcd".
QString Project_Path(const QString &dataFolder, const QString &folder, const QString &name);

// A typed project name cleaned by Remove_Reserve_Char_In_File_Name; nullopt when the
// result is empty, "." or "..".
std::optional<QString> Clean_Project_Name(const QString &typed);

// The first free path "<name> (copy k).<ext>" beside the file, k from 1 (a link of
// that name, leading nowhere or not, takes the name).
QString Create_New_File_Path(const QString &path);

// Copies the project to Create_New_File_Path of it; the new path, or "" on failure
// (a link is no project).
QString Copy_Project(const QString &dataFolder, const QString &projectPath);

enum class Rename_Result { Renamed, Unchanged, Name_Exists, Bad_Name, Failed };
// Renames the project inside its own folder to the cleaned name, leaving its new path
// in *renamedTo when renamed. Anything of that name already in the folder (a link
// leading nowhere too) is a clash and changes nothing; a link is not renamed.
Rename_Result Rename_Project(const QString &dataFolder, const QString &projectPath, const QString &typedName,
                             QString *renamedTo = nullptr);

// Deletes the project's design file only; the folder goes too when it is then empty.
// Restores "All" afterwards. False when the file could not be deleted.
bool Delete_Project(const QString &dataFolder, const QString &projectPath);
// Removes a link of a store folder as a link; what it points to stays. False for
// anything that is not a link in a real folder of the store.
bool Delete_Link(const QString &dataFolder, const QString &linkPath);
// Deletes a folder of the store with everything in it; the root "All", paths outside
// the store and the store itself are refused (false); a link is removed as a link.
// Restores "All" afterwards.
bool Delete_Folder(const QString &dataFolder, const QString &folderPath);

// True when the file is the entry, or lies inside the folder entry. Both are compared
// by their real paths: the deepest part of each that is on disk with its links and
// ".." resolved, the rest as written; so a file that is gone still lies in its folder.
bool Is_In(const QString &file, const QString &entry);

} // namespace GroupProjectStore
