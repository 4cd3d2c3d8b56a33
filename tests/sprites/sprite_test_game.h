// The application object of the sprite tests: the test application with a sprite-set manager,
// reading "images\" and "ui\" from the generated fixture pack.
#pragma once

#include <gtest/gtest.h>

#include "dib_bitmap.h"
#include "sprite_fixtures.h"
#include "sprite_set.h"
#include "test_application.h"
#include "zip_pack.h"

class SpriteTestGame : public CTestApplication {
public:
  // Without GL the bitmaps keep their pixels and make no textures.
  explicit SpriteTestGame(bool gl = false) {
    m_bCreateTextures = gl;
    m_bReleasePixelsAfterUpload = gl;
    m_bPremultiplyAlpha = 0;
    m_pCommonPack = new CiPhoneZipFileReader(this);
    m_bPackOpened = m_pCommonPack->Init(SPRITE_PACK) == 1;
  }
  ~SpriteTestGame() override {
    // Sets first: their unload looks up the manager.
    SafeDelete(m_pManager);
    SafeDelete(m_pCommonPack);
  }
  CSpriteSetManager* GetSpriteSetManager() override { return m_pManager; }

  bool m_bPackOpened = false;
  CSpriteSetManager* m_pManager = new CSpriteSetManager(this, 40);
};

// Every distinct non-null frame of a set once.
inline int DistinctFrames(CSpriteSet* set) {
  int n = 0;
  for (int i = 0; i < set->m_nFrames; i++)
    if (set->m_ppFrames[i] && (i == 0 || set->m_ppFrames[i] != set->m_ppFrames[i - 1])) n++;
  return n;
}

// Colour at (x, y) of a bitmap with three-byte pixels in memory, stored unturned.
inline SpriteColour Rgb24At(IDibBitmap* b, int x, int y) {
  const unsigned char* p = b->GetBits() + 3 * ((size_t)y * b->GetStoredWidth() + x);
  return SpriteColour{p[0], p[1], p[2]};
}

inline ::testing::AssertionResult SameColour(SpriteColour got, SpriteColour want) {
  if (got.r == want.r && got.g == want.g && got.b == want.b) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got (" << got.r << ", " << got.g << ", " << got.b << "), want ("
                                       << want.r << ", " << want.g << ", " << want.b << ")";
}
