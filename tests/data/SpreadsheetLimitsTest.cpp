// Hostile inputs, each read by the probe in a process of its own under a 1 GiB
// address-space limit (or, under AddressSanitizer, with its peak resident memory
// checked): each is refused or read within bounds, and nothing is left behind.
#include "Checkers.h"
#include "CraftedZip.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr long kPeakLimitKiB = 1L << 20;  // 1 GiB

struct ProbeResult {
    bool finished = false;
    QString output;  // the first line
    long peakKiB = -1;
};

ProbeResult probe(const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QStringLiteral(DATA_LIMIT_PROBE), args);
    ProbeResult r;
    r.finished = testsupport::processFinished(p, "the limit probe") && p.exitStatus() == QProcess::NormalExit
                 && p.exitCode() == 0;
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty()) r.output = lines.front();
    if (lines.size() > 1 && lines[1].startsWith("peak_kib=")) r.peakKiB = lines[1].mid(9).toLong();
    return r;
}

const char *const kShapes = R"(
import os
out = sys.argv[1]
main = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
def sheet(data): return '<worksheet xmlns="%s"><sheetData>%s</sheetData></worksheet>' % (main, data)
def workbook(name, sheet_xml=None, strings=None, extra=()):
    entries = [dict(name='xl/workbook.xml', data='<workbook xmlns="%s"><sheets><sheet name="S"/></sheets></workbook>' % main)]
    if strings is not None: entries.append(dict(name='xl/sharedStrings.xml', data=strings))
    entries.append(dict(name='xl/worksheets/sheet1.xml', data=sheet_xml or sheet('<row r="1"><c r="A1"><v>1</v></c></row>')))
    entries.extend(extra)
    make(os.path.join(out, name), entries)
# Archive limits, the files staying small.
workbook('entries.xlsx', extra=[dict(name='xl/media/e%05d' % i, data='', method=0) for i in range(10001)])
workbook('entry.xlsx', extra=[dict(name='xl/media/big.bin', chunks=(b'\0' * (1 << 20), 513))])
workbook('entry-declared-small.xlsx', extra=[dict(name='xl/media/big.bin', chunks=(b'\0' * (1 << 20), 3), size=1000)])
workbook('total.xlsx', extra=[dict(name='xl/media/b%d.bin' % i, chunks=(b'\0' * (1 << 20), 400)) for i in range(3)])
# Deep nesting.
deep = '<r>' * 100000 + '<t>x</t>' + '</r>' * 100000
workbook('deep-strings.xlsx', strings='<sst xmlns="%s"><si>%s</si></sst>' % (main, deep))
workbook('deep-inline.xlsx', sheet('<row r="1"><c r="A1" t="inlineStr"><is>%s</is></c></row>' % deep))
ns = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
      'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
      'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')
def ods(name, rows):
    content = ('<office:document-content %s><office:body><office:spreadsheet><table:table>%s</table:table>'
               '</office:spreadsheet></office:body></office:document-content>') % (ns, rows)
    make(os.path.join(out, name), [dict(name='mimetype', data='application/vnd.oasis.opendocument.spreadsheet', method=0),
                                   dict(name='content.xml', data=content)])
span = '<text:span>' * 100000 + 'x' + '</text:span>' * 100000
ods('deep-span.ods', '<table:table-row><table:table-cell><text:p>%s</text:p></table:table-cell></table:table-row>' % span)
# Cells materialised blindly.
workbook('xfd1.xlsx', sheet('<row r="1"><c r="XFD1"><v>1</v></c></row>' + ''.join('<row r="%d"/>' % r for r in range(2, 200002))))
ods('repeated.ods', '<table:table-row><table:table-cell table:number-columns-repeated="16384"><text:p>x</text:p>'
                    '</table:table-cell></table:table-row>' * 20000)
ods('repeated-rows.ods', '<table:table-row table:number-rows-repeated="1000000"><table:table-cell table:number-columns-repeated="30">'
                         '<text:p>x</text:p></table:table-cell></table:table-row>')
ods('padded.ods', '<table:table-row><table:table-cell><text:p>a</text:p></table:table-cell>'
                  '<table:table-cell table:number-columns-repeated="16383"/></table:table-row>'
                  '<table:table-row table:number-rows-repeated="1048575"><table:table-cell table:number-columns-repeated="16384"/>'
                  '</table:table-row>')
# The cell limit at its value and one row over; a row's values stop at column XFD.
def block(rows): return ('<table:table-row table:number-rows-repeated="%d"><table:table-cell table:number-columns-repeated="2000">'
                         '<text:p>x</text:p></table:table-cell></table:table-row>') % rows
ods('exact.ods', block(10000))
ods('over.ods', block(10001))
ods('edge.ods', '<table:table-row><table:table-cell table:number-columns-repeated="16380"/>'
                '<table:table-cell table:number-columns-repeated="10"><text:p>x</text:p></table:table-cell></table:table-row>')
open(os.path.join(out, 'deep.xml'), 'w').write('<Workbook><Worksheet><Table><Row><Cell><Data>' + '<B>' * 100000 + '</B>' * 100000 + '</Data></Cell></Row></Table></Worksheet></Workbook>')
)";

class SpreadsheetLimits : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shapes = new QTemporaryDir;
        ASSERT_EQ(crafted::make(shapes->path(), QString::fromLatin1(kShapes)), "");
    }
    static void TearDownTestSuite() { delete shapes; }
    static QString file(const char *name) { return shapes->path() + u'/' + QString::fromLatin1(name); }
    static QTemporaryDir *shapes;
};
QTemporaryDir *SpreadsheetLimits::shapes = nullptr;

} // namespace

TEST_F(SpreadsheetLimits, EachShapeIsRefusedOrReadWithinBounds)
{
    const struct { const char *file, *kind, *expected; } rows[] = {
        {"entries.xlsx", "xlsx", "sheets=0 rows=0 columns=0"},
        {"entry.xlsx", "xlsx", "sheets=0 rows=0 columns=0"},
        {"entry-declared-small.xlsx", "xlsx", "sheets=0 rows=0 columns=0"},
        {"total.xlsx", "xlsx", "sheets=0 rows=0 columns=0"},
        {"deep-strings.xlsx", "xlsx", "sheets=0 rows=0 columns=0"},
        {"deep-inline.xlsx", "xlsx", "sheets=0 rows=0 columns=0"},
        {"deep-span.ods", "ods", "sheets=0 rows=0 columns=0"},
        {"deep.xml", "xml2003", "sheets=0 rows=0 columns=0"},
        {"xfd1.xlsx", "xlsx", "sheets=1 rows=1 columns=16384"},
        {"repeated.ods", "ods", "sheets=0 rows=0 columns=0"},
        {"repeated-rows.ods", "ods", "sheets=0 rows=0 columns=0"},
        {"padded.ods", "ods", "sheets=0 rows=1 columns=1"},
        {"exact.ods", "ods", "sheets=0 rows=10000 columns=2000"},
        {"over.ods", "ods", "sheets=0 rows=0 columns=0"},
        {"edge.ods", "ods", "sheets=0 rows=1 columns=16384"},
    };
    for (const auto &r : rows) {
        const ProbeResult result = probe({r.kind, file(r.file)});
        EXPECT_TRUE(result.finished) << r.file;
        EXPECT_EQ(result.output, r.expected) << r.file;
        EXPECT_GT(result.peakKiB, 0) << r.file;
        EXPECT_LT(result.peakKiB, kPeakLimitKiB) << r.file;
    }
}

TEST_F(SpreadsheetLimits, UnpackingStopsAtTheLimitsAndLeavesNothing)
{
    QTemporaryDir dest;
    for (const char *name : {"entries.xlsx", "entry.xlsx", "entry-declared-small.xlsx"}) {
        const ProbeResult result = probe({"unzip", file(name), dest.path() + "/out"});
        EXPECT_TRUE(result.finished) << name;
        EXPECT_EQ(result.output, "unzip=0") << name;
        EXPECT_FALSE(QDir(dest.path() + "/out").exists()) << name;
    }
}
