#include "ControlColumn.h"

#include "GroupBinding.h"

int Get_Excel_Coulmn_Index_According_ID(const DesignColumnChoices &choices, const QString &ctrl_id,
                                        const std::function<int(const QString &)> &userField)
{
    for (const GroupBinding::Fixed_Field &f : GroupBinding::Fixed_Fields())
        if (ctrl_id == QLatin1String(f.id)) return choices.*f.column;
    const bool userAdded = ctrl_id.contains(QLatin1String("_field")) || ctrl_id.contains(QLatin1String("F_Photo"));
    if (userAdded && userField) return userField(ctrl_id);
    return -1;
}
