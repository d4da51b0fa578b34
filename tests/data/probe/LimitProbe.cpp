// Reads one file with one of the data library's readers under a 1 GiB address-space
// limit and prints what came back, for the tests of hostile inputs:
//   data_limit_probe xlsx|ods|xml2003|unzip FILE [DESTINATION]
// prints "sheets=S rows=R columns=C" (or "unzip=0|1") and "peak_kib=K". Under
// AddressSanitizer, whose shadow memory cannot live under such a limit, only the peak
// resident memory is printed for the test to check.
#include "SpreadsheetWriter.h"
#include "ZipArchive.h"

#include <QFile>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
#define PROBE_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PROBE_UNDER_ASAN 1
#endif
#endif

namespace {

long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

int widest(const SheetRows &rows)
{
    qsizetype w = 0;
    for (const QStringList &row : rows) w = std::max(w, row.size());
    return int(w);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) return 2;
#ifndef PROBE_UNDER_ASAN
    const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
    setrlimit(RLIMIT_AS, &limit);
#endif
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    if (kind == QLatin1String("unzip") && argc > 3) {
        std::printf("unzip=%d\n", ZipArchive::unzipFileAtPath(path, QString::fromLocal8Bit(argv[3])) ? 1 : 0);
    } else if (kind == QLatin1String("xlsx")) {
        SpreadsheetWriter reader;
        reader.ReadWorkbook(path, true);
        const qsizetype sheets = reader.Sheet_List().size();
        reader.ReadData_only_column();
        const SheetRows rows = reader.ReadWorkbook(path, false);
        std::printf("sheets=%d rows=%d columns=%d\n", int(sheets), int(rows.size()), widest(rows));
    } else {
        const SheetRows rows = kind == QLatin1String("ods") ? SpreadsheetWriter::ReadODS(path)
                                                             : SpreadsheetWriter::ReadWorksheetXML2004(path);
        std::printf("sheets=0 rows=%d columns=%d\n", int(rows.size()), widest(rows));
    }
    std::printf("peak_kib=%ld\n", peakKiB());
    return 0;
}
