#include "PrintingView.h"

#include "Log.h"
#include "PictureLimit.h"
#include "PoolJob.h"
#include "PoolWork.h"
#include "PrinterLayer.h"
#include "Output_Run_State.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QEventLoop>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

int Print_Page_Count(const Print_Job &job)
{
    if (job.passMode) return 1;
    const int perPage = std::max(1, job.layout.cellsPerPage());
    return std::max(0, (job.totalLabel + perPage - 1) / perPage);
}

std::vector<Page_Cell> Page_Cells(const Print_Job &job, int page)
{
    const std::vector<Cell_Place> places = Cell_Places(job.layout);
    const int perPage = int(places.size());
    std::vector<Page_Cell> cells;
    cells.reserve(places.size());
    for (int i = 0; i < perPage; ++i) {
        Page_Cell cell;
        cell.place = places[size_t(i)];
        const int k = (page - 1) * perPage + i;  // the cell's number in the job
        cell.used = page >= 1 && k < job.totalLabel;
        // A duplex job gives each card a front page and the back page after it.
        const int record = job.printStart + (job.layout.duplex() ? k / 2 : k);
        if (cell.used && (!job.source || (record >= 0 && record < job.records))) cell.record = record;
        cells.push_back(cell);
    }
    return cells;
}

namespace {

bool isBackPage(const Print_Job &job, int page) { return job.layout.duplex() && page % 2 == 0; }

// The cards of cells [from, to) of the page.
void makeCards(const Print_Job &job, int page, const std::vector<Page_Cell> &cells, size_t from, size_t to,
               Page_Cards &out)
{
    const Run_Sides side = job.layout.side;
    for (size_t i = from; i < to; ++i) {
        const Page_Cell &cell = cells[i];
        if (!cell.used || cell.record < 0) continue;
        const bool both = side == Run_Sides::Both;
        const bool backFirst = side == Run_Sides::Back;
        const bool wantFirst = !isBackPage(job, page);
        const bool wantSecond = both && !(job.layout.duplex() && !isBackPage(job, page));
        if (!job.source) {
            if (wantFirst) out.first[i] = backFirst ? job.back : job.front;
            if (wantSecond) out.second[i] = job.back;
            continue;
        }
        if (wantFirst) out.first[i] = job.source->Print_Card(cell.record, backFirst ? 1 : 0);
        if (wantSecond) out.second[i] = job.source->Print_Card(cell.record, 1);
    }
}

void drawSide(QPainter &painter, const RenderedSide &side, const QRectF &target, bool turned, Side_Mirror mirror)
{
    painter.save();
    if (turned) {
        painter.translate(target.center());
        painter.rotate(180);
        painter.translate(-target.center());
    }
    Draw_Rendered_Side(painter, side, target, mirror);
    painter.restore();
}

void drawCropMarks(QPainter &painter, const QRectF &card)
{
    painter.save();
    painter.setPen(QPen(QColor(Qt::lightGray), 1.0));
    for (const QLineF &line : Crop_Mark_Lines(card)) painter.drawLine(line);
    painter.restore();
}

void drawInvalid(QPainter &painter, const QRectF &rect)
{
    painter.save();
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(Qt::red));
    painter.drawText(rect, Qt::AlignCenter, QStringLiteral("Invalid Data"));
    painter.restore();
}

} // namespace

namespace {
// The cards of a page, made on the job's pool (each cell a part) while whoever asked
// goes on; take() helps with the cells left and hands the cards over. Not movable: the
// parts refer to it.
class Page_Ahead {
public:
    Page_Ahead(const Print_Job &job, int page) : m_cells(job.passMode ? std::vector<Page_Cell>() : Page_Cells(job, page))
    {
        m_cards.first.resize(m_cells.size());
        m_cards.second.resize(m_cells.size());
        // The design's own sides need no work.
        m_work = std::make_unique<Pool_Work>(job.source ? job.pool : nullptr, int(m_cells.size()),
                                             [this, &job, page](int i) {
                                                 makeCards(job, page, m_cells, size_t(i), size_t(i) + 1, m_cards);
                                             });
    }
    Page_Ahead(const Page_Ahead &) = delete;
    Page_Ahead &operator=(const Page_Ahead &) = delete;
    Page_Cards take()
    {
        m_work->wait();
        return std::move(m_cards);
    }

private:
    std::vector<Page_Cell> m_cells;
    Page_Cards m_cards;
    std::unique_ptr<Pool_Work> m_work;
};
} // namespace

namespace {
// Adds what the page's cards of records were made without to `incomplete`.
void noteIncomplete(const Print_Job &job, int page, const Page_Cards &cards, std::map<int, QStringList> &incomplete)
{
    if (!job.source || job.passMode) return;
    const std::vector<Page_Cell> cells = Page_Cells(job, page);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (!cells[i].used || cells[i].record < 0) continue;
        QStringList missing;
        if (i < cards.first.size()) missing += cards.first[i].missing;
        if (i < cards.second.size()) missing += cards.second[i].missing;
        if (missing.isEmpty()) continue;
        QStringList &noted = incomplete[cells[i].record];
        noted += missing;
        noted.removeDuplicates();
    }
}
} // namespace

Page_Cards Make_Page_Cards(const Print_Job &job, int page)
{
    if (job.passMode) return {};
    return Page_Ahead(job, page).take();
}

std::vector<QLineF> Crop_Mark_Lines(const QRectF &c)
{
    constexpr double len = 20;
    const double l = c.left(), r = c.right(), t = c.top(), b = c.bottom();
    return {QLineF(l, b, l - len, b), QLineF(l, b, l, b + len), QLineF(r, b, r + len, b), QLineF(r, b, r, b + len),
            QLineF(l, t, l - len, t), QLineF(l, t, l, t - len), QLineF(r, t, r + len, t), QLineF(r, t, r, t - len)};
}

void Paint_Page(QPainter &painter, const Print_Job &job, int page, const Page_Cards &cards)
{
    if (job.passMode) {
        Paint_Visitor_Pass(painter, job.visitorPass, job.layout, !job.preview);
        return;
    }
    const Page_Layout &l = job.layout;
    const double H = l.paperHeight;
    painter.fillRect(QRectF(0, 0, l.paperWidth, H), Qt::white);
    const std::vector<Page_Cell> cells = Page_Cells(job, page);
    const Side_Mirror mirror = !job.mirror           ? Side_Mirror::None
                               : job.mirrorVertical ? Side_Mirror::Vertical
                                                    : Side_Mirror::Horizontal;
    const bool both = l.side == Run_Sides::Both;
    const bool backPage = isBackPage(job, page);
    const bool frontPage = l.duplex() && !backPage;
    const bool turnOne = l.oneSideTurned;
    const bool turnBack = l.algn == Sides_Arrangement::Above_Back_Turned || l.algn == Sides_Arrangement::Duplex_Back_Turned;
    for (size_t i = 0; i < cells.size(); ++i) {
        const Page_Cell &cell = cells[i];
        if (!cell.used || cell.record < 0) continue;
        const QRectF first = To_Top_Left(cell.place.first, H);
        const QRectF second = To_Top_Left(cell.place.second, H);
        const RenderedSide &shown = backPage ? cards.second[i] : cards.first[i];
        if (shown.isNull()) {
            // The cell keeps its record and says why it holds no card.
            drawInvalid(painter, first);
            if (job.cropMarks) drawCropMarks(painter, first);
            continue;
        }
        if (!backPage) {
            drawSide(painter, cards.first[i], first, turnOne, mirror);
            if (job.cropMarks) drawCropMarks(painter, first);
        }
        if (both && cell.place.hasSecond && !frontPage) {
            drawSide(painter, cards.second[i], second, turnBack, mirror);
            if (job.cropMarks) drawCropMarks(painter, second);
        }
    }
}

QString Print_Pages(QPrinter &printer, const Print_Job &job, Print_Progress *progress)
{
    const int pages = Print_Page_Count(job);
    if (progress) progress->pages = pages;
    Print_Output output(printer);
    QPainter painter;
    if (!output.begin(painter)) return QStringLiteral("The printer could not start the job.");
    Begin_Points(painter, printer);
    // The cards of the next page are made on the pool while this thread paints a page.
    auto next = std::make_unique<Page_Ahead>(job, 1);
    QString error;
    std::map<int, QStringList> incomplete;  // what the printed cards lack, by record
    for (int page = 1; page <= pages; ++page) {
        Page_Cards cards = next->take();
        next.reset();
        if (progress && progress->stop) break;
        if (page < pages) next = std::make_unique<Page_Ahead>(job, page + 1);
        if (page > 1 && !printer.newPage()) {
            error = QStringLiteral("The printer refused a new page.");
            break;
        }
        Paint_Page(painter, job, page, cards);
        if (progress) ++progress->pagesDone;
        noteIncomplete(job, page, cards, incomplete);
    }
    if (progress) {
        progress->incompleteCards = int(incomplete.size());
        for (const auto &[record, missing] : incomplete) {
            if (progress->incompleteNotes.size() >= Output_Run_State::Incomplete_Notes_Kept) break;
            progress->incompleteNotes << QStringLiteral("Card %1: %2").arg(record + 1).arg(missing.join(QStringLiteral(", ")));
        }
    }
    next.reset();  // waits for cards still being made
    const QString ended = output.end(painter);
    return error.isEmpty() ? ended : error;
}

QString Print_Pages_On_Worker(QPrinter &printer, const Print_Job &job, Print_Progress &progress,
                              const std::function<void()> &tick)
{
    QString error;
    std::atomic<bool> finished{false};
    // The job's thread comes from the job's pool; it mostly waits for the cards it
    // queues there.
    Pool_Job worker;
    worker.Start(job.pool, [&] {
        const Pool_Thread_Lent lent(job.pool);
        error = Print_Pages(printer, job, &progress);
        finished = true;
    });
    QEventLoop loop;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (tick) tick();
        if (finished) loop.quit();
    });
    timer.start(50);
    loop.exec();
    worker.Wait();
    return error;
}

QRectF Visitor_Pass_Rect(const QSizeF &pass, const Page_Layout &paper)
{
    const double printable = paper.paperWidth - paper.leftMar - paper.riteMar;
    return QRectF(paper.leftMar + (printable - pass.width()) / 2, paper.topMar, pass.width(), pass.height());
}

void Paint_Visitor_Pass(QPainter &painter, const RenderedSide &pass, const Page_Layout &paper, bool printing)
{
    painter.fillRect(QRectF(0, 0, paper.paperWidth, paper.paperHeight), Qt::white);
    if (pass.isNull()) return;
    const QRectF target = Visitor_Pass_Rect(pass.size, paper);
    constexpr double dpi = 600;
    const QSizeF pixels(std::ceil(pass.size.width() * dpi / 72), std::ceil(pass.size.height() * dpi / 72));
    const bool raised = printing && Picture_Size_Allowed(pixels);
    // A pass too large for a picture is printed as it is drawn, without one.
    if (printing && !raised)
        Show_NSLog_Message(QStringLiteral("The visitor pass is printed without raising it to 600 dpi: %1.")
                               .arg(Picture_Too_Large_Text(pixels)));
    if (raised) {
        // Raised to 600 dots per inch. The picture is played on an image of the
        // resolution it was recorded at (Print_Device_DPI), scaled to 600.
        QImage image(pixels.toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const int recorded = int(std::lround(Print_Device_DPI / 0.0254));
        image.setDotsPerMeterX(recorded);
        image.setDotsPerMeterY(recorded);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.scale(dpi / 72, dpi / 72);
            Draw_Rendered_Side(p, pass, QRectF(QPointF(0, 0), pass.size));
        }
        image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
        image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
        painter.drawImage(target, image);
    } else {
        Draw_Rendered_Side(painter, pass, target);
    }
}
