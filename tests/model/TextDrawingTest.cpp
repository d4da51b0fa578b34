// Render probes of the text control: what reaches the card, not how.
#include "Globals.h"
#include "RenderProbe.h"
#include "SKTText.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <functional>
#include <map>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<SKTText> textControl(const QString &text, QRectF bounds = QRectF(100, 100, 200, 60), double size = 30)
{
    auto g = SKTText::create();
    g->Set_text_value(text);
    g->_bounds = bounds;
    g->text_ctrl_font = Font_With_Name("Liberation Sans", size);
    g->txt_clr = Qt::black;
    return g;
}

auto black = probe::near(Qt::black);

} // namespace

TEST(TextDrawing, TrimmedTextAndBlankText)
{
    auto padded = textControl("   Name \n");
    auto plain = textControl("Name");
    EXPECT_EQ(probe::render(*padded), probe::render(*plain));

    // Text of blanks and line ends: the background only, no frame.
    auto blank = textControl("  \n \t ");
    blank->_isDrawingFill = true;
    blank->_fill_type = "S";
    blank->_fillColor = Qt::red;
    blank->_isDrawingStroke = true;
    blank->_strokeColor = Qt::blue;
    blank->_strokeWidth = 3;
    const QImage img = probe::render(*blank);
    EXPECT_EQ(probe::inkRect(img, probe::near(Qt::red)), QRect(100, 100, 200, 60));
    EXPECT_EQ(probe::count(img, probe::near(Qt::blue)), 0);
}

TEST(TextDrawing, CapitalisedCaseIsDrawnButNotStored)
{
    auto g = textControl("jOHN sMITH");
    g->text_transfrom_case = 3;
    EXPECT_EQ(probe::render(*g), probe::render(*textControl("John Smith")));
    EXPECT_EQ(g->Text_Value, "jOHN sMITH");
    EXPECT_EQ(g->Text_contents().text, "jOHN sMITH");

    g->text_transfrom_case = 1;
    EXPECT_EQ(probe::render(*g), probe::render(*textControl("JOHN SMITH")));
}

TEST(TextDrawing, AlignmentPlacesTheInk)
{
    // The defaults centre the line; centring lies exactly between the two edges'
    // placements, and those sit on the bounds' edges.
    auto g = textControl("Hello");
    const QRect centred = probe::inkRect(probe::render(*g), black);
    g->text_alignmnet = 0;
    g->text_alignmnet_Vert = 0;
    const QRect leftTop = probe::inkRect(probe::render(*g), black);
    g->text_alignmnet = 1;
    g->text_alignmnet_Vert = 1;
    const QRect rightBottom = probe::inkRect(probe::render(*g), black);

    EXPECT_NEAR(leftTop.left(), 100, 4);
    EXPECT_NEAR(rightBottom.right(), 300, 4);
    EXPECT_LT(leftTop.top(), 110);
    EXPECT_GT(rightBottom.bottom(), 145);
    EXPECT_NEAR(centred.left(), (leftTop.left() + rightBottom.left()) / 2.0, 1.0);
    EXPECT_NEAR(centred.top(), (leftTop.top() + rightBottom.top()) / 2.0, 1.0);
    EXPECT_NEAR(centred.center().x(), 200, 3);

    // An unknown vertical code counts as top.
    g->text_alignmnet_Vert = 7;
    EXPECT_EQ(probe::inkRect(probe::render(*g), black).top(), leftTop.top());
}

TEST(TextDrawing, SizesAreCardPointsAtAnyScale)
{
    auto g = textControl("H", QRectF(10, 10, 200, 150), 100);
    g->text_alignmnet = 0;
    g->text_alignmnet_Vert = 0;
    const QRect one = probe::inkRect(probe::render(*g, QSize(250, 200)), black);
    const QRect two = probe::inkRect(probe::render(*g, QSize(500, 400), 2.0), black);
    // Liberation Sans capitals are 0.688 em tall.
    EXPECT_NEAR(one.height(), 68.8, 1.5);
    EXPECT_NEAR(two.height(), 2 * one.height(), 3);
}

TEST(TextDrawing, RotationTurnsTextBackgroundAndFrameClockwise)
{
    auto g = textControl("MMMM", QRectF(100, 100, 200, 40), 20);
    g->text_alignmnet = 0;
    g->text_rotation = 90;
    const QRect ink = probe::inkRect(probe::render(*g), black);
    // The left end of the line turns up to the top: the ink lies above the centre.
    EXPECT_LT(ink.bottom(), 120);
    EXPECT_GT(ink.top(), 15);
    EXPECT_LT(ink.width(), 41);
    EXPECT_GT(ink.height(), 40);

    g->_isDrawingFill = true;
    g->_fill_type = "H";  // no hatch on text: the plain fill colour
    g->_fillColor = Qt::red;
    g->_isDrawingStroke = true;
    g->_strokeColor = Qt::blue;
    g->_strokeWidth = 2;
    const QImage img = probe::render(*g);
    const QRect fill = probe::inkRect(img, probe::near(Qt::red));
    const QRect frame = probe::inkRect(img, probe::near(Qt::blue));
    EXPECT_NEAR(fill.width(), 40, 2);
    EXPECT_NEAR(fill.height(), 200, 2);
    EXPECT_NEAR(frame.center().x(), 200, 1);
    EXPECT_NEAR(frame.height(), 202, 2);
}

TEST(TextDrawing, ShadowOffsetPointsUpAndTakesItsOpacity)
{
    auto g = textControl("Shade");
    g->Drawing_Shadow = true;
    g->Shadow_Color = QColor::fromRgbF(1, 0, 0, 1);
    g->Shadow_transparency = 1.0f;
    g->Shadow_offset_X = 10;
    g->Shadow_offset_Y = 8;
    g->Shadow_blur = 0;
    QImage img = probe::render(*g);
    const QRect text = probe::inkRect(img, black);
    const QRect shadow = probe::inkRect(img, probe::near(Qt::red));
    EXPECT_NEAR(shadow.right() - text.right(), 10, 1);
    EXPECT_NEAR(shadow.top() - text.top(), -8, 1);

    // The offset stays on the card's axes when the text is turned.
    g->text_rotation = 90;
    img = probe::render(*g);
    EXPECT_NEAR(probe::inkRect(img, probe::near(Qt::red)).right() - probe::inkRect(img, black).right(), 10, 1);

    // A blurred shadow spreads beyond the sharp one.
    g->text_rotation = 0;
    g->Shadow_blur = 6;
    const QRect soft = probe::inkRect(probe::render(*g), [](QRgb c) { return qRed(c) > 0 && qAlpha(c) > 0; });
    EXPECT_GT(soft.width(), shadow.width() + 4);

    // The shadow colour takes the opacity and keeps it.
    g->Shadow_blur = 0;
    g->Shadow_transparency = 0.3f;
    img = probe::render(*g);
    EXPECT_NEAR(g->Shadow_Color.alphaF(), 0.3, 0.01);
    const QRect s = probe::inkRect(img, [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 50 && qAlpha(c) > 0; });
    ASSERT_FALSE(s.isEmpty());
    int strongest = 0;
    for (int y = s.top(); y <= s.bottom(); ++y)
        for (int x = s.left(); x <= s.right(); ++x)
            if (qRed(img.pixel(x, y)) > 200 && qGreen(img.pixel(x, y)) < 50) strongest = std::max(strongest, qAlpha(img.pixel(x, y)));
    EXPECT_NEAR(strongest, 77, 4);
}

TEST(TextDrawing, TheShadowStaysInsideTheDrawingBounds)
{
    // The card view redraws and clips each control to its drawing bounds: a shadow
    // outside them would be cut off on screen and leave trails when it moves.
    struct Shadow {
        float x, y, blur;
        int rotation;
    };
    for (const Shadow s : {Shadow{25, -30, 6, 0}, Shadow{-20, 25, 0, 30}, Shadow{3, 3, 12, 0}}) {
        auto g = textControl("Shade");
        g->Drawing_Shadow = true;
        g->Shadow_Color = Qt::red;
        g->Shadow_transparency = 1.0f;
        g->Shadow_offset_X = s.x;
        g->Shadow_offset_Y = s.y;
        g->Shadow_blur = s.blur;
        g->text_rotation = s.rotation;
        const QRect ink = probe::inkRect(probe::render(*g), [](QRgb c) { return qAlpha(c) > 0; });
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(g->drawingBounds().contains(QRectF(ink))) << s.x << " " << s.y << " " << s.blur;
    }
}

TEST(TextDrawing, KerningWidensTheInk)
{
    auto g = textControl("Spacing", QRectF(10, 10, 380, 60));
    const int plain = probe::inkRect(probe::render(*g), black).width();
    g->text_kerning = 5;
    const int spaced = probe::inkRect(probe::render(*g), black).width();
    EXPECT_NEAR(spaced - plain, 6 * 5, 3);
}

TEST(TextDrawing, LinesThatFitArePlacedByTheirOwnHeightAndLinesThatDoNotRunDownFromTheTop)
{
    // The box's height stays as designed throughout.
    const double line = textControl("Ida", QRectF(0, 0, 60, 10), 20)->naturalSize().height();
    struct Row {
        const char *text;
        double boxHeight;
        int vertical;
        double top;  // of the first line, below the box's top
    };
    for (const Row &r : std::vector<Row>{{"Ida", 3 * line, 2, line}, {"Ida Holm", 3 * line, 2, line / 2},
                                         {"Ida Holm", 3 * line, 1, line}, {"Ida Holm", 3 * line, 0, 0},
                                         {"Ida Holm Lind", line, 2, 0}, {"Ida Holm Lind", line, 1, 0},
                                         {"Ida", line, 2, 0}}) {
        auto g = textControl(r.text, QRectF(100, 100, 60, r.boxHeight), 20);
        g->text_alignmnet_Vert = r.vertical;
        auto lone = textControl("Ida", QRectF(100, 100 + r.top, 60, line), 20);
        lone->text_alignmnet_Vert = 0;
        const QRect ink = probe::inkRect(probe::render(*g), black), first = probe::inkRect(probe::render(*lone), black);
        EXPECT_NEAR(ink.top(), first.top(), 1) << r.text << " " << r.vertical;
        EXPECT_NEAR(ink.height(), QString(r.text).count(' ') * line + first.height(), 1) << r.text << " " << r.vertical;
        EXPECT_EQ(g->bounds(), QRectF(100, 100, 60, r.boxHeight));
        EXPECT_TRUE(g->drawingBounds().contains(ink)) << r.text << " " << r.vertical;
    }
}

TEST(TextDrawing, ALongUnbrokenTextIsLaidOutOnceAsFarAsTheCardReaches)
{
    // Every line runs down from the box's top, whatever the vertical alignment, and the
    // lines stop past the card's reach (its diagonal below the box).
    auto g = textControl(QString(1'000'000, u'W'), QRectF(100, 20, 200, 60), 12);
    std::vector<QRect> inks;
    for (int vertical : {2, 1, 0}) {
        g->text_alignmnet_Vert = vertical;
        inks.push_back(probe::inkRect(probe::render(*g, QSize(400, 600)), [](QRgb c) { return qAlpha(c) > 0; }));
    }
    EXPECT_EQ(inks[0], inks[1]);
    EXPECT_EQ(inks[0], inks[2]);
    EXPECT_NEAR(inks[0].top(), 22, 1);
    EXPECT_NEAR(inks[0].bottom(), 20 + 60 + std::hypot(243, 154), 20) << "within a line of the reach";
    probe::render(*g);
    EXPECT_EQ(g->layoutsMade(), 1) << "once per change, not per drawing";
}

TEST(TextDrawing, LeftAndRightAreTheBoxsEdgesInEveryScript)
{
    // Left, right and centred are the box's, in either direction of the application;
    // only the natural alignment follows the text's writing direction. The Hebrew text
    // wraps.
    const std::pair<const char *, bool> texts[] = {
        {"Name", false},
        {"\u05e9\u05dc\u05d5\u05dd \u05e2\u05d5\u05dc\u05dd \u05d9\u05e4\u05d4 \u05de\u05d0\u05d5\u05d3 \u05de\u05d0\u05d5\u05d3", true},
        {"\u0633\u0644\u0627\u0645", true}};
    for (Qt::LayoutDirection application : {Qt::LeftToRight, Qt::RightToLeft}) {
        QGuiApplication::setLayoutDirection(application);
        for (const auto &[text, rightToLeft] : texts) {
            for (int alignment : {0, 1, 2, 4}) {
                auto g = textControl(QString::fromUtf8(text));
                g->text_alignmnet = alignment;
                const QRect ink = probe::inkRect(probe::render(*g), [](QRgb c) { return qAlpha(c) > 128; });
                const int edge = alignment == 4 ? (rightToLeft ? 1 : -1) : alignment == 0 ? -1 : alignment == 1 ? 1 : 0;
                const double at = edge < 0 ? ink.left() - 100 : edge > 0 ? 300 - ink.right() : ink.center().x() - 200;
                EXPECT_NEAR(at, 0, 4) << text << " " << alignment << " " << application << ": " << ink.left() << ".."
                                      << ink.right();
            }
        }
    }
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}

TEST(TextDrawing, EachLayoutSettingLaysTheTextOutAgain)
{
    const std::vector<std::pair<const char *, std::function<void(SKTText &)>>> rows = {
        {"text", [](SKTText &g) { g.Set_text_value("Other"); }},
        {"font", [](SKTText &g) { g.text_ctrl_font = Font_With_Name("Liberation Sans", 31); }},
        {"case", [](SKTText &g) { g.text_transfrom_case = 1; }},
        {"kerning", [](SKTText &g) { g.text_kerning = 2; }},
        {"alignment", [](SKTText &g) { g.text_alignmnet = 0; }},
        {"width", [](SKTText &g) { g._bounds.setWidth(150); }},
        {"height", [](SKTText &g) { g._bounds.setHeight(90); }},
    };
    for (const auto &[what, change] : rows) {
        auto g = textControl("Name Surname");
        const QImage before = probe::render(*g);
        g->_bounds.translate(5, 0);  // a move keeps the layout, and so does the vertical alignment
        g->text_alignmnet_Vert = 0;
        probe::render(*g);
        g->txt_clr = Qt::red;
        probe::render(*g);
        EXPECT_EQ(g->layoutsMade(), 1) << what;
        change(*g);
        probe::render(*g);
        EXPECT_EQ(g->layoutsMade(), 2) << what;
    }
}

TEST(TextDrawing, HiddenDrawsNothingAndCreationDrawsAFrameOutside)
{
    auto g = textControl("Name");
    g->_isDrawingFill = true;
    g->_fillColor = Qt::red;
    g->ctrl_is_visible = false;
    EXPECT_TRUE(probe::inkRect(probe::render(*g), [](QRgb c) { return qAlpha(c) > 0; }).isNull());

    g->ctrl_is_visible = true;
    const QImage img = probe::render(*g, QSize(400, 300), 1.0, true);
    EXPECT_EQ(probe::count(img, probe::near(Qt::red)), 0);
    const QRect frame = probe::inkRect(img, [](QRgb c) { return qAlpha(c) > 0; });
    EXPECT_EQ(frame, QRect(98, 98, 204, 64));
    EXPECT_EQ(qAlpha(img.pixel(200, 130)), 0);
}

TEST(TextNaturalSize, FitsTheDrawnTextAtTheCurrentWidth)
{
    auto g = textControl("Hello world", QRectF(10, 20, 500, 100), 24);
    const double oneLine = g->naturalSize().height();
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds().topLeft(), QPointF(10, 20));
    EXPECT_LT(g->width(), 200);
    EXPECT_GT(g->width(), 100);
    EXPECT_DOUBLE_EQ(g->height(), oneLine);
    // At its natural width the text still fits on one line.
    EXPECT_DOUBLE_EQ(g->naturalSize().height(), oneLine);

    g->setWidth(70);
    EXPECT_NEAR(g->naturalSize().height(), 2 * oneLine, 1);

    const QRectF before = g->bounds();
    g->ctrl_is_locked = true;
    g->makeNaturalSize();
    EXPECT_EQ(g->bounds(), before);
}

TEST(TextDrawing, ATextWithoutFontTakesTheContextsDefaultAsItStands)
{
    // The default font is resolved when the context is taken; a name or size changed
    // afterwards draws as a context that never resolved it, and differently from before.
    auto g = SKTText::create();
    g->Set_text_value("Hg");
    g->text_ctrl_font.reset();  // a control made with a font keeps it
    g->_bounds = QRectF(10, 10, 380, 280);
    g->txt_clr = Qt::black;
    g->text_alignmnet = 0;
    g->text_alignmnet_Vert = 0;
    const auto draw = [&](const DrawContext &context) {
        QImage img(400, 300, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        g->drawContentsInView(p, false, context);
        p.end();
        return img;
    };
    DrawContext taken = Application_Draw_Context(asLoaded());
    taken.defaultFontName = QStringLiteral("Liberation Sans");
    taken.defaultFontSize = 20;
    taken.resolveDefaultFont();
    const QImage resolved = draw(taken);
    struct Case {
        const char *what;
        QString name;
        double size;
    } cases[] = {
        {"unchanged", QStringLiteral("Liberation Sans"), 20},
        {"larger", QStringLiteral("Liberation Sans"), 60},
        {"another family", QStringLiteral("Liberation Mono"), 20},
    };
    for (const Case &c : cases) {
        DrawContext changed = taken;
        changed.defaultFontName = c.name;
        changed.defaultFontSize = c.size;
        DrawContext fresh(asLoaded());
        fresh.defaultFontName = c.name;
        fresh.defaultFontSize = c.size;
        const QImage image = draw(changed);
        EXPECT_EQ(image, draw(fresh)) << c.what;
        EXPECT_EQ(image == resolved, c.size == 20 && c.name == QStringLiteral("Liberation Sans")) << c.what;
    }
}
