// The checks of the group-mode wizard's pages on a temporary data folder.
#include "GroupProjectStore.h"
#include "GroupWizardChecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace group_wizard_checks_test {

namespace {

using namespace GroupWizardChecks;

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

TEST(GroupWizardChecks, NewProject)
{
    QTemporaryDir tmp;
    const QString data = tmp.path() + "/";
    const QString root = data + "Group_Excel_Data";
    ASSERT_TRUE(GroupProjectStore::Ensure_Root(data));
    touch(root + "/All/Staff.zcd");
    // Links: a folder outside, a name leading nowhere outside.
    QTemporaryDir outside;
    ASSERT_TRUE(QFile::link(outside.path(), root + "/All/Shared"));
    ASSERT_TRUE(QFile::link(outside.path() + "/q.zcd", root + "/All/q.zcd"));
    struct Row {
        QString name, folder, workbook, message, path;
    } rows[] = {
        {"Crew", "All", "/w.xlsx", "", root + "/All/Crew.zcd"},
        {"  Crew ", "All/Team", "/w.xlsx", "", root + "/All/Team/Crew.zcd"},
        {"../x", "All", "/w.xlsx", "", root + "/All/.._x.zcd"},
        {"Staff", "All", "/w.xlsx", "Project name already exist.", root + "/All/Staff.zcd"},
        {"Staff", "All/Team", "/w.xlsx", "", root + "/All/Team/Staff.zcd"},
        {"", "All", "/w.xlsx", "Please enter project name.", ""},
        {"..", "All", "/w.xlsx", "Please enter project name.", ""},
        {".", "All", "/w.xlsx", "Please enter project name.", ""},
        {"/", "All", "/w.xlsx", "Please enter project name.", ""},
        {"Crew", " ", "/w.xlsx", "Please select project path.", ""},
        {"Crew", "All/../..", "/w.xlsx", "Please select project path.", ""},
        {"Crew", "/tmp", "/w.xlsx", "Please select project path.", ""},
        {"Crew", "All", "  ", "Please select excel file.", ""},
        {"Crew", "All/Shared", "/w.xlsx", "Please select project path.", ""},
        {"Crew", "All/Shared/Sub", "/w.xlsx", "Please select project path.", ""},
        {"q", "All", "/w.xlsx", "Project name already exist.", root + "/All/q.zcd"},
    };
    for (const Row &r : rows) {
        const New_Project p = Check_New_Project(data, r.name, r.folder, r.workbook);
        EXPECT_EQ(p.message, r.message) << r.name.toStdString() << " in " << r.folder.toStdString();
        EXPECT_EQ(p.designPath, r.path) << r.name.toStdString() << " in " << r.folder.toStdString();
    }
    EXPECT_TRUE(QDir(outside.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
}

TEST(GroupWizardChecks, OpenTemplateAndColumns)
{
    QTemporaryDir tmp;
    touch(tmp.path() + "/a.zcd");
    touch(tmp.path() + "/b.ZCD");
    touch(tmp.path() + "/c.xlsx");
    touch(tmp.path() + "/t.png");
    const QString no = "Please select project.";
    const std::pair<QString, QString> open[] = {
        {tmp.path() + "/a.zcd", ""}, {tmp.path() + "/b.ZCD", ""}, {tmp.path() + "/c.xlsx", no},
        {tmp.path() + "/m.zcd", no}, {tmp.path(), no},             {"", no},
    };
    for (const auto &[path, message] : open) EXPECT_EQ(Check_Open(path, no), message) << path.toStdString();
    QString message;
    EXPECT_EQ(Check_Template(tmp.path() + "/t.png", &message), tmp.path() + "/t.zcd");
    EXPECT_EQ(message, "");
    EXPECT_EQ(Check_Template(tmp.path() + "/u.png", &message), "");
    EXPECT_EQ(message, "Please select template.");
    EXPECT_EQ(Check_Template("", &message), "");
    const int items[][2] = {{-1, -1}, {0, -1}, {1, 1}, {12, 12}};
    for (const auto &i : items) EXPECT_EQ(Column_Of_Item(i[0]), i[1]);
    EXPECT_EQ(Check_Name_Column(0, "None"), "Default column should not be 'None'.");
    EXPECT_EQ(Check_Name_Column(-1, ""), "Default column should not be 'None'.");
    EXPECT_EQ(Check_Name_Column(2, "  "), "Default column should not be 'None'.");
    EXPECT_EQ(Check_Name_Column(2, "Name"), "");
}

} // namespace

} // namespace group_wizard_checks_test
