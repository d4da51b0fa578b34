// The text index of a log made before it, built a slice at a time: the opening desk does
// not wait for it, another desk writes while it is built, the search lists the same
// visits before, during and after, a build cut off goes on where it stopped, and one
// that failed is not tried again at each opening.
#include "Globals.h"
#include "Helpers.h"
#include "HeldPoolThreads.h"
#include "VisitorRecordStore.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace visitor_text_index_build_test {
namespace {
// Another desk's connection to the log, waiting `waitMs` for a lock.
struct Other_Desk {
    sqlite3 *db = nullptr;
    explicit Other_Desk(int waitMs = 1000)
    {
        sqlite3_open(QFile::encodeName(Database_Path).constData(), &db);
        sqlite3_busy_timeout(db, waitMs);
    }
    ~Other_Desk() { sqlite3_close(db); }
    int run(const QString &sql) { return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr); }
    // `count` visits of today in one transaction: "Bri i" every third, else "Carl i".
    int add(int count)
    {
        return run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                  "INSERT INTO Visitor_Records (Date_Time_Stamp, VName) SELECT '%2 12:00:00', CASE "
                                  "WHEN i % 3 = 0 THEN 'Bri ' ELSE 'Carl ' END || i FROM n")
                       .arg(count)
                       .arg(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
    }
};

QString sqliteTool(const QString &sql)
{
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {Database_Path, sql});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
}

Visitor_Search bri()
{
    Visitor_Search s;
    s.filters[Filter_Name] = QStringLiteral("bri");
    s.to = QDate::currentDate();
    s.from = s.to.addDays(-365);
    return s;
}

// "listed|through the text index|without it" for the "bri" search.
QString counted(VisitorRecordStore &store)
{
    const auto count = [](const std::optional<QList<Visitor_Log_Entry>> &l) { return l ? QString::number(l->size()) : "-"; };
    const auto indexed = Visitor_Text_Search_Statement(bri());
    return count(store.Read_Search(bri())) + "|" + (store.Text_Index_Current() ? count(store.Read_Log_Entries(*indexed)) : "")
           + "|" + count(store.Read_Log_Entries(Visitor_Search_Statement(bri(), true)));
}
} // namespace

TEST(TextIndexBuild, TheOpeningDeskLeavesItToThePoolAndAnotherDeskWritesMeanwhile)
{
    Check_Path_And_Create_VISITOR_Files();
    Other_Desk other;
    ASSERT_EQ(other.add(3000), SQLITE_OK);
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    Held_Pool_Threads held(pool, 1);
    VisitorRecordStore store;
    store.index_pool = &pool;
    store.index_slice_rows = 100;
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_EQ(counted(store), "1000||1000") << "the opening does not build it whole";
    EXPECT_EQ(sqliteTool("SELECT Upto FROM Visitor_Records_Search_Built"), "0");

    held.release();
    QElapsedTimer longest, build;
    build.start();
    qint64 waited = 0;
    int added = 0;
    while (!store.Text_Index_Current() && build.elapsed() < 60000) {
        longest.start();
        ASSERT_EQ(other.run(QStringLiteral("INSERT INTO Visitor_Records (VName, Date_Time_Stamp) VALUES ('Bri late', '%1')")
                                .arg(QDate::currentDate().toString("yyyy-MM-dd 13:00:00"))),
                  SQLITE_OK);
        waited = std::max(waited, longest.elapsed());
        ++added;
        const auto listed = store.Read_Search(bri());
        EXPECT_EQ(listed ? listed->size() : -1, 1000 + added) << "no part-built index searched";
        QThread::msleep(30);
    }
    store.Wait_For_Text_Index();
    EXPECT_LT(waited, 1000);
    EXPECT_GT(added, 1) << "written while it was built";
    EXPECT_EQ(counted(store), QString("%1|%1|%1").arg(1000 + added));
}

TEST(TextIndexBuild, ChangesBetweenSlicesAreKeptAndACutOffBuildGoesOn)
{
    Check_Path_And_Create_VISITOR_Files();
    Other_Desk other;
    ASSERT_EQ(other.add(100), SQLITE_OK);
    {
        // The slices run on the other desk; between them, a change to a visit indexed
        // and to one not yet, removals of both, and a new visit.
        VisitorRecordStore store;
        ASSERT_TRUE(store.Open_DB_Connection(false));
        ASSERT_TRUE(Begin_Visitor_Text_Index(other.db));
        EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 30), Visitor_Text_Index_Slice::More);
        ASSERT_EQ(other.run("UPDATE Visitor_Records SET VName = 'Carl 3' WHERE ID = 3;"
                            "UPDATE Visitor_Records SET VName = 'Bri 40' WHERE ID = 40; DELETE FROM Visitor_Records WHERE "
                            "ID IN (6, 60); INSERT INTO Visitor_Records (VName, Date_Time_Stamp) SELECT 'Bri new', "
                            "Date_Time_Stamp FROM Visitor_Records WHERE ID = 1"),
                  SQLITE_OK);
        EXPECT_EQ(Build_Visitor_Text_Index_Slice(other.db, 30), Visitor_Text_Index_Slice::More);
        EXPECT_EQ(sqliteTool("SELECT Upto FROM Visitor_Records_Search_Built"), "61");
        EXPECT_EQ(counted(store), "32||32");
        // The process ends here, part-way.
    }
    VisitorRecordStore restarted;
    restarted.index_slice_rows = 20;
    ASSERT_TRUE(restarted.Open_DB_Connection());
    restarted.Wait_For_Text_Index();
    EXPECT_EQ(counted(restarted), "32|32|32");
    EXPECT_EQ(sqliteTool("INSERT INTO Visitor_Records_Search (Visitor_Records_Search) VALUES ('integrity-check');"
                         "SELECT count(*) FROM sqlite_master WHERE name = 'Visitor_Records_Search_Built';"),
              "0");
}

TEST(TextIndexBuild, AFailedBuildIsNotTriedAgainAtEachOpening)
{
    Check_Path_And_Create_VISITOR_Files();
    Other_Desk other;
    ASSERT_EQ(other.add(300), SQLITE_OK);
    VisitorRecordStore store;
    store.index_slice_rows = 50;
    store.busy_timeout_ms = 100;
    QThreadPool pool;
    Held_Pool_Threads held(pool, pool.maxThreadCount());
    store.index_pool = &pool;
    ASSERT_TRUE(store.Open_DB_Connection());
    // Another desk holds the write lock longer than a slice waits: the build fails.
    ASSERT_EQ(other.run("BEGIN IMMEDIATE"), SQLITE_OK);
    held.release();
    store.Wait_For_Text_Index();
    ASSERT_EQ(other.run("COMMIT"), SQLITE_OK);
    Visitor_Record visit;
    visit.Date_Time_Stamp = QDate::currentDate().toString("yyyy-MM-dd 14:00:00");
    visit.front.values[VName] = "Bri added";
    for (int add = 1; add <= 3; ++add) {
        ASSERT_TRUE(store.Open_DB_Connection());
        EXPECT_TRUE(store.Insert_Visitor_Record(visit));
        EXPECT_EQ(counted(store), QString("%1||%1").arg(100 + add)) << "not tried again";
    }
    store.index_retry_ms = 0;
    ASSERT_TRUE(store.Open_DB_Connection());
    store.Wait_For_Text_Index();
    EXPECT_EQ(counted(store), "103|103|103");
}

} // namespace visitor_text_index_build_test
