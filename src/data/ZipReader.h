#pragma once
// Checked reading of zip archives. Every entry is read to its end, its size and CRC
// compared with what the archive declares, and the bytes given out are bounded by
// limits that hold whatever the archive declares: a short stream, a lying size or
// CRC reads as damaged, an archive over a limit as too large.
#include <QHash>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

enum class ZipStatus { Ok, Missing, Damaged, TooLarge };

struct ZipLimits {
    int entries = 10000;
    qint64 entryBytes = qint64(512) << 20;
    qint64 totalBytes = qint64(1) << 30;
};

// What one archive has given out so far, against its limits; readers of the same
// archive on several threads may share one.
struct ZipBudget {
    ZipLimits limits;
    std::atomic<qint64> used = 0;
};

// The current entry of an open minizip reader, read block by block. The entry is
// opened by the constructor and closed by the destructor.
class ZipEntryReader {
public:
    // `zip` is minizip's unzFile positioned on the entry. A password is needed only
    // for an encrypted entry.
    ZipEntryReader(void *zip, ZipBudget &budget, const QByteArray &password = {});
    ~ZipEntryReader();
    ZipEntryReader(const ZipEntryReader &) = delete;
    ZipEntryReader &operator=(const ZipEntryReader &) = delete;

    // Up to `max` bytes into `out`: the count read, 0 at the entry's checked end, -1
    // when it failed (status() says why).
    qint64 read(char *out, qint64 max);
    // Reads what is left and gives the final status.
    ZipStatus drain();
    ZipStatus status() const { return m_status; }
    qint64 declaredSize() const { return m_declared; }

private:
    qint64 fail(ZipStatus why);
    qint64 account(const char *bytes, qint64 n);
    qint64 finish();
    qint64 readInflated(char *out, qint64 max);

    struct Inflater;
    void *m_zip;
    ZipBudget &m_budget;
    std::unique_ptr<Inflater> m_inflater;  // null for stored entries and minizip's own reading
    bool m_opened = false;
    bool m_raw = false;
    bool m_done = false;
    ZipStatus m_status = ZipStatus::Ok;
    qint64 m_declared = 0;
    qint64 m_total = 0;
    quint32 m_crcWanted = 0;
    quint32 m_crc = 0;
};

// An archive opened for reading entries by name. Opening walks the central directory
// (at most ZipLimits::entries entries); one entry is read at a time.
class ZipReader {
public:
    explicit ZipReader(const QString &path, ZipLimits limits = {});
    // A reader whose entries count against a budget shared with other readers.
    ZipReader(const QString &path, std::shared_ptr<ZipBudget> budget);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    // Ok when the archive could be opened and holds at least one entry; Missing when
    // there is no file, Damaged when it is no zip archive, TooLarge over the limit.
    ZipStatus status() const { return m_status; }
    // Entry names in archive order ("\" turned into "/").
    const QStringList &names() const { return m_names; }
    bool contains(const QString &name) const { return m_positions.contains(name); }
    // The entry `name`, or null when the archive does not hold it.
    std::unique_ptr<ZipEntryReader> entry(const QString &name);
    // Reads the entry to its end (Missing when there is none).
    ZipStatus verify(const QString &name);
    // Reads the whole entry into `bytes`.
    ZipStatus readAll(const QString &name, QByteArray &bytes);

private:
    struct Position;
    void open(const QString &path);

    void *m_zip = nullptr;
    std::shared_ptr<ZipBudget> m_budget;
    ZipStatus m_status = ZipStatus::Ok;
    QStringList m_names;
    QHash<QString, std::shared_ptr<Position>> m_positions;
};

// Words for the log: "damaged", "too large".
QString Zip_Status_Text(ZipStatus status);
