#pragma once
// The group project of five people (GroupPeople.h) as its fixtures set it up and read
// it, on a desk or in the whole main window alike: the rows, the column titles and mode
// "G" set on the design, named as the store's project "All/Staff"; then the row list's
// entries, a field's text on the card and in its panel, the rows the project file holds
// and a side's controls. A fixture gives its row list and its views of the card, saves
// the project and opens it again its own way.
#include "DesignFile.h"
#include "GroupPeople.h"
#include "Group_Row_List.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QStringList>
#include <gtest/gtest.h>

namespace group_project {

struct Group_Project_Fixture {
    QString path;  // the project file

    virtual ~Group_Project_Fixture() = default;
    virtual Group_Row_List &list() = 0;
    virtual SKTGraphicView &cardView(int side) = 0;  // 0 the front, 1 the back

    // The rows (the five people by default), the titles and mode "G" set on the design,
    // whose file is the store's project "All/Staff" (its folder made); not yet saved.
    void Set_Project(SKTDocument &d, const QList<QStringList> &rows = kPeople,
                     const QStringList &titles = {"Name", "Company", "Unique"})
    {
        d.m_spreadsheet.column_titles = titles;
        d.m_spreadsheet.Excel_Source_Path = testsupport::testHome() + "/staff.xlsx";
        d.setListData(rows);
        d.Start_Card_Option = Card_Mode::Group;
        const QString folder = testsupport::testHome() + "/Group_Excel_Data/All";
        ASSERT_TRUE(QDir().mkpath(folder));
        path = folder + "/Staff.zcd";
        d.Project_File_Name = path;
    }

    // The row list's entries, "N - name".
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < list().GroupList->count(); ++i) out << list().GroupList->item(i)->text();
        return out;
    }
    // The text of the field of the ID on the side's card ("<none>" when there is none).
    QString cardText(int side, const char *id)
    {
        SKTGraphic *g = cardView(side).Selcect_Ctrl_With_ID(id);
        return g ? g->Text_Value : QStringLiteral("<none>");
    }
    // The text of the field's box in the side's panel.
    QString panelText(int side, const char *id) { return Profile_Panel_Of_Side(side)->Text_Box_For_ID(id)->text(); }
    // The rows the project file holds, read as Open reads it (a group project's file).
    QList<QStringList> fileRows()
    {
        DesignData data;
        QString error;
        EXPECT_TRUE(Read_Design_File(path, data, &error)) << error.toStdString();
        EXPECT_EQ(data.mode, Card_Mode::Group);
        return data.spreadsheet.rows;
    }
};

// A control of a side as the column dialog sets it: its ID, text, whether it is shown and
// its column (-1: not bound to the rows).
struct Control_Snapshot {
    QString id, text;
    bool visible;
    int column;
    bool operator==(const Control_Snapshot &) const = default;
};
inline QList<Control_Snapshot> snapshotOf(const SKTGraphicList &side)
{
    QList<Control_Snapshot> out;
    for (const GraphicPtr &g : side.items())
        out.append({g->control_ID, g->Text_Value, g->ctrl_is_visible,
                    g->data_source_type_val() == Data_Source_Spreadsheet ? g->excel_col_indx : -1});
    return out;
}

} // namespace group_project
