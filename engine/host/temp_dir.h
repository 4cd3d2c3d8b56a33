// A fresh temporary directory for one test or tool run, made the working directory while it lives
// (the engine resolves every path against the working directory).
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class ScopedTempDir {
public:
  ScopedTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sprocklet-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made) m_path = made;
    char cwd[4096];
    if (getcwd(cwd, sizeof(cwd))) m_previous = cwd;
    if (!m_path.empty() && chdir(m_path.c_str()) != 0) m_path.clear();
  }
  ~ScopedTempDir() {
    if (!m_previous.empty() && chdir(m_previous.c_str()) != 0) {
    }
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  bool ok() const { return !m_path.empty(); }
  const std::string& path() const { return m_path; }

private:
  std::string m_path;
  std::string m_previous;
};
