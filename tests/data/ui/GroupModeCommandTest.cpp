// The "Group Mode" command on a design: the save question first, the wizard's Cancel
// giving the panels back, a new group project made through the wizard's pages
// (workbook written by openpyxl, the file read back by the design-file reader), and a
// new project whose template cannot be read leaving the design as it was.
#include "../Checkers.h"
#include "GroupDesk.h"
#include "Group_Mode_Wizard.h"
#include "Group_Project_Tree.h"
#include "SeriesDialogs.h"
#include "Template_Gallery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace group_mode_command_test {

namespace {

// Five people in a workbook written by openpyxl; "" when it could not be written.
QString people()
{
    const QString book = testsupport::testHome() + "/people.xlsx";
    const QString error = checkers::python(
        "import sys, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
        "for r in [['Name', 'Title', 'Company'], ['Ann Lee', 'Boss', 'Acme'], ['Bob Ray', 'Clerk', 'Acme'],"
        " ['Cy Oh', 'Cook', 'Inn'], ['Di Fox', 'Driver', 'Cabs'], ['Ed Sun', 'Editor', 'Press']]: ws.append(r)\n"
        "wb.save(sys.argv[1])",
        {book});
    return error.isEmpty() ? book : QString();
}

// Saves a picture of a window when GROUP_SHOTS names a folder (a tour by hand).
void shot(QWidget &window, const char *file)
{
    const QString folder = qEnvironmentVariable("GROUP_SHOTS");
    if (!folder.isEmpty()) window.grab().save(QDir(folder).filePath(QLatin1String(file)));
}

// Fills the project page with a new project and goes on to the template page.
void newProject(Group_Mode_Wizard &w, const QString &book)
{
    w.start_new_btn->click();
    w.proj_name->setText("Staff");
    w.excel_path->setText(book);
    w.ok_btn->click();
}

// The design as the command finds it: a visitor design with the visitor captions, the
// front shown.
struct Window : GroupDesk {
    Window()
    {
        document.Start_Card_Option = Card_Mode::Visitor;
        Set_Field_Captions(Caption_Wording::Visitor);
        document.Card_Front_Or_Back = 0;
        testsupport::boxes().clear();
    }
    Profile_Panel::Field_Boxes &name() { return Front_Profile_Panel_OBJ->fields[0]; }
    SKTGraphic *onFront(const char *id) { return frontView.Selcect_Ctrl_With_ID(id); }
};

TEST(GroupModeCommand, CancelAtTheSaveQuestionOpensNoWizard)
{
    Window w;
    // A changed design: the question comes first.
    w.name().value_chk->click();
    w.name().value->setText("Ann Lee");
    emit w.name().value->textEdited("Ann Lee");
    ASSERT_TRUE(w.changed());
    testsupport::boxes().clear();
    testsupport::boxes().answerNext(kAlertCancel);
    w.group.Group_Mode_Clicked();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"Do you want to save changes before closing?"});
    EXPECT_EQ(w.group.wizard(), nullptr) << "no wizard was opened";
}

TEST(GroupModeCommand, ADesignNeverChangedIsLeftWithoutTheSaveQuestion)
{
    Window w;
    bool ran = false;
    w.group.Group_Mode_Window().whileOpen = [&](SeriesDialog &d) {
        ran = true;
        static_cast<Group_Mode_Wizard &>(d).cancel_btn->click();
    };
    w.group.Group_Mode_Clicked();
    EXPECT_TRUE(ran);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{});
}

TEST(GroupModeCommand, CancelledWizardLeavesDesignAndPanels)
{
    Window w;
    w.name().value_chk->click();
    w.name().value->setText("Ann Lee");
    emit w.name().value->textEdited("Ann Lee");
    ASSERT_NE(w.onFront("Fup_Name"), nullptr);
    const int controls = w.front().count();
    testsupport::boxes().answerNext(kAlertNo);
    bool ran = false;
    w.group.Group_Mode_Window().whileOpen = [&](SeriesDialog &d) {
        ran = true;
        // The opening emptied the panels.
        EXPECT_EQ(w.name().value->text(), "");
        static_cast<Group_Mode_Wizard &>(d).cancel_btn->click();
    };
    w.group.Group_Mode_Clicked();
    EXPECT_TRUE(ran);
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_EQ(w.front().count(), controls);
    EXPECT_EQ(w.onFront("Fup_Name")->Text_Value, "Ann Lee");
    EXPECT_EQ(w.name().value->text(), "Ann Lee") << "the panel shows the card again";
    EXPECT_TRUE(w.name().value_chk->isChecked());
}

// From a visitor design, the wizard's fields and the emptied panels read alike: as a
// group project's, a general ID card's captions.
TEST(GroupModeCommand, TheWizardsFieldsReadAsThePanels)
{
    Window w;
    QStringList wizardCaptions, panelCaptions;
    w.group.Group_Mode_Window().whileOpen = [&](SeriesDialog &d) {
        auto &wizard = static_cast<Group_Mode_Wizard &>(d);
        for (int i = 0; i < 10; ++i) {
            wizardCaptions << wizard.labels[size_t(i)]->text();
            panelCaptions << Front_Profile_Panel_OBJ->fields[size_t(i)].label->text();
        }
        wizard.cancel_btn->click();
    };
    w.group.Group_Mode_Clicked();
    const QStringList general{"Name :",   "Position / Title :", "Company Name :", "Company Slogan :", "Address :",
                              "Phone No. :", "Fax No. :",       "Email Id :",     "Website :",        "Unique No. :"};
    EXPECT_EQ(wizardCaptions, general);
    EXPECT_EQ(panelCaptions, general);
}

TEST(GroupModeCommand, NewProjectFromAWorkbookAndAVisitorTemplate)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
    Window w;
    const QString book = people();
    ASSERT_FALSE(book.isEmpty());
    Group_Mode_Wizard &wizard = w.group.Group_Mode_Window();
    wizard.whileOpen = [&](SeriesDialog &) {
        wizard.start_new_btn->click();
        wizard.proj_name->setText("Staff");
        wizard.excel_path->setText(book);
        shot(wizard, "wizard-1-project.png");
        wizard.ok_btn->click();
        wizard.gallery->template_category_combo->setCurrentText("Visitor");
        ASSERT_GT(wizard.gallery->imageBrowser->count(), 0);
        wizard.gallery->imageBrowser->setCurrentRow(0);
        shot(wizard, "wizard-2-template.png");
        wizard.ok_btn->click();
        wizard.columnCombos[0]->setCurrentIndex(1);
        wizard.columnCombos[1]->setCurrentIndex(2);
        wizard.columnCombos[2]->setCurrentIndex(3);
        shot(wizard, "wizard-3-columns.png");
        wizard.ok_btn->click();
    };
    w.group.Group_Mode_Clicked();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_TRUE(testsupport::boxes().take().filter("Do you want").isEmpty()) << "a design never changed";
    const QString project = Created_Resource_Path + "Group_Excel_Data/All/Staff.zcd";
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Group);
    EXPECT_EQ(w.document.Project_File_Name, project);
    EXPECT_EQ(w.document.m_columnChoices.excel_cb_value1, 1);
    EXPECT_EQ(w.document.m_columnChoices.excel_cb_value3, 3);
    EXPECT_EQ(w.document.m_columnChoices.excel_cb_value4, -1);
    EXPECT_EQ(w.document.ListData().size(), 5);
    EXPECT_EQ(w.document.ListData().at(4), (QStringList{"5", "Ed Sun", "Editor", "Press"}));
    // The name field is on the front, bound to its column, showing row 0.
    SKTGraphic *name = w.onFront("Fup_Name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->data_source_type_val(), Data_Source_Spreadsheet);
    EXPECT_EQ(name->excel_col_indx, 1);
    EXPECT_EQ(name->Text_Value, "Ann Lee");
    EXPECT_EQ(w.dataSources.findText("Excel") >= 0, true);
    // The saved project, read back.
    DesignData saved;
    QString error;
    ASSERT_TRUE(Read_Design_File(project, saved, &error)) << error.toStdString();
    EXPECT_EQ(saved.mode, Card_Mode::Group);
    EXPECT_EQ(saved.columns, w.document.m_columnChoices);
    EXPECT_EQ(saved.spreadsheet.rows, w.document.ListData());
    EXPECT_EQ(saved.spreadsheet.Excel_Source_Path, book);
    EXPECT_EQ(saved.spreadsheet.column_titles, (QStringList{"Name", "Title", "Company"}));
    shot(w.frontView, "result-card.png");

    // Opening it again from the store's tree.
    testsupport::boxes().answerNext(kAlertNo);
    w.document.Start_Card_Option = Card_Mode::Visitor;
    wizard.whileOpen = [&](SeriesDialog &) {
        shot(wizard, "wizard-4-open-project.png");
        EXPECT_EQ(wizard.new_or_open_or_log, 1);
        EXPECT_EQ(wizard.tree->Get_Selected_Project_Path(), project);
        wizard.ok_btn->click();
    };
    w.group.Group_Mode_Clicked();
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Group);
    EXPECT_EQ(w.document.ListData().size(), 5);
}

TEST(GroupModeCommand, TemplateThatFailsToLoadSavesNothing)
{
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
    Window w;
    const QString book = people();
    const QString user = Created_Resource_Path + "Templates/User/";
    QDir().mkpath(user);
    QImage preview(40, 30, QImage::Format_RGB32);
    preview.fill(Qt::red);
    ASSERT_TRUE(preview.save(user + "Broken.png"));
    QFile broken(user + "Broken.zcd");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a design");
    broken.close();
    const int controls = w.front().count();
    testsupport::boxes().answerNext(kAlertNo);
    Group_Mode_Wizard &wizard = w.group.Group_Mode_Window();
    QStringList during;
    wizard.whileOpen = [&](SeriesDialog &) {
        newProject(wizard, book);
        wizard.gallery->cat_cmbo_bx->setCurrentIndex(1);
        wizard.ok_btn->click();
        wizard.columnCombos[0]->setCurrentIndex(1);
        testsupport::boxes().take();
        wizard.ok_btn->click();
        during = testsupport::boxes().take();
        EXPECT_EQ(wizard.next_counter, 2) << "the wizard stays on the column page";
        wizard.cancel_btn->click();
    };
    w.group.Group_Mode_Clicked();
    EXPECT_EQ(during.size(), 1) << "the reader's message";
    EXPECT_FALSE(QFileInfo::exists(Created_Resource_Path + "Group_Excel_Data/All/Staff.zcd"));
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_TRUE(w.document.ListData().isEmpty());
    EXPECT_EQ(w.front().count(), controls);
}

} // namespace

} // namespace group_mode_command_test
