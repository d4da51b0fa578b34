#pragma once
// The group-mode project store: design files ("zcd") kept in folders under
// "Group_Excel_Data" of the per-user data folder. "Group_Excel_Data/All" is the root
// project folder and always exists while the store is in use. A folder is named by its
// path relative to "Group_Excel_Data" ("All", "All/Staff"); a project by its file name
// without extension. Listings are sorted by name so every view shows the same order.
// Nothing here asks the user: the windows ask and then call these functions.
// No command deletes, renames or writes anything outside the store: a symbolic link in
// the store is listed as a folder row without projects and removed as a link; a path
// that leads out of the store through a link is refused.
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace GroupProjectStore {

// dataFolder + "Group_Excel_Data" (dataFolder ends with "/").
QString Root(const QString &dataFolder);
// Creates "Group_Excel_Data" and "All" in it when missing (0700); false on failure.
bool Ensure_Root(const QString &dataFolder);
// Relative paths of every folder of the store, at any depth, sorted.
QStringList Folders(const QString &dataFolder);
// Project names (file names of "zcd" files without extension) directly in the folder
// at the given path, sorted; none when that path is a symbolic link.
QStringList Projects_In(const QString &folderPath);

// One row of the project tree: a folder row (named by its relative path) followed by
// its projects' rows.
struct TreeRow {
    QString name;
    bool folder = false;
    QString path;  // the folder, or the project's design file
    bool operator==(const TreeRow &) const = default;
};
QList<TreeRow> Tree_Rows(const QString &dataFolder);

// The design file of a project: Root + "/" + folder + "/" + name + ".zcd".
QString Project_Path(const QString &dataFolder, const QString &folder, const QString &name);

// A typed project name cleaned by Remove_Reserve_Char_In_File_Name; nullopt when the
// result is empty, "." or "..".
std::optional<QString> Clean_Project_Name(const QString &typed);

// The first free path "<name> (copy k).<ext>" beside the file, k from 1.
QString Create_New_File_Path(const QString &path);

// Copies the project to Create_New_File_Path of it; the new path, or "" on failure.
QString Copy_Project(const QString &dataFolder, const QString &projectPath);

enum class Rename_Result { Renamed, Unchanged, Name_Exists, Bad_Name, Failed };
// Renames the project inside its own folder to the cleaned name. A project of that
// name already in the folder is a clash and changes nothing.
Rename_Result Rename_Project(const QString &dataFolder, const QString &projectPath, const QString &typedName);

// Deletes the project's design file only; the folder goes too when it is then empty.
// Restores "All" afterwards. False when the file could not be deleted.
bool Delete_Project(const QString &dataFolder, const QString &projectPath);
// Deletes a folder of the store with everything in it; the root "All", paths outside
// the store and the store itself are refused (false); a link is removed as a link.
// Restores "All" afterwards.
bool Delete_Folder(const QString &dataFolder, const QString &folderPath);

} // namespace GroupProjectStore
