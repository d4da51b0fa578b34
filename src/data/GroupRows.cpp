#include "GroupRows.h"

#include "Helpers.h"
#include "SKTDocument.h"

#include <algorithm>

namespace GroupRows {

QList<Panel_Value> One_Value_Per_Column(const QList<Panel_Value> &panel)
{
    QList<Panel_Value> values;
    for (const Panel_Value &v : panel) {
        const auto same = std::find_if(values.begin(), values.end(),
                                       [&v](const Panel_Value &kept) { return kept.column == v.column; });
        if (same == values.end())
            values.append(v);
        else if (v.ticked && (!same->ticked || v.edited > same->edited))
            *same = v;
    }
    return values;
}

QStringList Build_Row(const QString &number, const QStringList &base, int columns,
                      const QList<Panel_Value> &panel, bool ticksMatter)
{
    QStringList row{number};
    for (int k = 1; k < columns; ++k) row << (k < base.size() ? base.at(k) : QString());
    for (const Panel_Value &v : panel) {
        if (v.column < 1 || v.column >= columns) continue;
        if (ticksMatter && !v.ticked) continue;
        row[v.column] = v.text;
    }
    return row;
}

int Add_Row(SKTDocument &doc, const QList<Panel_Value> &panel)
{
    QList<QStringList> rows = doc.ListData();
    const int columns = static_cast<int>(doc.ColList().size());
    rows.append(Build_Row(QString::number(rows.size() + 1), {}, columns, panel, false));
    doc.setListData(rows);
    return static_cast<int>(rows.size()) - 1;
}

bool Save_Row(SKTDocument &doc, int row, const QList<Panel_Value> &panel)
{
    QList<QStringList> rows = doc.ListData();
    if (row < 0 || row >= rows.size()) return false;
    const QStringList &old = rows.at(row);
    const int columns = static_cast<int>(doc.ColList().size());
    const bool writes = std::any_of(panel.begin(), panel.end(), [columns](const Panel_Value &v) {
        return v.ticked && v.column >= 1 && v.column < columns;
    });
    if (!writes) return true;
    rows[row] = Build_Row(old.value(0), old, columns, panel, true);
    doc.setListData(rows);
    return true;
}

QList<Panel_Value> Changed_Values(const QList<Panel_Value> &shown, const QList<Panel_Value> &now)
{
    QList<Panel_Value> changed;
    for (const Panel_Value &v : now) {
        const bool kept = std::any_of(shown.begin(), shown.end(), [&v](const Panel_Value &s) {
            return s.column == v.column && s.text == v.text;
        });
        if (!kept) changed.append(v);
    }
    return changed;
}

Delete_Result Delete_Row(SKTDocument &doc, int row)
{
    QList<QStringList> rows = doc.ListData();
    if (rows.size() < 2 || row < 0 || row >= rows.size()) return {};
    rows.removeAt(row);
    doc.setListData(rows);
    return {true, row >= 2 ? row - 1 : 0};
}

int Row_After_Save(int row, int count, bool moveOn)
{
    return moveOn && row >= 0 && row < count - 1 ? row + 1 : row;
}

int Fill_From_Sheet(SKTDocument &doc, const QList<QStringList> &sheet, bool header)
{
    doc.Remove_ColList_Data_Columns();
    doc.Clear_ListData();
    if (sheet.isEmpty()) return 0;
    const QStringList &first = sheet.first();
    const int columns = static_cast<int>(first.size());
    for (int i = 0; i < columns; ++i) {
        const QString title = Trim_Str(first.at(i));
        doc.Add_ColList_Column(title.isEmpty() ? QStringLiteral("Untitled Column %1").arg(i + 1) : title);
    }
    QList<QStringList> rows;
    for (qsizetype r = header ? 1 : 0; r < sheet.size(); ++r) {
        QStringList cells;
        for (int i = 0; i < columns; ++i) cells << Trim_Str(sheet.at(r).value(i));
        if (std::all_of(cells.cbegin(), cells.cend(), [](const QString &c) { return c.isEmpty(); })) continue;
        cells.prepend(QString::number(rows.size() + 1));
        rows.append(cells);
    }
    const int added = static_cast<int>(rows.size());
    doc.setListData(std::move(rows));
    return added;
}

} // namespace GroupRows
