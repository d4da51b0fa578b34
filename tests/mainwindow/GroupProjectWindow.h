#pragma once
// The main window with a group project of five people (GroupProjectFixture.h): the rows
// and the mode set on the design, saved in the store's folder and opened again with
// Open, as a user does.
#include "GroupProjectFixture.h"
#include "Group_Mode.h"
#include "Group_Row_List.h"
#include "MessageBox.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

struct Group_Project_Window : group_project::Group_Project_Fixture {
    TestWindow w;

    // The rows (the five people by default, "Name", "Company", "Unique"), mode "G",
    // saved as the store's project "All/Staff" (nothing selected: no panel is stored
    // over a row), then opened again. The column choices are the caller's.
    void Save_And_Open(const QList<QStringList> &rows = group_project::kPeople,
                       const QStringList &titles = {"Name", "Company", "Unique"})
    {
        ASSERT_NO_FATAL_FAILURE(Set_Project(w.document, rows, titles));
        ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
        reopen();
    }

    // The design closed and the project opened with Open, as a user does.
    void reopen()
    {
        w.controller.New_Project_Setting_Reset(true);
        w.document.m_spreadsheet = DesignSpreadsheet();
        w.document.Start_Card_Option = Card_Mode::Visitor;
        testsupport::boxes().answerNext(kAlertNo);
        testsupport::queueFilePanelAnswer({path});
        w.controller.Open_Design();
        testsupport::boxes().clear();
    }

    Group_Row_List &list() override { return *w.controller.groupMode().rowList(); }
    SKTGraphicView &cardView(int side) override { return *w.controller.graphicView(side); }
};
