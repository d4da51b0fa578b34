#pragma once
// Modal message boxes, safe to call from any thread: a call from a worker hands the
// box to the GUI thread and waits there for the answer, which it returns itself.
#include <QString>
#include <functional>
#include <optional>

// Ok, YesNo and YesNoCancel are the shared boxes below. The other kinds are boxes of
// their own windows (the output dialogs), asked of an installed answerer so that a
// scripted run answers them too: KeepReplace answers a keep/replace code 0-5
// (Keep_Replace_Answer), Message answers 1 for its "OK", OpenExported 1 to open the
// exported file and 0 not to.
enum class MessageBoxKind { Ok, YesNo, YesNoCancel, KeepReplace, Message, OpenExported };

// Button codes of the Yes/No/Cancel box.
constexpr int kAlertYes = 1000;
constexpr int kAlertNo = 1001;
constexpr int kAlertCancel = 1002;

// Shows "\n" + message with one "OK" button.
void Show_MessageBox(const QString &message);
// The same box; kept for callers that name it (it is thread-safe as well).
void Show_MessageBox_No_Thread(const QString &message);
// Shows the message with "Yes" and "No"; returns 1 for Yes, 0 for No.
int Show_YES_NO_MessageBox(const QString &message);
// Shows the message with "Yes", "No", "Cancel"; returns 1000, 1001 or 1002.
int Show_YES_NO_Cancel_MessageBox(const QString &message);

// Replaces the boxes (tests, scripted runs). The answerer gets the kind and the full
// text shown and returns the answer: ignored for Ok, 1/0 for YesNo, 1000-1002 for
// YesNoCancel. It always runs on the GUI thread. An empty function restores the boxes.
using MessageBoxAnswerer = std::function<int(MessageBoxKind, const QString &)>;
void Set_MessageBox_Answerer(MessageBoxAnswerer answerer);

// The boxes a person sees, registered once at start-up by the application (the
// widget layer). An answerer, when set, is asked instead. With neither, the text goes
// to the log and the answer is 0 (Cancel for YesNoCancel). Runs on the GUI thread.
void Set_MessageBox_Presenter(MessageBoxAnswerer presenter);

// For a window that shows itself: the installed answerer's answer to the box, or
// nullopt when no answerer is installed (the window is then shown to a person). Call
// it on the GUI thread.
std::optional<int> Scripted_MessageBox_Answer(MessageBoxKind kind, const QString &text);
