// The Print command of the output desk: a design bound to spreadsheet rows printed
// through the print window to the virtual PDF printer and previewed, and the design
// afterwards.
#include "CardValueEngine.h"
#include "DeskFixture.h"
#include "Globals.h"
#include "Helpers.h"
#include "PrinterLayer.h"
#include "Print_Window.h"
#include "TestSupport.h"

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
    testsupport::Desk d;
    GraphicPtr text;
    QString pdf = testsupport::testHome() + "/printed.pdf";

    explicit PrintCommand(int rows)
    {
        Check_Path_And_Create_Files();
        qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
        // The page set-up the window gives a new document: the default printer, the PDF
        // one while it is offered (a document without one prints on the first listed).
        d.document.setPrintInfo(Start_Print_Info());
        d.document.Start_Card_Option = Card_Mode::Opened;  // an opened design, not visitor mode
        d.document.Add_ColList_Column("Name");
        for (int i = 1; i <= rows; ++i) d.document.Create_List_By_Array({QStringLiteral("Person%1").arg(i)}, 1);
        text = d.add(d.front(), GraphicKind::Text, QRectF(10, 10, 200, 30));
        text->Set_Data_source_type(2);
        text->Set_Excel_binding_Index(1);
        text->Set_text_value("design");
    }
    ~PrintCommand() { qunsetenv(Virtual_PDF_Printer_Setting); }

    // The words of a page, sorted (none when the checker could not start).
    QString pdfText(int page) const
    {
        QProcess p;
        p.start("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
        if (!testsupport::checkerFinished(p)) return {};
        QStringList words = QString::fromUtf8(p.readAllStandardOutput()).simplified().split(' ', Qt::SkipEmptyParts);
        words.sort();
        return words.join(' ');
    }
    // pdfinfo's page count; -1 when the checker could not start.
    static int pages(const QString &file)
    {
        QProcess p;
        p.start("pdfinfo", {file});
        if (!testsupport::checkerFinished(p)) return -1;
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
    c.d.desk.printWindowRunner = [&](Print_Window &window) {
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
    c.d.desk.Print_Button();
    EXPECT_EQ(PrintCommand::pages(c.pdf), 3);
    EXPECT_EQ(c.pdfText(3), "Person21 Person22 Person23");
    EXPECT_EQ(c.pdfText(1), "Person1 Person10 Person2 Person3 Person4 Person5 Person6 Person7 Person8 Person9");
    EXPECT_EQ(previewed, 3);
    ASSERT_EQ(c.d.front().count(), 1);
    EXPECT_TRUE(c.d.top(c.d.front())->encode() == before);
    EXPECT_FALSE(c.d.host.Value_Engine().Redraw_Held());
    EXPECT_EQ(c.d.host.printEndedOnSide, 0);  // the window shows the front again
    // A second run may start: the first one ended.
    EXPECT_TRUE(c.d.host.Begin_Batch_Run(false));
}

TEST(PrintCommand, OnlyTheTickedDataFillsTheCards)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
    PrintCommand c(3);
    QFile numbers(Data_Folder_Path + "/Numbers.txt");
    ASSERT_TRUE(numbers.open(QIODevice::WriteOnly) && numbers.write("N1\nN2\nN3") == 8 && numbers.flush());
    GraphicPtr series = c.d.add(c.d.front(), GraphicKind::Text, QRectF(10, 60, 200, 30));
    series->Set_Data_source_type(1);
    series->Set_Batch_List_Name("Numbers");
    series->Set_Batch_List_Index(0);
    series->Set_text_value("N1");
    QStringList printed;
    c.d.desk.printWindowRunner = [&](Print_Window &window) {
        window.matrix_card_side->button(1)->click();
        for (bool seriesTicked : {false, true}) {
            window.print_with_batch_chk->setChecked(seriesTicked);
            window.Print_btn->click();
            printed << c.pdfText(1);
        }
    };
    c.d.desk.Print_Button();
    EXPECT_EQ(printed, (QStringList{"N1 N1 N1 Person1 Person2 Person3", "N1 N2 N3 Person1 Person2 Person3"}));
}

TEST(PrintCommand, NoPrinterFound)
{
    PrintCommand c(0);
    qunsetenv(Virtual_PDF_Printer_Setting);
    if (!Printer_Names().isEmpty()) GTEST_SKIP() << "this machine has printers";
    bool opened = false;
    c.d.desk.printWindowRunner = [&](Print_Window &) { opened = true; };
    testsupport::boxes().clear();
    c.d.desk.Print_Button();
    EXPECT_FALSE(opened);
    EXPECT_EQ(testsupport::boxes().take(), QStringList({"\nNo printer found."}));
    EXPECT_EQ(c.d.host.printEndedOnSide, -1);  // no run began, none ends
}

TEST(PrintCommand, TheWindowOpensOnTheDocumentsPageSetUpAndWritesItBack)
{
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
    PrintCommand c(0);
    // Without profiles, whose first one would set its own orientation.
    for (const QString &f : QDir(print_profile_path).entryList(QDir::Files)) QFile::remove(print_profile_path + "/" + f);
    c.d.document.setPrintInfo({Virtual_PDF_Printer_Name, QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                                                      QMarginsF(), QPageLayout::Point)});
    c.d.desk.printWindowRunner = [&](Print_Window &window) {
        EXPECT_EQ(window.Printer_ComboBox->currentText(), Virtual_PDF_Printer_Name);
        EXPECT_EQ(window.Paper_id->text(), "A5");
        EXPECT_EQ(window.Orient_ComboBox->currentIndex(), 1);
        // The run reads the same settings: an A5 sheet lying down.
        window.Print_btn->click();
    };
    c.d.desk.Print_Button();
    QProcess p;
    p.start("pdfinfo", {c.pdf});
    ASSERT_TRUE(testsupport::checkerFinished(p));
    EXPECT_EQ(QRegularExpression("Page size:\\s+(\\S+ x \\S+)").match(QString::fromUtf8(p.readAllStandardOutput())).captured(1),
              "595 x 420");

    // A page set-up and an orientation chosen in the window become the document's
    // (here with the back shown: the window shows it again afterwards).
    c.d.document.Card_Front_Or_Back = 1;
    c.d.desk.printWindowRunner = [&](Print_Window &window) {
        window.pageSetupRunner = [](Print_Settings &s) {
            s.pageSize = QPageSize(QPageSize::B5);
            return true;
        };
        window.Page_setup_btn->click();
        window.Orient_ComboBox->setCurrentIndex(0);
        emit window.Orient_ComboBox->activated(0);
    };
    c.d.desk.Print_Button();
    const Document_Print_Info kept = c.d.document.printInfo();
    EXPECT_EQ(kept.printer, Virtual_PDF_Printer_Name);
    EXPECT_EQ(kept.layout.pageSize().id(), QPageSize::B5);
    EXPECT_EQ(kept.layout.orientation(), QPageLayout::Portrait);
    EXPECT_EQ(c.d.host.printEndedOnSide, 1);
}
