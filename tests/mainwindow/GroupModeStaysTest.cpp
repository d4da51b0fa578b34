// Group mode keeps what the user set: a barcode moved on the card stays where it was
// put while rows are picked, after Save and reopening, and on every exported card.
#include "../output/MailSink.h"
#include "BarcodeReaders.h"
#include "CardPropertyPanel.h"
#include "ControlPanels.h"
#include "Export_Card_Dialog.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "Group_Mode_Wizard.h"
#include "Group_Row_List.h"
#include "MessageBox.h"
#include "Preferences.h"
#include "PrinterLayer.h"
#include "Print_Window.h"
#include "Profile_Panel.h"
#include "Send_Mail.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "Shots.h"
#include "TestSupport.h"
#include "GroupProjectWindow.h"
#include "Run_Desk.h"
#include "Mail_Desk.h"

#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QImage>
#include <QLineEdit>
#include <QButtonGroup>
#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <map>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace group_mode_stays_test {

namespace {

using group_project::kPeople;

// The virtual PDF printer is offered before the window's document takes its printer.
struct Pdf_Printer_First {
    const QString pdf = testsupport::testHome() + "/printed.pdf";
    Pdf_Printer_First() { qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8()); }
};

struct GroupStays : ::testing::Test, Pdf_Printer_First, Group_Project_Window {
    // A group project of five people: the name and company on the front, and a
    // barcode of the unique number below them.
    void SetUp() override
    {
        SKTDocument &d = w.document;
        d.Front_card_Prop.setCard_Side("2");
        for (auto [id, y] : {std::pair{"Fup_Name", 10.0}, std::pair{"Fup_Company", 35.0}}) {
            GraphicPtr g = w.add(d.sideList(0), GraphicKind::Text, {100, y, 120, 18});
            g->control_ID = id;
            g->Set_text_value("Text here");
        }
        GraphicPtr barcode = w.add(d.sideList(0), GraphicKind::Barcode, {110, 60, 90, 40});
        barcode->Set_Data_source_type(Data_Source_Spreadsheet);
        barcode->Set_Excel_binding(true);
        barcode->Set_Excel_binding_Index(3);
        barcode->Set_Barcode_image_control_bounds(barcode->bounds());
        d.m_columnChoices.excel_cb_value1 = 1;
        d.m_columnChoices.excel_cb_value3 = 2;
        Save_And_Open();
    }
    void pick(int row)
    {
        QListWidget &l = *list().GroupList;
        QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, l.visualItemRect(l.item(row)).center());
        ASSERT_EQ(list().selectedRow(), row);
    }
    SKTGraphic *barcode()
    {
        for (const GraphicPtr &g : w.front().items())
            if (g->kind() == GraphicKind::Barcode) return g.get();
        return nullptr;
    }
    QString name() { return w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Name")->Text_Value; }
    // The window as a user sees it, for a tour by hand (DOZO_SHOTS_DIR).
    void shot(const QString &file)
    {
        if (qEnvironmentVariableIsEmpty("DOZO_SHOTS_DIR")) return;
        w.controller.window()->resize(1400, 900);
        w.controller.window()->show();
        QTest::qWait(50);
        testsupport::saveShot(*w.controller.window(), file);
    }
};

// The centre of the barcode's picture on the card.
QPointF centreOf(const SKTGraphic &g) { return g.bounds().center(); }

#define EXPECT_AT(g, c, what)                                                                                      \
    do {                                                                                                           \
        EXPECT_NEAR(centreOf(g).x(), (c).x(), 1e-6) << what;                                                       \
        EXPECT_NEAR(centreOf(g).y(), (c).y(), 1e-6) << what;                                                       \
    } while (0)

TEST_F(GroupStays, AMovedBarcodeStaysWhereTheUserPutIt)
{
    CardPropertyPanel *panel = w.controller.cardPanel;
    SKTGraphicView *view = w.controller.graphicView(0);
    struct Road {
        const char *what;
        std::function<void(SKTGraphic &)> move;
    };
    const std::vector<Road> roads = {
        {"typed position",
         [&](SKTGraphic &g) {
             w.controller.Show_RHS_Properties(&g);
             panel->X_Text->setValue(5);
             panel->Y_Text->setValue(88);
             ASSERT_EQ(g.bounds().topLeft(), QPointF(5, 88));
         }},
        {"arrow keys",
         [&](SKTGraphic &g) {
             view->selectGraphics({&g});
             const QPointF before = g.bounds().topLeft();
             for (int i = 0; i < 12; ++i) QTest::keyClick(view, Qt::Key_Left);
             QTest::keyClick(view, Qt::Key_Down);
             ASSERT_EQ(g.bounds().topLeft(), before + QPointF(-12, 1));
         }},
    };
    for (const Road &r : roads) {
        pick(1);
        SKTGraphic *g = barcode();
        ASSERT_NE(g, nullptr);
        r.move(*g);
        const QPointF put = centreOf(*g);
        shot(QString("stays-%1-moved").arg(&r - roads.data()));
        for (int row : {3, 0, 4}) {
            pick(row);
            EXPECT_EQ(name(), kPeople[row][1]) << r.what;
            EXPECT_AT(*barcode(), put, r.what << ", row " << row);
        }
        shot(QString("stays-%1-row-5").arg(&r - roads.data()));
        // Saved and opened again: the same place, row after row.
        ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
        reopen();
        for (int row : {0, 2}) {
            pick(row);
            EXPECT_AT(*barcode(), put, r.what << ", reopened, row " << row);
        }
        shot(QString("stays-%1-reopened-row-3").arg(&r - roads.data()));
    }
}

TEST_F(GroupStays, ExportedCardsCarryTheBarcodeWhereTheCardShowsIt)
{
#ifndef HAVE_ZBAR
    GTEST_SKIP() << "zbar missing";
#else
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "pdftoppm missing";
    pick(2);
    CardPropertyPanel *panel = w.controller.cardPanel;
    w.controller.Show_RHS_Properties(barcode());
    panel->X_Text->setValue(5);
    panel->Y_Text->setValue(88);
    const QPointF put = centreOf(*barcode());
    pick(0);
    const QRectF shown = barcode()->bounds();
    EXPECT_AT(*barcode(), put, "the card shows the barcode where it was put");
    ASSERT_GT(shown.width(), 0);

    QTemporaryDir dir;
    Export_Card_Options o;
    o.layout = Export_Layout::Front;
    o.extension = "pdf";
    o.useExcel = true;
    o.range = Batch_Range{0, 3};
    testsupport::queueFilePanelAnswer({dir.path()});
    ASSERT_TRUE(w.controller.runDesk().Export_Batch_File(o));
    while (w.controller.runDesk().Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_AT(*barcode(), shown.center(), "the design after the run");

    const QString cards = QDir(dir.path()).filePath("DOZO ID Card");
    constexpr int dpi = 288;  // 4 pixels a point
    for (int k = 1; k <= 3; ++k) {
        QProcess p;
        p.setWorkingDirectory(cards);
        p.start("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", "-singlefile", QString("Card_%1_Front.pdf").arg(k),
                             "page"});
        ASSERT_TRUE(testsupport::checkerFinished(p));
        const QImage page(QDir(cards).filePath("page.png"));
        ASSERT_FALSE(page.isNull()) << k;
        if (!qEnvironmentVariableIsEmpty("DOZO_SHOTS_DIR"))
            page.save(QDir(qEnvironmentVariable("DOZO_SHOTS_DIR")).filePath(QString("exported-card-%1.png").arg(k)));
        // Where the card shows the barcode (each row's picture is centred there), with
        // a margin; nothing of the barcode is read anywhere else.
        const double s = dpi / 72.0;
        const QPointF c = shown.center() * s;
        const QRect around(int(c.x() - 70 * s), int(c.y() - 35 * s), int(140 * s), int(70 * s));
        const QImage inside = page.copy(around).convertToFormat(QImage::Format_Grayscale8);
        EXPECT_EQ(readers::Zbar_Read(readers::Grey_Page(inside, 20)), kPeople[k - 1][3].toStdString()) << k;
        QImage outside = page.convertToFormat(QImage::Format_Grayscale8);
        QPainter(&outside).fillRect(around, Qt::white);
        EXPECT_EQ(readers::Zbar_Read(readers::Grey_Page(outside, 20)), "") << k;
    }
#endif
}

// The words of a PDF page with their boxes, in points (pdftotext -bbox); none when the
// checker could not start.
std::map<QString, QRectF> wordBoxes(const QString &pdf)
{
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    if (!testsupport::checkerFinished(p)) return {};
    std::map<QString, QRectF> out;
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        out.emplace(m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                          QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())));
    }
    return out;
}

TEST_F(GroupStays, PrintedCardsCarryTheBarcodeWhereTheCardShowsIt)
{
#ifndef HAVE_ZBAR
    GTEST_SKIP() << "zbar missing";
#else
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    pick(1);
    w.controller.Show_RHS_Properties(barcode());
    w.controller.cardPanel->X_Text->setValue(5);
    w.controller.cardPanel->Y_Text->setValue(88);
    const QPointF put = centreOf(*barcode());
    pick(0);
    const QPointF shown = centreOf(*barcode());
    EXPECT_AT(*barcode(), put, "the card shows the barcode where it was put");
    const QPointF nameAt = w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Name")->bounds().topLeft();

    // The first card on the page of the virtual printer: where its name stands on the
    // page says where the card is; its barcode is read where the card shows it.
    w.controller.runDesk().printWindowRunner = [](Print_Window &window) {
        window.matrix_card_side->button(1)->click();
        window.Row_Text->setValue(1);
        window.Col_Text->setValue(1);
        window.Print_btn->click();
    };
    w.command("Print")->trigger();
    w.controller.runDesk().printWindowRunner = nullptr;
    const std::map<QString, QRectF> words = wordBoxes(pdf);
    ASSERT_TRUE(words.count("Ann")) << "the first row is printed first";
    // The name's text stands a little inside its control; the card's place on the
    // page is found from the exported card's name, drawn the same way.
    QTemporaryDir dir;
    Export_Card_Options o;
    o.layout = Export_Layout::Front;
    o.extension = "pdf";
    o.useExcel = true;
    o.range = Batch_Range{0, 1};
    testsupport::queueFilePanelAnswer({dir.path()});
    ASSERT_TRUE(w.controller.runDesk().Export_Batch_File(o));
    while (w.controller.runDesk().Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const std::map<QString, QRectF> card = wordBoxes(QDir(dir.path()).filePath("DOZO ID Card/Card_1_Front.pdf"));
    ASSERT_TRUE(card.count("Ann"));
    ASSERT_NEAR(card.at("Ann").top(), nameAt.y(), 10) << "the exported card's name where the card shows it";
    const QPointF cardOnPage = words.at("Ann").topLeft() - card.at("Ann").topLeft();

    constexpr int dpi = 288;
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-gray", "-png", "-f", "1", "-l", "1", "-singlefile", pdf,
                         testsupport::testHome() + "/page"});
    ASSERT_TRUE(testsupport::checkerFinished(p));
    const QImage page(testsupport::testHome() + "/page.png");
    ASSERT_FALSE(page.isNull());
    const double s = dpi / 72.0;
    const QPointF c = (cardOnPage + shown) * s;
    const QRect around(int(c.x() - 70 * s), int(c.y() - 35 * s), int(140 * s), int(70 * s));
    EXPECT_EQ(readers::Zbar_Read(readers::Grey_Page(page.copy(around).convertToFormat(QImage::Format_Grayscale8), 20)),
              "U1");
#endif
}

TEST_F(GroupStays, MailedCardsCarryTheBarcodeWhereTheCardShowsIt)
{
#ifndef HAVE_ZBAR
    GTEST_SKIP() << "zbar missing";
#else
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "poppler-utils missing";
    mailtest::SmtpSink sink;
    ASSERT_TRUE(sink.start());
    Preferences p = Preferences::sharedInstance();
    p.setsend_email_SenderEmail("sender@example.org");
    p.setsend_email_Password("secret");
    p.setsend_email_SMTP_server("127.0.0.1");
    p.setsend_email_PORT_num(QString::number(sink.port));
    p.setsend_email_enable_ssl("N");
    p.flush();
    pick(3);
    w.controller.Show_RHS_Properties(barcode());
    w.controller.cardPanel->X_Text->setValue(5);
    w.controller.cardPanel->Y_Text->setValue(88);
    const QPointF put = centreOf(*barcode());
    pick(0);
    EXPECT_AT(*barcode(), put, "the card shows the barcode where it was put");

    w.controller.Get_Email_Details();
    Send_Mail &mail = w.controller.mailDesk().Send_Mail_Window();
    mail.Reset_For_Design();
    mail.send_with_excel_chk->setChecked(true);
    mail.to_txt->setPlainText("a@example.org");
    testsupport::boxes().clear();
    ASSERT_TRUE(mail.Send_Button());
    mail.Wait_Until_Done();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nE-mail has been sent successfully."});
    QTemporaryDir dump;
    ASSERT_EQ(sink.messages(dump.path()).size(), kPeople.size());
    // Each card's front read where the card shows its barcode: every row's number once.
    QStringList read;
    for (const QString &front : QDir(dump.path()).entryList({"*_Front.pdf"}, QDir::Files)) {
        QProcess r;
        r.setWorkingDirectory(dump.path());
        r.start("pdftoppm", {"-r", "288", "-gray", "-png", "-singlefile", front, "page"});
        ASSERT_TRUE(testsupport::checkerFinished(r));
        const QImage page(QDir(dump.path()).filePath("page.png"));
        ASSERT_FALSE(page.isNull()) << front.toStdString();
        const QPointF c = put * 4;
        const QRect around(int(c.x() - 280), int(c.y() - 140), 560, 280);
        read << QString::fromStdString(
            readers::Zbar_Read(readers::Grey_Page(page.copy(around).convertToFormat(QImage::Format_Grayscale8), 20)));
    }
    read.sort();
    EXPECT_EQ(read, (QStringList{"U1", "U2", "U3", "U4", "U5"}));
#endif
}

TEST_F(GroupStays, UndoAndRedoKeepTheRowTheListShows)
{
    // Picking a row is no undo step: Undo and Redo take back the user's change, and the
    // card and the panel go on showing the row the list shows.
    CardPropertyPanel *panel = w.controller.cardPanel;
    pick(1);
    SKTGraphic *g = w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Company");
    const QRectF before = g->bounds();
    w.controller.Show_RHS_Properties(g);
    panel->Y_Text->setValue(120);
    ASSERT_EQ(g->bounds().y(), 120);
    pick(3);
    pick(4);
    const auto shown = [&] {
        return QStringList{name(), w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Company")->Text_Value,
                           Profile_Panel_Of_Side(0)->Text_Box_For_ID("Fup_Name")->text(),
                           QString::number(list().selectedRow())};
    };
    const QStringList eve{"Eve", "Echo", "Eve", "4"};
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(shown(), eve) << "after Undo";
    EXPECT_EQ(w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Company")->bounds(), before) << "the move undone";
    w.controller.Redo_Clicked();
    EXPECT_EQ(shown(), eve) << "after Redo";
    EXPECT_EQ(w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Company")->bounds().y(), 120) << "the move again";
    pick(2);
    w.controller.Undo_Action_Perform();
    EXPECT_EQ(shown(), (QStringList{"Cy", "Corp", "Cy", "2"})) << "Undo after another pick";
}

TEST_F(GroupStays, RedoGivesBackWhatWasTypedIntoABoundText)
{
    // A value typed into the bound name comes and goes with Undo and Redo while the list
    // shows the row it was typed on; a row picked in between shows its own values. A
    // name typed ("=" replaces it) is what the row's Save stores, also after the rows
    // changed under the card.
    ControlPanels &panels = *w.controller.controlPanels;
    const auto step = [&](const QString &s) {
        if (s == "undo" || s == "redo") return w.command(s == "undo" ? "Undo" : "Redo")->trigger();
        if (s.startsWith("pick ")) return pick(s.mid(5).toInt());
        if (s == "save") return QTest::mouseClick(list().save_btn, Qt::LeftButton);
        if (s == "delete") {  // the row list's Delete, Yes
            testsupport::boxes().answerNext(1);
            return QTest::mouseClick(list().delete_btn, Qt::LeftButton);
        }
        SKTGraphic *g = w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Name");
        w.controller._graphicView->selectGraphics({g});
        w.controller.Set_Selected_Graphic(g);
        w.controller.Show_RHS_Properties(g);
        if (s == "move") return w.controller.cardPanel->Y_Text->setValue(150);
        panels.text.value->setPlainText(s.startsWith('=') ? s.mid(1) : panels.text.value->toPlainText() + s);
        w.controller.Show_RHS_Properties(nullptr);  // clicked away
    };
    struct Road {
        const char *what;
        std::vector<std::pair<QString, QString>> steps;  // a step, then the name shown
    };
    const std::vector<Road> roads = {
        {"typed, undone, redone", {{"pick 1", "Bob"}, {" Jr", "Bob Jr"}, {"undo", "Bob"}, {"redo", "Bob Jr"}}},
        {"two typings",
         {{"pick 1", "Bob"}, {" Jr", "Bob Jr"}, {" Sr", "Bob Jr Sr"}, {"undo", "Bob Jr"}, {"undo", "Bob"},
          {"redo", "Bob Jr"}, {"redo", "Bob Jr Sr"}}},
        {"typed on another row than the step before",
         {{"pick 1", "Bob"}, {"move", "Bob"}, {"pick 2", "Cy"}, {" Jr", "Cy Jr"}, {"undo", "Cy"}, {"redo", "Cy Jr"}}},
        {"a row picked after Undo", {{"pick 1", "Bob"}, {" Jr", "Bob Jr"}, {"undo", "Bob"}, {"pick 3", "Dee"}, {"redo", "Dee"}}},
        {"a row picked before Undo", {{"pick 1", "Bob"}, {" Jr", "Bob Jr"}, {"pick 4", "Eve"}, {"undo", "Eve"}, {"redo", "Eve"}}},
        // Last: the project keeps the saved rows.
        {"typed, then the row saved", {{"pick 1", "Bob"}, {" Jr", "Bob Jr"}, {"save", "Bob Jr"}}},
        // The person shown deleted: the next one comes onto the card in the same place
        // of the list, and a name typed there is theirs to store, even the one shown before.
        {"the row shown deleted, the next person named as the one before",
         {{"pick 0", "Ann"}, {"delete", "Bob Jr"}, {"=Ann", "Ann"}, {"save", "Ann"}, {"pick 1", "Cy"}, {"pick 0", "Ann"}}},
    };
    for (const Road &r : roads) {
        reopen();
        for (const auto &[s, shown] : r.steps) {
            step(s);
            EXPECT_EQ(name(), shown) << r.what << ", after " << s.toStdString();
            // The panel's box is in step with the card after every step, the typing too.
            EXPECT_EQ(Profile_Panel_Of_Side(0)->Text_Box_For_ID("Fup_Name")->text(), shown)
                << r.what << ", the panel after " << s.toStdString();
            if (s == "save") {
                EXPECT_EQ(w.document.ListData().at(list().selectedRow()).at(1), shown)
                    << r.what << ": the row stores what the card shows";
            }
        }
    }
}

TEST_F(GroupStays, OnlyAUsersChangeMakesTheDesignChanged)
{
    QTemporaryDir dir;
    mailtest::SmtpSink sink;
    ASSERT_TRUE(sink.start());
    Preferences p = Preferences::sharedInstance();
    p.setsend_email_SenderEmail("sender@example.org");
    p.setsend_email_Password("secret");
    p.setsend_email_SMTP_server("127.0.0.1");
    p.setsend_email_PORT_num(QString::number(sink.port));
    p.setsend_email_enable_ssl("N");
    p.flush();
    struct Road {
        const char *what;
        std::function<void()> walk;
        bool changed;
    };
    // A project file in a folder that is a file: the save says why and writes nothing.
    const QString notAFolder = testsupport::testHome() + "/not a folder";
    QFile(notAFolder).open(QIODevice::WriteOnly);
    const QString unwritable = notAFolder + "/GR.zcd";
    const std::vector<Road> roads = {
        {"opened", [] {}, false},
        {"rows picked", [&] { pick(3); pick(1); }, false},
        {"a row saved, the project saved silently",
         [&] {
             pick(2);
             QTest::mouseClick(list().save_btn, Qt::LeftButton);
             EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nRecord saved successfully."});
         },
         false},
        {"sides switched", [&] { pick(4); w.controller.Back_Card_Btn_Clicked(); w.controller.Front_Card_Btn_Clicked(); }, false},
        {"cards exported",
         [&] {
             pick(1);
             Export_Card_Options o;
             o.layout = Export_Layout::Both;
             o.useExcel = true;
             o.range = Batch_Range{0, 2};
             testsupport::queueFilePanelAnswer({dir.path()});
             ASSERT_TRUE(w.controller.runDesk().Export_Batch_File(o));
             while (w.controller.runDesk().Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
         },
         false},
        {"cards printed",
         [&] {
             pick(3);
             w.controller.runDesk().printWindowRunner = [](Print_Window &window) { window.Print_btn->click(); };
             w.command("Print")->trigger();
             w.controller.runDesk().printWindowRunner = nullptr;
             ASSERT_TRUE(QFile::exists(pdf));
         },
         false},
        {"cards mailed",
         [&] {
             pick(2);
             w.controller.Get_Email_Details();
             Send_Mail &mail = w.controller.mailDesk().Send_Mail_Window();
             mail.Reset_For_Design();
             mail.send_with_excel_chk->setChecked(true);
             mail.to_txt->setPlainText("a@example.org");
             ASSERT_TRUE(mail.Send_Button());
             mail.Wait_Until_Done();
             EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nE-mail has been sent successfully."});
         },
         false},
        {"a control moved",
         [&] {
             w.controller.Show_RHS_Properties(w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Name"));
             w.controller.cardPanel->X_Text->setValue(20);
         },
         true},
        {"the back changed",
         [&] {
             w.controller.Back_Card_Btn_Clicked();
             w.add(w.back(), GraphicKind::Shape, {5, 5, 20, 20});
             w.controller.Insert_In_Undo_Redo();
             w.controller.Front_Card_Btn_Clicked();
         },
         true},
        {"the card's size changed", [&] { w.controller.Change_Card_Size(QSizeF(200, 130)); }, true},
        {"a row deleted, its project not written",
         [&] {
             w.document.Project_File_Name = unwritable;
             pick(2);
             testsupport::boxes().answerNext(1);
             QTest::mouseClick(list().delete_btn, Qt::LeftButton);
             EXPECT_EQ(w.document.ListData().size(), 4);
         },
         true},
        {"a new project made, its file not written",
         [&] {
             Group_Project project;
             project.designPath = unwritable;
             project.templatePath = path;
             project.columns.excel_cb_value1 = 1;
             project.sheet = {{"Name", "Company"}, {"Ann", "Acme"}, {"Bob", "Bell"}};
             w.controller.groupMode().Make_Group_Project(project);
             EXPECT_EQ(w.document.Project_File_Name, unwritable) << "the toolbar's Save writes it there";
             EXPECT_EQ(w.document.ListData().size(), 2);
         },
         true},
        {"a control moved, then saved",
         [&] {
             w.controller.Show_RHS_Properties(w.controller.graphicView(0)->Selcect_Ctrl_With_ID("Fup_Name"));
             w.controller.cardPanel->X_Text->setValue(30);
             w.controller.Save_project_file(false, true, Card_Mode::Opened);
             EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nDesign has been saved successfully."});
         },
         false},
        {"a shape added, saved, then Undo",
         [&] {
             w.add(w.document.graphics(), GraphicKind::Shape, {5, 5, 20, 20});
             w.controller.Insert_In_Undo_Redo();
             w.controller.Save_project_file(false, true, Card_Mode::Opened);
             EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nDesign has been saved successfully."});
             w.command("Undo")->trigger();
             EXPECT_EQ(w.controller.Get_Undo_Count(), 1) << "the shape taken back";
         },
         true},
    };
    const QString kQuestion = "Do you want to save changes before closing?";
    for (const Road &r : roads) {
        reopen();
        ASSERT_FALSE(w.controller.Design_Changed()) << r.what << ": as opened";
        testsupport::boxes().clear();
        r.walk();
        EXPECT_EQ(w.controller.Design_Changed(), r.changed) << r.what;
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(kAlertCancel);
        EXPECT_EQ(w.controller.Ask_To_Save_Changes(), !r.changed) << r.what << ": Cancel keeps the design open";
        EXPECT_EQ(testsupport::boxes().take(), r.changed ? QStringList{kQuestion} : QStringList{}) << r.what;
        testsupport::boxes().clear();
    }
}

} // namespace

} // namespace group_mode_stays_test
