#pragma once
// Threads of a pool held by other work until release() (at the latest when the holder
// ends, which is before the pool if the pool was made first): a busy pool.
#include "TsanHandoff.h"

#include <QThreadPool>

#include <future>

class Held_Pool_Threads {
public:
    Held_Pool_Threads(QThreadPool &pool, int count)
    {
        for (int t = 0; t < count; ++t) pool.start(Handed_Over(&pool, [released = m_released] { released.wait(); }));
    }
    ~Held_Pool_Threads() { release(); }
    Held_Pool_Threads(const Held_Pool_Threads &) = delete;
    Held_Pool_Threads &operator=(const Held_Pool_Threads &) = delete;

    void release()
    {
        if (m_held) m_release.set_value();
        m_held = false;
    }

private:
    std::promise<void> m_release;
    std::shared_future<void> m_released = m_release.get_future().share();
    bool m_held = true;
};
