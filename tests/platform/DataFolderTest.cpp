#include "Globals.h"
#include "Helpers.h"
#include "Plist.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int modeOf(const QString &path)
{
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return -1;
    return st.st_mode & 07777;
}

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs each test with a data folder (not created yet) whose name has a space; the
// paths are located anew before the next test.
class DataFolder : public ::testing::Test {
protected:
    void SetUp() override { Created_Resource_Path = tmp.path() + "/App Data/"; }
    QString data(const QString &rel) const { return Created_Resource_Path + rel; }

    QTemporaryDir tmp;
};

} // namespace

TEST(TestHome, EveryTestStartsInAnEmptyHomeOfItsOwnWithTheDataFolderInIt)
{
    static QStringList earlier;  // homes of earlier runs of this test (--gtest_repeat)
    const QString home = testsupport::testHome();
    const auto everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    EXPECT_FALSE(earlier.contains(home));
    earlier << home;
    EXPECT_TRUE(QDir(home).isEmpty(everything));
    EXPECT_EQ(QDir::homePath(), home);
    EXPECT_TRUE(Created_Resource_Path.startsWith(home + "/")) << qPrintable(Created_Resource_Path);
    EXPECT_TRUE(Database_Path.isEmpty());
    Check_Path_And_Create_Files();  // leaves a data folder behind for the next run to miss
    EXPECT_FALSE(QDir(home).isEmpty(everything));
}

TEST_F(DataFolder, CreateFolderMakesPrivateFoldersAndAcceptsAnythingExisting)
{
    const mode_t oldMask = ::umask(0);  // a permissive umask must not widen the folders
    const QString deep = tmp.path() + "/a/b/c";
    EXPECT_TRUE(Create_Folder(deep));
    ::umask(oldMask);
    for (const QString &p : {tmp.path() + "/a", tmp.path() + "/a/b", deep}) EXPECT_EQ(modeOf(p), 0700) << qPrintable(p);

    const QString file = tmp.path() + "/plain";
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(Create_Folder(file));
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_FALSE(Create_Folder(file + "/below"));  // a file in the way
    EXPECT_FALSE(Create_Folder(""));
}

TEST_F(DataFolder, TreeIsCreatedPrivateAndShippedFilesCopiedOnce)
{
    Check_Path_And_Create_Files();

    for (const char *rel : {"", "Templates", "Templates/User", "Cropped_Images", "Visitor_Log", "Images_save_by_user",
                            "PrintProfile", "DataSet"}) {
        EXPECT_TRUE(QFileInfo(data(rel)).isDir()) << rel;
        EXPECT_EQ(modeOf(data(rel)), 0700) << rel;
    }
    EXPECT_EQ(Data_Folder_Path, data("DataSet"));
    EXPECT_EQ(Cropped_Img_Path, data("Cropped_Images"));
    EXPECT_EQ(print_profile_path, data("PrintProfile"));
    EXPECT_EQ(Database_Path, data("Visitor_Log/Visitor.db"));

    const QString zvp = data("PrintProfile/Default.zvp");
    EXPECT_EQ(contentOf(Database_Path), contentOf(Resource_Path + "Visitor_Log/Visitor.db"));
    EXPECT_EQ(contentOf(zvp), contentOf(Resource_Path + "PrintProfile/Default.zvp"));
    EXPECT_EQ(modeOf(Database_Path), 0600);
    EXPECT_EQ(modeOf(zvp), 0600);
    // Only the two files: no temporary copy left behind.
    EXPECT_EQ(QDir(data("Visitor_Log")).entryList(QDir::Files | QDir::Hidden), QStringList{"Visitor.db"});

    // A second run leaves files the user already has as they are.
    for (const QString &p : {Database_Path, zvp}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("user data");
    }
    const QByteArray db = contentOf(Database_Path), profile = contentOf(zvp);
    Check_Path_And_Create_Files();
    EXPECT_EQ(contentOf(Database_Path), db);
    EXPECT_EQ(contentOf(zvp), profile);
}

TEST_F(DataFolder, VisitorSetUpKeepsTheOldPathWhenTheFolderCannotExist)
{
    ASSERT_TRUE(Create_Folder(Created_Resource_Path));
    QFile blocker(data("Visitor_Log"));  // a plain file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Database_Path = "/previous/Visitor.db";
    Check_Path_And_Create_VISITOR_Files();
    EXPECT_EQ(Database_Path, "/previous/Visitor.db");
}

TEST_F(DataFolder, ReadOnlyResourcesDoNotStopTheSetUp)
{
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const QString res = tmp.path() + "/res/";
    ASSERT_TRUE(Create_Folder(res + "Visitor_Log") && Create_Folder(res + "PrintProfile"));
    ASSERT_TRUE(QFile::copy(Resource_Path + "Visitor_Log/Visitor.db", res + "Visitor_Log/Visitor.db"));
    ASSERT_TRUE(QFile::copy(Resource_Path + "PrintProfile/Default.zvp", res + "PrintProfile/Default.zvp"));
    ::chmod(QFile::encodeName(res).constData(), 0500);
    Resource_Path = res;
    Check_Path_And_Create_Files();
    ::chmod(QFile::encodeName(res).constData(), 0700);
    EXPECT_TRUE(QFileInfo(data("Visitor_Log/Visitor.db")).isFile());
    EXPECT_TRUE(QFileInfo(data("PrintProfile/Default.zvp")).isFile());
    EXPECT_FALSE(QFileInfo::exists(res + "Background"));
}

TEST_F(DataFolder, ShippedVisitorDatabaseHasTheVisitorTable)
{
    Check_Path_And_Create_Files();
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(Database_Path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    QStringList columns;
    sqlite3_stmt *st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA table_info(Visitor_Records)", -1, &st, nullptr), SQLITE_OK);
    while (sqlite3_step(st) == SQLITE_ROW) columns << reinterpret_cast<const char *>(sqlite3_column_text(st, 1));
    sqlite3_finalize(st);
    EXPECT_EQ(columns.size(), 57);

    QStringList expected{"ID", "Photo", "Date_Time_Stamp"};
    const QStringList values{"VName", "Position", "CompanyName", "Slogan", "Address", "Phone", "Fax", "Email",
                             "Website", "UniqueNo", "Use_Date", "EntryDate", "Use_Time", "EntryTime", "Other"};
    const QStringList captions{"VName_lb", "Position_lb", "CompanyName_lb", "Slogan_lb", "Address_lb", "Phone_lb",
                               "Fax_lb", "Email_lb", "Website_lb", "UniqueNo_lb", "EntryDate_lb", "EntryTime_lb"};
    for (const QString &c : values + captions) expected << c << c + "_B";
    for (const QString &c : expected) EXPECT_TRUE(columns.contains(c)) << qPrintable(c);

    // The database assigns the ID on an insert that does not name it.
    ASSERT_EQ(sqlite3_exec(db, "INSERT INTO 'Visitor_Records' ('Photo') VALUES ('p');", nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(sqlite3_last_insert_rowid(db), 1);
    sqlite3_close(db);
}

TEST_F(DataFolder, DefaultPrintProfileIsAnArrayOf26Strings)
{
    const auto root = Plist_Read_File(Resource_Path + "PrintProfile/Default.zvp");
    ASSERT_TRUE(root && root->typeId() == QMetaType::QVariantList);
    const QVariantList items = root->toList();
    ASSERT_EQ(items.size(), 26);
    for (const QVariant &v : items) EXPECT_EQ(v.typeId(), QMetaType::QString);
    EXPECT_EQ(items[5].toString(), "Portrait");
    EXPECT_EQ(items[15].toString().toInt(), 5);
    EXPECT_EQ(items[17].toString(), "BOTH");
    EXPECT_EQ(items[20].toString(), "FH");
    for (int i : {16, 19, 21, 22, 23, 24, 25}) EXPECT_TRUE(items[i] == "Y" || items[i] == "N") << i;
}

TEST_F(DataFolder, HelpFileOpensOrIsReportedMissing)
{
    testsupport::boxes().clear();
    Resource_Path = tmp.path() + "/";
    Open_Help_File();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nHelp file does not exist!"});

    QFile help(tmp.path() + "/Help.pdf");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    QString opened;
    Set_Open_Url_Answerer([&](const QString &p) {
        opened = p;
        return true;
    });
    Open_Help_File();
    Set_Open_Url_Answerer([](const QString &) { return true; });
    EXPECT_EQ(opened, tmp.path() + "/Help.pdf");
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}
