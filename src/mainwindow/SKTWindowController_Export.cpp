// The Export Card command: the options window, then one card through a save panel, or
// every card of the bound data into a chosen folder on a worker thread. The output
// library does the work; this file wires it to the design and the value engine.
#include "Batch_Export.h"
#include "CardValueEngine.h"
#include "Dialogs.h"
#include "Export_Card_Dialog.h"
#include "Export_File_Writer.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SKTGraphicList.h"
#include "SKTWindowController.h"
#include "Shared_Dialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>

void SKTWindowController::Export_Card_Clicked()
{
    if (Export_Run_Active()) return;  // one run at a time
    Export_Data_Sources sources;
    sources.visitorMode = document.Start_Card_Option == Card_Mode::Visitor;
    if (!sources.visitorMode) {
        CardValueEngine &engine = Value_Engine();
        engine.Check_Series_Or_Excel_Use_or_not(document);
        sources.seriesInUse = engine.Use_Data_Sheet_Values();
        sources.excelInUse = engine.Use_Excel_Binding_Values();
        sources.seriesRows = engine.Data_table_rows();
        sources.excelRows = engine.Excel_table_rows();
    }
    Export_Card_Dialog dialog(document.Front_card_Prop.Card_Side() != QLatin1String("1"), sources, ui.window);
    if (dialog.exec() != QDialog::Accepted) return;
    const Export_Card_Options options = dialog.options();
    if (options.batch()) Export_Batch_File(options);
    else Export_Card(options);
}

bool SKTWindowController::Export_Card(const Export_Card_Options &options)
{
    for (;;) {
        FilePanelRequest request;
        request.kind = FilePanelRequest::SaveFile;
        request.title = tr("Export Card");
        request.suggestedName = QStringLiteral("Card_%1.%2").arg(export_card_counter).arg(options.extension);
        request.extensions = {options.extension};
        const QStringList chosen = Run_File_Panel(request);
        if (chosen.isEmpty()) return false;
        QString path = chosen.first();
        if (QFileInfo(path).suffix().compare(options.extension, Qt::CaseInsensitive) != 0)
            path += u'.' + options.extension;
        // The files this export would write; the first one taken is asked about.
        QString taken;
        for (const QString &target : Export_Target_Paths(path, options.layout))
            if (taken.isEmpty() && QFileInfo::exists(target)) taken = target;
        if (!taken.isEmpty()
            && Show_YES_NO_MessageBox(QFileInfo(taken).completeBaseName()
                                      + QStringLiteral(" already exists. Do you want to replace it?"))
                   != 1) {
            ++export_card_counter;
            continue;
        }
        ++export_card_counter;
        if (ui.window) ui.window->raise();
        return Export_Single_File(path, options.layout, true, options.mirror);
    }
}

bool SKTWindowController::Export_Single_File(const QString &path, Export_Layout layout, bool show_msg,
                                             Side_Mirror mirror)
{
    const QRectF frame = frontCardBounds();
    const RenderResources resources = Application_Render_Resources(pictureAdjuster);
    Export_Side front{Get_Front_Controls_Array().items(), &document.Front_card_Prop, frame, resources};
    Export_Side back{Get_Back_Controls_Array().items(), &document.Back_card_Prop, frame, resources};
    // In group mode the side not shown holds the selected person (a copy; the design
    // is not touched).
    const std::shared_ptr<SideCopy> filled = Group_Side_Not_Shown_Filled();
    if (filled) (document.currentSide() == 1 ? front : back).graphics = filled->controls;
    QStringList written;
    QString error;
    if (!Write_Export_Files(path, layout, front, back, &written, &error, mirror)) {
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
    Open_Export_Log::Open_Export_File_Box(offer, ui.window);
    return true;
}

bool SKTWindowController::Export_Batch_File(const Export_Card_Options &options)
{
    if (Export_Run_Active()) return false;
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFolder;
    request.title = tr("Choose the folder for the cards");
    const QStringList chosen = Run_File_Panel(request);
    if (chosen.isEmpty()) return false;
    m_exportRun.reset();
    std::unique_ptr<BatchRunGuard> guard = Begin_Batch_Run(true);
    if (!guard) return false;
    CardValueEngine *engine = &Value_Engine();
    engine->Use_Only_Sources(options.useSeries, options.useExcel);
    Batch_Range range = options.range;
    range.end = std::min(range.end, engine->Total_Batch_Excel_Card());
    m_exportGuard = std::move(guard);
    if (!m_progressPanel) m_progressPanel = new Send_Modeless(ui.window);
    QAction *exportCommand = ui.command(QStringLiteral("Export"));
    if (exportCommand) exportCommand->setEnabled(false);
    m_exportRun = std::make_unique<Batch_Export_Run>(
        Batch_Export_Options{chosen.first(), options.extension, options.sides(), options.mirror, range, &runPool},
        [engine](int card, int side) {
            return engine->Set_data_table_value_to_card(card, side == 0 ? Card_Side::Front : Card_Side::Back);
        },
        [this, exportCommand] {
            m_exportGuard.reset();  // the design back, redrawing released
            if (exportCommand) exportCommand->setEnabled(true);
        },
        m_progressPanel, ui.window);
    m_exportRun->start();
    return true;
}

bool SKTWindowController::Export_Run_Active() const { return m_exportRun && !m_exportRun->finished(); }

void SKTWindowController::Stop_Export_Run()
{
    if (m_exportRun) m_exportRun->Stop_And_Wait();
    m_exportRun.reset();
}

void SKTWindowController::Select_first_row_value_for_design(bool print_box)
{
    (void)print_box;  // the cards are drawn for output either way
    CardValueEngine &engine = Value_Engine();
    engine.Check_Series_Or_Excel_Use_or_not(document);
    const int current = document.currentSide() == 1 ? 1 : 0;
    for (int side : {1 - current, current}) engine.Assign_Batch_Values_To_Control(document.sideList(side).items(), 0);
    engine.Hold_Redraw(false);
    Refresh_Canvas();
}
