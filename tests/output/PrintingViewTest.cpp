// Printed pages read back by poppler: which record lands in which cell, turns, duplex
// pages, crop marks, mirror and the cell of a record that cannot be made.
#include "PdfProbe.h"
#include "PrinterLayer.h"
#include "PrintingView.h"
#include "TestSupport.h"
#include "AsLoadedAdjuster.h"
#include "Globals.h"
#include "SKTText.h"
#include "SKTRenderingView.h"

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <QThread>
#include <QThreadPool>
#include <set>

namespace printing_view_test {

using namespace pdfprobe;

namespace {

class RecordSource : public Print_Card_Source {
public:
    std::set<int> failing;
    RenderedSide Print_Card(int record, int side) const override
    {
        if (failing.count(record)) return RenderedSide();
        return cardSide(QStringLiteral("%1%2").arg(side == 0 ? "Rec" : "Back").arg(record + 1));
    }
};

Print_Job a4Job(int rows, int cols, const QString &side = "F", const QString &algn = "UD")
{
    Page_Layout_Input in;
    in.paperWidth = 595;
    in.paperHeight = 842;
    in.cardWidth = kCardW;
    in.cardHeight = kCardH;
    in.rows = rows;
    in.cols = cols;
    in.side = Run_Sides_Of_Code(side).value();
    in.algn = Sides_Arrangement_Of_Code(algn).value();
    Print_Job job;
    job.layout = Compute_Page_Layout(in, 1);
    job.front = cardSide("Design");
    job.back = cardSide("Reverse");
    return job;
}

// Prints the job to the virtual PDF printer; returns the file.
QString printToPdf(const Print_Job &job, const QString &folder)
{
    const QString file = folder + "/out.pdf";
    qputenv(Virtual_PDF_Printer_Setting, file.toUtf8());
    Print_Settings settings;
    EXPECT_TRUE(Select_Printer(settings, Virtual_PDF_Printer_Name));
    auto printer = Make_Printer(settings);
    EXPECT_EQ(Print_Pages(*printer, job), QString());
    qunsetenv(Virtual_PDF_Printer_Setting);
    return file;
}

// The words of the file as "page:text" -> centre.
std::map<QString, QPointF> wordCentres(const QString &file)
{
    std::map<QString, QPointF> out;
    for (const Word &w : pdfWords(file)) out[QStringLiteral("%1:%2").arg(w.page).arg(w.text)] = w.box.center();
    return out;
}

} // namespace

TEST(PrintingView, RecordsFillCellsByPageAndPlace)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    RecordSource source;
    source.failing = {4};  // record 5 cannot be made
    struct Row {
        int start, total;
        int pages;
        std::vector<std::pair<QString, int>> wordInCell;  // "page:text", cell index on its page
    } rows[] = {
        {0, 23, 3, {{"1:Rec1", 0}, {"1:Rec10", 9}, {"2:Rec11", 0}, {"3:Rec21", 0}, {"3:Rec22", 1}, {"3:Rec23", 2},
                    {"1:Rec6", 5}}},
        {2, 3, 1, {{"1:Rec3", 0}, {"1:Rec4", 1}}},  // record 5 keeps cell 3
    };
    for (const Row &r : rows) {
        Print_Job job = a4Job(5, 2);
        job.source = &source;
        job.records = 23;
        job.printStart = r.start;
        job.totalLabel = r.total;
        const QString file = printToPdf(job, dir.path());
        EXPECT_EQ(pdfInfo(file).pages, r.pages);
        EXPECT_NEAR(pdfInfo(file).width, 595, 0.5);
        const auto words = wordCentres(file);
        const std::vector<Cell_Place> places = Cell_Places(job.layout);
        for (const auto &[key, cell] : r.wordInCell) {
            ASSERT_TRUE(words.count(key)) << key.toStdString();
            const QPointF centre = To_Top_Left(places[size_t(cell)].first, 842).center();
            EXPECT_NEAR(words.at(key).x(), centre.x(), 1.0) << key.toStdString();
            // The reader's word box spans the font's ascent and descent.
            EXPECT_NEAR(words.at(key).y(), centre.y(), 1.5) << key.toStdString();
        }
        EXPECT_EQ(words.count("3:Rec24"), 0u);
        EXPECT_EQ(words.count("1:Rec5"), 0u);
        EXPECT_EQ(words.count("1:Rec6"), r.start == 0 ? 1u : 0u);
        // The record that failed shows in its own cell (cell 5 of page 1, or cell 3).
        const int invalidCell = r.start == 0 ? 4 : 2;
        const QPointF centre = To_Top_Left(places[size_t(invalidCell)].first, 842).center();
        std::vector<Word> invalid;
        for (const Word &w : pdfWords(file))
            if (w.text == "Invalid") invalid.push_back(w);
        ASSERT_EQ(invalid.size(), 1u);
        EXPECT_NEAR(invalid[0].box.center().y(), centre.y(), 2.0);
    }
}

TEST(PrintingView, DesignWithoutDataFillsOnePage)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    Print_Job job = a4Job(5, 2);
    job.totalLabel = 10;
    const QString file = printToPdf(job, dir.path());
    EXPECT_EQ(pdfInfo(file).pages, 1);
    int designs = 0;
    for (const Word &w : pdfWords(file)) designs += w.text == "Design";
    EXPECT_EQ(designs, 10);
}

TEST(PrintingView, DuplexPagesTurnsAndCropMarks)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    RecordSource source;
    // The black block sits in a card's top left corner, or bottom right when turned.
    struct Row {
        QString side, algn;
        int records, pages;
        std::vector<QString> firstWords;  // the first word of each page
        std::vector<bool> turned;         // per page: the first card's block at the bottom right
    } rows[] = {
        {"BOTH", "DU", 3, 6, {"Rec1", "Back1", "Rec2", "Back2", "Rec3", "Back3"}, {0, 0, 0, 0, 0, 0}},
        {"BOTH", "DD", 3, 6, {"Rec1", "Back1", "Rec2", "Back2", "Rec3", "Back3"}, {0, 1, 0, 1, 0, 1}},
    };
    for (const Row &r : rows) {
        Print_Job job = a4Job(1, 1, r.side, r.algn);
        job.layout.align = 5;
        job.source = &source;
        job.records = r.records;
        job.totalLabel = 2 * r.records;
        job.cropMarks = true;
        QTemporaryDir pages;
        const QString file = printToPdf(job, pages.path());
        ASSERT_EQ(pdfInfo(file).pages, r.pages);
        std::map<int, QString> first;
        for (const Word &w : pdfWords(file))
            if (!first.count(w.page)) first[w.page] = w.text;
        const QRectF card = To_Top_Left(Cell_Places(job.layout).front().first, 842);
        // The card and 30 points around it, at 300 dpi; probes in points from that corner.
        const QRectF around = card.adjusted(-30, -30, 30, 30);
        const std::vector<QImage> images = pdfPages(file, 300, pages.path(), around);
        ASSERT_EQ(images.size(), size_t(r.pages));
        const QRectF c = card.translated(-around.topLeft());
        for (int p = 0; p < r.pages; ++p) {
            EXPECT_EQ(first[p + 1], r.firstWords[size_t(p)]) << r.algn.toStdString() << " page " << p + 1;
            EXPECT_EQ(dark(images[size_t(p)], c.topLeft() + QPointF(10, 10), 300), !r.turned[size_t(p)]);
            EXPECT_EQ(dark(images[size_t(p)], c.bottomRight() - QPointF(10, 10), 300), bool(r.turned[size_t(p)]));
            // Crop marks: light gray, 20 points outward from each corner.
            const QImage &img = images[size_t(p)];
            const QRgb mark = img.pixel(((c.topLeft() - QPointF(10, 0)) * 300 / 72.0).toPoint());
            EXPECT_LT(qGray(mark), 230) << "page " << p + 1;
            EXPECT_GT(qGray(mark), 150) << "page " << p + 1;
            EXPECT_EQ(qGray(img.pixel(((c.topLeft() - QPointF(25, 0)) * 300 / 72.0).toPoint())), 255);
            EXPECT_LT(qGray(img.pixel(((c.bottomRight() + QPointF(0, 10)) * 300 / 72.0).toPoint())), 230);
        }
    }
}

TEST(PrintingView, PairsMirrorAndSingleTurnOnPixels)
{
    // Painted straight into a 72 dpi picture: one pixel per point.
    struct Row {
        QString side, algn, oneSide;
        bool mirror, vertical;
        bool firstTurned, secondTurned;  // block at the bottom right (turned)
        bool firstRightBlock;            // block at the top right (mirrored left to right)
    } rows[] = {
        {"BOTH", "UD", "U", false, false, false, true, false},
        {"BOTH", "U", "U", false, false, false, false, false},
        {"F", "UD", "D", false, false, true, false, false},
        {"F", "UD", "U", true, false, false, false, true},
    };
    for (const Row &r : rows) {
        Print_Job job = a4Job(1, 1, r.side, r.algn);
        job.layout.oneSideTurned = r.oneSide == "D";
        job.mirror = r.mirror;
        job.mirrorVertical = r.vertical;
        QImage page(595, 842, QImage::Format_RGB32);
        QPainter painter(&page);
        Paint_Page(painter, job, 1);
        painter.end();
        const Cell_Place place = Cell_Places(job.layout).front();
        const QRectF first = To_Top_Left(place.first, 842);
        auto at = [&](QPointF p) { return qGray(page.pixel(p.toPoint())) < 100; };
        EXPECT_EQ(at(first.topLeft() + QPointF(10, 10)), !r.firstTurned && !r.firstRightBlock) << r.algn.toStdString();
        EXPECT_EQ(at(first.bottomRight() - QPointF(10, 10)), r.firstTurned) << r.algn.toStdString();
        EXPECT_EQ(at(first.topRight() + QPointF(-10, 10)), r.firstRightBlock) << r.algn.toStdString();
        if (r.side == "BOTH") {
            const QRectF second = To_Top_Left(place.second, 842);
            EXPECT_EQ(at(second.bottomRight() - QPointF(10, 10)), r.secondTurned) << r.algn.toStdString();
            EXPECT_EQ(at(second.topLeft() + QPointF(10, 10)), !r.secondTurned) << r.algn.toStdString();
        }
    }
}

TEST(PrintingView, PagesAreTheSameWhenPaintedAgain)
{
    RecordSource source;
    Print_Job job = a4Job(5, 2);
    job.source = &source;
    const int pages[][2] = {{0, 0}, {1, 1}, {10, 1}, {11, 2}, {500, 50}, {510, 51}};
    for (const auto &[cells, count] : pages) {
        job.totalLabel = cells;
        EXPECT_EQ(Print_Page_Count(job), count) << cells;
    }
    job.records = 510;
    job.totalLabel = 510;
    auto paint = [&](int page) {
        QImage image(595, 842, QImage::Format_RGB32);
        QPainter painter(&image);
        Paint_Page(painter, job, page);
        return image;
    };
    const QImage once = paint(3);
    paint(1);
    paint(2);
    EXPECT_EQ(paint(3), once);
}

TEST(PrintingView, CropMarksPointAwayFromEachCorner)
{
    const std::vector<QLineF> lines = Crop_Mark_Lines(QRectF(100, 200, 50, 30));
    const std::vector<QLineF> want = {
        {100, 230, 80, 230}, {100, 230, 100, 250}, {150, 230, 170, 230}, {150, 230, 150, 250},
        {100, 200, 80, 200}, {100, 200, 100, 180}, {150, 200, 170, 200}, {150, 200, 150, 180},
    };
    EXPECT_EQ(lines, want);
}

TEST(PrintingView, VisitorPassSitsUnderTheTopMarginCentred)
{
    Page_Layout paper;
    paper.paperWidth = 595;
    paper.paperHeight = 842;
    paper.leftMar = 20;
    paper.riteMar = 40;
    paper.topMar = 30;
    struct Row {
        double w, h;
        QRectF want;
    } rows[] = {
        {300, 200, {20 + (535 - 300) / 2.0, 30, 300, 200}},
        {600, 200, {20 - 32.5, 30, 600, 200}},  // wider than the printable width
    };
    for (const Row &r : rows) EXPECT_EQ(Visitor_Pass_Rect(QSizeF(r.w, r.h), paper), r.want);
}

TEST(PrintingView, DesignTextStaysInPlaceOnPaper)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    auto text = SKTText::create();
    text->Set_text_value("Jane");
    text->_bounds = QRectF(20, 30, 150, 40);
    text->text_alignmnet = 0;  // left
    text->text_alignmnet_Vert = 0;  // top
    text->text_ctrl_font = Font_With_Name("Liberation Sans", 18);
    const QRectF frame(0, 0, kCardW, kCardH);
    Print_Job job = a4Job(5, 2);
    job.layout.align = 5;
    job.front = Render_Side_Picture({text}, frame, nullptr, Application_Render_Resources(asLoaded()));
    job.totalLabel = 1;
    const QString file = printToPdf(job, dir.path());
    const std::vector<Word> words = pdfWords(file);
    ASSERT_EQ(words.size(), 1u);
    const QRectF cell = To_Top_Left(Cell_Places(job.layout).front().first, 842);
    EXPECT_NEAR(words[0].box.left(), cell.left() + 20, 1.5);
    EXPECT_NEAR(words[0].box.top(), cell.top() + 30, 4);
}

TEST(PrintingView, RangePastTheLastRecordLeavesCellsWhite)
{
    RecordSource source;
    Print_Job job = a4Job(5, 2);
    job.source = &source;
    job.records = 23;
    job.printStart = 20;
    job.totalLabel = 5;
    std::vector<int> records, used;
    for (const Page_Cell &cell : Page_Cells(job, 1)) {
        records.push_back(cell.record);
        used.push_back(cell.used);
    }
    EXPECT_EQ(records, std::vector<int>({20, 21, 22, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(used, std::vector<int>({1, 1, 1, 1, 1, 0, 0, 0, 0, 0}));
    // Duplex: the front and the back page of one record each.
    job = a4Job(1, 1, "BOTH", "DU");
    job.source = &source;
    job.records = 3;
    job.totalLabel = 6;
    std::vector<int> byPage;
    for (int page = 1; page <= 7; ++page) byPage.push_back(Page_Cells(job, page).front().record);
    EXPECT_EQ(byPage, std::vector<int>({0, 0, 1, 1, 2, 2, -1}));
}

TEST(PrintingView, CardsMadeOnThePoolPaintTheSamePages)
{
    // The cards of records made on the application's pool, several at once, give the
    // very pages made on the painting thread alone; the pool's threads made some of them.
    struct Counting_Source final : Print_Card_Source {
        RecordSource inner;
        mutable std::mutex mutex;
        mutable std::condition_variable otherThread;
        mutable std::set<QThread *> threads;
        bool awaitPool = false;
        RenderedSide Print_Card(int record, int side) const override
        {
            std::unique_lock lock(mutex);
            threads.insert(QThread::currentThread());
            otherThread.notify_all();
            // However loaded the machine, the first thread to make a card leaves the next
            // ones to another (it waits, a while at most, for a second thread to come).
            if (awaitPool)
                otherThread.wait_for(lock, std::chrono::seconds(10), [this] { return threads.size() > 1; });
            lock.unlock();
            return inner.Print_Card(record, side);
        }
    } source;
    QThreadPool pool;
    pool.setMaxThreadCount(4);
    Print_Job job = a4Job(5, 2);
    job.source = &source;
    job.records = 40;
    job.totalLabel = 40;
    auto paint = [&](int page) {
        QImage image(595, 842, QImage::Format_RGB32);
        QPainter painter(&image);
        Paint_Page(painter, job, page);
        return image;
    };
    std::vector<QImage> alone;
    for (int page = 1; page <= 4; ++page) alone.push_back(paint(page));
    EXPECT_EQ(source.threads, std::set<QThread *>{QThread::currentThread()});
    job.pool = &pool;
    source.awaitPool = true;
    for (int page = 1; page <= 4; ++page) EXPECT_EQ(paint(page), alone[size_t(page - 1)]) << page;
    EXPECT_GT(source.threads.size(), 1u);
    // Printed: every page, its cards from the pool.
    QTemporaryDir dir;
    source.threads.clear();
    const QString file = printToPdf(job, dir.path());
    EXPECT_EQ(pdfWords(file).size(), 40u);
    EXPECT_GT(source.threads.size(), 1u);
}

TEST(PrintingView, CardsPrintedWithoutSomethingAreCountedOncePerRecord)
{
    // Records lack something on their front or back; a record whose front and back are
    // on two duplex pages is counted once, with both sides' phrases; past five notes
    // the rest are only counted. A stop after the first sheet counts that sheet only.
    struct Lacking final : Print_Card_Source {
        std::atomic<bool> *stopAtThird = nullptr;  // set as the third record is made
        RenderedSide Print_Card(int record, int side) const override
        {
            if (record == 2 && stopAtThird) *stopAtThird = true;
            RenderedSide made = cardSide(QStringLiteral("Rec%1").arg(record + 1));
            if (record % 2 == 1 && side == 0) made.missing << QStringLiteral("photo \"p%1.jpg\" cannot be read").arg(record + 1);
            if (record == 1 && side == 1) made.missing << QStringLiteral("no barcode value");
            return made;
        }
    } source;
    struct Row {
        const char *what;
        QString side, algn;
        int rows, records;
        bool stopAfterFirst;
        int count;
        QStringList notes;
    } rows[] = {
        {"fronts, 3 sheets", "F", "UD", 2, 6, false, 3,
         {"Card 2: photo \"p2.jpg\" cannot be read", "Card 4: photo \"p4.jpg\" cannot be read",
          "Card 6: photo \"p6.jpg\" cannot be read"}},
        {"duplex", "BOTH", "DU", 1, 3, false, 1, {"Card 2: photo \"p2.jpg\" cannot be read, no barcode value"}},
        {"more than five", "F", "UD", 5, 14, false, 7,
         {"Card 2: photo \"p2.jpg\" cannot be read", "Card 4: photo \"p4.jpg\" cannot be read",
          "Card 6: photo \"p6.jpg\" cannot be read", "Card 8: photo \"p8.jpg\" cannot be read",
          "Card 10: photo \"p10.jpg\" cannot be read"}},
        {"stopped after a sheet", "F", "UD", 2, 6, true, 1, {"Card 2: photo \"p2.jpg\" cannot be read"}},
    };
    QTemporaryDir dir;
    for (const Row &r : rows) {
        Print_Job job = a4Job(r.rows, 1, r.side, r.algn);
        job.source = &source;
        job.records = r.records;
        job.totalLabel = job.layout.duplex() ? 2 * r.records : r.records;
        const QString file = dir.filePath("lacking.pdf");
        qputenv(Virtual_PDF_Printer_Setting, file.toUtf8());
        Print_Settings settings;
        ASSERT_TRUE(Select_Printer(settings, Virtual_PDF_Printer_Name));
        auto printer = Make_Printer(settings);
        Print_Progress progress;
        // The second sheet's cards are made while the first is painted: Stop is seen
        // before the second sheet.
        source.stopAtThird = r.stopAfterFirst ? &progress.stop : nullptr;
        EXPECT_EQ(Print_Pages(*printer, job, &progress), QString()) << r.what;
        qunsetenv(Virtual_PDF_Printer_Setting);
        EXPECT_EQ(progress.pagesDone.load(), r.stopAfterFirst ? 1 : progress.pages.load()) << r.what;
        EXPECT_EQ(progress.incompleteCards, r.count) << r.what;
        EXPECT_EQ(progress.incompleteNotes, r.notes) << r.what;
    }
}

} // namespace printing_view_test
