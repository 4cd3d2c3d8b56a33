// QuellarTextureData: the GL side of a hardware bitmap. It cuts the pixels into power-of-two
// texture tiles, uploads them and draws from them through the batcher; it can also share the
// tiles of another bitmap (an atlas item) or build them from a PVRTC texture atlas.
#pragma once

#include <GLES/gl.h>

#include <vector>

#include "gl_renderer.h"
#include "quellar_types.h"

class CAppGraphics;
class IDibBitmap;

// One vertex of a textured triangle: x, y, z in 16.16 pixels, u, v in 16.16 pixels of the source.
struct QuellarVertex {
  FIXED_FLOAT_16 x;
  FIXED_FLOAT_16 y;
  FIXED_FLOAT_16 z;
  FIXED_FLOAT_16 u;
  FIXED_FLOAT_16 v;
  u8 r;
  u8 g;
  u8 b;
  u8 a;
};

struct QuellarTextureTile {
  int texWidth;
  int texHeight;
  int usedWidth; // the texture size, halved in double-resolution mode
  int usedHeight;
  int log2Width; // of the used size, rounded up
  int log2Height;
  GLuint name;
};

// One mip level of a PVR file: its bytes inside the file.
struct TexLevelData {
  const u8* data;
  u32 size;
};

enum { PVR_MAX_LEVELS = 16 }; // a 32768-texel side halves to 1 in 16 levels

extern int gMaxTextureWidth;
extern int gMaxTextureHeight;
extern int gMinTextureWidth;
extern int gMinTextureHeight;
extern int gMaxTextureAspectRatio;
extern int g_nTextureDataBufferSize;
extern unsigned char* g_pTextureDataBuffer; // conversion buffer of every upload, kept once made
extern bool g_bDunmarrowMakeMipMapsForTexture;
extern bool g_bDunmarrowLoadTextureHalfSize;
extern bool g_bRestoringLostContext; // set while textures are re-created for a new GL context

class QuellarTextureData {
public:
  explicit QuellarTextureData(CAppGraphics* game);
  ~QuellarTextureData();
  QuellarTextureData(const QuellarTextureData&) = delete;
  QuellarTextureData& operator=(const QuellarTextureData&) = delete;

  // Builds or refreshes the tiles from the bitmap's pixels and alpha map; alphaOnly uploads the
  // alpha map as white. 1 or 0.
  int CreateTextureData(IDibBitmap* bitmap, bool alphaOnly);
  // Lays the tiles out without creating textures; 0 when the tile array cannot be allocated.
  int CreateTextureTiles(IDibBitmap* bitmap);
  void ReleaseTextureData();
  // Shares the tiles of an atlas bitmap, drawing its sub-rectangle (x, y, w, h) in stored pixels;
  // a rectangle outside the atlas is refused.
  int SetTextureDataFromAtlas(IDibBitmap* atlas, int x, int y, int w, int h, bool second);
  // The tile holding (x, y) of the drawn area, with (w, h) clipped to that tile and its texture
  // coordinates.
  GLuint GetTexture(int x, int y, int& w, int& h, FIXED_FLOAT_16& uMin, FIXED_FLOAT_16& vMin,
                    FIXED_FLOAT_16& uMax, FIXED_FLOAT_16& vMax);
  void Blt(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int r, int g, int b, int a);
  // white: the vertex colours are not sent (opaque white).
  void BltTriangles_AbsoluteUV_Fast(IDibBitmap* dest, const QuellarVertex (*tris)[3], int count, bool white);
  void SetTextureMapMode(Renderer_TextureMapMode s, Renderer_TextureMapMode t) {
    m_WrapS = s;
    m_WrapT = t;
  }
  void GetTextureMapMode(Renderer_TextureMapMode& s, Renderer_TextureMapMode& t) {
    s = m_WrapS;
    t = m_WrapT;
  }
  // Builds the tiles from a PVR atlas description and its numbered ".pvr" tile files.
  int PVR_CreateTexture(IDibBitmap* bitmap, const char* descriptionFile);

  // Notes which cells of kOpaqueCell x kOpaqueCell texels of the bitmap's picture are wholly
  // opaque, before its pixels are let go; a bitmap turned on its side or without an alpha map
  // notes none.
  void NoteOpaqueCells(IDibBitmap* bitmap);
  // The rectangle of wholly opaque cells that grows out of the middle of the texels x0..x1,
  // y0..y1 (x1, y1 excluded), kept one texel inside them so that filtering reads nothing beside
  // it: the part of a picture drawn there that hides what lies under it. False when there is none.
  bool OpaqueMiddle(int x0, int y0, int x1, int y1, int* ox0, int* oy0, int* ox1, int* oy1) const;
  enum { kOpaqueCell = 8 };
  std::vector<unsigned char> m_OpaqueCells; // 1 for a wholly opaque cell, row by row
  // The same cells as a blit may draw them: opaque (every texel 255 in alpha) or clear (every byte
  // of every texel 0) only where the eight cells around are of that kind too, so that a pixel drawn
  // in the cell reads no texel of another kind however it filters; mixed for any other.
  enum CellKind : unsigned char { kCellMixed = 0, kCellOpaque = 1, kCellClear = 2 };
  std::vector<unsigned char> m_CellKinds;
  // A rectangle of texels x0..x1, y0..y1 (x1, y1 excluded) whose cells are all of one kind.
  struct CellPiece {
    int x0, y0, x1, y1;
    CellKind kind;
  };
  enum { kMostPieceSteps = 128, kMinPieceSteps = 8 };
  // Splits the texels x0..x1, y0..y1 into pieces of one kind each, rows of steps merged where they
  // run alike: the steps are whole cells, at most kMostPieceSteps of them along each side, made
  // coarser (down to kMinPieceSteps along the longer side) as long as more than max pieces would be
  // needed. Opaque cells count as mixed unless opaque is asked for. Answers how many pieces, 0 when
  // no cells are noted, the texels reach past them or no steps keep the pieces within max.
  int CellPieces(int x0, int y0, int x1, int y1, bool opaque, CellPiece* out, int max) const;
  int CellPiecesInSteps(int c0, int r0, int c1, int r1, int x0, int y0, int x1, int y1, int cells,
                        bool opaque, CellPiece* out, int max) const;
  int m_nCellsAcross = 0;
  int m_nCellsDown = 0;
  // Noted with the cells: a picture wholly opaque black (0) or white (1), whose every texel is
  // that colour; -1 for any other.
  int m_nSolidColour = -1;

  QuellarTextureTile* m_pTiles = nullptr;
  int m_nTileCount = 0;
  int m_nTilesAcross = 0;
  int m_nTilesDown = 0;
  int m_nImageWidth = 0;
  int m_nImageHeight = 0;
  int m_nLogicalWidth = 0;
  int m_nLogicalHeight = 0;
  int m_nTileWidth = 64; // the cell one tile covers
  int m_nTileHeight = 64;
  int m_nXMask = 63;
  int m_nYMask = 63;
  int m_nXShift = 6;
  int m_nYShift = 6;
  FIXED_FLOAT_16 m_nUScale = 0; // image size / cell size
  FIXED_FLOAT_16 m_nVScale = 0;
  int m_bFromAtlas = 0;
  int m_nSubX = 0;
  int m_nSubY = 0;
  FIXED_FLOAT_16 m_nSubX16 = 0;
  FIXED_FLOAT_16 m_nSubY16 = 0;
  int m_nSubWidth = 0;
  int m_nSubHeight = 0;
  FIXED_FLOAT_16 m_nWidth16 = 0;
  FIXED_FLOAT_16 m_nHeight16 = 0;
  GLenum m_nPixelType = (GLenum)-1;
  IDibBitmap* m_pParentAtlas = nullptr;
  u8 m_b2xImage = 0;
  u8 m_bPVRAtlas = 0;
  float m_fBorderOffset = 0.0f;
  float m_fBorderScale = 1.0f;
  u8 m_bPVRAlpha = 0;
  Renderer_TextureMapMode m_WrapS = 0;
  Renderer_TextureMapMode m_WrapT = 0;
  int m_nKind = 0; // 1 opaque, 2 with alpha map
  CAppGraphics* m_pGame = nullptr;

private:
  // Derives the drawn sizes, masks, shifts and used tile sizes from the stored ones, halved for a
  // double-resolution image.
  void ApplyResolution();
  void ResetTileDefaults();
  u8 m_bSecondResource = 0;
};

// Tile size for an image side pair: powers of two within the device limits and aspect ratio.
void GetBestTextureDimensions(int& w, int& h);
GLuint GLES_CreateTextureSurface(int w, int h, bool alpha);
int GLES_CopyImageToTexture(QuellarTextureData* td, CAppGraphics* game, GLuint name, IDibBitmap* bitmap,
                            int x, int y, int texW, int texH, bool alpha, bool alphaOnly);
void ScalePixels2xDown(unsigned char* pixels, int w, int h, GLenum glType);
// Parses a version 2 PVRTC file of fileSize bytes into at most PVR_MAX_LEVELS levels. Level data
// must lie inside the file; a data size of 0 gives no levels.
int ProcessPVRData(const void* file, u32 fileSize, TexLevelData* levels, int& count, bool& alpha);
void texImage2DPVRTC(int level, int bpp, bool alpha, int w, int h, const void* data);
// The GL context offers PVRTC textures: asked once, -1 until then (a new context resets it).
extern int g_nHasPVRTC;
bool GLES_HasPVRTC();
inline u32 SwapInt32LittleToHost(u32 v) { return v; }
