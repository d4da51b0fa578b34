#pragma once
// Work handed from one thread to another through Qt's own queues (a thread pool's
// queue, a call queued to another thread's event loop), told to ThreadSanitizer. Qt is
// not built with it, so it cannot see that what a thread wrote before handing work over
// is there for the thread that runs the work, nor that what the work wrote is there for
// a thread that waited for it through Qt. The handing side calls Handoff_Release(key),
// the taking side Handoff_Acquire(key) with the same key; without ThreadSanitizer both
// do nothing.
#include <utility>

#if defined(__SANITIZE_THREAD__)
#define APP_TSAN_HANDOFF 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define APP_TSAN_HANDOFF 1
#endif
#endif

#ifdef APP_TSAN_HANDOFF
#include <sanitizer/tsan_interface.h>
inline void Handoff_Release(const void *key) { __tsan_release(const_cast<void *>(key)); }
inline void Handoff_Acquire(const void *key) { __tsan_acquire(const_cast<void *>(key)); }
#else
inline void Handoff_Release(const void *) {}
inline void Handoff_Acquire(const void *) {}
#endif

// A call given to Qt to run on another thread: QThreadPool::start(Handed_Over(pool, f)),
// QMetaObject::invokeMethod(receiver, Handed_Over(receiver, f), ...). Each copy or move
// releases on its own address once it is made, the last one being the object Qt keeps
// and calls, so everything written before (that object too) comes before the call,
// which acquires on its own address first thing. When the call returns it releases on
// `done`, for a thread that waits for it through Qt (QThreadPool::waitForDone, a
// blocking queued call) and then acquires on `done`.
template <typename F>
class Handed_Over {
public:
    Handed_Over(const void *done, F work) : m_done(done), m_work(std::move(work)) { Handoff_Release(this); }
    Handed_Over(const Handed_Over &other) : m_done(other.m_done), m_work(other.m_work) { Handoff_Release(this); }
    Handed_Over(Handed_Over &&other) : m_done(other.m_done), m_work(std::move(other.m_work)) { Handoff_Release(this); }
    Handed_Over &operator=(const Handed_Over &) = delete;
    Handed_Over &operator=(Handed_Over &&) = delete;

    void operator()()
    {
        Handoff_Acquire(this);
        m_work();
        Handoff_Release(m_done);
    }

private:
    const void *m_done;
    F m_work;
};
