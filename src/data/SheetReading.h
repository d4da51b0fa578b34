#pragma once
// What the spreadsheet readers share: XML read straight from an archive entry or a
// file, rows collected under the table's cell limit, and the log line of a refusal.
#include "SpreadsheetWriter.h"
#include "XmlStream.h"
#include "ZipReader.h"

#include <new>

class QIODevice;

// The largest table a reader returns, counted as its rows times its widest row.
constexpr qint64 kMaxTableCells = 20'000'000;

XmlStream::Source Entry_Source(ZipEntryReader &entry);
XmlStream::Source Device_Source(QIODevice &device);

// Why a read stopped: Ok at the end of the document; the entry's own failure when the
// archive gave out; Damaged or TooLarge (nesting, a huge tag) from the XML.
ZipStatus Xml_Status(const XmlStream &xml, const ZipEntryReader *entry);

// Rows as a user sees them: an empty row counts once (whatever its repeat) and only
// when a row with values follows it, so trailing empty rows add nothing.
class RowCollector {
public:
    // Adds the row `times` times (an empty row once); false when the table would
    // hold more than kMaxTableCells cells.
    bool add(QStringList row, qint64 times = 1);
    // The rows added so far, for cells filled in after their rows were added.
    SheetRows &rows() { return m_rows; }
    // The rows, each cut after its last value and trailing empty rows dropped; with
    // `rectangular` every row padded to the widest. `columns` gets the widest.
    SheetRows take(bool rectangular, int *columns = nullptr);

private:
    SheetRows m_rows;
    qint64 m_pendingEmpty = 0;
    int m_columns = 0;
};

// Logs that the file at `path` is damaged or too large.
void Log_Refused(const QString &path, ZipStatus status);

// Runs a read that returns why it stopped; running out of memory counts as TooLarge.
template <class Read>
ZipStatus Guarded_Read(Read &&read)
{
    try {
        return read();
    } catch (const std::bad_alloc &) {
        return ZipStatus::TooLarge;
    }
}

// The rows of a read of the file at `path` that stopped with `status`: all of them
// (not padded) when it is Ok, else none and the refusal logged.
SheetRows Rows_Or_Refused(const QString &path, ZipStatus status, RowCollector &rows);
