#pragma once
// The output commands of the main window: Export Card (one card through a save panel,
// or every card of the bound data into a chosen folder on a run of its own), Print (the
// print window over the design's sides and the cards of its records) and the e-mail
// commands. The desk starts each run over the open design and ends it with the design
// put back; what it needs of the window comes through Output_Host.
#include "Export_Card_Dialog.h"
#include "Export_File_Writer.h"
#include "Mail_Card_Source.h"
#include "SKTGraphic.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Batch_Export_Run;
class BatchRunGuard;
class Mail_Desk;
class Modal_Runner;
class Output_Host;
class Print_Card_Source;
class Print_Window;
struct Print_Design;
class QThreadPool;
class QWidget;
class SKTDocument;
class Send_Modeless;
class SideCopy;
struct PictureAdjuster;

class Run_Desk {
public:
    // `document`: the open design; `host`: the window's services; `adjuster` makes the
    // shown pictures of image controls; `window` is the parent of the desk's windows and
    // boxes; `runner` runs the windows (exec() when none); `pool` is the application's
    // pool every run makes its cards on. All outlive the desk.
    Run_Desk(SKTDocument &document, Output_Host &host, const PictureAdjuster &adjuster, QWidget *window,
             Modal_Runner *runner, QThreadPool *pool);
    ~Run_Desk();  // a running batch export is stopped first
    Run_Desk(const Run_Desk &) = delete;
    Run_Desk &operator=(const Run_Desk &) = delete;

    // ---- Export ----
    // The Export Card command: the options window, then one card or a batch. Refused
    // while a run is under way (as every command that starts a run). Every command
    // first has the window write what is typed into its boxes (Output_Host::Take_Typing).
    void Export_Card_Clicked();
    // Runs the export with the options chosen through a save panel ("Card_<counter>"
    // offered; a file there is asked about, and No offers the panel again); false when
    // cancelled or failed.
    bool Export_Card(const Export_Card_Options &options);
    // Writes the design in its current state to the path (with "_Front"/"_Back" as the
    // layout needs); with show_msg, failures are reported and the opening is offered.
    // `links`: what a link under a joined picture's name gets (the side files replace one).
    bool Export_Single_File(const QString &path, Export_Layout layout, bool show_msg,
                            Side_Mirror mirror = Side_Mirror::None, File_Link links = File_Link::Write_Through);
    // Every card of the options' range into "DOZO ID Card" in a folder chosen in a
    // panel, on a run of its own with the progress panel; false when nothing started.
    bool Export_Batch_File(const Export_Card_Options &options);
    bool Export_Run_Active() const;
    // Stops a running batch export and waits for its end, the GUI serving events
    // meanwhile; the design is put back.
    void Stop_Export_Run();
    Batch_Export_Run *exportRun() const { return m_exportRun.get(); }
    Send_Modeless *progressPanel() const { return m_progressPanel; }
    // Card 0 of the bound data into both sides of the design (the side not shown first).
    void Select_first_row_value_for_design(bool print_box);

    // ---- Print ----
    // The Print command: counts, backup, the print window over the design's sides and
    // the cards of its records (made by the value engine on the pool), the design put
    // back when it closes. "No printer found." without a printer.
    void Print_Button();
    // The print window, made on first use: it opens on the document's print settings
    // and hands back what it changes.
    Print_Window &printWindow();
    // Replaces the print window's modal run (scripted runs): called with the window
    // prepared for the design.
    std::function<void(Print_Window &)> printWindowRunner;

    // ---- Mail ----
    // The mailing windows over this design's cards, made on first use.
    Mail_Desk &mailDesk();
    // The Mail command: the card mailing window over the design as typed.
    void Mail_Clicked();

private:
    class Mail_Cards;

    bool visitorMode() const;
    // A run is under way (a batch export, or any run holding the value engine): true,
    // and the user told so. Commands that start a run ask it before they touch
    // anything the running one reads.
    bool Refused_While_Running();
    // The use flags and counts of the design's data, taken afresh (GUI thread).
    Mail_Card_Counts Take_Counts();
    // The controls of a side as output shows them: with `filled` (group mode), the side
    // not shown holds the selected person.
    std::vector<GraphicPtr> Output_Side(int side, const std::shared_ptr<SideCopy> &filled) const;
    // What the print window shows of the design as it stands: its sides, card and mode,
    // the side shown, and, with data in use, `records` with the rows of each kind (the
    // run's counts taken).
    Print_Design Design_For_Print(Print_Card_Source &records, int shownSide);

    SKTDocument &m_document;
    Output_Host &m_host;
    const PictureAdjuster &m_adjuster;
    QWidget *m_window;
    Modal_Runner *m_runner;
    QThreadPool *m_pool;

    // The batch export running (or the last one) and the frame it runs in.
    std::unique_ptr<BatchRunGuard> m_exportGuard;
    std::unique_ptr<Batch_Export_Run> m_exportRun;
    Send_Modeless *m_progressPanel = nullptr;  // children of the window
    Print_Window *m_printWindow = nullptr;
    std::unique_ptr<Mail_Cards> m_mailCards;
    std::unique_ptr<Mail_Desk> m_mailDesk;
};
