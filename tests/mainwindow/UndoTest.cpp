#include "CardPropertyPanel.h"
#include "Globals.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QDoubleSpinBox>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {
// A window with a rectangle on the front and a text on the back, loaded as a template
// is: the stacks start from one snapshot of the shown side.
struct Loaded : TestWindow {
    Loaded()
    {
        add(front(), GraphicKind::Shape, {10, 10, 40, 20});
        add(back(), GraphicKind::Text, {5, 5, 60, 20});
        controller.Undo_Redo_Clear();
        controller.Insert_In_Undo_Redo();
    }
    // A change as the commands make it: the control changes, then the side is recorded.
    void moveTopTo(SKTGraphicList &side, QPointF p)
    {
        top(side)->setBounds(QRectF(p, top(side)->bounds().size()));
        controller.Insert_In_Undo_Redo();
    }
    QPointF topOrigin(SKTGraphicList &side) { return top(side)->bounds().topLeft(); }
    void undo() { command("Undo")->trigger(); }
    void redo() { command("Redo")->trigger(); }
};
} // namespace

TEST(UndoRedo, StepsBackToTheLoadedStateAndForwardAgain)
{
    Loaded w;
    EXPECT_FALSE(w.command("Undo")->isEnabled()) << "nothing before the loaded state";
    w.moveTopTo(w.front(), {50, 10});
    w.moveTopTo(w.front(), {90, 10});
    EXPECT_TRUE(w.command("Undo")->isEnabled());

    w.undo();
    EXPECT_EQ(w.topOrigin(w.front()), QPointF(50, 10));
    w.undo();
    EXPECT_EQ(w.topOrigin(w.front()), QPointF(10, 10));
    EXPECT_EQ(w.controller.Get_Undo_Count(), 1) << "the loaded state stays as the first snapshot";
    EXPECT_FALSE(w.command("Undo")->isEnabled());
    EXPECT_TRUE(w.command("Redo")->isEnabled());

    // One undo too many never empties or changes the side.
    w.undo();
    ASSERT_EQ(w.front().count(), 1);
    EXPECT_EQ(w.topOrigin(w.front()), QPointF(10, 10));
    EXPECT_EQ(w.controller.Get_Undo_Count(), 1);
    EXPECT_EQ(w.controller.Get_Redo_Count(), 2);

    w.redo();
    w.redo();
    EXPECT_EQ(w.topOrigin(w.front()), QPointF(90, 10));
    EXPECT_FALSE(w.command("Redo")->isEnabled());
    w.redo();
    EXPECT_EQ(w.controller.Get_Undo_Count(), 3) << "a redo with nothing undone changes nothing";
}

TEST(UndoRedo, RestoresOrderLockAndSharedPictures)
{
    Loaded w;
    auto image = SKTImage::initWithPosition({60, 60}, Picture(QImage(8, 8, QImage::Format_ARGB32)));
    image->ctrl_is_locked = true;
    w.front().insert(image, 0);
    w.controller.Insert_In_Undo_Redo();
    w.front().move(0, 1);
    w.top(w.front())->ctrl_is_locked = true;
    w.controller.Insert_In_Undo_Redo();

    w.undo();
    ASSERT_EQ(w.front().count(), 2);
    EXPECT_EQ(w.front().at(0)->kind(), GraphicKind::Image) << "the snapshot's stacking order";
    EXPECT_TRUE(w.front().at(0)->ctrl_is_locked);
    EXPECT_FALSE(w.front().at(1)->ctrl_is_locked);
    EXPECT_NE(w.front().at(0).get(), image.get()) << "a restored side has controls of its own";
    EXPECT_EQ(w.front().at(0)->_contents.image().cacheKey(), image->_contents.image().cacheKey())
        << "pictures are shared with the snapshot, not copied";
    EXPECT_TRUE(w.controller._graphicView->selectedGraphics().empty());
}

TEST(UndoRedo, ANewChangeAfterAnUndoEndsTheRedo)
{
    Loaded w;
    w.moveTopTo(w.front(), {50, 10});
    w.undo();
    ASSERT_TRUE(w.command("Redo")->isEnabled());
    w.moveTopTo(w.front(), {10, 70});
    EXPECT_EQ(w.controller.Get_Redo_Count(), 0);
    EXPECT_FALSE(w.command("Redo")->isEnabled());
    w.redo();
    EXPECT_EQ(w.topOrigin(w.front()), QPointF(10, 70)) << "the new change is not overwritten";
    w.undo();
    EXPECT_EQ(w.topOrigin(w.front()), QPointF(10, 10));
}

TEST(UndoRedo, EachSideHasItsOwnHistory)
{
    Loaded w;
    w.moveTopTo(w.front(), {50, 10});
    w.controller.Select_back_side();
    EXPECT_FALSE(w.command("Undo")->isEnabled()) << "the buttons follow the back's stacks";

    // The back's very first change can be undone: its history starts from its state
    // when the front was first recorded.
    w.moveTopTo(w.back(), {5, 90});
    w.undo();
    EXPECT_EQ(w.topOrigin(w.back()), QPointF(5, 5));
    EXPECT_EQ(w.topOrigin(w.front()), QPointF(50, 10));

    w.controller.Select_front_side();
    EXPECT_TRUE(w.command("Undo")->isEnabled());
    EXPECT_FALSE(w.command("Redo")->isEnabled());
    EXPECT_EQ(w.controller.Get_Undo_Count(), 2);

    // Clearing empties the stacks of both sides.
    w.controller.Undo_Redo_Clear();
    w.controller.Select_back_side();
    EXPECT_EQ(w.controller.Get_Undo_Count(), 0);
    EXPECT_EQ(w.controller.Get_Redo_Count(), 0);
}

TEST(UndoRedo, ACardSizeChangeIsRecordedOnBothSides)
{
    Loaded w;
    // A typed size moves no control; its undo gives the card its size back all the same.
    w.controller.Change_Card_Size({300, 200}, false);
    w.undo();
    EXPECT_EQ(w.document.Back_card_Prop.Card_Size(), QSizeF(243, 154));
    w.controller.Change_Card_Size({486, 308});
    EXPECT_EQ(w.topOrigin(w.back()), QPointF(10, 10)) << "the back's controls follow the card";
    EXPECT_EQ(w.controller.Get_Undo_Count(), 2);

    // The back's next change is undone back to its moved controls, not to the state
    // before the size change.
    w.controller.Select_back_side();
    w.moveTopTo(w.back(), {30, 30});
    w.undo();
    EXPECT_EQ(w.topOrigin(w.back()), QPointF(10, 10));
    EXPECT_EQ(w.top(w.back())->bounds().size(), QSizeF(120, 40));
    // The back's state from before the size change brings the card's size back, and
    // the front its controls laid out for it, in the same step.
    w.undo();
    EXPECT_EQ(w.topOrigin(w.back()), QPointF(5, 5));
    EXPECT_EQ(w.controller._graphicView->cardSize(), QSizeF(243, 154));
    EXPECT_EQ(w.top(w.front())->bounds(), QRectF(10, 10, 40, 20));
    EXPECT_EQ(w.document.Card_Front_Or_Back, 1);
    w.redo();
    EXPECT_EQ(w.document.Front_card_Prop.Card_Size(), QSizeF(486, 308));
    EXPECT_EQ(w.top(w.front())->bounds(), QRectF(20, 20, 80, 40));
    w.undo();

    // A change of the back drops its redo: redoing the size change from the front
    // rescales the back's controls as they are now.
    w.moveTopTo(w.back(), {30, 30});
    w.controller.Select_front_side();
    w.redo();
    EXPECT_EQ(w.document.Back_card_Prop.Card_Size(), QSizeF(486, 308));
    EXPECT_EQ(w.top(w.back())->bounds(), QRectF(60, 60, 120, 40));
    EXPECT_EQ(w.top(w.front())->bounds(), QRectF(20, 20, 80, 40));
    w.controller.Select_back_side();
    w.undo();
    EXPECT_EQ(w.topOrigin(w.back()), QPointF(30, 30));
    EXPECT_EQ(w.controller._graphicView->cardSize(), QSizeF(243, 154));
    EXPECT_EQ(w.top(w.front())->bounds(), QRectF(10, 10, 40, 20));
}

TEST(UndoRedo, ACardSizeChosenInThePanelIsUndoneWithItsControls)
{
    Loaded w;
    CardPropertyPanel &panel = *w.controller.cardPanel;
    panel.ColList->setCurrentRow(1);  // CR79: 3.31 x 2.06 in
    const QSizeF cr79 = w.controller._graphicView->cardSize();
    EXPECT_NEAR(cr79.width(), 238.32, 1e-3);
    EXPECT_NEAR(cr79.height(), 148.32, 1e-3);
    const QRectF frontMoved = w.top(w.front())->bounds(), backMoved = w.top(w.back())->bounds();
    w.controller.Select_back_side();
    w.moveTopTo(w.back(), {40, 5});  // a change of the back after the size change
    w.controller.Select_front_side();

    w.undo();
    EXPECT_EQ(w.controller._graphicView->cardSize(), QSizeF(243, 154));
    EXPECT_EQ(panel.ColList->currentRow(), 0);
    EXPECT_NEAR(panel.width_Text->value(), 85.725, 1e-9);
    EXPECT_EQ(w.top(w.front())->bounds(), QRectF(10, 10, 40, 20));
    EXPECT_EQ(w.top(w.back())->bounds(), QRectF(5, 5, 60, 20)) << "with the back's own change after it";

    // Its redo gives back the design as it was before the undo, the back's change too.
    w.redo();
    EXPECT_EQ(w.controller._graphicView_BACK->cardSize(), cr79);
    EXPECT_EQ(panel.ColList->currentRow(), 1);
    EXPECT_EQ(w.top(w.front())->bounds(), frontMoved);
    EXPECT_EQ(w.top(w.back())->bounds(), QRectF(QPointF(40, 5), backMoved.size()));
    w.controller.Select_back_side();
    EXPECT_FALSE(w.command("Redo")->isEnabled());
    w.undo();
    EXPECT_EQ(w.top(w.back())->bounds(), backMoved);
}

TEST(UndoRedo, NothingIsRecordedWhileLiveValuesChange)
{
    Loaded w;
    w.controller.live_mode_list_value_change = true;
    w.moveTopTo(w.front(), {50, 10});
    w.controller.live_mode_list_value_change = false;
    EXPECT_EQ(w.controller.Get_Undo_Count(), 1);
    EXPECT_FALSE(w.command("Undo")->isEnabled());
}
