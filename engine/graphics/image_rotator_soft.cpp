// The image rotator's software path: rotate-and-scale loops into RGB565 pixels at three qualities
// and five blend modes, and the rotated copy of a bitmap. Every destination pixel is mapped back
// into the source, so none is written twice and no holes appear.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app_graphics.h"
#include "dib_bitmap.h"
#include "image_rotator.h"
#include "quellar_array.h"

namespace {

// A bitmap's 16-bit pixels and alpha map as the loops see them: null where absent or not 16-bit.
// Rows are the stored width apart, which is never less than the device width used as the size.
// A source's samples are step stored pixels apart per device pixel: w, h count samples.
struct Grid {
  u16* px = nullptr;
  u8* alpha = nullptr;
  int w = 0;
  int h = 0;
  int stride = 0;
  int step = 1;
};

Grid GridOf(IDibBitmap* bm) {
  Grid g;
  if (!bm || bm->GetBytesPerPixel() != 2) return g;
  g.w = bm->GetDeviceWidth();
  g.h = bm->GetDeviceHeight();
  g.stride = bm->GetStoredWidth();
  if (g.w <= 0 || g.h <= 0 || g.w > g.stride || g.h > bm->GetStoredHeight()) return Grid();
  if (bm->HasPixelsInRAM()) g.px = (u16*)bm->GetBits();
  if (bm->HasAlphaInRAM()) g.alpha = bm->GetAlphaBits();
  return g;
}

// A double-resolution source keeps its whole picture at twice its device size: it is drawn at its
// device size from every second stored pixel, so that it shows whole and not its top-left quarter.
Grid SourceOf(IDibBitmap* bm) {
  Grid g = GridOf(bm);
  if (g.w > 0 && bm->m_b2xImage && (int64_t)g.w * 2 <= g.stride &&
      (int64_t)g.h * 2 <= bm->GetStoredHeight()) {
    g.step = 2;
    g.w *= 2;
    g.h *= 2;
  }
  return g;
}

// The destination box and the source walk over it (16.16 source pixels).
struct Walk {
  int L = 0, T = 0, cols = 0, rows = 0;
  int64_t u = 0, v = 0;     // at the box's top-left pixel
  int64_t duc = 0, dvc = 0; // per column
  int64_t dur = 0, dvr = 0; // per row
};

// The common set-up of every loop; false when nothing is to be drawn. Wide arithmetic keeps huge
// scales and far-off positions from overflowing: the box is clipped to the destination anyway.
// The source must hold colour pixels, or only an alpha map when alphaOnly is set.
bool SetUp(const CQuellarImageRotatorScaler& rot, IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
           FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale, int flags, bool alphaOnly, Grid& s,
           Grid& d, Walk& k) {
  s = SourceOf(src);
  d = GridOf(dest);
  if ((alphaOnly ? !s.alpha : !s.px) || !d.px || scale <= 0 || !rot.HasTables()) return false;
  if (scale != FIXED_FLOAT_16_ONE && (scale >> 12) == 0) return false;
  const int i = rot.GetLookupIndex(CQuellarImageRotatorScaler::WrapAngle(angle));
  const int64_t sn = rot.m_pSinTable8[i], cs = rot.m_pCosTable8[i];

  // The picture's size on the destination: the device size, whatever the source's step.
  const int64_t sw = s.w / s.step, sh = s.h / s.step;
  int64_t hw = (sw * 256) >> 1, hh = (sh * 256) >> 1;
  if (scale != FIXED_FLOAT_16_ONE) {
    hw = -((-hw * scale) >> 16);
    hh = -((-hh * scale) >> 16);
  }
  int64_t px[4], py[4];
  if (rot.m_bFixedSquareBounds && sw == sh) {
    px[0] = -hw, py[0] = -hh, px[1] = hw, py[1] = -hh;
  } else {
    px[0] = ((cs * -hw) >> 8) - ((sn * -hh) >> 8);
    py[0] = ((sn * -hw) >> 8) + ((cs * -hh) >> 8);
    px[1] = ((cs * hw) >> 8) - ((sn * -hh) >> 8);
    py[1] = ((sn * hw) >> 8) + ((cs * -hh) >> 8);
  }
  px[2] = -px[0], py[2] = -py[0], px[3] = -px[1], py[3] = -py[1];
  int li = 0;
  for (int c = 0; c < 4; c++) {
    px[c] += x;
    py[c] += y;
    if (px[c] < px[li]) li = c;
  }
  int64_t left = px[li], right = px[(li + 2) & 3], top = py[(li + 1) & 3], bottom = py[(li + 3) & 3];

  const int64_t W = (int64_t)d.w * 256, H = (int64_t)d.h * 256;
  if (left >= W || top >= H || right + 512 < 0 || bottom + 512 < 0) return false;
  left = std::max<int64_t>(left, 0);
  top = std::max<int64_t>(top, 0);
  if (right + 512 >= W) right = W - 256;
  if (bottom + 512 >= H) bottom = H - 256;
  k.L = (int)(left >> 8);
  k.T = (int)(top >> 8);
  k.cols = (int)(right >> 8) - k.L + 1;
  k.rows = (int)(bottom >> 8) - k.T + 1;
  if (k.cols < 1 || k.rows < 1) return false;

  // The inverse rotation from the box's top-left pixel.
  const int64_t dx = (int64_t)k.L * 256 - x, dy = (int64_t)k.T * 256 - y;
  int64_t* values[6] = {&k.u, &k.v, &k.duc, &k.dvc, &k.dur, &k.dvr};
  k.u = cs * dx + sn * dy;
  k.v = cs * dy - sn * dx;
  k.duc = cs * 256, k.dvc = -sn * 256;
  k.dur = sn * 256, k.dvr = cs * 256;
  if (scale != FIXED_FLOAT_16_ONE) {
    const int64_t inv = ((int64_t(1) << 30) / scale) * 4;
    for (int64_t* p : values)
      *p = (*p * inv) >> 16;
  }
  for (int64_t* p : values)
    *p *= s.step;
  k.u += (int64_t)s.w * 32768;
  k.v += (int64_t)s.h * 32768;
  if (flags & 1) {
    k.u = (int64_t)s.w * 65536 - k.u;
    k.duc = -k.duc;
    k.dur = -k.dur;
  }
  return true;
}

// One considered pixel of a whole-box loop: its four source samples (offsets into the grid), the
// weights with the edge side zeroed (coverage) and the weights for colour (clamped sampling).
struct Tap {
  int i[4]; // TL, TR, BL, BR
  int wz[4];
  int wc[4];
  bool edge;
};

// Every box pixel whose source position lies within one pixel beyond the source's left and top
// edges and inside its right and bottom ones is handed to op, so the border can fade out.
template <class Op> void WholeBox(const Grid& s, const Grid& d, const Walk& k, Op op) {
  u16* row = d.px + (size_t)k.T * d.stride + k.L;
  int64_t ur = k.u, vr = k.v;
  for (int r = 0; r < k.rows; r++, row += d.stride, ur += k.dur, vr += k.dvr) {
    int64_t u = ur, v = vr;
    for (int c = 0; c < k.cols; c++, u += k.duc, v += k.dvc) {
      const int64_t ix = u >> 16, iy = v >> 16;
      if (ix < -1 || ix > s.w - 1 || iy < -1 || iy > s.h - 1) continue;
      const int fx = (int)((u & 0xFFFF) >> 8), fy = (int)((v & 0xFFFF) >> 8);
      int lw = 255 - fx, rw = fx, tw = 255 - fy, bw = fy;
      int x0 = (int)ix, x1 = x0 + 1, y0 = (int)iy, y1 = y0 + 1;
      Tap t;
      t.edge = false;
      if (x0 < 0) x0 = x1 = 0, lw = 0, t.edge = true;
      if (x0 >= s.w - 1) x0 = x1 = s.w - 1, rw = 0, t.edge = true;
      if (y0 < 0) y0 = y1 = 0, tw = 0, t.edge = true;
      if (y0 >= s.h - 1) y0 = y1 = s.h - 1, bw = 0, t.edge = true;
      t.i[0] = y0 * s.stride + x0;
      t.i[1] = y0 * s.stride + x1;
      t.i[2] = y1 * s.stride + x0;
      t.i[3] = y1 * s.stride + x1;
      t.wz[0] = (lw * tw) >> 8;
      t.wz[1] = (rw * tw) >> 8;
      t.wz[2] = (lw * bw) >> 8;
      t.wz[3] = (rw * bw) >> 8;
      if (t.edge) {
        t.wc[0] = ((255 - fx) * (255 - fy)) >> 8;
        t.wc[1] = (fx * (255 - fy)) >> 8;
        t.wc[2] = ((255 - fx) * fy) >> 8;
        t.wc[3] = (fx * fy) >> 8;
      } else {
        std::copy(t.wz, t.wz + 4, t.wc);
      }
      op(row[c], t);
    }
  }
}

// The span-trimmed loop of the lower qualities: per row only the run of positions inside the
// source less its last column and row (so that bilinear reads stay inside), never the
// destination's last column.
template <class Op> void SpanTrimmed(const Grid& s, const Grid& d, const Walk& k, Op op) {
  auto inside = [&](int64_t u, int64_t v) {
    const int64_t ix = u >> 16, iy = v >> 16;
    return ix >= 0 && ix < s.w - 1 && iy >= 0 && iy < s.h - 1;
  };
  u16* row = d.px + (size_t)k.T * d.stride + k.L;
  int64_t ur = k.u, vr = k.v;
  for (int r = 0; r < k.rows; r++, row += d.stride, ur += k.dur, vr += k.dvr) {
    int right = k.cols;
    while (right >= 0 && !inside(ur + right * k.duc, vr + right * k.dvc))
      right--;
    if (right < 0) continue;
    int left = 0;
    while (left < right && !inside(ur + left * k.duc, vr + left * k.dvc))
      left++;
    if (left >= right) continue;
    int count = right - left + 1;
    const int start = k.L + left;
    if (start + count >= d.w) count = d.w - start - 1;
    int64_t u = ur + left * k.duc, v = vr + left * k.dvc;
    for (int c = 0; c < count; c++, u += k.duc, v += k.dvc)
      op(row[left + c], (int)(u >> 16), (int)(v >> 16), u, v);
  }
}

// ---- pixel arithmetic ----

const u32 kSpreadMask = 0x07C0F81F;
u32 Spread(u16 p) { return ((u32)p | ((u32)p << 16)) & kSpreadMask; }
u16 Fold(u32 q) { return (u16)(q | (q >> 16)); }
// 4-bit blend of two spread colours.
u32 SpreadBlend(u32 d, u32 s, int a) { return (d + ((((u32)(a >> 4)) * (s - d)) >> 4)) & kSpreadMask; }

struct Rgb {
  int r, g, b; // 5, 6 and 5 bits
};

Rgb Unpack(u16 p) { return {p >> 11, (p >> 5) & 0x3F, p & 0x1F}; }
u16 Pack(const Rgb& c) { return (u16)((c.r << 11) | (c.g << 5) | c.b); }

Rgb Filter(const u16* px, const Tap& t) {
  int r = 0, g = 0, b = 0;
  for (int n = 0; n < 4; n++) {
    const u16 p = px[t.i[n]];
    r += t.wc[n] * (p >> 11);
    g += t.wc[n] * ((p >> 5) & 0x3F);
    b += t.wc[n] * (p & 0x1F);
  }
  return {r >> 8, g >> 8, b >> 8};
}

// The filtered alpha map at a tap; -1 skips the pixel.
int FilteredAlpha(const u8* alpha, const Tap& t) {
  int sum = alpha[t.i[0]] + alpha[t.i[1]] + alpha[t.i[2]] + alpha[t.i[3]];
  if (sum <= 8) return -1;
  if (t.edge) sum >>= 1;
  if (sum >= 1000) return sum >> 2;
  int a = (t.wz[0] * alpha[t.i[0]] + t.wz[1] * alpha[t.i[1]] + t.wz[2] * alpha[t.i[2]] +
           t.wz[3] * alpha[t.i[3]]) >>
          8;
  return a < 9 ? -1 : a;
}

// How much of a pixel the source covers, for sources without an alpha map; -1 skips it.
int Coverage(const Tap& t) {
  if (!t.edge) return 255;
  int a = ((t.wz[0] + t.wz[1] + t.wz[2] + t.wz[3]) * 255) >> 8;
  return a < 9 ? -1 : a;
}

// The source's own alpha where it has a map, else its coverage.
int AlphaAt(const Grid& s, const Tap& t) { return s.alpha ? FilteredAlpha(s.alpha, t) : Coverage(t); }

// 8-bit blend of c over d at a; opaque from 245 on.
void Blend(u16& d, const Rgb& c, int a) {
  if (a >= 245) {
    d = Pack(c);
    return;
  }
  const Rgb o = Unpack(d);
  d = Pack({o.r + ((a * (c.r - o.r)) >> 8), o.g + ((a * (c.g - o.g)) >> 8), o.b + ((a * (c.b - o.b)) >> 8)});
}

// Saturating add of an already tinted colour at a.
void Add(u16& d, const Rgb& c, int a) {
  const Rgb o = Unpack(d);
  Rgb t = a < 245 ? Rgb{(a * c.r) >> 8, (a * c.g) >> 8, (a * c.b) >> 8} : c;
  d = Pack({std::min(o.r + t.r, 31), std::min(o.g + t.g, 63), std::min(o.b + t.b, 31)});
}

Rgb AdditiveTint(const Rgb& c, u8 r, u8 g, u8 b) {
  return {((r >> 3) * c.r) >> 5, ((g >> 2) * c.g) >> 6, ((b >> 3) * c.b) >> 5};
}

} // namespace

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapHighest(IDibBitmap* src, IDibBitmap* dest,
                                                                FIXED_FLOAT x, FIXED_FLOAT y,
                                                                FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                                int flags) {
  const Grid source = SourceOf(src);
  if (!source.px) return;
  if (!source.alpha) return SW565_DrawRotatedBitmapHighest_NoAlpha(src, dest, x, y, angle, scale, flags);
  if (m_nQuality == QUALITY_HIGH) return SW565_DrawRotatedBitmapHigh(src, dest, x, y, angle, scale, flags);
  if (m_nQuality == QUALITY_LOWEST)
    return SW565_DrawRotatedBitmapLowest(src, dest, x, y, angle, scale, flags);
  Grid s, d;
  Walk k;
  if (!SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const int a = FilteredAlpha(s.alpha, t);
    if (a >= 0) Blend(p, Filter(s.px, t), a);
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapHigh(IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x,
                                                             FIXED_FLOAT y, FIXED_FLOAT angle,
                                                             FIXED_FLOAT_16 scale, int flags) {
  const Grid source = SourceOf(src);
  if (!source.px) return;
  if (!source.alpha) return SW565_DrawRotatedBitmapHighest_NoAlpha(src, dest, x, y, angle, scale, flags);
  Grid s, d;
  Walk k;
  if (!SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  SpanTrimmed(s, d, k, [&](u16& p, int ix, int iy, int64_t u, int64_t v) {
    const int i = iy * s.stride + ix;
    const int a = s.alpha[i];
    if (a <= 8) return;
    const int fx4 = (int)((u & 0xFFFF) >> 12), fy4 = (int)((v & 0xFFFF) >> 12);
    const u32 tl = Spread(s.px[i]), tr = Spread(s.px[i + 1]);
    const u32 bl = Spread(s.px[i + s.stride]), br = Spread(s.px[i + s.stride + 1]);
    const u32 top = (tl + ((fx4 * (tr - tl)) >> 4)) & kSpreadMask;
    const u32 bottom = (bl + ((fx4 * (br - bl)) >> 4)) & kSpreadMask;
    const u32 colour = (top + ((fy4 * (bottom - top)) >> 4)) & kSpreadMask;
    p = Fold(a >= 245 ? colour : SpreadBlend(Spread(p), colour, a));
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapLowest(IDibBitmap* src, IDibBitmap* dest,
                                                               FIXED_FLOAT x, FIXED_FLOAT y,
                                                               FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
                                                               int flags) {
  const Grid source = SourceOf(src);
  if (!source.px) return;
  if (!source.alpha) return SW565_DrawRotatedBitmapHighest_NoAlpha(src, dest, x, y, angle, scale, flags);
  Grid s, d;
  Walk k;
  if (!SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  SpanTrimmed(s, d, k, [&](u16& p, int ix, int iy, int64_t, int64_t) {
    const int i = iy * s.stride + ix;
    const int a = s.alpha[i];
    if (a <= 8) return;
    p = a >= 245 ? s.px[i] : Fold(SpreadBlend(Spread(p), Spread(s.px[i]), a));
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapHighest_NoAlpha(IDibBitmap* src, IDibBitmap* dest,
                                                                        FIXED_FLOAT x, FIXED_FLOAT y,
                                                                        FIXED_FLOAT angle,
                                                                        FIXED_FLOAT_16 scale, int flags) {
  Grid s, d;
  Walk k;
  if (!SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const int a = Coverage(t);
    if (a >= 0) Blend(p, Filter(s.px, t), a);
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapTransparentHighest(IDibBitmap* src, IDibBitmap* dest,
                                                                           FIXED_FLOAT x, FIXED_FLOAT y,
                                                                           FIXED_FLOAT angle,
                                                                           FIXED_FLOAT_16 scale, int alpha,
                                                                           int flags) {
  if (alpha <= -255) return;
  if (alpha >= 0) return SW565_DrawRotatedBitmapHighest(src, dest, x, y, angle, scale, flags);
  Grid s, d;
  Walk k;
  // A source without an alpha map fades by its coverage, as it does on the screen.
  if (!SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const int a = AlphaAt(s, t);
    if (a >= 0 && a + alpha > 8) Blend(p, Filter(s.px, t), a + alpha);
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapMultiplyHighest(
    IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
    unsigned char r, unsigned char g, unsigned char b, int alpha, int flags) {
  if (alpha <= -255) return;
  Grid s, d;
  Walk k;
  if (!SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  const int fade = std::min(alpha, 0);
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const int a = AlphaAt(s, t);
    if (a < 0 || a + fade <= 8) return;
    const Rgb c = Filter(s.px, t);
    Blend(p, {(r * c.r) >> 8, (g * c.g) >> 8, (b * c.b) >> 8}, a + fade);
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapAlphaChannelHighest(
    IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
    unsigned char r, unsigned char g, unsigned char b, int alpha, int flags) {
  if (alpha <= -255) return;
  Grid s, d;
  Walk k;
  if (!SetUp(*this, src, dest, x, y, angle, scale, flags, true, s, d, k)) return;
  const int fade = std::min(alpha, 0);
  const Rgb colour{r >> 3, g >> 2, b >> 3};
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const int a = FilteredAlpha(s.alpha, t);
    if (a >= 0 && a + fade > 8) Blend(p, colour, a + fade);
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapAdditiveHighest(
    IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
    unsigned char r, unsigned char g, unsigned char b, int alpha, int flags) {
  const Grid source = SourceOf(src);
  if (!source.px) return;
  if (!source.alpha)
    return SW565_DrawRotatedBitmapAdditiveHighest_NoAlpha(src, dest, x, y, angle, scale, r, g, b, alpha,
                                                          flags);
  Grid s, d;
  Walk k;
  if (alpha <= -255 || !SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  const int fade = std::min(alpha, 0);
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const int a = FilteredAlpha(s.alpha, t);
    if (a >= 0 && a + fade > 8) Add(p, AdditiveTint(Filter(s.px, t), r, g, b), a + fade);
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapAdditiveHighest_NoAlpha(
    IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
    unsigned char r, unsigned char g, unsigned char b, int alpha, int flags) {
  if (m_nQuality == QUALITY_LOWEST)
    return SW565_DrawRotatedBitmapAdditiveLowest_NoAlpha(src, dest, x, y, angle, scale, r, g, b, alpha,
                                                         flags);
  Grid s, d;
  Walk k;
  if (alpha <= -255 || !SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  const int op = 255 + std::min(alpha, 0);
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const Rgb c = Filter(s.px, t);
    if (c.r || c.g || c.b) Add(p, AdditiveTint(c, r, g, b), op);
  });
}

void CQuellarImageRotatorScaler::SW565_DrawRotatedBitmapAdditiveLowest_NoAlpha(
    IDibBitmap* src, IDibBitmap* dest, FIXED_FLOAT x, FIXED_FLOAT y, FIXED_FLOAT angle, FIXED_FLOAT_16 scale,
    unsigned char r, unsigned char g, unsigned char b, int alpha, int flags) {
  Grid s, d;
  Walk k;
  if (alpha <= -255 || !SetUp(*this, src, dest, x, y, angle, scale, flags, false, s, d, k)) return;
  const int op = 255 + std::min(alpha, 0);
  WholeBox(s, d, k, [&](u16& p, const Tap& t) {
    const u16 sample = s.px[t.i[0]]; // the nearest pixel, clamped into the source
    if (sample) Add(p, AdditiveTint(Unpack(sample), r, g, b), op);
  });
}

IDibBitmap* CQuellarImageRotatorScaler::CreateRotatedBitmap(IDibBitmap* src, FIXED_FLOAT angle,
                                                            FIXED_FLOAT scale) {
  if (!src || scale <= 0 || (scale >> 4) == 0 || !m_pGame || !HasTables()) return nullptr;
  const Grid s = SourceOf(src);
  if (!s.px && !s.alpha) return nullptr;
  const int i = GetLookupIndex(WrapAngle(angle));
  const int64_t sn = m_pSinTable8[i], cs = m_pCosTable8[i];
  // Sizes in device pixels; the walk below counts stored samples, step of them per device pixel.
  const int64_t w = s.w / s.step, h = s.h / s.step;
  int64_t hx[2] = {w >> 1, (-w) >> 1}, hy[2] = {h >> 1, (-h) >> 1};
  if (scale != 256)
    for (int64_t* p : {&hx[0], &hx[1], &hy[0], &hy[1]})
      *p = ((*p * 256) * scale) >> 16;
  int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
  for (int64_t cx : hx)
    for (int64_t cy : hy) {
      const int64_t rx = cs * cx - sn * cy, ry = sn * cx + cs * cy;
      minX = std::min(minX, rx), maxX = std::max(maxX, rx);
      minY = std::min(minY, ry), maxY = std::max(maxY, ry);
    }
  const int64_t wide = (maxX - minX) >> 8, high = (maxY - minY) >> 8;
  // Create refuses sizes beyond what a bitmap may hold; checked here so the int cast is safe.
  if (wide <= 0 || high <= 0 || wide > (1 << 28) || high > (1 << 28)) return nullptr;
  const int W = (int)wide, H = (int)high;

  IDibBitmap* out = m_pGame->CreateBitmapObject();
  if (!out) return nullptr;
  u16* pixels = nullptr;
  u8* alpha = nullptr;
  if (!out->Create(W, H) || !(pixels = (u16*)malloc((size_t)W * 2)) || !(alpha = (u8*)malloc((size_t)W))) {
    free(pixels);
    SafeDelete(out);
    return nullptr;
  }
  if (!s.px) out->DestroyBits();
  if (!s.alpha) out->DestroyAlpha();

  // The inverse mapping from the new bitmap's top-left corner.
  const int64_t xTop = -((maxX - minX) / 2), yTop = -((maxY - minY) / 2);
  int64_t v6[6] = {cs * xTop + sn * yTop, cs * yTop - sn * xTop, cs * 256, -sn * 256, sn * 256, cs * 256};
  if (scale != 256)
    for (int64_t& value : v6)
      value = (value * 16) / (scale >> 4);
  for (int64_t& value : v6)
    value *= s.step;
  const int64_t sw = s.w, sh = s.h;
  const int64_t uStart = v6[0] + sw * 32768, vStart = v6[1] + sh * 32768;
  auto spread = [](u16 p) -> u32 {
    return ((p & 0xF800u) << 12) | ((p & 0x07E0u) << 8) | ((p & 0x001Fu) << 4);
  };
  // The last row and column are written black and transparent: a new bitmap starts opaque.
  for (int row = 0; row < H; row++) {
    memset(pixels, 0, (size_t)W * 2);
    memset(alpha, 0, (size_t)W);
    int64_t u = uStart + row * v6[4], v = vStart + row * v6[5];
    for (int col = 0; row < H - 1 && col < W - 1; col++, u += v6[2], v += v6[3]) {
      const int64_t ix = u >> 16, iy = v >> 16;
      if (ix < 0 || ix >= sw - 1 || iy < 0 || iy >= sh - 1) continue;
      const int fx = (int)((u & 0xFFFF) >> 8), fy = (int)((v & 0xFFFF) >> 8);
      const int p = ((255 - fx) * (255 - fy)) >> 8;
      const int wTL = p >> 4, wTR = ((255 - fy) - p) >> 4, wBL = ((255 - fx) - p) >> 4;
      const int weights[4] = {wTL, wTR, wBL, 16 - wTL - wTR - wBL}; // they sum to 16
      const int at[4] = {(int)(iy * s.stride + ix), (int)(iy * s.stride + ix + 1),
                         (int)((iy + 1) * s.stride + ix), (int)((iy + 1) * s.stride + ix + 1)};
      if (s.alpha) {
        int a = 0;
        for (int n = 0; n < 4; n++)
          a += weights[n] * s.alpha[at[n]];
        alpha[col] = (u8)(a >> 4);
      }
      if (s.px) {
        u32 q = 0;
        for (int n = 0; n < 4; n++)
          q += (u32)weights[n] * spread(s.px[at[n]]);
        q >>= 4;
        pixels[col] = (u16)(((q & 0x0F800000u) >> 12) | ((q >> 8) & 0x07E0u) | ((q >> 4) & 0x1Fu));
      }
    }
    if (s.px) out->WriteBits(0, row, (unsigned char*)pixels, W);
    if (s.alpha) out->WriteAlphaBits(0, row, alpha, W);
  }
  free(pixels);
  free(alpha);
  return out;
}
