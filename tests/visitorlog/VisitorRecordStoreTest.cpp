// The visitor database connection on its own, and two desks writing to it at once.
#include "Globals.h"
#include "Helpers.h"
#include "TestSupport.h"
#include "VisitorRecordStore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sqlite3.h>

TEST(VisitorRecordStore, AMissingDatabaseIsNeverCreatedEmpty)
{
    Check_Path_And_Create_VISITOR_Files();
    QFile::remove(Database_Path);
    VisitorRecordStore store;
    EXPECT_FALSE(store.Open_DB_Connection());
    EXPECT_FALSE(QFile::exists(Database_Path));
    EXPECT_EQ(store.visitor_db, nullptr);
    EXPECT_FALSE(store.Close_DB_Connection());
    QString reason;
    EXPECT_FALSE(store.Insert_Visitor_Record(Visitor_Record{}, &reason)) << "no connection, no insert";
    EXPECT_FALSE(reason.isEmpty());
    Check_Path_And_Create_VISITOR_Files();
    EXPECT_TRUE(store.Open_DB_Connection());
    EXPECT_TRUE(store.Close_DB_Connection());
    EXPECT_FALSE(store.Close_DB_Connection()) << "a second close does nothing";
}

namespace {
// What an independent reader finds in the table: "rows|distinct names"; none when it
// could not start.
QString countedBySqlite(const QString &path)
{
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"),
                 {path, QStringLiteral("SELECT count(*), count(DISTINCT VName) FROM Visitor_Records")});
    if (!testsupport::checkerFinished(sqlite)) return {};
    return QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed();
}
} // namespace

TEST(VisitorRecordStore, TwoDesksAddingAtOnceStoreEveryVisit)
{
    Check_Path_And_Create_VISITOR_Files();
    QFile::remove(Database_Path);
    Check_Path_And_Create_VISITOR_Files();
    QProcess desks[2];
    for (int d = 0; d < 2; ++d)
        desks[d].start(QStringLiteral(VISITORLOG_DESK_PROBE),
                       {Database_Path, QStringLiteral("500"), QStringLiteral("Desk%1").arg(d)});
    for (QProcess &desk : desks) {
        ASSERT_TRUE(testsupport::processFinished(desk, "the desk probe", 240000));
        EXPECT_EQ(QString::fromUtf8(desk.readAllStandardOutput()).trimmed(), "0") << "failed inserts";
        EXPECT_EQ(desk.exitCode(), 0);
    }
    EXPECT_EQ(countedBySqlite(Database_Path), "1000|1000");
}

TEST(VisitorRecordStore, EachOpeningWaitsForTheLockUpToItsTimeout)
{
    Check_Path_And_Create_VISITOR_Files();
    VisitorRecordStore store;
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_EQ(store.busy_timeout_ms, 5000);
    // Another desk takes the lock.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(Database_Path).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto letGo = [&] {
        if (!other) return;
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        other = nullptr;
    };
    // The other desk keeps the lock: the store gives up at its timeout (a store that
    // waited on past 30 s is let in, and fails the check).
    QElapsedTimer hung;
    hung.start();
    store.on_lock_wait = [&] {
        if (hung.elapsed() > 30000) letGo();
    };
    store.busy_timeout_ms = 300;
    ASSERT_TRUE(store.Open_DB_Connection());
    QString reason;
    EXPECT_FALSE(store.Insert_Visitor_Record(Visitor_Record{}, &reason));
    EXPECT_EQ(reason, "database is locked");
    // The other desk lets go while the store waits: the visit is stored.
    store.busy_timeout_ms = 60000;
    store.on_lock_wait = letGo;
    EXPECT_TRUE(store.Insert_Visitor_Record(Visitor_Record{}, &reason)) << qPrintable(reason);
    EXPECT_EQ(other, nullptr) << "failed at once";
    letGo();
}
