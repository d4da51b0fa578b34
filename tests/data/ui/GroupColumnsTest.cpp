// The spreadsheet column of a field in group mode, as the card views ask it when they
// make a control: a fixed field's column choice, a user-added field's entry of the
// list of the side shown.
#include "GroupDesk.h"

#include <gtest/gtest.h>

TEST(GroupColumns, AFixedFieldMadeInGroupModeIsBoundToItsColumn)
{
    GroupDesk w;
    w.document.Start_Card_Option = Card_Mode::Group;
    w.document.m_columnChoices.excel_cb_value1 = 2;
    EXPECT_EQ(w.group.Column_Of("Fup_Name"), 2);
    EXPECT_EQ(w.group.Column_Of("Fup_lbl_Name"), -1);
    EXPECT_EQ(w.group.Column_Of("Fup_Title"), -1);
    SKTGraphic *g =
        w.frontView.createGraphicOfClass(GraphicKind::Text, std::nullopt, true, {10, 10, 80, 20}, Card_Side::Front, "Ann", "Fup_Name");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->data_source_type, Data_Source_Spreadsheet);
    EXPECT_TRUE(g->excel_binding);
    EXPECT_EQ(g->excel_col_indx, 2);
    SKTGraphic *caption = w.frontView.createGraphicOfClass(
        GraphicKind::Text, std::nullopt, true, {10, 40, 80, 20}, Card_Side::Front, "Name", "Fup_lbl_Name");
    ASSERT_NE(caption, nullptr);
    EXPECT_FALSE(caption->excel_binding);
    w.document.Start_Card_Option = Card_Mode::Visitor;
}

TEST(GroupColumns, AUserFieldTakesTheColumnOfTheCurrentSidesList)
{
    GroupDesk w;
    w.document.Start_Card_Option = Card_Mode::Group;
    w.panels.front_list = {{"F_field1", "Ann", "Y", "3", "T"}, {"F_Photo2", "", "Y", "4", "P"}};
    w.panels.back_list = {{"F_field1", "Bob", "Y", "5", "T"}};
    struct Row {
        int side;
        const char *id;
        int column;
    };
    const Row rows[] = {
        {0, "F_field1", 3},
        {0, "F_Photo2", 4},
        {0, "F_field9", -1},  // not listed
        {0, "Fup_lbl_field1", -1},  // a caption ID holding "_field" is looked up, and not listed
        {1, "F_field1", 5},
        {1, "F_Photo2", -1},
    };
    for (const Row &r : rows) {
        w.document.Card_Front_Or_Back = r.side;
        EXPECT_EQ(w.group.Column_Of(r.id), r.column) << r.side << " " << r.id;
    }
    w.document.Card_Front_Or_Back = 0;
    w.document.Start_Card_Option = Card_Mode::Visitor;
}

