// The visitor log's reads over a large log: 100,000 visits spread over the last 365
// days, timed from the call to the list model holding the result, and the year's search
// from the log window's Search button to its list painted, at its top and scrolled to its
// end. Each search is also timed as it was read before the text index
// ("_Without_Text_Index": through the stamp index for a range of at most an eighth of the
// log, else a pass over the whole table).
#include "Globals.h"
#include "HeapPolicy.h"
#include "VisitorRecordStore.h"
#include "Visitor_Log_Model.h"

#include "PictureAdjuster.h"
#include "Visitor_Log_Records.h"

#include <QApplication>
#include <QDateTime>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <optional>
#include <sqlite3.h>

namespace {
constexpr int kVisits = 100000;

// Made once: the shipped table filled through the store's own insert.
struct Filled_Log {
    QTemporaryDir dir;
    Filled_Log()
    {
        Database_Path = dir.filePath(QStringLiteral("Visitor.db"));
        QFile sql(QStringLiteral(VISITOR_SQL));
        sql.open(QIODevice::ReadOnly);
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(Database_Path).constData(), &db);
        sqlite3_exec(db, sql.readAll().constData(), nullptr, nullptr, nullptr);
        sqlite3_close(db);

        static const char *names[] = {"Brian", "Carl", "Dora", "Gabriel", "Ann", "Liam", "Mia", "Noah", "Olivia",
                                      "Priya", "Quinn", "Ravi", "Sara", "Tom", "Uma", "Victor", "Wen", "Yusuf"};
        VisitorRecordStore store;
        store.Open_DB_Connection();
        sqlite3_exec(store.visitor_db, "BEGIN", nullptr, nullptr, nullptr);
        const QDateTime now = QDateTime::currentDateTime();
        // Oldest first, so IDs grow with the stamp as they do when visits are recorded.
        for (int i = 0; i < kVisits; ++i) {
            Visitor_Record r;
            const qint64 secondsAgo = qint64(kVisits - 1 - i) * 365 * 86400 / kVisits;
            r.Date_Time_Stamp = now.addSecs(-secondsAgo).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            r.front.values[VName] = QStringLiteral("%1 %2").arg(QLatin1String(names[i % 18])).arg(i);
            r.front.captions[VName_lb] = QStringLiteral("Name :");
            r.front.values[CompanyName] = QStringLiteral("Company %1").arg(i % 97);
            r.front.values[UniqueNo] = QStringLiteral("V%1").arg(i, 6, 10, QLatin1Char('0'));
            r.front.values[Other] = QStringLiteral("Car : %1").arg(i % 13);
            store.Insert_Visitor_Record(r);
        }
        sqlite3_exec(store.visitor_db, "COMMIT", nullptr, nullptr, nullptr);
        store.Close_DB_Connection();
    }
};

Filled_Log &log()
{
    static Filled_Log filled;
    return filled;
}

void listInto(benchmark::State &state, const std::function<std::optional<QList<Visitor_Log_Entry>>(VisitorRecordStore &)> &read)
{
    log();
    VisitorRecordStore store;
    Visitor_Log_Model model;
    qsizetype rows = 0;
    for (auto _ : state) {
        store.Open_DB_Connection();
        std::optional<QList<Visitor_Log_Entry>> found = read(store);
        store.Close_DB_Connection();
        model.setEntries(found.value_or(QList<Visitor_Log_Entry>()));
        rows = model.entries().size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(rows);
}

// The search as read before the text index: the same choice between the stamp index and
// the pass over the table, then the statement without the index.
std::optional<QList<Visitor_Log_Entry>> readWithoutTextIndex(VisitorRecordStore &s, const Visitor_Search &search)
{
    const QByteArray from = search.from.toString(QStringLiteral("yyyy-MM-dd 00:00:00")).toUtf8();
    const QByteArray to = search.to.toString(QStringLiteral("yyyy-MM-dd 23:59:59")).toUtf8();
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(s.visitor_db,
                       "SELECT count(*), coalesce((SELECT max(ID) FROM Visitor_Records), 0) / 8 FROM (SELECT 1 FROM "
                       "Visitor_Records WHERE Date_Time_Stamp>=?1 AND Date_Time_Stamp<=?2 LIMIT coalesce((SELECT "
                       "max(ID) FROM Visitor_Records), 0) / 8 + 1)",
                       -1, &st, nullptr);
    sqlite3_bind_text(st, 1, from.constData(), int(from.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, to.constData(), int(to.size()), SQLITE_TRANSIENT);
    const bool scanRows = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int64(st, 0) > sqlite3_column_int64(st, 1);
    sqlite3_finalize(st);
    return s.Read_Log_Entries(Visitor_Search_Statement(search, scanRows));
}

Visitor_Search nameSearch(int days)
{
    Visitor_Search search;
    search.filters[Filter_Name] = QStringLiteral("bri");
    search.to = QDate::currentDate();
    search.from = search.to.addDays(-days);
    return search;
}

Visitor_Search visitorNumberToday()
{
    Visitor_Search search;
    search.filters[Filter_Visitor_NO] = QStringLiteral("V099");
    search.from = search.to = QDate::currentDate();
    return search;
}

void BM_Last_Ten(benchmark::State &state)
{
    listInto(state, [](VisitorRecordStore &s) { return s.Read_Recent_Visits(); });
}

// Range 3: today and the thirty days before it.
void BM_Name_Over_31_Days(benchmark::State &state)
{
    listInto(state, [](VisitorRecordStore &s) { return s.Read_Search(nameSearch(30)); });
}
void BM_Name_Over_31_Days_Without_Text_Index(benchmark::State &state)
{
    listInto(state, [](VisitorRecordStore &s) { return readWithoutTextIndex(s, nameSearch(30)); });
}

// A custom range of a whole year: "bri" names about one visit in nine (11,111 hits).
void BM_Name_Over_A_Year(benchmark::State &state)
{
    listInto(state, [](VisitorRecordStore &s) { return s.Read_Search(nameSearch(365)); });
}
void BM_Name_Over_A_Year_Without_Text_Index(benchmark::State &state)
{
    listInto(state, [](VisitorRecordStore &s) { return readWithoutTextIndex(s, nameSearch(365)); });
}

// The same from the window: the filters typed, the Search button's action, the list's
// visible rows painted; with `toEnd` the list is scrolled to its last row and painted
// again.
void inTheLogWindow(benchmark::State &state, bool toEnd)
{
    struct Unchanged : PictureAdjuster {
        Picture adjusted(const Picture &source, const ImageAdjustments &, QSize) const override { return source; }
    } adjuster;
    log();
    VisitorRecordStore store;
    Visitor_Log_Records window(store, adjuster, nullptr);
    window.Prepare_Log_Wnd();
    window.show();
    const Visitor_Search search = nameSearch(365);
    window.filterBoxes[Filter_Name]->setText(search.filters[Filter_Name]);
    window.date_range->setCurrentIndex(int(Visitor_Log_Records::rangeTitles().indexOf(QStringLiteral("Custom Range"))));
    window.Date_From_Ctrl->setDate(search.from);
    window.Date_To_Ctrl->setDate(search.to);
    for (auto _ : state) {
        window.Search_Records_Click();
        window.ColList->viewport()->repaint();
        if (!toEnd) continue;
        QCoreApplication::processEvents();  // the list's delayed layout
        window.ColList->scrollToBottom();
        window.ColList->viewport()->repaint();
    }
    state.counters["rows"] = double(window.ListData().size());
}
void BM_Name_Over_A_Year_In_The_Log_Window(benchmark::State &state) { inTheLogWindow(state, false); }
void BM_Name_Over_A_Year_In_The_Log_Window_To_Its_End(benchmark::State &state) { inTheLogWindow(state, true); }

// The list as exported: the search read into the list, then what the export reads
// before it writes the workbook. The year's "bri" (11,112 visits) and every visit of the
// year (100,000).
void exported(benchmark::State &state, const Visitor_Search &search)
{
    log();
    VisitorRecordStore store;
    Visitor_Log_Model model;
    for (auto _ : state) {
        store.Open_DB_Connection();
        model.setEntries(store.Read_Search(search).value_or(QList<Visitor_Log_Entry>()));
        store.Close_DB_Connection();
        // The export writes the list as it was read.
        benchmark::DoNotOptimize(model.entries().constLast().value(Log_Name));
    }
    state.counters["rows"] = double(model.entries().size());
}
void BM_Name_Over_A_Year_Exported(benchmark::State &state) { exported(state, nameSearch(365)); }
void BM_Every_Visit_Over_A_Year_Exported(benchmark::State &state)
{
    Visitor_Search all = nameSearch(365);
    all.filters[Filter_Name].clear();
    exported(state, all);
}

// Range 0: today.
void BM_Visitor_Number_Today(benchmark::State &state)
{
    listInto(state, [](VisitorRecordStore &s) { return s.Read_Search(visitorNumberToday()); });
}
void BM_Visitor_Number_Today_Without_Text_Index(benchmark::State &state)
{
    listInto(state, [](VisitorRecordStore &s) { return readWithoutTextIndex(s, visitorNumberToday()); });
}
} // namespace

BENCHMARK(BM_Last_Ten)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Name_Over_31_Days)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Name_Over_31_Days_Without_Text_Index)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Name_Over_A_Year)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Name_Over_A_Year_Without_Text_Index)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Name_Over_A_Year_In_The_Log_Window)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Name_Over_A_Year_In_The_Log_Window_To_Its_End)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Name_Over_A_Year_Exported)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Every_Visit_Over_A_Year_Exported)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Visitor_Number_Today)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Visitor_Number_Today_Without_Text_Index)->Unit(benchmark::kMillisecond);
int main(int argc, char **argv)
{
    Keep_Freed_Heap_For_Reuse();  // as main() does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
