#include "AsLoadedAdjuster.h"
#include "CardViewHost.h"
#include "Card_Property.h"
#include "CardAppearance.h"
#include "Globals.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTRenderingView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
struct CardHost : CardViewHost {
    Card_Property prop;
    void Card_Base_Drawing(QPainter &p, const QRectF &) override { Draw_Card_Base(p, prop, QRectF(0, 0, 243, 154), Application_Render_Resources(asLoaded())); }
    void Card_Border_Drawing(QPainter &p, const QRectF &) override { Draw_Card_Border(p, prop, QRectF(0, 0, 243, 154), Application_Render_Resources(asLoaded())); }
};

QRect inkBounds(const QImage &img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128 && qAlpha(img.pixel(x, y)) > 128) r |= QRect(x, y, 1, 1);
    return r;
}
} // namespace

// What the card view shows is what goes out: the same side drawn by the view (a
// widget-like device) and by the off-screen renderer puts its ink in the same places.
TEST(ScreenMatchesOutput, TextAndShapesLandAlike)
{
    SKTGraphicList list;
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->setBounds({20, 20, 150, 30});
    text->Set_text_value("Visitor Name");
    text->text_ctrl_font = Font_With_Name("Liberation Sans", 18);
    list.insert(text);
    GraphicPtr box = SKTGraphic::create(GraphicKind::Shape);
    box->setBounds({30, 80, 60, 40});
    box->setFillColor(Qt::black);
    list.insert(box);

    CardHost host;
    host.prop.setCard_fill_chk(true);
    SKTGraphicView view{asLoaded()};
    view.setHost(&host);
    view.bindGraphics(&list);
    QImage screen(243, 154, QImage::Format_ARGB32);
    screen.setDotsPerMeterX(3780);  // 96 dpi, as a screen
    screen.setDotsPerMeterY(3780);
    screen.fill(Qt::white);
    QPainter p(&screen);
    view.drawCard(p, QRectF(0, 0, 243, 154));
    p.end();

    const QImage out = SKTRenderingView::image_From_Card_Graphics(list.items(), QRectF(0, 0, 243, 154), &host.prop, Application_Render_Resources(asLoaded()));
    const QRect textScreen = inkBounds(screen.copy(0, 0, 243, 60));
    const QRect textOut = inkBounds(out.copy(0, 0, 243, 60));
    ASSERT_FALSE(textScreen.isEmpty());
    EXPECT_NEAR(textScreen.width(), textOut.width(), 2);
    EXPECT_NEAR(textScreen.height(), textOut.height(), 2);
    EXPECT_NEAR(textScreen.left(), textOut.left(), 2);
    EXPECT_EQ(inkBounds(screen.copy(0, 70, 243, 84)), inkBounds(out.copy(0, 70, 243, 84)));
}

TEST(ScreenMatchesOutput, TextRunningOutOfItsBoxIsCutAlike)
{
    // Text typed into a box too small for it wraps below the box.
    SKTGraphicList list;
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->setBounds({20, 20, 120, 20});
    text->Set_text_value("Visitor Name of a Company with a Long Name");
    text->text_ctrl_font = Font_With_Name("Liberation Sans", 18);
    list.insert(text);

    CardHost host;
    SKTGraphicView view{asLoaded()};
    view.setHost(&host);
    view.bindGraphics(&list);
    QImage screen(243, 154, QImage::Format_ARGB32);
    screen.fill(Qt::white);
    QPainter p(&screen);
    view.drawCard(p, QRectF(0, 0, 243, 154));
    p.end();
    const QImage out = SKTRenderingView::image_From_Card_Graphics(list.items(), QRectF(0, 0, 243, 154), &host.prop, Application_Render_Resources(asLoaded()));
    ASSERT_FALSE(inkBounds(screen).isEmpty());
    EXPECT_EQ(inkBounds(screen), inkBounds(out));
}
