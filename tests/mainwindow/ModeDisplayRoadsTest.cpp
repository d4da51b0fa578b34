// The window follows the mode of the card now open, whichever road led to it: after a
// visitor pass, a group project or a wizard's card, New and Open give the same tools,
// panel boxes and buttons as a fresh start on the same card, and the same rows.
#include "DataSourceSection.h"
#include "GroupPeople.h"
#include "Globals.h"
#include "MainWindowLayout.h"
#include "Profile_Dialog.h"
#include "Profile_Panel.h"
#include "ProfileWorkbooks.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace mode_display_roads_test {
namespace {

QString pass() { return Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd"; }

// A changed design is left without saving it.
void answerNoToSaving(TestWindow &w)
{
    if (w.controller.Design_Changed()) testsupport::boxes().answerNext(kAlertNo);
}

// New (answering No to saving), then the gallery's choice; wizards answer OK.
void newThen(TestWindow &w, Start_Choice choice)
{
    testsupport::answerStartWindow(w.runner, [choice] { return choice; });
    testsupport::answerWizards(w.runner, [](QDialog &) { return 1; });
    answerNoToSaving(w);
    w.controller.Close_Design();
}

// The toolbar's Profile: the name's source "Excel...", every column of the workbook, OK.
void profileWorkbook(TestWindow &w, const QString &book)
{
    w.runner.answer<Profile_Dialog>([book](Profile_Dialog &d) {
        Import_Through(d.rows[0].source, book);
        d.OK_Btn_Clicked();
    });
    w.command("Profile")->trigger();
    w.runner.remove<Profile_Dialog>();
}

// What the window shows of the mode: the three drawing tools, the buttons and panes,
// every box of both panels (the clock's time aside), the design's rows, the sources the
// Data Source tab offers and, where the Profile is offered, the fields its dialog starts
// bound to a column.
std::string shown(TestWindow &w)
{
    const MainWindowLayout &ui = w.controller.ui;
    QStringList out;
    const DesignSpreadsheet &sheet = w.document.m_spreadsheet;
    out << QStringLiteral("rows %1 columns %2 workbook %3 bound %4 sources %5")
               .arg(sheet.rows.size())
               .arg(sheet.column_titles.join(u','), QFileInfo(sheet.Excel_Source_Path).fileName())
               .arg(sheet.Excel_Binding_Use)
               .arg(w.controller.dataSourceSection->Data_source_type->count());
    const Profile_Desk &profiles = w.controller.profiles();
    if (w.command("Profile")->isVisible())
        for (const User_Profile_Class *record : {&profiles.Front_user_profile, &profiles.Back_user_profile})
            for (const Profile_Field &f : record->fields())
                if (f.xl) out << "profile column of " + f.id;
    out << QStringLiteral("text %1 image %2 library %3 log %4 group %5 panels %6")
               .arg(ui.toolActions[2]->isEnabled())
               .arg(ui.toolActions[8]->isEnabled())
               .arg(ui.toolActions[9]->isEnabled())
               .arg(w.command("VisitorLog")->isVisible())
               .arg(!ui.group_control_view->isHidden())
               .arg(!ui.Visitor_Panel_Area->isHidden());
    for (QWidget *view : {ui.front_vistr_view, ui.back_vistr_view}) {
        auto *panel = view->findChild<Profile_Panel *>();
        out << QStringLiteral("add %1 kind %2").arg(!panel->Add_to_DB_btn->isHidden()).arg(!panel->new_ctrl_type_box->isHidden());
        for (QLineEdit *box : panel->findChildren<QLineEdit *>())
            if (box->objectName() != "time_value") out << box->objectName() + "=" + box->text();
        for (QCheckBox *chk : panel->findChildren<QCheckBox *>())
            if (chk->isChecked()) out << chk->objectName();
    }
    return out.join(QLatin1Char(10)).toStdString();
}

// A window as the program starts it (the captions' wording first).
struct Start_Captions {
    Start_Captions() { Set_Field_Captions(Caption_Wording::General_ID_Card); }
};
struct Fresh : Start_Captions, TestWindow {};

} // namespace

TEST(ModeDisplayRoads, EveryRoadShowsTheCardAsAFreshStartDoes)
{
    ASSERT_TRUE(QFileInfo::exists(pass()));
    const Two_Books books;
    // A visitor design and a group project of the pass, saved as a user saves them.
    const QString design = testsupport::testHome() + "/pass.zcd";
    const QString project = testsupport::testHome() + "/Group_Excel_Data/All/Staff.zcd";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(project).path()));
    for (const QString &path : {design, project}) {
        Fresh w;
        newThen(w, std::optional<QString>(pass()));
        if (path == project) {
            w.document.m_spreadsheet.column_titles = {"Name", "Company", "Unique"};
            w.document.setListData(group_project::kPeople);
            w.document.Start_Card_Option = Card_Mode::Group;
        }
        w.document.Project_File_Name = path;
        ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
    }

    auto open = [](const QString &path) {
        return [path](TestWindow &w) {
            testsupport::queueFilePanelAnswer({path});
            answerNoToSaving(w);
            w.controller.Open_Design();
        };
    };
    const std::pair<const char *, std::function<void(TestWindow &)>> roads[] = {
        {"New, Card Wizard", [](TestWindow &w) { newThen(w, Start_Road::Card_Wizard); }},
        {"New, Invitation Wizard", [](TestWindow &w) { newThen(w, Start_Road::Invitation_Wizard); }},
        {"New, Invitation Wizard, a workbook in the Profile",
         [&books](TestWindow &w) {
             newThen(w, Start_Road::Invitation_Wizard);
             profileWorkbook(w, books.six);
             EXPECT_EQ(w.document.ListData().size(), 6) << "the invitation's own rows";
         }},
        {"New, Visitor Pass", [](TestWindow &w) { newThen(w, std::optional<QString>(pass())); }},
        {"Open the visitor design", open(design)},
        {"Open the group project", open(project)},
    };
    for (const auto &[road, take] : roads) {
        std::string fresh;
        {
            Fresh w;
            take(w);
            fresh = shown(w);
        }
        for (const auto &[earlier, before] : roads) {
            SCOPED_TRACE(QStringLiteral("%1, then %2").arg(earlier, road).toStdString());
            Fresh w;
            before(w);
            take(w);
            EXPECT_EQ(shown(w), fresh);
        }
    }
    testsupport::boxes().clear();
}

} // namespace mode_display_roads_test
