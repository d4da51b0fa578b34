#pragma once
// Shared test fixtures: every test runs with its own empty temporary home (so an empty
// per-user data folder) and with message boxes and file panels answered by the test.
#include "Dialogs.h"
#include "MessageBox.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <mutex>
#include <stdexcept>

class QProcess;

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

// Waits, holding the calling thread, until `done` holds; true then. A guard against a
// hung run only, never a verdict: after `boundMs` the test fails with "<what> did not
// happen within N s" and false is returned.
bool waitUntil(const std::function<bool()> &done, const char *what, int boundMs = 120000);

// A wait of the test's own that ran out of time (a guard against a hung run, never a
// verdict): thrown, so that the test stops where it waited and fails once, with the
// exception's text (what was awaited), whoever called the waiting helper; no value is
// judged after it. Thrown on the test's own thread only.
struct TimedOut : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Waits for a checker (pdftotext, pdfinfo, pdftoppm, sqlite3, python3, LibreOffice ...)
// started on `p` to end; true when it has. One still running after `boundMs` (short of
// the suite's limit for a test, so that it is the one to say what happened) is killed
// and TimedOut is thrown: "checker timed out after N s: <program> <arguments>". One that
// could not start gives false, without failing the test (the callers tell a missing
// tool as before).
bool checkerFinished(QProcess &p, int boundMs = 120000);
// The same for a program of this system's own run in a process of its own (a probe, a
// tool): "<what> timed out after N s: <program> <arguments>".
bool processFinished(QProcess &p, const char *what, int boundMs = 120000);

// Files named as pictures that cannot be read as pictures, written under the test's
// home: what a person might choose in a file panel for a photo. An empty zip archive (its
// end record alone); the first half of a 60 x 80 JPEG (its reader knows it and its size,
// its data stops before the end marker); a 16 x 16 JPEG whose frame says 20,000 x
// 10,000 pixels, past the bound of PictureLimit.h (its data runs to its end marker); a
// 24-bit BMP of 60 x 80 pixels cut to its first third (its reader takes it without
// an error, the rows it did not get left as the memory was).
QString zipNamedAsPicture(const QString &name);
QString jpegCutInHalf(const QString &name);
QString jpegPastTheSizeBound(const QString &name);
QString bmpCutToAThird(const QString &name);

} // namespace testsupport
