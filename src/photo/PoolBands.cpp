#include "PoolBands.h"

#include "TsanHandoff.h"

#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <utility>

namespace {

// Shared by the caller and the helpers it started; a helper that starts after every
// band has been taken leaves without touching the caller's work. A band that throws
// counts as done: its exception is kept (the first one) for the caller.
struct Bands {
    std::function<void(int)> run;
    int total = 0;
    std::atomic<int> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    int done = 0;                // under mutex
    std::exception_ptr error;    // under mutex

    void work()
    {
        for (int b; (b = next.fetch_add(1)) < total;) {
            std::exception_ptr failed;
            try {
                run(b);
            } catch (...) {
                failed = std::current_exception();
            }
            std::lock_guard lock(mutex);
            if (failed && !error) error = failed;
            if (++done == total) finished.notify_all();
        }
    }
};

} // namespace

void Run_In_Bands(int bands, QThreadPool *pool, const std::function<void(int)> &run)
{
    if (bands <= 0) return;
    if (!pool || bands == 1) {
        std::exception_ptr error;
        for (int b = 0; b < bands; ++b) {
            try {
                run(b);
            } catch (...) {
                if (!error) error = std::current_exception();
            }
        }
        if (error) std::rethrow_exception(error);
        return;
    }
    auto shared = std::make_shared<Bands>();
    shared->run = run;
    shared->total = bands;
    const int helpers = std::min(bands - 1, pool->maxThreadCount());
    for (int i = 0; i < helpers; ++i)
        if (!pool->tryStart(Handed_Over(pool, [shared] { shared->work(); }))) break;
    shared->work();
    std::unique_lock lock(shared->mutex);
    shared->finished.wait(lock, [&] { return shared->done == shared->total; });
    if (shared->error) std::rethrow_exception(std::exchange(shared->error, nullptr));
}
