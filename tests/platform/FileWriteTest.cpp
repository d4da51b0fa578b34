#include "AnotherUser.h"
#include "FileUtilities.h"
#include "FileWrite.h"
#include "Globals.h"
#include "ProcessMemory.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <mutex>
#include <condition_variable>
#include <thread>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <fcntl.h>
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

// A file's bytes; a FIFO left at the path reads as nothing rather than waiting for a writer.
QByteArray bytes(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    QFile f;
    if (fd < 0 || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0) ::close(fd);
        return "missing";
    }
    return f.readAll();
}

QByteArray read(const QTemporaryDir &dir, const QString &name) { return bytes(dir.filePath(name)); }

// The file system, but the process is killed at its `killAt`th rename or removal (from
// 1); with `stops`, that call and every later one is not done instead, as if killed.
// With `links`, a file system without RENAME_NOREPLACE: a put-back is a second
// name, then the removal of the first (a call of its own).
struct KillingSystem : File_Write_System {
    explicit KillingSystem(int at = 0, bool stop = false, bool link = false) : killAt(at), stops(stop), links(link) {}
    int killAt;
    bool stops, links;
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
        return acts() && (links ? putBackByLink(from, to) : File_Write_System::putBack(from, to));
    }
    bool remove(const QByteArray &path) const override { return acts() && File_Write_System::remove(path); }
};

// The file system as a disk mounted again shows it: every file under another device number.
struct RemountedSystem : File_Write_System {
    bool status(const QByteArray &path, struct stat &st) const override
    {
        if (!File_Write_System::status(path, st)) return false;
        st.st_dev += 1000;
        return true;
    }
};

// The file system, but a file lands at `target` just before the first kept file is moved
// to it, as when another program writes it between the repair's check and its move;
// without `noReplace`, a file system without RENAME_NOREPLACE.
struct LandingSystem : File_Write_System {
    QByteArray target;
    bool noReplace = true;
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
        return noReplace ? File_Write_System::putBack(from, to) : putBackByLink(from, to);
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

// A file's size and the hash of its bytes (16 hex digits), as a record names its set's files.
QString stamp(const QString &path)
{
    const QByteArray held = bytes(path);
    return QString("%1 %2").arg(held.size()).arg(File_Write_Hash(held), 16, 16, QChar('0'));
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
// HMAC-SHA-256 of its file name, a line feed and its text, in hex. With a `key`, signed
// with that key instead.
QByteArray signedRecord(const QString &name, const QByteArray &text, const std::optional<QByteArray> &key = std::nullopt)
{
    const QByteArray signing = key ? *key : Write_Record_Key(Created_Resource_Path);
    EXPECT_EQ(signing.size(), key ? key->size() : 32);
    return text + "mac "
           + QMessageAuthenticationCode::hash(name.toUtf8() + '\n' + text, signing, QCryptographicHash::Sha256).toHex()
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

// A write that fails tells the system's reason: a file where the folder should be, a
// file system no one may write to (even the administrator), a name too long, and a full
// disk (a small file system of its own, made only where the test may mount one).
TEST(FileWrite, AFailedWriteTellsTheSystemsReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Write_File_Whole(dir.filePath("taken.txt"), "t"));
    const QString tiny = dir.filePath("tiny");
    QDir().mkpath(tiny);
    const bool mounted = ::geteuid() == 0 && ::mount("tmpfs", QFile::encodeName(tiny).constData(), "tmpfs", 0,
                                                     "size=16k") == 0;
    struct Row {
        QString path;
        int error;
    };
    QList<Row> rows{{dir.filePath("taken.txt/x.png"), ENOTDIR}, {dir.filePath(QString(256, 'n')), ENAMETOOLONG},
                    {dir.filePath("fine.png"), 0}};
    if (QFileInfo("/sys/kernel").isDir()) rows.append(Row{"/sys/kernel/x.png", EACCES});
    if (mounted) rows.append(Row{tiny + "/big.png", ENOSPC});
    for (const Row &r : rows) {
        int error = -1;
        EXPECT_EQ(Write_File_Whole(r.path, QByteArray(64 * 1024, 'x'), 0644, nullptr, File_Link::Replace, &error),
                  r.error == 0)
            << r.path.toStdString();
        EXPECT_EQ(error, r.error) << r.path.toStdString();
    }
    if (mounted) {
        EXPECT_EQ(QDir(tiny).entryList(QDir::Files | QDir::Hidden), QStringList{}) << "nothing of the write stays";
        ::umount2(QFile::encodeName(tiny).constData(), MNT_DETACH);
    }
}

// A set's writer killed at each of its steps after its record's put-back (step 1): the
// renames of the old "a" aside, the new "a" in place, the new "b" over the old, then the
// removal of the kept "a" and of the set's record. The next write into the folder makes
// the set all old while some new bytes were not in place, else all new, and leaves
// nothing of the writer's own, also when "a" is re-written with the bytes it held. An "a"
// written since by another program (or touched, made empty) is never undone, and the old
// "a" kept aside stays beside it, whether or not its new bytes were its old ones.
TEST(FileWrite, ASetKilledAtAnyStepIsWholeAfterTheNextWrite)
{
    const QString longName(230, 'a');  // its own names have no room for it
    GTEST_FLAG_SET(death_test_style, "fast");
    const QByteArray newA = "new a", oldA = "old a";
    const std::optional<QByteArray> none;
    for (const auto &[a, hadA, written, killAt, since, expected] :
         {std::tuple{QString("a"), true, newA, 2, none, "old a|old b"}, {QString("a"), true, newA, 3, none, "old a|old b"},
          {QString("a"), true, newA, 4, none, "old a|old b"}, {QString("a"), true, newA, 5, none, "new a|new b"},
          {QString("a"), true, newA, 6, none, "new a|new b"}, {longName, true, newA, 4, none, "old a|old b"},
          {QString("a"), false, newA, 3, none, "missing|old b"}, {QString("a"), false, newA, 4, none, "new a|new b"},
          {QString("a"), true, newA, 4, std::optional<QByteArray>("later a"), "later a|old b"},
          {QString("a"), false, newA, 3, std::optional<QByteArray>("later a"), "later a|old b"},
          // "a" re-written with its own bytes: killed with it set aside, its name free.
          {QString("a"), true, oldA, 3, none, "old a|old b"}, {longName, true, oldA, 3, none, "old a|old b"},
          {QString("a"), true, oldA, 5, none, "old a|new b"},
          {QString("a"), true, oldA, 3, std::optional<QByteArray>("later a"), "later a|old b"},
          {QString("a"), true, oldA, 3, std::optional<QByteArray>(""), "|old b"},
          {QString("a"), true, newA, 3, std::optional<QByteArray>(""), "|old b"}}) {
        SCOPED_TRACE(QString("%1 %2 %3 %4").arg(a.size()).arg(QString(written)).arg(killAt).arg(since ? QString(*since) : "-").toStdString());
        QTemporaryDir dir;
        if (hadA) make(dir, a, oldA);
        make(dir, "b", "old b");
        KillingSystem system;
        system.killAt = killAt;
        EXPECT_EXIT(Write_Files_Whole({{dir.filePath(a), written}, {dir.filePath("b"), "new b"}}, 0644, nullptr, system),
                    ::testing::KilledBySignal(SIGKILL), "");
        if (since) {
            QFile::remove(dir.filePath(a));
            make(dir, a, *since);
        }
        ASSERT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
        EXPECT_EQ(read(dir, a) + '|' + read(dir, "b"), expected);
        const QStringList own = names(dir).filter(".~dozo-");
        EXPECT_EQ(names(dir).size() - own.size(), expected[0] == 'm' ? 2 : 3) << names(dir).join(' ').toStdString();
        EXPECT_EQ(own.size() == 1 && own[0].startsWith(a + ".~dozo-k-"), since && hadA) << own.join(' ').toStdString();
        EXPECT_EQ(own.isEmpty() || read(dir, own[0]) == "old a", true);
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
    // day, a running write's, one whose file is not known, not ours, and a kept file without
    // its record, its name free or taken (its record may be on its way back).
    const QStringList left{own("", 'k', "00000000", dead),   own("c", 'n', cloned, dead),
                           own("d", 'n', contained, dead),   own("e", 'n', "00000000", dead),
                           own("f", 'n', here, alive),       "g.~dozo-n-mine",
                           own("w", 'k', "00000000", dead), own("x", 'k', here, dead)};
    for (const QString &name : left) make(dir, name, name.toUtf8(), name[0] == 'e' ? day - 60 : name[0] == 'w' ? day + 60 : 0);
    make(dir, own("h", 'n', here, dead), "h");
    make(dir, own("i", 'n', "00000000", dead), "i", day + 60);
    make(dir, "x", "x");
    EXPECT_TRUE(Write_File_Whole(dir.filePath("z"), "z"));
    QStringList expected = left + QStringList{"x", "z"}, there = names(dir);
    expected.sort();
    there.sort();
    EXPECT_EQ(there, expected);
    EXPECT_EQ(read(dir, "x"), "x");
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
// So too where files are re-written with the bytes they held (the first, the middle, every
// file, an empty file re-written empty, an unchanged file beside one new to the folder):
// such a file is never lost. A set whose temporaries are gone (as an older repair removed
// them first) is in place only when its files are. So too on a file system without
// RENAME_NOREPLACE, where a put-back killed between its two steps leaves a file under two
// names.
TEST(FileWrite, ARepairKilledAtAnyStepIsFinishedByTheNext)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    const QStringList two{"a", "b"}, three{"a", "b", "c"};
    struct Row {
        QStringList files;
        QString absent;     // a file new to the folder
        QStringList same;   // files whose new bytes are their old ones
        bool empty;         // the same files' bytes empty
        int lastRename, steps;
    };
    const std::vector<Row> rows{
        {two, "", {}, false, 4, 6},           {three, "b", {}, false, 5, 7},       {two, "", {"a"}, false, 4, 6},
        {two, "", two, false, 4, 6},          {three, "", {"b"}, false, 6, 9},     {three, "", three, false, 6, 9},
        {two, "", {"a"}, true, 4, 6},         {three, "c", {"a"}, false, 6, 9},    {three, "b", {"a"}, false, 5, 7}};
    // Without RENAME_NOREPLACE (`links`), the record's put-back takes two steps.
    for (const bool links : {false, true}) {
        for (const Row &row : rows) {
            const int lastRename = row.lastRename + links, steps = row.steps + links;
            for (int killAt = 1; killAt <= steps; ++killAt) {
                for (int stopAt = 0, calls = 0; calls >= stopAt; ++stopAt) {
                    SCOPED_TRACE(QString("%1 files, %2 absent, %3 the same%4, killed at %5, repair at %6%7")
                                     .arg(row.files.size())
                                     .arg(row.absent.isEmpty() ? "none" : row.absent)
                                     .arg(row.same.isEmpty() ? "none" : row.same.join(','))
                                     .arg(row.empty ? " and empty" : "")
                                     .arg(killAt)
                                     .arg(stopAt)
                                     .arg(links ? ", without RENAME_NOREPLACE" : "")
                                     .toStdString());
                    QTemporaryDir dir;
                    std::vector<std::pair<QString, QByteArray>> set;
                    QByteArray expected;
                    QStringList there{"z"};
                    for (const QString &f : row.files) {
                        const bool same = row.same.contains(f);
                        const QByteArray old = same && row.empty ? QByteArray() : "old " + f.toUtf8();
                        if (f != row.absent) make(dir, f, old);
                        set.emplace_back(dir.filePath(f), same ? old : "new " + f.toUtf8());
                        const bool missing = killAt <= lastRename && f == row.absent;
                        expected += missing ? QByteArray("missing") : killAt > lastRename ? set.back().second : old;
                        expected += '|';
                        if (!missing) there << f;
                    }
                    KillingSystem writer(killAt, false, links), repair(stopAt, true, links), next(0, false, links);
                    EXPECT_EXIT(Write_Files_Whole(set, 0644, nullptr, writer), ::testing::KilledBySignal(SIGKILL), "");
                    for (const QString &name : names(dir))  // stop 0: the temporaries removed
                        if (stopAt == 0 && name.contains(".~dozo-n-")) QFile::remove(dir.filePath(name));
                    if (stopAt) Write_Files_Whole({{dir.filePath("z"), "z"}}, 0644, nullptr, repair);
                    ASSERT_TRUE(Write_Files_Whole({{dir.filePath("z"), "z"}}, 0644, nullptr, next));
                    QByteArray state;
                    for (const QString &f : row.files) state += read(dir, f) + '|';
                    EXPECT_EQ(state, expected);
                    there.sort();
                    EXPECT_EQ(names(dir), there);
                    calls = stopAt ? repair.calls : 1;
                }
            }
        }
    }
}

// One card set at a time per folder. Desk 1 writes a two-sided card; at each of its steps
// (the record put in place, the old front set aside, the new front in place, the new back
// in place, the kept front removed, the record removed) desk 2, on another thread, writes
// the same card: it waits for the folder until desk 1 is done, and the card is desk 2's
// whole, with nothing of the writer's own left. Both say "written".
struct Interleaving : File_Write_System {
    int at = 0;
    std::function<void()> other;
    mutable int calls = 0;
    void step() const
    {
        if (++calls == at) other();
    }
    bool rename(const QByteArray &from, const QByteArray &to) const override
    {
        step();
        return File_Write_System::rename(from, to);
    }
    bool putBack(const QByteArray &from, const QByteArray &to) const override
    {
        step();
        return File_Write_System::putBack(from, to);
    }
    bool remove(const QByteArray &path) const override
    {
        step();
        return File_Write_System::remove(path);
    }
};

// Tells when a write finds a folder locked by another, then waits for it as any write does.
struct Waiting : File_Write_System {
    std::function<void()> waits;
    bool lockFolder(int folder) const override
    {
        if (::flock(folder, LOCK_EX | LOCK_NB) == 0) return true;
        waits();
        return File_Write_System::lockFolder(folder);
    }
};

TEST(FileWrite, OneCardSetAtATimePerFolder)
{
    for (int at = 1; at <= 6; ++at) {
        SCOPED_TRACE(at);
        QTemporaryDir dir;
        make(dir, "front", "old front");
        make(dir, "back", "old back");
        std::mutex m;
        std::condition_variable cv;
        bool waited = false, secondDone = false, secondWritten = false;
        Waiting second;
        second.waits = [&] {
            const std::lock_guard<std::mutex> lock(m);
            waited = true;
            cv.notify_all();
        };
        std::thread desk2;
        Interleaving first;
        first.at = at;
        first.other = [&] {
            desk2 = std::thread([&] {
                const bool written = Write_Files_Whole(
                    {{dir.filePath("front"), "front 2"}, {dir.filePath("back"), "back 2"}}, 0644, nullptr, second);
                const std::lock_guard<std::mutex> lock(m);
                secondWritten = written;
                secondDone = true;
                cv.notify_all();
            });
            // Desk 1 goes on once desk 2 waits for the folder, or is done (it did not wait).
            std::unique_lock<std::mutex> lock(m);
            cv.wait_for(lock, std::chrono::seconds(30), [&] { return waited || secondDone; });
        };
        const bool written =
            Write_Files_Whole({{dir.filePath("front"), "front 1"}, {dir.filePath("back"), "back 1"}}, 0644, nullptr, first);
        ASSERT_TRUE(desk2.joinable());
        desk2.join();
        EXPECT_TRUE(written);
        EXPECT_TRUE(secondWritten);
        EXPECT_TRUE(waited);
        EXPECT_EQ(read(dir, "front") + '|' + read(dir, "back"), "front 2|back 2");
        EXPECT_EQ(names(dir), QStringList({"back", "front"}));
    }
}

// The folders of a write are locked each once, in one order whatever the order of its
// files: two spellings of one folder (through a link) and two folders named the other way
// round; a folder whose file system refuses locks is written as without them.
struct LockOrder : File_Write_System {
    bool refuses = false;
    mutable std::vector<std::pair<dev_t, ino_t>> locked;
    bool lockFolder(int folder) const override
    {
        struct stat st {};
        EXPECT_EQ(::fstat(folder, &st), 0);
        locked.emplace_back(st.st_dev, st.st_ino);
        return !refuses && File_Write_System::lockFolder(folder);
    }
};

TEST(FileWrite, AWriteLocksEachOfItsFoldersOnceInOneOrder)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("x") && QDir(root.path()).mkpath("y"));
    ASSERT_TRUE(QFile::link(root.filePath("x"), root.filePath("x-link")));
    const auto id = [&](const QString &folder) {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(root.filePath(folder)).constData(), &st), 0);
        return std::pair{st.st_dev, st.st_ino};
    };
    const auto sorted = [](std::vector<std::pair<dev_t, ino_t>> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    const auto both = sorted({id("x"), id("y")});
    for (const auto &[files, locks, refuses] :
         {std::tuple{QStringList{"x/a", "y/b"}, both, false}, {QStringList{"y/b", "x/a"}, both, false},
          {QStringList{"x/a", "x-link/b"}, std::vector{id("x")}, false}, {QStringList{"y/b", "x/a"}, both, true}}) {
        SCOPED_TRACE(files.join(' ').toStdString());
        LockOrder system;
        system.refuses = refuses;
        std::vector<std::pair<QString, QByteArray>> set;
        for (const QString &f : files) set.emplace_back(root.filePath(f), f.toUtf8());
        ASSERT_TRUE(Write_Files_Whole(set, 0644, nullptr, system));
        // The first write of each folder clears it under its locks first, then writes.
        std::vector<std::pair<dev_t, ino_t>> expected = locks;
        expected.insert(expected.end(), locks.begin(), locks.end());
        EXPECT_EQ(system.locked, expected);
        for (const QString &f : files) EXPECT_EQ(bytes(root.filePath(f)), f.toUtf8());
    }
}

// A write into the data folder while it holds no key makes the key first, under the key's
// own lock on that folder, and only then locks the folder for its files: it never waits on
// itself (a child process, stopped by an alarm if it did).
TEST(FileWrite, AWriteIntoTheDataFolderWithoutAKeyDoesNotWaitOnItself)
{
    GTEST_FLAG_SET(death_test_style, "fast");  // the child's files stay for this process
    QTemporaryDir dir;
    const QString data = Created_Resource_Path;
    EXPECT_EXIT(
        {
            Created_Resource_Path = dir.path() + '/';
            ::alarm(20);
            const bool written = Write_Files_Whole(
                {{dir.filePath("front"), "front"}, {dir.filePath("back"), "back"}}, 0644, nullptr, File_Write_System());
            std::_Exit(written && QFileInfo(dir.filePath("Write_Record_Key")).size() == 32 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    Created_Resource_Path = data;
    EXPECT_EQ(read(dir, "front") + '|' + read(dir, "back"), "front|back");
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
         signedRecord(record, QString("dozo-set\n%1 notes.txt %2 %3\n0 0000000000000000 y %4 \nend\n")
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
    KillingSystem writer(3);
    EXPECT_EXIT(Write_Files_Whole({{"sub/a", "new a"}, {"sub/b", "new b"}}, 0644, nullptr, writer),
                ::testing::KilledBySignal(SIGKILL), "");
    QDir::setCurrent(working);
    ASSERT_TRUE(Write_File_Whole(dir.filePath("sub/z"), "z"));
    EXPECT_EQ(read(dir, "sub/a") + '|' + read(dir, "sub/b"), "old a|old b");
    EXPECT_EQ(QDir(dir.filePath("sub")).entryList(QDir::Files | QDir::Hidden), QStringList({"a", "b", "z"}));
}

// XXH64 of the published examples: the hash a record names a file's bytes by.
TEST(FileWrite, TheHashOfARecordIsXxh64)
{
    for (const auto &[text, hash] : {std::pair{"", 0xef46db3751d8e999ULL}, {"abc", 0x44bc2cf5ad770999ULL},
                                     {"Nobody inspects the spammish repetition", 0xfbcea83c8a378bf1ULL}})
        EXPECT_EQ(File_Write_Hash(text), hash) << text;
}

// A card killed at its last rename ("a" new, "b" old) is judged by the bytes its files
// hold, not by where they sit: copied into another folder (times kept, or new), restored
// over its files from a backup in place with new times, its new file touched, restored
// from a backup after its files were moved away, its kept file restored before its record
// (a write in between), or on a disk mounted again under another device number. The next
// write into the folder it is in brings it back all old, with nothing of the writer's own
// left.
TEST(FileWrite, ACardIsJudgedByTheBytesItsFilesHold)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    const auto cp = [](const QStringList &args) {
        EXPECT_EQ(QProcess::execute("cp", args), 0) << args.join(' ').toStdString();
    };
    const auto own = [](const QDir &folder) { return folder.entryList({"*.~dozo-*"}, QDir::Files | QDir::Hidden); };
    // A backup of the card as `cp -a` makes it, and the card's files moved away.
    const auto backUp = [&](const QDir &cards, bool moveAway) {
        const QString backup = QDir::cleanPath(cards.filePath("../backup"));
        const QString trash = QDir::cleanPath(cards.filePath("../trash"));
        EXPECT_TRUE(QDir().mkpath(backup) && QDir().mkpath(trash));
        cp({"-a", cards.path() + "/.", backup});
        if (moveAway) {
            for (const QString &name : cards.entryList(QDir::Files | QDir::Hidden))
                EXPECT_TRUE(QFile::rename(cards.filePath(name), trash + '/' + name));
        }
        return backup;
    };
    struct Row {
        const char *what;
        // Acts on the killed card; the folder written into next.
        std::function<QString(const QDir &cards)> act;
        bool remounted = false;
    };
    const Row rows[] = {
        {"copied into another folder as `cp -a` copies it",
         [&](const QDir &cards) {
             const QString other = QDir::cleanPath(cards.filePath("../other"));
             cp({"-a", cards.path(), other});
             return other;
         }},
        {"copied into another folder as `cp -r` copies it, with new times",
         [&](const QDir &cards) {
             const QString other = QDir::cleanPath(cards.filePath("../other"));
             cp({"-r", cards.path(), other});
             return other;
         }},
        {"restored over its files from a backup as `cp -r` restores it, in place with new times",
         [&](const QDir &cards) {
             const QString backup = backUp(cards, false);
             QThread::msleep(20);
             cp({"-r", backup + "/.", cards.path()});
             return cards.path();
         }},
        {"its new file touched",
         [&](const QDir &cards) {
             EXPECT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(cards.filePath("a")).constData(), nullptr, 0), 0);
             return cards.path();
         }},
        {"restored from a backup after its files were moved away",
         [&](const QDir &cards) {
             cp({"-a", backUp(cards, true) + "/.", cards.path()});
             return cards.path();
         }},
        {"its kept file restored before its record, a write in between",
         [&](const QDir &cards) {
             const QString backup = backUp(cards, true);
             QStringList later;
             for (const QString &name : QDir(backup).entryList(QDir::Files | QDir::Hidden)) {
                 if (name == "a" || name == "b" || name.startsWith("a.~dozo-k-"))
                     cp({"-a", backup + '/' + name, cards.path()});
                 else
                     later << backup + '/' + name;
             }
             EXPECT_TRUE(Write_File_Whole(cards.filePath("y"), "y"));
             EXPECT_EQ(own(cards).filter("a.~dozo-k-").size(), 1);
             cp(QStringList{"-a"} + later + QStringList{cards.path()});
             return cards.path();
         }},
        {"on a disk mounted again under another device number", [](const QDir &cards) { return cards.path(); }, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir root;
        ASSERT_TRUE(QDir(root.path()).mkpath("cards"));
        const QDir cards(root.filePath("cards"));
        for (const char *name : {"a", "b"}) ASSERT_TRUE(Write_File_Whole(cards.filePath(name), QByteArray("old ") + name));
        KillingSystem writer(4);
        EXPECT_EXIT(Write_Files_Whole({{cards.filePath("a"), "new a"}, {cards.filePath("b"), "new b"}}, 0644, nullptr,
                                      writer),
                    ::testing::KilledBySignal(SIGKILL), "");
        ASSERT_EQ(own(cards).size(), 3);  // the record, the kept "a" and the new "b"
        const QDir written(row.act(cards));
        const RemountedSystem remounted;
        const File_Write_System plain;
        ASSERT_TRUE(Write_Files_Whole({{written.filePath("z"), "z"}}, 0644, nullptr, row.remounted ? remounted : plain));
        EXPECT_EQ(bytes(written.filePath("a")) + '|' + bytes(written.filePath("b")), "old a|old b");
        EXPECT_EQ(own(written), QStringList());
    }
}

// Records no desk of this user wrote, or that are not whole: a hard link to a user's file
// holding a record, signed or not; a record planted under the id of a killed writer whose
// card it would leave half new; one naming the size and hash of the user's file; one with a
// bad line before its end; one signed with no key, found by a desk that has none; one
// signed with another key, or with a key readable by others (which the desk sets aside);
// one whose MAC is cut short. Each is left with every file it names, and the killed card
// still comes back all old (in its folder, renamed in place too). A file put at a kept
// file's name between the repair's check and its move stays, and so does the kept file,
// with or without RENAME_NOREPLACE; a file of another user that a record names stays, and so does the
// kept file its name would go back to (as root).
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
        return QString("dozo-set\n%1 notes.txt %2 %3\n0 0000000000000000 y %4 \nend\n")
            .arg(stamp(cards.filePath("notes.txt")), own("notes.txt", 'n'), kept, own("y", 'n'))
            .toUtf8();
    };
    // A two-file card killed at its last rename: "a" new, "b" old.
    const auto killed = [](const QDir &cards) {
        for (const char *name : {"a", "b"}) Write_File_Whole(cards.filePath(name), QByteArray("old ") + name);
        KillingSystem writer(4);
        EXPECT_EXIT(Write_Files_Whole({{cards.filePath("a"), "new a"}, {cards.filePath("b"), "new b"}}, 0644, nullptr,
                                      writer),
                    ::testing::KilledBySignal(SIGKILL), "");
    };
    // So, in the folder "killed" beside, then renamed to the card's folder.
    const auto killedBeside = [&](const QDir &cards) {
        const QString beside = QDir::cleanPath(cards.filePath("../killed"));
        ASSERT_TRUE(QDir().mkpath(beside));
        killed(QDir(beside));
        ASSERT_TRUE(cards.rmdir(cards.path()) && QDir().rename(beside, cards.path()));
    };
    const QByteArray anotherKey(32, 'a');
    const char *all = ".", *planted = "^0\\.";
    struct Row {
        const char *what;
        std::function<void(const QDir &)> make;
        QByteArray entries;  // after the next write, but the writer's own files
        const char *stays;   // the writer's own files that stay
        bool lands = false, noReplace = true;
    };
    std::vector<Row> rows = {
        {"a record hard-linked to a file of the user's",
         [&](const QDir &cards) {
             plant(cards, "shared.txt", signedRecord(record, attack(cards, "")));
             ASSERT_TRUE(::link(QFile::encodeName(cards.filePath("shared.txt")),
                                QFile::encodeName(cards.filePath(record)))
                         == 0);
         },
         "", all},
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
         "a=old a\nb=old b\n", planted},
        {"a record of the user naming the size and hash of notes.txt",
         [&](const QDir &cards) { plant(cards, record, attack(cards, own("notes.txt", 'k'))); }, "", all},
        {"a record with a bad line before its end",
         [&](const QDir &cards) {
             QByteArray text = attack(cards, "");
             plant(cards, record, signedRecord(record, text.insert(text.indexOf("end\n"), "garbage\n")));
         },
         "", all},
        {"a record signed with no key, at a desk whose data folder holds none",
         [&](const QDir &cards) {
             plant(cards, record, signedRecord(record, attack(cards, own("notes.txt", 'k')), QByteArray()));
             Created_Resource_Path = "/proc/no data folder/";
         },
         "", all},
        {"a record signed with another data folder's key",
         [&](const QDir &cards) { plant(cards, record, signedRecord(record, attack(cards, ""), anotherKey)); },
         "", all},
        {"a record signed with a key readable by others",
         [&](const QDir &cards) {
             Created_Resource_Path = QDir::cleanPath(cards.filePath("../data")) + '/';
             ASSERT_TRUE(QDir().mkpath(Created_Resource_Path));
             QFile key(Created_Resource_Path + "Write_Record_Key");
             ASSERT_TRUE(key.open(QIODevice::WriteOnly) && key.write(anotherKey) == 32 && key.flush());
             ASSERT_TRUE(key.setPermissions(key.permissions() | QFileDevice::ReadOther));
             plant(cards, record, signedRecord(record, attack(cards, ""), anotherKey));
         },
         "", all},
        {"a record whose MAC line is cut short (a prefix of the right one)",
         [&](const QDir &cards) { plant(cards, record, signedRecord(record, attack(cards, "")).chopped(9)); },
         "", all},
        {"a killed card's folder renamed", [&](const QDir &cards) { killedBeside(cards); }, "a=old a\nb=old b\n",
         planted},
        {"a file put at a kept file's name during the repair", killed, "a=landed\nb=old b\n", "^a\\.~dozo-k-", true},
        {"so, on a file system without RENAME_NOREPLACE", killed, "a=landed\nb=old b\n", "^a\\.~dozo-k-", true, false},
    };
    if (::geteuid() == 0) {
        const auto theirs = [&](const QDir &cards) {
            killed(cards);
            for (const QString &name : cards.entryList({"a", "b.~dozo-n-*"}, QDir::Files | QDir::Hidden))
                ASSERT_EQ(::lchown(QFile::encodeName(cards.filePath(name)).constData(), 65534, 65534), 0);
        };
        rows.push_back({"a killed card's new file and temporary, of another user", theirs, "a=new a\nb=old b\n",
                        "^(a\\.~dozo-k-|b\\.)"});
    } else {
        std::cout << "Not run: the row of another user's files, which needs root\n";
    }
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
        repair.noReplace = row.noReplace;
        const bool written = Write_Files_Whole({{cards.filePath("z"), "z"}}, 0644, nullptr, repair);
        Created_Resource_Path = data;
        ASSERT_TRUE(written);
        EXPECT_EQ(entries(root), expected + "z=z\n");
        EXPECT_EQ(ownNames(), before.filter(QRegularExpression(row.stays)));
    }
}

// A link under the name is written through to the file it points to only where the
// kernel would follow it for this user: another user's link in a shared folder (sticky,
// writable by all, not that user's) is refused and nothing is written; the user's own
// link, and another user's in a folder that is not sticky, or not writable by all, or
// is that user's, are written through. As root: the write acts as another user.
TEST(FileWrite, AnotherUsersLinkInASharedFolderIsNeverWrittenThrough)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's links needs root";
    using testsupport::kAnotherUser, testsupport::kTestUser;
    const struct Row {
        const char *what;
        mode_t folderMode;
        uid_t folderOwner, linkOwner;
        bool through;
    } rows[] = {
        {"another user's link in a shared folder", 01777, 0, kAnotherUser, false},
        {"the user's own link there", 01777, 0, kTestUser, true},
        {"another user's link in a folder writable by all, not sticky", 0777, 0, kAnotherUser, true},
        {"another user's link in a sticky folder writable by its group only", 01775, 0, kAnotherUser, true},
        {"another user's link in a shared folder of theirs", 01777, kAnotherUser, kAnotherUser, true},
        {"another user's link in a shared folder of the user's own", 01777, kTestUser, kAnotherUser, false},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.what);
        const testsupport::Test_Users_File thesis("thesis.odt", "thesis");
        ASSERT_TRUE(thesis.made());
        const testsupport::Shared_Folder shared;
        const QString link = shared.filePath("d2.zcd");
        const QByteArray folder = QFile::encodeName(QFileInfo(link).absolutePath());
        ASSERT_EQ(::chown(folder.constData(), r.folderOwner, r.folderOwner), 0);
        ASSERT_EQ(::chmod(folder.constData(), r.folderMode), 0);
        ASSERT_TRUE(QFile::link(thesis.path(), link));
        ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), r.linkOwner, r.linkOwner), 0);
        bool written = false;
        QString reason;
        {
            const testsupport::Acting_As_Test_User user;
            ASSERT_TRUE(user.acting());
            written = Write_File_Whole(link, "design");
            reason = Write_Refusal_Reason(link);
        }
        EXPECT_EQ(written, r.through);
        // A refused write says why, as the save roads show it.
        EXPECT_EQ(reason, r.through ? QString()
                                    : QString("\"d2.zcd\" in this shared folder is another user's link, which only "
                                              "they can replace. Please choose another name."));
        EXPECT_EQ(thesis.bytes(), r.through ? "design" : "thesis");
        EXPECT_EQ(QDir(thesis.folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"thesis.odt"});
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), thesis.path());
        EXPECT_EQ(QDir(QFile::decodeName(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{"d2.zcd"});
    }
}

// Desks starting together end with one key, owner-only, from no key or an unusable one
// (set aside once).
TEST(FileWrite, DesksStartingTogetherEndWithOneKey)
{
    for (const bool unusable : {false, true}) {
        QTemporaryDir dir;
        const QString folder = dir.filePath("data");
        if (unusable) {
            ASSERT_TRUE(QDir().mkpath(folder));
            QFile old(folder + "/Write_Record_Key");
            ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(QByteArray(32, 'k')) == 32);
            ASSERT_TRUE(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
        }
        std::vector<QByteArray> keys(8);
        std::vector<std::thread> desks;
        for (QByteArray &key : keys) desks.emplace_back([&] { key = Write_Record_Key(folder); });
        for (std::thread &desk : desks) desk.join();
        EXPECT_EQ(keys[0].size(), 32);
        EXPECT_EQ(std::count(keys.begin(), keys.end(), keys[0]), 8);
        const QStringList there = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(there.size(), 1 + unusable) << there.join(' ').toStdString();
        EXPECT_EQ(there.filter(QRegularExpression("^Write_Record_Key(\\.unusable-.*)?$")), there);
        EXPECT_EQ(QFile::permissions(folder + "/Write_Record_Key"),
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
    }
}

// A key that is there but unusable (readable by others, of another size, another user's
// as root, a folder, a FIFO, a link to a key) is set aside beside its name, and a new key
// made; a key temporary a start killed while making the key left is removed. A data
// folder of another user is left as it is and gives no key.
TEST(FileWrite, AnUnusableKeyIsSetAsideAndANewOneMade)
{
    const QByteArray old(32, 'k');
    const auto write = [&](const QString &path, const QByteArray &bytes, mode_t mode) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush());
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    };
    const auto chown = [](const QString &path) {
        ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    };
    struct Row {
        const char *what;
        std::function<void(const QString &)> plant;
        bool asRoot = false;
    };
    const Row rows[] = {
        {"readable by others", [&](const QString &key) { write(key, old, 0644); }},
        {"of another size", [&](const QString &key) { write(key, old + 'k', 0600); }},
        {"another user's",
         [&](const QString &key) {
             write(key, old, 0600);
             chown(key);
         },
         true},
        {"a folder", [](const QString &key) { ASSERT_TRUE(QDir().mkdir(key)); }},
        {"a FIFO", [](const QString &key) { ASSERT_EQ(::mkfifo(QFile::encodeName(key).constData(), 0600), 0); }},
        {"a link to a key",
         [&](const QString &key) {
             const QString elsewhere = QDir::cleanPath(key + "/../../elsewhere");
             write(elsewhere, old, 0600);
             ASSERT_TRUE(QFile::link(elsewhere, key));
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        if (row.asRoot && ::geteuid() != 0) {
            std::cout << "Not run: the row of " << row.what << " key, which needs root\n";
            continue;
        }
        QTemporaryDir dir;
        const QString data = dir.filePath("data"), path = data + "/Write_Record_Key";
        ASSERT_TRUE(QDir().mkpath(data));
        row.plant(path);
        QFile temporary(path + ".AbC123");  // a killed start's, two minutes ago
        ASSERT_TRUE(temporary.open(QIODevice::WriteOnly) && temporary.write(old) == 32 && temporary.flush());
        const QDateTime twoMinutesAgo = QDateTime::currentDateTime().addSecs(-120);
        ASSERT_TRUE(temporary.setFileTime(twoMinutesAgo, QFileDevice::FileModificationTime));
        const QByteArray key = Write_Record_Key(data);
        EXPECT_EQ(key.size(), 32);
        EXPECT_NE(key, old);
        EXPECT_EQ(bytes(path), key);
        const QFileInfo made(path);
        EXPECT_TRUE(made.isFile() && !made.isSymLink() && made.ownerId() == ::geteuid());
        EXPECT_EQ(made.permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                                          | QFileDevice::WriteUser);
        EXPECT_EQ(Write_Record_Key(data), key);
        const QStringList there =
            QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        EXPECT_EQ(there.size(), 2) << there.join(' ').toStdString();  // every row runs
        EXPECT_EQ(there.value(0), "Write_Record_Key");
        // Named by the local time it was set aside, with no number when that name is free.
        EXPECT_TRUE(QRegularExpression("^Write_Record_Key\\.unusable-\\d{8}-\\d{6}$").match(there.value(1)).hasMatch())
            << there.value(1).toStdString();
    }
    {  // A key with a second name, its temporary, as a put-back killed between its steps leaves it.
        QTemporaryDir dir;
        const QString path = dir.filePath("Write_Record_Key");
        const QByteArray key = Write_Record_Key(dir.path());
        ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(path + ".AbC123").constData()), 0);
        QFile named(path);
        ASSERT_TRUE(named.open(QIODevice::ReadOnly)
                    && named.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
        EXPECT_EQ(Write_Record_Key(dir.path()), key);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Write_Record_Key"});
    }
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's data folder needs root";
    QTemporaryDir dir;
    const QString data = dir.filePath("data");
    ASSERT_TRUE(QDir().mkpath(data));
    write(data + "/Write_Record_Key", old, 0644);
    chown(data);
    EXPECT_EQ(Write_Record_Key(data), QByteArray());
    EXPECT_EQ(QDir(data).entryList(QDir::Files | QDir::Hidden), QStringList{"Write_Record_Key"});
    EXPECT_EQ(bytes(data + "/Write_Record_Key"), old);
}

// A file system that does not keep modes: every file shows read bits for its group and others.
struct ModesNotKept : File_Modes {
    unsigned shown(unsigned mode) const override { return mode | 0044; }
};

// Where the data folder cannot keep a key private, each start says so once and no key is
// used; a key found there is set aside once, and later starts and writes make no file and
// say nothing more.
TEST(FileWrite, AFolderThatCannotKeepAKeyPrivateGetsNoKey)
{
    const QByteArray old(32, 'k');
    static QStringList told;
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { told << text; });
    for (const bool keyThere : {false, true}) {
        SCOPED_TRACE(keyThere ? "a key there" : "no key there");
        told.clear();
        QTemporaryDir dir;
        const QString data = dir.filePath("data");
        ASSERT_TRUE(QDir().mkpath(data));
        if (keyThere) make(dir, "data/Write_Record_Key", old);
        const ModesNotKept modes;
        QByteArray keys = Start_Write_Record_Key(data, modes);
        for (int write = 0; write < 3; ++write) keys += Write_Record_Key(data, modes);
        keys += Start_Write_Record_Key(data, modes);
        EXPECT_EQ(keys, QByteArray());
        const QStringList there =
            QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        EXPECT_EQ(there.size(), keyThere ? 1 : 0) << there.join(' ').toStdString();
        const QString start = "The data folder \"" + data + "\" cannot keep the key of the records of cards of several "
                              "files private (its file system does not keep owner-only modes): no key is used, and a "
                              "card whose writing is cut off between its files will not be repaired";
        QStringList expected{start, start};
        if (keyThere) {
            EXPECT_TRUE(there.value(0).startsWith("Write_Record_Key.unusable-")) << there.value(0).toStdString();
            EXPECT_EQ(bytes(data + '/' + there.value(0)), old);
            expected.prepend("The key of the records of cards of several files, " + data
                             + "/Write_Record_Key, is readable by others: set aside as " + data + '/' + there.value(0)
                             + " (records signed with it are left)");
        }
        EXPECT_EQ(told, expected);
    }
    qInstallMessageHandler(before);
}

// Every start removes the key temporaries of starts killed while making the key (the
// user's, over a minute old), a good key standing beside them too.
TEST(FileWrite, AStartRemovesKilledStartsKeyTemporaries)
{
    QTemporaryDir dir;
    const QByteArray key = Write_Record_Key(dir.path());
    ASSERT_EQ(key.size(), 32);
    for (const auto &[name, secondsAgo] : {std::pair{"Write_Record_Key.AbC123", 120}, {"Write_Record_Key.XyZ789", 10},
                                           {"Write_Record_Key.notes", 120}, {"Write_Record_Key.Ab-123", 120}})
        make(dir, name, "temporary", secondsAgo);
    EXPECT_EQ(Start_Write_Record_Key(dir.path()), key);
    EXPECT_EQ(names(dir), QStringList({"Write_Record_Key", "Write_Record_Key.Ab-123", "Write_Record_Key.XyZ789",
                                       "Write_Record_Key.notes"}));
}

// Where no key can be had, the program says as it starts that a card killed between its
// files will not be repaired; the writes of the run say nothing more.
TEST(FileWrite, AStartWithoutAKeySaysSo)
{
    static QStringList told;
    told.clear();
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { told << text; });
    Start_Write_Record_Key("/proc/no data folder/");
    Write_Record_Key("/proc/no data folder/");
    Write_Record_Key("");
    qInstallMessageHandler(before);
    EXPECT_EQ(told, QStringList{"No key for the records of cards of several files (data folder \"/proc/no data "
                                "folder/\"): a card whose writing is cut off between its files will not be repaired"});
}
