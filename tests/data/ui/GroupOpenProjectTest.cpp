// The open group project and the wizard's project tree: a rename of the open project is
// followed by the design's file and the title, so the row list's next Save writes the
// renamed project; a delete of the open project (or of the folder holding it) closes
// it, and it is never written again. The files of the store are read from disk, the
// saved rows back from the project file.
#include "GroupDesk.h"
#include "GroupProjectFixture.h"
#include "Group_Mode_Wizard.h"
#include "Group_Project_Tree.h"
#include "SeriesDialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace group_open_project_test {

namespace {

using group_project::kPeople;

// What is done in the wizard's run, on the tree's row of a name.
struct Step {
    enum Kind { Rename, Delete, Open } kind;
    QString row;
    QString newName;  // Rename: the name typed
    int answer;       // Delete: the answer to the question
};

struct OpenProject : ::testing::Test, group_project::Group_Project_Fixture {
    GroupDesk w;
    const QString store = Created_Resource_Path + "Group_Excel_Data/";

    Group_Row_List &list() override { return w.list(); }
    SKTGraphicView &cardView(int side) override { return w.view(side); }

    // The project of the five people, written once outside the store.
    QString written;
    void SetUp() override
    {
        group_project::placeFields(w.document);
        ASSERT_NO_FATAL_FAILURE(Set_Project(w.document));
        ASSERT_TRUE(w.save());
        written = path;
    }

    // That project as "PX" in the store's folder and as "Other" in "All", and PX opened
    // (from `openAs`, a path to the same file, when given).
    void Open_PX(const QString &folder, const QString &openAs)
    {
        ASSERT_TRUE(QDir().mkpath(store + folder));
        ASSERT_TRUE(QDir().mkpath(store + "All"));
        ASSERT_TRUE(QFile::copy(written, store + folder + "/PX.zcd"));
        ASSERT_TRUE(QFile::copy(written, store + "All/Other.zcd"));
        w.document.m_spreadsheet = DesignSpreadsheet();
        w.document.m_columnChoices = DesignColumnChoices();
        w.document.setListData({});
        w.group.Rows_Changed();
        w.document.Start_Card_Option = Card_Mode::Visitor;
        ASSERT_TRUE(w.open(openAs.isEmpty() ? store + folder + "/PX.zcd" : openAs));
        testsupport::boxes().clear();
    }

    // The "Group Mode" command with the steps done in its wizard, then the wizard
    // closed (unless a step opened a project).
    void Run_Wizard(const QList<Step> &steps)
    {
        Group_Mode_Wizard &wizard = w.group.Group_Mode_Window();
        wizard.whileOpen = [&](SeriesDialog &) {
            Group_Project_Tree &tree = *wizard.tree;
            for (const Step &s : steps) {
                int row = -1;
                for (int i = 0; i < tree.rowCount(); ++i)
                    if (tree.rows().at(i).name == s.row) row = i;
                ASSERT_TRUE(tree.selectRow(row)) << s.row.toStdString();
                if (s.kind == Step::Rename) {
                    tree.askName = [&](const QString &) { return std::optional<QString>(s.newName); };
                    tree.rename_btn->click();
                } else if (s.kind == Step::Delete) {
                    testsupport::boxes().answerNext(s.answer);
                    tree.delete_btn->click();
                } else {
                    wizard.open_exist_btn->click();
                    wizard.ok_btn->click();
                    return;
                }
            }
            wizard.cancel_btn->click();
        };
        w.group.Group_Mode_Clicked();
        wizard.whileOpen = nullptr;
    }

    // The design files of the store, relative to it, sorted.
    QStringList projects()
    {
        QStringList out;
        QDirIterator it(store, {"*.zcd"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) out << QDir(store).relativeFilePath(it.next());
        out.sort();
        return out;
    }
};

TEST_F(OpenProject, FollowsItsRenameAndClosesWithItsDelete)
{
    const QString linked = testsupport::testHome() + "/linked";
    struct Row {
        const char *what;
        QString folder;  // the folder of PX in the store
        bool throughLink;  // PX opened through a link to its folder
        QList<Step> steps;
        QString project;  // the design's file afterwards, relative to the store ("" none)
        QStringList files;  // the store's projects after the row list's Save
        QString title;
        int freshStarts;
    } rows[] = {
        {"the open project renamed", "All", false, {{Step::Rename, "PX", "Visitors Dec", 1}}, "All/Visitors Dec.zcd",
         {"All/Other.zcd", "All/Visitors Dec.zcd"}, "DOZO ID Card ( Untitled - Visitors Dec.zcd )", 0},
        {"the open project, opened through a link, renamed", "All/Staff", true,
         {{Step::Rename, "PX", "Visitors Dec", 1}}, "All/Staff/Visitors Dec.zcd",
         {"All/Other.zcd", "All/Staff/Visitors Dec.zcd"}, "DOZO ID Card ( Untitled - Visitors Dec.zcd )", 0},
        {"another project renamed", "All", false, {{Step::Rename, "Other", "Guests", 1}}, "All/PX.zcd",
         {"All/Guests.zcd", "All/PX.zcd"}, "DOZO ID Card ( Untitled - PX.zcd )", 0},
        {"the open project deleted", "All", false, {{Step::Delete, "PX", "", 1}}, "", {"All/Other.zcd"},
         "DOZO ID Card ( Untitled )", 1},
        {"the folder holding the open project deleted", "All/Staff", false, {{Step::Delete, "All/Staff", "", 1}}, "",
         {"All/Other.zcd"}, "DOZO ID Card ( Untitled )", 1},
        {"its delete answered No", "All", false, {{Step::Delete, "PX", "", 0}}, "All/PX.zcd",
         {"All/Other.zcd", "All/PX.zcd"}, "DOZO ID Card ( Untitled - PX.zcd )", 0},
        {"another project deleted", "All", false, {{Step::Delete, "Other", "", 1}}, "All/PX.zcd", {"All/PX.zcd"},
         "DOZO ID Card ( Untitled - PX.zcd )", 0},
        {"the open project deleted, then another opened", "All", false,
         {{Step::Delete, "PX", "", 1}, {Step::Open, "Other", "", 1}}, "All/Other.zcd", {"All/Other.zcd"},
         "DOZO ID Card ( Untitled - Other.zcd )", 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        ASSERT_TRUE(QDir(store).removeRecursively());
        QFile::remove(linked);
        w.freshStarts = 0;
        if (r.throughLink) {
            ASSERT_TRUE(QFile::link(store + r.folder, linked));
        }
        ASSERT_NO_FATAL_FAILURE(Open_PX(r.folder, r.throughLink ? linked + "/PX.zcd" : QString()));
        ASSERT_NO_FATAL_FAILURE(Run_Wizard(r.steps));
        EXPECT_EQ(w.document.Project_File_Name, r.project.isEmpty() ? QString() : store + r.project);
        EXPECT_EQ(w.title, r.title);
        EXPECT_EQ(w.freshStarts, r.freshStarts);
        if (!r.project.isEmpty()) {
            // Row 3 given a new company and saved from the row list.
            list().GroupList->setCurrentRow(2);
            Profile_Panel_Of_Side(0)->Text_Box_For_ID("Fup_Company")->setText("Cove");
            testsupport::boxes().clear();
            list().save_btn->click();
            EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nRecord saved successfully."});
            path = w.document.Project_File_Name;
            EXPECT_EQ(fileRows().value(2), (QStringList{"3", "Cy", "Cove", "U3"}));
        }
        EXPECT_EQ(projects(), r.files);
    }
}

} // namespace

} // namespace group_open_project_test
