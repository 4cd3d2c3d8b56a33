// The application object of the image tests and fuzz harnesses, and a guard that makes the
// generated fixture directory the working directory.
#pragma once

#include <unistd.h>

#include <string>

#include "test_application.h"

// The test application reading "images\" from disk, with the engine's own defaults for the image
// settings (each test raises what it needs) and no GL textures.
class ImageTestGame : public CTestApplication {
public:
  ImageTestGame() {
    m_bUsePacks = 0;
    m_bCreateTextures = 0;
    m_bTrueColorImages = 0;
    m_bPremultiplyAlpha = 0;
    m_bReleasePixelsAfterUpload = 0;
  }
};

// Working directory changed for the guard's lifetime; ok() tells whether the change happened.
class WorkingDirectory {
public:
  explicit WorkingDirectory(const char* path) {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) m_previous = cwd;
    m_ok = !m_previous.empty() && chdir(path) == 0;
  }
  ~WorkingDirectory() {
    if (m_ok && chdir(m_previous.c_str()) != 0) {
    }
  }
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;
  bool ok() const { return m_ok; }

private:
  std::string m_previous;
  bool m_ok = false;
};
