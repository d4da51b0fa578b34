// The document printed on its own: the front on one page of the card canvas.
#include "DocumentPrint.h"
#include "Globals.h"
#include "PdfProbe.h"
#include "SKTDocument.h"

#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pdfprobe;

namespace {
RenderResources resources() { return Application_Render_Resources(asLoaded()); }
} // namespace

TEST(DocumentPrint, JobTitleFromTheFileElseTheDisplayName)
{
    QTemporaryDir dir;
    SKTDocument doc;
    doc.Front_card_Prop.setCard_Name("Staff");
    const QString savedApp = App_Name;
    App_Name = "Cards";
    struct Row {
        QString file;
        QString title;
    };
    const Row rows[] = {
        {"", "Cards ( Staff )"},
        {dir.filePath("Front Desk.v2.zcd"), "Front Desk.v2"},
    };
    for (const Row &r : rows) {
        doc.Project_File_Name = r.file;
        EXPECT_EQ(printOperationWithSettings(doc, {}, resources()).jobTitle, r.title) << r.file.toStdString();
    }
    App_Name = savedApp;
}

TEST(DocumentPrint, TheDocumentsSettingsWithTheGivenOnesAdded)
{
    SKTDocument doc;
    doc.setPrintInfo({"Desk", QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Portrait, QMarginsF(), QPageLayout::Point)});
    const Document_Print_Operation plain = printOperationWithSettings(doc, {}, resources());
    EXPECT_EQ(plain.viewFrame, QRectF(0, 0, 243, 154));
    EXPECT_EQ(plain.settings.printer, "Desk");
    EXPECT_EQ(plain.settings.pageSize.id(), QPageSize::A5);
    EXPECT_EQ(plain.printInfo.value("PaperName").toString(), "A5");
    EXPECT_TRUE(plain.canSpawnSeparateThread);

    const Document_Print_Operation given =
        printOperationWithSettings(doc, {{"Orientation", 1}, {"Copies", 3}}, resources());
    EXPECT_EQ(given.settings.orientation, QPageLayout::Landscape);
    EXPECT_EQ(given.printInfo.value("Copies").toInt(), 3);
    EXPECT_EQ(given.printInfo.value("Orientation").toInt(), 1);
    EXPECT_EQ(given.printInfo.value("PrinterName").toString(), "Desk");
}

TEST(DocumentPrint, OneCanvasPageHoldingTheFront)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString file = dir.filePath("doc.pdf");
    qputenv(Virtual_PDF_Printer_Setting, file.toUtf8());
    SKTDocument doc;
    // The document's paper is A4; the page is the canvas all the same.
    doc.setPrintInfo({Virtual_PDF_Printer_Name, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                            QMarginsF(), QPageLayout::Point)});
    QString error;
    ASSERT_TRUE(Run_Print_Operation(printOperationWithSettings(doc, {}, resources()), &error)) << error.toStdString();
    const Info empty = pdfInfo(file);
    EXPECT_EQ(empty.pages, 1);
    EXPECT_DOUBLE_EQ(empty.width, 243);
    EXPECT_DOUBLE_EQ(empty.height, 154);

    auto label = SKTText::create();
    label->Set_text_value("Frontward");
    label->_bounds = QRectF(10, 10, 200, 40);
    label->text_ctrl_font = Font_With_Name("Liberation Sans", 14);
    doc.insertGraphic(label, 0);
    doc.graphics_back().insert(SKTText::create());
    ASSERT_TRUE(Run_Print_Operation(printOperationWithSettings(doc, {}, resources()), &error)) << error.toStdString();
    const std::vector<Word> words = pdfWords(file);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_EQ(words[0].page, 1);
    EXPECT_EQ(words[0].text, "Frontward");
    // A printer given with the settings is the job's printer.
    doc.setPrintInfo({"Desk", doc.printInfo().layout});
    EXPECT_EQ(printOperationWithSettings(doc, {{"PrinterName", Virtual_PDF_Printer_Name}}, resources()).settings.printer,
              Virtual_PDF_Printer_Name);
    // A page that cannot be started: nothing printed, a reason.
    qputenv(Virtual_PDF_Printer_Setting, dir.filePath("no such folder/doc.pdf").toUtf8());
    EXPECT_FALSE(Run_Print_Operation(printOperationWithSettings(doc, {{"PrinterName", Virtual_PDF_Printer_Name}},
                                                                resources()),
                                     &error));
    EXPECT_EQ(error, "The printer \"PDF File\" could not start the page.");
    // A page that could not be written (a full disk: /dev/full): false, the system's reason.
    qputenv(Virtual_PDF_Printer_Setting, "/dev/full");
    EXPECT_FALSE(Run_Print_Operation(printOperationWithSettings(doc, {{"PrinterName", Virtual_PDF_Printer_Name}},
                                                                resources()),
                                     &error));
    EXPECT_EQ(error, "The print job could not be written to \"/dev/full\": No space left on device.");
    qunsetenv(Virtual_PDF_Printer_Setting);

    Document_Print_Operation gone = printOperationWithSettings(doc, {}, resources());
    gone.settings.printer = "Gone Away";
    EXPECT_FALSE(Run_Print_Operation(gone, &error));
    EXPECT_EQ(error, "The printer \"Gone Away\" is not available.");
}

// The print settings a new document starts with: the default printer's paper, else A4
// standing, without margins; the PDF stand-in printer keeps A4.
TEST(DocumentPrint, StartSettingsAreTheDefaultPrintersElseA4Portrait)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) GTEST_SKIP() << "printers are installed here";
    const QByteArray saved = qgetenv(Virtual_PDF_Printer_Setting);
    qunsetenv(Virtual_PDF_Printer_Setting);
    const Document_Print_Info none = Start_Print_Info();
    EXPECT_EQ(none.printer, "");
    EXPECT_EQ(none.layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(none.layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(none.layout.margins(QPageLayout::Point), QMarginsF());
    EXPECT_TRUE(SKTDocument().printInfo() == none) << "a new document holds the same";

    QTemporaryDir dir;
    qputenv(Virtual_PDF_Printer_Setting, dir.filePath("out.pdf").toUtf8());
    const Document_Print_Info pdf = Start_Print_Info();
    EXPECT_EQ(pdf.printer, Virtual_PDF_Printer_Name);
    EXPECT_EQ(pdf.layout.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(pdf.layout.orientation(), QPageLayout::Portrait);
    if (saved.isNull()) qunsetenv(Virtual_PDF_Printer_Setting);
    else qputenv(Virtual_PDF_Printer_Setting, saved);
}
