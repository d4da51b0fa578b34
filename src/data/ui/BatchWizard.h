#pragma once
// The batch-series wizard: page 1 lists the series (open, create, import, generate,
// delete); page 2 shows the values of one series (edit, delete, import or generate
// more, export to xlsx or txt, save under its name or a new one).
#include "SeriesServices.h"
#include "WidgetDecls.h"

class Generate_List;
class Import_Wizard;
class Load_Num_Info;
class QWidget;
class Update_Ex_Num;

class BatchWizard : public SeriesDialog {
    Q_OBJECT
public:
    explicit BatchWizard(SeriesServices services, QWidget *parent = nullptr);

    void Open_Wnd();
    void Fill_List();
    void Create_Value_List(const QString &value);
    QStringList seriesNames() const;
    QStringList values() const;

    // Page 1.
    void AddNew_Btn_Clicked();
    void Update_Btn_Clicked() { On_Update(); }
    void Delete_List_Btn_Clicked();
    void Import_Btn_Clicked();
    void CreateSeries_Btn_Clicked();
    void Close_Btn_Clicked() { done(0); }
    // Page 2.
    void Import_Value_Btn_Clicked();
    void Series_Value_Btn_Clicked();
    void Delete_Rows_Btn_Clicked();
    void Export_Value_Btn_Clicked();
    void Save_Btn_Clicked();
    void Back_Btn_Clicked() { showPage(1); }
    // Opens the selected series on page 2; edits the selected value.
    void On_Update();
    void OnGetSelected();

    // The alert with "Apply to All" of a delete run (a person answers it unless replaced).
    SeriesImport::AlertFunction alert;

    QWidget *page1 = nullptr, *page2 = nullptr;
    QListWidget *List = nullptr, *List_value = nullptr;
    QLabel *batch_list_count = nullptr, *batch_value_count = nullptr;
    QLineEdit *batch_list_name = nullptr;
    QString update_list_name;  // the series opened for update; empty for a new one
    QPushButton *addNew = nullptr, *update = nullptr, *deleteList = nullptr, *importSeries = nullptr,
                *createSeries = nullptr, *close1 = nullptr;
    QPushButton *importValues = nullptr, *seriesValues = nullptr, *deleteRows = nullptr, *exportValues = nullptr,
                *save = nullptr, *back = nullptr, *close2 = nullptr;

    // The dialogs it runs (made on first use).
    Load_Num_Info &Load_Number_Window();
    Update_Ex_Num &Update_Value_Wnd();
    Generate_List &generator();
    Import_Wizard &importer();

private:
    // Makes a value-list window on first use, wired to fill this list.
    template <class Window>
    Window &listMaker(Window *&slot);
    void showPage(int page);
    void Update_Value_List_Count();
    bool Batch_List_Selection_Validation();
    bool valuesPresent();
    // The replace-values prompt before values come in; false when cancelled.
    bool askReplaceValues();

    SeriesServices m_services;
    Load_Num_Info *m_loadNumber = nullptr;
    Update_Ex_Num *m_updateValue = nullptr;
    Generate_List *m_generator = nullptr;
    Import_Wizard *m_importer = nullptr;
};
