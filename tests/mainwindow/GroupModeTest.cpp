// Group mode in the main window, end to end: a group project written to a design file,
// opened as a user opens it, its rows listed beside the card, a person put on both
// sides and the panels, rows added, edited, saved and deleted, the column dialog and
// export as template.
#include "CardValueEngine.h"
#include "DesignFile.h"
#include "Export_File_Writer.h"
#include "Export_Template.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "Group_Row_List.h"
#include "MessageBox.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "GroupProjectWindow.h"
#include "Run_Desk.h"
#include "Update_XL_Column.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace group_mode_test {

namespace {

using group_project::Control_Snapshot;
using group_project::kPeople;
using group_project::snapshotOf;

struct GroupMode : ::testing::Test, Group_Project_Window {
    // A group project of five people: the name on both sides, the company on the
    // front, the unique number on the back.
    void SetUp() override
    {
        group_project::placeFields(w.document);
        Save_And_Open();
    }

    void shoot(const char *name)
    {
        const QString shots = qEnvironmentVariable("GROUP_SHOTS");
        if (shots.isEmpty()) return;
        w.controller.window()->resize(1280, 800);
        w.controller.window()->show();
        QTest::qWait(50);
        w.controller.window()->grab().save(QDir(shots).filePath(name));
    }
};

TEST_F(GroupMode, OpenedProjectListsItsRowsWithTheFirstOnTheCard)
{
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Group);
    EXPECT_EQ(w.document.Project_File_Name, path);
    EXPECT_FALSE(w.controller.ui.group_control_view->isHidden());
    EXPECT_EQ(entries(), QStringList({"1 - Ann", "2 - Bob", "3 - Cy", "4 - Dee", "5 - Eve"}));
    EXPECT_EQ(list().selectedRow(), 0);
    EXPECT_EQ(cardText(0, "Fup_Name"), "Ann");
    EXPECT_EQ(cardText(0, "Fup_Company"), "Acme");
    EXPECT_EQ(panelText(0, "Fup_Name"), "Ann");
    EXPECT_EQ(panelText(0, "Fup_Company"), "Acme");
    EXPECT_EQ(fileRows(), kPeople) << "the first save stored no panel over row 0";
    shoot("01-project-opened.png");
}

TEST_F(GroupMode, ClosingLeavesGroupMode)
{
    testsupport::boxes().answerNext(kAlertNo);
    testsupport::answerStartWindow(w.runner, []() -> std::optional<QString> { return QString(); });
    w.controller.Close_Design();
    w.runner.remove<Start_Card>();
    EXPECT_EQ(w.document.Start_Card_Option, Card_Mode::Visitor);
    EXPECT_EQ(entries(), QStringList()) << "a new design has no row list";
    EXPECT_TRUE(w.controller.ui.group_control_view->isHidden());
    EXPECT_EQ(fileRows(), kPeople) << "the project file as it was";
}

// ---- Export as template ----

TEST_F(GroupMode, ExportAsTemplateFillsTheSideNotShownFromTheSelectedRow)
{
    w.document.setListData({kPeople.at(0), kPeople.at(1), {"3", "Bob", "Byte", "U9"}});
    list().GroupList->setCurrentRow(1);
    const QList<Control_Snapshot> front = snapshotOf(w.front()), back = snapshotOf(w.back());
    ASSERT_EQ(cardText(1, "Fup_Name"), "Ann") << "the back still shows the first person";
    QTimer::singleShot(0, [this] {
        w.controller.Template_Name_Window().template_name->setText("Group Pass");
        w.controller.Template_Name_Window().OKPressed();
        if (w.controller.Template_Name_Window().isVisible()) w.controller.Template_Name_Window().done(0);
    });
    w.controller.Export_As_Template_Clicked();
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nTemplate exported successfully."}));
    DesignData data;
    QString error;
    ASSERT_TRUE(Read_Design_File(Export_Template::userTemplateFolder() + "/Group Pass.zcd", data, &error));
    QStringList backTexts;
    for (const GraphicPtr &g : data.back_controls) backTexts << g->control_ID + "=" + g->Text_Value;
    EXPECT_EQ(backTexts, QStringList({"Fup_UniqueNo=U2", "Fup_Name=Bob"}));
    EXPECT_EQ(snapshotOf(w.front()), front) << "the design unchanged";
    EXPECT_EQ(snapshotOf(w.back()), back) << "the design unchanged";
    EXPECT_EQ(w.document.Project_File_Name, path);
}

TEST_F(GroupMode, SingleExportShowsTheSelectedPersonOnTheBack)
{
    // The back exported while the front is shown: the person selected, not the one the
    // back showed last.
    const QString file = testsupport::testHome() + "/card.png";
    const QString target = Export_Target_Paths(file, Export_Layout::Back).value(0);
    auto exportBack = [&](int row) {
        list().GroupList->setCurrentRow(row);
        QFile::remove(target);
        EXPECT_TRUE(w.controller.runDesk().Export_Single_File(file, Export_Layout::Back, false));
        return QImage(target);
    };
    const QList<Control_Snapshot> back = snapshotOf(w.back());
    const QImage ann = exportBack(0), bob = exportBack(1), annAgain = exportBack(0);
    ASSERT_FALSE(ann.isNull());
    EXPECT_NE(ann, bob);
    EXPECT_EQ(ann, annAgain);
    EXPECT_EQ(snapshotOf(w.back()), back) << "the design unchanged";
}

} // namespace

} // namespace group_mode_test
