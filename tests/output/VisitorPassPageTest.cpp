// The visitor pass page printed to the virtual PDF printer and previewed.
#include "PdfProbe.h"
#include "Print_Window.h"
#include "TestSupport.h"
#include "VisitorPassPage.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pdfprobe;

TEST(VisitorPassPage, OnePageCentredUnderTheTopAt600Dpi)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString file = dir.path() + "/pass.pdf";
    qputenv(Virtual_PDF_Printer_Setting, file.toUtf8());
    Print_Settings settings;
    const RenderedSide pass = cardSide("PASS");  // 242.65 x 153.07 points
    ASSERT_TRUE(Call_Print_Box_1(pass, settings, false));
    EXPECT_EQ(settings.printer, Virtual_PDF_Printer_Name);
    EXPECT_EQ(pdfInfo(file).pages, 1);
    // The picture: 600 dots per inch, its block at the pass's top left corner.
    const QString images = run("pdfimages", {"-list", file});
    EXPECT_TRUE(images.contains(QRegularExpression("\\s600\\s+600\\s"))) << images.toStdString();
    const std::vector<QImage> pages = pdfPages(file, 72, dir.path());
    ASSERT_EQ(pages.size(), 1u);
    const double left = (595 - kCardW) / 2;
    EXPECT_TRUE(dark(pages[0], QPointF(left + 5, 5), 72));
    EXPECT_FALSE(dark(pages[0], QPointF(left - 5, 5), 72));
    EXPECT_FALSE(dark(pages[0], QPointF(left + 25, 5), 72));
    EXPECT_FALSE(dark(pages[0], QPointF(left + 5, 25), 72));
    // The block's edges (20 points and half its 1-point outline) to a point, at 300 dpi.
    QTemporaryDir crop;
    const QRectF part(left - 10, 0, 60, 40);
    const std::vector<QImage> edges = pdfPages(file, 300, crop.path(), part);
    ASSERT_EQ(edges.size(), 1u);
    const QPointF corner(10, 0);  // the pass's corner in the part
    EXPECT_TRUE(dark(edges[0], corner + QPointF(19.5, 19.5), 300));
    EXPECT_FALSE(dark(edges[0], corner + QPointF(21.1, 10), 300));
    EXPECT_FALSE(dark(edges[0], corner + QPointF(10, 21.1), 300));
    EXPECT_FALSE(dark(edges[0], corner + QPointF(-0.9, 10), 300));

    // The preview shows the one page and writes nothing.
    QFile::remove(file);
    int shownPages = -1;
    EXPECT_TRUE(Call_Print_Box_1(pass, settings, true, nullptr, [&](Print_Preview_Dialog &d) {
        d.updatePreview();
        shownPages = d.pageCount();
    }));
    EXPECT_EQ(shownPages, 1);
    EXPECT_FALSE(QFile::exists(file));
    qunsetenv(Virtual_PDF_Printer_Setting);
}

TEST(VisitorPassPage, NoPrinterFound)
{
    qunsetenv(Virtual_PDF_Printer_Setting);
    if (!Printer_Names().isEmpty()) GTEST_SKIP() << "this machine has printers";
    Print_Settings settings;
    EXPECT_FALSE(Call_Print_Box_1(cardSide("PASS"), settings, false));
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nNo printer found."}));
}
