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
    for (const TreeRow &r : rows) out << (r.folder ? "[" + r.name + "]" : r.name);
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

// Links in the store: a folder link is a folder row without projects and goes as a
// link; nothing reached through a link (the folder it points to, its files, its
// sub-folders) is listed, deleted, renamed or written.
TEST_F(Store, LinksLeadingOutOfTheStoreAreRemovedAsLinksOrRefused)
{
    QTemporaryDir outside;
    const QString out = outside.path();
    touch(out + "/Kept.zcd", "kept");
    touch(out + "/photo.jpg", "jpg");
    touch(out + "/Deep/Night.zcd", "night");
    touch(root + "/All/Staff.zcd");
    ASSERT_TRUE(QFile::link(out, root + "/All/Shared"));
    ASSERT_TRUE(QFile::link(out + "/Kept.zcd", root + "/All/Linked.zcd"));

    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]", "Linked", "Staff", "[All/Shared]"}));
    const auto outsideIntact = [&] {
        QStringList files;
        QDirIterator it(out, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) files << QDir(out).relativeFilePath(it.next());
        files.sort();
        return files;
    };
    const QStringList all = {"Deep", "Deep/Night.zcd", "Kept.zcd", "photo.jpg"};
    ASSERT_EQ(outsideIntact(), all);

    struct Row {
        const char *what;
        std::function<bool()> command;
        bool done;
    };
    const Row rows[] = {
        {"project through a folder link", [&] { return Delete_Project(data, root + "/All/Shared/Kept.zcd"); }, false},
        {"sub-folder through a folder link", [&] { return Delete_Folder(data, root + "/All/Shared/Deep"); }, false},
        {"copy into a linked folder", [&] { return !Copy_Project(data, root + "/All/Shared/Kept.zcd").isEmpty(); },
         false},
        {"rename in a linked folder",
         [&] { return Rename_Project(data, root + "/All/Shared/Kept.zcd", "Moved") == Rename_Result::Renamed; },
         false},
        {"project link", [&] { return Delete_Project(data, root + "/All/Linked.zcd"); }, true},
        {"folder link", [&] { return Delete_Folder(data, root + "/All/Shared/"); }, true},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(row.command(), row.done) << row.what;
        EXPECT_EQ(outsideIntact(), all) << row.what;
    }
    EXPECT_FALSE(QFileInfo(root + "/All/Shared").isSymLink());
    EXPECT_FALSE(QFileInfo(root + "/All/Linked.zcd").isSymLink());
    QFile kept(out + "/Kept.zcd");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));
    EXPECT_EQ(names(Tree_Rows(data)), QStringList({"[All]", "Staff"}));
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
