#include "Globals.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace edit_commands_test {

namespace {
struct Window : TestWindow {
    Window()
    {
        QGuiApplication::clipboard()->clear();
        testsupport::boxes().clear();
    }
    SKTGraphic *add(SKTGraphicList &side, GraphicKind kind, const QRectF &r)
    {
        return TestWindow::add(side, kind, r).get();
    }
    void run(const char *name) { command(name)->trigger(); }
    QAction *alignItem(const QString &title)
    {
        for (QAction *a : command("Align")->menu()->actions())
            if (a->text() == title) return a;
        return nullptr;
    }
};
} // namespace

TEST(EditCommands, CopyAndPasteFromTheToolbarWorkOnTheSideShownWithSnapshots)
{
    Window w;
    SKTGraphic *shape = w.add(w.front(), GraphicKind::Shape, {10, 10, 40, 20});
    w.controller._graphicView->selectGraphics({shape});
    w.command("Paste")->setEnabled(false);
    w.run("Copy");
    EXPECT_TRUE(w.command("Paste")->isEnabled()) << "the Paste button follows the copy";

    const int undoBefore = w.controller.Get_Undo_Count();
    w.run("Paste");
    ASSERT_EQ(w.front().count(), 2);
    EXPECT_EQ(w.controller.Get_Undo_Count(), undoBefore + 2);
    EXPECT_EQ(w.controller.undoHistory().Ucontrol.back().size(), 2u) << "the last snapshot holds the pasted control";

    // The back side pastes into its own array.
    w.controller.Select_back_side();
    w.run("Paste");
    EXPECT_EQ(w.back().count(), 1);
    EXPECT_EQ(w.front().count(), 2);
    w.controller.Select_front_side();

    // Cut from the toolbar: a locked control refuses; an unlocked one goes.
    SKTGraphic *pasted = w.front().at(0).get();
    pasted->ctrl_is_locked = true;
    w.controller._graphicView->selectGraphics({pasted});
    w.run("Cut");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nSelected control is locked."});
    EXPECT_EQ(w.front().count(), 2);
    w.controller._graphicView->selectGraphics({shape});
    w.run("Cut");
    EXPECT_EQ(w.front().count(), 1);
}

TEST(EditCommands, PastedPicturesInVisitorModeTakeNewImageIDs)
{
    Window w;
    ASSERT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    auto image = SKTImage::initWithPath({40, 40}, Resource_Path + "no.png");
    image->control_ID = QStringLiteral("Fup_Photo");
    w.front().insert(image, 0);
    w.controller._graphicView->selectGraphics({image.get()});
    w.run("Copy");
    w.run("Paste");
    w.run("Paste");
    ASSERT_EQ(w.front().count(), 3);
    const QString first = w.front().at(1)->control_ID;
    const QString second = w.front().at(0)->control_ID;
    EXPECT_TRUE(first.startsWith("F_Pic")) << first.toStdString();
    EXPECT_TRUE(second.startsWith("F_Pic")) << second.toStdString();
    EXPECT_NE(first, second);
}

TEST(EditCommands, OrderAndAlignmentFromTheToolbarRecordSnapshots)
{
    Window w;
    SKTGraphic *bottom = w.add(w.front(), GraphicKind::Shape, {60, 40, 20, 20});
    SKTGraphic *top = w.add(w.front(), GraphicKind::Shape, {10, 10, 30, 30});
    w.controller._graphicView->selectGraphics({bottom});
    int undo = w.controller.Get_Undo_Count();
    w.run("Front");
    EXPECT_EQ(w.front().at(0).get(), bottom);
    EXPECT_EQ(w.controller.Get_Undo_Count(), ++undo);
    w.run("Back");
    EXPECT_EQ(w.front().at(1).get(), bottom);
    EXPECT_EQ(w.controller.Get_Undo_Count(), ++undo);

    QMenu *menu = w.command("Align")->menu();
    ASSERT_TRUE(menu);
    emit menu->aboutToShow();
    QAction *left = w.alignItem(QStringLiteral("Align Left Edges"));
    ASSERT_TRUE(left);
    EXPECT_FALSE(left->isEnabled()) << "one control selected";
    w.controller._graphicView->selectGraphics({top, bottom});
    emit menu->aboutToShow();
    EXPECT_TRUE(left->isEnabled());
    left->trigger();
    EXPECT_EQ(bottom->xPosition(), 10);
    EXPECT_EQ(top->xPosition(), 10);
    EXPECT_EQ(w.controller.Get_Undo_Count(), ++undo);
    w.alignItem(QStringLiteral("Same Width"))->trigger();
    EXPECT_EQ(bottom->width(), 30);
}

TEST(EditCommands, ContextMenuReachesTheWindowsCommands)
{
    Window w;
    SKTGraphic *shape = w.add(w.front(), GraphicKind::Shape, {10, 10, 40, 20});
    w.controller._graphicView->selectGraphics({shape});
    std::unique_ptr<QMenu> menu(w.controller._graphicView->makeContextMenu());
    auto item = [&](const char *title) -> QAction * {
        for (QAction *a : menu->actions())
            if (a->text() == QLatin1String(title)) return a;
        return nullptr;
    };
    emit menu->aboutToShow();
    // Printing is greyed on the toolbar, and so it is here.
    EXPECT_EQ(item("Print ID Card")->isEnabled(), w.command("Print")->isEnabled());
    item("Lock")->trigger();
    EXPECT_TRUE(shape->ctrl_is_locked);
    emit menu->aboutToShow();
    EXPECT_FALSE(item("Cut")->isEnabled());
    EXPECT_TRUE(item("Unlock")->isEnabled());
    item("Card Properties")->trigger();
    EXPECT_TRUE(w.controller._graphicView->selectedGraphics().empty());
}

} // namespace edit_commands_test
