// Profile records written onto the design's sides: controls filled in place or made at
// their sample place, the photo rule of each side, one undo snapshot per filled side,
// the scratch side's preview.
#include "CardControls.h"
#include "AsLoadedAdjuster.h"
#include "CardViewHost.h"
#include "Globals.h"
#include "Profile_Filler.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "Visitor_Fields.h"
#include "Visitor_Panel_Sync.h"

#include <QWidget>
#include <array>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
GraphicPtr addText(SKTGraphicList &side, const QString &id, QRectF r = QRectF(30, 40, 100, 20))
{
    return testsupport::addTextControl(side, id, QStringLiteral("old"), r);
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

// A design shown on the card views of its three sides, the filling's window stand-in
// counting each side's undo snapshots.
struct Filling : ::testing::Test, CardViewHost, Profile_Filling_Window {
    SKTDocument document;
    QWidget window;
    std::array<std::unique_ptr<SKTGraphicView>, 3> views;
    User_Profile_Class frontRecord, backRecord;
    std::array<int, 2> records{};
    int viewSnapshots = 0;  // taken by the views themselves
    bool confirmed = true;  // a profile dialog ended with OK
    int tool = 0;
    Picture noImage = Picture::fromFile(Resource_Path + "no.png");
    Profile_Filling filling{document, *this};

    void SetUp() override
    {
        for (User_Profile_Class *r : {&frontRecord, &backRecord}) r->Reset_All_Values();
        for (int side = 0; side < 3; ++side) {
            views[size_t(side)] = std::make_unique<SKTGraphicView>(asLoaded(), &window);
            views[size_t(side)]->setHost(this);
            views[size_t(side)]->bindGraphics(&document.sideList(side));
        }
    }
    void TearDown() override
    {
        for (auto &v : views) {
            v->setHost(nullptr);
            v->bindGraphics(nullptr);
        }
    }
    User_Profile_Class &front() { return frontRecord; }
    User_Profile_Class &back() { return backRecord; }
    SKTGraphicList &frontSide() { return document.graphics(); }
    SKTGraphicList &backSide() { return document.graphics_back(); }
    SKTGraphic *onFront(const QString &id) { return views[0]->Selcect_Ctrl_With_ID(id); }
    int undoOf(int side) const { return records[size_t(side)]; }

    // ---- CardViewHost ----
    void Card_Base_Drawing(QPainter &, const QRectF &) override {}
    void Card_Border_Drawing(QPainter &, const QRectF &) override {}
    int Selected_Control_Tool() const override { return tool; }
    void Set_Selected_Control_Tool(int t) override { tool = t; }
    void Insert_In_Undo_Redo() override { ++viewSnapshots; }
    Picture Sample_Picture(SamplePicture which) const override
    {
        return which == SamplePicture::NoImage ? noImage : Picture();
    }

    // ---- Profile_Filling_Window ----
    SKTGraphicView *Filling_View(int side) const override { return views[size_t(side)].get(); }
    void Filling_Set_Tool(int t) override { tool = t; }
    void Filling_Data_Source_List() override {}
    void Filling_Record_Side(int side) override { ++records[size_t(side)]; }
    bool Filling_Profile_Confirmed() const override { return confirmed; }
    QString Filling_No_Image_Path() const override { return Resource_Path + "no.png"; }
};
} // namespace

TEST_F(Filling, AnEmptyRecordHidesEveryProfileControlAndTakesOneSnapshot)
{
    addAllProfileControls(frontSide());
    addPhoto(frontSide(), Resource_Path + "pic_ic.png");
    const int count = frontSide().count();
    const int undo = undoOf(0);
    filling.Fill_Front(front());
    EXPECT_EQ(frontSide().count(), count) << "nothing is created";
    for (const GraphicPtr &g : frontSide().items()) EXPECT_FALSE(g->ctrl_is_visible) << g->control_ID.toStdString();
    EXPECT_EQ(undoOf(0), undo + 1);
}

TEST_F(Filling, ValuesUpdateInPlaceOrAreCreatedAtTheirDefaultPlace)
{
    GraphicPtr name = addText(frontSide(), "Fup_Name");
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
    filling.Fill_Front(front());

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

    SKTGraphic *title = onFront("Fup_Title");
    ASSERT_NE(title, nullptr);
    const QRectF place = Visitor_Sample_Rect(document.Front_card_Prop.Card_Size(), "Fup_Title");
    EXPECT_EQ(title->bounds(), QRectF(place.topLeft(), QSizeF(70, 20)));
    EXPECT_EQ(title->data_source_type_val(), 0);
    EXPECT_EQ(onFront("Fup_lbl_Title")->Text_Value, "Title :");
    EXPECT_EQ(frontSide().indexOf(onFront("Fup_lbl_Title")), 0) << "new controls go on top";
    EXPECT_EQ(onFront("Fup_lbl_Name"), nullptr) << "an empty caption is not written";
}

TEST_F(Filling, PhotoRuleOfTheFrontAndTheBack)
{
    // A photo bound to a series whose file is missing: made with the placeholder.
    front().image_USE = 1;
    front()[Profile_Stem::image].value = "/nowhere/face.png";
    front()[Profile_Stem::image].ds = 1;
    front()[Profile_Stem::image].ds_name = "Faces";
    filling.Fill_Front(front());
    SKTGraphic *photo = onFront("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->Text_Value, "/nowhere/face.png");
    EXPECT_FALSE(photo->_contents.isNull());
    EXPECT_EQ(photo->data_source_type_val(), 1);

    // Not bound and not on disk: nothing is made; an existing photo keeps its picture.
    GraphicPtr backPhoto = addPhoto(backSide(), Resource_Path + "pic_ic.png");
    const Picture kept = backPhoto->_contents;
    back().image_USE = 1;
    back()[Profile_Stem::image].value = "/nowhere/face.png";
    filling.Fill_Back(back());
    EXPECT_EQ(backPhoto->_contents, kept);
    EXPECT_TRUE(backPhoto->ctrl_is_visible);
    EXPECT_EQ(views[1]->Selected_Graphic(), backPhoto.get());
    EXPECT_EQ(backPhoto->data_source_type_val(), 0);

    // Without a photo the back's photo control is hidden, as the front's is.
    back().image_USE = 0;
    filling.Fill_Back(back());
    EXPECT_FALSE(backPhoto->ctrl_is_visible);
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
    t.view = views[0].get();
    t.card_side = Card_Side::Front;
    t.confirmed = true;
    t.default_rect = [](const QString &id, const QString &) -> QRectF {
        if (id == "Fup_Company") throw std::runtime_error("no place for the company");
        return QRectF(10, 10, 70, 20);
    };
    t.record_undo = [&] { ++snapshots; };
    Fill_User_profile_info_side(r, t);
    EXPECT_EQ(onFront("Fup_Name")->Text_Value, "Ann");
    EXPECT_EQ(onFront("Fup_Company"), nullptr);
    EXPECT_EQ(onFront("Fup_lbl_Name"), nullptr) << "captions come after the failure";
    EXPECT_EQ(snapshots, 0);
    EXPECT_EQ(viewSnapshots, 0);
    // The view's hold has ended: a control made now is a step.
    views[0]->createGraphicOfClass(GraphicKind::Shape, std::nullopt, true, QRectF(0, 0, 9, 9), Card_Side::Front, "", "");
    EXPECT_EQ(viewSnapshots, 2);
}

TEST_F(Filling, DetailsFillTheFrontThenTheBack)
{
    front()[Profile_Stem::Name].value = "Front name";
    back()[Profile_Stem::Name].value = "Back name";
    filling.Fill_Front(front());
    filling.Fill_Back(back());
    EXPECT_EQ(onFront("Fup_Name")->Text_Value, "Front name");
    EXPECT_EQ(views[1]->Selcect_Ctrl_With_ID("Fup_Name")->Text_Value, "Back name");
    EXPECT_EQ(records, (std::array<int, 2>{1, 1})) << "each side its own snapshot";
    EXPECT_EQ(viewSnapshots, 0) << "none of the views' own";
}

TEST_F(Filling, ScratchFillingPlacesThePhotoAlwaysAndTouchesOnlyTheScratchSide)
{
    confirmed = false;  // the scratch filling runs without a confirmed profile
    addAllProfileControls(frontSide());
    // The scratch side shows copies of the front.
    std::vector<GraphicPtr> copies;
    for (const GraphicPtr &g : frontSide().items()) copies.push_back(SKTGraphic::decode(g->encode()));
    document.graphics_temp().replaceAll(std::move(copies));
    front().image_USE = 0;  // not read
    front()[Profile_Stem::Name].value = "Ann";
    const int undo = undoOf(0);
    filling.Fill_Scratch(front());
    SKTGraphicView *scratch = views[2].get();
    SKTGraphic *photo = scratch->Selcect_Ctrl_With_ID("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->FilePath(), Resource_Path + "no.png");
    EXPECT_TRUE(photo->ctrl_is_visible);
    EXPECT_EQ(scratch->Selcect_Ctrl_With_ID("Fup_Name")->Text_Value, "Ann");
    EXPECT_FALSE(scratch->Selcect_Ctrl_With_ID("Fup_Date")->ctrl_is_visible);
    EXPECT_FALSE(scratch->Selcect_Ctrl_With_ID("Fup_lbl_Time")->ctrl_is_visible);
    // The side itself is untouched: no photo, its name as it was, no snapshot.
    EXPECT_EQ(onFront("Fup_Photo"), nullptr);
    EXPECT_EQ(onFront("Fup_Name")->Text_Value, "old");
    EXPECT_TRUE(onFront("Fup_Name")->ctrl_is_visible);
    EXPECT_EQ(undoOf(0), undo);
    EXPECT_EQ(viewSnapshots, 0);
}
