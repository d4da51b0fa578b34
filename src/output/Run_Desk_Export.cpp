// The Export Card command: the options window, then one card through a save panel, or
// every card of the bound data into a chosen folder on a run of its own.
#include "Batch_Export.h"
#include "CardValueEngine.h"
#include "Dialogs.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "MessageBox.h"
#include "Modal_Runner.h"
#include "Output_Host.h"
#include "RenderResources.h"
#include "Run_Desk.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "Shared_Dialogs.h"

#include <QFileInfo>
#include <QObject>
#include <QWidget>

void Run_Desk::Export_Card_Clicked()
{
    if (Refused_While_Running()) return;  // one run at a time; its counts stay as they are
    m_host.Take_Typing();
    Export_Data_Sources sources;
    sources.visitorMode = visitorMode();
    if (!sources.visitorMode) {
        const Mail_Card_Counts counts = Take_Counts();
        sources.seriesInUse = counts.useSeries;
        sources.excelInUse = counts.useExcel;
        sources.seriesRows = counts.seriesRows;
        sources.excelRows = counts.excelRows;
    }
    Export_Card_Dialog dialog(m_document.Front_card_Prop.Card_Side() != QLatin1String("1"), sources, m_window);
    if (Run_Modal(m_runner, dialog) != QDialog::Accepted) return;
    const Export_Card_Options options = dialog.options();
    // A card too large for a picture of the chosen type is said before any panel opens.
    const Batch_Sides sides = options.sides();
    const QString refusal = Export_Picture_Refusal(m_document.cardBounds().size(), options.extension,
                                                   sides.side == Run_Sides::Both && sides.combined, sides.sideBySide);
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return;
    }
    if (options.batch()) Export_Batch_File(options);
    else Export_Card(options);
}

bool Run_Desk::Export_Card(const Export_Card_Options &options)
{
    for (;;) {
        FilePanelRequest request;
        request.kind = FilePanelRequest::SaveFile;
        request.title = QObject::tr("Export Card");
        request.suggestedName = QStringLiteral("Card_%1.%2").arg(export_card_counter).arg(options.extension);
        request.extensions = {options.extension};
        // The files this export writes; one question names each one there (a link
        // leading nowhere too).
        request.writtenFiles = [layout = options.layout](const QString &path) {
            return Export_Target_Paths(path, layout);
        };
        const Save_Panel_Choice chosen = Ask_Save_Panel(request);
        if (chosen.path.isEmpty()) return false;
        ++export_card_counter;
        if (chosen.refused) continue;
        if (m_window) m_window->raise();
        return Export_Single_File(chosen.path, options.layout, true, options.mirror, chosen.links);
    }
}

bool Run_Desk::Export_Single_File(const QString &path, Export_Layout layout, bool show_msg, Side_Mirror mirror,
                                  File_Link links)
{
    const QRectF frame = m_document.cardBounds();
    const RenderResources resources = Application_Render_Resources(m_adjuster);
    // In group mode the side not shown holds the selected person (a copy; the design
    // is not touched).
    const std::shared_ptr<SideCopy> filled = m_host.Side_Not_Shown_Filled();
    const Export_Side front{Output_Side(0, filled), &m_document.Front_card_Prop, frame, resources};
    const Export_Side back{Output_Side(1, filled), &m_document.Back_card_Prop, frame, resources};
    QStringList written;
    QString error;
    if (!Write_Export_Files(path, layout, front, back, &written, &error, mirror, links)) {
        if (show_msg) Show_MessageBox(error);
        return false;
    }
    if (!show_msg) return true;
    const bool combined = layout == Export_Layout::Combined_Side_By_Side || layout == Export_Layout::Combined_Above;
    // The front (or the one file) is offered; the back file of a pair goes with it.
    const Export_Open_Offer offer{written.last(), layout == Export_Layout::Both ? written.first() : QString(),
                                  combined ? QStringLiteral("Card has been exported successfully.")
                                           : QStringLiteral("File has been exported successfully."),
                                  {}};
    Open_Export_Log::Open_Export_File_Box(offer, m_window);
    return true;
}

bool Run_Desk::Export_Batch_File(const Export_Card_Options &options)
{
    if (Refused_While_Running()) return false;
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFolder;
    request.title = QObject::tr("Choose the folder for the cards");
    const QStringList chosen = Run_File_Panel(request);
    if (chosen.isEmpty()) return false;
    m_exportRun.reset();
    std::unique_ptr<BatchRunGuard> guard = m_host.Begin_Batch_Run(true);
    if (!guard) return false;
    CardValueEngine *engine = &m_host.Value_Engine();
    engine->Use_Only_Sources(options.useSeries, options.useExcel);
    Batch_Range range = options.range;
    range.end = std::min(range.end, engine->Total_Batch_Excel_Card());
    m_exportGuard = std::move(guard);
    if (!m_progressPanel) m_progressPanel = new Send_Modeless(m_window);
    m_host.Export_Command_Enabled(false);
    m_exportRun = std::make_unique<Batch_Export_Run>(
        Batch_Export_Options{chosen.first(), options.extension, options.sides(), options.mirror, range, m_pool},
        [engine](int card, int side) {
            return engine->Set_data_table_value_to_card(card, side == 0 ? Card_Side::Front : Card_Side::Back);
        },
        [this] {
            m_exportGuard.reset();  // the design back, redrawing released
            m_host.Export_Command_Enabled(true);
        },
        m_progressPanel, m_window);
    m_exportRun->start();
    return true;
}

bool Run_Desk::Export_Run_Active() const { return m_exportRun && !m_exportRun->finished(); }

void Run_Desk::Stop_Export_Run()
{
    if (m_exportRun) m_exportRun->Stop_And_Wait();
    m_exportRun.reset();
}

void Run_Desk::Select_first_row_value_for_design(bool print_box)
{
    (void)print_box;  // the cards are drawn for output either way
    CardValueEngine &engine = m_host.Value_Engine();
    engine.Check_Series_Or_Excel_Use_or_not(m_document);
    const int current = m_document.currentSide();
    for (int side : {1 - current, current}) engine.Assign_Batch_Values_To_Control(m_document.sideList(side).items(), 0);
    engine.Hold_Redraw(false);
    m_host.Refresh_Canvas();
}
