#include "ZipArchive.h"

#include "Paths.h"
#include "ZipReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <minizip/unzip.h>
#include <minizip/zip.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <algorithm>
#include <stdexcept>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int kReadBlock = 1 << 16;
constexpr int kWriteBlock = 16384;
constexpr uLong kUtf8NameFlag = 1 << 11;

ZipError failure(int code, const char *text) { return {code, QString::fromLatin1(text)}; }

// An entry name that stays inside the destination: relative, without "..".
bool insideDestination(const QString &name)
{
    if (name.isEmpty() || name.startsWith(u'/')) return false;
    if (name.size() >= 2 && name[1] == u':' && name[0].isLetter()) return false;
    const QStringList parts = name.split(u'/');
    return !parts.contains(QStringLiteral(".."));
}

bool isSymbolicLink(const unz_file_info64 &info)
{
    constexpr uLong kUnix = 3;
    return (info.version >> 8) == kUnix && ((info.external_fa >> 16) & S_IFMT) == S_IFLNK;
}

bool within(const QString &folder, const QString &root)
{
    const QString f = QFileInfo(folder).canonicalFilePath();
    const QString r = QFileInfo(root).canonicalFilePath();
    return !f.isEmpty() && !r.isEmpty() && (f == r || f.startsWith(r + u'/'));
}

void setModificationTime(const QString &path, const tm_unz &date)
{
    std::tm t{};
    t.tm_sec = int(date.tm_sec);
    t.tm_min = int(date.tm_min);
    t.tm_hour = int(date.tm_hour);
    t.tm_mday = int(date.tm_mday);
    t.tm_mon = int(date.tm_mon);
    t.tm_year = int(date.tm_year) - 1900;
    t.tm_isdst = -1;
    const std::time_t when = std::mktime(&t);
    if (when == std::time_t(-1)) return;
    const struct timespec times[2] = {{when, 0}, {when, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

// A file that is nothing but the end record of an archive with no entries (minizip
// cannot open it).
bool isEmptyArchive(const QString &path)
{
    constexpr int kEndRecord = 22;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < kEndRecord || !f.seek(f.size() - kEndRecord)) return false;
    const QByteArray end = f.read(kEndRecord);
    return end.startsWith("PK\x05\x06") && end[10] == 0 && end[11] == 0;
}

// What an unpacking has made, removed again when it fails.
struct Unpacked {
    QStringList files;
    QStringList folders;  // in the order they were made
    void undo() const
    {
        for (const QString &f : files) QFile::remove(f);
        for (auto it = folders.crbegin(); it != folders.crend(); ++it) QDir().rmdir(*it);
    }
};

// Makes the folder and the missing folders above it, noting those it made.
bool makeFolder(const QString &folder, Unpacked &made)
{
    QStringList missing;
    for (QString f = QDir::cleanPath(folder); !QFileInfo::exists(f); f = QFileInfo(f).path()) {
        missing.prepend(f);
        if (f == QFileInfo(f).path()) break;
    }
    for (const QString &f : missing) {
        if (!QDir().mkdir(f)) return false;
        made.folders << f;
    }
    return QFileInfo(folder).isDir();
}

// Reads the open entry whole into `target`: the bytes go to a new file beside it,
// renamed over the target only when the entry was read to its end with its size and
// CRC matching.
bool extractEntry(unzFile zip, ZipBudget &budget, const QByteArray &password, const QString &target, Unpacked &made)
{
    ZipEntryReader entry(zip, budget, password);
    if (entry.status() != ZipStatus::Ok) return false;
    const QString part = target + QStringLiteral(".part");
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QByteArray buffer(kReadBlock, Qt::Uninitialized);
    bool ok = true;
    for (;;) {
        const qint64 n = entry.read(buffer.data(), kReadBlock);
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (out.write(buffer.constData(), n) != n) {
            ok = false;
            break;
        }
    }
    out.close();
    const bool existed = QFileInfo::exists(target);
    ok = ok && out.error() == QFileDevice::NoError &&
         std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) == 0;
    if (!ok) QFile::remove(part);
    else if (!existed) made.files << target;
    return ok;
}

// Handles the current entry; false on any failure.
bool unpackCurrent(unzFile zip, ZipBudget &budget, const QString &destination, bool overwrite,
                   const QByteArray &password, Unpacked &made)
{
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
    QByteArray raw(int(info.size_filename) + 1, '\0');
    unzGetCurrentFileInfo64(zip, &info, raw.data(), uLong(raw.size()), nullptr, 0, nullptr, 0);
    raw.truncate(int(info.size_filename));
    QString name = QString::fromUtf8(raw);
    const bool isFolder = name.endsWith(u'/') || name.endsWith(u'\\');
    name.replace(u'\\', u'/');
    if (!insideDestination(name) || isSymbolicLink(info)) return false;
    const QString target = destination + u'/' + name;
    const QString folder = isFolder ? target : QFileInfo(target).path();
    if (!makeFolder(folder, made) || !within(folder, destination)) return false;
    if (isFolder) return ZipEntryReader(zip, budget, password).drain() == ZipStatus::Ok;
    if (QFileInfo::exists(target) && !overwrite) return ZipEntryReader(zip, budget, password).drain() == ZipStatus::Ok;
    if (!extractEntry(zip, budget, password, target, made)) return false;
    if (info.dosDate != 0) setModificationTime(target, info.tmu_date);
    return true;
}

} // namespace

ZipArchive::ZipArchive(QString path, int level) : m_path(std::move(path)), m_level(level) {}

ZipArchive::~ZipArchive()
{
    if (!m_zip) return;
    zipClose(m_zip, nullptr);
    QFile::remove(m_path);
}

bool ZipArchive::open()
{
    if (m_zip) throw std::logic_error("Attempting open an archive which is already open");
    m_zip = zipOpen64(QFile::encodeName(m_path).constData(), APPEND_STATUS_CREATE);
    return m_zip != nullptr;
}

bool ZipArchive::addEntry(const QString &name, const QByteArray &data, const QDateTime &date)
{
    zip_fileinfo info{};
    if (date.isValid()) {
        const QDate d = date.date();
        const QTime t = date.time();
        info.tmz_date = {uInt(t.second()), uInt(t.minute()), uInt(t.hour()),
                         uInt(d.day()), uInt(d.month() - 1), uInt(d.year())};
    }
    const QByteArray utf8 = name.toUtf8();
    const uLong flags = utf8.size() == name.size() ? 0 : kUtf8NameFlag;
    if (zipOpenNewFileInZip4_64(m_zip, utf8.constData(), date.isValid() ? &info : nullptr, nullptr, 0, nullptr, 0,
                                nullptr, Z_DEFLATED, m_level, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                nullptr, 0, 0, flags, 0) != ZIP_OK)
        return false;
    const bool written = data.isEmpty() || zipWriteInFileInZip(m_zip, data.constData(), unsigned(data.size())) == ZIP_OK;
    return zipCloseFileInZip(m_zip) == ZIP_OK && written;
}

bool ZipArchive::addFile(const QString &name, const QString &fullPath)
{
    QFile in(fullPath);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray utf8 = name.toUtf8();
    const uLong flags = utf8.size() == name.size() ? 0 : kUtf8NameFlag;
    const int zip64 = in.size() >= 0xffffffffLL ? 1 : 0;
    if (zipOpenNewFileInZip4_64(m_zip, utf8.constData(), nullptr, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                m_level, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0, flags,
                                zip64) != ZIP_OK)
        return false;
    bool ok = true;
    QByteArray block(kWriteBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), block.size());
        if (n < 0) ok = false;
        if (n <= 0) break;
        if (zipWriteInFileInZip(m_zip, block.constData(), unsigned(n)) != ZIP_OK) {
            ok = false;
            break;
        }
    }
    return zipCloseFileInZip(m_zip) == ZIP_OK && ok;
}

bool ZipArchive::writeFile(const QString &file, const QString &basePath)
{
    if (!m_zip) throw std::logic_error("Attempting to write to an archive which was never opened");
    const QString full = Path_Join(basePath, file);
    const QFileInfo fi(full);
    if (!fi.isDir()) return addFile(file, full);
    const QStringList items =
        QDir(full).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (items.isEmpty()) return addEntry(file + u'/', {}, {});
    for (const QString &item : items)
        if (!writeFile(file + u'/' + item, basePath)) return false;
    return true;
}

bool ZipArchive::writeData(const QByteArray &data, const QString &filename)
{
    if (!m_zip) return false;
    return addEntry(filename, data, QDateTime::currentDateTime());
}

bool ZipArchive::close()
{
    if (!m_zip) throw std::logic_error("Attempting to close an archive which was never opened");
    const int result = zipClose(m_zip, nullptr);
    m_zip = nullptr;
    return result == ZIP_OK;
}

bool ZipArchive::unzipFileAtPath(const QString &path, const QString &destination, bool overwrite,
                                 const QString &password, ZipError *error)
{
    ZipError ignored;
    ZipError &err = error ? *error : ignored;
    err = {};
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip) {
        err = isEmptyArchive(path) ? failure(-2, "failed to open first file in zip file")
                                   : failure(-1, "failed to open zip file");
        return false;
    }
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip, &global) != UNZ_OK || unzGoToFirstFile(zip) != UNZ_OK) {
        unzClose(zip);
        err = failure(-2, "failed to open first file in zip file");
        return false;
    }
    bool isAscii = true;
    for (QChar c : password) isAscii = isAscii && c.unicode() < 0x80;
    const QByteArray ascii = isAscii ? password.toLatin1() : QByteArray();
    const QString root = QDir(destination).absolutePath();
    ZipBudget budget;
    Unpacked made;
    bool success = makeFolder(root, made);
    int entries = 0;
    for (int more = UNZ_OK; success && more == UNZ_OK; more = unzGoToNextFile(zip))
        success = ++entries <= budget.limits.entries && unpackCurrent(zip, budget, root, overwrite, ascii, made);
    unzClose(zip);
    if (!success) made.undo();
    return success;
}

bool ZipArchive::readEntry(const QString &path, const QString &name, QByteArray &bytes)
{
    ZipReader zip(path);
    return zip.readAll(name, bytes) == ZipStatus::Ok;
}

bool ZipArchive::createZipFileAtPath(const QString &path, const QStringList &paths, int level, int *error)
{
    // The reason is taken as the step fails, before the archive is removed.
    errno = 0;
    const auto failed = [error] {
        if (error) *error = errno;
        return false;
    };
    ZipArchive zip(path, level);
    if (!zip.open()) return failed();
    for (QString p : paths) {
        if (p.endsWith(u'/') && p.size() > 1) p.chop(1);
        const int cut = p.lastIndexOf(u'/') + 1;
        if (!zip.writeFile(p.mid(cut), p.left(cut))) return failed();  // the destructor removes the file
    }
    if (zip.close()) return true;
    failed();
    QFile::remove(path);
    return false;
}

QDateTime ZipArchive::dateFor1980() { return QDateTime(QDate(1980, 1, 1), QTime(0, 0)); }
