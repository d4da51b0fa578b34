#include "FileUtilities.h"
#include "FileWrite.h"
#include "Paths.h"
#include "QStringPrinter.h"
#include "WorkingFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {
// The folder's entries, hidden ones included, joined by "|".
QString names(const QString &folder)
{
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name)
        .join(u'|');
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

// The file system, but the process is killed at its `killAt`th rename or removal.
struct KilledAt : File_Write_System {
    explicit KilledAt(int at) : killAt(at) {}
    int killAt;
    mutable int calls = 0;
    void count() const
    {
        if (++calls == killAt) ::raise(SIGKILL);
    }
    bool rename(const QByteArray &from, const QByteArray &to) const override
    {
        count();
        return File_Write_System::rename(from, to);
    }
    bool putBack(const QByteArray &from, const QByteArray &to) const override
    {
        count();
        return File_Write_System::putBack(from, to);
    }
    bool remove(const QByteArray &path) const override
    {
        count();
        return File_Write_System::remove(path);
    }
};
} // namespace

TEST(PathJoin, EveryNameIsAPlainNameOfTheFolder)
{
    const struct { const char *folder, *name, *expected; } rows[] = {
        {"/d", "x", "/d/x"},
        {"/d/", "x", "/d/x"},
        {"/d", "/x", "/d/x"},
        {"/d/", "/x", "/d/x"},
        {"/d", ":x", "/d/:x"},
        {"/d/", ":Pass_Front.png", "/d/:Pass_Front.png"},
        {"/d", ":", "/d/:"},
        {"/d", "/:x", "/d/:x"},
        {"/d", "sub/:x", "/d/sub/:x"},
        {"/", ":x", "/:x"},
        {"/", "/x", "/x"},
        {"d", ":x", "d/:x"},
        {":d", "x", "./:d/x"},
        {"", "x", "x"},
        {"", ":x", "./:x"},
        {"", "/x", "/x"},
        {"/d", "", "/d/"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(Path_Join(r.folder, r.name), QString(r.expected)) << r.folder << " + " << r.name;
}

// A name beginning with ":" read from a folder listing or made from a card's name stays
// in its folder, and nothing is written in the working folder.
TEST(PlainNames, FilesNamedWithAColonStayInTheirFolder)
{
    testsupport::WorkingFolder work;
    QTemporaryDir dir;
    // Clearing a folder of what is not a design: a listed ":x.txt" goes, ":x.zcd" stays.
    for (const char *name : {":x.txt", ":x.zcd", "y.txt"}) QFile(Path_Join(dir.path(), name)).open(QIODevice::WriteOnly);
    Filter_Non_Log_Files_At_Path(dir.path());
    EXPECT_EQ(names(dir.path()), ":x.zcd");
    // A card's two sides written as one set, with its record beside them.
    const QString front = Path_Join(dir.path(), ":Pass_Front.png"), back = Path_Join(dir.path(), ":Pass_Back.png");
    ASSERT_TRUE(Write_Files_Whole({{front, "old front"}, {back, "old back"}}));
    ASSERT_TRUE(Write_Files_Whole({{front, "front"}, {back, "back"}}));
    EXPECT_EQ(bytes(front) + '|' + bytes(back), "front|back");
    EXPECT_EQ(names(dir.path()), ":Pass_Back.png|:Pass_Front.png|:x.zcd");
    EXPECT_EQ(work.written().join(u'|'), "");
}

// A set of ":Pass_Front.png" and ":Pass_Back.png" whose writer was killed at each step
// after its record was put in place: the next write into the folder reads the record and
// makes the set whole, and clears every leftover of the writer's own.
TEST(PlainNames, AKilledSetOfNamesWithAColonIsWholeAfterTheNextWrite)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    for (const auto &[killAt, expected] : {std::pair{2, "old front|old back"}, {3, "old front|old back"},
                                          {4, "old front|old back"}, {5, "front|back"}, {6, "front|back"}}) {
        SCOPED_TRACE(killAt);
        testsupport::WorkingFolder work;
        QTemporaryDir dir;
        const QString front = Path_Join(dir.path(), ":Pass_Front.png"), back = Path_Join(dir.path(), ":Pass_Back.png");
        ASSERT_TRUE(Write_Files_Whole({{front, "old front"}, {back, "old back"}}));
        const KilledAt system(killAt);
        EXPECT_EXIT(Write_Files_Whole({{front, "front"}, {back, "back"}}, 0644, nullptr, system),
                    ::testing::KilledBySignal(SIGKILL), "");
        ASSERT_TRUE(Write_File_Whole(Path_Join(dir.path(), ":z"), "z"));
        EXPECT_EQ(bytes(front) + '|' + bytes(back), expected);
        EXPECT_EQ(names(dir.path()), ":Pass_Back.png|:Pass_Front.png|:z");
        EXPECT_EQ(work.written().join(u'|'), "");
    }
}
