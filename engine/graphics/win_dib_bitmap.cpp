// CWinDibBitmap storage, orientation mapping, copies, primitives and colour operations.
#include "win_dib_bitmap.h"

#include "app_graphics.h"
#include "drawing_helpers.h"
#include "pixel_ops.h"

#include <climits>
#include <cstdlib>
#include <cstring>

using namespace pixel_ops;

// Grids beyond this many pixels are refused, so that every pixel index fits an int.
static const int64_t kMaxPixels = (int64_t)1 << 28;

CWinDibBitmap::CWinDibBitmap(CAppGraphics* game) : m_pGame(game) {
  if (game) {
    DisplayProperties props;
    game->GetDeviceScreenProperties(&props);
    m_nBitsPerPixel = props.bitsPerPixel;
    m_nOrientationMode = game->m_nInputOrientation;
  }
  UpdateWidthAndHeight();
}

CWinDibBitmap::~CWinDibBitmap() {
  if (m_pGame && m_pGame->m_bRegisterBitmaps && m_pGame->m_CreatedBitmaps.GetSize() > 0) {
    CQuellarArray<IDibBitmap*>& list = m_pGame->m_CreatedBitmaps;
    for (int i = 0; i < list.GetSize(); i++) {
      if (list[i] == this) {
        list.RemoveAt(i);
        break;
      }
    }
  }
  Destroy();
}

void CWinDibBitmap::UpdateWidthAndHeight() {
  m_nDeviceWidth = m_nStoredWidth;
  m_nDeviceHeight = m_nStoredHeight;
  m_nWidth = m_nOrientationMode != 0 ? m_nStoredHeight : m_nStoredWidth;
  m_nHeight = m_nOrientationMode != 0 ? m_nStoredWidth : m_nStoredHeight;
  if (m_pGame && m_pGame->m_b2xImages && m_b2xImage) {
    m_nWidth >>= 1;
    m_nHeight >>= 1;
    m_nDeviceWidth >>= 1;
    m_nDeviceHeight >>= 1;
  }
}

int CWinDibBitmap::Create(int w, int h) {
  if (w <= 0 || h <= 0 || (int64_t)w * h > kMaxPixels) return 0;
  Destroy();
  size_t pixels = (size_t)w * (size_t)h;
  m_pBits = (unsigned char*)calloc(pixels, (size_t)m_nBytesPerPixel);
  if (!m_pBits) return 0;
  m_bExternalBits = 0;
  m_nStoredWidth = w;
  m_nStoredHeight = h;
  UpdateWidthAndHeight();
  if (m_nBytesPerPixel > 3) {
    m_pAlphaBits = m_pBits;
    return 1;
  }
  m_pAlphaBits = (unsigned char*)malloc(pixels);
  if (!m_pAlphaBits) return 0;
  memset(m_pAlphaBits, 255, pixels);
  return 1;
}

int CWinDibBitmap::SetBits(unsigned char* bits, int w, int h) {
  DestroyBits();
  m_pBits = bits;
  m_bExternalBits = 0; // ownership passes to the bitmap
  m_nStoredWidth = m_nOrientationMode == 0 ? w : h;
  m_nStoredHeight = m_nOrientationMode == 0 ? h : w;
  UpdateWidthAndHeight();
  return 1;
}

int CWinDibBitmap::SetAlphaBits(unsigned char* bits, int w, int h) {
  DestroyAlpha();
  m_pAlphaBits = bits;
  m_nStoredWidth = m_nOrientationMode == 0 ? w : h;
  m_nStoredHeight = m_nOrientationMode == 0 ? h : w;
  UpdateWidthAndHeight();
  return 1;
}

void CWinDibBitmap::SetExternalBits(unsigned char* bits, int w, int h) {
  DestroyBits();
  m_pBits = bits;
  m_bExternalBits = 1;
  m_nStoredWidth = w;
  m_nStoredHeight = h;
  UpdateWidthAndHeight();
}

void CWinDibBitmap::SetExternalAlpha(unsigned char* alpha) {
  if (m_nBytesPerPixel < 4) {
    DestroyAlpha();
    m_pAlphaBits = alpha;
    m_bExternalAlpha = 1;
    return;
  }
  if (!HasPixelsInRAM()) return;
  if (alpha) {
    int64_t n = (int64_t)m_nStoredWidth * m_nStoredHeight;
    for (int64_t i = 0; i < n; i++)
      m_pBits[i * 4 + 3] = alpha[i * 4 + 3];
  }
  m_pAlphaBits = m_pBits;
  m_bExternalAlpha = 1;
}

// With four bytes per pixel the pixels and the alpha map are one block: it is freed only when
// neither pointer refers to it any more.
int CWinDibBitmap::DestroyBits() {
  if (m_pBits && m_pBits == m_pAlphaBits) {
    if (m_bExternalAlpha) {
      free(m_pBits);
      m_pAlphaBits = nullptr;
      m_bExternalAlpha = 0;
    }
  } else if (m_pBits && !m_bExternalBits) {
    free(m_pBits);
  }
  m_pBits = nullptr;
  m_bExternalBits = 0;
  return 1;
}

int CWinDibBitmap::DestroyAlpha() {
  if (m_pAlphaBits && m_pAlphaBits != m_pBits && !m_bExternalAlpha) free(m_pAlphaBits);
  m_pAlphaBits = nullptr;
  m_bExternalAlpha = 0;
  return 1;
}

int CWinDibBitmap::Destroy() {
  DestroyBits();
  DestroyAlpha();
  return 1;
}

void CWinDibBitmap::SetBitsPerPixel(int bpp) {
  m_nBitsPerPixel = bpp;
  m_nBytesPerPixel = bpp < 24 ? 2 : 3;
  m_nPixelFormat = m_nBytesPerPixel;
}

// ---- orientation ----

void CWinDibBitmap::MapPoint(IDibBitmap* dest, int& x, int& y) {
  int ox = x, oy = y;
  if (m_nOrientationMode == 1) {
    x = oy;
    y = dest->GetDeviceHeight() - m_nWidth - ox;
  } else if (m_nOrientationMode == 2) {
    x = dest->GetHeight() - m_nHeight - oy;
    y = ox;
  }
}

int CWinDibBitmap::MapFlip(int flip) const {
  if (m_nOrientationMode != 1 && m_nOrientationMode != 2) return flip;
  return (flip & ~3) | ((flip & 1) << 1) | ((flip & 2) >> 1);
}

void CWinDibBitmap::SetRectAccordingToOrientationMode(int& x, int& y, int& w, int& h) {
  ::SetRectAccordingToOrientationMode(this, x, y, w, h);
}

void CWinDibBitmap::SetBitBltCoordsAccordingToOrientationMode(IDibBitmap* dest, int& x, int& y, int& w,
                                                              int& h, int& sx, int& sy) {
  if (w == 0) w = m_nWidth;
  if (h == 0) h = m_nHeight;
  if (m_nOrientationMode != 1 && m_nOrientationMode != 2) return;
  int sw = w, sh = h;
  SetRectAccordingToOrientationMode(sx, sy, sw, sh);
  ::SetRectAccordingToOrientationMode(dest, x, y, w, h);
}

// ---- copies ----

void CWinDibBitmap::CopyBitmap(IDibBitmap* dest, int x, int y, int w, int h) {
  if (!dest || !HasPixelsInRAM() || !dest->HasPixelsInRAM()) return;
  int bpp = m_nBytesPerPixel;
  if (dest->GetBytesPerPixel() != bpp) return; // the grids would not line up
  if (w == 0) w = m_nStoredWidth;
  if (h == 0) h = m_nStoredHeight;
  unsigned char* d = dest->GetBits();
  const unsigned char* s = m_pBits;
  // With four bytes the fourth (alpha) byte of the destination stays.
  int copied = bpp == 4 ? 3 : bpp;
  ForEachRow(this, dest, x, y, 0, 0, w, h, false, false, [&](int64_t di, int64_t si, int count, int) {
    if (copied == bpp) {
      memmove(d + di * bpp, s + si * bpp, (size_t)count * bpp);
      return;
    }
    for (int i = 0; i < count; i++)
      memcpy(d + (di + i) * bpp, s + (si + i) * bpp, (size_t)copied);
  });
}

void CWinDibBitmap::CopyAlpha(IDibBitmap* dest, int x, int y, int w, int h) {
  // Alpha inside four-byte pixels is not a byte-per-pixel map.
  if (!dest || !HasAlphaInRAM() || !dest->HasAlphaInRAM() || m_nBytesPerPixel > 3 ||
      dest->GetBytesPerPixel() > 3)
    return;
  if (w == 0) w = m_nStoredWidth;
  if (h == 0) h = m_nStoredHeight;
  unsigned char* d = dest->GetAlphaBits();
  const unsigned char* s = m_pAlphaBits;
  ForEachRow(this, dest, x, y, 0, 0, w, h, false, false,
             [&](int64_t di, int64_t si, int count, int) { memmove(d + di, s + si, (size_t)count); });
}

void CWinDibBitmap::FastCopy(IDibBitmap* dest, int from, int to, int count) {
  if (!dest || !HasPixelsInRAM() || !dest->HasPixelsInRAM() || count <= 0 || from < 0 || to < 0) return;
  int bpp = m_nBytesPerPixel;
  if (dest->GetBytesPerPixel() != bpp) return;
  int64_t n = count;
  n = std::min<int64_t>(n, (int64_t)m_nStoredWidth * m_nStoredHeight - from);
  n = std::min<int64_t>(n, (int64_t)dest->GetStoredWidth() * dest->GetStoredHeight() - to);
  if (n <= 0) return;
  memmove(dest->GetBits() + (int64_t)to * bpp, m_pBits + (int64_t)from * bpp, (size_t)(n * bpp));
}

// Copies into row y from column x, clipped to the row.
static void WriteRow(unsigned char* grid, int width, int height, int bytes, int x, int y,
                     const unsigned char* data, int count) {
  if (!grid || !data || count <= 0 || y < 0 || y >= height || x >= width) return;
  int64_t start = x, end = (int64_t)x + count;
  if (start < 0) {
    data += (size_t)(-start) * bytes;
    start = 0;
  }
  end = std::min<int64_t>(end, width);
  if (end <= start) return;
  memcpy(grid + ((int64_t)y * width + start) * bytes, data, (size_t)(end - start) * bytes);
}

void CWinDibBitmap::WriteBits(int x, int y, unsigned char* data, int count) {
  if (!HasPixelsInRAM() || m_nBytesPerPixel != 2) return; // the data are 16-bit pixels
  WriteRow(m_pBits, m_nStoredWidth, m_nStoredHeight, 2, x, y, data, count);
}

void CWinDibBitmap::WriteAlphaBits(int x, int y, unsigned char* data, int count) {
  if (!HasAlphaInRAM() || m_nBytesPerPixel > 3) return;
  WriteRow(m_pAlphaBits, m_nStoredWidth, m_nStoredHeight, 1, x, y, data, count);
}

// ---- primitives ----

static u16 Rgb444(int r, int g, int b) {
  return (u16)((((r >> 4) & 0xF) << 8) | (g & 0xF0) | ((b >> 4) & 0xF));
}
static u16 Rgb555(int r, int g, int b) {
  return (u16)((((r >> 3) & 0x1F) << 10) | (((g >> 3) & 0x1F) << 5) | ((b >> 3) & 0x1F));
}

// Fills stored columns x1..x2-1 of rows y1..y2-1 (already inside the grid) in the bitmap's format.
void CWinDibBitmap::FillStored(int x1, int y1, int x2, int y2, int r, int g, int b) {
  int bpp = m_nBytesPerPixel;
  u16 word;
  switch (m_nPixelFormat) {
  case PIXEL_FORMAT_444:
    word = Rgb444(r, g, b);
    break;
  case PIXEL_FORMAT_555:
    word = Rgb555(r, g, b);
    break;
  case PIXEL_FORMAT_565:
    word = Rgb565(r, g, b);
    break;
  case PIXEL_FORMAT_24:
    word = 0;
    break;
  default:
    return;
  }
  if ((m_nPixelFormat == PIXEL_FORMAT_24) != (bpp >= 3)) return; // format and pixel size disagree
  for (int y = y1; y < y2; y++) {
    unsigned char* p = m_pBits + ((int64_t)y * m_nStoredWidth + x1) * bpp;
    if (bpp == 2) {
      u16* q = (u16*)p;
      for (int x = x1; x < x2; x++)
        *q++ = word;
      continue;
    }
    // Byte order red, green, blue, as the loaders write and the texture upload reads.
    for (int x = x1; x < x2; x++, p += bpp) {
      p[0] = (unsigned char)r;
      p[1] = (unsigned char)g;
      p[2] = (unsigned char)b;
    }
  }
}

void CWinDibBitmap::ClearBitmap(int r, int g, int b) {
  if (!HasPixelsInRAM()) return;
  FillStored(0, 0, m_nStoredWidth, m_nStoredHeight, r, g, b);
}

// The logical rectangle as ordered stored corners (x1, y1) .. (x2, y2).
static void StoredCorners(int mode, int storedW, int storedH, int x, int y, int w, int h, int& x1, int& y1,
                          int& x2, int& y2) {
  if (mode == 1) {
    x1 = y, x2 = y + h;
    y1 = storedH - 1 - (x + w), y2 = storedH - 1 - x;
  } else if (mode == 2) {
    y1 = x, y2 = x + w;
    x1 = storedW - 1 - (y + h), x2 = storedW - 1 - y;
  } else {
    x1 = x, x2 = x + w, y1 = y, y2 = y + h;
  }
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
}

void CWinDibBitmap::FillRectangle(int x, int y, int w, int h, int r, int g, int b) {
  if (!HasPixelsInRAM()) return;
  int x1, y1, x2, y2;
  StoredCorners(m_nOrientationMode, m_nStoredWidth, m_nStoredHeight, x, y, w, h, x1, y1, x2, y2);
  if (x1 >= m_nStoredWidth || y1 >= m_nStoredHeight || x2 <= 0 || y2 <= 0) return;
  FillStored(std::max(x1, 0), std::max(y1, 0), std::min(x2, m_nStoredWidth), std::min(y2, m_nStoredHeight), r,
             g, b);
}

void CWinDibBitmap::DrawRectangle(int x, int y, int w, int h, int r, int g, int b) {
  int left, top, right, bottom;
  StoredCorners(m_nOrientationMode, m_nStoredWidth, m_nStoredHeight, x, y, w, h, left, top, right, bottom);
  DrawLineH(left, right, top, r, g, b, 255);
  DrawLineH(left, right, bottom - 1, r, g, b, 255);
  DrawLineV(left, top, bottom, r, g, b, 255);
  DrawLineV(right - 1, top, bottom, r, g, b, 255);
}

// Blends a 16-bit pixel towards a colour in the 444 or 565 layout.
static u16 LinePixel(int format, u16 d, u16 c, int a) {
  if (a >= 255) return c;
  if (format == PIXEL_FORMAT_565) return Blend565(d, c, a);
  int dr = (d >> 8) & 0xF, dg = (d >> 4) & 0xF, db = d & 0xF;
  int cr = (c >> 8) & 0xF, cg = (c >> 4) & 0xF, cb = c & 0xF;
  dr += ((cr - dr) * a) >> 8;
  dg += ((cg - dg) * a) >> 8;
  db += ((cb - db) * a) >> 8;
  return (u16)((d & 0xF000) | (dr << 8) | (dg << 4) | db);
}

// Draws the stored pixels first..second-1 of one row (horizontal) or column, clamped.
static void DrawLine(CWinDibBitmap* bm, bool horizontal, int fixed, int first, int second, int r, int g,
                     int b, int a) {
  if (a == 0 || !bm->HasPixelsInRAM() || bm->m_nBytesPerPixel != 2) return;
  int format = bm->m_nPixelFormat;
  if (format != PIXEL_FORMAT_444 && format != PIXEL_FORMAT_565) return;
  int fixedLimit = horizontal ? WritableHeight(bm) : WritableWidth(bm);
  int runLimit = horizontal ? WritableWidth(bm) : WritableHeight(bm);
  if (fixed < 0 || fixed >= fixedLimit) return;
  first = std::clamp(first, 0, runLimit);
  second = std::clamp(second, 0, runLimit);
  a = std::min(a, 255);
  if (a < 0) return;
  u16 c = format == PIXEL_FORMAT_565 ? Rgb565(r, g, b) : Rgb444(r, g, b);
  u16* px = (u16*)bm->m_pBits;
  int64_t stride = bm->m_nStoredWidth;
  for (int i = first; i < second; i++) {
    u16& d = horizontal ? px[(int64_t)fixed * stride + i] : px[(int64_t)i * stride + fixed];
    d = LinePixel(format, d, c, a);
  }
}

void CWinDibBitmap::DrawLineV(int x, int y1, int y2, int r, int g, int b, int a) {
  DrawLine(this, false, x, y1, y2, r, g, b, a);
}

void CWinDibBitmap::DrawLineH(int x1, int x2, int y, int r, int g, int b, int a) {
  DrawLine(this, true, y, x1, x2, r, g, b, a);
}

// ---- colour operations ----

void CWinDibBitmap::AddBrightness(short k) {
  if (!HasPixelsInRAM() || k < 0 || m_nBytesPerPixel != 2) return;
  bool doubleBuffer = m_pGame && m_pGame->m_pDoubleBuffer == this;
  int64_t n = (int64_t)m_nStoredWidth * m_nStoredHeight;
  u16* px = (u16*)m_pBits;
  if (m_nPixelFormat == PIXEL_FORMAT_565) {
    for (int64_t i = 0; i < n; i++) {
      int r = px[i] >> 11, g = (px[i] >> 5) & 0x3F, b = px[i] & 0x1F;
      if (doubleBuffer) {
        r = std::min((r * (k + 256)) >> 8, 31);
        g = std::min((g * (k + 256)) >> 8, 63);
        b = std::min((b * (k + 256)) >> 8, 31);
      } else {
        int v = r << 3;
        r = std::min(v + ((v * k) >> 8), 255) >> 3;
        v = g << 2;
        g = std::min(v + ((v * k) >> 8), 255) >> 2;
        v = b << 3;
        b = std::min(v + ((v * k) >> 8), 255) >> 3;
      }
      px[i] = (u16)((r << 11) | (g << 5) | b);
    }
  } else if (m_nPixelFormat == PIXEL_FORMAT_444) {
    for (int64_t i = 0; i < n; i++) {
      int ch[3] = {(px[i] >> 8) & 0xF, (px[i] >> 4) & 0xF, px[i] & 0xF};
      for (int& c : ch) {
        if (doubleBuffer) {
          c = std::min((c * (k + 256)) >> 8, 15);
        } else {
          int v = c << 4;
          c = std::min(v + ((v * k) >> 8), 255) >> 4;
        }
      }
      px[i] = (u16)((px[i] & 0xF000) | (ch[0] << 8) | (ch[1] << 4) | ch[2]);
    }
  }
}

void CWinDibBitmap::ReplaceAlphaWithTransparentColor() {
  if (!HasPixelsInRAM() || !HasAlphaInRAM() || m_nBytesPerPixel != 2) return;
  int tr = 255, tg = 0, tb = 255, threshold = 128;
  if (m_pGame) {
    tr = m_pGame->m_nTransparentRed;
    tg = m_pGame->m_nTransparentGreen;
    tb = m_pGame->m_nTransparentBlue;
    threshold = m_pGame->m_nAlphaThreshold;
  }
  u16 key = m_nBitsPerPixel == 16 ? Rgb565(tr, tg, tb) : m_nBitsPerPixel == 12 ? Rgb444(tr, tg, tb) : 1;
  int64_t n = (int64_t)m_nStoredWidth * m_nStoredHeight;
  u16* px = (u16*)m_pBits;
  for (int64_t i = 0; i < n; i++)
    if (m_pAlphaBits[i] < threshold) px[i] = key;
  DestroyAlpha();
  m_nTransparentColor = key;
  m_bTransparentColorMode = 1;
}

void CWinDibBitmap::AdjustHSL(short dh, short ds, short dl) {
  if (!HasPixelsInRAM()) return;
  int format = m_nPixelFormat;
  int bpp = m_nBytesPerPixel;
  if (format < PIXEL_FORMAT_444 || format > PIXEL_FORMAT_24 || (format == PIXEL_FORMAT_24) != (bpp >= 3))
    return;
  int64_t n = (int64_t)m_nStoredWidth * m_nStoredHeight;
  for (int64_t i = 0; i < n; i++) {
    unsigned char* p = m_pBits + i * bpp;
    u16 w = bpp == 2 ? *(u16*)p : 0;
    rgbcolor c;
    switch (format) {
    case PIXEL_FORMAT_444:
      c = {(w >> 4) & 0xF0, w & 0xF0, (w << 4) & 0xF0};
      break;
    case PIXEL_FORMAT_555:
      c = {(w >> 7) & 0xF8, (w >> 2) & 0xF8, (w << 3) & 0xF8};
      break;
    case PIXEL_FORMAT_565:
      c = {(w >> 11) << 3, (w >> 3) & 0xFC, (w << 3) & 0xF8};
      break;
    default:
      c = {p[0], p[1], p[2]};
      break; // red, green, blue as the loaders write them
    }
    hslcolor hsl = rgb2hsl(c);
    hsl.h += dh;
    hsl.s += ds;
    hsl.l += dl;
    c = hsl2rgb(hsl);
    switch (format) {
    case PIXEL_FORMAT_444:
      *(u16*)p = Rgb444(c.r, c.g, c.b);
      break;
    case PIXEL_FORMAT_555:
      *(u16*)p = Rgb555(c.r, c.g, c.b);
      break;
    case PIXEL_FORMAT_565:
      *(u16*)p = Rgb565(c.r, c.g, c.b);
      break;
    default:
      p[0] = (unsigned char)c.r;
      p[1] = (unsigned char)c.g;
      p[2] = (unsigned char)c.b;
      break;
    }
  }
}
