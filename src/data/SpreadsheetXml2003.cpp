// XML Spreadsheet 2003 files and the workbook part of SpreadsheetWriter.
#include "SpreadsheetWriter.h"

#include "FileWrite.h"
#include "Log.h"
#include "SpreadsheetXml.h"

#include <QFile>

#include <pugixml.hpp>

#include <cstring>
#include <sstream>

namespace {

const char *const kSpreadsheet2003 = "urn:schemas-microsoft-com:office:spreadsheet";

bool named(pugi::xml_node n, const char *local)
{
    const char *name = n.name();
    const char *colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, local) == 0;
}

pugi::xml_node childNamed(pugi::xml_node parent, const char *local)
{
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (named(c, local)) return c;
    return {};
}

pugi::xml_node standaloneDocument(pugi::xml_document &doc)
{
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    decl.append_attribute("standalone") = "yes";
    return decl;
}

bool save(const pugi::xml_document &doc, const QString &path)
{
    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    const std::string bytes = out.str();
    return Write_File_Whole(path, QByteArray(bytes.data(), qsizetype(bytes.size())));
}

} // namespace

SheetRows SpreadsheetWriter::ReadWorksheetXML2004(const QString &path)
{
    SheetRows rows;
    pugi::xml_document doc;
    const pugi::xml_parse_result result = doc.load_file(QFile::encodeName(path).constData());
    if (!result) {
        Show_NSLog_Message(QString::fromUtf8(result.description()));
        return rows;
    }
    const pugi::xml_node table = childNamed(childNamed(doc.document_element(), "Worksheet"), "Table");
    for (pugi::xml_node row = table.first_child(); row; row = row.next_sibling()) {
        if (!named(row, "Row")) continue;
        QStringList cells;
        for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling())
            if (cell.type() == pugi::node_element) cells << QString::fromUtf8(cell.first_child().child_value());
        rows << cells;
    }
    return rows;
}

bool SpreadsheetWriter::WriteWorksheetXML2004(const QString &path, const SheetRows &rows)
{
    if (rows.isEmpty() || rows.front().isEmpty()) return false;
    pugi::xml_document doc;
    standaloneDocument(doc);
    pugi::xml_node workbook = doc.append_child("Workbook");
    workbook.append_attribute("xmlns") = kSpreadsheet2003;
    workbook.append_attribute("xmlns:o") = "urn:schemas-microsoft-com:office:office";
    workbook.append_attribute("xmlns:x") = "urn:schemas-microsoft-com:office:excel";
    workbook.append_attribute("xmlns:ss") = kSpreadsheet2003;
    workbook.append_attribute("xmlns:html") = "http://www.w3.org/TR/REC-html40";
    pugi::xml_node sheet = workbook.append_child("Worksheet");
    sheet.append_attribute("ss:Name") = "Notes";
    pugi::xml_node table = sheet.append_child("Table");
    table.append_attribute("ss:ExpandedColumnCount") = int(rows.front().size());
    table.append_attribute("ss:ExpandedRowCount") = int(rows.size());
    for (const QStringList &row : rows) {
        pugi::xml_node r = table.append_child("Row");
        for (const QString &text : row) {
            pugi::xml_node data = r.append_child("Cell").append_child("Data");
            data.append_attribute("ss:Type") = Is_Number_Cell(text) ? "Number" : "String";
            data.text().set(text.toUtf8().constData());
        }
    }
    return save(doc, path);
}

bool SpreadsheetWriter::WriteWorkbookXML(const QString &path, const QString &sheetName)
{
    pugi::xml_document doc;
    standaloneDocument(doc);
    pugi::xml_node workbook = doc.append_child("workbook");
    workbook.append_attribute("xml:space") = "preserve";
    workbook.append_attribute("xmlns") = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    workbook.append_attribute("xmlns:r") = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    workbook.append_child("sheets").append_child("sheet").append_attribute("name") = sheetName.toUtf8().constData();
    return save(doc, path);
}
