#pragma once
// Independent checkers run at test time: Python's zipfile and openpyxl through
// /usr/bin/python3, and LibreOffice's headless converter.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace checkers {

// Runs the Python script with the arguments; its standard output, or "ERROR: ..."
// with its standard error when it fails.
inline QString python(const QString &script, const QStringList &args = {})
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + args);
    if (!testsupport::checkerFinished(p) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("ERROR: ") + QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Whether openpyxl is installed (scripts/install-deps.sh --test installs it); a python3
// that fails otherwise fails the test.
inline bool hasOpenpyxl()
{
    const QString out = python(QStringLiteral("import openpyxl"));
    if (out.contains(QLatin1String("No module named 'openpyxl'"))) return false;
    EXPECT_EQ(out.toStdString(), "") << "python3 -c 'import openpyxl'";
    return out.isEmpty();
}

// Writes with openpyxl the workbook both readers' tests use: a blank header cell (B1),
// a bold cell, rows 1, 2 and 5, a number and a boolean, and a second sheet. Returns
// the script's output ("" on success).
inline QString writeStaffWorkbook(const QString &path)
{
    return python(QStringLiteral(R"(
import sys, openpyxl
from openpyxl.styles import Font
wb = openpyxl.Workbook()
ws = wb.active
ws['A1'] = 'Name'; ws['C1'] = 'Photo'; ws['C1'].font = Font(bold=True)
ws['A2'] = 'a'; ws['C2'] = 'c'
ws['A5'] = 42; ws['B5'] = True
wb.create_sheet('Second')['A1'] = 'second'
wb.save(sys.argv[1])
)"), {path});
}

// Writes with openpyxl a workbook of dates, times and numbers in the date system
// `epoch` ("1900" or "1904"): openpyxl's own date formats, a custom "dd/mm/yyyy",
// the built-in format 14, a time, large and inexact numbers.
inline QString writeDatesWorkbook(const QString &path, const QString &epoch = QStringLiteral("1900"))
{
    return python(QStringLiteral(R"(
import sys, datetime, openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904
wb = openpyxl.Workbook()
if sys.argv[2] == '1904': wb.epoch = CALENDAR_MAC_1904
ws = wb.active
ws.append(['Name', 'Born', 'Start', 'Clock', 'Count', 'Ratio'])
ws.append(['Ann', datetime.date(2027, 1, 2), datetime.datetime(2027, 1, 2, 14, 30), datetime.time(9, 15), 10000000, 0.1 + 0.2])
ws.append(['Bob', datetime.date(1999, 12, 31), datetime.date(2027, 1, 2), None, 1e20, 3.5])
ws['B3'].number_format = 'dd/mm/yyyy'
ws['C3'].number_format = 'mm-dd-yy'
wb.save(sys.argv[1])
)"), {path, epoch});
}

// Writes with openpyxl a workbook of one column: row i holds the number `cells[i].first`
// in the format `cells[i].second`, a format code or, for "#27" and the like, the
// built-in format of that id with no numFmt entry of its own (as an East Asian
// spreadsheet program writes it; the styles part is edited for those). Returns the
// script's output ("" on success).
inline QString writeFormatsWorkbook(const QString &path, const QList<std::pair<double, QString>> &cells)
{
    QString json = QStringLiteral("[");
    for (const auto &[value, code] : cells) {
        QString quoted = code;
        quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
        json += QStringLiteral("[%1,\"%2\"],").arg(QString::number(value, 'g', 17), quoted);
    }
    if (json.endsWith(u',')) json.chop(1);
    json += u']';
    return python(QStringLiteral(R"py(
import sys, json, re, zipfile, openpyxl
path, cells = sys.argv[1], json.loads(sys.argv[2])
wb = openpyxl.Workbook()
ws = wb.active
builtin = {}
for row, (value, code) in enumerate(cells, 1):
    if code.startswith('#'):
        builtin['"id%s"0' % code[1:]] = int(code[1:])
        code = '"id%s"0' % code[1:]
    ws.cell(row=row, column=1, value=value).number_format = code
wb.save(path)
if builtin:
    with zipfile.ZipFile(path) as z:
        parts = [(i, z.read(i.filename)) for i in z.infolist()]
    def edit(xml):
        xml = xml.decode()
        def one(m):
            code = m.group(2).replace('&quot;', '"')
            if code not in builtin: return m.group(0)
            ids[m.group(1)] = builtin[code]
            return ''
        ids = {}
        xml = re.sub(r'<numFmt numFmtId="(\d+)" formatCode="([^"]*)"\s*/>', one, xml)
        count = len(re.findall(r'<numFmt ', xml))
        xml = re.sub(r'<numFmts count="\d+">', '<numFmts count="%d">' % count, xml)
        xml = re.sub(r'<numFmts count="0">\s*</numFmts>', '', xml)
        xml = re.sub(r'numFmtId="(\d+)"', lambda m: 'numFmtId="%d"' % ids.get(m.group(1), int(m.group(1))), xml)
        return xml.encode()
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for info, data in parts:
            z.writestr(info, edit(data) if info.filename == 'xl/styles.xml' else data)
)py"), {path, json});
}

inline QString soffice() { return QStandardPaths::findExecutable(QStringLiteral("soffice")); }

// Converts `file` with LibreOffice into `format` ("csv", "xlsx") in `outDir`, with a
// private user profile; the converted file's path, or empty on failure.
inline QString convert(const QString &file, const QString &format, const QString &outDir)
{
    QTemporaryDir profile;
    QProcess p;
    p.start(soffice(), {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded), QStringLiteral("--headless"),
                        QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), outDir, file});
    if (!testsupport::checkerFinished(p) || p.exitCode() != 0) return {};
    const QString out = outDir + u'/' + QFileInfo(file).completeBaseName() + u'.' + format.section(u':', 0, 0);
    return QFileInfo::exists(out) ? out : QString();
}

} // namespace checkers
