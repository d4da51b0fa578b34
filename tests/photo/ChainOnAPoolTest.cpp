// The adjustment chain on a caller's pool: many callers at once get the results of a
// single thread, and the process never holds more threads than the callers and the
// pool's own; without a pool nothing but the calling thread works.
#include "AdjustmentChain.h"
#include "PoolBands.h"
#include "ProcessMemory.h"
#include "TsanHandoff.h"

#include <gtest/gtest.h>

#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <set>
#include <thread>
#include <vector>

namespace {

Picture photo(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgba(x * 255 / w, y * 255 / h, (x * 7 + y * 3) & 255, 128 + (x & 127)));
    return Picture(img, QSizeF(w, h));
}

ImageAdjustments everyStage()
{
    ImageAdjustments s;
    s.grayScale = false;
    s.sepia = true;
    s.hue = 0.4;
    s.saturation = 1.3;
    s.brightness = 0.1;
    s.contrast = 1.2;
    s.sharpness = 0.6;
    s.exposure = 0.5;
    s.blur = 4;
    s.flipHorizontally = true;
    s.rotation = 30;
    return s;
}

// The most threads the process held while `work` ran.
int peakThreadsDuring(const std::function<void()> &work)
{
    std::atomic<bool> done{false};
    std::atomic<int> peak{processmemory::threadCount()};
    std::thread watcher([&] {
        while (!done) {
            peak = std::max(peak.load(), processmemory::threadCount());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    work();
    done = true;
    watcher.join();
    return peak;
}

void callersAtOnce(int callers, const Picture &source, QThreadPool &pool, const QImage &expected)
{
    std::vector<QImage> results(static_cast<size_t>(callers));
    const int before = processmemory::threadCount() + 1;  // and the watcher
    const int peak = peakThreadsDuring([&] {
        std::vector<std::thread> threads;
        for (int i = 0; i < callers; ++i)
            threads.emplace_back([&, i] {
                results[size_t(i)] = Get_Processed_Image_Full_Combined(source, everyStage(), true, QSize(), &pool).image();
            });
        for (std::thread &t : threads) t.join();
    });
    for (int i = 0; i < callers; ++i) EXPECT_EQ(results[size_t(i)], expected) << "caller " << i;
    EXPECT_LE(peak, before + callers + pool.maxThreadCount()) << "threads beyond the callers and the pool";
}

} // namespace

TEST(ChainOnAPool, ManyCallersGetTheSingleThreadResults)
{
    const int cores = std::max(1, int(std::thread::hardware_concurrency()));
    QThreadPool pool;
    pool.setMaxThreadCount(cores);
    const Picture preview = photo(500, 500);
    callersAtOnce(16, preview, pool, Get_Processed_Image_Full_Combined(preview, everyStage(), true).image());
    const Picture large = photo(1600, 1250);
    callersAtOnce(4, large, pool, Get_Processed_Image_Full_Combined(large, everyStage(), true).image());
    pool.waitForDone();
    Handoff_Acquire(&pool);
}

// A picture of 0.25 megapixels is split over the pool, a smaller one is not; without a
// pool every band runs on the calling thread.
TEST(ChainOnAPool, BandsRunWhereTheCallerSays)
{
    QThreadPool pool;
    pool.setMaxThreadCount(4);
    std::mutex m;
    std::set<std::thread::id> workers;
    const std::thread::id self = std::this_thread::get_id();
    std::atomic<int> ran{0};
    Run_In_Bands(6, nullptr, [&](int) {
        std::lock_guard lock(m);
        workers.insert(std::this_thread::get_id());
        ++ran;
    });
    EXPECT_EQ(ran, 6);
    EXPECT_EQ(workers, std::set<std::thread::id>{self});

    // A caller that is the pool's only worker runs every band itself.
    QThreadPool one;
    one.setMaxThreadCount(1);
    std::atomic<int> inner{0};
    one.start(Handed_Over(&one, [&] { Run_In_Bands(8, &one, [&](int) { ++inner; }); }));
    EXPECT_TRUE(one.waitForDone(10000)) << "a worker of the pool waiting on its own pool";
    Handoff_Acquire(&one);
    EXPECT_EQ(inner, 8);

    // The chain starts the pool's threads for a picture of 0.25 megapixels, not for a
    // smaller one.
    for (const auto &[side, helpers] : {std::pair{499, false}, std::pair{500, true}}) {
        QThreadPool fresh;
        fresh.setMaxThreadCount(4);
        fresh.setExpiryTimeout(-1);  // started threads stay to be counted
        const int before = processmemory::threadCount();
        ImageAdjustments s;
        s.sepia = true;
        Get_Processed_Image_Full_Combined(photo(side, 500), s, true, QSize(), &fresh);
        EXPECT_EQ(processmemory::threadCount() > before, helpers) << side << " x 500";
        fresh.waitForDone();
        Handoff_Acquire(&fresh);
    }

    // Each band once, on the pool's threads and the caller's.
    std::vector<std::atomic<int>> counts(64);
    workers.clear();
    Run_In_Bands(64, &pool, [&](int b) {
        ++counts[size_t(b)];
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        std::lock_guard lock(m);
        workers.insert(std::this_thread::get_id());
    });
    for (const auto &c : counts) EXPECT_EQ(c, 1);
    EXPECT_GT(workers.size(), 1u);
    EXPECT_LE(workers.size(), 5u) << "the pool's four threads and the caller";
    pool.waitForDone();
    Handoff_Acquire(&pool);
}

// A band that throws, on the calling thread or on a thread of the pool: its exception
// comes out of the call, and only once every other band has run.
TEST(ChainOnAPool, ABandsExceptionComesOutOnceEveryBandHasRun)
{
    const std::thread::id caller = std::this_thread::get_id();
    struct Road {
        const char *what;
        bool pool;
        bool throwOnCaller;  // else on a thread of the pool
    } roads[] = {{"no pool", false, true}, {"the caller's band", true, true}, {"a pool thread's band", true, false}};
    for (const Road &road : roads) {
        SCOPED_TRACE(road.what);
        QThreadPool pool;
        pool.setMaxThreadCount(4);
        constexpr int kBands = 32;
        // Shared with the bands, so that a band still running after a faulty return
        // touches nothing that has gone.
        auto counts = std::make_shared<std::vector<std::atomic<int>>>(kBands);
        auto thrown = std::make_shared<std::atomic<bool>>(false);
        auto poolRan = std::make_shared<std::atomic<bool>>(false);
        const auto band = [=, throwOnCaller = road.throwOnCaller](int b) {
            const bool onCaller = std::this_thread::get_id() == caller;
            if (!onCaller) *poolRan = true;
            // The caller waits (a while at most) for the pool to take a band, so that a
            // pool thread's band is there to throw.
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!throwOnCaller && onCaller && !*poolRan && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ++(*counts)[size_t(b)];
            if (onCaller == throwOnCaller && !thrown->exchange(true)) throw std::runtime_error("band failed");
        };
        int ranWhenCaught = -1;
        try {
            Run_In_Bands(kBands, road.pool ? &pool : nullptr, band);
            ADD_FAILURE() << "no exception came out";
        } catch (const std::runtime_error &e) {
            EXPECT_STREQ(e.what(), "band failed");
            ranWhenCaught = 0;
            for (const auto &c : *counts) ranWhenCaught += c;
        }
        EXPECT_EQ(ranWhenCaught, kBands);
        pool.waitForDone();
        Handoff_Acquire(&pool);
        for (const auto &c : *counts) EXPECT_EQ(c, 1);
    }
}
