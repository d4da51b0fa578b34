// The series commands of the main window: the batch-series wizard, the value
// generator, the list import wizard and the series viewer. The windows are the data
// library's; this file only wires them in.
#include "BatchWizard.h"
#include "CardValueEngine.h"
#include "DataSourceSection.h"
#include "Generate_List.h"
#include "Globals.h"
#include "Import_Wizard.h"
#include "Log.h"
#include "SKTWindowController.h"
#include "ScopedFlag.h"
#include "SeriesDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QSignalBlocker>
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
    if (!ui.deskBar) return;
    ui.deskBar->addSeparator();
    const std::pair<const char *, void (SKTWindowController::*)()> commands[] = {
        {"Batch Series", &SKTWindowController::Batch_Series_Button},
        {"Create Series", &SKTWindowController::Create_Series_Button},
        {"Import List", &SKTWindowController::Import_Wizard_Button},
    };
    for (const auto &[title, slot] : commands) {
        QAction *a = ui.deskBar->addAction(tr(title));
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
    if (!dataSourceSection || !dataSourceSection->Data_source_type) return;
    const QString source = dataSourceSection->Data_source_type->currentText();
    if (source != QLatin1String("Manual") && source != QLatin1String("Series")) return;
    // The list is refilled quietly: change handlers neither rebind nor redraw meanwhile.
    const Scoped_Flag quiet(Not_Draw_Only_Prop_Change);
    try {
        Refresh_Data_Set_File_Name_In_Combo(dataSourceSection->Batch_Series, QString());
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("The series list could not be refreshed: %1").arg(QString::fromUtf8(e.what())));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("The series list could not be refreshed."));
    }
}

void SKTWindowController::Refresh_Data_Set_File_Name_In_Combo(QComboBox *combo, const QString &name)
{
    if (!combo || !dataSourceSection) return;
    try {
        const CardValueEngine engine(Data_Folder_Path);
        const int position = engine.Get_Data_SetIndex_According_Name(name.isEmpty() ? combo->currentText() : name);
        dataSourceSection->Fill_Data_Set_File_Name_In_Combo(combo);
        if (combo->count() > 0 && position != -1) {
            // The same series stays chosen: nothing to rebind.
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(position);
        }
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("The series list could not be filled: %1").arg(QString::fromUtf8(e.what())));
    }
}

void SKTWindowController::View_Series_Window(const QString &name)
{
    delete m_series->viewer;
    m_series->viewer = new View_Data_Series(Data_Folder_Path, ui.window);
    m_series->viewer->Open_Wnd(name);
}
