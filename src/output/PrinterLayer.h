#pragma once
// The printers of the system over Qt Print Support, and the print settings of the
// application: the chosen printer, its paper and orientation and the printable margins
// (those of a page set-up, none under the printer's own). Everything is in points with
// the paper's own corner as origin.
//
// The installed queues are those QPrinterInfo lists (the CUPS queues). For tests and
// scripted runs a virtual PDF printer is offered besides them, and only then: when the
// environment variable named by Virtual_PDF_Printer_Setting names the PDF file it
// writes. It has no margins.
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

struct Document_Print_Info;
class QPainter;
class QPrinter;
class QWidget;

inline constexpr const char *Virtual_PDF_Printer_Setting = "DOZO_PDF_PRINTER_FILE";
inline constexpr const char *Virtual_PDF_Printer_Name = "PDF File";
// The resolution printers are driven at: that of recorded pictures (QPicture).
inline constexpr int Print_Device_DPI = 96;

struct Print_Settings {
    QString printer;  // a name of Printer_Names(); empty: none chosen yet
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins;  // the printable margins: left, top, right, bottom
    // The margins a page set-up confirmed (none yet: zero). Whatever printer, paper and
    // orientation are taken, the printable margins are these, each raised to the
    // printer's own where that is larger.
    QMarginsF setUpMargins;

    // The paper as it lies (landscape swaps the sides), whole points as Qt gives them.
    QSizeF paperSize() const;
    // The same in millimetres as the page size gives them (A4: 210 x 297).
    QSizeF paperSizeMM() const;
    // The printable area with the origin at the paper's lower left corner.
    QRectF imageableBounds() const;
    QString paperName() const { return pageSize.name(); }
    bool landscape() const { return orientation == QPageLayout::Landscape; }
};

// The virtual PDF printer's output file, empty when it is not offered.
QString Virtual_PDF_Printer_File();
// The system's printer queues and the one it names its default ("" for none).
struct System_Printers {
    QStringList names;
    QString defaultName;
};
System_Printers Installed_Printers();

// The installed printers, then the virtual PDF printer when it is offered.
QStringList Printer_Names();
// The printer a new print starts on: the virtual PDF printer whenever it is offered (a
// run that names it never prints on a real queue unless one is chosen by name), else
// the system's default printer when it is listed, else the first listed; "" for none.
QString Default_Printer_Name(const System_Printers &system, const QString &virtualFile);
// The same over the machine's printers and the environment.
QString Default_Printer_Name();

// Makes `name` the settings' printer and takes the printable margins for the paper and
// orientation in force (the page set-up's, none under the printer's own). A name that
// is not listed keeps the current printer; an empty name means the current one (the
// default printer when none is chosen yet). True when the printer was taken.
bool Select_Printer(Print_Settings &settings, const QString &name);
// Turns the paper and takes the printable margins for it, as Select_Printer does.
void Select_Orientation(Print_Settings &settings, QPageLayout::Orientation orientation);

// A printer for the settings, painting in points from the paper's corner (see
// Begin_Points). Null with `error` set when the printer is gone.
std::unique_ptr<QPrinter> Make_Printer(const Print_Settings &settings, QString *error = nullptr);
// Scales the painter of `printer` so that one unit is one point from the paper's corner.
void Begin_Points(QPainter &painter, const QPrinter &printer);

// The output of one job on a printer, for every job that prints: a job whose output was
// not written whole says why. Qt's PDF engine does not report a failed write of its file
// (a full disk leaves it empty or cut short), so a PDF printer's pages go to memory and,
// once the job ends, its bytes are written to the file by this system: whole
// (Write_File_Whole) when the file is a regular one or not there yet, into it when it is
// a device or another file that is not a regular one (/dev/full, a pipe). A queue's job
// is as its printer reports it.
class Print_Output {
public:
    explicit Print_Output(QPrinter &printer);
    ~Print_Output();  // the printer gets its file back
    Print_Output(const Print_Output &) = delete;
    Print_Output &operator=(const Print_Output &) = delete;
    // Begins the painter on the printer; false when the job cannot start: the printer
    // refuses it, or the PDF printer's file could not be opened for writing (a folder
    // that is not there or not writable, a file that is not writable, a folder's name).
    bool begin(QPainter &painter);
    // Ends the painter and puts the job's output in place: "" or the reason it is not,
    // with the system's reason when a write failed ("The print job could not be written
    // to \"/dev/full\": No space left on device.").
    QString end(QPainter &painter);

private:
    QPrinter &m_printer;
    QString m_file;     // the PDF printer's file; empty for a queue
    int m_memory = -1;  // the memory file its pages go to
};

// The page set-up dialog on the settings; true (settings updated) when confirmed: the
// settings then hold the dialog's paper, orientation and margins (Page_Setup_Settings).
bool Run_Page_Setup(Print_Settings &settings, QWidget *parent);
// The layout the dialog opens on: the settings' paper and orientation, and their margins
// in millimetres, none smaller than `minimum` (points: the printer's own).
QPageLayout Page_Setup_Layout(const Print_Settings &settings, const QMarginsF &minimum);
// The settings after a confirmed layout: its paper and orientation, and its margins in
// points as typed (a millimetre value is not rounded to whole points) as the page
// set-up's margins; the printable margins are these, none smaller than `minimum`
// (points: the printer's own for that paper). The printer stays.
Print_Settings Page_Setup_Settings(Print_Settings settings, const QPageLayout &confirmed, const QMarginsF &minimum);

// The settings a document keeps and back: the printer, the paper, its orientation and
// the printable margins carry over unchanged; settings made from a document have no
// page set-up's margins yet.
Print_Settings Print_Settings_From_Info(const Document_Print_Info &info);
Document_Print_Info Print_Info_From_Settings(const Print_Settings &settings);
// The settings a new document starts with: the default printer with its default paper
// in portrait and its margins; A4 portrait without margins when there is no printer.
Document_Print_Info Start_Print_Info();
