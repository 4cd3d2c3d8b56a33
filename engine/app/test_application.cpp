// The minimal game on the engine used by tests and the demo program.
#include "test_application.h"

#include "app_data.h"

namespace {
// The settings as a game keeps them: field by field.
class CTestAppData : public CBasicApplicationData {
public:
  int GetSerializeMethod() override { return 1; }
};
} // namespace

CTestApplication::CTestApplication() {
  m_bUseHardwareBitmaps = 1;
  m_bUsePacks = 1;
  m_bTrueColorImages = 1;
  m_bPremultiplyAlpha = 1;
  m_bReleasePixelsAfterUpload = 1;
  m_bShowFpsStats = 0;
}

bool CTestApplication::CreateApplicationData() {
  m_pAppData = new CTestAppData();
  return true;
}

CommonString CTestApplication::GetImagesDirectory() {
  if (m_ImagesDirectory.Length() == 0) m_ImagesDirectory = GetModuleDirectory() + "images\\";
  return m_ImagesDirectory;
}

// Landscape keeps a 320-high (or 480-wide) logical screen and never switches 2x images on.
bool CTestApplication::SelectAndroidInGameResolution(int a, int b, int& w, int& h) {
  if (m_nIPhoneOrientation == 0) return CGameBase::SelectAndroidInGameResolution(a, b, w, h);
  int longSide = a > b ? a : b;
  int shortSide = a > b ? b : a;
  if (shortSide <= 0) return false;
  if ((float)longSide / (float)shortSide >= 1.5f) {
    h = 320;
    w = longSide * 320 / shortSide;
  } else {
    w = 480;
    h = shortSide * 480 / longSide;
  }
  return true;
}
