#include "GuiThread.h"

#include "TsanHandoff.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>

bool Is_Gui_Thread()
{
    auto *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

namespace {

// The end of a call queued to the GUI thread, waited for by the thread that queued it.
struct Call_End {
    std::mutex mutex;
    std::condition_variable ended;
    bool over = false;
};

// The queued call: runs the work, and tells the waiting thread once it is gone (after
// running, or dropped unrun when the application goes first). The GUI thread frees it,
// so nothing of it is touched once the waiting thread goes on.
class Gui_Call {
public:
    Gui_Call(const std::function<void()> &work, std::shared_ptr<Call_End> end) : m_work(&work), m_end(std::move(end)) {}
    Gui_Call(Gui_Call &&other) noexcept = default;  // the moved-from one tells nothing
    Gui_Call(const Gui_Call &) = delete;
    Gui_Call &operator=(const Gui_Call &) = delete;
    Gui_Call &operator=(Gui_Call &&) = delete;
    ~Gui_Call()
    {
        if (!m_end) return;
        std::lock_guard lock(m_end->mutex);
        m_end->over = true;
        m_end->ended.notify_all();
    }
    void operator()() { (*m_work)(); }

private:
    const std::function<void()> *m_work;
    std::shared_ptr<Call_End> m_end;
};

}  // namespace

void Run_On_Gui_Thread_And_Wait(const std::function<void()> &work)
{
    if (Is_Gui_Thread()) {
        work();
        return;
    }
    // Queued, and waited for here rather than with a blocking queued call, whose object
    // the calling thread frees after the GUI thread ran it.
    auto end = std::make_shared<Call_End>();
    QMetaObject::invokeMethod(QCoreApplication::instance(), Handed_Over(end.get(), Gui_Call(work, end)),
                              Qt::QueuedConnection);
    std::unique_lock lock(end->mutex);
    end->ended.wait(lock, [&] { return end->over; });
}
