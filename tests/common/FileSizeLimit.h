// SPDX-License-Identifier: MIT
// A disk that fills up, for tests: while one of these lives, writes beyond nLimit bytes of a
// file fail with "file too large" (the signal the kernel would send is ignored), as writes to
// a full disk fail.
#pragma once

#include <csignal>
#include <sys/resource.h>

class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t nLimit) {
        getrlimit(RLIMIT_FSIZE, &m_Saved);
        m_pOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_Saved;
        limit.rlim_cur = nLimit;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit() {
        Lift();
        std::signal(SIGXFSZ, m_pOldHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

    // Space again: the limit the process had before.
    void Lift() { setrlimit(RLIMIT_FSIZE, &m_Saved); }

private:
    rlimit m_Saved{};
    void (*m_pOldHandler)(int);
};
