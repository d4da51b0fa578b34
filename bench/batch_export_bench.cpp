// The batch export loop over a spreadsheet of 5,000 and 10,000 rows made by our writer
// and read back by our reader: a card with three texts, one Code 128 and one QR code,
// each bound to a column. Every card is filled by the value engine (barcodes made
// afresh) on the makers' threads, drawn, and handed in order to a sink: one PDF with a page per card (the target
// run), or a PDF file per card through the real file sink (reported beside it), or two-sided
// cards as a PNG picture per side through the same sink (the card writer's sets of two).
// The cards are made on the application's pool (one for the program, a thread per
// core, as main() makes it). "cpu_per_wall" is the process's processor time over the
// wall time of the run: the cores used on average.
// Targets: 5,000 cards under 10 s with the peak resident memory ("peak_MiB", VmHWM)
// under 300 MiB; 10,000 cards at most 2.2 times the time of 5,000.
#include "Batch_Export.h"
#include "BarcodeEngine.h"
#include "CardValueEngine.h"
#include "Globals.h"
#include "HeapPolicy.h"
#include "Paths.h"
#include "PhotoPictureAdjuster.h"
#include "RenderResources.h"
#include "RenderedSide.h"
#include "SKTBarcode.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

#include "RunClock.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <thread>

#include <malloc.h>
#include <memory>

namespace {

using benchrun::appPool;
using benchrun::processSeconds;
using benchrun::wallSeconds;

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// Header and rows: name, title, company, a Code 128 value, a QR text.
SheetRows makeRows(int count)
{
    SheetRows rows{{"Name", "Title", "Company", "Code", "Link"}};
    for (int r = 1; r <= count; ++r)
        rows << QStringList{QStringLiteral("Person %1 Example").arg(r), QStringLiteral("Engineer grade %1").arg(r % 7),
                            QStringLiteral("Company %1 Ltd").arg(r % 31), QStringLiteral("ID%1").arg(100000 + r),
                            QStringLiteral("https://example.org/badge/%1").arg(r)};
    return rows;
}

// The rows as the spreadsheet source holds them, written by our writer and read back.
SheetRows readBack(int count)
{
    const QString path = scratch().filePath(QStringLiteral("rows-%1.xlsx").arg(count));
    if (!QFile::exists(path) && !SpreadsheetWriter::WriteWorkbook(path, makeRows(count), true, Resource_Path))
        return {};
    SpreadsheetWriter reader;
    reader.ReadWorkbook(path, true);
    reader.ReadData_only_column();
    SheetRows rows = reader.ReadWorkbook(path, false);
    if (!rows.isEmpty()) rows.removeFirst();  // the header
    return rows;
}

GraphicPtr bound(GraphicKind kind, const QRectF &r, int column)
{
    GraphicPtr g = SKTGraphic::create(kind);
    g->setBounds(r);
    g->Set_Data_source_type(2);
    g->Set_Excel_binding_Index(column);
    return g;
}

GraphicPtr barcode(const QString &title, const QRectF &r, int column)
{
    GraphicPtr g = bound(GraphicKind::Barcode, r, column);
    Barcode_Settings s;
    s.barcode_font_index = int(Barcode_Symbology_Titles().indexOf(title));
    s.linear_or_2d = Is_TwoD_Barcode_Title(title) ? 1 : 0;
    s.show_hide_hdr = s.show_hide_ftr = 1;
    Put_Barcode_Settings(*g, s);
    g->Set_Barcode_image_control_bounds(r);
    return g;
}

// The design: a one-sided card with its controls bound to columns 1 to 5; two-sided, with
// a back of a text and a QR code bound to columns 1 and 5.
struct Design {
    PhotoPictureAdjuster adjuster;
    SKTDocument doc;
    CardValueEngine engine{scratch().filePath(QStringLiteral("DataSet"))};

    explicit Design(int count, bool twoSided = false)
    {
        doc.Start_Card_Option = Card_Mode::Opened;
        doc.Front_card_Prop.setCard_Side(twoSided ? QStringLiteral("2") : QStringLiteral("1"));
        for (int c = 1; c <= 5; ++c) doc.Add_ColList_Column(QStringLiteral("Column %1").arg(c));
        for (const QStringList &row : readBack(count)) doc.Create_List_By_Array(row, 5);
        SKTGraphicList &front = doc.graphics();
        front.insert(bound(GraphicKind::Text, QRectF(10, 10, 150, 20), 1));
        front.insert(bound(GraphicKind::Text, QRectF(10, 32, 150, 16), 2));
        front.insert(bound(GraphicKind::Text, QRectF(10, 50, 150, 16), 3));
        front.insert(barcode(QStringLiteral("Code 128"), QRectF(10, 80, 130, 50), 4));
        front.insert(barcode(QStringLiteral("QR Code"), QRectF(170, 60, 60, 60), 5));
        if (twoSided) {
            doc.graphics_back().insert(bound(GraphicKind::Text, QRectF(10, 10, 150, 20), 1));
            doc.graphics_back().insert(barcode(QStringLiteral("QR Code"), QRectF(10, 40, 60, 60), 5));
        }
        engine.Check_Series_Or_Excel_Use_or_not(doc);
        engine.Create_Design_Backup_Array(doc, Application_Render_Resources(adjuster));
    }
    Card_Side_Maker maker() const
    {
        return [this](int card, int side) {
            return engine.Set_data_table_value_to_card(card, side == 0 ? Card_Side::Front : Card_Side::Back);
        };
    }
};

// Every card as one page of a single PDF.
class Pdf_Book_Sink : public Card_Sink {
public:
    Pdf_Book_Sink(const QString &path, QSizeF card) : m_writer(path), m_card(card)
    {
        m_writer.setResolution(72);
        m_writer.setPageLayout(QPageLayout(QPageSize(card, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                           QPageLayout::Portrait, QMarginsF()));
    }
    bool Write_Card(int, const RenderedSide &front, const RenderedSide &) override
    {
        if (!m_painter.isActive()) {
            if (!m_painter.begin(&m_writer)) return false;
        } else if (!m_writer.newPage()) {
            return false;
        }
        Draw_Rendered_Side(m_painter, front, QRectF(QPointF(), m_card));
        ++pages;
        return true;
    }
    void finish() { m_painter.end(); }
    int pages = 0;

private:
    QPdfWriter m_writer;
    QSizeF m_card;
    QPainter m_painter;
};

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

Batch_Sides frontOnly()
{
    Batch_Sides s;
    s.side = Run_Sides::Front;
    return s;
}

void BM_BatchToOnePdf(benchmark::State &state)
{
    const int count = int(state.range(0));
    Design design(count);
    if (design.engine.Total_Batch_Excel_Card() != count) state.SkipWithError("rows lost");
    double peak = 0, cpu = 0, wall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const QString path = scratch().filePath(QStringLiteral("book-%1.pdf").arg(count));
        state.ResumeTiming();
        const double cpu0 = processSeconds(), wall0 = wallSeconds();
        Output_Run_State run;
        Pdf_Book_Sink sink(path, design.doc.cardBounds().size());
        Run_Batch_Cards(Batch_Range{0, count}, frontOnly(), design.maker(), sink, run, &appPool());
        sink.finish();
        cpu += processSeconds() - cpu0;
        wall += wallSeconds() - wall0;
        state.PauseTiming();
        peak = std::max(peak, statusKiB("VmHWM:") / 1024);
        if (sink.pages != count || run.failed_cards != 0) state.SkipWithError("cards lost");
        QFile::remove(path);
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = peak;
    state.counters["cards"] = count;
    state.counters["cpu_per_wall"] = wall > 0 ? cpu / wall : 0;
}

void BM_BatchToPdfFiles(benchmark::State &state)
{
    const int count = int(state.range(0));
    Design design(count);
    double peak = 0, cpu = 0, wall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        resetPeak();
        const QString folder = scratch().filePath(QStringLiteral("files-%1").arg(count));
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        state.ResumeTiming();
        const double cpu0 = processSeconds(), wall0 = wallSeconds();
        Output_Run_State run;
        Card_File_Sink sink(folder, QStringLiteral("pdf"), frontOnly(), Side_Mirror::None, run);
        Run_Batch_Cards(Batch_Range{0, count}, frontOnly(), design.maker(), sink, run, &appPool());
        cpu += processSeconds() - cpu0;
        wall += wallSeconds() - wall0;
        state.PauseTiming();
        peak = std::max(peak, statusKiB("VmHWM:") / 1024);
        if (run.failed_cards != 0 || QDir(folder).entryList(QDir::Files).size() != count)
            state.SkipWithError("files lost");
        QDir(folder).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = peak;
    state.counters["cards"] = count;
    state.counters["cpu_per_wall"] = wall > 0 ? cpu / wall : 0;
}

// Two-sided cards, each side a PNG picture file of its own: a card's two files are
// written as one set (both or neither).
void BM_BatchToPictureFiles(benchmark::State &state)
{
    const int count = int(state.range(0));
    Design design(count, true);
    const Batch_Sides both;
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString folder = scratch().filePath(QStringLiteral("pictures-%1").arg(count));
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        state.ResumeTiming();
        const double cpu0 = processSeconds(), wall0 = wallSeconds();
        Output_Run_State run;
        Card_File_Sink sink(folder, QStringLiteral("png"), both, Side_Mirror::None, run);
        Run_Batch_Cards(Batch_Range{0, count}, both, design.maker(), sink, run, &appPool());
        cpu += processSeconds() - cpu0;
        wall += wallSeconds() - wall0;
        state.PauseTiming();
        if (run.failed_cards != 0 || QDir(folder).entryList(QDir::Files).size() != 2 * count)
            state.SkipWithError("files lost");
        QDir(folder).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["cards"] = count;
    state.counters["cpu_per_wall"] = wall > 0 ? cpu / wall : 0;
}

BENCHMARK(BM_BatchToOnePdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(5000)->Arg(10000);
BENCHMARK(BM_BatchToPdfFiles)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(5000);
BENCHMARK(BM_BatchToPictureFiles)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(5000);

} // namespace

int main(int argc, char **argv)
{
    Keep_Freed_Heap_For_Reuse();  // as main() does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Locate_Application_Paths();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
