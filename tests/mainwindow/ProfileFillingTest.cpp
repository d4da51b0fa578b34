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

GraphicPtr addPhoto(SKTGraphicList &side, const QString &path)
{
    std::shared_ptr<SKTImage> g = SKTImage::initWithPath(QPointF(5, 5), path);
    g->control_ID = "Fup_Photo";
    g->setBounds(QRectF(5, 5, 40, 50));
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
    User_Profile_Class &front() { return w.controller.Front_user_profile; }
    User_Profile_Class &back() { return w.controller.Back_user_profile; }
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

TEST_F(Filling, AnEmptyRecordHidesEveryProfileControlAndTakesOneSnapshot)
{
    addAllProfileControls(w.front());
    addPhoto(w.front(), Resource_Path + "pic_ic.png");
    const int count = w.front().count();
    const int undo = undoOf(0);
    w.controller.Fill_User_profile_info_front_side();
    EXPECT_EQ(w.front().count(), count) << "nothing is created";
    for (const GraphicPtr &g : w.front().items()) EXPECT_FALSE(g->ctrl_is_visible) << g->control_ID.toStdString();
    EXPECT_EQ(undoOf(0), undo + 1);
}

TEST_F(Filling, ValuesUpdateInPlaceOrAreCreatedAtTheirDefaultPlace)
{
    GraphicPtr name = addText(w.front(), "Fup_Name");
    name->setDrawingFill(true);
    name->setDrawingStroke(true);
    front()[Profile_Stem::Name].value = "Ann Lee";
    front()[Profile_Stem::Title].value = "Engineer";
    front()[Profile_Stem::Title].label = "Title :";
    front()[Profile_Stem::Name].ds = 1;
    front()[Profile_Stem::Name].ds_name = "Names";
    front()[Profile_Stem::Name].ds_indx = 2;
    front()[Profile_Stem::Name].xl = 1;
    front()[Profile_Stem::Name].xl_col_indx = 3;
    w.controller.Fill_User_profile_info_front_side();

    EXPECT_EQ(name->Text_Value, "Ann Lee");
    EXPECT_TRUE(name->ctrl_is_visible);
    EXPECT_FALSE(name->isDrawingFill());
    EXPECT_FALSE(name->isDrawingStroke());
    EXPECT_EQ(name->bounds(), QRectF(30, 40, 100, 20));
    // The series binding wins over the column.
    EXPECT_EQ(name->data_source_type_val(), 1);
    EXPECT_EQ(name->batch_list_name, "Names");
    EXPECT_EQ(name->batch_list_index, 2);
    EXPECT_EQ(name->excel_col_indx, -1);
    EXPECT_FALSE(name->excel_binding);

    SKTGraphic *title = w.onFront("Fup_Title");
    ASSERT_NE(title, nullptr);
    const QRectF place = Visitor_Sample_Rect(w.controller.document.Front_card_Prop.Card_Size(), "Fup_Title");
    EXPECT_EQ(title->bounds(), QRectF(place.topLeft(), QSizeF(70, 20)));
    EXPECT_EQ(title->data_source_type_val(), 0);
    EXPECT_EQ(w.onFront("Fup_lbl_Title")->Text_Value, "Title :");
    EXPECT_EQ(w.front().indexOf(w.onFront("Fup_lbl_Title")), 0) << "new controls go on top";
    EXPECT_EQ(w.onFront("Fup_lbl_Name"), nullptr) << "an empty caption is not written";
}

TEST_F(Filling, PhotoRuleOfTheFrontAndTheBack)
{
    // A photo bound to a series whose file is missing: made with the placeholder.
    front().image_USE = 1;
    front()[Profile_Stem::image].value = "/nowhere/face.png";
    front()[Profile_Stem::image].ds = 1;
    front()[Profile_Stem::image].ds_name = "Faces";
    w.controller.Fill_User_profile_info_front_side();
    SKTGraphic *photo = w.onFront("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->Text_Value, "/nowhere/face.png");
    EXPECT_FALSE(photo->_contents.isNull());
    EXPECT_EQ(photo->data_source_type_val(), 1);

    // Not bound and not on disk: nothing is made; an existing photo keeps its picture.
    GraphicPtr backPhoto = addPhoto(w.back(), Resource_Path + "pic_ic.png");
    const Picture kept = backPhoto->_contents;
    back().image_USE = 1;
    back()[Profile_Stem::image].value = "/nowhere/face.png";
    w.controller.Fill_User_profile_info_back_side();
    EXPECT_EQ(backPhoto->_contents, kept);
    EXPECT_TRUE(backPhoto->ctrl_is_visible);
    EXPECT_EQ(w.controller._graphicView_BACK->Selected_Graphic(), backPhoto.get());
    EXPECT_EQ(backPhoto->data_source_type_val(), 0);

    // Without a photo the back's photo control is hidden, as the front's is.
    back().image_USE = 0;
    w.controller.Fill_User_profile_info_back_side();
    EXPECT_FALSE(backPhoto->ctrl_is_visible);
}

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
    w.controller.Fill_User_profile_info_front_side();
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(2), "Excel");
    EXPECT_EQ(name->Text_Value, "old");
    EXPECT_EQ(undoOf(0), undo);
    w.document.m_spreadsheet.Excel_Binding_Use = false;
    w.controller.Fill_User_profile_info_front_side();
    EXPECT_EQ(combo->count(), 2);
}

TEST_F(Filling, AnExceptionMidwayKeepsEarlierChangesWithoutASnapshot)
{
    User_Profile_Class r;
    r.Reset_All_Values();
    r[Profile_Stem::Name].value = "Ann";
    r[Profile_Stem::Company_name].value = "Acme";
    r[Profile_Stem::Name].label = "Name :";
    int snapshots = 0;
    Profile_Fill_Target t;
    t.view = w.controller._graphicView;
    t.card_side = Card_Side::Front;
    t.default_rect = [](const QString &id, const QString &) -> QRectF {
        if (id == "Fup_Company") throw std::runtime_error("no place for the company");
        return QRectF(10, 10, 70, 20);
    };
    t.record_undo = [&] { ++snapshots; };
    Fill_User_profile_info_side(r, t);
    EXPECT_EQ(w.onFront("Fup_Name")->Text_Value, "Ann");
    EXPECT_EQ(w.onFront("Fup_Company"), nullptr);
    EXPECT_EQ(w.onFront("Fup_lbl_Name"), nullptr) << "captions come after the failure";
    EXPECT_EQ(snapshots, 0);
    EXPECT_TRUE(Fill_User_Profile);
}

TEST_F(Filling, DetailsFillTheFrontThenTheBack)
{
    front()[Profile_Stem::Name].value = "Front name";
    back()[Profile_Stem::Name].value = "Back name";
    w.controller.Fill_User_profile_Details();
    EXPECT_EQ(w.onFront("Fup_Name")->Text_Value, "Front name");
    EXPECT_EQ(w.onBack("Fup_Name")->Text_Value, "Back name");
}

TEST_F(Filling, ScratchFillingPlacesThePhotoAlwaysAndTouchesOnlyTheScratchSide)
{
    Fill_User_Profile = false;  // the scratch filling runs whatever the flag
    addAllProfileControls(w.front());
    w.controller.Temp_Design_Control_Assign();
    front().image_USE = 0;  // not read
    front()[Profile_Stem::Name].value = "Ann";
    w.controller.TEMP_user_profile_Ref = &front();
    const int undo = undoOf(0);
    w.controller.Fill_User_profile_info_TEMP_side("B");
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
