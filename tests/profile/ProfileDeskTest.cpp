// The profile records, their dialogs and the writing of a record onto its side, with
// the profile desk and the card views but without the main window.
#include "PanelDesk.h"
#include "Profile_Dialog.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "Visitor_Fields.h"
#include "Visitor_Panel_Sync.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {
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

struct Fresh : ::testing::Test {};
} // namespace

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
    EXPECT_FALSE(w.profiles.Profile_Confirmed());
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
    EXPECT_TRUE(w.profiles.Profile_Confirmed());
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
