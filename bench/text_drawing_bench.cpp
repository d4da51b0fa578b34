// A text control holding 1,000,000 characters without a break in a box of 200 by 60
// points at 12 points: its drawing once laid out, and its layout (as far as the card
// reaches) with the drawing after a change of the text. Target: ten drawings, the first
// after a change, under 2 s.
#include "DrawContext.h"
#include "Globals.h"
#include "PictureAdjuster.h"
#include "SKTText.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Pictures as loaded (the text draws none).
struct AsLoaded final : PictureAdjuster {
    Picture adjusted(const Picture &source, const ImageAdjustments &, QSize) const override { return source; }
};

std::shared_ptr<SKTText> longText()
{
    auto g = SKTText::create();
    g->Set_text_value(QString(1'000'000, u'W'));
    g->_bounds = QRectF(100, 20, 200, 60);
    g->text_ctrl_font = Font_With_Name("Liberation Sans", 12);
    g->txt_clr = Qt::black;
    return g;
}

void draw(SKTText &g, QImage &img, const PictureAdjuster &adjuster)
{
    img.fill(Qt::transparent);
    QPainter p(&img);
    g.drawContentsInView(p, false, Application_Draw_Context(adjuster));
}

void BM_LongUnbrokenTextDrawn(benchmark::State &state)
{
    auto g = longText();
    const AsLoaded adjuster;
    QImage img(400, 300, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) draw(*g, img, adjuster);
    state.counters["layouts"] = g->layoutsMade();
}
BENCHMARK(BM_LongUnbrokenTextDrawn)->Unit(benchmark::kMillisecond);

// Each drawing after a change of the text (W and M in turn).
void BM_LongUnbrokenTextChangedAndDrawn(benchmark::State &state)
{
    auto g = longText();
    const QString texts[] = {QString(1'000'000, u'M'), QString(1'000'000, u'W')};
    const AsLoaded adjuster;
    QImage img(400, 300, QImage::Format_ARGB32_Premultiplied);
    int k = 0;
    for (auto _ : state) {
        g->Set_text_value(texts[k++ % 2]);
        draw(*g, img, adjuster);
    }
    state.counters["layouts"] = g->layoutsMade();
}
BENCHMARK(BM_LongUnbrokenTextChangedAndDrawn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
