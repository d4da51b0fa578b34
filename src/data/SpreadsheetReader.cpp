// Reading of SpreadsheetWriter: xlsx workbooks into rows of texts.
#include "SpreadsheetWriter.h"

#include "Log.h"
#include "SpreadsheetXml.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <future>
#include <optional>

namespace {

constexpr unsigned kParseOptions =
    pugi::parse_cdata | pugi::parse_escapes | pugi::parse_eol | pugi::parse_ws_pcdata_single;

// Elements match by their local name, with or without a namespace prefix (other
// nodes have an empty name).
bool named(pugi::xml_node n, const char *local)
{
    const char *name = n.name();
    if (std::strcmp(name, local) == 0) return true;
    const char *colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, local) == 0;
}

pugi::xml_node childNamed(pugi::xml_node parent, const char *local)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (named(c, local)) return c;
    return {};
}

// Column number of a cell reference such as "AB12"; 0 without letters.
int referenceColumn(const char *r)
{
    int n = 0;
    for (; *r && !(*r >= '0' && *r <= '9'); ++r) {
        const char u = char(*r & ~0x20);
        if (u < 'A' || u > 'Z') return 0;
        n = n * 26 + (u - 'A' + 1);
        if (n > kMaxSheetColumns) return kMaxSheetColumns + 1;
    }
    return n;
}

// Calls f(position, cell, type) for every cell of the row, `type` being its `t`
// attribute; a cell without a usable reference follows the previous one.
template <class F>
void forEachCell(pugi::xml_node row, F f)
{
    int pos = -1;
    for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling()) {
        if (!named(c, "c")) continue;
        int col = 0;
        const char *type = "";
        for (pugi::xml_attribute a = c.first_attribute(); a; a = a.next_attribute()) {
            const char *name = a.name();
            if (name[0] == 'r' && name[1] == 0) col = referenceColumn(a.value());
            else if (name[0] == 't' && name[1] == 0) type = a.value();
        }
        pos = col > 0 ? col - 1 : pos + 1;
        f(pos, c, type);
    }
}

template <class F>
void forEachRow(const pugi::xml_document &doc, F f)
{
    const pugi::xml_node sheetData = childNamed(doc.document_element(), "sheetData");
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling())
        if (named(r, "row")) f(r);
}

// The texts of the `t` elements inside a string item, phonetic runs left out.
void appendRuns(pugi::xml_node item, QString &out)
{
    for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
        if (named(c, "t")) out += QString::fromUtf8(c.child_value());
        else if (c.type() == pugi::node_element && !named(c, "rPh")) appendRuns(c, out);
    }
}

QString stringItem(pugi::xml_node item)
{
    const pugi::xml_node first = item.first_child();
    if (first && !first.next_sibling() && named(first, "t")) return Decode_Escapes(QString::fromUtf8(first.child_value()));
    QString s;
    appendRuns(item, s);
    return Decode_Escapes(s);
}

// A shared-string index: the leading digits of the text (0 without any); -1 when
// too large for any list.
long long sharedIndex(const char *v)
{
    while (*v == ' ') ++v;
    long long i = 0;
    for (; *v >= '0' && *v <= '9'; ++v) {
        i = i * 10 + (*v - '0');
        if (i > (1LL << 40)) return -1;
    }
    return i;
}

QString cellValue(pugi::xml_node cell, const char *type, const QStringList &shared)
{
    if (std::strcmp(type, "inlineStr") == 0) return stringItem(childNamed(cell, "is"));
    const char *v = childNamed(cell, "v").child_value();
    if (std::strcmp(type, "s") == 0) {
        const long long i = sharedIndex(v);
        return i >= 0 && i < shared.size() ? shared[qsizetype(i)] : QString();
    }
    if (std::strcmp(type, "str") == 0) return Decode_Escapes(QString::fromUtf8(v));
    return QString::fromUtf8(v);
}

QString sheetPath(const QString &tmpDir, int number)
{
    return tmpDir + QStringLiteral("/xl/worksheets/sheet%1.xml").arg(number);
}

// The larger of the dimension's last column and the widest cell.
// Cells of a row come in column order, so a row's last cell is its widest unless it
// lacks a reference.
int sheetColumns(const pugi::xml_document &doc)
{
    const pugi::xml_node dimension = childNamed(doc.document_element(), "dimension");
    int columns = Dimension_Columns(QString::fromUtf8(dimension.attribute("ref").value()));
    forEachRow(doc, [&](pugi::xml_node row) {
        pugi::xml_node last = row.last_child();
        while (last && !named(last, "c")) last = last.previous_sibling();
        const int col = last ? referenceColumn(last.attribute("r").value()) : 0;
        if (col > 0) columns = std::max(columns, col);
        else forEachCell(row, [&](int pos, pugi::xml_node, const char *) { columns = std::max(columns, pos + 1); });
    });
    return std::min(columns, kMaxSheetColumns);
}

} // namespace

// A sheet part parsed in place from its bytes, with its column count.
struct SpreadsheetWriter::LoadedSheet {
    QByteArray bytes;  // the document points into these
    pugi::xml_document doc;
    int columns = 0;
};

// The parts of a workbook being opened, read from the archive and parsed on workers;
// empty when an entry could not be read there.
struct SpreadsheetWriter::SheetPrefetch {
    std::future<std::optional<QStringList>> strings;
    int number;
    std::future<std::unique_ptr<LoadedSheet>> sheet;
};

namespace {
QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList parseSharedStrings(const QByteArray &bytes)
{
    QStringList strings;
    pugi::xml_document sst;
    if (!sst.load_buffer(bytes.constData(), size_t(bytes.size()), kParseOptions)) return strings;
    for (pugi::xml_node si = sst.document_element().first_child(); si; si = si.next_sibling())
        if (named(si, "si")) strings.append(stringItem(si));
    return strings;
}
} // namespace

std::unique_ptr<SpreadsheetWriter::LoadedSheet> SpreadsheetWriter::parseSheet(QByteArray bytes, QString *error)
{
    auto sheet = std::make_unique<LoadedSheet>();
    sheet->bytes = std::move(bytes);
    const pugi::xml_parse_result result =
        sheet->doc.load_buffer_inplace(sheet->bytes.data(), size_t(sheet->bytes.size()), kParseOptions);
    if (!result) {
        if (error) *error = QString::fromUtf8(result.description());
        return nullptr;
    }
    sheet->columns = sheetColumns(sheet->doc);
    return sheet;
}

QString Spreadsheet_Temp_Folder()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/spreadsheet-XXXXXX"));
    if (!folder.isValid()) return {};
    const QString path = folder.path() + QStringLiteral("/ziptmp");
    QDir().mkpath(path);
    return path;
}

void Delete_Excel_File_Temp_Folder()
{
    const QString path = Spreadsheet_Temp_Folder();
    if (path.isEmpty()) return;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
}

SpreadsheetWriter::SpreadsheetWriter() : m_tmpDir(Spreadsheet_Temp_Folder()) {}
SpreadsheetWriter::~SpreadsheetWriter() = default;

SheetRows SpreadsheetWriter::ReadWorkbook(const QString &path, bool only_col)
{
    if (!only_col) {
        data = {};
        const pugi::xml_document *doc = m_open ? sheetDocument() : nullptr;
        if (!doc) return data;
        int columns = m_sheet->columns;
        forEachRow(*doc, [&](pugi::xml_node row) {
            QStringList values(columns);
            forEachCell(row, [&](int pos, pugi::xml_node cell, const char *type) {
                if (pos >= kMaxSheetColumns) return;
                QString v = cellValue(cell, type, m_sharedStrings);
                if (v.isEmpty()) return;
                if (pos >= values.size()) values.resize(pos + 1);  // a cell out of column order
                values[pos] = std::move(v);
            });
            columns = std::max(columns, int(values.size()));
            data.append(std::move(values));
        });
        for (QStringList &row : data) row.resize(columns);
        m_sheet->columns = Excel_Sheet_Columns = columns;
        return data;
    }
    Excel_Sheet_Columns = 1;
    m_prefetch.reset();  // waits for workers still reading
    m_sheet.reset();
    m_sharedStrings.clear();
    Delete_Excel_File_Temp_Folder();
    if (m_tmpDir.isEmpty()) return data;
    // While the workbook is unpacked, its shared strings and the sheet most likely read
    // next are read from it and parsed on workers.
    const int number = Excel_Sheet_Number;
    auto strings = [path]() -> std::optional<QStringList> {
        QByteArray bytes;
        if (!ZipArchive::readEntry(path, QStringLiteral("xl/sharedStrings.xml"), bytes)) return std::nullopt;
        return parseSharedStrings(bytes);
    };
    auto sheet = [path, number]() -> std::unique_ptr<LoadedSheet> {
        QByteArray bytes;
        if (!ZipArchive::readEntry(path, QStringLiteral("xl/worksheets/sheet%1.xml").arg(number), bytes)) return {};
        return parseSheet(std::move(bytes), nullptr);
    };
    m_prefetch = std::make_unique<SheetPrefetch>(SheetPrefetch{std::async(std::launch::async, strings), number,
                                                               std::async(std::launch::async, sheet)});
    m_open = ZipArchive::unzipFileAtPath(path, m_tmpDir, true);
    if (!m_open) {
        m_prefetch.reset();
        Delete_Excel_File_Temp_Folder();
    }
    return data;
}

SheetRows SpreadsheetWriter::ReadData_only_column()
{
    data = {};
    const pugi::xml_document *doc = m_open ? sheetDocument() : nullptr;
    if (!doc) return data;
    Excel_Sheet_Columns = m_sheet->columns;
    const int columns = Excel_Sheet_Columns;
    bool first = true;
    forEachRow(*doc, [&](pugi::xml_node row) {
        if (!first || columns <= 0) return;
        first = false;
        QStringList titles;
        for (int i = 1; i <= columns; ++i) titles << QStringLiteral("Untitled Column %1").arg(i);
        forEachCell(row, [&](int pos, pugi::xml_node cell, const char *type) {
            if (pos >= columns) return;
            QString v = cellValue(cell, type, m_sharedStrings);
            if (!v.isEmpty()) titles[pos] = std::move(v);
        });
        data.append(titles);
    });
    return data;
}

const pugi::xml_document *SpreadsheetWriter::sheetDocument()
{
    if (m_prefetch) {
        const std::unique_ptr<SheetPrefetch> prefetch = std::move(m_prefetch);
        std::optional<QStringList> strings = prefetch->strings.get();
        m_sharedStrings = strings ? std::move(*strings)
                                  : parseSharedStrings(readFile(m_tmpDir + QStringLiteral("/xl/sharedStrings.xml")));
        std::unique_ptr<LoadedSheet> sheet = prefetch->sheet.get();
        if (sheet && prefetch->number == Excel_Sheet_Number) {
            m_sheet = std::move(sheet);
            m_sheetNumber = prefetch->number;
        }
    }
    if (m_sheet && m_sheetNumber == Excel_Sheet_Number) return &m_sheet->doc;
    const QString path = sheetPath(m_tmpDir, Excel_Sheet_Number);
    QString error;
    m_sheet = parseSheet(readFile(path), &error);
    m_sheetNumber = Excel_Sheet_Number;
    if (!m_sheet) Show_NSLog_Message(QStringLiteral("Error: %1 (%2)").arg(error, path));
    return m_sheet ? &m_sheet->doc : nullptr;
}

QStringList SpreadsheetWriter::Sheet_List() const
{
    if (!m_open) return {};
    QStringList names;
    const QDir folder(m_tmpDir + QStringLiteral("/xl/worksheets"));
    for (const QString &file : folder.entryList(QDir::Files))
        if (file.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive)) names << file.chopped(4);
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

QStringList SpreadsheetWriter::Read_Sheet_Name() const
{
    QStringList names;
    if (!m_open) return names;
    pugi::xml_document doc;
    if (!doc.load_file(QFile::encodeName(m_tmpDir + QStringLiteral("/xl/workbook.xml")).constData(), kParseOptions))
        return names;
    for (const pugi::xpath_node &n : doc.select_nodes("//*[local-name()='sheet']"))
        names << QString::fromUtf8(n.node().attribute("name").value());
    return names;
}
