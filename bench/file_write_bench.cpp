// The card writer's cost of one card set at a time per folder: a file and a two-sided
// card written whole into one folder with the folder's lock taken, and with a file system
// whose lockFolder does nothing, on the disk of the working folder (not a memory file
// system, so the writer's flushes are real) and in /dev/shm; and a thousand cards written
// into one folder by one thread and by four at once, with the lock and without.
#include "FileWrite.h"

#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

struct Unlocked : File_Write_System {
    bool lockFolder(int) const override { return true; }
};

QString where(int place)
{
    return place == 0 ? QDir::currentPath() : QStringLiteral("/dev/shm");
}

void run(benchmark::State &state, const File_Write_System &system)
{
    QTemporaryDir dir(where(int(state.range(1))) + QStringLiteral("/file-write-bench-XXXXXX"));
    const int files = int(state.range(0));
    const QByteArray bytes(4096, 'x');
    std::vector<std::pair<QString, QByteArray>> set;
    for (int i = 0; i < files; ++i) set.emplace_back(dir.filePath(QStringLiteral("card_%1.png").arg(i)), bytes);
    File_Write_Sweep sweep;
    for (auto _ : state)
        if (!Write_Files_Whole(set, 0644, nullptr, system, &sweep)) state.SkipWithError("not written");
}

void BM_WriteLocked(benchmark::State &state) { run(state, File_Write_System()); }
void BM_WriteUnlocked(benchmark::State &state) { run(state, Unlocked()); }

// Files per write (1: a single file, 2: a two-sided card); 0: the working folder's disk, 1: /dev/shm.
BENCHMARK(BM_WriteLocked)->Unit(benchmark::kMicrosecond)->ArgsProduct({{1, 2}, {0, 1}});
BENCHMARK(BM_WriteUnlocked)->Unit(benchmark::kMicrosecond)->ArgsProduct({{1, 2}, {0, 1}});

// 1,000 two-sided cards written into one folder of the working folder's disk by several
// threads at once, each thread its own cards: with the lock the folder takes them one at a
// time, flushes included.
void runThreads(benchmark::State &state, const File_Write_System &system)
{
    const int threads = int(state.range(0));
    constexpr int cards = 1000;
    const QByteArray bytes(4096, 'x');
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>(where(0) + QStringLiteral("/file-write-bench-XXXXXX"));
        File_Write_Sweep sweep;
        std::atomic<bool> failed{false};
        state.ResumeTiming();
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([&, t] {
                for (int c = t; c < cards; c += threads) {
                    const std::vector<std::pair<QString, QByteArray>> set{
                        {dir->filePath(QStringLiteral("Card_%1_Front.png").arg(c + 1)), bytes},
                        {dir->filePath(QStringLiteral("Card_%1_Back.png").arg(c + 1)), bytes}};
                    if (!Write_Files_Whole(set, 0644, nullptr, system, &sweep)) failed = true;
                }
            });
        for (std::thread &w : workers) w.join();
        state.PauseTiming();
        if (failed) state.SkipWithError("not written");
        dir.reset();
        state.ResumeTiming();
    }
}

void BM_ThreadsLocked(benchmark::State &state) { runThreads(state, File_Write_System()); }
void BM_ThreadsUnlocked(benchmark::State &state) { runThreads(state, Unlocked()); }

// Threads writing at once.
BENCHMARK(BM_ThreadsLocked)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Arg(1)->Arg(4);
BENCHMARK(BM_ThreadsUnlocked)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Arg(1)->Arg(4);

} // namespace

BENCHMARK_MAIN();
