#include "DocumentData.h"

#include "ControlArchiveBytes.h"
#include "Plist.h"
#include "SKTDocument.h"
#include "SKTError.h"
#include "SKTRenderingView.h"

#include <QPageLayout>
#include <QPageSize>

const QString SKTDocumentOldTypeName = QStringLiteral("DOZO Card document");
const QString SKTDocumentNewTypeName = QStringLiteral("com.example.dozo-idcard");
const int SKTDocumentCurrentVersion = 2;

namespace {
bool isOneOf(const QString &type, std::initializer_list<const char *> names)
{
    for (const char *n : names)
        if (type.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return true;
    return false;
}
} // namespace

QVariantMap Print_Info_Dictionary(const Document_Print_Info &info)
{
    const QPageLayout &layout = info.layout;
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    return {{QStringLiteral("PrinterName"), info.printer},
            {QStringLiteral("PaperName"), layout.pageSize().name()},
            {QStringLiteral("PaperWidth"), paper.width()},
            {QStringLiteral("PaperHeight"), paper.height()},
            {QStringLiteral("Orientation"), qint64(layout.orientation())},
            {QStringLiteral("LeftMargin"), margins.left()},
            {QStringLiteral("TopMargin"), margins.top()},
            {QStringLiteral("RightMargin"), margins.right()},
            {QStringLiteral("BottomMargin"), margins.bottom()}};
}

std::optional<QByteArray> Document_Data_Of_Type(const SKTDocument &document, const QString &type,
                                                const RenderResources &resources, QString *error)
{
    const std::vector<GraphicPtr> &front = document.graphics().items();
    if (type == SKTDocumentOldTypeName || type == SKTDocumentNewTypeName) {
        QVariantList graphics;
        for (const GraphicPtr &g : front) graphics << Control_Archive_To_Bytes(g->encode());
        const QVariantMap root{{QStringLiteral("version"), qint64(SKTDocumentCurrentVersion)},
                               {QStringLiteral("graphics"), graphics},
                               {QStringLiteral("printInfo"), Print_Info_Dictionary(document.printInfo())}};
        return Plist_To_Bytes(root, PlistFormat::Binary);
    }
    if (isOneOf(type, {"application/pdf", "com.adobe.pdf", "NSPDFPboardType"})) {
        const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(front, document.cardBounds(),
                                                                          &document.Front_card_Prop, resources);
        if (pdf.isEmpty()) {
            if (error) *error = QStringLiteral("The front side could not be drawn as PDF.");
            return std::nullopt;
        }
        return pdf;
    }
    if (isOneOf(type, {"image/tiff", "public.tiff", "NSTIFFPboardType"})) {
        SKTError tiffError;
        const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics(front, resources, &tiffError);
        if (tiff.isEmpty()) {
            if (error) *error = QStringLiteral("There is nothing on the front side to draw as TIFF.");
            return std::nullopt;
        }
        return tiff;
    }
    if (error) *error = QStringLiteral("The document has no data of the type \"%1\".").arg(type);
    return std::nullopt;
}
