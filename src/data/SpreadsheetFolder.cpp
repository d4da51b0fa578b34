#include "SpreadsheetFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace {

QString rootOr(const QString &root) { return root.isEmpty() ? QDir::tempPath() : root; }

QTemporaryDir makeFolder(const QString &root)
{
    SpreadsheetFolder::Remove_Abandoned_Folders(root);
    return QTemporaryDir(root + QStringLiteral("/spreadsheet-%1-XXXXXX").arg(::getpid()));
}

} // namespace

SpreadsheetFolder::SpreadsheetFolder(const QString &root) : m_dir(makeFolder(rootOr(root))) {}

void SpreadsheetFolder::Remove_Abandoned_Folders(const QString &root)
{
    static const QRegularExpression name(QStringLiteral("^spreadsheet-([0-9]{1,9})-[^/]{6,}$"));
    const QDir dir(root);
    for (const QFileInfo &folder : dir.entryInfoList({QStringLiteral("spreadsheet-*")}, QDir::Dirs | QDir::NoSymLinks | QDir::Hidden)) {
        const QRegularExpressionMatch m = name.match(folder.fileName());
        if (!m.hasMatch() || folder.ownerId() != ::getuid()) continue;
        const pid_t pid = pid_t(m.captured(1).toInt());
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        QDir(folder.filePath()).removeRecursively();
    }
}
