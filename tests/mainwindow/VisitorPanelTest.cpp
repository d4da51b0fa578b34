#include "Globals.h"
#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

namespace {
struct Window : TestWindow {
    Window()
    {
        document.Start_Card_Option = Card_Mode::Visitor;
        Set_Field_Captions(Caption_Wording::General_ID_Card);
        controller.Select_front_side();
    }
    Profile_Panel &fp() { return *Front_Profile_Panel_OBJ; }
    Profile_Panel &bp() { return *Back_Profile_Panel_OBJ; }
    Profile_Panel::Field_Boxes &name(Profile_Panel &p) { return p.fields[0]; }
    SKTGraphic *onFront(const char *id) { return controller._graphicView->Selcect_Ctrl_With_ID(id); }
    SKTGraphic *onBack(const char *id) { return controller._graphicView_BACK->Selcect_Ctrl_With_ID(id); }
    static void type(QLineEdit *box, const QString &text)
    {
        box->setText(text);
        emit box->textEdited(text);
    }
};

QString today() { return QLocale(QLocale::English, QLocale::UnitedStates).toString(QDate::currentDate(), "dd-MMM-yyyy"); }
} // namespace

TEST(VisitorPanel, TickingAndTypingDriveTheNameControl)
{
    Window w;
    ASSERT_NE(Front_Profile_Panel_OBJ, nullptr);
    auto &b = w.name(w.fp());
    EXPECT_FALSE(b.value->isEnabled()) << "an unticked field cannot be typed into";

    b.value_chk->click();
    SKTGraphic *g = w.onFront("Fup_Name");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->kind(), GraphicKind::Text);
    EXPECT_EQ(g->Text_Value, "Text here");
    EXPECT_EQ(b.value->text(), "Text here");
    EXPECT_TRUE(g->ctrl_is_visible);
    EXPECT_TRUE(b.value->isEnabled());
    EXPECT_FALSE(b.value->isReadOnly());
    EXPECT_EQ(g->bounds().topLeft(), Visitor_Sample_Rect(w.controller.document.Front_card_Prop.Card_Size(), "Fup_Name").topLeft())
        << "a new field starts at its default place";
    const int undo = w.controller.Get_Undo_Count();

    Window::type(b.value, "Ann Lee");
    EXPECT_EQ(g->Text_Value, "Ann Lee");
    EXPECT_EQ(w.controller.Get_Undo_Count(), undo + 1);

    b.value_chk->click();
    EXPECT_FALSE(g->ctrl_is_visible);
    EXPECT_FALSE(b.value->isEnabled());
    EXPECT_EQ(b.value->text(), "Ann Lee") << "unticking keeps the text";

    // Ticking again finds the same control: nothing new, the place kept.
    g->setBounds({30, 40, 70, 20});
    b.value_chk->click();
    EXPECT_EQ(w.front().count(), 1);
    EXPECT_TRUE(g->ctrl_is_visible);
    EXPECT_EQ(g->bounds().topLeft(), QPointF(30, 40));
}

TEST(VisitorPanel, TypingTicksTheBoxButCreatesNothing)
{
    Window w;
    auto &title = w.fp().fields[1];
    w.name(w.fp()).value_chk->click();
    title.value->setEnabled(true);
    Window::type(title.value, "Engineer");
    EXPECT_TRUE(title.value_chk->isChecked());
    EXPECT_EQ(w.onFront("Fup_Title"), nullptr) << "only a tick creates a missing control";
    EXPECT_EQ(w.front().count(), 1);
}

TEST(VisitorPanel, ACaptionNewlyShownStandsBesideOrAboveItsValue)
{
    Window w;
    auto &b = w.name(w.fp());
    b.value_chk->click();
    SKTGraphic *value = w.onFront("Fup_Name");
    value->setBounds({150, 60, 70, 20});
    b.label_chk->click();
    SKTGraphic *caption = w.onFront("Fup_lbl_Name");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Text_Value, Title_Name);
    EXPECT_EQ(caption->bounds().topLeft(), QPointF(150 - caption->width(), 60)) << "left of the value";

    // A value at the card's left edge leaves no room on its left: the caption goes above.
    Window v;
    auto &vb = v.name(v.fp());
    vb.value_chk->click();
    v.onFront("Fup_Name")->setBounds({0, 60, 70, 20});
    vb.label_chk->click();
    EXPECT_EQ(v.onFront("Fup_lbl_Name")->bounds().topLeft(), QPointF(0, 60 - v.onFront("Fup_lbl_Name")->height()));
}

TEST(VisitorPanel, TheBackPanelActsOnTheBack)
{
    Window w;
    w.controller.Select_back_side();
    w.name(w.bp()).value_chk->click();
    Window::type(w.name(w.bp()).value, "Back name");
    ASSERT_NE(w.onBack("Fup_Name"), nullptr);
    EXPECT_EQ(w.onBack("Fup_Name")->Text_Value, "Back name");
    EXPECT_EQ(w.onFront("Fup_Name"), nullptr);
    EXPECT_EQ(Visitor_Panel_Sync(w.controller.document).Text_Box("Fup_Name"), w.name(w.bp()).value);
    EXPECT_EQ(Visitor_Panel_Sync(w.controller.document).Chk_Box("Fup_lbl_Name"), w.name(w.bp()).label_chk);
    EXPECT_EQ(Visitor_Panel_Sync(w.controller.document).Text_Box("Fup_Photo"), nullptr);
    EXPECT_EQ(Visitor_Panel_Sync(w.controller.document).Chk_Box("F_field1"), nullptr);
}

TEST(VisitorPanel, AVisitorPassTemplateFillsThePanels)
{
    Window w;
    const QString path = Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd";
    testsupport::answerStartWindow(w.runner, [&]() -> std::optional<QString> { return path; });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    w.runner.remove<Start_Card>();
    EXPECT_EQ(Title_slogan, "Purpose :") << "a chosen template brings the visitor wording";
    int filled = 0;
    for (const GraphicPtr &g : w.front().items()) {
        if (g->kind() != GraphicKind::Text || !g->ctrl_is_visible) continue;
        QLineEdit *box = w.fp().Text_Box_For_ID(g->control_ID);
        if (!box) continue;
        ++filled;
        EXPECT_EQ(box->text(), g->Text_Value) << g->control_ID.toStdString();
        EXPECT_TRUE(w.fp().Chk_Box_For_ID(g->control_ID)->isChecked()) << g->control_ID.toStdString();
    }
    EXPECT_GT(filled, 0) << "the template carries profile controls";
    SKTGraphic *photo = w.onFront("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(w.fp().image_path_val->text(), photo->FilePath().trimmed());
}

TEST(VisitorPanel, HiddenControlsAreNotReadIn)
{
    Window w;
    GraphicPtr g = w.add(w.front(), GraphicKind::Text, {10, 10, 70, 20});
    g->control_ID = "Fup_Name";
    g->Text_Value = "Hidden";
    g->ctrl_is_visible = false;
    w.controller.Load_Fup_Fields();
    EXPECT_FALSE(w.name(w.fp()).value_chk->isChecked());
    EXPECT_TRUE(w.name(w.fp()).value->text().isEmpty());
    w.document.Start_Card_Option = Card_Mode::Template;
    g->ctrl_is_visible = true;
    w.controller.Show_Single_Mode_Front_Panel();
    EXPECT_TRUE(w.name(w.fp()).value->text().isEmpty()) << "outside visitor and group mode nothing is read";
    w.document.Start_Card_Option = Card_Mode::Visitor;
}

TEST(VisitorPanel, ALockedControlDisablesItsBoxes)
{
    Window w;
    auto &b = w.name(w.fp());
    b.value_chk->click();
    w.controller.Lock_Clicked();
    EXPECT_FALSE(b.value_chk->isEnabled());
    EXPECT_FALSE(b.value->isEnabled());
    EXPECT_TRUE(b.label_chk->isEnabled()) << "the caption has no control to lock";
    w.controller.Unlock_Clicked();
    EXPECT_TRUE(b.value_chk->isEnabled());
    EXPECT_TRUE(b.value->isEnabled());
}

TEST(VisitorPanel, DateAndTimeFollowTheManualBoxes)
{
    Window w;
    auto &date = w.fp().fields[kDateField];
    EXPECT_EQ(date.value->text(), today()) << "without the manual box the date is today's";
    EXPECT_FALSE(date.value->isEnabled());

    date.value_chk->click();
    ASSERT_NE(w.onFront("Fup_Date"), nullptr);
    EXPECT_EQ(w.onFront("Fup_Date")->Text_Value, today());
    EXPECT_TRUE(date.value->isEnabled());
    EXPECT_TRUE(date.value->isReadOnly()) << "a stamped date is not typed over";

    w.fp().date_manual_chk->click();
    EXPECT_FALSE(date.value->isReadOnly());
    Window::type(date.value, "01-Jan-2030");
    EXPECT_EQ(w.onFront("Fup_Date")->Text_Value, "01-Jan-2030");

    // Typing while the date is not shown sends the text but keeps the control hidden.
    date.value_chk->click();
    EXPECT_FALSE(w.onFront("Fup_Date")->ctrl_is_visible);
    Window::type(date.value, "02-Feb-2031");
    EXPECT_FALSE(date.value_chk->isChecked());
    EXPECT_FALSE(w.onFront("Fup_Date")->ctrl_is_visible);
}

TEST(VisitorPanel, DeletingTheControlUnticksItsBox)
{
    Window w;
    auto &b = w.name(w.fp());
    b.value_chk->click();
    w.controller._graphicView->Set_Selection_Index_According_ID("Fup_Name");
    w.controller._graphicView->deleteSelection();
    EXPECT_EQ(w.onFront("Fup_Name"), nullptr);
    EXPECT_FALSE(b.value_chk->isChecked());
    EXPECT_FALSE(b.value->isEnabled());
}

TEST(VisitorPanel, UndoBringsThePanelBackInStep)
{
    Window w;
    w.controller.Insert_In_Undo_Redo();  // the empty card, as a template load records it
    auto &b = w.name(w.fp());
    b.value_chk->click();
    Window::type(b.value, "Ann");
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(b.value->text(), "Text here");
    EXPECT_TRUE(b.value_chk->isChecked());
    w.controller.Undo_Action_Perform();
    EXPECT_FALSE(b.value_chk->isChecked()) << "one tick is one step: before it there was no name";
    EXPECT_TRUE(b.value->text().isEmpty());
}

TEST(VisitorPanel, APhotoFromAFileMakesThePhotoControl)
{
    Window w;
    const QString file = Resource_Path + "banner.png";
    testsupport::queueFilePanelAnswer({file});
    w.fp().Browse_image_Btn_Clicked();
    SKTGraphic *photo = w.onFront("Fup_Photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->kind(), GraphicKind::Image);
    EXPECT_EQ(photo->FilePath(), file);
    EXPECT_EQ(w.fp().image_path_val->text(), file);
    EXPECT_FALSE(w.fp().userPicture().isNull());

    // With its only image control locked the photo is refused before any panel opens.
    photo->ctrl_is_locked = true;
    w.controller._graphicView->Clear_Control_Selection();
    testsupport::boxes().clear();
    w.fp().Browse_image_Btn_Clicked();
    const QStringList shown = testsupport::boxes().take();
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_TRUE(shown.back().contains("Image control is locked."));
}

TEST(VisitorPanel, AnImageControlWithoutAnIDNeverTakesAFieldsPhoto)
{
    Window w;
    GraphicPtr logo = w.add(w.front(), GraphicKind::Image, {150, 10, 40, 40});
    const QString logoPath = Resource_Path + "banner.png", photo = Resource_Path + "LibraryImage/Business/Person.png";
    static_cast<SKTImage &>(*logo).setFilePath(logoPath, true);
    const struct {
        const char *what;
        std::function<void()> give;
    } cases[] = {
        {"no ID, nothing selected", [&] { w.controller.Change_Value(photo, "", true, false); }},
        {"a photo field without its control", [&] { w.controller.Change_Value(photo, "Fup_Photo", true, false); }},
        {"a user-added photo row", [&] { w.fp().Set_User_Image(photo, "F_Photo1"); }},
        {"the visitor's photo", [&] { w.fp().Set_User_Image(photo, "Fup_Photo"); }},
    };
    for (const auto &c : cases) {
        w.controller.Show_RHS_Properties(nullptr);
        c.give();
        EXPECT_EQ(logo->FilePath(), logoPath) << c.what;
    }
    ASSERT_NE(w.onFront("F_Photo1"), nullptr);
    EXPECT_EQ(w.onFront("F_Photo1")->FilePath(), photo);
    EXPECT_EQ(w.onFront("Fup_Photo")->FilePath(), photo);
}

TEST(VisitorPanel, DefaultRectanglesFollowTheFrontCardsOrientation)
{
    Window w;
    w.document.Front_card_Prop.setCard_Size({200, 200});
    const QRectF value = Visitor_Sample_Rect(w.controller.document.Front_card_Prop.Card_Size(), "Fup_Name");
    const QRectF caption = Visitor_Sample_Rect(w.controller.document.Front_card_Prop.Card_Size(), "Fup_lbl_Name");
    EXPECT_EQ(caption.x(), value.x());
    EXPECT_EQ(caption.width(), value.width());
    EXPECT_EQ(caption.y(), value.y() - 10) << "a caption stands just above its value";
    EXPECT_EQ(Visitor_Sample_Rect(w.controller.document.Front_card_Prop.Card_Size(), "Fup_Date").width(), 0);
    // Every field lies on a card of its orientation.
    for (const QSizeF card : {QSizeF(243, 153), QSizeF(153, 243)}) {
        w.document.Front_card_Prop.setCard_Size(card);
        for (const char *id : {"Fup_Name", "Fup_lbl_Name", "Fup_UniqueNo", "Fup_Photo"}) {
            const QRectF r = Visitor_Sample_Rect(w.controller.document.Front_card_Prop.Card_Size(), id);
            EXPECT_TRUE(QRectF(QPointF(), card).contains(r.topLeft())) << id;
            EXPECT_LE(r.bottom(), card.height()) << id;
        }
    }
}
