#include "Paths.h"

#include "Globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString withSlash(QString path)
{
    if (!path.endsWith(u'/')) path += u'/';
    return path;
}

QString findResources()
{
    const QString env = qEnvironmentVariable("DOZO_RESOURCES");
    if (!env.isEmpty() && QFileInfo(env).isDir()) return env;
    const QString exeDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                        : QDir::currentPath();
    const QStringList candidates = {
        exeDir + QStringLiteral("/resources"),
        exeDir + QStringLiteral("/../share/dozo-idcard/resources"),
        QDir::currentPath() + QStringLiteral("/resources"),
    };
    for (const QString &c : candidates)
        if (QFileInfo(c).isDir()) return QFileInfo(c).absoluteFilePath();
    return candidates.front();
}
} // namespace

void Locate_Application_Paths()
{
    Resource_Path = withSlash(findResources());
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share/") + App_Name;
    Created_Resource_Path = withSlash(data);
}

QString Path_Join(const QString &folder, const QString &name)
{
    QString path;
    if (folder.isEmpty()) path = name;
    else if (folder.endsWith(u'/')) path = name.startsWith(u'/') ? folder + name.mid(1) : folder + name;
    else path = name.startsWith(u'/') ? folder + name : folder + u'/' + name;
    return path.startsWith(u':') ? QStringLiteral("./") + path : path;
}
