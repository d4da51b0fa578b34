#include "ControlColumn.h"

#include <gtest/gtest.h>

TEST(ControlColumn, FixedFieldsTheirChoiceUserFieldsTheirListOthersNone)
{
    DesignColumnChoices choices;
    int DesignColumnChoices::*fields[] = {
        &DesignColumnChoices::excel_cb_value1, &DesignColumnChoices::excel_cb_value2,
        &DesignColumnChoices::excel_cb_value3, &DesignColumnChoices::excel_cb_value4,
        &DesignColumnChoices::excel_cb_value5, &DesignColumnChoices::excel_cb_value6,
        &DesignColumnChoices::excel_cb_value7, &DesignColumnChoices::excel_cb_value8,
        &DesignColumnChoices::excel_cb_value9, &DesignColumnChoices::excel_cb_value10};
    for (int i = 0; i < 10; ++i) choices.*fields[i] = i + 11;
    choices.excel_cb_value11 = 40;
    const auto userField = [](const QString &id) { return id == "F_field1" ? 3 : id == "F_Photo2" ? 7 : -1; };
    const struct {
        const char *id;
        int expected;
    } rows[] = {
        {"Fup_Name", 11},      {"Fup_Title", 12},   {"Fup_Company", 13}, {"Fup_CompanySlogan", 14},
        {"Fup_Address", 15},   {"Fup_PhoneNO", 16}, {"Fup_FaxNo", 17},   {"Fup_EmailID", 18},
        {"Fup_Website", 19},   {"Fup_UniqueNo", 20},
        {"Fup_Photo", -1},     {"Fup_lbl_Name", -1}, {"Fup_Date", -1},   {"fup_name", -1},
        {"F_field1", 3},       {"F_Photo2", 7},     {"F_field9", -1},    {"F_label1", -1},
        {"", -1},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(Get_Excel_Coulmn_Index_According_ID(choices, rows[i].id, userField), rows[i].expected) << "row " << i;
        // Without the user-added lists only the fixed fields have columns.
        const int fixedOnly = QString(rows[i].id).startsWith("F_") ? -1 : rows[i].expected;
        EXPECT_EQ(Get_Excel_Coulmn_Index_According_ID(choices, rows[i].id), fixedOnly) << "row " << i;
    }
}
