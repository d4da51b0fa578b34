// Items made on a pool ahead of the thread that takes them: every item comes out in
// order, made once, begun only once the item a window before it has been asked for, on
// any pool (none, one thread, several, every thread busy for a while); an exception
// comes out of Take for its own item; once stopped no item is begun on the pool, items
// still asked for are made by the taker, and the destructor waits for those under way.
#include "PoolAhead.h"

#include "HeldPoolThreads.h"
#include "TsanHandoff.h"

#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(PoolAhead, EveryItemComesOutInOrderMadeOnceWithinTheWindow)
{
    struct Case {
        const char *what;
        int threads;  // -1: no pool
        bool busy;    // every thread of the pool held by other work for the first 50 ms
        int first, end, window;
    } cases[] = {
        {"no pool", -1, false, 0, 9, 4},       {"one thread", 1, false, 0, 60, 2},
        {"four threads", 4, false, 3, 403, 8}, {"window of one", 4, false, 0, 50, 1},
        {"no items", 4, false, 5, 5, 8},       {"busy pool", 2, true, 0, 30, 4},
        {"one item", 3, false, 7, 8, 6},       {"end before first", 2, false, 9, 4, 3},
    };
    for (const Case &c : cases) {
        QThreadPool pool;
        if (c.threads > 0) pool.setMaxThreadCount(c.threads);
        Held_Pool_Threads held(pool, c.busy ? c.threads : 0);
        std::thread releaser([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(c.busy ? 50 : 0));
            held.release();
        });
        const int count = std::max(0, c.end - c.first);
        std::vector<std::atomic<int>> makes(size_t(std::max(count, 1)));
        std::atomic<int> asked{c.first}, farthest{0};  // the item last asked for
        std::set<QThread *> threads;
        std::mutex mutex;
        std::vector<std::string> out;
        {
            Pool_Ahead<std::string> ahead(c.threads > 0 ? &pool : nullptr, c.first, c.end, c.window, [&](int i) {
                ++makes[size_t(i - c.first)];
                const int lead = i - asked.load();
                for (int seen = farthest.load(); lead > seen && !farthest.compare_exchange_weak(seen, lead);) {
                }
                std::lock_guard lock(mutex);
                threads.insert(QThread::currentThread());
                return "item " + std::to_string(i);
            });
            for (int i = c.first; i < c.end; ++i) {
                asked = i;
                out.push_back(ahead.Take(i));
            }
        }
        releaser.join();
        pool.waitForDone();
        Handoff_Acquire(&pool);
        std::vector<std::string> expected;
        for (int i = c.first; i < c.end; ++i) expected.push_back("item " + std::to_string(i));
        EXPECT_EQ(out, expected) << c.what;
        for (int i = 0; i < count; ++i) EXPECT_EQ(makes[size_t(i)].load(), 1) << c.what << " item " << i;
        // An item is begun once the one `window` before it has been asked for.
        EXPECT_LE(farthest.load(), c.window) << c.what;
        // With a pool the taker only takes (on a busy pool it waits for a free thread);
        // without one it makes every item.
        if (c.threads < 0) {
            EXPECT_EQ(threads, std::set<QThread *>{QThread::currentThread()}) << c.what;
        } else {
            EXPECT_FALSE(threads.count(QThread::currentThread())) << c.what;
            EXPECT_LE(threads.size(), size_t(c.threads)) << c.what;
        }
    }
}

TEST(PoolAhead, AnItemsExceptionComesOutOfItsOwnTakeAndTheRestFollow)
{
    QThreadPool pool;
    pool.setMaxThreadCount(3);
    Pool_Ahead<int> ahead(&pool, 0, 20, 4, [](int i) {
        if (i == 5 || i == 6) throw std::runtime_error("item " + std::to_string(i) + " failed");
        return i * 10;
    });
    std::vector<int> out;
    std::vector<std::string> errors;
    for (int i = 0; i < 20; ++i) {
        try {
            out.push_back(ahead.Take(i));
        } catch (const std::runtime_error &e) {
            errors.push_back(e.what());
        }
    }
    EXPECT_EQ(errors, (std::vector<std::string>{"item 5 failed", "item 6 failed"}));
    std::vector<int> expected;
    for (int i = 0; i < 20; ++i)
        if (i != 5 && i != 6) expected.push_back(i * 10);
    EXPECT_EQ(out, expected);
}

TEST(PoolAhead, OnceStoppedNoItemIsBegunAndTheEndWaitsForThoseUnderWay)
{
    QThreadPool pool;
    pool.setMaxThreadCount(4);
    std::atomic<bool> stop{false};
    std::atomic<int> running{0}, begun{0}, highest{-1};
    {
        Pool_Ahead<int> ahead(
            &pool, 0, 1000, 8,
            [&](int i) {
                ++begun;
                ++running;
                for (int seen = highest.load(); i > seen && !highest.compare_exchange_weak(seen, i);) {
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                --running;
                return i;
            },
            [&] { return stop.load(); });
        for (int i = 0; i < 10; ++i) EXPECT_EQ(ahead.Take(i), i);
        stop = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        for (int i = 10; i < 30; ++i) EXPECT_EQ(ahead.Take(i), i);
        EXPECT_EQ(begun.load(), 30);  // each item once, on the pool or by the taker
    }
    EXPECT_EQ(running.load(), 0);
    const int made = begun.load();
    EXPECT_EQ(highest.load(), 29);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(begun.load(), made);  // nothing begun once the end has returned
    pool.waitForDone();
    Handoff_Acquire(&pool);
    EXPECT_EQ(begun.load(), made);
}

} // namespace

TEST(PoolAhead, TheEndWaitsForItemsUnderWayAndAHelperStartedLaterBeginsNothing)
{
    // Items are under way on the pool when the end comes, ending one after another: it
    // returns once they are made.
    {
        QThreadPool pool;
        pool.setMaxThreadCount(4);
        std::atomic<int> begun{0}, finished{0};
        {
            Pool_Ahead<int> ahead(&pool, 0, 100, 8, [&](int i) {
                ++begun;
                std::this_thread::sleep_for(std::chrono::milliseconds(15 * (i % 5)));
                ++finished;
                return i;
            });
            EXPECT_EQ(ahead.Take(0), 0);
        }
        EXPECT_GE(begun.load(), 2);
        EXPECT_EQ(finished.load(), begun.load());
        pool.waitForDone();
        Handoff_Acquire(&pool);
    }
    // Every thread of the pool is busy until after the end: the helpers the pool was
    // handed start then, and begin no item.
    {
        QThreadPool pool;
        pool.setMaxThreadCount(2);
        Held_Pool_Threads held(pool, 2);
        std::atomic<int> begun{0};
        { Pool_Ahead<int> ahead(&pool, 0, 100, 8, [&](int i) { return ++begun, i; }); }
        held.release();
        pool.waitForDone();
        Handoff_Acquire(&pool);
        EXPECT_EQ(begun.load(), 0);
    }
}
