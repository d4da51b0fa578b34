#include "FileWrite.h"

#include "Helpers.h"
#include "Log.h"
#include "Paths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qsizetype kWriteKeyBytes = 32;
// A key temporary is a start's for the moment it takes to write 32 bytes: one a minute
// old is a killed start's.
constexpr qint64 kKeyTemporarySeconds = 60;

// What is at the key's name, judged without following a link: nothing, the key (a
// regular owner-only file of the running user of the key's size, `links` its names), a
// thing that is no key (`dev` and `ino` tell which), or what cannot be told now.
struct Judged {
    enum State { Missing, Good, Unusable, Unknown } state = Unknown;
    QByteArray key;
    dev_t dev = 0;
    ino_t ino = 0;
    nlink_t links = 0;
    const char *why = "";
};

const char *unusable(const struct stat &st)
{
    if (!S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? "a folder" : S_ISLNK(st.st_mode) ? "a link" : "not a regular file";
    if (st.st_uid != ::geteuid()) return "another user's";
    if (st.st_mode & 077) return "readable by others";
    return st.st_size != kWriteKeyBytes ? "of the wrong size" : nullptr;
}

Judged judge(const QByteArray &path)
{
    Judged j;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        if (errno == ENOENT) j.state = Judged::Missing;
        return j;
    }
    j.dev = st.st_dev;
    j.ino = st.st_ino;
    if ((j.why = unusable(st))) {
        j.state = Judged::Unusable;
        return j;
    }
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES) {
            j.state = Judged::Unusable;
            j.why = "unreadable";
        }
        return j;
    }
    // The file opened is the one judged (else another took its name meanwhile: Unknown).
    struct stat opened {};
    QByteArray key(kWriteKeyBytes, Qt::Uninitialized);
    if (::fstat(fd, &opened) == 0 && opened.st_dev == st.st_dev && opened.st_ino == st.st_ino && !unusable(opened)
        && ::read(fd, key.data(), size_t(kWriteKeyBytes)) == kWriteKeyBytes) {
        j.state = Judged::Good;
        j.key = key;
        j.links = opened.st_nlink;
    }
    ::close(fd);
    return j;
}

// The data folder, open, and locked against the other desks of this user that set a key
// aside or make one (the lock is a help only: a file system without such locks goes on
// without). `ours`: a folder of the running user.
class Key_Folder
{
public:
    explicit Key_Folder(const QString &folder)
        : m_fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        struct stat st {};
        ours = m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
        if (ours)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {}
    }
    ~Key_Folder()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    Key_Folder(const Key_Folder &) = delete;
    Key_Folder &operator=(const Key_Folder &) = delete;
    bool ours = false;

private:
    int m_fd;
};

// Removes the key temporaries ("Write_Record_Key.XXXXXX", the user's regular files) that
// starts killed while making the key left: a key is written and renamed within moments.
void removeKeyTemporaries(const QString &folder)
{
    static const QRegularExpression temporary(QStringLiteral("^Write_Record_Key\\.[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (const QString &name :
         dir.entryList({QStringLiteral("Write_Record_Key.*")}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        struct stat st {};
        if (temporary.match(name).hasMatch() && ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode)
            && st.st_uid == ::geteuid() && now - qint64(st.st_mtime) > kKeyTemporarySeconds)
            File_Write_System().remove(path);
    }
}

// Renames what is at the key's name, judged unusable, to a free name beside it that says
// so: "Write_Record_Key.unusable-<local time>[-<n>]". When another thing was renamed (a
// desk without the lock made a key meanwhile), it goes back while its name is free.
bool setAside(const QByteArray &path, const Judged &j)
{
    const QByteArray base = path + ".unusable-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toLatin1();
    QByteArray aside = base;
    struct stat st {};
    for (int n = 1; n < 100 && ::lstat(aside.constData(), &st) == 0; ++n) aside = base + '-' + QByteArray::number(n);
    if (!File_Write_System().putBack(path, aside)) return false;
    if (::lstat(aside.constData(), &st) == 0 && (st.st_dev != j.dev || st.st_ino != j.ino)) {
        File_Write_System().putBack(aside, path);
        return true;
    }
    Show_NSLog_Message(QStringLiteral("The key of the records of cards of several files, %1, is %2: set aside as %3, "
                                      "and a new one made (records signed with it are left)")
                           .arg(QFile::decodeName(path), QString::fromLatin1(j.why), QFile::decodeName(aside)));
    return true;
}

// A new key written whole beside its name (owner-only from its creation), then renamed to
// it only while no key is there: another desk's key made meanwhile stands.
bool makeKey(const QString &folder, const QByteArray &path)
{
    QTemporaryFile made(QFile::decodeName(path) + QStringLiteral(".XXXXXX"));
    QByteArray key(kWriteKeyBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(key.data()), kWriteKeyBytes / 4);
    if (!made.open() || made.write(key) != key.size() || !made.flush() || ::fsync(made.handle()) != 0) return false;
    if (File_Write_System().putBack(QFile::encodeName(made.fileName()), path)) made.setAutoRemove(false);
    File_Write_System().syncFolder(QFile::encodeName(folder));
    return true;
}

QByteArray recordKey(const QString &dataFolder)
{
    if (dataFolder.isEmpty()) return {};
    const QByteArray path = QFile::encodeName(Path_Join(dataFolder, QStringLiteral("Write_Record_Key")));
    Judged j = judge(path);
    if (j.state == Judged::Good && j.links > 1) removeKeyTemporaries(dataFolder);  // a second name left by a kill
    if (j.state == Judged::Good || j.state == Judged::Unknown) return j.key;
    // Nothing there, or no key: only in a data folder of the user's own, one desk at a time.
    if (!Create_Folder(dataFolder)) return {};
    const Key_Folder folder(dataFolder);
    if (!folder.ours) return {};
    removeKeyTemporaries(dataFolder);
    for (int round = 0; round < 4; ++round) {
        j = judge(path);
        if (j.state == Judged::Good || j.state == Judged::Unknown) break;
        if (j.state == Judged::Unusable ? !setAside(path, j) : !makeKey(dataFolder, path)) return {};
    }
    return j.key;
}
} // namespace

QByteArray Write_Record_Key(const QString &dataFolder) { return recordKey(dataFolder); }

QByteArray Start_Write_Record_Key(const QString &dataFolder)
{
    const QByteArray key = recordKey(dataFolder);
    if (key.isEmpty())
        Show_NSLog_Message(QStringLiteral("No key for the records of cards of several files (data folder \"%1\"): "
                                          "a card whose writing is cut off between its files will not be repaired")
                               .arg(dataFolder));
    return key;
}
