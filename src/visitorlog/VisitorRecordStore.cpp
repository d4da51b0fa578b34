#include "VisitorRecordStore.h"

#include "Globals.h"
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
} // namespace

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
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &visitor_db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        Show_NSLog_Message(QStringLiteral("Database failed to open: ") + dbError(visitor_db));
        Close_DB_Connection();
        return false;
    }
    return true;
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
