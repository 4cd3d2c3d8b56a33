// CBitmapFontText: the engine's bitmap font, a glyph atlas image with ".fdb" metrics (ABC widths
// in quarter pixels for codes 32..255); measures and draws lines of text with outline effects.
#pragma once

#include "quellar_types.h"

class CAppGraphics;
class IDibBitmap;
class IFile;

// Text effect codes of TextOut (the layout file names them).
enum {
  TEXT_EFFECT_NONE = 0,
  TEXT_EFFECT_SHADOW = 1,
  TEXT_EFFECT_BORDER = 2,
  TEXT_EFFECT_GLOW = 3,
  TEXT_EFFECT_WHITE_BORDER = 4,
  TEXT_EFFECT_BORDER2 = 5,
  TEXT_EFFECT_WHITE_BORDER2 = 6,
};

enum {
  FONT_FIRST_CODE = 32,
  FONT_NUM_CODES = 224, // 32..255
  FONT_FDB_ABC_BYTES = FONT_NUM_CODES * 12,
};

struct FontABC {
  int A;      // left bearing
  unsigned B; // black-box width
  int C;      // right bearing
};

struct FontGlyphRect {
  int left;
  int top;
  int right;
  int bottom;
};

class CBitmapFontText {
public:
  explicit CBitmapFontText(CAppGraphics* game);
  CBitmapFontText(const CBitmapFontText&) = delete;
  CBitmapFontText& operator=(const CBitmapFontText&) = delete;
  virtual ~CBitmapFontText();

  // Atlas "<stem>_rgba" (or the alpha JPEG name with "<stem>_eff.jpg"), then "<name>.fdb" or
  // "<stem>.fdb". 1 or 0.
  int LoadFont(char* name);
  // The metrics part of LoadFont on an open file: ABC records, vertical offset, code list. 1 or 0.
  int ReadMetrics(IFile* file);
  // Lays the glyphs out over the atlas size held in the font, then takes the space width.
  void PlaceGlyphs();

  void Destroy();
  void Close();
  void HWReleasePixelDataInRAM();

  int ABCWidthsRead(IFile* file);
  void SetABCWidth(int code, int a, int b, int c);
  int GetABCWidth(int code, int& a, int& b, int& c);

  void SetSpaceWidthAsCharBC(char c);
  void SetSpaceWidthAsCharABC(char c);
  void SetSpaceWidthAsInt(int w) { m_nSpaceWidth = w; }

  int GetCharWidth() { return m_nCellWidth; }
  int GetCharHeight();
  int CharLength2(char c);
  int Length2(const char* text);

  void TextOut(IDibBitmap* target, int x, int y, const char* text, u8 r, u8 g, u8 b, int effect, u8 alpha,
               TCoordRect2D* clip);
  int DrawChar_565bpp(IDibBitmap* target, int x, int y, char c, u8 r, u8 g, u8 b, u8 alpha,
                      TCoordRect2D* clip);
  int DrawChar(IDibBitmap* target, int x, int y, char c, u8 r, u8 g, u8 b, u8 alpha, TCoordRect2D* clip);

  void TextOutF(IDibBitmap* target, const char* text, FIXED_FLOAT_16 x, FIXED_FLOAT_16 y,
                FIXED_FLOAT_16 scaleX, FIXED_FLOAT_16 scaleY, FIXED_FLOAT_16 angle, u8 r, u8 g, u8 b,
                int effect, u8 alpha, TCoordRect2D* clip);
  TVector2D_16 DrawCharF(IDibBitmap* target, char c, FIXED_FLOAT_16 x, FIXED_FLOAT_16 y,
                         FIXED_FLOAT_16 scaleX, FIXED_FLOAT_16 scaleY, FIXED_FLOAT_16 angle, u8 r, u8 g, u8 b,
                         u8 alpha, TCoordRect2D* clip);

  // --- data ---
  CAppGraphics* m_pGame;
  IDibBitmap* m_pAtlas = nullptr;
  unsigned char* m_pAlphaMap = nullptr;
  u16* m_pColorPixels = nullptr;
  int m_nAtlasWidth = 0;
  int m_nAtlasHeight = 0;
  FontABC m_ABC[256] = {};
  int m_nCellWidth = 0;
  int m_nCellHeight = 0;
  FontGlyphRect m_GlyphRects[256] = {};
  int m_nAdvance[256] = {};
  int m_nExtraCharSpacing = 2;
  int m_nExtraLineHeight = 0;
  int m_nVerticalOffset = 0;
  int m_nSpaceWidth = 0;
  u8 m_bSingleRowLayout = 0;
  u8* m_pCodeList = nullptr;
  int m_nCodeCount = 0;

private:
  // The line itself at (x, y) after the vertical offset; no effect copies.
  void TextOutLine(IDibBitmap* target, int x, int y, const char* text, u8 r, u8 g, u8 b, u8 alpha,
                   TCoordRect2D* clip);
  // The line and its effect copies through draw(dx, dy, r, g, b, alpha); false for an unknown
  // effect, which draws nothing.
  template <class DrawLine>
  static bool DrawWithEffect(int effect, bool rotated, u8 r, u8 g, u8 b, u8 alpha, const DrawLine& draw);
  // Blends the glyph by hand into target pixels of any supported depth.
  void BlendGlyph(IDibBitmap* target, int x, int y, unsigned code, u8 r, u8 g, u8 b, u8 alpha,
                  TCoordRect2D* clip);
  void PlaceGlyph(int code, int left, int top, int bottom);
};

// out = (cx, cy) + (x, y) turned by angleDegrees (16.16 each), rounded half away from zero.
void RotatePointInternal_CBitmapFontText(FIXED_FLOAT_16 cx, FIXED_FLOAT_16 cy, FIXED_FLOAT_16 x,
                                         FIXED_FLOAT_16 y, FIXED_FLOAT_16 angleDegrees, FIXED_FLOAT_16& outX,
                                         FIXED_FLOAT_16& outY);

void ZeroMemory(void* p, long n);
