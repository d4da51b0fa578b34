#include "StandInPictures.h"

#include "ResourcePaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// A path's folder, with its closing slash (empty for a bare name), and its last part,
// trimmed and cleaned; nothing is read.
std::pair<QString, QString> folderAndName(const QString &path)
{
    const QString clean = QDir::cleanPath(path.trimmed());
    const qsizetype slash = clean.lastIndexOf(u'/');
    return {slash < 0 ? QString() : clean.left(slash + 1), clean.mid(slash + 1)};
}

bool isStandInName(const QString &fileName)
{
    return fileName == QLatin1String("no.png") || fileName == QLatin1String("pic_ic.png") ||
           fileName == QLatin1String("pic_err.png") || fileName == QLatin1String("no_camera.jpg");
}

// A small file read whole; empty when it cannot be read or is larger than `limit`.
QByteArray smallFile(const QString &path, qint64 limit)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > limit) return {};
    return f.readAll();
}
} // namespace

bool Is_Stand_In_Picture_Path(const QString &path, const QString &resourceFolder)
{
    const auto [folder, name] = folderAndName(path);
    if (!isStandInName(name)) return false;
    if (!resourceFolder.isEmpty() && folder == QDir::cleanPath(resourceFolder) + u'/') return true;
    return folder.endsWith(QLatin1String(".app/Contents/Resources/")) ||
           folder.endsWith(QLatin1String("/share/dozo-idcard/resources/"));
}

bool Is_Stand_In_Picture(const QString &path, const QString &resourceFolder)
{
    if (Is_Stand_In_Picture_Path(path, resourceFolder)) return true;
    const auto [folder, name] = folderAndName(path);
    if (!isStandInName(name) || resourceFolder.isEmpty()) return false;
    const QFileInfo theirs(path.trimmed());
    // Where a build folder that was moved or removed since kept it.
    if (Is_Resources_Folder_Name(folder) && !theirs.exists() && !theirs.isSymLink()) return true;
    const QFileInfo ours(QDir(resourceFolder).filePath(name));
    if (!ours.isFile() || !theirs.isFile() || ours.size() != theirs.size()) return false;
    const QByteArray bytes = smallFile(ours.filePath(), ours.size());
    return !bytes.isEmpty() && bytes == smallFile(theirs.filePath(), ours.size());
}
