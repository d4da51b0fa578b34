// Folder, file and data-folder helpers of Helpers.h.
#include "Helpers.h"

#include "Dialogs.h"
#include "FileWrite.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray nativePath(const QString &path) { return QFile::encodeName(path); }

// True when anything is at the path, a dangling link included.
bool existsAt(const QString &path)
{
    struct stat st;
    return ::lstat(nativePath(path).constData(), &st) == 0;
}

bool isFolder(const QString &path) { return QFileInfo(path).isDir(); }

QString parentOf(const QString &path)
{
    const QString parent = QFileInfo(path).path();
    return parent == path ? QString() : parent;
}

// Creates one folder with permissions 0700 whatever the umask; a folder that
// appeared meanwhile counts as made.
bool makeOneFolder(const QString &path)
{
    const QByteArray p = nativePath(path);
    if (::mkdir(p.constData(), 0700) != 0) return errno == EEXIST && isFolder(path);
    return ::chmod(p.constData(), 0700) == 0;
}

// Copies `source` to `target` unless something is at `target` already; the copy is
// written whole and is readable by its owner only.
bool copyWholeIfMissing(const QString &source, const QString &target)
{
    if (existsAt(target)) return true;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        Show_NSLog_Message(QStringLiteral("Cannot read %1: %2").arg(source, in.errorString()));
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError || !Write_File_Whole(target, bytes, 0600)) {
        Show_NSLog_Message(QStringLiteral("Cannot copy %1 to %2").arg(source, target));
        return false;
    }
    return true;
}

} // namespace

bool Create_Folder(const QString &path)
{
    if (path.isEmpty()) return false;
    if (existsAt(path)) return true;
    // Missing folders from the deepest up to the first one that exists.
    std::vector<QString> missing;
    for (QString p = QDir::cleanPath(path); !p.isEmpty() && !existsAt(p); p = parentOf(p))
        missing.push_back(p);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (!makeOneFolder(*it)) return false;
    return true;
}

void Delete_Folder(const QString &path)
{
    if (path.isEmpty()) return;
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(nativePath(path).toStdString()), ec);
    if (ec) Show_NSLog_Message(QString::fromStdString(ec.message()));
}

void Delete_File(const QString &path)
{
    if (path.isEmpty() || !existsAt(path)) return;
    // Deletable: the containing folder lets us remove entries.
    const QString folder = parentOf(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (folder.isEmpty() || ::access(nativePath(folder).constData(), W_OK | X_OK) != 0) return;
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(nativePath(path).toStdString()), ec);
    if (ec) Show_NSLog_Message(QString::fromStdString(ec.message()));
}

void Open_Help_File()
{
    const QString help = Resource_Path + QStringLiteral("Help.pdf");
    if (!QFileInfo::exists(help)) {
        Show_MessageBox(QStringLiteral("Help file does not exist!"));
        return;
    }
    if (!Open_With_Default_Application(help)) Show_NSLog_Message(QStringLiteral("Cannot open ") + help);
}

void Check_Path_And_Create_VISITOR_Files()
{
    if (Created_Resource_Path.isEmpty()) return;  // paths not located: never the working folder
    const QString folder = Path_Join(Created_Resource_Path, QStringLiteral("Visitor_Log"));
    Create_Folder(folder);
    if (!isFolder(folder)) return;  // Database_Path keeps its value
    Database_Path = Path_Join(folder, QStringLiteral("Visitor.db"));
    copyWholeIfMissing(Resource_Path + QStringLiteral("Visitor_Log/Visitor.db"), Database_Path);
}

void Check_Path_And_Create_Files()
{
    // Paths not located yet: nothing is made in the working folder instead.
    if (Resource_Path.isEmpty() || Created_Resource_Path.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Data folder set-up before the paths are known"));
        return;
    }
    // The shipped resources may be read-only: these only make sure of the folders
    // when they can.
    for (const char *name : {"Background", "Fill_Style_Image", "LibraryImage", "Templates"})
        Create_Folder(Resource_Path + QLatin1String(name));

    Create_Folder(Created_Resource_Path);
    Create_Folder(Path_Join(Created_Resource_Path, QStringLiteral("Templates/User")));

    Cropped_Img_Path = Path_Join(Created_Resource_Path, QStringLiteral("Cropped_Images"));
    Create_Folder(Cropped_Img_Path);

    Check_Path_And_Create_VISITOR_Files();

    Create_Folder(Path_Join(Created_Resource_Path, QStringLiteral("Images_save_by_user")));

    // The series folder, so that series can be listed and written from the start.
    Data_Folder_Path = Path_Join(Created_Resource_Path, QStringLiteral("DataSet"));
    Create_Folder(Data_Folder_Path);

    print_profile_path = Path_Join(Created_Resource_Path, QStringLiteral("PrintProfile"));
    Create_Folder(print_profile_path);
    if (isFolder(print_profile_path))
        copyWholeIfMissing(Resource_Path + QStringLiteral("PrintProfile/Default.zvp"),
                           Path_Join(print_profile_path, QStringLiteral("Default.zvp")));
}
