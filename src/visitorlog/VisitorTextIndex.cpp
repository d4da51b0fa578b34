#include "VisitorTextIndex.h"

#include "Log.h"
#include "VisitorRecordStore.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>
#include <thread>

namespace visitor_text_index {
namespace {
QString name(const char *suffix = "") { return QLatin1String(kVisitorTextIndex) + QLatin1String(suffix); }

bool run(sqlite3 *db, const QString &statements)
{
    char *message = nullptr;
    const bool done = sqlite3_exec(db, statements.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK;
    if (!done)
        Show_NSLog_Message(QStringLiteral("Visitor database text index: ") + QString::fromUtf8(message ? message : ""));
    sqlite3_free(message);
    return done;
}

bool busy(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

// The first column of the statement's first row; nullopt when it is NULL or fails
// (`rc` then tells which).
std::optional<qint64> number(sqlite3 *db, const QString &sql, int *rc = nullptr)
{
    sqlite3_stmt *st = nullptr;
    int code = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    if (code == SQLITE_OK) code = sqlite3_step(st);
    std::optional<qint64> value;
    if (code == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL) value = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    if (rc) *rc = code;
    return value;
}

// The searched columns, front and back of each filter.
QStringList columns()
{
    QStringList c;
    for (int f = 0; f < kVisitorSearchFilterCount; ++f)
        c << Visitor_Search_Column(f) << Visitor_Search_Column(f) + QStringLiteral("_B");
    return c;
}

QString prefixed(const QString &prefix)
{
    QStringList c = columns();
    for (QString &column : c) column.prepend(prefix);
    return c.join(QStringLiteral(", "));
}

// The three triggers. While the index is being built each adds or removes a visit only
// when its ID is within the progress row's `Upto`; at last, always.
QString triggers(bool building)
{
    const QString list = columns().join(QStringLiteral(", "));
    QString insertNew, deleteOld;
    if (building) {
        const QString within = QStringLiteral(" WHERE %1.ID <= (SELECT Upto FROM ") + name("_Built") + QLatin1Char(')');
        insertNew = QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT new.ID, %3").arg(name(), list, prefixed("new.")) +
                    within.arg(QStringLiteral("new")) + QLatin1Char(';');
        deleteOld = QStringLiteral("INSERT INTO %1 (%1, rowid, %2) SELECT 'delete', old.ID, %3")
                        .arg(name(), list, prefixed("old.")) +
                    within.arg(QStringLiteral("old")) + QLatin1Char(';');
    } else {
        insertNew = QStringLiteral("INSERT INTO %1 (rowid, %2) VALUES (new.ID, %3);").arg(name(), list, prefixed("new."));
        deleteOld = QStringLiteral("INSERT INTO %1 (%1, rowid, %2) VALUES ('delete', old.ID, %3);")
                        .arg(name(), list, prefixed("old."));
    }
    return QStringLiteral("DROP TRIGGER IF EXISTS %1_Insert; DROP TRIGGER IF EXISTS %1_Delete;"
                          "DROP TRIGGER IF EXISTS %1_Update;"
                          "CREATE TRIGGER %1_Insert AFTER INSERT ON Visitor_Records BEGIN %2 END;"
                          "CREATE TRIGGER %1_Delete AFTER DELETE ON Visitor_Records BEGIN %3 END;"
                          "CREATE TRIGGER %1_Update AFTER UPDATE ON Visitor_Records BEGIN %3 %2 END;")
        .arg(name(), insertNew, deleteOld);
}

// Ends the transaction: committed when `done`, else rolled back (which also readies the
// connection to wait for the next lock it meets). `failure` gets the primary result code
// of what failed last (SQLITE_OK when committed).
bool finish(sqlite3 *db, bool done, int *failure = nullptr)
{
    const bool committed = done && run(db, QStringLiteral("COMMIT"));
    if (failure) *failure = committed ? SQLITE_OK : sqlite3_errcode(db) & 0xff;
    if (!committed) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return committed;
}

// The index, its triggers and its progress table dropped.
QString dropped()
{
    return QStringLiteral("DROP TRIGGER IF EXISTS %1_Insert; DROP TRIGGER IF EXISTS %1_Delete;"
                          "DROP TRIGGER IF EXISTS %1_Update; DROP TABLE IF EXISTS %1; DROP TABLE IF EXISTS %1_Built;")
        .arg(name());
}

// A build under way given back; looked at under the write lock, so that an index another
// desk has made whole meanwhile stays. The dropped pages are not overwritten (the texts
// they hold are in the log's own rows): overwriting would put each of them in the
// journal first, which a full disk has no room for.
void giveBack(sqlite3 *db)
{
    const std::optional<qint64> secure = number(db, QStringLiteral("PRAGMA secure_delete"));
    run(db, QStringLiteral("PRAGMA secure_delete = FAST"));
    if (!run(db, QStringLiteral("BEGIN IMMEDIATE"))) {
        finish(db, false);
    } else {
        const bool building = Read_Visitor_Text_Index_State(db) == Visitor_Text_Index_State::Building;
        if (finish(db, !building || run(db, dropped())) && building)
            Show_NSLog_Message(QStringLiteral("Visitor database text index: no room to build it; what was built is "
                                              "given back, to be tried again later"));
    }
    if (secure) run(db, QStringLiteral("PRAGMA secure_delete = %1").arg(*secure));
}
} // namespace
} // namespace visitor_text_index

namespace vti = visitor_text_index;

Visitor_Text_Index_State Read_Visitor_Text_Index_State(sqlite3 *db)
{
    if (!db) return Visitor_Text_Index_State::Unknown;
    // In hundreds the index and its triggers, in tens those of its triggers that read the
    // progress row, in units the row's table: 431 while it is built, 40x once whole.
    const QString objects =
        QStringLiteral("SELECT (SELECT count(*) FROM sqlite_master WHERE name IN ('%1', '%1_Insert', '%1_Delete', "
                       "'%1_Update')) * 100 + (SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN "
                       "('%1_Insert', '%1_Delete', '%1_Update') AND instr(sql, '%1_Built') > 0) * 10 + (SELECT "
                       "count(*) FROM sqlite_master WHERE type = 'table' AND name = '%1_Built')")
            .arg(vti::name());
    int rc = SQLITE_OK;
    const qint64 found = vti::number(db, objects, &rc).value_or(0);
    // A lock held by another desk says nothing about the index.
    if (vti::busy(rc)) return Visitor_Text_Index_State::Unknown;
    if (found == 431) return Visitor_Text_Index_State::Building;
    if (found / 10 != 40) return Visitor_Text_Index_State::Missing_Or_Behind;
    // The newest visit in the table and in the index (both NULL for an empty log).
    const QString newest =
        QStringLiteral("SELECT (SELECT max(ID) FROM Visitor_Records) IS (SELECT max(id) FROM %1_docsize)").arg(vti::name());
    const std::optional<qint64> current = vti::number(db, newest, &rc);
    if (vti::busy(rc)) return Visitor_Text_Index_State::Unknown;
    return current == 1 ? Visitor_Text_Index_State::Current : Visitor_Text_Index_State::Missing_Or_Behind;
}

bool Begin_Visitor_Text_Index(sqlite3 *db)
{
    // Looked at again under the write lock, so that two desks opening the log at once
    // begin it once.
    if (!vti::run(db, QStringLiteral("BEGIN IMMEDIATE"))) return vti::finish(db, false);
    const Visitor_Text_Index_State state = Read_Visitor_Text_Index_State(db);
    if (state == Visitor_Text_Index_State::Current || state == Visitor_Text_Index_State::Building)
        return vti::finish(db, true);
    if (state == Visitor_Text_Index_State::Unknown) return vti::finish(db, false);
    const QString made =
        vti::dropped() +
        QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(%2, content='Visitor_Records', content_rowid='ID', "
                       "tokenize='trigram');"
                       "CREATE TABLE %1_Built (Upto INTEGER NOT NULL);"
                       "INSERT INTO %1_Built SELECT coalesce(min(ID), 1) - 1 FROM Visitor_Records;")
            .arg(vti::name(), vti::columns().join(QStringLiteral(", ")));
    return vti::finish(db, vti::run(db, made + vti::triggers(true)));
}

std::optional<qint64> Visitor_Text_Index_Bytes_Needed(sqlite3 *db)
{
    QStringList bytes;
    for (const QString &column : vti::columns()) bytes << QStringLiteral("total(length(CAST(%1 AS BLOB)))").arg(column);
    const bool building = Read_Visitor_Text_Index_State(db) == Visitor_Text_Index_State::Building;
    return vti::number(db, QStringLiteral("SELECT CAST(%1 * (%2) + %3 * count(*) AS INTEGER) FROM Visitor_Records")
                                   .arg(kVisitorTextIndexBytesPerTextByte)
                                   .arg(bytes.join(QStringLiteral(" + ")))
                                   .arg(kVisitorTextIndexBytesPerVisit) +
                               (building ? QStringLiteral(" WHERE ID > (SELECT Upto FROM %1_Built)").arg(vti::name())
                                         : QString()));
}

bool Visitor_Text_Index_Fits(sqlite3 *db, qint64 freeBytes)
{
    const std::optional<qint64> needed = Visitor_Text_Index_Bytes_Needed(db);
    const std::optional<qint64> freePages = vti::number(
        db, QStringLiteral("SELECT freelist_count * page_size FROM pragma_freelist_count, pragma_page_size"));
    if (!needed || !freePages || freeBytes + *freePages >= *needed + kVisitorTextIndexSpareBytes) return true;
    Show_NSLog_Message(QStringLiteral("Visitor database text index: not built now: it needs some %1 bytes and %2 to "
                                      "spare, %3 are free")
                           .arg(*needed)
                           .arg(kVisitorTextIndexSpareBytes)
                           .arg(freeBytes + *freePages));
    return false;
}

std::optional<qint64> Visitor_Text_Index_Page_Limit(sqlite3 *db, qint64 freeBytes)
{
    // SQLite takes at most 2^32 - 2 pages.
    return vti::number(db, QStringLiteral("SELECT min(4294967294, page_count + max(0, %1 - %2) / page_size) FROM "
                                          "pragma_page_count, pragma_page_size")
                               .arg(freeBytes)
                               .arg(kVisitorTextIndexSpareBytes));
}

bool Visitor_Text_Index_Left_Within(sqlite3 *db, int rows)
{
    const QString left = QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM Visitor_Records WHERE ID > (SELECT Upto "
                                        "FROM %1_Built) LIMIT %2)")
                             .arg(vti::name())
                             .arg(rows + 1);
    const std::optional<qint64> count = vti::number(db, left);
    return count && *count <= rows;
}

Visitor_Text_Index_Slice Build_Visitor_Text_Index_Slice(sqlite3 *db, int rows)
{
    if (!vti::run(db, QStringLiteral("BEGIN IMMEDIATE"))) {
        vti::finish(db, false);
        return Visitor_Text_Index_Slice::Failed;
    }
    const Visitor_Text_Index_State state = Read_Visitor_Text_Index_State(db);
    if (state != Visitor_Text_Index_State::Building) {
        const bool whole = state == Visitor_Text_Index_State::Current;
        vti::finish(db, whole);
        return whole ? Visitor_Text_Index_Slice::Whole : Visitor_Text_Index_Slice::Failed;
    }
    const QString index = vti::name();
    const std::optional<qint64> upto = vti::number(db, QStringLiteral("SELECT Upto FROM %1_Built").arg(index));
    std::optional<qint64> last;
    if (upto)
        last = vti::number(db, QStringLiteral("SELECT max(ID) FROM (SELECT ID FROM Visitor_Records WHERE ID > %1 "
                                              "ORDER BY ID LIMIT %2)")
                                   .arg(*upto)
                                   .arg(rows));
    bool done = upto.has_value();
    bool more = false;
    if (done && last) {
        done = vti::run(db, QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT ID, %2 FROM Visitor_Records WHERE ID > %3 "
                                           "AND ID <= %4; UPDATE %1_Built SET Upto = %4;")
                                .arg(index, vti::columns().join(QStringLiteral(", ")))
                                .arg(*upto)
                                .arg(*last));
        const QString after = QStringLiteral("SELECT EXISTS (SELECT 1 FROM Visitor_Records WHERE ID > %1)").arg(*last);
        more = done && vti::number(db, after) == 1;
    }
    // None left: the triggers take their lasting form and the progress row goes.
    if (done && !more) done = vti::run(db, vti::triggers(false) + QStringLiteral("DROP TABLE %1_Built;").arg(index));
    int failure = SQLITE_OK;
    if (!vti::finish(db, done, &failure)) {
        if (failure == SQLITE_FULL) vti::giveBack(db);
        return Visitor_Text_Index_Slice::Failed;
    }
    return more ? Visitor_Text_Index_Slice::More : Visitor_Text_Index_Slice::Whole;
}

void Run_Visitor_Text_Index_Build(const QString &path, int busyTimeoutMs, int sliceRows,
                                  const std::shared_ptr<Visitor_Text_Index_Run> &build, std::optional<qint64> pageLimit)
{
    sqlite3 *db = nullptr;
    bool failed = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                  nullptr) != SQLITE_OK;
    if (failed) {
        Show_NSLog_Message(QStringLiteral("Visitor database text index: ") +
                           QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"));
    } else {
        sqlite3_busy_timeout(db, busyTimeoutMs);
        if (pageLimit) vti::run(db, QStringLiteral("PRAGMA max_page_count = %1").arg(*pageLimit));
        while (!build->stop) {
            const Visitor_Text_Index_Slice slice = Build_Visitor_Text_Index_Slice(db, sliceRows);
            failed = slice == Visitor_Text_Index_Slice::Failed;
            if (slice != Visitor_Text_Index_Slice::More) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(kVisitorTextIndexPauseMs));
        }
    }
    sqlite3_close_v2(db);
    build->failed = failed;
    build->running = false;
}
