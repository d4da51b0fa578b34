#include "FileWrite.h"

#include "Helpers.h"
#include "Paths.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryFile>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qsizetype kWriteKeyBytes = 32;

// The key at the path: none when nothing is there, empty when what is there is not a
// regular owner-only file of the running user of the key's size.
std::optional<QByteArray> readWriteKey(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? std::nullopt : std::optional<QByteArray>(QByteArray());
    struct stat st {};
    QByteArray key(kWriteKeyBytes, Qt::Uninitialized);
    const bool good = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()
                      && (st.st_mode & 077) == 0 && st.st_size == kWriteKeyBytes
                      && ::read(fd, key.data(), size_t(kWriteKeyBytes)) == kWriteKeyBytes;
    ::close(fd);
    return good ? key : QByteArray();
}
} // namespace

QByteArray Write_Record_Key(const QString &dataFolder)
{
    if (dataFolder.isEmpty()) return {};
    const QString name = Path_Join(dataFolder, QStringLiteral("Write_Record_Key"));
    const QByteArray path = QFile::encodeName(name);
    if (const std::optional<QByteArray> key = readWriteKey(path)) return *key;
    if (!Create_Folder(dataFolder)) return {};
    // Written whole beside its name (owner-only from its creation), then renamed to it
    // only while no key is there: another desk's key made meanwhile stands.
    QTemporaryFile made(name + QStringLiteral(".XXXXXX"));
    QByteArray key(kWriteKeyBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(key.data()), kWriteKeyBytes / 4);
    if (!made.open() || made.write(key) != key.size() || !made.flush() || ::fsync(made.handle()) != 0) return {};
    if (File_Write_System().putBack(QFile::encodeName(made.fileName()), path)) made.setAutoRemove(false);
    File_Write_System().syncFolder(QFile::encodeName(dataFolder));
    return readWriteKey(path).value_or(QByteArray());
}
