#include "MessageBox.h"

#include "Globals.h"
#include "GuiThread.h"
#include "Log.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <mutex>

namespace {
std::mutex answererMutex;
MessageBoxAnswerer answerer;

MessageBoxAnswerer currentAnswerer()
{
    std::lock_guard lock(answererMutex);
    return answerer;
}

int runBox(MessageBoxKind kind, const QString &text)
{
    if (auto a = currentAnswerer()) return a(kind, text);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        // No widgets to show a box with: the log is the only place left.
        Show_NSLog_Message(text);
        return kind == MessageBoxKind::YesNoCancel ? kAlertCancel : 0;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(App_Name);
    box.setText(text);
    box.setIcon(kind == MessageBoxKind::YesNoCancel ? QMessageBox::Warning : QMessageBox::NoIcon);
    switch (kind) {
    case MessageBoxKind::Ok:
        box.addButton(QObject::tr("OK"), QMessageBox::AcceptRole);
        box.exec();
        return 0;
    case MessageBoxKind::YesNo: {
        QPushButton *yes = box.addButton(QObject::tr("Yes"), QMessageBox::YesRole);
        box.addButton(QObject::tr("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? 1 : 0;
    }
    case MessageBoxKind::YesNoCancel: {
        QPushButton *yes = box.addButton(QObject::tr("Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QObject::tr("No"), QMessageBox::NoRole);
        QPushButton *cancel = box.addButton(QObject::tr("Cancel"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == yes) return kAlertYes;
        if (box.clickedButton() == no) return kAlertNo;
        return kAlertCancel;
    }
    }
    return 0;
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
