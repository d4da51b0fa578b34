#pragma once
// Reading and writing xlsx workbooks as rows of texts.
//
// A reader object holds one open workbook: ReadWorkbook(path, true) unpacks it into
// the process's spreadsheet folder and reads its shared strings; the caller lists
// the sheets, sets Excel_Sheet_Number, reads the header row (ReadData_only_column)
// and then every row (ReadWorkbook(path, false)). A broken, truncated, encrypted or
// foreign file reads as no rows; the callers report that in their own words.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace pugi {
class xml_document;
}

using SheetRows = QList<QStringList>;

// The process's private spreadsheet folder "ziptmp" (inside a temporary folder of
// mode 0700 that lives as long as the process), shared by reading and writing.
QString Spreadsheet_Temp_Folder();
// Empties that folder.
void Delete_Excel_File_Temp_Folder();

class SpreadsheetWriter {
public:
    SpreadsheetWriter();
    ~SpreadsheetWriter();

    // With `only_col` true: opens the workbook at `path` and returns the rows read
    // last. With false: every row of sheet Excel_Sheet_Number of the open workbook,
    // each of Excel_Sheet_Columns entries (`path` is not used).
    SheetRows ReadWorkbook(const QString &path, bool only_col);
    // The header row of sheet Excel_Sheet_Number: entry i is the text of worksheet
    // column i + 1, or "Untitled Column <i + 1>" when that cell is blank. Sets
    // Excel_Sheet_Columns. Empty when the sheet has no rows or cannot be read.
    SheetRows ReadData_only_column();
    // The sheets of the open workbook as "sheet1", "sheet2", ... in the order of
    // their numbers.
    QStringList Sheet_List() const;
    // The names the workbook gives its sheets, in its order.
    QStringList Read_Sheet_Name() const;

    // The number N of a sheet entry "sheetN" (any case); 0 for other names.
    static int Sheet_Number(const QString &entry);

    // Writes the rows as an xlsx workbook at `path`: the first row's length is the
    // sheet's column count. The file is packed beside `path` and renamed over it, so
    // a failed write (no rows, no template, an unwritable folder) returns false and
    // leaves an old file as it was. `hasTitleRow` does not change the output.
    static bool WriteWorkbook(const QString &path, const SheetRows &rows, bool hasTitleRow);

    // OpenDocument spreadsheets. The reader unpacks the file into the spreadsheet
    // folder and returns the direct rows of its first table, a cell repeated by
    // "table:number-columns-repeated" as often as it says (a row's own repeat count
    // is not followed). The writer fills "Template.ods" with the rows as string cells,
    // packed and renamed like an xlsx workbook.
    static SheetRows ReadODS(const QString &path);
    static bool WriteODS(const QString &path, const SheetRows &rows, bool hasTitleRow);

    // XML Spreadsheet 2003: every row of the first worksheet, each cell giving the
    // text of its first child (cell index attributes are not followed); empty when
    // the file cannot be read. The writer puts the rows into worksheet "Notes", number
    // cells as "Number", the others as "String"; false when nothing could be written.
    static SheetRows ReadWorksheetXML2004(const QString &path);
    static bool WriteWorksheetXML2004(const QString &path, const SheetRows &rows);
    // Writes a workbook part naming one sheet.
    static bool WriteWorkbookXML(const QString &path, const QString &sheetName);

    int Excel_Sheet_Number = 1;   // 1-based sheet read by the header and full reads
    int Excel_Sheet_Columns = 1;  // column count of the sheet read last

    SheetRows data;               // rows read last

private:
    // Packs the spreadsheet folder into a file beside `path`, `first` as the first
    // entry when given, and renames it over `path`.
    static bool packFolder(const QString &path, const QString &first, int level);
    struct LoadedSheet;
    struct SheetPrefetch;
    // Parses a sheet part; null, with the reason in `error`, when it is not XML.
    static std::unique_ptr<LoadedSheet> parseSheet(QByteArray bytes, QString *error);
    // The parsed sheet Excel_Sheet_Number, kept between its two reads.
    const pugi::xml_document *sheetDocument();

    QString m_tmpDir;
    bool m_open = false;
    std::unique_ptr<LoadedSheet> m_sheet;
    QStringList m_sharedStrings;                  // of the open workbook
    std::unique_ptr<SheetPrefetch> m_prefetch;    // parts being parsed on workers after opening
    int m_sheetNumber = 0;
};
