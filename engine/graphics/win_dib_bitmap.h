// CWinDibBitmap: the in-memory bitmap (RGB565 or three-byte pixels plus an 8-bit alpha map) and its
// software drawing routines.
#pragma once

#include "dib_bitmap.h"

class CAppGraphics;

class CWinDibBitmap : public IDibBitmap {
public:
  explicit CWinDibBitmap(CAppGraphics* game);
  ~CWinDibBitmap() override;

  void SetOrientaionMode(int mode) override { m_nOrientationMode = mode; }
  int GetOrientationMode() override { return m_nOrientationMode; }
  int Create(int w, int h) override;
  int SetBits(unsigned char* bits, int w, int h) override;
  int SetAlphaBits(unsigned char* bits, int w, int h) override;
  void ClearBitmap(int r, int g, int b) override;
  int Destroy() override;
  int DestroyAlpha() override;
  int DestroyBits() override;
  unsigned char* GetBits() override { return m_pBits; }
  unsigned char* GetAlphaBits() override { return m_pAlphaBits; }
  void Draw(IDibBitmap* dest, int x, int y, int w, int h, int flip, int alpha) override;
  void FastDraw(IDibBitmap* dest, int x, int y) override;
  void CopyAlpha(IDibBitmap* dest, int x, int y, int w, int h) override;
  void CopyBitmap(IDibBitmap* dest, int x, int y, int w, int h) override;
  void SetExternalAlpha(unsigned char* alpha) override;
  void FastCopy(IDibBitmap* dest, int from, int to, int count) override;
  bool IsAlphaExternal() override { return m_bExternalAlpha != 0; }
  void StretchDraw(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int sw, int sh, int flip,
                   int alpha) override;
  void FillAlphaNoStretch(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int flip,
                          int alpha) override;
  void DrawToDeviceScreen() override {}
  void SetBitsPerPixel(int bpp) override;
  int GetBitsPerPixel() override { return m_nBitsPerPixel; }
  void DrawLineV(int x, int y1, int y2, int r, int g, int b, int a) override;
  void DrawLineH(int x1, int x2, int y, int r, int g, int b, int a) override;
  void DrawRectangle(int x, int y, int w, int h, int r, int g, int b) override;
  void FillRectangle(int x, int y, int w, int h, int r, int g, int b) override;
  void FillAlphaNoStretchAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int flip,
                                  int alpha) override;
  void BitBlt(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) override;
  void BitBltAdditive(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) override;
  void BitBltMultiply(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx, int sy,
                      int alpha) override;
  void BitBltMultiplyAdditive(IDibBitmap*, int, int, int, int, int, int, int, int, int, int) override {}
  void WriteBits(int x, int y, unsigned char* data, int count) override;
  void WriteAlphaBits(int x, int y, unsigned char* data, int count) override;
  void ReplaceAlphaWithTransparentColor() override;
  void AdjustHSL(short dh, short ds, short dl) override;
  void AddBrightness(short k) override;
  int GetBytesPerPixel() override { return m_nBytesPerPixel; }

  virtual void DrawOpaque(IDibBitmap* dest, int x, int y, int w, int h, int flip);
  virtual void DrawToDeviceScreen(int, int) {}

  // Logical and device sizes from the stored size, the orientation and double-resolution mode.
  void UpdateWidthAndHeight();
  // Uses a pixel buffer the bitmap does not own; w and h are the stored size.
  void SetExternalBits(unsigned char* bits, int w, int h);
  void SetRectAccordingToOrientationMode(int& x, int& y, int& w, int& h);
  // Maps a blit's destination rectangle and source origin into the stored grids.
  void SetBitBltCoordsAccordingToOrientationMode(IDibBitmap* dest, int& x, int& y, int& w, int& h, int& sx,
                                                 int& sy);
  // Workers: coordinates are already in the stored grids. Each draws only when both bitmaps hold
  // 16-bit pixels in memory.
  void Draw565(IDibBitmap* dest, int x, int y, int w, int h, int flip, int k);
  void DrawWithoutAlpha_16Bits(IDibBitmap* dest, int x, int y, int w, int h, int flip);
  void FastDraw565(IDibBitmap* dest, int x, int y);
  void StretchDraw565(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int sw, int sh, int flip,
                      int k);
  void BitBlt565(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int k);
  void BitBlt565_Fast(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy);
  void BitBlt565_444_FastOpaque(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy);
  void BitBlt_TransparentColor_Fast(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy);
  void BitBlt_TransparentColor(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int k);
  void BitBltAdditive565(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int k);
  void BitBltAdditive565_Fast(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy);
  void BitBltMultiply565(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx, int sy,
                         int k);
  void BitBltMultiply565_Fast(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx,
                              int sy);
  void BitBltMultiply565_Fast_Opaque(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                     int sx, int sy);
  void FillAlphaNoStretch565(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int flip,
                             int k);
  void FillAlphaNoStretch565_TransparentColor(IDibBitmap* dest, int r, int g, int b, int x, int y, int k);
  void FillAlphaNoStretchAdditive565(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                     int flip, int k);

  unsigned char* m_pBits = nullptr;
  unsigned char* m_pAlphaBits = nullptr; // with 4 bytes per pixel: the pixels themselves
  int m_nBitsPerPixel = 16;
  int m_nBytesPerPixel = 2;
  int m_nPixelFormat = PIXEL_FORMAT_565;
  int m_nOrientationMode = 0;
  CAppGraphics* m_pGame = nullptr;
  u8 m_bExternalAlpha = 0;
  u8 m_bExternalBits = 0;
  u8 m_bTransparentColorMode = 0;
  u16 m_nTransparentColor = 0; // skipped by the blits while the mode flag is set

protected:
  // Maps a drawing position of this bitmap into dest's stored grid.
  void MapPoint(IDibBitmap* dest, int& x, int& y);

private:
  int MapFlip(int flip) const;
  bool Can16BitBlit(IDibBitmap* dest);
  void FillStored(int x1, int y1, int x2, int y2, int r, int g, int b);
};
