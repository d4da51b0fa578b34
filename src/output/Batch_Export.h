#pragma once
// Batch export: every card of a range, made by the caller's card maker (card N of a
// side, rendered), written by a sink. The file sink writes "Card_%d" files into the
// card folder "DOZO ID Card" with the run's keep/replace answers; a run goes on a
// worker thread of its own with the progress panel, Stop, and the final question.
#include "CardModes.h"
#include "Export_File_Writer.h"
#include "Output_Run_State.h"
#include "PoolJob.h"
#include "RenderedSide.h"

#include <QString>
#include <functional>
#include <memory>
#include <atomic>
#include <map>
#include <mutex>

class QThreadPool;
class QWidget;
class Send_Modeless;

// Card N of a side (0 front, 1 back), rendered; safe to call on the run's thread.
using Card_Side_Maker = std::function<RenderedSide(int card, int side)>;

// Which sides a run writes: both (back, then front), the front or the back.
struct Batch_Sides {
    Run_Sides side = Run_Sides::Both;
    bool combined = false;    // with both sides: one picture per card
    bool sideBySide = false;  // the combined picture's sides left and right, else front on top
    bool front() const { return Has_Front(side); }
    bool back() const { return Has_Back(side); }
};

// Where the cards of a run go, one card at a time.
class Card_Sink {
public:
    virtual ~Card_Sink() = default;
    // Writes card N (from 0); a side not asked for is null. False when the card, or part
    // of it, could not be written.
    virtual bool Write_Card(int card, const RenderedSide &front, const RenderedSide &back) = 0;
    // Called for card N on the thread that made it, before Write_Card (on several
    // threads at once): work that needs no order, such as a file's bytes, done there.
    virtual void Prepare_Card(int card, const RenderedSide &front, const RenderedSide &back) {}
};

// The files of a card in a folder: "Card_%d" with N + 1 and the extension, with
// "_Front" and "_Back", or one combined picture; pictures at 600 dpi. A card whose
// every file was written counts in the run's written_cards. A card's files are
// written whole or not at all: a file that cannot be written leaves no file of its
// card written (a file that was there stays as it was), names the card in
// first_failed_card and stops the run. A card whose picture would be over the bound of
// PictureLimit.h is not drawn: its refusal goes into the run's refused_text and the run
// stops.
class Card_File_Sink : public Card_Sink {
public:
    Card_File_Sink(QString folder, QString extension, Batch_Sides sides, Side_Mirror mirror, Output_Run_State &state);
    bool Write_Card(int card, const RenderedSide &front, const RenderedSide &back) override;
    // Makes the bytes of the card's files (pictures at 600 dpi, PDF pages).
    void Prepare_Card(int card, const RenderedSide &front, const RenderedSide &back) override;
    // The base path of card N: folder/"Card_<N + 1>.<extension>".
    QString Card_Path(int card) const;

private:
    struct Prepared {
        QByteArray front, back, combined;
    };
    // Export_Picture_Refusal for the card's files; empty when they can be made.
    QString Refusal(const RenderedSide &front, const RenderedSide &back) const;
    std::mutex m_preparedMutex;
    std::map<int, Prepared> m_prepared;  // by card, until written

    QString m_folder, m_extension;
    Batch_Sides m_sides;
    Side_Mirror m_mirror;
    Output_Run_State &m_state;
};

// The range of a run: cards first .. end - 1 (from 0).
struct Batch_Range {
    int first = 0;
    int end = 1;
    int count() const { return end > first ? end - first : 0; }
};

// The card loop: for every card of the range, stopped before a card once the run is
// stopped (waiting first while Stop's question is open), counts the card begun, makes the sides asked for (back first) and hands
// them to the sink, in card order. A card the sink could not write is counted in
// failed_cards; a card made without something it shows in incomplete_cards (with the
// first few in incomplete_notes). With a pool, cards are made ahead on its threads (a few per thread,
// so memory stays bounded) while this thread writes them.
void Run_Batch_Cards(const Batch_Range &range, const Batch_Sides &sides, const Card_Side_Maker &maker,
                     Card_Sink &sink, Output_Run_State &state, QThreadPool *pool = nullptr);

// The folder the cards go into, "DOZO ID Card" inside the chosen one (owner-only,
// reused when present); empty when it cannot be made.
QString Create_Card_Folder(const QString &chosen);
extern const char *const Unable_Saving_Message;

// What a batch run tells at its end: after a write that failed, Unable_Saving_Message
// with the cards written whole; after a card too large for a picture, why
// (refused_text) and "Cards written: N of M."; else "Card has been exported successfully.", or after
// a Stop "The export was stopped." with the cards written, followed by the count of
// cards made without something they show and the first few of them. `offerOpen`: the
// text goes into the open-folder question (some file was written), else a message box.
struct Batch_Export_Ending {
    QString text;
    bool offerOpen = false;
};
Batch_Export_Ending Batch_Export_End_Message(const Output_Run_State &state, const Batch_Range &range);

struct Batch_Export_Options {
    QString folder;          // the chosen folder
    QString extension = QStringLiteral("png");
    Batch_Sides sides;
    Side_Mirror mirror = Side_Mirror::None;
    Batch_Range range;
    // The application's pool, whose threads make cards ahead of the writing; none:
    // every card made on the run's thread.
    QThreadPool *pool = nullptr;
};

// One batch export on its job thread, taken from the options' pool (the process's
// global pool without one). The panel shows the count from
// "0 / N Card"; at the end (also after Stop, a folder that cannot be made, or a
// failure) `finish` runs on the GUI thread (the design is put back there), then the
// final question with the card folder and Batch_Export_End_Message's text. A file that
// cannot be written stops the run before its next card.
class Batch_Export_Run {
public:
    Batch_Export_Run(Batch_Export_Options options, Card_Side_Maker maker, std::function<void()> finish,
                     Send_Modeless *panel, QWidget *boxParent);
    ~Batch_Export_Run();  // waits for the job
    Batch_Export_Run(const Batch_Export_Run &) = delete;
    Batch_Export_Run &operator=(const Batch_Export_Run &) = delete;

    void start();
    bool finished() const { return m_finished; }
    // Asks the run to stop before its next card and waits for its end while the GUI
    // thread keeps serving events (the run hands its last steps to it).
    void Stop_And_Wait();
    std::shared_ptr<Output_Run_State> state() const { return m_state; }
    // The folder the cards went into (read once the run has finished).
    QString cardFolder() const { return m_cardFolder; }

private:
    void run();

    Batch_Export_Options m_options;
    Card_Side_Maker m_maker;
    std::function<void()> m_finish;
    Send_Modeless *m_panel;
    QWidget *m_boxParent;
    std::shared_ptr<Output_Run_State> m_state;
    QString m_cardFolder;
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_quiet{false};  // quitting: no more questions
    Pool_Job m_job;
};
