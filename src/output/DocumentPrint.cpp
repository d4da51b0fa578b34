#include "DocumentPrint.h"

#include "DocumentData.h"
#include "SKTDocument.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

Document_Print_Operation printOperationWithSettings(const SKTDocument &document, const QVariantMap &settings,
                                                    const RenderResources &resources)
{
    Document_Print_Operation op;
    op.jobTitle = document.Project_File_Name.isEmpty() ? document.displayName()
                                                       : QFileInfo(document.Project_File_Name).completeBaseName();
    op.viewFrame = QRectF(QPointF(0, 0), SKTDocument::canvasSize(true, QSizeF()));
    op.front = Render_Side_Picture(document.graphics().items(), op.viewFrame, &document.Front_card_Prop, resources);
    op.settings = Print_Settings_From_Info(document.printInfo());
    op.printInfo = Print_Info_Dictionary(document.printInfo());
    for (auto it = settings.begin(); it != settings.end(); ++it) op.printInfo.insert(it.key(), it.value());
    const QString printer = settings.value(QStringLiteral("PrinterName")).toString();
    if (!printer.isEmpty()) Select_Printer(op.settings, printer);
    if (settings.contains(QStringLiteral("Orientation")))
        Select_Orientation(op.settings, settings.value(QStringLiteral("Orientation")).toInt() == 1
                                            ? QPageLayout::Landscape
                                            : QPageLayout::Portrait);
    return op;
}

bool Run_Print_Operation(const Document_Print_Operation &operation, QString *error)
{
    std::unique_ptr<QPrinter> printer = Make_Printer(operation.settings, error);
    if (!printer) return false;
    printer->setDocName(operation.jobTitle);
    // The page is the view: the card canvas, whatever paper the settings name.
    printer->setPageLayout(QPageLayout(QPageSize(operation.viewFrame.size(), QPageSize::Point, QString(), QPageSize::ExactMatch), QPageLayout::Portrait,
                                       QMarginsF(), QPageLayout::Point));
    Print_Output output(*printer);
    QPainter painter;
    if (!output.begin(painter)) {
        if (error) *error = QStringLiteral("The printer \"%1\" could not start the page.").arg(operation.settings.printer);
        return false;
    }
    Begin_Points(painter, *printer);
    if (!operation.front.isNull()) Draw_Rendered_Side(painter, operation.front, operation.viewFrame);
    const QString ended = output.end(painter);
    if (ended.isEmpty()) return true;
    if (error) *error = ended;
    return false;
}
