#include "GroupProjectStore.h"

#include "FileUtilities.h"
#include "Helpers.h"
#include "Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace GroupProjectStore {

namespace {

const QString kRootName = QStringLiteral("Group_Excel_Data");
const QString kAll = QStringLiteral("All");
const QString kExt = QStringLiteral("zcd");

QString clean(const QString &path)
{
    return QDir::cleanPath(path);
}

// The path with its deepest part on disk resolved to its real path, the rest as written.
QString realPath(const QString &path)
{
    QString head = clean(QFileInfo(path).absoluteFilePath());
    QString tail;
    for (;;) {
        const QString real = QFileInfo(head).canonicalFilePath();
        if (!real.isEmpty()) return clean(real + tail);
        const qsizetype slash = head.lastIndexOf(QLatin1Char('/'));
        if (slash < 0 || head == QLatin1String("/")) break;
        tail.prepend(head.mid(slash));
        head.truncate(slash > 0 ? slash : 1);
    }
    return clean(QFileInfo(path).absoluteFilePath());
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
    QStringList folders;
    // The listing also names links to folders and links leading nowhere.
    for (const QString &folder : Get_Folders_And_Sub_Folder_Array_At_Path(Root(dataFolder)))
        if (Is_Store_Folder(dataFolder, folder)) folders << folder;
    folders.sort();
    return folders;
}

bool Is_Store_Folder(const QString &dataFolder, const QString &folder)
{
    const QString relative = clean(folder.trimmed());
    if (relative.isEmpty() || relative == QLatin1String(".") || relative.startsWith(QLatin1Char('/'))
        || relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")))
        return false;
    const QString root = QFileInfo(Root(dataFolder)).canonicalFilePath();
    const QFileInfo info(Root(dataFolder) + QLatin1Char('/') + relative);
    // The real path of a folder reached through no link is its named path.
    return !root.isEmpty() && info.isDir() && !info.isSymLink()
        && info.canonicalFilePath() == root + QLatin1Char('/') + relative;
}

bool May_Hold_Project(const QString &dataFolder, const QString &folder)
{
    QString relative = clean(folder.trimmed());
    if (relative.isEmpty() || relative.startsWith(QLatin1Char('/'))
        || relative.split(QLatin1Char('/')).contains(QStringLiteral("..")))
        return false;
    const QString root = Root(dataFolder) + QLatin1Char('/');
    // Up to the deepest part that is there; what is missing below it is made anew.
    while (!Occupied(root + relative)) {
        const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
        if (slash < 0) return QFileInfo(Root(dataFolder)).isDir();
        relative.truncate(slash);
    }
    return Is_Store_Folder(dataFolder, relative);
}

bool Occupied(const QString &path) { return Path_Is_Taken(path); }

QStringList Projects_In(const QString &folderPath)
{
    QStringList names;
    if (QFileInfo(folderPath).isSymLink()) return names;  // what a link holds lies elsewhere
    const QDir dir(folderPath);
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Unsorted)) {
        if (!info.isSymLink() && info.suffix() == kExt) names << info.completeBaseName();
    }
    names.sort();
    return names;
}

QStringList Links_In(const QString &folderPath)
{
    QStringList names;
    if (QFileInfo(folderPath).isSymLink()) return names;
    const QDir dir(folderPath);
    // System brings the links that lead nowhere.
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted)) {
        if (info.isSymLink()) names << info.fileName();
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
        for (const QString &name : Links_In(root + folder)) {
            rows.append({name, false, root + folder + QLatin1Char('/') + name, true});
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
        if (!Occupied(candidate)) return candidate;
    }
}

QString Copy_Project(const QString &dataFolder, const QString &projectPath)
{
    const QFileInfo info(projectPath);
    if (!reallyInsideStore(dataFolder, projectPath) || info.isSymLink() || !info.isFile()) return {};
    const QString target = Create_New_File_Path(projectPath);
    if (!QFile::copy(projectPath, target)) {
        Show_NSLog_Message(QStringLiteral("Could not copy ") + projectPath);
        return {};
    }
    return target;
}

Rename_Result Rename_Project(const QString &dataFolder, const QString &projectPath, const QString &typedName,
                             QString *renamedTo)
{
    const std::optional<QString> name = Clean_Project_Name(typedName);
    if (!name) return Rename_Result::Bad_Name;
    const QFileInfo info(projectPath);
    if (!reallyInsideStore(dataFolder, projectPath) || info.isSymLink() || !info.isFile())
        return Rename_Result::Failed;
    if (*name == info.completeBaseName()) return Rename_Result::Unchanged;
    const QString target = info.absolutePath() + QLatin1Char('/') + *name + QLatin1Char('.') + kExt;
    if (Occupied(target)) return Rename_Result::Name_Exists;
    // The system's rename moves the entry and nothing else: QFile::rename would fall
    // back to copying the bytes into the new name, through a link if one appeared there.
    if (std::rename(QFile::encodeName(projectPath).constData(), QFile::encodeName(target).constData()) != 0)
        return Rename_Result::Failed;
    if (renamedTo) *renamedTo = target;
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

bool Delete_Link(const QString &dataFolder, const QString &linkPath)
{
    const QString path = clean(linkPath);
    if (!reallyInsideStore(dataFolder, path) || !QFileInfo(path).isSymLink()) return false;
    return QFile::remove(path);
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

bool Is_In(const QString &file, const QString &entry)
{
    if (file.isEmpty() || entry.isEmpty()) return false;
    const QString f = realPath(file), e = realPath(entry);
    return f == e || f.startsWith(e + QLatin1Char('/'));
}

} // namespace GroupProjectStore
