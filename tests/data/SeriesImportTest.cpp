// Worksheet columns into the row table and into series, on workbooks written by
// openpyxl at test time.
#include "Checkers.h"
#include "SKTDocument.h"
#include "SeriesFile.h"
#include "SeriesImport.h"
#include "SpreadsheetWriter.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace series_import_test {

namespace SI = SeriesImport;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Name | (blank) | City | *** with four data rows; the blank header keeps its column.
class SeriesImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl missing";
        book = dir.filePath("people.xlsx");
        ASSERT_EQ(checkers::python(R"(
import sys, openpyxl
wb = openpyxl.Workbook(); ws = wb.active
ws.append(['Name', None, 'City', '***'])
ws.append(['Ann', 'x1', 'Oslo', 's1'])
ws.append(['Bob', 'x2', None, 's2'])
ws.append([' Cy ', 'x3', 'Rome', 's3'])
ws.append(['Di', 'x4', 'Nice', 's4'])
wb.save(sys.argv[1])
)", {book}), "");
        SpreadsheetWriter reader;
        reader.ReadWorkbook(book, true);
        rows = reader.ReadWorkbook(book, false);
        series = dir.filePath("DataSet");
        ASSERT_TRUE(QDir().mkpath(series));
    }
    QList<SI::ColumnEntry> chosen(const QStringList &names)
    {
        QList<SI::ColumnEntry> entries = SI::Column_Entries(rows.value(0));
        for (SI::ColumnEntry &e : entries) e.state = names.contains(e.extension);
        return entries;
    }
    QTemporaryDir dir;
    QString book, series;
    SheetRows rows;
};

TEST_F(SeriesImportTest, EntriesKeepTheirWorksheetColumns)
{
    const QList<SI::ColumnEntry> entries = SI::Column_Entries(rows.value(0));
    EXPECT_EQ(entries, (QList<SI::ColumnEntry>{{false, "Name", "Name", 0}, {false, "City", "City", 2}, {false, "***", "***", 3}}));
    EXPECT_FALSE(SI::Any_Chosen(entries));
}

TEST_F(SeriesImportTest, RowTableAndValueList)
{
    SKTDocument doc;
    EXPECT_EQ(SI::Fill_Row_Table(doc, rows, chosen({"Name", "City"}), true), 4);
    const QList<QStringList> expected = {{"1", "Ann", "Oslo"}, {"2", "Bob", ""}, {"3", "Cy", "Rome"}, {"4", "Di", "Nice"}};
    EXPECT_EQ(doc.ListData(), expected);
    const QList<SpreadsheetColumn> columns = doc.ColList();
    ASSERT_EQ(columns.size(), 3);
    EXPECT_EQ(columns[1].identifier, "Column1");
    EXPECT_EQ(columns[1].title, "Name");
    EXPECT_EQ(columns[2].identifier, "Column2");
    EXPECT_EQ(columns[2].title, "City");
    // Header off: the header row is row 1.
    EXPECT_EQ(SI::Fill_Row_Table(doc, rows, chosen({"City"}), false), 5);
    EXPECT_EQ(doc.ListData().first(), (QStringList{"1", "City"}));
    // Without rows the table stays.
    EXPECT_EQ(SI::Fill_Row_Table(doc, {}, chosen({"Name"}), true), 0);
    EXPECT_EQ(doc.ListData().size(), 5);
    // Mode "D": row by row, empty cells left out.
    EXPECT_EQ(SI::Chosen_Values(rows, chosen({"Name", "City"}), true),
              (QStringList{"Ann", "Oslo", "Bob", "Cy", "Rome", "Di", "Nice"}));
}

TEST_F(SeriesImportTest, EachColumnWithKeepBothReplaceAndInUse)
{
    QStringList alerts;
    std::deque<SI::AlertAnswer> answers;
    QStringList used;
    SI::Target target{series, [&](const QString &n) { return used.contains(n); },
                      [&](const QString &message, const QStringList &buttons) {
                          alerts << message + " [" + buttons.join('|') + "]";
                          SI::AlertAnswer a = answers.empty() ? SI::AlertAnswer{} : answers.front();
                          if (!answers.empty()) answers.pop_front();
                          return a;
                      }};
    testsupport::boxes().clear();
    EXPECT_EQ(SI::Write_Each_Column(target, rows, chosen({"Name", "City", "***"}), true), (QStringList{"Name", "City"}));
    EXPECT_EQ(readAll(SeriesFile::Path(series, "Name")), QByteArray("Ann\nBob\nCy\nDi\n"));
    EXPECT_EQ(readAll(SeriesFile::Path(series, "City")), QByteArray("Oslo\n\nRome\nNice\n"));
    EXPECT_EQ(testsupport::boxes().take(), (QStringList{"\nPlease enter valid series name."}));
    EXPECT_FALSE(QFile::exists(SeriesFile::Path(series, "")));

    // Keep Both for Name, then Replace with "Apply to All" also for City.
    answers = {{0, false}, {1, true}};
    QFile::remove(SeriesFile::Path(series, "City"));
    SeriesFile::Write(SeriesFile::Path(series, "City"), {"old"});
    EXPECT_EQ(SI::Write_Each_Column(target, rows, chosen({"Name", "City"}), true), (QStringList{"Name (1)", "City"}));
    EXPECT_EQ(alerts, (QStringList{SI::Exists_Question("Name") + " [Keep Both|Replace|Cancel]",
                                   SI::Exists_Question("City") + " [Keep Both|Replace|Cancel]"}));
    EXPECT_EQ(readAll(SeriesFile::Path(series, "Name (1)")), QByteArray("Ann\nBob\nCy\nDi\n"));
    EXPECT_EQ(readAll(SeriesFile::Path(series, "City")), QByteArray("Oslo\n\nRome\nNice\n"));

    // Cancel leaves the file; a series in use is skipped after one notice.
    alerts.clear();
    used = {"Name", "City"};
    answers = {{0, true}};
    EXPECT_EQ(SI::Write_Each_Column(target, rows, chosen({"Name", "City"}), true), QStringList());
    EXPECT_EQ(alerts, (QStringList{"Series is in use\n\nName\n\nBatch processing Series is already in use. [OK]"}));
    used.clear();
    alerts.clear();
    answers = {{2, false}, {2, false}};
    SeriesFile::Write(SeriesFile::Path(series, "Name"), {"kept"});
    EXPECT_EQ(SI::Write_Each_Column(target, rows, chosen({"Name", "City"}), false), QStringList());
    EXPECT_EQ(readAll(SeriesFile::Path(series, "Name")), QByteArray("kept\n"));
    EXPECT_EQ(alerts.size(), 2);
}

TEST_F(SeriesImportTest, OneSeriesNewReplaceAppendAndFailedRead)
{
    SI::Target target{series, [](const QString &n) { return n == "Used"; }, {}};
    const QString old = SeriesFile::Path(series, "Old");
    SeriesFile::Write(old, {"a", "b", "c"});
    testsupport::boxes().clear();
    EXPECT_TRUE(SI::Write_One_Series(target, "Old", SI::Fill::Append, rows, chosen({"Name", "City"}), true));
    EXPECT_EQ(readAll(old), QByteArray("a\nb\nc\nAnn\nOslo\nBob\n\nCy\nRome\nDi\nNice\n"));
    // A sheet that could not be read leaves the series byte-identical.
    const QByteArray before = readAll(old);
    EXPECT_TRUE(SI::Write_One_Series(target, "Old", SI::Fill::Replace, {}, chosen({"Name"}), true));
    EXPECT_EQ(readAll(old), before);
    EXPECT_TRUE(SI::Write_One_Series(target, "Old", SI::Fill::Replace, rows, chosen({"Name"}), true));
    EXPECT_EQ(readAll(old), QByteArray("Ann\nBob\nCy\nDi\n"));
    // New under an existing name: No keeps it, Yes replaces it.
    EXPECT_FALSE(SI::Write_One_Series(target, "Old", SI::Fill::New, rows, chosen({"City"}), true));
    EXPECT_EQ(readAll(old), QByteArray("Ann\nBob\nCy\nDi\n"));
    testsupport::boxes().answerNext(1);
    EXPECT_TRUE(SI::Write_One_Series(target, "/Old?", SI::Fill::New, rows, chosen({"City"}), true));
    EXPECT_EQ(readAll(old), QByteArray("Oslo\n\nRome\nNice\n"));
    SeriesFile::Write(SeriesFile::Path(series, "Used"), {"u"});
    EXPECT_FALSE(SI::Write_One_Series(target, "Used", SI::Fill::Replace, rows, chosen({"City"}), true));
    EXPECT_FALSE(SI::Write_One_Series(target, "**", SI::Fill::New, rows, chosen({"City"}), true));
    EXPECT_EQ(readAll(SeriesFile::Path(series, "Used")), QByteArray("u\n"));
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"\nEither file is corrupted or selected file contains invalid characters.",
                           "Batch Processing Series already exists. Do you want to replace it?",
                           "Batch Processing Series already exists. Do you want to replace it?",
                           "\nBatch Processing Series can't be create because it is currently in use.",
                           "\nPlease enter valid series name."}));
    EXPECT_FALSE(SI::May_Create(target, "Used"));
    EXPECT_TRUE(SI::May_Create(target, "Missing"));
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"\nBatch Processing Series can't be create because it is currently in use."});
    // A sheet without rows writes no column; a folder that cannot be written refuses.
    EXPECT_EQ(SI::Write_Each_Column(target, {}, chosen({"Name"}), true), QStringList());
    EXPECT_FALSE(SeriesFile::Exists(series, "Name"));
    SI::Target nowhere{dir.filePath("missing"), {}, {}};
    EXPECT_FALSE(SI::Write_One_Series(nowhere, "X", SI::Fill::Replace, rows, chosen({"Name"}), true));
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nError in file accessing."});
}

} // namespace

} // namespace series_import_test
