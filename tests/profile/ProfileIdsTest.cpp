#include "Dynamic_Control_List.h"
#include "Visitor_Fields.h"

#include <gtest/gtest.h>

TEST(SideLists, ColumnOfAnIdIsTheFirstEntrys)
{
    const Dynamic_Ctrl_List list{{"F_field1", "a", "Y", "3", "T"}, {"F_field1", "b", "Y", "5", "T"},
                                 {"F_field2", "c", "Y", "-1", "T"}};
    struct Case {
        const char *id;
        int column;
    } cases[] = {{"F_field1", 3}, {"F_field2", -1}, {"F_field9", -1}, {"", -1}};
    for (const Case &c : cases) EXPECT_EQ(Get_Col_Index_of_Dynamic_Control(list, c.id), c.column) << c.id;
    EXPECT_EQ(Get_Col_Index_of_Dynamic_Control({}, "F_field1"), -1);
}

TEST(RowVocabulary, PairingPartnersAndKinds)
{
    struct Pair {
        const char *a, *b;
        bool pair;
    } pairs[] = {
        {"F_label12", "F_field12", true}, {"F_label12", "F_field1", false}, {"F_label 12", "F_field12", true},
        {"B_label3", "F_field3", true},   {"F_label3", "B_field3", true},
    };
    for (const Pair &c : pairs) EXPECT_EQ(Row_Pairing_Key(c.a) == Row_Pairing_Key(c.b), c.pair) << c.a << " " << c.b;
    EXPECT_EQ(Row_Partner_ID("F_label7"), "F_field7");
    EXPECT_EQ(Row_Partner_ID("F_field 7"), "F_label7");
    EXPECT_EQ(Row_Partner_ID("Fup_Name"), "");
    struct Kind {
        const char *id;
        bool fixed, photo, caption, value, userPhoto;
    } kinds[] = {
        {"Fup_lbl_Name", true, false, false, false, false}, {"Fup_Photo", true, true, false, false, false},
        {"F_Photo3", false, false, false, false, true},     {"F_label1", false, false, true, false, false},
        {"F_field1", false, false, false, true, false},     {"F_Pic2", false, false, false, false, false},
    };
    for (const Kind &k : kinds) {
        EXPECT_EQ(Is_Fixed_Field_ID(k.id), k.fixed) << k.id;
        EXPECT_EQ(Is_Visitor_Photo_ID(k.id), k.photo) << k.id;
        EXPECT_EQ(Is_User_Caption_ID(k.id), k.caption) << k.id;
        EXPECT_EQ(Is_User_Value_ID(k.id), k.value) << k.id;
        EXPECT_EQ(Is_User_Photo_ID(k.id), k.userPhoto) << k.id;
    }
}
