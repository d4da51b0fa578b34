#include "VisitorPassPage.h"

#include "MessageBox.h"
#include "Print_Window.h"
#include "PrintingView.h"

#include <QPrinter>

bool Call_Print_Box_1(const RenderedSide &pass, Print_Settings &settings, bool preview, QWidget *parent,
                      const std::function<void(Print_Preview_Dialog &)> &previewRunner)
{
    if (Printer_Names().isEmpty()) {
        Show_MessageBox(QStringLiteral("No printer found."));
        return false;
    }
    if (settings.printer.isEmpty() || !Printer_Names().contains(settings.printer)) Select_Printer(settings, QString());
    else Select_Printer(settings, settings.printer);  // the printer's margins for the paper in use

    const QSizeF paper = settings.paperSize();
    const QRectF area = settings.imageableBounds();
    Print_Job job;
    job.passMode = true;
    job.visitorPass = pass;
    job.totalLabel = 1;
    job.preview = preview;
    job.layout.paperWidth = paper.width();
    job.layout.paperHeight = paper.height();
    job.layout.leftMar = area.x();
    job.layout.riteMar = paper.width() - area.x() - area.width();
    job.layout.topMar = paper.height() - area.y() - area.height();
    job.layout.botMar = area.y();
    if (preview) {
        Print_Preview_Dialog dialog(job, settings, parent);
        if (previewRunner) previewRunner(dialog);
        else dialog.exec();
        return true;
    }
    QString error;
    std::unique_ptr<QPrinter> printer = Make_Printer(settings, &error);
    if (printer) {
        Print_Progress progress;
        error = Print_Pages_On_Worker(*printer, job, progress);
    }
    if (!error.isEmpty()) {
        Show_MessageBox(error);
        return false;
    }
    return true;
}
