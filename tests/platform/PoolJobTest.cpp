// The one job thread of a run, taken from a given pool: it runs on that pool's thread
// (the thread the pool's next task runs on), starts ahead of work queued on a busy
// pool, and Wait returns only after the job, and what it holds, are gone.
#include "PoolJob.h"
#include "TsanHandoff.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace {

// The thread a task started on the pool now runs on.
QThread *Next_Task_Thread(QThreadPool &pool)
{
    std::promise<QThread *> seen;
    pool.start(Handed_Over(&pool, [&] { seen.set_value(QThread::currentThread()); }));
    return seen.get_future().get();
}

TEST(PoolJob, RunsOnAThreadOfTheGivenPool)
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    pool.setExpiryTimeout(-1);
    std::atomic<QThread *> jobThread{nullptr};
    std::atomic<int> activeDuringJob{-1};
    Pool_Job job;
    EXPECT_FALSE(job.Started());
    job.Start(&pool, [&] {
        jobThread = QThread::currentThread();
        activeDuringJob = pool.activeThreadCount();
    });
    EXPECT_TRUE(job.Started());
    job.Wait();
    EXPECT_FALSE(job.Started());
    ASSERT_NE(jobThread.load(), nullptr);
    EXPECT_NE(jobThread.load(), QCoreApplication::instance()->thread());
    EXPECT_EQ(activeDuringJob.load(), 1);
    // The pool's one thread: the job ran on it, and it is still the pool's.
    EXPECT_EQ(Next_Task_Thread(pool), jobThread.load());
}

TEST(PoolJob, StartsAheadOfWorkQueuedOnABusyPool)
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    std::promise<void> release;
    pool.start(Handed_Over(&pool, [released = release.get_future().share()] { released.wait(); }));
    std::mutex mutex;
    std::vector<QString> order;
    const auto note = [&](const char *what) {
        std::lock_guard lock(mutex);
        order.push_back(QString::fromLatin1(what));
    };
    pool.start(Handed_Over(&pool, [&] { note("card work"); }));
    Pool_Job job;
    job.Start(&pool, [&] { note("job"); });
    release.set_value();
    job.Wait();
    pool.waitForDone();
    Handoff_Acquire(&pool);
    EXPECT_EQ(order, (std::vector<QString>{"job", "card work"}));
}

TEST(PoolJob, WaitEndsAfterTheJobAndWhatItHolds)
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    Pool_Job job;
    job.Wait();  // none started: at once
    std::vector<int> order;
    auto held = std::make_shared<int>(7);
    std::weak_ptr<int> watch = held;
    job.Start(&pool, [held = std::move(held), &order] {
        QThread::msleep(50);
        order.push_back(*held);
    });
    // A second job waits for the first, and the first's captures go before it starts.
    job.Start(&pool, [&] { order.push_back(watch.expired() ? 8 : -8); });
    job.Wait();
    EXPECT_EQ(order, (std::vector<int>{7, 8}));
    // A job that throws still ends: Wait returns.
    job.Start(&pool, [] { throw std::runtime_error("fails"); });
    job.Wait();
    EXPECT_FALSE(job.Started());
}

TEST(PoolJob, AJobLendingItsThreadLetsWorkItQueuesOnItsOwnPoolRun)
{
    // The job holds the pool's only thread and waits (up to 1.5 s) for three parts it
    // queues on that pool: lent, they run beside it; afterwards the pool is back to its
    // one thread.
    for (const bool lend : {true, false}) {
        QThreadPool pool;
        pool.setMaxThreadCount(1);
        std::atomic<int> done{0};
        bool allDone = false;
        Pool_Job job;
        job.Start(&pool, [&] {
            std::optional<Pool_Thread_Lent> lent;
            if (lend) lent.emplace(&pool);
            for (int i = 0; i < 3; ++i)
                pool.start(Handed_Over(&pool, [&] { ++done; }));
            for (int wait = 0; wait < 150 && done < 3; ++wait) QThread::msleep(10);
            allDone = done == 3;
        });
        job.Wait();
        pool.waitForDone();
        Handoff_Acquire(&pool);
        EXPECT_EQ(allDone, lend) << lend;
        EXPECT_EQ(done.load(), 3) << lend;
        // One task at a time again: a second task waits for the first.
        std::promise<void> release;
        std::atomic<bool> secondRan{false};
        pool.start(Handed_Over(&pool, [released = release.get_future().share()] { released.wait(); }));
        pool.start(Handed_Over(&pool, [&] { secondRan = true; }));
        QThread::msleep(50);
        EXPECT_FALSE(secondRan.load()) << lend;
        release.set_value();
        pool.waitForDone();
        Handoff_Acquire(&pool);
        EXPECT_TRUE(secondRan.load()) << lend;
    }
}

}  // namespace
