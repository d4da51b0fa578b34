#pragma once
// The pages of a print job: one sheet per page holding a grid of card cells. A cell
// shows the design's sides, or, when the design takes values from series or a
// spreadsheet, the card of the cell's record. A cell's record follows from its page
// and its place on the page alone, so pages may be painted in any order and as often
// as a preview asks.
//
// Painting is in points with the origin at the paper's top left corner.
#include "PageGeometry.h"
#include "RenderedSide.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QThreadPool;

// The cards of records, made by whoever holds the design's data (a filled copy of the
// design rendered for the record). Called from worker threads, several at once.
class Print_Card_Source {
public:
    virtual ~Print_Card_Source() = default;
    // Side 0 (front) or 1 (back) of the card of `record` (from 0); null when it cannot
    // be made.
    virtual RenderedSide Print_Card(int record, int side) const = 0;
    // The data the cards of the next job take values from: the series, the spreadsheet
    // rows or both (GUI thread, before the job starts).
    virtual void Use_Sources(bool series, bool excel)
    {
        (void)series;
        (void)excel;
    }
};

struct Print_Job {
    Page_Layout layout;
    RenderedSide front, back;   // the design's sides as they stand
    bool twoSidedCard = true;
    int selCardSide = 0;        // the side shown in the main window
    bool mirror = false, mirrorVertical = false;
    bool cropMarks = false;
    // Cells from records: a source, the number of records, the first record (from 0).
    const Print_Card_Source *source = nullptr;
    // The application's pool the cards of records are made on (none: on the thread
    // that paints).
    QThreadPool *pool = nullptr;
    int records = 0;
    int printStart = 0;
    int totalLabel = 1;         // the cells of the job (a front and a back page per card in duplex)
    bool preview = false;
    // A visitor pass job: one page holding the pass instead of cells.
    bool passMode = false;
    RenderedSide visitorPass;
};

constexpr int Preview_Page_Limit = 50;
inline const QString Preview_Limit_Message = QStringLiteral(
    "For Qualitative and Performance reason, previewer shows print previews of only first 50 sheets. "
    "However, printing has no such restriction.");

// Pages of the job (no limit).
int Print_Page_Count(const Print_Job &job);

// One cell of a page with the record it shows (-1: none, the cell stays white).
struct Page_Cell {
    Cell_Place place;
    int record = -1;
    bool used = false;  // the cell belongs to the job
};
std::vector<Page_Cell> Page_Cells(const Print_Job &job, int page);

// The pictures of a page's cells: first and second card of each cell, as drawn.
struct Page_Cards {
    std::vector<RenderedSide> first, second;
};
// Makes the cards of the page's cells (from the records, or the design's sides).
Page_Cards Make_Page_Cards(const Print_Job &job, int page);
// Paints page `page` (from 1) on a white sheet.
void Paint_Page(QPainter &painter, const Print_Job &job, int page, const Page_Cards &cards);
inline void Paint_Page(QPainter &painter, const Print_Job &job, int page)
{
    Paint_Page(painter, job, page, Make_Page_Cards(job, page));
}

// The eight light crop lines of a card (lower-left rectangle), 20 points outward from
// each corner along its edges, in top-left page coordinates.
std::vector<QLineF> Crop_Mark_Lines(const QRectF &cardTopLeft);

// Prints every page of the job on the printer, cards of the next page made on the
// job's pool while the current page is painted. Stops before the next page when `stop`
// is set. Returns "" or the reason the job failed, a job whose output was not written
// whole among them (Print_Output).
// The cards printed without something they show (a picture that cannot be read, a
// barcode value its symbology refuses) are counted once per record, and the first few
// noted as "Card N: what" (N the record from 1), by the painting thread; read them once
// the job has ended.
struct Print_Progress {
    std::atomic<int> pagesDone{0};
    std::atomic<int> pages{0};
    std::atomic<bool> stop{false};
    int incompleteCards = 0;
    QStringList incompleteNotes;
};
QString Print_Pages(QPrinter &printer, const Print_Job &job, Print_Progress *progress = nullptr);
// The same on the job's thread, taken from the job's pool (the process's global pool
// without one), while the calling (GUI) thread keeps handling events;
// `tick` runs on the calling thread every 50 ms until the job ends.
QString Print_Pages_On_Worker(QPrinter &printer, const Print_Job &job, Print_Progress &progress,
                              const std::function<void()> &tick = {});

// The visitor pass page: the pass (w x h points) centred across the printable width,
// its top on the top margin; raised to 600 dots per inch when printing, unless that
// picture would be over the bound of PictureLimit.h (then drawn as it is, logged).
void Paint_Visitor_Pass(QPainter &painter, const RenderedSide &pass, const Page_Layout &paper, bool printing);
QRectF Visitor_Pass_Rect(const QSizeF &pass, const Page_Layout &paper);  // top-left coordinates
