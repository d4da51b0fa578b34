#pragma once
// The series commands of the desk: the batch-series wizard, the value generator, the
// list import wizard and the series viewer, and the data-source section's series list
// kept up to date with the series folder after each of them.
#include "SeriesServices.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class BatchWizard;
class Card_Values;
class DataSourceSection;
class Generate_List;
class Import_Wizard;
class QComboBox;
class QToolBar;
class QWidget;
class View_Data_Series;

// A QObject so that its buttons call it only while it lives.
class Series_Commands : public QObject {
public:
    // `seriesFolder` answers the series folder as it is when asked; `templateFolder`
    // holds the spreadsheet template; `values` tells whether the open design uses a
    // series; `section` (may be null) shows the series list; the windows are children
    // of `parent`.
    Series_Commands(Card_Values &values, QWidget *parent, std::function<QString()> seriesFolder,
                    QString templateFolder, DataSourceSection *section);

    // The buttons "Batch Series", "Create Series" and "Import List" (named BatchSeries,
    // CreateSeries and ImportList) added to the bar.
    void Add_Buttons(QToolBar *bar);
    // The wizard is kept while the series folder stays; the generator and the import
    // wizard are made anew for a new series. The series list is refreshed afterwards.
    void Batch_Series_Button();
    void Create_Series_Button();
    void Import_Wizard_Button();
    // While the data-source list shows "Manual" or "Series": the series list refilled
    // from the series folder, its choice kept (Not_Draw_Only_Prop_Change set meanwhile;
    // a failure is logged).
    void Refresh_All_Series_Combobox();
    // Refills the combo with the series names and selects `name`, or, when it is empty,
    // the series selected before; nothing is selected when that series is gone.
    void Refresh_Data_Set_File_Name_In_Combo(QComboBox *combo, const QString &name);
    void View_Series_Window(const QString &name);
    SeriesServices Series_Services() const;

private:
    // A window for a new series: made anew, run, the list refreshed.
    template <typename Window>
    void Open_For_New_Series(QPointer<Window> &window);

    Card_Values &m_values;
    QWidget *m_parent;
    std::function<QString()> m_seriesFolder;
    QString m_templateFolder;
    QPointer<DataSourceSection> m_section;  // a widget of the window, gone with it
    QPointer<BatchWizard> m_wizard;
    QString m_wizardFolder;
    QPointer<Generate_List> m_generator;
    QPointer<Import_Wizard> m_importer;
    QPointer<View_Data_Series> m_viewer;
};
