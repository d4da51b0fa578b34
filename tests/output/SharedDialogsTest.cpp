// The shared output windows: the keep/replace box asked from a worker thread (scripted
// and clicked), the progress panel's counts and Stop, the long message box, the
// open-exported-file box and the picture-format choice of a "Save Image" panel.
#include "MessageBox.h"
#include "QStringPrinter.h"
#include "Shared_Dialogs.h"
#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace shared_dialogs_test {

namespace {
// Runs `work` on a thread of its own while the GUI thread keeps serving events.
template <typename F> void onWorker(F work)
{
    std::atomic<bool> done{false};
    std::thread t([&] {
        work();
        done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    t.join();
}

// Clicks into the next modal window once it is up.
template <typename W> void whenModal(std::function<void(W &)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto *w = dynamic_cast<W *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*w);
        }
    });
    timer->start();
}

const Keep_Replace_Request kRequest{QStringLiteral("File already exists :"),
                                    QStringLiteral("Card_1_Front.png\n\nFile already exists in this location.\n\n"
                                                   "Do you want to Keep or Replace it?"),
                                    true, QStringLiteral("/tmp/Card_1_Front.png")};

TEST(SharedDialogs, KeepReplaceAnswersFromAWorkerSetTheRunState)
{
    struct Row {
        int scripted;
        bool applyShown;
        int answer;
        bool stop;
        bool applyRemembered;
    };
    const Row rows[] = {
        {0, true, Keep_Replace_Replace, false, false},     {1, true, Keep_Replace_Keep, false, false},
        {2, true, Keep_Replace_Replace_All, false, true},  {3, true, Keep_Replace_Keep_All, false, true},
        {4, true, Keep_Replace_Cancel, true, false},       {5, true, Keep_Replace_Cancel_All, true, true},
        // Without the check box an answer for all files is an answer for this one.
        {2, false, Keep_Replace_Replace, false, false},    {3, false, Keep_Replace_Keep, false, false},
        {5, false, Keep_Replace_Cancel, true, false},      {9, true, Keep_Replace_Cancel, true, false},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &r = rows[i];
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(r.scripted);
        Output_Run_State state;
        Keep_Replace_Request request = kRequest;
        request.apply_chk_show = r.applyShown;
        int answer = -1;
        onWorker([&] { answer = Replcae_Confirm_Box::Open_box_in_thread(request, state); });
        EXPECT_EQ(answer, r.answer) << "row " << i;
        EXPECT_EQ(state.replace_keep_file_flag.load(), r.answer) << "row " << i;
        EXPECT_EQ(state.Stop_SMS_Sending_Now.load(), r.stop) << "row " << i;
        EXPECT_EQ(state.Stop_Requested(), r.answer == Keep_Replace_Cancel_All) << "row " << i;
        if (r.applyShown) {
            EXPECT_EQ(state.Msg_Apply_All_Chk.load(), r.applyRemembered) << "row " << i;
        }
        EXPECT_EQ(testsupport::boxes().take(),
                  QStringList{"File already exists :\nCard_1_Front.png\n\nFile already exists in this location.\n\n"
                              "Do you want to Keep or Replace it?"})
            << "row " << i;
    }
}

TEST(SharedDialogs, KeepReplaceBoxClickedByAPerson)
{
    Set_MessageBox_Answerer({});
    struct Row {
        bool applyShown;
        bool applyRemembered;  // the run's remembered check
        bool tick;             // the person turns the check box over
        const char *button;
        int answer;
    };
    const Row rows[] = {
        {true, false, false, "Keep", Keep_Replace_Keep},     {true, false, true, "Keep", Keep_Replace_Keep_All},
        {true, true, false, "Keep", Keep_Replace_Keep_All},  {true, true, true, "Replace", Keep_Replace_Replace},
        {true, false, true, "Replace", Keep_Replace_Replace_All},
        {true, false, false, "Cancel", Keep_Replace_Cancel}, {true, false, true, "Cancel", Keep_Replace_Cancel_All},
        {false, true, false, "Keep", Keep_Replace_Keep},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row &r = rows[i];
        Output_Run_State state;
        state.Msg_Apply_All_Chk = r.applyRemembered;
        Keep_Replace_Request request = kRequest;
        request.apply_chk_show = r.applyShown;
        bool seenChecked = false, seenShown = false;
        QString title, message;
        whenModal<Replcae_Confirm_Box>([&](Replcae_Confirm_Box &box) {
            seenShown = box.apply_chk->isVisible();
            seenChecked = box.apply_chk->isChecked();
            title = box._Msg_Title->text();
            message = box._Msg_Val->text();
            EXPECT_FALSE(box.path_control->isVisible());
            EXPECT_EQ(box.path_control->text(), "/tmp/Card_1_Front.png");
            if (r.tick) box.apply_chk->click();
            QPushButton *b = QLatin1String(r.button) == QLatin1String("Keep")      ? box.keep_btn
                             : QLatin1String(r.button) == QLatin1String("Replace") ? box.replace_btn
                                                                                   : box.cancel_btn;
            b->click();
        });
        int answer = -1;
        onWorker([&] { answer = Replcae_Confirm_Box::Open_box_in_thread(request, state); });
        EXPECT_EQ(answer, r.answer) << "row " << i;
        EXPECT_EQ(seenShown, r.applyShown) << "row " << i;
        EXPECT_EQ(seenChecked, r.applyRemembered) << "row " << i;
        EXPECT_EQ(title, "File already exists :");
        EXPECT_EQ(message, kRequest.msg_val_str);
    }
    testsupport::installRecordingAnswerer();
}

TEST(SharedDialogs, ProgressPanelCountsAndStops)
{
    QWidget owner;
    Send_Modeless panel(&owner);
    auto state = std::make_shared<Output_Run_State>();
    onWorker([&] { panel.Show_One_By_One_Modeless(state, 3, QStringLiteral("0 / 3 Card")); });
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(panel.timerActive());
    EXPECT_EQ(panel._Curr_Progress->maximum(), 3);
    EXPECT_EQ(panel._Curr_Progress->value(), 0);
    EXPECT_EQ(panel._tot_msg_cnt->text(), "3");
    EXPECT_EQ(panel._curr_msg_cnt->text(), "0 / 3 Card");
    EXPECT_TRUE(panel._stop_btn->isEnabled());
    EXPECT_TRUE(panel.Round_Progress->isHidden());
    EXPECT_EQ(state->show_count.load(), 3);

    state->curr_card_count = 2;
    panel.update_sending_progress_bar();
    EXPECT_EQ(panel._Curr_Progress->value(), 2);
    EXPECT_EQ(panel._curr_msg_cnt->text(), "2 / 3 ");

    // Stop answered No leaves the run alone; Yes asks it to stop.
    testsupport::boxes().answerNext(0);
    panel._stop_btn->click();
    EXPECT_EQ(state->replace_keep_file_flag.load(), Keep_Replace_Replace);
    EXPECT_FALSE(state->Stop_SMS_Sending_Now.load());
    testsupport::boxes().answerNext(1);
    panel._stop_btn->click();
    EXPECT_TRUE(state->Stop_Requested());
    EXPECT_EQ(testsupport::boxes().take(),
              (QStringList{"Are you sure you want to stop?", "Are you sure you want to stop?"}));

    panel.Set_Count_Format([](int done, int total) { return QStringLiteral("%1 / %2").arg(done).arg(total); });
    panel.update_sending_progress_bar();
    EXPECT_EQ(panel._curr_msg_cnt->text(), "2 / 3");
    onWorker([&] { panel.Set_Pause_Text(QStringLiteral("Paused: 5")); });
    EXPECT_TRUE(panel.pause_label->isVisible());
    onWorker([&] { panel.Hide_One_By_One_Modeless(); });
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(panel.timerActive());
}

TEST(SharedDialogs, ProgressTimerTicksOnTheGuiThread)
{
    Send_Modeless panel;
    auto state = std::make_shared<Output_Run_State>();
    panel.Show_One_By_One_Modeless(state, 12, QStringLiteral("0 / 12 Card"));
    state->curr_card_count = 7;
    QElapsedTimer clock;
    clock.start();
    while (panel._curr_msg_cnt->text() != "7 / 12 " && clock.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(panel._curr_msg_cnt->text(), "7 / 12 ");
    EXPECT_EQ(panel._Curr_Progress->value(), 7);
    panel.Hide_One_By_One_Modeless();
}

TEST(SharedDialogs, PleaseWaitPanelLivesForItsScope)
{
    QWidget owner;
    owner.show();
    QPointer<PleaseWait_Modeless> panel;
    {
        PleaseWait_Scope wait(&owner);
        panel = wait.window();
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->modeless_msg_lbl->text(), "It may take a while, Please wait..");
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(panel.isNull() || !panel->isVisible());
}

TEST(SharedDialogs, LongMessageShowsTitleTextAndOneOk)
{
    int answer = 0;
    onWorker([&] { answer = Long_SMS_Dlg::Open_Long_sms_Dialog("Data source", "Bind a column.\nThen export."); });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"Data source\n\nBind a column.\nThen export."});

    Set_MessageBox_Answerer({});
    QString title, text;
    int buttons = 0;
    whenModal<Long_SMS_Dlg>([&](Long_SMS_Dlg &box) {
        title = box._Msg_Title->text();
        text = box._Msg_Val->toPlainText();
        buttons = int(box.findChildren<QPushButton *>().size());
        EXPECT_EQ(box.yes_button->text(), "OK");
        box.yes_button->click();
    });
    EXPECT_EQ(Long_SMS_Dlg::Open_Long_sms_Dialog("Help", "Line one\nLine two"), 1);
    EXPECT_EQ(title, "Help");
    EXPECT_EQ(text, "Line one\nLine two");
    EXPECT_EQ(buttons, 1);
    testsupport::installRecordingAnswerer();
}

TEST(SharedDialogs, OpenExportedFileBoxOpensThePathAndAnExistingBackFile)
{
    QTemporaryDir dir;
    const QString front = dir.filePath("Card_1_Front.png"), back = dir.filePath("Card_1_Back.png");
    for (const QString &p : {front, back}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList opened;
    Set_Open_Url_Answerer([&](const QString &p) {
        opened << p;
        return true;
    });
    struct Row {
        QString path, back;
        int answer;
        QString shown;
        QStringList opened;
    };
    const QString missing = dir.filePath("gone_Back.png");
    const Row rows[] = {
        {front, back, 1, "Open exported file.\n" + front + '\n' + back + "\nDone.", {front, back}},
        {front, missing, 1, "Open exported file.\n" + front + "\nDone.", {front}},
        {dir.path(), {}, 1, "Open containing folder.\n" + dir.path() + "\nDone.", {dir.path()}},
        {front, back, 0, "Open exported file.\n" + front + '\n' + back + "\nDone.", {}},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        opened.clear();
        testsupport::boxes().answerNext(rows[i].answer);
        bool result = false;
        onWorker([&] {
            result = Open_Export_Log::Open_Export_File_Box(Export_Open_Offer{rows[i].path, rows[i].back, "Done.", {}});
        });
        EXPECT_EQ(result, rows[i].answer == 1) << "row " << i;
        EXPECT_EQ(testsupport::boxes().take(), QStringList{rows[i].shown}) << "row " << i;
        EXPECT_EQ(opened, rows[i].opened) << "row " << i;
    }

    // A run asks only when it wrote something, and forgets its back file afterwards.
    Output_Run_State state;
    state.Export_File_Path = front;
    state.Export_Back_File_Path = back;
    state.Export_File_Message = "File has been exported successfully.";
    EXPECT_FALSE(Open_Export_Log::Open_Export_File_Box(state));
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
    state.check_any_card_exported = true;
    opened.clear();
    testsupport::boxes().answerNext(1);
    EXPECT_TRUE(Open_Export_Log::Open_Export_File_Box(state));
    EXPECT_EQ(opened, (QStringList{front, back}));
    EXPECT_TRUE(state.Export_Back_File_Path.isEmpty());
    Set_Open_Url_Answerer({});
}

TEST(SharedDialogs, OpenExportedFileBoxAsAPersonSeesIt)
{
    QTemporaryDir dir;
    Set_MessageBox_Answerer({});
    QStringList opened;
    Set_Open_Url_Answerer([&](const QString &p) {
        opened << p;
        return true;
    });
    struct Row {
        bool untick;
        const char *button;
        bool opens;
    };
    for (const Row &r : {Row{false, "OK", true}, Row{true, "OK", false}, Row{false, "Cancel", false}}) {
        opened.clear();
        QString check, path, message;
        whenModal<Open_Export_Log>([&](Open_Export_Log &box) {
            check = box._open_log_chk->text();
            path = box._open_log_path->text();
            message = box._open_log_message->text();
            EXPECT_TRUE(box._open_log_chk->isChecked());
            if (r.untick) box._open_log_chk->click();
            (QLatin1String(r.button) == QLatin1String("OK") ? box.ok_btn : box.cancel_btn)->click();
        });
        EXPECT_EQ(Open_Export_Log::Open_Export_File_Box(
                      Export_Open_Offer{dir.path(), {}, "Card has been exported successfully.", {}}),
                  r.opens);
        EXPECT_EQ(check, "Open containing folder.");
        EXPECT_EQ(path, dir.path());
        EXPECT_EQ(message, "Card has been exported successfully.");
        EXPECT_EQ(opened, r.opens ? QStringList{dir.path()} : QStringList{});
    }
    Set_Open_Url_Answerer({});
    testsupport::installRecordingAnswerer();
}

TEST(SharedDialogs, SaveImageFormats)
{
    const std::pair<int, const char *> rows[] = {{0, "jpg"}, {1, "bmp"}, {2, "png"}, {3, "tiff"}, {4, "tiff"}, {-1, "tiff"}};
    for (const auto &[index, format] : rows) EXPECT_EQ(Save_Image_Format_At(index), format) << index;

    // The panel through the seam: titled "Save Image", the four formats, jpg first.
    testsupport::queueFilePanelAnswer({"/tmp/pics/Photo.bmp"});
    EXPECT_EQ(Run_Save_Image_Panel("/tmp/pics", "Photo").path, "/tmp/pics/Photo.bmp");
    EXPECT_EQ(testsupport::filePanelRequests(), QStringList{"Save Image"});
    testsupport::queueFilePanelAnswer({"/tmp/pics/Photo.gif"});
    EXPECT_EQ(Run_Save_Image_Panel("/tmp/pics", "Photo").path, "/tmp/pics/Photo.jpg");
    EXPECT_EQ(Run_Save_Image_Panel("/tmp/pics", "Photo").path, "");  // cancelled
}

// A name beginning with ":" is a plain name: the panel stays in its folder.
TEST(SharedDialogs, TheFormatPopupRenamesTheNameAndNarrowsThePanel)
{
    for (const QString name : {"Photo", ":Photo"}) {
        QTemporaryDir dir;
        QFileDialog panel(nullptr, "Save Image", dir.path());
        panel.setOption(QFileDialog::DontUseNativeDialog);
        panel.setAcceptMode(QFileDialog::AcceptSave);
        panel.selectFile(dir.path() + '/' + name + ".jpg");
        AccessoryViewController accessory(&panel);
        ASSERT_EQ(accessory.ext_btn->count(), 4);
        EXPECT_EQ(accessory.ext_btn->currentText(), "jpg");
        accessory.ext_btn->setCurrentIndex(1);
        accessory.selectFormat();
        ASSERT_FALSE(panel.selectedFiles().isEmpty());
        EXPECT_EQ(QFileInfo(panel.selectedFiles().front()).fileName(), name + ".bmp");
        EXPECT_EQ(panel.directory().absolutePath(), dir.path());
        EXPECT_EQ(panel.nameFilters(), QStringList{"bmp (*.bmp)"});
        EXPECT_EQ(panel.defaultSuffix(), "bmp");
    }
}
} // namespace

TEST(SharedDialogs, TheRunIsPausedWhileStopIsAsked)
{
    // Yes stops the run, No lets it go on; either way the pause ends with the question.
    struct Case {
        int answer;
        bool stops;
    } cases[] = {{1, true}, {0, false}};
    for (const Case &c : cases) {
        QWidget owner;
        Send_Modeless panel(&owner);
        auto state = std::make_shared<Output_Run_State>();
        panel.Show_One_By_One_Modeless(state, 10, "0 / 10 Card");
        bool pausedWhileAsked = false;
        Set_MessageBox_Answerer([&](MessageBoxKind, const QString &text) {
            EXPECT_EQ(text, "Are you sure you want to stop?");
            pausedWhileAsked = state->paused;
            return c.answer;
        });
        panel._stop_btn->click();
        testsupport::installRecordingAnswerer();
        EXPECT_TRUE(pausedWhileAsked) << c.answer;
        EXPECT_FALSE(state->paused.load()) << c.answer;
        EXPECT_EQ(state->Stop_Requested(), c.stops) << c.answer;
        panel.Hide_One_By_One_Modeless();
    }
}

} // namespace shared_dialogs_test
