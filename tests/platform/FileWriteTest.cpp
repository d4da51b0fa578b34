#include "FileWrite.h"
#include "Globals.h"
#include "ProcessMemory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <thread>
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

// The file system, but the process is killed at its `killAt`th rename or removal (from
// 1); with `stops`, that call and every later one is not done instead, as if killed.
struct KillingSystem : File_Write_System {
    explicit KillingSystem(int at = 0, bool stop = false) : killAt(at), stops(stop) {}
    int killAt;
    bool stops;
    mutable int calls = 0;
    bool acts() const
    {
        if (++calls == killAt && !stops) ::raise(SIGKILL);
        return !stops || calls < killAt;
    }
    bool rename(const QByteArray &from, const QByteArray &to) const override
    {
        return acts() && File_Write_System::rename(from, to);
    }
    bool putBack(const QByteArray &from, const QByteArray &to) const override
    {
        return acts() && File_Write_System::putBack(from, to);
    }
    bool remove(const QByteArray &path) const override { return acts() && File_Write_System::remove(path); }
    bool exchange(const QByteArray &a, const QByteArray &b) const override
    {
        return acts() && File_Write_System::exchange(a, b);
    }
};

// The file system, but a file lands at `target` just before the first kept file is moved
// to it, as when another program writes it between the repair's check and its move.
struct LandingSystem : File_Write_System {
    QByteArray target;
    mutable bool landed = false;
    void land(const QByteArray &from, const QByteArray &to) const
    {
        if (landed || to != target || !from.contains(".~dozo-k-")) return;
        landed = true;
        QFile f(QFile::decodeName(target) + ".landing");
        if (f.open(QIODevice::WriteOnly) && f.write("landed") == 6 && f.flush())
            File_Write_System::rename(QFile::encodeName(f.fileName()), target);
    }
    bool rename(const QByteArray &from, const QByteArray &to) const override
    {
        land(from, to);
        return File_Write_System::rename(from, to);
    }
    bool putBack(const QByteArray &from, const QByteArray &to) const override
    {
        land(from, to);
        return File_Write_System::putBack(from, to);
    }
    bool exchange(const QByteArray &a, const QByteArray &b) const override
    {
        land(a, b);
        return File_Write_System::exchange(a, b);
    }
};

void make(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes, qint64 secondsAgo = 0)
{
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush());
    if (secondsAgo) {
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
    }
}

QStringList names(const QTemporaryDir &dir) { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

// A file's inode, size and time in nanoseconds, as a record names its set's files.
QString stamp(const QString &path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return QString("%1 %2 %3").arg(st.st_ino).arg(st.st_size).arg(st.st_mtim.tv_sec * 1000000000 + st.st_mtim.tv_nsec);
}

// The entries of "outside" and "cards", a file by its bytes, a link by its target, but
// the writer's own files.
QByteArray entries(const QTemporaryDir &root)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    QByteArray text;
    for (const QString folder : {"outside", "cards"})
        for (const QFileInfo &i : QDir(root.filePath(folder)).entryInfoList(all, QDir::Name))
            if (i.isSymLink() || !i.fileName().contains(".~dozo-"))
                text += i.fileName().toUtf8() + '='
                        + (i.isSymLink() ? i.symLinkTarget().toUtf8() : bytes(i.filePath())) + '\n';
    return text;
}

// This system as an independent reader sees it.
QByteArray machine() { return QSysInfo::machineUniqueId(); }
QByteArray boot()
{
    QFile f("/proc/sys/kernel/random/boot_id");
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : "";
}
QByteArray processes() { return QFileInfo("/proc/self/ns/pid").symLinkTarget().section('/', -1).toUtf8(); }

// A record's text signed as a desk of this data folder signs it: "mac " and the
// HMAC-SHA-256 of its file name, a line feed and its text, in hex.
QByteArray signedRecord(const QString &name, const QByteArray &text)
{
    const QByteArray key = Write_Record_Key(Created_Resource_Path);
    EXPECT_EQ(key.size(), 32);
    return text + "mac "
           + QMessageAuthenticationCode::hash(name.toUtf8() + '\n' + text, key, QCryptographicHash::Sha256).toHex()
           + '\n';
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

// A set's writer killed at each of its steps, then the write that repairs it stopped at
// each of its own, then a write that runs through: the set is all old while its writer had
// not put its last file in place, else all new, and nothing of the writer's own is left.
// A set whose temporaries are gone (as an older repair removed them first) is in place
// only when its files are.
TEST(FileWrite, ARepairKilledAtAnyStepIsFinishedByTheNext)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    for (const auto &[files, absent, lastRename, steps] :
         {std::tuple{QStringList{"a", "b"}, QString(), 3, 5}, {QStringList{"a", "b", "c"}, QString("b"), 4, 6}}) {
        for (int killAt = 1; killAt <= steps; ++killAt) {
            for (int stopAt = 0, calls = 0; calls >= stopAt; ++stopAt) {
                SCOPED_TRACE(QString("%1 files, killed at %2, repair at %3").arg(files.size()).arg(killAt).arg(stopAt)
                                 .toStdString());
                QTemporaryDir dir;
                std::vector<std::pair<QString, QByteArray>> set;
                QByteArray expected;
                QStringList there{"z"};
                for (const QString &f : files) {
                    if (f != absent) make(dir, f, "old " + f.toUtf8());
                    set.emplace_back(dir.filePath(f), "new " + f.toUtf8());
                    const bool missing = killAt <= lastRename && f == absent;
                    expected += missing ? "missing" : (killAt > lastRename ? "new " : "old ") + f.toUtf8();
                    if (!missing) there << f;
                }
                KillingSystem writer(killAt), repair(stopAt, true);
                EXPECT_EXIT(Write_Files_Whole(set, 0644, nullptr, writer), ::testing::KilledBySignal(SIGKILL), "");
                for (const QString &name : names(dir))  // stop 0: the temporaries removed
                    if (stopAt == 0 && name.contains(".~dozo-n-")) QFile::remove(dir.filePath(name));
                if (stopAt) Write_Files_Whole({{dir.filePath("z"), "z"}}, 0644, nullptr, repair);
                ASSERT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
                QByteArray state;
                for (const QString &f : files) state += read(dir, f);
                EXPECT_EQ(state, expected);
                there.sort();
                EXPECT_EQ(names(dir), there);
                calls = stopAt ? repair.calls : 1;
            }
        }
    }
}

// Records planted in a folder, naming files outside it, a user's own files, files of
// another writer or made from another name, or a link (a temporary without its target's
// name stands for a name too long to carry): the next write into the folder leaves every
// file but the writer's own as it was, and the record too when it is not the writer's.
TEST(FileWrite, ARecordActsOnlyOnItsWritersOwnFilesInItsFolder)
{
    const QString id = "00000000-00000001-00000001", other = "00000000-00000002-00000001", longName(230, 'v');
    const auto own = [](const QString &name, char kind, const QString &writer) {
        return QString("%1.~dozo-%2-%3-Tmp001").arg(name).arg(kind).arg(writer);
    };
    const QString n = own("", 'n', id), outside = "../outside/" + longName;
    const std::tuple<QString, QString, QString, bool> rows[] = {  // target, temporary, kept; whether the record stays
        {outside, n, "", true}, {"@/outside/" + longName, n, "", true}, {"link/" + longName, n, "", true},
        {outside, n, "notes.txt", true}, {"y", own("y", 'n', id), "notes.txt", true}, {"y", "budget.xlsx", "", true},
        {"y", own("y", 'n', other), own("y", 'k', other), true}, {"notes.txt", own("y", 'n', id), "", true},
        {"y", own("y", 'n', id), own("y", 'k', id), false}};  // the kept file a link
    for (const auto &[target0, temporary, kept, stays] : rows) {
        QTemporaryDir root;
        const QString target = QString(target0).replace("@", root.path());
        SCOPED_TRACE((target + ' ' + temporary + ' ' + kept).toStdString());
        ASSERT_TRUE(QDir(root.path()).mkpath("cards") && QDir(root.path()).mkpath("outside"));
        const QDir cards(root.filePath("cards"));
        make(root, "outside/" + longName, "victim");
        for (const QString &name : {QString("notes.txt"), QString("budget.xlsx"), temporary, kept})
            if (!name.isEmpty() && !name.contains("-k-" + id)) make(root, "cards/" + name, name.toUtf8());
        ASSERT_TRUE(QFile::link(root.filePath("outside"), cards.filePath("link")));
        if (!stays) {
            ASSERT_TRUE(QFile::link(root.filePath("outside/" + longName), cards.filePath(kept)));
        }
        const QString record = "r.~dozo-j-" + id + "-AbCd12";
        const auto encoded = [](const QString &name) { return QString(name.toUtf8().toPercentEncoding()); };
        make(root, "cards/" + record,
             signedRecord(record, QString("dozo-set\n%1 %2 %3 %4\nend\n")
                                      .arg(stamp(cards.filePath(target)), encoded(target), encoded(temporary), encoded(kept))
                                      .toUtf8()),
             2 * 24 * 60 * 60);
        const QByteArray before = entries(root);
        ASSERT_TRUE(Write_File_Whole(cards.filePath("z"), "z"));
        EXPECT_EQ(entries(root), before + "z=z\n");
        EXPECT_EQ(QFileInfo::exists(cards.filePath(record)), stays);
    }
}

// Another user's record in a shared folder, of a two-file set with all the writer's own
// names and the stat of the user's file copied, never puts its kept bytes over that file.
TEST(FileWrite, AnotherUsersRecordNeverPutsItsBytesOverTheUsersFile)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's files needs root";
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("cards"));
    const QDir cards(root.filePath("cards"));
    make(root, "cards/notes.txt", "mine");
    const QString id = "00000000-00000001-00000001", record = "r.~dozo-j-" + id + "-AbCd12";
    const auto own = [&](const char *name, char kind) { return QString("%1.~dozo-%2-%3-Tmp001").arg(name).arg(kind).arg(id); };
    make(root, "cards/" + own("notes.txt", 'k'), "theirs");
    make(root, "cards/" + own("notes.txt", 'n'), "new");
    make(root, "cards/" + own("y", 'n'), "new");
    make(root, "cards/" + record,
         signedRecord(record, QString("dozo-set\n%1 notes.txt %2 %3\n0 0 0 y %4 \nend\n")
                                  .arg(stamp(cards.filePath("notes.txt")), own("notes.txt", 'n'),
                                       own("notes.txt", 'k'), own("y", 'n'))
                                  .toUtf8()),
         2 * 24 * 60 * 60);
    for (const QString &name : {record, own("notes.txt", 'k'), own("notes.txt", 'n'), own("y", 'n')})
        ASSERT_EQ(::lchown(QFile::encodeName(cards.filePath(name)).constData(), 65534, 65534), 0);
    ASSERT_TRUE(Write_File_Whole(cards.filePath("z"), "z"));
    EXPECT_EQ(entries(root), "notes.txt=mine\nz=z\n");
}

// A record over its bound, an 8 GiB sparse file, is left alone by a write whose memory is
// bound far below it.
TEST(FileWrite, ARecordOverItsBoundIsLeftAlone)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    QTemporaryDir dir;
    const QString record = "x.~dozo-j-00000000-00000001-00000001-AbCd12";
    QFile f(dir.filePath(record));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(qint64(8) << 30));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    const auto bounded = [&] {
        // The sanitizers reserve more address space than the bound; there the record's
        // size alone would stop the write.
        if (processmemory::kMeasuresMemory) {
            const rlimit bound{rlim_t(4) << 30, rlim_t(4) << 30};
            ::setrlimit(RLIMIT_AS, &bound);
        }
        std::_Exit(Write_File_Whole(dir.filePath("z"), "z") ? 0 : 1);
    };
    EXPECT_EXIT(bounded(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(names(dir), QStringList({record, "z"}));
    EXPECT_EQ(QFileInfo(dir.filePath(record)).size(), qint64(8) << 30);
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
    KillingSystem writer(2);
    EXPECT_EXIT(Write_Files_Whole({{"sub/a", "new a"}, {"sub/b", "new b"}}, 0644, nullptr, writer),
                ::testing::KilledBySignal(SIGKILL), "");
    QDir::setCurrent(working);
    ASSERT_TRUE(Write_File_Whole(dir.filePath("sub/z"), "z"));
    EXPECT_EQ(read(dir, "sub/a") + '|' + read(dir, "sub/b"), "old a|old b");
    EXPECT_EQ(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden), QStringList({"a", "b", "z"}));
}

// Records no desk of this user wrote, or that are not whole: a hard link to a user's file
// holding a record, signed or not; a record planted under the id of a killed writer whose
// card it would leave half new; one with the stat of the user's file copied; one with a
// bad line before its end; one signed with no key, found by a desk that has none. Each is
// left with every file it names, and the killed card
// still comes back all old. A file put at a kept file's name between the repair's check
// and its move stays.
TEST(FileWrite, OnlyTheDesksOwnRecordsAct)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    const QString id = "00000000-00000001-00000001", record = "r.~dozo-j-" + id + "-AbCd12";
    const auto own = [&](const QString &name, char kind) {
        return QString("%1.~dozo-%2-%3-Tmp001").arg(name).arg(kind).arg(id);
    };
    // Two days old, of another system: gone.
    const auto plant = [](const QDir &cards, const QString &name, const QByteArray &text) {
        QFile f(cards.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size() && f.flush());
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    };
    // notes.txt and the files of a set of it and "y", of which "y" is missing.
    const auto attack = [&](const QDir &cards, const QString &kept) {
        for (const QString &name : {QString("notes.txt"), own("notes.txt", 'n'), own("y", 'n'), kept})
            if (!name.isEmpty()) plant(cards, name, name == kept ? "theirs" : "mine");
        return QString("dozo-set\n%1 notes.txt %2 %3\n0 0 0 y %4 \nend\n")
            .arg(stamp(cards.filePath("notes.txt")), own("notes.txt", 'n'), kept, own("y", 'n'))
            .toUtf8();
    };
    // A two-file card killed at its last rename: "a" new, "b" old.
    const auto killed = [](const QDir &cards) {
        for (const char *name : {"a", "b"}) Write_File_Whole(cards.filePath(name), QByteArray("old ") + name);
        KillingSystem writer(3);
        EXPECT_EXIT(Write_Files_Whole({{cards.filePath("a"), "new a"}, {cards.filePath("b"), "new b"}}, 0644, nullptr,
                                      writer),
                    ::testing::KilledBySignal(SIGKILL), "");
    };
    struct Row {
        const char *what;
        std::function<void(const QDir &)> make;
        QByteArray entries;  // after the next write, but the writer's own files
        bool leftAlone;      // the writer's own files all stay, else only a planted record
        bool lands = false;
    };
    Row rows[] = {
        {"a record hard-linked to a file of the user's",
         [&](const QDir &cards) {
             plant(cards, "shared.txt", signedRecord(record, attack(cards, "")));
             ASSERT_TRUE(::link(QFile::encodeName(cards.filePath("shared.txt")),
                                QFile::encodeName(cards.filePath(record)))
                         == 0);
         },
         "", true},
        {"a record planted under a killed writer's id",
         [&](const QDir &cards) {
             killed(cards);
             const QStringList kept = cards.entryList({"a.~dozo-k-*"}, QDir::Files | QDir::Hidden);
             ASSERT_EQ(kept.size(), 1);
             const QString writer = kept[0].section('-', 2, 4);
             plant(cards, "0.~dozo-j-" + writer + "-AbCd12",
                   QString("dozo-set\n%1 a a.~dozo-n-%2-AbCd12 %3\nend\n")
                       .arg(stamp(cards.filePath("a")), writer, kept[0])
                       .toUtf8());
         },
         "a=old a\nb=old b\n", false},
        {"a record of the user with the stat of notes.txt copied",
         [&](const QDir &cards) { plant(cards, record, attack(cards, own("notes.txt", 'k'))); }, "", true},
        {"a record with a bad line before its end",
         [&](const QDir &cards) {
             QByteArray text = attack(cards, "");
             plant(cards, record, signedRecord(record, text.insert(text.indexOf("end\n"), "garbage\n")));
         },
         "", true},
        {"a record signed with no key, at a desk whose data folder holds none",
         [&](const QDir &cards) {
             const QByteArray text = attack(cards, own("notes.txt", 'k'));
             plant(cards, record,
                   text + "mac "
                       + QMessageAuthenticationCode::hash(record.toUtf8() + '\n' + text, "", QCryptographicHash::Sha256)
                             .toHex()
                       + '\n');
             Created_Resource_Path = "/proc/no data folder/";
         },
         "", true},
        {"a file put at a kept file's name during the repair", killed, "a=landed\nb=old b\n", false, true},
    };
    const QString data = Created_Resource_Path;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir root;
        ASSERT_TRUE(QDir(root.path()).mkpath("cards") && QDir(root.path()).mkpath("outside"));
        const QDir cards(root.filePath("cards"));
        row.make(cards);
        const auto ownNames = [&] { return cards.entryList({"*.~dozo-*"}, QDir::Files | QDir::Hidden, QDir::Name); };
        const QStringList before = ownNames();
        const QByteArray expected = row.entries.isEmpty() ? entries(root) : row.entries;
        LandingSystem repair;
        if (row.lands) repair.target = QFile::encodeName(cards.filePath("a"));
        const bool written = Write_Files_Whole({{cards.filePath("z"), "z"}}, 0644, nullptr, repair);
        Created_Resource_Path = data;
        ASSERT_TRUE(written);
        EXPECT_EQ(entries(root), expected + "z=z\n");
        EXPECT_EQ(ownNames(), row.leftAlone ? before : before.filter(QRegularExpression("^0\\.")));
    }
}

// Desks starting together end with one key, owner-only.
TEST(FileWrite, DesksStartingTogetherEndWithOneKey)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("data");
    std::vector<QByteArray> keys(8);
    std::vector<std::thread> desks;
    for (QByteArray &key : keys) desks.emplace_back([&] { key = Write_Record_Key(folder); });
    for (std::thread &desk : desks) desk.join();
    EXPECT_EQ(keys[0].size(), 32);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), keys[0]), 8);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Write_Record_Key"});
    EXPECT_EQ(QFile::permissions(folder + "/Write_Record_Key"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                    | QFileDevice::ReadUser | QFileDevice::WriteUser);
}
