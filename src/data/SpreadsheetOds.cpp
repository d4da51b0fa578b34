// OpenDocument spreadsheets of SpreadsheetWriter.
#include "SpreadsheetWriter.h"

#include "Globals.h"
#include "Log.h"
#include "ZipArchive.h"

#include <QFile>

#include <pugixml.hpp>

#include <cstring>

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

pugi::xml_node childNamed(pugi::xml_node parent, const char *name)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (std::strcmp(c.name(), name) == 0) return c;
    return {};
}

void appendText(pugi::xml_node node, QString &out)
{
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) out += QString::fromUtf8(c.value());
        else appendText(c, out);
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
            cell.append_child("text:p").text().set(text.toUtf8().constData());
        }
    }
    return doc.save_file(QFile::encodeName(path).constData(), "  ", pugi::format_default, pugi::encoding_utf8);
}

} // namespace

SheetRows SpreadsheetWriter::ReadODS(const QString &path)
{
    SheetRows rows;
    const QString tmp = Spreadsheet_Temp_Folder();
    Delete_Excel_File_Temp_Folder();
    if (tmp.isEmpty() || !ZipArchive::unzipFileAtPath(path, tmp, true)) return rows;
    pugi::xml_document doc;
    const pugi::xml_parse_result result = doc.load_file(QFile::encodeName(tmp + QStringLiteral("/content.xml")).constData());
    if (!result) {
        Show_NSLog_Message(QStringLiteral("Error: %1").arg(QString::fromUtf8(result.description())));
        return rows;
    }
    const pugi::xml_node table = childNamed(
        childNamed(childNamed(doc.child("office:document-content"), "office:body"), "office:spreadsheet"), "table:table");
    for (pugi::xml_node tr = table.first_child(); tr; tr = tr.next_sibling()) {
        if (std::strcmp(tr.name(), "table:table-row") != 0) continue;
        QStringList cells;
        for (pugi::xml_node cell = tr.first_child(); cell; cell = cell.next_sibling()) {
            if (cell.type() != pugi::node_element) continue;
            QString text;
            appendText(cell, text);
            const pugi::xml_attribute repeat = cell.attribute("table:number-columns-repeated");
            const int times = repeat ? std::min(repeat.as_int(), 16384) : 1;
            for (int i = 0; i < times; ++i) cells << text;
        }
        rows << cells;
    }
    return rows;
}

bool SpreadsheetWriter::WriteODS(const QString &path, const SheetRows &rows, bool hasTitleRow)
{
    Q_UNUSED(hasTitleRow);
    if (rows.isEmpty() || rows.front().isEmpty()) return false;
    const QString tmp = Spreadsheet_Temp_Folder();
    if (tmp.isEmpty()) return false;
    Delete_Excel_File_Temp_Folder();
    if (!ZipArchive::unzipFileAtPath(Resource_Path + QStringLiteral("Template.ods"), tmp, true) ||
        !writeContent(tmp + QStringLiteral("/content.xml"), rows))
        return false;
    return packFolder(path, QStringLiteral("mimetype"), ZipArchive::kDefaultLevel);
}
