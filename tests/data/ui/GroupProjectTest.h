#pragma once
// A group project of five people (GroupProjectFixture.h) on a desk: written to a design
// file and read again as Open reads it: the name on both sides, the company on the
// front, the unique number on the back.
#include "GroupDesk.h"
#include "GroupProjectFixture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace group_project {

struct Group_Project_Test : ::testing::Test, Group_Project_Fixture {
    GroupDesk w;

    GraphicPtr field(int side, const QString &id, double y) { return addField(w.document, side, id, y); }

    void SetUp() override
    {
        placeFields(w.document);
        ASSERT_NO_FATAL_FAILURE(Set_Project(w.document));
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

    Group_Row_List &list() override { return w.list(); }
    SKTGraphicView &cardView(int side) override { return w.view(side); }
};

} // namespace group_project
