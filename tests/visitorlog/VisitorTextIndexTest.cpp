// The text index beside the visitor table: the search through it lists exactly what
// the statement without it lists, a text with a NUL is matched whole, and an older copy
// of the program (the sqlite3 tool standing in for it) reads and writes the log as
// before while the triggers keep the index.
#include "Globals.h"
#include "Helpers.h"
#include "TestSupport.h"
#include "VisitorRecordStore.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <algorithm>
#include <vector>

namespace visitor_text_index_test {

namespace {
QString stamp(int daysAgo, const char *time = "12:00:00")
{
    return QDate::currentDate().addDays(-daysAgo).toString(QStringLiteral("yyyy-MM-dd ")) + QLatin1String(time);
}

struct TextIndex : ::testing::Test {
    VisitorRecordStore store;
    void SetUp() override
    {
        Check_Path_And_Create_VISITOR_Files();
        ASSERT_TRUE(store.Open_DB_Connection());
    }
    void add(int daysAgo, const QString &name, const QString &backName = {},
             std::initializer_list<std::pair<Visitor_Value_Column, QString>> more = {})
    {
        Visitor_Record r;
        r.Date_Time_Stamp = stamp(daysAgo);
        r.front.values[VName] = name;
        r.back.values[VName] = backName;
        for (const auto &[column, text] : more) r.front.values[column] = text;
        ASSERT_TRUE(store.Insert_Visitor_Record(r));
    }
    static QStringList ids(const std::optional<QList<Visitor_Log_Entry>> &entries)
    {
        if (!entries) return {QStringLiteral("<failed>")};
        QStringList c;
        for (const Visitor_Log_Entry &e : *entries) c << e.value(Log_DB_ID);
        return c;
    }
    // The output of the sqlite3 tool run on the database with `sql`; none when it could
    // not start.
    static QString sqliteTool(const QString &sql)
    {
        QProcess p;
        p.start(QStringLiteral("sqlite3"), {Database_Path, sql});
        if (!testsupport::checkerFinished(p)) return {};
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
    }
};

using Filters = std::vector<std::pair<Visitor_Search_Filter, QString>>;

Visitor_Search searchOf(const Filters &filters, int daysBack = 365)
{
    Visitor_Search s;
    for (const auto &[f, text] : filters) s.filters[f] = text;
    s.to = QDate::currentDate();
    s.from = s.to.addDays(-daysBack);
    return s;
}
} // namespace

TEST(TextIndexQuery, EachFilterOfThreeCharactersIsAPhraseOverItsTwoColumns)
{
    const QString nul = QString(QChar(0));
    const struct {
        Filters filters;
        QString query;
    } rows[] = {
        {{{Filter_Name, "bri"}}, R"({VName VName_B} : "bri")"},
        {{{Filter_Name, "  O\"Brien \n"}}, R"({VName VName_B} : "O""Brien")"},
        {{{Filter_Name, "br"}}, ""},
        {{{Filter_Name, ""}, {Filter_Other, "  "}}, ""},
        {{{Filter_Name, "Ann" + nul + "zzz"}}, ""},
        {{{Filter_Name, "bri"}, {Filter_Other, "c" + nul + "ar"}}, ""},
        {{{Filter_Name, "An" + nul + "zzz"}}, ""},
        {{{Filter_Name, "bri"}, {Filter_Phone, "55"}, {Filter_Other, "car"}},
         R"({VName VName_B} : "bri" AND {Other Other_B} : "car")"},
        {{{Filter_Visitor_NO, QString(70, 'x')}}, "{UniqueNo UniqueNo_B} : \"" + QString(64, 'x') + "\""},
        {{{Filter_Address, QStringLiteral("山田太")}}, QStringLiteral("{Address Address_B} : \"山田太\"")},
        {{{Filter_Email, QStringLiteral("😀a")}}, ""},
        {{{Filter_Email, QStringLiteral("😀ab")}}, QStringLiteral("{Email Email_B} : \"😀ab\"")},
        {{{Filter_Purpose, "100%"}, {Filter_To_Meet, "a_b"}, {Filter_Comp_Name, "%1 x"}},
         R"({CompanyName CompanyName_B} : "%1 x" AND {Slogan Slogan_B} : "100%" AND {Website Website_B} : "a_b")"},
    };
    for (const auto &row : rows) {
        const Visitor_Search s = searchOf(row.filters);
        EXPECT_EQ(Visitor_Text_Index_Query(s), row.query) << row.query.toStdString();
        EXPECT_EQ(Visitor_Text_Search_Statement(s).has_value(), !row.query.isEmpty()) << row.query.toStdString();
    }

    Visitor_Search s = searchOf({{Filter_Name, "O'Brien"}, {Filter_Other, "x"}});
    s.from = QDate(2024, 1, 5);
    s.to = QDate(2025, 1, 4);
    const Visitor_Statement st = *Visitor_Text_Search_Statement(s);
    EXPECT_EQ(st.sql,
              "SELECT r.ID AS ID, r.Date_Time_Stamp AS Date_Time_Stamp, r.Photo AS Photo, r.VName AS VName, r.VName_B "
              "AS VName_B, r.Position AS Position, r.Position_B AS Position_B, r.CompanyName AS CompanyName, "
              "r.CompanyName_B AS CompanyName_B, r.Address AS Address, r.Address_B AS Address_B, r.Phone AS Phone, "
              "r.Phone_B AS Phone_B, r.Email AS Email, r.Email_B AS Email_B, r.Slogan AS Slogan, r.Slogan_B AS "
              "Slogan_B, r.Website AS Website, r.Website_B AS Website_B, r.UniqueNo AS UniqueNo, r.UniqueNo_B AS "
              "UniqueNo_B, r.Other AS Other, r.Other_B AS Other_B FROM Visitor_Records_Search CROSS JOIN "
              "Visitor_Records r ON r.ID = Visitor_Records_Search.rowid WHERE Visitor_Records_Search MATCH ?1 AND "
              "(r.VName LIKE ?2 ESCAPE '\\' OR r.VName_B LIKE ?2 ESCAPE '\\') AND (r.Other LIKE ?3 ESCAPE '\\' OR "
              "r.Other_B LIKE ?3 ESCAPE '\\') AND +r.Date_Time_Stamp>=?4 AND +r.Date_Time_Stamp<=?5 ORDER "
              "BY Visitor_Records_Search.rowid");
    EXPECT_EQ(st.bound, QStringList({R"({VName VName_B} : "O'Brien")", "%O'Brien%", "%x%",
                                     "2024-01-05 00:00:00", "2025-01-04 23:59:59"}));
}

// A varied log: case, accents outside ASCII (which LIKE does not fold, the index does),
// "%", "_", quotes, NULL columns, other scripts, texts longer than the index's phrase,
// and stamps outside the range and out of ID order.
TEST_F(TextIndex, ListsExactlyWhatTheStatementWithoutItLists)
{
    add(0, "Brian Smith", {}, {{CompanyName, "ACME"}, {Other, "Car : 5"}});  // 1
    add(200, "BRIAN");                                                      // 2
    add(10, QStringLiteral("Ébrille"));                                     // 3
    add(30, QStringLiteral("Zoë Müller"), "Gabriel");                       // 4
    add(100, "100% sure");                                                  // 5
    add(300, "a_b_c");                                                      // 6
    add(364, "O'Brien");                                                    // 7
    add(5, QStringLiteral("René"), QStringLiteral("RENÉ"));                 // 8
    ASSERT_EQ(sqlite3_exec(store.visitor_db,
                           ("INSERT INTO Visitor_Records (Date_Time_Stamp, VName) VALUES ('" + stamp(2).toStdString()
                            + "', 'bri null')")
                               .c_str(),
                           nullptr, nullptr, nullptr),
              SQLITE_OK);                                                   // 9: other columns NULL
    add(1, "", {}, {{Other, "Car : bri\r\nx"}});                            // 10
    add(50, QStringLiteral("Anne-Marie 山田"), {}, {{Address, QStringLiteral("東京都 bri")}});  // 11
    {
        Visitor_Record r;
        r.Date_Time_Stamp = stamp(3);
        r.back.values[Other] = "Desk BRI";
        ASSERT_TRUE(store.Insert_Visitor_Record(r));                        // 12
    }
    add(400, "Bri late");                                                   // 13: outside the year
    add(7, "The \"Bri\" one");                                              // 14
    add(8, QString(30, 'q') + QStringLiteral("Long ñame ") + QString(60, 'z'));  // 15
    add(0, "");                                                             // 16: nothing typed

    const QString longName = QString(30, 'q') + QStringLiteral("Long ñame ") + QString(60, 'z');
    const struct {
        Filters filters;
        int daysBack;
        QStringList ids;
    } rows[] = {
        {{{Filter_Name, "bri"}}, 365, {"1", "2", "3", "4", "7", "9", "14"}},
        {{{Filter_Name, "BRI"}}, 400, {"1", "2", "3", "4", "7", "9", "13", "14"}},
        {{{Filter_Name, QStringLiteral("ébri")}}, 365, {}},
        {{{Filter_Name, QStringLiteral("Ébri")}}, 365, {"3"}},
        {{{Filter_Name, QStringLiteral("rené")}}, 365, {"8"}},
        {{{Filter_Name, QStringLiteral("renÉ")}}, 365, {"8"}},
        {{{Filter_Name, QStringLiteral("RENé")}}, 365, {"8"}},
        {{{Filter_Name, "% s"}}, 365, {"5"}},
        {{{Filter_Name, "_b_"}}, 365, {"6"}},
        {{{Filter_Name, "a%c"}}, 365, {}},
        {{{Filter_Name, "o'brien"}}, 365, {"7"}},
        {{{Filter_Name, "\"bri\""}}, 365, {"14"}},
        {{{Filter_Name, "bri"}, {Filter_Comp_Name, "acm"}}, 365, {"1"}},
        {{{Filter_Name, "bri"}, {Filter_Other, "car"}}, 365, {"1"}},
        {{{Filter_Name, "br"}}, 365, {"1", "2", "3", "4", "7", "9", "14"}},
        {{{Filter_Other, "bri"}}, 365, {"10", "12"}},
        {{{Filter_Other, "bri x"}}, 365, {}},
        {{{Filter_Address, QStringLiteral("京都 b")}}, 365, {"11"}},
        {{{Filter_Name, QStringLiteral("山田")}}, 365, {"11"}},
        {{{Filter_Name, longName.mid(20, 70)}}, 365, {"15"}},
        {{{Filter_Name, longName.mid(20, 69) + "x"}}, 365, {}},
        {{{Filter_Name, "zzz"}, {Filter_Phone, "1"}}, 365, {}},
        {{}, 365, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "14", "15", "16"}},
        {{{Filter_Name, "bri"}}, 30, {"1", "3", "4", "9", "14"}},
        {{{Filter_Name, "bri"}}, 0, {"1"}},
    };
    ASSERT_TRUE(store.Text_Index_Current());
    for (const auto &row : rows) {
        const Visitor_Search s = searchOf(row.filters, row.daysBack);
        const QString what = Visitor_Text_Index_Query(s) + " " + QString::number(row.daysBack);
        const auto without = store.Read_Log_Entries(Visitor_Search_Statement(s));
        EXPECT_EQ(ids(without), row.ids) << what.toStdString();
        if (const auto indexed = Visitor_Text_Search_Statement(s)) {
            EXPECT_EQ(store.Read_Log_Entries(*indexed), without) << what.toStdString();
        }
        EXPECT_EQ(store.Read_Search(s), without) << what.toStdString();
    }
}

// "Ann\0zzz" finds the visits whose name holds the whole text (ASCII letters in any
// case), not those holding only what comes before the NUL; through the stamp index and
// through the text index alike, over any range: the index, which holds a text only up
// to its first NUL, is left out.
TEST_F(TextIndex, ATextWithANulFindsOnlyWhatHoldsItWhole)
{
    const QString nul = QString(QChar(0));
    add(0, "Ann");                     // 1
    add(0, "Ann" + nul + "zzz");       // 2
    add(0, "xANN" + nul + "ZZZ y");    // 3
    add(0, "Ann zzz");                 // 4
    add(0, "Bo", "ann" + nul + "zzz"); // 5
    add(0, "Ann" + nul + "zzzz");      // 6
    add(0, "Ann" + nul + "zz");        // 7
    add(0, "x" + nul + "Ann" + nul + "zzz");  // 8: out of the index's sight
    const struct {
        QString filter;
        QStringList ids;
    } rows[] = {
        {"Ann" + nul + "zzz", {"2", "3", "5", "6", "8"}},
        {"n" + nul + "zzz", {"2", "3", "5", "6", "8"}},
        {"ann" + nul + "zz", {"2", "3", "5", "6", "7", "8"}},
        {"Ann", {"1", "2", "3", "4", "5", "6", "7"}},
    };
    for (const auto &row : rows) {
        const Visitor_Search s = searchOf({{Filter_Name, row.filter}});
        EXPECT_EQ(ids(store.Read_Log_Entries(Visitor_Search_Statement(s, false))), row.ids) << "stamp index";
        EXPECT_EQ(ids(store.Read_Log_Entries(Visitor_Search_Statement(s, true))), row.ids) << "pass over the table";
        if (const auto indexed = Visitor_Text_Search_Statement(s)) {
            EXPECT_EQ(ids(store.Read_Log_Entries(*indexed)), row.ids) << "text index";
        }
        EXPECT_EQ(ids(store.Read_Search(s)), row.ids);
        EXPECT_EQ(ids(store.Read_Search(searchOf({{Filter_Name, row.filter}}, 36500))), row.ids) << "a century";
        EXPECT_EQ(ids(store.Read_Search(searchOf({{Filter_Name, row.filter}}, 0))), row.ids) << "one day";
    }
    const auto names = store.Read_Search(searchOf({{Filter_Name, "n" + nul + "ZZZZ"}}));
    ASSERT_TRUE(names);
    ASSERT_EQ(names->size(), 1);
    EXPECT_EQ(names->at(0).value(Log_Name), "Ann" + nul + "zzzz");
}

// The sqlite3 tool plays an older copy of the program: it reads the log with the older
// statements and adds a visit with the older insert; the triggers put that visit into
// the text index, which stays current and sound. A file an older copy leaves without
// the index (or with a trigger missing) is searched correctly and gets the index made
// anew when it is next opened.
TEST_F(TextIndex, AnOlderCopyReadsAndWritesTheLogAsBefore)
{
    add(10, "Brian", {}, {{Other, "first"}});
    add(20, "Carl");
    QStringList columns{"Photo", "Date_Time_Stamp"}, values{"''", "'" + stamp(1) + "'"};
    for (const bool back : {false, true}) {
        for (int c = 0; c < kVisitorCaptionColumnCount; ++c) columns << Visitor_Caption_Column_Name(c, back), values << "''";
        for (int c = 0; c < kVisitorValueColumnCount; ++c)
            columns << Visitor_Value_Column_Name(c, back), values << (c == VName && !back ? "'Bridget O''Older'" : "''");
    }
    const QString olderInsert = "INSERT INTO Visitor_Records (" + columns.join(", ") + ") VALUES (" + values.join(", ") + ");";
    const QString from = QDate::currentDate().addDays(-365).toString("yyyy-MM-dd") + " 00:00:00";
    const QString to = QDate::currentDate().toString("yyyy-MM-dd") + " 23:59:59";
    const QString olderSearch = "SELECT ID, VName FROM Visitor_Records WHERE (VName LIKE '%bri%' OR VName_B LIKE "
                                "'%bri%') AND Date_Time_Stamp>='" + from + "' AND Date_Time_Stamp<='" + to + "';";
    EXPECT_EQ(sqliteTool(olderInsert + "SELECT ID, VName FROM Visitor_Records ORDER BY ID DESC LIMIT 10;" + olderSearch
                         + "CREATE INDEX IF NOT EXISTS Visitor_Records_Stamp ON Visitor_Records (Date_Time_Stamp);"),
              "3|Bridget O'Older\n2|Carl\n1|Brian\n1|Brian\n3|Bridget O'Older");
    // Read on the connection that was open all along: nothing was rebuilt.
    EXPECT_TRUE(store.Text_Index_Current());
    const Visitor_Search bri = searchOf({{Filter_Name, "bri"}});
    EXPECT_EQ(ids(store.Read_Log_Entries(*Visitor_Text_Search_Statement(bri))), QStringList({"1", "3"}));
    EXPECT_EQ(sqliteTool("INSERT INTO Visitor_Records_Search (Visitor_Records_Search) VALUES ('integrity-check');"
                         "PRAGMA integrity_check;"),
              "ok");

    // The older copy's file without the index: searched without it, then made when opened.
    EXPECT_EQ(sqliteTool("DROP TRIGGER Visitor_Records_Search_Insert; INSERT INTO Visitor_Records (Date_Time_Stamp, "
                         "VName) VALUES ('" + stamp(2) + "', 'Gabriel');"),
              "");
    EXPECT_FALSE(store.Text_Index_Current());
    EXPECT_EQ(ids(store.Read_Search(bri)), QStringList({"1", "3", "4"}));
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_TRUE(store.Text_Index_Current());
    EXPECT_EQ(ids(store.Read_Log_Entries(*Visitor_Text_Search_Statement(bri))), QStringList({"1", "3", "4"}));
    EXPECT_EQ(sqliteTool("DROP TABLE Visitor_Records_Search; DROP TRIGGER Visitor_Records_Search_Insert;"
                         "DROP TRIGGER Visitor_Records_Search_Delete; DROP TRIGGER Visitor_Records_Search_Update;"
                         "INSERT INTO Visitor_Records (Date_Time_Stamp, VName) VALUES ('" + stamp(3) + "', 'Brigid');"
                         "SELECT count(*) FROM sqlite_master WHERE name LIKE 'Visitor_Records_Search%';"),
              "0");
    EXPECT_FALSE(store.Text_Index_Current());
    EXPECT_EQ(ids(store.Read_Search(bri)), QStringList({"1", "3", "4", "5"}));
    ASSERT_TRUE(store.Open_DB_Connection());
    EXPECT_TRUE(store.Text_Index_Current());
    EXPECT_EQ(ids(store.Read_Log_Entries(*Visitor_Text_Search_Statement(bri))), QStringList({"1", "3", "4", "5"}));

    // A change or removal made by another program is followed as well.
    EXPECT_EQ(sqliteTool("UPDATE Visitor_Records SET VName = 'Carl' WHERE ID = 1; DELETE FROM Visitor_Records WHERE "
                         "ID = 4; INSERT INTO Visitor_Records_Search (Visitor_Records_Search) VALUES ('integrity-check');"),
              "");
    EXPECT_EQ(ids(store.Read_Log_Entries(*Visitor_Text_Search_Statement(bri))), QStringList({"3", "5"}));
}

// A long search lists every visit whole, as the statement without the text index lists
// it: through the text index, without it (a two-letter filter), with no filter, and
// through the stamp index (a short range).
TEST_F(TextIndex, ALongResultListsEveryVisitWhole)
{
    ASSERT_EQ(sqlite3_exec(store.visitor_db, "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    for (int i = 0; i < 660; ++i)
        add(1 + i % 300, QString(i % 3 == 0 ? "Bri %1" : "Carl %1").arg(i), i % 5 == 0 ? QString("Bo %1").arg(i) : QString(),
            {{CompanyName, QString("Firm %1").arg(i % 7)}});
    for (int i = 0; i < 10; ++i) add(0, QString("Bri today %1").arg(i));
    ASSERT_EQ(sqlite3_exec(store.visitor_db, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);

    const struct {
        Filters filters;
        int daysBack;
        const char *last;  // the last listed visit's S.No., ID and name
    } rows[] = {
        {{{Filter_Name, "bri"}}, 365, "230|670|Bri today 9"},
        {{{Filter_Name, "BR"}}, 365, "230|670|Bri today 9"},
        {{{Filter_Name, "o 1"}}, 365, "22|196|Bri 195 [ Bo 195 ]"},
        {{}, 365, "670|670|Bri today 9"},
        {{{Filter_Comp_Name, "firm 3"}, {Filter_Name, "a"}}, 365, "62|648|Carl 647"},
        {{{Filter_Name, "bri"}}, 0, "10|670|Bri today 9"},
    };
    for (const auto &row : rows) {
        const Visitor_Search s = searchOf(row.filters, row.daysBack);
        const auto whole = store.Read_Log_Entries(Visitor_Search_Statement(s, true));
        const auto listed = store.Read_Search(s);
        ASSERT_TRUE(whole && listed && !listed->isEmpty()) << row.last;
        EXPECT_TRUE(*listed == *whole) << row.last;
        const Visitor_Log_Entry &last = listed->constLast();
        EXPECT_EQ(QStringList({last.value(Log_SNO), last.value(Log_DB_ID), last.value(Log_Name)}).join('|'), row.last);
    }
}

} // namespace visitor_text_index_test
