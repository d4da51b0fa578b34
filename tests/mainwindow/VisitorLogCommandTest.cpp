// The "Visitor Log" command: visitors recorded from the entry panels, listed, searched
// and opened in the log window that the command runs.
#include "Globals.h"
#include "Helpers.h"
#include "Output_Pass_Printer.h"
#include "Print_Window.h"
#include "PrinterLayer.h"
#include "Profile_Panel.h"
#include "SKTWindowController.h"
#include "TestSupport.h"
#include "Run_Desk.h"
#include "TestWindow.h"
#include "Visitor_Record_Desk.h"
#include "Visitor_Log_Records.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

TEST(VisitorLogCommand, RecordedVisitorsAreListedSearchedAndOpened)
{
    TestWindow w;
    w.document.Start_Card_Option = Card_Mode::Visitor;
    w.controller.Select_front_side();
    Check_Path_And_Create_VISITOR_Files();
    w.add(w.front(), GraphicKind::Text, {10, 10, 50, 20});
    Profile_Panel &panel = *Front_Profile_Panel_OBJ;
    for (const char *name : {"Ann Brien", "Carl"}) {
        panel.fields[0].value->setText(QLatin1String(name));
        panel.fields[0].value_chk->setChecked(true);
        panel.fields[0].label->setText("Name :");
        panel.fields[0].label_chk->setChecked(true);
        panel.Add_to_DB_btn->click();
    }
    testsupport::boxes().clear();
    ASSERT_TRUE(w.command("VisitorLog")->isEnabled());

    QStringList listed, found, shown;
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *log = qobject_cast<Visitor_Log_Records *>(QApplication::activeModalWidget());
        ASSERT_NE(log, nullptr);
        ran = true;
        for (const Visitor_Log_Entry &e : log->ListData()) listed << e.value(Log_Name);
        log->filterBoxes[Filter_Name]->setText("bri");
        log->searchButton->click();
        for (const Visitor_Log_Entry &e : log->ListData()) found << e.value(Log_Name);
        log->Mark_List_New_Selection(0);
        log->doubleClickInTable();
        for (const Gate_Pass_Row &r : log->passData().front)
            if (!r.value.isEmpty()) shown << r.value;
        log->backButton->click();
        log->closeButton->click();
    });
    w.command("VisitorLog")->trigger();
    EXPECT_TRUE(ran);
    EXPECT_EQ(listed, QStringList({"Carl", "Ann Brien"}));
    EXPECT_EQ(found, QStringList({"Ann Brien"}));
    EXPECT_TRUE(shown.contains("Ann Brien"));
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    EXPECT_FALSE(w.controller.visitorRecord().store().Close_DB_Connection()) << "no connection stays open";
}

// One page set-up: the log's becomes the print window's, and the print window's is the
// log's at its next opening.
TEST(VisitorLogCommand, TheLogsPageSetUpIsTheDocumentsBothWays)
{
    TestWindow w;
    Check_Path_And_Create_Files();
    qputenv(Virtual_PDF_Printer_Setting, QString(testsupport::testHome() + "/printed.pdf").toUtf8());
    // Without print profiles, whose first one would set its own orientation.
    for (const QString &f : QDir(print_profile_path).entryList(QDir::Files)) QFile::remove(print_profile_path + "/" + f);
    w.document.setPrintInfo({Virtual_PDF_Printer_Name, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                                   QMarginsF(), QPageLayout::Point)});
    const auto openLog = [&](const std::function<void(Visitor_Log_Records &, Output_Pass_Printer &)> &act) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto *log = qobject_cast<Visitor_Log_Records *>(QApplication::activeModalWidget());
            ASSERT_NE(log, nullptr);
            auto *printer = dynamic_cast<Output_Pass_Printer *>(log->passPrinter());
            ASSERT_NE(printer, nullptr);
            ran = true;
            act(*log, *printer);
            log->closeButton->click();
        });
        w.command("VisitorLog")->trigger();
        EXPECT_TRUE(ran);
    };
    openLog([](Visitor_Log_Records &log, Output_Pass_Printer &printer) {
        printer.pageSetupRunner = [](Print_Settings &s) {
            s.pageSize = QPageSize(QPageSize::A5);
            s.orientation = QPageLayout::Landscape;
            return true;
        };
        log.Page_Setup_click();
    });
    bool printWindow = false;
    w.controller.runDesk().printWindowRunner = [&](Print_Window &window) {
        printWindow = true;
        EXPECT_EQ(window.Printer_ComboBox->currentText(), Virtual_PDF_Printer_Name);
        EXPECT_EQ(window.Paper_id->text(), "A5");
        EXPECT_EQ(window.Orient_ComboBox->currentIndex(), 1);
        // And back: B5 upright from the print window.
        window.pageSetupRunner = [](Print_Settings &s) {
            s.pageSize = QPageSize(QPageSize::B5);
            return true;
        };
        window.Page_setup_btn->click();
        window.Orient_ComboBox->setCurrentIndex(0);
        emit window.Orient_ComboBox->activated(0);
    };
    w.command("Print")->trigger();
    EXPECT_TRUE(printWindow);
    openLog([](Visitor_Log_Records &, Output_Pass_Printer &printer) {
        EXPECT_EQ(printer.settings().printer, Virtual_PDF_Printer_Name);
        EXPECT_EQ(printer.settings().pageSize.id(), QPageSize::B5);
        EXPECT_EQ(printer.settings().orientation, QPageLayout::Portrait);
    });
    qunsetenv(Virtual_PDF_Printer_Setting);
}
