// A side rendered on a worker thread matches, pixel for pixel, the same side rendered
// on the GUI thread: the renderer draws from its arguments, not from the application's
// values of the moment.
#include "Card_Property.h"
#include "Globals.h"
#include "SKTRenderingView.h"
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
    auto shape = Shape_Control::create();
    shape->_bounds = QRectF(150, 80, 60, 50);
    shape->_fillColor = Qt::red;
    const std::vector<GraphicPtr> side{text, shape};
    const QRectF frame(0, 0, 243, 154);
    const RenderResources resources = Application_Render_Resources();

    QImage onWorker;
    const QString resourcePath = Resource_Path, textFont = Text_Ctrl_Font;
    Resource_Path = QStringLiteral("/nonexistent/");
    Text_Ctrl_Font = QStringLiteral("Liberation Mono");
    std::thread worker([&] { onWorker = SKTRenderingView::image_From_Card_Graphics(side, frame, &card, resources, 2.0); });
    worker.join();
    Resource_Path = resourcePath;
    Text_Ctrl_Font = textFont;
    const QImage onGui = SKTRenderingView::image_From_Card_Graphics(side, frame, &card, resources, 2.0);

    ASSERT_FALSE(onGui.isNull());
    EXPECT_EQ(onWorker, onGui);
    EXPECT_EQ(onGui.pixelColor(360, 210), QColor(Qt::red)) << "the side is drawn, not blank";
}
