// Group mode as a new user meets it, on one road: the "Group Mode" command makes a
// project from a workbook of five people and the horizontal visitor pass; the list
// beside the card names the five; a chosen person stands on both sides and in the
// panels; a person is added, edited, saved and deleted; the project is closed and
// opened again from the wizard's project tree and with Open, unchanged; renamed in the
// wizard it is saved under its new name, deleted there it is closed. The project file
// is read back by the design-file reader.
#include "../data/Checkers.h"
#include "DesignFile.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "Group_Mode_Wizard.h"
#include "Group_Project_Tree.h"
#include "Group_Row_List.h"
#include "Profile_Panel.h"
#include "SKTGraphicView.h"
#include "Template_Gallery.h"
#include "TestSupport.h"
#include "TestWindow.h"
#include "Update_XL_Column.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace group_mode_road_test {

namespace {

const QList<QStringList> kPeople = {
    {"1", "Ann Lee", "Boss", "Acme", "U1"},   {"2", "Bob Ray", "Clerk", "Bell", "U2"},
    {"3", "Cy Oh", "Cook", "Inn", "U3"},      {"4", "Di Fox", "Driver", "Cabs", "U4"},
    {"5", "Ed Sun", "Editor", "Press", "U5"},
};

// Saves a picture of a widget when GROUP_SHOTS names a folder (a tour by hand).
void shot(QWidget &widget, const char *file)
{
    const QString folder = qEnvironmentVariable("GROUP_SHOTS");
    if (folder.isEmpty()) return;
    widget.show();
    QTest::qWait(50);
    widget.grab().save(QDir(folder).filePath(QLatin1String(file)));
}

// The five people as a workbook; a tour by hand may name one of its own (made by
// LibreOffice) in GROUP_WORKBOOK.
QString workbook()
{
    if (!qEnvironmentVariableIsEmpty("GROUP_WORKBOOK")) return qEnvironmentVariable("GROUP_WORKBOOK");
    const QString book = testsupport::testHome() + "/people.xlsx";
    QStringList rows;
    rows << "['Name', 'Title', 'Company', 'Unique']";
    for (const QStringList &p : kPeople) rows << QStringLiteral("['%1', '%2', '%3', '%4']").arg(p[1], p[2], p[3], p[4]);
    const QString error = checkers::python(
        "import sys, openpyxl\nwb = openpyxl.Workbook(); ws = wb.active\n"
        "for r in [" + rows.join(", ") + "]: ws.append(r)\nwb.save(sys.argv[1])",
        {book});
    return error.isEmpty() ? book : QString();
}

struct Road : TestWindow {
    Road()
    {
        document.Start_Card_Option = Card_Mode::Visitor;
        Set_Field_Captions(Caption_Wording::Visitor);
        controller.Select_front_side();
        testsupport::boxes().clear();
        controller.window()->resize(1400, 900);
    }
    Group_Row_List &list() { return *controller.groupMode().rowList(); }
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < list().GroupList->count(); ++i) out << list().GroupList->item(i)->text();
        return out;
    }
    QString card(int side, const char *id)
    {
        SKTGraphic *g = controller.graphicView(side)->Selcect_Ctrl_With_ID(id);
        return g ? g->Text_Value : QStringLiteral("<none>");
    }
    QLineEdit &box(int side, const char *id) { return *Profile_Panel_Of_Side(side)->Text_Box_For_ID(id); }
    // The person on the card and in the panel of each side: name, title, company
    // on the front, name and unique number on the back.
    QStringList shown()
    {
        return {card(0, "Fup_Name"), card(0, "Fup_Title"), card(0, "Fup_Company"), box(0, "Fup_Name").text(),
                box(0, "Fup_Company").text(), card(1, "Fup_Name"), card(1, "Fup_UniqueNo"),
                box(1, "Fup_Name").text(), box(1, "Fup_UniqueNo").text()};
    }
    static QStringList shownOf(const QStringList &p) { return {p[1], p[2], p[3], p[1], p[3], p[1], p[4], p[1], p[4]}; }
    QList<QStringList> fileRows(const QString &path)
    {
        DesignData data;
        QString error;
        EXPECT_TRUE(Read_Design_File(path, data, &error)) << error.toStdString();
        EXPECT_EQ(data.mode, Card_Mode::Group);
        return data.spreadsheet.rows;
    }
    // Chooses row r as a user does, shows the back and comes back to the front.
    QStringList choose(int r)
    {
        QTest::mouseClick(list().GroupList->viewport(), Qt::LeftButton, {},
                          list().GroupList->visualItemRect(list().GroupList->item(r)).center());
        controller.Back_Card_Btn_Clicked();
        const QStringList back = shown();
        controller.Front_Card_Btn_Clicked();
        return back;
    }
};

TEST(GroupModeRoad, WizardListPeopleEditAndReopen)
{
    if (!checkers::hasOpenpyxl() && qEnvironmentVariableIsEmpty("GROUP_WORKBOOK")) GTEST_SKIP() << "openpyxl missing";
    Road w;
    const QString book = workbook();
    ASSERT_FALSE(book.isEmpty());
    const QString project = Created_Resource_Path + "Group_Excel_Data/All/Staff.zcd";

    // The command and its wizard: a new project, the visitor pass, four columns.
    Group_Mode_Wizard &wizard = w.controller.groupMode().Group_Mode_Window();
    wizard.whileOpen = [&](SeriesDialog &) {
        EXPECT_TRUE(wizard.start_new_btn->isChecked()) << "an empty store opens on a new project";
        wizard.proj_name->setText("Staff");
        wizard.excel_path->setText(book);
        shot(wizard, "road-1-project.png");
        wizard.ok_btn->click();
        wizard.gallery->template_category_combo->setCurrentText("Visitor");
        QListWidget &browser = *wizard.gallery->imageBrowser;
        for (int i = 0; i < browser.count(); ++i)
            if (browser.item(i)->data(Qt::UserRole).toString().contains("Visitor Pass (h)")) browser.setCurrentRow(i);
        EXPECT_TRUE(wizard.gallery->Selected_Template_Path().contains("Visitor Pass (h)"));
        shot(wizard, "road-2-template.png");
        wizard.ok_btn->click();
        if (wizard.next_counter != 2) return wizard.cancel_btn->click();
        for (int field : {0, 1, 2, 9}) wizard.columnCombos[field]->setCurrentText(
            QStringList{"Name", "Title", "Company", "", "", "", "", "", "", "Unique"}[field]);
        shot(wizard, "road-3-columns.png");
        wizard.ok_btn->click();
    };
    w.command("GroupMode")->trigger();
    wizard.whileOpen = nullptr;
    ASSERT_EQ(w.document.Start_Card_Option, Card_Mode::Group);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{}) << "a design never changed: no save question";

    // Five entries, the first person chosen and shown.
    EXPECT_EQ(w.entries(), QStringList({"1 - Ann Lee", "2 - Bob Ray", "3 - Cy Oh", "4 - Di Fox", "5 - Ed Sun"}));
    EXPECT_EQ(w.list().selectedRow(), 0);
    EXPECT_EQ(w.card(0, "Fup_Name"), "Ann Lee");
    EXPECT_EQ(w.box(0, "Fup_Name").text(), "Ann Lee");
    shot(*w.controller.window(), "road-4-project-made.png");

    // The pass has no person on its back: the column dialog on the back puts them there.
    w.controller.Back_Card_Btn_Clicked();
    w.runner.whileOpen<Update_XL_Column>([](Update_XL_Column &d) {
        for (int field : {1, 2}) d.checks[field]->setChecked(false);  // the back shows name and number
        d.OKPressed();
    });
    w.controller.groupMode().Update_Excel_Btn_Clicked();
    w.runner.remove<Update_XL_Column>();
    EXPECT_EQ(w.card(1, "Fup_Name"), "Ann Lee");
    EXPECT_EQ(w.card(1, "Fup_UniqueNo"), "U1");
    w.controller.Front_Card_Btn_Clicked();

    // Each person on both sides and in both panels.
    for (int r : {3, 1, 4, 0}) EXPECT_EQ(w.choose(r), Road::shownOf(kPeople.at(r))) << r;
    w.choose(3);
    shot(*w.controller.window(), "road-5-di-fox-chosen.png");
    EXPECT_EQ(w.fileRows(project), kPeople);

    // Add a person from the front panel, with Di Fox chosen before.
    w.box(0, "Fup_Name").setText("Fay Ng");
    w.box(0, "Fup_Title").setText("Fitter");
    w.box(0, "Fup_Company").setText("Forge");
    QTest::mouseClick(w.list().add_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nRecord added successfully."});
    QList<QStringList> rows = kPeople;
    rows << QStringList{"6", "Fay Ng", "Fitter", "Forge", w.document.ListData().value(5).value(4)};
    EXPECT_EQ(w.document.ListData(), rows) << "Di Fox stays as she was";
    EXPECT_EQ(w.list().selectedRow(), 5);
    EXPECT_EQ(w.fileRows(project), rows);

    // Edit Bob and save; his card follows.
    w.choose(1);
    w.box(0, "Fup_Title").setText("Chief Clerk");
    QTest::mouseClick(w.list().save_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nRecord saved successfully."});
    rows[1][2] = "Chief Clerk";
    EXPECT_EQ(w.document.ListData(), rows);
    EXPECT_EQ(w.card(0, "Fup_Title"), "Chief Clerk");
    EXPECT_EQ(w.fileRows(project), rows);
    shot(*w.controller.window(), "road-6-bob-edited.png");

    // Delete Cy: asked first, Bob chosen after.
    w.choose(2);
    testsupport::boxes().answerNext(1);
    QTest::mouseClick(w.list().delete_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList({"Are you sure you want delete selected record?", "\nRecord deleted successfully."}));
    rows.removeAt(2);
    EXPECT_EQ(w.document.ListData(), rows);
    EXPECT_EQ(w.list().selectedRow(), 1);
    EXPECT_EQ(w.fileRows(project), rows);
    const QStringList listed = w.entries();
    EXPECT_EQ(listed, QStringList({"1 - Ann Lee", "2 - Bob Ray", "3 - Di Fox", "4 - Ed Sun", "5 - Fay Ng"}));
    const DesignColumnChoices choices = w.document.m_columnChoices;
    const int front = w.front().count(), back = w.back().count();

    // Closed, then opened from the wizard's project tree.
    testsupport::boxes().answerNext(kAlertNo);
    testsupport::answerStartWindow(w.runner, []() -> std::optional<QString> { return QString(); });
    w.controller.Close_Design();
    w.runner.remove<Start_Card>();
    ASSERT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    testsupport::boxes().answerNext(kAlertNo);
    wizard.whileOpen = [&](SeriesDialog &) {
        EXPECT_TRUE(wizard.open_exist_btn->isChecked());
        EXPECT_EQ(wizard.tree->Get_Selected_Project_Path(), project);
        shot(wizard, "road-7-open-project.png");
        wizard.ok_btn->click();
    };
    w.command("GroupMode")->trigger();
    wizard.whileOpen = nullptr;
    testsupport::boxes().clear();
    const auto unchanged = [&](const char *how) {
        EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Group) << how;
        EXPECT_EQ(w.document.ListData(), rows) << how;
        EXPECT_EQ(w.document.m_columnChoices, choices) << how;
        EXPECT_EQ(w.entries(), listed) << how;
        EXPECT_EQ(w.list().selectedRow(), 0) << how;
        EXPECT_EQ(w.front().count(), front) << how << ": no control made twice";
        EXPECT_EQ(w.back().count(), back) << how;
        for (int r : {3, 0}) EXPECT_EQ(w.choose(r), Road::shownOf(rows.at(r))) << how << " " << r;
        EXPECT_EQ(w.fileRows(project), rows) << how;
    };
    unchanged("from the tree");
    shot(*w.controller.window(), "road-8-reopened-from-the-tree.png");

    // Closed, then opened with Open.
    testsupport::boxes().answerNext(kAlertNo);
    testsupport::answerStartWindow(w.runner, []() -> std::optional<QString> { return QString(); });
    w.controller.Close_Design();
    w.runner.remove<Start_Card>();
    testsupport::boxes().answerNext(kAlertNo);
    testsupport::queueFilePanelAnswer({project});
    w.controller.Open_Design();
    testsupport::boxes().clear();
    unchanged("with Open");
    shot(*w.controller.window(), "road-9-reopened-with-open.png");

    // Renamed in the wizard while open: the title and the next save follow the new name.
    const QString renamed = Created_Resource_Path + "Group_Excel_Data/All/Visitors Dec.zcd";
    wizard.whileOpen = [&](SeriesDialog &) {
        wizard.tree->askName = [](const QString &) { return std::optional<QString>("Visitors Dec"); };
        wizard.tree->rename_btn->click();
        wizard.cancel_btn->click();
    };
    w.command("GroupMode")->trigger();
    EXPECT_EQ(w.controller.window()->windowTitle().toStdString(), "DOZO ID Card ( Visitor Pass - Visitors Dec.zcd )");
    w.choose(2);
    w.box(0, "Fup_Title").setText("Chief Driver");
    QTest::mouseClick(w.list().save_btn, Qt::LeftButton);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nRecord saved successfully."});
    rows[2][2] = "Chief Driver";
    EXPECT_EQ(w.fileRows(renamed), rows);
    EXPECT_FALSE(QFileInfo::exists(project)) << "no file of the old name comes back";

    // Deleted in the wizard while open: the project is closed, and the template gallery
    // follows as at a fresh start.
    int galleries = 0;
    testsupport::answerStartWindow(w.runner, [&]() -> std::optional<QString> {
        ++galleries;
        return QString();
    });
    wizard.whileOpen = [&](SeriesDialog &) {
        testsupport::boxes().answerNext(1);
        wizard.tree->delete_btn->click();
        wizard.cancel_btn->click();
    };
    w.command("GroupMode")->trigger();
    w.runner.remove<Start_Card>();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"Do you want to delete this project?"});
    EXPECT_EQ(galleries, 1);
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_EQ(w.document.Project_File_Name.toStdString(), "");
    EXPECT_TRUE(w.controller.ui.group_control_view->isHidden());
    EXPECT_FALSE(QFileInfo::exists(renamed));
}

} // namespace

} // namespace group_mode_road_test
