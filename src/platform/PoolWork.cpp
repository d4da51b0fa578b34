#include "PoolWork.h"

#include "TsanHandoff.h"

#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <utility>

struct Pool_Work::Shared {
    int count = 0;
    std::function<void(int)> part;
    std::atomic<int> next{0};
    std::mutex mutex;
    std::condition_variable allDone;
    int done = 0;  // under mutex
    std::exception_ptr error;

    // Claims and runs parts until none is left.
    void work()
    {
        for (int i = next++; i < count; i = next++) {
            std::exception_ptr failed;
            try {
                part(i);
            } catch (...) {
                failed = std::current_exception();
            }
            std::lock_guard lock(mutex);
            if (failed && !error) error = failed;
            if (++done == count) allDone.notify_all();
        }
    }
};

Pool_Work::Pool_Work(QThreadPool *pool, int count, std::function<void(int)> part)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->count = std::max(0, count);
    m_shared->part = std::move(part);
    if (!pool) return;
    const int helpers = std::min(m_shared->count, std::max(1, pool->maxThreadCount()));
    // A helper that starts late finds every part taken and touches only the shared state.
    for (int h = 0; h < helpers; ++h) pool->start(Handed_Over(pool, [shared = m_shared] { shared->work(); }));
}

Pool_Work::~Pool_Work()
{
    if (m_waited) return;
    try {
        wait();
    } catch (...) {
    }
}

void Pool_Work::wait()
{
    m_waited = true;
    Shared &s = *m_shared;
    s.work();
    std::unique_lock lock(s.mutex);
    s.allDone.wait(lock, [&] { return s.done >= s.count; });
    if (s.error) std::rethrow_exception(std::exchange(s.error, nullptr));
}
