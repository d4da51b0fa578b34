// The print command: the frame around the print window. The counts and the backup
// are taken, the window runs with the design's sides and a source of the cards of
// records (made by the value engine on the print workers), and the design is put back
// when it closes. The window opens on the document's print settings and hands back what
// it changes. The printing itself is the output library's.
#include "CardAppearance.h"
#include "CardValueEngine.h"
#include "Log.h"
#include "MessageBox.h"
#include "Print_Window.h"
#include "PrinterLayer.h"
#include "SKTGraphicList.h"
#include "SKTWindowController.h"

#include <QMainWindow>

namespace {

// Card N of a side from the value engine: a filled copy of the run's design, rendered.
// The engine works on the run's snapshot, so any print worker may ask.
class Engine_Card_Source final : public Print_Card_Source {
public:
    explicit Engine_Card_Source(const CardValueEngine &engine) : m_engine(engine) {}
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

private:
    const CardValueEngine &m_engine;
};

} // namespace

Print_Window &SKTWindowController::printWindow()
{
    if (!m_printWindow) {
        m_printWindow = new Print_Window(print_profile_path, ui.window);
        // What the window takes (printer, orientation, page set-up) is the document's.
        m_printWindow->settingsChanged = [this](const Print_Settings &settings) {
            document.setPrintInfo(Print_Info_From_Settings(settings));
        };
    }
    return *m_printWindow;
}

void SKTWindowController::Print_Button()
{
    Check_Series_Or_Excel_Use_or_not();
    Print_method();
}

void SKTWindowController::Print_method()
{
    if (Printer_Names().isEmpty()) {
        Show_MessageBox(QStringLiteral("No printer found."));
        return;
    }
    const int side = document.currentSide();
    {
        std::unique_ptr<BatchRunGuard> run = Begin_Batch_Run(false);
        if (!run) return;  // another output run is active
        const CardValueEngine &engine = Value_Engine();
        const Engine_Card_Source source(engine);
        const QRectF card = frontCardBounds();
        const RenderResources resources = Application_Render_Resources(pictureAdjuster);
        Print_Design design;
        design.front = Render_Side_Picture(Get_Front_Controls_Array().items(), card, &document.Front_card_Prop, resources);
        design.back = Render_Side_Picture(Get_Back_Controls_Array().items(), card, &document.Back_card_Prop, resources);
        design.twoSided = document.Front_card_Prop.Card_Side() != QLatin1String("1");
        design.cardShape = Card_Shape_Number(document.Front_card_Prop.Card_Shape());
        design.currentSide = side;
        design.visitorMode = document.Start_Card_Option == Card_Mode::Visitor;
        if (engine.Use_Data_Sheet_Values() || engine.Use_Excel_Binding_Values()) {
            design.source = &source;
            design.pool = &runPool;
            design.seriesRows = engine.Use_Data_Sheet_Values() ? engine.Data_table_rows() : 0;
            design.spreadsheetRows = engine.Use_Excel_Binding_Values() ? engine.Excel_table_rows() : 0;
        }
        Print_Window &window = printWindow();
        window.Use_Settings(Print_Settings_From_Info(document.printInfo()));
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
    if (document.currentSide() != side) changeViewController(side);
    Set_Graphic_Array_According_Side();
    Show_RHS_Properties(nullptr);
}
