// The joins tried as a user goes through them: a visit mailed from the log window to a
// loopback mail server, and the log's page set-up met again in the print window with
// the shipped "Default" print profile in place. Pictures of the windows are saved when
// JOINS_SHOTS names a folder (a tour by hand).
#include "../output/MailSink.h"
#include "Cropping_Tool.h"
#include "DataSourceSection.h"
#include "Direct_Mail.h"
#include "Generate_List.h"
#include "Globals.h"
#include "Helpers.h"
#include "MainWindowLayout.h"
#include "Output_Pass_Printer.h"
#include "Preferences.h"
#include "Print_Window.h"
#include "PrinterLayer.h"
#include "Profile_Panel.h"
#include "SeriesFile.h"
#include "TestSupport.h"
#include "Run_Desk.h"
#include "TestWindow.h"
#include "Visitor_Log_Records.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QAbstractItemView>
#include <QDir>
#include <QImage>
#include <QRadioButton>
#include <QSignalSpy>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QMainWindow>
#include <QToolBar>
#include <QTimer>
#include <gtest/gtest.h>

namespace joins_tour_test {

using namespace mailtest;

namespace {

void shot(QWidget &window, const char *file)
{
    const QString folder = qEnvironmentVariable("JOINS_SHOTS");
    if (!folder.isEmpty()) window.grab().save(QDir(folder).filePath(QLatin1String(file)));
}

// A checker's output; none when it could not start.
QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!testsupport::checkerFinished(p)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A visitor recorded from the front panel, as the entry panel's Add button does it.
void recordVisitor(TestWindow &w, const char *name)
{
    w.document.Start_Card_Option = Card_Mode::Visitor;
    w.controller.Select_front_side();
    Check_Path_And_Create_VISITOR_Files();
    w.add(w.front(), GraphicKind::Text, {10, 10, 50, 20});
    Profile_Panel &panel = *Front_Profile_Panel_OBJ;
    panel.fields[0].value->setText(QLatin1String(name));
    panel.fields[0].value_chk->setChecked(true);
    panel.fields[0].label->setText("Name :");
    panel.fields[0].label_chk->setChecked(true);
    panel.Add_to_DB_btn->click();
    testsupport::boxes().clear();
}

// Runs the "Visitor Log" command with `act` on the open window, then closes it.
void inTheLog(TestWindow &w, const std::function<void(Visitor_Log_Records &)> &act)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *log = qobject_cast<Visitor_Log_Records *>(QApplication::activeModalWidget());
        ASSERT_NE(log, nullptr);
        ran = true;
        act(*log);
        log->closeButton->click();
    });
    w.command("VisitorLog")->trigger();
    EXPECT_TRUE(ran);
}

QStringList items(const QComboBox &combo)
{
    QStringList list;
    for (int i = 0; i < combo.count(); ++i) list << combo.itemText(i);
    return list;
}

// The data-source list of the main window opened, as the user looks at it.
void shotOfTheList(TestWindow &w, const char *file)
{
    if (qEnvironmentVariableIsEmpty("JOINS_SHOTS")) return;
    QWidget &window = *w.controller.window();
    window.resize(1300, 850);
    window.show();
    QComboBox &list = *w.controller.dataSourceSection->Batch_Series;
    list.showPopup();
    QApplication::processEvents();
    shot(*list.view()->window(), file);
    list.hidePopup();
}

} // namespace

// The series commands of the toolbar and Crop All: a series they make is in the
// data-source list when their window closes, the chosen one still chosen.
TEST(JoinsTour, SeriesMadeFromTheToolbarAndByCropAllAreListedAtOnce)
{
    TestWindow w;
    const QString home = testsupport::testHome();
    QDir().mkpath(home + "/in");
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(home + "/in/p.png"));
    for (const char *name : {"Badges", "Visitors"})
        ASSERT_TRUE(SeriesFile::Write(SeriesFile::Path(Data_Folder_Path, name), {home + "/in/p.png"}));
    DataSourceSection &section = *w.controller.dataSourceSection;
    section.Data_source_type->setCurrentText("Series");
    section.Fill_Data_Set_File_Name_In_Combo(section.Batch_Series);
    section.Batch_Series->setCurrentText("Visitors");

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *g = qobject_cast<Generate_List *>(QApplication::activeModalWidget());
        ASSERT_TRUE(g);
        seen = true;
        g->seq_file_name->setText("Numbers");
        g->from_txt->setText("1");
        g->to_txt->setText("5");
        shot(*g, "5-create-series.png");
        g->ok->click();
        if (g->isVisible()) g->reject();
    });
    QAction *create = w.controller.ui.deskBar->findChild<QAction *>("CreateSeries");
    ASSERT_TRUE(create);
    create->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(items(*section.Batch_Series), QStringList({"Badges", "Numbers", "Visitors"}));
    EXPECT_EQ(section.Batch_Series->currentText(), "Visitors");
    shotOfTheList(w, "6-series-list-after-create.png");

    seen = false;
    QTimer::singleShot(0, [&] {
        auto *tool = qobject_cast<Cropping_Tool *>(QApplication::activeModalWidget());
        ASSERT_TRUE(tool);
        seen = true;
        tool->resize(950, 650);
        tool->series_radio->setChecked(true);
        tool->batch_list->setCurrentIndex(tool->batch_list->findText("Badges"));
        tool->output_path->setText(home + "/out");
        shot(*tool, "7-crop-series-input.png");
        testsupport::boxes().answerNext(1);  // a new series: Yes
        tool->next_btn->click();
        tool->fixed_radio->setChecked(true);
        QSignalSpy done(tool, &Cropping_Tool::cropAllFinished);
        tool->crop_all_btn->click();
        EXPECT_TRUE(done.wait(10000));
        tool->reject();
    });
    w.command("Crop")->trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(items(*section.Batch_Series), QStringList({"Badges", "Badges (1)", "Numbers", "Visitors"}));
    EXPECT_EQ(section.Batch_Series->currentText(), "Visitors");
    shotOfTheList(w, "8-series-list-after-crop-all.png");
}

TEST(JoinsTour, AVisitMailedFromTheLogArrivesAsItsOnePagePass)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "poppler-utils not installed";
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"--user", "desk@example.org"}));
    QDir().mkpath(Created_Resource_Path);
    Preferences p = Preferences::sharedInstance();
    p.setsend_email_SenderEmail("desk@example.org");
    p.setsend_email_Password("secret");
    p.setsend_email_SMTP_server("127.0.0.1");
    p.setsend_email_PORT_num(QString::number(sink.port));
    p.setsend_email_enable_ssl("N");
    p.flush();

    TestWindow w;
    w.controller.Get_Email_Details();
    recordVisitor(w, "Ann Brien");

    QString mailed;
    QStringList boxesWhileOpen;
    w.runner.whileOpen<Direct_Mail>([&](Direct_Mail &d) {
        mailed = d.file_path_ctrl->text();
        EXPECT_EQ(d.from_txt->text(), "desk@example.org");
        d.to_txt->setText("guest@example.org");
        shot(d, "2-mail-window.png");
        EXPECT_TRUE(d.Send_Button());
        d.Wait_Until_Done();
        boxesWhileOpen = testsupport::boxes().take();
        d.Close_Button();
    });
    inTheLog(w, [&](Visitor_Log_Records &log) {
        log.resize(1100, 750);
        log.Mark_List_New_Selection(0);
        log.doubleClickInTable();
        shot(log, "1-log-details.png");
        log.mailButton->click();
    });
    w.runner.remove<Direct_Mail>();

    EXPECT_EQ(boxesWhileOpen, QStringList{"\nE-mail has been sent successfully."});
    EXPECT_EQ(QFileInfo(mailed).fileName(), "Visitor_Details_1.pdf");
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(mailed).path())) << "the private folder went with the mail window";
    QTemporaryDir dump;
    ASSERT_EQ(sink.waitFor(1), 1);
    const QList<SavedMail> mail = sink.messages(dump.path());
    ASSERT_EQ(mail.size(), 1);
    EXPECT_EQ(mail[0].envTo, "guest@example.org");
    EXPECT_EQ(mail[0].attachments, QStringList{"Visitor_Details_1.pdf"});
    const QStringList dumped = QDir(dump.path()).entryList({"*.pdf"}, QDir::Files);
    ASSERT_EQ(dumped.size(), 1);
    const QString pdf = dump.filePath(dumped[0]);
    EXPECT_TRUE(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+1\\n")));
    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains("Visitor Details")) << text.toStdString();
    EXPECT_TRUE(text.contains("Ann Brien")) << text.toStdString();
    if (!qEnvironmentVariableIsEmpty("JOINS_SHOTS"))
        run("pdftoppm", {"-png", "-r", "60", "-singlefile", pdf, QDir(qEnvironmentVariable("JOINS_SHOTS")).filePath("3-received-pass")});
}

// With the shipped "Default" profile the print window applies that profile's
// orientation at every opening, as a choice of the user's: the log's A5 stays, its
// landscape gives way to the profile's portrait, and the log then opens on that.
TEST(JoinsTour, TheLogsPageSetUpMeetsTheShippedProfileInThePrintWindow)
{
    TestWindow w;
    Check_Path_And_Create_Files();
    ASSERT_TRUE(QFileInfo::exists(print_profile_path + "/Default.zvp"));
    qputenv(Virtual_PDF_Printer_Setting, QString(testsupport::testHome() + "/printed.pdf").toUtf8());
    w.document.setPrintInfo({Virtual_PDF_Printer_Name, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                                   QMarginsF(), QPageLayout::Point)});
    recordVisitor(w, "Ann Brien");
    inTheLog(w, [](Visitor_Log_Records &log) {
        auto *printer = dynamic_cast<Output_Pass_Printer *>(log.passPrinter());
        ASSERT_NE(printer, nullptr);
        printer->pageSetupRunner = [](Print_Settings &s) {
            s.pageSize = QPageSize(QPageSize::A5);
            s.orientation = QPageLayout::Landscape;
            return true;
        };
        log.Page_Setup_click();
    });
    EXPECT_EQ(w.document.printInfo().layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(w.document.printInfo().layout.orientation(), QPageLayout::Landscape);

    bool opened = false;
    w.controller.runDesk().printWindowRunner = [&](Print_Window &window) {
        opened = true;
        window.resize(950, 700);
        shot(window, "4-print-window-with-default-profile.png");
        EXPECT_EQ(window.Printer_ComboBox->currentText(), Virtual_PDF_Printer_Name);
        EXPECT_EQ(window.Paper_id->text(), "A5");
        EXPECT_EQ(window.Orient_ComboBox->currentText(), "Portrait");
        EXPECT_EQ(window.selectedProfile(), "Default");
        window.Cancel_btn->click();
    };
    w.command("Print")->trigger();
    w.controller.runDesk().printWindowRunner = nullptr;
    EXPECT_TRUE(opened);
    EXPECT_EQ(w.document.printInfo().layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(w.document.printInfo().layout.orientation(), QPageLayout::Portrait);
    inTheLog(w, [](Visitor_Log_Records &log) {
        auto *printer = dynamic_cast<Output_Pass_Printer *>(log.passPrinter());
        ASSERT_NE(printer, nullptr);
        EXPECT_EQ(printer->settings().pageSize.id(), QPageSize::A5);
        EXPECT_EQ(printer->settings().orientation, QPageLayout::Portrait);
    });
    qunsetenv(Virtual_PDF_Printer_Setting);
}

} // namespace joins_tour_test
