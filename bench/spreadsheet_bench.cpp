// Reading and writing a workbook of 10,000, 100,000 and 300,000 rows of 10 columns,
// half texts of 10 to 20 characters and half numbers. Targets at 100,000 rows: the
// whole read under 0.6 s with its peak resident memory under 160 MiB, the write under
// 1 s; 300,000 rows take at most 3.3 times the time and memory of 100,000.
//
// The read's memory is reported as counters: "peak_MiB", the process's peak resident
// memory during the read (VmHWM, reset through /proc/self/clear_refs after the rows
// written were freed), and "growth_MiB", that peak less the resident memory before
// the read.
#include "Globals.h"
#include "Paths.h"
#include "SpreadsheetWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <memory>

namespace {

SheetRows makeRows(int count)
{
    QRandomGenerator random(7);
    SheetRows rows;
    rows.reserve(count);
    for (int r = 0; r < count; ++r) {
        QStringList row;
        for (int c = 0; c < 10; ++c) {
            if (c % 2) {
                row << QString::number(random.bounded(1000000));
                continue;
            }
            QString text;
            const int length = 10 + random.bounded(11);
            for (int i = 0; i < length; ++i) text += QChar(u'a' + random.bounded(26));
            row << text;
        }
        rows << row;
    }
    return rows;
}

QString workbookPath(int count)
{
    static QTemporaryDir dir;
    return dir.path() + QStringLiteral("/bench-%1.xlsx").arg(count);
}

// A value of /proc/self/status in KiB ("VmHWM", "VmRSS").
double statusKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(qsizetype(qstrlen(key)) + 1).trimmed().split(' ').front().toDouble();
    return 0;
}

void resetPeak()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
}

void BM_WriteWorkbook(benchmark::State &state)
{
    const int count = int(state.range(0));
    const SheetRows rows = makeRows(count);
    for (auto _ : state)
        if (!SpreadsheetWriter::WriteWorkbook(workbookPath(count), rows, false, Resource_Path))
            state.SkipWithError("write failed");
}

void BM_ReadWorkbook(benchmark::State &state)
{
    const int count = int(state.range(0));
    {
        const SheetRows rows = makeRows(count);
        if (!SpreadsheetWriter::WriteWorkbook(workbookPath(count), rows, false, Resource_Path))
            state.SkipWithError("write failed");
    }
    double peak = 0, growth = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const double before = statusKiB("VmRSS:");
        state.ResumeTiming();
        auto reader = std::make_unique<SpreadsheetWriter>();
        reader->ReadWorkbook(workbookPath(count), true);
        reader->ReadData_only_column();
        SheetRows read = reader->ReadWorkbook(workbookPath(count), false);
        // Letting go of the rows and the reader is not part of the read.
        state.PauseTiming();
        const double hwm = statusKiB("VmHWM:");
        peak = std::max(peak, hwm / 1024);
        growth = std::max(growth, (hwm - before) / 1024);
        if (read.size() != count) state.SkipWithError("read lost rows");
        reader.reset();
        read = {};
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = peak;
    state.counters["growth_MiB"] = growth;
}

BENCHMARK(BM_WriteWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(10000)->Arg(100000)->Arg(300000);
BENCHMARK(BM_ReadWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(10000)->Arg(100000)->Arg(300000);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Locate_Application_Paths();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
