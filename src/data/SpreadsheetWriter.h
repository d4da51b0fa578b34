#pragma once
// Reading and writing xlsx workbooks as rows of texts.
//
// A reader object holds one open workbook of its own: ReadWorkbook(path, true) opens
// it (its parts are read straight from the archive, checked and within limits) and
// reads its shared strings; the caller lists the sheets, sets Excel_Sheet_Number,
// reads the header row (ReadData_only_column) and then every row
// (ReadWorkbook(path, false)). A missing, damaged, too large, encrypted or foreign
// file reads as no rows and no sheets, and the log says why; the callers report it
// in their own words. Readers and writers share nothing: any number of them may run
// at once, on any threads.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

using SheetRows = QList<QStringList>;

enum class ZipStatus;
class RowCollector;

class SpreadsheetWriter {
public:
    SpreadsheetWriter();
    ~SpreadsheetWriter();

    // With `only_col` true: opens the workbook at `path`, dropping the one open before
    // and the rows read before, and returns no rows. With false: every row of sheet
    // Excel_Sheet_Number of the open workbook, each of Excel_Sheet_Columns entries
    // (`path` is not used). Trailing empty cells and rows add nothing; a row's empty
    // cells before a value keep their places.
    SheetRows ReadWorkbook(const QString &path, bool only_col);
    // The header row of sheet Excel_Sheet_Number: entry i is the text of worksheet
    // column i + 1, or "Untitled Column <i + 1>" when that cell is blank; as many
    // entries as the sheet's widest row holds values. Sets Excel_Sheet_Columns. Empty
    // when the sheet has no rows or cannot be read.
    SheetRows ReadData_only_column();
    // The sheets of the open workbook as "sheet1", "sheet2", ... in the order of
    // their numbers.
    QStringList Sheet_List() const;
    // The names the workbook gives its sheets, in its order.
    QStringList Read_Sheet_Name() const;
    // Closes the open workbook: its sheets, shared strings and rows kept between
    // reads are dropped (a reader keeps no files).
    void Delete_Excel_File_Temp_Folder();

    // The number N of a sheet entry "sheetN" (any case); 0 for other names.
    static int Sheet_Number(const QString &entry);

    // Writes the rows as an xlsx workbook at `path` from "Template.xlsx" in
    // `templateFolder`: the first row's length is the sheet's column count. Each write
    // packs in a private folder of its own; the file is packed beside `path`, flushed
    // to disk and renamed over it, so a failed write (no rows, no template, an
    // unwritable folder, a cell over 32,767 characters, more than 1,048,576 rows or
    // 16,384 columns: the log says which) returns false and leaves an old file as it
    // was. `hasTitleRow` does not change the output. On failure `error` gets the
    // system's error number of the write that failed (errno: ENOSPC, EACCES, ...; 0
    // when there is none to tell, as for rows over a worksheet's limits).
    static bool WriteWorkbook(const QString &path, const SheetRows &rows, bool hasTitleRow,
                              const QString &templateFolder, int *error = nullptr);

    // OpenDocument spreadsheets. The reader returns the direct rows of the first
    // table: a cell or row repeated by "table:number-columns-repeated" or
    // "table:number-rows-repeated" as often as it says while it holds a value; an
    // empty row counts once; trailing empty cells and rows add nothing. A cell reads
    // as its text paragraphs, or, without them, as the value of its attributes
    // ("office:value" in the General format, booleans as 1 or 0, dates and times as
    // 2027-01-02 14:30 and 14:30). The writer
    // fills "Template.ods" of `templateFolder` with the rows as string cells, packed
    // and renamed like an xlsx workbook; characters XML forbids become U+FFFD.
    static SheetRows ReadODS(const QString &path);
    static bool WriteODS(const QString &path, const SheetRows &rows, bool hasTitleRow,
                         const QString &templateFolder);

    // XML Spreadsheet 2003: every row of the first worksheet, each cell giving the
    // text of its first child (cell index attributes are not followed); empty when
    // the file cannot be read. The writer puts the rows into worksheet "Notes", number
    // cells as "Number", the others as "String" (characters XML forbids become
    // U+FFFD); false when nothing could be written.
    static SheetRows ReadWorksheetXML2004(const QString &path);
    static bool WriteWorksheetXML2004(const QString &path, const SheetRows &rows);
    // Writes a workbook part naming one sheet.
    static bool WriteWorkbookXML(const QString &path, const QString &sheetName);

    int Excel_Sheet_Number = 1;   // 1-based sheet read by the header and full reads
    int Excel_Sheet_Columns = 1;  // column count of the sheet read last

    SheetRows data;               // rows read last

private:
    // Packs `folder` into a file beside `path`, `first` as the first entry when
    // given, flushes it to disk and renames it over `path`; `error` as WriteWorkbook's.
    static bool packFolder(const QString &folder, const QString &path, const QString &first, int level,
                           int *error = nullptr);
    // Reads sheet `number` of the open workbook into the rows kept between reads;
    // false (and the workbook closed) when it is damaged or too large.
    bool readSheet(int number);

    // Keeps a sheet read for the next reads, or closes the workbook when it failed.
    bool keepSheet(int number, ZipStatus status, RowCollector &rows);

    struct Workbook;
    std::unique_ptr<Workbook> m_book;
};
