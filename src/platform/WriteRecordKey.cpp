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

const char *unusable(const struct stat &st, const File_Modes &modes)
{
    if (!S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? "a folder" : S_ISLNK(st.st_mode) ? "a link" : "not a regular file";
    if (st.st_uid != ::geteuid()) return "another user's";
    if (modes.shown(st.st_mode) & 077) return "readable by others";
    return st.st_size != kWriteKeyBytes ? "of the wrong size" : nullptr;
}

Judged judge(const QByteArray &path, const File_Modes &modes)
{
    Judged j;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        if (errno == ENOENT) j.state = Judged::Missing;
        return j;
    }
    j.dev = st.st_dev;
    j.ino = st.st_ino;
    if ((j.why = unusable(st, modes))) {
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
    if (::fstat(fd, &opened) == 0 && opened.st_dev == st.st_dev && opened.st_ino == st.st_ino
        && !unusable(opened, modes) && ::read(fd, key.data(), size_t(kWriteKeyBytes)) == kWriteKeyBytes) {
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
// so: "Write_Record_Key.unusable-<local time>[-<n>]", given in `aside`. When another thing
// was renamed (a desk without the lock made a key meanwhile), it goes back while its name
// is free, and `aside` is empty.
bool setAside(const QByteArray &path, const Judged &j, QByteArray &aside)
{
    const QByteArray base = path + ".unusable-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss").toLatin1();
    aside = base;
    struct stat st {};
    for (int n = 1; n < 100 && ::lstat(aside.constData(), &st) == 0; ++n) aside = base + '-' + QByteArray::number(n);
    if (!File_Write_System().putBack(path, aside)) return false;
    if (::lstat(aside.constData(), &st) == 0 && (st.st_dev != j.dev || st.st_ino != j.ino)) {
        File_Write_System().putBack(aside, path);
        aside.clear();
    }
    return true;
}

enum class Made { Key, Failed, Not_Private };

// A new key written whole beside its name (owner-only from its creation), then renamed to
// it only while no key is there: another desk's key made meanwhile stands. Where the new
// file shows others' bits even after chmod (a file system that does not keep modes), no
// key is made: it could not be kept private.
Made makeKey(const QString &folder, const QByteArray &path, const File_Modes &modes)
{
    QTemporaryFile made(QFile::decodeName(path) + QStringLiteral(".XXXXXX"));
    if (!made.open()) return Made::Failed;
    struct stat st {};
    if (::fstat(made.handle(), &st) != 0) return Made::Failed;
    if (modes.shown(st.st_mode) & 077) {
        if (::fchmod(made.handle(), 0600) != 0 || ::fstat(made.handle(), &st) != 0) return Made::Failed;
        if (modes.shown(st.st_mode) & 077) return Made::Not_Private;
    }
    QByteArray key(kWriteKeyBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(key.data()), kWriteKeyBytes / 4);
    if (made.write(key) != key.size() || !made.flush() || ::fsync(made.handle()) != 0) return Made::Failed;
    if (File_Write_System().putBack(QFile::encodeName(made.fileName()), path)) made.setAutoRemove(false);
    File_Write_System().syncFolder(QFile::encodeName(folder));
    return Made::Key;
}

// The key, or none; `notPrivate` when the data folder cannot keep a key private.
struct Found_Key {
    QByteArray key;
    bool notPrivate = false;
};

Found_Key recordKey(const QString &dataFolder, const File_Modes &modes)
{
    if (dataFolder.isEmpty()) return {};
    const QByteArray path = QFile::encodeName(Path_Join(dataFolder, QStringLiteral("Write_Record_Key")));
    Judged j = judge(path, modes);
    if (j.state == Judged::Good && j.links > 1) removeKeyTemporaries(dataFolder);  // a second name left by a kill
    if (j.state == Judged::Good || j.state == Judged::Unknown) return {j.key, false};
    // Nothing there, or no key: only in a data folder of the user's own, one desk at a time.
    if (!Create_Folder(dataFolder)) return {};
    const Key_Folder folder(dataFolder);
    if (!folder.ours) return {};
    removeKeyTemporaries(dataFolder);
    QByteArray aside;
    const char *why = "";
    Made made = Made::Failed;
    for (int round = 0; round < 4; ++round) {
        j = judge(path, modes);
        if (j.state == Judged::Good || j.state == Judged::Unknown) break;
        if (j.state == Judged::Unusable) {
            why = j.why;
            if (!setAside(path, j, aside)) return {};
            continue;
        }
        made = makeKey(dataFolder, path, modes);
        // A folder that cannot keep a key private gets none, and what was set aside stays so.
        if (made != Made::Key) break;
    }
    if (!aside.isEmpty())
        Show_NSLog_Message(QStringLiteral("The key of the records of cards of several files, %1, is %2: set aside "
                                          "as %3%4 (records signed with it are left)")
                               .arg(QFile::decodeName(path), QString::fromLatin1(why), QFile::decodeName(aside),
                                    made == Made::Key ? QStringLiteral(", and a new one made") : QString()));
    if (made == Made::Not_Private) return {{}, true};
    return {j.state == Judged::Good ? j.key : QByteArray(), false};
}

// Removes the key temporaries of starts killed while making the key, in a data folder of
// the user's own, one desk at a time.
void clearKeyTemporaries(const QString &dataFolder)
{
    if (dataFolder.isEmpty()) return;
    const Key_Folder folder(dataFolder);
    if (folder.ours) removeKeyTemporaries(dataFolder);
}
} // namespace

QByteArray Write_Record_Key(const QString &dataFolder, const File_Modes &modes)
{
    return recordKey(dataFolder, modes).key;
}

QByteArray Start_Write_Record_Key(const QString &dataFolder, const File_Modes &modes)
{
    clearKeyTemporaries(dataFolder);
    const Found_Key found = recordKey(dataFolder, modes);
    if (found.notPrivate)
        Show_NSLog_Message(QStringLiteral("The data folder \"%1\" cannot keep the key of the records of cards of "
                                          "several files private (its file system does not keep owner-only modes): no "
                                          "key is used, and a card whose writing is cut off between its files will not "
                                          "be repaired")
                               .arg(dataFolder));
    else if (found.key.isEmpty())
        Show_NSLog_Message(QStringLiteral("No key for the records of cards of several files (data folder \"%1\"): "
                                          "a card whose writing is cut off between its files will not be repaired")
                               .arg(dataFolder));
    return found.key;
}
