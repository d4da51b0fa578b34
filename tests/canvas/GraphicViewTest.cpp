#include "AsLoadedAdjuster.h"
#include "CardViewHost.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTGrid.h"
#include "TestSupport.h"

#include <QImage>
#include <functional>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct RecordingHost : CardViewHost {
    int undoSnapshots = 0;
    int propertiesShown = 0;
    int barcodeWindows = 0;
    void Card_Base_Drawing(QPainter &p, const QRectF &) override { p.fillRect(QRectF(0, 0, 243, 154), Qt::white); }
    void Card_Border_Drawing(QPainter &, const QRectF &) override {}
    void Insert_In_Undo_Redo() override { ++undoSnapshots; }
    void Show_RHS_Properties(SKTGraphic *) override { ++propertiesShown; }
    void Open_Barcode_Window() override { ++barcodeWindows; }
};

class GraphicViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.setHost(&host);
        view.setCardSize({243, 154});
        view.bindGraphics(&list);
        view.show();
    }
    SKTGraphic *add(GraphicKind kind, const QRectF &r)
    {
        GraphicPtr g = SKTGraphic::create(kind);
        g->setBounds(r);
        list.insert(g, 0);
        return g.get();
    }
    // Mouse positions are in widget pixels; at zoom 1 a pixel is a point. Sub-pixel
    // positions go through a synthesised event.
    void press(QPointF p, Qt::KeyboardModifiers m = {})
    {
        QMouseEvent e(QEvent::MouseButtonPress, p, view.mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, m);
        QCoreApplication::sendEvent(&view, &e);
    }
    void drag(QPointF p)
    {
        QMouseEvent e(QEvent::MouseMove, p, view.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&view, &e);
    }
    void release(QPointF p)
    {
        QMouseEvent e(QEvent::MouseButtonRelease, p, view.mapToGlobal(p), Qt::LeftButton, Qt::NoButton, {});
        QCoreApplication::sendEvent(&view, &e);
    }
    void click(QPointF p, Qt::KeyboardModifiers m = {})
    {
        press(p, m);
        release(p);
    }

    RecordingHost host;
    SKTGraphicList list;
    SKTGraphicView view{asLoaded()};
};
} // namespace

TEST_F(GraphicViewTest, ClickSelectsTopmostVisibleControl)
{
    SKTGraphic *bottom = add(GraphicKind::Shape, {20, 20, 60, 60});
    SKTGraphic *top = add(GraphicKind::Shape, {40, 40, 60, 60});
    click({50, 50});
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{top});
    top->Set_Ctrl_Is_Visible(false);
    click({50, 50});
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{bottom}) << "hidden controls are skipped";
    // Ctrl toggles in and out of the selection.
    top->Set_Ctrl_Is_Visible(true);
    click({95, 95}, Qt::ControlModifier);
    EXPECT_EQ(view.selectedGraphics().size(), 2u);
    click({95, 95}, Qt::ControlModifier);
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{bottom});
    // Insertions at index 0 keep the selection on the same control.
    add(GraphicKind::Shape, {200, 100, 10, 10});
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{bottom});
}

TEST_F(GraphicViewTest, MoveThresholdAndUndo)
{
    SKTGraphic *g = add(GraphicKind::Shape, {30, 30, 50, 50});
    press({50, 50});
    drag({51.9, 51.9});
    release({51.9, 51.9});
    EXPECT_EQ(g->bounds(), QRectF(30, 30, 50, 50));
    EXPECT_EQ(host.undoSnapshots, 0);

    press({50, 50});
    drag({52.0, 50});
    release({52.0, 50});
    EXPECT_EQ(g->bounds(), QRectF(32, 30, 50, 50));
    EXPECT_EQ(host.undoSnapshots, 1);
    EXPECT_FALSE(view.isHidingHandles());
}

TEST_F(GraphicViewTest, MovingSnapsTheSelectionOriginToTheGrid)
{
    SKTGrid grid;
    grid.setSpacing(9);
    grid.setConstraining(true);
    view.setGrid(&grid);
    SKTGraphic *g = add(GraphicKind::Shape, {30, 30, 50, 50});
    press({40, 40});
    drag({52, 47});
    release({52, 47});
    EXPECT_EQ(g->bounds().topLeft(), QPointF(45, 36));
}

TEST_F(GraphicViewTest, ResizeByHandleLockedAndBarcode)
{
    SKTGraphic *g = add(GraphicKind::Shape, {30, 30, 50, 50});
    click({50, 50});
    press({80, 80});  // lower-right handle
    drag({100, 90});
    release({100, 90});
    EXPECT_EQ(g->bounds(), QRectF(30, 30, 70, 60));

    g->ctrl_is_locked = true;
    press({100, 90});
    drag({120, 120});
    release({120, 120});
    EXPECT_EQ(g->bounds(), QRectF(30, 30, 70, 60)) << "a locked control is not resized";
    // Nor moved, though the press selects it and the move is still recorded.
    press({50, 50});
    drag({60, 60});
    release({60, 60});
    EXPECT_EQ(g->bounds(), QRectF(30, 30, 70, 60));

    SKTGraphic *barcode = add(GraphicKind::Barcode, {150, 20, 60, 30});
    click({160, 30});
    press({210, 50});
    drag({230, 70});
    release({230, 70});
    EXPECT_EQ(barcode->bounds(), QRectF(150, 20, 60, 30));
}

TEST_F(GraphicViewTest, MarqueeTogglesAndKeepsWhatItTouched)
{
    SKTGraphic *a = add(GraphicKind::Shape, {20, 20, 20, 20});
    SKTGraphic *b = add(GraphicKind::Shape, {100, 20, 20, 20});
    press({5, 5});
    drag({50, 50});
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{a});
    drag({8, 8});
    release({8, 8});
    EXPECT_EQ(view.selectedGraphics(), std::vector<SKTGraphic *>{a}) << "pulled back, it stays selected";
    EXPECT_TRUE(view.marqueeSelectionBounds().isNull());
    // With Ctrl the band toggles what it touches.
    press({90, 5}, Qt::ControlModifier);
    drag({200, 60});
    release({200, 60});
    EXPECT_EQ(view.selectedGraphics().size(), 2u);
    EXPECT_TRUE(view.isSelected(b));
    EXPECT_EQ(host.undoSnapshots, 0);
}

TEST_F(GraphicViewTest, KeysMoveAndDelete)
{
    SKTGraphic *g = add(GraphicKind::Shape, {30, 30, 50, 50});
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(host.undoSnapshots, 1) << "a snapshot even with nothing selected";
    EXPECT_EQ(g->bounds().x(), 30);
    click({50, 50});
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(g->bounds().topLeft(), QPointF(31, 31));
    EXPECT_TRUE(view.isHidingHandles());

    g->ctrl_is_locked = true;
    testsupport::boxes().clear();
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nSelected control is locked."});
    EXPECT_EQ(list.count(), 1);
    g->ctrl_is_locked = false;
    const int before = host.undoSnapshots;
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(host.undoSnapshots, before + 2) << "one snapshot before and one after";
    EXPECT_TRUE(view.selectedGraphics().empty());
}

TEST_F(GraphicViewTest, ADragCutShortByARestoredSideLeavesNoHiddenHandlesOrBand)
{
    // An undo (the side rebuilt) while the mouse is still down ends the drag.
    add(GraphicKind::Shape, {30, 30, 50, 50});
    press({40, 40});
    drag({60, 60});
    ASSERT_TRUE(view.isHidingHandles());
    list.replaceAll({});
    release({70, 70});
    EXPECT_FALSE(view.isHidingHandles()) << "the next selection shows its handles";

    press({200, 10});
    drag({220, 30});
    ASSERT_FALSE(view.marqueeSelectionBounds().isNull());
    view.takeInvalidatedRects();
    list.replaceAll({});
    release({220, 30});
    EXPECT_TRUE(view.marqueeSelectionBounds().isNull()) << "the rubber band is not left on the card";
    EXPECT_FALSE(view.takeInvalidatedRects().empty());
}

TEST_F(GraphicViewTest, DoubleClickOpensBarcodeWindowUnlessLocked)
{
    SKTGraphic *barcode = add(GraphicKind::Barcode, {20, 20, 60, 30});
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(host.barcodeWindows, 1);
    barcode->ctrl_is_locked = true;
    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(host.barcodeWindows, 1);
}

TEST_F(GraphicViewTest, ChangesRedrawOnlyWhatTheyTouch)
{
    SKTGraphic *g = add(GraphicKind::Shape, {30, 30, 50, 50});
    add(GraphicKind::Shape, {150, 100, 20, 20});
    view.takeInvalidatedRects();
    const QRectF before = g->drawingBounds();
    g->setXPosition(40);
    const auto rects = view.takeInvalidatedRects();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0], before);
    EXPECT_EQ(rects[1], g->drawingBounds());
}

TEST_F(GraphicViewTest, LowerIndexIsDrawnOnTopAndHandlesMarkCurrent)
{
    GraphicPtr red = SKTGraphic::create(GraphicKind::Shape);
    red->setBounds({20, 20, 60, 60});
    red->setFillColor(Qt::red);
    GraphicPtr blue = SKTGraphic::create(GraphicKind::Shape);
    blue->setBounds({40, 40, 60, 60});
    blue->setFillColor(Qt::blue);
    list.insert(red, 0);
    list.insert(blue, 1);  // below red
    view.changeSelectionIndexes({0, 1});
    QImage img(243, 154, QImage::Format_ARGB32);
    QPainter p(&img);
    view.drawCard(p, QRectF(0, 0, 243, 154));
    p.end();
    EXPECT_EQ(view.Selected_Graphic(), red.get()) << "the topmost selected control drawn with handles";
    EXPECT_EQ(img.pixelColor(60, 60), QColor(Qt::red)) << "the lower index lies on top";
}

TEST_F(GraphicViewTest, AMovedBarcodeTakesItsPictureFrameAlong)
{
    // The frame a barcode's next picture is centred in is where the user put it, by
    // each road of the view that moves it; a locked barcode and its frame stay.
    struct Road {
        const char *what;
        bool locked;
        std::function<void()> move;
        QRectF where;
    };
    const std::vector<Road> roads = {
        {"drag", false, [&] { press({50, 40}); drag({60, 40}); drag({70, 55}); release({70, 55}); }, {50, 45, 60, 20}},
        {"arrow keys", false, [&] { click({50, 40}); QTest::keyClick(&view, Qt::Key_Left); QTest::keyClick(&view, Qt::Key_Up); },
         {29, 29, 60, 20}},
        {"locked, dragged", true, [&] { press({50, 40}); drag({70, 55}); release({70, 55}); }, {30, 30, 60, 20}},
    };
    for (const Road &r : roads) {
        list.clear();
        SKTGraphic *g = add(GraphicKind::Barcode, {30, 30, 60, 20});
        g->Set_Barcode_image_control_bounds(g->bounds());
        g->ctrl_is_locked = r.locked;
        r.move();
        EXPECT_EQ(g->bounds(), r.where) << r.what;
        EXPECT_EQ(g->bar_image_ctrl_bounds, r.where) << r.what;
    }
}
