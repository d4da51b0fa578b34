#include "BarcodeEngine.h"
#include "Globals.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "LibraryAnswers.h"
#include "TestWindow.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

namespace tools_test {

namespace {
struct Window : TestWindow {
    Window()
    {
        testsupport::clearFilePanels();
        Library_Selected_Image.clear();
    }
    void tool(int t) { controller.ui.toolActions[size_t(t)]->trigger(); }
};

const QString kPicture = QStringLiteral("LibraryImage/Symbols/Globe.png");
} // namespace

TEST(DrawingTools, RectangleToolPlacesADefaultShapeAtTheNextFreePoint)
{
    Window w;
    const int undoBefore = w.controller.Get_Undo_Count();
    w.tool(3);
    ASSERT_EQ(w.front().count(), 1);
    SKTGraphic *rect = w.top(w.front());
    EXPECT_EQ(rect->kind(), GraphicKind::Shape);
    EXPECT_EQ(rect->Get_shape_type(), "R");
    // First point: (10, 10) plus a step of at least 20.
    EXPECT_EQ(rect->bounds(), QRectF(30, 30, 50, 50));
    EXPECT_TRUE(rect->isDrawingFill());
    EXPECT_EQ(rect->_fillColor, QColor(Qt::white));
    EXPECT_TRUE(rect->isDrawingStroke());
    EXPECT_EQ(rect->_strokeColor, QColor(Qt::black));
    EXPECT_EQ(rect->strokeWidth(), 1.0);
    EXPECT_EQ(w.controller.Selected_Control_Tool(), 0) << "back to the arrow";
    EXPECT_EQ(w.controller._graphicView->selectedGraphics(), std::vector<SKTGraphic *>{rect});
    EXPECT_EQ(w.controller.Get_Selected_Graphic(), rect);
    // A snapshot before and one after; the last one holds the new control.
    EXPECT_EQ(w.controller.Get_Undo_Count(), undoBefore + 2);
    EXPECT_EQ(w.controller.undoHistory().Ucontrol.back().size(), 1u);

    w.tool(4);
    SKTGraphic *circle = w.top(w.front());
    EXPECT_EQ(circle->Get_shape_type(), "C");
    EXPECT_EQ(circle->bounds().topLeft(), QPointF(50, 50));
    EXPECT_EQ(w.controller._graphicView->selectedGraphics(), std::vector<SKTGraphic *>{circle});
}

TEST(DrawingTools, EveryToolPutsItsKindOnTheShownSide)
{
    struct Row {
        int tool;
        GraphicKind kind;
        const char *letter;  // shape type, or signature/fingerprint letter
    };
    const Row rows[] = {{1, GraphicKind::Line, ""},       {2, GraphicKind::Text, ""},
                        {3, GraphicKind::Shape, "R"},     {4, GraphicKind::Shape, "C"},
                        {5, GraphicKind::Shape, "RR"},    {6, GraphicKind::Shape, "T"},
                        {7, GraphicKind::Shape, "D"},     {8, GraphicKind::Image, ""},
                        {9, GraphicKind::Image, ""},      {10, GraphicKind::Barcode, ""},
                        {11, GraphicKind::Signature, "S"}, {12, GraphicKind::Signature, "F"},
                        {13, GraphicKind::Shape, "S"},    {14, GraphicKind::Shape, "DS"},
                        {15, GraphicKind::Shape, "P"}};
    for (int side : {0, 1}) {
        Window w;
        side == 1 ? w.controller.Select_back_side() : w.controller.Select_front_side();
        SKTGraphicList &shown = side == 1 ? w.back() : w.front();
        SKTGraphicList &other = side == 1 ? w.front() : w.back();
        for (const Row &r : rows) {
            SCOPED_TRACE(testing::Message() << "side " << side << " tool " << r.tool);
            if (r.tool == 8) testsupport::queueFilePanelAnswer({Resource_Path + kPicture});
            if (r.tool == 9) testsupport::queueLibraryAnswer(Resource_Path + kPicture);
            const int before = shown.count();
            w.tool(r.tool);
            ASSERT_EQ(shown.count(), before + 1);
            SKTGraphic *g = w.top(shown);
            EXPECT_EQ(g->kind(), r.kind);
            if (r.kind == GraphicKind::Shape) {
                EXPECT_EQ(g->Get_shape_type(), r.letter);
            } else if (r.kind == GraphicKind::Signature) {
                EXPECT_EQ(g->Sign_Or_FP_Val(), r.letter);
            }
            EXPECT_EQ(w.controller.Selected_Control_Tool(), 0);
            EXPECT_EQ(w.controller.graphicView(side)->Selected_Graphic(), g);
        }
        EXPECT_EQ(other.count(), 0);
        w.controller.Arrow_Tool_Clicked();
        EXPECT_EQ(shown.count(), 15) << "the arrow creates nothing";
    }
}

TEST(DrawingTools, SizesOfTheToolsThatDifferFromTheDefault)
{
    Window w;
    w.tool(2);
    EXPECT_EQ(w.top(w.front())->bounds().size(), QSizeF(70, 20)) << "text";
    w.tool(11);
    EXPECT_EQ(w.top(w.front())->bounds().size(), QSizeF(100, 50)) << "signature";
    EXPECT_EQ(Library_Selected_Image, Resource_Path + "sign_sample.png");
    w.tool(12);
    EXPECT_EQ(w.top(w.front())->bounds().size(), QSizeF(50, 50)) << "fingerprint";

    // A barcode takes the size of its rendered picture ("0123" in Code 39 with its
    // header and footer), not its first 120 x 60.
    w.controller.Select_back_side();
    w.tool(10);
    SKTGraphic *barcode = w.top(w.back());
    const Picture rendered = Barcode_Picture(Barcode_Settings());
    ASSERT_FALSE(barcode->_barcode_image.isNull());
    ASSERT_TRUE(barcode->_barcode_image.vector());
    EXPECT_EQ(barcode->bounds().size(), rendered.size());
    EXPECT_NE(barcode->bounds().size(), QSizeF(120, 60));
    EXPECT_EQ(barcode->_barcode_image.image(), rendered.image());
    EXPECT_EQ(barcode->bar_image_ctrl_bounds, barcode->bounds());
}

TEST(DrawingTools, VisitorPicturesGetUnusedGeneratedIDs)
{
    Window w;
    ASSERT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    for (int i = 0; i < 2; ++i) testsupport::queueFilePanelAnswer({Resource_Path + kPicture});
    w.tool(8);
    w.tool(8);
    ASSERT_EQ(w.front().count(), 2);
    EXPECT_EQ(w.front().at(1)->control_ID, "F_Pic1");
    EXPECT_EQ(w.front().at(0)->control_ID, "F_Pic2");
    auto *image = static_cast<SKTImage *>(w.front().at(0).get());
    EXPECT_EQ(image->FilePath(), Resource_Path + kPicture);
    EXPECT_EQ(image->Text_Value, Resource_Path + kPicture);
    EXPECT_EQ(image->bounds().size(), QSizeF(50, 50));

    // A number whose ID is in use on the side is skipped; other kinds do not count.
    GraphicPtr used = SKTGraphic::create(GraphicKind::Image);
    used->control_ID = "F_Pic3";
    w.front().insert(used);
    GraphicPtr shape = SKTGraphic::create(GraphicKind::Shape);
    shape->control_ID = "F_Pic4";
    w.front().insert(shape);
    EXPECT_EQ(w.controller.Generate_Extra_image_control_ID(), "F_Pic4");
}

TEST(DrawingTools, CancelledPictureChoiceCreatesNothingAndTheNextClickSelects)
{
    Window w;
    testsupport::takeLibraryOpenings();
    for (int tool : {8, 9}) {
        SCOPED_TRACE(tool);
        // The choice of the tool alone, then through its button; the panel is
        // cancelled (no answer queued).
        w.controller.Set_Selected_Control_Tool(tool);
        emit w.controller.SKTSelectedToolDidChange();
        EXPECT_EQ(w.controller.Selected_Control_Tool(), 0) << "the arrow is back in hand";
        w.tool(tool);
        EXPECT_EQ(w.front().count(), 0);
        EXPECT_EQ(w.controller.Selected_Control_Tool(), 0);
        // A press on the card now is an arrow press: no placeholder picture appears.
        QTest::mouseClick(w.controller._graphicView, Qt::LeftButton, {}, QPoint(100, 80));
        EXPECT_EQ(w.front().count(), 0);
    }
    EXPECT_EQ(testsupport::filePanelRequests().size(), 2);
    EXPECT_EQ(testsupport::takeLibraryOpenings(), 2);
    EXPECT_EQ(Library_Selected_Image, "");

    // A chosen library picture becomes the control's picture.
    testsupport::queueLibraryAnswer(Resource_Path + kPicture);
    w.tool(9);
    ASSERT_EQ(w.front().count(), 1);
    EXPECT_EQ(w.top(w.front())->FilePath(), Resource_Path + kPicture);
    EXPECT_EQ(w.controller.lib_window_sel_file, Resource_Path + kPicture);
}

TEST(DrawingTools, DraggingOutAControlSizesItAndRecordsItOnce)
{
    Window w;
    SKTGraphicView *view = w.controller._graphicView;
    w.controller.Set_Selected_Control_Tool(3);
    const int undoBefore = w.controller.Get_Undo_Count();
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(w.front().count(), 1);
    SKTGraphic *g = w.top(w.front());
    EXPECT_EQ(g->bounds(), QRectF(20, 20, 0, 0));
    EXPECT_EQ(view->creatingGraphic(), g);
    EXPECT_EQ(w.controller.Get_Undo_Count(), undoBefore + 1) << "the side before the new control";
    QTest::mouseMove(view, QPoint(50, 40));
    QTest::mouseMove(view, QPoint(80, 60));
    EXPECT_EQ(w.controller.Get_Undo_Count(), undoBefore + 1) << "nothing recorded while dragging";
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(80, 60));
    EXPECT_EQ(g->bounds(), QRectF(20, 20, 60, 40));
    EXPECT_EQ(g->Get_shape_type(), "R");
    EXPECT_EQ(view->creatingGraphic(), nullptr);
    EXPECT_EQ(view->selectedGraphics(), std::vector<SKTGraphic *>{g});
    EXPECT_EQ(view->Selected_Graphic(), g);
    EXPECT_EQ(w.controller.Selected_Control_Tool(), 0);
    ASSERT_EQ(w.controller.Get_Undo_Count(), undoBefore + 2) << "one snapshot at the release";
    EXPECT_EQ(SKTGraphic::decode(w.controller.undoHistory().Ucontrol.back().front())->bounds(), QRectF(20, 20, 60, 40));
}

TEST(DrawingTools, AClickWithoutADragTakesTheControlBackButNotABarcode)
{
    for (int side : {0, 1}) {
        SCOPED_TRACE(side);
        Window w;
        side == 1 ? w.controller.Select_back_side() : w.controller.Select_front_side();
        SKTGraphicView *view = w.controller.graphicView(side);
        SKTGraphicList &shown = side == 1 ? w.back() : w.front();
        w.controller.Set_Selected_Control_Tool(1);
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(40, 40));
        EXPECT_EQ(shown.count(), 0);
        EXPECT_TRUE(view->selectedGraphics().empty());
        EXPECT_EQ(view->Selected_Graphic(), nullptr);
        EXPECT_EQ(w.controller.Selected_Control_Tool(), 0);
        // A barcode cannot be dragged out: it takes its picture's size at the press.
        w.controller.Set_Selected_Control_Tool(10);
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(40, 30));
        ASSERT_EQ(shown.count(), 1);
        EXPECT_EQ(w.top(shown)->bounds(), QRectF(QPointF(40, 30), Barcode_Picture(Barcode_Settings()).size()));
    }
}

} // namespace tools_test
