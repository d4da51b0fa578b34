// The visitor entry panels and their desk without the main window: ticks and typing
// carried into the card controls, the card read back into the boxes, locks, deletion,
// photos and the user-added rows.
#include "PanelDesk.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "Visitor_Panel_Sync.h"

#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QCoreApplication>
#include <QEvent>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {
struct Window : PanelDesk {
    Window() { Set_Field_Captions(Caption_Wording::General_ID_Card); }
    Profile_Panel::Field_Boxes &name(Profile_Panel &p) { return p.fields[0]; }
};

QString today() { return QLocale(QLocale::English, QLocale::UnitedStates).toString(QDate::currentDate(), "dd-MMM-yyyy"); }

// A picture of its own, unlike any of the application's placeholders.
QString ownPicture()
{
    const QString path = testsupport::testHome() + "/face.png";
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    image.save(path);
    return path;
}
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
    EXPECT_EQ(b.value->text(), "") << "the card's placeholder is an empty box";
    EXPECT_TRUE(g->ctrl_is_visible);
    EXPECT_TRUE(b.value->isEnabled());
    EXPECT_FALSE(b.value->isReadOnly());
    EXPECT_EQ(g->bounds().topLeft(), Visitor_Sample_Rect(w.document.Front_card_Prop.Card_Size(), "Fup_Name").topLeft())
        << "a new field starts at its default place";
    const int undo = w.undoRecords;

    Window::type(b.value, "Ann Lee");
    EXPECT_EQ(g->Text_Value, "Ann Lee");
    EXPECT_EQ(w.undoRecords, undo + 1);

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
    w.showSide(1);
    w.name(w.bp()).value_chk->click();
    Window::type(w.name(w.bp()).value, "Back name");
    ASSERT_NE(w.onBack("Fup_Name"), nullptr);
    EXPECT_EQ(w.onBack("Fup_Name")->Text_Value, "Back name");
    EXPECT_EQ(w.onFront("Fup_Name"), nullptr);
    EXPECT_EQ(Visitor_Panel_Sync(w.document).Text_Box("Fup_Name"), w.name(w.bp()).value);
    EXPECT_EQ(Visitor_Panel_Sync(w.document).Chk_Box("Fup_lbl_Name"), w.name(w.bp()).label_chk);
    EXPECT_EQ(Visitor_Panel_Sync(w.document).Text_Box("Fup_Photo"), nullptr);
    EXPECT_EQ(Visitor_Panel_Sync(w.document).Chk_Box("F_field1"), nullptr);
}

TEST(VisitorPanel, HiddenControlsAreNotReadIn)
{
    Window w;
    GraphicPtr g = w.add(w.front(), GraphicKind::Text, {10, 10, 70, 20});
    g->control_ID = "Fup_Name";
    g->Text_Value = "Hidden";
    g->ctrl_is_visible = false;
    w.desk.Load_Side(0);
    EXPECT_FALSE(w.name(w.fp()).value_chk->isChecked());
    EXPECT_TRUE(w.name(w.fp()).value->text().isEmpty());
    w.document.Start_Card_Option = Card_Mode::Template;
    g->ctrl_is_visible = true;
    w.desk.Show_Single_Mode_Front_Panel();
    EXPECT_TRUE(w.name(w.fp()).value->text().isEmpty()) << "outside visitor and group mode nothing is read";
    w.document.Start_Card_Option = Card_Mode::Visitor;
}

TEST(VisitorPanel, ALockedControlDisablesItsBoxes)
{
    Window w;
    auto &b = w.name(w.fp());
    b.value_chk->click();
    w.lockSelection(true);
    EXPECT_FALSE(b.value_chk->isEnabled());
    EXPECT_FALSE(b.value->isEnabled());
    EXPECT_TRUE(b.label_chk->isEnabled()) << "the caption has no control to lock";
    w.lockSelection(false);
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
    w.frontView.Set_Selection_Index_According_ID("Fup_Name");
    w.frontView.deleteSelection();
    EXPECT_EQ(w.onFront("Fup_Name"), nullptr);
    EXPECT_FALSE(b.value_chk->isChecked());
    EXPECT_FALSE(b.value->isEnabled());
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
    w.frontView.Clear_Control_Selection();
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
        {"no ID, nothing selected", [&] { w.desk.Change_Value(photo, "", true, false); }},
        {"a photo field without its control", [&] { w.desk.Change_Value(photo, "Fup_Photo", true, false); }},
        {"a user-added photo row", [&] { w.fp().Set_User_Image(photo, "F_Photo1"); }},
        {"the visitor's photo", [&] { w.fp().Set_User_Image(photo, "Fup_Photo"); }},
    };
    for (const auto &c : cases) {
        w.Show_Properties(nullptr);
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
    const QRectF value = Visitor_Sample_Rect(w.document.Front_card_Prop.Card_Size(), "Fup_Name");
    const QRectF caption = Visitor_Sample_Rect(w.document.Front_card_Prop.Card_Size(), "Fup_lbl_Name");
    EXPECT_EQ(caption.x(), value.x());
    EXPECT_EQ(caption.width(), value.width());
    EXPECT_EQ(caption.y(), value.y() - 10) << "a caption stands just above its value";
    EXPECT_EQ(Visitor_Sample_Rect(w.document.Front_card_Prop.Card_Size(), "Fup_Date").width(), 0);
    // Every field lies on a card of its orientation.
    for (const QSizeF card : {QSizeF(243, 153), QSizeF(153, 243)}) {
        w.document.Front_card_Prop.setCard_Size(card);
        for (const char *id : {"Fup_Name", "Fup_lbl_Name", "Fup_UniqueNo", "Fup_Photo"}) {
            const QRectF r = Visitor_Sample_Rect(w.document.Front_card_Prop.Card_Size(), id);
            EXPECT_TRUE(QRectF(QPointF(), card).contains(r.topLeft())) << id;
            EXPECT_LE(r.bottom(), card.height()) << id;
        }
    }
}
TEST(RowBridge, PartnersStandBesideEachOtherInsideTheCard)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    SKTGraphic *caption = w.onFront("F_label1");
    SKTGraphic *value = w.onFront("F_field1");
    // The value was created beside its ticked caption.
    EXPECT_EQ(value->bounds().topLeft(), QPointF(caption->bounds().right(), caption->bounds().top()));

    // A caption reaching the card's right edge: the value goes below it.
    const QRectF card = w.document.cardBounds();
    w.front().remove(value);
    caption->setBounds(QRectF(card.right() - 70, 30, 70, 20));
    p.Get_Dynamic_Chk_Box("F_field1")->setChecked(true);
    w.desk.new_control_add("v", "F_field1", nullptr);
    w.desk.Change_Value("v", "F_field1", true, true);
    EXPECT_EQ(w.onFront("F_field1")->bounds().topLeft(), QPointF(card.right() - 70, 50));

    // A caption made again stands left of its value, above it at the left edge.
    w.onFront("F_field1")->setBounds(QRectF(100, 60, 70, 20));
    w.front().remove(caption);
    w.desk.new_control_add("c", "F_label1", nullptr);
    w.desk.Change_Value("c", "F_label1", true, true);
    EXPECT_EQ(w.onFront("F_label1")->bounds().topLeft(), QPointF(30, 60));
    w.onFront("F_field1")->setBounds(QRectF(0, 60, 70, 20));
    w.front().remove(w.onFront("F_label1"));
    w.desk.new_control_add("c", "F_label1", nullptr);
    w.desk.Change_Value("c", "F_label1", true, true);
    EXPECT_EQ(w.onFront("F_label1")->bounds().topLeft(), QPointF(0, 40));

    // Box look-ups reach the rows; a photo row keeps the place it was made at.
    EXPECT_EQ(Visitor_Panel_Sync(w.document).Text_Box("F_field1"), p.Get_Dynamic_Text_Box("F_field1"));
    EXPECT_EQ(Visitor_Panel_Sync(w.document).Chk_Box("F_field1"), p.Get_Dynamic_Chk_Box("F_field1"));
    EXPECT_EQ(Visitor_Panel_Sync(w.document).Text_Box("F_field9"), nullptr);
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    const QPointF made = w.onFront("F_Photo2")->bounds().topLeft();
    EXPECT_NE(made, QPointF(0, 0));
    w.desk.Change_Value(Resource_Path + "no.png", "F_Photo2", true, true);
    EXPECT_EQ(w.onFront("F_Photo2")->bounds().topLeft(), made) << "a row photo has no partner";
}

TEST(RowBridge, LockAndDeleteReachRows)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    p.Add_label_btn->click();
    SKTGraphic *caption = w.onFront("F_label1");
    caption->ctrl_is_locked = true;
    w.desk.Follow_Locks();
    EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_label1")->isEnabled());
    EXPECT_FALSE(p.Get_Dynamic_Text_Box("F_label1")->isEnabled());
    EXPECT_TRUE(p.Get_Dynamic_Chk_Box("F_field1")->isEnabled());

    w.desk.Control_Deleted(w.onFront("F_field1"));
    EXPECT_FALSE(p.Get_Dynamic_Chk_Box("F_field1")->isChecked());
}

TEST(RowPhoto, BrowsingIntoARowPhotoFillsItsBoxAndWell)
{
    PanelDesk w("G");
    Profile_Panel &p = w.fp();
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    QLabel *well = p.Get_Dynamic_Photo_Ctrl("F_Photo1");
    w.frontView.Set_Selection_Index_According_ID("F_Photo1");
    const QString picture = ownPicture();
    testsupport::queueFilePanelAnswer({picture});
    p.Browse_image_btn->click();
    EXPECT_EQ(p.Get_Dynamic_Text_Box("F_Photo1")->text(), picture);
    EXPECT_EQ(p.Well_Picture(well), Picture::fromFile(picture));
    EXPECT_EQ(w.onFront("F_Photo1")->FilePath(), picture);

    const QString broken = testsupport::testHome() + "/broken.png";
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    struct Case {
        QString path;
        Picture shown;
    } cases[] = {{Resource_Path + "no.png", w.noImage}, {broken, w.errImage}};
    for (const Case &c : cases) {
        p.Set_User_Image(c.path, "F_Photo1");
        EXPECT_EQ(p.Well_Picture(well), c.shown) << c.path.toStdString();
        EXPECT_EQ(p.Get_Dynamic_Text_Box("F_Photo1")->text(), c.path);
    }
    p.Set_User_Image(picture, "Fup_Photo");
    EXPECT_EQ(p.Well_Picture(well), w.errImage) << "the visitor photo leaves the wells alone";
}

TEST(RowClick, ClickingAControlEnablesOrLocksItsBoxes)
{
    PanelDesk w;
    Profile_Panel &p = w.fp();
    p.fields[0].value_chk->click();
    p.Add_label_btn->click();
    w.window.show();
    struct Case {
        const char *id;
        QWidget *box, *chk;
    } cases[] = {{"Fup_Name", p.fields[0].value, p.fields[0].value_chk},
                 {"F_field1", p.Get_Dynamic_Text_Box("F_field1"), p.Get_Dynamic_Chk_Box("F_field1")}};
    for (const Case &c : cases) {
        SKTGraphic *g = w.onFront(c.id);
        g->ctrl_is_locked = true;
        w.desk.Control_Selected(g);
        EXPECT_FALSE(c.box->isEnabled()) << c.id;
        EXPECT_FALSE(c.chk->isEnabled()) << c.id;
        g->ctrl_is_locked = false;
        w.desk.Control_Selected(g);
        EXPECT_TRUE(c.box->isEnabled()) << c.id;
        EXPECT_TRUE(c.chk->isEnabled()) << c.id;
        EXPECT_EQ(w.window.focusWidget(), c.box) << c.id;
    }
    // A click on a row photo shows its picture in the photo box, and leaves the row's boxes
    // as they are enabled.
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    QLineEdit *path = p.Get_Dynamic_Text_Box("F_Photo2");
    path->setEnabled(false);
    SKTGraphic *photo = w.onFront("F_Photo2");
    static_cast<SKTImage *>(photo)->setFilePath(ownPicture(), true);
    photo->ctrl_is_locked = true;
    w.desk.Control_Selected(photo);
    EXPECT_EQ(p.image_path_val->text(), ownPicture());
    EXPECT_FALSE(path->isEnabled());
    EXPECT_TRUE(p.Get_Dynamic_Chk_Box("F_Photo2")->isEnabled());
}


// A tick that makes its control is one undo step, and leaves the window's recording as
// it found it: a pause the window had (a group row being shown) goes on.
TEST(VisitorPanel, ATickIsOneStepAndKeepsTheWindowsRecordingState)
{
    const struct {
        bool pausedBefore;
        int records;
    } cases[] = {{false, 1}, {true, 0}};
    for (const auto &c : cases) {
        Window w;
        w.undoPaused = c.pausedBefore;
        w.name(w.fp()).value_chk->click();
        ASSERT_NE(w.onFront("Fup_Name"), nullptr) << c.pausedBefore;
        EXPECT_EQ(w.undoRecords, c.records) << c.pausedBefore;
        EXPECT_EQ(w.undoPaused, c.pausedBefore);
    }
}

TEST(VisitorPanel, AValueWrittenOnTheCardIsTheBoxsWithoutAStep)
{
    // A text written on the card by any road: the box of its side shows it, in "V" and
    // "G", and nothing is written back or recorded; outside them nothing moves.
    for (const char *mode : {"V", "G", "T"}) {
        Window w;
        w.document.Start_Card_Option = Card_Mode::Visitor;
        auto &b = w.name(w.fp());
        b.value_chk->click();
        Window::type(b.value, "Ann Lee");
        SKTGraphic *g = w.onFront("Fup_Name");
        ASSERT_NE(g, nullptr);
        w.document.Start_Card_Option = Card_Mode_Of_Letter(QLatin1String(mode)).value();
        const int undo = w.undoRecords;
        g->Set_text_value("Ann Lee Jr");
        EXPECT_EQ(b.value->text(), QString(mode) == "T" ? "Ann Lee" : "Ann Lee Jr") << mode;
        EXPECT_EQ(w.undoRecords, undo) << mode << ": the box is set, not typed";
        EXPECT_EQ(g->Text_Value, "Ann Lee Jr") << mode;
        // The box of the control's own side, whichever side is shown.
        w.document.Start_Card_Option = Card_Mode::Visitor;
        w.showSide(1);
        g->Set_text_value("Ann Lee III");
        EXPECT_EQ(b.value->text(), "Ann Lee III") << mode;
        EXPECT_EQ(w.name(w.bp()).value->text(), "") << mode << ": the back has no such control";
    }
}

// A control shown or hidden on the card by any road: its show box follows, and its box is
// typed into only while shown (the time: only with Manual ticked); a text the card shows
// reaches the box, the card's "Text here" an empty box (the words themselves typed stay).
TEST(VisitorPanel, TheBoxesFollowTheirControlsShowingAndText)
{
    Window w;
    Profile_Panel &p = w.fp();
    p.fields[0].value_chk->click();
    p.fields[kTimeField].value_chk->click();
    SKTGraphic *name = w.onFront("Fup_Name");
    SKTGraphic *time = w.onFront("Fup_Time");
    ASSERT_TRUE(name && time);
    struct Row {
        const char *what;
        SKTGraphic *g;
        int field;
        bool shown;
        bool checked, enabled, readOnly;  // the boxes afterwards
    } rows[] = {
        {"name hidden", name, 0, false, false, false, true},
        {"name shown", name, 0, true, true, true, false},
        {"time hidden", time, kTimeField, false, false, false, true},
        {"time shown", time, kTimeField, true, true, true, true},
    };
    for (const Row &r : rows) {
        r.g->Set_Ctrl_Is_Visible(r.shown);
        const Profile_Panel::Field_Boxes &b = p.fields[r.field];
        EXPECT_EQ(b.value_chk->isChecked(), r.checked) << r.what;
        EXPECT_EQ(b.value->isEnabled(), r.enabled) << r.what;
        EXPECT_EQ(b.value->isReadOnly(), r.readOnly) << r.what;
    }
    const struct {
        const char *box, *card, *after;
    } texts[] = {{"", "Text here", ""},
                {"Ann", "Text here", ""},
                {"Text here", "Text here", "Text here"},
                {"Ann", "Bo", "Bo"}};
    for (const auto &t : texts) {
        p.fields[0].value->setText(t.box);
        name->Set_text_value(t.card);
        EXPECT_EQ(p.fields[0].value->text(), t.after) << t.box << " / " << t.card;
    }
    // A hidden control's text is not on the card: the box keeps what was typed.
    name->Set_Ctrl_Is_Visible(false);
    name->Set_text_value("Cy");
    EXPECT_EQ(p.fields[0].value->text(), "Bo");
}

// Manual off: a shown date keeps what it holds (typed, and on the card) and is stamped
// only when empty; a date not shown is stamped. The stamp of a shown date is a value of
// the pass: the card's control holds it as the box does.
TEST(VisitorPanel, ManualOffStampsOnlyAnEmptyOrUnshownDate)
{
    const struct {
        bool shown;
        const char *held;
        bool stamped;
    } rows[] = {{true, "01-Jan-2020", false}, {true, "", true}, {false, "01-Jan-2020", true}};
    for (const auto &r : rows) {
        Window w;
        Profile_Panel &p = w.fp();
        p.fields[kDateField].value_chk->setChecked(r.shown);
        p.date_manual_chk->setChecked(false);
        p.fields[kDateField].value->setText(r.held);
        p.Chk_Unchk_Manual_Date_Time("D");
        EXPECT_EQ(p.fields[kDateField].value->text(), r.stamped ? today() : QString(r.held)) << r.shown << r.held;
        EXPECT_TRUE(p.fields[kDateField].value->isReadOnly());
    }
    // Typed under Manual on the card, then Manual off.
    for (const auto &r : rows) {
        Window w;
        Profile_Panel &p = w.fp();
        Profile_Panel::Field_Boxes &b = p.fields[kDateField];
        b.value_chk->click();
        if (!r.shown) b.value_chk->click();
        p.date_manual_chk->click();
        Window::type(b.value, r.held);
        SKTGraphic *date = w.onFront("Fup_Date");
        ASSERT_NE(date, nullptr);
        const QString hidden = date->Text_Value;
        p.date_manual_chk->click();
        const QString expected = r.stamped ? today() : QString(r.held);
        EXPECT_EQ(b.value->text(), expected) << r.shown << r.held;
        EXPECT_EQ(date->Text_Value, r.shown ? expected : hidden) << "a hidden date's control is left alone";
    }
}

// Once a side's photo is deleted, no other picture of the side (a company logo without
// an ID) becomes the visitor's photo, whichever road reads the card into the photo box;
// the same for a design whose photo is a picture without an ID.
TEST(VisitorPanel, ADeletedPhotoIsNotReplacedByAnotherPicture)
{
    const QString logoPath = Resource_Path + "LibraryImage/Business/Company_Logo.png";
    const QString otherLogo = Resource_Path + "banner.png";
    const struct {
        const char *road;
        std::function<void(Window &, SKTGraphic &logo)> take;
    } roads[] = {
        {"the card followed before recording", [](Window &w, SKTGraphic &) { w.desk.Follow_Card(); }},
        {"the logo's picture changed",
         [&](Window &, SKTGraphic &logo) { static_cast<SKTImage &>(logo).setFilePath(otherLogo, true); }},
        {"the panels shown again", [](Window &w, SKTGraphic &) { w.desk.Show_Single_Mode_Front_Panel(); }},
        {"undo and redo",
         [](Window &w, SKTGraphic &) {
             w.desk.Refresh_After_Undo();
             for (const GraphicPtr &g : w.front().items()) w.desk.Show_Control_After_Undo(g.get());
         }},
        {"the logo clicked", [](Window &w, SKTGraphic &logo) { w.desk.Control_Selected(&logo); }},
    };
    for (const char *photoId : {"Fup_Photo", ""})
        for (const auto &r : roads) {
            SCOPED_TRACE(std::string(r.road) + ", photo ID \"" + photoId + "\"");
            Window w;
            GraphicPtr logo = w.add(w.front(), GraphicKind::Image, {100, 10, 40, 40});
            static_cast<SKTImage *>(logo.get())->setFilePath(logoPath, true);
            GraphicPtr photo = w.add(w.front(), GraphicKind::Image, {10, 10, 60, 80});
            static_cast<SKTImage *>(photo.get())->setFilePath(ownPicture(), true);
            photo->control_ID = photoId;
            ASSERT_EQ(w.front().at(0), photo) << "the photo comes first";
            w.desk.Rebuild_From_Card();
            w.desk.Show_Single_Mode_Front_Panel();
            ASSERT_EQ(w.fp().image_path_val->text(), ownPicture());
            w.frontView.selectGraphics({photo.get()});
            w.frontView.deleteSelection();
            ASSERT_FALSE(w.front().contains(photo.get()));
            EXPECT_EQ(w.fp().image_path_val->text(), "") << "deleted";
            r.take(w, *logo);
            EXPECT_EQ(w.fp().image_path_val->text(), "");
            EXPECT_TRUE(w.fp().userPicture().isNull());
        }
}

// The panels follow the changes made on their own thread: a change made on another
// thread reaches no box and leaves nothing queued for the panels' thread.
TEST(VisitorPanel, AChangeMadeOnAnotherThreadIsNotFollowed)
{
    Window w;
    auto &b = w.name(w.fp());
    b.value_chk->click();
    Window::type(b.value, "Ann");
    SKTGraphic *name = w.onFront("Fup_Name");
    ASSERT_NE(name, nullptr);
    struct Queued : QObject {
        int calls = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::MetaCall) ++calls;
            return false;
        }
    } queued;
    w.front().installEventFilter(&queued);
    std::thread([name] { name->Set_text_value("Far"); }).join();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(queued.calls, 0);
    EXPECT_EQ(b.value->text(), "Ann");
    name->Set_text_value("Near");
    EXPECT_EQ(b.value->text(), "Near") << "a change on the panels' thread is followed";
    w.front().removeEventFilter(&queued);
}

// A photo row's picture changed on the card: the row's box names it, its well shows it.
TEST(VisitorPanel, APhotoRowFollowsItsPicture)
{
    Window w;
    Profile_Panel &p = w.fp();
    p.txt_or_image_ctrl = 1;
    p.Add_label_btn->click();
    SKTGraphic *photo = w.onFront("F_Photo1");
    ASSERT_NE(photo, nullptr);
    static_cast<SKTImage *>(photo)->setFilePath(ownPicture(), true);
    EXPECT_EQ(p.Get_Dynamic_Text_Box("F_Photo1")->text(), ownPicture());
    const Picture shown = p.Well_Picture(p.Get_Dynamic_Photo_Ctrl("F_Photo1"));
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.image().pixel(5, 5), qRgb(200, 40, 40));

    // A picture put in without its source text: the follower and the undo refresh both
    // name the file the card shows.
    const QString other = Resource_Path + "banner.png";
    static_cast<SKTImage *>(photo)->setFilePath(other, false);
    ASSERT_EQ(photo->Text_Value, ownPicture());
    EXPECT_EQ(p.Get_Dynamic_Text_Box("F_Photo1")->text(), other) << "followed";
    w.desk.Refresh_After_Undo();
    for (const GraphicPtr &g : w.front().items()) w.desk.Show_Control_After_Undo(g.get());
    EXPECT_EQ(p.Get_Dynamic_Text_Box("F_Photo1")->text(), other) << "after undo";
    EXPECT_EQ(p.Well_Picture(p.Get_Dynamic_Photo_Ctrl("F_Photo1")), photo->_contents) << "after undo";
}

// A stand-in picture (the program's own placeholders, wherever its resources are) is
// nobody's photo: the photo box shows none and a photo row's well shows the
// placeholder; a user's own picture that merely has a stand-in's name is a photo.
TEST(VisitorPanel, AStandInPictureIsNobodysPhoto)
{
    const QString ownNamedNo = testsupport::testHome() + "/no.png";
    QImage own(30, 40, QImage::Format_RGB32);
    own.fill(QColor(10, 120, 30));
    ASSERT_TRUE(own.save(ownNamedNo));
    const QString installed = testsupport::testHome() + "/usr/share/dozo-idcard/resources/pic_ic.png";
    const struct {
        QString path;
        bool standIn;
    } rows[] = {{Resource_Path + "no.png", true},
                {Resource_Path + "pic_ic.png", true},
                {installed, true},
                {ownNamedNo, false}};
    for (const auto &r : rows) {
        SCOPED_TRACE(r.path.toStdString());
        Window w;
        Profile_Panel &p = w.fp();
        GraphicPtr photo = w.add(w.front(), GraphicKind::Image, {10, 10, 60, 80});
        photo->control_ID = "Fup_Photo";
        static_cast<SKTImage *>(photo.get())->setFilePath(r.path, true);
        EXPECT_EQ(p.image_path_val->text(), r.standIn ? QString() : r.path);
        EXPECT_EQ(p.userPicture().isNull(), r.standIn);
        p.txt_or_image_ctrl = 1;
        p.Add_label_btn->click();
        SKTGraphic *row = w.onFront("F_Photo1");
        ASSERT_NE(row, nullptr);
        static_cast<SKTImage *>(row)->setFilePath(r.path, true);
        const Picture well = p.Well_Picture(p.Get_Dynamic_Photo_Ctrl("F_Photo1"));
        if (r.standIn) {
            EXPECT_EQ(well, w.noImage);
        } else {
            ASSERT_FALSE(well.isNull());
            EXPECT_EQ(well.image().pixel(5, 5), qRgb(10, 120, 30));
        }
    }
}

// A picture changed on the card, by any road, reaches the photo box only when it is the
// side's photo: a logo's never does, and the stand-in of a photo without a picture
// leaves the box empty. A file that does not read as a picture shows none.
TEST(VisitorPanel, OnlyThePhotosPictureChangedOnTheCardReachesThePhotoBox)
{
    Window w;
    const QString photoPath = ownPicture(), second = testsupport::testHome() + "/second.png";
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(second));
    GraphicPtr photo = w.add(w.front(), GraphicKind::Image, {10, 10, 60, 80});
    photo->control_ID = "Fup_Photo";
    static_cast<SKTImage *>(photo.get())->setFilePath(photoPath, true);
    GraphicPtr logo = w.add(w.front(), GraphicKind::Image, {100, 10, 40, 40});
    ASSERT_EQ(w.fp().image_path_val->text(), photoPath);
    const struct {
        const char *what;
        SKTGraphic *changed;
        QString to, box;
        bool pictured = true;
    } rows[] = {
        {"a logo's picture", logo.get(), Resource_Path + "banner.png", photoPath},
        {"another logo picture", logo.get(), second, photoPath},
        {"the stand-in for the photo", photo.get(), Resource_Path + "no.png", "", false},
        {"a logo after it", logo.get(), photoPath, "", false},
        {"the photo's own picture", photo.get(), second, second},
        {"a BMP cut short for the photo", photo.get(), testsupport::bmpCutToAThird("third.bmp"),
         testsupport::testHome() + "/third.bmp", false},
    };
    for (const auto &r : rows) {
        static_cast<SKTImage *>(r.changed)->setFilePath(r.to, true);
        EXPECT_EQ(w.fp().image_path_val->text().toStdString(), r.box.toStdString()) << r.what;
        EXPECT_EQ(w.fp().userPicture().isNull(), !r.pictured) << r.what;
    }
}

TEST(VisitorPanel, ThePhotoBoxShowsThePhotoNotAnotherPicture)
{
    // The side's "Fup_Photo" before it and a company logo without an ID after it: the
    // photo box shows the photo when the side is read and after undo and redo; a side
    // without "Fup_Photo" shows its first picture without an ID.
    Window w;
    const QString photoPath = ownPicture(), logoPath = Resource_Path + "banner.png";
    GraphicPtr logo = w.add(w.front(), GraphicKind::Image, {100, 10, 40, 40});
    static_cast<SKTImage *>(logo.get())->setFilePath(logoPath, true);
    GraphicPtr photo = w.add(w.front(), GraphicKind::Image, {10, 10, 60, 80});
    static_cast<SKTImage *>(photo.get())->setFilePath(photoPath, true);
    photo->control_ID = "Fup_Photo";
    ASSERT_EQ(w.front().at(0), photo) << "the logo comes after the photo";
    Visitor_Panel_Sync sync(w.document);
    w.document.Take_Visitor_Photos_From_Design();
    sync.Load_Side(&w.fp(), &w.front());
    EXPECT_EQ(w.fp().image_path_val->text(), photoPath) << "read in";
    sync.Refresh_After_Undo();
    for (const GraphicPtr &g : w.front().items()) sync.Show_Control_After_Undo(*g);
    EXPECT_EQ(w.fp().image_path_val->text(), photoPath) << "after undo";

    photo->control_ID.clear();  // a design without "Fup_Photo": the first picture without an ID
    w.document.Take_Visitor_Photos_From_Design();
    sync.Refresh_After_Undo();
    for (const GraphicPtr &g : w.front().items()) sync.Show_Control_After_Undo(*g);
    EXPECT_EQ(w.fp().image_path_val->text(), photoPath);
}
