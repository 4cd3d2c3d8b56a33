// Shared by the PNG and JPEG loaders: where a decoded pixel goes in a bitmap's colour and alpha
// maps, and how it is packed.
#pragma once

#include <cstddef>
#include <cstdlib>

#include "app_graphics.h"
#include "dib_bitmap.h"
#include "image_loaders.h"

// The colour and alpha maps of one decoded image of w x h pixels, laid out for a bitmap of the
// given orientation mode: 1 and 2 store the image a quarter turn round, in rows of h pixels.
struct ImagePixelMaps {
  unsigned char* colour = nullptr;
  unsigned char* alpha = nullptr;
  int w = 0;
  int h = 0;
  int mode = 0;
  int bytesPerPixel = 2; // 2: RGB565 words, 3: red, green, blue bytes

  size_t Index(int x, int y) const {
    if (mode == 1) return (size_t)(w - 1 - x) * (size_t)h + (size_t)y;
    if (mode == 2) return (size_t)x * (size_t)h + (size_t)(h - 1 - y);
    return (size_t)y * (size_t)w + (size_t)x;
  }
  void PutColour(size_t i, unsigned r, unsigned g, unsigned b) {
    if (bytesPerPixel == 3) {
      unsigned char* p = colour + i * 3;
      p[0] = (unsigned char)r;
      p[1] = (unsigned char)g;
      p[2] = (unsigned char)b;
    } else {
      unsigned v = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
      colour[i * 2] = (unsigned char)v;
      colour[i * 2 + 1] = (unsigned char)(v >> 8);
    }
  }
  void CopyColour(size_t to, size_t from) {
    for (int k = 0; k < bytesPerPixel; k++)
      colour[to * bytesPerPixel + k] = colour[from * bytesPerPixel + k];
  }
  size_t Count() const { return (size_t)w * (size_t)h; }
};

// Sides of 1 .. IMAGE_MAX_SIDE pixels; every buffer size derived from them then fits in size_t.
inline bool ImageSizeAcceptable(long w, long h) {
  return w > 0 && h > 0 && w <= IMAGE_MAX_SIDE && h <= IMAGE_MAX_SIDE;
}

// The bitmap's stored size that maps of w x h pixels give it.
inline void StoredSizeFor(IDibBitmap* bitmap, int w, int h, int& sw, int& sh) {
  bool turned = bitmap->GetOrientationMode() != 0; // as SetBits exchanges them
  sw = turned ? h : w;
  sh = turned ? w : h;
}

// An alpha map must match colour the bitmap already holds, or drawing would read past one of them.
inline bool AlphaMatchesPixels(IDibBitmap* bitmap, int w, int h) {
  if (!bitmap->GetBits()) return true;
  int sw, sh;
  StoredSizeFor(bitmap, w, h, sw, sh);
  return bitmap->GetStoredWidth() == sw && bitmap->GetStoredHeight() == sh;
}

// Halving applies to a double-resolution file outside double-resolution mode; it clears the flag.
inline bool TakeHalvingRequest(CAppGraphics* app, IDibBitmap* bitmap) {
  if (app->m_b2xImages || !bitmap->m_b2xImage) return false;
  bitmap->m_b2xImage = 0;
  return true;
}

// Clears the application's texture-update flag while pixels change hands and always sets it again.
struct TextureUpdateHold {
  CAppGraphics* app;
  explicit TextureUpdateHold(CAppGraphics* a) : app(a) { app->m_bUpdateTextureOnSetBits = 0; }
  ~TextureUpdateHold() { app->m_bUpdateTextureOnSetBits = 1; }
};

// Replaces the bitmap's alpha map with the decoded one, which the maps then no longer own. 1 or 0.
inline int HandOverAlpha(IDibBitmap* bitmap, ImagePixelMaps& m) {
  bitmap->DestroyAlpha();
  if (!bitmap->SetAlphaBits(m.alpha, m.w, m.h)) return 0;
  m.alpha = nullptr;
  return 1;
}

typedef int (*ImageDecodeFunc)(CAppGraphics* app, IFile* file, IDibBitmap* bitmap);

// Opens name (or its double-resolution variant) and decodes it into the bitmap, creating one when
// none is given; the name is stored in nameField when that is not null. A created bitmap is deleted
// on failure.
IDibBitmap* LoadImageFile(CAppGraphics* app, const char* name, IDibBitmap* bitmap, ImageDecodeFunc decode,
                          CommonString IDibBitmap::*nameField);
