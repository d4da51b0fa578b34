#include "Globals.h"
#include "Profile_Panel.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "SKTWindowController.h"
#include "StandInPictures.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

namespace visitor_panel_test {

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

} // namespace

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
    ASSERT_TRUE(Is_Stand_In_Picture(photo->FilePath(), Resource_Path)) << "the template's grey figure";
    EXPECT_EQ(w.fp().image_path_val->text(), "") << "a stand-in is nobody's photo";
}

TEST(VisitorPanel, UndoBringsThePanelBackInStep)
{
    Window w;
    w.controller.Insert_In_Undo_Redo();  // the empty card, as a template load records it
    auto &b = w.name(w.fp());
    b.value_chk->click();
    Window::type(b.value, "Ann");
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(b.value->text(), "") << "the card's placeholder is an empty box";
    EXPECT_TRUE(b.value_chk->isChecked());
    w.controller.Undo_Action_Perform();
    EXPECT_FALSE(b.value_chk->isChecked()) << "one tick is one step: before it there was no name";
    EXPECT_TRUE(b.value->text().isEmpty());
}

} // namespace visitor_panel_test
