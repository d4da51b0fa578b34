#include "SheetReading.h"

#include "Log.h"

#include <QIODevice>

XmlStream::Source Entry_Source(ZipEntryReader &entry)
{
    return [&entry](char *out, qint64 max) { return entry.read(out, max); };
}

XmlStream::Source Device_Source(QIODevice &device)
{
    return [&device](char *out, qint64 max) { return device.read(out, max); };
}

ZipStatus Xml_Status(const XmlStream &xml, const ZipEntryReader *entry)
{
    switch (xml.failure()) {
    case XmlStream::None: return ZipStatus::Ok;
    case XmlStream::SourceFailed:
        return entry && entry->status() != ZipStatus::Ok ? entry->status() : ZipStatus::Damaged;
    case XmlStream::TooDeep:
    case XmlStream::TooLarge: return ZipStatus::TooLarge;
    case XmlStream::Damaged: break;
    }
    return ZipStatus::Damaged;
}

bool RowCollector::add(QStringList row, qint64 times)
{
    if (row.isEmpty()) {
        ++m_pendingEmpty;
        return true;
    }
    if (times <= 0) return true;
    const qint64 columns = std::max<qint64>(m_columns, row.size());
    const qint64 rows = m_rows.size() + m_pendingEmpty;
    if (times > kMaxTableCells || (rows + times) * columns > kMaxTableCells) return false;
    for (; m_pendingEmpty > 0; --m_pendingEmpty) m_rows.append(QStringList());
    for (qint64 i = 1; i < times; ++i) m_rows.append(row);  // copies share their cells
    m_rows.append(std::move(row));
    m_columns = int(columns);
    return true;
}

SheetRows RowCollector::take(bool rectangular, int *columns)
{
    int widest = 0;
    for (QStringList &row : m_rows) {
        qsizetype used = row.size();
        while (used > 0 && row[used - 1].isEmpty()) --used;
        if (used < row.size()) row.resize(used);
        widest = std::max(widest, int(used));
    }
    while (!m_rows.isEmpty() && m_rows.back().isEmpty()) m_rows.removeLast();
    if (rectangular)
        for (QStringList &row : m_rows)
            if (row.size() < widest) row.resize(widest);
    if (columns) *columns = widest;
    m_pendingEmpty = 0;
    m_columns = 0;
    return std::exchange(m_rows, {});
}

void Log_Refused(const QString &path, ZipStatus status)
{
    Show_NSLog_Message(QStringLiteral("Error: the spreadsheet %1 is %2.").arg(path, Zip_Status_Text(status)));
}

SheetRows Rows_Or_Refused(const QString &path, ZipStatus status, RowCollector &rows)
{
    if (status != ZipStatus::Ok) {
        Log_Refused(path, status);
        return {};
    }
    return rows.take(false);
}
