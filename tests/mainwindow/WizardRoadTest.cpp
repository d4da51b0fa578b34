#include "Card_Wizard.h"
#include "Globals.h"
#include "Invitation_Wizard.h"
#include "LibraryAnswers.h"
#include "Profile_Dialog.h"
#include "ProfileWorkbooks.h"
#include "RenderResources.h"
#include "SKTGraphicView.h"
#include "SKTRenderingView.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Roads : ::testing::Test {
    static void profileAnswers(TestWindow &w, const QString &name)
    {
        w.runner.answer<Profile_Dialog>([name](Profile_Dialog &d) {
            d.rows[0].value->setText(name);
            d.OK_Btn_Clicked();
        });
    }
    // The gallery answers the roads in turn; Cancel after them.
    static void galleryAnswers(TestWindow &w, std::vector<Start_Choice> roads)
    {
        testsupport::answerStartWindow(w.runner, [roads, at = size_t(0)]() mutable {
            return at < roads.size() ? roads[at++] : Start_Choice();
        });
    }
    static QString pictureFile(const QTemporaryDir &dir, const char *name, QColor colour)
    {
        QImage image(20, 20, QImage::Format_ARGB32);
        image.fill(colour);
        const QString path = dir.filePath(name);
        image.save(path);
        return path;
    }
};
} // namespace

TEST_F(Roads, CardWizardMakesTheCardWithBackgroundAndProfile)
{
    QTemporaryDir dir;
    const QString background = pictureFile(dir, "blue.png", Qt::blue);
    TestWindow w;
    QStringList loadSides;
    w.runner.answer<Profile_Dialog>([&](Profile_Dialog &d) {
        loadSides << d.load_side;
        d.rows[0].value->setText("Ann");
        d.OK_Btn_Clicked();
    });
    galleryAnswers(w, {Start_Road::Card_Wizard});
    testsupport::answerWizards(w.runner, [&](QDialog &d) {
        auto &wizard = dynamic_cast<Card_Wizard &>(d);
        // Both sides: the two-side dialog on both; front only: on the front.
        EXPECT_EQ(wizard.Profile_Btn(), 1);
        wizard.page->select("PVC Card", "Vertical", 0, 1);
        EXPECT_EQ(wizard.Profile_Btn(), 1);
        testsupport::queueLibraryAnswer(background);
        wizard.Card_Image_Library_Btn();
        return 1;
    });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    const Card_Property &front = w.document.Front_card_Prop;
    EXPECT_NEAR(front.Card_Size().width(), 153.36, 0.01);
    EXPECT_NEAR(front.Card_Size().height(), 242.64, 0.01);
    for (const Card_Property *p : {&front, static_cast<const Card_Property *>(&w.document.Back_card_Prop)}) {
        EXPECT_EQ(p->Card_Side(), "1");
        EXPECT_EQ(p->Card_Category(), "PVC Card");
        EXPECT_EQ(p->Card_Preset(), "Vertical");
        EXPECT_EQ(p->Card_Cat_index(), 0);
        EXPECT_EQ(p->Card_Create_Mode(), "W");
    }
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Wizard);
    EXPECT_EQ(front.Card_BG_Image_Path(), background);
    EXPECT_EQ(front.Card_fill_style(), "I");
    EXPECT_EQ(w.document.Back_card_Prop.Card_BG_Image_Path(), "");
    SKTGraphic *name = w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Text_Value, "Ann");
    EXPECT_EQ(w.controller._graphicView_BACK->Selcect_Ctrl_With_ID("Fup_Name"), nullptr) << "front only";
    EXPECT_EQ(w.controller.Get_Undo_Count(), 1) << "one snapshot: nothing to undo";
    EXPECT_EQ(loadSides, QStringList({"", "F"}));
}

TEST_F(Roads, CardWizardWithoutLibraryChoiceKeepsNoBackground)
{
    TestWindow w;
    galleryAnswers(w, {Start_Road::Card_Wizard});
    testsupport::answerWizards(w.runner, [&](QDialog &d) {
        dynamic_cast<Card_Wizard &>(d).Card_Image_Library_Btn();  // nothing queued: cancelled
        return 1;
    });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    EXPECT_EQ(w.document.Front_card_Prop.Card_BG_Image_Path(), "");
    EXPECT_EQ(w.document.Front_card_Prop.Card_Side(), "2");
    EXPECT_NEAR(w.document.Front_card_Prop.Card_Size().width(), 242.64, 0.01);
}

TEST_F(Roads, InvitationLaysOutTheCard)
{
    QTemporaryDir dir;
    const QString background = pictureFile(dir, "party.png", Qt::yellow);
    const QString photo = pictureFile(dir, "face.png", Qt::red);
    struct Case {
        const char *name;
        std::function<void(Invitation_Wizard &)> fill;
        std::function<void(TestWindow &)> check;
    } cases[] = {
        {"time and venue", [](Invitation_Wizard &i) { i.Time->setText("7 pm"); i.Venue->setText("Hall"); },
         [](TestWindow &w) {
             SKTGraphic *time = w.controller._graphicView->Selcect_Ctrl_With_ID("PARTY_TIME");
             SKTGraphic *venue = w.controller._graphicView->Selcect_Ctrl_With_ID("PARTY_VENUE");
             ASSERT_TRUE(time && venue);
             EXPECT_EQ(time->Text_Value, "AT 7 pm");
             EXPECT_EQ(time->bounds().y(), 40);
             EXPECT_EQ(venue->Text_Value, "Venue:\nHall");
             EXPECT_EQ(venue->bounds().y(), 100);
             EXPECT_NEAR(w.document.Front_card_Prop.Card_Size().width(), 425.52, 0.01);
             EXPECT_NEAR(w.document.Front_card_Prop.Card_Size().height(), 357.12, 0.01);
             EXPECT_EQ(w.document.Front_card_Prop.Card_Side(), "1");
         }},
        {"sepia photo and background",
         [&](Invitation_Wizard &i) {
             // The photo comes through the file panel, which offers the picture types.
             testsupport::queueFilePanelAnswer({photo});
             i.Photo_Browse_Btn();
             i.Image_Sepia_chk->setChecked(true);
             testsupport::queueLibraryAnswer(background);
             i.Background_Library_Btn();
         },
         [&](TestWindow &w) {
             SKTGraphic *image = w.controller._graphicView->Selcect_Ctrl_With_ID("PARTY_IMAGE");
             ASSERT_NE(image, nullptr);
             EXPECT_TRUE(image->Sepia);
             EXPECT_FALSE(image->gray_Scale);
             EXPECT_EQ(image->FilePath(), photo);
             EXPECT_EQ(w.document.Front_card_Prop.Card_BG_Image_Path(), background);
             EXPECT_EQ(w.document.Front_card_Prop.Card_fill_style(), "I");
             // Drawn on the card as the wizard showed it: the red photo in sepia
             // (0.393, 0.349, 0.272 of red in linear light: 168, 159, 142) over the
             // yellow background.
             const QRectF card(QPointF(0, 0), w.document.Front_card_Prop.Card_Size());
             const QImage front = SKTRenderingView::image_From_Card_Graphics(
                 w.front().items(), card, &w.document.Front_card_Prop, Application_Render_Resources(w.adjuster));
             const QPoint middle = image->bounds().center().toPoint();
             const QColor drawn = front.pixelColor(middle);
             EXPECT_NEAR(drawn.red(), 168, 1);
             EXPECT_NEAR(drawn.green(), 159, 1);
             EXPECT_NEAR(drawn.blue(), 142, 1);
             EXPECT_EQ(front.pixelColor(5, 5), QColor(Qt::yellow));
         }},
        {"frame over the card",
         [&](Invitation_Wizard &i) {
             // (The next test installs the recording panels again.)
             Set_File_Panel_Answerer([&](const FilePanelRequest &r) {
                 EXPECT_EQ(r.kind, FilePanelRequest::OpenFile);
                 EXPECT_EQ(r.title, "Frame Picture");
                 EXPECT_EQ(r.extensions,
                           QStringList({"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"}));
                 return QStringList{background};
             });
             i.Frame_Browse_Btn();
         },
         [&](TestWindow &w) {
             SKTGraphic *frame = w.controller._graphicView->Selcect_Ctrl_With_ID("PARTY_IMAGE_BG");
             ASSERT_NE(frame, nullptr);
             EXPECT_EQ(frame->FilePath(), background);
             // Over the whole card (in single precision).
             EXPECT_EQ(frame->bounds().topLeft(), QPointF(0, 0));
             EXPECT_NEAR(frame->bounds().width(), 425.52, 0.001);
             EXPECT_NEAR(frame->bounds().height(), 357.12, 0.001);
         }},
        {"nothing given", [](Invitation_Wizard &) {},
         [](TestWindow &w) { EXPECT_EQ(w.front().count(), 0); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestWindow w;
        galleryAnswers(w, {Start_Road::Invitation_Wizard});
        testsupport::answerWizards(w.runner, [&](QDialog &d) {
            c.fill(dynamic_cast<Invitation_Wizard &>(d));
            return 1;
        });
        ASSERT_TRUE(w.controller.Open_Start_Window());
        EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Wizard);
        c.check(w);
    }
}

TEST_F(Roads, TemplateWithProfileAndCancelledWizardLeavesNoProfile)
{
    const QString pass = Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd";
    ASSERT_TRUE(QFileInfo::exists(pass));
    {
        TestWindow w;
        profileAnswers(w, "Ann");
        testsupport::answerStartWindow(w.runner, [&]() -> Start_Choice {
            // The gallery's "Profile..." button, then Open.
            EXPECT_EQ(w.controller.profiles().Open_User_Profile_Window(0, "", "2"), 1);
            return std::optional<QString>(pass);
        });
        ASSERT_TRUE(w.controller.Open_Start_Window());
        SKTGraphic *name = w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Name");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->Text_Value, "Ann");
        EXPECT_EQ(w.controller.profiles().Front_user_profile[Profile_Stem::Name].value, "Ann");
        // What the tool bar puts on the card afterwards is a change of its own: after a
        // Save, a rectangle or a barcode is a step that Undo takes back, and leaving asks.
        w.document.Project_File_Name = testsupport::testHome() + "/profiled.zcd";
        for (int tool : {3, 10}) {
            ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
            ASSERT_FALSE(w.controller.Design_Changed());
            const int count = w.document.graphics().count();
            w.controller.ui.toolActions[size_t(tool)]->trigger();
            ASSERT_EQ(w.document.graphics().count(), count + 1) << tool;
            EXPECT_TRUE(w.controller.Design_Changed()) << tool;
            w.controller.Undo_Action_Perform();
            EXPECT_EQ(w.document.graphics().count(), count) << tool;
        }
    }
    // A wizard's profile with a workbook, then Cancel: neither the profile nor the rows
    // reach the template chosen next.
    const Two_Books books;
    TestWindow w;
    w.runner.answer<Profile_Dialog>([&](Profile_Dialog &d) {
        d.rows[0].value->setText("Ann");
        Import_Through(d.rows[2].source, books.six);
        d.OK_Btn_Clicked();
    });
    galleryAnswers(w, {Start_Road::Card_Wizard, std::optional<QString>(pass)});
    testsupport::answerWizards(w.runner, [](QDialog &d) {
        dynamic_cast<Card_Wizard &>(d).Profile_Btn();
        return 0;  // Cancel: back to the gallery
    });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    EXPECT_FALSE(w.controller.profiles().Profile_Confirmed());
    EXPECT_TRUE(w.document.ListData().isEmpty());
    EXPECT_FALSE(w.document.m_spreadsheet.Excel_Binding_Use);
    EXPECT_EQ(w.controller.profiles().Front_user_profile[Profile_Stem::Name].value, "");
    SKTGraphic *name = w.controller._graphicView->Selcect_Ctrl_With_ID("Fup_Name");
    ASSERT_NE(name, nullptr);
    EXPECT_NE(name->Text_Value, "Ann");
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_EQ(w.document.Selected_Template_Path, pass);
}

TEST_F(Roads, CancelledWizardsShowTheGalleryAgainWithTheDesignUntouched)
{
    QTemporaryDir dir;
    const QString background = pictureFile(dir, "blue.png", Qt::blue);
    TestWindow w;
    w.controller.New_Project_Setting_Reset(true);
    const QSizeF size = w.document.Front_card_Prop.Card_Size();
    std::vector<Start_Road> roads = {Start_Road::Card_Wizard, Start_Road::Invitation_Wizard};
    int galleries = 0;
    testsupport::answerStartWindow(w.runner, [&]() -> Start_Choice {
        ++galleries;
        // Every return to the gallery finds the design as it was.
        EXPECT_EQ(w.document.Front_card_Prop.Card_Size(), size) << galleries;
        EXPECT_EQ(w.document.Front_card_Prop.Card_BG_Image_Path(), "") << galleries;
        EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor) << galleries;
        EXPECT_EQ(w.front().count(), 0) << galleries;
        if (size_t(galleries) <= roads.size()) return roads[galleries - 1];
        return std::optional<QString>(QString());  // a blank card
    });
    testsupport::answerWizards(w.runner, [&](QDialog &d) {
        // Chosen and then dropped: another size, a background, texts.
        testsupport::queueLibraryAnswer(background);
        if (auto *card = dynamic_cast<Card_Wizard *>(&d)) {
            card->page->select("PVC Card", "Vertical", 2, 1);
            card->Card_Image_Library_Btn();
        } else {
            auto &invitation = dynamic_cast<Invitation_Wizard &>(d);
            invitation.Title->setText("Party");
            invitation.Background_Library_Btn();
        }
        return 0;
    });
    ASSERT_TRUE(w.controller.Open_Start_Window());
    EXPECT_EQ(galleries, 3);
    EXPECT_EQ(w.document.Front_card_Prop.Card_Size(), size);
}
