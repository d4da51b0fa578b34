// Printing a batch: a card with three texts, one Code 128 and one QR code bound to the
// columns of a spreadsheet written by our writer and read back, printed to the
// virtual PDF printer at 5 x 2 cards a sheet with crop marks. The cards are made by
// the value engine on the application's pool (one for the program, a thread per
// core, as main() makes it), as the print command makes them. "cpu_per_wall" is the
// process's processor time over the wall time of the run: the cores used on average.
// Targets: 5,000 cards under 15 s and under 400 MB peak resident memory (VmHWM,
// reported as "peak_MiB"); 10,000 cards at most 2.2 times the time of 5,000.
#include "BarcodeEngine.h"
#include "BarcodeFactory.h"
#include "CardValueEngine.h"
#include "Globals.h"
#include "HeapPolicy.h"
#include "Paths.h"
#include "PhotoPictureAdjuster.h"
#include "PrinterLayer.h"
#include "PrintingView.h"
#include "SKTDocument.h"
#include "SpreadsheetWriter.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>

#include "RunClock.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <thread>

namespace {

using benchrun::appPool;
using benchrun::processSeconds;
using benchrun::wallSeconds;

double statusMiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(qsizetype(qstrlen(key)) + 1).trimmed().split(' ').front().toDouble() / 1024;
    return 0;
}

class Engine_Source final : public Print_Card_Source {
public:
    explicit Engine_Source(const CardValueEngine &engine) : m_engine(engine) {}
    RenderedSide Print_Card(int record, int side) const override
    {
        return m_engine.Set_data_table_value_to_card(record, side == 0 ? Card_Side::Front : Card_Side::Back);
    }

private:
    const CardValueEngine &m_engine;
};

GraphicPtr bound(GraphicKind kind, int column, QRectF bounds)
{
    GraphicPtr g = SKTGraphic::create(kind);
    g->_bounds = bounds;
    g->ctrl_is_visible = true;
    g->Set_Data_source_type(2);
    g->Set_Excel_binding_Index(column);
    g->bar_image_ctrl_bounds = bounds;
    return g;
}

// The design over a workbook of `count` rows written and read back.
void makeDesign(SKTDocument &doc, int count, const QString &folder)
{
    SheetRows rows;
    for (int r = 1; r <= count; ++r)
        rows << QStringList{QStringLiteral("Person %1").arg(r), QStringLiteral("Company %1").arg(r % 97),
                            QStringLiteral("No. %1").arg(100000 + r), QStringLiteral("ID%1").arg(r, 6, 10, QChar('0')),
                            QStringLiteral("https://example.org/visitor/%1").arg(r)};
    const QString path = folder + QStringLiteral("/rows.xlsx");
    SpreadsheetWriter::WriteWorkbook(path, rows, false, Resource_Path);
    SpreadsheetWriter reader;
    reader.ReadWorkbook(path, true);
    reader.ReadData_only_column();
    const SheetRows read = reader.ReadWorkbook(path, false);
    for (int c = 1; c <= 5; ++c) doc.Add_ColList_Column(QStringLiteral("Column %1").arg(c));
    for (const QStringList &row : read) doc.Create_List_By_Array(row, 5);
    doc.Start_Card_Option = Card_Mode::Opened;
    doc.Front_card_Prop.setCard_Side(QStringLiteral("1"));
    SKTGraphicList &front = doc.sideList(0);
    for (int c = 1; c <= 3; ++c) {
        GraphicPtr text = bound(GraphicKind::Text, c, QRectF(10, 10 + 22 * (c - 1), 140, 20));
        text->Set_text_value(QStringLiteral("text"));
        front.insert(text, front.count());
    }
    GraphicPtr code128 = bound(GraphicKind::Barcode, 4, QRectF(10, 90, 130, 50));
    code128->linear_or_2d = 0;
    code128->barcode_font_index = int(Barcode_Symbology_Titles().indexOf(QStringLiteral("Code 128")));
    front.insert(code128, front.count());
    GraphicPtr qr = bound(GraphicKind::Barcode, 5, QRectF(160, 70, 70, 70));
    qr->linear_or_2d = 1;
    qr->barcode_font_index = int(Barcode_Symbology_Titles().indexOf(QStringLiteral("QR Code")));
    front.insert(qr, front.count());
}

void BM_PrintRun(benchmark::State &state)
{
    const int count = int(state.range(0));
    QTemporaryDir dir;
    SKTDocument doc;
    makeDesign(doc, count, dir.path());
    PhotoPictureAdjuster adjuster;
    CardValueEngine engine(dir.path());
    engine.Check_Series_Or_Excel_Use_or_not(doc);
    engine.Create_Design_Backup_Array(doc, Application_Render_Resources(adjuster));
    if (engine.Total_Batch_Excel_Card() != count) state.SkipWithError("the rows did not reach the engine");
    const Engine_Source source(engine);

    const QString pdf = dir.path() + QStringLiteral("/printed.pdf");
    qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
    Print_Settings settings;
    Select_Printer(settings, QString::fromLatin1(Virtual_PDF_Printer_Name));
    Page_Layout_Input in;
    in.paperWidth = settings.paperSize().width();
    in.paperHeight = settings.paperSize().height();
    in.cardWidth = 85.6 * kPointsPerMM;
    in.cardHeight = 54 * kPointsPerMM;
    in.rows = 5;
    in.cols = 2;
    in.side = Run_Sides::Front;
    Print_Job job;
    job.layout = Compute_Page_Layout(in, 5);
    job.source = &source;
    job.records = count;
    job.totalLabel = count;
    job.cropMarks = true;
    job.pool = &appPool();
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        const double cpu0 = processSeconds(), wall0 = wallSeconds();
        std::unique_ptr<QPrinter> printer = Make_Printer(settings);
        const QString error = Print_Pages(*printer, job);
        cpu += processSeconds() - cpu0;
        wall += wallSeconds() - wall0;
        if (!error.isEmpty()) state.SkipWithError(error.toUtf8().constData());
    }
    state.counters["cpu_per_wall"] = wall > 0 ? cpu / wall : 0;
    state.counters["peak_MiB"] = statusMiB("VmHWM:");
    state.counters["pdf_MiB"] = QFile(pdf).size() / 1048576.0;
    state.counters["cards"] = count;
}

BENCHMARK(BM_PrintRun)->Unit(benchmark::kSecond)->Iterations(1)->Arg(5000)->Arg(10000)->UseRealTime();

} // namespace

namespace {
// Where a card's time goes: making 100 cards (fill and render, one thread) and
// playing them into the PDF printer (the painting thread's share).
void BM_CardParts(benchmark::State &state)
{
    const int count = 500;
    QTemporaryDir dir;
    SKTDocument doc;
    makeDesign(doc, count, dir.path());
    PhotoPictureAdjuster adjuster;
    CardValueEngine engine(dir.path());
    engine.Check_Series_Or_Excel_Use_or_not(doc);
    engine.Create_Design_Backup_Array(doc, Application_Render_Resources(adjuster));
    QElapsedTimer t;
    t.start();
    std::vector<RenderedSide> sides;
    for (int i = 0; i < 100; ++i) sides.push_back(engine.Set_data_table_value_to_card(i, Card_Side::Front));
    const double make = t.elapsed();
    const QString pdf = dir.path() + QStringLiteral("/printed.pdf");
    qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
    Print_Settings settings;
    Select_Printer(settings, QString::fromLatin1(Virtual_PDF_Printer_Name));
    auto printer = Make_Printer(settings);
    QPainter painter(printer.get());
    Begin_Points(painter, *printer);
    t.restart();
    for (int i = 0; i < 100; ++i) Draw_Rendered_Side(painter, sides[size_t(i)], QRectF(10, 10, 242, 153));
    const double play = t.elapsed();
    t.restart();
    painter.end();
    const double end = t.elapsed();
    for (auto _ : state) {}
    state.counters["make_ms_per_card"] = make / 100;
    state.counters["play_ms_per_card"] = play / 100;
    state.counters["end_ms"] = end;
}
BENCHMARK(BM_CardParts)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    Keep_Freed_Heap_For_Reuse();  // as main() does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Locate_Application_Paths();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
