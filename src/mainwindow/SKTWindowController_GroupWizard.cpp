// The "Group Mode" command: the group-mode wizard with what it needs of this window,
// and the making of a new group project on the design.
#include "SKTWindowController.h"

#include "DataSourceSection.h"
#include "GroupBinding.h"
#include "GroupRows.h"
#include "Group_Mode_Wizard.h"
#include "Helpers.h"
#include "MessageBox.h"
#include "SKTGraphicView.h"
#include "ScopedFlag.h"

#include <QFileInfo>
#include <QMainWindow>

void SKTWindowController::Group_Mode_Clicked()
{
    if (!Ask_To_Save_Changes()) return;
    if (Group_Mode_Window().Open_Wnd() == 1) return;
    // The opening emptied the panels; after Cancel they show the card again.
    Load_Visitor_Panels_From_Card();
}

Group_Mode_Wizard &SKTWindowController::Group_Mode_Window()
{
    if (m_groupWizard) return *m_groupWizard;
    Group_Wizard_Services s;
    s.dataFolder = Created_Resource_Path;
    s.templatesFolder = Resource_Path + QStringLiteral("Templates");
    s.userTemplatesFolder = Created_Resource_Path + QStringLiteral("Templates/User");
    s.captions = [] {
        return QStringList{Title_Name,  Title_Title, Title_Company_name, Title_slogan,  Title_address,
                           Title_phone, Title_fax,   Title_email,        Title_website, Title_unique};
    };
    s.resetPanels = [this] { Reset_All_Visitor_Grp_Mode_Ctrl(); };
    s.openProject = [this](const QString &path) { return Open_Group_Project(path); };
    s.loadTemplate = [this](const QString &path) {
        QString error;
        if (Read_Design_In_Place(path, Card_Mode::Template, true, &error)) return true;
        Show_MessageBox(error);
        return false;
    };
    s.finishProject = [this](const Group_Project &project) { Make_Group_Project(project); };
    m_groupWizard = new Group_Mode_Wizard(std::move(s), ui.window);
    return *m_groupWizard;
}

bool SKTWindowController::Open_Group_Project(const QString &path)
{
    QString error;
    if (!Read_Design_In_Place(path, Card_Mode::Template, true, &error)) {
        Show_MessageBox(error);
        return false;
    }
    document.Start_Card_Option = Card_Mode::Group;
    document.Project_File_Name = path;
    Design_Did_Load();
    Undo_Redo_Clear();
    Insert_In_Undo_Redo();
    Design_Is_As_Saved();
    return true;
}

void SKTWindowController::Make_Group_Project(const Group_Project &project)
{
    Check_For_Defalut_Photo_Control();
    document.Start_Card_Option = Card_Mode::Group;
    document.Selected_Template_Path = project.templatePath;
    // The template read set the column choices from its file: the wizard's come after.
    document.m_columnChoices = project.columns;
    GroupRows::Fill_From_Sheet(document, project.sheet, project.header);
    DesignSpreadsheet &sheet = document.m_spreadsheet;
    sheet.Excel_Source_Path = project.workbook;
    sheet.Excel_Sheet_Number = project.sheetNumber;
    sheet.contains_header = project.header;
    sheet.Excel_Binding_Use = true;
    {
        // The fields' controls come as one step; the undo history starts anew below.
        const Scoped_Value<bool> quiet(live_mode_list_value_change, true);
        const GroupBinding::Maker make = [this](int side, const QString &id, const QString &value, bool picture) {
            return Make_Group_Control(side, id, value, picture);
        };
        GroupBinding::Update_Excel_Column_Binding(document, QStringLiteral("A"), make);
    }
    document.Mark_List_New_Selection(document.ListData().isEmpty() ? -1 : 0);
    if (dataSourceSection) DataSourceSection::Add_Excel_Col_Name_In_Combo(dataSourceSection->Data_source_type);
    document.Project_File_Name = project.designPath;
    Create_Folder(QFileInfo(project.designPath).absolutePath());
    // Saved silently as a group project (mode "G" in the file).
    Save_project_file(false, false, Card_Mode::Group);
    Design_Did_Load();
    Undo_Redo_Clear();
    Insert_In_Undo_Redo();
    Design_Is_As_Saved();
}
