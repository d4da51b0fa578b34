// The card writer's cost of one card set at a time per folder: a file and a two-sided
// card written whole into one folder with the folder's lock taken, and with a file system
// whose lockFolder does nothing, on the disk of the working folder (not a memory file
// system, so the writer's flushes are real) and in /dev/shm.
#include "FileWrite.h"

#include <QDir>
#include <QTemporaryDir>

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

} // namespace

BENCHMARK_MAIN();
