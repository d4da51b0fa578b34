#pragma once
// What the panels and the profile dialogs ask of the spreadsheet and group-mode side
// of the application. The stand-in answers as a design without a spreadsheet: no rows,
// no bindings, and a group-mode hand-off that only updates an existing control.
#include <QString>
#include <QStringList>

class SKTGraphicList;

class Profile_Data_Source {
public:
    virtual ~Profile_Data_Source() = default;
    // Rows of the spreadsheet table.
    virtual int Calculate_Excel_table_rows() const { return 0; }
    // A cell of the table; "Text here" when the row or the column is missing.
    virtual QString Get_Excel_Table_Item_Text(int /*row*/, int /*col*/) const { return QStringLiteral("Text here"); }
    // The design binds controls to spreadsheet columns.
    virtual bool Excel_Binding_Use() const { return false; }
    // The spreadsheet was browsed again in the profile dialog (its old bindings are stale).
    virtual bool Browse_Excel_AGAIN() const { return false; }
    virtual bool Check_Front_Side_Excel_Binding_Is_Used() const { return false; }
    virtual bool Check_Back_Side_Excel_Binding_Is_Used() const { return false; }
    // The column names offered as value sources in the profile dialogs.
    virtual QStringList Excel_Column_Names() const { return {}; }
    // Group mode takes a listed control: the existing control with the ID on the side
    // gets the text (or picture path) and the visibility; with its_update set a missing
    // control is not created.
    virtual void Check_and_create_control_for_group_mode(SKTGraphicList &side, const QString &ctrl_id,
                                                         const QString &value, const QString &kind, int column,
                                                         bool visible, bool its_update, bool chk_other_side);
};
