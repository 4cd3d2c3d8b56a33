// The engine's test application on one asset pack, working in a fresh temporary directory that is
// the working directory while it lives (so what it saves stays there): for tests, tools and
// benchmarks that run the game off-screen. Pictures are decoded without GL textures unless a GL
// screen is opened and m_bCreateTextures set.
#pragma once

#include <string>

#include "platform_services.h"
#include "temp_dir.h"
#include "test_application.h"
#include "zip_pack.h"

class PackFileGame : public CTestApplication {
public:
  PackFileGame() {
    m_bCreateTextures = 0;
    m_bReleasePixelsAfterUpload = 0;
    m_bPremultiplyAlpha = 0;
    g_pGame = this;
  }
  ~PackFileGame() override {
    if (g_pGame == this) g_pGame = nullptr;
  }

  // Opens an existing pack (the generated sample pack, say) as the common pack.
  bool OpenPackFile(const std::string& path) {
    SafeDelete(m_pCommonPack);
    m_pCommonPack = new CiPhoneZipFileReader(this);
    m_bUsePacks = 1;
    return m_pCommonPack->Init(path.c_str()) == 1;
  }

  const std::string& Dir() const { return m_Dir.path(); }

private:
  ScopedTempDir m_Dir;
};
