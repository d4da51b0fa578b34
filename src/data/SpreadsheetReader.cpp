// Reading of SpreadsheetWriter: xlsx workbooks into rows of texts, read straight
// from the archive in one pass per part.
#include "SpreadsheetWriter.h"

#include "CellDisplay.h"
#include "SheetReading.h"
#include "SpreadsheetXml.h"

#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <future>
#include <vector>
#include <new>
#include <string>

namespace {

const QString kSharedStrings = QStringLiteral("xl/sharedStrings.xml");
const QString kWorkbookPart = QStringLiteral("xl/workbook.xml");
const QString kSheetFolder = QStringLiteral("xl/worksheets/");
const QString kStylesPart = QStringLiteral("xl/styles.xml");

QString sheetEntry(int number) { return kSheetFolder + QStringLiteral("sheet%1.xml").arg(number); }

// A sheet entry directly inside the worksheets folder.
bool isSheetEntry(const QString &name)
{
    return name.startsWith(kSheetFolder) && name.indexOf(u'/', kSheetFolder.size()) < 0 &&
           name.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive) && name.size() > kSheetFolder.size() + 4;
}

// The texts of the `t` elements of every item, phonetic runs left out. The list
// never holds more items than a table can hold cells.
ZipStatus readSharedStrings(ZipReader &zip, QStringList &strings)
{
    std::unique_ptr<ZipEntryReader> entry = zip.entry(kSharedStrings);
    if (!entry) return ZipStatus::Ok;  // a workbook of numbers only
    XmlStream xml(Entry_Source(*entry));
    std::string text;
    int capture = 0, phonetic = 0;
    bool inItem = false;
    for (;;) {
        switch (xml.next()) {
        case XmlStream::StartElement:
            if (xml.depth() == 2 && xml.is("si")) {
                inItem = true;
                text.clear();
            } else if (inItem && !phonetic && xml.is("rPh")) {
                phonetic = xml.depth();
            } else if (inItem && !phonetic && !capture && xml.is("t")) {
                capture = xml.depth();
            }
            break;
        case XmlStream::Text:
            if (capture && xml.depth() == capture) text.append(xml.text());
            break;
        case XmlStream::EndElement:
            if (xml.depth() == capture) {
                capture = 0;
            } else if (xml.depth() == phonetic) {
                phonetic = 0;
            } else if (inItem && xml.depth() == 2) {
                inItem = false;
                if (strings.size() >= kMaxTableCells) return ZipStatus::TooLarge;
                strings.append(Decode_Escapes(QString::fromUtf8(text.data(), qsizetype(text.size()))));
            }
            break;
        case XmlStream::EndDocument: return ZipStatus::Ok;
        case XmlStream::Invalid: return Xml_Status(xml, entry.get());
        }
    }
}

// What number cells need to show as the workbook shows them: the date format of
// each cell style (empty for styles that show no date) and the date system.
struct CellStyles {
    std::vector<QString> dateFormats;
    bool date1904 = false;

    // The date format of style `s` (the cell's `s` attribute), or null.
    const QString *dateFormat(std::string_view s) const
    {
        size_t index = 0;  // a cell without a style has style 0
        if (s.size() > 9) return nullptr;
        for (char c : s) {
            if (c < '0' || c > '9') return nullptr;
            index = index * 10 + size_t(c - '0');
        }
        return index < dateFormats.size() && !dateFormats[index].isEmpty() ? &dateFormats[index] : nullptr;
    }
};

// The `name` attributes of the workbook's sheet elements, in order, and its date system.
ZipStatus readSheetNames(ZipReader &zip, QStringList &names, bool &date1904)
{
    std::unique_ptr<ZipEntryReader> entry = zip.entry(kWorkbookPart);
    if (!entry) return ZipStatus::Ok;
    XmlStream xml(Entry_Source(*entry));
    for (;;) {
        switch (xml.next()) {
        case XmlStream::StartElement:
            if (xml.is("sheet")) {
                const std::string_view name = xml.attribute("name");
                names << QString::fromUtf8(name.data(), qsizetype(name.size()));
            } else if (xml.depth() == 2 && xml.is("workbookPr")) {
                const std::string_view v = xml.attribute("date1904");
                date1904 = v == "1" || v == "true";
            }
            break;
        case XmlStream::EndDocument: return ZipStatus::Ok;
        case XmlStream::Invalid: return Xml_Status(xml, entry.get());
        default: break;
        }
    }
}

// The number formats of the cell styles (styleSheet > numFmts > numFmt, cellXfs > xf):
// for each style the code of its format when that shows a date or a time.
ZipStatus readStyles(ZipReader &zip, CellStyles &styles)
{
    std::unique_ptr<ZipEntryReader> entry = zip.entry(kStylesPart);
    if (!entry) return ZipStatus::Ok;
    XmlStream xml(Entry_Source(*entry));
    std::vector<std::pair<int, QString>> codes;
    std::vector<int> xfs;
    bool inFormats = false, inXfs = false;
    auto number = [](std::string_view v) {
        int n = 0;
        if (v.empty() || v.size() > 9) return -1;
        for (char c : v) {
            if (c < '0' || c > '9') return -1;
            n = n * 10 + (c - '0');
        }
        return n;
    };
    for (;;) {
        switch (xml.next()) {
        case XmlStream::StartElement:
            if (xml.depth() == 2) {
                inFormats = xml.is("numFmts");
                inXfs = xml.is("cellXfs");
            } else if (xml.depth() == 3 && inFormats && xml.is("numFmt")) {
                const int id = number(xml.attribute("numFmtId"));
                const std::string_view code = xml.attribute("formatCode");
                if (id >= 0) codes.emplace_back(id, QString::fromUtf8(code.data(), qsizetype(code.size())));
            } else if (xml.depth() == 3 && inXfs && xml.is("xf")) {
                if (xfs.size() >= size_t(kMaxSheetColumns) * 4) return ZipStatus::TooLarge;
                xfs.push_back(number(xml.attribute("numFmtId")));
            }
            break;
        case XmlStream::EndDocument: {
            styles.dateFormats.assign(xfs.size(), QString());
            for (size_t i = 0; i < xfs.size(); ++i) {
                QString code = Builtin_Date_Format(xfs[i]);
                for (const auto &custom : codes)
                    if (custom.first == xfs[i]) code = Is_Date_Format(custom.second) ? custom.second : QString();
                styles.dateFormats[i] = code;
            }
            return ZipStatus::Ok;
        }
        case XmlStream::Invalid: return Xml_Status(xml, entry.get());
        default: break;
        }
    }
}

enum class CellKind { Plain, Number, Date, Boolean, Shared, Inline, Formula };

CellKind kindOf(std::string_view type)
{
    if (type.empty() || type == "n") return CellKind::Number;
    if (type == "s") return CellKind::Shared;
    if (type == "inlineStr") return CellKind::Inline;
    if (type == "str") return CellKind::Formula;
    if (type == "d") return CellKind::Date;
    if (type == "b") return CellKind::Boolean;
    return CellKind::Plain;
}

// A shared-string index: digits only (blanks around them allowed); -1 otherwise.
long long sharedIndex(std::string_view v)
{
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    if (v.empty() || v.size() > 12) return -1;
    long long i = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return -1;
        i = i * 10 + (c - '0');
    }
    return i;
}

// A cell's text as the workbook shows it: numbers in their date format or the
// General one, ISO dates in their date format (else as yyyy-mm-dd and hh:mm), booleans
// as TRUE and FALSE.
QString cellValue(CellKind kind, const std::string &text, const QString *dateFormat, bool date1904)
{
    const QString value = QString::fromUtf8(text.data(), qsizetype(text.size()));
    switch (kind) {
    case CellKind::Plain: return value;
    case CellKind::Number: {
        if (!dateFormat) return Number_Cell_Text(value);
        bool ok = false;
        const double serial = value.trimmed().toDouble(&ok);
        return ok ? Date_Cell_Text(serial, *dateFormat, date1904) : value;
    }
    case CellKind::Date: {
        double serial = 0;
        if (!Iso_To_Serial(value, date1904, &serial)) return value;
        return Date_Cell_Text(serial, dateFormat ? QStringView(*dateFormat) : QStringView(), date1904);
    }
    case CellKind::Boolean: {
        const QString flag = value.trimmed();
        return flag == u"1" ? QStringLiteral("TRUE") : flag == u"0" ? QStringLiteral("FALSE") : value;
    }
    default: return Decode_Escapes(value);
    }
}

// A shared-string cell of a sheet read before its workbook's shared strings.
struct SharedCell {
    qsizetype row;
    int position;
    long long index;
};

// The rows of a sheet part (worksheet > sheetData > row > c). Shared-string cells take
// their texts from `shared`, or, when it is null, are listed in `later` to be filled
// in once the shared strings are read.
ZipStatus readSheetRows(ZipEntryReader &entry, const QStringList *shared, const CellStyles &styles,
                        RowCollector &rows, std::vector<SharedCell> *later)
{
    XmlStream xml(Entry_Source(entry));
    bool inData = false, inRow = false, inCell = false;
    QStringList row;
    int pos = -1, capture = 0, phonetic = 0, inlineString = 0;
    CellKind kind = CellKind::Plain;
    const QString *dateFormat = nullptr;
    std::string text;
    std::vector<SharedCell> rowLater;
    for (;;) {
        switch (xml.next()) {
        case XmlStream::StartElement: {
            const int depth = xml.depth();
            if (depth == 2) {
                inData = xml.is("sheetData");
            } else if (depth == 3 && inData && xml.is("row")) {
                inRow = true;
                row.clear();
                rowLater.clear();
                pos = -1;
            } else if (depth == 4 && inRow && xml.is("c")) {
                inCell = true;
                const int column = Reference_Column(xml.attribute("r"));
                pos = column > 0 ? column - 1 : std::min(pos + 1, kMaxSheetColumns);
                kind = kindOf(xml.attribute("t"));
                dateFormat = styles.dateFormat(xml.attribute("s"));
                text.clear();
            } else if (inCell && depth == 5) {
                if (xml.is("v")) capture = depth;
                else if (xml.is("is")) inlineString = depth;
            } else if (inlineString && !phonetic && !capture) {
                if (xml.is("rPh")) phonetic = depth;
                else if (xml.is("t")) capture = depth;
            }
            break;
        }
        case XmlStream::Text:
            if (capture && xml.depth() == capture) text.append(xml.text());
            break;
        case XmlStream::EndElement: {
            const int depth = xml.depth();
            if (depth == capture) {
                capture = 0;
            } else if (depth == phonetic) {
                phonetic = 0;
            } else if (depth == inlineString) {
                inlineString = 0;
            } else if (depth == 4 && inCell) {
                inCell = false;
                if (pos >= kMaxSheetColumns) break;
                QString value;
                if (kind == CellKind::Shared) {
                    const long long i = sharedIndex(text);
                    if (i < 0) break;
                    if (!shared) {
                        rowLater.push_back({0, pos, i});
                        if (row.size() <= pos) row.resize(pos + 1);
                        break;
                    }
                    if (i < shared->size()) value = (*shared)[qsizetype(i)];
                } else {
                    value = cellValue(kind, text, dateFormat, styles.date1904);
                }
                if (value.isEmpty()) break;
                if (row.size() <= pos) row.resize(pos + 1);
                row[pos] = std::move(value);
            } else if (depth == 3 && inRow) {
                inRow = false;
                if (!rows.add(std::exchange(row, {}))) return ZipStatus::TooLarge;
                for (const SharedCell &cell : rowLater)
                    later->push_back({rows.rows().size() - 1, cell.position, cell.index});
            } else if (depth == 2) {
                inData = false;
            }
            break;
        }
        case XmlStream::EndDocument: return ZipStatus::Ok;
        case XmlStream::Invalid: return Xml_Status(xml, &entry);
        }
    }
}

// Reads sheet `entryName` of the archive at `path` with an archive reader of its own
// (on a worker), its shared-string cells listed in `later`.
ZipStatus readSheetAlone(const QString &path, const QString &entryName, std::shared_ptr<ZipBudget> budget,
                         const CellStyles &styles, RowCollector &rows, std::vector<SharedCell> &later)
{
    ZipReader zip(path, std::move(budget));
    std::unique_ptr<ZipEntryReader> entry = zip.entry(entryName);
    if (!entry) return zip.status() == ZipStatus::Ok ? ZipStatus::Damaged : zip.status();
    return readSheetRows(*entry, nullptr, styles, rows, &later);
}

} // namespace

// The open workbook: its archive, shared strings and sheet names, and the rows of the
// sheet read last, kept from its header read for its full read.
struct SpreadsheetWriter::Workbook {
    QString path;
    std::unique_ptr<ZipReader> zip;
    QStringList shared;
    QStringList sheetNames;
    CellStyles styles;
    int sheetNumber = 0;
    SheetRows rows;
    int columns = 0;
};

SpreadsheetWriter::SpreadsheetWriter() = default;
SpreadsheetWriter::~SpreadsheetWriter() = default;

void SpreadsheetWriter::Delete_Excel_File_Temp_Folder() { m_book.reset(); }

bool SpreadsheetWriter::readSheet(int number)
{
    if (!m_book) return false;
    if (m_book->sheetNumber == number) return true;
    m_book->sheetNumber = 0;
    m_book->rows = {};
    std::unique_ptr<ZipEntryReader> entry = m_book->zip->entry(sheetEntry(number));
    if (!entry) return false;  // no such sheet: the workbook stays open
    RowCollector rows;
    const ZipStatus status =
        Guarded_Read([&] { return readSheetRows(*entry, &m_book->shared, m_book->styles, rows, nullptr); });
    return keepSheet(number, status, rows);
}

bool SpreadsheetWriter::keepSheet(int number, ZipStatus status, RowCollector &rows)
{
    if (status != ZipStatus::Ok) {
        Log_Refused(m_book->path, status);
        m_book.reset();
        return false;
    }
    m_book->rows = rows.take(true, &m_book->columns);
    m_book->sheetNumber = number;
    return true;
}

SheetRows SpreadsheetWriter::ReadWorkbook(const QString &path, bool only_col)
{
    data = {};
    if (!only_col) {
        if (!readSheet(Excel_Sheet_Number)) return data;
        data = std::exchange(m_book->rows, {});
        m_book->sheetNumber = 0;
        Excel_Sheet_Columns = m_book->columns;
        return data;
    }
    Excel_Sheet_Columns = 1;
    m_book.reset();
    auto book = std::make_unique<Workbook>();
    book->path = path;
    auto budget = std::make_shared<ZipBudget>();
    book->zip = std::make_unique<ZipReader>(path, budget);
    ZipStatus status = book->zip->status();
    if (status == ZipStatus::Ok && !std::any_of(book->zip->names().cbegin(), book->zip->names().cend(), isSheetEntry))
        status = ZipStatus::Damaged;  // no workbook
    // The sheet most likely read next is read now on a worker, beside the shared
    // strings, so that a damaged one fails the open; each part is read once.
    const int number = Excel_Sheet_Number;
    const QString firstSheet = sheetEntry(number);
    RowCollector sheetRows;
    std::vector<SharedCell> later;
    std::future<ZipStatus> sheet;
    // The styles and the date system come first: the sheet's number cells need them.
    try {
        if (status == ZipStatus::Ok) status = readSheetNames(*book->zip, book->sheetNames, book->styles.date1904);
        if (status == ZipStatus::Ok) status = readStyles(*book->zip, book->styles);
    } catch (const std::bad_alloc &) {
        status = ZipStatus::TooLarge;
    }
    const bool prefetched = status == ZipStatus::Ok && book->zip->contains(firstSheet);
    if (prefetched)
        sheet = std::async(std::launch::async, readSheetAlone, path, firstSheet, budget, std::cref(book->styles),
                           std::ref(sheetRows), std::ref(later));
    try {
        if (status == ZipStatus::Ok) status = readSharedStrings(*book->zip, book->shared);
        // Every other part but the sheets is read through to its end, so a damaged
        // archive is refused now; each other sheet is checked when it is read.
        for (const QString &name : book->zip->names()) {
            if (status != ZipStatus::Ok) break;
            if (name != kSharedStrings && name != kWorkbookPart && name != kStylesPart && !isSheetEntry(name))
                status = book->zip->verify(name);
        }
    } catch (const std::bad_alloc &) {
        status = ZipStatus::TooLarge;
    }
    if (prefetched) {
        const ZipStatus sheetStatus = Guarded_Read([&] { return sheet.get(); });
        if (status == ZipStatus::Ok) status = sheetStatus;
    }
    if (status != ZipStatus::Ok) {
        Log_Refused(path, status);
        return data;
    }
    m_book = std::move(book);
    if (!prefetched) return data;
    SheetRows &rows = sheetRows.rows();
    for (const SharedCell &cell : later)
        if (cell.index < m_book->shared.size()) rows[cell.row][cell.position] = m_book->shared[qsizetype(cell.index)];
    std::vector<SharedCell>().swap(later);
    keepSheet(number, ZipStatus::Ok, sheetRows);
    return data;
}

SheetRows SpreadsheetWriter::ReadData_only_column()
{
    data = {};
    if (!readSheet(Excel_Sheet_Number)) return data;
    const int columns = Excel_Sheet_Columns = m_book->columns;
    if (columns <= 0 || m_book->rows.isEmpty()) return data;
    QStringList titles = m_book->rows.front();
    for (int i = 0; i < columns; ++i)
        if (titles[i].isEmpty()) titles[i] = QStringLiteral("Untitled Column %1").arg(i + 1);
    data.append(titles);
    return data;
}

QStringList SpreadsheetWriter::Sheet_List() const
{
    if (!m_book) return {};
    QStringList names;
    for (const QString &entry : m_book->zip->names())
        if (isSheetEntry(entry)) names << entry.mid(kSheetFolder.size()).chopped(4);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int na = Sheet_Number(a), nb = Sheet_Number(b);
        if ((na == 0) != (nb == 0)) return na != 0;
        return na != nb ? na < nb : a < b;
    });
    return names;
}

int SpreadsheetWriter::Sheet_Number(const QString &entry)
{
    static const QRegularExpression pattern(QStringLiteral("^sheet([0-9]{1,9})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(entry);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QStringList SpreadsheetWriter::Read_Sheet_Name() const { return m_book ? m_book->sheetNames : QStringList(); }
