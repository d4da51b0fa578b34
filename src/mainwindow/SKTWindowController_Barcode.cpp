// The barcode settings window wired to the selected barcode, and the design's series
// and spreadsheet offered to it as data sources.
#include "SKTWindowController.h"

#include "Barcode_Gen.h"
#include "Log.h"
#include "MessageBox.h"
#include "SKTBarcode.h"
#include "SKTGraphicView.h"

#include <QDir>
#include <QFile>

namespace {

// The series files of the series folder and the design's bound spreadsheet.
class DesignDataSource : public Barcode_Data_Source {
public:
    explicit DesignDataSource(const SKTDocument &document) : m_document(document) {}
    bool visitorMode() const override { return m_document.Start_Card_Option == QLatin1String("V"); }
    bool spreadsheetBound() const override { return m_document.m_spreadsheet.Excel_Binding_Use; }
    QStringList seriesNames() const override
    {
        QStringList names;
        for (const QFileInfo &f : QDir(Data_Folder_Path).entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
            names << f.completeBaseName();
        return names;
    }
    // The row number column, then the spreadsheet's columns.
    QStringList columnTitles() const override
    {
        return QStringList{QStringLiteral("Extension")} + m_document.m_spreadsheet.column_titles;
    }
    QString firstSeriesValue(const QString &name) const override
    {
        QFile file(QDir(Data_Folder_Path).filePath(name + QStringLiteral(".txt")));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).section(u'\n', 0, 0);
    }
    QString firstColumnValue(int index) const override
    {
        const auto &rows = m_document.m_spreadsheet.rows;
        if (rows.isEmpty()) return {};
        const QString cell = rows.first().value(index);
        return index > 0 && cell.isEmpty() ? QStringLiteral(" ") : cell;
    }
    void viewSeries(const QString &name) override
    {
        Show_NSLog_Message(QStringLiteral("The series viewer is not available for \"%1\".").arg(name));
    }
    void viewSpreadsheetRows() override { Show_NSLog_Message(QStringLiteral("The spreadsheet rows window is not available.")); }

private:
    const SKTDocument &m_document;
};

Barcode_Binding bindingOf(const SKTGraphic &g)
{
    return {g.data_source_type, g.batch_list_name, g.batch_list_index, g.excel_col_indx};
}

} // namespace

Barcode_Gen &SKTWindowController::barcodeWindow()
{
    if (!m_barcodeWindow) {
        m_barcodeSource = std::make_unique<DesignDataSource>(document);
        m_barcodeWindow = std::make_unique<Barcode_Gen>();
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
        const std::optional<Barcode_Edit> edited = barcodeWindow().Open_Wnd({Barcode_Settings_Of(*g), bindingOf(*g)});
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
        if (edit.binding.data_source_type == 1) {
            g->Set_Batch_List_Name(edit.binding.batch_list_name);
            g->Set_Batch_List_Index(edit.binding.batch_list_index);
        } else if (edit.binding.data_source_type == 2) {
            g->Set_Excel_binding_Index(edit.binding.excel_col_indx);
        }
        Render_Barcode(*g);
        changed = true;
    }
    if (!changed) return;
    Insert_In_Undo_Redo();
    Refresh_Canvas();
}
