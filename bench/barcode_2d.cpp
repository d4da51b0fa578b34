// Barcodes: a 100-character text to a QR module grid at level M with the version and
// mask chosen (and, when libqrencode is installed, the same text through
// QRcode_encodeString8bit at level M as a baseline: ours should take at most 0.8 of its
// time); a 1,000-character text to a PDF417 bit matrix; the drawing of an RM4SCC
// symbol of 10,000 characters (under 10 ms); a 500- and a 30-character text to a Data
// Matrix module grid, size and encodation chosen (and, when libzint is installed, the
// same texts through its Data Matrix encoder, square sizes: ours should take at most
// 0.8 of its time for 500 characters and at most as long for 30).
#include "BarcodeFactory.h"
#include "BarcodeRenderer.h"
#include "DataMatrixSymbol.h"
#include "Pdf417Encoder.h"
#include "QrEncoder.h"

#include <benchmark/benchmark.h>
#ifdef HAVE_QRENCODE
#include <qrencode.h>
#endif
#ifdef HAVE_ZINT
#include <zint.h>
#endif

namespace {

QByteArray qrText()
{
    QByteArray text;
    for (int i = 0; i < 100; ++i) text += "Visitor pass 0042, gate B: "[i % 27];
    return text;
}

// Every font has a cap height of 7.2 points; a text is 5 points a character wide.
struct FixedMeasure : FontMeasure {
    double capHeight(const QFont &) const override { return 7.2; }
    QSizeF textSize(const QString &text, const QFont &) const override { return {5.0 * text.size(), 12}; }
    TextInk textInk(const QString &, const QFont &) const override { return {2.5, 9.7}; }
};

} // namespace

static void QrText100LevelM(benchmark::State &state)
{
    const QByteArray text = qrText();
    for (auto _ : state) benchmark::DoNotOptimize(Encode_QR(text, QR_Level::M, 0));
}
BENCHMARK(QrText100LevelM)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

#ifdef HAVE_QRENCODE
static void QrText100LevelMLibqrencode(benchmark::State &state)
{
    const QByteArray text = qrText();
    for (auto _ : state) {
        QRcode *code = QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M);
        benchmark::DoNotOptimize(code);
        QRcode_free(code);
    }
}
BENCHMARK(QrText100LevelMLibqrencode)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
#endif

static void Pdf417Text1000(benchmark::State &state)
{
    QByteArray text;
    for (int i = 0; text.size() < 1000; ++i) text += "Visitor 42, gate B; badge #" + QByteArray::number(i * 7919) + " ok\n";
    text.truncate(1000);
    for (auto _ : state) benchmark::DoNotOptimize(Encode_PDF417(text, Pdf417_Level::L2, 1.0));
}
BENCHMARK(Pdf417Text1000)->Unit(benchmark::kMicrosecond);

QByteArray dataMatrixText(int length)
{
    QByteArray text;
    for (int i = 0; text.size() < length; ++i) text += "Visitor 42, GATE B; badge #" + QByteArray::number(i * 7919) + " ok\n";
    text.truncate(length);
    return text;
}

static void DataMatrixText(benchmark::State &state)
{
    const QByteArray text = dataMatrixText(int(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(Encode_DataMatrix(text, DataMatrixSize::Auto, DataMatrixEncodation::Auto));
}
BENCHMARK(DataMatrixText)->Arg(500)->Arg(30)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

#ifdef HAVE_ZINT
static void DataMatrixTextZint(benchmark::State &state)
{
    const QByteArray text = dataMatrixText(int(state.range(0)));
    for (auto _ : state) {
        zint_symbol *symbol = ZBarcode_Create();
        symbol->symbology = BARCODE_DATAMATRIX;
        symbol->option_3 = DM_SQUARE;
        const int error = ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char *>(text.constData()), int(text.size()));
        if (error >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
        benchmark::DoNotOptimize(symbol->encoded_data);
        ZBarcode_Delete(symbol);
    }
}
BENCHMARK(DataMatrixTextZint)->Arg(500)->Arg(30)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);
#endif

static void RoyalMail10000Drawn(benchmark::State &state)
{
    const FixedMeasure measure;
    QString text;
    for (int i = 0; i < 10000; ++i) text += QChar(u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[i * 7 % 36]);
    auto b = Make_Linear_Barcode(QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"), text, false);
    b->setHeight(20);
    for (auto _ : state) benchmark::DoNotOptimize(Draw_Linear_Barcode(*b, measure));
}
BENCHMARK(RoyalMail10000Drawn)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
