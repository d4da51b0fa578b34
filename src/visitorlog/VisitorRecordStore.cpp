#include "VisitorRecordStore.h"

#include "Globals.h"
#include "Helpers.h"
#include "Log.h"

#include <QFile>
#include <QStringList>
#include <sqlite3.h>

namespace {
constexpr std::array<const char *, kVisitorValueColumnCount> kValueColumns{
    "VName", "Position", "CompanyName", "Slogan", "Address", "Phone", "Fax", "Email",
    "Website", "UniqueNo", "Use_Date", "EntryDate", "Use_Time", "EntryTime", "Other"};
constexpr std::array<const char *, kVisitorCaptionColumnCount> kCaptionColumns{
    "VName_lb", "Position_lb", "CompanyName_lb", "Slogan_lb", "Address_lb", "Phone_lb",
    "Fax_lb", "Email_lb", "Website_lb", "UniqueNo_lb", "EntryDate_lb", "EntryTime_lb"};

QString sideName(const char *column, bool back)
{
    return back ? QLatin1String(column) + QStringLiteral("_B") : QString::fromLatin1(column);
}

// The texts to bind, in the order of the statement's columns: photo, stamp, then
// front captions, front values, back captions and back values.
QStringList insertColumns()
{
    QStringList names{QStringLiteral("Photo"), QStringLiteral("Date_Time_Stamp")};
    for (const bool back : {false, true}) {
        for (int c = 0; c < kVisitorCaptionColumnCount; ++c) names << Visitor_Caption_Column_Name(c, back);
        for (int c = 0; c < kVisitorValueColumnCount; ++c) names << Visitor_Value_Column_Name(c, back);
    }
    return names;
}

QStringList insertValues(const Visitor_Record &r)
{
    QStringList texts{r.Photo, r.Date_Time_Stamp};
    for (const Visitor_Side_Record *side : {&r.front, &r.back}) {
        for (const QString &t : side->captions) texts << t;
        for (const QString &t : side->values) texts << t;
    }
    return texts;
}

QString dbError(sqlite3 *db) { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("no connection"); }

constexpr std::array<const char *, kVisitorLogKeyCount> kLogKeys{
    "SNO", "DB_ID", "DateTime", "Name", "Position", "CompanyName", "Address", "Phone",
    "Email", "Purpose", "Meet", "VisitoNO", "Other", "Photo"};
constexpr std::array<const char *, kVisitorSearchFilterCount> kFilterColumns{
    "VName", "CompanyName", "Address", "Phone", "Email", "Slogan", "Website", "UniqueNo", "Other"};

// The columns a listed entry is made of.
const QStringList &logColumns()
{
    static const QStringList columns = [] {
        QStringList c{QStringLiteral("ID"), QStringLiteral("Date_Time_Stamp"), QStringLiteral("Photo")};
        for (const char *front : {"VName", "Position", "CompanyName", "Address", "Phone", "Email", "Slogan", "Website",
                                  "UniqueNo", "Other"})
            c << QString::fromLatin1(front) << QString::fromLatin1(front) + QStringLiteral("_B");
        return c;
    }();
    return columns;
}

QString columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

// Logs a failed read with the database's reason and hands the reason to the caller.
void fail(sqlite3 *db, QString *error)
{
    const QString reason = dbError(db);
    Show_NSLog_Message(QStringLiteral("Error in database access: ") + reason);
    if (error) *error = reason;
}

// Prepares the statement and binds its texts; null (reason logged and given) on failure.
sqlite3_stmt *prepare(sqlite3 *db, const Visitor_Statement &s, QString *error)
{
    if (!db) {
        fail(nullptr, error);
        return nullptr;
    }
    const QByteArray sql = s.sql.toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        fail(db, error);
        sqlite3_finalize(statement);
        return nullptr;
    }
    for (qsizetype i = 0; i < s.bound.size(); ++i) {
        const QByteArray utf8 = s.bound[i].toUtf8();
        if (sqlite3_bind_text(statement, int(i + 1), utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
            fail(db, error);
            sqlite3_finalize(statement);
            return nullptr;
        }
    }
    return statement;
}
} // namespace

QString Visitor_Log_Entry::keyName(Visitor_Log_Key key)
{
    return key < 0 || key >= kVisitorLogKeyCount ? QString() : QString::fromLatin1(kLogKeys[key]);
}

QString Chk_and_return_back_value(const QString &back)
{
    if (back.isEmpty()) return {};
    const QString b = Trim_Str(back);
    return b.isEmpty() ? QString() : QStringLiteral(" [ %1 ]").arg(b);
}

namespace {
// Places in logColumns().
enum Log_Column { Col_ID, Col_Stamp, Col_Photo, Col_Pairs };
// The entry from the texts of logColumns(), `text(place)` reading one.
template <class Text>
Visitor_Log_Entry makeEntry(const Text &text, int sno)
{
    // The pairs of logColumns(), front then back, in the order of the listed fields.
    static constexpr Visitor_Log_Key pairKeys[] = {Log_Name,  Log_Position, Log_CompanyName, Log_Address,  Log_Phone,
                                                   Log_Email, Log_Purpose,  Log_Meet,        Log_VisitoNO};
    Visitor_Log_Entry e;
    e.values[Log_SNO] = QString::number(sno);
    e.values[Log_DB_ID] = text(Col_ID);
    e.values[Log_DateTime] = text(Col_Stamp);
    for (int p = 0; p < 9; ++p) {
        QString &value = e.values[pairKeys[p]];
        value = text(Col_Pairs + 2 * p);
        // Most visits have no back side: the front text is kept as read.
        if (const QString back = Chk_and_return_back_value(text(Col_Pairs + 2 * p + 1)); !back.isEmpty()) value += back;
    }
    // The front and back other details, one blank between them, on one line.
    const QString otherBack = text(Col_Pairs + 19);
    QString other = Trim_Str(otherBack.isEmpty() ? text(Col_Pairs + 18)
                                                 : text(Col_Pairs + 18) + QLatin1Char(' ') + otherBack);
    if (other.contains(QLatin1Char('\r'))) other.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    e.values[Log_Other] = other;
    e.values[Log_Photo] = text(Col_Photo);
    return e;
}
} // namespace

Visitor_Log_Entry Make_Visitor_Log_Entry(const Visitor_Row &row, int sno)
{
    const QStringList &columns = logColumns();
    return makeEntry([&](int place) { return row.text(columns[place]); }, sno);
}

QString Visitor_Search_Column(int filter)
{
    return filter < 0 || filter >= kVisitorSearchFilterCount ? QString() : QString::fromLatin1(kFilterColumns[filter]);
}

QString Visitor_Like_Text(const QString &filter)
{
    QString text;
    text.reserve(filter.size());
    for (const QChar c : filter) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_')) text += QLatin1Char('\\');
        text += c;
    }
    return text;
}

Visitor_Statement Visitor_Search_Statement(const Visitor_Search &search, bool scanRows)
{
    Visitor_Statement s;
    QStringList tests;
    for (int f = 0; f < kVisitorSearchFilterCount; ++f) {
        const QString filter = Trim_Str(search.filters[f]);
        if (filter.isEmpty()) continue;
        s.bound << QLatin1Char('%') + Visitor_Like_Text(filter) + QLatin1Char('%');
        const QString column = Visitor_Search_Column(f);
        tests << QStringLiteral("(%1 LIKE ?%3 ESCAPE '\\' OR %2 LIKE ?%3 ESCAPE '\\')")
                     .arg(column, column + QStringLiteral("_B"))
                     .arg(s.bound.size());
    }
    s.bound << search.from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00")
            << search.to.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59");
    // A unary plus keeps the planner off the stamp index.
    const QString stamp = scanRows ? QStringLiteral("+Date_Time_Stamp") : QStringLiteral("Date_Time_Stamp");
    tests << QStringLiteral("%1>=?%2 AND %1<=?%3").arg(stamp).arg(s.bound.size() - 1).arg(s.bound.size());
    s.sql = QStringLiteral("SELECT ") + logColumns().join(QStringLiteral(", ")) +
            QStringLiteral(" FROM Visitor_Records WHERE ") + tests.join(QStringLiteral(" AND ")) +
            QStringLiteral(" ORDER BY ID");
    return s;
}

Visitor_Statement Visitor_Recent_Statement()
{
    return {QStringLiteral("SELECT * FROM Visitor_Records ORDER BY ID DESC LIMIT 10"), {}};
}

QString Visitor_Value_Column_Name(int column, bool back)
{
    return column < 0 || column >= kVisitorValueColumnCount ? QString() : sideName(kValueColumns[column], back);
}

QString Visitor_Caption_Column_Name(int column, bool back)
{
    return column < 0 || column >= kVisitorCaptionColumnCount ? QString() : sideName(kCaptionColumns[column], back);
}

QString VisitorRecordStore::Get_Visitor_DB_Path() const { return Database_Path; }

bool VisitorRecordStore::Open_DB_Connection()
{
    Close_DB_Connection();
    const QString path = Get_Visitor_DB_Path();
    if (path.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Database failed to open: no database path"));
        return false;
    }
    // Read-write only: a missing file must not become an empty database without the table.
    // The connection is used on one thread only, so it takes no lock of its own.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &visitor_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        Show_NSLog_Message(QStringLiteral("Database failed to open: ") + dbError(visitor_db));
        Close_DB_Connection();
        return false;
    }
    // Another desk on the same data folder may hold the lock for a moment: each command
    // waits for it rather than failing at once.
    sqlite3_busy_handler(visitor_db, &VisitorRecordStore::Wait_For_Lock, this);
    // The log's date-range search reads the stamp through this index; databases made
    // before it existed get it here.
    char *message = nullptr;
    if (sqlite3_exec(visitor_db, "CREATE INDEX IF NOT EXISTS Visitor_Records_Stamp ON Visitor_Records (Date_Time_Stamp)",
                     nullptr, nullptr, &message) != SQLITE_OK)
        Show_NSLog_Message(QStringLiteral("Visitor database index: ") + QString::fromUtf8(message ? message : ""));
    sqlite3_free(message);
    return true;
}

// Polls often, so that a desk writing visit after visit cannot keep the lock from this
// one for the whole wait by chance; gives up once busy_timeout_ms have passed since the
// first try of this lock.
int VisitorRecordStore::Wait_For_Lock(void *store, int tries)
{
    auto *self = static_cast<VisitorRecordStore *>(store);
    if (tries == 0) self->lock_wait.start();
    if (self->lock_wait.elapsed() >= self->busy_timeout_ms) return 0;
    sqlite3_sleep(1);
    return 1;
}

bool VisitorRecordStore::Close_DB_Connection()
{
    if (!visitor_db) return false;
    sqlite3_close_v2(visitor_db);
    visitor_db = nullptr;
    return true;
}

bool VisitorRecordStore::Insert_Visitor_Record(const Visitor_Record &record, QString *error)
{
    auto fail = [&](const QString &reason) {
        Show_NSLog_Message(QStringLiteral("Error Inserting/Updating Table: ") + reason);
        if (error) *error = reason;
        return false;
    };
    if (!visitor_db) return fail(dbError(nullptr));
    const QStringList columns = insertColumns();
    const QStringList texts = insertValues(record);
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
    const QByteArray sql = QStringLiteral("INSERT INTO Visitor_Records (%1) VALUES (%2);")
                               .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")))
                               .toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(visitor_db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        const QString reason = dbError(visitor_db);
        sqlite3_finalize(statement);
        return fail(reason);
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const QByteArray utf8 = texts[i].toUtf8();
        if (sqlite3_bind_text(statement, int(i + 1), utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) !=
            SQLITE_OK) {
            const QString reason = dbError(visitor_db);
            sqlite3_finalize(statement);
            return fail(reason);
        }
    }
    const int rc = sqlite3_step(statement);
    const QString reason = rc == SQLITE_DONE ? QString() : dbError(visitor_db);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? true : fail(reason);
}

std::optional<QList<Visitor_Log_Entry>> VisitorRecordStore::Read_Log_Entries(const Visitor_Statement &statement,
                                                                              QString *error)
{
    sqlite3_stmt *st = prepare(visitor_db, statement, error);
    if (!st) return std::nullopt;
    // The columns of the entry, picked by name once for the whole result.
    const QStringList &wanted = logColumns();
    QList<int> index(wanted.size(), -1);
    for (int c = 0; c < sqlite3_column_count(st); ++c) {
        const qsizetype w = wanted.indexOf(QString::fromUtf8(sqlite3_column_name(st, c)));
        if (w >= 0) index[w] = c;
    }
    QList<Visitor_Log_Entry> entries;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        entries << makeEntry([&](int place) { return index[place] >= 0 ? columnText(st, index[place]) : QString(); },
                             int(entries.size() + 1));
    // A step failing part-way lists nothing: the rows read so far are not the result.
    const bool done = rc == SQLITE_DONE;
    if (!done) fail(visitor_db, error);
    sqlite3_finalize(st);
    if (!done) return std::nullopt;
    return entries;
}

std::optional<QList<Visitor_Log_Entry>> VisitorRecordStore::Read_Search(const Visitor_Search &search, QString *error)
{
    if (!visitor_db) {
        fail(nullptr, error);
        return std::nullopt;
    }
    // Through the index each visit of the range costs a look-up of its row; over a
    // large part of the log one pass over the table in ID order is quicker. The IDs
    // are never reused, so the highest one bounds the number of visits.
    const QString from = search.from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
    const QString to = search.to.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59");
    sqlite3_stmt *st = prepare(visitor_db,
                               {QStringLiteral("SELECT count(*), coalesce((SELECT max(ID) FROM Visitor_Records), 0) / 8 "
                                               "FROM (SELECT 1 FROM Visitor_Records WHERE Date_Time_Stamp>=?1 AND "
                                               "Date_Time_Stamp<=?2 LIMIT coalesce((SELECT max(ID) FROM "
                                               "Visitor_Records), 0) / 8 + 1)"),
                                {from, to}},
                               error);
    if (!st) return std::nullopt;
    const int rc = sqlite3_step(st);
    const bool scanRows = rc == SQLITE_ROW && sqlite3_column_int64(st, 0) > sqlite3_column_int64(st, 1);
    if (rc != SQLITE_ROW) fail(visitor_db, error);
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW) return std::nullopt;
    return Read_Log_Entries(Visitor_Search_Statement(search, scanRows), error);
}

std::optional<Visitor_Row> VisitorRecordStore::Read_Visit(const QString &idText, QString *error)
{
    if (!visitor_db) {
        fail(nullptr, error);
        return std::nullopt;
    }
    bool number = false;
    const qint64 id = Trim_Str(idText).toLongLong(&number);
    if (!number) return Visitor_Row();
    sqlite3_stmt *st = prepare(visitor_db, {QStringLiteral("SELECT * FROM Visitor_Records WHERE ID=?1"), {}}, error);
    if (!st) return std::nullopt;
    Visitor_Row row;
    int rc = sqlite3_bind_int64(st, 1, id);
    if (rc == SQLITE_OK) rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        for (int c = 0; c < sqlite3_column_count(st); ++c)
            row.set(QString::fromUtf8(sqlite3_column_name(st, c)), columnText(st, c));
    const bool read = rc == SQLITE_ROW || rc == SQLITE_DONE;
    if (!read) fail(visitor_db, error);
    sqlite3_finalize(st);
    if (!read) return std::nullopt;
    return row;
}
