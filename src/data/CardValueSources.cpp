#include "CardValueSources.h"

#include "SKTDocument.h"
#include "SeriesFile.h"

#include <algorithm>

// ---- Series ----

bool Series_Source::Bound(const SKTGraphic &g) { return g.batch_list_index != -1; }

int Series_Source::Rows() const
{
    int rows = 0;
    for (const Entry &e : m_table)
        if (const QStringList *values = std::get_if<QStringList>(&e)) rows = std::max(rows, int(values->size()));
    return rows;
}

std::optional<Card_Value> Series_Source::Value_Of(const SKTGraphic &g, int card) const
{
    if (g.batch_list_index == -1) return std::nullopt;
    const int index = SeriesFile::Index_Of(m_names, g.batch_list_name);
    return Card_Value{Value(card, index), index < 0};
}

void Series_Source::Set_Table(QStringList names, std::vector<Entry> table)
{
    m_names = std::move(names);
    m_table = std::move(table);
}

QString Series_Source::Value(int card, int index) const
{
    if (index < 0 || size_t(index) >= m_table.size()) return QString("");
    const QStringList *values = std::get_if<QStringList>(&m_table[size_t(index)]);
    if (!values || card < 0 || card >= values->size()) return QString("");
    return values->at(card);
}

// ---- A spreadsheet column ----

bool Sheet_Column_Source::Bound(const SKTGraphic &g) { return g.excel_binding && g.excel_col_indx != -1; }

std::optional<Card_Value> Sheet_Column_Source::Value_Of(const SKTGraphic &g, int card) const
{
    if (g.excel_col_indx == -1) return std::nullopt;
    return Card_Value{Value(card, g.excel_col_indx)};
}

QString Sheet_Column_Source::Value(int card, int column) const { return Row_Table_Cell(m_rows, card, column); }
