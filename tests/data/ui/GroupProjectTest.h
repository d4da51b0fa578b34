#pragma once
// A group project of five people (GroupPeople.h) written to a design file and read
// again as Open reads it: the name on both sides, the company on the front, the unique
// number on the back; the row list, the card and the panels as the tests read them.
#include "DesignFile.h"
#include "GroupDesk.h"
#include "GroupPeople.h"
#include "Profile_Panel.h"
#include "TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace group_project {

struct Group_Project_Test : ::testing::Test {
    GroupDesk w;
    QString path;

    GraphicPtr field(int side, const QString &id, double y) { return addField(w.document, side, id, y); }

    void SetUp() override
    {
        SKTDocument &d = w.document;
        placeFields(d);
        d.m_spreadsheet.column_titles = {"Name", "Company", "Unique"};
        d.m_spreadsheet.Excel_Source_Path = testsupport::testHome() + "/staff.xlsx";
        d.setListData(kPeople);
        d.Start_Card_Option = Card_Mode::Group;
        const QString folder = testsupport::testHome() + "/Group_Excel_Data/All";
        ASSERT_TRUE(QDir().mkpath(folder));
        path = folder + "/Staff.zcd";
        d.Project_File_Name = path;
        // Nothing is selected yet: the save stores no panel over a row.
        ASSERT_TRUE(w.save());
        reopen();
    }

    // The design closed and the project read again, as Open reads it.
    void reopen()
    {
        w.document.m_spreadsheet = DesignSpreadsheet();
        w.document.m_columnChoices = DesignColumnChoices();
        w.document.setListData({});
        w.group.Rows_Changed();
        w.document.Start_Card_Option = Card_Mode::Visitor;
        ASSERT_TRUE(w.open(path));
        testsupport::boxes().clear();
    }

    Group_Row_List &list() { return w.list(); }
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < list().GroupList->count(); ++i) out << list().GroupList->item(i)->text();
        return out;
    }
    QString cardText(int side, const char *id)
    {
        SKTGraphic *g = w.view(side).Selcect_Ctrl_With_ID(id);
        return g ? g->Text_Value : QStringLiteral("<none>");
    }
    QString panelText(int side, const char *id) { return Profile_Panel_Of_Side(side)->Text_Box_For_ID(id)->text(); }
    QList<QStringList> fileRows()
    {
        DesignData data;
        QString error;
        EXPECT_TRUE(Read_Design_File(path, data, &error)) << error.toStdString();
        EXPECT_EQ(data.mode, Card_Mode::Group);
        return data.spreadsheet.rows;
    }
};

} // namespace group_project
