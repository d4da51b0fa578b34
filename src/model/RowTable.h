#pragma once
// The rows of the bound spreadsheet as a table of cells, for windows that read a column
// of it or add one (the cropping window's spreadsheet input and its direct column
// mode). Column 0 is the row number ("Extension"), column k >= 1 the cell "Column%d".
#include <QList>
#include <QString>
#include <QStringList>

class Row_Table {
public:
    virtual ~Row_Table() = default;

    // The columns, the leading row-number column included.
    virtual int Row_Table_Column_Count() const = 0;
    virtual int Row_Table_Row_Count() const = 0;
    // The header title of a column; "" past the end.
    virtual QString Row_Table_Column_Title(int column) const = 0;
    // The cell of a row (see Row_Table_Cell).
    virtual QString Get_sel_row_col_value_of_Excel(int row, int column) const = 0;
    // Adds column N, N being the column count before: identifier "Column%d" of N, header
    // "Column %d" of N + 1; row i gets cells[i] ("" past the end of `cells`). Returns N.
    virtual int Add_Row_Table_Column(const QStringList &cells) = 0;
};

// The cell of row `row`, column `column` of the rows: "" for a negative column, a row
// outside the rows or a column the row lacks; the row number for column 0.
QString Row_Table_Cell(const QList<QStringList> &rows, int row, int column);
// The header of the column added to a table of `columnCount` columns: "Column %d" of
// columnCount + 1.
QString Row_Table_New_Column_Title(int columnCount);
