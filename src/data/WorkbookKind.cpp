// The kind of a chosen file, from its first bytes and, for zip archives, its entries.
#include "WorkbookKind.h"

#include "ZipReader.h"

#include <QFile>

namespace {

bool looksLikeText(const QByteArray &head)
{
    if (head.isEmpty()) return false;
    int control = 0;
    for (char ch : head) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) return false;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') ++control;
    }
    return control * 100 <= head.size();  // a stray control character is allowed
}

} // namespace

Workbook_Kind Workbook_Kind_Of(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return Workbook_Kind::Missing;
    const QByteArray head = file.read(4096);
    file.close();
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06")) {
        ZipReader zip(path);
        if (zip.status() != ZipStatus::Ok) return Workbook_Kind::Xlsx;  // a damaged package
        if (zip.contains(QStringLiteral("xl/workbook.xml"))) return Workbook_Kind::Xlsx;
        for (const QString &name : zip.names())
            if (name.startsWith(QLatin1String("xl/worksheets/"))) return Workbook_Kind::Xlsx;
        if (std::unique_ptr<ZipEntryReader> entry = zip.entry(QStringLiteral("mimetype"))) {
            char type[128] = {};
            const qint64 n = entry->read(type, sizeof type - 1);
            const QByteArray mime(type, int(std::max<qint64>(n, 0)));
            if (mime.trimmed() == "application/vnd.oasis.opendocument.spreadsheet") return Workbook_Kind::Ods;
            if (mime.startsWith("application/vnd.oasis.opendocument.")) return Workbook_Kind::OtherOdf;
        }
        return Workbook_Kind::OtherZip;
    }
    if (head.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) return Workbook_Kind::Xls;
    if (head.contains("urn:schemas-microsoft-com:office:spreadsheet")) return Workbook_Kind::Xml2003;
    return looksLikeText(head) ? Workbook_Kind::Text : Workbook_Kind::Other;
}

QString Wrong_Workbook_Message(Workbook_Kind kind)
{
    switch (kind) {
    case Workbook_Kind::Missing:
    case Workbook_Kind::Xlsx: return {};
    case Workbook_Kind::Ods:
        return QStringLiteral("The selected file is an OpenDocument spreadsheet (.ods), not an Excel workbook "
                              "(.xlsx). Save it as an Excel workbook (.xlsx) and choose that file.");
    case Workbook_Kind::Xls:
        return QStringLiteral("The selected file is an Excel 97-2003 workbook (.xls), not an Excel workbook "
                              "(.xlsx). Save it as an Excel workbook (.xlsx) and choose that file.");
    case Workbook_Kind::Xml2003:
        return QStringLiteral("The selected file is an XML Spreadsheet 2003 file, not an Excel workbook (.xlsx). "
                              "Save it as an Excel workbook (.xlsx) and choose that file.");
    case Workbook_Kind::Text:
        return QStringLiteral("The selected file is not a workbook: it holds plain text (such as comma-separated "
                              "values). Open it in a spreadsheet program, save it as an Excel workbook (.xlsx) "
                              "and choose that file.");
    case Workbook_Kind::OtherOdf:
    case Workbook_Kind::OtherZip:
    case Workbook_Kind::Other:
        return QStringLiteral("The selected file is not a workbook. Please choose an Excel workbook (.xlsx).");
    }
    return {};
}
