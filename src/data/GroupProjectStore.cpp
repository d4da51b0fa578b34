#include "GroupProjectStore.h"

#include "FileUtilities.h"
#include "Helpers.h"
#include "Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace GroupProjectStore {

namespace {

const QString kRootName = QStringLiteral("Group_Excel_Data");
const QString kAll = QStringLiteral("All");
const QString kExt = QStringLiteral("zcd");

QString clean(const QString &path)
{
    return QDir::cleanPath(path);
}

// True when path lies strictly inside the store's root.
bool insideStore(const QString &dataFolder, const QString &path)
{
    const QString root = clean(Root(dataFolder)) + QLatin1Char('/');
    return clean(path).startsWith(root);
}

// True when path is named inside the store and the folder holding it really is there:
// no symbolic link on the way leads out of the store. The entry itself may be a link;
// the commands then act on the link, never on what it points to.
bool reallyInsideStore(const QString &dataFolder, const QString &path)
{
    if (!insideStore(dataFolder, path)) return false;
    const QString root = QFileInfo(Root(dataFolder)).canonicalFilePath();
    const QString parent = QFileInfo(QFileInfo(clean(path)).absolutePath()).canonicalFilePath();
    if (root.isEmpty() || parent.isEmpty()) return false;
    return parent == root || parent.startsWith(root + QLatin1Char('/'));
}

} // namespace

QString Root(const QString &dataFolder)
{
    return dataFolder + kRootName;
}

bool Ensure_Root(const QString &dataFolder)
{
    return Create_Folder(Root(dataFolder)) && Create_Folder(Root(dataFolder) + QLatin1Char('/') + kAll);
}

QStringList Folders(const QString &dataFolder)
{
    QStringList folders = Get_Folders_And_Sub_Folder_Array_At_Path(Root(dataFolder));
    folders.sort();
    return folders;
}

QStringList Projects_In(const QString &folderPath)
{
    QStringList names;
    if (QFileInfo(folderPath).isSymLink()) return names;  // what a link holds lies elsewhere
    const QDir dir(folderPath);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted)) {
        if (info.suffix() == kExt) names << info.completeBaseName();
    }
    names.sort();
    return names;
}

QList<TreeRow> Tree_Rows(const QString &dataFolder)
{
    QList<TreeRow> rows;
    const QString root = Root(dataFolder) + QLatin1Char('/');
    for (const QString &folder : Folders(dataFolder)) {
        rows.append({folder, true, root + folder});
        for (const QString &name : Projects_In(root + folder)) {
            rows.append({name, false, Project_Path(dataFolder, folder, name)});
        }
    }
    return rows;
}

QString Project_Path(const QString &dataFolder, const QString &folder, const QString &name)
{
    return Root(dataFolder) + QLatin1Char('/') + folder + QLatin1Char('/') + name + QLatin1Char('.') + kExt;
}

std::optional<QString> Clean_Project_Name(const QString &typed)
{
    const QString name = Remove_Reserve_Char_In_File_Name(typed);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return std::nullopt;
    return name;
}

QString Create_New_File_Path(const QString &path)
{
    const QFileInfo info(path);
    const QString dir = info.absolutePath() + QLatin1Char('/');
    const QString base = info.completeBaseName();
    const QString ext = info.suffix();
    for (int k = 1;; ++k) {
        const QString candidate = dir + QStringLiteral("%1 (copy %2).%3").arg(base).arg(k).arg(ext);
        if (!QFileInfo::exists(candidate)) return candidate;
    }
}

QString Copy_Project(const QString &dataFolder, const QString &projectPath)
{
    if (!reallyInsideStore(dataFolder, projectPath) || !QFileInfo(projectPath).isFile()) return {};
    const QString target = Create_New_File_Path(projectPath);
    if (!QFile::copy(projectPath, target)) {
        Show_NSLog_Message(QStringLiteral("Could not copy ") + projectPath);
        return {};
    }
    return target;
}

Rename_Result Rename_Project(const QString &dataFolder, const QString &projectPath, const QString &typedName)
{
    const std::optional<QString> name = Clean_Project_Name(typedName);
    if (!name) return Rename_Result::Bad_Name;
    const QFileInfo info(projectPath);
    if (!reallyInsideStore(dataFolder, projectPath) || !info.isFile()) return Rename_Result::Failed;
    if (*name == info.completeBaseName()) return Rename_Result::Unchanged;
    const QString target = info.absolutePath() + QLatin1Char('/') + *name + QLatin1Char('.') + kExt;
    if (QFileInfo::exists(target)) return Rename_Result::Name_Exists;
    if (!QFile::rename(projectPath, target)) return Rename_Result::Failed;
    return Rename_Result::Renamed;
}

bool Delete_Project(const QString &dataFolder, const QString &projectPath)
{
    const QFileInfo info(projectPath);
    if (!reallyInsideStore(dataFolder, projectPath) || !info.isFile() || info.suffix() != kExt) return false;
    const bool removed = QFile::remove(projectPath);
    const QString folder = info.absolutePath();
    const bool isAll = clean(folder) == clean(Root(dataFolder) + QLatin1Char('/') + kAll);
    if (removed && QDir(folder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (!isAll) QDir().rmdir(folder);
    }
    Ensure_Root(dataFolder);
    return removed;
}

bool Delete_Folder(const QString &dataFolder, const QString &folderPath)
{
    const QFileInfo info(clean(folderPath));
    if (!reallyInsideStore(dataFolder, folderPath) || !info.isDir()) return false;
    if (clean(folderPath) == clean(Root(dataFolder) + QLatin1Char('/') + kAll)) return false;
    // A link goes as a link; inside a real folder, removeRecursively removes links as
    // links and never descends through them.
    const bool removed = info.isSymLink() ? QFile::remove(clean(folderPath)) : QDir(folderPath).removeRecursively();
    Ensure_Root(dataFolder);
    return removed;
}

} // namespace GroupProjectStore
