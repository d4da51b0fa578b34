// Batch export runs with a card maker of the test's own: the files of a range, the
// progress panel, Stop, the keep/replace answers over a rerun, a card folder that
// cannot be made and files that cannot be written.
#include "Batch_Export.h"
#include "Card_Property.h"
#include "DiskFull.h"
#include "GuiThread.h"
#include "MessageBox.h"
#include "ProcessMemory.h"
#include "Shared_Dialogs.h"
#include "TestSupport.h"
#include "TsanHandoff.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>
#include <atomic>
#include <mutex>
#include <set>

namespace batch_export_test {

namespace {
constexpr double kMM = 2.834645669291;

// Card N's side: grey level 10 * (N + 1) on the front, red on the back; a small card
// unless the size matters.
RenderedSide cardSide(int card, int side, QSizeF size = QSizeF(20 * kMM, 10 * kMM))
{
    RenderedSide s;
    s.size = size;
    QPainter p(&s.picture);
    p.fillRect(QRectF(QPointF(), s.size), side == 0 ? QColor::fromRgb(10 * (card + 1), 10 * (card + 1), 10 * (card + 1))
                                                    : QColor(Qt::red));
    p.end();
    return s;
}

struct BatchExportTest : ::testing::Test {
    QTemporaryDir dir;
    QWidget owner;
    Send_Modeless panel{&owner};
    int finishes = 0;
    std::function<void(int card)> onCard;  // called on the run's thread as card N is made
    std::function<void()> onPauseWait;      // the run's Output_Run_State::on_pause_wait
    QSizeF cardSize = QSizeF(20 * kMM, 10 * kMM);
    QThreadPool pool;      // the application's pool, where the cards are made ahead
    bool usePool = true;

    QString cards() const { return QDir(dir.path()).filePath("DOZO ID Card"); }
    QStringList files() const { return QDir(cards()).entryList(QDir::Files, QDir::Name); }

    std::shared_ptr<Output_Run_State> run(Batch_Export_Options options)
    {
        if (options.folder.isEmpty()) options.folder = dir.path();
        if (usePool) options.pool = &pool;
        Batch_Export_Run r(
            options,
            [this](int card, int side) {
                if (side == 0 && onCard) onCard(card);
                return cardSide(card, side, cardSize);
            },
            [this] {
                EXPECT_TRUE(Is_Gui_Thread());
                ++finishes;
            },
            &panel, &owner);
        r.state()->on_pause_wait = onPauseWait;
        r.start();
        while (!r.finished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return r.state();
    }
    static Batch_Export_Options range57(const char *side = "BOTH", bool combined = false)
    {
        Batch_Export_Options o;
        o.extension = "png";
        o.sides.side = Run_Sides_Of_Code(side).value();
        o.sides.combined = combined;
        o.range = Batch_Range{4, 7};
        return o;
    }
};

TEST_F(BatchExportTest, RangeFiveToSevenBothSides)
{
    cardSize = QSizeF(85.6 * kMM, 54 * kMM);
    int maxSeen = 0;
    QString startText;
    onCard = [&](int) {
        Run_On_Gui_Thread_And_Wait([&] {
            maxSeen = panel._Curr_Progress->maximum();
            if (startText.isEmpty()) startText = panel._curr_msg_cnt->text();
        });
    };
    const auto state = run(range57());
    EXPECT_EQ(files(), (QStringList{"Card_5_Back.png", "Card_5_Front.png", "Card_6_Back.png", "Card_6_Front.png",
                                    "Card_7_Back.png", "Card_7_Front.png"}));
    EXPECT_EQ(maxSeen, 3);
    EXPECT_EQ(startText, "0 / 3 Card");
    EXPECT_EQ(state->curr_card_count.load(), 3);
    EXPECT_EQ(finishes, 1);
    EXPECT_FALSE(panel.isVisible());
    const QImage front6(QDir(cards()).filePath("Card_6_Front.png"));
    EXPECT_EQ(front6.size(), QSize(2023, 1276));
    EXPECT_EQ(front6.dotsPerMeterX(), 23622);
    EXPECT_EQ(front6.pixelColor(1000, 600), QColor::fromRgb(60, 60, 60));
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"Open containing folder.\n" + cards() + "\nCard has been exported successfully."});
    // The card folder is the owner's alone; the files are readable by others.
    EXPECT_EQ(QFileInfo(cards()).permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther
                                                  | QFileDevice::ReadGroup | QFileDevice::WriteGroup),
              QFileDevice::Permissions());
    EXPECT_TRUE(QFileInfo(QDir(cards()).filePath("Card_5_Back.png")).permissions() & QFileDevice::ReadOther);
    EXPECT_FALSE(QFileInfo(QDir(cards()).filePath("Card_5_Back.png")).permissions() & QFileDevice::WriteOther);
}

TEST_F(BatchExportTest, ARunOnAPoolOfOneThreadMakesEveryCard)
{
    // The run's job takes the pool's only thread and its cards are made there too.
    pool.setMaxThreadCount(1);
    const auto state = run(range57("F"));
    EXPECT_EQ(files(), (QStringList{"Card_5_Front.png", "Card_6_Front.png", "Card_7_Front.png"}));
    EXPECT_EQ(state->written_cards.load(), 3);
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"Open containing folder.\n" + cards() + "\nCard has been exported successfully."});
}

TEST_F(BatchExportTest, CombinedAndSingleSides)
{
    run(range57("BOTH", true));
    EXPECT_EQ(files(), (QStringList{"Card_5.png", "Card_6.png", "Card_7.png"}));
    EXPECT_EQ(QImage(QDir(cards()).filePath("Card_6.png")).size(), QSize(473, 474));
    QDir(cards()).removeRecursively();
    run(range57("B"));
    EXPECT_EQ(files(), (QStringList{"Card_5_Back.png", "Card_6_Back.png", "Card_7_Back.png"}));
    QDir(cards()).removeRecursively();
    run(range57("F"));
    EXPECT_EQ(files(), (QStringList{"Card_5_Front.png", "Card_6_Front.png", "Card_7_Front.png"}));
}

TEST_F(BatchExportTest, RerunWithKeepForAllAsksOnce)
{
    run(range57());
    testsupport::boxes().clear();
    testsupport::boxes().answerNext(Keep_Replace_Keep_All);
    run(range57());
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], "File already exists :\nCard_5_Back.png\n\nFile already exists in this location.\n\n"
                        "Do you want to replace it with one you processed?");
    EXPECT_TRUE(shown[1].startsWith("Open containing folder.\n"));
    EXPECT_EQ(files(), (QStringList{"Card_5_Back (1).png", "Card_5_Back.png", "Card_5_Front (1).png",
                                    "Card_5_Front.png", "Card_6_Back (1).png", "Card_6_Back.png",
                                    "Card_6_Front (1).png", "Card_6_Front.png", "Card_7_Back (1).png",
                                    "Card_7_Back.png", "Card_7_Front (1).png", "Card_7_Front.png"}));
}

TEST_F(BatchExportTest, CancelSkipsOneFileCancelForAllStops)
{
    run(range57());
    const QString front6 = QDir(cards()).filePath("Card_6_Front.png");
    QFile::remove(QDir(cards()).filePath("Card_5_Back.png"));
    // Cancel without "Apply to All" on card 5's front: its back is new, card 6 is asked next.
    testsupport::boxes().clear();
    for (int a : {Keep_Replace_Cancel, Keep_Replace_Replace, Keep_Replace_Cancel_All}) testsupport::boxes().answerNext(a);
    QFile::remove(front6);
    auto state = run(range57());
    QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 4);
    EXPECT_TRUE(shown[0].contains("\nCard_5_Front.png\n"));
    EXPECT_TRUE(shown[1].contains("\nCard_6_Back.png\n"));
    EXPECT_TRUE(shown[2].contains("\nCard_7_Back.png\n"));  // card 6's front was free
    EXPECT_TRUE(shown[3].startsWith("Open containing folder."));
    EXPECT_TRUE(state->Stop_Requested());
    EXPECT_EQ(state->curr_card_count.load(), 3);
    EXPECT_EQ(files().size(), 6);
    EXPECT_EQ(finishes, 2);
}

TEST_F(BatchExportTest, StopEndsTheRunBeforeTheNextCard)
{
    onCard = [&](int card) {
        if (card != 5) return;
        testsupport::boxes().answerNext(1);  // "Are you sure you want to stop?" Yes
        Run_On_Gui_Thread_And_Wait([&] { panel._stop_btn->click(); });
    };
    Batch_Export_Options o = range57();
    o.range = Batch_Range{2, 12};
    usePool = false;  // each card made as it is written
    const auto state = run(o);
    // Stop came while card 6 was made: its files are not written, and no card after it is begun.
    EXPECT_EQ(files(), (QStringList{"Card_3_Back.png", "Card_3_Front.png", "Card_4_Back.png", "Card_4_Front.png",
                                    "Card_5_Back.png", "Card_5_Front.png"}));
    EXPECT_EQ(state->curr_card_count.load(), 4);
    // The stopped run says so, with the cards written.
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"Are you sure you want to stop?", "Open containing folder.\n" + cards()
                                                                 + "\nThe export was stopped.\n\nCards written: 3 of 10."}));
    EXPECT_EQ(finishes, 1);
}

TEST_F(BatchExportTest, TheRunWaitsWhileStopIsAsked)
{
    // Stop pressed from the GUI thread while card 3 is made. The question is answered
    // once the run has found it open twice (it tells each look); no file may be written
    // from its first look on, and the card under way then has ended.
    onCard = [&](int card) {
        if (card == 3) QMetaObject::invokeMethod(&panel, Handed_Over(&panel, [this] { panel._stop_btn->click(); }), Qt::QueuedConnection);
    };
    std::atomic<int> looks{0};
    std::atomic<qsizetype> atFirstLook{-1};
    onPauseWait = [&] {
        if (looks == 0) atFirstLook = files().size();
        ++looks;
    };
    qsizetype atAnswer = -1;
    int begunAtAnswer = -1;
    Set_MessageBox_Answerer([&](MessageBoxKind, const QString &text) {
        testsupport::boxes().shown << text;
        if (text != "Are you sure you want to stop?") return 0;
        // A run that does not wait writes its last card instead.
        const Output_Run_State &state = *panel.runState();
        testsupport::waitUntil([&] { return looks >= 2 || state.written_cards == 400; },
                               "the run waiting on Stop's question or writing its last card");
        EXPECT_GE(looks.load(), 2) << "the run did not wait on Stop's question";
        atAnswer = files().size();
        begunAtAnswer = state.curr_card_count;
        return 1;
    });
    Batch_Export_Options o = range57("F");
    o.range = Batch_Range{0, 400};
    usePool = false;
    const auto state = run(o);
    testsupport::installRecordingAnswerer();
    ASSERT_GT(atAnswer, 0);
    EXPECT_EQ(atFirstLook.load(), atAnswer);
    EXPECT_EQ(begunAtAnswer, atAnswer);
    EXPECT_EQ(files().size(), atAnswer);
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1], "Open containing folder.\n" + cards() + QStringLiteral("\nThe export was stopped.\n\nCards written: %1 of 400.").arg(atAnswer));
}

TEST_F(BatchExportTest, CardsMadeWithoutSomethingAreCountedAndTheFirstNamed)
{
    // Cards 3, 5 to 10 lack something; the run goes on and writes every card.
    const auto lacking = [](int card) -> QStringList {
        if (card == 2) return {"photo \"p3.jpg\" cannot be read", "no barcode value"};
        if (card >= 4) return {QStringLiteral("barcode value \"x%1\" refused").arg(card + 1)};
        return {};
    };
    const auto runWith = [&](Batch_Range range) {
        Batch_Export_Options o = range57("F");
        o.range = range;
        o.folder = dir.path();
        Batch_Export_Run r(
            o,
            [&](int card, int side) {
                RenderedSide made = cardSide(card, side);
                made.missing = lacking(card);
                return made;
            },
            [] {}, &panel, &owner);
        r.start();
        while (!r.finished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return r.state();
    };
    struct Case {
        Batch_Range range;
        QString told;
    } cases[] = {
        {{0, 2}, "Card has been exported successfully."},
        {{0, 10},
         "Cards written: 10 of 10.\n\nCards made without something they show: 7\n"
         "Card 3: photo \"p3.jpg\" cannot be read, no barcode value\nCard 5: barcode value \"x5\" refused\n"
         "Card 6: barcode value \"x6\" refused\nCard 7: barcode value \"x7\" refused\n"
         "Card 8: barcode value \"x8\" refused\nand 2 more"},
        {{1, 4}, "Cards written: 3 of 3.\n\nCards made without something they show: 1\n"
                 "Card 3: photo \"p3.jpg\" cannot be read, no barcode value"},
    };
    for (const Case &c : cases) {
        QDir(cards()).removeRecursively();
        const auto state = runWith(c.range);
        EXPECT_EQ(files().size(), c.range.count());
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"Open containing folder.\n" + cards() + "\n" + c.told});
    }
}

TEST_F(BatchExportTest, CombinedPicturesTellWhatWasWritten)
{
    const QString unable = "\n" + QString::fromUtf8(Unable_Saving_Message);
    struct Case {
        const char *blocked;  // a folder where this file should go
        QStringList written;
        QString told;
    } cases[] = {
        {nullptr, {"Card_5.png", "Card_6.png", "Card_7.png"}, "open:Card has been exported successfully."},
        {"Card_6.png", {"Card_5.png"},
         unable + "\n\nCards written whole: 1, the last before Card_6.\nCard_6 was not written whole, and no card after "
                  "it was written."},
        {"Card_5.png", {},
         unable + "\n\nNo card was written whole.\nCard_5 was not written whole, and no card after it was written."},
    };
    for (const Case &c : cases) {
        QDir(cards()).removeRecursively();
        if (c.blocked) {
            ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("DOZO ID Card/") + c.blocked));
        }
        Batch_Export_Options o = range57("BOTH", true);
        o.sides.sideBySide = true;
        const auto state = run(o);
        EXPECT_EQ(files(), c.written) << c.told.toStdString();
        QString told = c.told;
        if (told.startsWith("open:")) told = "Open containing folder.\n" + cards() + "\n" + told.mid(5);
        // One message for the whole run.
        EXPECT_EQ(testsupport::boxes().take(), QStringList{told});
        EXPECT_EQ(state->failed_cards.load(), c.blocked ? 1 : 0);
        EXPECT_EQ(state->written_cards.load(), c.written.size());
    }
}

TEST_F(BatchExportTest, AHalfWrittenCardStopsTheRun)
{
    // Card 6's back can be written, its front cannot be: card 6 leaves no file, card 7
    // is not tried.
    ASSERT_TRUE(QDir(dir.path()).mkpath("DOZO ID Card/Card_6_Front.png"));
    testsupport::boxes().answerNext(Keep_Replace_Replace_All);
    const auto state = run(range57());
    EXPECT_EQ(files(), (QStringList{"Card_5_Back.png", "Card_5_Front.png"}));
    EXPECT_EQ(state->curr_card_count.load(), 2);
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1], "\n" + QString::fromUtf8(Unable_Saving_Message)
                            + "\n\nCards written whole: 1, the last before Card_6.\nCard_6 was not written whole, and "
                              "no card after it was written.");
}

TEST_F(BatchExportTest, ACardFolderThatCannotBeMadeEndsTheRun)
{
    // The chosen "folder" is a file: no folder can be made inside it, for any user.
    const QString file = dir.filePath("plain");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    Batch_Export_Options o = range57();
    o.folder = file;
    const auto state = run(o);
    EXPECT_EQ(finishes, 1);
    EXPECT_EQ(state->curr_card_count.load(), 0);
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"\nUnable to continue saving barcode image.\n\nEither Destination Drive is inaccessible or "
                          "there is no free space available in drive to save barcode image."});
}

TEST_F(BatchExportTest, FilesThatCannotBeWrittenAreReported)
{
    // Folders where two of card 6's files should go.
    ASSERT_TRUE(QDir(dir.path()).mkpath("DOZO ID Card/Card_6_Back.png"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("DOZO ID Card/Card_6_Front.png"));
    testsupport::boxes().answerNext(Keep_Replace_Replace_All);
    const auto state = run(range57());
    // The run stops at the first file that cannot be written (the drive is full or gone)
    // and says which cards are whole.
    EXPECT_EQ(state->failed_files.load(), 1);
    EXPECT_EQ(state->failed_cards.load(), 1);
    EXPECT_EQ(state->first_failed_card.load(), 5);
    const QStringList shown = testsupport::boxes().take();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1], "\n" + QString::fromUtf8(Unable_Saving_Message)
                            + "\n\nCards written whole: 1, the last before Card_6.\nCard_6 was not written whole, and "
                              "no card after it was written.");
    EXPECT_EQ(files(), (QStringList{"Card_5_Back.png", "Card_5_Front.png"}));
}

namespace {
// A side whose file is large: a picture of noise over the card.
RenderedSide noisySide(QSizeF size)
{
    QImage noise(400, 200, QImage::Format_RGB32);
    quint32 x = 12345;
    for (int y = 0; y < noise.height(); ++y)
        for (int i = 0; i < noise.width(); ++i) noise.setPixel(i, y, (x = x * 1664525u + 1013904223u) >> 8);
    RenderedSide s;
    s.size = size;
    QPainter p(&s.picture);
    p.drawImage(QRectF(QPointF(), size), noise);
    p.end();
    return s;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}
} // namespace

// The disk fills while card 1's second file is written, or its front cannot be put in
// place: no file of the card is left as written by this run, and files that were
// there before (kept, or to be replaced) stay as they were.
TEST(CardFileSink, ACardThatCannotBeWrittenWholeLeavesNothingOfItself)
{
    enum Failure { Disk_Full, Front_Is_A_Folder };
    struct Row {
        const char *ext;
        bool combined;
        QStringList before;  // files there before the run, each holding "old <name>"
        int answer;          // the keep/replace answer (-1: no question)
        Failure failure;
    };
    const QStringList pair{"Card_1_Back.%1", "Card_1_Front.%1"};
    const Row rows[] = {
        {"png", false, {}, -1, Disk_Full},
        {"png", false, pair, Keep_Replace_Keep_All, Disk_Full},
        {"png", false, pair, Keep_Replace_Replace_All, Disk_Full},
        {"png", false, {"Card_1_Back.%1"}, Keep_Replace_Replace_All, Front_Is_A_Folder},
        {"pdf", false, {}, -1, Disk_Full},
        {"pdf", false, pair, Keep_Replace_Keep_All, Disk_Full},
        {"pdf", false, pair, Keep_Replace_Replace_All, Disk_Full},
        {"pdf", false, {"Card_1_Back.%1"}, Keep_Replace_Replace_All, Front_Is_A_Folder},
        {"png", true, {}, -1, Disk_Full},
        {"pdf", true, {"Card_1.%1"}, -1, Disk_Full},
    };
    const QSizeF size(20 * kMM, 10 * kMM);
    const RenderedSide front = noisySide(size), back = cardSide(0, 1, size);
    for (const Row &row : rows) {
        SCOPED_TRACE(QStringLiteral("%1%2, %3 before, answer %4, failure %5")
                         .arg(row.ext, row.combined ? " combined" : "")
                         .arg(row.before.size())
                         .arg(row.answer)
                         .arg(int(row.failure))
                         .toStdString());
        QTemporaryDir dir;
        QStringList before;
        for (const QString &name : row.before) {
            before << name.arg(row.ext);
            QFile f(dir.filePath(before.last()));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old " + before.last().toUtf8());
        }
        if (row.failure == Front_Is_A_Folder) {
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Card_1_Front.") + row.ext));
        }
        Batch_Sides sides;
        sides.combined = row.combined;
        Output_Run_State state;
        Card_File_Sink sink(dir.path(), row.ext, sides, Side_Mirror::None, state);
        if (row.answer >= 0) testsupport::boxes().answerNext(row.answer);
        bool written = true;
        if (row.failure == Disk_Full) {
            // Room for the back's file, not for the front's (nor for both in one picture).
            const qsizetype small = Rendered_Side_File_Data(back, row.ext, true).size();
            const qsizetype large = Rendered_Side_File_Data(front, row.ext, true).size();
            ASSERT_LT(2 * small, large);
            const testsupport::Disk_Full_After full(rlim_t(small + (large - small) / 2));
            written = sink.Write_Card(0, front, back);
        } else {
            written = sink.Write_Card(0, front, back);
        }
        testsupport::boxes().clear();
        EXPECT_FALSE(written);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), before);
        for (const QString &name : before) EXPECT_EQ(bytesOf(dir.filePath(name)), "old " + name.toUtf8()) << name.toStdString();
        EXPECT_EQ(state.failed_files.load(), 1);
        EXPECT_EQ(state.written_cards.load(), 0);
        EXPECT_EQ(state.first_failed_card.load(), 0);
        EXPECT_FALSE(state.check_any_card_exported.load());
    }
}

TEST(BatchCards, TheLoopMakesEachSideOnceBackFirst)
{
    struct Sink : Card_Sink {
        QStringList seen;
        bool Write_Card(int card, const RenderedSide &front, const RenderedSide &back) override
        {
            seen << QStringLiteral("%1:%2%3").arg(card).arg(front.isNull() ? "-" : "F").arg(back.isNull() ? "-" : "B");
            return card != 2;
        }
    } sink;
    QStringList made;
    const Card_Side_Maker maker = [&](int card, int side) {
        made << QStringLiteral("%1%2").arg(card).arg(side == 0 ? "F" : "B");
        return cardSide(card, side);
    };
    Output_Run_State state;
    Batch_Sides both;
    Run_Batch_Cards(Batch_Range{1, 4}, both, maker, sink, state);
    EXPECT_EQ(made, (QStringList{"1B", "1F", "2B", "2F", "3B", "3F"}));
    EXPECT_EQ(sink.seen, (QStringList{"1:FB", "2:FB", "3:FB"}));
    EXPECT_EQ(state.failed_cards.load(), 1);
    EXPECT_EQ(state.curr_card_count.load(), 3);

    made.clear();
    sink.seen.clear();
    Batch_Sides front;
    front.side = Run_Sides::Front;
    Run_Batch_Cards(Batch_Range{0, 2}, front, maker, sink, state);
    EXPECT_EQ(made, (QStringList{"0F", "1F"}));
    EXPECT_EQ(sink.seen, (QStringList{"0:F-", "1:F-"}));

    made.clear();
    state.Request_Stop();
    Run_Batch_Cards(Batch_Range{0, 2}, front, maker, sink, state);
    EXPECT_TRUE(made.isEmpty());
    EXPECT_EQ(Batch_Range({5, 3}).count(), 0);
}
} // namespace

namespace {
// A side that asks the run to stop while it is being drawn into its file.
struct Stop_While_Drawn final : Side_Drawing {
    Output_Run_State *state = nullptr;
    void draw(QPainter &painter) const override
    {
        state->Request_Stop();
        painter.fillRect(QRectF(0, 0, 10, 10), QColor(Qt::red));
    }
};
} // namespace

TEST(CardFileSink, AStopWhileACardIsWrittenLetsTheCardFinish)
{
    QTemporaryDir dir;
    Output_Run_State state;
    Batch_Sides both;
    Card_File_Sink sink(dir.path(), "png", both, Side_Mirror::None, state);
    auto stopper = std::make_shared<Stop_While_Drawn>();
    stopper->state = &state;
    RenderedSide back;
    back.size = QSizeF(20, 10);
    back.drawing = stopper;
    EXPECT_TRUE(sink.Write_Card(0, cardSide(0, 0), back));
    EXPECT_TRUE(state.Stop_Requested());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), (QStringList{"Card_1_Back.png", "Card_1_Front.png"}));
    // Cancel for all files on a back leaves that card's front out.
    QFile::remove(dir.filePath("Card_1_Front.png"));
    Output_Run_State second;
    Card_File_Sink again(dir.path(), "png", both, Side_Mirror::None, second);
    testsupport::boxes().answerNext(Keep_Replace_Cancel_All);
    again.Write_Card(0, cardSide(0, 0), cardSide(0, 1));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), QStringList{"Card_1_Back.png"});
}

namespace {
// A red side that notes the threads it is drawn on.
struct Thread_Noting final : Side_Drawing {
    mutable std::mutex mutex;
    mutable std::set<QThread *> threads;
    void draw(QPainter &painter) const override
    {
        {
            std::lock_guard lock(mutex);
            threads.insert(QThread::currentThread());
        }
        painter.fillRect(QRectF(0, 0, 20, 10), QColor(Qt::red));
    }
};
} // namespace

TEST(CardFileSink, TheFilesOfCardsMadeOnThePoolAreMadeThereToo)
{
    // The writing thread only writes: each card's picture is drawn and encoded on the
    // pool thread that made the card, and the files are those made without a pool.
    auto noting = std::make_shared<Thread_Noting>();
    const Card_Side_Maker maker = [&](int, int) {
        RenderedSide side;
        side.size = QSizeF(20, 10);
        side.drawing = noting;
        return side;
    };
    Batch_Sides front;
    front.side = Run_Sides::Front;
    QTemporaryDir pooled, alone;
    QThreadPool pool;
    pool.setMaxThreadCount(3);
    for (QTemporaryDir *dir : {&pooled, &alone}) {
        Output_Run_State state;
        Card_File_Sink sink(dir->path(), "png", front, Side_Mirror::None, state);
        Run_Batch_Cards(Batch_Range{0, 12}, front, maker, sink, state, dir == &pooled ? &pool : nullptr);
        EXPECT_EQ(state.written_cards.load(), 12);
        if (dir == &pooled) {
            EXPECT_FALSE(noting->threads.count(QThread::currentThread()));
            EXPECT_FALSE(noting->threads.empty());
        }
    }
    for (int card = 1; card <= 12; ++card) {
        const QString name = QStringLiteral("Card_%1_Front.png").arg(card);
        const QImage a(QDir(pooled.path()).filePath(name)), b(QDir(alone.path()).filePath(name));
        ASSERT_FALSE(a.isNull()) << card;
        EXPECT_EQ(a, b) << card;
        EXPECT_EQ(a.size(), QSize(167, 84)) << card;
        EXPECT_EQ(a.pixelColor(80, 40), QColor(Qt::red)) << card;
    }
}

TEST_F(BatchExportTest, CardsTooLargeForAPictureEndTheRunWithWhy)
{
    // One pool thread: a run that did make the pictures would make one at a time.
    pool.setMaxThreadCount(1);
    const QString why = "\nThe card is too large to be exported as a picture at 600 dpi: it would be %1 pixels, more "
                        "than the 100 million pixels a picture can have.\n\nExport it as a PDF file, or make the card "
                        "smaller.\n\nCards written: 0 of 3.";
    const struct {
        const char *side;
        bool combined;
        QSizeF size;
        QString shown;  // empty: the run writes its cards
    } rows[] = {
        {"F", false, {kLargestCardSidePoints, 154}, why.arg("236,221 x 1,284")},
        {"B", false, {154, kLargestCardSidePoints}, why.arg("1,284 x 236,221")},
        {"BOTH", true, {960, 840}, why.arg("8,000 x 14,000")},  // each side fits, joined they do not
        {"BOTH", false, {243, 154}, ""},
    };
    for (const auto &r : rows) {
        testsupport::boxes().clear();
        QDir(cards()).removeRecursively();
        finishes = 0;
        cardSize = r.size;
        const bool measured = processmemory::resetPeak();
        const long long start = processmemory::residentBytes();
        const auto state = run(range57(r.side, r.combined));
        const long long grown = processmemory::peakBytes() - start;
        EXPECT_EQ(finishes, 1) << r.side;
        if (r.shown.isEmpty()) {
            EXPECT_EQ(state->written_cards.load(), 3);
            EXPECT_EQ(files().size(), 6);
            testsupport::boxes().take();
            continue;
        }
        EXPECT_EQ(testsupport::boxes().take(), QStringList{r.shown}) << r.side;
        EXPECT_TRUE(files().isEmpty()) << r.side;
        EXPECT_EQ(state->written_cards.load(), 0);
        EXPECT_EQ(state->failed_cards.load(), 0) << "nothing failed to be written";
        EXPECT_EQ(state->curr_card_count.load(), 1) << "the run ends at its first card";
        if (processmemory::kMeasuresMemory && measured) {
            EXPECT_LT(grown, 64ll << 20) << grown / 1e6 << " MB";
        }
    }
}

} // namespace batch_export_test
