// Writes one PNG per linear symbology title, and a QR Code and a PDF417 symbol, into the
// folder given as argument, at the resolution given second (300 dpi when none).
#include "BarcodeFactory.h"
#include "BarcodeImages.h"
#include "Pdf417Encoder.h"
#include "QrEncoder.h"

#include <QDir>
#include <QRegularExpression>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: barcode-samples OUTPUT_FOLDER [DPI]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const double dpi = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 300;
    const QHash<QString, QString> samples = {
        {"Interleaved 2 of 5", "123456"}, {"UPCA", "03600029145"},       {"PostNet", "12345"},
        {"EAN-13", "400638133393"},       {"Codabar", "A1234B"},         {"UPCE", "0425261"},
        {"EAN-8", "5512345"},             {"Planet", "12345"},           {"Japan Post Barcode", "6540123789-A-K-Z"},
        {"Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A"},               {"Extended Code 39", "abc"},
        {"Modified Plessey (Hex)", "1A2F"}, {"Industrial 2 of 5", "1234"}, {"Modified Plessey", "1234"},
    };
    const QtFontMeasure measure;
    int failures = 0;
    for (const QString &title : Linear_Barcode_Titles()) {
        const QString content = samples.value(title, QStringLiteral("0123"));
        auto b = Make_Linear_Barcode(title, content, true);
        if (!b->isContentValid()) {
            std::fprintf(stderr, "%s: invalid content %s\n", qPrintable(title), qPrintable(content));
            ++failures;
            continue;
        }
        const Barcode_Style style;
        b->setStyle(style);
        b->setHeader(QStringLiteral("HEADER"));
        b->setFooter(QStringLiteral("FOOTER"));
        b->setPrintsHeader(true);
        b->setPrintsFooter(true);
        b->setBarWidth(20 / 1000.0f * 72);
        b->setCaptionFontSize(10, measure);
        b->setHeaderFontSize(10, measure);
        b->setFooterFontSize(10, measure);
        b->setHeight(6.0f / 25.4f * 72 + (b->captionHeight() + b->headerHeight() + b->footerHeight()) * 72 +
                     style.value_margin + style.header_margin + style.footer_margin + 2 * style.TB_margin);
        b->calculateWidth();
        QString name = title;
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
        if (!imageFromBarcode(*b, measure).rasterised(dpi).save(out.filePath(name + ".png"))) ++failures;
    }
    const std::optional<QrGrid> qr = Encode_QR_Text(QStringLiteral("VISITOR 0042"), QR_Level::M, 0);
    if (!qr || !Render_QR(*qr, 72, dpi).image().save(out.filePath("QR_Code.png"))) ++failures;
    if (!PDF417_Picture(QStringLiteral("VISITOR 0042"), Pdf417_Level::L2, {100, 20}, dpi).image().save(
            out.filePath("PDF417.png")))
        ++failures;
    return failures ? 1 : 0;
}
