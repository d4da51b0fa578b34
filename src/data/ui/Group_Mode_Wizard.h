#pragma once
// The group-mode wizard: three pages in one window. The project page starts a new
// project (name, store folder, workbook), opens a project of the store's tree or opens
// any design file; the template page picks the design a new project starts from; the
// column page picks the workbook's sheet, whether its first row is a header, and the
// column of each of twelve card fields. The wizard checks the pages; loading and
// making the project are done by the services it is given.
#include "DesignChoices.h"
#include "SeriesServices.h"
#include "SpreadsheetWriter.h"
#include "WidgetDecls.h"

#include <QString>
#include <array>
#include <functional>

class CreateFolder;
class Group_Project_Tree;
class Template_Gallery;

// What a new group project is made of when the wizard finishes.
struct Group_Project {
    QString name;          // the cleaned project name
    QString folder;        // the store folder, relative to "Group_Excel_Data"
    QString designPath;    // where the project is saved
    QString workbook;      // the workbook's path
    QString templatePath;  // the template's design file
    int sheetNumber = 1;   // 1-based worksheet number
    bool header = true;    // the sheet's first row holds the column titles
    DesignColumnChoices columns;  // excel_cb_value1 .. 12; -1 unbound
    SheetRows sheet;       // every row of the chosen sheet, first row included
};

struct Group_Wizard_Services {
    QString dataFolder;            // the per-user data folder, ending with "/"
    QString templatesFolder;       // the shipped "Templates"
    QString userTemplatesFolder;   // "Templates/User" of the data folder
    // The captions of the ten fixed fields, "Name :" first.
    std::function<QStringList()> captions;
    // Empties the main window's visitor and group panels (at the opening).
    std::function<void()> resetPanels;
    // Loads a project or design file and enters group mode; false (after its own
    // message) keeps the wizard open.
    std::function<bool(const QString &path)> openProject;
    // Loads the template of a new project; false (after the reader's message) keeps the
    // wizard open and nothing is saved.
    std::function<bool(const QString &templatePath)> loadTemplate;
    // Makes the new project on the loaded template and saves it.
    std::function<void(const Group_Project &)> finishProject;
    // A project of the store was renamed (its design file before and after), or a
    // project or folder deleted, from the project tree.
    std::function<void(const QString &from, const QString &to)> projectRenamed;
    std::function<void(const QString &path)> projectDeleted;
};

class Group_Mode_Wizard : public SeriesDialog {
    Q_OBJECT
public:
    explicit Group_Mode_Wizard(Group_Wizard_Services services, QWidget *parent = nullptr);

    // Runs the wizard from its project page: 1 after a project was made or opened, 0
    // after Cancel.
    int Open_Wnd();

    void OK_Click();
    void Back_Click();
    void Cancel_Click();
    void New_Radio_Click();
    void Open_Radio_Click();
    void Open_log_Radio_Click();
    void Browse_log_Btn_Clicked();
    void Browse_excel_Btn_Clicked();
    void New_Folder_Click();
    void View_Excel_Btn_Clicked();
    // Refills the folder list of a new project, selecting `select` when listed.
    void Fill_Folder_Combo_Box(const QString &select = {});
    // Picks worksheet `index` of the workbook: its first row fills the twelve column
    // lists after "None", all set to "None".
    void Choose_Sheet(int index);

    int next_counter = 0;         // 0 project page, 1 template page, 2 column page
    int new_or_open_or_log = 0;   // 0 new project, 1 open from the tree, 2 open a design file
    QString Project_Name_Val, Project_Path_Val, Project_Excel_Val, final_grp_design_path;

    QStackedWidget *pages = nullptr;
    QRadioButton *start_new_btn = nullptr, *open_exist_btn = nullptr, *open_log_btn = nullptr;
    QGroupBox *new_box = nullptr, *open_box = nullptr, *open_log_box = nullptr;
    QLineEdit *proj_name = nullptr, *excel_path = nullptr, *log_path = nullptr;
    QComboBox *proj_path = nullptr;
    QPushButton *new_folder_btn = nullptr, *browse_excel_btn = nullptr, *browse_log_btn = nullptr;
    Group_Project_Tree *tree = nullptr;
    Template_Gallery *gallery = nullptr;
    QLabel *Pass_proj_name = nullptr, *Pass_proj_path = nullptr, *Pass_excel_file = nullptr;
    QComboBox *Sheet_ComboBox = nullptr;
    QCheckBox *contains_header = nullptr;
    std::array<QLabel *, 12> labels{};
    std::array<QComboBox *, 12> columnCombos{};  // name .. unique number, front photo, back photo
    QPushButton *view_btn = nullptr, *back_btn = nullptr, *ok_btn = nullptr, *cancel_btn = nullptr;
    // The new-folder dialog (made on first use).
    CreateFolder &Create_Folder_Window();
    // The rows of the chosen sheet, read when the column page opens.
    const SheetRows &excel_content() const { return m_sheet; }

protected:
    void reject() override { Cancel_Click(); }

private:
    void buildProjectPage();
    void buildColumnPage();
    void Show_And_Hide_Fisrt_Screen(bool hide);
    void setChoice(int choice);
    void showPage(int page);
    void Load_file_Func(const QString &path);
    void Reset_All_Combo_Box();
    DesignColumnChoices Column_Choices() const;
    void finish();

    Group_Wizard_Services m_services;
    SpreadsheetWriter m_reader;
    SheetRows m_sheet;
    QString m_loadedWorkbook;
    QString m_noRowsMessage;  // why the loaded workbook gave no rows
    QString m_templatePath;
    CreateFolder *m_folderDialog = nullptr;
};
