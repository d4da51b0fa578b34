// OpenDocument spreadsheets of SpreadsheetWriter.
#include "SpreadsheetWriter.h"

#include "CellDisplay.h"
#include "SheetReading.h"
#include "SpreadsheetFolder.h"
#include "SpreadsheetXml.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>

#include <pugixml.hpp>

#include <algorithm>
#include <new>
#include <string>

namespace {

// The ODF 1.2 prefixes the content part declares, with their namespaces.
const char *const kNamespaces[][2] = {
    {"office", "urn:oasis:names:tc:opendocument:xmlns:office:1.0"},
    {"style", "urn:oasis:names:tc:opendocument:xmlns:style:1.0"},
    {"text", "urn:oasis:names:tc:opendocument:xmlns:text:1.0"},
    {"table", "urn:oasis:names:tc:opendocument:xmlns:table:1.0"},
    {"draw", "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"},
    {"fo", "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"},
    {"xlink", "http://www.w3.org/1999/xlink"},
    {"dc", "http://purl.org/dc/elements/1.1/"},
    {"meta", "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"},
    {"number", "urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"},
    {"presentation", "urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"},
    {"svg", "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"},
    {"chart", "urn:oasis:names:tc:opendocument:xmlns:chart:1.0"},
    {"dr3d", "urn:oasis:names:tc:opendocument:xmlns:dr3d:1.0"},
    {"math", "http://www.w3.org/1998/Math/MathML"},
    {"form", "urn:oasis:names:tc:opendocument:xmlns:form:1.0"},
    {"script", "urn:oasis:names:tc:opendocument:xmlns:script:1.0"},
    {"ooo", "http://openoffice.org/2004/office"},
    {"ooow", "http://openoffice.org/2004/writer"},
    {"oooc", "http://openoffice.org/2004/calc"},
    {"dom", "http://www.w3.org/2001/xml-events"},
    {"xforms", "http://www.w3.org/2002/xforms"},
    {"xsd", "http://www.w3.org/2001/XMLSchema"},
    {"xsi", "http://www.w3.org/2001/XMLSchema-instance"},
    {"rpt", "http://openoffice.org/2005/report"},
    {"of", "urn:oasis:names:tc:opendocument:xmlns:of:1.2"},
    {"html", "http://www.w3.org/1999/xhtml"},
    {"grddl", "http://www.w3.org/2003/g/data-view#"},
    {"tableooo", "http://openoffice.org/2009/table"},
    {"field", "urn:openoffice:names:experimental:ooo-ms-interop:xmlns:field:1.0"},
    {"formx", "urn:openoffice:names:experimental:ooxml-odf-interop:xmlns:form:1.0"},
    {"css3t", "http://www.w3.org/TR/css3-text/"},
};

// The value a cell holds in its attributes (`office:value` and the like), kept as
// written until the cell proves to have no text of its own.
struct AttributeValue {
    enum Kind { None, Number, Date, Time, Boolean, Text } kind = None;
    std::string value;

    void read(XmlStream &xml)
    {
        const std::string type(xml.attribute("value-type"));
        const std::pair<const char *, Kind> kAttributes[] = {
            {"date-value", Date}, {"time-value", Time}, {"boolean-value", Boolean}, {"string-value", Text}, {"value", Number}};
        const std::pair<const char *, Kind> kTypes[] = {
            {"date", Date}, {"time", Time}, {"boolean", Boolean}, {"string", Text}};
        kind = None;
        value.clear();
        for (const auto &[name, k] : kTypes)
            if (type == name) kind = k;
        for (const auto &[name, k] : kAttributes) {
            if ((kind == None && xml.hasAttribute(name)) || kind == k) {
                kind = k;
                value = xml.attribute(name);
                return;
            }
        }
    }

    // The text of a cell that holds its value only in attributes, as other programs
    // write them: numbers in the General format, booleans as TRUE or FALSE, dates and
    // times as a date cell without a format shows; empty for a cell without a value.
    std::string shown() const
    {
        const QString v = QString::fromUtf8(value.data(), qsizetype(value.size()));
        switch (kind) {
        case None: return {};
        case Number: return Number_Cell_Text(v.trimmed()).toStdString();
        case Date: return Iso_Date_Text(v).toStdString();
        case Time: return Iso_Duration_Text(v).toStdString();
        case Boolean: return v.trimmed() == QLatin1String("true") ? "TRUE" : v.trimmed() == QLatin1String("false") ? "FALSE" : value;
        case Text: return value;
        }
        return {};
    }
};

// The rows of the first table of a content part (document-content > body >
// spreadsheet > table > table-row > cells), each cut after its last value.
ZipStatus readContent(ZipEntryReader &entry, RowCollector &rows)
{
    XmlStream xml(Entry_Source(entry));
    int tables = 0;
    bool inTable = false, inRow = false, inCell = false;
    QStringList row;
    qint64 rowRepeat = 1, cellRepeat = 1, emptyCells = 0;
    std::string text;
    AttributeValue attributes;
    const auto count = [&xml](std::string_view name) -> qint64 {
        if (!xml.hasAttribute(name)) return 1;
        const std::string_view v = xml.attribute(name);
        return std::clamp<qint64>(QByteArray(v.data(), qsizetype(v.size())).trimmed().toLongLong(), 0, kMaxTableCells);
    };
    for (;;) {
        switch (xml.next()) {
        case XmlStream::StartElement: {
            const int depth = xml.depth();
            if (depth == 4 && xml.is("table")) {
                inTable = ++tables == 1;
            } else if (depth == 5 && inTable && xml.is("table-row")) {
                inRow = true;
                row.clear();
                emptyCells = 0;
                rowRepeat = count("number-rows-repeated");
            } else if (depth == 6 && inRow) {
                inCell = true;
                text.clear();
                cellRepeat = count("number-columns-repeated");
                attributes.read(xml);
            }
            break;
        }
        case XmlStream::Text:
            if (inCell && xml.depth() > 6) text.append(xml.text());  // blanks between a cell's paragraphs are layout
            break;
        case XmlStream::EndElement: {
            const int depth = xml.depth();
            if (depth == 6 && inCell) {
                inCell = false;
                if (text.empty()) text = attributes.shown();
                // Empty cells keep their places only before a value.
                if (text.empty()) {
                    emptyCells += cellRepeat;
                    break;
                }
                const qsizetype room = kMaxSheetColumns - row.size();
                const qsizetype empty = qsizetype(std::min<qint64>(emptyCells, room));
                const qsizetype times = qsizetype(std::min<qint64>(cellRepeat, room - empty));
                emptyCells = 0;
                if (times <= 0) break;
                row.resize(row.size() + empty);
                const QString value = QString::fromUtf8(text.data(), qsizetype(text.size()));
                row.insert(row.size(), times, value);
            } else if (depth == 5 && inRow) {
                inRow = false;
                if (!rows.add(std::exchange(row, {}), rowRepeat)) return ZipStatus::TooLarge;
            } else if (depth == 4) {
                inTable = false;
            }
            break;
        }
        case XmlStream::EndDocument: return ZipStatus::Ok;
        case XmlStream::Invalid: return Xml_Status(xml, &entry);
        }
    }
}

pugi::xml_node addStyle(pugi::xml_node styles, const char *name, const char *family)
{
    pugi::xml_node s = styles.append_child("style:style");
    s.append_attribute("style:name") = name;
    s.append_attribute("style:family") = family;
    return s;
}

void addFontFace(pugi::xml_node decls, const char *name, const char *generic)
{
    pugi::xml_node f = decls.append_child("style:font-face");
    f.append_attribute("style:name") = name;
    f.append_attribute("svg:font-family") = name;
    f.append_attribute("style:font-family-generic") = generic;
    f.append_attribute("style:font-pitch") = "variable";
}

bool writeContent(const QString &path, const SheetRows &rows)
{
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    decl.append_attribute("standalone") = "yes";
    pugi::xml_node root = doc.append_child("office:document-content");
    for (const auto &ns : kNamespaces) root.append_attribute((QByteArray("xmlns:") + ns[0]).constData()) = ns[1];
    root.append_attribute("office:version") = "1.2";
    root.append_child("office:scripts");
    pugi::xml_node fonts = root.append_child("office:font-face-decls");
    addFontFace(fonts, "Arial", "swiss");
    addFontFace(fonts, "Arial Unicode MS", "system");
    addFontFace(fonts, "Tahoma", "system");
    pugi::xml_node styles = root.append_child("office:automatic-styles");
    pugi::xml_node column = addStyle(styles, "co1", "table-column").append_child("style:table-column-properties");
    column.append_attribute("fo:break-before") = "auto";
    column.append_attribute("style:column-width") = "2.258cm";
    pugi::xml_node row = addStyle(styles, "ro1", "table-row").append_child("style:table-row-properties");
    row.append_attribute("style:row-height") = "0.427cm";
    row.append_attribute("fo:break-before") = "auto";
    row.append_attribute("style:use-optimal-row-height") = "true";
    pugi::xml_node tableStyle = addStyle(styles, "ta1", "table");
    tableStyle.append_attribute("style:master-page-name") = "Default";
    pugi::xml_node tableProps = tableStyle.append_child("style:table-properties");
    tableProps.append_attribute("table:display") = "true";
    tableProps.append_attribute("style:writing-mode") = "lr-tb";

    pugi::xml_node table = root.append_child("office:body").append_child("office:spreadsheet").append_child("table:table");
    table.append_attribute("table:name") = "Sheet1";
    table.append_attribute("table:style-name") = "ta1";
    pugi::xml_node columns = table.append_child("table:table-column");
    columns.append_attribute("table:style-name") = "co1";
    columns.append_attribute("table:number-columns-repeated") = int(rows.front().size());
    columns.append_attribute("table:default-cell-style-name") = "Default";
    for (const QStringList &r : rows) {
        pugi::xml_node tr = table.append_child("table:table-row");
        tr.append_attribute("table:style-name") = "ro1";
        for (const QString &text : r) {
            pugi::xml_node cell = tr.append_child("table:table-cell");
            cell.append_attribute("office:value-type") = "string";
            cell.append_child("text:p").text().set(Xml_Safe_Text(text).toUtf8().constData());
        }
    }
    return doc.save_file(QFile::encodeName(path).constData(), "  ", pugi::format_default, pugi::encoding_utf8);
}

} // namespace

SheetRows SpreadsheetWriter::ReadODS(const QString &path)
{
    ZipReader zip(path);
    RowCollector rows;
    const QString content = QStringLiteral("content.xml");
    const ZipStatus status = Guarded_Read([&] {
        ZipStatus read = zip.status();
        if (read == ZipStatus::Ok) {
            std::unique_ptr<ZipEntryReader> entry = zip.entry(content);
            read = entry ? readContent(*entry, rows) : ZipStatus::Damaged;
        }
        for (const QString &name : zip.names()) {
            if (read != ZipStatus::Ok) break;
            if (name != content) read = zip.verify(name);
        }
        return read;
    });
    return Rows_Or_Refused(path, status, rows);
}

bool SpreadsheetWriter::WriteODS(const QString &path, const SheetRows &rows, bool hasTitleRow,
                                 const QString &templateFolder)
{
    Q_UNUSED(hasTitleRow);
    if (rows.isEmpty() || rows.front().isEmpty()) return false;
    const SpreadsheetFolder folder;
    if (!folder.isValid()) return false;
    if (!ZipArchive::unzipFileAtPath(QDir(templateFolder).filePath(QStringLiteral("Template.ods")), folder.path(), true) ||
        !writeContent(folder.path() + QStringLiteral("/content.xml"), rows))
        return false;
    return packFolder(folder.path(), path, QStringLiteral("mimetype"), ZipArchive::kDefaultLevel);
}
