// Software paths of the drawing helpers.
#include "drawing_helpers.h"

#include "app_graphics.h"
#include "dib_bitmap.h"
#include "pixel_ops.h"

using namespace pixel_ops;

void SetRectAccordingToOrientationMode(IDibBitmap* bitmap, int& x, int& y, int& w, int& h) {
  if (!bitmap) return;
  int ox = x, oy = y, ow = w, oh = h;
  switch (bitmap->GetOrientationMode()) {
  case 1:
    x = oy;
    y = bitmap->GetDeviceHeight() - ow - ox;
    break;
  case 2:
    x = bitmap->GetHeight() - oh - oy;
    y = ox;
    break;
  default:
    return;
  }
  w = oh;
  h = ow;
}

void Bitmap_StretchDraw(IDibBitmap* dest, IDibBitmap* src, int x, int y, int w, int h, int sx, int sy, int sw,
                        int sh) {
  if (!dest || !src || !src->HasPixelsInRAM() || !dest->HasPixelsInRAM()) return;
  if (src->GetBytesPerPixel() != 2 || dest->GetBytesPerPixel() != 2) return;
  int mode = dest->GetOrientationMode();
  if (mode == 1 || mode == 2) {
    SetRectAccordingToOrientationMode(src, sx, sy, sw, sh);
    SetRectAccordingToOrientationMode(dest, x, y, w, h);
  }
  u16* d = (u16*)dest->GetBits();
  const u16* s = (const u16*)src->GetBits();
  const unsigned char* alpha = src->HasAlphaInRAM() ? src->GetAlphaBits() : nullptr;
  ForEachStretchedPixel(src, dest, x, y, w, h, sx, sy, sw, sh, 0, [&](int64_t di, int64_t si) {
    if (!alpha) {
      d[di] = s[si];
      return;
    }
    int a = alpha[si];
    if (a <= 10) return;
    d[di] = a >= 245 ? s[si] : Blend565(d[di], s[si], a);
  });
}

void Bitmap_StretchDraw_Transparent(IDibBitmap*, IDibBitmap*, int, int, int, int, int, int, int, int) {}

bool NormalizeFillRectangle(IDibBitmap* dest, int x, int y, int w, int h, int& x0, int& y0, int& x1,
                            int& y1) {
  int64_t ax = w < 0 ? (int64_t)x + w + 1 : x, bx = w < 0 ? (int64_t)x + 1 : (int64_t)x + w;
  int64_t ay = h < 0 ? (int64_t)y + h + 1 : y, by = h < 0 ? (int64_t)y + 1 : (int64_t)y + h;
  int DW = WritableWidth(dest), DH = WritableHeight(dest);
  if (ax > DW || ay > DH || bx < 0 || by < 0) return false;
  x0 = (int)std::max<int64_t>(ax, 0);
  y0 = (int)std::max<int64_t>(ay, 0);
  x1 = (int)std::min<int64_t>(bx, DW);
  y1 = (int)std::min<int64_t>(by, DH);
  return true;
}

void FillRectangle_Transparent(CAppGraphics* game, IDibBitmap* dest, int x, int y, int w, int h, int r, int g,
                               int b, int a) {
  if (!dest) return;
  if (a >= 255) {
    dest->FillRectangle(x, y, w, h, r, g, b);
    return;
  }
  if (a <= 0 || !dest->GetBits()) return;
  int x0, y0, x1, y1;
  if (!NormalizeFillRectangle(dest, x, y, w, h, x0, y0, x1, y1)) return;
  if (game && dest == game->m_pDrawTarget) {
    FillRectangle_TransparentGL(x0, y0, x1, y1, r, g, b, a);
    return;
  }
  if (!dest->HasPixelsInRAM() || dest->GetBitsPerPixel() != 16 || dest->GetBytesPerPixel() != 2) return;
  u16 t = Rgb565(r, g, b);
  u16* px = (u16*)dest->GetBits();
  int64_t stride = dest->GetStoredWidth();
  for (int64_t j = y0; j < y1; j++)
    for (int64_t i = x0; i < x1; i++)
      px[j * stride + i] = Blend565(px[j * stride + i], t, a);
}
