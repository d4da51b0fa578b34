#include "Checkers.h"
#include "Globals.h"
#include "SpreadsheetWriter.h"
#include "ZipArchive.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// openpyxl's view of the active sheet, loaded with warnings as errors (a file that
// needs repair warns); its remark that it drops the sheet's extension list is no
// repair and is let through.
const char *const kOpenpyxlDump = R"(
import sys, json, warnings, openpyxl
warnings.simplefilter('error')
warnings.filterwarnings('ignore', message='.*extension is not supported')
ws = openpyxl.load_workbook(sys.argv[1]).active
print(json.dumps({'dims': ws.dimensions,
                  'rows': [[[type(c.value).__name__, c.value] for c in row] for row in ws.iter_rows()]}))
)";

QJsonObject openpyxlView(const QString &path)
{
    const QString out = checkers::python(QString::fromLatin1(kOpenpyxlDump), {path});
    EXPECT_FALSE(out.startsWith("ERROR")) << out.toStdString();
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

QByteArray part(const QString &xlsx, const QString &name)
{
    QTemporaryDir dir;
    if (!ZipArchive::unzipFileAtPath(xlsx, dir.path())) return {};
    QFile f(dir.path() + u'/' + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

SheetRows readBack(const QString &path)
{
    SpreadsheetWriter reader;
    reader.ReadWorkbook(path, true);
    reader.ReadData_only_column();
    return reader.ReadWorkbook(path, false);
}

class SpreadsheetWrite : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.path() + "/out.xlsx";
};

} // namespace

TEST_F(SpreadsheetWrite, BatchSeriesExportGivesNumberAndStringCells)
{
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, {{"Batch Value"}, {"10"}, {"20"}, {"abc"}}, false, Resource_Path));
    const QByteArray sheetXml = part(path, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheetXml.contains("<dimension ref=\"A1:A4\"/>"));
    EXPECT_TRUE(sheetXml.contains("<c r=\"A2\"><v>10</v></c>"));
    EXPECT_TRUE(sheetXml.contains("<c r=\"A4\" t=\"s\"><v>1</v></c>"));
    EXPECT_TRUE(part(path, "xl/sharedStrings.xml").contains("count=\"2\" uniqueCount=\"2\"><si><t>Batch Value</t></si><si><t>abc</t></si></sst>"));
    const QString numbers = dir.path() + "/numbers.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(numbers, {{"1", "-2.5"}}, false, Resource_Path));
    EXPECT_TRUE(part(numbers, "xl/sharedStrings.xml").endsWith("/main\"></sst>\n"));  // no count for no strings
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    const QJsonObject view = openpyxlView(path);
    EXPECT_EQ(view["dims"].toString(), "A1:A4");
    EXPECT_EQ(QJsonDocument(view["rows"].toArray()).toJson(QJsonDocument::Compact),
              R"([[["str","Batch Value"]],[["int",10]],[["int",20]],[["str","abc"]]])");
}

TEST_F(SpreadsheetWrite, SheetPartFollowsTheFirstRow)
{
    SheetRows rows{{}};
    for (int c = 1; c <= 12; ++c) rows[0] << QStringLiteral("Title %1").arg(c);
    for (int r = 0; r < 24; ++r) rows << QStringList{"visit", "x", "x"};
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, rows, false, Resource_Path));
    const QByteArray xml = part(path, "xl/worksheets/sheet1.xml");
    const QList<QByteArray> order = {"<dimension ref=\"A1:L25\"/>", "<selection activeCell=\"L25\" sqref=\"L25\"/>",
                                     "<sheetFormatPr", "<sheetData>", "<pageMargins", "<extLst>", "</worksheet>"};
    qsizetype at = 0;
    for (const QByteArray &piece : order) {
        const qsizetype next = xml.indexOf(piece, at);
        EXPECT_GT(next, at - 1) << piece.constData();
        at = std::max(at, next);
    }
    EXPECT_EQ(xml.count("spans=\"1:12\""), 25);
    // No merging: every string cell has an item of its own.
    EXPECT_TRUE(part(path, "xl/sharedStrings.xml").contains("count=\"84\" uniqueCount=\"84\""));
}

TEST_F(SpreadsheetWrite, TextsThatLookAlmostLikeNumbersOrEscapesSurvive)
{
    const QStringList texts = {"0123", "3,5", "12345678901234567", " lead", "_x0041_", "a\x01" "b", "<&>", "",
                               QString::fromUtf8("Łódź 東京")};
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, {texts}, false, Resource_Path));
    EXPECT_EQ(readBack(path), SheetRows({texts}));
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    const QJsonArray cells = openpyxlView(path)["rows"].toArray()[0].toArray();
    ASSERT_EQ(cells.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        const QString expected = texts[i] == "a\x01" "b" ? "a_x0001_b" : texts[i];  // openpyxl keeps the escape
        if (texts[i].isEmpty()) continue;                                        // openpyxl reads "" as None
        EXPECT_EQ(cells[i].toArray()[0].toString(), "str") << i;
        EXPECT_EQ(cells[i].toArray()[1].toString(), expected) << i;
    }
}

TEST_F(SpreadsheetWrite, ColumnsAreNamedPastZ)
{
    QStringList row;
    for (int c = 1; c <= 702; ++c) row << QStringLiteral("c%1").arg(c);
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, {row}, false, Resource_Path));
    const QByteArray xml = part(path, "xl/worksheets/sheet1.xml");
    for (const char *cell : {"<c r=\"Z1\" t=\"s\"><v>25<", "<c r=\"AA1\" t=\"s\"><v>26<", "<c r=\"AZ1\" t=\"s\"><v>51<",
                             "<c r=\"BA1\" t=\"s\"><v>52<", "<c r=\"ZZ1\" t=\"s\"><v>701<", "<dimension ref=\"A1:ZZ1\"/>"})
        EXPECT_TRUE(xml.contains(cell)) << cell;
    EXPECT_EQ(readBack(path), SheetRows({row}));
}

TEST_F(SpreadsheetWrite, RandomRowsRoundTrip)
{
    QRandomGenerator random(1234);
    const QString alphabet = QString::fromUtf8("abcXYZ 0123456789.-,_&<>\"'\tÄöß名前Ωж😀\n");
    SheetRows rows;
    for (int r = 0; r < 2000; ++r) {
        QStringList row;
        for (int c = 0; c < 6; ++c) {
            QString cell;
            const int length = random.bounded(12);
            for (int i = 0; i < length; ++i) {
                const qsizetype at = random.bounded(alphabet.size());
                cell += alphabet[at];
                if (alphabet[at].isHighSurrogate()) cell += alphabet[at + 1];
                if (alphabet[at].isLowSurrogate()) cell.chop(1);
            }
            row << cell;
        }
        rows << row;
    }
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, rows, false, Resource_Path));
    EXPECT_EQ(readBack(path), rows);
}

TEST_F(SpreadsheetWrite, FailedWritesLeaveTheOldFile)
{
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const QString resources = Resource_Path;
    const struct { const char *why; SheetRows rows; QString resources; QString target; } cases[] = {
        {"no rows", {}, resources, path},
        {"empty first row", {{}, {"x"}}, resources, path},
        {"no template", {{"x"}}, dir.path() + "/", path},
        {"unwritable folder", {{"x"}}, resources, path + "/inside.xlsx"},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(c.target, c.rows, false, c.resources)) << c.why;
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old") << c.why;
        old.close();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << c.why;
    }
}

// What Excel refuses to open is not written: the call fails and an old file stays.
TEST_F(SpreadsheetWrite, RowsBeyondWhatAWorkbookHoldsAreRefused)
{
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const QStringList wide = QStringList(16384, QStringLiteral("w"));
    const struct { const char *what; SheetRows rows; bool written; } rows[] = {
        {"a cell of 32,767 characters", {{QString(32767, u'x')}}, true},
        {"a cell of 32,768 characters", {{"title"}, {QString(32768, u'x')}}, false},
        {"16,384 columns", {wide}, true},
        {"16,385 columns", {{"title"}, wide + QStringList{"one more"}}, false},
        {"1,048,577 rows", SheetRows(1048577, QStringList{"r"}), false},
    };
    for (const auto &r : rows) {
        const QString target = r.written ? dir.path() + "/fits.xlsx" : path;
        EXPECT_EQ(SpreadsheetWriter::WriteWorkbook(target, r.rows, false, Resource_Path), r.written) << r.what;
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old") << r.what;
        old.close();
    }
    SpreadsheetWriter reader;
    reader.ReadWorkbook(dir.path() + "/fits.xlsx", true);
    reader.ReadData_only_column();
    EXPECT_EQ(reader.ReadWorkbook(dir.path() + "/fits.xlsx", false), SheetRows({wide}));
}
