// CBitmapHW: the bitmap of every image and of the screen under the GL renderer. It keeps its
// pixels in memory like the software bitmap and draws into the render target through its
// texture tiles and the batcher; into any other bitmap it draws in software.
#pragma once

#include "texture_data.h"
#include "win_dib_bitmap.h"

class CBitmapHW : public CWinDibBitmap {
public:
  explicit CBitmapHW(CAppGraphics* game);
  ~CBitmapHW() override;

  int SetBits(unsigned char* bits, int w, int h) override;
  int SetAlphaBits(unsigned char* bits, int w, int h) override;
  void ClearBitmap(int r, int g, int b) override;
  int Destroy() override;
  // After HWReleasePixelDataInRAM these answer a placeholder: the bitmap still counts as having
  // pixels (and an alpha map) for the GL paths, while ArePixelsReleased keeps software paths off.
  unsigned char* GetBits() override;
  unsigned char* GetAlphaBits() override;
  bool ArePixelsReleased() override { return m_bPixelsReleased || m_bAlphaReleased; }
  void Draw(IDibBitmap* dest, int x, int y, int w, int h, int flip, int alpha) override;
  void FastDraw(IDibBitmap*, int, int) override {}
  void StretchDraw(IDibBitmap*, int, int, int, int, int, int, int, int, int, int) override {}
  void FillAlphaNoStretch(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int flip,
                          int alpha) override;
  void DrawToDeviceScreen() override;
  void DrawLineV(int, int, int, int, int, int, int) override {}
  void DrawLineH(int, int, int, int, int, int, int) override {}
  void DrawRectangle(int, int, int, int, int, int, int) override {}
  void FillRectangle(int x, int y, int w, int h, int r, int g, int b) override;
  void FillAlphaNoStretchAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int flip,
                                  int alpha) override;
  void BitBlt(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) override;
  void BitBltAdditive(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) override;
  void BitBltMultiply(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx, int sy,
                      int alpha) override;
  void BitBltMultiplyAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx,
                              int sy, int alpha) override;
  void ReplaceAlphaWithTransparentColor() override {}
  void AddBrightness(short k) override;

  void HWBeginScene() override;
  int HWUpdateTexture() override;
  void HWReleaseTexture() override { m_TextureData.ReleaseTextureData(); }
  void HWReleasePixelDataInRAM() override;
  QuellarTextureData* GetHWResource() override { return &m_TextureData; }
  int HWInitFromTextureAtlas(IDibBitmap* atlas, int x, int y, int w, int h) override;
  // After a lost GL context: reads the pixels again from the files they came from and uploads them.
  void HWReloadContentFromAppAssets() override;
  void DrawOpaque(IDibBitmap* dest, int x, int y, int w, int h, int flip) override {
    Draw(dest, x, y, w, h, flip, 0);
  }
  void DrawToDeviceScreen(int, int) override {}

  // Projection set-up of the screen bitmap, reached through GLES_Set2DRenderingMode and
  // GLES_Set3DRenderingMode.
  void Set2DRenderingMode();
  void Set3DRenderingMode();
  int GLES_UpdateTexture();
  void GLES_ReleaseTexture() { m_TextureData.ReleaseTextureData(); }

  QuellarTextureData m_TextureData;
  u8 m_bPixelsChanged = 1;
  u8 m_bAlphaChanged = 1;
  u8 m_bPixelsReleased = 0;
  u8 m_bAlphaReleased = 0;

private:
  bool IsTarget(IDibBitmap* bitmap) const;
  void SetUpViewport();
};

// The S-curve (sin(t x 180 - 90 degrees) + 1) / 2 in steps of 1/256.
float internal_scurve(float t);
