// A shipped visitor pass turned into its other orientation through the main window's Size tab.
#include "CardPropertyPanel.h"
#include "ColorWell.h"
#include "DesignFile.h"
#include "Globals.h"
#include "PhotoPictureAdjuster.h"
#include "Profile_Dialog.h"
#include "Profile_Panel.h"
#include "QStringPrinter.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <gtest/gtest.h>

namespace {
const SKTGraphic *withId(const std::vector<GraphicPtr> &controls, const QString &id)
{
    for (const GraphicPtr &g : controls)
        if (g->control_ID == id) return g.get();
    return nullptr;
}
} // namespace

// The Size tab's Vertical on the pass as the gallery opened it takes its vertical twin;
// after a change of the card's settings, or with a profile written from the gallery, the
// design itself is rescaled with the change kept. Either way the design is not in a
// file, so leaving it asks.
TEST(BuiltInTemplates, TheHorizontalPassTurnsIntoItsVerticalTwinUnlessItsCardWasChanged)
{
    const QString folder = Resource_Path + QStringLiteral("Templates/Visitor/");
    DesignData vertical;
    ASSERT_TRUE(Read_Design_File(folder + QStringLiteral("Visitor Pass (v).zcd"), vertical, nullptr));
    struct Road {
        const char *what;
        std::function<void(CardPropertyPanel &)> change;
        std::function<bool(const Card_Property &)> kept;  // none: the twin is taken
        bool profile = false;  // the gallery's "Profile..." first: a name and a company
    };
    const QColor teal(0, 128, 128);
    const Road roads[] = {
        {"untouched", [](CardPropertyPanel &) {}, nullptr},
        {"Card tab, Shape Ellipse", [](CardPropertyPanel &p) { p.Shape_ComboBox->setCurrentIndex(2); },
         [](const Card_Property &c) { return c.Card_Shape() == "E"; }},
        {"Card tab, Name",
         [](CardPropertyPanel &p) {
             p.Card_Name_Text->setText("Lobby Pass");
             emit p.Card_Name_Text->editingFinished();
         },
         [](const Card_Property &c) { return c.Card_Name() == "Lobby Pass"; }},
        {"Background tab, a colour",
         [&](CardPropertyPanel &p) {
             p.Card_fill_chk->setChecked(true);
             p.Card_fill_clr->setColor(teal);
             emit p.Card_fill_clr->colorChanged(teal);
         },
         [&](const Card_Property &c) { return c.Card_fill_chk() && c.Card_fill_clr().rgb() == teal.rgb(); }},
        {"Border tab, a border", [](CardPropertyPanel &p) { p.Card_border_chk->setChecked(true); },
         [](const Card_Property &c) { return c.Card_border_chk(); }},
        {"a profile from the gallery", [](CardPropertyPanel &) {}, [](const Card_Property &) { return true; }, true},
    };
    for (const Road &road : roads) {
        SCOPED_TRACE(road.what);
        const PhotoPictureAdjuster adjuster;
        SKTDocument document;
        testsupport::ScriptedRunner runner;
        SKTWindowController controller(document, adjuster, nullptr, &runner);
        controller.awakeFromNib(false);
        const QString pass = folder + QStringLiteral("Visitor Pass (h).zcd");
        runner.answer<Profile_Dialog>([](Profile_Dialog &d) {
            d.rows[0].value->setText("Lena Profile");
            d.rows[2].value->setText("Acme Labs");
            d.OK_Btn_Clicked();
        });
        runner.instead<Start_Card>([&](Start_Card &gallery) {
            gallery.list()->setCurrentRow(int(Start_Card::templatesOfCategory("Visitor").indexOf(pass)) + 1);
            if (road.profile) gallery.profileButton->click();
            gallery.openButton->click();
            return gallery.result();
        });
        testsupport::boxes().clear();
        ASSERT_TRUE(controller.Open_Start_Window());
        runner.remove<Start_Card>();
        ASSERT_EQ(document.Selected_Template_Path, pass);
        EXPECT_TRUE(testsupport::boxes().take().isEmpty());
        const int horizontalControls = document.graphics().count();
        CardPropertyPanel &panel = *controller.cardPanel;
        road.change(panel);

        panel.Preset_ComboBox->setCurrentIndex(1);
        EXPECT_TRUE(controller.Design_Changed());
        if (road.kept) {
            // The card takes the preset's size (CR80 standing), the controls rescaled.
            EXPECT_EQ(document.cardBounds().size(), panel.typedSizeInPoints());
            EXPECT_TRUE(road.kept(document.Front_card_Prop));
            EXPECT_EQ(document.Selected_Template_Path, folder + QStringLiteral("Visitor Pass (h).zcd"));
            EXPECT_EQ(document.graphics().count(), horizontalControls);
            if (road.profile) {
                for (auto [id, value] : {std::pair{"Fup_Name", "Lena Profile"}, std::pair{"Fup_Company", "Acme Labs"}}) {
                    const SKTGraphic *g = controller._graphicView->Selcect_Ctrl_With_ID(id);
                    ASSERT_NE(g, nullptr) << id;
                    EXPECT_EQ(g->Text_Value, value);
                    EXPECT_EQ(Profile_Panel_Of_Side(0)->Text_Box_For_ID(id)->text(), value);
                }
            }
            continue;
        }
        EXPECT_EQ(document.Selected_Template_Path, folder + QStringLiteral("Visitor Pass (v).zcd"));
        EXPECT_EQ(document.cardBounds().size(), vertical.front_card.Card_Size());
        EXPECT_EQ(document.graphics().count(), int(vertical.front_controls.size()));
        const auto photo = controller._graphicView->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo"));
        ASSERT_NE(photo, nullptr);
        EXPECT_EQ(photo->bounds(), withId(vertical.front_controls, QStringLiteral("Fup_Photo"))->bounds());
        // The twin, still untouched, turns back into the pass.
        panel.Preset_ComboBox->setCurrentIndex(0);
        EXPECT_EQ(document.Selected_Template_Path, folder + QStringLiteral("Visitor Pass (h).zcd"));
        EXPECT_EQ(document.graphics().count(), horizontalControls);
    }
}
