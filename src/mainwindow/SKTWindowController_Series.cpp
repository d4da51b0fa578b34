// The series commands of the main window: the batch-series wizard, the value
// generator, the list import wizard and the series viewer. The windows are the data
// library's; this file only wires them in.
#include "BatchWizard.h"
#include "CardValueEngine.h"
#include "DataSourceSection.h"
#include "Generate_List.h"
#include "Globals.h"
#include "Import_Wizard.h"
#include "SKTWindowController.h"
#include "SeriesDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QToolBar>

struct SKTWindowController::SeriesWindows {
    BatchWizard *wizard = nullptr;
    Generate_List *generator = nullptr;
    Import_Wizard *importer = nullptr;
    View_Data_Series *viewer = nullptr;
};

SeriesServices SKTWindowController::Series_Services()
{
    SeriesServices s;
    s.folder = Data_Folder_Path;
    s.templateFolder = Resource_Path;
    s.inUse = [this](const QString &name) { return Value_Engine().Check_Batch_File_In_Use_Validation(name, document); };
    return s;
}

void SKTWindowController::Build_Series_Commands()
{
    m_series = std::make_shared<SeriesWindows>();
    if (!ui.commandBar) return;
    ui.commandBar->addSeparator();
    const std::pair<const char *, void (SKTWindowController::*)()> commands[] = {
        {"Batch Series", &SKTWindowController::Batch_Series_Button},
        {"Create Series", &SKTWindowController::Create_Series_Button},
        {"Import List", &SKTWindowController::Import_Wizard_Button},
    };
    for (const auto &[title, slot] : commands) {
        QAction *a = ui.commandBar->addAction(tr(title));
        a->setObjectName(QString::fromLatin1(title).remove(u' '));
        connect(a, &QAction::triggered, this, slot);
    }
}

void SKTWindowController::Batch_Series_Button()
{
    if (!m_series->wizard || m_series->wizard->property("folder").toString() != Data_Folder_Path) {
        delete m_series->wizard;
        m_series->wizard = new BatchWizard(Series_Services(), ui.window);
        m_series->wizard->setProperty("folder", Data_Folder_Path);
    }
    m_series->wizard->Open_Wnd();
    Refresh_All_Series_Combobox();
}

void SKTWindowController::Create_Series_Button()
{
    delete m_series->generator;
    m_series->generator = new Generate_List(Series_Services(), ui.window);
    m_series->generator->file_name_required = 1;
    m_series->generator->file_name_Insert = 0;
    m_series->generator->Open_Wnd();
    Refresh_All_Series_Combobox();
}

void SKTWindowController::Import_Wizard_Button()
{
    delete m_series->importer;
    m_series->importer = new Import_Wizard(Series_Services(), ui.window);
    m_series->importer->file_name_required = 1;
    m_series->importer->file_name_Insert = 0;
    m_series->importer->Open_Wnd();
    Refresh_All_Series_Combobox();
}

void SKTWindowController::Refresh_All_Series_Combobox()
{
    if (dataSourceSection)
        dataSourceSection->Update_Dataset_If_Datasource_Is_Series(dataSourceSection->Data_source_type,
                                                                  dataSourceSection->Batch_Series);
}

void SKTWindowController::View_Series_Window(const QString &name)
{
    delete m_series->viewer;
    m_series->viewer = new View_Data_Series(Data_Folder_Path, ui.window);
    m_series->viewer->Open_Wnd(name);
}
