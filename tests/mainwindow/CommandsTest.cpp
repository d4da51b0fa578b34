#include "PrivateTemp.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "LibraryAnswers.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include "Cropping_Tool.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace commands_test {

namespace {
struct Window : TestWindow {
    Window()
    {
        testsupport::boxes().clear();
        testsupport::clearFilePanels();
        Library_Selected_Image.clear();
    }
};

// Points the temporary folder somewhere of the test's own while it lives.
using testsupport::PrivateTemp;
} // namespace

TEST(Commands, LockWithNothingSelectedStillSetsTheToolbar)
{
    Window w;
    w.command("Lock")->trigger();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select a control to Lock."});
    EXPECT_FALSE(w.command("Lock")->isEnabled());
    EXPECT_TRUE(w.command("Unlock")->isEnabled());

    w.command("Unlock")->trigger();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select a control to Unlock."});
    EXPECT_TRUE(w.command("Lock")->isEnabled());
    EXPECT_FALSE(w.command("Unlock")->isEnabled());
}

TEST(Commands, LockAndUnlockTheSelectionWithoutRecording)
{
    Window w;
    GraphicPtr a = w.add(w.front(), GraphicKind::Shape, {10, 10, 40, 20});
    GraphicPtr b = w.add(w.front(), GraphicKind::Text, {60, 10, 40, 20});
    GraphicPtr other = w.add(w.front(), GraphicKind::Line, {10, 60, 40, 20});
    SKTGraphicView *view = w.controller._graphicView;
    view->selectGraphics({a.get(), b.get()});
    const int undo = w.controller.Get_Undo_Count();

    w.command("Lock")->trigger();
    EXPECT_TRUE(a->ctrl_is_locked && b->ctrl_is_locked);
    EXPECT_FALSE(other->ctrl_is_locked);
    EXPECT_EQ(view->selectedGraphics().size(), 2u) << "the selection stays";
    EXPECT_EQ(w.controller.Get_Selected_Graphic(), a.get()) << "the last selected control is shown";
    EXPECT_EQ(w.controller.Get_Undo_Count(), undo);

    // The seven alignment commands are greyed too, also when their menu opens.
    QMenu *align = w.command("Align")->menu();
    auto alignmentEnabled = [align] {
        int enabled = 0, count = 0;
        for (QAction *item : align->actions())
            if (item->data().isValid() && SKTGraphicView::Is_Alignment_Command(SKTGraphicView::Command(item->data().toInt()))) {
                ++count;
                enabled += item->isEnabled();
            }
        EXPECT_EQ(count, 7);
        return enabled;
    };
    EXPECT_EQ(alignmentEnabled(), 0);
    emit align->aboutToShow();
    EXPECT_EQ(alignmentEnabled(), 0);

    w.command("Unlock")->trigger();
    EXPECT_FALSE(a->ctrl_is_locked || b->ctrl_is_locked);
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    emit align->aboutToShow();
    EXPECT_EQ(alignmentEnabled(), 7) << "two unlocked controls selected";
}

TEST(Commands, CopyFrontToBackGivesTheBackItsOwnCopy)
{
    Window w;
    PrivateTemp temp;
    QFile foreign(temp.path() + "/zova.zcd");
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("not ours");
    foreign.close();

    GraphicPtr text = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    text->Set_text_value("Visitor");
    // A pasted picture has no file to be read again from.
    auto pasted = SKTImage::initWithPosition({120, 60}, Picture(QImage(6, 4, QImage::Format_ARGB32)));
    w.front().insert(pasted, 0);
    w.add(w.back(), GraphicKind::Shape, {5, 5, 20, 20});
    w.document.Front_card_Prop.setCard_fill_clr(QColor(10, 200, 30));
    w.document.Back_card_Prop.setCard_Side_Name("B");
    w.controller.Undo_Redo_Clear();
    w.controller.Insert_In_Undo_Redo();

    testsupport::boxes().answerNext(0);
    w.command("CopySide")->trigger();
    ASSERT_EQ(w.back().count(), 1) << "No leaves the back untouched";

    testsupport::boxes().answerNext(1);
    w.command("CopySide")->trigger();
    EXPECT_EQ(w.document.Card_Front_Or_Back, 1) << "the destination is shown";
    EXPECT_EQ(copy_card_design, 0);
    ASSERT_EQ(w.back().count(), 2);
    ASSERT_EQ(w.front().count(), 2);
    EXPECT_EQ(w.back().at(0)->kind(), GraphicKind::Image);
    EXPECT_EQ(w.back().at(1)->Text_Value, "Visitor");
    EXPECT_EQ(w.back().at(1)->bounds(), QRectF(10, 10, 80, 20));
    EXPECT_EQ(w.back().at(0)->_contents.image().size(), QSize(6, 4));
    EXPECT_EQ(w.front().at(0)->_contents.image().size(), QSize(6, 4)) << "the front keeps its pasted picture";
    EXPECT_EQ(w.document.Back_card_Prop.Card_fill_clr(), w.document.Front_card_Prop.Card_fill_clr());
    EXPECT_EQ(w.document.Back_card_Prop.Card_Side_Name(), "B");

    // The sides share no controls.
    w.front().at(1)->setBounds({0, 0, 30, 30});
    EXPECT_EQ(w.back().at(1)->bounds(), QRectF(10, 10, 80, 20));

    // Nothing is left in the temporary folder; a file of someone else's is untouched.
    EXPECT_EQ(temp.left(), QStringList{"zova.zcd"});
    ASSERT_TRUE(foreign.open(QIODevice::ReadOnly));
    EXPECT_EQ(foreign.readAll(), "not ours");
    EXPECT_TRUE(w.document.Project_File_Name.isEmpty());
    EXPECT_TRUE(testsupport::boxes().take().size() == 2) << "only the two questions";

    // The copy can be undone on the back.
    w.command("Undo")->trigger();
    ASSERT_EQ(w.back().count(), 1);
    EXPECT_EQ(w.back().at(0)->kind(), GraphicKind::Shape);
}

TEST(Commands, CopyNeedsNoTemporaryFolderAndRefillsThePanels)
{
    Window w;
    PrivateTemp temp;
    // The temporary folder is a plain file: nothing can be written there.
    const QString notAFolder = temp.path() + "/file";
    QFile(notAFolder).open(QIODevice::WriteOnly);
    qputenv("TMPDIR", notAFolder.toUtf8());
    w.document.Start_Card_Option = Card_Mode::Visitor;
    GraphicPtr name = w.add(w.front(), GraphicKind::Text, {10, 10, 80, 20});
    name->control_ID = "Fup_Name";
    name->Set_text_value("Visitor");
    w.add(w.front(), GraphicKind::Shape, {5, 5, 20, 20});

    testsupport::boxes().answerNext(1);
    w.command("CopySide")->trigger();
    ASSERT_EQ(w.back().count(), 2);
    for (const GraphicPtr &g : w.back().items()) EXPECT_FALSE(w.front().contains(g.get())) << "no shared control";
    EXPECT_EQ(Back_Profile_Panel_OBJ->Text_Box_For_ID("Fup_Name")->text(), "Visitor");
    EXPECT_TRUE(Back_Profile_Panel_OBJ->Chk_Box_For_ID("Fup_Name")->isChecked());
    EXPECT_EQ(temp.left(), QStringList{"file"});
    w.document.Start_Card_Option = Card_Mode::Template;
}

TEST(Commands, ScratchSideGetsCopiesOfTheCurrentSide)
{
    Window w;
    GraphicPtr g = w.add(w.front(), GraphicKind::Shape, {10, 10, 40, 20});
    w.controller.Temp_Design_Control_Assign();
    SKTGraphicList &temp = w.document.graphics_temp();
    ASSERT_EQ(temp.count(), 1);
    EXPECT_NE(temp.at(0).get(), g.get());
    temp.at(0)->setBounds({0, 0, 5, 5});
    EXPECT_EQ(g->bounds(), QRectF(10, 10, 40, 20));
    EXPECT_EQ(g->owner(), &w.front()) << "the front's control still reports to the front";
}

TEST(Commands, CardBackgroundFromTheLibrary)
{
    Window w;
    w.controller.Card_Bckgrnd_Clicked();  // cancelled
    EXPECT_TRUE(w.document.Front_card_Prop.Card_BG_Image_Path().isEmpty());

    const QString picture = Resource_Path + "Background/Blue_Waves.jpg";
    testsupport::queueLibraryAnswer(picture);
    w.command("CardBackground")->trigger();
    const Card_Property &prop = w.document.Front_card_Prop;
    EXPECT_EQ(prop.Card_BG_Image_Path(), picture);
    EXPECT_FALSE(prop.Card_BG_Image().isNull());
    EXPECT_TRUE(prop.Card_fill_chk());
    EXPECT_EQ(prop.Card_fill_style(), "I");
    EXPECT_EQ(w.controller.ui.sett_tab->currentWidget(), w.controller.ui.tabPages[card_bkgd_tab]);

    // The tab's Browse... refuses a file that is no picture, as every picture road does.
    QPushButton *browse = nullptr;
    for (QPushButton *b : w.controller.ui.tabPages[card_bkgd_tab]->findChildren<QPushButton *>())
        if (b->text() == "Browse...") browse = b;
    ASSERT_NE(browse, nullptr);
    testsupport::queueFilePanelAnswer({testsupport::zipNamedAsPicture("archive.png")});
    testsupport::boxes().clear();
    browse->click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nThe chosen file could not be opened as a picture."});
    EXPECT_EQ(prop.Card_BG_Image_Path(), picture);

    // A large background keeps its pixels and is capped to 724 x 468 points.
    const QString large = testsupport::testHome() + "/large.png";
    ASSERT_TRUE(QImage(1000, 500, QImage::Format_ARGB32).save(large));
    testsupport::queueLibraryAnswer(large);
    w.command("CardBackground")->trigger();
    EXPECT_EQ(prop.Card_BG_Image().size(), QSizeF(724, 468));
    EXPECT_EQ(prop.Card_BG_Image().image().size(), QSize(1000, 500));
}

TEST(Commands, EveryCommandIsOfferedAndCropOpensItsWindow)
{
    Window w;
    EXPECT_TRUE(w.command("VisitorLog")->isEnabled());
    EXPECT_TRUE(w.command("Crop")->isEnabled());
    // Crop opens the window's one cropping window on its main screen.
    int opened = 0;
    for (int round = 0; round < 2; ++round) {
        QTimer::singleShot(0, [&] {
            auto *tool = qobject_cast<Cropping_Tool *>(QApplication::activeModalWidget());
            if (tool) ++opened, tool->reject();
        });
        w.command("Crop")->trigger();
    }
    EXPECT_EQ(opened, 2);
    EXPECT_TRUE(w.command("Mail")->isEnabled());
    EXPECT_TRUE(w.command("MailSettings")->isEnabled());
    EXPECT_EQ(w.command("Camera"), nullptr) << "the camera is reached from the panels";
    EXPECT_FALSE(w.command("Undo")->isEnabled());
    EXPECT_FALSE(w.command("Redo")->isEnabled());
}

} // namespace commands_test
