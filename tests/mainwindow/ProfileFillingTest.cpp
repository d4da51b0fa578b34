#include "DataSourceSection.h"
#include "Profile_Filler.h"
#include "ProfileWindow.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "Visitor_Fields.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
GraphicPtr addText(SKTGraphicList &side, const QString &id, QRectF r = QRectF(30, 40, 100, 20))
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Text);
    g->control_ID = id;
    g->Text_Value = "old";
    g->setBounds(r);
    g->Set_Ctrl_Is_Visible(true);
    side.insert(g, side.count());
    return g;
}

// Every fixed value and caption control, the photo caption and the photo.
void addAllProfileControls(SKTGraphicList &side)
{
    for (const Visitor_Field &f : Visitor_Fixed_Fields()) {
        addText(side, f.value_id);
        addText(side, f.caption_id);
    }
    addText(side, "Fup_lbl_Photo");
}

struct Filling : ::testing::Test {
    ProfileWindow w;
    void SetUp() override { Fill_User_Profile = true; }
    void TearDown() override { Fill_User_Profile = false; }
    User_Profile_Class &front() { return w.controller.profiles().Front_user_profile; }
    User_Profile_Class &back() { return w.controller.profiles().Back_user_profile; }
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
    Fill_User_Profile = false;
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

TEST_F(Filling, ScratchFillingPlacesThePhotoAlwaysAndTouchesOnlyTheScratchSide)
{
    Fill_User_Profile = false;  // the scratch filling runs whatever the flag
    addAllProfileControls(w.front());
    w.controller.Temp_Design_Control_Assign();
    front().image_USE = 0;  // not read
    front()[Profile_Stem::Name].value = "Ann";
    w.controller.profiles().TEMP_user_profile_Ref = &front();
    const int undo = undoOf(0);
    w.controller.profiles().Fill_User_profile_info_TEMP_side();
    SKTGraphicView *scratch = w.controller._graphicView_TEMP;
    SKTGraphic *photo = scratch->Selcect_Ctrl_With_ID("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->FilePath(), Resource_Path + "no.png");
    EXPECT_TRUE(photo->ctrl_is_visible);
    EXPECT_EQ(scratch->Selcect_Ctrl_With_ID("Fup_Name")->Text_Value, "Ann");
    EXPECT_FALSE(scratch->Selcect_Ctrl_With_ID("Fup_Date")->ctrl_is_visible);
    EXPECT_FALSE(scratch->Selcect_Ctrl_With_ID("Fup_lbl_Time")->ctrl_is_visible);
    // The side itself is untouched: no photo, its name as it was, no snapshot.
    EXPECT_EQ(w.onFront("Fup_Photo"), nullptr);
    EXPECT_EQ(w.onFront("Fup_Name")->Text_Value, "old");
    EXPECT_TRUE(w.onFront("Fup_Name")->ctrl_is_visible);
    EXPECT_EQ(undoOf(0), undo);
    EXPECT_FALSE(Fill_User_Profile);
}
