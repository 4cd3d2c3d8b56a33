// CAppGraphics: the part of the application object the graphics layer reaches through its pointer:
// the bitmap factory and the switches bitmaps follow, the double buffer and draw target, the
// screen's size and orientation, and the sprite-set manager.
#pragma once

#include "app_core.h"
#include "quellar_array.h"

class IDibBitmap;
class CSpriteSetManager;

struct DisplayProperties {
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;
  int stride = 0;
  int bitsPerPixel = 0;
  int format = 0;
};

class CAppGraphics : public CAppCore {
public:
  // --- factories (the caller owns the result) ---
  // A hardware bitmap, registered in m_CreatedBitmaps while m_bRegisterBitmaps is set.
  IDibBitmap* CreateBitmapObject();
  IDibBitmap* CreateMaskedBitmapObject() { return nullptr; }

  virtual CSpriteSetManager* GetSpriteSetManager();

  // images directory + "name" as images directory with "_2x" before its separator + "name";
  // empty when the path is not inside the images directory.
  CommonString GetImagePathFor2XImage(CommonString path);

  IDibBitmap* GetDoubleBuffer() { return m_pDoubleBuffer; }
  // The software blend buffer of the renderers that have one, else the double buffer.
  IDibBitmap* GetBlendBuffer();
  void GetDeviceScreenProperties(DisplayProperties* props);
  // True while the animated screen turn runs or settles.
  bool IsIPhoneRotationInProcess();

  // --- screen and buffers ---
  int m_nScreenWidth = 0;
  int m_nScreenHeight = 0;
  int m_nDeviceScreenWidth = 0;
  int m_nDeviceScreenHeight = 0;
  IDibBitmap* m_pDoubleBuffer = nullptr;
  IDibBitmap* m_pBlendBuffer = nullptr;
  IDibBitmap* m_pDrawTarget = nullptr;
  int m_nRendererType = 0;
  int m_nInputOrientation = 0;
  u8 m_bDeviceViewport = 0;

  // --- animated screen rotation ---
  FIXED_FLOAT m_nRotationAngle = -23040;
  int m_nIPhoneOrientation = 1;
  int m_nRotationSettle = 0;
  u8 m_bRotateProjection = 0;

  // --- what bitmaps and loaders follow ---
  u8 m_b2xImages = 0;
  u8 m_bCreateTextures = 1;
  u8 m_bUpdateTextureOnSetBits = 1;
  u8 m_bTrueColorImages = 0;
  u8 m_bFillTransparentPixels = 0;
  u8 m_bPremultiplyAlpha = 0;
  u8 m_bReleasePixelsAfterUpload = 0;
  u8 m_bUseTextureAtlases = 1;
  int m_nAlphaThreshold = 128;
  int m_nTransparentRed = 255;
  int m_nTransparentGreen = 0;
  int m_nTransparentBlue = 255;
  CQuellarArray<IDibBitmap*> m_CreatedBitmaps{256};
  u8 m_bRegisterBitmaps = 0;

protected:
  // The concrete class behind CreateBitmapObject.
  IDibBitmap* NewBitmap();
};
