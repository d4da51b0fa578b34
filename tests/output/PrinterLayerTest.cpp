// The printer a print starts on, over a fake set of system queues.
#include "PrinterLayer.h"
#include "SKTDocument.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct DefaultCase {
    const char *what;
    QStringList names;
    QString systemDefault;
    QString virtualFile;
    QString expected;
};

} // namespace

TEST(PrinterLayer, DefaultPrinterChoice)
{
    const QString pdf = QStringLiteral("/tmp/printed.pdf");
    const DefaultCase cases[] = {
        {"virtual printer named, a real default queue", {"Office_Laser", "Label"}, "Office_Laser", pdf, "PDF File"},
        {"virtual printer named, no queue", {}, "", pdf, "PDF File"},
        {"system default listed", {"Office_Laser", "Label"}, "Label", "", "Label"},
        {"system default not listed", {"Office_Laser"}, "Gone", "", "Office_Laser"},
        {"no system default", {"Office_Laser", "Label"}, "", "", "Office_Laser"},
        {"no printer at all", {}, "", "", ""},
    };
    for (const DefaultCase &c : cases)
        EXPECT_EQ(Default_Printer_Name(System_Printers{c.names, c.systemDefault}, c.virtualFile), c.expected)
            << c.what;
}

// Whatever this machine has, a run that names the virtual printer starts on it.
TEST(PrinterLayer, StartSettingsTakeTheVirtualPrinterWhenNamed)
{
    QTemporaryDir dir;
    const QByteArray before = qgetenv(Virtual_PDF_Printer_Setting);
    qputenv(Virtual_PDF_Printer_Setting, dir.filePath(QStringLiteral("printed.pdf")).toUtf8());
    const Document_Print_Info info = Start_Print_Info();
    if (before.isEmpty())
        qunsetenv(Virtual_PDF_Printer_Setting);
    else
        qputenv(Virtual_PDF_Printer_Setting, before);
    EXPECT_EQ(info.printer, QStringLiteral("PDF File"));
    EXPECT_EQ(info.layout.margins(QPageLayout::Point), QMarginsF());
}

// The page set-up dialog opens on the margins in use, in millimetres, and what it
// confirms becomes the settings: paper, orientation and margins as typed (not whole
// points), printed no smaller than the printer's own. Margins: left, top, right, bottom.
TEST(PrinterLayer, PageSetupOpensOnTheMarginsInUseAndKeepsWhatWasTyped)
{
    constexpr double pt = 72 / 25.4;  // points a millimetre
    const auto inMM = [](const QMarginsF &m, double perMM) {
        return QString::asprintf("%.4f %.4f %.4f %.4f", m.left() / perMM, m.top() / perMM, m.right() / perMM,
                                 m.bottom() / perMM);
    };
    const struct {
        QPageLayout confirmed;
        QMarginsF minimum;  // points
        const char *printable, *onAnotherPrinter;  // millimetres
    } confirmed[] = {
        {QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {20, 15, 15, 20}, QPageLayout::Millimeter), {},
         "20.0000 15.0000 15.0000 20.0000", "20.0000 15.0000 15.0000 20.0000"},
        {QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape, {3, 3, 10, 0.5}, QPageLayout::Millimeter),
         {12, 12, 12, 24}, "4.2333 4.2333 10.0000 8.4667", "3.0000 3.0000 10.0000 0.5000"},
        {QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, {36, 0, 9, 18}, QPageLayout::Point), {},
         "12.7000 0.0000 3.1750 6.3500", "12.7000 0.0000 3.1750 6.3500"},
        {QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, {1, 0.5, 0, 0}, QPageLayout::Inch), {},
         "25.4000 12.7000 0.0000 0.0000", "25.4000 12.7000 0.0000 0.0000"},
    };
    QTemporaryDir dir;
    qputenv(Virtual_PDF_Printer_Setting, dir.filePath(QStringLiteral("printed.pdf")).toUtf8());
    Print_Settings before;
    before.printer = QStringLiteral("Office_Laser");
    before.margins = before.setUpMargins = {5, 5, 5, 5};
    for (const auto &r : confirmed) {
        Print_Settings s = Page_Setup_Settings(before, r.confirmed, r.minimum);
        EXPECT_EQ(s.printer, "Office_Laser");
        EXPECT_EQ(s.pageSize.id(), r.confirmed.pageSize().id());
        EXPECT_EQ(s.orientation, r.confirmed.orientation());
        EXPECT_EQ(inMM(s.margins, pt), QString(r.printable));
        // Another printer (the PDF one has no margins of its own) and orientation keep them.
        ASSERT_TRUE(Select_Printer(s, Virtual_PDF_Printer_Name));
        Select_Orientation(s, QPageLayout::Portrait);
        EXPECT_EQ(inMM(s.margins, pt), QString(r.onAnotherPrinter));
        // Kept by the document, they are the next print window's and the visitor log's.
        Print_Settings next = Print_Settings_From_Info(Print_Info_From_Settings(s));
        ASSERT_TRUE(Select_Printer(next, Virtual_PDF_Printer_Name));
        EXPECT_EQ(inMM(next.margins, pt), QString(r.onAnotherPrinter));
    }
    qunsetenv(Virtual_PDF_Printer_Setting);

    const struct {
        QMarginsF inUse, minimum;  // points
        const char *shown;         // millimetres
    } opening[] = {
        {QMarginsF(20, 15, 15, 20) * pt, {}, "20.0000 15.0000 15.0000 20.0000"},
        {{}, {12, 12, 12, 24}, "4.2333 4.2333 4.2333 8.4667"},
        {{36, 0, 72, 0}, {0, 7.2, 0, 0}, "12.7000 2.5400 25.4000 0.0000"},
    };
    for (const auto &r : opening) {
        Print_Settings s;
        s.pageSize = QPageSize(QPageSize::A5);
        s.orientation = QPageLayout::Landscape;
        s.margins = r.inUse;
        const QPageLayout opened = Page_Setup_Layout(s, r.minimum);
        EXPECT_EQ(opened.units(), QPageLayout::Millimeter);
        EXPECT_EQ(opened.pageSize().id(), QPageSize::A5);
        EXPECT_EQ(opened.orientation(), QPageLayout::Landscape);
        EXPECT_EQ(inMM(opened.margins(), 1), QString(r.shown));
    }
}
