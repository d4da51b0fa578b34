#pragma once
// The picture library answered by the test: every opening takes the next queued path
// (chosen in the list when it is there, else as the chosen path) and presses OK; with
// nothing queued it is cancelled. Every test window's runner answers it so, so no
// test waits on the library.
#include <QString>

namespace testsupport {
class ScriptedRunner;
// Makes the runner answer the library as above.
void answerLibrary(ScriptedRunner &runner);
void queueLibraryAnswer(const QString &path);
// How many times the library opened since the last call.
int takeLibraryOpenings();
} // namespace testsupport
