#pragma once
// A small zip layer over minizip: unpack a whole archive into a folder, create one
// from files and folders, or write one entry by entry (open, add, close).
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Why an unpacking could not start: -1 "failed to open zip file", -2 "failed to open
// first file in zip file". Later failures return false and leave the code at 0.
struct ZipError {
    int code = 0;
    QString description;
};

class ZipArchive {
public:
    // zlib's default level; the spreadsheet writer asks for level 1.
    static constexpr int kDefaultLevel = -1;

    explicit ZipArchive(QString path, int level = kDefaultLevel);
    // An archive still open is abandoned: its file is closed and removed.
    ~ZipArchive();
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // Creates the archive file (a new file, replacing any old one). Throws
    // std::logic_error when the archive is already open.
    bool open();
    // Adds the file or folder `basePath`/`file` under the entry name `file`: a folder
    // with contents adds its items (sorted by name) with the folder in their names, an
    // empty folder one entry "file/". Entries carry no date. False when a source
    // cannot be read or an entry cannot be written. Throws when never opened.
    bool writeFile(const QString &file, const QString &basePath);
    // Adds one entry holding the bytes, dated now; false when not open.
    bool writeData(const QByteArray &data, const QString &filename);
    // Closes the archive; false when the file could not be finished. Throws when
    // never opened.
    bool close();

    // Unpacks every entry into `destination`. An existing file is kept when
    // `overwrite` is off. Entries whose names are absolute or hold "..", and symbolic
    // links, are refused; every entry is read to its end with its size and CRC
    // checked, within the limits of ZipLimits (entries, bytes per entry and in all).
    // A damaged entry, a limit passed or a target that cannot be written fails the
    // call, and the files and folders the call made are removed again (a file
    // replaced by an entry stays as it was until the entry has been read whole).
    static bool unzipFileAtPath(const QString &path, const QString &destination, bool overwrite = true,
                                const QString &password = {}, ZipError *error = nullptr);
    // Reads the entry `name` of the archive into `bytes`; false (and `bytes` empty)
    // when the archive or the entry cannot be read whole with its size and CRC
    // matching, or passes a limit.
    static bool readEntry(const QString &path, const QString &name, QByteArray &bytes);
    // Creates the archive from files and folders, each added under its last path
    // component. False, and no archive left behind, when anything fails; `error` then
    // gets the system's error number of the step that failed (errno, 0 when unknown).
    static bool createZipFileAtPath(const QString &path, const QStringList &paths, int level = kDefaultLevel,
                                    int *error = nullptr);

    // 1 January 1980, 00:00, local time: the earliest date an entry can carry.
    static QDateTime dateFor1980();

private:
    bool addFile(const QString &name, const QString &fullPath);
    bool addEntry(const QString &name, const QByteArray &data, const QDateTime &date);

    QString m_path;
    int m_level;
    void *m_zip = nullptr;
};
