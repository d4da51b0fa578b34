#pragma once
// Comparing designs field by field, and a marker design that a refused read must
// leave untouched.
#include "DesignFile.h"
#include "GraphicFields.h"

#include <gtest/gtest.h>

namespace designtest {

// Every stored field equal: the mode, both card sides but their background picture,
// the spreadsheet, the column choices and each control's stored fields. A difference
// names the side, the control and the field.
inline void expectSameDesign(const DesignData &a, const DesignData &b)
{
    EXPECT_EQ(a.mode, b.mode);
    for (auto [x, y] : {std::pair{&a.front_card, &b.front_card}, std::pair{&a.back_card, &b.back_card}}) {
        const KeyedArchive ax = x->encode(), ay = y->encode();
        EXPECT_EQ(ax.keys(), ay.keys());
        for (const auto &[key, value] : ax.entries()) {
            if (std::holds_alternative<Picture>(value)) continue;
            for (const auto &[otherKey, other] : ay.entries()) {
                if (otherKey == key) {
                    EXPECT_TRUE(value == other) << x->Card_Side_Name().toStdString() << " " << key.toStdString();
                }
            }
        }
    }
    EXPECT_EQ(a.spreadsheet, b.spreadsheet);
    EXPECT_EQ(a.columns, b.columns);
    for (auto [x, y] : {std::pair{&a.front_controls, &b.front_controls}, std::pair{&a.back_controls, &b.back_controls}}) {
        ASSERT_EQ(x->size(), y->size());
        for (size_t i = 0; i < x->size(); ++i) {
            const SKTGraphic &g = *(*x)[i], &h = *(*y)[i];
            ASSERT_EQ(g.kind(), h.kind());
            for (const GraphicField &f : Graphic_Fields()) {
                if (inMask(f.archivedBy, g.kind()) && !std::holds_alternative<Picture>(f.blankValue())) {
                    EXPECT_TRUE(f.get(g) == f.get(h)) << g.className().toStdString() << " " << f.name.toStdString();
                }
            }
        }
    }
}

// A design to read into.
inline DesignData markerDesign()
{
    DesignData d;
    d.mode = Card_Mode::Template;
    d.front_controls.push_back(SKTGraphic::create(GraphicKind::Shape));
    d.spreadsheet.Excel_Source_Path = "marker.xlsx";
    return d;
}

// The marker design as it was made (holding `shape` when given): a refused read
// changed nothing.
inline void expectMarkerDesign(const DesignData &d, const GraphicPtr &shape = nullptr)
{
    EXPECT_EQ(d.mode, Card_Mode::Template);
    ASSERT_EQ(d.front_controls.size(), 1u);
    if (shape) {
        EXPECT_EQ(d.front_controls[0], shape);
    }
    EXPECT_EQ(d.front_controls[0]->kind(), GraphicKind::Shape);
    EXPECT_TRUE(d.front_controls[0]->encode() == SKTGraphic::create(GraphicKind::Shape)->encode());
    EXPECT_TRUE(d.back_controls.empty());
    EXPECT_EQ(d.spreadsheet.Excel_Source_Path, "marker.xlsx");
}

} // namespace designtest
