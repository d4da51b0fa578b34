#pragma once
// What the mail windows share while they send: the run's stop request (one object per
// run, shared by the sending thread and the window), the clock of its pauses, the pause
// text, and the view of the run's progress.
#include <QString>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// The clock a run's pauses are counted on and waited with: the steady clock. A test
// gives a run a clock of its own, so that it sees each pause without waiting it out.
class Mail_Clock {
public:
    using time_point = std::chrono::steady_clock::time_point;
    virtual ~Mail_Clock() = default;
    virtual time_point Now() { return std::chrono::steady_clock::now(); }
    // Waits on `wake` (with `lock` held) until `until` by this clock; it may return
    // sooner, when woken.
    virtual void Wait(std::condition_variable &wake, std::unique_lock<std::mutex> &lock, time_point until)
    {
        wake.wait_until(lock, until);
    }
};

struct Mail_Run_State {
    // `clock`: the clock of the run's pauses (null: the steady clock); it outlives the run.
    explicit Mail_Run_State(Mail_Clock *clock = nullptr) : m_clock(clock ? clock : &m_steady) {}

    std::atomic<bool> stop{false};
    // A stop asked elsewhere (the progress panel's own Stop); read with `stop`.
    std::function<bool()> externalStop;

    bool stopped() const { return stop.load() || (externalStop && externalStop()); }
    void Request_Stop()
    {
        {
            std::lock_guard lock(m_mutex);
            stop = true;
        }
        m_wake.notify_all();
    }
    // The time by the run's clock.
    Mail_Clock::time_point Now() { return m_clock->Now(); }
    // Waits until the run's clock reaches the time or a stop is asked (seen at once when
    // asked through Request_Stop, within a tenth of a second otherwise); false when
    // stopped.
    bool Wait_Until(Mail_Clock::time_point until)
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (stopped()) return false;
            const auto now = m_clock->Now();
            if (now >= until) return true;
            m_clock->Wait(m_wake, lock, std::min(until, now + std::chrono::milliseconds(100)));
        }
    }

private:
    Mail_Clock m_steady;
    Mail_Clock *const m_clock;
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

// "Pausing the process for 1 Hour 1 Minute 1 Second." from milliseconds: hours only
// when there are any, minutes when there are hours or minutes; 0 and 1 take the
// singular.
QString Calculate_Pause_Time(long long milliseconds);

// The progress of a run as a window shows it. Called on the GUI thread.
class Mail_Progress_View {
public:
    virtual ~Mail_Progress_View() = default;
    // The run starts: `total` steps; the view's Stop asks state.Request_Stop().
    virtual void Show_Progress(Mail_Run_State &state, int total) = 0;
    virtual void Set_Progress(int done, int total) = 0;
    // A pause: its countdown text; empty when it ends.
    virtual void Set_Pause_Text(const QString &text) = 0;
    virtual void Hide_Progress() = 0;
};
