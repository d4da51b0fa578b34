#include "MessageBox.h"

#include "Globals.h"
#include "GuiThread.h"
#include "Log.h"

#include <mutex>

namespace {
std::mutex answererMutex;
MessageBoxAnswerer answerer;
MessageBoxAnswerer presenter;

MessageBoxAnswerer currentAnswerer()
{
    std::lock_guard lock(answererMutex);
    return answerer;
}

MessageBoxAnswerer currentPresenter()
{
    std::lock_guard lock(answererMutex);
    return presenter;
}

int runBox(MessageBoxKind kind, const QString &text)
{
    if (auto a = currentAnswerer()) return a(kind, text);
    if (auto p = currentPresenter()) return p(kind, text);
    // No widgets to show a box with: the log is the only place left.
    Show_NSLog_Message(text);
    return kind == MessageBoxKind::YesNoCancel ? kAlertCancel : 0;
}

int runOnGuiThread(MessageBoxKind kind, const QString &text)
{
    int result = 0;
    Run_On_Gui_Thread_And_Wait([&] { result = runBox(kind, text); });
    return result;
}
} // namespace

void Set_MessageBox_Answerer(MessageBoxAnswerer a)
{
    std::lock_guard lock(answererMutex);
    answerer = std::move(a);
}

void Set_MessageBox_Presenter(MessageBoxAnswerer p)
{
    std::lock_guard lock(answererMutex);
    presenter = std::move(p);
}

std::optional<int> Scripted_MessageBox_Answer(MessageBoxKind kind, const QString &text)
{
    if (auto a = currentAnswerer()) return a(kind, text);
    return std::nullopt;
}

void Show_MessageBox(const QString &message)
{
    runOnGuiThread(MessageBoxKind::Ok, QStringLiteral("\n") + message);
}

void Show_MessageBox_No_Thread(const QString &message)
{
    runOnGuiThread(MessageBoxKind::Ok, QStringLiteral("\n") + message);
}

int Show_YES_NO_MessageBox(const QString &message)
{
    const int answer = runOnGuiThread(MessageBoxKind::YesNo, message) == 1 ? 1 : 0;
    yes_no_msg_val = char(answer);
    return answer;
}

int Show_YES_NO_Cancel_MessageBox(const QString &message)
{
    const int answer = runOnGuiThread(MessageBoxKind::YesNoCancel, message);
    return (answer == kAlertYes || answer == kAlertNo) ? answer : kAlertCancel;
}
