#include "Group_Row_List.h"

#include "GroupBinding.h"
#include "LayoutParts.h"
#include "MessageBox.h"
#include "SKTDocument.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

Group_Row_List::Group_Row_List(SKTDocument &doc, QWidget *parent) : QWidget(parent), m_doc(doc)
{
    GroupList = new QListWidget(this);
    GroupList->setSelectionMode(QAbstractItemView::SingleSelection);
    add_btn = new QPushButton(tr("Add"), this);
    delete_btn = new QPushButton(tr("Delete"), this);
    save_btn = new QPushButton(tr("Save"), this);
    save_next_btn = new QPushButton(tr("Save && Next"), this);
    GP_Move_Next_Rcd_ChkBox = new QCheckBox(tr("Move to next record"), this);
    GP_Move_Next_Rcd_ChkBox->setChecked(true);
    update_column_btn = new QPushButton(tr("Update Excel Column"), this);
    view_excel_btn = new QPushButton(tr("View Excel Data"), this);

    auto *buttons = Side_By_Side({add_btn, delete_btn, save_btn});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupList, 1);
    layout->addLayout(buttons);
    layout->addWidget(save_next_btn);
    layout->addWidget(GP_Move_Next_Rcd_ChkBox);
    layout->addWidget(update_column_btn);
    layout->addWidget(view_excel_btn);

    connect(add_btn, &QPushButton::clicked, this, &Group_Row_List::Add_Record);
    connect(delete_btn, &QPushButton::clicked, this, &Group_Row_List::Delete_Record);
    connect(save_btn, &QPushButton::clicked, this, [this] { Save_Record(true); });
    connect(save_next_btn, &QPushButton::clicked, this, &Group_Row_List::Save_And_Next);
    connect(update_column_btn, &QPushButton::clicked, this, &Group_Row_List::updateColumnsClicked);
    connect(view_excel_btn, &QPushButton::clicked, this, &Group_Row_List::viewSpreadsheetClicked);
    // One current row: the document's selection, which the list shows and a pick sets.
    connect(GroupList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_doc.Mark_List_New_Selection(row);
        if (row >= 0) emit rowSelected(row);
    });
    connect(&m_doc, &SKTDocument::listSelectionChanged, this, [this](int row) {
        if (GroupList->currentRow() == row) return;
        const QSignalBlocker quiet(GroupList);
        GroupList->setCurrentRow(row < GroupList->count() ? row : -1);
    });
    connect(&m_doc, &SKTDocument::listDataChanged, this, &Group_Row_List::Create_Group_List_By_Excel_List);
    Create_Group_List_By_Excel_List();
}

void Group_Row_List::Create_Group_List_By_Excel_List()
{
    const int keep = m_doc.listSelection();
    const QSignalBlocker quiet(GroupList);
    GroupList->clear();
    GroupList->addItems(GroupBinding::Row_List_Entries(m_doc));
    if (keep >= 0 && keep < GroupList->count()) GroupList->setCurrentRow(keep);
}

void Group_Row_List::Mark_Group_List_New_Selection(int row)
{
    if (row < 0 || row >= m_doc.ListData().size()) return;
    if (GroupList->currentRow() == row || row >= GroupList->count()) {
        // The card follows even when the entry stays, or when the list has no entries.
        m_doc.Mark_List_New_Selection(row);
        emit rowSelected(row);
        return;
    }
    GroupList->setCurrentRow(row);
    GroupList->scrollToItem(GroupList->item(row));
}

int Group_Row_List::selectedRow() const
{
    return m_doc.listSelection();
}

bool Group_Row_List::silentSave()
{
    return !saveProject || saveProject();
}

void Group_Row_List::Add_Record()
{
    const int row = GroupRows::Add_Row(m_doc, panelValues ? panelValues() : QList<GroupRows::Panel_Value>{});
    // The new row is selected before the save, so a save that stores the panel into
    // the selected row never writes the new person over the one selected before.
    Mark_Group_List_New_Selection(row);
    if (silentSave()) Show_MessageBox(QStringLiteral("Record added successfully."));
}

void Group_Row_List::Delete_Record()
{
    if (m_doc.ListData().size() <= 1) {
        Show_MessageBox(QStringLiteral("Unable to delete this record because project must have one record."));
        return;
    }
    // Without a chosen person there is nothing to delete.
    const int row = selectedRow();
    if (row < 0) return;
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want delete selected record?")) != 1) return;
    const GroupRows::Delete_Result result = GroupRows::Delete_Row(m_doc, row);
    if (!result.deleted) return;
    Mark_Group_List_New_Selection(result.select);
    if (silentSave()) Show_MessageBox(QStringLiteral("Record deleted successfully."));
}

bool Group_Row_List::Save_Record(bool message)
{
    // Without a chosen person the panel shows nobody: no row is written over, as in the
    // window's own save.
    const int row = selectedRow();
    if (row < 0) return true;
    const QList<GroupRows::Panel_Value> values =
        rowChanges ? rowChanges(row) : panelValues ? panelValues() : QList<GroupRows::Panel_Value>{};
    if (!GroupRows::Save_Row(m_doc, row, values)) return true;
    Mark_Group_List_New_Selection(row);
    if (!silentSave()) return false;
    if (message) Show_MessageBox(QStringLiteral("Record saved successfully."));
    return true;
}

void Group_Row_List::Save_And_Next()
{
    const int row = selectedRow();
    if (row < 0) return;
    // A row whose project could not be written stays, for the clerk to save again.
    if (!Save_Record(false)) return;
    Mark_Group_List_New_Selection(GroupRows::Row_After_Save(row, GroupList->count(), GP_Move_Next_Rcd_ChkBox->isChecked()));
}
