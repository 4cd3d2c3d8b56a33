// Texture tiles: layout, pixel conversion and upload, atlas items, and the quad and triangle
// blits that draw from them through the batcher.
#include "texture_data.h"

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "app_graphics.h"
#include "byte_order.h"
#include "dib_bitmap.h"
#include "files.h"
#include "gl_calls.h"
#include "image_loaders.h"
#include "parser.h"

int gMaxTextureWidth = 1024;
int gMaxTextureHeight = 1024;
int gMinTextureWidth = 8;
int gMinTextureHeight = 8;
int gMaxTextureAspectRatio = 16;
int g_nTextureDataBufferSize = 4 * 1024 * 1024 + 1024;
unsigned char* g_pTextureDataBuffer = nullptr;
bool g_bDunmarrowMakeMipMapsForTexture = false;
bool g_bDunmarrowLoadTextureHalfSize = false;
bool g_bRestoringLostContext = false;

namespace {

int Log2Up(int v) {
  int s = 0;
  while ((1 << s) < v)
    ++s;
  return s;
}

int NextPow2(int v) {
  int p = 1;
  while (p < v)
    p <<= 1;
  return p;
}

FIXED_FLOAT_16 ScaleOf(int image, int cell) {
  if (image == cell) return FIXED_FLOAT_16_ONE;
  return (FIXED_FLOAT_16)((double)image / cell * 65536.0 + 0.5);
}

} // namespace

void GetBestTextureDimensions(int& w, int& h) {
  w = w < gMaxTextureWidth ? NextPow2(w) : gMaxTextureWidth;
  h = h < gMaxTextureHeight ? NextPow2(h) : gMaxTextureHeight;
  if (w < gMinTextureWidth) w = gMinTextureWidth;
  if (h < gMinTextureHeight) h = gMinTextureHeight;
  if (w < h && h > gMaxTextureAspectRatio * w)
    while (gMaxTextureAspectRatio * w < h)
      w *= 2;
  if (w > h && w > gMaxTextureAspectRatio * h)
    while (gMaxTextureAspectRatio * h < w)
      h *= 2;
}

QuellarTextureData::QuellarTextureData(CAppGraphics* game) : m_pGame(game) {}

QuellarTextureData::~QuellarTextureData() { ReleaseTextureData(); }

void QuellarTextureData::ResetTileDefaults() {
  m_nTileWidth = m_nTileHeight = 64;
  m_nXMask = m_nYMask = 63;
  m_nXShift = m_nYShift = 6;
}

namespace {

// 0 when every pixel is black, 1 when every one is white, else -1.
int SolidColourOf(const unsigned char* bits, size_t bytes) {
  if (!bits || !bytes || (bits[0] != 0 && bits[0] != 255)) return -1;
  const unsigned char first = bits[0];
  for (size_t i = 1; i < bytes; ++i)
    if (bits[i] != first) return -1;
  return first == 255 ? 1 : 0;
}

} // namespace

void QuellarTextureData::NoteOpaqueCells(IDibBitmap* bitmap) {
  m_OpaqueCells.clear();
  m_nCellsAcross = m_nCellsDown = 0;
  m_nSolidColour = -1;
  if (!bitmap || bitmap->ArePixelsReleased() || bitmap->GetOrientationMode() != 0) return;
  const int w = bitmap->GetStoredWidth(), h = bitmap->GetStoredHeight();
  if (w <= 0 || h <= 0) return;
  const unsigned char* alpha = bitmap->GetAlphaBits();
  const unsigned char* bits = bitmap->GetBits();
  const size_t pixels = (size_t)w * (size_t)h;
  if (bits && bits != alpha && bitmap->GetBytesPerPixel() < 4) {
    // Black or white in every colour byte of every pixel (565 or three bytes), opaque throughout.
    int solid = SolidColourOf(bits, pixels * (size_t)bitmap->GetBytesPerPixel());
    if (solid >= 0 && alpha && SolidColourOf(alpha, pixels) != 1) solid = -1;
    m_nSolidColour = solid;
  }
  if (!alpha) return;
  // Four bytes a pixel keep the alpha in the pixels themselves, else the map has one a pixel.
  const size_t step = bitmap->GetBits() == alpha ? 4 : 1, at = step == 4 ? 3 : 0;
  const size_t colourBytes = step == 4 ? 0 : (size_t)bitmap->GetBytesPerPixel();
  m_nCellsAcross = (w + kOpaqueCell - 1) / kOpaqueCell;
  m_nCellsDown = (h + kOpaqueCell - 1) / kOpaqueCell;
  const size_t cellCount = (size_t)m_nCellsAcross * (size_t)m_nCellsDown;
  m_OpaqueCells.assign(cellCount, 1);
  std::vector<unsigned char> clear(cellCount, 1);
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = alpha + (size_t)y * (size_t)w * step + at;
    const unsigned char* colour = bits && colourBytes ? bits + (size_t)y * (size_t)w * colourBytes : nullptr;
    const size_t first = (size_t)(y / kOpaqueCell) * (size_t)m_nCellsAcross;
    unsigned char* cells = &m_OpaqueCells[first];
    unsigned char* clearCells = &clear[first];
    for (int x = 0; x < w; ++x) {
      const unsigned char a = row[(size_t)x * step];
      if (a != 255) cells[x / kOpaqueCell] = 0;
      bool zero = a == 0;
      if (zero && step == 4) {
        const unsigned char* pixel = row - at + (size_t)x * 4;
        zero = !(pixel[0] | pixel[1] | pixel[2]);
      }
      for (size_t b = 0; zero && colour && b < colourBytes; ++b)
        zero = colour[(size_t)x * colourBytes + b] == 0;
      if (!zero) clearCells[x / kOpaqueCell] = 0;
    }
  }
  // A cell keeps its kind only where its neighbours, as far as the picture goes, share it.
  auto raw = [&](int c, int r) -> CellKind {
    const size_t i = (size_t)r * (size_t)m_nCellsAcross + (size_t)c;
    return m_OpaqueCells[i] ? kCellOpaque : clear[i] ? kCellClear : kCellMixed;
  };
  m_CellKinds.assign(cellCount, kCellMixed);
  for (int r = 0; r < m_nCellsDown; ++r)
    for (int c = 0; c < m_nCellsAcross; ++c) {
      const CellKind kind = raw(c, r);
      bool alike = kind != kCellMixed;
      for (int dr = -1; alike && dr <= 1; ++dr)
        for (int dc = -1; alike && dc <= 1; ++dc) {
          const int nc = c + dc, nr = r + dr;
          if (nc >= 0 && nr >= 0 && nc < m_nCellsAcross && nr < m_nCellsDown) alike = raw(nc, nr) == kind;
        }
      if (alike) m_CellKinds[(size_t)r * (size_t)m_nCellsAcross + (size_t)c] = kind;
    }
}

int QuellarTextureData::CellPieces(int x0, int y0, int x1, int y1, bool opaque, CellPiece* out,
                                   int max) const {
  if (m_CellKinds.empty() || x0 < 0 || y0 < 0 || !(x0 < x1) || !(y0 < y1) || max <= 0) return 0;
  const int c0 = x0 / kOpaqueCell, c1 = (x1 + kOpaqueCell - 1) / kOpaqueCell;
  const int r0 = y0 / kOpaqueCell, r1 = (y1 + kOpaqueCell - 1) / kOpaqueCell;
  if (c1 > m_nCellsAcross || r1 > m_nCellsDown) return 0;
  // Steps of whole cells, as fine as keep the pieces within max: twice as coarse each time they do not.
  const int along = std::max(c1 - c0, r1 - r0);
  for (int cells = (along + kMostPieceSteps - 1) / kMostPieceSteps; cells <= along; cells *= 2) {
    const int n = CellPiecesInSteps(c0, r0, c1, r1, x0, y0, x1, y1, cells, opaque, out, max);
    if (n > 0 || cells * kMinPieceSteps > along) return n;
  }
  return 0;
}

int QuellarTextureData::CellPiecesInSteps(int c0, int r0, int c1, int r1, int x0, int y0, int x1, int y1,
                                          int cells, bool opaque, CellPiece* out, int max) const {
  const int across = (c1 - c0 + cells - 1) / cells, down = (r1 - r0 + cells - 1) / cells;
  auto kindOf = [&](int sx, int sy) -> CellKind {
    CellKind kind = kCellMixed;
    for (int r = r0 + sy * cells; r < std::min(r1, r0 + (sy + 1) * cells); ++r)
      for (int c = c0 + sx * cells; c < std::min(c1, c0 + (sx + 1) * cells); ++c) {
        CellKind k = (CellKind)m_CellKinds[(size_t)r * (size_t)m_nCellsAcross + (size_t)c];
        if (k == kCellOpaque && !opaque) k = kCellMixed;
        if (k == kCellMixed) return kCellMixed;
        if (c == c0 + sx * cells && r == r0 + sy * cells)
          kind = k;
        else if (k != kind)
          return kCellMixed;
      }
    return kind;
  };
  auto edgeX = [&](int sx) { return sx == 0 ? x0 : sx == across ? x1 : (c0 + sx * cells) * kOpaqueCell; };
  auto edgeY = [&](int sy) { return sy == 0 ? y0 : sy == down ? y1 : (r0 + sy * cells) * kOpaqueCell; };
  // Runs of one kind along each row of steps; a run just like one of the row above grows that one.
  int above[kMostPieceSteps], aboveCount = 0, here[kMostPieceSteps];
  if (across > kMostPieceSteps) return 0;
  int n = 0;
  for (int sy = 0; sy < down; ++sy) {
    int hereCount = 0;
    for (int sx = 0; sx < across;) {
      const CellKind kind = kindOf(sx, sy);
      int end = sx + 1;
      while (end < across && kindOf(end, sy) == kind)
        ++end;
      const int px0 = edgeX(sx), px1 = edgeX(end);
      int grown = -1;
      for (int i = 0; i < aboveCount && grown < 0; ++i) {
        const CellPiece& p = out[above[i]];
        if (p.x0 == px0 && p.x1 == px1 && p.kind == kind) grown = above[i];
      }
      if (grown >= 0) {
        out[grown].y1 = edgeY(sy + 1);
      } else {
        if (n == max) return 0;
        out[n] = {px0, edgeY(sy), px1, edgeY(sy + 1), kind};
        grown = n++;
      }
      here[hereCount++] = grown;
      sx = end;
    }
    std::copy(here, here + hereCount, above);
    aboveCount = hereCount;
  }
  return n;
}

bool QuellarTextureData::OpaqueMiddle(int x0, int y0, int x1, int y1, int* ox0, int* oy0, int* ox1,
                                      int* oy1) const {
  if (m_OpaqueCells.empty()) return false;
  // An atlas entry reaches a texel beyond its picture on the left and top.
  x0 = x0 < 0 ? 0 : x0;
  y0 = y0 < 0 ? 0 : y0;
  // The cells wholly inside the texels one in from each side.
  if (x1 - x0 < 3 * kOpaqueCell || y1 - y0 < 3 * kOpaqueCell) return false;
  const int c0 = (x0 + 1 + kOpaqueCell - 1) / kOpaqueCell, c1 = (x1 - 1) / kOpaqueCell;
  const int r0 = (y0 + 1 + kOpaqueCell - 1) / kOpaqueCell, r1 = (y1 - 1) / kOpaqueCell;
  if (x0 < 0 || y0 < 0 || c1 > m_nCellsAcross || r1 > m_nCellsDown || c0 >= c1 || r0 >= r1) return false;
  auto opaque = [this](int c, int r) {
    return m_OpaqueCells[(size_t)r * (size_t)m_nCellsAcross + (size_t)c] != 0;
  };
  const int mc = (c0 + c1) / 2, mr = (r0 + r1) / 2;
  if (!opaque(mc, mr)) return false;
  // The middle row's run, then as many rows above and below as that whole run stays opaque in.
  int a = mc, b = mc + 1;
  while (a > c0 && opaque(a - 1, mr))
    --a;
  while (b < c1 && opaque(b, mr))
    ++b;
  auto rowOpaque = [&](int r) {
    for (int c = a; c < b; ++c)
      if (!opaque(c, r)) return false;
    return true;
  };
  int top = mr, bottom = mr + 1;
  while (top > r0 && rowOpaque(top - 1))
    --top;
  while (bottom < r1 && rowOpaque(bottom))
    ++bottom;
  // A texel in from the cells: a pixel there filters the texels beside it too.
  *ox0 = a * kOpaqueCell + 1;
  *ox1 = b * kOpaqueCell - 1;
  *oy0 = top * kOpaqueCell + 1;
  *oy1 = bottom * kOpaqueCell - 1;
  return true;
}

void QuellarTextureData::ReleaseTextureData() {
  if (m_pTiles) {
    if (!m_bFromAtlas) {
      for (int i = 0; i < m_nTileCount; ++i) {
        GLuint name = m_pTiles[i].name;
        if (!name) continue;
        if (name == g_Current_texName) g_Current_texName = 0;
        if (!g_bRestoringLostContext) GLC_DeleteTexture(name);
      }
      delete[] m_pTiles;
    }
    m_pTiles = nullptr;
  }
  m_nTileCount = m_nTilesAcross = m_nTilesDown = 0;
  ResetTileDefaults();
  m_bFromAtlas = 0;
  m_pParentAtlas = nullptr;
}

void QuellarTextureData::ApplyResolution() {
  int half = m_b2xImage ? 1 : 0;
  m_nLogicalWidth = m_nImageWidth >> half;
  m_nLogicalHeight = m_nImageHeight >> half;
  int cellW = m_nTileWidth >> half, cellH = m_nTileHeight >> half;
  m_nXMask = cellW - 1;
  m_nYMask = cellH - 1;
  m_nXShift = Log2Up(cellW);
  m_nYShift = Log2Up(cellH);
  m_nSubX16 = (FIXED_FLOAT_16)(((u32)m_nSubX << 16) >> half);
  m_nSubY16 = (FIXED_FLOAT_16)(((u32)m_nSubY << 16) >> half);
  m_nWidth16 = (FIXED_FLOAT_16)(((u32)m_nSubWidth << 16) >> half);
  m_nHeight16 = (FIXED_FLOAT_16)(((u32)m_nSubHeight << 16) >> half);
  for (int i = 0; i < m_nTileCount; ++i) {
    QuellarTextureTile& t = m_pTiles[i];
    t.usedWidth = t.texWidth >> half;
    t.usedHeight = t.texHeight >> half;
    t.log2Width = Log2Up(t.usedWidth);
    t.log2Height = Log2Up(t.usedHeight);
  }
}

int QuellarTextureData::CreateTextureTiles(IDibBitmap* bitmap) {
  int W = bitmap->GetStoredWidth(), H = bitmap->GetStoredHeight();
  if (W <= 0 || H <= 0) return 0;
  int cellW = W, cellH = H;
  GetBestTextureDimensions(cellW, cellH);
  int across = (W + cellW - 1) / cellW, down = (H + cellH - 1) / cellH;
  QuellarTextureTile* tiles = new (std::nothrow) QuellarTextureTile[(size_t)across * down]();
  if (!tiles) return 0;
  m_pTiles = tiles;
  m_nTilesAcross = across;
  m_nTilesDown = down;
  m_nTileCount = across * down;
  m_nTileWidth = cellW;
  m_nTileHeight = cellH;
  m_nXMask = cellW - 1;
  m_nYMask = cellH - 1;
  m_nXShift = Log2Up(cellW);
  m_nYShift = Log2Up(cellH);

  int lastColW = cellW, lastRowH = cellH;
  if (W % cellW) {
    int h = cellH;
    lastColW = W % cellW;
    GetBestTextureDimensions(lastColW, h);
  }
  if (H % cellH) {
    int w = cellW;
    lastRowH = H % cellH;
    GetBestTextureDimensions(w, lastRowH);
  }
  for (int row = 0; row < down; ++row) {
    for (int col = 0; col < across; ++col) {
      QuellarTextureTile& t = tiles[row * across + col];
      int w = cellW, h = cellH;
      bool lastCol = col == across - 1 && W % cellW, lastRow = row == down - 1 && H % cellH;
      if (lastCol && lastRow) {
        w = lastColW;
        h = lastRowH;
        GetBestTextureDimensions(w, h);
      } else if (lastCol) {
        w = lastColW;
      } else if (lastRow) {
        h = lastRowH;
      }
      t.texWidth = t.usedWidth = w;
      t.texHeight = t.usedHeight = h;
      t.log2Width = Log2Up(w);
      t.log2Height = Log2Up(h);
    }
  }
  m_nUScale = ScaleOf(W, cellW);
  m_nVScale = ScaleOf(H, cellH);
  return 1;
}

int QuellarTextureData::CreateTextureData(IDibBitmap* bitmap, bool alphaOnly) {
  if (m_bFromAtlas)
    return SetTextureDataFromAtlas(m_pParentAtlas, m_nSubX, m_nSubY, m_nSubWidth, m_nSubHeight,
                                   m_bSecondResource);
  if (!bitmap || bitmap->ArePixelsReleased()) return 0;
  bool hasPixels = bitmap->GetBits() != nullptr, hasAlpha = bitmap->GetAlphaBits() != nullptr;
  if (!hasPixels && !hasAlpha) return 0;
  int W = bitmap->GetStoredWidth(), H = bitmap->GetStoredHeight();
  int kind = hasAlpha ? 2 : 1;
  bool reuse = m_pTiles && !m_bPVRAtlas && m_nImageWidth == W && m_nImageHeight == H && m_nKind == kind &&
               !g_bRestoringLostContext;
  if (!reuse) {
    ReleaseTextureData();
    m_bPVRAtlas = 0;
    if (!CreateTextureTiles(bitmap)) return 0;
  }
  for (int row = 0, y = 0; row < m_nTilesDown; ++row, y += m_nTileHeight) {
    for (int col = 0, x = 0; col < m_nTilesAcross; ++col, x += m_nTileWidth) {
      QuellarTextureTile& t = m_pTiles[row * m_nTilesAcross + col];
      if (!t.name) {
        t.name = GLES_CreateTextureSurface(t.texWidth, t.texHeight, hasAlpha);
        if (!t.name) return 0;
      }
      if (!GLES_CopyImageToTexture(this, m_pGame, t.name, bitmap, x, y, t.texWidth, t.texHeight, hasAlpha,
                                   alphaOnly))
        return 0;
    }
  }
  m_nImageWidth = W;
  m_nImageHeight = H;
  m_nSubX = m_nSubY = 0;
  m_nSubWidth = W;
  m_nSubHeight = H;
  m_nKind = kind;
  m_b2xImage = bitmap->m_b2xImage;
  ApplyResolution();
  return 1;
}

int QuellarTextureData::SetTextureDataFromAtlas(IDibBitmap* atlas, int x, int y, int w, int h, bool second) {
  if (!atlas) return 0;
  QuellarTextureData* src =
      second ? static_cast<QuellarTextureData*>(atlas->GetHWResource2()) : atlas->GetHWResource();
  if (!src || src == this || !src->m_pTiles || src->m_nTileCount <= 0) return 0;
  // An item reaching past its atlas would address tiles that do not exist.
  if (x < 0 || y < 0 || w <= 0 || h <= 0 || x > src->m_nImageWidth - w || y > src->m_nImageHeight - h)
    return 0;
  ReleaseTextureData();
  m_pTiles = src->m_pTiles;
  m_bFromAtlas = 1;
  m_bSecondResource = second;
  m_pParentAtlas = atlas;
  m_nTileCount = src->m_nTileCount;
  m_nTilesAcross = src->m_nTilesAcross;
  m_nTilesDown = src->m_nTilesDown;
  m_nKind = src->m_nKind;
  m_nImageWidth = src->m_nImageWidth;
  m_nImageHeight = src->m_nImageHeight;
  m_nTileWidth = src->m_nTileWidth;
  m_nTileHeight = src->m_nTileHeight;
  m_nUScale = src->m_nUScale;
  m_nVScale = src->m_nVScale;
  m_bPVRAtlas = src->m_bPVRAtlas;
  m_fBorderOffset = src->m_fBorderOffset;
  m_fBorderScale = src->m_fBorderScale;
  m_bPVRAlpha = src->m_bPVRAlpha;
  m_nPixelType = src->m_nPixelType;
  m_nSubX = x;
  m_nSubY = y;
  m_nSubWidth = w;
  m_nSubHeight = h;
  m_b2xImage = atlas->m_b2xImage;
  // The shared tile records carry the atlas's own halving, which is the same rule.
  int half = m_b2xImage ? 1 : 0;
  m_nLogicalWidth = m_nImageWidth >> half;
  m_nLogicalHeight = m_nImageHeight >> half;
  m_nXMask = (m_nTileWidth >> half) - 1;
  m_nYMask = (m_nTileHeight >> half) - 1;
  m_nXShift = Log2Up(m_nTileWidth >> half);
  m_nYShift = Log2Up(m_nTileHeight >> half);
  m_nSubX16 = (FIXED_FLOAT_16)(((u32)x << 16) >> half);
  m_nSubY16 = (FIXED_FLOAT_16)(((u32)y << 16) >> half);
  m_nWidth16 = (FIXED_FLOAT_16)(((u32)w << 16) >> half);
  m_nHeight16 = (FIXED_FLOAT_16)(((u32)h << 16) >> half);
  return 1;
}

GLuint QuellarTextureData::GetTexture(int x, int y, int& w, int& h, FIXED_FLOAT_16& uMin,
                                      FIXED_FLOAT_16& vMin, FIXED_FLOAT_16& uMax, FIXED_FLOAT_16& vMax) {
  int X = x + (m_nSubX16 >> 16), Y = y + (m_nSubY16 >> 16);
  if (X < 0 || Y < 0 || !m_pTiles) {
    w = h = 0;
    return 0;
  }
  int col = X >> m_nXShift, row = Y >> m_nYShift;
  if (col >= m_nTilesAcross || row >= m_nTilesDown) {
    w = h = 0;
    return 0;
  }
  const QuellarTextureTile& t = m_pTiles[col + m_nTilesAcross * row];
  int lx = X & m_nXMask, ly = Y & m_nYMask;
  w = (lx + w < t.usedWidth ? lx + w : t.usedWidth) - lx;
  h = (ly + h < t.usedHeight ? ly + h : t.usedHeight) - ly;
  uMin = (FIXED_FLOAT_16)(((u32)lx << 16) >> t.log2Width);
  vMin = (FIXED_FLOAT_16)(((u32)ly << 16) >> t.log2Height);
  uMax = (FIXED_FLOAT_16)(((u32)(lx + w) << 16) >> t.log2Width);
  vMax = (FIXED_FLOAT_16)(((u32)(ly + h) << 16) >> t.log2Height);
  return t.name;
}

void QuellarTextureData::Blt(IDibBitmap* /*dest*/, int x, int y, int w, int h, int sx, int sy, int r, int g,
                             int b, int a) {
  if (g_GLES_TextEnvironmentMode == GL_BLEND) GLES_SetTextEnvironmentColor(r << 8, g << 8, b << 8, a << 8);
  int srcW = m_nWidth16 >> 16, srcH = m_nHeight16 >> 16;
  int visW = (sx + w < srcW ? sx + w : srcW) - (sx > 0 ? sx : 0);
  int visH = (sy + h < srcH ? sy + h : srcH) - (sy > 0 ? sy : 0);
  if (visW <= 0 || visH <= 0) return;
  if (sx < 0) {
    x -= sx;
    sx = 0;
  }
  if (sy < 0) {
    y -= sy;
    sy = 0;
  }
  unsigned char rgba[16];
  for (int i = 0; i < 4; ++i) {
    rgba[i * 4] = (unsigned char)r;
    rgba[i * 4 + 1] = (unsigned char)g;
    rgba[i * 4 + 2] = (unsigned char)b;
    rgba[i * 4 + 3] = (unsigned char)a;
  }
  for (int cy = y, csy = sy, remH = visH; remH > 0;) {
    int bandH = 0;
    for (int cx = x, csx = sx, remW = visW; remW > 0;) {
      int cw = remW, ch = remH;
      FIXED_FLOAT_16 u0, v0, u1, v1;
      GLuint name = GetTexture(csx, csy, cw, ch, u0, v0, u1, v1);
      if (cw <= 0 || ch <= 0) return;
      GLES_SelectTexture(name, g_prefer_GL_NEAREST);
      int x0 = cx * 256, y0 = cy * 256, x1 = (cx + cw) * 256, y1 = (cy + ch) * 256;
      const int xy[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
      const int uv[8] = {u0, v0, u1, v0, u1, v1, u0, v1};
      GLES_RenderQUAD(xy, uv, rgba);
      cx += cw;
      csx += cw;
      remW -= cw;
      bandH = ch;
    }
    cy += bandH;
    csy += bandH;
    remH -= bandH;
  }
}

namespace {

// A polygon being clipped: a triangle cut by four edges has at most seven corners.
struct ClipPolygon {
  enum { kCapacity = 16 };
  QuellarVertex v[kCapacity];
  int count = 0;
  void Add(const QuellarVertex& p) {
    if (count < kCapacity) v[count++] = p;
  }
};

FIXED_FLOAT_16 Lerp16(FIXED_FLOAT_16 a, FIXED_FLOAT_16 b, float t) {
  float fa = a / 65536.0f, fb = b / 65536.0f;
  return (FIXED_FLOAT_16)((fa + (fb - fa) * t) * 65536.0f + 0.5f);
}

QuellarVertex Interpolate(const QuellarVertex& a, const QuellarVertex& b, float t) {
  QuellarVertex r = a;
  r.x = Lerp16(a.x, b.x, t);
  r.y = Lerp16(a.y, b.y, t);
  r.z = Lerp16(a.z, b.z, t);
  r.u = Lerp16(a.u, b.u, t);
  r.v = Lerp16(a.v, b.v, t);
  return r;
}

// Keeps the part of the polygon where the u (useU) or v component is >= 0 (upper false) or < 1.
void ClipAgainst(const ClipPolygon& in, ClipPolygon& out, bool useU, bool upper) {
  out.count = 0;
  if (in.count == 0) return;
  auto value = [useU](const QuellarVertex& p) { return (useU ? p.u : p.v) / 65536.0f; };
  auto inside = [upper](float c) { return upper ? c < 1.0f : c >= 0.0f; };
  float bound = upper ? 1.0f : 0.0f;
  for (int i = 0; i < in.count; ++i) {
    const QuellarVertex& a = in.v[i == 0 ? in.count - 1 : i - 1];
    const QuellarVertex& b = in.v[i];
    float ca = value(a), cb = value(b);
    bool ia = inside(ca), ib = inside(cb);
    if (ia != ib) out.Add(Interpolate(a, b, (bound - ca) / (cb - ca)));
    if (ib) out.Add(b);
  }
}

bool OffScreen(const int* xyz, int destW, int destH) {
  bool left = true, above = true, right = true, below = true;
  for (int i = 0; i < 3; ++i) {
    int x = xyz[i * 3], y = xyz[i * 3 + 1];
    left = left && x < 0;
    above = above && y < 0;
    right = right && x >= destW;
    below = below && y >= destH;
  }
  return left || above || right || below;
}

// Clipping at a tile edge that a corner lies on leaves slivers without area; they draw nothing.
bool Degenerate(const int* xyz) {
  int64_t ax = xyz[3] - xyz[0], ay = xyz[4] - xyz[1], bx = xyz[6] - xyz[0], by = xyz[7] - xyz[1];
  return ax * by - ay * bx == 0;
}

int RoundHalfAway(float v) { return (int)(v < 0 ? v - 0.5f : v + 0.5f); }

} // namespace

void QuellarTextureData::BltTriangles_AbsoluteUV_Fast(IDibBitmap* dest, const QuellarVertex (*tris)[3],
                                                      int count, bool white) {
  if (!m_pTiles || !tris || count <= 0) return;
  if (g_GLES_TextEnvironmentMode == GL_BLEND)
    GLES_SetTextEnvironmentColor(tris[0][0].r << 8, tris[0][0].g << 8, tris[0][0].b << 8, tris[0][0].a << 8);
  // 24.8 bounds of the destination for the off-screen test.
  int destW = dest ? dest->GetWidth() << 8 : 0, destH = dest ? dest->GetHeight() << 8 : 0;
  bool cull = g_bRenderingMode2D && dest;
  int xyz[9], uv[6];
  unsigned char rgba[12];

  if (m_nTileCount == 1 && !m_bPVRAtlas) {
    const QuellarTextureTile& t = m_pTiles[0];
    GLES_SelectTexture(t.name, g_prefer_GL_NEAREST);
    for (int n = 0; n < count; ++n) {
      for (int i = 0; i < 3; ++i) {
        const QuellarVertex& p = tris[n][i];
        xyz[i * 3] = p.x >> 8;
        xyz[i * 3 + 1] = p.y >> 8;
        xyz[i * 3 + 2] = p.z >> 8;
        uv[i * 2] = (p.u + m_nSubX16) >> t.log2Width;
        uv[i * 2 + 1] = (p.v + m_nSubY16) >> t.log2Height;
        rgba[i * 4] = p.r;
        rgba[i * 4 + 1] = p.g;
        rgba[i * 4 + 2] = p.b;
        rgba[i * 4 + 3] = p.a;
      }
      if (cull && OffScreen(xyz, destW, destH)) continue;
      GLES_RenderTRIANGLE_3D(xyz, uv, white ? nullptr : rgba);
    }
    return;
  }

  if (m_nLogicalWidth <= 0 || m_nLogicalHeight <= 0) return;
  const QuellarTextureTile& first = m_pTiles[0];
  for (int n = 0; n < count; ++n) {
    ClipPolygon tri;
    for (int i = 0; i < 3; ++i) {
      QuellarVertex p = tris[n][i];
      // Into cell units: 65536 is one tile.
      p.u = (FIXED_FLOAT_16)((int64_t)(p.u + m_nSubX16) * m_nUScale / ((int64_t)m_nLogicalWidth << 16));
      p.v = (FIXED_FLOAT_16)((int64_t)(p.v + m_nSubY16) * m_nVScale / ((int64_t)m_nLogicalHeight << 16));
      tri.Add(p);
    }
    for (int row = 0; row < m_nTilesDown; ++row) {
      for (int col = 0; col < m_nTilesAcross; ++col) {
        const QuellarTextureTile& t = m_pTiles[row * m_nTilesAcross + col];
        ClipPolygon a = tri, b;
        for (int i = 0; i < a.count; ++i) {
          QuellarVertex& p = a.v[i];
          p.u -= col << 16;
          p.v -= row << 16;
          if (row == m_nTilesDown - 1 && t.usedHeight)
            p.v = (FIXED_FLOAT_16)((int64_t)p.v * first.usedHeight / t.usedHeight);
          if (col == m_nTilesAcross - 1 && t.usedWidth)
            p.u = (FIXED_FLOAT_16)((int64_t)p.u * first.usedWidth / t.usedWidth);
        }
        ClipAgainst(a, b, true, false);
        ClipAgainst(b, a, false, false);
        ClipAgainst(a, b, true, true);
        ClipAgainst(b, a, false, true);
        if (a.count < 3) continue;
        bool selected = false;
        for (int i = 1; i + 1 < a.count; ++i) {
          const QuellarVertex* fan[3] = {&a.v[0], &a.v[i], &a.v[i + 1]};
          for (int k = 0; k < 3; ++k) {
            const QuellarVertex& p = *fan[k];
            xyz[k * 3] = p.x >> 8;
            xyz[k * 3 + 1] = p.y >> 8;
            xyz[k * 3 + 2] = p.z >> 8;
            if (m_bPVRAtlas) {
              uv[k * 2] = RoundHalfAway((m_fBorderOffset + m_fBorderScale * (p.u / 65536.0f)) * 65536.0f);
              uv[k * 2 + 1] = RoundHalfAway((m_fBorderOffset + m_fBorderScale * (p.v / 65536.0f)) * 65536.0f);
            } else {
              uv[k * 2] = p.u;
              uv[k * 2 + 1] = p.v;
            }
            rgba[k * 4] = p.r;
            rgba[k * 4 + 1] = p.g;
            rgba[k * 4 + 2] = p.b;
            rgba[k * 4 + 3] = p.a;
          }
          if (Degenerate(xyz) || (cull && OffScreen(xyz, destW, destH))) continue;
          if (!selected) {
            GLES_SelectTexture(t.name, g_prefer_GL_NEAREST);
            selected = true;
          }
          GLES_RenderTRIANGLE_3D(xyz, uv, white ? nullptr : rgba);
        }
      }
    }
  }
}

GLuint GLES_CreateTextureSurface(int /*w*/, int /*h*/, bool /*alpha*/) {
  GLuint name = GLC_GenTexture();
  if (!name) return 0;
  GLES_SelectTexture(name, g_prefer_GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, g_prefer_GL_LINEAR);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  g_bDunmarrowMakeMipMapsForTexture ? GL_LINEAR_MIPMAP_NEAREST : g_prefer_GL_LINEAR);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return name;
}

namespace {

int BytesPerTexel(GLenum type) { return type == GL_UNSIGNED_BYTE || type == GL_BGRA_EXT ? 4 : 2; }

// One texel of the upload from pixel index i of the bitmap.
void ConvertTexel(GLenum type, const unsigned char* pixels, int bpp, const unsigned char* alpha, size_t i,
                  bool alphaOnly, unsigned char* out) {
  unsigned a = alpha ? alpha[i] : 255;
  if (type == GL_UNSIGNED_BYTE || type == GL_BGRA_EXT) {
    if (alphaOnly || !pixels) {
      out[0] = out[1] = out[2] = 255;
    } else if (bpp == 2) {
      u16 p = ((const u16*)pixels)[i];
      out[0] = (unsigned char)((p >> 8) & 0xF8);
      out[1] = (unsigned char)((p >> 3) & 0xFC);
      out[2] = (unsigned char)((p << 3) & 0xF8);
    } else {
      memcpy(out, pixels + i * bpp, 3);
    }
    out[3] = (unsigned char)a;
    return;
  }
  u16 t;
  if (type == GL_UNSIGNED_SHORT_5_6_5) {
    t = ((const u16*)pixels)[i];
  } else if (!pixels) { // 4444 from an alpha map alone: white
    t = (u16)(0xFFF0 | (a >> 4));
  } else {
    u16 p = ((const u16*)pixels)[i];
    t = (u16)((p & 0xF000) | (((p >> 7) & 0xF) << 8) | (((p >> 1) & 0xF) << 4) | (a >> 4));
  }
  memcpy(out, &t, 2);
}

void UploadLevels(GLenum type, int w, int h, unsigned char* buffer) {
  GLenum format = type == GL_UNSIGNED_SHORT_5_6_5 ? GL_RGB : type == GL_BGRA_EXT ? GL_BGRA_EXT : GL_RGBA;
  GLenum texType = type == GL_BGRA_EXT ? GL_UNSIGNED_BYTE : type;
  if (g_bDunmarrowLoadTextureHalfSize && w > 1 && h > 1) {
    ScalePixels2xDown(buffer, w, h, type);
    w /= 2;
    h /= 2;
  }
  GLC_TexImage2D(0, format, w, h, texType, buffer);
  if (!g_bDunmarrowMakeMipMapsForTexture) return;
  GLenum mipType = type == GL_UNSIGNED_SHORT_5_6_5 || type == GL_UNSIGNED_BYTE || type == GL_BGRA_EXT
                       ? type
                       : (GLenum)GL_UNSIGNED_SHORT_4_4_4_4;
  for (int level = 1; w > 1 && h > 1; ++level) {
    ScalePixels2xDown(buffer, w, h, mipType);
    w /= 2;
    h /= 2;
    GLC_TexImage2D(level, format, w, h, texType, buffer);
  }
}

} // namespace

int GLES_CopyImageToTexture(QuellarTextureData* td, CAppGraphics* game, GLuint name, IDibBitmap* bitmap,
                            int x, int y, int texW, int texH, bool alpha, bool alphaOnly) {
  if (!td || !bitmap || !name || texW <= 0 || texH <= 0) return 0;
  const unsigned char* pixels = bitmap->GetBits();
  const unsigned char* alphaMap = alpha ? bitmap->GetAlphaBits() : nullptr;
  int bpp = bitmap->GetBytesPerPixel();
  if (!pixels && !alphaMap) return 0;
  // A three-byte bitmap only fits 8888, whatever the true-colour setting.
  bool trueColor = (game && game->m_bTrueColorImages) || (pixels && bpp >= 3);
  GLenum type;
  if (g_bRestoringLostContext && td->m_nPixelType != (GLenum)-1)
    type = td->m_nPixelType;
  else if (trueColor)
    type = GL_UNSIGNED_BYTE;
  else
    type = alphaMap ? GL_UNSIGNED_SHORT_4_4_4_4 : GL_UNSIGNED_SHORT_5_6_5;
  if (pixels && bpp >= 3 && BytesPerTexel(type) != 4) type = GL_UNSIGNED_BYTE;
  if (!pixels && type == GL_UNSIGNED_SHORT_5_6_5) type = GL_UNSIGNED_SHORT_4_4_4_4;
  td->m_nPixelType = type;

  int texel = BytesPerTexel(type);
  int64_t bytes = (int64_t)texW * texH * texel;
  if (bytes <= 0 || bytes > g_nTextureDataBufferSize) return 0;
  if (!g_pTextureDataBuffer) {
    g_pTextureDataBuffer = (unsigned char*)malloc((size_t)g_nTextureDataBufferSize);
    if (!g_pTextureDataBuffer) return 0;
  }
  unsigned char* buf = g_pTextureDataBuffer;

  int W = bitmap->GetStoredWidth(), H = bitmap->GetStoredHeight();
  if (x < 0 || y < 0 || x >= W || y >= H) return 0;
  int imageRows = H - y < texH ? H - y : texH, imageCols = W - x < texW ? W - x : texW;
  // Two extra rows and columns repeat the image's edge so that linear filtering does not pull in
  // black; 32-bit texels repeat it to the end of the row.
  int rows = imageRows + 2 < texH ? imageRows + 2 : texH;
  int cols = texel == 4 ? texW : (imageCols + 2 < texW ? imageCols + 2 : texW);
  // Whole rows are written below in 32-bit texels; only the rows under them stay black.
  if (texel == 4)
    memset(buf + (size_t)rows * texW * 4, 0, (size_t)(texH - rows) * texW * 4);
  else
    memset(buf, 0, (size_t)bytes);
  // Three-byte colour into 8888, the common page: each row straight, then its edge repeated.
  const bool straight = type == GL_UNSIGNED_BYTE && pixels && bpp == 3 && !alphaOnly;
  for (int j = 0; j < rows; ++j) {
    int sy = y + j < H ? y + j : H - 1;
    unsigned char* out = buf + (size_t)j * texW * texel;
    if (straight) {
      const unsigned char* in = pixels + ((size_t)sy * W + x) * 3;
      const unsigned char* a = alphaMap ? alphaMap + (size_t)sy * W + x : nullptr;
      for (int i = 0; i < imageCols; ++i, out += 4, in += 3) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        out[3] = a ? a[i] : 255;
      }
      for (int i = imageCols; i < cols; ++i, out += 4)
        memcpy(out, out - 4, 4);
      continue;
    }
    for (int i = 0; i < cols; ++i) {
      int sx = x + i < W ? x + i : W - 1;
      ConvertTexel(type, pixels, bpp, alphaMap, (size_t)sy * W + sx, alphaOnly, out + (size_t)i * texel);
    }
  }
  GLES_SelectTexture(name, g_prefer_GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  UploadLevels(type, texW, texH, buf);
  return 1;
}

void ScalePixels2xDown(unsigned char* pixels, int w, int h, GLenum glType) {
  if (!pixels || h < 2 || w < 2) return;
  int ow = w / 2, oh = h / 2;
  if (glType == GL_UNSIGNED_BYTE || glType == GL_BGRA_EXT) {
    for (int j = 0; j < oh; ++j)
      for (int i = 0; i < ow; ++i)
        for (int c = 0; c < 4; ++c) {
          const unsigned char* s = pixels + ((size_t)(2 * j) * w + 2 * i) * 4 + c;
          unsigned sum = s[0] + s[4] + s[(size_t)w * 4] + s[(size_t)w * 4 + 4];
          pixels[((size_t)j * ow + i) * 4 + c] = (unsigned char)(sum >> 2);
        }
    return;
  }
  int shifts[4], widths[4];
  if (glType == GL_UNSIGNED_SHORT_5_6_5) {
    const int s[4] = {11, 5, 0, 0}, b[4] = {5, 6, 5, 0};
    memcpy(shifts, s, sizeof s);
    memcpy(widths, b, sizeof b);
  } else if (glType == GL_UNSIGNED_SHORT_4_4_4_4) {
    const int s[4] = {12, 8, 4, 0}, b[4] = {4, 4, 4, 4};
    memcpy(shifts, s, sizeof s);
    memcpy(widths, b, sizeof b);
  } else {
    return;
  }
  u16* p = (u16*)pixels;
  for (int j = 0; j < oh; ++j)
    for (int i = 0; i < ow; ++i) {
      const u16* s = p + (size_t)(2 * j) * w + 2 * i;
      u16 out = 0;
      for (int c = 0; c < 4; ++c) {
        if (!widths[c]) continue;
        unsigned m = (1u << widths[c]) - 1, sh = (unsigned)shifts[c];
        unsigned sum = ((s[0] >> sh) & m) + ((s[1] >> sh) & m) + ((s[w] >> sh) & m) + ((s[w + 1] >> sh) & m);
        out = (u16)(out | ((sum >> 2) << sh));
      }
      p[(size_t)j * ow + i] = out;
    }
}

namespace {

const u32 kPVRHeaderSize = 52;

} // namespace

int ProcessPVRData(const void* file, u32 fileSize, TexLevelData* levels, int& count, bool& alpha) {
  count = 0;
  alpha = false;
  if (!file || !levels || fileSize < kPVRHeaderSize) return 0;
  const u8* p = (const u8*)file;
  u32 height = SwapInt32LittleToHost(ReadLe32(p + 4)), width = SwapInt32LittleToHost(ReadLe32(p + 8));
  u32 format = SwapInt32LittleToHost(ReadLe32(p + 16)) & 0xFF;
  u32 dataSize = SwapInt32LittleToHost(ReadLe32(p + 20));
  if (memcmp(p + 44, "PVR!", 4) != 0) return 0;
  bool fourBits;
  if (format == 13 || format == 25)
    fourBits = true;
  else if (format == 12 || format == 24)
    fourBits = false;
  else
    return 0;
  if (dataSize > fileSize - kPVRHeaderSize) return 0;
  alpha = SwapInt32LittleToHost(ReadLe32(p + 40)) != 0;
  u32 offset = 0;
  int n = 0;
  while (offset < dataSize) {
    if (n == PVR_MAX_LEVELS) return 0;
    u32 blocksAcross = fourBits ? width / 4 : width / 8, blocksDown = height / 4;
    u32 size = (blocksAcross > 2 ? blocksAcross : 2) * 8 * (blocksDown > 2 ? blocksDown : 2);
    if (size > dataSize - offset) return 0;
    levels[n].data = p + kPVRHeaderSize + offset;
    levels[n].size = size;
    ++n;
    offset += size;
    width = width > 1 ? width / 2 : 1;
    height = height > 1 ? height / 2 : 1;
  }
  count = n;
  return 1;
}

void texImage2DPVRTC(int level, int bpp, bool alpha, int w, int h, const void* data) {
  GLenum format;
  if (alpha)
    format = bpp == 4 ? GL_COMPRESSED_RGBA_PVRTC_4BPPV1_IMG : GL_COMPRESSED_RGBA_PVRTC_2BPPV1_IMG;
  else
    format = bpp == 4 ? GL_COMPRESSED_RGB_PVRTC_4BPPV1_IMG : GL_COMPRESSED_RGB_PVRTC_2BPPV1_IMG;
  int size = w * h * (bpp == 4 ? 4 : 2) / 8;
  GLC_CompressedTexImage2D(level, format, w, h, size > 32 ? size : 32, data);
}

int g_nHasPVRTC = -1;

bool GLES_HasPVRTC() {
  if (g_nHasPVRTC < 0) {
    const char* ext = (const char*)glGetString(GL_EXTENSIONS);
    g_nHasPVRTC = ext && strstr(ext, "GL_IMG_texture_compression_pvrtc") ? 1 : 0;
  }
  return g_nHasPVRTC == 1;
}

namespace {

struct PVRDescription {
  int borderSize = 0;
  int fullWidth = 0, fullHeight = 0;
  int tilesX = 0, tilesY = 0;
  int subTextureSize = 0;
  int bpp = 0;
};

const int kPVRMaxTiles = 4096;

bool ReadPVRDescription(CMemoryFile& file, PVRDescription& d) {
  struct Key {
    const char* name;
    int* value;
  };
  const Key keys[] = {{"BorderSize", &d.borderSize},
                      {"FullWidth", &d.fullWidth},
                      {"FullHeight", &d.fullHeight},
                      {"NumTilesX", &d.tilesX},
                      {"NumTilesY", &d.tilesY},
                      {"SubTextureSize", &d.subTextureSize},
                      {"BPP", &d.bpp}};
  Parser::Text line, name, value;
  while (Parser::GetNextLine(&file, line)) {
    if (!Parser::IsPropertyString(line) || !Parser::ReadPropertyFromString(line, name, value)) continue;
    name = Parser::RemoveLastSpaces(name);
    for (const Key& k : keys)
      if (strcmp(name.GetData(), k.name) == 0) *k.value = Parser::AToI(value.GetData());
  }
  if (d.fullWidth < 1 || d.fullHeight < 1 || d.tilesX < 1 || d.tilesY < 1 || d.subTextureSize < 1 ||
      d.bpp < 1)
    return false;
  // A border eating the whole tile would leave cells of no size.
  if (d.borderSize < 0 || d.subTextureSize - 2 * d.borderSize < 1) return false;
  return (int64_t)d.tilesX * d.tilesY <= kPVRMaxTiles;
}

} // namespace

int QuellarTextureData::PVR_CreateTexture(IDibBitmap* bitmap, const char* descriptionFile) {
  if (!bitmap || !descriptionFile) return 0;
  size_t nameLength = strlen(descriptionFile);
  if (nameLength <= 4) return 0;
  m_bPVRAtlas = 1;
  CMemoryFile description;
  if (!DidLoadOpenImageFile1x_2x(m_pGame, description, bitmap, descriptionFile, false)) return 0;
  PVRDescription d;
  if (!ReadPVRDescription(description, d)) return 0;
  description.Close();

  ReleaseTextureData();
  m_pTiles = new (std::nothrow) QuellarTextureTile[(size_t)d.tilesX * d.tilesY]();
  if (!m_pTiles) return 0;
  m_nTilesAcross = d.tilesX;
  m_nTilesDown = d.tilesY;
  m_nTileCount = d.tilesX * d.tilesY;

  bool alpha = false;
  CommonString base;
  base.Format("%.*s", (int)(nameLength - 4), descriptionFile);
  for (int i = 0; i < m_nTileCount; ++i) {
    CommonString tileName;
    tileName.Format("%s_%04d.pvr", base.c_str(), i + 1);
    CMemoryFile tile;
    if (!DidLoadOpenImageFile1x_2x(m_pGame, tile, nullptr, tileName.c_str(), false)) return 0;
    TexLevelData levels[PVR_MAX_LEVELS];
    int count = 0;
    if (!ProcessPVRData(tile.GetBuffer(), (u32)tile.GetSize(), levels, count, alpha)) return 0;
    if (!GLES_HasPVRTC()) {
      fprintf(stderr, "PVR atlas '%s' needs PVRTC textures, which this GL does not offer\n", descriptionFile);
      return 0;
    }
    QuellarTextureTile& t = m_pTiles[i];
    t.texWidth = t.texHeight = t.usedWidth = t.usedHeight = 64;
    t.log2Width = t.log2Height = 6;
    t.name = GLES_CreateTextureSurface(d.subTextureSize, d.subTextureSize, alpha);
    if (!t.name) return 0;
    for (int level = 0; level < count; ++level) {
      int w = d.subTextureSize >> level, h = d.subTextureSize >> level;
      if (w < 1) w = 1;
      if (h < 1) h = 1;
      int bits = d.bpp == 4 ? 4 : 2, size = w * h * bits / 8;
      // GL reads the size the level claims: the file must hold that much.
      if ((u32)(size > 32 ? size : 32) > levels[level].size) return 0;
      texImage2DPVRTC(level, d.bpp, alpha, w, h, levels[level].data);
    }
  }
  int cell = d.subTextureSize - 2 * d.borderSize;
  m_nTileWidth = m_nTileHeight = cell;
  m_nUScale = ScaleOf(d.fullWidth, cell);
  m_nVScale = ScaleOf(d.fullHeight, cell);
  m_nImageWidth = m_nSubWidth = d.fullWidth;
  m_nImageHeight = m_nSubHeight = d.fullHeight;
  m_nSubX = m_nSubY = 0;
  m_bFromAtlas = 0;
  m_bPVRAlpha = alpha;
  m_nKind = alpha ? 2 : 1;
  m_fBorderScale = (float)cell / d.subTextureSize;
  m_fBorderOffset = (float)d.borderSize / d.subTextureSize;
  m_b2xImage = bitmap->m_b2xImage;
  ApplyResolution();
  // The cells are not powers of two, so the quad blit cannot address them: it draws nothing from
  // a PVR atlas, whose items are drawn as triangles.
  m_nWidth16 = m_nHeight16 = 0;
  return 1;
}
