#include "ResourcePaths.h"

#include "FileUtilities.h"
#include "Globals.h"

#include <QFileInfo>

namespace {
const QString kResourcesInBundle = QStringLiteral(".app/Contents/Resources/");
const QString kResourcesInstalled = QStringLiteral("/share/dozo-idcard/resources/");
const QString kResourcesBuilt = QStringLiteral("/resources/");
} // namespace

QString Stored_Resource_Path(const QString &path, const QString &resourceFolder)
{
    const QString trimmed = path.trimmed();
    if (resourceFolder.isEmpty() || !trimmed.startsWith(resourceFolder) || trimmed.size() == resourceFolder.size())
        return path;
    return App_Name + kResourcesInBundle + trimmed.mid(resourceFolder.size());
}

QString Repoint_Resource_Path(const QString &path, const QString &resourceFolder)
{
    if (path.contains(kResourcesInBundle)) return Check_Path_For_App_Resources(path, resourceFolder);
    const QString trimmed = path.trimmed();
    if (resourceFolder.isEmpty() || trimmed.startsWith(resourceFolder)) return path;
    if (const qsizetype at = trimmed.indexOf(kResourcesInstalled); at >= 0)
        return resourceFolder + trimmed.mid(at + kResourcesInstalled.size());
    // A build folder's resources: only a picture that is gone from there and that ours hold.
    const qsizetype at = trimmed.lastIndexOf(kResourcesBuilt);
    if (at < 0 || QFileInfo::exists(trimmed)) return path;
    const QString rest = trimmed.mid(at + kResourcesBuilt.size());
    if (rest.isEmpty() || !QFileInfo(resourceFolder + rest).isFile()) return path;
    return resourceFolder + rest;
}

bool Is_Resources_Folder_Name(const QString &folder)
{
    return folder.endsWith(kResourcesBuilt);  // an installed copy's ends so too
}
