// Writing of SpreadsheetWriter: rows of texts into an xlsx workbook made from the
// template "Template.xlsx" with a new sheet part and a new shared-strings part.
#include "SpreadsheetWriter.h"

#include "Log.h"
#include "Paths.h"
#include "SpreadsheetFolder.h"
#include "SpreadsheetXml.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

constexpr int kPackLevel = 1;  // zlib's fastest level: a tenth of the default's time
constexpr size_t kFlushSize = 1 << 20;
// What a workbook holds: Excel refuses a file with more.
constexpr qsizetype kMaxCellText = 32767;
constexpr qsizetype kMaxRows = 1048576;

const char *const kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char *const kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// An XML part written in blocks as it is produced.
class PartWriter {
public:
    explicit PartWriter(const QString &path) : m_file(path)
    {
        m_ok = m_file.open(QIODevice::WriteOnly);
        if (!m_ok) m_error = errno;
    }
    std::string &out() { return m_buffer; }
    void flushIfFull()
    {
        if (m_buffer.size() >= kFlushSize) flush();
    }
    // False on failure, errno then the system's error number of the write that failed.
    bool finish()
    {
        flush();
        m_file.close();
        if (m_ok && m_file.error() != QFileDevice::NoError) fail();
        errno = m_error;
        return m_ok;
    }

private:
    void flush()
    {
        if (m_ok && m_file.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size())) fail();
        m_buffer.clear();
    }
    void fail()
    {
        m_ok = false;
        m_error = errno;
    }
    QFile m_file;
    std::string m_buffer;
    bool m_ok = false;
    int m_error = 0;
};

void appendNumber(std::string &out, long long n)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

// The sheet part; returns the number of string cells through `strings`.
bool writeSheet(const QString &path, const SheetRows &rows, long long &strings)
{
    const int columns = int(rows.front().size());
    qsizetype widest = 0;
    for (const QStringList &row : rows) widest = std::max(widest, row.size());
    std::vector<std::string> names(size_t(widest) + 1);
    for (qsizetype j = 1; j <= widest; ++j) names[size_t(j)] = ColumnNumber_To_Name(int(j)).toStdString();
    const std::string lastCell = ColumnNumber_To_Name(columns).toStdString() + std::to_string(rows.size());

    PartWriter part(path);
    std::string &out = part.out();
    out += kDeclaration;
    out += "<worksheet xmlns=\"";
    out += kMainNamespace;
    out += "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
           " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
           " xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\" mc:Ignorable=\"x14ac\">";
    out += "<dimension ref=\"A1:" + lastCell + "\"/>";
    out += "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"><selection activeCell=\"" + lastCell +
           "\" sqref=\"" + lastCell + "\"/></sheetView></sheetViews>";
    out += "<sheetFormatPr baseColWidth=\"10\" defaultRowHeight=\"15\" x14ac:dyDescent=\"0\"/>";
    out += "<sheetData>";
    const std::string spans = "\" spans=\"1:" + std::to_string(columns) + "\">";
    strings = 0;
    long long k = 0;
    for (const QStringList &row : rows) {
        out += "<row r=\"";
        appendNumber(out, ++k);
        out += spans;
        for (qsizetype j = 0; j < row.size(); ++j) {
            out += "<c r=\"";
            out += names[size_t(j) + 1];
            appendNumber(out, k);
            if (Is_Number_Cell(row[j])) {
                out += "\"><v>";
                out += row[j].toStdString();
            } else {
                out += "\" t=\"s\"><v>";
                appendNumber(out, strings++);
            }
            out += "</v></c>";
        }
        out += "</row>";
        part.flushIfFull();
    }
    out += "</sheetData>";
    out += "<pageMargins left=\"0.75\" right=\"0.75\" top=\"1\" bottom=\"0.5\" header=\"0.5\" footer=\"0.5\"/>";
    out += "<extLst><ext xmlns:mx=\"http://schemas.microsoft.com/office/mac/excel/2008/main\""
           " uri=\"{64002731-A6B0-56B0-2670-7721B7C09600}\"><mx:PLV Mode=\"0\" OnePage=\"0\" WScale=\"0\"/>"
           "</ext></extLst>";
    out += "</worksheet>\n";
    return part.finish();
}

// The shared-strings part: every string cell's text, in the order the sheet wrote
// them, none merged.
bool writeSharedStrings(const QString &path, const SheetRows &rows, long long strings)
{
    PartWriter part(path);
    std::string &out = part.out();
    out += kDeclaration;
    out += "<sst xmlns=\"";
    out += kMainNamespace;
    out += '"';
    if (strings > 0) {
        out += " count=\"";
        appendNumber(out, strings);
        out += "\" uniqueCount=\"";
        appendNumber(out, strings);
        out += '"';
    }
    out += '>';
    for (const QStringList &row : rows) {
        for (const QString &text : row) {
            if (Is_Number_Cell(text)) continue;
            out += Has_Outer_Space(text) ? "<si><t xml:space=\"preserve\">" : "<si><t>";
            Append_Xml_Text(out, text);
            out += "</t></si>";
        }
        part.flushIfFull();
    }
    out += "</sst>\n";
    return part.finish();
}

// Flushes the file (or folder) at `path` to disk.
bool syncToDisk(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

// Why the rows cannot become a workbook Excel opens; empty when they can.
QString overLimit(const SheetRows &rows)
{
    if (rows.size() > kMaxRows)
        return QStringLiteral("%1 rows are more than the 1,048,576 a worksheet holds").arg(rows.size());
    for (const QStringList &row : rows) {
        if (row.size() > kMaxSheetColumns)
            return QStringLiteral("%1 columns are more than the 16,384 a worksheet holds").arg(row.size());
        for (const QString &text : row)
            if (text.size() > kMaxCellText)
                return QStringLiteral("a cell of %1 characters is more than the 32,767 a cell holds").arg(text.size());
    }
    return {};
}

} // namespace

bool SpreadsheetWriter::WriteWorkbook(const QString &path, const SheetRows &rows, bool hasTitleRow,
                                      const QString &templateFolder, int *error)
{
    Q_UNUSED(hasTitleRow);
    const auto failed = [error](int why) {
        if (error) *error = why;
        return false;
    };
    if (rows.isEmpty() || rows.front().isEmpty()) return failed(0);
    const QString tooMuch = overLimit(rows);
    if (!tooMuch.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Cannot write %1: %2.").arg(path, tooMuch));
        return failed(0);
    }
    const SpreadsheetFolder folder;
    if (!folder.isValid()) return failed(0);
    const QString tmp = folder.path();
    if (!ZipArchive::unzipFileAtPath(QDir(templateFolder).filePath(QStringLiteral("Template.xlsx")), tmp, true))
        return failed(0);
    long long strings = 0;
    errno = 0;
    if (!QDir().mkpath(tmp + QStringLiteral("/xl/worksheets")) ||
        !writeSheet(tmp + QStringLiteral("/xl/worksheets/sheet1.xml"), rows, strings) ||
        !writeSharedStrings(tmp + QStringLiteral("/xl/sharedStrings.xml"), rows, strings))
        return failed(errno);
    return packFolder(tmp, path, {}, kPackLevel, error);
}

bool SpreadsheetWriter::packFolder(const QString &folderPath, const QString &path, const QString &first, int level,
                                   int *error)
{
    const QDir folder(folderPath);
    QStringList entries;
    if (!first.isEmpty()) entries << Path_Join(folderPath, first);
    for (const QString &name :
         folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        if (name != first) entries << Path_Join(folderPath, name);
    const QFileInfo target(path);
    const QString packed = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                           QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
    if (!ZipArchive::createZipFileAtPath(packed, entries, level, error)) return false;
    errno = 0;
    if (syncToDisk(packed) &&
        std::rename(QFile::encodeName(packed).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) == 0) {
        syncToDisk(target.absolutePath());  // the rename itself
        return true;
    }
    if (error) *error = errno;
    QFile::remove(packed);
    return false;
}
