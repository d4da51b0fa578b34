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
