// The Print command end to end: a design bound to spreadsheet rows printed through the
// print window to the virtual PDF printer and previewed, and the design afterwards.
#include "CardValueEngine.h"
#include "Globals.h"
#include "Helpers.h"
#include "PrinterLayer.h"
#include "Print_Window.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSpinBox>
#include <gtest/gtest.h>

namespace {

struct PrintCommand {
    TestWindow w;
    GraphicPtr text;
    QString pdf = testsupport::testHome() + "/printed.pdf";

    explicit PrintCommand(int rows)
    {
        Check_Path_And_Create_Files();
        qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
        w.document.Start_Card_Option = Card_Mode::Opened;  // an opened design, not visitor mode
        w.document.Add_ColList_Column("Name");
        for (int i = 1; i <= rows; ++i) w.document.Create_List_By_Array({QStringLiteral("Person%1").arg(i)}, 1);
        text = w.add(w.front(), GraphicKind::Text, QRectF(10, 10, 200, 30));
        text->Set_Data_source_type(2);
        text->Set_Excel_binding_Index(1);
        text->Set_text_value("design");
    }
    ~PrintCommand() { qunsetenv(Virtual_PDF_Printer_Setting); }

    // The words of a page, sorted.
    QString pdfText(int page) const
    {
        QProcess p;
        p.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
        p.waitForFinished(20000);
        QStringList words = QString::fromUtf8(p.readAllStandardOutput()).simplified().split(' ', Qt::SkipEmptyParts);
        words.sort();
        return words.join(' ');
    }
    static int pages(const QString &file)
    {
        QProcess p;
        p.start("pdfinfo", {file});
        p.waitForFinished(20000);
        return QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).toInt();
    }
};

} // namespace

TEST(PrintCommand, TwentyThreeRowsFiveByTwoThenTheDesignIsBack)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
    PrintCommand c(23);
    const KeyedArchive before = c.text->encode();
    int previewed = -1;
    c.w.controller.printWindowRunner = [&](Print_Window &window) {
        EXPECT_TRUE(window.print_with_excel_chk->isChecked());
        EXPECT_EQ(window.Total_Text->value(), 23);
        window.matrix_card_side->button(1)->click();
        window.horz_mar_Text->setValue(0);
        window.vert_mar_Text->setValue(0);
        window.Row_Text->setValue(5);
        window.Col_Text->setValue(2);
        window.crop_mark_chk->setChecked(true);
        window.Print_btn->click();
        window.previewRunner = [&](Print_Preview_Dialog &d) {
            d.updatePreview();
            previewed = d.pageCount();
        };
        window.Preview_btn->click();
        // The live design is untouched while the window is open.
        EXPECT_EQ(c.text->Text_Value, "design");
    };
    c.w.command("Print")->trigger();
    EXPECT_EQ(PrintCommand::pages(c.pdf), 3);
    EXPECT_EQ(c.pdfText(3), "Person21 Person22 Person23");
    EXPECT_EQ(c.pdfText(1), "Person1 Person10 Person2 Person3 Person4 Person5 Person6 Person7 Person8 Person9");
    EXPECT_EQ(previewed, 3);
    ASSERT_EQ(c.w.front().count(), 1);
    EXPECT_TRUE(c.w.top(c.w.front())->encode() == before);
    EXPECT_FALSE(c.w.controller.Value_Engine().Redraw_Held());
    // A second run may start: the first one ended.
    EXPECT_TRUE(c.w.controller.Begin_Batch_Run(false));
}

TEST(PrintCommand, NoPrinterFound)
{
    PrintCommand c(0);
    qunsetenv(Virtual_PDF_Printer_Setting);
    if (!Printer_Names().isEmpty()) GTEST_SKIP() << "this machine has printers";
    bool opened = false;
    c.w.controller.printWindowRunner = [&](Print_Window &) { opened = true; };
    testsupport::boxes().clear();
    c.w.command("Print")->trigger();
    EXPECT_FALSE(opened);
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nNo printer found."}));
}

TEST(PrintCommand, TheWindowOpensOnTheDocumentsPageSetUpAndWritesItBack)
{
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
    PrintCommand c(0);
    // Without profiles, whose first one would set its own orientation.
    for (const QString &f : QDir(print_profile_path).entryList(QDir::Files)) QFile::remove(print_profile_path + "/" + f);
    c.w.document.setPrintInfo({Virtual_PDF_Printer_Name, QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                                                      QMarginsF(), QPageLayout::Point)});
    c.w.controller.printWindowRunner = [&](Print_Window &window) {
        EXPECT_EQ(window.Printer_ComboBox->currentText(), Virtual_PDF_Printer_Name);
        EXPECT_EQ(window.Paper_id->text(), "A5");
        EXPECT_EQ(window.Orient_ComboBox->currentIndex(), 1);
        // The run reads the same settings: an A5 sheet lying down.
        window.Print_btn->click();
    };
    c.w.command("Print")->trigger();
    QProcess p;
    p.start("pdfinfo", {c.pdf});
    p.waitForFinished(20000);
    EXPECT_EQ(QRegularExpression("Page size:\\s+(\\S+ x \\S+)").match(QString::fromUtf8(p.readAllStandardOutput())).captured(1),
              "595 x 420");

    // A page set-up and an orientation chosen in the window become the document's.
    c.w.controller.printWindowRunner = [&](Print_Window &window) {
        window.pageSetupRunner = [](Print_Settings &s) {
            s.pageSize = QPageSize(QPageSize::B5);
            return true;
        };
        window.Page_setup_btn->click();
        window.Orient_ComboBox->setCurrentIndex(0);
        emit window.Orient_ComboBox->activated(0);
    };
    c.w.command("Print")->trigger();
    const Document_Print_Info kept = c.w.document.printInfo();
    EXPECT_EQ(kept.printer, Virtual_PDF_Printer_Name);
    EXPECT_EQ(kept.layout.pageSize().id(), QPageSize::B5);
    EXPECT_EQ(kept.layout.orientation(), QPageLayout::Portrait);
}
