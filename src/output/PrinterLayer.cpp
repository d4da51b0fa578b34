#include "PrinterLayer.h"

#include "FileWrite.h"
#include "Globals.h"
#include "Log.h"
#include "SKTDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Each margin of `margins`, raised to that of `minimum` where it is smaller.
QMarginsF atLeast(const QMarginsF &margins, const QMarginsF &minimum)
{
    return QMarginsF(std::max(margins.left(), minimum.left()), std::max(margins.top(), minimum.top()),
                     std::max(margins.right(), minimum.right()), std::max(margins.bottom(), minimum.bottom()));
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
    settings.margins = atLeast(settings.setUpMargins, printerMargins(chosen, settings.pageSize, settings.orientation));
    return true;
}

void Select_Orientation(Print_Settings &settings, QPageLayout::Orientation orientation)
{
    settings.orientation = orientation;
    settings.margins = atLeast(settings.setUpMargins, printerMargins(settings.printer, settings.pageSize, orientation));
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

namespace {

// Whether the file at the path could be opened for writing, as the PDF engine opens it
// (made when it is not there); nothing is made or changed.
bool canWrite(const QString &file)
{
    const QByteArray path = QFile::encodeName(file);
    struct stat st {};
    if (::stat(path.constData(), &st) == 0) return !S_ISDIR(st.st_mode) && ::access(path.constData(), W_OK) == 0;
    if (errno != ENOENT) return false;
    return ::access(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), W_OK | X_OK) == 0;
}

// Writes the bytes into what is at the path (a device, a pipe): the system's error
// number, 0 when all were written.
int writeInto(const QString &file, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno;
    int error = 0;
    for (qsizetype done = 0; done < bytes.size() && error == 0;) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) done += n;
        else if (n == 0) error = EIO;
        else if (errno != EINTR) error = errno;
    }
    if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    return error;
}

// Puts the bytes at the path: "" or the reason they are not there.
QString writeOutput(const QString &file, const QByteArray &bytes)
{
    struct stat st {};
    int error = 0;
    if (::stat(QFile::encodeName(file).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        error = writeInto(file, bytes);
    else if (!Write_File_Whole(file, bytes, 0644, nullptr, File_Link::Write_Through, &error) && error == 0)
        return QStringLiteral("the file could not be put in place");
    return error == 0 ? QString() : qt_error_string(error);
}

} // namespace

Print_Output::Print_Output(QPrinter &printer) : m_printer(printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) m_file = printer.outputFileName();
}

Print_Output::~Print_Output()
{
    if (m_memory < 0) return;
    m_printer.setOutputFileName(m_file);
    ::close(m_memory);
}

bool Print_Output::begin(QPainter &painter)
{
    if (!m_file.isEmpty() && m_memory < 0) {
        if (!canWrite(m_file)) return false;
        m_memory = ::memfd_create("dozo-print", MFD_CLOEXEC);
        if (m_memory < 0) {
            Show_NSLog_Message(QStringLiteral("No memory file for a print job: %1").arg(qt_error_string(errno)));
            return false;
        }
        m_printer.setOutputFileName(QStringLiteral("/proc/self/fd/%1").arg(m_memory));
    }
    return painter.begin(&m_printer);
}

QString Print_Output::end(QPainter &painter)
{
    if (!painter.end()) return QStringLiteral("The print job could not be finished.");
    if (m_printer.printerState() == QPrinter::Error) return QStringLiteral("The printer reported an error.");
    if (m_memory < 0) return {};
    QString reason;
    struct stat st {};
    if (::fstat(m_memory, &st) != 0) {
        reason = qt_error_string(errno);
    } else {
        const size_t size = size_t(st.st_size);
        void *pages = size == 0 ? nullptr : ::mmap(nullptr, size, PROT_READ, MAP_SHARED, m_memory, 0);
        if (pages == MAP_FAILED) {
            reason = qt_error_string(errno);
        } else {
            reason = writeOutput(m_file, QByteArray::fromRawData(static_cast<const char *>(pages), qsizetype(size)));
            if (pages) ::munmap(pages, size);
        }
    }
    if (reason.isEmpty()) return {};
    return QStringLiteral("The print job could not be written to \"%1\": %2.")
        .arg(QDir::toNativeSeparators(m_file), reason);
}

bool Run_Page_Setup(Print_Settings &settings, QWidget *parent)
{
    std::unique_ptr<QPrinter> printer = Make_Printer(settings);
    if (!printer) printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(
        Page_Setup_Layout(settings, printerMargins(settings.printer, settings.pageSize, settings.orientation)));
    QPageSetupDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QPageLayout confirmed = printer->pageLayout();
    settings = Page_Setup_Settings(settings, confirmed,
                                   printerMargins(settings.printer, confirmed.pageSize(), confirmed.orientation()));
    return true;
}

QPageLayout Page_Setup_Layout(const Print_Settings &settings, const QMarginsF &minimum)
{
    return QPageLayout(settings.pageSize, settings.orientation, atLeast(settings.margins, minimum) / kPointsPerMM,
                       QPageLayout::Millimeter, minimum / kPointsPerMM);
}

Print_Settings Page_Setup_Settings(Print_Settings settings, const QPageLayout &confirmed, const QMarginsF &minimum)
{
    settings.pageSize = confirmed.pageSize();
    settings.orientation = confirmed.orientation();
    // Qt turns margins of other units into whole points; millimetres (to a hundredth, as
    // the dialog shows them) are converted here instead.
    settings.setUpMargins = confirmed.units() == QPageLayout::Point
                                ? confirmed.margins()
                                : confirmed.margins(QPageLayout::Millimeter) * kPointsPerMM;
    settings.margins = atLeast(settings.setUpMargins, minimum);
    return settings;
}

Print_Settings Print_Settings_From_Info(const Document_Print_Info &info)
{
    Print_Settings settings;
    settings.printer = info.printer;
    settings.pageSize = info.layout.pageSize();
    settings.orientation = info.layout.orientation();
    settings.margins = info.layout.margins(QPageLayout::Point);
    // The margins in use stay what a page set-up confirmed: another printer or
    // orientation raises them only where its own are larger.
    settings.setUpMargins = settings.margins;
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
