// The barcode settings window wired to the selected barcode, and the design's series
// and spreadsheet offered to it as data sources.
#include "SKTWindowController.h"

#include "Barcode_Gen.h"
#include "CardValueEngine.h"
#include "Data_From_Excel.h"
#include "Log.h"
#include "MessageBox.h"
#include "SKTBarcode.h"
#include "SKTGraphicView.h"
#include "Series_Commands.h"


namespace {

// The series of the series folder and the design's bound spreadsheet, as the value
// engine reads them.
class DesignDataSource : public Barcode_Data_Source {
public:
    explicit DesignDataSource(SKTWindowController &c) : m_c(c) {}
    bool visitorMode() const override { return m_c.document.Start_Card_Option == Card_Mode::Visitor; }
    bool spreadsheetBound() const override { return m_c.document.m_spreadsheet.Excel_Binding_Use; }
    QStringList seriesNames() const override { return m_c.Value_Engine().Get_datasheet_File_Name_Array(); }
    // The row number column, then the spreadsheet's columns, titled as everywhere.
    QStringList columnTitles() const override { return m_c.document.ColList_Titles(); }
    QString firstSeriesValue(const QString &name) const override
    {
        return m_c.Value_Engine().Get_First_Value_Of_Dataset(name);
    }
    QString columnValueShown(int index) const override
    {
        return CardValueEngine::Column_Value_Shown(m_c.document, index);
    }
    void viewSeries(const QString &name) override { m_c.seriesCommands().View_Series_Window(name); }
    void viewSpreadsheetRows() override { m_c.Data_From_Excel_Window().Open_Wnd(); }

private:
    SKTWindowController &m_c;
};

Barcode_Binding bindingOf(const SKTGraphic &g)
{
    return {g.data_source_type, g.batch_list_name, g.batch_list_index, g.excel_col_indx};
}

// A barcode bound to a column opens its settings on the cell the binding shows now (in
// group mode the current row's), whatever value the control held; as a linear and as a
// two-dimensional value alike, so that the window shows it whichever is chosen. A column
// chosen in the window shows its cell the same way (Barcode_Data_Source), so OK puts
// that cell on the barcode.
Barcode_Settings With_Value_Shown(Barcode_Settings s, const Barcode_Binding &binding, const SKTDocument &doc)
{
    if (binding.data_source_type == Data_Source_Spreadsheet)
        s.linear_font_val = s.two_d_font_val = CardValueEngine::Column_Value_Shown(doc, binding.excel_col_indx);
    return s;
}

} // namespace

Barcode_Gen &SKTWindowController::barcodeWindow()
{
    if (!m_barcodeWindow) {
        m_barcodeSource = std::make_unique<DesignDataSource>(*this);
        m_barcodeWindow = std::make_unique<Barcode_Gen>(nullptr, Barcode_Gen::Help_Presenter(), modalRunner);
        m_barcodeWindow->setDataSource(m_barcodeSource.get());
    }
    return *m_barcodeWindow;
}

void SKTWindowController::Open_Barcode_Window()
{
    try {
        SKTGraphic *g = Get_Selected_Graphic();
        if (!g) {
            Show_MessageBox(QStringLiteral("Please select control."));
            return;
        }
        int barcodes = 0;
        if (SKTGraphicView *view = currentGraphicView())
            for (SKTGraphic *s : view->selectedGraphics())
                if (s->kind() == GraphicKind::Barcode) ++barcodes;
        if (barcodes >= 2) {
            Show_MessageBox(
                QStringLiteral("Please select only one barcode control to view or update barcode properties."));
            return;
        }
        if (g->kind() != GraphicKind::Barcode) return;
        const Barcode_Binding binding = bindingOf(*g);
        const std::optional<Barcode_Edit> edited =
            barcodeWindow().Open_Wnd({With_Value_Shown(Barcode_Settings_Of(*g), binding, document), binding});
        if (!edited) {
            Set_Selected_Graphic(g);
            return;
        }
        Update_Barcode_Graphics(*edited);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void SKTWindowController::Update_Barcode_Graphics(const Barcode_Edit &edit)
{
    if (Not_Draw_Only_Prop_Change) return;
    SKTGraphicView *view = currentGraphicView();
    if (!view) return;
    bool changed = false;
    for (SKTGraphic *g : view->selectedGraphics()) {
        if (g->kind() != GraphicKind::Barcode || g->Is_Control_Locked()) continue;
        Put_Barcode_Settings(*g, edit.settings);
        g->Set_Data_source_type(edit.binding.data_source_type);
        if (edit.binding.data_source_type == Data_Source_Series) {
            g->Set_Batch_List_Name(edit.binding.batch_list_name);
            g->Set_Batch_List_Index(edit.binding.batch_list_index);
        } else if (edit.binding.data_source_type == Data_Source_Spreadsheet) {
            g->Set_Excel_binding_Index(edit.binding.excel_col_indx);
        }
        Render_Barcode(*g);
        // The new picture's place is where the card shows it: the frame follows.
        SKTGraphicView::check_barcode_and_set_control_bounds(g);
        changed = true;
    }
    if (!changed) return;
    Insert_In_Undo_Redo();
    Refresh_Canvas();
}
