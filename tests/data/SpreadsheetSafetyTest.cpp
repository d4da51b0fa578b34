// One workbook per reader, writers that share nothing, and damaged archives refused
// with nothing left behind.
#include "PrivateTemp.h"
#include "Checkers.h"
#include "CraftedZip.h"
#include "Globals.h"
#include "SpreadsheetFolder.h"
#include "SpreadsheetWriter.h"
#include "ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

SheetRows numbered(const QString &tag, int count)
{
    SheetRows rows{{tag + QStringLiteral(" title")}};
    for (int i = 1; i <= count; ++i) rows << QStringList{tag + QString::number(i)};
    return rows;
}

SheetRows readSheet(SpreadsheetWriter &reader, const QString &path, int number)
{
    reader.Excel_Sheet_Number = number;
    reader.ReadData_only_column();
    return reader.ReadWorkbook(path, false);
}

// openpyxl's rows of the active sheet as "a|b" lines.
QString openpyxlRows(const QString &path)
{
    return checkers::python(QStringLiteral(R"(
import sys, openpyxl
for row in openpyxl.load_workbook(sys.argv[1]).active.iter_rows(values_only=True):
    print('|'.join('' if v is None else str(v) for v in row))
)"), {path});
}

QString lines(const SheetRows &rows)
{
    QString out;
    for (const QStringList &row : rows) out += row.join(u'|') + u'\n';
    return out;
}

using testsupport::PrivateTemp;

} // namespace

TEST(SpreadsheetSafety, ReadersAndWritersInOneProcessSeeOnlyTheirOwnFiles)
{
    QTemporaryDir dir;
    const QString two = dir.path() + "/two.xlsx", third = dir.path() + "/third.xlsx";
    ASSERT_EQ(checkers::writeStaffWorkbook(two), "");  // sheets 1 and 2
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(third, numbered("third", 3), false, Resource_Path));

    SpreadsheetWriter first;
    first.ReadWorkbook(two, true);
    ASSERT_EQ(first.Sheet_List(), QStringList({"sheet1", "sheet2"}));
    SpreadsheetWriter second;
    second.ReadWorkbook(third, true);

    const SheetRows a = numbered("a", 4000), b = numbered("b", 4000);
    const QString outA = dir.path() + "/a.xlsx", outB = dir.path() + "/b.xlsx";
    bool wroteA = false, wroteB = false;
    std::thread ta([&] { wroteA = SpreadsheetWriter::WriteWorkbook(outA, a, false, Resource_Path); });
    std::thread tb([&] { wroteB = SpreadsheetWriter::WriteWorkbook(outB, b, false, Resource_Path); });
    ta.join();
    tb.join();
    ASSERT_TRUE(wroteA && wroteB);

    EXPECT_EQ(first.Sheet_List(), QStringList({"sheet1", "sheet2"}));
    EXPECT_EQ(readSheet(first, two, 1), SheetRows({{"Name", "", "Photo"}, {"a", "", "c"}, {"42", "TRUE", ""}}));
    EXPECT_EQ(readSheet(first, two, 2), SheetRows({{"second"}}));
    EXPECT_EQ(second.Sheet_List(), QStringList({"sheet1"}));
    EXPECT_EQ(readSheet(second, third, 1), numbered("third", 3));
    SpreadsheetWriter check;
    check.ReadWorkbook(outA, true);
    EXPECT_EQ(readSheet(check, outA, 1), a);
    check.ReadWorkbook(outB, true);
    EXPECT_EQ(readSheet(check, outB, 1), b);
    if (!checkers::hasOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
    EXPECT_EQ(openpyxlRows(outA), lines(a));
    EXPECT_EQ(openpyxlRows(outB), lines(b));
}

TEST(SpreadsheetSafety, OpeningStartsFromNothing)
{
    QTemporaryDir dir;
    const QString good = dir.path() + "/good.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(good, numbered("g", 2), false, Resource_Path));
    QFile foreign(dir.path() + "/notes.xlsx");
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("plain text, not a workbook");
    foreign.close();
    for (const QString &bad : {dir.path() + "/missing.xlsx", foreign.fileName()}) {
        SpreadsheetWriter reader;
        reader.ReadWorkbook(good, true);
        ASSERT_EQ(readSheet(reader, good, 1), numbered("g", 2));
        EXPECT_TRUE(reader.ReadWorkbook(bad, true).isEmpty()) << bad.toStdString();
        EXPECT_TRUE(reader.data.isEmpty()) << bad.toStdString();
        EXPECT_TRUE(reader.Sheet_List().isEmpty()) << bad.toStdString();
        EXPECT_TRUE(reader.Read_Sheet_Name().isEmpty()) << bad.toStdString();
        EXPECT_TRUE(reader.ReadData_only_column().isEmpty()) << bad.toStdString();
        EXPECT_TRUE(reader.ReadWorkbook(bad, false).isEmpty()) << bad.toStdString();
    }
    SpreadsheetWriter closing;
    closing.ReadWorkbook(good, true);
    closing.Delete_Excel_File_Temp_Folder();
    EXPECT_TRUE(closing.Sheet_List().isEmpty());
    EXPECT_TRUE(readSheet(closing, good, 1).isEmpty());
}

TEST(SpreadsheetSafety, FoldersOfDeadProcessesAreRemoved)
{
    QTemporaryDir root;
    QProcess finished;
    finished.start(QStringLiteral("true"));
    ASSERT_TRUE(testsupport::processFinished(finished, "true"));
    const qint64 dead = finished.processId() > 0 ? finished.processId() : 999999;
    const struct { QString name; bool stays; } rows[] = {
        {QStringLiteral("spreadsheet-%1-AbC123").arg(dead), false},
        {QStringLiteral("spreadsheet-%1-AbC123").arg(::getppid()), true},  // a running process
        {QStringLiteral("spreadsheet-%1-AbC123").arg(::getpid()), true},   // this one
        {QStringLiteral("spreadsheet-XyZ789"), true},                      // not ours to judge
        {QStringLiteral("photos-%1-AbC123").arg(dead), true},
    };
    for (const auto &r : rows) {
        ASSERT_TRUE(QDir().mkpath(root.path() + u'/' + r.name + "/xl"));
        QFile f(root.path() + u'/' + r.name + "/xl/sheet1.xml");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString made;
    {
        const SpreadsheetFolder folder(root.path());
        ASSERT_TRUE(folder.isValid());
        made = folder.path();
        EXPECT_TRUE(QFileInfo(made).fileName().startsWith(QStringLiteral("spreadsheet-%1-").arg(::getpid())));
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(made).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        for (const auto &r : rows) EXPECT_EQ(QFileInfo::exists(root.path() + u'/' + r.name), r.stays) << r.name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(made));
}

TEST(SpreadsheetSafety, WritesAndReadsLeaveNothingInTheTemporaryFolder)
{
    QTemporaryDir dir;
    const PrivateTemp temp;
    const QString path = dir.path() + "/out.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, numbered("x", 10), false, Resource_Path));
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(dir.path() + "/out.ods", numbered("x", 10), false, Resource_Path));
    SpreadsheetWriter reader;
    reader.ReadWorkbook(path, true);
    EXPECT_EQ(readSheet(reader, path, 1), numbered("x", 10));
    EXPECT_EQ(SpreadsheetWriter::ReadODS(dir.path() + "/out.ods"), numbered("x", 10));
    EXPECT_EQ(temp.left(), QStringList());
}

// Archives whose sheet stream is cut short (sizes and CRC of the whole kept), whose
// CRC or sizes lie, whose workbook part has a damaged byte, or whose styles part (read
// by nobody) has a CRC that lies: each refused by the
// workbook reader and by the unpacker, nothing left behind.
TEST(SpreadsheetSafety, DamagedArchivesAreRefused)
{
    QTemporaryDir dir;
    const QString script = QStringLiteral(R"(
import os
out = sys.argv[1]
main = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
rows = ''.join('<row r="%d"><c r="A%d"><v>%d</v></c></row>' % (i, i, i) for i in range(1, 2001))
sheet = '<worksheet xmlns="%s"><sheetData>%s</sheetData></worksheet>' % (main, rows)
book = '<workbook xmlns="%s"><sheets><sheet name="Staff"/></sheets></workbook>' % main
strings = '<sst xmlns="%s"><si><t>a</t></si></sst>' % main
def workbook(name, **sheet_changes):
    s = dict(name='xl/worksheets/sheet1.xml', data=sheet); s.update(sheet_changes)
    w = dict(name='xl/workbook.xml', data=book)
    if name == 'flipped.xlsx': w['flip'] = 20
    styles = dict(name='xl/styles.xml', data='<styleSheet xmlns="%s"/>' % main)
    if name == 'styles.xlsx': styles['crc'] = 1
    make(os.path.join(out, name), [w, dict(name='xl/sharedStrings.xml', data=strings), s, styles])
workbook('good.xlsx')
half = sheet[:len(sheet) // 2]
workbook('short.xlsx', stream=half.encode())
workbook('flipped.xlsx')
workbook('crc.xlsx', crc=12345)
workbook('longer.xlsx', size=len(sheet) + 1)
workbook('shorter.xlsx', size=len(sheet) - 1)
workbook('stored-short.xlsx', method=0, stream=half.encode())
workbook('styles.xlsx')
)");
    ASSERT_EQ(crafted::make(dir.path(), script), "");
    {
        SpreadsheetWriter reader;
        const QString good = dir.path() + "/good.xlsx";
        reader.ReadWorkbook(good, true);
        EXPECT_EQ(reader.Read_Sheet_Name(), QStringList({"Staff"}));
        EXPECT_EQ(readSheet(reader, good, 1).size(), 2000);
    }
    const PrivateTemp temp;
    for (const char *name : {"short.xlsx", "flipped.xlsx", "crc.xlsx", "longer.xlsx", "shorter.xlsx", "stored-short.xlsx",
                             "styles.xlsx"}) {
        const QString path = dir.path() + u'/' + QString::fromLatin1(name);
        SpreadsheetWriter reader;
        reader.ReadWorkbook(path, true);
        EXPECT_TRUE(reader.Sheet_List().isEmpty()) << name;
        EXPECT_TRUE(readSheet(reader, path, 1).isEmpty()) << name;
        const QString dest = dir.path() + "/unpacked";
        EXPECT_FALSE(ZipArchive::unzipFileAtPath(path, dest)) << name;
        EXPECT_EQ(QDir(dest).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList()) << name;
        QByteArray bytes;
        bool everyPartReads = true;
        for (const char *part : {"xl/worksheets/sheet1.xml", "xl/workbook.xml", "xl/styles.xml"})
            everyPartReads = ZipArchive::readEntry(path, part, bytes) && everyPartReads;
        EXPECT_FALSE(everyPartReads) << name;
    }
    EXPECT_EQ(temp.left(), QStringList());
}

// A list saved by Calc: 3 rows, a blank header cell, a formatted column beside the
// values. Calc pads its rows with repeated empty cells and rows.
TEST(SpreadsheetSafety, ListSavedByCalcReadsAsItsRowsAndColumns)
{
    if (checkers::soffice().isEmpty() || !checkers::hasOpenpyxl()) GTEST_SKIP() << "LibreOffice or openpyxl missing";
    QTemporaryDir dir;
    const QString made = dir.path() + "/list.xlsx";
    ASSERT_EQ(checkers::python(QStringLiteral(R"(
import sys, openpyxl
from openpyxl.styles import Font, PatternFill
wb = openpyxl.Workbook(); ws = wb.active
for row in (['Name', None, 'Photo'], ['a', 'b', 'c'], ['d', None, 'f']): ws.append(row)
for r in range(1, 200):
    ws.cell(row=r, column=5).fill = PatternFill('solid', fgColor='FFFF00')
    ws.cell(row=r, column=5).font = Font(bold=True)
wb.save(sys.argv[1])
)"), {made}), "");
    const SheetRows expected = {{"Name", "", "Photo"}, {"a", "b", "c"}, {"d", "", "f"}};
    const QString xlsx = checkers::convert(made, "xlsx", dir.path() + "/calc");
    const QString ods = checkers::convert(made, "ods", dir.path() + "/calc");
    ASSERT_FALSE(xlsx.isEmpty());
    ASSERT_FALSE(ods.isEmpty());
    SpreadsheetWriter reader;
    reader.ReadWorkbook(xlsx, true);
    EXPECT_EQ(reader.ReadData_only_column(), SheetRows({{"Name", "Untitled Column 2", "Photo"}}));
    EXPECT_EQ(reader.ReadWorkbook(xlsx, false), expected);
    EXPECT_EQ(SpreadsheetWriter::ReadODS(ods), expected);
}

// The sheet read when the workbook opens serves its header and full reads: the
// archive is not read a second time (its file spoiled after opening shows it).
TEST(SpreadsheetSafety, TheFirstSheetIsReadOnceWhenTheWorkbookOpens)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/once.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(path, numbered("o", 3), false, Resource_Path));
    SpreadsheetWriter reader;
    reader.ReadWorkbook(path, true);
    QFile spoil(path);
    ASSERT_TRUE(spoil.open(QIODevice::ReadWrite));
    spoil.write(QByteArray(int(spoil.size()), 'x'));
    spoil.close();
    EXPECT_EQ(reader.ReadData_only_column(), SheetRows({{"o title"}}));
    EXPECT_EQ(reader.ReadWorkbook(path, false), numbered("o", 3));
}
