#pragma once
// The main window as the tests build it: a document and its window controller, set
// up without the start gallery, with helpers to reach the sides and the commands.
#include "CardControls.h"
#include "Card_Wizard.h"
#include "ControlPanels.h"
#include "Cropping_Tool.h"
#include "Invitation_Wizard.h"
#include "LibraryAnswers.h"
#include "PhotoPictureAdjuster.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTWindowController.h"
#include "ScriptedRunner.h"
#include "SelectionCanvas.h"
#include "Start_Card.h"
#include "TestSupport.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace testsupport {
// A 60 x 80 picture of one colour, saved under the name in the test's home; its path.
inline QString solidPicture(const QString &name, Qt::GlobalColor colour)
{
    const QString path = testHome() + "/" + name;
    QImage image(60, 80, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(path));
    return path;
}
// The start window answered with f's choice in place of a person (a null f removes it).
inline void answerStartWindow(ScriptedRunner &runner, std::function<Start_Choice()> f)
{
    if (!f) return runner.remove<Start_Card>();
    runner.instead<Start_Card>([f = std::move(f)](Start_Card &gallery) {
        gallery.choose(f());
        return gallery.result();
    });
}
// Both wizards (from their first state) answered by f in place of a person: 1 for OK,
// 0 for Cancel (a null f removes it).
inline void answerWizards(ScriptedRunner &runner, const std::function<int(QDialog &wizard)> &f)
{
    runner.instead<Card_Wizard>(f);
    runner.instead<Invitation_Wizard>(f);
}
// The Image tab's Crop... of the selected picture: the Cropping Tool set by `answer`, then
// its Crop Image clicked.
inline void cropOnImageTab(ScriptedRunner &runner, SKTWindowController &controller,
                           const std::function<void(Cropping_Tool &)> &answer)
{
    runner.whileOpen<Cropping_Tool>([&](Cropping_Tool &t) {
        answer(t);
        QTest::mouseClick(t.Crop_direct_Btn, Qt::LeftButton);
    });
    controller.controlPanels->image.crop->click();
    runner.remove<Cropping_Tool>();
}
// A rectangle drawn from the picture's top left corner, its size in the picture's pixels.
inline std::function<void(Cropping_Tool &)> drawnRectangle(double width, double height)
{
    return [=](Cropping_Tool &t) {
        const QSizeF ratio = t.originalImageRatio();
        t.canvas->addSelectorWithFrame({0, 0, width * ratio.width(), height * ratio.height()});
    };
}
} // namespace testsupport

struct TestWindow {
    PhotoPictureAdjuster adjuster;
    SKTDocument document;
    // Answers the windows the tests open from the main window.
    testsupport::ScriptedRunner runner;
    SKTWindowController controller{document, adjuster, nullptr, &runner};
    TestWindow()
    {
        testsupport::answerLibrary(runner);
        controller.awakeFromNib(false);
    }
    SKTGraphicList &front() { return document.graphics(); }
    SKTGraphicList &back() { return document.graphics_back(); }
    SKTGraphic *top(SKTGraphicList &side) { return side.isEmpty() ? nullptr : side.at(0).get(); }
    GraphicPtr add(SKTGraphicList &side, GraphicKind kind, QRectF r) { return testsupport::addControl(side, kind, r); }
    QAction *command(const char *name) const { return controller.ui.command(QLatin1String(name)); }
};
