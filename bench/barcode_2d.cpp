// Two-dimensional symbols: a 100-character text to a QR module grid at level M with the
// version and mask chosen.
#include "QrEncoder.h"

#include <benchmark/benchmark.h>

static void QrText100LevelM(benchmark::State &state)
{
    QByteArray text;
    for (int i = 0; i < 100; ++i) text += "Visitor pass 0042, gate B: "[i % 27];
    for (auto _ : state) benchmark::DoNotOptimize(Encode_QR(text, 1, 0));
}
BENCHMARK(QrText100LevelM)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
