// Makes every file this process writes stop at a few bytes while it lives: a disk that fills up in
// the middle of a save, which works even for a test run as root.
#pragma once

#include <sys/resource.h>

#include <csignal>

class ScopedFileSizeLimit {
public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    m_Signal = signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of ending the test
    getrlimit(RLIMIT_FSIZE, &m_Old);
    rlimit limit = m_Old;
    limit.rlim_cur = bytes;
    m_Set = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_Old);
    signal(SIGXFSZ, m_Signal);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

  bool ok() const { return m_Set; }

private:
  rlimit m_Old{};
  void (*m_Signal)(int) = nullptr;
  bool m_Set = false;
};
