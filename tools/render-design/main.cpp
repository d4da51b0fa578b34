// Renders one side of a design file off screen through the render layer, as export
// draws it, barcodes rendered from their settings by the barcode engine:
//   render-design DESIGN.zcd --side front|back --dpi N -o OUT.png|OUT.pdf
// A design the reader refuses exits with 1 and the reader's message.
#include "DesignFile.h"
#include "Globals.h"
#include "Paths.h"
#include "PhotoPictureAdjuster.h"
#include "PictureLimit.h"
#include "RenderResources.h"
#include "SKTBarcode.h"
#include "SKTRenderingView.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

namespace {
int fail(const QString &message, int code)
{
    std::fprintf(stderr, "render-design: %s\n", qPrintable(message));
    return code;
}
} // namespace

int main(int argc, char **argv)
{
    // Off screen: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders one side of a design file to a PNG or PDF file."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("design"), QStringLiteral("The design file (.zcd)."));
    const QCommandLineOption side({QStringLiteral("side")}, QStringLiteral("front or back."), QStringLiteral("side"),
                                  QStringLiteral("front"));
    const QCommandLineOption dpi({QStringLiteral("dpi")}, QStringLiteral("Resolution of a PNG."), QStringLiteral("dpi"),
                                 QStringLiteral("300"));
    const QCommandLineOption output({QStringLiteral("o")}, QStringLiteral("The PNG or PDF file to write."),
                                    QStringLiteral("file"));
    parser.addOptions({side, dpi, output});
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    const QString sideName = parser.value(side).toLower();
    bool dpiOk = false;
    const double dots = parser.value(dpi).toDouble(&dpiOk);
    const QString out = parser.value(output);
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (args.size() != 1 || out.isEmpty() || (sideName != QLatin1String("front") && sideName != QLatin1String("back")) ||
        !dpiOk || !(dots > 0 && dots <= 2400) || (suffix != QLatin1String("png") && suffix != QLatin1String("pdf")))
        return fail(QStringLiteral("usage: render-design DESIGN.zcd --side front|back --dpi N -o OUT.png|OUT.pdf"), 2);

    Locate_Application_Paths();
    DesignData design;
    QString error;
    if (!Read_Design_File(args.first(), design, &error)) return fail(error, 1);
    const bool back = sideName == QLatin1String("back");
    std::vector<GraphicPtr> &controls = back ? design.back_controls : design.front_controls;
    for (const GraphicPtr &g : controls)
        if (g->kind() == GraphicKind::Barcode) Render_Barcode(*g);
    const Card_Property &card = back ? design.back_card : design.front_card;
    const QRectF frame(QPointF(0, 0), card.Card_Size());
    if (frame.isEmpty()) return fail(QStringLiteral("the design's card has no size"), 1);
    const PhotoPictureAdjuster adjuster;
    const RenderResources resources = Application_Render_Resources(adjuster);

    if (suffix == QLatin1String("pdf")) {
        const QByteArray pdf =
            SKTRenderingView::pdfDataWithGraphics_data(controls, frame, &card, resources);
        QFile file(out);
        if (pdf.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
            return fail(QStringLiteral("could not write %1").arg(out), 1);
        return 0;
    }
    // A picture over the bound is said, and not made.
    if (const QSizeF pixels = Picture_Pixels(frame.size(), dots / 72); !Picture_Size_Allowed(pixels))
        return fail(QStringLiteral("the side is too large for a PNG at %1 dpi: %2; render it as PDF")
                        .arg(dots)
                        .arg(Picture_Too_Large_Text(pixels)),
                    1);
    QImage image =
        SKTRenderingView::image_From_Card_Graphics(controls, frame, &card, resources, dots / 72);
    if (image.isNull()) return fail(QStringLiteral("the side could not be drawn"), 1);
    image.setDotsPerMeterX(int(std::lround(dots / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dots / 0.0254)));
    if (!image.save(out)) return fail(QStringLiteral("could not write %1").arg(out), 1);
    return 0;
}
