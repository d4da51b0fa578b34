#pragma once
// The rows of a group project: one person per row of the design's row table
// (SKTDocument::ListData). The row list adds the panel's values as a new row, stores
// them into the selected row or deletes a row; these are those steps without windows.
#include <QList>
#include <QString>
#include <QStringList>

class SKTDocument;

namespace GroupRows {

// One value of the panel of the side shown: the spreadsheet column it belongs to, its
// text (a picture's path for a photo), whether its value box is ticked, and when the
// clerk last typed into the box (a count growing with every edit; 0 never).
struct Panel_Value {
    int column = -1;
    QString text;
    bool ticked = true;
    quint64 edited = 0;
};

// Each column's value once, at the place of the column's first value: of its ticked
// values the one typed into last (the first of them when none was typed into), or its
// first value when none is ticked. The texts of one column show one cell, so a row's
// save stores one value for it: the one the clerk last changed, whatever box shows a
// stale value beside it (a text left typed by hand after an undo).
QList<Panel_Value> One_Value_Per_Column(const QList<Panel_Value> &panel);

// A row built from the panel over `base` (the cells of an existing row, or none for a
// new one): entry 0 is `number`, entries 1 .. columns - 1 the base's cells (absent ones
// empty), then every panel value with a column inside the table written over its cell,
// unless `ticksMatter` is set and its box is not ticked.
QStringList Build_Row(const QString &number, const QStringList &base, int columns,
                      const QList<Panel_Value> &panel, bool ticksMatter);

// Appends the panel as a new row numbered row count + 1 (ticks do not matter); returns
// its position.
int Add_Row(SKTDocument &doc, const QList<Panel_Value> &panel);
// Stores the ticked panel values into row r; false when there is no such row. A row
// given no ticked value inside the table is left as it is.
bool Save_Row(SKTDocument &doc, int row, const QList<Panel_Value> &panel);

// What the clerk changed: the values of `now` whose column `shown` (the panel as the
// row's fill left it) does not hold with the same text. A row's save stores only these,
// so a cell nobody changed keeps what it holds.
QList<Panel_Value> Changed_Values(const QList<Panel_Value> &shown, const QList<Panel_Value> &now);

// The outcome of deleting a row: refused when it is the only one (or there is none,
// or the row does not exist), else the row to select afterwards.
struct Delete_Result {
    bool deleted = false;
    int select = -1;
};
Delete_Result Delete_Row(SKTDocument &doc, int row);

// A group project's row table from a sheet's rows: one table column per cell of row 0,
// titled by that cell trimmed ("Untitled Column %d" when blank), then one table row per
// sheet row from row 1 (row 0 too when `header` is false) that holds any text, its
// cells trimmed and numbered from 1. Returns the number of rows added.
int Fill_From_Sheet(SKTDocument &doc, const QList<QStringList> &sheet, bool header);

// The row selected after a silent save of row r: the next one when moving on and r is
// not the last of `count`, else r.
int Row_After_Save(int row, int count, bool moveOn);

} // namespace GroupRows
