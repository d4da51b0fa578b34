#include "FileWrite.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

namespace {
QFileDevice::Permissions toQt(int mode)
{
    QFileDevice::Permissions p;
    if (mode & 0400) p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & 0200) p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & 0100) p |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (mode & 0040) p |= QFileDevice::ReadGroup;
    if (mode & 0020) p |= QFileDevice::WriteGroup;
    if (mode & 0010) p |= QFileDevice::ExeGroup;
    if (mode & 0004) p |= QFileDevice::ReadOther;
    if (mode & 0002) p |= QFileDevice::WriteOther;
    if (mode & 0001) p |= QFileDevice::ExeOther;
    return p;
}
} // namespace

bool Write_File_Whole(const QString &path, const QByteArray &bytes, int permissions)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    // The temporary file is created owner-only, so a secret never sits in a file that
    // others may open; wider permissions are given before anything is written.
    QTemporaryFile f(target + QStringLiteral(".XXXXXX"));
    if (!f.open()) return false;
    if ((permissions & 0777) != 0600 && !f.setPermissions(toQt(permissions))) return false;
    if (f.write(bytes) != bytes.size() || !f.flush() || ::fsync(f.handle()) != 0) return false;
    if (std::rename(QFile::encodeName(f.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    f.setAutoRemove(false);
    return true;
}
