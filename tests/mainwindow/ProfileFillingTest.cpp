// A profile record written onto the window's card: the data-source list of the
// property panel follows the design's spreadsheet binding.
#include "CardControls.h"
#include "DataSourceSection.h"
#include "ProfileWindow.h"
#include "TestSupport.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {
GraphicPtr addText(SKTGraphicList &side, const QString &id, QRectF r = QRectF(30, 40, 100, 20))
{
    return testsupport::addTextControl(side, id, QStringLiteral("old"), r);
}

struct Filling : ::testing::Test {
    ProfileWindow w;
    User_Profile_Class &front() { return w.controller.profiles().Front_user_profile; }
    int undoOf(int side)
    {
        const int shown = w.document.Card_Front_Or_Back;
        w.document.Card_Front_Or_Back = side;
        const int n = w.controller.Get_Undo_Count();
        w.document.Card_Front_Or_Back = shown;
        return n;
    }
};
} // namespace

TEST_F(Filling, FlagClearChangesOnlyTheExcelItem)
{
    ASSERT_NE(w.controller.dataSourceSection, nullptr);
    QComboBox *combo = w.controller.dataSourceSection->Data_source_type;
    ASSERT_EQ(combo->count(), 2);
    w.document.m_spreadsheet.Excel_Binding_Use = true;
    ASSERT_FALSE(w.controller.profiles().Profile_Confirmed());
    GraphicPtr name = addText(w.front(), "Fup_Name");
    front()[Profile_Stem::Name].value = "Ann";
    const int undo = undoOf(0);
    w.controller.profiles().Fill_User_profile_info_front_side();
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), "Excel");
    EXPECT_EQ(name->Text_Value, "old");
    EXPECT_EQ(undoOf(0), undo);
    w.document.m_spreadsheet.Excel_Binding_Use = false;
    w.controller.profiles().Fill_User_profile_info_front_side();
    EXPECT_EQ(combo->count(), 2);
}

