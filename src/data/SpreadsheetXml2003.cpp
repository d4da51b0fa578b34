// XML Spreadsheet 2003 files and the workbook part of SpreadsheetWriter.
#include "SpreadsheetWriter.h"

#include "FileWrite.h"
#include "Log.h"
#include "SheetReading.h"
#include "SpreadsheetXml.h"

#include <QFile>

#include <pugixml.hpp>

#include <new>
#include <string>
#include <sstream>

namespace {

const char *const kSpreadsheet2003 = "urn:schemas-microsoft-com:office:spreadsheet";

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

// Every row of the first worksheet (Workbook > Worksheet > Table > Row > Cell), each
// cell giving the text of its first child element.
SheetRows SpreadsheetWriter::ReadWorksheetXML2004(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Show_NSLog_Message(QStringLiteral("Error: cannot open %1").arg(path));
        return {};
    }
    XmlStream xml(Device_Source(file));
    RowCollector rows;
    QStringList row;
    int worksheets = 0;
    bool inSheet = false, inTable = false, inRow = false, inCell = false, inData = false, hadData = false;
    std::string text;
    ZipStatus status = ZipStatus::Ok;
    status = Guarded_Read([&] {
        for (bool more = true; more;) {
            switch (xml.next()) {
            case XmlStream::StartElement: {
                const int depth = xml.depth();
                if (depth == 2 && xml.is("Worksheet")) inSheet = ++worksheets == 1;
                else if (depth == 3 && inSheet && xml.is("Table")) inTable = true;
                else if (depth == 4 && inTable && xml.is("Row")) inRow = true;
                else if (depth == 5 && inRow && xml.is("Cell")) inCell = true, hadData = false, text.clear();
                else if (depth == 6 && inCell && !hadData) inData = hadData = true;
                break;
            }
            case XmlStream::Text:
                if (inData && xml.depth() == 6) text.append(xml.text());
                break;
            case XmlStream::EndElement: {
                const int depth = xml.depth();
                if (depth == 6) {
                    inData = false;
                } else if (depth == 5 && inCell) {
                    inCell = false;
                    if (row.size() >= kMaxSheetColumns) break;
                    row << QString::fromUtf8(text.data(), qsizetype(text.size()));
                } else if (depth == 4 && inRow) {
                    inRow = false;
                    if (!rows.add(std::exchange(row, {}))) {
                        status = ZipStatus::TooLarge;
                        more = false;
                    }
                } else if (depth == 3) {
                    inTable = false;
                } else if (depth == 2) {
                    inSheet = false;
                }
                break;
            }
            case XmlStream::EndDocument: more = false; break;
            case XmlStream::Invalid:
                status = Xml_Status(xml, nullptr);
                more = false;
                break;
            }
        }
        return status;
    });
    return Rows_Or_Refused(path, status, rows);
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
            data.text().set(Xml_Safe_Text(text).toUtf8().constData());
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
