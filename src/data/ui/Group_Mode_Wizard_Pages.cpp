// The group-mode wizard's window: its three pages and their widgets.
#include "Group_Mode_Wizard.h"

#include "Group_Project_Tree.h"
#include "Template_Gallery.h"
#include "LayoutParts.h"
#include "Path_Label.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

Group_Mode_Wizard::Group_Mode_Wizard(Group_Wizard_Services services, QWidget *parent)
    : SeriesDialog(parent), m_services(std::move(services))
{
    setWindowTitle(tr("Group Mode"));
    resize(760, 560);
    pages = new QStackedWidget;
    buildProjectPage();
    gallery = new Template_Gallery(m_services.templatesFolder, m_services.userTemplatesFolder);
    pages->addWidget(gallery);
    buildColumnPage();

    back_btn = Command_Button(tr("Back"), this, &Group_Mode_Wizard::Back_Click);
    ok_btn = Command_Button(tr("OK"), this, &Group_Mode_Wizard::OK_Click);
    cancel_btn = Command_Button(tr("Cancel"), this, &Group_Mode_Wizard::Cancel_Click);
    ok_btn->setDefault(true);
    Stack_Layout(this, {{pages, 1}, Button_Row({back_btn, ok_btn, cancel_btn})});
}

void Group_Mode_Wizard::buildProjectPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    start_new_btn = new QRadioButton(tr("Start a new project"));
    open_exist_btn = new QRadioButton(tr("Open a project"));
    open_log_btn = new QRadioButton(tr("Open a design file"));
    auto *choices = new QButtonGroup(page);
    for (QRadioButton *b : {start_new_btn, open_exist_btn, open_log_btn}) choices->addButton(b);
    connect(start_new_btn, &QRadioButton::clicked, this, &Group_Mode_Wizard::New_Radio_Click);
    connect(open_exist_btn, &QRadioButton::clicked, this, &Group_Mode_Wizard::Open_Radio_Click);
    connect(open_log_btn, &QRadioButton::clicked, this, &Group_Mode_Wizard::Open_log_Radio_Click);

    new_box = new QGroupBox;
    auto *form = new QFormLayout(new_box);
    proj_name = new QLineEdit;
    form->addRow(tr("Project name:"), proj_name);
    proj_path = new QComboBox;
    new_folder_btn = Command_Button(tr("New Folder..."), this, &Group_Mode_Wizard::New_Folder_Click);
    auto *folderRow = Side_By_Side({{proj_path, 1}, new_folder_btn});
    form->addRow(tr("Project folder:"), folderRow);
    excel_path = new QLineEdit;
    browse_excel_btn = Command_Button(tr("Browse..."), this, &Group_Mode_Wizard::Browse_excel_Btn_Clicked);
    auto *excelRow = Side_By_Side({{excel_path, 1}, browse_excel_btn});
    form->addRow(tr("Workbook:"), excelRow);

    open_box = new QGroupBox;
    auto *openLayout = new QVBoxLayout(open_box);
    tree = new Group_Project_Tree(m_services.dataFolder);
    openLayout->addWidget(tree);
    connect(tree, &Group_Project_Tree::projectRenamed, this, [this](const QString &from, const QString &to) {
        if (m_services.projectRenamed) m_services.projectRenamed(from, to);
    });
    connect(tree, &Group_Project_Tree::projectDeleted, this, [this](const QString &path) {
        if (m_services.projectDeleted) m_services.projectDeleted(path);
    });

    open_log_box = new QGroupBox;
    auto *logRow = new QHBoxLayout(open_log_box);
    log_path = new QLineEdit;
    browse_log_btn = Command_Button(tr("Browse..."), this, &Group_Mode_Wizard::Browse_log_Btn_Clicked);
    logRow->addWidget(log_path, 1);
    logRow->addWidget(browse_log_btn);

    layout->addWidget(start_new_btn);
    layout->addWidget(new_box);
    layout->addWidget(open_exist_btn);
    layout->addWidget(open_box, 1);
    layout->addWidget(open_log_btn);
    layout->addWidget(open_log_box);
    pages->addWidget(page);
}

void Group_Mode_Wizard::buildColumnPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *project = new QFormLayout;
    Pass_proj_name = new Path_Label;
    Pass_proj_path = new Path_Label;
    Pass_excel_file = new Path_Label;
    Pass_excel_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    project->addRow(tr("Project name:"), Pass_proj_name);
    project->addRow(tr("Project folder:"), Pass_proj_path);
    project->addRow(tr("Workbook:"), Pass_excel_file);
    layout->addLayout(project);

    auto *sheetRow = new QHBoxLayout;
    Sheet_ComboBox = new QComboBox;
    contains_header = new QCheckBox(tr("First row is a header"));
    view_btn = Command_Button(tr("View Data..."), this, &Group_Mode_Wizard::View_Excel_Btn_Clicked);
    connect(Sheet_ComboBox, &QComboBox::activated, this, &Group_Mode_Wizard::Choose_Sheet);
    sheetRow->addWidget(new QLabel(tr("Sheet:")));
    sheetRow->addWidget(Sheet_ComboBox);
    sheetRow->addWidget(contains_header);
    sheetRow->addStretch();
    sheetRow->addWidget(view_btn);
    layout->addLayout(sheetRow);

    auto *grid = new QGridLayout;
    for (int i = 0; i < 12; ++i) {
        labels[i] = new QLabel;
        columnCombos[i] = new QComboBox;
        columnCombos[i]->setMinimumWidth(180);
        grid->addWidget(labels[i], i % 6, (i / 6) * 2);
        grid->addWidget(columnCombos[i], i % 6, (i / 6) * 2 + 1);
    }
    labels[10]->setText(tr("Front Photo :"));
    labels[11]->setText(tr("Back Photo :"));
    layout->addLayout(grid);
    layout->addStretch();
    pages->addWidget(page);
}
