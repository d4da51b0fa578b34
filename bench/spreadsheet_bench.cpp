// Reading and writing a workbook of 100,000 rows of 10 columns, half texts of 10 to 20
// characters and half numbers. Targets: read whole under 0.6 s, write under 1 s.
#include "Paths.h"
#include "SpreadsheetWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

SheetRows makeRows()
{
    QRandomGenerator random(7);
    SheetRows rows;
    rows.reserve(100000);
    for (int r = 0; r < 100000; ++r) {
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

const SheetRows &rows()
{
    static const SheetRows made = makeRows();
    return made;
}

QString workbookPath()
{
    static QTemporaryDir dir;
    return dir.path() + QStringLiteral("/bench.xlsx");
}

void BM_WriteWorkbook(benchmark::State &state)
{
    for (auto _ : state)
        if (!SpreadsheetWriter::WriteWorkbook(workbookPath(), rows(), false)) state.SkipWithError("write failed");
}

void BM_ReadWorkbook(benchmark::State &state)
{
    if (!SpreadsheetWriter::WriteWorkbook(workbookPath(), rows(), false)) state.SkipWithError("write failed");
    for (auto _ : state) {
        auto reader = std::make_unique<SpreadsheetWriter>();
        reader->ReadWorkbook(workbookPath(), true);
        reader->ReadData_only_column();
        SheetRows read = reader->ReadWorkbook(workbookPath(), false);
        // Letting go of the rows and the reader is not part of the read.
        state.PauseTiming();
        if (read.size() != rows().size()) state.SkipWithError("read lost rows");
        reader.reset();
        read = {};
        state.ResumeTiming();
    }
}

BENCHMARK(BM_WriteWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ReadWorkbook)->Unit(benchmark::kMillisecond)->Iterations(3);

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
