// CWinDibBitmap's software draws: alpha-blended, plain, transparent-colour, additive and
// multiplied blits, the stretch and the alpha-mask fills, all on RGB565 pixels.
#include "win_dib_bitmap.h"

#include "pixel_ops.h"

#include <cstring>

using namespace pixel_ops;

// The workers read and write 16-bit words: both grids must hold them, in memory.
bool CWinDibBitmap::Can16BitBlit(IDibBitmap* dest) {
  return dest && HasPixelsInRAM() && dest->HasPixelsInRAM() && m_nBytesPerPixel == 2 &&
         dest->GetBytesPerPixel() == 2;
}

namespace {

// Source rectangle and size of the alpha-blended draw family, from the caller's logical size.
struct DrawArea {
  int sx0, sy0, W, H;
};

DrawArea DrawAreaFor(int mode, int storedW, int storedH, int w, int h) {
  DrawArea a{0, 0, w, h};
  if (mode == 1 || mode == 2) {
    a.W = h;
    a.H = w;
  }
  if (a.W == 0) a.W = storedW;
  if (a.H == 0) a.H = storedH;
  // In mode 1 the picture's top lies at the bottom of the stored grid.
  if (mode == 1) a.sy0 = storedH - a.H;
  return a;
}

struct Grids {
  u16* d;
  const u16* s;
  const unsigned char* alpha; // null without alpha map
};

} // namespace

static Grids GridsFor(CWinDibBitmap* src, IDibBitmap* dest) {
  return Grids{(u16*)dest->GetBits(), (const u16*)src->m_pBits,
               src->HasAlphaInRAM() ? src->m_pAlphaBits : nullptr};
}

// A blit's pixels: sizes of 0 are this bitmap's stored size; no mirroring.
template <class PixelFn>
static void ForEachBlitPixel(CWinDibBitmap* src, IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy,
                             PixelFn pixel) {
  if (w == 0) w = src->m_nStoredWidth;
  if (h == 0) h = src->m_nStoredHeight;
  ForEachPixel(src, dest, x, y, sx, sy, w, h, false, false, pixel);
}

// Weight of a faded pixel; 0 when it is too faint to draw.
static int OffsetWeight(int alpha, int k) {
  int a = alpha + k;
  return alpha <= 10 || a <= 10 ? 0 : a;
}

// ---- public draws: orientation mapping, then the worker ----

void CWinDibBitmap::Draw(IDibBitmap* dest, int x, int y, int w, int h, int /*flip*/, int alpha) {
  if (!HasPixelsInRAM()) return;
  BitBlt(dest, x, y, w ? w : m_nWidth, h ? h : m_nHeight, 0, 0, alpha);
}

void CWinDibBitmap::DrawOpaque(IDibBitmap* dest, int x, int y, int w, int h, int flip) {
  if (!dest) return;
  MapPoint(dest, x, y);
  Draw565(dest, x, y, w, h, MapFlip(flip), 0);
}

void CWinDibBitmap::FastDraw(IDibBitmap* dest, int x, int y) {
  if (!dest) return;
  MapPoint(dest, x, y);
  FastDraw565(dest, x, y);
}

void CWinDibBitmap::StretchDraw(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                                int flip, int alpha) {
  if (!dest) return;
  MapPoint(dest, x, y);
  StretchDraw565(dest, x, y, w, h, sx, sy, sw, sh, MapFlip(flip), alpha);
}

void CWinDibBitmap::FillAlphaNoStretch(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                       int flip, int alpha) {
  if (!dest || alpha <= -256) return;
  MapPoint(dest, x, y);
  if (m_bTransparentColorMode)
    FillAlphaNoStretch565_TransparentColor(dest, r, g, b, x, y, alpha);
  else
    FillAlphaNoStretch565(dest, r, g, b, x, y, w, h, MapFlip(flip), alpha);
}

void CWinDibBitmap::FillAlphaNoStretchAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w,
                                               int h, int flip, int alpha) {
  if (!dest) return;
  MapPoint(dest, x, y);
  FillAlphaNoStretchAdditive565(dest, r, g, b, x, y, w, h, MapFlip(flip), alpha);
}

void CWinDibBitmap::BitBlt(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) {
  if (!dest) return;
  SetBitBltCoordsAccordingToOrientationMode(dest, x, y, w, h, sx, sy);
  if (!m_bTransparentColorMode)
    BitBlt565(dest, x, y, w, h, sx, sy, alpha);
  else if (alpha == 0)
    BitBlt_TransparentColor_Fast(dest, x, y, w, h, sx, sy);
  else
    BitBlt_TransparentColor(dest, x, y, w, h, sx, sy, alpha);
}

void CWinDibBitmap::BitBltAdditive(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) {
  if (!dest) return;
  SetBitBltCoordsAccordingToOrientationMode(dest, x, y, w, h, sx, sy);
  BitBltAdditive565(dest, x, y, w, h, sx, sy, alpha);
}

void CWinDibBitmap::BitBltMultiply(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx,
                                   int sy, int alpha) {
  if (!dest) return;
  // Multiplying by white would darken a step; white is the plain blit.
  if (r == 255 && g == 255 && b == 255) {
    BitBlt(dest, x, y, w, h, sx, sy, alpha);
    return;
  }
  if (m_bTransparentColorMode) return;
  SetBitBltCoordsAccordingToOrientationMode(dest, x, y, w, h, sx, sy);
  BitBltMultiply565(dest, r, g, b, x, y, w, h, sx, sy, alpha);
}

// ---- alpha-blended draw family ----

void CWinDibBitmap::Draw565(IDibBitmap* dest, int x, int y, int w, int h, int flip, int k) {
  if (k < -255 || !Can16BitBlit(dest)) return;
  if (!HasAlphaInRAM()) {
    DrawWithoutAlpha_16Bits(dest, x, y, w, h, flip);
    return;
  }
  Grids g = GridsFor(this, dest);
  DrawArea a = DrawAreaFor(m_nOrientationMode, m_nStoredWidth, m_nStoredHeight, w, h);
  ForEachPixel(this, dest, x, y, a.sx0, a.sy0, a.W, a.H, flip & 1, flip & 2, [&](int64_t di, int64_t si) {
    int alpha = g.alpha[si];
    int weight = alpha + k;
    if (alpha == 0 || weight <= 0) return;
    g.d[di] = weight >= 255 ? g.s[si] : Blend565(g.d[di], g.s[si], weight);
  });
}

void CWinDibBitmap::DrawWithoutAlpha_16Bits(IDibBitmap* dest, int x, int y, int w, int h, int flip) {
  if (!Can16BitBlit(dest)) return;
  Grids g = GridsFor(this, dest);
  DrawArea a = DrawAreaFor(m_nOrientationMode, m_nStoredWidth, m_nStoredHeight, w, h);
  ForEachRow(this, dest, x, y, a.sx0, a.sy0, a.W, a.H, flip & 1, flip & 2,
             [&](int64_t di, int64_t si, int count, int step) {
               if (step == 1) {
                 memmove(g.d + di, g.s + si, (size_t)count * 2);
                 return;
               }
               for (int i = 0; i < count; i++)
                 g.d[di + i] = g.s[si - i];
             });
}

void CWinDibBitmap::FastDraw565(IDibBitmap* dest, int x, int y) {
  if (!Can16BitBlit(dest) || !HasAlphaInRAM()) return;
  Grids g = GridsFor(this, dest);
  ForEachPixel(this, dest, x, y, 0, 0, m_nStoredWidth, m_nStoredHeight, false, false,
               [&](int64_t di, int64_t si) {
                 int alpha = g.alpha[si];
                 if (alpha <= 9) return;
                 g.d[di] = alpha >= 245 ? g.s[si] : Blend565(g.d[di], g.s[si], alpha);
               });
}

void CWinDibBitmap::StretchDraw565(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int sw,
                                   int sh, int flip, int k) {
  if (!Can16BitBlit(dest)) return;
  Grids g = GridsFor(this, dest);
  ForEachStretchedPixel(this, dest, x, y, w, h, sx, sy, sw, sh, flip, [&](int64_t di, int64_t si) {
    int a = 255;
    if (g.alpha) {
      a = g.alpha[si];
      if (a == 0) return;
    }
    a += k;
    if (a <= 0) return;
    if (a > 254) {
      g.d[di] = g.s[si];
      return;
    }
    u16 d = g.d[di], s = g.s[si];
    int r = (d >> 11) + (((s >> 11) * a) >> 8) - (((d >> 11) * a) >> 8);
    int gr = ((d >> 5) & 0x3F) + ((((s >> 5) & 0x3F) * a) >> 8) - ((((d >> 5) & 0x3F) * a) >> 8);
    int b = (d & 0x1F) + (((s & 0x1F) * a) >> 8) - (((d & 0x1F) * a) >> 8);
    g.d[di] = (u16)((r << 11) | (gr << 5) | b);
  });
}

// ---- plain blit family ----

void CWinDibBitmap::BitBlt565(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int k) {
  if (!Can16BitBlit(dest)) return;
  // Without an alpha map a fade of at most 10 steps still copies opaquely.
  if (k == 0 || (!HasAlphaInRAM() && k >= -10)) {
    BitBlt565_Fast(dest, x, y, w, h, sx, sy);
    return;
  }
  Grids g = GridsFor(this, dest);
  if (!g.alpha) {
    int a = 255 + k;
    if (a <= 9) return;
    ForEachBlitPixel(this, dest, x, y, w, h, sx, sy,
                     [&](int64_t di, int64_t si) { g.d[di] = Blend565(g.d[di], g.s[si], a); });
    return;
  }
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    int a = OffsetWeight(g.alpha[si], k);
    if (!a) return;
    g.d[di] = a >= 245 ? g.s[si] : Blend565(g.d[di], g.s[si], a);
  });
}

void CWinDibBitmap::BitBlt565_Fast(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy) {
  if (!Can16BitBlit(dest)) return;
  if (!HasAlphaInRAM()) {
    BitBlt565_444_FastOpaque(dest, x, y, w, h, sx, sy);
    return;
  }
  Grids g = GridsFor(this, dest);
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    int alpha = g.alpha[si];
    if (alpha <= 10) return;
    g.d[di] = alpha >= 240 ? g.s[si] : PackedBlend565(g.d[di], g.s[si], (u32)alpha);
  });
}

void CWinDibBitmap::BitBlt565_444_FastOpaque(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy) {
  if (!Can16BitBlit(dest)) return;
  Grids g = GridsFor(this, dest);
  if (w == 0) w = m_nStoredWidth;
  if (h == 0) h = m_nStoredHeight;
  ForEachRow(this, dest, x, y, sx, sy, w, h, false, false,
             [&](int64_t di, int64_t si, int count, int) { memmove(g.d + di, g.s + si, (size_t)count * 2); });
}

void CWinDibBitmap::BitBlt_TransparentColor_Fast(IDibBitmap* dest, int x, int y, int w, int h, int sx,
                                                 int sy) {
  if (!Can16BitBlit(dest)) return;
  Grids g = GridsFor(this, dest);
  u16 key = m_nTransparentColor;
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    if (g.s[si] != key) g.d[di] = g.s[si];
  });
}

void CWinDibBitmap::BitBlt_TransparentColor(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy,
                                            int k) {
  int a = 255 + k;
  if (a <= 10 || !Can16BitBlit(dest)) return;
  Grids g = GridsFor(this, dest);
  u16 key = m_nTransparentColor;
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    if (g.s[si] == key) return;
    g.d[di] = a < 245 ? Blend565(g.d[di], g.s[si], a) : g.s[si];
  });
}

// ---- additive family ----

void CWinDibBitmap::BitBltAdditive565(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int k) {
  if (!Can16BitBlit(dest) || !HasAlphaInRAM()) return;
  if (k == 0) {
    BitBltAdditive565_Fast(dest, x, y, w, h, sx, sy);
    return;
  }
  Grids g = GridsFor(this, dest);
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    int a = OffsetWeight(g.alpha[si], k);
    if (!a) return;
    g.d[di] = AddSaturate565(g.d[di], g.s[si], a >= 245 ? 256 : a);
  });
}

void CWinDibBitmap::BitBltAdditive565_Fast(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy) {
  if (!Can16BitBlit(dest) || !HasAlphaInRAM()) return;
  Grids g = GridsFor(this, dest);
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    int alpha = g.alpha[si];
    if (alpha <= 10) return;
    g.d[di] = AddSaturate565(g.d[di], g.s[si], alpha >= 245 ? 256 : alpha);
  });
}

// ---- multiply family ----

void CWinDibBitmap::BitBltMultiply565(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                      int sx, int sy, int k) {
  if (!Can16BitBlit(dest)) return;
  if (k == 0) {
    if (HasAlphaInRAM())
      BitBltMultiply565_Fast(dest, r, g, b, x, y, w, h, sx, sy);
    else
      BitBltMultiply565_Fast_Opaque(dest, r, g, b, x, y, w, h, sx, sy);
    return;
  }
  if (!HasAlphaInRAM()) return;
  Grids gr = GridsFor(this, dest);
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    int a = OffsetWeight(gr.alpha[si], k);
    if (!a) return;
    // A positive offset must not push the weight past full strength.
    gr.d[di] = Blend565(gr.d[di], Multiply565(gr.s[si], r, g, b), std::min(a, 255));
  });
}

void CWinDibBitmap::BitBltMultiply565_Fast(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                           int sx, int sy) {
  if (!Can16BitBlit(dest) || !HasAlphaInRAM()) return;
  Grids gr = GridsFor(this, dest);
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy, [&](int64_t di, int64_t si) {
    int alpha = gr.alpha[si];
    if (alpha <= 10) return;
    gr.d[di] = Blend565(gr.d[di], Multiply565(gr.s[si], r, g, b), alpha);
  });
}

void CWinDibBitmap::BitBltMultiply565_Fast_Opaque(IDibBitmap* dest, int r, int g, int b, int x, int y, int w,
                                                  int h, int sx, int sy) {
  if (!Can16BitBlit(dest)) return;
  Grids gr = GridsFor(this, dest);
  ForEachBlitPixel(this, dest, x, y, w, h, sx, sy,
                   [&](int64_t di, int64_t si) { gr.d[di] = Multiply565(gr.s[si], r, g, b); });
}

// ---- alpha-mask fills ----

void CWinDibBitmap::FillAlphaNoStretch565(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                          int flip, int k) {
  if (!Can16BitBlit(dest) || !HasAlphaInRAM()) return;
  Grids gr = GridsFor(this, dest);
  u16 f = Rgb565(r, g, b);
  DrawArea a = DrawAreaFor(m_nOrientationMode, m_nStoredWidth, m_nStoredHeight, w, h);
  ForEachPixel(this, dest, x, y, a.sx0, a.sy0, a.W, a.H, flip & 1, flip & 2, [&](int64_t di, int64_t si) {
    int alpha = gr.alpha[si];
    int weight = alpha + k;
    if (alpha == 0 || weight < 1) return;
    gr.d[di] = weight >= 255 ? f : Blend565(gr.d[di], f, weight);
  });
}

void CWinDibBitmap::FillAlphaNoStretch565_TransparentColor(IDibBitmap* dest, int r, int g, int b, int x,
                                                           int y, int k) {
  int a = 255 + k;
  if (a <= 0 || !Can16BitBlit(dest)) return;
  Grids gr = GridsFor(this, dest);
  u16 f = Rgb565(r, g, b), key = m_nTransparentColor;
  ForEachPixel(this, dest, x, y, 0, 0, m_nStoredWidth, m_nStoredHeight, false, false,
               [&](int64_t di, int64_t si) {
                 if (gr.s[si] == key) return;
                 gr.d[di] = a >= 245 ? f : Blend565(gr.d[di], f, a);
               });
}

// Colour channels spread into one word, each with a carry bit above it: blue 0-4 (carry 5),
// green's top five bits 10-14 (carry 15), red 20-24 (carry 25).
static u32 Spread(int r5, int g5, int b5) { return (u32)b5 | ((u32)g5 << 10) | ((u32)r5 << 20); }

void CWinDibBitmap::FillAlphaNoStretchAdditive565(IDibBitmap* dest, int r, int g, int b, int x, int y, int w,
                                                  int h, int flip, int k) {
  if (!Can16BitBlit(dest) || !HasAlphaInRAM()) return;
  Grids gr = GridsFor(this, dest);
  u32 f = Spread((r >> 3) & 0x1F, (g >> 3) & 0x1F, (b >> 3) & 0x1F);
  DrawArea a = DrawAreaFor(m_nOrientationMode, m_nStoredWidth, m_nStoredHeight, w, h);
  ForEachPixel(this, dest, x, y, a.sx0, a.sy0, a.W, a.H, flip & 1, flip & 2, [&](int64_t di, int64_t si) {
    int alpha = gr.alpha[si];
    int weight = alpha + k;
    if (alpha == 0 || weight <= 0) return;
    // Intensities above full would carry past the saturation bits.
    u32 t = (u32)std::min(weight, 255) >> 4;
    u16 d = gr.d[di];
    u32 sum = Spread(d >> 11, (d >> 6) & 0x1F, d & 0x1F) + ((t * f) >> 4);
    u32 nb = (sum & (1u << 5)) ? 0x1F : sum & 0x1F;
    u32 ng = (sum & (1u << 15)) ? 0x1F : (sum >> 10) & 0x1F;
    u32 nr = (sum & (1u << 25)) ? 0x1F : (sum >> 20) & 0x1F;
    gr.d[di] = (u16)(nb | (ng << 6) | (nr << 11));
  });
}
