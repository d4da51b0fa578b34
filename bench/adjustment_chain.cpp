// The adjustment chain with every stage active, on a 500 x 500 preview and on a
// 12-megapixel photo (4000 x 3000).
#include "AdjustmentChain.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

Picture photo(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) line[x] = qRgb(x * 255 / w, y * 255 / h, (x + y) & 255);
    }
    return Picture(img, QSizeF(w, h));
}

void FullChain(benchmark::State &state)
{
    const Picture source = photo(int(state.range(0)), int(state.range(1)));
    ImageAdjustments s;
    s.grayScale = s.sepia = true;
    s.hue = 0.4;
    s.saturation = 1.3;
    s.brightness = 0.1;
    s.contrast = 1.2;
    s.sharpness = 0.6;
    s.exposure = 0.5;
    s.blur = 4;
    s.flipHorizontally = true;
    s.rotation = 30;
    for (auto _ : state) benchmark::DoNotOptimize(Get_Processed_Image_Full_Combined(source, s, true));
}
BENCHMARK(FullChain)->Args({500, 500})->Args({4000, 3000})->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
