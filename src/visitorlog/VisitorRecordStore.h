#pragma once
// The visitor database: one row of the table "Visitor_Records" per recorded visit.
// The connection is opened at the start of each command and closed at its end; no
// handle stays open between commands. Texts are bound as statement parameters, so a
// value is stored exactly as it was typed, quotes and all.
#include <QDate>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "FileUtilities.h"
#include "PoolJob.h"
#include "VisitorTextIndex.h"

class QThreadPool;

struct sqlite3;

// The value columns of one side, in the order of every statement ("_B" on the back).
enum Visitor_Value_Column {
    VName, Position, CompanyName, Slogan, Address, Phone, Fax, Email, Website, UniqueNo,
    Use_Date, EntryDate, Use_Time, EntryTime, Other,
    kVisitorValueColumnCount
};
// The caption columns of one side: the value column's name followed by "_lb".
enum Visitor_Caption_Column {
    VName_lb, Position_lb, CompanyName_lb, Slogan_lb, Address_lb, Phone_lb, Fax_lb, Email_lb, Website_lb,
    UniqueNo_lb, EntryDate_lb, EntryTime_lb,
    kVisitorCaptionColumnCount
};

struct Visitor_Side_Record {
    std::array<QString, kVisitorValueColumnCount> values;      // indexed by Visitor_Value_Column
    std::array<QString, kVisitorCaptionColumnCount> captions;  // indexed by Visitor_Caption_Column
};

struct Visitor_Record {
    QString Photo;            // path of the visitor's photo; empty for none
    QString Date_Time_Stamp;  // "yyyy-MM-dd HH:mm:ss", local time
    Visitor_Side_Record front, back;
};

// Column names of one side: "VName" ... for the front, "VName_B" ... for the back.
QString Visitor_Value_Column_Name(int column, bool back);
QString Visitor_Caption_Column_Name(int column, bool back);

// One visit as read: every column of the row by name. A column missing from the row or
// holding no value reads as "".
class Visitor_Row {
public:
    QString text(const QString &column) const { return m_columns.value(column); }
    void set(const QString &column, const QString &text) { m_columns.insert(column, text); }
    bool isEmpty() const { return m_columns.isEmpty(); }

private:
    QHash<QString, QString> m_columns;
};

// One listed visit of the log; the keys are also the table's column identifiers.
enum Visitor_Log_Key {
    Log_SNO, Log_DB_ID, Log_DateTime, Log_Name, Log_Position, Log_CompanyName, Log_Address, Log_Phone,
    Log_Email, Log_Purpose, Log_Meet, Log_VisitoNO, Log_Other, Log_Photo,
    kVisitorLogKeyCount
};
// The columns of `Visitor_Records` a listed visit is made of: "ID", "Date_Time_Stamp",
// "Photo", then the front and back columns of "VName", "Position", "CompanyName",
// "Address", "Phone", "Email", "Slogan", "Website", "UniqueNo" and "Other".
constexpr int kVisitorLogColumnCount = 23;
const QStringList &Visitor_Log_Columns();
// A listed visit keeps the texts of its columns as the database holds them (UTF-8, one
// after another in one buffer) and makes each listed field when it is asked for: a list
// of a year of visits costs one buffer per visit, and only the rows shown are turned
// into texts.
struct Visitor_Log_Entry {
    QByteArray texts;                                  // the column texts, in Visitor_Log_Columns() order
    std::array<int, kVisitorLogColumnCount> ends{};    // where each column's text ends in `texts`
    int sno = 0;                                       // its place in the list, from 1

    // Column `place` of Visitor_Log_Columns() as a text.
    QString column(int place) const;
    // The listed field: SNO, the ID, the stamp and the photo path as they are; a
    // field's front value followed by Chk_and_return_back_value of its back value; for
    // Other the front and back values with one blank between them, trimmed, each CR LF a
    // blank.
    QString value(Visitor_Log_Key key) const;
    // The key's name: "SNO", "DB_ID", "DateTime", "Name", ... "Other", "Photo".
    static QString keyName(Visitor_Log_Key key);
    bool operator==(const Visitor_Log_Entry &) const = default;
};
// A buffer and an array: a long list grows by moving its memory.
Q_DECLARE_TYPEINFO(Visitor_Log_Entry, Q_RELOCATABLE_TYPE);

// The back part of a listed field: "" for an empty (trimmed) back value, else " [ %@ ]"
// around it.
QString Chk_and_return_back_value(const QString &back);
// The entry of a visit listed at place `sno` (from 1).
Visitor_Log_Entry Make_Visitor_Log_Entry(const Visitor_Row &row, int sno);

// The nine filter boxes of the log's search, in the order they join the statement.
enum Visitor_Search_Filter {
    Filter_Name, Filter_Comp_Name, Filter_Address, Filter_Phone, Filter_Email, Filter_Purpose, Filter_To_Meet,
    Filter_Visitor_NO, Filter_Other,
    kVisitorSearchFilterCount
};
// The front column a filter matches ("VName" ... "Other"); the back column adds "_B".
QString Visitor_Search_Column(int filter);

struct Visitor_Search {
    std::array<QString, kVisitorSearchFilterCount> filters;  // untrimmed box texts
    QDate from, to;                                          // whole days, both included
};
// A statement with the texts bound to its numbered parameters ?1, ?2, ...
struct Visitor_Statement {
    QString sql;
    QStringList bound;
};
// A filter text as the middle of a LIKE pattern that matches it literally: the escape
// character (a backslash), "%" and "_" each get a backslash before them.
QString Visitor_Like_Text(const QString &filter);
// The search: each non-empty (trimmed) filter F over column X adds
// "(X LIKE ?n ESCAPE '\' OR X_B LIKE ?n ESCAPE '\')" with "%", the filter as
// Visitor_Like_Text and "%" bound, the filters joined by AND, then the stamp between from
// 00:00:00 and to 23:59:59, in ID order; only the columns a listed entry is made of are
// read. A filter holding a NUL character (which LIKE would take as the pattern's end)
// adds "(instr(lower(X), lower(?n)) > 0 OR instr(lower(X_B), lower(?n)) > 0)" with the
// filter bound as it is: the same match, ASCII letters in any case, over the whole text.
// `scanRows` reads the table in ID order instead of through the stamp index (the
// same rows in the same order; quicker when the range holds a large part of the log).
Visitor_Statement Visitor_Search_Statement(const Visitor_Search &search, bool scanRows = false);

// The text index kept beside the table: the FTS5 table "Visitor_Records_Search" (trigram
// tokens, its content read from `Visitor_Records` by `ID`) over the nine filters' front
// and back columns, kept by three triggers on `Visitor_Records`, so that whatever inserts,
// changes or deletes a row (an older copy of the program too) keeps it current.
extern const char *const kVisitorTextIndex;
// The text index's query for the search: each filter with at least three characters
// (its first 64 characters when longer) as a phrase over its two columns,
// "{X X_B} : \"text\"" (a double quote doubled), joined by AND; empty when no filter
// has three characters or a filter holds a NUL (the index holds a stored text only up to
// its first NUL). Its folding of letters is wider than LIKE's, so what it finds
// holds every visit the search lists, and the search's own tests pick those.
QString Visitor_Text_Index_Query(const Visitor_Search &search);
// The search read through the text index: the visits it finds for
// Visitor_Text_Index_Query (bound as ?1), in ID order, each joined to its row "r" of
// `Visitor_Records` and given every test of Visitor_Search_Statement (scanRows) on that
// row; the same rows in the same order, quicker when the range holds a large part of the
// log. Nothing when Visitor_Text_Index_Query is empty.
std::optional<Visitor_Statement> Visitor_Text_Search_Statement(const Visitor_Search &search);
// The ten most recent visits, newest first.
Visitor_Statement Visitor_Recent_Statement();

// How long one command waits for a lock held by another connection (another desk on
// the same data folder) before it fails with "database is locked".
constexpr int kVisitorBusyTimeoutMs = 5000;
// After a text index build that failed (a disk too full for it), how long before the
// next opening tries again; a new store (the next start) tries at once.
constexpr int kVisitorTextIndexRetryMs = 10 * 60 * 1000;

class VisitorRecordStore {
public:
    VisitorRecordStore() = default;
    VisitorRecordStore(const VisitorRecordStore &) = delete;
    VisitorRecordStore &operator=(const VisitorRecordStore &) = delete;
    // Stops a text index build under way after its slice and waits for it.
    ~VisitorRecordStore();

    // Database_Path.
    QString Get_Visitor_DB_Path() const;
    // Opens the existing database file for reading and writing (a missing file is never
    // created). False, with the handle cleared and the reason logged, when it fails.
    // Adds the stamp index when it is missing, and keeps the text index: one missing or
    // not current is begun anew, and a build under way (here or on another desk) goes on,
    // at once when one slice finishes it, else slice by slice on a thread of
    // `index_pool` while this command goes on. A build of this store's that failed is
    // tried again only after index_retry_ms. A build is started (or gone on with) only
    // when the disk has room for it (Visitor_Text_Index_Fits), else it counts as failed.
    // What cannot be done is logged and the search reads without the index meanwhile.
    bool Open_DB_Connection();
    // Whether the text index and its three triggers are there, whole, and the index
    // holds the newest row (false when there is no connection or the index cannot be
    // read).
    bool Text_Index_Current();
    // Blocks until this store's text index build under way, if any, has ended.
    void Wait_For_Text_Index();
    // Closes the handle when one is set: true; false when none was set.
    bool Close_DB_Connection();
    // Inserts one row on the open connection. False with the database's reason in
    // `error` (also logged) when there is no connection or the insert fails.
    bool Insert_Visitor_Record(const Visitor_Record &record, QString *error = nullptr);

    // Reads on the open connection. Nothing (std::nullopt) when there is no connection
    // or the statement fails, at its start or part-way (no partial list): the
    // database's reason in `error` (also logged). The listed entries are numbered from
    // 1 in the statement's order.
    std::optional<QList<Visitor_Log_Entry>> Read_Log_Entries(const Visitor_Statement &statement,
                                                             QString *error = nullptr);
    std::optional<QList<Visitor_Log_Entry>> Read_Recent_Visits(QString *error = nullptr)
    {
        return Read_Log_Entries(Visitor_Recent_Statement(), error);
    }
    // The search, read through the stamp index for a range holding a small part of the
    // log; otherwise through the text index when a filter can use it and the index is
    // current, else in ID order over the whole table. Every listed visit is read whole,
    // by one statement.
    std::optional<QList<Visitor_Log_Entry>> Read_Search(const Visitor_Search &search, QString *error = nullptr);
    // The visit whose ID the text names (trimmed, a whole number bound as an integer);
    // an empty row when no visit has it or the text is no number.
    std::optional<Visitor_Row> Read_Visit(const QString &idText, QString *error = nullptr);

    sqlite3 *visitor_db = nullptr;
    // How long a command waits for a lock held by another connection.
    int busy_timeout_ms = kVisitorBusyTimeoutMs;
    // Called each time a command finds the lock held and waits on for it (tests let the
    // other connection go here).
    std::function<void()> on_lock_wait;
    // The text index build: its pool (the process's global pool when none), the visits
    // of one slice, and the wait before a failed build is tried again.
    QThreadPool *index_pool = nullptr;
    int index_slice_rows = kVisitorTextIndexSliceRows;
    int index_retry_ms = kVisitorTextIndexRetryMs;
    // The bytes free on the disk of the database file (nullopt when they cannot be
    // told: the build goes ahead).
    std::function<std::optional<qint64>(const QString &path)> index_free_bytes = Get_Free_Bytes_At_Path;

private:
    static int Wait_For_Lock(void *store, int tries);
    void Keep_Text_Index();
    QElapsedTimer lock_wait;
    std::shared_ptr<Visitor_Text_Index_Run> index_run;  // the build started last
    QElapsedTimer index_failed;                         // since the last build failed
    Pool_Job index_job;
};
