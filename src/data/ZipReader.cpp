#include "ZipReader.h"

#include <QFileInfo>
#include <QFile>

#include <minizip/unzip.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {
constexpr int kInputBlock = 1 << 16;
constexpr uLong kEncrypted = 1;
} // namespace

struct ZipEntryReader::Inflater {
    z_stream z{};
    std::vector<char> input = std::vector<char>(kInputBlock);
    bool inputEnded = false;
    bool streamEnded = false;
    ~Inflater() { inflateEnd(&z); }
};

ZipEntryReader::ZipEntryReader(void *zip, ZipBudget &budget, const QByteArray &password)
    : m_zip(zip), m_budget(budget)
{
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        fail(ZipStatus::Damaged);
        return;
    }
    m_declared = qint64(std::min<ZPOS64_T>(info.uncompressed_size, ZPOS64_T(LLONG_MAX)));
    m_crcWanted = quint32(info.crc);
    if (m_declared > budget.limits.entryBytes) {
        fail(ZipStatus::TooLarge);
        return;
    }
    if (info.flag & kEncrypted) {
        // Only minizip can decrypt: it inflates, and checks the CRC when closing.
        m_opened = !password.isEmpty() && unzOpenCurrentFilePassword(zip, password.constData()) == UNZ_OK;
        if (!m_opened) fail(ZipStatus::Damaged);
        return;
    }
    if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) {
        fail(ZipStatus::Damaged);
        return;
    }
    int method = 0, level = 0;
    m_opened = unzOpenCurrentFile2(zip, &method, &level, 1) == UNZ_OK;
    m_raw = true;
    if (!m_opened) {
        fail(ZipStatus::Damaged);
        return;
    }
    if (method == Z_DEFLATED) {
        m_inflater = std::make_unique<Inflater>();
        if (inflateInit2(&m_inflater->z, -MAX_WBITS) != Z_OK) {
            m_inflater.reset();
            fail(ZipStatus::Damaged);
        }
    }
}

ZipEntryReader::~ZipEntryReader()
{
    if (m_opened) unzCloseCurrentFile(m_zip);
}

qint64 ZipEntryReader::fail(ZipStatus why)
{
    if (m_status == ZipStatus::Ok) m_status = why;
    m_done = true;
    return -1;
}

qint64 ZipEntryReader::account(const char *bytes, qint64 n)
{
    m_total += n;
    const qint64 used = m_budget.used += n;
    m_crc = quint32(crc32(m_crc, reinterpret_cast<const Bytef *>(bytes), uInt(n)));
    if (m_total > m_budget.limits.entryBytes || used > m_budget.limits.totalBytes)
        return fail(ZipStatus::TooLarge);
    if (m_total > m_declared) return fail(ZipStatus::Damaged);
    return n;
}

qint64 ZipEntryReader::finish()
{
    m_done = true;
    if (m_inflater && !m_inflater->streamEnded) return fail(ZipStatus::Damaged);
    if (m_total != m_declared) return fail(ZipStatus::Damaged);
    if (m_raw && m_crc != m_crcWanted) return fail(ZipStatus::Damaged);
    if (!m_raw) {  // minizip compares the CRC of what it inflated
        m_opened = false;
        if (unzCloseCurrentFile(m_zip) != UNZ_OK) return fail(ZipStatus::Damaged);
    }
    return 0;
}

qint64 ZipEntryReader::readInflated(char *out, qint64 max)
{
    Inflater &in = *m_inflater;
    if (in.streamEnded) return finish();
    const uInt room = uInt(std::min<qint64>(max, 1 << 30));
    in.z.next_out = reinterpret_cast<Bytef *>(out);
    in.z.avail_out = room;
    while (in.z.avail_out == room) {
        if (in.z.avail_in == 0 && !in.inputEnded) {
            const int n = unzReadCurrentFile(m_zip, in.input.data(), unsigned(in.input.size()));
            if (n < 0) return fail(ZipStatus::Damaged);
            in.inputEnded = n == 0;
            in.z.next_in = reinterpret_cast<Bytef *>(in.input.data());
            in.z.avail_in = uInt(n);
        }
        const int r = inflate(&in.z, Z_NO_FLUSH);
        if (r == Z_STREAM_END) {
            in.streamEnded = true;
            break;
        }
        if (r == Z_BUF_ERROR && in.z.avail_in == 0 && in.inputEnded) return fail(ZipStatus::Damaged);  // cut short
        if (r != Z_OK && r != Z_BUF_ERROR) return fail(ZipStatus::Damaged);
    }
    const qint64 produced = qint64(room - in.z.avail_out);
    if (produced == 0) return finish();
    return account(out, produced);
}

qint64 ZipEntryReader::read(char *out, qint64 max)
{
    if (m_done) return m_status == ZipStatus::Ok ? 0 : -1;
    if (max <= 0) return 0;
    if (m_inflater) return readInflated(out, max);
    const int n = unzReadCurrentFile(m_zip, out, unsigned(std::min<qint64>(max, 1 << 30)));
    if (n < 0) return fail(ZipStatus::Damaged);
    if (n == 0) return finish();
    return account(out, n);
}

ZipStatus ZipEntryReader::drain()
{
    std::vector<char> block(kInputBlock * 4);
    while (read(block.data(), qint64(block.size())) > 0) {
    }
    return m_status;
}

struct ZipReader::Position {
    unz64_file_pos pos;
};

ZipReader::ZipReader(const QString &path, ZipLimits limits) : m_budget(std::make_shared<ZipBudget>())
{
    m_budget->limits = limits;
    open(path);
}

ZipReader::ZipReader(const QString &path, std::shared_ptr<ZipBudget> budget) : m_budget(std::move(budget))
{
    open(path);
}

void ZipReader::open(const QString &path)
{
    const ZipLimits &limits = m_budget->limits;
    if (!QFileInfo(path).isFile()) {
        m_status = ZipStatus::Missing;
        return;
    }
    m_zip = unzOpen64(QFile::encodeName(path).constData());
    if (!m_zip || unzGoToFirstFile(m_zip) != UNZ_OK) {
        m_status = ZipStatus::Damaged;
        return;
    }
    for (int more = UNZ_OK; more == UNZ_OK; more = unzGoToNextFile(m_zip)) {
        if (m_names.size() >= limits.entries) {
            m_status = ZipStatus::TooLarge;
            return;
        }
        unz_file_info64 info{};
        char name[1024];
        auto position = std::make_shared<Position>();
        if (unzGetCurrentFileInfo64(m_zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
            info.size_filename >= sizeof name || unzGetFilePos64(m_zip, &position->pos) != UNZ_OK) {
            m_status = ZipStatus::Damaged;
            return;
        }
        QString entry = QString::fromUtf8(name, qsizetype(info.size_filename));
        entry.replace(u'\\', u'/');
        m_names << entry;
        m_positions.insert(entry, position);
    }
}

ZipReader::~ZipReader()
{
    if (m_zip) unzClose(m_zip);
}

std::unique_ptr<ZipEntryReader> ZipReader::entry(const QString &name)
{
    const auto found = m_positions.constFind(name);
    if (m_status != ZipStatus::Ok || found == m_positions.cend()) return nullptr;
    if (unzGoToFilePos64(m_zip, &(*found)->pos) != UNZ_OK) return nullptr;
    return std::make_unique<ZipEntryReader>(m_zip, *m_budget);
}

ZipStatus ZipReader::verify(const QString &name)
{
    std::unique_ptr<ZipEntryReader> e = entry(name);
    if (!e) return m_status == ZipStatus::Ok ? ZipStatus::Missing : m_status;
    return e->drain();
}

ZipStatus ZipReader::readAll(const QString &name, QByteArray &bytes)
{
    bytes.clear();
    std::unique_ptr<ZipEntryReader> e = entry(name);
    if (!e) return m_status == ZipStatus::Ok ? ZipStatus::Missing : m_status;
    if (e->status() != ZipStatus::Ok) return e->status();
    bytes.reserve(qsizetype(std::min<qint64>(e->declaredSize(), qint64(64) << 20)));
    for (;;) {
        const qsizetype used = bytes.size();
        bytes.resize(used + kInputBlock);
        const qint64 n = e->read(bytes.data() + used, kInputBlock);
        bytes.resize(used + std::max<qint64>(n, 0));
        if (n <= 0) break;
    }
    if (e->status() != ZipStatus::Ok) bytes.clear();
    return e->status();
}

QString Zip_Status_Text(ZipStatus status)
{
    switch (status) {
    case ZipStatus::Ok: return QStringLiteral("read");
    case ZipStatus::Missing: return QStringLiteral("missing");
    case ZipStatus::Damaged: return QStringLiteral("damaged");
    case ZipStatus::TooLarge: return QStringLiteral("too large");
    }
    return {};
}
