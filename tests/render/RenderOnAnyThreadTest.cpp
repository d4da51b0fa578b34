// A side rendered on a worker thread matches, pixel for pixel, the same side rendered
// on the GUI thread: the renderer draws from its arguments, not from the application's
// values of the moment.
#include "AsLoadedAdjuster.h"
#include "Card_Property.h"
#include "Globals.h"
#include "SKTRenderingView.h"
#include "SKTSignature.h"
#include "SKTText.h"
#include "Shape_Control.h"

#include <QImage>
#include <gtest/gtest.h>
#include <thread>

TEST(RenderOnAnyThread, WorkerAndGuiThreadDrawTheSamePixels)
{
    Card_Property card;
    card.setCard_fill_chk(true);
    card.setCard_fill_style("H");
    card.setCard_hatch_style("Brick");
    card.setCard_hatch_bk_clr(QColor(200, 220, 255));
    card.setCard_border_chk(true);
    card.setCard_bor_Stepper(3);
    card.setWatermark_Used(true);
    card.setWatermark_Text("VISITOR");
    card.setWatermark_Transp(0.5f);

    auto text = SKTText::create();
    text->Set_text_value("Jane Doe");
    text->_bounds = QRectF(20, 20, 150, 40);
    text->text_ctrl_font = Font_With_Name("Liberation Sans", 18);
    auto plainText = SKTText::create();
    plainText->text_ctrl_font.reset();  // drawn in the default text font
    plainText->Set_text_value("Visitor");
    plainText->_bounds = QRectF(20, 70, 120, 30);
    auto shape = Shape_Control::create();
    shape->_bounds = QRectF(150, 80, 60, 50);
    shape->_fillColor = Qt::red;
    auto hatched = Shape_Control::create();
    hatched->_bounds = QRectF(20, 105, 80, 40);
    hatched->_fill_type = "H";
    hatched->_fill_htch_clr = QColor(0, 0, 255);
    hatched->_fill_hatch_type = "Horizontal";
    // A signature loads its sample picture when first drawn: one for each thread.
    auto signature = [] {
        auto g = SKTSignature::create();
        g->sign_or_fingureprint = "S";
        g->_file_path = "Default";
        g->_bounds = QRectF(105, 105, 40, 40);
        return g;
    };
    const std::vector<GraphicPtr> side{text, plainText, shape, hatched, signature()};
    std::vector<GraphicPtr> guiSide = side;
    guiSide.back() = signature();
    const QRectF frame(0, 0, 243, 154);
    const RenderResources resources = Application_Render_Resources(asLoaded());

    QImage onWorker;
    const QString resourcePath = Resource_Path, textFont = Text_Ctrl_Font;
    const int textFontSize = Text_Ctrl_Font_Size;
    Resource_Path = QStringLiteral("/nonexistent/");
    Text_Ctrl_Font = QStringLiteral("Liberation Mono");
    Text_Ctrl_Font_Size = 30;
    std::thread worker([&] { onWorker = SKTRenderingView::image_From_Card_Graphics(side, frame, &card, resources, 2.0); });
    worker.join();
    Resource_Path = resourcePath;
    Text_Ctrl_Font = textFont;
    Text_Ctrl_Font_Size = textFontSize;
    const QImage onGui = SKTRenderingView::image_From_Card_Graphics(guiSide, frame, &card, resources, 2.0);

    ASSERT_FALSE(onGui.isNull());
    EXPECT_EQ(onWorker, onGui);
    EXPECT_EQ(onGui.pixelColor(360, 210), QColor(Qt::red)) << "the side is drawn, not blank";
}
