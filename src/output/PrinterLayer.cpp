#include "PrinterLayer.h"

#include "Log.h"
#include "SKTDocument.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtGlobal>

QSizeF Print_Settings::paperSize() const
{
    const QSizeF portrait = pageSize.sizePoints();
    return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

QSizeF Print_Settings::paperSizeMM() const
{
    const QSizeF portrait = pageSize.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

QRectF Print_Settings::imageableBounds() const
{
    const QSizeF paper = paperSize();
    return QRectF(margins.left(), margins.bottom(), paper.width() - margins.left() - margins.right(),
                  paper.height() - margins.top() - margins.bottom());
}

QString Virtual_PDF_Printer_File()
{
    return qEnvironmentVariable(Virtual_PDF_Printer_Setting);
}

System_Printers Installed_Printers()
{
    return {QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName()};
}

QStringList Printer_Names()
{
    QStringList names = Installed_Printers().names;
    if (!Virtual_PDF_Printer_File().isEmpty()) names << QString::fromLatin1(Virtual_PDF_Printer_Name);
    return names;
}

QString Default_Printer_Name(const System_Printers &system, const QString &virtualFile)
{
    if (!virtualFile.isEmpty()) return QString::fromLatin1(Virtual_PDF_Printer_Name);
    if (!system.defaultName.isEmpty() && system.names.contains(system.defaultName)) return system.defaultName;
    return system.names.isEmpty() ? QString() : system.names.first();
}

QString Default_Printer_Name()
{
    return Default_Printer_Name(Installed_Printers(), Virtual_PDF_Printer_File());
}

namespace {

bool isVirtual(const QString &name)
{
    return name == QLatin1String(Virtual_PDF_Printer_Name) && !Virtual_PDF_Printer_File().isEmpty();
}

// The printer's smallest margins for the paper and orientation, in points.
QMarginsF printerMargins(const QString &name, const QPageSize &size, QPageLayout::Orientation orientation)
{
    if (isVirtual(name) || name.isEmpty()) return {};
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) return {};
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageSize(size);
    printer.setPageOrientation(orientation);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Point);
    return layout.minimumMargins();
}

} // namespace

bool Select_Printer(Print_Settings &settings, const QString &name)
{
    QString chosen = name;
    if (chosen.isEmpty()) chosen = settings.printer.isEmpty() ? Default_Printer_Name() : settings.printer;
    if (chosen.isEmpty() || !Printer_Names().contains(chosen)) {
        if (!name.isEmpty()) Show_NSLog_Message(QStringLiteral("Printer \"%1\" is not installed.").arg(name));
        return false;
    }
    settings.printer = chosen;
    settings.margins = printerMargins(chosen, settings.pageSize, settings.orientation);
    return true;
}

void Select_Orientation(Print_Settings &settings, QPageLayout::Orientation orientation)
{
    settings.orientation = orientation;
    settings.margins = printerMargins(settings.printer, settings.pageSize, orientation);
}

std::unique_ptr<QPrinter> Make_Printer(const Print_Settings &settings, QString *error)
{
    std::unique_ptr<QPrinter> printer;
    if (isVirtual(settings.printer)) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(Virtual_PDF_Printer_File());
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(settings.printer);
        if (info.isNull()) {
            if (error) *error = QStringLiteral("The printer \"%1\" is not available.").arg(settings.printer);
            return nullptr;
        }
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    // The page is the whole paper; what lies in the printer's margins is the caller's.
    printer->setFullPage(true);
    // Recorded card sides play their text where it belongs on a device of the
    // recording resolution (Print_Device_DPI); painting is scaled to points.
    printer->setResolution(Print_Device_DPI);
    printer->setPageLayout(QPageLayout(settings.pageSize, settings.orientation, QMarginsF(), QPageLayout::Point));
    return printer;
}

void Begin_Points(QPainter &painter, const QPrinter &printer)
{
    const double scale = printer.resolution() / 72.0;
    painter.scale(scale, scale);
}

bool Run_Page_Setup(Print_Settings &settings, QWidget *parent)
{
    std::unique_ptr<QPrinter> printer = Make_Printer(settings);
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPageSetupDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    settings.pageSize = printer->pageLayout().pageSize();
    Select_Orientation(settings, printer->pageLayout().orientation());
    return true;
}

Print_Settings Print_Settings_From_Info(const Document_Print_Info &info)
{
    Print_Settings settings;
    settings.printer = info.printer;
    settings.pageSize = info.layout.pageSize();
    settings.orientation = info.layout.orientation();
    settings.margins = info.layout.margins(QPageLayout::Point);
    return settings;
}

Document_Print_Info Print_Info_From_Settings(const Print_Settings &settings)
{
    Document_Print_Info info;
    info.printer = settings.printer;
    info.layout = QPageLayout(settings.pageSize, settings.orientation, settings.margins, QPageLayout::Point);
    return info;
}

Document_Print_Info Start_Print_Info()
{
    Print_Settings settings;
    const QString name = Default_Printer_Name();
    if (!name.isEmpty() && !isVirtual(name)) {
        const QPageSize paper = QPrinterInfo::printerInfo(name).defaultPageSize();
        if (paper.isValid()) settings.pageSize = paper;
    }
    if (!name.isEmpty()) Select_Printer(settings, name);
    return Print_Info_From_Settings(settings);
}
