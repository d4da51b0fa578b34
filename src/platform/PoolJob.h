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
