#include "Globals.h"
#include "GuiThread.h"
#include "MessageBox.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <atomic>

using testsupport::boxes;

TEST(MessageBox, TextsAndAnswersOnTheGuiThread)
{
    boxes().clear();
    Show_MessageBox("Saved.");
    EXPECT_EQ(boxes().take(), QStringList{"\nSaved."});

    boxes().answerNext(0);
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 0);
    EXPECT_EQ(yes_no_msg_val.load(), 0);
    boxes().answerNext(1);
    EXPECT_EQ(Show_YES_NO_MessageBox("Delete?"), 1);
    EXPECT_EQ(yes_no_msg_val.load(), 1);
    EXPECT_EQ(boxes().take(), (QStringList{"Delete?", "Delete?"}));

    boxes().answerNext(kAlertCancel);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save changes?"), kAlertCancel);
    boxes().answerNext(kAlertNo);
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save changes?"), kAlertNo);
}

// Two workers ask at once; each must get its own answer back, not the other's.
TEST(MessageBox, WorkersGetTheirOwnAnswers)
{
    boxes().clear();
    Set_MessageBox_Answerer([](MessageBoxKind, const QString &text) { return text == "yes please" ? 1 : 0; });
    std::atomic<int> a{-1}, b{-1};
    QThread *t1 = QThread::create([&] { a = Show_YES_NO_MessageBox("yes please"); });
    QThread *t2 = QThread::create([&] { b = Show_YES_NO_MessageBox("no thanks"); });
    t1->start();
    t2->start();
    QElapsedTimer timer;
    timer.start();
    while ((!t1->isFinished() || !t2->isFinished()) && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    t1->wait();
    t2->wait();
    delete t1;
    delete t2;
    EXPECT_EQ(a.load(), 1);
    EXPECT_EQ(b.load(), 0);
    testsupport::installRecordingAnswerer();
}

// Without an answerer the registered presenter shows the box (on the GUI thread, even
// when a worker asks); with neither, the box is only logged and cancels.
TEST(MessageBox, PresenterShowsWhenNoAnswererIsSet)
{
    Set_MessageBox_Answerer({});
    QStringList shown;
    bool onGuiThread = true;
    Set_MessageBox_Presenter([&](MessageBoxKind, const QString &text) {
        shown << text;
        onGuiThread = onGuiThread && Is_Gui_Thread();
        return kAlertNo;
    });
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Save changes?"), kAlertNo);
    std::atomic<int> fromWorker{-1};
    QThread *t = QThread::create([&] { fromWorker = Show_YES_NO_Cancel_MessageBox("From a worker"); });
    t->start();
    while (!t->isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    t->wait();
    delete t;
    EXPECT_EQ(fromWorker.load(), kAlertNo);
    EXPECT_EQ(shown, (QStringList{"Save changes?", "From a worker"}));
    EXPECT_TRUE(onGuiThread);

    Set_MessageBox_Presenter({});
    EXPECT_EQ(Show_YES_NO_Cancel_MessageBox("Nobody sees this"), kAlertCancel);
    testsupport::installRecordingAnswerer();
}
