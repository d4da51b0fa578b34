// Off-screen rendering of a card side: PDF pages checked with poppler's tools, images
// and TIFF data probed pixel by pixel.
#include "AsLoadedAdjuster.h"
#include "Card_Property.h"
#include "SKTLine.h"
#include "SKTRenderingView.h"
#include "Shape_Control.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPicture>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rendering_view_test {

namespace {
const QRectF kCard(0, 0, 243, 154);

GraphicPtr filledRect(const QRectF &r, const QColor &colour)
{
    auto s = Shape_Control::create();
    s->_bounds = r;
    s->_fillColor = colour;
    s->_isDrawingStroke = false;
    return s;
}

QString runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!testsupport::checkerFinished(p) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF written to a file in the directory.
QString writePdf(const QTemporaryDir &dir, const QByteArray &pdf)
{
    const QString path = dir.filePath("card.pdf");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(pdf);
    return path;
}

// The first page rasterised at 72 dots per inch (one pixel per point).
QImage rasterise(const QTemporaryDir &dir, const QByteArray &pdf)
{
    const QString path = writePdf(dir, pdf);
    const QString out = dir.filePath("page");
    runTool("pdftoppm", {"-r", "72", "-png", "-singlefile", path, out});
    return QImage(out + ".png");
}

bool near(QColor a, QColor b, int tolerance = 8)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}
} // namespace

TEST(RenderingView, PdfOfTheDefaultCardIsOneCardSizedPage)
{
    QTemporaryDir dir;
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data({filledRect(QRectF(0, 0, 40, 40), Qt::red)}, kCard, nullptr, Application_Render_Resources(asLoaded()));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QString info = runTool("pdfinfo", {writePdf(dir, pdf)});
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+243 x 154 pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\b")));
    EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+Print")));
    // An empty side still makes a page (base and border only).
    EXPECT_TRUE(runTool("pdfinfo", {writePdf(dir, SKTRenderingView::pdfDataWithGraphics_data({}, kCard, nullptr, Application_Render_Resources(asLoaded())))})
                    .contains("243 x 154"));
}

TEST(RenderingView, PdfLeavesOutNonPrintingAndHiddenControls)
{
    Card_Property card;
    card.setCard_fill_chk(true);
    card.setCard_fill_clr(QColor(0, 0, 255));
    card.setCard_border_chk(true);
    card.setCard_bor_Stepper(6);
    card.setCard_bordr_clr(Qt::black);

    auto printed = filledRect(QRectF(20, 20, 60, 60), QColor(0, 200, 0));
    auto notPrinted = filledRect(QRectF(100, 20, 60, 60), Qt::red);
    notPrinted->print_object = 1;
    auto hidden = filledRect(QRectF(170, 20, 60, 60), Qt::red);
    hidden->ctrl_is_visible = false;
    auto covering = filledRect(QRectF(0, 100, 243, 54), Qt::yellow);  // under the border
    const std::vector<GraphicPtr> side{printed, notPrinted, hidden, covering};

    QTemporaryDir dir;
    const QImage page = rasterise(dir, SKTRenderingView::pdfDataWithGraphics_data(side, kCard, &card, Application_Render_Resources(asLoaded())));
    ASSERT_EQ(page.size(), QSize(243, 154));
    EXPECT_TRUE(near(page.pixelColor(50, 50), QColor(0, 200, 0)));
    EXPECT_TRUE(near(page.pixelColor(130, 50), QColor(0, 0, 255))) << "non-printing control left out";
    EXPECT_TRUE(near(page.pixelColor(200, 50), QColor(0, 0, 255))) << "hidden control left out";
    EXPECT_TRUE(near(page.pixelColor(120, 130), QColor(Qt::yellow)));
    EXPECT_TRUE(near(page.pixelColor(120, 151), QColor(Qt::black))) << "border lies over the controls";

    // The screen's drawing of the same control still shows it.
    QImage screen(243, 154, QImage::Format_ARGB32);
    screen.fill(Qt::white);
    {
        QPainter p(&screen);
        notPrinted->drawContentsInView(p, false, Application_Draw_Context(asLoaded()));
    }
    EXPECT_TRUE(near(screen.pixelColor(130, 50), QColor(Qt::red)));
}

TEST(RenderingView, ImageOfASideDrawsIndexZeroOnTop)
{
    Card_Property card;
    card.setCard_fill_chk(true);
    card.setCard_fill_clr(Qt::white);
    auto top = filledRect(QRectF(50, 50, 50, 50), QColor(0, 200, 0));
    auto below = filledRect(QRectF(20, 20, 60, 60), Qt::red);
    auto line = SKTLine::create();
    line->setBeginPoint(QPointF(0, 120));
    line->setEndPoint(QPointF(243, 120));
    line->_strokeWidth = 4;
    const QImage img = SKTRenderingView::image_From_Card_Graphics({top, below, line}, kCard, &card, Application_Render_Resources(asLoaded()), 2.0);
    ASSERT_EQ(img.size(), QSize(486, 308));
    EXPECT_NEAR(img.dotsPerMeterX() * 0.0254, 144, 1);
    EXPECT_TRUE(near(img.pixelColor(140, 140), QColor(0, 200, 0))) << "overlap shows the first control";
    EXPECT_TRUE(near(img.pixelColor(60, 60), QColor(Qt::red)));
    EXPECT_TRUE(near(img.pixelColor(300, 240), QColor(Qt::black)));
    EXPECT_TRUE(near(img.pixelColor(300, 20), QColor(Qt::white)));

    // Without card properties only the controls are drawn, on a transparent image.
    const QImage bare = SKTRenderingView::image_From_Card_Graphics({top}, kCard, nullptr, Application_Render_Resources(asLoaded()));
    EXPECT_EQ(bare.size(), QSize(243, 154));
    EXPECT_EQ(qAlpha(bare.pixel(5, 5)), 0);
}

TEST(RenderingView, TheCardFillsEveryPixelOfItsImage)
{
    // 154 points at 600 dpi are 1283.3 pixels: the image has 1284 rows, all of them card.
    Card_Property card;
    card.setCard_fill_chk(true);
    card.setCard_fill_clr(Qt::white);
    const QImage image = SKTRenderingView::image_From_Card_Graphics({}, kCard, &card, Application_Render_Resources(asLoaded()), 600 / 72.0);
    ASSERT_EQ(image.size(), QSize(2025, 1284));
    for (const QPoint edge : {QPoint(1012, 1283), QPoint(2024, 642), QPoint(1012, 0), QPoint(0, 642)})
        EXPECT_EQ(image.pixelColor(edge).rgba(), QColor(Qt::white).rgba()) << edge.x() << "," << edge.y();
}

TEST(RenderingView, SelectionTiffKeepsFarAwayControls)
{
    auto far = filledRect(QRectF(180, 100, 40, 30), Qt::red);
    SKTError error;
    const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics({far}, Application_Draw_Context(asLoaded()), &error);
    ASSERT_FALSE(tiff.isEmpty());
    QBuffer buffer;
    buffer.setData(tiff);
    QImageReader reader(&buffer, "tiff");
    const QImage img = reader.read();
    ASSERT_FALSE(img.isNull());
    // As big as the drawing bounds (176, 96, 49, 39); the control in the middle.
    EXPECT_EQ(img.size(), QSize(49, 39));
    EXPECT_TRUE(near(img.pixelColor(24, 19), QColor(Qt::red)));
    EXPECT_EQ(qAlpha(img.pixel(1, 1)), 0) << "margin around the control stays clear";

    // Two controls far apart: both inside.
    auto corner = filledRect(QRectF(0, 0, 20, 20), QColor(0, 0, 255));
    QBuffer both;
    both.setData(SKTRenderingView::tiffDataWithGraphics({far, corner}, Application_Draw_Context(asLoaded())));
    const QImage two = QImageReader(&both, "tiff").read();
    ASSERT_FALSE(two.isNull());
    EXPECT_TRUE(near(two.pixelColor(14, 14), QColor(0, 0, 255)));
    EXPECT_TRUE(near(two.pixelColor(204, 119), QColor(Qt::red)));
}

TEST(RenderingView, EmptySelectionTiffIsErrorThree)
{
    SKTError error;
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, Application_Draw_Context(asLoaded()), &error).isEmpty());
    EXPECT_EQ(error.code, 3);
    EXPECT_EQ(error.domain, SKTErrorDomain);
    error = {};
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({nullptr}, Application_Draw_Context(asLoaded()), &error).isEmpty());
    EXPECT_EQ(error.code, 3);
}

TEST(RenderingView, AControlIsCutAtTheSideAndAtTheCallersClipOnEveryTarget)
{
    // The side (0, 0, 243, 154) drawn 50 points in from the corner of a larger target;
    // a red control reaching 30 points out of the side's left edge.
    const std::vector<GraphicPtr> controls{filledRect(QRectF(-30, 20, 100, 40), Qt::red)};
    const SKTRenderingView view(kCard, controls, nullptr, Application_Render_Resources(asLoaded()), "Print");
    const QSize target(343, 254);
    struct Case {
        const char *what;
        bool pdf;
        QRect callersClip;  // none when null
        std::vector<std::pair<QPoint, bool>> red;  // target pixel, red or clear
        bool recorded = false;  // recorded as a picture first, then played
    } cases[] = {
        {"image", false, {}, {{{30, 90}, false}, {{55, 90}, true}, {{115, 90}, true}, {{125, 90}, false}}},
        {"image in a clip", false, QRect(60, 0, 40, 254), {{{55, 90}, false}, {{65, 90}, true}, {{105, 90}, false}}},
        {"pdf", true, {}, {{{30, 90}, false}, {{55, 90}, true}, {{115, 90}, true}, {{125, 90}, false}}},
        {"pdf in a clip", true, QRect(60, 0, 40, 254), {{{55, 90}, false}, {{65, 90}, true}, {{105, 90}, false}}},
        {"recording played in a clip", false, QRect(60, 0, 40, 254),
         {{{55, 90}, false}, {{65, 90}, true}, {{105, 90}, false}}, true},
    };
    for (const Case &c : cases) {
        QPicture recording;
        if (c.recorded) {
            QPainter recorder(&recording);
            view.drawRect(recorder, kCard);
        }
        const auto draw = [&](QPainter &painter) {
            if (!c.callersClip.isNull()) painter.setClipRect(c.callersClip);
            painter.translate(50, 50);
            if (c.recorded) painter.drawPicture(0, 0, recording);
            else view.drawRect(painter, kCard);
        };
        QImage picture;
        QTemporaryDir dir;
        if (c.pdf) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setResolution(72);
            writer.setPageLayout(QPageLayout(QPageSize(QSizeF(target), QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
            QPainter painter(&writer);
            draw(painter);
            painter.end();
            picture = rasterise(dir, bytes);
        } else {
            picture = QImage(target, QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::white);
            QPainter painter(&picture);
            draw(painter);
        }
        ASSERT_EQ(picture.size(), target) << c.what;
        for (const auto &[pixel, red] : c.red)
            EXPECT_EQ(picture.pixelColor(pixel).rgb(), red ? QColor(Qt::red).rgb() : QColor(Qt::white).rgb())
                << c.what << " at " << pixel.x() << "," << pixel.y();
    }
}

} // namespace rendering_view_test
