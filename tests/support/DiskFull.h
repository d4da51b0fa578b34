#pragma once
// The disk as if full after `bytes` bytes of any file this process writes, while the
// object lives: writes past the file size limit fail with EFBIG ("File too large"), and
// the signal they raise is ignored meanwhile.
#include <csignal>
#include <sys/resource.h>

namespace testsupport {

struct Disk_Full_After {
    rlimit kept{};
    void (*handler)(int) = SIG_DFL;
    explicit Disk_Full_After(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &kept);
        handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = kept;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~Disk_Full_After()
    {
        setrlimit(RLIMIT_FSIZE, &kept);
        std::signal(SIGXFSZ, handler);
    }
    Disk_Full_After(const Disk_Full_After &) = delete;
    Disk_Full_After &operator=(const Disk_Full_After &) = delete;
};

} // namespace testsupport
