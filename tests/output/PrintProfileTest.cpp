// Print profile files: what a saved profile holds (read back by Python's plistlib), the
// listing, the names the profile dialog refuses.
#include "PrintProfile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(PrintProfile, SavedProfileIsReadByPlistlib)
{
    const QString python = "/usr/bin/python3";
    if (!QFileInfo::exists(python)) GTEST_SKIP() << "no /usr/bin/python3";
    Print_Profile p;
    p.printer = "Office Laser";
    p.paperName = "A4";
    p.paperSizeText = "210.00 x 297.00";
    p.paperWidthMM = 210;
    p.paperHeightMM = 297;
    p.rows = 5;
    p.cols = 2;
    p.horzGapMM = 5;
    p.align = 7;
    p.autoCenter = true;
    p.side = Run_Sides::Front;
    p.sideAlign = 1;
    p.cropMarks = true;
    const QString path = Print_Profile_Path(testsupport::testHome(), "Office");
    ASSERT_TRUE(Write_Print_Profile(path, p));
    QProcess py;
    py.start(python, {"-c", "import plistlib,sys; a=plistlib.load(open(sys.argv[1],'rb')); print(len(a)); print('|'.join(a))",
                      path});
    ASSERT_TRUE(testsupport::checkerFinished(py));
    const QStringList lines = QString::fromUtf8(py.readAllStandardOutput()).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "26");
    EXPECT_EQ(lines[1], "Office Laser|A4|210.00 x 297.00|210.00|297.00|Portrait|5|2|5.00|0.00|0.00|0.00|0.00|0.00|0.00|"
                        "7|Y|F|1|N|FH|N|N|N|Y|N");
    // And it reads back as it was written.
    const auto back = Read_Print_Profile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(Print_Profile_Strings(*back), Print_Profile_Strings(p));
}

TEST(PrintProfile, ShortOrForeignFilesAreRefused)
{
    const QString home = testsupport::testHome();
    struct Row {
        QByteArray content;
        bool readable;
    } rows[] = {
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><array><string>a</string></array></plist>", false},
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><dict/></plist>", false},
        {"not a property list", false},
    };
    for (const Row &r : rows) {
        QFile f(home + "/Bad.zvp");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(r.content);
        f.close();
        QString why;
        EXPECT_EQ(Read_Print_Profile(f.fileName(), &why).has_value(), r.readable) << r.content.constData();
        EXPECT_FALSE(why.isEmpty());
    }
    EXPECT_FALSE(Read_Print_Profile(home + "/Missing.zvp"));
}

TEST(PrintProfile, ListingByLowerCasedExtension)
{
    const QString folder = testsupport::testHome() + "/PrintProfile";
    QDir().mkpath(folder);
    for (const char *name : {"X.ZVP", "Office.zvp", "Default.zvp", "notes.txt", "able.Zvp"}) {
        QFile f(folder + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(Print_Profile_Names(folder), QStringList({"Default", "able", "Office", "X"}));
    // Each with its own file, as the folder spells it.
    QStringList files;
    for (const Print_Profile_File &f : Print_Profile_Files(folder)) files << f.path;
    EXPECT_EQ(files, QStringList({folder + "/Default.zvp", folder + "/able.Zvp", folder + "/Office.zvp", folder + "/X.ZVP"}));
    // Rows that read alike are told apart by their files' names.
    for (const char *name : {"Twin.zvp", "Twin.Zvp", "Twin .ZVP"}) {
        QFile f(folder + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList shown;
    for (const Print_Profile_File &f : Print_Profile_Files(folder)) shown << f.shown;
    EXPECT_EQ(shown, QStringList({"Default", "able", "Office", "Twin (Twin .ZVP)", "Twin (Twin.Zvp)", "Twin (Twin.zvp)", "X"}));
    EXPECT_TRUE(Print_Profile_Names(folder + "/none").isEmpty());
}

TEST(PrintProfile, NamesTheDialogRefuses)
{
    const QString defaultMsg = "This is a Default profile name.\n\nPlease enter another profile name.";
    const QString reserved = "A profile name cannot be made only of the characters / \\ ? % * | \" < >, which file "
                             "names cannot take.\n\nPlease enter another profile name.";
    const QString hidden = "A profile name cannot begin with \".\": its file would be hidden and the profile never "
                           "listed.\n\nPlease enter another profile name.";
    struct Row {
        QString printer, name, problem, cleaned;
    } rows[] = {
        {"", "Office", "Please select printer.", "Office"},
        {"  ", "Office", "Please select printer.", "Office"},
        {"P", "  ", "Please enter profile name.", ""},
        {"P", "//", reserved, ""},
        {"P", "/", reserved, ""},
        {"P", "%", reserved, ""},
        {"P", " % ", reserved, ""},
        {"P", "default", defaultMsg, "default"},
        {"P", "DEFAULT", defaultMsg, "DEFAULT"},
        {"P", "/default/", defaultMsg, "default"},
        {"P", " Default ", defaultMsg, "Default"},
        {"P", "Default 2", "", "Default 2"},
        {"P", "a/b", "", "a_b"},
        {"P", ".Office", hidden, ".Office"},
        {"P", "..", hidden, ".."},
        {"P", ".zvp", hidden, ".zvp"},
        {"P", " .x", hidden, ".x"},
        {"P", "../escape", hidden, ".._escape"},
        {"P", "/.default", hidden, ".default"},
        {"P", "Office.", "", "Office."},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(Print_Profile_Name_Problem(r.printer, r.name), r.problem) << r.name.toStdString();
        EXPECT_EQ(Clean_Profile_Name(r.name), r.cleaned) << r.name.toStdString();
    }
}
