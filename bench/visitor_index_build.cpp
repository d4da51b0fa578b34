// The text index of a long log made before it, built while two desks use the log: for
// each log size given (default 100000 300000 1000000 visits), a log of the shipped
// schema (the stamp index) but no text index is made, desk A opens it and adds a visit (its first command)
// and then lists the recent visits as the log window does and searches a name over the
// year (without the index while it is built), while desk B adds a visit every 200 ms
// until the index is whole. Prints A's commands, B's longest add and the build's time,
// in milliseconds.
#include "Globals.h"
#include "VisitorRecordStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <atomic>
#include <cstdio>
#include <sqlite3.h>
#include <thread>

namespace {
bool makeLog(const QString &path, int visits)
{
    QFile sql(QStringLiteral(VISITOR_SQL));
    if (!sql.open(QIODevice::ReadOnly)) return false;
    sqlite3 *db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    const QByteArray fill =
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) INSERT INTO Visitor_Records "
            "(Photo, Date_Time_Stamp, VName_lb, VName, CompanyName, UniqueNo, Other, Address, Phone, Email) SELECT '', "
            "datetime('now', 'localtime', '-' || ((%1 - i) * 31536000 / %1) || ' seconds'), 'Name :', CASE i % 6 WHEN 0 "
            "THEN 'Brian' WHEN 1 THEN 'Carl' WHEN 2 THEN 'Dora' WHEN 3 THEN 'Priya' WHEN 4 THEN 'Zoë' ELSE 'Yusuf' END "
            "|| ' ' || i, 'Company ' || (i % 97), printf('V%06d', i), 'Car : ' || (i % 13), (i % 500) || ' Main "
            "Street', '555-' || (i % 10000), 'v' || i || '@example.com' FROM n;")
            .arg(visits)
            .toUtf8();
    const bool made = sqlite3_exec(db, sql.readAll().constData(), nullptr, nullptr, nullptr) == SQLITE_OK &&
                      sqlite3_exec(db, ("BEGIN;" + fill + "COMMIT;").constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return made;
}

Visitor_Record visit(const char *name)
{
    Visitor_Record r;
    r.Date_Time_Stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    r.front.values[VName] = QString::fromLatin1(name);
    return r;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (int a = 1; a < argc; ++a) sizes << QByteArray(argv[a]).toInt();
    if (sizes.isEmpty()) sizes = {100000, 300000, 1000000};
    std::printf("visits\tA first add ms\tA log window ms\tA year search ms (found)\tB longest add ms\tB adds\tB "
                "failed\tbuild ms\n");
    for (const int visits : sizes) {
        QTemporaryDir dir;
        Database_Path = dir.filePath(QStringLiteral("Visitor.db"));
        if (!makeLog(Database_Path, visits)) return 1;
        QThreadPool pool;
        std::atomic<bool> built{false};
        std::atomic<qint64> longest{0};
        std::atomic<int> adds{0}, failed{0};
        QElapsedTimer build;
        build.start();
        // Desk B: another copy of the program on the same data folder (which takes part in
        // the build as well).
        std::thread deskB([&, path = Database_Path] {
            VisitorRecordStore b;
            while (!built) {
                QElapsedTimer t;
                t.start();
                const bool saved = b.Open_DB_Connection() && b.Insert_Visitor_Record(visit("Desk B"));
                b.Close_DB_Connection();
                longest = std::max<qint64>(longest, t.elapsed());
                ++adds;
                if (!saved) ++failed;
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
        VisitorRecordStore a;
        a.index_pool = &pool;
        QElapsedTimer first;
        first.start();
        a.Open_DB_Connection();
        a.Insert_Visitor_Record(visit("Desk A"));
        a.Close_DB_Connection();
        const qint64 firstAdd = first.elapsed();
        first.restart();
        a.Open_DB_Connection();
        a.Read_Recent_Visits();
        a.Close_DB_Connection();
        const qint64 window = first.elapsed();
        Visitor_Search year;
        year.filters[Filter_Name] = QStringLiteral("brian 12");
        year.to = QDate::currentDate();
        year.from = year.to.addDays(-365);
        first.restart();
        a.Open_DB_Connection();
        const qsizetype found = a.Read_Search(year).value_or(QList<Visitor_Log_Entry>()).size();
        a.Close_DB_Connection();
        const qint64 search = first.elapsed();
        a.Wait_For_Text_Index();
        a.Open_DB_Connection();
        while (!a.Text_Index_Current()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const qint64 buildMs = build.elapsed();
        built = true;
        deskB.join();
        std::printf("%d\t%lld\t%lld\t%lld (%lld)\t%lld\t%d\t%d\t%lld\n", visits, firstAdd, window, search,
                    qint64(found), qint64(longest), int(adds), int(failed), buildMs);
        std::fflush(stdout);
    }
    return 0;
}
