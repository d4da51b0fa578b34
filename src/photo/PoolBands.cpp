#include "PoolBands.h"

#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// Shared by the caller and the helpers it started; a helper that starts after every
// band has been taken leaves without touching the caller's work.
struct Bands {
    std::function<void(int)> run;
    int total = 0;
    std::atomic<int> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    int done = 0;

    void work()
    {
        for (int b; (b = next.fetch_add(1)) < total;) {
            run(b);
            std::lock_guard lock(mutex);
            if (++done == total) finished.notify_all();
        }
    }
};

} // namespace

void Run_In_Bands(int bands, QThreadPool *pool, const std::function<void(int)> &run)
{
    if (bands <= 0) return;
    if (!pool || bands == 1) {
        for (int b = 0; b < bands; ++b) run(b);
        return;
    }
    auto shared = std::make_shared<Bands>();
    shared->run = run;
    shared->total = bands;
    const int helpers = std::min(bands - 1, pool->maxThreadCount());
    for (int i = 0; i < helpers; ++i)
        if (!pool->tryStart([shared] { shared->work(); })) break;
    shared->work();
    std::unique_lock lock(shared->mutex);
    shared->finished.wait(lock, [&] { return shared->done == shared->total; });
}
