// IDibBitmap, the engine's one abstract bitmap, and the RGB/HSL colour-space conversion.
#pragma once

#include "common_string.h"
#include "quellar_types.h"

class QuellarTextureData;

// Channels 0..255.
struct rgbcolor {
  int r;
  int g;
  int b;
};

// Components 0..255 each; hue 0..255 is the full circle.
struct hslcolor {
  int h;
  int s;
  int l;
};

hslcolor rgb2hsl(rgbcolor c);
rgbcolor hsl2rgb(hslcolor c);

// Pixel format codes (set together with the bits per pixel).
enum {
  PIXEL_FORMAT_444 = 0, // 12-bit RGB in a 16-bit word, top nibble unused
  PIXEL_FORMAT_555 = 1,
  PIXEL_FORMAT_565 = 2,
  PIXEL_FORMAT_24 = 3, // three bytes per pixel
};

// Every picture of the engine: images, sprite frames and the screen's double buffer. Sizes:
// logical = the drawing orientation (exchanged in orientation modes 1 and 2), device = the stored
// grid as blits see it, stored = the grid in memory; logical and device sizes are halved for a
// double-resolution image in double-resolution mode. The alpha argument of the draws is a fade
// offset: 255 + alpha clamped to 0..255 is the constant alpha, so 0 is full strength and -255
// draws nothing.
class IDibBitmap {
public:
  IDibBitmap() = default;
  IDibBitmap(const IDibBitmap&) = delete;
  IDibBitmap& operator=(const IDibBitmap&) = delete;
  virtual ~IDibBitmap() = default;

  virtual void SetOrientaionMode(int mode) = 0;
  virtual int GetOrientationMode() = 0;
  virtual int Create(int w, int h) = 0;
  // Ownership of the buffer passes to the bitmap; w and h are in the drawing orientation.
  virtual int SetBits(unsigned char* bits, int w, int h) = 0;
  virtual int SetAlphaBits(unsigned char* bits, int w, int h) = 0;
  virtual void ClearBitmap(int r, int g, int b) = 0;
  virtual int Destroy() = 0;
  virtual int DestroyAlpha() = 0;
  virtual int DestroyBits() = 0;
  virtual unsigned char* GetBits() = 0;
  virtual unsigned char* GetAlphaBits() = 0;
  virtual void Draw(IDibBitmap* dest, int x, int y, int w, int h, int flip, int alpha) = 0;
  virtual void FastDraw(IDibBitmap* dest, int x, int y) = 0;
  virtual void CopyAlpha(IDibBitmap* dest, int x, int y, int w, int h) = 0;
  virtual void CopyBitmap(IDibBitmap* dest, int x, int y, int w, int h) = 0;
  virtual void SetExternalAlpha(unsigned char* alpha) = 0;
  virtual void FastCopy(IDibBitmap* dest, int from, int to, int count) = 0;
  virtual bool IsAlphaExternal() = 0;
  virtual void StretchDraw(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                           int flip, int alpha) = 0;
  virtual void FillAlphaNoStretch(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int flip,
                                  int alpha) = 0;
  virtual void DrawToDeviceScreen() = 0;
  virtual void SetBitsPerPixel(int bpp) = 0;
  virtual int GetBitsPerPixel() = 0;
  virtual void DrawLineV(int x, int y1, int y2, int r, int g, int b, int a) = 0;
  virtual void DrawLineH(int x1, int x2, int y, int r, int g, int b, int a) = 0;
  virtual void DrawRectangle(int x, int y, int w, int h, int r, int g, int b) = 0;
  virtual void FillRectangle(int x, int y, int w, int h, int r, int g, int b) = 0;
  virtual void FillAlphaNoStretchAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                          int flip, int alpha) = 0;
  virtual void BitBlt(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) = 0;
  virtual void BitBltAdditive(IDibBitmap* dest, int x, int y, int w, int h, int sx, int sy, int alpha) = 0;
  virtual void BitBltMultiply(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h, int sx,
                              int sy, int alpha) = 0;
  virtual void BitBltMultiplyAdditive(IDibBitmap* dest, int r, int g, int b, int x, int y, int w, int h,
                                      int sx, int sy, int alpha) = 0;
  virtual void WriteBits(int x, int y, unsigned char* data, int count) = 0;
  virtual void WriteAlphaBits(int x, int y, unsigned char* data, int count) = 0;
  virtual void ReplaceAlphaWithTransparentColor() = 0;
  virtual void AdjustHSL(short dh, short ds, short dl) = 0;
  virtual void AddBrightness(short k) = 0;

  // Hardware hooks; a software bitmap keeps these bodies.
  virtual void HWBeginScene() {}
  virtual int HWUpdateTexture() { return 1; }
  virtual void HWReleaseTexture() {}
  virtual void HWReleasePixelDataInRAM() {}
  virtual QuellarTextureData* GetHWResource() { return nullptr; }
  virtual void* GetHWResource2() { return nullptr; }
  virtual int HWInitFromTextureAtlas(IDibBitmap* /*atlas*/, int /*x*/, int /*y*/, int /*w*/, int /*h*/) {
    return 1;
  }
  virtual void HWOptimizeForAlphaDrawing() {}
  virtual void HWReloadContentFromAppAssets() {}

  // True once the pixels in memory were swapped for placeholders after a texture upload: the
  // pointers stay non-null but no longer cover the stored size.
  virtual bool ArePixelsReleased() { return false; }
  // 2 (16-bit formats), 3 (24-bit) or 4 (alpha inside the pixel).
  virtual int GetBytesPerPixel() = 0;

  // Software paths read or write the pixel grid (the alpha map) only when these hold.
  bool HasPixelsInRAM() { return GetBits() != nullptr && !ArePixelsReleased(); }
  bool HasAlphaInRAM() { return GetAlphaBits() != nullptr && !ArePixelsReleased(); }

  int GetWidth() const { return m_nWidth; }
  int GetHeight() const { return m_nHeight; }
  int GetDeviceWidth() const { return m_nDeviceWidth; }
  int GetDeviceHeight() const { return m_nDeviceHeight; }
  int GetStoredWidth() const { return m_nStoredWidth; }
  int GetStoredHeight() const { return m_nStoredHeight; }

  int m_nWidth = 0; // logical
  int m_nHeight = 0;
  int m_nDeviceWidth = 0;
  int m_nDeviceHeight = 0;
  int m_nStoredWidth = 0;
  int m_nStoredHeight = 0;
  u8 m_b2xImage = 0; // loaded from a double-resolution file
  // Where the pixels came from, so that a hardware bitmap can reload them after a lost GL context.
  CommonString m_ImageFileName;
  CommonString m_AlphaFileName;
};
