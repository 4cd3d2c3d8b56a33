// The application object's graphics part: the bitmap factory, buffers, screen properties and the
// rotation state the hardware bitmap reads.
#include "app_graphics.h"

#include "bitmap_hw.h"
#include "quellar_utils.h"

CSpriteSetManager* CAppGraphics::GetSpriteSetManager() { return nullptr; }

IDibBitmap* CAppGraphics::CreateBitmapObject() {
  IDibBitmap* bitmap = NewBitmap();
  if (bitmap && m_bRegisterBitmaps) {
    int before = m_CreatedBitmaps.GetSize();
    m_CreatedBitmaps.Add(bitmap);
    if (m_CreatedBitmaps.GetSize() == before) SafeDelete(bitmap);
  }
  return bitmap;
}

IDibBitmap* CAppGraphics::NewBitmap() { return new CBitmapHW(this); }

IDibBitmap* CAppGraphics::GetBlendBuffer() {
  return (m_nRendererType == 5 || m_nRendererType == 7) ? m_pBlendBuffer : m_pDoubleBuffer;
}

CommonString CAppGraphics::GetImagePathFor2XImage(CommonString path) {
  CommonString images = GetImagesDirectory();
  int len = images.Length();
  if (len == 0) return CommonString("");
  CommonString dir2x;
  dir2x.Format("%.*s_2x\\", len - 1, images.c_str());
  if (!FindSubstr(&images, &path) || path.Length() <= len) return CommonString("");
  return dir2x + CommonString(path.c_str() + len);
}

void CAppGraphics::GetDeviceScreenProperties(DisplayProperties* props) {
  if (!props) return;
  props->width = m_nScreenWidth;
  props->height = m_nScreenHeight;
  props->bytesPerPixel = 2;
  props->stride = m_nScreenWidth * 2;
  props->bitsPerPixel = 16;
  props->format = 2;
}

static const FIXED_FLOAT kQuarterTurn = 23040;

bool CAppGraphics::IsIPhoneRotationInProcess() {
  if (m_nRotationSettle > 0) return true;
  switch (m_nIPhoneOrientation) {
  case 2:
    return m_nRotationAngle != kQuarterTurn;
  case 1:
    return m_nRotationAngle != -kQuarterTurn;
  case 0:
    return m_nRotationAngle != 0;
  default:
    return true;
  }
}
