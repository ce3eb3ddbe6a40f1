#pragma once

#include <csignal>
#include <sys/resource.h>

namespace vellum::test {

/// While it lives, files of this process cannot grow past `bytes`: a write beyond fails with
/// EFBIG instead of raising SIGXFSZ. `active()` says whether the limit could be set.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        if (getrlimit(RLIMIT_FSIZE, &m_saved) != 0)
            return;
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    void (*m_previousHandler)(int);
    rlimit m_saved{};
    bool m_active = false;
};

} // namespace vellum::test
