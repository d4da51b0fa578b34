// The profile records, their dialogs and the writing of a record onto its side, with
// the profile desk and the card views but without the main window.
#include "PanelDesk.h"
#include "Profile_Dialog.h"
#include "Profile_Filler.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "Visitor_Fields.h"
#include "Visitor_Panel_Sync.h"

#include <QLineEdit>
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
    PanelDesk w;
    void SetUp() override { Fill_User_Profile = true; }
    void TearDown() override { Fill_User_Profile = false; }
    User_Profile_Class &front() { return w.profiles.Front_user_profile; }
    User_Profile_Class &back() { return w.profiles.Back_user_profile; }
    int undoOf(int side) { return w.sideUndoRecords[side]; }
};

struct Answer {
    testsupport::ScriptedRunner &runner;
    Answer(PanelDesk &w, std::function<void(Profile_Dialog &)> f) : runner(w.runner)
    {
        runner.answer<Profile_Dialog>(std::move(f));
    }
    ~Answer() { runner.remove<Profile_Dialog>(); }
};

// A newly browsed spreadsheet of one row, both sides bound to it.
struct NewSheet : Profile_Data_Source {
    int Calculate_Excel_table_rows() const override { return 1; }
    bool Browse_Excel_AGAIN() const override { return true; }
    bool Check_Front_Side_Excel_Binding_Is_Used() const override { return true; }
    bool Check_Back_Side_Excel_Binding_Is_Used() const override { return true; }
};

GraphicPtr bound(SKTGraphicList &side, GraphicKind kind, const QString &id)
{
    GraphicPtr g = SKTGraphic::create(kind);
    g->control_ID = id;
    g->setBounds(QRectF(10, 10, 70, 20));
    g->Set_Data_source_type(2);
    g->Set_Excel_binding(true);
    g->Set_Excel_binding_Index(1);
    side.insert(g, side.count());
    return g;
}

struct Fresh : ::testing::Test {
    void SetUp() override { Fill_User_Profile = false; }
    void TearDown() override { Fill_User_Profile = false; }
};
} // namespace

TEST_F(Filling, AnEmptyRecordHidesEveryProfileControlAndTakesOneSnapshot)
{
    addAllProfileControls(w.front());
    addPhoto(w.front(), Resource_Path + "pic_ic.png");
    const int count = w.front().count();
    const int undo = undoOf(0);
    w.profiles.Fill_User_profile_info_front_side();
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
    w.profiles.Fill_User_profile_info_front_side();

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
    const QRectF place = Visitor_Sample_Rect(w.document.Front_card_Prop.Card_Size(), "Fup_Title");
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
    w.profiles.Fill_User_profile_info_front_side();
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
    w.profiles.Fill_User_profile_info_back_side();
    EXPECT_EQ(backPhoto->_contents, kept);
    EXPECT_TRUE(backPhoto->ctrl_is_visible);
    EXPECT_EQ(w.backView.Selected_Graphic(), backPhoto.get());
    EXPECT_EQ(backPhoto->data_source_type_val(), 0);

    // Without a photo the back's photo control is hidden, as the front's is.
    back().image_USE = 0;
    w.profiles.Fill_User_profile_info_back_side();
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
    t.view = &w.frontView;
    t.card_side = "F";
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
    w.profiles.Fill_User_profile_Details();
    EXPECT_EQ(w.onFront("Fup_Name")->Text_Value, "Front name");
    EXPECT_EQ(w.onBack("Fup_Name")->Text_Value, "Back name");
}

TEST_F(Fresh, SideLetterWithBlanksOpensTheBacksDialog)
{
    PanelDesk w;
    QString seen;
    Profile_Dialog *dialog = nullptr;
    Answer a(w, [&](Profile_Dialog &d) {
        dialog = &d;
        seen = d.load_side;
        d.Cancel_Btn_Clicked();
    });
    EXPECT_EQ(w.profiles.Open_User_Profile_Window(1, " B ", "2"), 0);
    EXPECT_EQ(seen, "B");
    EXPECT_EQ(dialog, &w.profiles.Show_User_Profile_Window());
    // An empty letter opens the two-side dialog; a one-sided card's on the front.
    w.profiles.Open_User_Profile_Window(0, "", "1");
    EXPECT_EQ(dialog, &w.profiles.User_profile_Window());
    EXPECT_EQ(seen, "F");
    w.profiles.Open_User_Profile_Window(0, "", "2");
    EXPECT_EQ(seen, "");
}

TEST_F(Fresh, BackDialogStoresIntoTheBackRecordOnly)
{
    PanelDesk w;
    w.profiles.Front_user_profile[Profile_Stem::Name].value = "Front person";
    w.showSide(1);
    Answer a(w, [&](Profile_Dialog &d) {
        d.rows[0].value->setText("Back person");
        d.Preview_Btn_Clicked();
        EXPECT_EQ(w.profiles.Front_user_profile[Profile_Stem::Name].value, "Front person");
        d.OK_Btn_Clicked();
    });
    EXPECT_EQ(w.profiles.Open_User_Profile_Window(1, "B", "2"), 1);
    EXPECT_EQ(w.profiles.Front_user_profile[Profile_Stem::Name].value, "Front person");
    EXPECT_EQ(w.profiles.Back_user_profile[Profile_Stem::Name].value, "Back person");
    EXPECT_TRUE(Fill_User_Profile);
}

TEST_F(Fresh, ANewSpreadsheetDropsStaleBindingsButProfileControlsKeepTheirs)
{
    for (const char *sides : {"2", "1"}) {
        PanelDesk w;
        w.source = (std::make_unique<NewSheet>());
        GraphicPtr profile = bound(w.front(), GraphicKind::Text, "Fup_Name");
        GraphicPtr free = bound(w.front(), GraphicKind::Text, "");
        GraphicPtr code = bound(w.front(), GraphicKind::Barcode, "");
        GraphicPtr shape = bound(w.front(), GraphicKind::Shape, "");
        GraphicPtr backProfile = bound(w.back(), GraphicKind::Text, "Fup_Name");
        Answer a(w, [](Profile_Dialog &d) { d.Cancel_Btn_Clicked(); });
        w.profiles.Open_User_Profile_Window(1, "F", sides);
        EXPECT_EQ(profile->data_source_type_val(), 2) << sides;
        EXPECT_EQ(free->data_source_type_val(), 0) << sides;
        EXPECT_EQ(free->excel_col_indx, -1);
        EXPECT_FALSE(free->excel_binding);
        EXPECT_EQ(code->data_source_type_val(), 0);
        EXPECT_EQ(shape->data_source_type_val(), 2) << "shapes carry no binding to drop";
        // The other side loses every binding, profile controls too, on a two-sided card.
        EXPECT_EQ(backProfile->data_source_type_val(), QString(sides) == "2" ? 0 : 2) << sides;
    }
}

TEST_F(Fresh, InvitationLayout)
{
    PanelDesk w("L");
    w.document.Front_card_Prop.setCard_Size(QSizeF(300, 400));
    Invitation_Values v;
    v.Invite_Time = "7 pm";
    v.Invite_Venue = "Hall";
    w.profiles.Fill_Party_Invidation_Details(v);
    ASSERT_EQ(w.front().count(), 2);
    SKTGraphic *time = w.frontView.Selcect_Ctrl_With_ID("PARTY_TIME");
    SKTGraphic *venue = w.frontView.Selcect_Ctrl_With_ID("PARTY_VENUE");
    ASSERT_TRUE(time && venue);
    EXPECT_EQ(time->Text_Value, "AT 7 pm");
    EXPECT_EQ(time->bounds(), QRectF(30, 40, 220, 20));
    EXPECT_EQ(venue->Text_Value, "Venue:\nHall");
    EXPECT_EQ(venue->bounds(), QRectF(30, 100, 220, 60));

    PanelDesk empty("L");
    empty.profiles.Fill_Party_Invidation_Details(Invitation_Values{});
    EXPECT_EQ(empty.front().count(), 0);
    EXPECT_EQ(empty.tool, 2);
}

// The photo spans the middle of the card where the texts stand: it lies under them (it
// used to cover the title, date and venue), the frame over everything; what the front
// held before stays at the bottom.
TEST_F(Fresh, InvitationPhotoLiesUnderTheTextsAndTheFrameOverAll)
{
    PanelDesk w("L");
    w.document.Front_card_Prop.setCard_Size(QSizeF(425.52, 357.12));
    GraphicPtr before = SKTGraphic::create(GraphicKind::Shape);
    w.front().insert(before);
    Invitation_Values v;
    v.Invite_Title = "Party";
    v.Invite_Date = "12 June";
    v.Invite_Venue = "Hall";
    v.Invite_Frame_Pic_IMG = "/pictures/photo.png";
    v.Invite_Frame_IMG = "/pictures/frame.png";
    w.profiles.Fill_Party_Invidation_Details(v);
    QStringList order;  // top first
    for (const GraphicPtr &g : w.front().items()) order << g->control_ID;
    EXPECT_EQ(order, QStringList({"PARTY_IMAGE_BG", "PARTY_VENUE", "PARTY_DATE", "PARTY_TITLE", "PARTY_IMAGE", ""}));
    EXPECT_EQ(w.front().items().back(), before);

    // Without texts the photo stays where it was made.
    PanelDesk photoOnly("L");
    Invitation_Values p;
    p.Invite_Frame_Pic_IMG = "/pictures/photo.png";
    photoOnly.profiles.Fill_Party_Invidation_Details(p);
    ASSERT_EQ(photoOnly.front().count(), 1);
    EXPECT_EQ(photoOnly.front().at(0)->control_ID, "PARTY_IMAGE");
}


// A preview writes the record of the side shown onto the scratch side only, and its end
// shows that side again.
TEST_F(Fresh, APreviewFillsTheScratchSideFromTheShownSidesRecord)
{
    for (int side : {0, 1}) {
        PanelDesk w;
        w.showSide(side);
        (side == 1 ? w.profiles.Front_user_profile : w.profiles.Back_user_profile)[Profile_Stem::Name].value = "Other side";
        QString previewed;
        bool shown = false;
        Answer a(w, [&](Profile_Dialog &d) {
            d.rows[0].value->setText("Shown side");
            d.Preview_Btn_Clicked();
            const SKTGraphic *name = w.scratchView.Selcect_Ctrl_With_ID("Fup_Name");
            previewed = name ? name->Text_Value : QString();
            shown = w.scratchShown;
            d.Cancel_Btn_Clicked();
        });
        EXPECT_EQ(w.profiles.Open_User_Profile_Window(1, side == 1 ? "B" : "F", "2"), 0);
        EXPECT_EQ(previewed, "Shown side") << side;
        EXPECT_TRUE(shown) << side;
        EXPECT_EQ(w.sideShownAgain, side);
        EXPECT_EQ(w.onFront("Fup_Name"), nullptr) << side;
        EXPECT_EQ(w.onBack("Fup_Name"), nullptr) << side;
    }
}
