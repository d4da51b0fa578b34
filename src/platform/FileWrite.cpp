#include "FileWrite.h"

#include <QFile>
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

int File_Name_Max(const QString &folder)
{
    constexpr int kUsual = 255;
    const long max = folder.isEmpty() ? -1 : ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    return max > 0 && max < kUsual * 16 ? int(max) : kUsual;
}

bool Write_File_Whole(const QString &path, const QByteArray &bytes, int permissions)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const QFileInfo place(target);
    const qsizetype nameBytes = QFile::encodeName(place.fileName()).size();
    const int nameMax = File_Name_Max(place.absolutePath());
    if (nameBytes == 0 || nameBytes > nameMax) return false;
    // The temporary file is created owner-only, so a secret never sits in a file that
    // others may open; wider permissions are given before anything is written. Its name
    // is the target's and a suffix when that fits, else a short one.
    constexpr qsizetype kSuffix = 7;  // ".XXXXXX"
    QTemporaryFile f(nameBytes + kSuffix <= nameMax ? target + QStringLiteral(".XXXXXX")
                                                    : place.absolutePath() + QStringLiteral("/.write-XXXXXX"));
    if (!f.open()) return false;
    if ((permissions & 0777) != 0600 && !f.setPermissions(toQt(permissions))) return false;
    if (f.write(bytes) != bytes.size() || !f.flush() || ::fsync(f.handle()) != 0) return false;
    if (std::rename(QFile::encodeName(f.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    f.setAutoRemove(false);
    return true;
}
