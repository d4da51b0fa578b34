#include "FileWrite.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
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

// Who writes now: the tag of this machine, this process and the time, as the writer's
// own names carry them.
struct Writer {
    QByteArray machine;  // 8 hex digits
    qint64 process;
    qint64 time;
};

Writer thisWriter()
{
    QByteArray id = QSysInfo::machineUniqueId();
    if (id.isEmpty()) id = QSysInfo::machineHostName().toUtf8();
    return {QCryptographicHash::hash(id, QCryptographicHash::Md5).left(4).toHex(), ::getpid(),
            QDateTime::currentSecsSinceEpoch()};
}

constexpr qsizetype kRandom = 6;
constexpr qint64 kStaleSeconds = 30 * 60;

// The name of a file of the writer's own beside `target` but its random part: the
// target's name and the mark when that fits the file system, else the mark alone.
QString ownName(const QString &target, char kind, const Writer &w)
{
    const QFileInfo place(target);
    const QString mark = QString::asprintf(".~dozo-%c-%s-%08llx-%08llx-", kind, w.machine.constData(),
                                           (unsigned long long)w.process, (unsigned long long)w.time);
    const bool fits = QFile::encodeName(place.fileName()).size() + mark.size() + kRandom
                      <= File_Name_Max(place.absolutePath());
    return (fits ? target : place.absolutePath() + u'/') + mark;
}

// Whether a leftover named by `m` belongs to no running write.
bool stale(const QRegularExpressionMatch &m, const Writer &w)
{
    if (w.time - m.captured(5).toLongLong(nullptr, 16) > kStaleSeconds) return true;
    const qint64 process = m.captured(4).toLongLong(nullptr, 16);
    return m.captured(3).toLatin1() == w.machine && process > 0 && process <= INT_MAX
           && ::kill(pid_t(process), 0) != 0 && errno == ESRCH;
}

// Clears what killed writes left in the folder (only names of the writer's own).
void clearLeftovers(const QString &folder, const Writer &w, const File_Write_System &system)
{
    const QRegularExpression own(
        QStringLiteral("^(.*)\\.~dozo-([nk])-([0-9a-f]{8})-([0-9a-f]{8,16})-([0-9a-f]{8,16})-[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    const QDir::Filters kinds = QDir::Files | QDir::Hidden | QDir::NoSymLinks;
    for (const QString &name : dir.entryList({QStringLiteral("*.~dozo-*")}, kinds)) {
        const QRegularExpressionMatch m = own.match(name);
        if (!m.hasMatch() || !stale(m, w)) continue;
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const QByteArray target = QFile::encodeName(dir.filePath(m.captured(1)));
        struct stat st {};
        if (m.captured(2) == QLatin1String("n"))
            system.remove(path);
        else if (m.captured(1).isEmpty())
            continue;  // a kept file whose name is not known stays
        else if (::lstat(target.constData(), &st) != 0 && errno == ENOENT)
            system.rename(path, target);
        else
            system.remove(path);
    }
}

// The bytes in a temporary file beside `target`, flushed to the disk; null on failure.
// A target name the file system cannot hold fails before anything is made.
std::unique_ptr<QTemporaryFile> staged(const QString &target, const QByteArray &bytes, int permissions,
                                       const Writer &w)
{
    const QFileInfo place(target);
    const qsizetype nameBytes = QFile::encodeName(place.fileName()).size();
    if (nameBytes == 0 || nameBytes > File_Name_Max(place.absolutePath())) return nullptr;
    // The temporary file is created owner-only, so a secret never sits in a file that
    // others may open; wider permissions are given before anything is written.
    auto f = std::make_unique<QTemporaryFile>(ownName(target, 'n', w) + QString(kRandom, u'X'));
    if (!f->open()) return nullptr;
    if ((permissions & 0777) != 0600 && !f->setPermissions(toQt(permissions))) return nullptr;
    if (f->write(bytes) != bytes.size() || !f->flush() || ::fsync(f->handle()) != 0) return nullptr;
    return f;
}

// A free name to keep the old file at `target` under; empty when none is found.
QByteArray keptName(const QString &target, const Writer &w)
{
    constexpr quint32 kNames = 36u * 36 * 36 * 36 * 36 * 36;  // kRandom letters and digits
    for (int n = 0; n < 100; ++n) {
        const QByteArray random = QByteArray::number(QRandomGenerator::global()->bounded(kNames), 36);
        const QByteArray name = QFile::encodeName(ownName(target, 'k', w)) + random.rightJustified(kRandom, '0');
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0 && errno == ENOENT) return name;
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

bool File_Write_System::rename(const QByteArray &from, const QByteArray &to) const
{
    return std::rename(from.constData(), to.constData()) == 0;
}

bool File_Write_System::remove(const QByteArray &path) const { return ::unlink(path.constData()) == 0; }

void File_Write_System::syncFolder(const QByteArray &folder) const
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool File_Write_Sweep::First(const QString &folder)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_done.contains(folder)) return false;
    m_done.insert(folder);
    return true;
}

bool Write_File_Whole(const QString &path, const QByteArray &bytes, int permissions, File_Write_Sweep *sweep)
{
    return Write_Files_Whole({{path, bytes}}, permissions, nullptr, File_Write_System(), sweep);
}

bool Write_Files_Whole(const std::vector<std::pair<QString, QByteArray>> &files, int permissions, int *failed,
                       const File_Write_System &system, File_Write_Sweep *sweep)
{
    const Writer w = thisWriter();
    QStringList folders;
    for (const auto &file : files) {
        const QString folder = QFileInfo(writtenPath(file.first)).absolutePath();
        if (!folders.contains(folder)) folders << folder;
    }
    for (const QString &folder : folders)
        if (!sweep || sweep->First(folder)) clearLeftovers(folder, w, system);
    const auto syncFolders = [&] {
        for (const QString &folder : folders) system.syncFolder(QFile::encodeName(folder));
    };
    std::vector<std::unique_ptr<QTemporaryFile>> written;
    for (const auto &[path, bytes] : files) {
        written.push_back(staged(writtenPath(path), bytes, permissions, w));
        if (!written.back()) {
            if (failed) *failed = int(written.size()) - 1;
            return false;  // the temporary files go with `written`
        }
    }
    struct Placed {
        QByteArray target, kept;  // kept: the old file's name aside (none for a new file)
    };
    std::vector<Placed> placed;
    for (size_t i = 0; i < files.size(); ++i) {
        const QString target = writtenPath(files[i].first);
        Placed p{QFile::encodeName(target), {}};
        // The last file needs no way back: renamed over the old one, which stays when
        // that fails.
        bool aside = true;
        struct stat st {};
        if (i + 1 < files.size() && ::lstat(p.target.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
            p.kept = keptName(target, w);
            aside = !p.kept.isEmpty() && system.rename(p.target, p.kept);
        }
        if (aside && system.rename(QFile::encodeName(written[i]->fileName()), p.target)) {
            written[i]->setAutoRemove(false);
            placed.push_back(p);
            continue;
        }
        if (aside && !p.kept.isEmpty()) system.rename(p.kept, p.target);
        for (auto it = placed.rbegin(); it != placed.rend(); ++it)
            it->kept.isEmpty() ? system.remove(it->target) : system.rename(it->kept, it->target);
        syncFolders();
        if (failed) *failed = int(i);
        return false;
    }
    syncFolders();
    for (const Placed &p : placed)
        if (!p.kept.isEmpty()) system.remove(p.kept);
    return true;
}
