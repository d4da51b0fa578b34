// The adjustment chain with every stage active: a 500 x 500 preview and a 12-megapixel
// photo (4000 x 3000), each with and without a pool, the 12-megapixel photo also through
// the chain as it was before it worked in bands (side by side); and 8 workers each
// adjusting 500 x 500 previews at once against one worker (throughput: items per
// second). Peak memory: run one case alone (--benchmark_filter) and read the
// "peak_MiB" counter, the process's high-water mark reset before the case.
#include "AdjustmentChain.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QThreadPool>

#include <atomic>
#include <thread>
#include <vector>

namespace old_chain {
Picture Get_Processed_Image_Full_Combined(const Picture &source, const ImageAdjustments &settings, bool rotateOnBox);
}

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

ImageAdjustments everyStage()
{
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
    return s;
}

long long statusKb(const char *name)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(QByteArray(name) + ':')) return line.mid(qstrlen(name) + 1).trimmed().split(' ').front().toLongLong();
    return -1;
}

// The peak memory of the process from here on, in MiB, as a counter.
struct Peak {
    Peak()
    {
        QFile f(QStringLiteral("/proc/self/clear_refs"));
        if (f.open(QIODevice::WriteOnly)) f.write("5");
    }
    void report(benchmark::State &state) const { state.counters["peak_MiB"] = double(statusKb("VmHWM")) / 1024; }
};

QThreadPool &cores()
{
    static QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, int(std::thread::hardware_concurrency())));
    return pool;
}

void FullChain(benchmark::State &state)
{
    const Picture source = photo(int(state.range(0)), int(state.range(1)));
    QThreadPool *pool = state.range(2) ? &cores() : nullptr;
    const Peak peak;
    for (auto _ : state) benchmark::DoNotOptimize(Get_Processed_Image_Full_Combined(source, everyStage(), true, QSize(), pool));
    peak.report(state);
}
BENCHMARK(FullChain)
    ->ArgNames({"w", "h", "pool"})
    ->Args({500, 500, 0})
    ->Args({500, 500, 1})
    ->Args({4000, 3000, 0})
    ->Args({4000, 3000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void OldChain(benchmark::State &state)
{
    const Picture source = photo(int(state.range(0)), int(state.range(1)));
    const Peak peak;
    for (auto _ : state) benchmark::DoNotOptimize(old_chain::Get_Processed_Image_Full_Combined(source, everyStage(), true));
    peak.report(state);
}
BENCHMARK(OldChain)->ArgNames({"w", "h"})->Args({500, 500})->Args({4000, 3000})->Unit(benchmark::kMillisecond)->UseRealTime();

// `workers` threads, each adjusting its own previews without a pool (a batch worker's
// cards are the parallel work); items per second is the throughput.
void Workers(benchmark::State &state)
{
    const int workers = int(state.range(0));
    const Picture source = photo(500, 500);
    constexpr int kPerWorker = 8;
    const Peak peak;
    for (auto _ : state) {
        std::vector<std::thread> threads;
        for (int i = 0; i < workers; ++i)
            threads.emplace_back([&] {
                for (int k = 0; k < kPerWorker; ++k)
                    benchmark::DoNotOptimize(Get_Processed_Image_Full_Combined(source, everyStage(), true));
            });
        for (std::thread &t : threads) t.join();
    }
    state.SetItemsProcessed(state.iterations() * workers * kPerWorker);
    peak.report(state);
}
BENCHMARK(Workers)->ArgName("workers")->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
