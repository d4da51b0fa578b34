// A shipped visitor pass turned into its other orientation through the main window.
#include "DesignFile.h"
#include "Globals.h"
#include "PhotoPictureAdjuster.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <gtest/gtest.h>

namespace {
const SKTGraphic *withId(const std::vector<GraphicPtr> &controls, const QString &id)
{
    for (const GraphicPtr &g : controls)
        if (g->control_ID == id) return g.get();
    return nullptr;
}
} // namespace

TEST(BuiltInTemplates, TheHorizontalPassTurnsIntoItsVerticalTwinInTheMainWindow)
{
    const QString folder = Resource_Path + QStringLiteral("Templates/Visitor/");
    DesignData vertical;
    ASSERT_TRUE(Read_Design_File(folder + QStringLiteral("Visitor Pass (v).zcd"), vertical, nullptr));

    const PhotoPictureAdjuster adjuster;
    SKTDocument document;
    testsupport::ScriptedRunner runner;
    SKTWindowController controller(document, adjuster, nullptr, &runner);
    controller.awakeFromNib(false);
    testsupport::answerStartWindow(runner, [&]() -> std::optional<QString> {
        return folder + QStringLiteral("Visitor Pass (h).zcd");
    });
    testsupport::boxes().clear();
    ASSERT_TRUE(controller.Open_Start_Window());
    runner.remove<Start_Card>();
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_NE(controller._graphicView->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Name")), nullptr);

    controller.Card_Control_Size_Change_or_not(vertical.front_card.Card_Size(), QStringLiteral("Vertical"),
                                               QStringLiteral("PVC Card"), 0);
    EXPECT_EQ(document.Selected_Template_Path, folder + QStringLiteral("Visitor Pass (v).zcd"));
    EXPECT_EQ(document.graphics().count(), int(vertical.front_controls.size()));
    const auto photo = controller._graphicView->Selcect_Ctrl_With_ID(QStringLiteral("Fup_Photo"));
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->bounds(), withId(vertical.front_controls, QStringLiteral("Fup_Photo"))->bounds());
}
