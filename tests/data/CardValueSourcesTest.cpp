// The sources of card values: what each one binds, its rows, and the value it gives a
// control for card N.
#include "CardValueEngine.h"
#include "CardValueSources.h"

#include <gtest/gtest.h>

namespace {
GraphicPtr control(int source, const QString &series, int seriesIndex, bool binding, int column)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
    g->data_source_type = source;
    g->batch_list_name = series;
    g->batch_list_index = seriesIndex;
    g->excel_binding = binding;
    g->excel_col_indx = column;
    return g;
}
} // namespace

TEST(CardValueSources, SeriesValuesByNameWithAGoneSeriesMarked)
{
    Series_Source s;
    // "b" is listed but not read: it holds its name only.
    s.Set_Table({"Names", "b", "names"}, {QStringList{"Ann", "Bob"}, QString("b"), QStringList{"x", "y", "z"}});
    EXPECT_EQ(s.Rows(), 3);
    struct Row {
        QString name;
        int index;
        int card;
        std::optional<Card_Value> value;
    } rows[] = {
        {"Names", 0, 1, Card_Value{"Bob"}},
        {"names", 4, 2, Card_Value{"z"}},          // the exact name first; the stored index is not read
        {"NAMES", 0, 0, Card_Value{"Ann"}},        // letter case ignored only without an exact name
        {"Names", 0, 2, Card_Value{""}},           // past the series' end
        {"Names", 0, -1, Card_Value{""}},
        {"b", 1, 0, Card_Value{""}},               // not read
        {"Gone", 2, 0, Card_Value{"", true}},      // not in the folder any more
        {"", 0, 0, Card_Value{"", true}},
        {"Names", -1, 0, std::nullopt},            // no series chosen
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const GraphicPtr g = control(1, rows[i].name, rows[i].index, false, -1);
        EXPECT_EQ(s.Value_Of(*g, rows[i].card), rows[i].value) << "row " << i;
        EXPECT_EQ(s.Binds(*g), rows[i].index != -1) << "row " << i;
    }
    EXPECT_EQ(Series_Source().Rows(), 0);
}

TEST(CardValueSources, SheetCellsOfTheControlsColumn)
{
    Sheet_Column_Source s;
    s.Set_Rows({{"1", "Ann", "Oslo"}, {"2", " Bob "}});
    EXPECT_EQ(s.Rows(), 2);
    struct Row {
        bool binding;
        int column, card;
        bool binds;
        std::optional<Card_Value> value;
    } rows[] = {
        {true, 1, 0, true, Card_Value{"Ann"}},
        {true, 1, 1, true, Card_Value{" Bob "}},   // as stored: the engine trims
        {true, 2, 1, true, Card_Value{""}},        // a short row
        {true, 0, 1, true, Card_Value{"2"}},
        {true, 1, 2, true, Card_Value{""}},        // past the rows
        {true, 9, 0, true, Card_Value{""}},
        {false, 1, 0, false, Card_Value{"Ann"}},   // the binding unset: no run of its own, the cell still given
        {true, -1, 0, false, std::nullopt},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const GraphicPtr g = control(2, "", -1, rows[i].binding, rows[i].column);
        EXPECT_EQ(s.Value_Of(*g, rows[i].card), rows[i].value) << "row " << i;
        EXPECT_EQ(s.Binds(*g), rows[i].binds) << "row " << i;
    }
}

TEST(CardValueSources, ManualGivesNothingAndEveryUnknownKindIsManual)
{
    const GraphicPtr g = control(0, "Names", 0, true, 1);
    Manual_Source m;
    EXPECT_FALSE(m.Binds(*g));
    EXPECT_EQ(m.Rows(), 0);
    EXPECT_EQ(m.Value_Of(*g, 0), std::nullopt);

    const CardValueEngine engine("/no/such/folder");
    const struct {
        int kind;
        bool series, sheet;
    } rows[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, false, false}, {-1, false, false}};
    for (const auto &r : rows) {
        g->data_source_type = r.kind;
        const Card_Value_Source &s = engine.Source_Of(*g);
        EXPECT_EQ(dynamic_cast<const Series_Source *>(&s) != nullptr, r.series) << r.kind;
        EXPECT_EQ(dynamic_cast<const Sheet_Column_Source *>(&s) != nullptr, r.sheet) << r.kind;
        EXPECT_EQ(dynamic_cast<const Manual_Source *>(&s) != nullptr, !r.series && !r.sheet) << r.kind;
    }
}
