#pragma once

#include <csignal>
#include <sys/resource.h>

// While alive, this process may not write a byte into any file: the engine's journal cannot be
// written, as on a full disk, and every update fails while reads go on. Unlike a read-only mode
// it holds for root too.
class NoFileWrites {
public:
    NoFileWrites() {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_signal = std::signal(SIGXFSZ, SIG_IGN); // the write then fails with EFBIG instead
        rlimit none = m_saved;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoFileWrites() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }
    NoFileWrites(const NoFileWrites&) = delete;
    NoFileWrites& operator=(const NoFileWrites&) = delete;

private:
    rlimit m_saved{};
    void (*m_signal)(int) = nullptr;
};
