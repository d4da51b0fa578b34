#pragma once
// The one job thread of a run, taken from a thread pool: the job runs on one of the
// pool's threads, ahead of any work queued on the pool (a run's job never waits behind
// card work), and the thread goes back to the pool when the job returns. Without a
// pool the process's global pool is used.
#include <functional>
#include <memory>

class QThreadPool;

class Pool_Job {
public:
    Pool_Job() = default;
    ~Pool_Job();  // waits
    Pool_Job(const Pool_Job &) = delete;
    Pool_Job &operator=(const Pool_Job &) = delete;

    // Runs `job` on one of the pool's threads; a job started earlier is waited for first.
    void Start(QThreadPool *pool, std::function<void()> job);
    // A job has been started and not yet waited for.
    bool Started() const { return bool(m_shared); }
    // Blocks until the job has returned (at once when none was started).
    void Wait();

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

// Held by a job whose thread mostly waits for the work it queues on the same pool: for
// as long as it lives the pool may run one thread more than its maximum, so the work
// has every thread of the pool besides the job's (and goes on when the job holds the
// pool's only thread). Without a pool it does nothing.
class Pool_Thread_Lent {
public:
    explicit Pool_Thread_Lent(QThreadPool *pool);
    ~Pool_Thread_Lent();
    Pool_Thread_Lent(const Pool_Thread_Lent &) = delete;
    Pool_Thread_Lent &operator=(const Pool_Thread_Lent &) = delete;

private:
    QThreadPool *m_pool;
};
