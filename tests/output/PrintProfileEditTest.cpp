// The profile list's Edit and Delete work on the picked row's own file: twins whose
// names differ only in the letter case of their extension, a name changed only in
// letter case where both spellings lead to one file, names whose file would be hidden,
// and a file that cannot be deleted.
#include "PrintWindowFixture.h"

#include <QDoubleSpinBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <unistd.h>

namespace print_window_test {

namespace {

void writeProfile(const QString &path, double gap)
{
    Print_Profile p;
    p.rows = 1;
    p.horzGapMM = gap;
    ASSERT_TRUE(Write_Print_Profile(path, p));
}

// The folder's files, each with the horizontal gap read from it.
QStringList filesWithGaps(const QString &folder)
{
    QStringList out;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        const std::optional<Print_Profile> p = Read_Print_Profile(folder + "/" + name);
        out << QStringLiteral("%1 %2").arg(name).arg(p ? p->horzGapMM : -1.0);
    }
    return out;
}

int rowShowing(const QListWidget &list, const QString &text)
{
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->text() == text) return i;
    return -1;
}

} // namespace

// Twins told apart in the list; Edit renames or saves over the picked twin's own file
// and leaves the other as it was.
TEST(PrintProfileEdit, AnEditWorksOnThePickedTwinsOwnFile)
{
    const struct {
        const char *picked;  // the row's text
        const char *typed;   // the name given in the dialog
        QStringList after;   // the files and their gaps; the picked one saved with 11
        const char *selected;
    } table[] = {
        {"Twin (Twin.zvp)", "Renamed", {"Default.zvp 5", "Renamed.zvp 11", "Twin.Zvp 6"}, "Renamed"},
        {"Twin (Twin.Zvp)", "Renamed", {"Default.zvp 5", "Renamed.zvp 11", "Twin.zvp 8"}, "Renamed"},
        {"Twin (Twin.zvp)", "Twin", {"Default.zvp 5", "Twin.Zvp 6", "Twin.zvp 11"}, "Twin (Twin.zvp)"},
        {"Twin (Twin.Zvp)", "Twin", {"Default.zvp 5", "Twin.Zvp 11", "Twin.zvp 8"}, "Twin (Twin.Zvp)"},
    };
    for (const auto &r : table) {
        SCOPED_TRACE(r.picked + std::string(" to ") + r.typed);
        QDir(testsupport::testHome() + "/PrintProfile").removeRecursively();
        Fixture f(0);
        writeProfile(f.folder + "/Twin.Zvp", 6);
        writeProfile(f.folder + "/Twin.zvp", 8);
        f.window->Load_Print_Profile();
        ASSERT_EQ(f.listed(), QStringList({"Default", "Twin (Twin.Zvp)", "Twin (Twin.zvp)"}));
        f.window->List_profile->setCurrentRow(rowShowing(*f.window->List_profile, r.picked));
        f.window->horz_mar_Text->setValue(11);
        f.profileDialogAnswers(r.typed);
        f.window->Edit_profile_btn->click();
        EXPECT_EQ(shown(), "\nPrint Profile has been saved successfully.");
        EXPECT_EQ(filesWithGaps(f.folder), r.after);
        EXPECT_EQ(f.window->List_profile->currentItem()->text(), r.selected);
        EXPECT_DOUBLE_EQ(f.window->horz_mar_Text->value(), 11);
    }
}

// A name changed only in letter case, where both spellings lead to one file (as on a
// file system that ignores case; here a link under the new spelling): the profile is
// written and its file kept.
TEST(PrintProfileEdit, ARenameToTheSameFileKeepsTheProfile)
{
    Fixture f(0);
    writeProfile(f.folder + "/Lower.zvp", 4);
    f.window->Load_Print_Profile();
    ASSERT_TRUE(QFile::link(f.folder + "/Lower.zvp", f.folder + "/LOWER.zvp"));
    f.window->List_profile->setCurrentRow(1);
    f.window->horz_mar_Text->setValue(9);
    f.profileDialogAnswers("LOWER");
    f.window->Edit_profile_btn->click();
    EXPECT_EQ(shown(), "\nPrint Profile has been saved successfully.");
    EXPECT_EQ(filesWithGaps(f.folder), QStringList({"Default.zvp 5", "LOWER.zvp 9", "Lower.zvp 9"}));
}

// A file system that ignores letter case is modelled by a listing in small letters (as
// NTFS mounted with "ignore_case" lists its names): "A.zvp" is a link to "a.zvp" (the
// file numbered once whatever its spelling), "B.zvp" a copy of "b.zvp" (numbered anew
// for each spelling). "New.zvp" is a profile renamed from "b" to "New".
TEST(PrintProfileEdit, OneFileWhateverItsNames)
{
    const QString home = testsupport::testHome() + "/same";
    QDir().mkpath(home);
    for (const char *name : {"a.zvp", "b.zvp", "B.zvp", "New.zvp"}) writeProfile(home + "/" + name, 1);
    ASSERT_TRUE(QFile::link(home + "/a.zvp", home + "/link.zvp"));
    ASSERT_TRUE(QFile::link(home + "/a.zvp", home + "/A.zvp"));
    ASSERT_EQ(::link(QFile::encodeName(home + "/a.zvp").constData(), QFile::encodeName(home + "/hard.zvp").constData()), 0);
    const auto smallLetters = [](const QString &folder) {
        QStringList names = QDir(folder).entryList(QDir::Files);
        for (QString &name : names) name = name.toLower();
        return names;
    };
    const struct {
        const char *a, *b;
        bool lowerCaseListing, same;
    } table[] = {
        {"a.zvp", "a.zvp", false, true},      {"a.zvp", "./a.zvp", false, true}, {"a.zvp", "link.zvp", false, true},
        {"a.zvp", "hard.zvp", false, true},   {"a.zvp", "b.zvp", false, false},  {"a.zvp", "gone.zvp", false, false},
        {"gone.zvp", "gone.zvp", false, false}, {"B.zvp", "b.zvp", false, false}, {"New.zvp", "b.zvp", false, false},
        {"A.zvp", "a.zvp", true, true},       {"B.zvp", "b.zvp", true, true},    {"New.zvp", "b.zvp", true, false},
        {"a.zvp", "b.zvp", true, false},      {"New.zvp", "a.zvp", true, false}, {"New.zvp", "link.zvp", true, false},
    };
    for (const auto &r : table) {
        QStringList (*listing)(const QString &) = r.lowerCaseListing ? +smallLetters : nullptr;
        EXPECT_EQ(Is_Same_File(home + "/" + r.a, home + "/" + r.b, listing), r.same)
            << r.a << " " << r.b << (r.lowerCaseListing ? " listed in small letters" : "");
    }
}

// A name whose file would be hidden is refused in the dialog, which stays open; nothing
// is written and the edited profile stays listed.
TEST(PrintProfileEdit, NamesOfHiddenFilesAreRefused)
{
    Fixture f(0);
    writeProfile(f.folder + "/Shop.zvp", 3);
    f.window->Load_Print_Profile();
    const std::string refusal = "\nA profile name cannot begin with \".\": its file would be hidden and the profile "
                                "never listed.\n\nPlease enter another profile name.";
    for (const char *typed : {".Office", "..", "...", ".zvp", " .x", "../escape"}) {
        SCOPED_TRACE(typed);
        f.profileDialogAnswers(typed);
        f.window->Add_profile_btn->click();
        EXPECT_EQ(shown(), refusal);
        f.window->List_profile->setCurrentRow(1);
        f.window->Edit_profile_btn->click();
        EXPECT_EQ(shown(), refusal);
        EXPECT_EQ(filesWithGaps(f.folder), QStringList({"Default.zvp 5", "Shop.zvp 3"}));
        EXPECT_EQ(f.listed(), QStringList({"Default", "Shop"}));
    }
}

// A profile file that cannot be deleted is reported with the reason.
TEST(PrintProfileEdit, AFileThatCannotBeDeletedIsReported)
{
    Fixture f(0);
    writeProfile(f.folder + "/Office.zvp", 3);
    f.window->Load_Print_Profile();
    // Between the listing and the delete the name has become a folder that is not empty.
    ASSERT_TRUE(QFile::remove(f.folder + "/Office.zvp"));
    QDir().mkpath(f.folder + "/Office.zvp/inside");
    f.window->List_profile->setCurrentRow(1);
    testsupport::boxes().answerNext(1);
    f.window->Delete_profile_btn->click();
    EXPECT_EQ(shown(), "Are you sure want to delete selected 'Print Profile'?|\nThe print profile \"Office\" could not "
                       "be deleted.\n\nIs a directory");
    QDir(f.folder + "/Office.zvp").removeRecursively();
}

} // namespace print_window_test
