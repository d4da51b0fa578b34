#pragma once
// Worksheet columns into the design's row table or into series: the column entries
// a user chooses from (each tied to its own worksheet column), the values of the
// chosen columns, and the writing of one series per column or of one series from
// several columns. Questions go through the message boxes and the alert function the
// caller gives, so windows and tests answer them alike.
#include "SpreadsheetWriter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class SKTDocument;

namespace SeriesImport {

// One listed worksheet column: chosen or not, its trimmed first-row text, the series
// name it is written under (first-row text as read, editable), its worksheet column.
struct ColumnEntry {
    bool state = false;
    QString extension;
    QString header;
    int column = 0;
    bool operator==(const ColumnEntry &) const = default;
};

// The entries of a first row: one per cell that is not empty after trimming.
QList<ColumnEntry> Column_Entries(const QStringList &firstRow);
bool Any_Chosen(const QList<ColumnEntry> &entries);

// The rows imported: all, or all but the first when the sheet has a header row.
SheetRows Data_Rows(const SheetRows &rows, bool header);
// The trimmed cell of a row ("" past its end).
QString Cell(const QStringList &row, int column);

// The trimmed cells of the chosen columns, row by row (A1, B1, A2, B2, ...); empty
// cells left out unless `keepEmpty`.
QStringList Chosen_Values(const SheetRows &rows, const QList<ColumnEntry> &entries, bool header,
                          bool keepEmpty = false);

// Fills the document's row table: one view column per chosen column titled by its
// entry, then one row per data row with the trimmed cells of the chosen columns.
// Returns the rows added; nothing changes without rows.
int Fill_Row_Table(SKTDocument &doc, const SheetRows &rows, const QList<ColumnEntry> &entries, bool header);

// An alert with a suppression box "Apply to All": the button pressed (0 first) and
// whether the box was ticked.
struct AlertAnswer {
    int button = 0;
    bool applyAll = false;
};
using AlertFunction = std::function<AlertAnswer(const QString &message, const QStringList &buttons)>;

struct Target {
    QString folder;                                // the series folder
    std::function<bool(const QString &)> inUse;    // a series the open design uses
    AlertFunction alert;
};

// Whether a writer may create the series `name` (cleaned) in the folder: refused
// with "Batch Processing Series can't be create because it is currently in use." when
// it exists and is in use; an existing one asks "Batch Processing Series already
// exists. Do you want to replace it?" and No refuses. Nothing is deleted here: the
// write replaces the file whole.
bool May_Create(const Target &target, const QString &name);

// The texts of the two alerts of a column run.
QString In_Use_Notice(const QString &name);
QString Exists_Question(const QString &name);

// One series per chosen column, named by its entry's header: a name left empty by
// cleaning is skipped with "Please enter valid series name."; a series in use is
// skipped after the in-use notice (none after "Apply to All"); an existing series
// asks Keep Both (first free "<name> (<n>)"), Replace or Cancel, remembered with
// "Apply to All". Line N holds row N's cell (empty cells as empty lines). Returns the
// names written.
QStringList Write_Each_Column(const Target &target, const SheetRows &rows, const QList<ColumnEntry> &entries,
                              bool header);

enum class Fill { New = 0, Replace = 1, Append = 2 };
// One series of the chosen columns, row by row, under the name (cleaned). Refusals
// and questions as messages; returns whether the window may close (true also after
// "Either file is corrupted ..." for a sheet without rows, when the series is left as
// it was).
bool Write_One_Series(const Target &target, const QString &name, Fill fill, const SheetRows &rows,
                      const QList<ColumnEntry> &entries, bool header);

} // namespace SeriesImport
