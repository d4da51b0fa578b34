#pragma once
// Shared test fixtures: every test runs with its own empty temporary home (so an empty
// per-user data folder) and with message boxes and file panels answered by the test.
#include "Dialogs.h"
#include "MessageBox.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <mutex>

namespace testsupport {

// Records every message box shown and answers from a queue (default: Ok/No/Cancel).
struct BoxRecorder {
    std::mutex mutex;
    QStringList shown;
    std::deque<int> answers;

    void answerNext(int answer);
    QStringList take();
    void clear();
};
BoxRecorder &boxes();

// Answers file panels from a queue of path lists (default: cancelled).
void queueFilePanelAnswer(const QStringList &paths);
QStringList filePanelRequests();  // titles of the panels asked for
void clearFilePanels();

// Installs the recording answerer (done before each test; call again after replacing it).
void installRecordingAnswerer();

// The temporary home of the running test, removed when it ends.
QString testHome();

} // namespace testsupport
