// Small bitmaps and a minimal application object for the software bitmap tests.
#pragma once

#include "game_base.h"
#include "win_dib_bitmap.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

class BitmapTestGame : public CGameBase {
public:
  bool Pause() override { return true; }
  bool CreateApplicationData() override { return true; }
  bool ReLoadFonts() override { return true; }
  CommonString GetImagesDirectory() override { return ""; }
  CommonString GetSoundsDirectory() override { return ""; }
  CommonString GetSaveDirectory() override { return ""; }
  CommonString GetCommonGamePackName() override { return ""; }
  CommonString GetResolutionSpecificGamePackName() override { return ""; }
};

// A 16-bit bitmap of w x h pixels of one colour; with alpha >= 0 an alpha map of that value,
// otherwise none.
inline std::unique_ptr<CWinDibBitmap> MakeBitmap565(int w, int h, u16 colour, int alpha = -1,
                                                    CGameBase* game = nullptr) {
  auto bm = std::make_unique<CWinDibBitmap>(game);
  bm->Create(w, h);
  u16* px = (u16*)bm->GetBits();
  for (int i = 0; i < w * h; i++)
    px[i] = colour;
  if (alpha < 0)
    bm->DestroyAlpha();
  else
    memset(bm->GetAlphaBits(), alpha, (size_t)w * h);
  return bm;
}

inline u16 Pixel(IDibBitmap* bm, int x, int y) { return ((u16*)bm->GetBits())[y * bm->GetStoredWidth() + x]; }
inline void SetPixel(IDibBitmap* bm, int x, int y, u16 v) {
  ((u16*)bm->GetBits())[y * bm->GetStoredWidth() + x] = v;
}
inline void SetAlpha(IDibBitmap* bm, int x, int y, u8 a) {
  bm->GetAlphaBits()[y * bm->GetStoredWidth() + x] = a;
}

inline std::vector<u16> Pixels(IDibBitmap* bm) {
  const u16* p = (const u16*)bm->GetBits();
  return std::vector<u16>(p, p + bm->GetStoredWidth() * bm->GetStoredHeight());
}
