#pragma once
// What the process holds, read from /proc/self: resident and peak memory, the peak
// reset, and the number of threads. Memory bounds are not asserted under the
// sanitizers, which keep freed memory and add their own.
#include <QByteArray>
#include <QFile>

namespace processmemory {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kMeasuresMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
inline constexpr bool kMeasuresMemory = false;
#else
inline constexpr bool kMeasuresMemory = true;
#endif
#else
inline constexpr bool kMeasuresMemory = true;
#endif

// A "Name:   value" line of /proc/self/status as a number (kB for memory); -1 when missing.
inline long long statusValue(const char *name)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(key.size()).trimmed().split(' ').front().toLongLong();
    return -1;
}

inline long long residentBytes() { return statusValue("VmRSS") * 1024; }
inline long long peakBytes() { return statusValue("VmHWM") * 1024; }
inline int threadCount() { return int(statusValue("Threads")); }

// Starts a new peak from what is resident now; false when the kernel does not allow it.
inline bool resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

} // namespace processmemory
