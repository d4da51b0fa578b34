// The document's spreadsheet source: the row table and the column table of the bound
// spreadsheet, kept in the design (m_spreadsheet) so that the design file reads into
// them and saves from them.
#include "Helpers.h"
#include "Log.h"
#include "SKTDocument.h"

const QString kRowNumberColumnTitle = QStringLiteral("S.No.");

int Spreadsheet_Column_Of_Key(const QString &key)
{
    if (key == QLatin1String("Extension")) return 0;
    if (!key.startsWith(QLatin1String("Column"))) return -1;
    const QStringView digits = QStringView(key).mid(6);
    if (digits.isEmpty() || digits.front() == u'0') return -1;
    for (QChar c : digits)
        if (c < u'0' || c > u'9') return -1;
    bool ok = false;
    const int k = digits.toInt(&ok);
    return ok && k >= 1 ? k : -1;
}

QString Spreadsheet_Key_Of_Column(int column)
{
    return column == 0 ? QStringLiteral("Extension") : QStringLiteral("Column%1").arg(column);
}

void SKTDocument::setListData(QList<QStringList> rows)
{
    m_spreadsheet.rows = std::move(rows);
    emit listDataChanged();
}

QList<SpreadsheetColumn> SKTDocument::ColList() const
{
    QList<SpreadsheetColumn> columns{{Spreadsheet_Key_Of_Column(0), kRowNumberColumnTitle}};
    for (int k = 1; k <= m_spreadsheet.column_titles.size(); ++k)
        columns.append({Spreadsheet_Key_Of_Column(k), m_spreadsheet.column_titles.at(k - 1)});
    return columns;
}

QStringList SKTDocument::ColList_Titles() const
{
    QStringList titles;
    for (const SpreadsheetColumn &c : ColList()) titles << c.title;
    return titles;
}

void SKTDocument::Add_ColList_Column(const QString &title)
{
    m_spreadsheet.column_titles.append(title);
    emit listDataChanged();
}

void SKTDocument::Remove_ColList_Data_Columns()
{
    m_spreadsheet.column_titles.clear();
    emit listDataChanged();
}

bool SKTDocument::Create_List_By_Array(const QStringList &cells, int count)
{
    if (count < 0 || cells.size() < count) {
        Show_NSLog_Message(QStringLiteral("Spreadsheet row not added: %1 cells for %2 columns").arg(cells.size()).arg(count));
        return false;
    }
    QStringList row{QString::number(m_spreadsheet.rows.size() + 1)};
    for (int k = 0; k < count; ++k) row.append(Trim_Str(cells.at(k)));
    m_spreadsheet.rows.append(row);
    return true;
}

bool SKTDocument::Create_List_By_Value(const QString &value, const QString &colKey)
{
    const int column = Spreadsheet_Column_Of_Key(colKey);
    if (column < 0) {
        Show_NSLog_Message(QStringLiteral("Spreadsheet row not added: unknown column \"%1\"").arg(colKey));
        return false;
    }
    QStringList row;
    for (int k = 0; k < column; ++k) row.append(QString());
    row.append(value);
    m_spreadsheet.rows.append(row);
    return true;
}

std::optional<QString> SKTDocument::Get_Item_Text(int row, int column) const
{
    if (row < 0 || row >= m_spreadsheet.rows.size()) return QString();
    const QStringList &cells = m_spreadsheet.rows.at(row);
    if (column < 0 || column >= cells.size()) return std::nullopt;
    return cells.at(column);
}

void SKTDocument::Mark_List_New_Selection(int row)
{
    m_listSelection = row >= 0 && row < m_spreadsheet.rows.size() ? row : -1;
    emit listSelectionChanged(m_listSelection);
}

void SKTDocument::Clear_ListData()
{
    m_spreadsheet.rows.clear();
    m_listSelection = -1;
    emit listDataChanged();
}

void SKTDocument::Clear_Spreadsheet()
{
    m_spreadsheet = DesignSpreadsheet();
    m_listSelection = -1;
    emit listDataChanged();
}

// ---- The row table as a table of cells ----

QString Row_Table_Cell(const QList<QStringList> &rows, int row, int column)
{
    if (column < 0 || row < 0 || row >= rows.size()) return QString("");
    const QStringList &cells = rows.at(row);
    return column < cells.size() ? cells.at(column) : QString("");
}

QString Row_Table_New_Column_Title(int columnCount) { return QStringLiteral("Column %1").arg(columnCount + 1); }

QString SKTDocument::Row_Table_Column_Title(int column) const
{
    const QList<SpreadsheetColumn> columns = ColList();
    return column >= 0 && column < columns.size() ? columns.at(column).title : QString("");
}

QString SKTDocument::Get_sel_row_col_value_of_Excel(int row, int column) const
{
    return Row_Table_Cell(m_spreadsheet.rows, row, column);
}

int SKTDocument::Add_Row_Table_Column(const QStringList &cells)
{
    const int n = Row_Table_Column_Count();
    m_spreadsheet.column_titles.append(Row_Table_New_Column_Title(n));
    for (int i = 0; i < m_spreadsheet.rows.size(); ++i) {
        QStringList &row = m_spreadsheet.rows[i];
        while (row.size() < n) row.append(QString(""));
        const QString cell = i < cells.size() ? cells.at(i) : QString("");
        if (row.size() == n) row.append(cell);
        else row[n] = cell;
    }
    emit listDataChanged();
    return n;
}
