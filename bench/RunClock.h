#pragma once
// What the run benchmarks share: the application's pool, made once for the whole program
// as main() makes it, and the clocks behind their processor-over-wall-time counter.
#include <QThreadPool>

#include <algorithm>
#include <ctime>
#include <thread>

namespace benchrun {

inline QThreadPool &appPool()
{
    static QThreadPool pool;
    static const bool sized = [] {
        pool.setMaxThreadCount(std::max(1, int(std::thread::hardware_concurrency())));
        return true;
    }();
    (void)sized;
    return pool;
}

inline double processSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

inline double wallSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace benchrun
