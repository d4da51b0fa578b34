#pragma once
// Bounded, deterministic fuzzing: a seeded mutator of bytes and of string lists, a
// watchdog that ends the run when one input takes too long, and a guard that keeps
// the readers' log lines of refused inputs out of the test output.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <pthread.h>
#include <random>
#include <string>
#include <thread>
#include <time.h>

namespace fuzz {

// Values that break naive readers: non-finite, huge and negative numbers, numbers of
// the stored forms out of range, separators and tags of the design file.
inline const QStringList kNastyTexts = {
    "nan", "-inf", "1e308", "-1e308", "1e-320", "-1", "99999999999999999999", "2147483648", "-2147483649", "0x10",
    "{{nan, 0}, {1, 1}}", "{{0, 0}, {1e308, 1}}", "{{0, 0}, {-1, 1}}", "{inf, 1}", "{-5, -5}", "nan:0:0:1",
    "1e308:0:0:1", ",Arial::::12", "::::", "Arial::::1e308", "Arial::::nan", "Y", "N", "", " ", "CONTROL", "END",
    "CARD", "F", "B", "SKTText", "SKTBarcode", "0", "1000000000", QString(QChar(0)), "a" + QString(QChar(0)) + "b",
    QString(20000, u'x'),
};

// The number of rounds to run: `usual`, or FUZZ_ROUNDS from the environment for a
// longer run by hand.
inline int rounds(int usual)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("FUZZ_ROUNDS", &ok);
    return ok && n > 0 ? n : usual;
}

class Mutator {
public:
    explicit Mutator(quint32 seed) : m_rng(seed) {}

    int below(qsizetype n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, int(n) - 1)(m_rng); }

    // One to four edits: bit flips, inserted or deleted bytes, truncation, a splice
    // from `other`, NUL bytes, huge numbers in place of digits, repeated runs.
    QByteArray mutate(QByteArray b, const QByteArray &other)
    {
        for (int edits = 1 + below(4); edits > 0; --edits) {
            const qsizetype at = below(b.size() + 1), len = 1 + below(16);
            switch (below(8)) {
            case 0:
                if (!b.isEmpty()) b[at % b.size()] = char(b[at % b.size()] ^ (1 << below(8)));
                break;
            case 1: b.insert(at, char(below(256))); break;
            case 2: b.remove(at, len); break;
            case 3: b.truncate(at); break;
            case 4: {
                const qsizetype from = below(other.size() + 1);
                b.replace(at, len, other.mid(from, 1 + below(64)));
                break;
            }
            case 5: b.insert(at, '\0'); break;
            case 6: {
                qsizetype d = at;
                while (d < b.size() && !(b[d] >= '0' && b[d] <= '9')) ++d;
                qsizetype e = d;
                while (e < b.size() && ((b[e] >= '0' && b[e] <= '9') || b[e] == '.')) ++e;
                b.replace(d, e - d, kNastyTexts[below(20)].toUtf8());
                break;
            }
            default: b.insert(at, b.mid(at, len).repeated(1 + below(64))); break;
            }
        }
        return b;
    }

    // One to three edits of a list of strings: an item replaced by a nasty text or by
    // another item, removed, repeated or swapped, or one character changed.
    QStringList mutate(QStringList a)
    {
        for (int edits = 1 + below(3); edits > 0 && !a.isEmpty(); --edits) {
            const qsizetype i = below(a.size()), j = below(a.size());
            switch (below(6)) {
            case 0: a[i] = kNastyTexts[below(kNastyTexts.size())]; break;
            case 1: a[i] = a[j]; break;
            case 2: a.removeAt(i); break;
            case 3: a.insert(i, a[j]); break;
            case 4: a.swapItemsAt(i, j); break;
            default:
                if (!a[i].isEmpty()) a[i][below(a[i].size())] = QChar(char16_t(below(128)));
                break;
            }
        }
        return a;
    }

private:
    std::mt19937 m_rng;
};

// Ends the process with a message when one input takes too long: more than `limit` of
// the CPU time of the fuzzing thread (the one that made the watchdog), so that a machine
// busy with other work is not taken for a hung input, or, for an input that waits
// without running (a deadlock), more than 4 x `limit` and at least 120 s of wall time.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : m_limit(limit), m_wallLimit(std::max(4 * limit, std::chrono::seconds(120))), m_clock(threadClock()),
          m_startedCpu(cpuTime()), m_thread([this] { watch(); })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    void next(const std::string &input)
    {
        std::lock_guard lock(m_mutex);
        m_input = input;
        m_started = std::chrono::steady_clock::now();
        m_startedCpu = cpuTime();
    }

private:
    static clockid_t threadClock()
    {
        clockid_t clock = CLOCK_MONOTONIC;
        if (pthread_getcpuclockid(pthread_self(), &clock) != 0) std::abort();
        return clock;
    }
    std::chrono::nanoseconds cpuTime() const
    {
        timespec t{};
        clock_gettime(m_clock, &t);
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    }
    void watch()
    {
        std::unique_lock lock(m_mutex);
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_done; })) {
            const bool cpu = cpuTime() - m_startedCpu > m_limit;
            if (cpu || std::chrono::steady_clock::now() - m_started > m_wallLimit) {
                std::fprintf(stderr, "Fuzz input took longer than %lld s %s: %s\n",
                             (long long)(cpu ? m_limit : m_wallLimit).count(), cpu ? "of CPU time" : "of wall time",
                             m_input.c_str());
                std::abort();
            }
        }
    }

    std::chrono::seconds m_limit, m_wallLimit;
    clockid_t m_clock;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::string m_input = "start";
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
    std::chrono::nanoseconds m_startedCpu;
    std::thread m_thread;
};

// Drops debug, info and warning lines while it lives (refused inputs are logged).
class QuietLog {
public:
    QuietLog()
        : m_old(qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
              if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(msg));
          }))
    {
    }
    ~QuietLog() { qInstallMessageHandler(m_old); }

private:
    QtMessageHandler m_old;
};

} // namespace fuzz
