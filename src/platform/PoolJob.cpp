#include "PoolJob.h"

#include "Log.h"
#include "TsanHandoff.h"

#include <QThreadPool>

#include <condition_variable>
#include <limits>
#include <mutex>

struct Pool_Job::Shared {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

Pool_Job::~Pool_Job() { Wait(); }

void Pool_Job::Start(QThreadPool *pool, std::function<void()> job)
{
    Wait();
    if (!pool) pool = QThreadPool::globalInstance();
    auto shared = std::make_shared<Shared>();
    m_shared = shared;
    pool->start(Handed_Over(pool, [shared, job = std::move(job)]() mutable {
        try {
            job();
        } catch (...) {
            Show_NSLog_Message(QStringLiteral("A run's job ended with an exception."));
        }
        job = nullptr;  // what it holds goes before the waiter hears of the end
        std::lock_guard lock(shared->mutex);
        shared->done = true;
        shared->ended.notify_all();
    }), std::numeric_limits<int>::max());
}

void Pool_Job::Wait()
{
    if (!m_shared) return;
    {
        std::unique_lock lock(m_shared->mutex);
        m_shared->ended.wait(lock, [&] { return m_shared->done; });
    }
    m_shared.reset();
}

Pool_Thread_Lent::Pool_Thread_Lent(QThreadPool *pool) : m_pool(pool)
{
    if (m_pool) m_pool->releaseThread();
}

Pool_Thread_Lent::~Pool_Thread_Lent()
{
    if (m_pool) m_pool->reserveThread();
}
