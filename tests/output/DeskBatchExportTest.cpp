// Batch export through the output desk: a design bound to a series or a spreadsheet,
// cards of a range into the card folder on the run's thread, the design as it was
// afterwards, Stop, a folder that cannot be made, PDF cards, and quitting during a run.
#include "Batch_Export.h"
#include "CardValueEngine.h"
#include "DeskFixture.h"
#include "Export_Card_Dialog.h"
#include "Globals.h"
#include "RenderResources.h"
#include "RenderedSide.h"
#include "Shared_Dialogs.h"
#include "TestSupport.h"
#include "MessageBox.h"
#include "PdfProbe.h"
#include "Shots.h"
#include "PrinterLayer.h"
#include "Print_Window.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QDoubleSpinBox>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QMainWindow>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <thread>

namespace desk_batch_export_test {

namespace {
constexpr double kMM = 2.834645669291;

struct DeskBatchExportTest : ::testing::Test {
    testsupport::Desk d;
    QTemporaryDir dir;
    GraphicPtr text;

    void SetUp() override
    {
        d.document.Start_Card_Option = Card_Mode::Opened;
        d.document.Front_card_Prop.setCard_Side("2");
        d.setCardSize(QSizeF(85.6 * kMM, 54 * kMM));
        text = d.add(d.front(), GraphicKind::Text, QRectF(20, 20, 150, 40));
        text->Set_text_value("design");
        d.add(d.back(), GraphicKind::Shape, QRectF(10, 10, 60, 30));
    }
    void bindToSeries(int values)
    {
        QFile f(Data_Folder_Path + "/Numbers.txt");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (int i = 1; i <= values; ++i) f.write(QByteArray::number(i) + (i < values ? "\n" : ""));
        f.close();
        text->Set_Data_source_type(1);
        text->Set_Batch_List_Name("Numbers");
        text->Set_Batch_List_Index(0);
    }
    // Rows "Person N" with a photo each, the text bound to the name and a picture to the
    // photo; the photos of the rows in `gone` ("goneN.png") do not exist.
    void bindToRowsWithPhotos(int rows, const QList<int> &gone)
    {
        QImage photo(40, 50, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        ASSERT_TRUE(photo.save(dir.filePath("photo.png")));
        d.document.Add_ColList_Column("Name");
        d.document.Add_ColList_Column("Photo");
        for (int r = 1; r <= rows; ++r) {
            const QString path = dir.filePath(gone.contains(r) ? QStringLiteral("gone%1.png").arg(r) : "photo.png");
            d.document.Create_List_By_Array({QStringLiteral("Person %1").arg(r), path}, 2);
        }
        text->Set_Data_source_type(2);
        text->Set_Excel_binding_Index(1);
        GraphicPtr picture = d.add(d.front(), GraphicKind::Image, QRectF(180, 20, 40, 50));
        picture->Set_Data_source_type(2);
        picture->Set_Excel_binding_Index(2);
    }
    // A folder "out" for the cards, given to the next file panel.
    QString outFolderAnswered()
    {
        const QString out = dir.filePath("out");
        EXPECT_TRUE(QDir().mkpath(out));
        testsupport::queueFilePanelAnswer({out});
        return out;
    }
    void bindToSheet(const QStringList &names)
    {
        d.document.Add_ColList_Column("Name");
        for (const QString &n : names) d.document.Create_List_By_Array({n}, 1);
        text->Set_Data_source_type(2);
        text->Set_Excel_binding_Index(1);
    }
    // The design's archives, once it has been drawn (a text keeps its laid-out
    // contents from its first drawing on).
    std::vector<KeyedArchive> snapshot()
    {
        (void)frontWith(text->Text_Value);
        return archives();
    }
    std::vector<KeyedArchive> archives() const
    {
        std::vector<KeyedArchive> out;
        for (const SKTGraphicList *side : {&d.document.graphics(), &d.document.graphics_back()})
            for (const GraphicPtr &g : side->items()) out.push_back(g->encode());
        return out;
    }
    Export_Card_Options options(int from, int to, Export_Layout layout = Export_Layout::Both, const char *ext = "png")
    {
        Export_Card_Options o;
        o.layout = layout;
        o.extension = ext;
        o.useSeries = o.useExcel = true;
        o.range = Batch_Range{from - 1, to};
        return o;
    }
    bool exportBatch(const Export_Card_Options &o)
    {
        testsupport::queueFilePanelAnswer({dir.path()});
        if (!d.desk.Export_Batch_File(o)) return false;
        while (d.desk.Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return true;
    }
    QString cards() const { return QDir(dir.path()).filePath("DOZO ID Card"); }
    QStringList files() const { return QDir(cards()).entryList(QDir::Files, QDir::Name); }
    // The front as the design draws it with the text showing `value` (its height
    // following the value one turn later).
    QImage frontWith(const QString &value)
    {
        const QString kept = text->Text_Value;
        const QRectF keptBounds = text->bounds();
        text->Set_text_value(value);
        QCoreApplication::processEvents();
        const RenderedSide side = Render_Side_Drawing(d.front().items(), d.document.cardBounds(),
                                                      &d.document.Front_card_Prop,
                                                      Application_Render_Resources(asLoaded()));
        // Drawn on a thread of its own, as the cards are.
        QImage image;
        std::thread([&] { image = Rendered_Side_Image(side, 600).convertToFormat(QImage::Format_ARGB32); }).join();
        text->Set_text_value(kept);
        QCoreApplication::processEvents();
        text->setBounds(keptBounds);
        return image;
    }
};

TEST_F(DeskBatchExportTest, SeriesCardsFiveToSevenBothSides)
{
    bindToSeries(12);
    const std::vector<KeyedArchive> before = snapshot();
    ASSERT_TRUE(exportBatch(options(5, 7)));
    EXPECT_EQ(files(), (QStringList{"Card_5_Back.png", "Card_5_Front.png", "Card_6_Back.png", "Card_6_Front.png",
                                    "Card_7_Back.png", "Card_7_Front.png"}));
    ASSERT_TRUE(d.desk.progressPanel());
    EXPECT_EQ(d.desk.progressPanel()->_Curr_Progress->maximum(), 3);
    const QImage front6(QDir(cards()).filePath("Card_6_Front.png"));
    EXPECT_EQ(front6.size(), QSize(2023, 1276));
    EXPECT_EQ(front6.dotsPerMeterX(), 23622);
    EXPECT_EQ(front6.convertToFormat(QImage::Format_ARGB32), frontWith("6"));
    EXPECT_NE(front6.convertToFormat(QImage::Format_ARGB32), frontWith("5"));
    // The run is over: the design as it was, redrawing back on, the command offered again.
    EXPECT_TRUE(archives() == before);
    EXPECT_EQ(text->Text_Value, "design");
    EXPECT_FALSE(d.host.Value_Engine().Redraw_Held());
    EXPECT_TRUE(d.host.exportCommand.isEnabled());
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"Open containing folder.\n" + cards() + "\nCard has been exported successfully."});
}

TEST_F(DeskBatchExportTest, TheOptionsWindowOffersTheDataInUse)
{
    // Each row adds to the design of the row before; Cancel each time.
    const struct {
        const char *what;
        std::function<void()> change;
        bool offered, series, excel;
        int total;
    } rows[] = {
        {"nothing bound", [] {}, true, false, false, 1},
        {"a text on 4 rows", [&] { bindToSheet({"Ann", "Bob", "Cy", "Dee"}); }, true, false, true, 4},
        {"and one on 12 values",
         [&] {
             GraphicPtr more = d.add(d.front(), GraphicKind::Text, QRectF(20, 80, 150, 40));
             std::swap(text, more);
             bindToSeries(12);
         },
         true, true, true, 12},
        {"visitor mode", [&] { d.document.Start_Card_Option = Card_Mode::Visitor; }, false, false, false, 1},
    };
    for (const auto &row : rows) {
        row.change();
        int opened = 0;
        d.runner.answer<Export_Card_Dialog>([&](Export_Card_Dialog &w) {
            ++opened;
            EXPECT_EQ(!w.export_range_box->isHidden(), row.offered) << row.what;
            EXPECT_EQ(w.Export_with_batch_chk->isChecked(), row.series) << row.what;
            EXPECT_EQ(w.Export_with_excel_chk->isChecked(), row.excel) << row.what;
            EXPECT_EQ(w.Total_Text->value(), row.total) << row.what;
            w.reject();
        });
        d.desk.Export_Card_Clicked();
        EXPECT_EQ(opened, 1) << row.what;
    }
    EXPECT_TRUE(testsupport::filePanelRequests().isEmpty());  // Cancel asks for no file
}

TEST_F(DeskBatchExportTest, ASourceTurnedOffLeavesItsControlsAlone)
{
    bindToSeries(3);
    Export_Card_Options o = options(1, 1, Export_Layout::Front);
    o.useSeries = false;
    o.useExcel = true;  // no spreadsheet in use: the card shows the design's own text
    ASSERT_TRUE(exportBatch(o));
    EXPECT_EQ(files(), QStringList{"Card_1_Front.png"});
    EXPECT_EQ(QImage(QDir(cards()).filePath("Card_1_Front.png")).convertToFormat(QImage::Format_ARGB32),
              frontWith("design"));
}

TEST_F(DeskBatchExportTest, StopKeepsTheWrittenFilesAndPutsTheDesignBack)
{
    bindToSeries(12);
    const std::vector<KeyedArchive> before = snapshot();
    testsupport::queueFilePanelAnswer({dir.path()});
    ASSERT_TRUE(d.desk.Export_Batch_File(options(1, 12)));
    ASSERT_TRUE(d.desk.exportRun());
    const auto state = d.desk.exportRun()->state();
    while (d.desk.Export_Run_Active() && state->curr_card_count < 2)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    testsupport::boxes().answerNext(1);  // "Are you sure you want to stop?" Yes
    d.desk.progressPanel()->Stop_Sending_Pressed();
    while (d.desk.Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const int begun = state->curr_card_count;
    EXPECT_GE(begun, 2);
    EXPECT_LT(begun, 12);
    // Every card before the stopped one is written whole.
    for (int k = 1; k < begun; ++k) {
        EXPECT_TRUE(QFileInfo::exists(QDir(cards()).filePath(QStringLiteral("Card_%1_Front.png").arg(k)))) << k;
        EXPECT_TRUE(QFileInfo::exists(QDir(cards()).filePath(QStringLiteral("Card_%1_Back.png").arg(k)))) << k;
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(cards()).filePath(QStringLiteral("Card_%1_Front.png").arg(begun + 1))));
    EXPECT_TRUE(archives() == before);
    EXPECT_FALSE(d.host.Value_Engine().Redraw_Held());
    // The stopped run says so, with the cards written (each with both its files).
    const int written = int(QDir(cards()).entryList(QDir::Files).size()) / 2;
    EXPECT_GE(written, begun - 1);
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"Are you sure you want to stop?",
                           "Open containing folder.\n" + cards()
                               + QStringLiteral("\nThe export was stopped.\n\nCards written: %1 of 12.").arg(written)}));
}

TEST_F(DeskBatchExportTest, ACardFolderThatCannotBeMadeEndsTheRunWithTheDesignBack)
{
    bindToSeries(4);
    const std::vector<KeyedArchive> before = snapshot();
    // The chosen folder is a plain file: no folder can be made inside it, for any user.
    const QString plain = dir.filePath("plain");
    QFile f(plain);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    testsupport::queueFilePanelAnswer({plain});
    ASSERT_TRUE(d.desk.Export_Batch_File(options(1, 4)));
    while (d.desk.Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"\nUnable to continue saving barcode image.\n\nEither Destination Drive is inaccessible or "
                          "there is no free space available in drive to save barcode image."});
    EXPECT_TRUE(archives() == before);
    EXPECT_FALSE(d.host.Value_Engine().Redraw_Held());
    EXPECT_TRUE(d.host.exportCommand.isEnabled());
    // The next run is not refused.
    testsupport::boxes().clear();
    EXPECT_TRUE(exportBatch(options(1, 1, Export_Layout::Front)));
    EXPECT_EQ(files(), QStringList{"Card_1_Front.png"});
}

TEST_F(DeskBatchExportTest, PdfCardsHaveTheCardsPageAndTheRowsName)
{
    const QStringList names{"Alice Archer", "Bruno Baker", "Chloe Carter", "Dmitri Dunn"};
    bindToSheet(names);
    ASSERT_TRUE(exportBatch(options(1, 4, Export_Layout::Front, "pdf")));
    EXPECT_EQ(files(), (QStringList{"Card_1_Front.pdf", "Card_2_Front.pdf", "Card_3_Front.pdf", "Card_4_Front.pdf"}));
    // One shell for the four files: page size, page count, then the text of each.
    QProcess p;
    p.setWorkingDirectory(cards());
    p.start("sh", {"-c", "for k in 1 2 3 4; do pdfinfo Card_${k}_Front.pdf; echo '--text--'; "
                         "pdftotext Card_${k}_Front.pdf -; echo '--end--'; done"});
    ASSERT_TRUE(testsupport::checkerFinished(p));
    const QStringList parts = QString::fromUtf8(p.readAllStandardOutput()).split("--end--");
    ASSERT_GE(parts.size(), 4);
    for (int k = 0; k < 4; ++k) {
        const QString info = parts[k].section("--text--", 0, 0);
        const QString shown = parts[k].section("--text--", 1);
        const auto m = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)").match(info);
        ASSERT_TRUE(m.hasMatch()) << info.toStdString();
        EXPECT_NEAR(m.captured(1).toDouble(), 243, 0.5) << k;
        EXPECT_NEAR(m.captured(2).toDouble(), 153, 0.5) << k;
        EXPECT_TRUE(info.contains(QRegularExpression(R"(Pages:\s+1\b)"))) << k;
        EXPECT_EQ(shown.simplified(), names[k]) << k;
    }
}

TEST_F(DeskBatchExportTest, QuittingDuringARunStopsItAndPutsTheDesignBack)
{
    bindToSeries(12);
    const std::vector<KeyedArchive> before = snapshot();
    testsupport::queueFilePanelAnswer({dir.path()});
    ASSERT_TRUE(d.desk.Export_Batch_File(options(1, 12)));
    EXPECT_FALSE(d.host.exportCommand.isEnabled());  // no second export while one runs
    d.desk.Stop_Export_Run();
    EXPECT_FALSE(d.desk.Export_Run_Active());
    EXPECT_TRUE(archives() == before);
    EXPECT_FALSE(d.host.Value_Engine().Redraw_Held());
    EXPECT_LT(files().size(), 24);
    // No question is left for the user who is leaving.
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}
} // namespace

TEST_F(DeskBatchExportTest, AClerksRunWithTwoMissingPhotosAndAStopNotConfirmed)
{
    // 30 rows of a workbook, a photo per row; the photos of rows 7 and 19 are gone.
    bindToRowsWithPhotos(30, {7, 19});
    const QString out = outFolderAnswered();
    const auto count = [&] { return int(QDir(QDir(out).filePath("DOZO ID Card")).entryList(QDir::Files).size()); };
    QStringList told;
    // The run tells each look at the open question; the clerk answers after its second.
    std::atomic<int> looks{0};
    std::atomic<int> atFirstLook{-1};
    int atAnswer = -1, begunAtAnswer = -1;
    Set_MessageBox_Answerer([&](MessageBoxKind kind, const QString &shown) {
        told << shown;
        if (shown == "Are you sure you want to stop?") {
            testsupport::saveShot(*d.desk.progressPanel(), "runs-1-stop-asked");
            // A run that does not wait writes its last card instead.
            const Output_Run_State &state = *d.desk.exportRun()->state();
            testsupport::waitUntil([&] { return looks >= 2 || state.written_cards == 30; },
                                   "the run waiting on Stop's question or writing its last card");
            EXPECT_GE(looks.load(), 2) << "the run did not wait on Stop's question";
            atAnswer = count();
            begunAtAnswer = state.curr_card_count;
            return 0;
        }
        if (kind == MessageBoxKind::OpenExported) {
            const QStringList parts = shown.split('\n');
            Open_Export_Log box(&d.window);
            box.Fill(Export_Open_Offer{parts.value(1), {}, parts.mid(2).join('\n'), {}});
            box.show();
            QCoreApplication::processEvents();
            testsupport::saveShot(box, "runs-2-final-question");
        }
        return 0;
    });
    ASSERT_TRUE(d.desk.Export_Batch_File(options(1, 30, Export_Layout::Both, "pdf")));
    const auto state = d.desk.exportRun()->state();
    state->on_pause_wait = [&] {
        if (looks == 0) atFirstLook = count();
        ++looks;
    };
    while (d.desk.Export_Run_Active() && state->curr_card_count < 5)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    d.desk.progressPanel()->Stop_Sending_Pressed();
    while (d.desk.Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    testsupport::installRecordingAnswerer();
    // Nothing written while the question was open; the card under way had ended, both sides.
    EXPECT_EQ(atFirstLook.load(), atAnswer);
    EXPECT_EQ(atAnswer, 2 * begunAtAnswer);
    EXPECT_EQ(count(), 60);
    const QString cardsFolder = QDir(out).filePath("DOZO ID Card");
    EXPECT_EQ(told, (QStringList{"Are you sure you want to stop?",
                                 "Open containing folder.\n" + cardsFolder
                                     + "\nCards written: 30 of 30.\n\nCards made without something they show: 2\n"
                                       "Card 7: photo \"gone7.png\" cannot be read\nCard 19: photo \"gone19.png\" cannot be read"}));
}

TEST_F(DeskBatchExportTest, AClerksRoadOfThreeHundredCardsThenPrinting)
{
    // 300 rows of a workbook, a photo per row; the photos of rows 40 and 250 are gone.
    // The clerk exports every card, presses Stop once and answers No, then prints.
    bindToRowsWithPhotos(300, {40, 250});
    const QString out = outFolderAnswered();
    QStringList told;
    QString stopCount;
    int cardsAtStop = -1;
    Set_MessageBox_Answerer([&](MessageBoxKind kind, const QString &shown) {
        told << shown;
        if (shown == "Are you sure you want to stop?") {
            testsupport::saveShot(*d.desk.progressPanel(), "road-1-stop-asked");
            // The panel beside the question counts the cards begun by now.
            stopCount = d.desk.progressPanel()->_curr_msg_cnt->text();
            cardsAtStop = d.desk.exportRun()->state()->curr_card_count;
            return 0;
        }
        if (kind == MessageBoxKind::OpenExported) {
            const QStringList parts = shown.split('\n');
            Open_Export_Log box(&d.window);
            box.Fill(Export_Open_Offer{parts.value(1), {}, parts.mid(2).join('\n'), {}});
            box.show();
            QCoreApplication::processEvents();
            testsupport::saveShot(box, "road-2-export-ended");
        }
        if (shown.startsWith("\n30 sheets printed.")) {
            QMessageBox box(QMessageBox::Information, "DOZO ID Card", shown.mid(1), QMessageBox::Ok);
            box.show();
            QCoreApplication::processEvents();
            testsupport::saveShot(box, "road-5-print-ended");
        }
        return 0;
    });
    ASSERT_TRUE(d.desk.Export_Batch_File(options(1, 300, Export_Layout::Both, "pdf")));
    const auto state = d.desk.exportRun()->state();
    while (d.desk.Export_Run_Active() && state->curr_card_count < 20)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    testsupport::saveShot(*d.desk.progressPanel(), "road-0-running");
    d.desk.progressPanel()->Stop_Sending_Pressed();
    while (d.desk.Export_Run_Active()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_GE(cardsAtStop, 20);
    EXPECT_EQ(stopCount, QStringLiteral("%1 / 300 ").arg(cardsAtStop));
    const QString cardsFolder = QDir(out).filePath("DOZO ID Card");
    EXPECT_EQ(QDir(cardsFolder).entryList(QDir::Files).size(), 600);
    EXPECT_EQ(told, (QStringList{"Are you sure you want to stop?",
                                 "Open containing folder.\n" + cardsFolder
                                     + "\nCards written: 300 of 300.\n\nCards made without something they show: 2\n"
                                       "Card 40: photo \"gone40.png\" cannot be read\nCard 250: photo \"gone250.png\" cannot be read"}));

    // Then printing the same rows to the virtual PDF printer, 5 x 2 a sheet.
    told.clear();
    const QString pdf = dir.filePath("printed.pdf");
    qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
    // The page set-up the window gives a new document: the default printer, the PDF one
    // while it is offered (a document without one prints on the first listed).
    d.document.setPrintInfo(Start_Print_Info());
    QString status, printer;
    d.desk.printWindowRunner = [&](Print_Window &window) {
        window.show();
        printer = window.Printer_ComboBox->currentText();
        window.matrix_card_side->button(1)->click();
        window.horz_mar_Text->setValue(0);
        window.vert_mar_Text->setValue(0);
        window.Row_Text->setValue(5);
        window.Col_Text->setValue(2);
        testsupport::saveShot(window, "road-3-print-window");
        window.Print_btn->click();
        status = window.status->text();
        testsupport::saveShot(window, "road-4-printed");
    };
    d.desk.Print_Button();
    testsupport::installRecordingAnswerer();
    EXPECT_EQ(printer, Virtual_PDF_Printer_Name);
    EXPECT_EQ(status, "30 sheets printed.");
    // A plain message box's record is its title (none) and its text, a line each.
    EXPECT_EQ(told, QStringList{"\n30 sheets printed.\n\nCards made without something they show: 2\n"
                                "Card 40: photo \"gone40.png\" cannot be read\n"
                                "Card 250: photo \"gone250.png\" cannot be read"});
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) GTEST_SKIP() << "poppler-utils is not installed";
    EXPECT_EQ(pdfprobe::pdfInfo(pdf).pages, 30);
}

} // namespace desk_batch_export_test
