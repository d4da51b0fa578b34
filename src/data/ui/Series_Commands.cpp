#include "Series_Commands.h"

#include "BatchWizard.h"
#include "CardValues.h"
#include "DataSourceSection.h"
#include "Generate_List.h"
#include "Globals.h"
#include "Import_Wizard.h"
#include "Log.h"
#include "ScopedFlag.h"
#include "SeriesDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QToolBar>

Series_Commands::Series_Commands(Card_Values &values, QWidget *parent, std::function<QString()> seriesFolder,
                                 QString templateFolder, DataSourceSection *section)
    : m_values(values), m_parent(parent), m_seriesFolder(std::move(seriesFolder)),
      m_templateFolder(std::move(templateFolder)), m_section(section)
{
}

SeriesServices Series_Commands::Series_Services() const
{
    SeriesServices s;
    s.folder = m_seriesFolder();
    s.templateFolder = m_templateFolder;
    s.inUse = [&values = m_values](const QString &name) { return values.Series_In_Use(name); };
    return s;
}

void Series_Commands::Add_Buttons(QToolBar *bar)
{
    if (!bar) return;
    bar->addSeparator();
    const std::pair<const char *, void (Series_Commands::*)()> commands[] = {
        {"Batch Series", &Series_Commands::Batch_Series_Button},
        {"Create Series", &Series_Commands::Create_Series_Button},
        {"Import List", &Series_Commands::Import_Wizard_Button},
    };
    for (const auto &[title, slot] : commands) {
        QAction *a = bar->addAction(QCoreApplication::translate("SKTWindowController", title));
        a->setObjectName(QString::fromLatin1(title).remove(u' '));
        connect(a, &QAction::triggered, this, slot);
    }
}

void Series_Commands::Batch_Series_Button()
{
    const QString folder = m_seriesFolder();
    if (!m_wizard || m_wizardFolder != folder) {
        delete m_wizard;
        m_wizard = new BatchWizard(Series_Services(), m_parent);
        m_wizardFolder = folder;
    }
    m_wizard->Open_Wnd();
    Refresh_All_Series_Combobox();
}

template <typename Window>
void Series_Commands::Open_For_New_Series(QPointer<Window> &window)
{
    delete window;
    window = new Window(Series_Services(), m_parent);
    window->file_name_required = 1;
    window->file_name_Insert = 0;
    window->Open_Wnd();
    Refresh_All_Series_Combobox();
}

void Series_Commands::Create_Series_Button() { Open_For_New_Series(m_generator); }

void Series_Commands::Import_Wizard_Button() { Open_For_New_Series(m_importer); }

void Series_Commands::Refresh_All_Series_Combobox()
{
    if (!m_section || !m_section->Data_source_type) return;
    const QString source = m_section->Data_source_type->currentText();
    if (source != QLatin1String("Manual") && source != QLatin1String("Series")) return;
    // The list is refilled quietly: change handlers neither rebind nor redraw meanwhile.
    const Scoped_Flag quiet(Not_Draw_Only_Prop_Change);
    try {
        Refresh_Data_Set_File_Name_In_Combo(m_section->Batch_Series, QString());
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("The series list could not be refreshed: %1").arg(QString::fromUtf8(e.what())));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("The series list could not be refreshed."));
    }
}

void Series_Commands::Refresh_Data_Set_File_Name_In_Combo(QComboBox *combo, const QString &name)
{
    if (!combo || !m_section) return;
    try {
        const CardValueEngine engine(m_seriesFolder());
        const int position = engine.Get_Data_SetIndex_According_Name(name.isEmpty() ? combo->currentText() : name);
        m_section->Fill_Data_Set_File_Name_In_Combo(combo);
        if (combo->count() > 0 && position != -1) {
            // The same series stays chosen: nothing to rebind.
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(position);
        }
    } catch (const std::exception &e) {
        Show_NSLog_Message(QStringLiteral("The series list could not be filled: %1").arg(QString::fromUtf8(e.what())));
    }
}

void Series_Commands::View_Series_Window(const QString &name)
{
    delete m_viewer;
    m_viewer = new View_Data_Series(m_seriesFolder(), m_parent);
    m_viewer->Open_Wnd(name);
}
