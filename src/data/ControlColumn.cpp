#include "ControlColumn.h"

int Get_Excel_Coulmn_Index_According_ID(const DesignColumnChoices &choices, const QString &ctrl_id,
                                        const std::function<int(const QString &)> &userField)
{
    const struct {
        const char *id;
        int DesignColumnChoices::*column;
    } fixed[] = {
        {"Fup_Name", &DesignColumnChoices::excel_cb_value1},
        {"Fup_Title", &DesignColumnChoices::excel_cb_value2},
        {"Fup_Company", &DesignColumnChoices::excel_cb_value3},
        {"Fup_CompanySlogan", &DesignColumnChoices::excel_cb_value4},
        {"Fup_Address", &DesignColumnChoices::excel_cb_value5},
        {"Fup_PhoneNO", &DesignColumnChoices::excel_cb_value6},
        {"Fup_FaxNo", &DesignColumnChoices::excel_cb_value7},
        {"Fup_EmailID", &DesignColumnChoices::excel_cb_value8},
        {"Fup_Website", &DesignColumnChoices::excel_cb_value9},
        {"Fup_UniqueNo", &DesignColumnChoices::excel_cb_value10},
    };
    for (const auto &f : fixed)
        if (ctrl_id == QLatin1String(f.id)) return choices.*f.column;
    const bool userAdded = ctrl_id.contains(QLatin1String("_field")) || ctrl_id.contains(QLatin1String("F_Photo"));
    if (userAdded && userField) return userField(ctrl_id);
    return -1;
}
