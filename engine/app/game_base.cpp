// CGameBase: construction, the default configuration hooks, resolutions, paths and small services.
#include "game_base.h"

#include <cstdlib>
#include <ctime>

#include "quellar_utils.h"
#include "standin/standin.h"

CGameBase::CGameBase() : CXElement(nullptr, nullptr) {
  m_pApp = this;
  m_nLastStepTime = Now();
}

int CGameBase::OnMessage(CXElement*, int, intptr_t, intptr_t) { return 0; }

int CGameBase::MapKeyToGameCode(int) { return -1; }
bool CGameBase::SaveResume() { return true; }
bool CGameBase::LoadResume() { return true; }
bool CGameBase::LoadGlobalConstants(int, int) { return false; }
bool CGameBase::LoadWinMobileQuitButton() { return true; }
bool CGameBase::UseVGAonWM() { return true; }

void CGameBase::SetPreffered_WM_OrientationMode(int mode) {
  if (mode == 0 && m_bAllowInputRotation && m_bForceLandscape) mode = 1;
  m_nPreferredOrientation = mode;
}

bool CGameBase::InitLocalizationManger() { return true; }
CommonString CGameBase::LoadString(int) { return CommonString("empty"); }
bool CGameBase::ChangeLanguage(int) { return true; }
int CGameBase::GetNumLanguagesSupported() { return 1; }
bool CGameBase::AppSettingsLandscapeModeFlipped() { return false; }
bool CGameBase::UseFlippedMode() { return false; }
bool CGameBase::InitDeviceSoundSettigns() { return true; }
bool CGameBase::InitUILayout() { return true; }
void CGameBase::NotifyLandscapeModePreference(int) {}
int CGameBase::GetLandscapeModePreference() { return 1; }
bool CGameBase::OnGraffitiChar(int) { return true; }
bool CGameBase::OnCallMenu() { return true; }
int CGameBase::GetResolutionId(int, int) { return 0; }
int CGameBase::GetVerticalBorderWidth() { return 0; }
int CGameBase::GetHorizontalBorderHeight() { return 0; }
void CGameBase::GC_NotifyScoreReport(bool) {}
void CGameBase::GC_NotifyAchievementReport(bool) {}
CBitmapFontText* CGameBase::GetDebugFont() { return nullptr; }
void CGameBase::OnAdReceived(bool) {}
CommonString CGameBase::GetPublisherIdForAd() { return CommonString(""); }
void CGameBase::SetNumTapjoyCoins(int) {}

void CGameBase::OnBillingResult(int code, CommonString id) {
  if (code >= 0) OnInAppPurchaseResult(id, code);
}
void CGameBase::OnInAppPurchaseResult(CommonString, int) {}
void CGameBase::OnInAppPurchasesRestoreFinished() {}

bool CGameBase::SelectAndroidInGameResolution(int a, int b, int& w, int& h) {
  int longSide = a > b ? a : b;
  int shortSide = a > b ? b : a;
  if (longSide <= 0 || shortSide <= 0) return false;
  if (m_nIPhoneOrientation != 0) {
    w = 480;
    h = shortSide * 480 / longSide;
    bool overridden = m_bOverride2x && m_nOverride2xValue >= 1 && m_nOverride2xValue <= 255;
    if (shortSide >= 480 && !overridden) m_b2xImages = 1;
  } else {
    w = 320;
    h = longSide * 320 / shortSide;
    if (shortSide >= 480) m_b2xImages = 1;
  }
  return true;
}

// --- resolutions ---

void CGameBase::DeclareSupportedResolution(int w, int h) {
  TResolutionProps* props = new TResolutionProps;
  props->width = w;
  props->height = h;
  int before = m_SupportedResolutions.GetSize();
  m_SupportedResolutions.Add(props);
  if (m_SupportedResolutions.GetSize() == before) delete props;
}

bool CGameBase::IsResolutionSupported(int w, int h) {
  for (int i = 0; i < m_SupportedResolutions.GetSize(); i++) {
    TResolutionProps* p = m_SupportedResolutions.GetAt(i);
    if (p && p->width == w && p->height == h) return true;
  }
  return false;
}

TResolutionProps CGameBase::GetSupportedResolutionProps(int i) {
  TResolutionProps* p = m_SupportedResolutions.GetAt(i);
  return p ? *p : TResolutionProps();
}

TResolutionChoice CGameBase::FindBestSupportedResolutionForScreenSize(int w, int h) {
  TResolutionChoice c;
  c.chosenWidth = c.screenWidth = c.renderWidth = w;
  c.chosenHeight = c.screenHeight = c.renderHeight = h;
  int n = m_SupportedResolutions.GetSize();
  if (n == 0 || IsResolutionSupported(w, h)) return c;

  // Shares a side with the screen: centred, unscaled.
  int best = -1, bestGap = 0;
  for (int i = 0; i < n; i++) {
    TResolutionProps* r = m_SupportedResolutions.GetAt(i);
    if (!r || (r->width != w && r->height != h)) continue;
    int gap = (w - r->width) + (h - r->height);
    if (gap < 0) continue;
    if (best < 0 || gap < bestGap) {
      best = i;
      bestGap = gap;
    }
  }
  if (best >= 0) {
    TResolutionProps* r = m_SupportedResolutions.GetAt(best);
    c.chosenWidth = c.renderWidth = r->width;
    c.chosenHeight = c.renderHeight = r->height;
    c.offsetX = (w - r->width) >> 1;
    c.offsetY = (h - r->height) >> 1;
    return c;
  }

  // Same aspect: scaled to the whole screen.
  for (int i = 0; i < n; i++) {
    TResolutionProps* r = m_SupportedResolutions.GetAt(i);
    if (!r || r->height == 0 || r->width * h / r->height != w) continue;
    int gap = abs(w - r->width);
    if (best < 0 || gap < bestGap) {
      best = i;
      bestGap = gap;
    }
  }
  if (best >= 0) {
    TResolutionProps* r = m_SupportedResolutions.GetAt(best);
    c.chosenWidth = r->width;
    c.chosenHeight = r->height;
    c.scaled = 1;
    return c;
  }

  // Anything else: scaled to fit, smallest leftover gap.
  int bestRenderW = w, bestRenderH = h;
  bestGap = 16777215;
  for (int i = 0; i < n; i++) {
    TResolutionProps* r = m_SupportedResolutions.GetAt(i);
    if (!r || r->width <= 0 || r->height <= 0) continue;
    int rw, rh, gap;
    if ((double)w / r->width < (double)h / r->height) {
      rw = w;
      rh = (int)((double)w / r->width * r->height);
      gap = h - rh;
    } else {
      rw = (int)((double)r->width * h / r->height);
      rh = h;
      gap = w - rw;
    }
    if (gap < bestGap) {
      best = i;
      bestGap = gap;
      bestRenderW = rw;
      bestRenderH = rh;
    }
  }
  c.scaled = 1;
  if (best >= 0) {
    TResolutionProps* r = m_SupportedResolutions.GetAt(best);
    c.chosenWidth = r->width;
    c.chosenHeight = r->height;
    c.renderWidth = bestRenderW;
    c.renderHeight = bestRenderH;
    c.offsetX = (w - bestRenderW) >> 1;
    c.offsetY = (h - bestRenderH) >> 1;
  } else {
    TResolutionProps first = GetSupportedResolutionProps(0);
    c.chosenWidth = first.width;
    c.chosenHeight = first.height;
  }
  return c;
}

// --- small services ---

int CGameBase::RandomValue(int n) { return n < 2 ? 0 : rand() % n; }

void CGameBase::InitRandoms() {
  if (m_bRandomsInited) return;
  // A seed fixed by the host (tests, replays) keeps runs repeatable.
  unsigned seed;
  srand(standin::FixedRandomSeed(&seed) ? seed : (unsigned)time(nullptr));
  m_bRandomsInited = 1;
}
