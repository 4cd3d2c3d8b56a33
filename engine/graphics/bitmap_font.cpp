// CBitmapFontText: loading the ".fdb" metrics and the glyph atlas, measuring, and drawing lines of
// text on the screen (GL) or by hand into software bitmaps.
#include "bitmap_font.h"

#include <GLES/gl.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app_graphics.h"
#include "common_string.h"
#include "dib_bitmap.h"
#include "drawing_helpers.h"
#include "files.h"
#include "gl_renderer.h"
#include "image_loaders.h"
#include "image_rotator.h"
#include "pixel_ops.h"
#include "texture_data.h"

namespace {

// A pen that has run this far off has nothing more to show; it also keeps the sums in range.
const long long kPenLimit = 1LL << 30;

int ClampToInt(long long v) { return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : (int)v; }

} // namespace

void ZeroMemory(void* p, long n) {
  if (p && n > 0) memset(p, 0, (size_t)n);
}

CBitmapFontText::CBitmapFontText(CAppGraphics* game) : m_pGame(game) {}

CBitmapFontText::~CBitmapFontText() {
  SafeFree(m_pCodeList);
  m_nCodeCount = 0;
  Destroy();
  Close();
}

void CBitmapFontText::Destroy() {
  m_pAlphaMap = nullptr;
  m_pColorPixels = nullptr;
}

void CBitmapFontText::Close() { SafeDelete(m_pAtlas); }

void CBitmapFontText::HWReleasePixelDataInRAM() {
  if (m_pAtlas) m_pAtlas->HWReleasePixelDataInRAM();
}

// --- loading ---

int CBitmapFontText::LoadFont(char* name) {
  Destroy();
  Close();
  if (!m_pGame || !name) return 0;
  m_pAtlas = m_pGame->CreateBitmapObject();
  if (!m_pAtlas) return 0;
  m_pAtlas->SetOrientaionMode(0);

  size_t len = strlen(name);
  CommonString stem;
  if (len > 4) {
    char* s = (char*)malloc(len - 3);
    if (!s) return 0;
    memcpy(s, name, len - 4);
    s[len - 4] = 0;
    stem.Attach(s);
  }

  // The atlas gets its texture once, below, not on every image step.
  m_pGame->m_bCreateTextures = 0;
  bool loaded = ImageLoad(m_pGame, (stem + "_rgba").c_str(), m_pAtlas) != nullptr;
  if (!loaded && ImageLoad_JPG_Alpha(m_pGame, name, m_pAtlas)) {
    loaded = true;
    // Optional: without it the text colour alone tints the alpha.
    ImageLoad_JPG(m_pGame, (stem + "_eff.jpg").c_str(), m_pAtlas);
  }
  m_pGame->m_bCreateTextures = 1;
  if (!loaded) return 0;

  m_pAlphaMap = m_pAtlas->GetAlphaBits();
  m_pColorPixels = (u16*)m_pAtlas->GetBits();
  m_nAtlasWidth = m_pAtlas->GetWidth();
  m_nAtlasHeight = m_pAtlas->GetHeight();
  m_pAtlas->HWUpdateTexture();
  if (m_pGame->m_bReleasePixelsAfterUpload) HWReleasePixelDataInRAM();

  memset(m_ABC, 0, sizeof m_ABC);
  CMemoryFile file;
  if (!file.Open(m_pGame, (CommonString(name) + ".fdb").c_str(), FILE_MODE_READ) &&
      !file.Open(m_pGame, (stem + ".fdb").c_str(), FILE_MODE_READ))
    return 0;
  if (!file.Seek(0, FILE_SEEK_BEGIN)) {
    Close();
    return 0;
  }
  int ok = ReadMetrics(&file);
  file.Close();
  if (!ok) return 0;
  PlaceGlyphs();
  return 1;
}

int CBitmapFontText::ReadMetrics(IFile* file) {
  if (!file) return 0;
  ABCWidthsRead(file);
  int v = 0;
  if (file->ReadInt(&v) == 4) m_nVerticalOffset = v;
  int n = 0;
  if (file->ReadInt(&n) != 4) return 1;
  if (n < 1 || n > FONT_NUM_CODES) return 0;
  u8* list = (u8*)malloc((size_t)n);
  if (!list) return 0;
  // A short list must not replace the one in force with bytes never read.
  if (file->ReadData(list, n) != n) {
    free(list);
    return 0;
  }
  SafeFree(m_pCodeList);
  m_pCodeList = list;
  m_nCodeCount = n;
  return 1;
}

int CBitmapFontText::ABCWidthsRead(IFile* file) {
  for (int code = FONT_FIRST_CODE; code < 256; code++) {
    int a = 0, c = 0;
    unsigned b = 0;
    if (file->ReadInt(&a) != 4) return 0;
    m_ABC[code].A = a;
    if (file->ReadUInt(&b) != 4) return 0;
    m_ABC[code].B = b;
    if (file->ReadInt(&c) != 4) return 0;
    m_ABC[code].C = c;
  }
  return 1;
}

void CBitmapFontText::PlaceGlyph(int code, int left, int top, int bottom) {
  FontABC& abc = m_ABC[code];
  if (abc.A > 1000) abc.A = m_ABC[32].A;
  if (abc.B > 1000u) abc.B = m_ABC[32].B;
  FontGlyphRect& r = m_GlyphRects[code];
  r.left = left;
  r.top = top;
  r.right = left + (int)(((unsigned)abc.A + abc.B) / 4);
  r.bottom = bottom;
  m_nAdvance[code] = (int)((abc.B + (unsigned)abc.C) / 4);
}

void CBitmapFontText::PlaceGlyphs() {
  const int W = m_nAtlasWidth, H = m_nAtlasHeight;
  if (m_bSingleRowLayout || m_nCodeCount < 1) {
    memset(m_GlyphRects, 0, sizeof(FontGlyphRect) * FONT_FIRST_CODE);
    memset(m_nAdvance, 0, sizeof(int) * FONT_FIRST_CODE);
  }
  if (m_bSingleRowLayout) {
    m_nCellWidth = W / FONT_NUM_CODES;
    m_nCellHeight = H;
    for (int i = 0; i < FONT_NUM_CODES; i++)
      PlaceGlyph(FONT_FIRST_CODE + i, i * W / FONT_NUM_CODES, 0, H);
  } else if (m_nCodeCount < 1) {
    m_nCellWidth = W / 16;
    m_nCellHeight = H / 14;
    for (int i = 0; i < FONT_NUM_CODES; i++) {
      int top = (i / 16) * H / 14;
      PlaceGlyph(FONT_FIRST_CODE + i, (i % 16) * W / 16, top, top + m_nCellHeight);
    }
  } else {
    const int n = m_nCodeCount;
    const int columns = n <= 16 ? n : 16, rows = n <= 16 ? 1 : (n + 15) / 16;
    m_nCellWidth = W / columns;
    m_nCellHeight = H / rows;
    memset(m_GlyphRects, 0, sizeof m_GlyphRects);
    memset(m_nAdvance, 0, sizeof m_nAdvance);
    for (int i = 0; i < n; i++) {
      int top = (i / columns) * H / rows;
      PlaceGlyph(m_pCodeList[i], (i % 16) * W / columns, top, top + m_nCellHeight);
    }
  }
  // The underscore, not the space: atlases often leave the space cell empty.
  m_nSpaceWidth = m_nAdvance[95];
}

// --- metrics ---

void CBitmapFontText::SetABCWidth(int code, int a, int b, int c) {
  if (code < 0 || code > 255) return;
  m_ABC[code] = {a, (unsigned)b, c};
  FontGlyphRect& r = m_GlyphRects[code];
  r.right = ClampToInt(r.left + ((long long)a + b) / 4);
  m_nAdvance[code] = ClampToInt(((long long)b + c) / 4);
}

int CBitmapFontText::GetABCWidth(int code, int& a, int& b, int& c) {
  if (code < 0 || code > 255) return a = b = c = 0;
  a = m_ABC[code].A;
  b = (int)m_ABC[code].B;
  c = m_ABC[code].C;
  return a;
}

void CBitmapFontText::SetSpaceWidthAsCharBC(char c) { m_nSpaceWidth = m_nAdvance[(u8)c]; }

void CBitmapFontText::SetSpaceWidthAsCharABC(char c) { m_nSpaceWidth = CharLength2(c); }

int CBitmapFontText::GetCharHeight() { return m_nExtraLineHeight + m_nCellHeight - (m_nVerticalOffset >> 1); }

int CBitmapFontText::CharLength2(char c) {
  u8 code = (u8)c;
  return m_nAdvance[code] + (m_ABC[code].A >> 2);
}

int CBitmapFontText::Length2(const char* text) {
  if (!text) return 0;
  long long w = 0;
  for (const char* p = text; *p && w < kPenLimit && w > -kPenLimit; p++)
    w += *p == ' ' ? m_nSpaceWidth : CharLength2(*p) + m_nExtraCharSpacing;
  return ClampToInt(w);
}

// --- drawing a line ---

template <class DrawLine>
bool CBitmapFontText::DrawWithEffect(int effect, bool rotated, u8 r, u8 g, u8 b, u8 alpha,
                                     const DrawLine& draw) {
  static const int kDiagonals[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
  static const int kGlow[8][2] = {{2, -2}, {-2, -2}, {-2, 2}, {2, 2}, {2, 0}, {0, -2}, {0, 2}, {-2, 0}};
  static const int kRing[8][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};
  switch (effect) {
  case TEXT_EFFECT_NONE:
    break;
  case TEXT_EFFECT_SHADOW:
    draw(1, 1, 0, 0, 0, alpha);
    break;
  case TEXT_EFFECT_BORDER:
    for (auto& d : kDiagonals)
      draw(d[0], d[1], 0, 0, 0, alpha);
    break;
  case TEXT_EFFECT_GLOW:
    for (auto& d : kGlow)
      draw(d[0], d[1], 0, 0, 0, (u8)(alpha > 224 ? alpha - 224 : 0));
    break;
  case TEXT_EFFECT_WHITE_BORDER:
    if (rotated) {
      for (auto& d : kDiagonals)
        draw(d[0], d[1], 255, 255, 255, (u8)(alpha / 2));
      break;
    }
    [[fallthrough]];
  case TEXT_EFFECT_WHITE_BORDER2:
    for (auto& d : kRing)
      draw(d[0], d[1], 255, 255, 255, (u8)(alpha / 2));
    break;
  case TEXT_EFFECT_BORDER2:
    for (auto& d : kRing)
      draw(d[0], d[1], 0, 0, 0, (u8)(alpha / 2));
    break;
  default:
    if (!rotated) return false;
  }
  draw(0, 0, r, g, b, alpha);
  return true;
}

void CBitmapFontText::TextOut(IDibBitmap* target, int x, int y, const char* text, u8 r, u8 g, u8 b,
                              int effect, u8 alpha, TCoordRect2D* clip) {
  if (!text || !target) return;
  const int top = y - (m_nVerticalOffset >> 2);
  DrawWithEffect(effect, false, r, g, b, alpha, [&](int dx, int dy, u8 cr, u8 cg, u8 cb, u8 ca) {
    TextOutLine(target, x + dx, top + dy, text, cr, cg, cb, ca, clip);
  });
}

void CBitmapFontText::TextOutLine(IDibBitmap* target, int x, int y, const char* text, u8 r, u8 g, u8 b,
                                  u8 alpha, TCoordRect2D* clip) {
  const int top = y + m_nExtraLineHeight / 2;
  long long pen = x;
  for (const char* p = text; *p && pen < kPenLimit && pen > -kPenLimit; p++) {
    if (*p == ' ')
      pen += m_nSpaceWidth;
    else
      pen += DrawChar_565bpp(target, (int)pen, top, *p, r, g, b, alpha, clip) + m_nExtraCharSpacing;
  }
}

// --- drawing a glyph ---

int CBitmapFontText::DrawChar_565bpp(IDibBitmap* target, int x, int y, char c, u8 r, u8 g, u8 b, u8 alpha,
                                     TCoordRect2D* clip) {
  const unsigned code = (u8)c;
  const int advance = CharLength2(c);
  if (!m_pAtlas || !target || !m_pGame) return advance;
  const bool screen = target == m_pGame->m_pDrawTarget;
  if (screen || (m_pColorPixels && m_pGame->m_nInputOrientation == 0)) {
    const FontGlyphRect& rc = m_GlyphRects[code];
    int sx = rc.left, sy = rc.top;
    int w = rc.right + 1 - rc.left, h = rc.bottom - rc.top;
    // Metrics may claim more than the atlas holds: the glyph ends at the atlas edge.
    w = std::min(w, m_nAtlasWidth - sx);
    h = std::min(h, m_nAtlasHeight - sy);
    int dx = x + (m_ABC[code].A >> 2), dy = y;
    if (clip) {
      if (dx < clip->x) {
        sx += clip->x - dx;
        w -= clip->x - dx;
        dx = clip->x;
      }
      if (dy < clip->y) {
        sy += clip->y - dy;
        h -= clip->y - dy;
        dy = clip->y;
      }
      if (dx + w > clip->x + clip->width) w = clip->x + clip->width - dx;
      if (dy + h > clip->y + clip->height) h = clip->y + clip->height - dy;
    }
    if (w <= 0 || h <= 0 || alpha == 0) return advance;
    m_pAtlas->BitBltMultiply(target, r, g, b, dx, dy, w, h, sx, sy, alpha - 255);
    return advance;
  }
  if (target->GetBytesPerPixel() == 2) BlendGlyph(target, x, y, code, r, g, b, alpha, clip);
  return advance;
}

int CBitmapFontText::DrawChar(IDibBitmap* target, int x, int y, char c, u8 r, u8 g, u8 b, u8 alpha,
                              TCoordRect2D* clip) {
  if (!target) return 0;
  switch (target->GetBitsPerPixel()) {
  case 16:
    return DrawChar_565bpp(target, x, y, c, r, g, b, alpha, clip);
  case 12:
  case 15:
  case 24:
  case 32:
    BlendGlyph(target, x, y, (u8)c, r, g, b, alpha, clip);
    return CharLength2(c);
  default:
    return 0;
  }
}

void CBitmapFontText::BlendGlyph(IDibBitmap* target, int x, int y, unsigned code, u8 r, u8 g, u8 b, u8 alpha,
                                 TCoordRect2D* clip) {
  using namespace pixel_ops;
  // Pixels handed to the texture are gone from memory: nothing to read.
  if (alpha == 0 || !m_pAtlas || !m_pAtlas->HasAlphaInRAM() || !target->HasPixelsInRAM()) return;
  const unsigned char* cover = m_pAtlas->GetAlphaBits();
  const unsigned char* colour = m_pAtlas->HasPixelsInRAM() ? m_pAtlas->GetBits() : nullptr;
  const int atlasRow = m_pAtlas->GetStoredWidth(), atlasBpp = m_pAtlas->GetBytesPerPixel();
  const FontGlyphRect& rc = m_GlyphRects[code];
  const int w = std::min(rc.right + 1, std::min(m_nAtlasWidth, atlasRow)) - rc.left;
  const int h = std::min(rc.bottom, std::min(m_nAtlasHeight, m_pAtlas->GetStoredHeight())) - rc.top;
  if (rc.left < 0 || rc.top < 0 || w <= 0 || h <= 0) return;
  const int dx = x + (m_ABC[code].A >> 2), dy = y;

  // Destination range, ends exclusive; never outside the target whatever the clip says.
  long long x0 = dx, y0 = dy, x1 = (long long)dx + w, y1 = (long long)dy + h;
  const int tw = target->GetWidth(), th = target->GetHeight();
  if (clip) {
    x0 = std::max<long long>(x0, clip->x);
    y0 = std::max<long long>(y0, clip->y);
    x1 = std::min<long long>(x1, (long long)clip->x + clip->width);
    y1 = std::min<long long>(y1, (long long)clip->y + clip->height);
  } else {
    if (x1 >= tw) x1 = tw - 1;
    if (y1 >= th) y1 = th - 1;
  }
  x0 = std::max<long long>(x0, 0);
  y0 = std::max<long long>(y0, 0);
  x1 = std::min<long long>(x1, tw);
  y1 = std::min<long long>(y1, th);
  if (x0 >= x1 || y0 >= y1) return;

  const int bpp = target->GetBitsPerPixel(), step = target->GetBytesPerPixel();
  const bool is565 = step == 2 && bpp == 16;
  const int row = target->GetStoredWidth();
  const long long stored = (long long)row * target->GetStoredHeight();
  unsigned char* bits = target->GetBits();
  const u16 tint = Rgb565(r, g, b);
  // Channel widths of the target's 16-bit formats.
  const int cbits = bpp == 12 ? 4 : 5, gbits = bpp == 12 ? 4 : bpp == 15 ? 5 : 6;

  for (long long py = y0; py < y1; py++) {
    for (long long px = x0; px < x1; px++) {
      const int srcX = rc.left + (int)(px - dx), srcY = rc.top + (int)(py - dy);
      const int a = cover[(size_t)srcY * atlasRow + srcX];
      if (a <= 15) continue;
      int mx = (int)px, my = (int)py, mw = 1, mh = 1;
      SetRectAccordingToOrientationMode(target, mx, my, mw, mh);
      const long long index = (long long)my * row + mx;
      if (mx < 0 || my < 0 || mx >= row || index >= stored) continue;

      int weight = alpha == 255 ? a : a >= 240 ? alpha : (a * alpha) >> 8;
      int tr = r, tg = g, tb = b;
      if (colour) {
        const unsigned char* s = colour + ((size_t)srcY * atlasRow + srcX) * atlasBpp;
        if (atlasBpp == 2) {
          u16 m = Multiply565(*(const u16*)s, r, g, b);
          tr = (m >> 11) << 3, tg = ((m >> 5) & 0x3F) << 2, tb = (m & 0x1F) << 3;
        } else {
          tr = s[0] * r >> 8, tg = s[1] * g >> 8, tb = s[2] * b >> 8;
        }
      }
      if (is565) {
        u16* d = (u16*)bits + index;
        if (colour) {
          *d = Blend565(*d, Rgb565(tr, tg, tb), weight);
        } else if (alpha == 255) {
          if (a >= 241) {
            *d = tint;
            continue;
          }
          // Sixteen steps toward the colour, the three channels spread over one word.
          long long cw = ((long long)(tint & 0xF800) << 12) | ((tint & 0x7E0) << 8) | ((tint & 0x1F) << 4);
          long long pw = ((long long)(*d & 0xF800) << 12) | ((*d & 0x7E0) << 8) | ((*d & 0x1F) << 4);
          long long v = pw + (((a >> 4) * (cw - pw)) >> 4);
          *d = (u16)(((v & 0xF800000) >> 12) | ((v & 0x7E000) >> 8) | ((v >> 4) & 0x1F));
        } else {
          *d = weight >= 241 ? tint : Blend565(*d, tint, weight);
        }
        continue;
      }
      if (!colour && weight >= 241) weight = 256;
      if (step == 2) {
        // 4-4-4 or 5-5-5 in a 16-bit word.
        u16* d = (u16*)bits + index;
        int shiftG = cbits, shiftR = cbits + gbits, mask = (1 << cbits) - 1, gmask = (1 << gbits) - 1;
        int dr = (*d >> shiftR) & mask, dg = (*d >> shiftG) & gmask, db = *d & mask;
        int sr = tr >> (8 - cbits), sg = tg >> (8 - gbits), sb = tb >> (8 - cbits);
        dr += ((sr - dr) * weight) >> 8;
        dg += ((sg - dg) * weight) >> 8;
        db += ((sb - db) * weight) >> 8;
        *d = (u16)((*d & ~((mask << shiftR) | (gmask << shiftG) | mask)) | (dr << shiftR) | (dg << shiftG) |
                   db);
      } else {
        unsigned char* d = bits + index * step;
        d[0] = (unsigned char)(d[0] + (((tr - d[0]) * weight) >> 8));
        d[1] = (unsigned char)(d[1] + (((tg - d[1]) * weight) >> 8));
        d[2] = (unsigned char)(d[2] + (((tb - d[2]) * weight) >> 8));
      }
    }
  }
}

// --- scaled and rotated text ---

void RotatePointInternal_CBitmapFontText(FIXED_FLOAT_16 cx, FIXED_FLOAT_16 cy, FIXED_FLOAT_16 x,
                                         FIXED_FLOAT_16 y, FIXED_FLOAT_16 angleDegrees, FIXED_FLOAT_16& outX,
                                         FIXED_FLOAT_16& outY) {
  float a = (float)angleDegrees / 65536.0f * 3.14159265f / 180.0f;
  float c = cosf(a), s = sinf(a);
  float fx = (float)cx + (float)x * c - (float)y * s;
  float fy = (float)cy + (float)x * s + (float)y * c;
  outX = (FIXED_FLOAT_16)ClampToInt((long long)lroundf(fx));
  outY = (FIXED_FLOAT_16)ClampToInt((long long)lroundf(fy));
}

void CBitmapFontText::TextOutF(IDibBitmap* target, const char* text, FIXED_FLOAT_16 x, FIXED_FLOAT_16 y,
                               FIXED_FLOAT_16 scaleX, FIXED_FLOAT_16 scaleY, FIXED_FLOAT_16 angle, u8 r, u8 g,
                               u8 b, int effect, u8 alpha, TCoordRect2D* clip) {
  if (!text || !target) return;
  const bool scissor = clip && m_pGame;
  if (scissor) {
    GLES_FlushBuffer();
    int screenH = m_pGame->m_pDoubleBuffer ? m_pGame->m_pDoubleBuffer->GetHeight() : 0;
    glEnable(GL_SCISSOR_TEST);
    glScissor(clip->x, screenH - (clip->y + clip->height), clip->width, clip->height);
  }
  DrawWithEffect(effect, true, r, g, b, alpha, [&](int dx, int dy, u8 cr, u8 cg, u8 cb, u8 ca) {
    long long penX = x + (long long)dx * scaleX;
    long long penY = y + (long long)dy * scaleY + ((long long)(m_nExtraLineHeight / 2) << 16);
    const long long spacing = (long long)m_nExtraCharSpacing * scaleX,
                    space = (long long)m_nSpaceWidth * scaleX;
    for (const char* p = text; *p; p++) {
      if (penX > INT_MAX / 2 || penX < INT_MIN / 2 || penY > INT_MAX / 2 || penY < INT_MIN / 2) break;
      if (*p == ' ') {
        penX += space;
        continue;
      }
      TVector2D_16 move = DrawCharF(target, *p, (FIXED_FLOAT_16)penX, (FIXED_FLOAT_16)penY, scaleX, scaleY,
                                    angle, cr, cg, cb, ca, nullptr);
      penX += (long long)move.x + spacing;
      penY += move.y;
    }
  });
  if (scissor) {
    GLES_FlushBuffer();
    glDisable(GL_SCISSOR_TEST);
  }
}

TVector2D_16 CBitmapFontText::DrawCharF(IDibBitmap* target, char c, FIXED_FLOAT_16 x, FIXED_FLOAT_16 y,
                                        FIXED_FLOAT_16 scaleX, FIXED_FLOAT_16 scaleY, FIXED_FLOAT_16 angle,
                                        u8 r, u8 g, u8 b, u8 alpha, TCoordRect2D*) {
  const unsigned code = (u8)c;
  const FontGlyphRect& rc = m_GlyphRects[code];
  const int A = m_ABC[code].A >> 2;
  auto scale = [](long long v, FIXED_FLOAT_16 s) { return (FIXED_FLOAT_16)ClampToInt((v * s) >> 16); };

  TVector2D_16 move;
  RotatePointInternal_CBitmapFontText(0, 0, scale((long long)(m_nAdvance[code] + A) << 16, scaleX), 0, angle,
                                      move.x, move.y);
  if (!m_pAtlas || !target || !m_pAtlas->GetHWResource()) return move;

  const int gw = rc.right - rc.left, gh = rc.bottom - rc.top;
  FIXED_FLOAT_16 cx = 0, cy = 0;
  RotatePointInternal_CBitmapFontText(
      x, y, scale(((long long)A << 16) + ((long long)gw << 15), scaleX),
      scale(((long long)gh << 15) - ((long long)(m_nVerticalOffset >> 2) << 16), scaleY), angle, cx, cy);
  const long long hx = scale((long long)gw << 15, scaleX), hy = scale((long long)gh << 15, scaleY);
  float rad = (float)angle / 65536.0f * 3.14159265f / 180.0f;
  const long long cs = (long long)(cosf(rad) * 65535.0f), sn = (long long)(sinf(rad) * 65535.0f);
  // Corners TL, TR, BR, BL: offsets from the centre turned by the angle.
  const long long ox[4] = {-hx, hx, hx, -hx}, oy[4] = {-hy, -hy, hy, hy};
  const int u[4] = {rc.left, rc.right, rc.right, rc.left}, v[4] = {rc.top, rc.top, rc.bottom, rc.bottom};
  QuellarVertex corner[4];
  for (int i = 0; i < 4; i++) {
    corner[i].x = (FIXED_FLOAT_16)ClampToInt(cx + ((ox[i] * cs - oy[i] * sn) >> 16));
    corner[i].y = (FIXED_FLOAT_16)ClampToInt(cy + ((ox[i] * sn + oy[i] * cs) >> 16));
    corner[i].z = 0;
    corner[i].u = (FIXED_FLOAT_16)ClampToInt((long long)u[i] << 16);
    corner[i].v = (FIXED_FLOAT_16)ClampToInt((long long)v[i] << 16);
    corner[i].r = r;
    corner[i].g = g;
    corner[i].b = b;
    corner[i].a = alpha;
  }
  g_globalQuellarVertex_2_3[0][0] = corner[0];
  g_globalQuellarVertex_2_3[0][1] = corner[1];
  g_globalQuellarVertex_2_3[0][2] = corner[2];
  g_globalQuellarVertex_2_3[1][0] = corner[0];
  g_globalQuellarVertex_2_3[1][1] = corner[2];
  g_globalQuellarVertex_2_3[1][2] = corner[3];
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  DrawTexturedTriangles_AbsoluteUV(m_pGame, target, m_pAtlas, g_globalQuellarVertex_2_3, 2, false);
  return move;
}
