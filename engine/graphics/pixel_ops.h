// Pixel terms (RGB565 blends, adds, multiplies) and the clipped blit and stretch walks shared by
// the software bitmap and the drawing helpers.
#pragma once

#include "dib_bitmap.h"

#include <algorithm>
#include <cstdint>

namespace pixel_ops {

inline u16 Rgb565(int r, int g, int b) {
  return (u16)((((r >> 3) & 0x1F) << 11) | (((g >> 2) & 0x3F) << 5) | ((b >> 3) & 0x1F));
}

// Per channel d + (((s - d) * a) >> 8), a in 0..256.
inline u16 Blend565(u16 d, u16 s, int a) {
  int dr = d >> 11, dg = (d >> 5) & 0x3F, db = d & 0x1F;
  int sr = s >> 11, sg = (s >> 5) & 0x3F, sb = s & 0x1F;
  dr += ((sr - dr) * a) >> 8;
  dg += ((sg - dg) * a) >> 8;
  db += ((sb - db) * a) >> 8;
  return (u16)((dr << 11) | (dg << 5) | db);
}

// The same blend with red and blue carried together in one 32-bit word.
inline u16 PackedBlend565(u16 d, u16 s, u32 a) {
  u32 pd = (d | ((u32)d << 5)) & 0x1F001F;
  u32 ps = (s | ((u32)s << 5)) & 0x1F001F;
  u32 q = pd + ((a * (ps - pd)) >> 8);
  u32 gd = d & 0x7E0u, gs = s & 0x7E0u;
  u32 g = (gd + ((a * (gs - gd)) >> 8)) & 0x7E0u;
  return (u16)((q & 0x1F) | g | ((q >> 5) & 0xF800));
}

// Per channel min(d + ((a * s) >> 8), maximum); a = 256 is the full add.
inline u16 AddSaturate565(u16 d, u16 s, int a) {
  int r = (d >> 11) + (((s >> 11) * a) >> 8);
  int g = ((d >> 5) & 0x3F) + ((((s >> 5) & 0x3F) * a) >> 8);
  int b = (d & 0x1F) + (((s & 0x1F) * a) >> 8);
  return (u16)((std::min(r, 31) << 11) | (std::min(g, 63) << 5) | std::min(b, 31));
}

// The source pixel scaled by a colour; white does not give back the pixel exactly.
inline u16 Multiply565(u16 s, int r, int g, int b) {
  int mb = ((s & 0x1F) * ((b >> 3) & 0x1F)) >> 5;
  int mr = ((s >> 11) * ((r >> 3) & 0x1F)) >> 5;
  int mg = (((s >> 5) & 0x3F) * ((g >> 2) & 0x3F)) >> 6;
  return (u16)((mr << 11) | (mg << 5) | mb);
}

// Bounds a software walk may write: the device size, never past the stored grid.
inline int WritableWidth(IDibBitmap* b) { return std::min(b->GetDeviceWidth(), b->GetStoredWidth()); }
inline int WritableHeight(IDibBitmap* b) { return std::min(b->GetDeviceHeight(), b->GetStoredHeight()); }

// Walks a W x H rectangle drawn at (x, y) of dest from (sx0, sy0) of src, mirrored on request,
// clipped to dest's writable size and src's stored grid. Calls row(dstIndex, srcIndex, count,
// srcStep) per clipped row, with pixel indexes into the two stored grids.
template <class RowFn>
void ForEachRow(IDibBitmap* src, IDibBitmap* dest, int x, int y, int sx0, int sy0, int W, int H, bool flipH,
                bool flipV, RowFn row) {
  if (W <= 0 || H <= 0) return;
  int64_t SW = src->GetStoredWidth(), SH = src->GetStoredHeight();
  int64_t iLo = std::max<int64_t>(0, -(int64_t)x),
          iHi = std::min<int64_t>(W, WritableWidth(dest) - (int64_t)x);
  int64_t jLo = std::max<int64_t>(0, -(int64_t)y),
          jHi = std::min<int64_t>(H, WritableHeight(dest) - (int64_t)y);
  int64_t X0 = sx0, Y0 = sy0;
  if (flipH) {
    iLo = std::max(iLo, X0 + W - SW);
    iHi = std::min(iHi, X0 + W);
  } else {
    iLo = std::max(iLo, -X0);
    iHi = std::min(iHi, SW - X0);
  }
  if (flipV) {
    jLo = std::max(jLo, Y0 + H - SH);
    jHi = std::min(jHi, Y0 + H);
  } else {
    jLo = std::max(jLo, -Y0);
    jHi = std::min(jHi, SH - Y0);
  }
  if (iLo >= iHi || jLo >= jHi) return;
  int64_t DSW = dest->GetStoredWidth();
  int count = (int)(iHi - iLo);
  int step = flipH ? -1 : 1;
  int64_t scol = flipH ? X0 + W - 1 - iLo : X0 + iLo;
  for (int64_t j = jLo; j < jHi; j++) {
    int64_t srow = flipV ? Y0 + H - 1 - j : Y0 + j;
    row((y + j) * DSW + x + iLo, srow * SW + scol, count, step);
  }
}

template <class PixelFn>
void ForEachPixel(IDibBitmap* src, IDibBitmap* dest, int x, int y, int sx0, int sy0, int W, int H, bool flipH,
                  bool flipV, PixelFn pixel) {
  ForEachRow(src, dest, x, y, sx0, sy0, W, H, flipH, flipV, [&](int64_t d, int64_t s, int count, int step) {
    for (int i = 0; i < count; i++, d++, s += step)
      pixel(d, s);
  });
}

// Nearest-neighbour walk scaling (sx, sy, sw, sh) of src onto (x, y, w, h) of dest; sizes of 0 are
// the source's device size. Steps are 8.8 fixed point; every source position is kept inside the
// stored grid. Calls pixel(dstIndex, srcIndex).
template <class PixelFn>
void ForEachStretchedPixel(IDibBitmap* src, IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy,
                           int sw, int sh, int flip, PixelFn pixel) {
  if (w == 0) w = src->GetDeviceWidth();
  if (h == 0) h = src->GetDeviceHeight();
  if (sw == 0) sw = src->GetDeviceWidth();
  if (sh == 0) sh = src->GetDeviceHeight();
  int64_t SW = src->GetStoredWidth(), SH = src->GetStoredHeight();
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || SW <= 0 || SH <= 0) return;
  int64_t DW = WritableWidth(dest), DH = WritableHeight(dest);
  if (x >= DW || y >= DH || (int64_t)x + w < 0 || (int64_t)y + h < 0) return;
  int64_t stepX = ((int64_t)sw << 12) / ((int64_t)w << 4);
  int64_t stepY = ((int64_t)sh << 12) / ((int64_t)h << 4);
  int64_t x0 = std::max<int64_t>(x, 0), x1 = std::min<int64_t>((int64_t)x + w, DW);
  int64_t y0 = std::max<int64_t>(y, 0), y1 = std::min<int64_t>((int64_t)y + h, DH);
  int64_t DSW = dest->GetStoredWidth();
  for (int64_t j = y0; j < y1; j++) {
    int64_t v = ((j - y) * stepY + ((int64_t)sy << 8)) >> 8;
    if (flip & 2) v = 2 * (int64_t)sy + sh - 1 - v; // mirrored within the source rectangle
    v = std::clamp<int64_t>(v, 0, SH - 1);
    for (int64_t i = x0; i < x1; i++) {
      int64_t u = ((i - x) * stepX + ((int64_t)sx << 8)) >> 8;
      if (flip & 1) u = 2 * (int64_t)sx + sw - 1 - u;
      u = std::clamp<int64_t>(u, 0, SW - 1);
      pixel(j * DSW + i, v * SW + u);
    }
  }
}

} // namespace pixel_ops
