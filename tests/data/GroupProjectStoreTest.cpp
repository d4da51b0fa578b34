// The group-mode project store on a temporary data folder.
#include "GroupProjectStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace GroupProjectStore;

void touch(const QString &path, const QByteArray &bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList names(const QList<TreeRow> &rows)
{
    QStringList out;
    for (const TreeRow &r : rows) out << (r.folder ? "[" + r.name + "]" : r.link ? "~" + r.name : r.name);
    return out;
}

class Store : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString data = tmp.path() + "/";
    QString root = data + "Group_Excel_Data";
    void SetUp() override { ASSERT_TRUE(Ensure_Root(data)); }
};

TEST_F(Store, RootIsMadePrivate)
{
    EXPECT_TRUE(QFileInfo(root + "/All").isDir());
    EXPECT_EQ(QFileInfo(root + "/All").permissions() & 0x0077, QFileDevice::Permissions());
    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]"}));
}

TEST_F(Store, TreeListsFoldersAndTheirProjects)
{
    touch(root + "/All/Staff.zcd");
    touch(root + "/All/Guests.zcd");
    touch(root + "/All/people.xlsx");
    touch(root + "/All/Team/Night.zcd");
    QDir().mkpath(root + "/All/Empty");
    touch(root + "/loose.zcd");  // files directly in the root are not listed
    const QList<TreeRow> rows = Tree_Rows(data);
    EXPECT_EQ(names(rows), QStringList({"[All]", "Guests", "Staff", "[All/Empty]", "[All/Team]", "Night"}));
    EXPECT_EQ(rows[2].path, root + "/All/Staff.zcd");
    EXPECT_EQ(rows[4].path, root + "/All/Team");
    EXPECT_EQ(rows[5].path, root + "/All/Team/Night.zcd");
}

TEST_F(Store, CopyingTwiceNumbersTheCopies)
{
    touch(root + "/All/Staff.zcd", "design");
    EXPECT_EQ(Copy_Project(data, root + "/All/Staff.zcd"), root + "/All/Staff (copy 1).zcd");
    EXPECT_EQ(Copy_Project(data, root + "/All/Staff.zcd"), root + "/All/Staff (copy 2).zcd");
    EXPECT_EQ(Projects_In(root + "/All"), QStringList({"Staff", "Staff (copy 1)", "Staff (copy 2)"}));
    QFile f(root + "/All/Staff (copy 2).zcd");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("design"));
    EXPECT_EQ(Copy_Project(data, root + "/All"), QString());  // a folder is no project
}

TEST_F(Store, ProjectNames)
{
    struct Row {
        QString typed;
        std::optional<QString> clean;
    } rows[] = {
        {"Staff", QString("Staff")},     {"  Staff  ", QString("Staff")}, {"../x", QString(".._x")},
        {"a/b", QString("a_b")},         {"/", std::nullopt},             {"..", std::nullopt},
        {".", std::nullopt},             {"", std::nullopt},              {"  ", std::nullopt},
    };
    for (const Row &r : rows) EXPECT_EQ(Clean_Project_Name(r.typed), r.clean) << r.typed.toStdString();
    EXPECT_EQ(Project_Path(data, "All/Team", "Night"), root + "/All/Team/Night.zcd");
}

TEST_F(Store, Renaming)
{
    touch(root + "/All/Staff.zcd", "staff");
    touch(root + "/All/Guests.zcd", "guests");
    struct Row {
        QString from, to;
        Rename_Result result;
        QStringList after;
    } rows[] = {
        {"Staff", "Guests", Rename_Result::Name_Exists, {"Guests", "Staff"}},
        {"Staff", "Staff", Rename_Result::Unchanged, {"Guests", "Staff"}},
        {"Staff", "..", Rename_Result::Bad_Name, {"Guests", "Staff"}},
        {"Staff", "Crew", Rename_Result::Renamed, {"Crew", "Guests"}},
        {"Missing", "Other", Rename_Result::Failed, {"Crew", "Guests"}},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(Rename_Project(data, root + "/All/" + r.from + ".zcd", r.to), r.result) << r.to.toStdString();
        EXPECT_EQ(Projects_In(root + "/All"), r.after) << r.to.toStdString();
    }
    QFile f(root + "/All/Guests.zcd");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("guests"));  // the clash touched nothing
}

TEST_F(Store, DeletingAProjectKeepsOtherFiles)
{
    touch(root + "/All/Team/Night.zcd");
    touch(root + "/All/Team/people.xlsx");
    EXPECT_FALSE(Delete_Project(data, root + "/All/Team/people.xlsx"));  // not a project
    EXPECT_FALSE(Delete_Project(data, root + "/All/Team"));
    EXPECT_TRUE(Delete_Project(data, root + "/All/Team/Night.zcd"));
    EXPECT_FALSE(QFileInfo::exists(root + "/All/Team/Night.zcd"));
    EXPECT_TRUE(QFileInfo::exists(root + "/All/Team/people.xlsx"));
    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]", "[All/Team]"}));
}

TEST_F(Store, DeletingTheLastProjectOfAFolder)
{
    touch(root + "/All/Staff.zcd");
    touch(root + "/All/Team/Night.zcd");
    EXPECT_TRUE(Delete_Project(data, root + "/All/Team/Night.zcd"));
    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]", "Staff"}));
    EXPECT_TRUE(Delete_Project(data, root + "/All/Staff.zcd"));
    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]"}));
    EXPECT_FALSE(Delete_Project(data, root + "/All/Staff.zcd"));
    touch(tmp.path() + "/outside.zcd");
    EXPECT_FALSE(Delete_Project(data, root + "/All/../../outside.zcd"));
    EXPECT_TRUE(QFileInfo::exists(tmp.path() + "/outside.zcd"));
}

TEST_F(Store, DeletingFolders)
{
    touch(root + "/All/Team/Night.zcd");
    struct Row {
        QString path;
        bool deleted;
    } rows[] = {
        {root + "/All", false},
        {root + "/All/", false},
        {root, false},
        {root + "/All/..", false},
        {tmp.path(), false},
        {root + "/All/Missing", false},
        {root + "/All/Team", true},
    };
    for (const Row &r : rows) EXPECT_EQ(Delete_Folder(data, r.path), r.deleted) << r.path.toStdString();
    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]"}));
}

// Everything below a folder, each file with its bytes, for a byte-for-byte comparison.
QStringList contentsOf(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const QByteArray bytes = QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : "<dir>";
        out << QDir(folder).relativeFilePath(path) + "=" + QString::fromLatin1(bytes.toHex());
    }
    out.sort();
    return out;
}

// Links in the store: a link to a folder outside holding files, a link to a file
// outside, and links leading nowhere. Each is a link row of its folder, removed as a
// link; nothing is listed, opened, copied, renamed, written or deleted through one, no
// new project goes into one, and a link's name is taken. Outside stays byte for byte.
TEST_F(Store, LinksAreListedAsLinksAndNothingLeavesTheStore)
{
    QTemporaryDir outside;
    const QString out = outside.path();
    touch(out + "/Kept.zcd", "kept");
    touch(out + "/photo.jpg", "jpg");
    touch(out + "/Deep/Night.zcd", "night");
    touch(root + "/All/Staff.zcd", "staff");
    ASSERT_TRUE(QFile::link(out, root + "/All/Shared"));                       // a folder outside
    ASSERT_TRUE(QFile::link(out + "/Kept.zcd", root + "/All/Linked.zcd"));     // a file outside
    ASSERT_TRUE(QFile::link(out + "/q.zcd", root + "/All/q.zcd"));             // leads nowhere
    ASSERT_TRUE(QFile::link(out + "/Gone", root + "/All/Gone"));               // leads nowhere
    ASSERT_TRUE(QFile::link(out + "/Copy.zcd", root + "/All/Staff (copy 1).zcd"));  // leads nowhere
    const QStringList before = contentsOf(out);
    ASSERT_EQ(before.size(), 4);

    EXPECT_EQ(Folders(data), QStringList({"All"}));
    EXPECT_EQ(names(Tree_Rows(data)),
              QStringList({"[All]", "Staff", "~Gone", "~Linked.zcd", "~Shared", "~Staff (copy 1).zcd", "~q.zcd"}));
    EXPECT_EQ(Tree_Rows(data).at(4).path, root + "/All/Shared");

    struct Row {
        const char *what;
        std::function<bool()> command;
        bool done;
    };
    const QString shared = root + "/All/Shared";
    const Row rows[] = {
        {"project through a folder link", [&] { return Delete_Project(data, shared + "/Kept.zcd"); }, false},
        {"sub-folder through a folder link", [&] { return Delete_Folder(data, shared + "/Deep"); }, false},
        {"link through a folder link", [&] { return Delete_Link(data, shared + "/Kept.zcd"); }, false},
        {"copy in a linked folder", [&] { return !Copy_Project(data, shared + "/Kept.zcd").isEmpty(); }, false},
        {"rename in a linked folder",
         [&] { return Rename_Project(data, shared + "/Kept.zcd", "Moved") == Rename_Result::Renamed; }, false},
        {"copy of a file link", [&] { return !Copy_Project(data, root + "/All/Linked.zcd").isEmpty(); }, false},
        {"rename of a file link",
         [&] { return Rename_Project(data, root + "/All/Linked.zcd", "Moved") == Rename_Result::Renamed; }, false},
        {"rename onto a link leading nowhere",
         [&] { return Rename_Project(data, root + "/All/Staff.zcd", "q") == Rename_Result::Renamed; }, false},
        {"rename onto a file link",
         [&] { return Rename_Project(data, root + "/All/Staff.zcd", "Linked") == Rename_Result::Renamed; }, false},
        {"copy past a link leading nowhere",
         [&] { return Copy_Project(data, root + "/All/Staff.zcd") == root + "/All/Staff (copy 2).zcd"; }, true},
        {"a project is no link", [&] { return Delete_Link(data, root + "/All/Staff.zcd"); }, false},
        {"folder link as a folder", [&] { return Delete_Folder(data, root + "/All/Gone"); }, false},
        {"link leading nowhere", [&] { return Delete_Link(data, root + "/All/q.zcd"); }, true},
        {"folder link leading nowhere", [&] { return Delete_Link(data, root + "/All/Gone"); }, true},
        {"file link", [&] { return Delete_Link(data, root + "/All/Linked.zcd"); }, true},
        {"folder link", [&] { return Delete_Link(data, shared + "/"); }, true},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(row.command(), row.done) << row.what;
        EXPECT_EQ(contentsOf(out), before) << row.what;
    }
    EXPECT_EQ(Rename_Project(data, root + "/All/Staff.zcd", "q"), Rename_Result::Renamed);  // the link went
    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]", "Staff (copy 2)", "q", "~Staff (copy 1).zcd"}));
    QFile copy(root + "/All/Staff (copy 2).zcd");
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("staff"));
    EXPECT_FALSE(QFileInfo(root + "/All/Staff (copy 2).zcd").isSymLink());
}

// A folder may hold a new project when it is a real folder of the store, or when the
// deepest part of it that is there is one.
TEST_F(Store, PlacesForANewProject)
{
    QTemporaryDir outside;
    QDir().mkpath(root + "/All/Team");
    QDir().mkpath(outside.path() + "/Sub");
    ASSERT_TRUE(QFile::link(outside.path(), root + "/All/Shared"));
    ASSERT_TRUE(QFile::link(outside.path() + "/None", root + "/All/Gone"));
    ASSERT_TRUE(QFile::link(root + "/All/Team", root + "/All/Alias"));  // inside, but a link
    const std::pair<QString, bool> rows[] = {
        {"All", true},         {"All/Team", true},     {"All/Team/New/Deeper", true}, {"All/New", true},
        {"All/Shared", false}, {"All/Shared/Sub", false}, {"All/Shared/New", false},   {"All/Gone", false},
        {"All/Gone/New", false}, {"All/Alias", false}, {"All/..", false},              {"", false},
        {"/All", false},       {"..", false},
    };
    for (const auto &[folder, fits] : rows) {
        EXPECT_EQ(May_Hold_Project(data, folder), fits) << folder.toStdString();
        EXPECT_EQ(Is_Store_Folder(data, folder), fits && QFileInfo(root + "/" + folder).isDir()) << folder.toStdString();
    }
    EXPECT_EQ(Folders(data), QStringList({"All", "All/Team"}));
    EXPECT_TRUE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) == QStringList({"Sub"}));
}

// A real folder holding a link to a folder outside goes whole; the link goes as a link.
TEST_F(Store, DeletingAFolderHoldingALink)
{
    QTemporaryDir outside;
    touch(outside.path() + "/Kept.zcd", "kept");
    touch(root + "/All/Team/Night.zcd");
    ASSERT_TRUE(QFile::link(outside.path(), root + "/All/Team/Shared"));
    EXPECT_TRUE(Delete_Folder(data, root + "/All/Team"));
    EXPECT_FALSE(QFileInfo::exists(root + "/All/Team"));
    EXPECT_TRUE(QFileInfo(outside.path() + "/Kept.zcd").isFile());
}

} // namespace
