#include "FileWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace FileWriteTest {
// The real file system, with no hard links offered (as on FAT sticks), but for the
// `failAt`th rename (from 1; 0: none); keeps the first name renamed.
struct FailingSystem : File_Write_System {
    int failAt = 0;
    mutable int renames = 0;
    mutable QString first;
    bool rename(const QByteArray &from, const QByteArray &to) const override
    {
        if (first.isEmpty()) first = QFileInfo(from).fileName();
        return ++renames != failAt && File_Write_System::rename(from, to);
    }
};

QByteArray read(const QTemporaryDir &dir, const QString &name)
{
    QFile f(dir.filePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "missing";
}
} // namespace FileWriteTest
using namespace FileWriteTest;

// Renames: 1 puts the old "a" aside, 2 the new "a" in place, 3 the new "b" over the old.
TEST(FileWrite, AFailedStepOfASetLeavesTheOldFiles)
{
    for (const auto &[failAt, failed] : {std::pair{1, 0}, {2, 0}, {3, 1}, {0, -1}}) {
        SCOPED_TRACE(failAt);
        QTemporaryDir dir;
        for (QString name : {"a", "b"}) ASSERT_TRUE(Write_File_Whole(dir.filePath(name), "old " + name.toUtf8()));
        FailingSystem system;
        system.failAt = failAt;
        int at = -1;
        const bool written =
            Write_Files_Whole({{dir.filePath("a"), "new a"}, {dir.filePath("b"), "new b"}}, 0644, &at, system);
        EXPECT_EQ(written, failed < 0);
        EXPECT_EQ(at, failed);
        EXPECT_EQ(read(dir, "a") + read(dir, "b"), failed < 0 ? "new anew b" : "old aold b");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a", "b"}));
    }
}

// A write killed between its renames leaves an old file aside and new bytes not in
// place; the next write clears what belongs to no running write.
TEST(FileWrite, TheNextWriteClearsWhatAKilledWriteLeft)
{
    QTemporaryDir dir;
    FailingSystem probe;  // names this machine's tag
    probe.failAt = 1;
    ASSERT_TRUE(Write_File_Whole(dir.filePath("x"), "x"));
    EXPECT_FALSE(Write_Files_Whole({{dir.filePath("y"), "y"}}, 0644, nullptr, probe));
    const QRegularExpression named("^y\\.~dozo-n-[0-9a-f]{8}-[0-9a-f]{8,16}-[0-9a-f]{8,16}-[A-Za-z0-9]{6}$");
    EXPECT_TRUE(named.match(probe.first).hasMatch()) << probe.first.toStdString();  // as other desks clear them
    const QString here = probe.first.section('-', 2, 2), now = QString::number(QDateTime::currentSecsSinceEpoch(), 16);
    const QString dead = "7ffffff0", alive = QString::asprintf("%08llx", QCoreApplication::applicationPid());
    const QString old = "-00000000-00000001-00000001-AbCd12";
    const auto ago = [](int s) { return QString::number(QDateTime::currentSecsSinceEpoch() - s, 16); };
    // Left: another desk's recent one, a running write's, one whose file is not known, not
    // ours, another desk's 29 minutes old (one 30 minutes and a second old is cleared).
    const QStringList left{".~dozo-k" + old, "e.~dozo-n-00000000-" + dead + '-' + now + "-AbCd12",
                           "f.~dozo-n-" + here + '-' + alive + '-' + now + "-AbCd12", "g.~dozo-n-mine",
                           "h.~dozo-n-00000000-00000001-" + ago(29 * 60) + "-AbCd12"};
    for (const QString &name : left + QStringList{"w.~dozo-k" + old, "x.~dozo-k" + old, "c.~dozo-n" + old,
                                                   "d.~dozo-n-" + here + '-' + dead + '-' + now + "-AbCd12",
                                                   "i.~dozo-n-00000000-00000001-" + ago(30 * 60 + 1) + "-AbCd12"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(name.toUtf8()) > 0);
    }
    EXPECT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({left[0], left[1], left[2], left[3], left[4], "w", "x", "z"}));
    // "w" was free: its old file comes back; "x" (cleared right after) keeps its own.
    EXPECT_EQ(read(dir, "w") + read(dir, "x"), "w.~dozo-k" + old + "x");
}

// A run writing many files into one folder clears it at its first write only.
TEST(FileWrite, ARunClearsItsFolderOnce)
{
    QTemporaryDir dir;
    File_Write_Sweep run, next;
    ASSERT_TRUE(Write_File_Whole(dir.filePath("a"), "a", 0644, &run));
    QFile left(dir.filePath("c.~dozo-n-00000000-00000001-00000001-AbCd12"));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.close();
    ASSERT_TRUE(Write_File_Whole(dir.filePath("b"), "b", 0644, &run));
    EXPECT_TRUE(left.exists());
    ASSERT_TRUE(Write_File_Whole(dir.filePath("b"), "b", 0644, &next));
    EXPECT_FALSE(left.exists());
}

// A folder that cannot be asked (none named, not made yet) holds the usual 255 bytes.
TEST(FileWrite, ANameMaxThatCannotBeAskedIsTheUsual)
{
    for (const char *folder : {"", "/nonexistent/folder"}) EXPECT_EQ(File_Name_Max(folder), 255) << folder;
}

// A name of the folder's longest (255 bytes here) is written, one byte more is refused; the
// writer's own names carry the target's name while it fits with their 42 bytes of mark and random part.
TEST(FileWrite, NamesUpToTheLongestTheFolderHolds)
{
    for (const auto &[length, written, markedName] :
         {std::tuple{213, true, true}, {214, true, false}, {255, true, false}, {256, false, false}}) {
        QTemporaryDir dir;
        const QString name(length, 'n');
        FailingSystem probe;
        probe.failAt = 1;
        Write_Files_Whole({{dir.filePath(name), "n"}}, 0644, nullptr, probe);
        EXPECT_EQ(probe.first.startsWith(name + ".~dozo-n-"), markedName) << length;
        EXPECT_EQ(Write_File_Whole(dir.filePath(name), "n"), written) << length;
    }
}
