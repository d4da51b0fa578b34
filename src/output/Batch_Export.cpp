#include "Batch_Export.h"

#include "GuiThread.h"
#include "Log.h"
#include "MessageBox.h"
#include "PoolAhead.h"
#include "Shared_Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QThreadPool>

#include <optional>

const char *const Unable_Saving_Message =
    "Unable to continue saving barcode image.\n\nEither Destination Drive is inaccessible or there is no free space "
    "available in drive to save barcode image.";

// ---- The file sink ----

Card_File_Sink::Card_File_Sink(QString folder, QString extension, Batch_Sides sides, Side_Mirror mirror,
                               Output_Run_State &state)
    : m_folder(std::move(folder)), m_extension(std::move(extension)), m_sides(std::move(sides)), m_mirror(mirror),
      m_state(state)
{
}

QString Card_File_Sink::Card_Path(int card) const
{
    return QDir(m_folder).filePath(QStringLiteral("Card_%1.%2").arg(card + 1).arg(m_extension));
}

QString Card_File_Sink::Refusal(const RenderedSide &front, const RenderedSide &back) const
{
    const RenderedSide &side = front.isNull() ? back : front;
    if (side.isNull()) return {};
    const bool joined = m_sides.side == Run_Sides::Both && m_sides.combined;
    return Export_Picture_Refusal(side.size, m_extension, joined, m_sides.sideBySide);
}

void Card_File_Sink::Prepare_Card(int card, const RenderedSide &front, const RenderedSide &back)
{
    if (!Refusal(front, back).isEmpty()) return;  // Write_Card says why
    Prepared bytes;
    if (m_sides.side == Run_Sides::Both && m_sides.combined) {
        bytes.combined = Combined_Side_File_Data(front, back, m_extension, m_sides.sideBySide, m_mirror);
    } else {
        if (m_sides.back()) bytes.back = Rendered_Side_File_Data(back, m_extension, true, m_mirror);
        if (m_sides.front()) bytes.front = Rendered_Side_File_Data(front, m_extension, true, m_mirror);
    }
    std::lock_guard lock(m_preparedMutex);
    m_prepared[card] = std::move(bytes);
}

bool Card_File_Sink::Write_Card(int card, const RenderedSide &front, const RenderedSide &back)
{
    // A picture over the bound is not made: the run stops and its last message says why.
    if (const QString refusal = Refusal(front, back); !refusal.isEmpty()) {
        m_state.refused_text = refusal;
        m_state.Request_Stop();
        return true;
    }
    const QString base = Card_Path(card);
    std::optional<Prepared> prepared;
    {
        std::lock_guard lock(m_preparedMutex);
        if (const auto found = m_prepared.find(card); found != m_prepared.end()) {
            prepared = std::move(found->second);
            m_prepared.erase(found);
        }
    }
    // Bytes made beforehand, when there are any (empty bytes are made again here, where
    // the failure is counted).
    const auto ready = [&](const QByteArray &bytes) -> const QByteArray * {
        return prepared && !bytes.isEmpty() ? &bytes : nullptr;
    };
    bool ok = true;
    bool whole = true;  // every file asked for was written
    const auto note = [&](Export_Write result) {
        if (result == Export_Write::Failed) ok = false;
        if (result != Export_Write::Written) whole = false;
    };
    if (m_sides.side == Run_Sides::Both && m_sides.combined) {
        note(Export_Combined_Image(front, back, base, false, m_sides.sideBySide, m_state, m_mirror, nullptr,
                                   prepared ? ready(prepared->combined) : nullptr));
    } else {
        // The card's files (back first) are written together, whole or not at all: a side
        // that cannot be written takes the card's other side with it, and a file that was
        // there stays as it was. A Stop while the back is asked about waits for the front;
        // Cancel with "Apply to All" on the back leaves the front out.
        std::vector<std::pair<QString, QByteArray>> files;
        const QList<int> sides = Sides_In_Writing_Order(m_sides.side);
        for (int s : sides) {
            const bool isBack = s == 1;
            const std::optional<QString> target = Export_Run_Target(
                isBack ? Create_Back_Card_Path(base) : Create_Front_Card_Path(base), false, files.empty(), m_state);
            if (!target) continue;
            const QByteArray *bytes = prepared ? ready(isBack ? prepared->back : prepared->front) : nullptr;
            files.emplace_back(*target, bytes ? *bytes
                                              : Rendered_Side_File_Data(isBack ? back : front, QFileInfo(*target).suffix(),
                                                                        true, m_mirror));
        }
        if (files.size() < size_t(sides.size())) whole = false;
        if (!files.empty()) note(Write_Card_Files(m_state, files));
    }
    if (!ok) {
        // The drive is full or gone: the run stops here rather than try every card left.
        int none = -1;
        m_state.first_failed_card.compare_exchange_strong(none, card);
        m_state.Request_Stop();
    } else if (whole) {
        ++m_state.written_cards;
    }
    return ok;
}

// ---- The card loop ----

namespace {
struct Card_Sides {
    RenderedSide front, back;
};

Card_Sides makeCard(int card, const Batch_Sides &sides, const Card_Side_Maker &maker, Card_Sink &sink)
{
    Card_Sides made;
    if (sides.back()) made.back = maker(card, 1);
    if (sides.front()) made.front = maker(card, 0);
    sink.Prepare_Card(card, made.front, made.back);
    return made;
}
} // namespace

void Run_Batch_Cards(const Batch_Range &range, const Batch_Sides &sides, const Card_Side_Maker &maker,
                     Card_Sink &sink, Output_Run_State &state, QThreadPool *pool)
{
    // Cards are made on the pool ahead of this loop, which writes them in card order.
    const int window = pool ? 2 * std::max(1, pool->maxThreadCount()) : 1;
    Pool_Ahead<Card_Sides> ahead(
        pool, range.first, range.end, window, [&](int card) { return makeCard(card, sides, maker, sink); },
        [&state] { return state.Stop_Requested(); });
    for (int card = range.first; card < range.end; ++card) {
        state.Wait_While_Paused();
        if (state.Stop_Requested()) break;
        ++state.curr_card_count;
        // The sides live for this card only.
        const Card_Sides made = ahead.Take(card);
        QStringList missing = made.back.missing + made.front.missing;
        missing.removeDuplicates();
        if (!missing.isEmpty()) {
            ++state.incomplete_cards;
            if (state.incomplete_notes.size() < Output_Run_State::Incomplete_Notes_Kept)
                state.incomplete_notes << QStringLiteral("Card %1: %2").arg(card + 1).arg(missing.join(QStringLiteral(", ")));
        }
        if (!sink.Write_Card(card, made.front, made.back)) ++state.failed_cards;
    }
}

QString Create_Card_Folder(const QString &chosen)
{
    if (chosen.isEmpty()) return {};
    const QString folder = QDir(chosen).filePath(QStringLiteral("DOZO ID Card"));
    if (QFileInfo(folder).isDir()) return folder;
    if (!QDir().mkpath(folder)) return {};
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

// ---- The end of a run ----

Batch_Export_Ending Batch_Export_End_Message(const Output_Run_State &state, const Batch_Range &range)
{
    const auto cardName = [](int card) { return QStringLiteral("Card_%1").arg(card + 1); };
    const int written = state.written_cards;
    const int failed = state.first_failed_card;
    if (failed >= 0) {
        QString text = QString::fromUtf8(Unable_Saving_Message) + QStringLiteral("\n\n");
        if (written > 0)
            text += QStringLiteral("Cards written whole: %1, the last before %2.\n").arg(written).arg(cardName(failed));
        else
            text += QStringLiteral("No card was written whole.\n");
        text += QStringLiteral("%1 was not written whole, and no card after it was written.").arg(cardName(failed));
        return {text, false};
    }
    if (!state.refused_text.isEmpty())
        return {QStringLiteral("%1\n\nCards written: %2 of %3.").arg(state.refused_text).arg(written).arg(range.count()),
                false};
    const bool stopped = state.Stop_Requested() && written < range.count();
    const int incomplete = state.incomplete_cards;
    QString text;
    if (stopped)
        text = QStringLiteral("The export was stopped.\n\nCards written: %1 of %2.").arg(written).arg(range.count());
    else if (incomplete > 0)
        text = QStringLiteral("Cards written: %1 of %2.").arg(written).arg(range.count());
    else
        text = QStringLiteral("Card has been exported successfully.");
    if (incomplete > 0) text += QStringLiteral("\n\n") + Incomplete_Cards_Text(incomplete, state.incomplete_notes);
    return {text, state.check_any_card_exported.load()};
}

// ---- One run on its thread ----

Batch_Export_Run::Batch_Export_Run(Batch_Export_Options options, Card_Side_Maker maker, std::function<void()> finish,
                                   Send_Modeless *panel, QWidget *boxParent)
    : m_options(std::move(options)), m_maker(std::move(maker)), m_finish(std::move(finish)), m_panel(panel),
      m_boxParent(boxParent), m_state(std::make_shared<Output_Run_State>())
{
}

Batch_Export_Run::~Batch_Export_Run()
{
    if (!m_job.Started()) return;
    Stop_And_Wait();
    m_job.Wait();
}

void Batch_Export_Run::start()
{
    if (m_job.Started()) return;
    m_job.Start(m_options.pool, [this] {
        // The job mostly waits for the cards it queues on the same pool.
        const Pool_Thread_Lent lent(m_options.pool);
        run();
    });
}

void Batch_Export_Run::Stop_And_Wait()
{
    m_quiet = true;
    m_state->Request_Stop();
    while (!m_finished) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Batch_Export_Run::run()
{
    Output_Run_State &state = *m_state;
    bool finished = false;
    const auto finishOnGui = [&] {
        if (finished) return;
        finished = true;
        if (m_panel) m_panel->Hide_One_By_One_Modeless();
        if (m_finish) Run_On_Gui_Thread_And_Wait(m_finish);
    };
    try {
        m_cardFolder = Create_Card_Folder(m_options.folder);
        if (m_cardFolder.isEmpty()) {
            finishOnGui();
            if (!m_quiet) Show_MessageBox(QString::fromUtf8(Unable_Saving_Message));
        } else {
            const int total = m_options.range.count();
            state.show_count = total;
            if (m_panel) m_panel->Show_One_By_One_Modeless(m_state, total, QStringLiteral("%1 / %2 Card").arg(0).arg(total));
            Card_File_Sink sink(m_cardFolder, m_options.extension, m_options.sides, m_options.mirror, state);
            Run_Batch_Cards(m_options.range, m_options.sides, m_maker, sink, state, m_options.pool);
            finishOnGui();
            const Batch_Export_Ending ending = Batch_Export_End_Message(state, m_options.range);
            if (m_quiet) {
            } else if (ending.offerOpen) {
                state.Export_File_Path = m_cardFolder;
                state.Export_File_Message = ending.text;
                Open_Export_File_Box(state, m_boxParent);
            } else {
                Show_MessageBox(ending.text);
            }
        }
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("The batch export ended: %1").arg(QString::fromUtf8(e.what())));
        finishOnGui();
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("The batch export ended."));
        finishOnGui();
    }
    m_finished = true;
}
