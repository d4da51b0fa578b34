#include "FileWrite.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
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

// The file a path writes to: a symbolic link's target, else the path.
QString writtenPath(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

// The bytes in a temporary file beside `target`, flushed to the disk; null on failure.
// Its name is the target's and a suffix when that fits the file system, else a short
// hidden one; a target name the file system cannot hold fails before anything is made.
std::unique_ptr<QTemporaryFile> staged(const QString &target, const QByteArray &bytes, int permissions)
{
    const QFileInfo place(target);
    const qsizetype nameBytes = QFile::encodeName(place.fileName()).size();
    const int nameMax = File_Name_Max(place.absolutePath());
    if (nameBytes == 0 || nameBytes > nameMax) return nullptr;
    constexpr qsizetype kSuffix = 7;  // ".XXXXXX"
    // The temporary file is created owner-only, so a secret never sits in a file that
    // others may open; wider permissions are given before anything is written.
    auto f = std::make_unique<QTemporaryFile>(nameBytes + kSuffix <= nameMax
                                                  ? target + QStringLiteral(".XXXXXX")
                                                  : place.absolutePath() + QStringLiteral("/.write-XXXXXX"));
    if (!f->open()) return nullptr;
    if ((permissions & 0777) != 0600 && !f->setPermissions(toQt(permissions))) return nullptr;
    if (f->write(bytes) != bytes.size() || !f->flush() || ::fsync(f->handle()) != 0) return nullptr;
    return f;
}

bool putInPlace(QTemporaryFile &f, const QByteArray &target)
{
    if (std::rename(QFile::encodeName(f.fileName()).constData(), target.constData()) != 0) return false;
    f.setAutoRemove(false);
    return true;
}

// A second name for the regular file at `target` (a hard link beside it), so its bytes
// can come back; empty when there is no such file or the folder takes no links.
QByteArray keptCopy(const QByteArray &target)
{
    struct stat st {};
    if (::lstat(target.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    for (int n = 0; n < 100; ++n) {
        const QByteArray name = target + ".kept-" + QByteArray::number(n);
        if (::link(target.constData(), name.constData()) == 0) return name;
        if (errno != EEXIST) return {};
    }
    return {};
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
    const QString target = writtenPath(path);
    const std::unique_ptr<QTemporaryFile> f = staged(target, bytes, permissions);
    return f && putInPlace(*f, QFile::encodeName(target));
}

bool Write_Files_Whole(const std::vector<std::pair<QString, QByteArray>> &files, int permissions, int *failed)
{
    std::vector<std::unique_ptr<QTemporaryFile>> written;
    for (const auto &[path, bytes] : files) {
        written.push_back(staged(writtenPath(path), bytes, permissions));
        if (!written.back()) {
            if (failed) *failed = int(written.size()) - 1;
            return false;  // the temporary files go with `written`
        }
    }
    struct Placed {
        QByteArray target, kept;  // kept: the old bytes' second name (none for a new file)
    };
    std::vector<Placed> placed;
    for (size_t i = 0; i < files.size(); ++i) {
        Placed p{QFile::encodeName(writtenPath(files[i].first)), {}};
        // The last file needs no way back: when it fails, the old one stays.
        if (i + 1 < files.size()) p.kept = keptCopy(p.target);
        if (!putInPlace(*written[i], p.target)) {
            if (!p.kept.isEmpty()) ::unlink(p.kept.constData());
            for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
                if (it->kept.isEmpty()) ::unlink(it->target.constData());
                else std::rename(it->kept.constData(), it->target.constData());
            }
            if (failed) *failed = int(i);
            return false;
        }
        placed.push_back(p);
    }
    for (const Placed &p : placed)
        if (!p.kept.isEmpty()) ::unlink(p.kept.constData());
    return true;
}
