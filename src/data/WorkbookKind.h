#pragma once
// What kind of file a path names, told from its content (not its name), so that a
// window expecting an xlsx workbook can name a workbook of another kind, or a file
// that is no workbook, in words of its own.
#include <QString>

enum class Workbook_Kind {
    Missing,     // no readable file
    Xlsx,        // a zip package with a workbook part (it may still be damaged)
    Ods,         // an OpenDocument spreadsheet
    OtherOdf,    // another OpenDocument file (text, presentation ...)
    Xls,         // an Excel 97-2003 workbook (compound document)
    Xml2003,     // an XML Spreadsheet 2003 file
    OtherZip,    // a zip archive that is no workbook (a Word document, for instance)
    Text,        // plain text, comma-separated values among them
    Other,       // anything else
};

Workbook_Kind Workbook_Kind_Of(const QString &path);

// What a window that reads xlsx workbooks tells the user about a file of this kind:
// "" for an xlsx workbook and a missing file (the windows have their own words for
// both), else the sentence that names the kind.
QString Wrong_Workbook_Message(Workbook_Kind kind);
