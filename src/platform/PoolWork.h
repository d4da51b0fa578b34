#pragma once
// Work of `count` parts shared between a thread pool and the thread that asks for it.
// Parts are claimed one at a time by whoever is free: the pool's threads and, once it
// waits, the asking thread itself, so the work ends even when every thread of the pool
// is busy (or the asker is one of them). Parts may end in any order; `part` must be
// safe to call on several threads at once. Without a pool every part runs in wait().
#include <functional>
#include <memory>

class QThreadPool;

class Pool_Work {
public:
    // Starts the pool's threads on the parts (up to one per thread of the pool).
    Pool_Work(QThreadPool *pool, int count, std::function<void(int part)> part);
    ~Pool_Work();  // waits
    Pool_Work(const Pool_Work &) = delete;
    Pool_Work &operator=(const Pool_Work &) = delete;

    // Takes parts until none is left, then waits for those under way. An exception
    // thrown by a part comes out here (the first one), once every part has ended.
    void wait();

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    bool m_waited = false;
};
