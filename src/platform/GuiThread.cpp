#include "GuiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

bool Is_Gui_Thread()
{
    auto *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void Run_On_Gui_Thread_And_Wait(const std::function<void()> &work)
{
    if (Is_Gui_Thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), work, Qt::BlockingQueuedConnection);
}
