#pragma once
// The row list beside the card in group mode: one entry "%d - %@" per row of the
// document's row table (a view over ListData, rebuilt whenever the rows change), with
// Add, Delete, Save and Save-and-next. Every command ends with a silent save of the
// project. The panel's values and the project save come from the window that holds
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

    // The values of the panel of the side shown.
    std::function<QList<GroupRows::Panel_Value>()> panelValues;
    // Saves the project without a message; false when it could not.
    std::function<bool()> saveProject;

    // Selects the entry (no change when it does not exist); -1 when none is selected.
    void Mark_Group_List_New_Selection(int row);
    int selectedRow() const;
    // Rebuilds the entries from the rows, keeping the selected position when it exists.
    void Create_Group_List_By_Excel_List();

    void Add_Record();
    void Delete_Record();
    // Stores the panel into the selected row and saves; with `message` tells the user.
    // Save, Save-and-next and Delete do nothing while no row is selected.
    void Save_Record(bool message);
    // The silent save, then the next entry when "move to next" is ticked.
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
    void silentSave();

    SKTDocument &m_doc;
};
