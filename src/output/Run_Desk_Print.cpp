// The Print command: the frame around the print window. The counts and the backup are
// taken, the window runs with the design's sides and a source of the cards of records
// (made by the value engine on the print workers), and the design is put back when it
// closes. The window opens on the document's print settings and hands back what it
// changes.
#include "CardAppearance.h"
#include "CardValueEngine.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Output_Host.h"
#include "Print_Window.h"
#include "PrinterLayer.h"
#include "RenderResources.h"
#include "Run_Desk.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"

namespace {

// Card N of a side from the value engine: a filled copy of the run's design, rendered.
// The engine works on the run's snapshot, so any print worker may ask.
class Engine_Card_Source final : public Print_Card_Source {
public:
    explicit Engine_Card_Source(CardValueEngine &engine) : m_engine(engine) {}
    RenderedSide Print_Card(int record, int side) const override
    {
        try {
            return m_engine.Set_data_table_value_to_card(record, side == 0 ? Card_Side::Front : Card_Side::Back);
        } catch (const std::exception &e) {
            Show_NSLog_Message(QStringLiteral("Card %1 could not be made: %2").arg(record + 1).arg(QString::fromUtf8(e.what())));
        } catch (...) {
            Show_NSLog_Message(QStringLiteral("Card %1 could not be made.").arg(record + 1));
        }
        return RenderedSide();
    }
    void Use_Sources(bool series, bool excel) override { m_engine.Use_Only_Sources(series, excel); }

private:
    CardValueEngine &m_engine;
};

} // namespace

Print_Window &Run_Desk::printWindow()
{
    if (!m_printWindow) {
        m_printWindow = new Print_Window(print_profile_path, m_window);
        // What the window takes (printer, orientation, page set-up) is the document's.
        m_printWindow->settingsChanged = [this](const Print_Settings &settings) {
            m_document.setPrintInfo(Print_Info_From_Settings(settings));
        };
    }
    return *m_printWindow;
}

Print_Design Run_Desk::Design_For_Print(Print_Card_Source &records, int shownSide)
{
    const CardValueEngine &engine = m_host.Value_Engine();
    const QRectF card = m_document.cardBounds();
    const RenderResources resources = Application_Render_Resources(m_adjuster);
    Print_Design design;
    design.front = Render_Side_Picture(m_document.graphics().items(), card, &m_document.Front_card_Prop, resources);
    design.back = Render_Side_Picture(m_document.graphics_back().items(), card, &m_document.Back_card_Prop, resources);
    design.twoSided = m_document.Front_card_Prop.Card_Side() != QLatin1String("1");
    design.cardShape = Card_Shape_Number(m_document.Front_card_Prop.Card_Shape());
    design.currentSide = shownSide;
    design.visitorMode = visitorMode();
    if (engine.Use_Data_Sheet_Values() || engine.Use_Excel_Binding_Values()) {
        design.source = &records;
        design.pool = m_pool;
        design.seriesRows = engine.Use_Data_Sheet_Values() ? engine.Data_table_rows() : 0;
        design.spreadsheetRows = engine.Use_Excel_Binding_Values() ? engine.Excel_table_rows() : 0;
    }
    return design;
}

void Run_Desk::Print_Button()
{
    if (Refused_While_Running()) return;  // the running one's counts and values stay
    // The run's copy of the design and the print window's sides hold what was typed.
    m_host.Take_Typing();
    m_host.Value_Engine().Check_Series_Or_Excel_Use_or_not(m_document);
    if (Printer_Names().isEmpty()) {
        Show_MessageBox(QStringLiteral("No printer found."));
        return;
    }
    const int side = m_document.currentSide();
    {
        std::unique_ptr<BatchRunGuard> run = m_host.Begin_Batch_Run(false);
        if (!run) return;  // another output run is active (the user was told)
        Engine_Card_Source source(m_host.Value_Engine());
        const Print_Design design = Design_For_Print(source, side);
        Print_Window &window = printWindow();
        window.Use_Settings(Print_Settings_From_Info(m_document.printInfo()));
        try {
            if (printWindowRunner) {
                window.Prepare(design);
                printWindowRunner(window);
            } else {
                window.Open_Print_Wnd(design);
            }
        } catch (const std::exception &e) {
            Show_MessageBox(QString::fromUtf8(e.what()));
        }
    }  // the design is put back here
    m_host.Print_Run_Ended(side);
}
