// The profile records and dialogs in the main window: the profile desk (profile/) gets
// the window's spreadsheet import, its data-source list and its scratch side.
#include "SKTWindowController.h"

#include "CardValueEngine.h"
#include "DataSourceSection.h"
#include "Dialogs.h"
#include "SheetImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>

void SKTWindowController::User_Profile_Button_Clicked()
{
    if (m_profileDesk.User_Profile_Button_Clicked()) selectArrowTool();
    Show_RHS_Properties(nullptr);
    Refresh_Canvas();
}

QComboBox *SKTWindowController::Data_Source_Combo() const
{
    return dataSourceSection ? dataSourceSection->Data_source_type : nullptr;
}

void SKTWindowController::Data_Source_Combo_Follows_Binding()
{
    if (!dataSourceSection) return;
    if (document.m_spreadsheet.Excel_Binding_Use)
        DataSourceSection::Add_Excel_Col_Name_In_Combo(dataSourceSection->Data_source_type);
    else
        DataSourceSection::Remove_Excel_Col_Name_In_Combo(dataSourceSection->Data_source_type);
}

bool SKTWindowController::Import_Spreadsheet()
{
    FilePanelRequest r;
    r.title = QObject::tr("Choose Workbook");
    r.extensions = {QStringLiteral("xlsx")};
    const QStringList chosen = Run_File_Panel(r);
    if (chosen.isEmpty()) return false;
    Import_Excel importer(&document, {}, window());
    importer.open_mode = QStringLiteral("E");
    if (importer.Open_excel_Wnd(chosen.front()) != 1) return false;
    // The caller counts the rows and binds the spreadsheet when there is one.
    if (document.ListData().isEmpty()) return false;
    DesignSpreadsheet &sheet = document.m_spreadsheet;
    sheet.Excel_Source_Path = chosen.front();
    sheet.contains_header = importer.contains_header->isChecked();
    sheet.Excel_Binding_Use = true;
    return true;
}

QString SKTWindowController::Column_Value_Shown(int column) const
{
    return CardValueEngine::Column_Value_Shown(document, column);
}

void SKTWindowController::Preview_On_Scratch(const std::function<void()> &fill)
{
    Temp_Design_Control_Assign();
    const QPointF kept = m_lastNewPoint;
    fill();
    m_lastNewPoint = kept;
    Select_temp_design_side();
}
