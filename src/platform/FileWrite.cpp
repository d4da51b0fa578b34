#include "FileWrite.h"

#include "Globals.h"
#include "Paths.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <linux/fs.h>
#include <algorithm>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

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

// Whether the kernel follows the link at the path for this user where it guards links in
// shared folders (fs.protected_symlinks): the link is the user's own, or its folder is not
// both sticky and writable by others, or the folder's owner owns the link.
bool followedForUser(const QString &link)
{
    struct stat at {}, folder {};
    if (::lstat(QFile::encodeName(link).constData(), &at) != 0 || !S_ISLNK(at.st_mode)
        || ::stat(QFile::encodeName(QFileInfo(link).absolutePath()).constData(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return at.st_uid == ::geteuid() || !shared || folder.st_uid == at.st_uid;
}

// The file a path writes to, as an absolute path (a relative one is of the working
// folder): a symbolic link's target when written through, else the path itself (a link
// there is replaced). None for a link written through that the kernel would not follow
// for this user (another user's link in a shared folder such as /tmp): it is refused.
std::optional<QString> writtenPath(const QString &path, File_Link links)
{
    const QFileInfo info(path);
    if (links != File_Link::Write_Through || !info.isSymLink()) return info.absoluteFilePath();
    if (!followedForUser(info.absoluteFilePath())) return std::nullopt;
    return info.symLinkTarget();
}

// Who writes now: the tag of this system, this process and the time, as the writer's
// own names carry them.
struct Writer {
    QByteArray system;  // 8 hex digits (File_Write_Tag)
    qint64 process;
    qint64 time;
};

Writer thisWriter() { return {File_Write_This_System(), ::getpid(), QDateTime::currentSecsSinceEpoch()}; }

constexpr qsizetype kRandom = 6;
// A leftover of another system is cleared once the file system's time of it is a day
// old: far beyond any write (a set's files are made and put in place within minutes at
// most), and beyond a desk's clock set to a wrong time zone (at most 14 hours off).
constexpr qint64 kGoneSeconds = 24 * 60 * 60;

// The name of a file of the writer's own beside `target` but its random part: the
// target's name and the mark when that fits the file system, else the mark alone.
QString ownName(const QString &target, char kind, const Writer &w)
{
    const QFileInfo place(target);
    const QString mark = QString::asprintf(".~dozo-%c-%s-%08llx-%08llx-", kind, w.system.constData(),
                                           (unsigned long long)w.process, (unsigned long long)w.time);
    const bool fits = QFile::encodeName(place.fileName()).size() + mark.size() + kRandom
                      <= File_Name_Max(place.absolutePath());
    return (fits ? target : place.absolutePath() + u'/') + mark;
}

bool exists(const File_Write_System &system, const QByteArray &path)
{
    struct stat st {};
    errno = 0;
    return system.status(path, st) || errno != ENOENT;
}

// Whether the writer of a leftover named by `m` is certainly gone: a process of this
// system (same machine, boot and process table) that no longer runs, or a file the file
// system last changed more than kGoneSeconds ago.
bool gone(const QRegularExpressionMatch &m, const QByteArray &path, const Writer &w, const File_Write_System &system)
{
    const qint64 process = m.captured(4).toLongLong(nullptr, 16);
    if (m.captured(3).toLatin1() == w.system && process > 0 && process <= INT_MAX && ::kill(pid_t(process), 0) != 0
        && errno == ESRCH)
        return true;
    struct stat st {};
    return system.status(path, st) && w.time - qint64(st.st_mtime) > kGoneSeconds;
}

// Reads into `buf` until it is full, the file ends or a read fails, the bytes read in
// `got`; the last read's result: 0 at the end of the file, -1 on a failure.
ssize_t readFull(int fd, QByteArray &buf, qsizetype &got)
{
    got = 0;
    ssize_t n = 1;
    while (got < buf.size() && n > 0) {
        n = ::read(fd, buf.data() + got, size_t(buf.size() - got));
        if (n < 0 && errno == EINTR) n = 1;
        else if (n > 0) got += n;
    }
    return n;
}

// The bytes of the path when it is a regular file of the running user (a file the writer
// made is its own) of `size` bytes, read not through a link; none else.
std::optional<QByteArray> contents(const File_Write_System &system, const QByteArray &path, qint64 size)
{
    struct stat st {};
    if (size < 0 || !system.status(path, st) || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_size != size)
        return std::nullopt;
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_size == size) {
        QByteArray read(qsizetype(size), Qt::Uninitialized);
        qsizetype got = 0;
        readFull(fd, read, got);
        if (got == read.size()) bytes = read;
    }
    ::close(fd);
    return bytes;
}

// One file of a set: where it goes, its new bytes beside it until they are put in
// place, and the old file kept aside (none when there was none, and for the set's last
// file, whose old file the rename replaces); the size and File_Write_Hash of its new bytes.
struct Set_File {
    QByteArray target, temporary, kept;
    qint64 size = -1;
    quint64 hash = 0;
};

// Whether the path holds the set file's new bytes (whatever file holds them: the one put
// in place, a copy, a file restored over it), as a regular file of the running user.
bool holdsNew(const File_Write_System &system, const QByteArray &path, const Set_File &f)
{
    const std::optional<QByteArray> bytes = contents(system, path, f.size);
    return bytes && File_Write_Hash(*bytes) == f.hash;
}

// Whether the two paths hold the same bytes, as regular files of the running user.
bool sameBytesAt(const File_Write_System &system, const QByteArray &a, const QByteArray &b)
{
    struct stat st {};
    if (!system.status(a, st)) return false;
    const std::optional<QByteArray> first = contents(system, a, qint64(st.st_size));
    return first && contents(system, b, qint64(st.st_size)) == first;
}

// The record of a set, written and flushed beside the set's files before the first of
// them is put in place and removed once all are (or all are taken back), so that the
// next write can finish or undo a set whose writer was killed. Lines: "dozo-set", one
// per file "<size> <hash> <target> <temporary> <kept>" (the size and File_Write_Hash, 16
// hex digits, of its new bytes; names relative to the record's folder, percent-encoded,
// the kept name empty when none), "end", then "mac <recordMac>" when there is a key.
QByteArray recordText(const std::vector<Set_File> &set, const QDir &folder)
{
    const auto name = [&](const QByteArray &path) {
        return path.isEmpty() ? QByteArray()
                              : QFile::encodeName(folder.relativeFilePath(QFile::decodeName(path))).toPercentEncoding();
    };
    QByteArray text = "dozo-set\n";
    for (const Set_File &f : set)
        text += QByteArray::number(f.size) + ' ' + QByteArray::number(f.hash, 16).rightJustified(16, '0') + ' '
                + name(f.target) + ' ' + name(f.temporary) + ' ' + name(f.kept) + '\n';
    return text + "end\n";
}

// The writer's own names: "<name>.~dozo-<kind>-<system>-<process>-<seconds>-<random>".
const QRegularExpression &ownPattern()
{
    static const QRegularExpression own(
        QStringLiteral("^(.*)\\.~dozo-([nkj])-([0-9a-f]{8})-([0-9a-f]{8,16})-([0-9a-f]{8,16})-[A-Za-z0-9]{6}$"));
    return own;
}

QString writerOf(const QRegularExpressionMatch &m)
{
    return m.captured(3) + u'-' + m.captured(4) + u'-' + m.captured(5);
}

// Whether the path is a regular file of the running user: the only files the repair
// moves or removes.
bool mine(const File_Write_System &system, const QByteArray &path)
{
    struct stat st {};
    return system.status(path, st) && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

// The key of the records, read once per write and only when a record is written or found.
class Record_Key
{
public:
    const QByteArray &get()
    {
        if (!m_read) m_key = Write_Record_Key(Created_Resource_Path);
        m_read = true;
        return m_key;
    }

private:
    QByteArray m_key;
    bool m_read = false;
};

// The MAC line of a record of the name (its file name) and the text up to its "end" line.
// It binds no device or inode number: a record copied or restored with its card, or on a
// disk mounted again under another number, verifies and repairs the card where it is.
QByteArray recordMac(const QByteArray &key, const QByteArray &name, const QByteArray &text)
{
    const QByteArray signedBytes = name + '\n' + text;
    return "mac " + QMessageAuthenticationCode::hash(signedBytes, key, QCryptographicHash::Sha256).toHex() + '\n';
}

// Whether the bytes are equal, in a time that does not tell where they differ.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    unsigned char differ = a.size() == b.size() ? 0 : 1;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) differ |= (unsigned char)(a[i] ^ b[i]);
    return differ == 0;
}

// A record is read only up to this size: the writer's own records name a card's few files.
constexpr qint64 kRecordMax = 64 * 1024;

// The bytes of a regular file of the running user with one link, of at most kRecordMax
// bytes, not through a link; none else.
std::optional<QByteArray> readBounded(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1
        && st.st_size <= kRecordMax) {
        QByteArray read(kRecordMax + 1, Qt::Uninitialized);
        qsizetype got = 0;
        const ssize_t n = readFull(fd, read, got);
        if (n == 0 && got <= kRecordMax) bytes = read.left(got);
    }
    ::close(fd);
    return bytes;
}

// The set a record names: none when it cannot be read or is not the writer's own. A
// record is the writer's own when its MAC verifies with the key of the data folder, it is
// well formed, every name in it is a plain name in the record's folder, and each
// temporary and kept name carries the record's writer (`record` matched by ownPattern)
// and is made from its target's name, or is the form without the name when that name
// would not fit beside the mark.
std::optional<std::vector<Set_File>> readRecord(const QString &path, const QRegularExpressionMatch &record,
                                                Record_Key &key)
{
    const std::optional<QByteArray> bytes = readBounded(QFile::encodeName(path));
    const qsizetype macAt = bytes ? bytes->lastIndexOf("\nmac ") + 1 : 0;
    if (macAt <= 0 || key.get().isEmpty()) return std::nullopt;
    const QByteArray text = bytes->left(macAt);
    if (!sameBytes(bytes->mid(macAt), recordMac(key.get(), QFile::encodeName(record.captured(0)), text)))
        return std::nullopt;
    const QList<QByteArray> lines = text.split('\n');
    std::vector<Set_File> set;
    if (lines.size() < 4 || lines.first() != "dozo-set" || lines[lines.size() - 2] != "end" || !lines.last().isEmpty())
        return std::nullopt;
    const QString folder = QFileInfo(path).absolutePath();
    const int nameMax = File_Name_Max(folder);
    const auto plain = [](const QByteArray &name) {
        return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
    };
    // Whether `name` is of the writer's own of `kind` beside `target`, of the record's writer.
    const auto ownOf = [&](const QByteArray &name, char kind, const QByteArray &target) {
        const QRegularExpressionMatch m = ownPattern().match(QFile::decodeName(name));
        if (!m.hasMatch() || m.captured(2) != QLatin1Char(kind) || writerOf(m) != writerOf(record)) return false;
        return m.captured(1).isEmpty() ? target.size() + name.size() > nameMax
                                       : QFile::encodeName(m.captured(1)) == target;
    };
    const auto path_of = [&](const QByteArray &name) {
        return name.isEmpty() ? QByteArray() : QFile::encodeName(folder) + '/' + name;
    };
    for (qsizetype i = 1; i + 2 < lines.size(); ++i) {
        const QList<QByteArray> field = lines[i].split(' ');
        bool sized = false, hashed = false;
        const qint64 size = field.size() == 5 ? field[0].toLongLong(&sized) : -1;
        const quint64 hash = field.size() == 5 && field[1].size() == 16 ? field[1].toULongLong(&hashed, 16) : 0;
        if (!sized || size < 0 || !hashed || field[2].isEmpty() || field[3].isEmpty()) return std::nullopt;
        const QByteArray target = QByteArray::fromPercentEncoding(field[2]);
        const QByteArray temporary = QByteArray::fromPercentEncoding(field[3]);
        const QByteArray kept = QByteArray::fromPercentEncoding(field[4]);
        if (!plain(target) || !plain(temporary) || !ownOf(temporary, 'n', target)
            || (!kept.isEmpty() && (!plain(kept) || !ownOf(kept, 'k', target))))
            return std::nullopt;
        set.push_back({path_of(target), path_of(temporary), path_of(kept), size, hash});
    }
    return set;
}

// Puts a set's kept file back at its name, which holds the set's new bytes: the new file
// is set aside under its recorded temporary name, the kept file takes its name only while
// it is free, and the temporary goes. The kept name never holds the new bytes, so a kept
// file is never judged by what it holds alone. A file put at the name since the check
// goes back there (it is not the set's), and the kept file stays; a repair killed at any
// step leaves the kept file with its name free, or the name holding its bytes, for the
// next one to finish.
void putOver(const Set_File &f, const File_Write_System &system)
{
    if (mine(system, f.temporary)) {  // the new bytes twice (a copy put at the name): one goes
        if (!holdsNew(system, f.temporary, f)) return;
        system.remove(f.temporary);
    }
    if (!system.putBack(f.target, f.temporary)) return;
    if (!holdsNew(system, f.temporary, f)) {
        system.putBack(f.temporary, f.target);
        return;
    }
    if (system.putBack(f.kept, f.target)) system.remove(f.temporary);
}

// Finishes or undoes the set of a writer that is gone, then removes its record; a record
// that is not the writer's own is left, and so are the files it names. A file is judged
// by the bytes it holds, not by where it sits: a target holds its new file when it holds
// the set's new bytes, wherever they came from (a copy, a restore). The set is in place
// when every target holds its new bytes, or when neither a temporary nor a kept file of it
// is left (a target written since). Else it is undone, each kept file judged by its name
// first, never by what it holds alone (its old bytes may equal the new ones): one whose
// name is free goes back to it, whatever it holds; one whose name holds its own bytes
// (put back already) is removed; one whose name holds the set's new bytes goes back over
// them; one whose name holds anything else stays (written since, by anyone: the hand rule
// is the user's). Then a new file put where none was is removed, then the temporaries. A
// set in place keeps its files; its kept files are removed. Each step leaves what the
// next repair takes on alike, the record going last, so a repair killed at any step is
// finished by the next. Nothing here follows a link: the names are plain, and only
// regular files of the running user are moved or removed.
void settle(const QString &record, const QRegularExpressionMatch &own, const File_Write_System &system,
            Record_Key &key)
{
    const std::optional<std::vector<Set_File>> read = readRecord(record, own, key);
    if (!read) return;
    const std::vector<Set_File> &set = *read;
    const auto ours = [&](const Set_File &f) { return holdsNew(system, f.target, f); };
    const bool placed = std::all_of(set.begin(), set.end(), ours);
    const bool left = std::any_of(set.begin(), set.end(), [&](const Set_File &f) {
        return mine(system, f.temporary) || (!f.kept.isEmpty() && mine(system, f.kept));
    });
    if (!placed && left) {
        for (const Set_File &f : set) {
            if (f.kept.isEmpty() || !mine(system, f.kept)) continue;
            if (!exists(system, f.target)) system.putBack(f.kept, f.target);
            else if (sameBytesAt(system, f.kept, f.target)) system.remove(f.kept);
            else if (ours(f)) putOver(f, system);
        }
        // The last file's old file, if any, went with its rename: it is never removed.
        for (size_t i = 0; i + 1 < set.size(); ++i)
            if (set[i].kept.isEmpty() && ours(set[i])) system.remove(set[i].target);
    }
    for (const Set_File &f : set) {
        if (placed && !f.kept.isEmpty() && mine(system, f.kept)) system.remove(f.kept);
        if (mine(system, f.temporary)) system.remove(f.temporary);
    }
    system.syncFolder(QFile::encodeName(QFileInfo(record).absolutePath()));
    system.remove(QFile::encodeName(record));
}

// A record put in place on a file system without RENAME_NOREPLACE (a second name, then
// the first goes) by a writer killed between the two has a second name, a temporary of
// its writer: that name goes, so that the record has one link and is judged as any other.
void dropSecondName(const QDir &dir, const QRegularExpressionMatch &record,
                    const std::vector<QRegularExpressionMatch> &files, const File_Write_System &system)
{
    struct stat st {};
    const QByteArray path = QFile::encodeName(Path_Join(dir.path(), record.captured(0)));
    if (!system.status(path, st) || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_nlink != 2) return;
    for (const QRegularExpressionMatch &m : files) {
        const QByteArray other = QFile::encodeName(Path_Join(dir.path(), m.captured(0)));
        struct stat o {};
        if (m.captured(2) == QLatin1String("n") && writerOf(m) == writerOf(record) && system.status(other, o)
            && o.st_dev == st.st_dev && o.st_ino == st.st_ino) {
            system.remove(other);
            return;
        }
    }
}

// Clears what writers that are gone left in the folder (only names of the writer's own):
// first the sets their records name, then each new file alone. A file of a set whose
// record is there is left to the record, while its writer may run. A kept file without
// its record stays, whatever is at its name (its record may be on its way back, as in a
// restore; else the hand rule is the user's).
void clearLeftovers(const QString &folder, const Writer &w, const File_Write_System &system, Record_Key &key)
{
    const QDir dir(folder);
    const QDir::Filters kinds = QDir::Files | QDir::Hidden | QDir::NoSymLinks;
    std::vector<QRegularExpressionMatch> files, records;
    QSet<QString> sets;  // the writers whose records are here
    for (const QString &name : dir.entryList({QStringLiteral("*.~dozo-*")}, kinds)) {
        const QRegularExpressionMatch m = ownPattern().match(name);
        if (!m.hasMatch()) continue;
        if (m.captured(2) != QLatin1String("j")) {
            files.push_back(m);
            continue;
        }
        sets.insert(writerOf(m));
        records.push_back(m);
    }
    for (const QRegularExpressionMatch &m : records) {
        if (!gone(m, QFile::encodeName(Path_Join(dir.path(), m.captured(0))), w, system)) continue;
        dropSecondName(dir, m, files, system);
        settle(Path_Join(dir.path(), m.captured(0)), m, system, key);
    }
    for (const QRegularExpressionMatch &m : files) {
        const QByteArray path = QFile::encodeName(Path_Join(dir.path(), m.captured(0)));
        if (m.captured(2) == QLatin1String("n") && !sets.contains(writerOf(m)) && gone(m, path, w, system)
            && mine(system, path))
            system.remove(path);
    }
}

// The locks of one write on its folders (File_Write_System::lockFolder): each folder once,
// by its device and inode numbers, in their order, so that writes spanning the same folders
// never wait on each other in a circle; released when it goes. A folder that cannot be
// opened or locked is written without its lock. The key of the records is read first where
// a folder is the data folder, whose key may be made under a lock of its own on that folder
// (two locks on one folder wait on each other, even in one process).
class Folder_Locks
{
public:
    Folder_Locks(const QStringList &folders, const File_Write_System &system, Record_Key &key)
    {
        std::vector<std::pair<std::pair<dev_t, ino_t>, int>> open;
        for (const QString &folder : folders) {
            const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            struct stat st {};
            if (fd < 0) continue;
            if (::fstat(fd, &st) != 0 || std::any_of(open.begin(), open.end(), [&](const auto &o) {
                    return o.first == std::pair{st.st_dev, st.st_ino};
                })) {
                ::close(fd);
                continue;
            }
            open.push_back({{st.st_dev, st.st_ino}, fd});
        }
        std::sort(open.begin(), open.end());
        struct stat data {};
        const bool dataFolderHere =
            !Created_Resource_Path.isEmpty() && ::stat(QFile::encodeName(Created_Resource_Path).constData(), &data) == 0
            && std::any_of(open.begin(), open.end(),
                           [&](const auto &o) { return o.first == std::pair{data.st_dev, data.st_ino}; });
        if (dataFolderHere) key.get();
        for (const auto &o : open) {
            m_fds.push_back(o.second);
            system.lockFolder(o.second);
        }
    }
    ~Folder_Locks()
    {
        for (const int fd : m_fds) ::close(fd);
    }
    Folder_Locks(const Folder_Locks &) = delete;
    Folder_Locks &operator=(const Folder_Locks &) = delete;

private:
    std::vector<int> m_fds;
};

// No temporary file, the system's error number of the step that failed in *error.
std::unique_ptr<QTemporaryFile> failedWith(int *error, int number)
{
    if (error) *error = number;
    return nullptr;
}

// The bytes in a temporary file beside `target`, flushed to the disk; null on failure,
// with the system's error number in *error. A target name the file system cannot hold
// fails before anything is made.
std::unique_ptr<QTemporaryFile> staged(const QString &target, const QByteArray &bytes, int permissions,
                                       const Writer &w, int *error = nullptr)
{
    const QFileInfo place(target);
    const qsizetype nameBytes = QFile::encodeName(place.fileName()).size();
    if (nameBytes == 0) return failedWith(error, EINVAL);
    if (nameBytes > File_Name_Max(place.absolutePath())) return failedWith(error, ENAMETOOLONG);
    // The temporary file is created owner-only, so a secret never sits in a file that
    // others may open; wider permissions are given before anything is written.
    auto f = std::make_unique<QTemporaryFile>(ownName(target, 'n', w) + QString(kRandom, u'X'));
    if (!f->open()) return failedWith(error, errno);
    if ((permissions & 0777) != 0600 && !f->setPermissions(toQt(permissions))) return failedWith(error, errno);
    if (f->write(bytes) != bytes.size() || !f->flush() || ::fsync(f->handle()) != 0) return failedWith(error, errno);
    return f;
}

// A free name for a file of the writer's own of `kind` beside `target`; empty when none is found.
QByteArray freeName(const QString &target, char kind, const Writer &w, const File_Write_System &system)
{
    constexpr quint32 kNames = 36u * 36 * 36 * 36 * 36 * 36;  // kRandom letters and digits
    for (int n = 0; n < 100; ++n) {
        const QByteArray random = QByteArray::number(QRandomGenerator::global()->bounded(kNames), 36);
        const QByteArray name = QFile::encodeName(ownName(target, kind, w)) + random.rightJustified(kRandom, '0');
        if (!exists(system, name)) return name;
    }
    return {};
}

// Writes the set's record into every folder of the set (beside its first file there),
// flushed; the records' names, or nothing on failure (none is left then). Each is written
// whole beside its name first, so that a record under its name is always whole.
std::optional<std::vector<QByteArray>> writeRecords(const std::vector<Set_File> &set, const QStringList &folders,
                                                    const Writer &w, const File_Write_System &system,
                                                    Record_Key &key)
{
    std::vector<QByteArray> records;
    for (const QString &folder : folders) {
        const auto first = std::find_if(set.begin(), set.end(), [&](const Set_File &f) {
            return QFileInfo(QFile::decodeName(f.target)).absolutePath() == folder;
        });
        const QString target = first == set.end() ? QString() : QFile::decodeName(first->target);
        const QByteArray name = target.isEmpty() ? QByteArray() : freeName(target, 'j', w, system);
        const QByteArray text = recordText(set, QDir(folder));
        const QByteArray mac =
            key.get().isEmpty() ? QByteArray() : recordMac(key.get(), name.mid(name.lastIndexOf('/') + 1), text);
        const std::unique_ptr<QTemporaryFile> f = name.isEmpty() ? nullptr : staged(target, text + mac, 0600, w);
        const bool made = f && system.putBack(QFile::encodeName(f->fileName()), name);
        if (!made) {
            for (const QByteArray &r : records) system.remove(r);
            return std::nullopt;
        }
        f->setAutoRemove(false);
        records.push_back(name);
    }
    return records;
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

bool File_Write_System::putBack(const QByteArray &from, const QByteArray &to) const
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    return putBackByLink(from, to);
}

bool File_Write_System::putBackByLink(const QByteArray &from, const QByteArray &to) const
{
    if (::link(from.constData(), to.constData()) == 0) {
        remove(from);
        return true;
    }
    if (errno == EEXIST || exists(*this, to)) return false;
    return std::rename(from.constData(), to.constData()) == 0;
}

bool File_Write_System::remove(const QByteArray &path) const { return ::unlink(path.constData()) == 0; }

bool File_Write_System::status(const QByteArray &path, struct stat &st) const
{
    return ::lstat(path.constData(), &st) == 0;
}

bool File_Write_System::lockFolder(int folder) const
{
    while (::flock(folder, LOCK_EX) != 0)
        if (errno != EINTR) return false;
    return true;
}

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

bool Write_File_Whole(const QString &path, const QByteArray &bytes, int permissions, File_Write_Sweep *sweep,
                      File_Link links, int *error)
{
    return Write_Files_Whole({{path, bytes}}, permissions, nullptr, File_Write_System(), sweep, links, error);
}

bool Write_Files_Whole(const std::vector<std::pair<QString, QByteArray>> &files, int permissions, int *failed,
                       const File_Write_System &system, File_Write_Sweep *sweep, File_Link links, int *error)
{
    if (error) *error = 0;
    const Writer w = thisWriter();
    Record_Key key;
    QStringList targets, folders;
    for (const auto &file : files) {
        const std::optional<QString> target = writtenPath(file.first, links);
        if (!target) {  // nothing is written
            if (failed) *failed = int(targets.size());
            if (error) *error = EPERM;
            return false;
        }
        targets << *target;
        const QString folder = QFileInfo(*target).absolutePath();
        if (!folders.contains(folder)) folders << folder;
    }
    // What writers that are gone left is cleared first, each folder under its lock.
    QStringList clearing;
    for (const QString &folder : folders)
        if (!sweep || sweep->First(folder)) clearing << folder;
    if (!clearing.isEmpty()) {
        const Folder_Locks locks(clearing, system, key);
        for (const QString &folder : clearing) clearLeftovers(folder, w, system, key);
    }
    const auto syncFolders = [&] {
        for (const QString &folder : folders) system.syncFolder(QFile::encodeName(folder));
    };
    const auto fail = [&](size_t i, int number) {
        if (failed) *failed = int(i);
        if (error) *error = number;
        return false;  // the temporary files not put in place go with `written`
    };
    // The new bytes are written beside their names before the folders are locked, so that
    // desks writing into one folder wait only on each other's renames.
    std::vector<std::unique_ptr<QTemporaryFile>> written;
    std::vector<Set_File> set;
    for (const auto &[path, bytes] : files) {
        const QString &target = targets[qsizetype(set.size())];
        Set_File f{QFile::encodeName(target), {}, {}};
        // The record names the new bytes by their size and hash, of the bytes held here.
        if (files.size() > 1) {
            f.size = bytes.size();
            f.hash = File_Write_Hash(bytes);
        }
        int number = 0;
        written.push_back(staged(target, bytes, permissions, w, &number));
        if (!written.back()) return fail(set.size(), number);
        f.temporary = QFile::encodeName(written.back()->fileName());
        set.push_back(f);
    }
    const Folder_Locks locks(folders, system, key);
    // The last file needs no way back: renamed over the old one, which stays when that fails.
    for (size_t i = 0; i + 1 < set.size(); ++i) {
        struct stat st {};
        if (system.status(set[i].target, st) && S_ISREG(st.st_mode)) {
            set[i].kept = freeName(targets[qsizetype(i)], 'k', w, system);
            if (set[i].kept.isEmpty()) return fail(i, EEXIST);
        }
    }
    std::vector<QByteArray> records;
    if (set.size() > 1) {
        const auto made = writeRecords(set, folders, w, system, key);
        if (!made) return fail(0, errno);
        records = *made;
        syncFolders();
    }
    const auto removeRecords = [&] {
        for (const QByteArray &r : records) system.remove(r);
    };
    for (size_t i = 0; i < set.size(); ++i) {
        const Set_File &f = set[i];
        const bool aside = f.kept.isEmpty() || system.rename(f.target, f.kept);
        if (aside && system.rename(f.temporary, f.target)) {
            written[i]->setAutoRemove(false);
            continue;
        }
        const int number = errno;
        if (aside && !f.kept.isEmpty()) system.rename(f.kept, f.target);
        for (size_t j = i; j-- > 0;)
            set[j].kept.isEmpty() ? system.remove(set[j].target) : system.rename(set[j].kept, set[j].target);
        syncFolders();
        removeRecords();
        return fail(i, number);
    }
    syncFolders();
    for (const Set_File &f : set)
        if (!f.kept.isEmpty()) system.remove(f.kept);
    removeRecords();
    return true;
}

quint64 File_Write_Hash(const QByteArray &bytes)
{
    return XXH64(bytes.constData(), size_t(bytes.size()), 0);
}

QByteArray File_Write_Tag(const QByteArray &machine, const QByteArray &boot, const QByteArray &processes)
{
    return QCryptographicHash::hash(machine + '\n' + boot + '\n' + processes, QCryptographicHash::Md5).left(4).toHex();
}

QByteArray File_Write_This_System()
{
    QByteArray machine = QSysInfo::machineUniqueId();
    if (machine.isEmpty()) machine = QSysInfo::machineHostName().toUtf8();
    QFile bootFile(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    const QByteArray boot = bootFile.open(QIODevice::ReadOnly) ? bootFile.readAll().trimmed() : QByteArray();
    char link[256] = {};
    const ssize_t n = ::readlink("/proc/self/ns/pid", link, sizeof link - 1);
    return File_Write_Tag(machine, boot, n > 0 ? QByteArray(link, n) : QByteArray());
}
