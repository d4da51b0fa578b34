#pragma once
// Where the values of a batch's cards come from: one class per source a control can
// name (the series files, a column of the spreadsheet rows, or none: a manual value),
// all answering the same questions, so the value engine never asks which source a
// value came from. A source holds what a run reads: the series values, the rows.
#include "SKTGraphic.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>
#include <vector>

// The value of a control on card N as its source stores it, with whether the source
// the control names is gone (a barcode then encodes its own data).
struct Card_Value {
    QString text;
    bool sourceGone = false;
    bool operator==(const Card_Value &) const = default;
};

class Card_Value_Source {
public:
    virtual ~Card_Value_Source() = default;
    // Whether the control (a text, image or barcode that batches print) is bound to a
    // value of this source, so that the source takes part in the run.
    virtual bool Binds(const SKTGraphic &g) const = 0;
    // The rows of values the source has for this run.
    virtual int Rows() const = 0;
    // The value of the control on card N; nullopt when the control takes none (it
    // keeps its own).
    virtual std::optional<Card_Value> Value_Of(const SKTGraphic &g, int card) const = 0;

    // Whether the run takes values from the source: bound on a side that is printed
    // and holding values. A source the user leaves out of a run is not used.
    bool Used() const { return m_used; }
    void Set_Used(bool used) { m_used = used; }

private:
    bool m_used = false;
};

// A value typed on the control itself: no rows, nothing bound, no values.
class Manual_Source final : public Card_Value_Source {
public:
    bool Binds(const SKTGraphic &) const override { return false; }
    int Rows() const override { return 0; }
    std::optional<Card_Value> Value_Of(const SKTGraphic &, int) const override { return std::nullopt; }
};

// The series files of the series folder: per series of the folder's list its name
// (not read) or its values.
class Series_Source final : public Card_Value_Source {
public:
    using Entry = std::variant<QString, QStringList>;
    // Bound: a series is named (index not -1).
    static bool Bound(const SKTGraphic &g);
    bool Binds(const SKTGraphic &g) const override { return Bound(g); }
    int Rows() const override;
    // The series the control names, found by name in the list (gone when it is not);
    // nullopt for a control whose index is -1.
    std::optional<Card_Value> Value_Of(const SKTGraphic &g, int card) const override;

    // The folder's list and the table built on it (entries in list order).
    void Set_Table(QStringList names, std::vector<Entry> table);
    const QStringList &Names() const { return m_names; }
    const std::vector<Entry> &Table() const { return m_table; }
    // Value N of the series at the index, as stored; "" past the end, for -1 or a
    // series not read.
    QString Value(int card, int index) const;

private:
    QStringList m_names;
    std::vector<Entry> m_table;
};

// A column of the spreadsheet rows: row N of the table is card N.
class Sheet_Column_Source final : public Card_Value_Source {
public:
    // Bound: the binding is set and a column chosen.
    static bool Bound(const SKTGraphic &g);
    bool Binds(const SKTGraphic &g) const override { return Bound(g); }
    int Rows() const override { return int(m_rows.size()); }
    // The cell of the control's column; nullopt for column -1.
    std::optional<Card_Value> Value_Of(const SKTGraphic &g, int card) const override;

    void Set_Rows(QList<QStringList> rows) { m_rows = std::move(rows); }
    // The cell of row N ("" for column -1, a row past the rows or a missing cell).
    QString Value(int card, int column) const;

private:
    QList<QStringList> m_rows;
};
