#include "VisitorRecordStore.h"

#include "Globals.h"
#include "Helpers.h"
#include "Log.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
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

// The column's text as UTF-8, valid until the next step. Read as bytes: the text needs
// no ending NUL, which the database would otherwise add to a copy of every value.
QByteArrayView columnBytes(sqlite3_stmt *statement, int column)
{
    const auto *text = static_cast<const char *>(sqlite3_column_blob(statement, column));
    return text ? QByteArrayView(text, sqlite3_column_bytes(statement, column)) : QByteArrayView();
}

QString columnText(sqlite3_stmt *statement, int column)
{
    const QByteArrayView bytes = columnBytes(statement, column);
    return bytes.isEmpty() ? QString() : QString::fromUtf8(bytes);
}

// Whether every filter's LIKE pattern is within the length the database takes.
bool likePatternsFit(sqlite3 *db, const Visitor_Search &search)
{
    const int longest = sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
    for (const QString &filter : search.filters)
        if (Visitor_Like_Text(Trim_Str(filter)).toUtf8().size() + 2 > longest) return false;
    return true;
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

const QStringList &Visitor_Log_Columns()
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
// Places in Visitor_Log_Columns(): the ID, the stamp, the photo, then front and back of
// each listed field.
enum Log_Column { Col_ID, Col_Stamp, Col_Photo, Col_Pairs };
// The listed fields made of a front and a back column, in the order of their pairs.
constexpr Visitor_Log_Key kPairKeys[] = {Log_Name,  Log_Position, Log_CompanyName, Log_Address, Log_Phone,
                                         Log_Email, Log_Purpose,  Log_Meet,        Log_VisitoNO};
constexpr int kOtherPair = 9;
static_assert(Col_Pairs + 2 * (kOtherPair + 1) == kVisitorLogColumnCount);

// The entry at place `sno` of texts given by `text(place)` as UTF-8 bytes.
template <class Text>
Visitor_Log_Entry makeEntry(const Text &text, int sno)
{
    Visitor_Log_Entry e;
    e.sno = sno;
    std::array<QByteArrayView, kVisitorLogColumnCount> parts;
    qsizetype total = 0;
    for (int p = 0; p < kVisitorLogColumnCount; ++p) {
        parts[p] = text(p);
        total += parts[p].size();
        e.ends[p] = int(total);
    }
    e.texts = QByteArray(total, Qt::Uninitialized);
    char *at = e.texts.data();
    for (const QByteArrayView part : parts) {
        if (part.isEmpty()) continue;
        memcpy(at, part.data(), size_t(part.size()));
        at += part.size();
    }
    return e;
}

} // namespace

QString Visitor_Log_Entry::column(int place) const
{
    if (place < 0 || place >= kVisitorLogColumnCount) return {};
    const int begin = place == 0 ? 0 : ends[place - 1];
    return begin == ends[place] ? QString() : QString::fromUtf8(texts.constData() + begin, ends[place] - begin);
}

QString Visitor_Log_Entry::value(Visitor_Log_Key key) const
{
    switch (key) {
    case Log_SNO: return QString::number(sno);
    case Log_DB_ID: return column(Col_ID);
    case Log_DateTime: return column(Col_Stamp);
    case Log_Photo: return column(Col_Photo);
    case Log_Other: {
        // The front and back other details, one blank between them, on one line.
        const QString front = column(Col_Pairs + 2 * kOtherPair), back = column(Col_Pairs + 2 * kOtherPair + 1);
        QString other = Trim_Str(back.isEmpty() ? front : front + QLatin1Char(' ') + back);
        if (other.contains(QLatin1Char('\r'))) other.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return other;
    }
    default:
        for (int p = 0; p < kOtherPair; ++p)
            if (kPairKeys[p] == key) return column(Col_Pairs + 2 * p) + Chk_and_return_back_value(column(Col_Pairs + 2 * p + 1));
        return {};
    }
}

Visitor_Log_Entry Make_Visitor_Log_Entry(const Visitor_Row &row, int sno)
{
    const QStringList &columns = Visitor_Log_Columns();
    std::array<QByteArray, kVisitorLogColumnCount> utf8;
    for (int p = 0; p < kVisitorLogColumnCount; ++p) utf8[p] = row.text(columns[p]).toUtf8();
    return makeEntry([&](int place) { return QByteArrayView(utf8[place]); }, sno);
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

const char *const kVisitorTextIndex = "Visitor_Records_Search";

namespace {
// The search's statement. With `match` the text index leads: its visits, in the order
// of their IDs, each joined to its row ("r"), on which every test is made.
Visitor_Statement searchStatement(const Visitor_Search &search, bool scanRows, const QString &match)
{
    Visitor_Statement s;
    QStringList tests;
    const QString index = QLatin1String(kVisitorTextIndex);
    const QString row = match.isEmpty() ? QString() : QStringLiteral("r.");
    if (!match.isEmpty()) {
        s.bound << match;
        tests << index + QStringLiteral(" MATCH ?1");
    }
    for (int f = 0; f < kVisitorSearchFilterCount; ++f) {
        const QString filter = Trim_Str(search.filters[f]);
        if (filter.isEmpty()) continue;
        const QString column = row + Visitor_Search_Column(f);
        if (filter.contains(QChar(0))) {
            s.bound << filter;
            tests << QStringLiteral("(instr(lower(%1), lower(?%3)) > 0 OR instr(lower(%2), lower(?%3)) > 0)")
                         .arg(column, column + QStringLiteral("_B"))
                         .arg(s.bound.size());
            continue;
        }
        s.bound << QLatin1Char('%') + Visitor_Like_Text(filter) + QLatin1Char('%');
        tests << QStringLiteral("(%1 LIKE ?%3 ESCAPE '\\' OR %2 LIKE ?%3 ESCAPE '\\')")
                     .arg(column, column + QStringLiteral("_B"))
                     .arg(s.bound.size());
    }
    s.bound << search.from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00")
            << search.to.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 23:59:59");
    // A unary plus keeps the planner off the stamp index.
    const QString stamp = (scanRows ? QStringLiteral("+") : QString()) + row + QStringLiteral("Date_Time_Stamp");
    tests << QStringLiteral("%1>=?%2 AND %1<=?%3").arg(stamp).arg(s.bound.size() - 1).arg(s.bound.size());
    if (match.isEmpty()) {
        s.sql = QStringLiteral("SELECT ") + Visitor_Log_Columns().join(QStringLiteral(", ")) +
                QStringLiteral(" FROM Visitor_Records WHERE ") + tests.join(QStringLiteral(" AND ")) +
                QStringLiteral(" ORDER BY ID");
        return s;
    }
    QStringList columns;
    for (const QString &c : Visitor_Log_Columns()) columns << QStringLiteral("r.%1 AS %1").arg(c);
    s.sql = QStringLiteral("SELECT %1 FROM %2 CROSS JOIN Visitor_Records r ON r.ID = %2.rowid WHERE %3 ORDER BY %2.rowid")
                .arg(columns.join(QStringLiteral(", ")), index, tests.join(QStringLiteral(" AND ")));
    return s;
}
} // namespace

Visitor_Statement Visitor_Search_Statement(const Visitor_Search &search, bool scanRows)
{
    return searchStatement(search, scanRows, QString());
}

QString Visitor_Text_Index_Query(const Visitor_Search &search)
{
    constexpr qsizetype kLongest = 64;
    QStringList phrases;
    for (int f = 0; f < kVisitorSearchFilterCount; ++f) {
        // The index holds a stored text only up to its first NUL, so it cannot tell
        // which visits hold a text with a NUL anywhere: such a search goes without it.
        const QString filter = Trim_Str(search.filters[f]);
        if (filter.contains(QChar(0))) return {};
        // Counted in characters.
        QList<uint> characters = filter.toUcs4();
        if (characters.size() < 3) continue;
        characters.resize(std::min(characters.size(), kLongest));
        QString text = QString::fromUcs4(reinterpret_cast<const char32_t *>(characters.constData()), characters.size());
        text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        const QString column = Visitor_Search_Column(f);
        phrases << QStringLiteral("{%1 %1_B} : \"%2\"").arg(column, text);
    }
    return phrases.join(QStringLiteral(" AND "));
}

std::optional<Visitor_Statement> Visitor_Text_Search_Statement(const Visitor_Search &search)
{
    const QString match = Visitor_Text_Index_Query(search);
    if (match.isEmpty()) return std::nullopt;
    return searchStatement(search, true, match);
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
    Keep_Text_Index();
    return true;
}

bool VisitorRecordStore::Text_Index_Current()
{
    return Read_Visitor_Text_Index_State(visitor_db) == Visitor_Text_Index_State::Current;
}

VisitorRecordStore::~VisitorRecordStore()
{
    if (index_run) index_run->stop = true;
    index_job.Wait();
    Close_DB_Connection();
}

void VisitorRecordStore::Wait_For_Text_Index() { index_job.Wait(); }

void VisitorRecordStore::Keep_Text_Index()
{
    if (index_run) {
        if (index_run->running) return;
        if (index_run->failed) index_failed.start();
        index_job.Wait();
        index_run.reset();
    }
    if (index_failed.isValid() && index_failed.elapsed() < index_retry_ms) return;
    const Visitor_Text_Index_State state = Read_Visitor_Text_Index_State(visitor_db);
    if (state == Visitor_Text_Index_State::Current || state == Visitor_Text_Index_State::Unknown) return;
    // Begun, or gone on with, only when the disk has room for the rest of the index and
    // some to spare: a build that fills it gives back what it built, but the file keeps
    // the pages.
    const std::optional<qint64> freeBytes =
        index_free_bytes ? index_free_bytes(Get_Visitor_DB_Path()) : std::optional<qint64>();
    if (freeBytes && !Visitor_Text_Index_Fits(visitor_db, *freeBytes)) {
        index_failed.start();
        return;
    }
    // A build on the pool grows the file by no more than the room seen now.
    const std::optional<qint64> pageLimit =
        freeBytes ? Visitor_Text_Index_Page_Limit(visitor_db, *freeBytes) : std::optional<qint64>();
    if (!Begin_Visitor_Text_Index(visitor_db)) {
        index_failed.start();
        return;
    }
    // What one slice finishes is built at once; a longer build goes on a thread of the
    // pool with a connection of its own, while the desk and others go on using the log.
    if (Visitor_Text_Index_Left_Within(visitor_db, index_slice_rows)) {
        if (Build_Visitor_Text_Index_Slice(visitor_db, index_slice_rows) == Visitor_Text_Index_Slice::Failed)
            index_failed.start();
        return;
    }
    index_failed.invalidate();
    auto build = std::make_shared<Visitor_Text_Index_Run>();
    index_run = build;
    index_job.Start(index_pool, [path = Get_Visitor_DB_Path(), timeout = busy_timeout_ms, rows = index_slice_rows, build,
                                 pageLimit] { Run_Visitor_Text_Index_Build(path, timeout, rows, build, pageLimit); });
}

// Polls often, so that a desk writing visit after visit cannot keep the lock from this
// one for the whole wait by chance; gives up once busy_timeout_ms have passed since the
// first try of this lock.
int VisitorRecordStore::Wait_For_Lock(void *store, int tries)
{
    auto *self = static_cast<VisitorRecordStore *>(store);
    if (tries == 0) self->lock_wait.start();
    if (self->lock_wait.elapsed() >= self->busy_timeout_ms) return 0;
    if (self->on_lock_wait) self->on_lock_wait();
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
    const QStringList &wanted = Visitor_Log_Columns();
    QList<int> index(wanted.size(), -1);
    for (int c = 0; c < sqlite3_column_count(st); ++c) {
        const qsizetype w = wanted.indexOf(QString::fromUtf8(sqlite3_column_name(st, c)));
        if (w >= 0) index[w] = c;
    }
    QList<Visitor_Log_Entry> entries;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        entries << makeEntry([&](int place) { return index[place] >= 0 ? columnBytes(st, index[place]) : QByteArrayView(); },
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
    // Through the stamp index the rows are read in the stamp's order and sorted: each
    // is read once, whole.
    if (!scanRows) return Read_Log_Entries(Visitor_Search_Statement(search, false), error);
    // Over a large part of the log, the visits whose text holds a filter come from the
    // text index; the statement still tests every filter and the stamp on them. A filter
    // longer than LIKE takes fails the statement without the index, as it should.
    QString match;
    if (likePatternsFit(visitor_db, search)) {
        match = Visitor_Text_Index_Query(search);
        if (!match.isEmpty() && !Text_Index_Current()) match.clear();
    }
    // Every listed visit is read whole by this one statement: the list holds all it shows.
    return Read_Log_Entries(searchStatement(search, true, match), error);
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
