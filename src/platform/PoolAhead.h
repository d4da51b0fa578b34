#pragma once
// Items made on a thread pool ahead of one thread that takes them in order, as a run
// makes its cards on the pool while its job writes them one by one.
//
// Up to one helper per thread of the pool claims the next item, makes it, and claims
// another, at most `window` items past the last one taken. A helper that finds no room
// gives its thread back to the pool (a helper never sleeps on a pool thread, so a pool
// thread is free for other work whenever the taker is slow or paused). Once the taker
// has freed half the window it starts one helper, and each helper that claims an item
// while there is room for more starts the next: the taker hands work to the pool about
// once per half window rather than once per item. The taker only takes: with a pool
// every item is made there (a taker that is itself a thread of the pool lends it, see
// Pool_Thread_Lent); without one, or once the pool begins no more items, the taker
// makes each item when it asks for it.
#include "TsanHandoff.h"

#include <QThreadPool>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

template <typename T>
class Pool_Ahead {
public:
    // Items `first` to `end` - 1, made by `make` (safe to call on several threads at
    // once). Once `stopped` says true no item is begun on the pool.
    Pool_Ahead(QThreadPool *pool, int first, int end, int window, std::function<T(int)> make,
               std::function<bool()> stopped = {})
        : m_shared(std::make_shared<Shared>())
    {
        Shared &s = *m_shared;
        s.pool = pool;
        s.first = s.next = s.taken = first;
        s.end = std::max(first, end);
        s.window = std::max(1, window);
        s.make = std::move(make);
        s.stopped = std::move(stopped);
        s.items.resize(size_t(s.window));
        if (!pool) return;
        s.helpers = std::max(1, pool->maxThreadCount());
        std::unique_lock lock(s.mutex);
        Shared::startHelper(m_shared, lock);
    }
    // Begins no more items and waits for those under way. (A helper the pool starts
    // later finds the work closed and touches only the shared state.)
    ~Pool_Ahead()
    {
        Shared &s = *m_shared;
        std::unique_lock lock(s.mutex);
        s.closed = true;
        s.idle.wait(lock, [&] { return s.running == 0; });
    }
    Pool_Ahead(const Pool_Ahead &) = delete;
    Pool_Ahead &operator=(const Pool_Ahead &) = delete;

    // The item `index`, asked for in order, each once: waited for, or made here when
    // there is no pool or the pool begins no more items (once stopped). An exception
    // thrown making it comes out here.
    T Take(int index)
    {
        Shared &s = *m_shared;
        std::unique_lock lock(s.mutex);
        for (;;) {
            if (index >= s.next && (!s.pool || s.closed)) {
                s.next = index + 1;
                lock.unlock();
                T made = s.make(index);
                lock.lock();
                s.taken = index + 1;
                return made;
            }
            if (index < s.next && s.items[size_t(index % s.window)].done) break;
            if (s.scheduled == 0) Shared::startHelper(m_shared, lock);
            s.awaited = index;
            s.ready.wait(lock);
            s.awaited = -1;
        }
        Slot item = std::exchange(s.items[size_t(index % s.window)], Slot{});
        s.taken = index + 1;
        if (s.scheduled == 0 && s.next < s.end && s.next - s.taken <= s.window / 2)
            Shared::startHelper(m_shared, lock);
        lock.unlock();
        if (item.error) std::rethrow_exception(item.error);
        return std::move(*item.value);
    }

private:
    struct Slot {
        bool done = false;
        std::optional<T> value;
        std::exception_ptr error;
    };
    struct Shared {
        QThreadPool *pool = nullptr;
        int first = 0, end = 0, window = 1, helpers = 0;
        std::function<T(int)> make;
        std::function<bool()> stopped;
        std::mutex mutex;
        std::condition_variable ready, idle;
        // Under the mutex:
        int next = 0;       // the first item nobody has claimed
        int taken = 0;      // the first item not taken yet
        int awaited = -1;   // the item the taker sleeps for
        int scheduled = 0;  // helpers handed to the pool and not yet ended
        int running = 0;    // helpers inside help()
        bool closed = false;      // no item is begun on the pool any more
        std::vector<Slot> items;  // item i in items[i % window]

        bool hasRoom() const { return next < end && next - taken < window; }

        // Hands one more helper to the pool. Called with the lock held, which it lets go
        // of while the pool takes the helper.
        static void startHelper(const std::shared_ptr<Shared> &shared, std::unique_lock<std::mutex> &lock)
        {
            Shared &s = *shared;
            if (s.closed || s.scheduled >= s.helpers || !s.hasRoom()) return;
            ++s.scheduled;
            lock.unlock();
            s.pool->start(Handed_Over(s.pool, [shared] { help(shared); }));
            lock.lock();
        }
        static void help(const std::shared_ptr<Shared> &shared)
        {
            Shared &s = *shared;
            std::unique_lock lock(s.mutex);
            ++s.running;
            while (!s.closed && s.hasRoom()) {
                if (s.stopped && s.stopped()) {
                    s.closed = true;
                    break;
                }
                const int index = s.next++;
                startHelper(shared, lock);  // while there is room for more than this item
                lock.unlock();
                Slot made;
                made.done = true;
                try {
                    made.value.emplace(s.make(index));
                } catch (...) {
                    made.error = std::current_exception();
                }
                lock.lock();
                s.items[size_t(index % s.window)] = std::move(made);
                if (s.awaited == index) s.ready.notify_one();
            }
            --s.scheduled;
            if (s.closed) s.ready.notify_all();  // the taker makes what is left
            if (--s.running == 0) s.idle.notify_all();
        }
    };
    std::shared_ptr<Shared> m_shared;
};
