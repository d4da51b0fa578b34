#include "FileWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QDirIterator>
#include <QMap>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "missing";
}

QByteArray read(const QTemporaryDir &dir, const QString &name) { return bytes(dir.filePath(name)); }

// The file system, but the process is killed at its `killAt`th rename or removal (from 1).
struct KillingSystem : File_Write_System {
    int killAt = 0;
    mutable int calls = 0;
    bool rename(const QByteArray &from, const QByteArray &to) const override
    {
        if (++calls == killAt) ::raise(SIGKILL);
        return File_Write_System::rename(from, to);
    }
    bool remove(const QByteArray &path) const override
    {
        if (++calls == killAt) ::raise(SIGKILL);
        return File_Write_System::remove(path);
    }
};

// The file system until its `stopAt`th rename or removal (from 1; 0: never), which, as
// every one after it, is not done: a process killed there. Counts the calls.
struct StoppingSystem : File_Write_System {
    int stopAt = 0;
    mutable int calls = 0;
    bool acts() const { return ++calls < stopAt || stopAt == 0; }
    bool rename(const QByteArray &from, const QByteArray &to) const override
    {
        return acts() && File_Write_System::rename(from, to);
    }
    bool putBack(const QByteArray &from, const QByteArray &to) const override
    {
        return acts() && File_Write_System::putBack(from, to);
    }
    bool remove(const QByteArray &path) const override { return acts() && File_Write_System::remove(path); }
};

void make(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes, qint64 secondsAgo = 0)
{
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush());
    if (secondsAgo) ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
}

QStringList names(const QTemporaryDir &dir) { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

// This system as an independent reader sees it.
QByteArray machine() { return QSysInfo::machineUniqueId(); }
QByteArray boot()
{
    QFile f("/proc/sys/kernel/random/boot_id");
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : "";
}
QByteArray processes() { return QFileInfo("/proc/self/ns/pid").symLinkTarget().section('/', -1).toUtf8(); }
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

// A set's writer killed at each of its steps (renames: the old "a" aside, the new "a" in
// place, the new "b" over the old; then the removal of the kept "a" and of the set's
// record): the next write into the folder makes the set all old while some new bytes were
// not in place, else all new, and leaves nothing of the writer's own. An "a" written
// since by another program is never undone.
TEST(FileWrite, ASetKilledAtAnyStepIsWholeAfterTheNextWrite)
{
    const QString longName(230, 'a');  // its own names have no room for it
    GTEST_FLAG_SET(death_test_style, "fast");  // the child's files stay for this process
    for (const auto &[a, oldA, killAt, since, expected] :
         {std::tuple{QString("a"), true, 1, false, "old a|old b"}, {QString("a"), true, 2, false, "old a|old b"},
          {QString("a"), true, 3, false, "old a|old b"}, {QString("a"), true, 4, false, "new a|new b"},
          {QString("a"), true, 5, false, "new a|new b"}, {longName, true, 3, false, "old a|old b"},
          {QString("a"), false, 2, false, "missing|old b"}, {QString("a"), false, 3, false, "new a|new b"},
          {QString("a"), true, 3, true, "later a|old b"}, {QString("a"), false, 2, true, "later a|old b"}}) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(a.size()).arg(killAt).arg(since).toStdString());
        QTemporaryDir dir;
        if (oldA) make(dir, a, "old a");
        make(dir, "b", "old b");
        KillingSystem system;
        system.killAt = killAt;
        EXPECT_EXIT(Write_Files_Whole({{dir.filePath(a), "new a"}, {dir.filePath("b"), "new b"}}, 0644, nullptr, system),
                    ::testing::KilledBySignal(SIGKILL), "");
        if (since) {
            QFile::remove(dir.filePath(a));
            make(dir, a, "later a");
        }
        ASSERT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
        EXPECT_EQ(read(dir, a) + '|' + read(dir, "b"), expected);
        EXPECT_EQ(names(dir).size(), expected[0] == 'm' ? 2 : 3) << names(dir).join(' ').toStdString();
    }
}

// A leftover is cleared only when its writer is certainly gone: a process of this system
// (machine, boot and process table) that no longer runs, or a file untouched for a day;
// the clock in its name counts for nothing.
TEST(FileWrite, TheNextWriteClearsWhatAWriterThatIsGoneLeft)
{
    FailingSystem probe;
    probe.failAt = 1;
    QTemporaryDir dir;
    EXPECT_FALSE(Write_Files_Whole({{dir.filePath("y"), "y"}}, 0644, nullptr, probe));
    const QRegularExpression named("^y\\.~dozo-n-([0-9a-f]{8})-[0-9a-f]{8,16}-[0-9a-f]{8,16}-[A-Za-z0-9]{6}$");
    const QString here = named.match(probe.first).captured(1);
    EXPECT_EQ(here, File_Write_Tag(machine(), boot(), processes())) << probe.first.toStdString();
    const QString cloned = File_Write_Tag(machine(), "another boot", processes());
    const QString contained = File_Write_Tag(machine(), boot(), "pid:[1]");
    const QString dead = "7ffffff0", alive = QString::asprintf("%08llx", QCoreApplication::applicationPid());
    const auto own = [](const QString &name, char kind, const QString &tag, const QString &process) {
        return QString("%1.~dozo-%2-%3-%4-00000001-AbCd12").arg(name).arg(kind).arg(tag, process);
    };
    const qint64 day = 24 * 60 * 60;
    // Staying: another system's (a clone, a container, another machine) touched within the
    // day, a running write's, one whose file is not known, not ours.
    const QStringList left{own("", 'k', "00000000", dead), own("c", 'n', cloned, dead), own("d", 'n', contained, dead),
                           own("e", 'n', "00000000", dead), own("f", 'n', here, alive), "g.~dozo-n-mine"};
    for (const QString &name : left) make(dir, name, name.toUtf8(), name[0] == 'e' ? day - 60 : 0);
    make(dir, own("h", 'n', here, dead), "h");
    make(dir, own("i", 'n', "00000000", dead), "i", day + 60);
    make(dir, own("w", 'k', "00000000", dead), "old w", day + 60);
    make(dir, own("x", 'k', "00000000", dead), "old x", day + 60);
    make(dir, "x", "x");
    EXPECT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
    EXPECT_EQ(names(dir), QStringList(left + QStringList{"w", "x", "z"}));
    // "w" was free: its old file comes back; "x" keeps its own.
    EXPECT_EQ(read(dir, "w") + read(dir, "x"), "old wx");
}

// A run writing many files into one folder clears it at its first write only.
TEST(FileWrite, ARunClearsItsFolderOnce)
{
    QTemporaryDir dir;
    File_Write_Sweep run, next;
    ASSERT_TRUE(Write_File_Whole(dir.filePath("a"), "a", 0644, &run));
    make(dir, "c.~dozo-n-00000000-00000001-00000001-AbCd12", "c", 2 * 24 * 60 * 60);
    ASSERT_TRUE(Write_File_Whole(dir.filePath("b"), "b", 0644, &run));
    EXPECT_TRUE(QFile::exists(dir.filePath("c.~dozo-n-00000000-00000001-00000001-AbCd12")));
    ASSERT_TRUE(Write_File_Whole(dir.filePath("b"), "b", 0644, &next));
    EXPECT_EQ(names(dir), QStringList({"a", "b"}));
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

// A set's writer killed at each of its steps, then the write that repairs it killed at
// each of its own, then a write that runs through: the set is all old while its writer
// had not put its last file in place, else all new, and nothing of the writer's own is
// left. In the three-file set "b" is new to the folder.
TEST(FileWrite, ARepairKilledAtAnyStepIsFinishedByTheNext)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    for (const auto &[files, lastRename] : {std::pair{QStringList{"a", "b"}, 3}, {QStringList{"a", "b", "c"}, 4}}) {
        const auto set = [&](const QTemporaryDir &dir) {
            std::vector<std::pair<QString, QByteArray>> named;
            for (const QString &f : files) named.emplace_back(dir.filePath(f), "new " + f.toUtf8());
            return named;
        };
        const auto prepared = [&](const QTemporaryDir &dir) {
            for (const QString &f : files)
                if (files.size() == 2 || f != "b") make(dir, f, "old " + f.toUtf8());
        };
        StoppingSystem count;
        QTemporaryDir scratch;
        prepared(scratch);
        ASSERT_TRUE(Write_Files_Whole(set(scratch), 0644, nullptr, count));
        for (int killAt = 1; killAt <= count.calls; ++killAt) {
            for (int stopAt = 1; stopAt < 20; ++stopAt) {
                SCOPED_TRACE(QString("%1 files, killed at %2, repair at %3").arg(files.size()).arg(killAt).arg(stopAt).toStdString());
                QTemporaryDir dir;
                prepared(dir);
                KillingSystem writer;
                writer.killAt = killAt;
                EXPECT_EXIT(Write_Files_Whole(set(dir), 0644, nullptr, writer), ::testing::KilledBySignal(SIGKILL), "");
                StoppingSystem repair;
                repair.stopAt = stopAt;
                Write_Files_Whole({{dir.filePath("z"), "z"}}, 0644, nullptr, repair);
                ASSERT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
                QByteArray state, expected;
                QStringList there{"z"};
                for (const QString &f : files) {
                    state += read(dir, f) + '|';
                    const bool missing = killAt <= lastRename && files.size() == 3 && f == "b";
                    expected += missing ? "missing|" : (killAt > lastRename ? "new " : "old ") + f.toUtf8() + '|';
                    if (!missing) there << f;
                }
                EXPECT_EQ(state, expected);
                there.sort();
                EXPECT_EQ(names(dir), there);
                if (repair.calls < stopAt) break;  // the repair ran through
            }
        }
    }
}

// Records planted in a folder, naming files outside it, a user's own files, files of
// another writer or made from another name, or a link: the next write into the folder
// leaves every file but the writer's own regular files as it was, and the record too
// when it is not the writer's own. A short temporary name (without its target's) is
// allowed for a name too long to carry.
TEST(FileWrite, ARecordActsOnlyOnItsWritersOwnFilesInItsFolder)
{
    const QString writer = "00000000-00000001-00000001", other = "00000000-00000002-00000001";
    const QString longName(230, 'v');
    const auto own = [](const QString &name, char kind, const QString &id) {
        return QString("%1.~dozo-%2-%3-Tmp001").arg(name).arg(kind).arg(id);
    };
    struct Row {
        const char *what;
        QString target, temporary, kept;
        bool recordStays;
    };
    const Row rows[] = {
        {"out of the folder", "../outside/" + longName, own("", 'n', writer), "", true},
        {"absolute", "@/outside/" + longName, own("", 'n', writer), "", true},
        {"through a linked folder", "link/" + longName, own("", 'n', writer), "", true},
        {"moved out of the folder", "../outside/" + longName + "x", own("", 'n', writer), "notes.txt", true},
        {"a user's file kept", "y", own("y", 'n', writer), "notes.txt", true},
        {"a user's file as temporary", "y", "budget.xlsx", "", true},
        {"another writer's", "y", own("y", 'n', other), own("y", 'k', other), true},
        {"made from another name", "notes.txt", own("y", 'n', writer), "", true},
        {"a kept link", "y", own("y", 'n', writer), own("y", 'k', writer), false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir root;
        ASSERT_TRUE(QDir(root.path()).mkpath("cards") && QDir(root.path()).mkpath("outside"));
        const QDir cards(root.filePath("cards"));
        for (const QString &name : {longName, longName + "x", QString("victim")}) make(root, "outside/" + name, "victim");
        for (const char *name : {"notes.txt", "budget.xlsx"}) make(root, QString("cards/") + name, name);
        ASSERT_TRUE(QFile::link(root.filePath("outside"), cards.filePath("link")));
        const QString target = QString(row.target).replace("@", root.path());
        for (const QString &name : {row.temporary, row.kept})
            if (name.contains(".~dozo-") && !name.contains("-k-" + writer)) make(root, "cards/" + name, "planted");
        if (!row.recordStays) ASSERT_TRUE(QFile::link(root.filePath("outside/victim"), cards.filePath(row.kept)));
        struct stat st {};
        ::lstat(QFile::encodeName(cards.filePath(target)).constData(), &st);
        const QString record = "r.~dozo-j-" + writer + "-AbCd12";
        const QByteArray fields = QByteArray::number(qint64(st.st_ino)) + ' ' + QByteArray::number(qint64(st.st_size))
                                  + ' ' + QByteArray::number(qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec);
        make(root, "cards/" + record,
             "dozo-set\n" + fields + ' ' + target.toUtf8().toPercentEncoding() + ' ' + row.temporary.toUtf8().toPercentEncoding()
                 + ' ' + row.kept.toUtf8().toPercentEncoding() + "\nend\n",
             2 * 24 * 60 * 60);
        // Every file, link and folder under the root, but the writer's own regular files.
        const auto files = [&] {
            QMap<QString, QByteArray> all;
            QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QFileInfo info(it.next());
                if (info.isSymLink()) all[info.filePath()] = "link to " + info.symLinkTarget().toUtf8();
                else if (info.isDir()) all[info.filePath()] = "folder";
                else if (!info.fileName().contains(".~dozo-")) all[info.filePath()] = bytes(info.filePath());
            }
            return all;
        };
        const QMap<QString, QByteArray> before = files();
        ASSERT_TRUE(Write_File_Whole(cards.filePath("z"), "z"));
        QMap<QString, QByteArray> after = files();
        EXPECT_EQ(after.take(cards.filePath("z")), "z");
        EXPECT_EQ(after, before);
        EXPECT_EQ(QFileInfo::exists(cards.filePath(record)), row.recordStays);
    }
}

// A record over its bound, an 8 GiB sparse file, is left alone by a write whose memory
// is bound far below it.
TEST(FileWrite, ARecordOverItsBoundIsLeftAlone)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir dir;
    const QString record = "x.~dozo-j-00000000-00000001-00000001-AbCd12";
    const qint64 size = qint64(8) << 30;
    {
        QFile f(dir.filePath(record));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(size));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    }
    const auto bounded = [&] {
        const rlimit bound{rlim_t(4) << 30, rlim_t(4) << 30};
        ::setrlimit(RLIMIT_AS, &bound);
        std::_Exit(Write_File_Whole(dir.filePath("z"), "z") ? 0 : 1);
    };
    EXPECT_EXIT(bounded(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(names(dir), QStringList({record, "z"}));
    EXPECT_EQ(QFileInfo(dir.filePath(record)).size(), size);
}

// A set killed at the rename of its last file, as a repair that removed the temporaries
// before it put the kept files back left it when it was killed between: all old.
TEST(FileWrite, ASetWithoutItsTemporariesIsInPlaceOnlyWhenItsFilesAre)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir dir;
    make(dir, "a", "old a");
    make(dir, "b", "old b");
    KillingSystem writer;
    writer.killAt = 3;
    EXPECT_EXIT(Write_Files_Whole({{dir.filePath("a"), "new a"}, {dir.filePath("b"), "new b"}}, 0644, nullptr, writer),
                ::testing::KilledBySignal(SIGKILL), "");
    for (const QString &name : names(dir))
        if (name.startsWith("b.~dozo-n-")) ASSERT_TRUE(QFile::remove(dir.filePath(name)));
    ASSERT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
    EXPECT_EQ(read(dir, "a") + '|' + read(dir, "b"), "old a|old b");
    EXPECT_EQ(names(dir), QStringList({"a", "b", "z"}));
}

// Names relative to the working folder: a set killed at its second rename gets its old files back.
TEST(FileWrite, RelativeNamesAreOfTheWorkingFolder)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    make(dir, "sub/a", "old a");
    make(dir, "sub/b", "old b");
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    KillingSystem writer;
    writer.killAt = 2;
    EXPECT_EXIT(Write_Files_Whole({{"sub/a", "new a"}, {"sub/b", "new b"}}, 0644, nullptr, writer),
                ::testing::KilledBySignal(SIGKILL), "");
    QDir::setCurrent(working);
    ASSERT_TRUE(Write_File_Whole(dir.filePath("sub/z"), "z"));
    EXPECT_EQ(read(dir, "sub/a") + '|' + read(dir, "sub/b"), "old a|old b");
    EXPECT_EQ(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden), QStringList({"a", "b", "z"}));
}
