// Work shared between a pool and the thread that waits for it: every part runs once,
// on any pool (none, one thread, several, every thread busy), and a part's exception
// comes out of wait() after the other parts have ended.
#include "PoolWork.h"

#include "HeldPoolThreads.h"
#include "TsanHandoff.h"

#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <set>
#include <stdexcept>
#include <vector>

namespace {

TEST(PoolWork, EveryPartRunsOnceOnAnyPool)
{
    struct Case {
        const char *what;
        int threads;  // -1: no pool
        bool busy;    // every thread of the pool held by other work meanwhile
        int parts;
    } cases[] = {
        {"no pool", -1, false, 7},  {"one thread", 1, false, 50}, {"four threads", 4, false, 200},
        {"no parts", 4, false, 0},  {"busy pool", 2, true, 30},   {"one part", 3, false, 1},
    };
    for (const Case &c : cases) {
        QThreadPool pool;
        if (c.threads > 0) pool.setMaxThreadCount(c.threads);
        Held_Pool_Threads held(pool, c.busy ? c.threads : 0);
        std::vector<std::atomic<int>> runs(size_t(std::max(c.parts, 1)));
        std::set<QThread *> threads;
        std::mutex mutex;
        {
            Pool_Work work(c.threads > 0 ? &pool : nullptr, c.parts, [&](int i) {
                ++runs[size_t(i)];
                std::lock_guard lock(mutex);
                threads.insert(QThread::currentThread());
            });
            work.wait();
        }
        held.release();
        pool.waitForDone();
        Handoff_Acquire(&pool);
        for (int i = 0; i < c.parts; ++i) EXPECT_EQ(runs[size_t(i)].load(), 1) << c.what << " part " << i;
        // Without a free pool thread the waiting thread did every part.
        if (c.threads < 0 || c.busy) {
            EXPECT_EQ(threads, std::set<QThread *>{QThread::currentThread()}) << c.what;
        }
    }
}

TEST(PoolWork, APartsExceptionComesOutOfWaitAfterTheRest)
{
    QThreadPool pool;
    pool.setMaxThreadCount(3);
    std::atomic<int> ended{0};
    Pool_Work work(&pool, 40, [&](int i) {
        if (i == 5) throw std::runtime_error("part 5");
        QThread::usleep(200);
        ++ended;
    });
    try {
        work.wait();
        FAIL() << "no exception";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "part 5");
    }
    EXPECT_EQ(ended.load(), 39);
}

} // namespace
