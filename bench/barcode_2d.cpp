// Two-dimensional symbols: a 100-character text to a QR module grid at level M with the
// version and mask chosen; a 1,000-character text to a PDF417 bit matrix; a
// 500-character text to a Data Matrix module grid, size and encodation chosen.
#include "DataMatrixSymbol.h"
#include "Pdf417Encoder.h"
#include "QrEncoder.h"

#include <benchmark/benchmark.h>

static void QrText100LevelM(benchmark::State &state)
{
    QByteArray text;
    for (int i = 0; i < 100; ++i) text += "Visitor pass 0042, gate B: "[i % 27];
    for (auto _ : state) benchmark::DoNotOptimize(Encode_QR(text, 1, 0));
}
BENCHMARK(QrText100LevelM)->Unit(benchmark::kMicrosecond);

static void Pdf417Text1000(benchmark::State &state)
{
    QByteArray text;
    for (int i = 0; text.size() < 1000; ++i) text += "Visitor 42, gate B; badge #" + QByteArray::number(i * 7919) + " ok\n";
    text.truncate(1000);
    for (auto _ : state) benchmark::DoNotOptimize(Encode_PDF417(text, 2, 1.0));
}
BENCHMARK(Pdf417Text1000)->Unit(benchmark::kMicrosecond);

static void DataMatrixText500(benchmark::State &state)
{
    QByteArray text;
    for (int i = 0; text.size() < 500; ++i) text += "Visitor 42, GATE B; badge #" + QByteArray::number(i * 7919) + " ok\n";
    text.truncate(500);
    for (auto _ : state) benchmark::DoNotOptimize(Encode_DataMatrix(text, DataMatrixSize::Auto, DataMatrixEncodation::Auto));
}
BENCHMARK(DataMatrixText500)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
