#pragma once
// The row list beside the card in group mode: one entry "%d - %@" per row of the
// document's row table (a view over ListData, rebuilt whenever the rows change), with
// Add, Delete, Save and Save-and-next. Every command ends with a silent save of the
// project; a save that fails (the holder says why) shows no success and moves to no
// other row. The panel's values and the project save come from the window that holds
// the list, so the list knows no panel and no file format.
#include "GroupRows.h"
#include "WidgetDecls.h"

#include <QWidget>
#include <functional>

class SKTDocument;

class Group_Row_List : public QWidget {
    Q_OBJECT
public:
    explicit Group_Row_List(SKTDocument &doc, QWidget *parent = nullptr);

    // The values of the panel of the side shown (a new row takes them all).
    std::function<QList<GroupRows::Panel_Value>()> panelValues;
    // What a row's Save stores into row r: what was changed on it (all of the panel's
    // values when not given).
    std::function<QList<GroupRows::Panel_Value>(int row)> rowChanges;
    // Saves the project without a message; false when it could not.
    std::function<bool()> saveProject;

    // Makes row r the current row (no change when there is no such row) and puts it on
    // the card (rowSelected), also when the list shows no entries (no name column).
    void Mark_Group_List_New_Selection(int row);
    // The current row: the document's selected row, which the list's selection shows;
    // -1 when none.
    int selectedRow() const;
    // Rebuilds the entries from the rows, selecting the current row when it is listed.
    void Create_Group_List_By_Excel_List();

    void Add_Record();
    void Delete_Record();
    // Stores the panel into the selected row and saves; with `message` tells the user.
    // Save, Save-and-next and Delete do nothing while no row is selected. False only
    // when the project could not be saved.
    bool Save_Record(bool message);
    // The silent save, then the next entry when "move to next" is ticked (the row stays
    // when the project could not be saved).
    void Save_And_Next();

    QListWidget *GroupList = nullptr;
    QPushButton *add_btn = nullptr;
    QPushButton *delete_btn = nullptr;
    QPushButton *save_btn = nullptr;
    QPushButton *save_next_btn = nullptr;
    QCheckBox *GP_Move_Next_Rcd_ChkBox = nullptr;
    // The pane's other commands, carried out by the holder.
    QPushButton *update_column_btn = nullptr;  // change the columns of the fields
    QPushButton *view_excel_btn = nullptr;     // show the rows

signals:
    // The selected row changed: the holder puts row r on the card and the panel.
    void rowSelected(int row);
    void updateColumnsClicked();
    void viewSpreadsheetClicked();

private:
    // False when the project could not be saved.
    bool silentSave();

    SKTDocument &m_doc;
};
