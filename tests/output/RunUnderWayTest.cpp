// One run at a time: while a batch export waits for the pool, every command that would
// start another run (export, print, mail) is refused with one message before it
// recounts anything, and the running export keeps its cards and values.
#include "CardValueEngine.h"
#include "DeskFixture.h"
#include "Export_Card_Dialog.h"
#include "Globals.h"
#include "HeldPoolThreads.h"
#include "Mail_Desk.h"
#include "PrinterLayer.h"
#include "Print_Window.h"
#include "RunUnderWay.h"
#include "Send_Mail.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QThreadPool>
#include <gtest/gtest.h>

TEST(RunUnderWay, ASecondRunIsRefusedAndTheRunningOneKeepsItsCards)
{
    testsupport::Desk d;
    d.document.Start_Card_Option = Card_Mode::Opened;
    d.document.Add_ColList_Column("Name");
    for (const char *name : {"Ann", "Bob"}) d.document.Create_List_By_Array({name}, 1);
    GraphicPtr text = d.add(d.front(), GraphicKind::Text, QRectF(10, 10, 200, 30));
    text->Set_Data_source_type(2);
    text->Set_Excel_binding_Index(1);
    text->Set_text_value("design");
    const QString pdf = testsupport::testHome() + "/printed.pdf";
    qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
    // Windows a road would open answer at once (a refused road opens none).
    QStringList opened;
    d.runner.instead<Export_Card_Dialog>([&](Export_Card_Dialog &) { return opened << "export options", 0; });
    d.runner.instead<Send_Mail>([&](Send_Mail &) { return opened << "card mailing", 0; });
    d.desk.printWindowRunner = [&](Print_Window &) { opened << "print window"; };

    QTemporaryDir dir;
    QThreadPool &pool = *QThreadPool::globalInstance();
    Export_Card_Options options;
    options.useExcel = true;
    options.range = Batch_Range{0, 2};
    {
        const Held_Pool_Threads held(pool, pool.maxThreadCount());
        testsupport::queueFilePanelAnswer({dir.path()});
        ASSERT_TRUE(d.desk.Export_Batch_File(options));
        CardValueEngine &engine = d.host.Value_Engine();
        ASSERT_TRUE(engine.isRunning());
        ASSERT_EQ(engine.Total_Batch_Excel_Card(), 2);
        // A third person comes while the export waits for the pool.
        d.document.Create_List_By_Array({"Cy"}, 1);

        const struct {
            const char *road;
            std::function<void()> start;
        } roads[] = {
            {"Export Card", [&] { d.desk.Export_Card_Clicked(); }},
            {"a second batch export",
             [&] {
                 testsupport::queueFilePanelAnswer({dir.path()});
                 EXPECT_FALSE(d.desk.Export_Batch_File(options));
                 testsupport::clearFilePanels();
             }},
            {"Print", [&] { d.desk.Print_Button(); }},
            {"Mail", [&] { d.desk.mailDesk().Mail_Clicked(); }},
            {"the mailing window's Send",
             [&] {
                 Send_Mail &mail = d.desk.mailDesk().Send_Mail_Window();
                 mail.send_with_excel_chk->setChecked(true);
                 mail.to_txt->setPlainText("a@example.org");
                 EXPECT_FALSE(mail.Send_Button());
             }},
        };
        for (const auto &r : roads) {
            SCOPED_TRACE(r.road);
            testsupport::boxes().clear();
            r.start();
            EXPECT_EQ(testsupport::boxes().take(), QStringList{"\n" + Run_Under_Way_Text()});
            EXPECT_EQ(opened, QStringList());
            EXPECT_TRUE(engine.isRunning());
            EXPECT_EQ(engine.Total_Batch_Excel_Card(), 2);
            EXPECT_EQ(engine.Excel_table_rows(), 2);
            EXPECT_EQ(engine.Get_sel_row_col_value_of_Excel(2, 1), "");
            EXPECT_EQ(engine.Get_sel_row_col_value_of_Excel(1, 1), "Bob");
        }
    }
    while (d.desk.Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    qunsetenv(Virtual_PDF_Printer_Setting);
    EXPECT_EQ(QDir(dir.filePath("DOZO ID Card")).entryList(QDir::Files, QDir::Name),
              (QStringList{"Card_1_Front.png", "Card_2_Front.png"}));
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(text->Text_Value, "design");
    EXPECT_FALSE(d.host.Value_Engine().isRunning());
}
