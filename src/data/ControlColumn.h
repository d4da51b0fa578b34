#pragma once
// The spreadsheet column chosen in group mode for the profile field a control ID names.
#include "DesignChoices.h"

#include <QString>
#include <functional>

// The ten fixed fields "Fup_Name", "Fup_Title", "Fup_Company", "Fup_CompanySlogan",
// "Fup_Address", "Fup_PhoneNO", "Fup_FaxNo", "Fup_EmailID", "Fup_Website" and
// "Fup_UniqueNo" give excel_cb_value1 to excel_cb_value10; a user-added field's ID
// (holding "_field" or "F_Photo") gives what `userField` answers for it (-1 without
// one); every other ID, "Fup_Photo" and the captions included, gives -1.
int Get_Excel_Coulmn_Index_According_ID(const DesignColumnChoices &choices, const QString &ctrl_id,
                                        const std::function<int(const QString &)> &userField = {});
