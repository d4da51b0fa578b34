// The text index of a log made before it, built a slice at a time while other desks
// write, searched only once whole, gone on with later after a failure.
#include "Globals.h"
#include "Helpers.h"
#include "HeldPoolThreads.h"
#include "VisitorRecordStore.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace visitor_text_index_build_test {
namespace {
// Another desk's connection to the log, waiting up to a second for a lock.
struct Other_Desk {
    sqlite3 *db = nullptr;
    Other_Desk() { sqlite3_open(QFile::encodeName(Database_Path).constData(), &db), sqlite3_busy_timeout(db, 1000); }
    ~Other_Desk() { sqlite3_close(db); }
    int run(const QString &sql) { return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }
    qint64 number(const char *sql)
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        const qint64 n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
        return sqlite3_finalize(st), n;
    }
    // `count` visits of today in one transaction: "Bri i" every third, else "Carl i".
    int add(int count)
    {
        return run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) INSERT "
                                  "INTO Visitor_Records (Date_Time_Stamp, VName) SELECT '%2', CASE WHEN i % 3 = 0 THEN "
                                  "'Bri ' ELSE 'Carl ' END || i FROM n")
                       .arg(count)
                       .arg(QDate::currentDate().toString("yyyy-MM-dd 12:00:00")));
    }
};

// The index's tables and triggers and its progress table in the log.
qint64 indexObjects(Other_Desk &desk)
{
    return desk.number("SELECT count(*) FROM sqlite_master WHERE name LIKE 'Visitor_Records_Search%'");
}

// The year's "bri" search: "listed|through the text index (when whole)|without it".
QString counted(VisitorRecordStore &store)
{
    Visitor_Search s;
    s.filters[Filter_Name] = QStringLiteral("bri");
    s.to = QDate::currentDate();
    s.from = s.to.addDays(-365);
    const auto count = [](const std::optional<QList<Visitor_Log_Entry>> &l) { return l ? QString::number(l->size()) : "-"; };
    return count(store.Read_Search(s)) + "|" +
           (store.Text_Index_Current() ? count(store.Read_Log_Entries(*Visitor_Text_Search_Statement(s))) : "") + "|" +
           count(store.Read_Log_Entries(Visitor_Search_Statement(s, true)));
}

// The desk that opens the log, with a pool of its own whose threads are held until
// `held.release()` (released first when it goes, before the store waits for its build).
struct Building_Desk {
    explicit Building_Desk(int sliceRows)
    {
        store.index_pool = &pool;
        store.index_slice_rows = sliceRows;
    }
    QThreadPool pool;
    VisitorRecordStore store;
    Held_Pool_Threads held{pool, pool.maxThreadCount()};
};
} // namespace

TEST(TextIndexBuild, TheOpeningDeskLeavesItToThePoolAndAnotherDeskWritesMeanwhile)
{
    Check_Path_And_Create_VISITOR_Files();
    Other_Desk other;
    ASSERT_EQ(other.add(3000), SQLITE_OK);
    Building_Desk desk(100);
    VisitorRecordStore &store = desk.store;
    Held_Pool_Threads &held = desk.held;
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_EQ(counted(store), "1000||1000") << "the opening does not build it whole";
    EXPECT_EQ(other.number("SELECT Upto FROM Visitor_Records_Search_Built"), 0);

    // While it is built another desk adds visit after visit, each within its second's wait.
    held.release();
    int added = 0;
    while (!store.Text_Index_Current() && added < 2000) {
        ASSERT_EQ(other.run("INSERT INTO Visitor_Records (VName, Date_Time_Stamp) SELECT 'Bri late', "
                            "Date_Time_Stamp FROM Visitor_Records WHERE ID = 1"),
                  SQLITE_OK);
        const QStringList c = counted(store).split('|');
        EXPECT_EQ(c[0] + "|" + c[2], QString("%1|%1").arg(1000 + ++added)) << "no part-built index read";
        QThread::msleep(30);
    }
    store.Wait_For_Text_Index();
    EXPECT_EQ(counted(store), QString("%1|%1|%1").arg(1000 + added));
}

TEST(TextIndexBuild, ChangesBetweenSlicesAreKeptAndAFailedBuildGoesOnLaterNotAtEachOpening)
{
    Check_Path_And_Create_VISITOR_Files();
    Other_Desk other;
    ASSERT_EQ(other.add(100), SQLITE_OK);
    Building_Desk desk(30);
    VisitorRecordStore &store = desk.store;
    Held_Pool_Threads &held = desk.held;
    store.busy_timeout_ms = 100;
    ASSERT_TRUE(store.Open_DB_Connection());
    // Slices on the other desk; between them a change to a visit indexed and to one not
    // yet, removals of both, and a new visit.
    EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 30), Visitor_Text_Index_Slice::More);
    ASSERT_EQ(other.run("UPDATE Visitor_Records SET VName = 'Carl 3' WHERE ID = 3; UPDATE Visitor_Records SET VName = "
                        "'Bri 40' WHERE ID = 40; DELETE FROM Visitor_Records WHERE ID IN (6, 60); INSERT INTO "
                        "Visitor_Records (VName, Date_Time_Stamp) SELECT 'Bri new', Date_Time_Stamp FROM "
                        "Visitor_Records WHERE ID = 1"),
              SQLITE_OK);
    EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 30), Visitor_Text_Index_Slice::More);
    EXPECT_EQ(other.number("SELECT Upto FROM Visitor_Records_Search_Built"), 61);
    // A desk reading the log keeps a slice from committing: it fails and is undone.
    Other_Desk reader;
    ASSERT_EQ(reader.run("BEGIN; SELECT count(*) FROM Visitor_Records"), SQLITE_OK);
    EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 30), Visitor_Text_Index_Slice::Failed);
    ASSERT_EQ(reader.run("COMMIT"), SQLITE_OK);
    EXPECT_EQ(other.number("SELECT Upto FROM Visitor_Records_Search_Built"), 61);
    // The other desk holds the write lock longer than a slice waits: the build fails,
    // and the adds after it neither wait for it nor try it again.
    ASSERT_EQ(other.run("BEGIN IMMEDIATE"), SQLITE_OK);
    held.release();
    store.Wait_For_Text_Index();
    ASSERT_EQ(other.run("COMMIT"), SQLITE_OK);
    Visitor_Record visit;
    visit.Date_Time_Stamp = QDate::currentDate().toString("yyyy-MM-dd 14:00:00");
    visit.front.values[VName] = "Bri added";
    for (int add = 1; add <= 3; ++add) {
        ASSERT_TRUE(store.Open_DB_Connection());
        store.Wait_For_Text_Index();
        EXPECT_TRUE(store.Insert_Visitor_Record(visit));
        EXPECT_EQ(counted(store), QString("%1||%1").arg(32 + add)) << "not tried again";
    }
    // Later (or at the next start) it goes on from the progress row.
    store.index_retry_ms = 0;
    ASSERT_TRUE(store.Open_DB_Connection());
    store.Wait_For_Text_Index();
    EXPECT_EQ(counted(store), "35|35|35");
    EXPECT_EQ(other.run("INSERT INTO Visitor_Records_Search (Visitor_Records_Search, rank) VALUES ('integrity-check', 1)"),
              SQLITE_OK) << "the index holds exactly the table's texts";
    EXPECT_EQ(other.number("SELECT count(*) FROM sqlite_master WHERE name = 'Visitor_Records_Search_Built'"), 0);
}

TEST(TextIndexBuild, StartsOnlyWithRoomForTheWholeIndexAndGrowsTheFileNoFurtherThanTheRoomLeft)
{
    Check_Path_And_Create_VISITOR_Files();
    Other_Desk other;
    ASSERT_EQ(other.add(3000), SQLITE_OK);
    // The room the index of the 3000 visits needs: 5 bytes for each byte of the names,
    // 16 for each visit, 64 MiB to spare, less the free pages of the file.
    qint64 names = 0;
    for (int i = 1; i <= 3000; ++i) names += (i % 3 == 0 ? 4 : 5) + QString::number(i).size();
    Building_Desk desk(1000);
    VisitorRecordStore &store = desk.store;
    qint64 free = 0;
    store.index_free_bytes = [&free](const QString &) { return std::optional<qint64>(free); };
    ASSERT_TRUE(store.Open_DB_Connection());
    const qint64 room = 5 * names + 16 * 3000 + 64 * 1024 * 1024 -
                        other.number("PRAGMA freelist_count") * other.number("PRAGMA page_size");
    const qint64 pages = other.number("PRAGMA page_count");
    store.index_retry_ms = 0;
    free = room - 1;
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_EQ(indexObjects(other), 0) << "not begun";
    EXPECT_EQ(counted(store), "1000||1000");
    EXPECT_EQ(other.number("PRAGMA page_count"), pages);
    free = room;
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_EQ(indexObjects(other), 9) << "begun";
    // Another desk's visits added meanwhile take all of the room: the build grows the
    // file no further and gives back what it began.
    ASSERT_EQ(other.add(6000), SQLITE_OK);
    const qint64 added = other.number("PRAGMA page_count");
    ASSERT_GT(added, pages + (room - 64 * 1024 * 1024) / other.number("PRAGMA page_size"));
    desk.held.release();
    store.Wait_For_Text_Index();
    EXPECT_EQ(indexObjects(other), 0) << "given back";
    EXPECT_EQ(counted(store), "3000||3000");
    EXPECT_EQ(other.number("PRAGMA page_count"), added);
}

TEST(TextIndexBuild, ASliceWithoutRoomGivesBackWhatWasBuiltAndTheNextOpeningDoesNotGrowTheFile)
{
    Check_Path_And_Create_VISITOR_Files();
    Other_Desk other;
    ASSERT_EQ(other.add(3000), SQLITE_OK);
    ASSERT_TRUE(Begin_Visitor_Text_Index(other.db));
    EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 1000), Visitor_Text_Index_Slice::More);
    EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 1000), Visitor_Text_Index_Slice::More);
    const qint64 pages = other.number("PRAGMA page_count");
    // The file may not grow: the next slice fails for want of room. (The journal is kept
    // at its longest.)
    ASSERT_EQ(other.run(QStringLiteral("PRAGMA max_page_count = %1; PRAGMA journal_mode = PERSIST").arg(pages)),
              SQLITE_OK);
    EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 1000), Visitor_Text_Index_Slice::Failed);
    EXPECT_EQ(indexObjects(other), 0) << "given back";
    EXPECT_EQ(other.number("PRAGMA page_count"), pages);
    const qint64 freed = other.number("PRAGMA freelist_count") * other.number("PRAGMA page_size");
    EXPECT_GT(freed, 0) << "its pages free in the file";
    EXPECT_LT(QFileInfo(Database_Path + "-journal").size(), freed) << "giving back needs less room than it frees";
    // The next opening, with the disk as full, neither builds it nor grows the file; a
    // visit added takes a free page.
    Building_Desk desk(1000);
    VisitorRecordStore &store = desk.store;
    store.index_free_bytes = [](const QString &) { return std::optional<qint64>(0); };
    ASSERT_TRUE(store.Open_DB_Connection());
    desk.held.release();
    store.Wait_For_Text_Index();
    Visitor_Record visit;
    visit.Date_Time_Stamp = QDate::currentDate().toString("yyyy-MM-dd 14:00:00");
    visit.front.values[VName] = "Bri added";
    EXPECT_TRUE(store.Insert_Visitor_Record(visit));
    EXPECT_EQ(counted(store), "1001||1001");
    EXPECT_EQ(indexObjects(other), 0);
    EXPECT_EQ(other.number("PRAGMA page_count"), pages);
}

} // namespace visitor_text_index_build_test
