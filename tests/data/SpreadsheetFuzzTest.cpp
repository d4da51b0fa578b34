// Seeded mutations of small valid files for each reader: every input gives rows or a
// refusal, never a crash or a hang, and leaves nothing in the temporary folder.
#include "PrivateTemp.h"
#include "CellDisplay.h"
#include "Fuzz.h"
#include "PrivateTemp.h"
#include "Globals.h"
#include "PrivateTemp.h"
#include "SpreadsheetWriter.h"
#include "PrivateTemp.h"
#include "ZipArchive.h"
#include "PrivateTemp.h"
#include "ZipReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

using Parts = QList<std::pair<QString, QByteArray>>;

Parts partsOf(const QString &path)
{
    Parts parts;
    ZipReader zip(path);
    for (const QString &name : zip.names()) {
        QByteArray bytes;
        zip.readAll(name, bytes);
        parts.append({name, bytes});
    }
    return parts;
}

bool pack(const QString &path, const Parts &parts)
{
    QFile::remove(path);
    ZipArchive zip(path);
    if (!zip.open()) return false;
    for (const auto &[name, bytes] : parts) zip.writeData(bytes, name);
    return zip.close();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const SheetRows kSeedRows = {{"Name", "Count", " spaced "}, {"Zoë & <co>", "12", ""}, {"x", "-3.5", "_x0041_"}, {"", "", "last"}};

// A workbook with inline strings, rich text, formulas, references out of order.
const QByteArray kHandSheet =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><dimension ref=\"A1:C3\"/>"
    "<sheetData><row r=\"1\"><c r=\"B1\" t=\"s\"><v>1</v></c><c r=\"A1\" t=\"inlineStr\"><is><r><t>in</t></r>"
    "<rPh><t>x</t></rPh><r><t>line</t></r></is></c></row><row r=\"3\"><c r=\"C3\"><f>1+1</f><v>2</v></c>"
    "<c t=\"str\"><v>a&amp;b</v></c></row></sheetData></worksheet>";
const QByteArray kHandStrings =
    "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>a</t></si>"
    "<si><r><t>b</t></r><r><t>c</t></r></si></sst>";

class SpreadsheetFuzz : public ::testing::Test {
protected:
    QStringList leftInTemp() const { return m_temp.left(); }

    // Runs `read` on mutations of the seed files: the archive bytes mutated, or (for
    // archives) one part mutated and packed again.
    void run(const QStringList &seeds, bool archives, quint32 seed, const std::function<void(const QString &)> &read)
    {
        fuzz::QuietLog quiet;
        fuzz::Mutator mutator(seed);
        fuzz::Watchdog watchdog(std::chrono::seconds(20));
        const QString input = m_work.path() + "/input";
        const int rounds = fuzz::rounds(150);
        for (int round = 0; round < rounds; ++round) {
            const QString &seedFile = seeds[mutator.below(seeds.size())];
            const QByteArray seedBytes = readBytes(seedFile);
            if (archives && mutator.below(2) == 0) {
                Parts parts = partsOf(seedFile);
                auto &part = parts[mutator.below(parts.size())];
                part.second = mutator.mutate(part.second, kHandSheet);
                ASSERT_TRUE(pack(input, parts));
            } else {
                writeBytes(input, mutator.mutate(seedBytes, seedBytes));
            }
            watchdog.next(QStringLiteral("round %1 of %2").arg(round).arg(seedFile).toStdString());
            read(input);
            ASSERT_EQ(leftInTemp(), QStringList()) << "round " << round;
        }
    }

    QTemporaryDir m_work;
    testsupport::PrivateTemp m_temp;
};

} // namespace

TEST_F(SpreadsheetFuzz, ZipArchive)
{
    const QString seed = m_work.path() + "/seed.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(seed, kSeedRows, false, Resource_Path));
    const QString dest = m_work.path() + "/dest";
    run({seed}, true, 2901, [&](const QString &input) {
        if (!ZipArchive::unzipFileAtPath(input, dest)) {
            EXPECT_EQ(QDir(dest).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        }
        QDir(dest).removeRecursively();
        QByteArray bytes;
        ZipArchive::readEntry(input, QStringLiteral("xl/worksheets/sheet1.xml"), bytes);
    });
}

TEST_F(SpreadsheetFuzz, ReadWorkbook)
{
    const QString ours = m_work.path() + "/ours.xlsx", hand = m_work.path() + "/hand.xlsx";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(ours, kSeedRows, false, Resource_Path));
    ASSERT_TRUE(pack(hand, {{"xl/workbook.xml", "<workbook><sheets><sheet name=\"S\"/></sheets></workbook>"},
                            {"xl/sharedStrings.xml", kHandStrings},
                            {"xl/worksheets/sheet1.xml", kHandSheet}}));
    // Dates: styles with built-in and custom date formats, the 1904 system, ISO cells.
    const QString dated = m_work.path() + "/dated.xlsx";
    ASSERT_TRUE(pack(dated, {{"xl/workbook.xml", "<workbook><workbookPr date1904=\"1\"/><sheets><sheet name=\"S\"/></sheets></workbook>"},
                             {"xl/styles.xml", "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy&quot;x&quot;[h]:mm AM/PM\"/>"
                                               "<numFmt numFmtId=\"165\" formatCode=\"[Red][&gt;=1][mm] &quot;min&quot; a/p\"/>"
                                               "</numFmts><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
                                               "<xf numFmtId=\"47\"/><xf numFmtId=\"30\"/><xf numFmtId=\"33\"/><xf numFmtId=\"165\"/>"
                                               "</cellXfs></styleSheet>"},
                             {"xl/worksheets/sheet1.xml",
                              "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>46389.5</v></c>"
                              "<c r=\"B1\" s=\"2\"><v>-3</v></c><c r=\"C1\" s=\"3\"><v>1e300</v></c>"
                              "<c r=\"D1\" t=\"d\"><v>2027-01-02T14:30:00Z</v></c><c r=\"E1\"><v>1.0E7</v></c>"
                              "<c r=\"F1\" s=\"4\"><v>45000.75</v></c><c r=\"G1\" s=\"5\"><v>0.5</v></c>"
                              "<c r=\"H1\" s=\"6\"><v>1.5</v></c></row>"
                              "</sheetData></worksheet>"}}));
    run({ours, hand, dated}, true, 2902, [](const QString &input) {
        SpreadsheetWriter reader;
        reader.ReadWorkbook(input, true);
        const SheetRows header = reader.ReadData_only_column();
        const SheetRows rows = reader.ReadWorkbook(input, false);
        for (const QStringList &row : rows) ASSERT_EQ(row.size(), reader.Excel_Sheet_Columns);
        if (!header.isEmpty()) {
            ASSERT_EQ(header.front().size(), reader.Excel_Sheet_Columns);
        }
    });
}

TEST_F(SpreadsheetFuzz, ReadODS)
{
    const QString seed = m_work.path() + "/seed.ods";
    ASSERT_TRUE(SpreadsheetWriter::WriteODS(seed, kSeedRows, false, Resource_Path));
    // Values held only in attributes, as other programs write them.
    const QString values = m_work.path() + "/values.ods";
    ASSERT_TRUE(pack(values, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                              {"content.xml",
                               "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                               "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\"><office:body><office:spreadsheet>"
                               "<table:table><table:table-row><table:table-cell office:value-type=\"float\" office:value=\"1e20\"/>"
                               "<table:table-cell office:value-type=\"date\" office:date-value=\"2027-01-02T14:30:15.5\"/>"
                               "<table:table-cell office:value-type=\"time\" office:time-value=\"P1DT2H3M4.5S\" "
                               "table:number-columns-repeated=\"3\"/><table:table-cell office:boolean-value=\"true\"/>"
                               "<table:table-cell office:value-type=\"string\" office:string-value=\"a&amp;b\"/>"
                               "</table:table-row></table:table></office:spreadsheet></office:body></office:document-content>"}}));
    run({seed, values}, true, 2903, [](const QString &input) {
        for (const QStringList &row : SpreadsheetWriter::ReadODS(input)) ASSERT_LE(row.size(), 16384);
    });
}

TEST_F(SpreadsheetFuzz, ReadWorksheetXML2004)
{
    const QString seed = m_work.path() + "/seed.xml";
    ASSERT_TRUE(SpreadsheetWriter::WriteWorksheetXML2004(seed, kSeedRows));
    run({seed}, false, 2904, [](const QString &input) { SpreadsheetWriter::ReadWorksheetXML2004(input); });
}

TEST_F(SpreadsheetFuzz, CellDisplay)
{
    fuzz::Mutator mutator(2905);
    const QByteArray seeds[] = {"yyyy-mm-dd h:mm:ss", "[$-409]dddd, mmmm d, yyyy;@", "[h]:mm:ss.00", "\"at\" h AM/PM",
                                "1.234567890123457e+16", "2027-01-02T14:30:00Z", "[Red][>=100][mm] \"min\" a/p",
                                "[Color 10]d/m/yyyy", "-P1DT2H3M4.5S", "hh:mm:ss;hh:mm:ss"};
    // Values far past the calendar either way, whichever section shows them.
    const double far[] = {1e300, -1e300, 1e20, -1e20, -9.3e18 / 86400, -2958466, 1.7e308};
    for (int round = 0; round < fuzz::rounds(2000); ++round) {
        const QByteArray &seed = seeds[mutator.below(std::size(seeds))];
        const QString code = QString::fromUtf8(mutator.mutate(seed, seed));
        const double value = mutator.below(8) == 0 ? far[mutator.below(std::size(far))]
                             : mutator.below(2)   ? double(mutator.below(3'000'000)) / 7.0
                                                  : -double(mutator.below(9));
        Is_Date_Format(code);
        const QString shown = Date_Cell_Text(value, code, mutator.below(2) == 0);
        ASSERT_LE(shown.size(), 64 + 16 * code.size()) << "round " << round;
        Number_Cell_Text(code);
        double serial = 0;
        Iso_To_Serial(code, false, &serial);
        ASSERT_LE(Iso_Date_Text(code).size(), 32 + code.size()) << "round " << round;
        ASSERT_LE(Iso_Duration_Text(code).size(), 32 + code.size()) << "round " << round;
    }
}
