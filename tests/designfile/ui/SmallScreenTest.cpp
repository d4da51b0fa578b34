// The start window, the template gallery, the card and invitation wizards and the
// template name dialog fit the area a 1366 x 768 laptop screen leaves a window.
#include "Card_Wizard.h"
#include "Export_Template.h"
#include "Globals.h"
#include "Invitation_Wizard.h"
#include "Shots.h"
#include "SmallScreen.h"
#include "Start_Card.h"
#include "Template_Gallery.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using testsupport::fitsSmallScreen;

TEST(SmallScreen, DesignWindowsFit)
{
    Wizard_Collaborators with;
    with.pvc_sizes = {"CR80-Credit Card Size", "CR79", "CR90-Over Sized", "CR100-Military Size", "CR50", "CR60", "CR70"};
    with.paper_sizes = QStringList(8, QStringLiteral("Durable 1458 - Name Badge"));
    with.choose_library_picture = [] { return std::optional<QString>(QString(60, 'b') + ".png"); };
    const QString userTemplates = testsupport::testHome() + "/data/Templates/User";
    const std::pair<const char *, std::function<std::unique_ptr<QWidget>()>> windows[] = {
        {"start", [] { return std::make_unique<Start_Card>([](const QString &) { return 1; }); }},
        {"template-gallery",
         [&] { return std::make_unique<Template_Gallery>(Resource_Path + "Templates", userTemplates); }},
        {"card-wizard",
         [&] {
             auto w = std::make_unique<Card_Wizard>(with);
             w->Card_Image_Library_Btn();
             return w;
         }},
        {"invitation-wizard",
         [&] {
             auto w = std::make_unique<Invitation_Wizard>(with);
             w->Background_Library_Btn();
             return w;
         }},
        {"template-name", [] { return std::make_unique<Export_Template>(); }},
    };
    for (const auto &[name, make] : windows) {
        std::unique_ptr<QWidget> window = make();
        EXPECT_TRUE(fitsSmallScreen(*window)) << name;
        testsupport::saveShownShot(*window, QStringLiteral("win-%1").arg(name));
    }
}
