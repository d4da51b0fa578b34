#pragma once
// The spreadsheet choices of a design: the bound spreadsheet with its rows, and the
// group-mode column of each profile field.
#include <Qt>
#include <QList>
#include <QString>
#include <QStringList>

// The spreadsheet a design is bound to, with the rows taken from it.
struct DesignSpreadsheet {
    QString Excel_Source_Path;      // the workbook's path
    int Excel_Sheet_Number = 1;     // 1-based worksheet number
    bool contains_header = true;    // the sheet's first row holds the column titles
    bool Excel_Binding_Use = false; // the design is bound to the spreadsheet
    QStringList column_titles;      // titles of spreadsheet columns 1 .. N
    // One entry per row, indexed by column number: [0] the row number ("Extension"),
    // [k] the cell of column k ("Column%d").
    QList<QStringList> rows;

    bool operator==(const DesignSpreadsheet &) const = default;
};

// A column of the spreadsheet source's table: its row key ("Extension" or "Column%d"),
// the header title, the width in points, the header alignment and whether its cells
// can be edited. Columns added at run time are 100 wide, left-aligned and read-only.
struct SpreadsheetColumn {
    QString identifier;
    QString title;
    int width = 100;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool editable = false;

    bool operator==(const SpreadsheetColumn &) const = default;
};

// The spreadsheet column number of a row key: 0 for "Extension", k for "Column%d"
// (k >= 1), -1 for anything else.
int Spreadsheet_Column_Of_Key(const QString &key);
// The row key of a column number: "Extension" for 0, else "Column%d".
QString Spreadsheet_Key_Of_Column(int column);
// The title of the row-number column.
extern const QString kRowNumberColumnTitle;  // "S.No."

// The spreadsheet column of each profile field in group mode; -1 for none.
struct DesignColumnChoices {
    int excel_cb_value1 = -1;   // name
    int excel_cb_value2 = -1;   // title
    int excel_cb_value3 = -1;   // company name
    int excel_cb_value4 = -1;   // company slogan
    int excel_cb_value5 = -1;   // address
    int excel_cb_value6 = -1;   // phone
    int excel_cb_value7 = -1;   // fax
    int excel_cb_value8 = -1;   // e-mail
    int excel_cb_value9 = -1;   // website
    int excel_cb_value10 = -1;  // unique number
    int excel_cb_value11 = -1;  // front photo
    int excel_cb_value12 = -1;  // back photo
    int excel_cb_value_f_man = -1;  // manual front photo
    int excel_cb_value_b_man = -1;  // manual back photo

    bool operator==(const DesignColumnChoices &) const = default;
};
