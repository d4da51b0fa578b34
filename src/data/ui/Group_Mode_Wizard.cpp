// The group-mode wizard's page flow, its checks and the workbook's sheet and columns.
#include "Group_Mode_Wizard.h"

#include "Dialogs.h"
#include "GroupProjectStore.h"
#include "GroupWizardChecks.h"
#include "Group_Project_Tree.h"
#include "MessageBox.h"
#include "SeriesDialogs.h"
#include "Template_Gallery.h"
#include "WorkbookKind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace GWC = GroupWizardChecks;

namespace {
const QString kNoneItem = QStringLiteral("None");
const QString kCorrupt = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
} // namespace

int Group_Mode_Wizard::Open_Wnd()
{
    m_templatePath.clear();
    // The panels are emptied first: the fields take the captions the panels then show.
    if (m_services.resetPanels) m_services.resetPanels();
    const QStringList captions = m_services.captions ? m_services.captions() : QStringList();
    for (int i = 0; i < 10; ++i) labels[i]->setText(captions.value(i));
    Pass_proj_name->clear();
    Pass_proj_path->clear();
    Pass_excel_file->clear();
    excel_path->clear();
    log_path->clear();
    m_reader.Delete_Excel_File_Temp_Folder();
    m_loadedWorkbook.clear();
    m_sheet.clear();
    Sheet_ComboBox->clear();
    contains_header->setChecked(true);
    Reset_All_Combo_Box();
    gallery->zoomSliderDidChange(0.5);
    gallery->cat_cmbo_bx->setCurrentIndex(0);
    gallery->template_category_combo->setCurrentIndex(0);
    gallery->Fill_Templates(QStringLiteral("C"));
    proj_name->setText(QStringLiteral("MyProject"));
    Fill_Folder_Combo_Box();
    tree->Fill_Tree_View();
    Show_And_Hide_Fisrt_Screen(false);
    // With a project in the store the page starts on opening one.
    if (tree->project_created()) setChoice(1);
    return runModal();
}

// ---- Pages ----

void Group_Mode_Wizard::showPage(int page)
{
    next_counter = page;
    pages->setCurrentIndex(page);
}

void Group_Mode_Wizard::setChoice(int choice)
{
    new_or_open_or_log = choice;
    start_new_btn->setChecked(choice == 0);
    open_exist_btn->setChecked(choice == 1);
    open_log_btn->setChecked(choice == 2);
    new_box->setEnabled(choice == 0);
    open_box->setEnabled(choice == 1);
    open_log_box->setEnabled(choice == 2);
}

void Group_Mode_Wizard::Show_And_Hide_Fisrt_Screen(bool hide)
{
    if (!hide) {
        Project_Name_Val.clear();
        Project_Path_Val.clear();
        Project_Excel_Val.clear();
    }
    setChoice(0);
    showPage(hide ? 1 : 0);
}

void Group_Mode_Wizard::New_Radio_Click() { Show_And_Hide_Fisrt_Screen(false); }
void Group_Mode_Wizard::Open_Radio_Click() { setChoice(1); }
void Group_Mode_Wizard::Open_log_Radio_Click() { setChoice(2); }

void Group_Mode_Wizard::OK_Click()
{
    if (next_counter == 2) {
        finish();
        return;
    }
    if (next_counter == 1) {
        QString message;
        const QString design = GWC::Check_Template(gallery->Selected_Template_Path(), &message);
        if (!message.isEmpty()) {
            Show_MessageBox(message);
            return;
        }
        m_templatePath = design;
        showPage(2);
        Pass_proj_name->setText(Project_Name_Val);
        Pass_proj_path->setText(Project_Path_Val);
        Pass_excel_file->setText(Project_Excel_Val);
        // A workbook already read is not read again when the user goes back and forth.
        if (m_loadedWorkbook != Project_Excel_Val) Load_file_Func(Project_Excel_Val);
        for (QComboBox *combo : columnCombos) combo->setCurrentIndex(0);
        // A workbook that gives no rows is named now, not only at the end.
        if (m_sheet.isEmpty()) Show_MessageBox(m_noRowsMessage);
        return;
    }
    if (new_or_open_or_log == 0) {
        const QString folder = proj_path->currentIndex() < 0 ? QString() : proj_path->currentText();
        const QString workbook = excel_path->text().trimmed();
        GWC::New_Project check = GWC::Check_New_Project(m_services.dataFolder, proj_name->text(), folder, workbook);
        // A typed workbook that is not there is no workbook.
        if (check.message.isEmpty() && !QFileInfo(workbook).isFile())
            check.message = QStringLiteral("Please select excel file.");
        // A workbook of another kind, or a file that is none, is named as such.
        if (check.message.isEmpty()) check.message = Wrong_Workbook_Message(Workbook_Kind_Of(workbook));
        if (!check.message.isEmpty()) {
            Show_MessageBox(check.message);
            return;
        }
        Project_Name_Val = check.name;
        Project_Path_Val = folder.trimmed();
        Project_Excel_Val = workbook;
        final_grp_design_path = check.designPath;
        setChoice(0);
        showPage(1);
        return;
    }
    const bool fromTree = new_or_open_or_log == 1;
    const QString path = fromTree ? tree->Get_Selected_Project_Path() : log_path->text().trimmed();
    const QString message = GWC::Check_Open(
        path, fromTree ? QStringLiteral("Please select project.") : QStringLiteral("Please browse valid log file."));
    if (!message.isEmpty()) {
        Show_MessageBox(message);
        return;
    }
    if (m_services.openProject && m_services.openProject(path)) done(1);
}

void Group_Mode_Wizard::Back_Click()
{
    if (next_counter == 0) {
        Cancel_Click();
        return;
    }
    showPage(next_counter - 1);
}

void Group_Mode_Wizard::Cancel_Click()
{
    m_templatePath.clear();
    done(0);
}

// ---- Project page commands ----

void Group_Mode_Wizard::Browse_log_Btn_Clicked()
{
    FilePanelRequest r;
    r.title = tr("Open Design");
    r.extensions = {QStringLiteral("zcd")};
    const QStringList chosen = Run_File_Panel(r);
    if (!chosen.isEmpty()) log_path->setText(chosen.front());
}

void Group_Mode_Wizard::Browse_excel_Btn_Clicked()
{
    FilePanelRequest r;
    r.title = tr("Choose Workbook");
    r.extensions = {QStringLiteral("xlsx")};
    const QStringList chosen = Run_File_Panel(r);
    if (chosen.isEmpty()) return;
    // A workbook chosen again is read again.
    m_reader.Delete_Excel_File_Temp_Folder();
    m_loadedWorkbook.clear();
    excel_path->setText(chosen.front());
}

CreateFolder &Group_Mode_Wizard::Create_Folder_Window()
{
    if (!m_folderDialog) m_folderDialog = new CreateFolder(GroupProjectStore::Root(m_services.dataFolder), this);
    return *m_folderDialog;
}

void Group_Mode_Wizard::New_Folder_Click()
{
    GroupProjectStore::Ensure_Root(m_services.dataFolder);
    CreateFolder &dialog = Create_Folder_Window();
    const QString kept = proj_path->currentText();
    // The new folder becomes the folder of the new project.
    Fill_Folder_Combo_Box(dialog.Open_Wnd(GroupProjectStore::Folders(m_services.dataFolder)) == 1
                              ? dialog.add_new_folder
                              : kept);
}

void Group_Mode_Wizard::Fill_Folder_Combo_Box(const QString &select)
{
    GroupProjectStore::Ensure_Root(m_services.dataFolder);
    proj_path->clear();
    proj_path->addItems(GroupProjectStore::Folders(m_services.dataFolder));
    const int at = select.isEmpty() ? -1 : proj_path->findText(select);
    proj_path->setCurrentIndex(at >= 0 ? at : (proj_path->count() > 0 ? 0 : -1));
}

// ---- Column page ----

void Group_Mode_Wizard::Load_file_Func(const QString &path)
{
    const auto wait = Series_Please_Wait(this);
    Sheet_ComboBox->clear();
    m_sheet.clear();
    m_reader.Excel_Sheet_Number = 1;
    m_reader.ReadWorkbook(path, true);
    m_loadedWorkbook = path;
    // A broken workbook keeps the words for it; another kind of file is named.
    m_noRowsMessage = Wrong_Workbook_Message(Workbook_Kind_Of(path));
    if (m_noRowsMessage.isEmpty()) m_noRowsMessage = kCorrupt;
    Sheet_ComboBox->addItems(m_reader.Sheet_List());
    if (Sheet_ComboBox->count() > 0)
        Choose_Sheet(0);
    else
        Reset_All_Combo_Box();
}

void Group_Mode_Wizard::Choose_Sheet(int index)
{
    if (index < 0 || index >= Sheet_ComboBox->count()) return;
    Sheet_ComboBox->setCurrentIndex(index);
    const int number = SpreadsheetWriter::Sheet_Number(Sheet_ComboBox->itemText(index));
    m_reader.Excel_Sheet_Number = number > 0 ? number : index + 1;
    m_sheet = m_reader.ReadWorkbook(m_loadedWorkbook, false);
    Reset_All_Combo_Box();
    if (m_sheet.isEmpty() || m_sheet.first().isEmpty()) return;
    // The first row names the columns, whether or not it is a header.
    for (QComboBox *combo : columnCombos) {
        combo->addItems(m_sheet.first());
        combo->setCurrentIndex(0);
    }
}

void Group_Mode_Wizard::Reset_All_Combo_Box()
{
    for (QComboBox *combo : columnCombos) {
        combo->clear();
        combo->addItem(kNoneItem);
        combo->setCurrentIndex(0);
    }
}

DesignColumnChoices Group_Mode_Wizard::Column_Choices() const
{
    using C = DesignColumnChoices;
    static constexpr int C::*kFields[12] = {&C::excel_cb_value1, &C::excel_cb_value2,  &C::excel_cb_value3,
                                            &C::excel_cb_value4, &C::excel_cb_value5,  &C::excel_cb_value6,
                                            &C::excel_cb_value7, &C::excel_cb_value8,  &C::excel_cb_value9,
                                            &C::excel_cb_value10, &C::excel_cb_value11, &C::excel_cb_value12};
    C choices;
    for (int i = 0; i < 12; ++i) choices.*kFields[i] = GWC::Column_Of_Item(columnCombos[i]->currentIndex());
    return choices;
}

void Group_Mode_Wizard::finish()
{
    const QString refusal = GWC::Check_Name_Column(columnCombos[0]->currentIndex(), columnCombos[0]->currentText());
    if (!refusal.isEmpty()) {
        Show_MessageBox(refusal);
        // The field the message is about is shown selected.
        columnCombos[0]->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_sheet.isEmpty()) {
        Show_MessageBox(m_noRowsMessage);
        return;
    }
    // The store may have changed since the project page: the place is checked again
    // so the project is written only into a real folder of the store, over nothing.
    const QString place =
        GWC::Check_New_Project(m_services.dataFolder, Project_Name_Val, Project_Path_Val, Project_Excel_Val).message;
    if (!place.isEmpty()) {
        Show_MessageBox(place);
        return;
    }
    Group_Project project;
    project.name = Project_Name_Val;
    project.folder = Project_Path_Val;
    project.designPath = final_grp_design_path;
    project.workbook = Project_Excel_Val;
    project.templatePath = m_templatePath;
    project.sheetNumber = m_reader.Excel_Sheet_Number;
    project.header = contains_header->isChecked();
    project.columns = Column_Choices();
    project.sheet = m_sheet;
    // A template that cannot be read stops here: nothing is made and nothing saved.
    if (m_services.loadTemplate && !m_services.loadTemplate(project.templatePath)) return;
    if (m_services.finishProject) m_services.finishProject(project);
    done(1);
}

void Group_Mode_Wizard::View_Excel_Btn_Clicked()
{
    if (m_sheet.isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no excel data to view."));
        return;
    }
    QDialog view(this);
    view.setWindowTitle(QFileInfo(m_loadedWorkbook).fileName());
    auto *table = new QTableWidget(static_cast<int>(m_sheet.size()), static_cast<int>(m_sheet.first().size()));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < m_sheet.size(); ++r)
        for (int c = 0; c < m_sheet.at(r).size() && c < table->columnCount(); ++c)
            table->setItem(r, c, new QTableWidgetItem(m_sheet.at(r).at(c)));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, &view, &QDialog::accept);
    auto *layout = new QVBoxLayout(&view);
    layout->addWidget(table);
    layout->addWidget(buttons);
    view.resize(640, 400);
    view.exec();
}
