// The per-card values of the design: the value engine and the batch-run frame for the
// output commands, the data-source section of the property panel and the spreadsheet
// source window. The work is the data library's; this file only wires it in.
#include "CardValueEngine.h"
#include "DataSourceSection.h"
#include "Data_From_Excel.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"

#include <QMainWindow>
#include <QVBoxLayout>

namespace {
class Window_Data_Source_Host final : public DataSourceHost {
public:
    explicit Window_Data_Source_Host(SKTWindowController &controller) : c(controller) {}
    SKTDocument &Source_Document() override { return c.document; }
    QString Series_Folder() const override { return Data_Folder_Path; }
    SKTGraphic *Source_Selected_Graphic() const override { return c.Get_Selected_Graphic(); }
    std::vector<SKTGraphic *> Source_Selected_Graphics() const override
    {
        SKTGraphicView *v = c.currentGraphicView();
        return v ? v->selectedGraphics() : std::vector<SKTGraphic *>();
    }
    void Source_Change_Begins() override { c.Make_Sure_Of_Undo_Base(c.document.currentSide()); }
    void Source_Change_Done() override { c.Insert_In_Undo_Redo(); }
    void Show_Control_Value(SKTGraphic &g) override { c.Show_RHS_Properties(&g); }
    void View_Series(const QString &name) override { c.View_Series_Window(name); }
    void Open_Spreadsheet_Window() override { c.Data_From_Excel_Window().Open_Wnd(); }
    void Show_Long_Message(const QString &title, const QString &text) override
    {
        Show_MessageBox(title + QStringLiteral("\n\n") + text);
    }

private:
    SKTWindowController &c;
};
} // namespace

void SKTWindowController::Build_Data_Source_Section()
{
    m_dataSourceHost = std::make_unique<Window_Data_Source_Host>(*this);
    auto *layout = static_cast<QBoxLayout *>(ui.tabPages[size_t(datasource_tab)]->layout());
    dataSourceSection = new DataSourceSection(*m_dataSourceHost);
    layout->addWidget(dataSourceSection);
    layout->addStretch();
}

void SKTWindowController::Show_Data_Source_Of(SKTGraphic *g)
{
    if (!dataSourceSection) return;
    const bool bindable = g && (g->kind() == GraphicKind::Text || g->kind() == GraphicKind::Image);
    dataSourceSection->showControl(bindable ? g : nullptr);
}

Data_From_Excel &SKTWindowController::Data_From_Excel_Window()
{
    if (!m_dataFromExcel) m_dataFromExcel = new Data_From_Excel(document, ui.window, modalRunner);
    return *m_dataFromExcel;
}

CardValueEngine &SKTWindowController::Value_Engine()
{
    if (!m_valueEngine || m_valueEngineFolder != Data_Folder_Path) {
        m_valueEngine = std::make_unique<CardValueEngine>(Data_Folder_Path);
        m_valueEngineFolder = Data_Folder_Path;
    }
    return *m_valueEngine;
}

void SKTWindowController::Check_Series_Or_Excel_Use_or_not() { Value_Engine().Check_Series_Or_Excel_Use_or_not(document); }

std::unique_ptr<BatchRunGuard> SKTWindowController::Begin_Batch_Run(bool holdRedraw)
{
    CardValueEngine &engine = Value_Engine();
    engine.Check_Series_Or_Excel_Use_or_not(document);
    auto guard = std::make_unique<BatchRunGuard>(engine, document, Application_Render_Resources(pictureAdjuster),
                                                 document.listSelection(), holdRedraw,
                                                 [this] { Set_Graphic_Array_According_Side(); });
    if (!guard->active()) return nullptr;
    return guard;
}

void SKTWindowController::Set_Graphic_Array_According_Side()
{
    Graphics_array_Batch = &currentSideControls();
    Refresh_Canvas();
}

void SKTWindowController::Set_Temp_Design(std::vector<GraphicPtr> controls)
{
    CardValueEngine::Set_Temp_Design(document, std::move(controls));
}
