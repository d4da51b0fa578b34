// Reading the visitor log back: the last ten visits, the search, one visit by ID and
// the listed entries, on a database filled through the store's own insert.
#include "Globals.h"
#include "Helpers.h"
#include "VisitorRecordStore.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>
#include <functional>
#include <sqlite3.h>

namespace visitor_log_read_test {

namespace {
QString stamp(int daysAgo, const char *time = "12:00:00")
{
    return QDate::currentDate().addDays(-daysAgo).toString(QStringLiteral("yyyy-MM-dd ")) + QLatin1String(time);
}

Visitor_Record visit(const QString &name, const QString &backName, const QString &when)
{
    Visitor_Record r;
    r.Date_Time_Stamp = when;
    r.front.values[VName] = name;
    r.back.values[VName] = backName;
    return r;
}

struct Log : ::testing::Test {
    VisitorRecordStore store;
    void SetUp() override
    {
        Check_Path_And_Create_VISITOR_Files();
        ASSERT_TRUE(store.Open_DB_Connection());
    }
    void add(const Visitor_Record &r) { ASSERT_TRUE(store.Insert_Visitor_Record(r)); }
    QStringList column(const QList<Visitor_Log_Entry> &entries, Visitor_Log_Key key)
    {
        QStringList c;
        for (const Visitor_Log_Entry &e : entries) c << e.value(key);
        return c;
    }
    QStringList search(int filter, const QString &text, QDate from, QDate to)
    {
        Visitor_Search s;
        s.filters[filter] = text;
        s.from = from;
        s.to = to;
        const auto found = store.Read_Search(s);
        return found ? column(*found, Log_DB_ID) : QStringList{QStringLiteral("<failed>")};
    }
};
} // namespace

TEST_F(Log, TheLastTenVisitsAreTheNewestNumberedFromOne)
{
    const auto none = store.Read_Recent_Visits();
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->isEmpty());
    for (int i = 1; i <= 11; ++i) add(visit(QStringLiteral("V%1").arg(i), {}, stamp(0)));
    const auto recent = store.Read_Recent_Visits();
    ASSERT_TRUE(recent);
    EXPECT_EQ(column(*recent, Log_DB_ID),
              QStringList({"11", "10", "9", "8", "7", "6", "5", "4", "3", "2"}));
    EXPECT_EQ(column(*recent, Log_SNO), QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(recent->front().value(Log_Name), "V11");
}

TEST_F(Log, FiltersMatchFrontOrBackWithinTheDays)
{
    const QDate today = QDate::currentDate();
    add(visit("Brian", "", stamp(0, "00:00:00")));       // 1: today, front
    add(visit("Ann", "Gabriel", stamp(0, "23:59:59")));  // 2: today, back
    add(visit("BRIDGET", "", stamp(1)));                 // 3: yesterday
    add(visit("Carl", "Dora", stamp(0)));                // 4: today, no match
    add(visit("Liam O'Brien", "", stamp(0)));            // 5
    add(visit("100% sure", "", stamp(40)));              // 6: forty days ago
    const struct {
        int filter;
        const char *text;
        int fromAgo, toAgo;
        QStringList ids;
    } rows[] = {
        {Filter_Name, "bri", 0, 0, {"1", "2", "5"}},
        {Filter_Name, "  bri ", 0, 0, {"1", "2", "5"}},
        {Filter_Name, "bri", 1, 1, {"3"}},
        {Filter_Name, "bri", 6, 0, {"1", "2", "3", "5"}},
        {Filter_Name, "O'Brien", 0, 0, {"5"}},
        {Filter_Name, "%", 0, 0, {}},
        {Filter_Name, "%", 45, 0, {"6"}},
        {Filter_Name, "0%", 45, 0, {"6"}},
        {Filter_Name, "x' OR '1'='1", 45, 0, {}},
        {Filter_Name, "", 0, 0, {"1", "2", "4", "5"}},
        {Filter_Other, "bri", 0, 0, {}},
    };
    for (const auto &r : rows)
        EXPECT_EQ(search(r.filter, QLatin1String(r.text), today.addDays(-r.fromAgo), today.addDays(-r.toAgo)), r.ids)
            << r.text << " " << r.fromAgo;
}

TEST_F(Log, EveryFilterReadsItsOwnColumnsAndFiltersJoinByAnd)
{
    const QDate today = QDate::currentDate();
    const Visitor_Value_Column columns[kVisitorSearchFilterCount] = {VName,   CompanyName, Address, Phone, Email,
                                                                     Slogan,  Website,     UniqueNo, Other};
    for (int f = 0; f < kVisitorSearchFilterCount; ++f) {
        Visitor_Record front = visit({}, {}, stamp(0)), back = front;
        front.front.values[columns[f]] = QStringLiteral("needle%1").arg(f);
        back.back.values[columns[f]] = QStringLiteral("needle%1").arg(f);
        add(front);
        add(back);
    }
    for (int f = 0; f < kVisitorSearchFilterCount; ++f)
        EXPECT_EQ(search(f, QStringLiteral("needle%1").arg(f), today, today),
                  QStringList({QString::number(2 * f + 1), QString::number(2 * f + 2)}))
            << f;
    Visitor_Search both;
    both.filters[Filter_Name] = "needle0";
    both.filters[Filter_Phone] = "needle3";
    both.from = both.to = today;
    EXPECT_TRUE(store.Read_Search(both)->isEmpty());
}

TEST_F(Log, TheSearchStatementBindsEveryText)
{
    Visitor_Search s;
    s.filters[Filter_Name] = " O'Brien ";
    s.filters[Filter_Other] = "x";
    s.from = QDate(2024, 1, 5);
    s.to = QDate(2024, 2, 6);
    const Visitor_Statement st = Visitor_Search_Statement(s);
    const QString columns_read = "SELECT ID, Date_Time_Stamp, Photo, VName, VName_B, Position, Position_B, "
                                 "CompanyName, CompanyName_B, Address, Address_B, Phone, Phone_B, Email, Email_B, "
                                 "Slogan, Slogan_B, Website, Website_B, UniqueNo, UniqueNo_B, Other, Other_B "
                                 "FROM Visitor_Records WHERE ";
    const QString filters = "(VName LIKE ?1 ESCAPE '\\' OR VName_B LIKE ?1 ESCAPE '\\') AND "
                            "(Other LIKE ?2 ESCAPE '\\' OR Other_B LIKE ?2 ESCAPE '\\') AND ";
    EXPECT_EQ(st.sql, columns_read + filters + "Date_Time_Stamp>=?3 AND Date_Time_Stamp<=?4 ORDER BY ID");
    EXPECT_EQ(Visitor_Search_Statement(s, true).sql,
              columns_read + filters + "+Date_Time_Stamp>=?3 AND +Date_Time_Stamp<=?4 ORDER BY ID");
    EXPECT_EQ(st.bound, QStringList({"%O'Brien%", "%x%", "2024-01-05 00:00:00", "2024-02-06 23:59:59"}));
    const QStringList columns{"VName", "CompanyName", "Address", "Phone", "Email", "Slogan", "Website", "UniqueNo", "Other"};
    for (int f = 0; f < kVisitorSearchFilterCount; ++f) EXPECT_EQ(Visitor_Search_Column(f), columns[f]);
    // Indexes outside the lists name nothing.
    const struct {
        QString got;
    } outside[] = {{Visitor_Search_Column(-1)}, {Visitor_Search_Column(kVisitorSearchFilterCount)},
                   {Visitor_Log_Entry::keyName(kVisitorLogKeyCount)},
                   {Visitor_Value_Column_Name(-1, false)}, {Visitor_Value_Column_Name(kVisitorValueColumnCount, true)},
                   {Visitor_Caption_Column_Name(kVisitorCaptionColumnCount, false)}};
    for (const auto &o : outside) EXPECT_EQ(o.got, "");
}

TEST_F(Log, ListedEntriesJoinFrontAndBack)
{
    Visitor_Record r = visit("Ann", "Bob", stamp(0));
    r.Photo = "/p/a.png";
    const Visitor_Value_Column fronts[] = {Position, CompanyName, Address, Phone, Email, Slogan, Website, UniqueNo};
    for (Visitor_Value_Column c : fronts) {
        r.front.values[c] = QStringLiteral("f%1").arg(int(c));
        r.back.values[c] = QStringLiteral("  b%1 ").arg(int(c));
    }
    r.front.values[Other] = "Car : X\r\nBadge : 7";
    r.back.values[Other] = "Desk : 3";
    add(r);
    Visitor_Record onlyBack = visit("", "Bob", stamp(0));
    onlyBack.back.values[Other] = "Desk : 3";
    onlyBack.front.values[Position] = "  ";
    add(onlyBack);
    const auto listed = store.Read_Recent_Visits();
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 2);
    const Visitor_Log_Entry &e = listed->at(1);
    const QStringList want{"2", "1", stamp(0), "Ann [ Bob ]", "f1 [ b1 ]", "f2 [ b2 ]", "f4 [ b4 ]", "f5 [ b5 ]",
                           "f7 [ b7 ]", "f3 [ b3 ]", "f8 [ b8 ]", "f9 [ b9 ]", "Car : X Badge : 7 Desk : 3", "/p/a.png"};
    for (int k = 0; k < kVisitorLogKeyCount; ++k)
        EXPECT_EQ(e.value(Visitor_Log_Key(k)), want[k]) << k;
    EXPECT_EQ(listed->at(0).value(Log_Name), " [ Bob ]");
    EXPECT_EQ(listed->at(0).value(Log_Position), "  ");
    EXPECT_EQ(listed->at(0).value(Log_Other), "Desk : 3");
    const QStringList keys{"SNO", "DB_ID", "DateTime", "Name", "Position", "CompanyName", "Address",
                           "Phone", "Email", "Purpose", "Meet", "VisitoNO", "Other", "Photo"};
    for (int k = 0; k < kVisitorLogKeyCount; ++k) EXPECT_EQ(Visitor_Log_Entry::keyName(Visitor_Log_Key(k)), keys[k]);
    EXPECT_EQ(Chk_and_return_back_value(" \n"), "");
}

TEST_F(Log, OneVisitIsFoundByItsNumberOnly)
{
    add(visit("Ann", "", stamp(0)));
    add(visit("Bob", "", stamp(0)));
    const struct {
        const char *id;
        const char *name;
    } rows[] = {{"2", "Bob"}, {" 1 ", "Ann"}, {"1 OR 1=1", nullptr}, {"0", nullptr}, {"x", nullptr},
                {"", nullptr},  {"3", nullptr},  {"1; DROP TABLE Visitor_Records", nullptr}};
    for (const auto &r : rows) {
        const auto row = store.Read_Visit(QLatin1String(r.id));
        ASSERT_TRUE(row) << r.id;
        EXPECT_EQ(row->isEmpty(), r.name == nullptr) << r.id;
        if (r.name) {
            EXPECT_EQ(row->text("VName"), r.name) << r.id;
            EXPECT_EQ(row->text("No_Such_Column"), "") << r.id;
        }
    }
    EXPECT_EQ(store.Read_Recent_Visits()->size(), 2);
}

TEST_F(Log, ReadsWithoutConnectionGiveNothing)
{
    store.Close_DB_Connection();
    EXPECT_FALSE(store.Read_Recent_Visits());
    EXPECT_FALSE(store.Read_Visit("1"));
    Visitor_Search s;
    s.from = s.to = QDate::currentDate();
    EXPECT_FALSE(store.Read_Search(s));
}

TEST_F(Log, OpeningAddsTheStampIndexWhenMissing)
{
    store.Close_DB_Connection();
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(Database_Path).constData(), &db), SQLITE_OK);
    auto indexes = [&] {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name='Visitor_Records' "
                               "AND sql IS NOT NULL", -1, &st, nullptr);
        QStringList names;
        while (sqlite3_step(st) == SQLITE_ROW) names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return names;
    };
    EXPECT_EQ(indexes(), QStringList{"Visitor_Records_Stamp"}) << "shipped with the database";
    ASSERT_EQ(sqlite3_exec(db, "DROP INDEX Visitor_Records_Stamp", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_TRUE(indexes().isEmpty());
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_EQ(indexes(), QStringList{"Visitor_Records_Stamp"});
    sqlite3_close(db);
}

TEST(VisitorLikeText, MarksTheWildcardsAndTheEscapeCharacter)
{
    const struct {
        const char *typed, *bound;
    } rows[] = {{"100%", "100\\%"}, {"a_b", "a\\_b"}, {"C:\\x", "C:\\\\x"}, {"%_\\", "\\%\\_\\\\"},
                {"O'Brien", "O'Brien"}, {"", ""}, {"Ünal", "Ünal"}};
    for (const auto &r : rows) EXPECT_EQ(Visitor_Like_Text(QString::fromUtf8(r.typed)), QString::fromUtf8(r.bound)) << r.typed;
}

TEST_F(Log, TypedTextIsMatchedLiterally)
{
    const QDate today = QDate::currentDate();
    for (const char *name : {"100% sure", "1000 sure", "a_b", "axb", "C:\\x", "C:x", "50 %", "Gabriel"})
        add(visit(QString::fromUtf8(name), {}, stamp(0)));
    add(visit("x", "back 100%", stamp(0)));
    const struct {
        const char *text;
        QStringList ids;
    } rows[] = {
        {"100%", {"1", "9"}}, {"%", {"1", "7", "9"}}, {"_", {"3"}},     {"a_b", {"3"}},
        {"\\", {"5"}},        {"C:\\x", {"5"}},       {"%%", {}},       {"100", {"1", "2", "9"}},
        {"BRI", {"8"}},       {"0 %", {"7"}},         {"\\%", {}},
    };
    for (const auto &r : rows) EXPECT_EQ(search(Filter_Name, QString::fromUtf8(r.text), today, today), r.ids) << r.text;
}

TEST_F(Log, TheIndexAndTheScanListTheSameVisitsInIdOrder)
{
    // Stamps out of ID order, as a clock set back or a second desk leaves them.
    const int daysAgo[] = {3, 0, 9, 1, 0, 30, 2, 8, 0, 40, 5};
    for (int i = 0; i < 11; ++i) add(visit(QStringLiteral("Bri %1").arg(i), i % 3 ? "" : "Gabriel", stamp(daysAgo[i])));
    const QDate today = QDate::currentDate();
    for (const int from : {0, 1, 8, 30, 365}) {
        Visitor_Search s;
        s.filters[Filter_Name] = "bri";
        s.from = today.addDays(-from);
        s.to = today;
        const auto byIndex = store.Read_Log_Entries(Visitor_Search_Statement(s, false));
        const auto byScan = store.Read_Log_Entries(Visitor_Search_Statement(s, true));
        const auto chosen = store.Read_Search(s);
        ASSERT_TRUE(byIndex && byScan && chosen) << from;
        EXPECT_EQ(*byIndex, *byScan) << from;
        EXPECT_EQ(*chosen, *byIndex) << from;
    }
    Visitor_Search year;
    year.filters[Filter_Name] = "bri";
    year.to = today;
    year.from = today.addDays(-365);
    EXPECT_EQ(column(*store.Read_Search(year), Log_DB_ID),
              QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}));
}

namespace {
// A table leaf of the database file made unreadable: the page holding `marker`.
bool damagePageHolding(const QString &path, const QByteArray &marker)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite)) return false;
    const QByteArray bytes = f.readAll();
    const qsizetype at = bytes.indexOf(marker);
    if (at < 0) return false;
    const int pageSize = (uchar(bytes[16]) << 8) | uchar(bytes[17]);
    f.seek(at / pageSize * pageSize);
    f.write(QByteArray(16, char(0x7f)));
    return f.flush();
}
} // namespace

TEST_F(Log, AReadFailingAtItsStartOrPartWayListsNothingAndSaysWhy)
{
    for (int i = 0; i < 120; ++i) {
        Visitor_Record r = visit(QStringLiteral("Bri %1").arg(i), {}, stamp(0));
        r.front.values[Address] = QStringLiteral("MARK%1 ").arg(i, 4, 10, QLatin1Char('0')) + QString(1500, 'a');
        add(r);
    }
    Visitor_Search all;
    all.filters[Filter_Name] = "bri";
    all.from = all.to = QDate::currentDate();
    ASSERT_EQ(store.Read_Search(all)->size(), 120);
    Visitor_Search tooComplex = all;
    tooComplex.filters[Filter_Name] = QString(60000, 'b');
    const Visitor_Statement inOrder{"SELECT * FROM Visitor_Records ORDER BY ID", {}};

    QString reason;
    EXPECT_FALSE(store.Read_Search(tooComplex, &reason));
    EXPECT_EQ(reason, "LIKE or GLOB pattern too complex");

    // Another desk writing: the read waits its time, then fails.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(Database_Path).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; INSERT INTO Visitor_Records (VName) VALUES ('w')", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    store.busy_timeout_ms = 100;
    ASSERT_TRUE(store.Open_DB_Connection());
    for (auto read : {+[](VisitorRecordStore &s, const Visitor_Search &q, QString *e) { return s.Read_Search(q, e); },
                      +[](VisitorRecordStore &s, const Visitor_Search &, QString *e) { return s.Read_Recent_Visits(e); }}) {
        reason.clear();
        EXPECT_FALSE(read(store, all, &reason));
        EXPECT_EQ(reason, "database is locked");
    }
    reason.clear();
    EXPECT_FALSE(store.Read_Visit("1", &reason));
    EXPECT_EQ(reason, "database is locked");
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);

    // A damaged page past the first rows: the rows before it are no result.
    store.Close_DB_Connection();
    ASSERT_TRUE(damagePageHolding(Database_Path, "MARK0100"));
    ASSERT_TRUE(store.Open_DB_Connection());
    for (const auto &read : {std::function([&] { return store.Read_Log_Entries(inOrder, &reason); }),
                             std::function([&] { return store.Read_Search(all, &reason); })}) {
        reason.clear();
        EXPECT_FALSE(read());
        EXPECT_EQ(reason, "database disk image is malformed");
    }
}

// A row written by another program may hold any kind of value: each reads as its text,
// both in the listed entry and in the visit read by its ID; no value is nothing.
TEST_F(Log, ValuesOfEveryKindReadAsTheirText)
{
    const struct {
        const char *sql;  // the name as written
        QString text;     // as listed and read
    } rows[] = {
        {"NULL", ""},
        {"''", ""},
        {"42", "42"},
        {"-7", "-7"},
        {"1.5", "1.5"},
        {"x'416E6E'", "Ann"},
        {"x''", ""},
        {"'Zoë 山田'", QStringLiteral("Zoë 山田")},
        {"'a' || char(0) || 'b'", QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
        {"' padded '", " padded "},
    };
    for (const auto &row : rows) {
        const QByteArray sql = "INSERT INTO Visitor_Records (Date_Time_Stamp, VName) VALUES ('" +
                               stamp(0).toUtf8() + "', " + row.sql + ")";
        ASSERT_EQ(sqlite3_exec(store.visitor_db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK) << row.sql;
        const qint64 id = sqlite3_last_insert_rowid(store.visitor_db);
        const auto listed = store.Read_Recent_Visits();
        ASSERT_TRUE(listed && !listed->isEmpty()) << row.sql;
        EXPECT_EQ(listed->at(0).value(Log_DB_ID), QString::number(id)) << row.sql;
        EXPECT_EQ(listed->at(0).value(Log_Name), row.text) << row.sql;
        EXPECT_EQ(listed->at(0).value(Log_Photo), "") << row.sql;
        const auto read = store.Read_Visit(QString::number(id));
        ASSERT_TRUE(read) << row.sql;
        EXPECT_EQ(read->text("ID"), QString::number(id)) << row.sql;
        EXPECT_EQ(read->text("VName"), row.text) << row.sql;
        EXPECT_EQ(read->text("Photo"), "") << row.sql;
    }
}

// An entry keeps its columns' texts in one buffer: each field is cut from its own place
// however long (in bytes) or empty its neighbours are, and the entry made of a visit's
// row equals the one listed.
TEST_F(Log, EachFieldIsCutFromItsOwnPlaceInTheEntry)
{
    const QString euro = QStringLiteral("€"), wide = QStringLiteral("山田 😀");
    const struct {
        QString front, back;  // of the name; the photo and the other details are set beside them
        QString name, photo, other;
    } rows[] = {
        {"", "", "", "", ""},
        {"A", "", "A", "p", "A"},
        {"", "B", " [ B ]", "", "B"},
        {euro, wide, euro + " [ " + wide + " ]", wide, euro + " " + wide},
        {wide + wide, euro, wide + wide + " [ " + euro + " ]", euro, wide + wide + " " + euro},
    };
    for (const auto &r : rows) {
        Visitor_Record v = visit(r.front, r.back, stamp(0));
        v.Photo = r.photo;
        v.front.values[Other] = r.front;
        v.back.values[Other] = r.back;
        add(v);
        const auto listed = store.Read_Recent_Visits();
        ASSERT_TRUE(listed && !listed->isEmpty());
        const Visitor_Log_Entry &e = listed->at(0);
        EXPECT_EQ(e.value(Log_Name), r.name) << qPrintable(r.front);
        EXPECT_EQ(e.value(Log_Photo), r.photo) << qPrintable(r.front);
        EXPECT_EQ(e.value(Log_Other), r.other) << qPrintable(r.front);
        EXPECT_EQ(e.value(Log_Position), "") << qPrintable(r.front);
        EXPECT_EQ(e.value(Log_DateTime), stamp(0)) << qPrintable(r.front);
        EXPECT_EQ(e.value(Log_SNO), "1") << qPrintable(r.front);
        EXPECT_EQ(e.value(kVisitorLogKeyCount), "") << qPrintable(r.front);
        EXPECT_EQ(e.column(-1), "");
        EXPECT_EQ(e.column(kVisitorLogColumnCount), "");
        const auto row = store.Read_Visit(e.value(Log_DB_ID));
        ASSERT_TRUE(row);
        EXPECT_EQ(Make_Visitor_Log_Entry(*row, 1), e) << qPrintable(r.front);
        EXPECT_NE(Make_Visitor_Log_Entry(*row, 2), e) << qPrintable(r.front);
    }
}

} // namespace visitor_log_read_test
