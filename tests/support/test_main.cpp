#include "Globals.h"
#include "Paths.h"
#include "TestSupport.h"

#ifdef TEST_WITH_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testsupport {

BoxRecorder &boxes()
{
    static BoxRecorder recorder;
    return recorder;
}

void BoxRecorder::answerNext(int answer)
{
    std::lock_guard lock(mutex);
    answers.push_back(answer);
}

QStringList BoxRecorder::take()
{
    std::lock_guard lock(mutex);
    QStringList s = shown;
    shown.clear();
    return s;
}

void BoxRecorder::clear()
{
    std::lock_guard lock(mutex);
    shown.clear();
    answers.clear();
}

namespace {
std::deque<QStringList> panelAnswers;
QStringList panelTitles;
QString home;
} // namespace

void queueFilePanelAnswer(const QStringList &paths) { panelAnswers.push_back(paths); }
QStringList filePanelRequests() { return panelTitles; }
void clearFilePanels()
{
    panelAnswers.clear();
    panelTitles.clear();
}
QString testHome() { return home; }

void installRecordingAnswerer()
{
    Set_MessageBox_Answerer([](MessageBoxKind kind, const QString &text) {
        auto &r = boxes();
        std::lock_guard lock(r.mutex);
        r.shown << text;
        if (!r.answers.empty()) {
            int a = r.answers.front();
            r.answers.pop_front();
            return a;
        }
        return kind == MessageBoxKind::YesNoCancel ? kAlertCancel : 0;
    });
}

} // namespace testsupport

int main(int argc, char **argv)
{
    // A private home so that tests never touch the user's data folder.
    QTemporaryDir tempHome;
    testsupport::home = tempHome.path();
    qputenv("HOME", tempHome.path().toUtf8());
    qputenv("XDG_DATA_HOME", (tempHome.path() + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (tempHome.path() + "/.config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    TestApplication app(argc, argv);
    TestApplication::setApplicationName(App_Name);
    Locate_Application_Paths();

    testsupport::installRecordingAnswerer();
    Set_File_Panel_Answerer([](const FilePanelRequest &req) {
        testsupport::panelTitles << req.title;
        if (testsupport::panelAnswers.empty()) return QStringList();
        QStringList a = testsupport::panelAnswers.front();
        testsupport::panelAnswers.pop_front();
        return a;
    });
    Set_Open_Url_Answerer([](const QString &) { return true; });

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
