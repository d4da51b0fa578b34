// The per-card values of the design and the series commands, wired into the main
// window: the data-source section of the property panel, the spreadsheet source window
// and the series buttons of the desk bar. The work is the data library's
// (Card_Values, Series_Commands); this file only wires it in.
#include "CardValues.h"
#include "DataSourceSection.h"
#include "Data_From_Excel.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "MessageBox.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "Series_Commands.h"

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
    void Source_Change_Begins() override
    {
        c.Make_Sure_Of_Undo_Base(c.document.currentSide());
        m_columnsBefore = c.document.m_columnChoices;
    }
    void Source_Change_Done() override
    {
        c.Insert_In_Undo_Redo();
        // A binding that moved a field's column is undone with the card.
        c.Column_Step_Recorded(c.document.currentSide(), m_columnsBefore);
    }
    void Show_Control_Value(SKTGraphic &g) override { c.Show_RHS_Properties(&g); }
    void Source_Bound(SKTGraphic &g) override { c.groupMode().Column_Follows_Binding(g); }
    void View_Series(const QString &name) override { c.seriesCommands().View_Series_Window(name); }
    void Open_Spreadsheet_Window() override { c.Data_From_Excel_Window().Open_Wnd(); }
    void Show_Long_Message(const QString &title, const QString &text) override
    {
        Show_MessageBox(title + QStringLiteral("\n\n") + text);
    }

private:
    SKTWindowController &c;
    DesignColumnChoices m_columnsBefore;  // the column choices when a binding began
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

void SKTWindowController::Build_Series_Commands() { seriesCommands().Add_Buttons(ui.deskBar); }

Series_Commands &SKTWindowController::seriesCommands()
{
    if (!m_seriesCommands)
        m_seriesCommands = std::make_shared<Series_Commands>(cardValues(), ui.window, [] { return Data_Folder_Path; },
                                                             Resource_Path, dataSourceSection);
    return *m_seriesCommands;
}

void SKTWindowController::Show_Data_Source_Of(SKTGraphic *g)
{
    if (dataSourceSection) dataSourceSection->Show_Data_Source_Of(g);
}

Data_From_Excel &SKTWindowController::Data_From_Excel_Window()
{
    if (!m_dataFromExcel) m_dataFromExcel = new Data_From_Excel(document, ui.window, modalRunner);
    return *m_dataFromExcel;
}

Card_Values &SKTWindowController::cardValues()
{
    if (!m_cardValues)
        m_cardValues = std::make_shared<Card_Values>(document, [] { return Data_Folder_Path; }, NO_Image_Path);
    return *m_cardValues;
}

CardValueEngine &SKTWindowController::Value_Engine() { return cardValues().Engine(); }

std::unique_ptr<BatchRunGuard> SKTWindowController::Begin_Batch_Run(bool holdRedraw)
{
    return cardValues().Begin_Batch_Run(Application_Render_Resources(pictureAdjuster), holdRedraw,
                                        [this] { Refresh_Canvas(); });
}
