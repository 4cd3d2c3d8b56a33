// CGameBase start-up and ownership: Init's chain, the settings, the factories, the double
// buffer and destruction.
#include <sys/stat.h>

#include <new>

#include "app_data.h"
#include "bitmap_font.h"
#include "bitmap_hw.h"
#include "dib_bitmap.h"
#include "files.h"
#include "game_base.h"
#include "gl_renderer.h"
#include "loc_manager.h"
#include "sound_system.h"
#include "standin/standin.h"
#include "win_dib_bitmap.h"
#include "zip_pack.h"

CGameBase::~CGameBase() {
  // The root owns the elements hung below it (the element base only unregisters).
  while (CXElement* child = GetChildPtrAt(GetChildCount() - 1))
    delete child;
  SafeDelete(m_pSoundSystem);
  SafeDelete(m_pBlendBuffer);
  SafeDelete(m_pVerticalBorderBuffer);
  SafeDelete(m_pHorizontalBorderBuffer);
  SafeDelete(m_pDoubleBuffer);
  m_pDrawTarget = nullptr;
  SafeDelete(m_pCommonPack);
  SafeDelete(m_pResolutionPack);
  SafeDelete(m_pOptionalPack);
  SafeDelete(m_pBorderBitmap);
  SafeDelete(m_pVerticalBorderBitmap);
  SafeDelete(m_pSpareBorderBitmap);
  SafeDelete(m_pHorizontalBorderBitmap);
  SafeDelete(m_pLocManager);
  SafeDelete(m_pAppData);
  // Our UI base is destroyed before our element base, which must not ask it about capture then.
  m_pApp = nullptr;
}

// Creates the save directory (and its parents) so that the first save has somewhere to go.
static void EnsureDirectory(const CommonString& dir) {
  CommonString path = DiskPathFromEnginePath(dir.c_str());
  char* p = path.GetData();
  if (!p) return;
  for (char* q = p + 1; *q; q++) {
    if (*q != '/') continue;
    *q = 0;
    mkdir(p, 0755);
    *q = '/';
  }
  mkdir(p, 0755);
}

bool CGameBase::Init(int w, int h) {
  m_nScreenWidth = w;
  m_nScreenHeight = h;

  EnsureDirectory(GetSaveDirectory());
  if (!LoadOrCreateDefaultAppData()) return InitFailed(GAMEBASE_ERR_APP_DATA);

  // Input orientation.
  if (!m_bAllowInputRotation || w >= h) {
    m_nInputOrientation = 0;
  } else {
    int stored = m_pAppData->m_nOrientation;
    if (stored < -2 || stored > 2 || stored == -1) stored = 0; // damaged value: none stored
    int chosen;
    if (stored == 0 || stored == -2) {
      chosen = m_nPreferredOrientation;
      m_pAppData->m_nOrientation = -2;
    } else if (!m_bAppDataFresh) {
      chosen = stored;
    } else {
      chosen = m_nPreferredOrientation;
      m_pAppData->m_nOrientation = chosen;
    }
    if (m_bForceLandscape && chosen == 0) chosen = GetLandscapeModePreference();
    m_nInputOrientation = chosen;
  }

  m_nVerticalBorderWidth = GetVerticalBorderWidth();
  m_nHorizontalBorderHeight = GetHorizontalBorderHeight();

  bool constantsOk;
  if (m_nInputOrientation == 0)
    constantsOk = LoadGlobalConstants(w, h);
  else if (m_nInputOrientation == 1 || m_nInputOrientation == 2)
    constantsOk = LoadGlobalConstants(h, w);
  else
    constantsOk = false;
  if (!constantsOk) return InitFailed(GAMEBASE_ERR_GLOBAL_CONSTANTS);

  if (!CreateDoubleBufferWnd(w, h, m_nVerticalBorderWidth, m_nHorizontalBorderHeight))
    return InitFailed(GAMEBASE_ERR_DOUBLE_BUFFER);
  if ((m_nVerticalBorderWidth > 0 || m_nHorizontalBorderHeight > 0) &&
      !CreateBorderDoubleBufferWnds(w, h, m_nVerticalBorderWidth, m_nHorizontalBorderHeight))
    return InitFailed(GAMEBASE_ERR_BORDER_BUFFERS);

  if (m_bUsePacks) {
    int err = OpenPack(m_pCommonPack, GetCommonGamePackName(),
                       m_bSinglePack ? GAMEBASE_ERR_SINGLE_PACK_ALLOC : GAMEBASE_ERR_COMMON_PACK_ALLOC);
    if (err) return InitFailed(err);
    if (!m_bSinglePack) {
      err = OpenPack(m_pResolutionPack, GetResolutionSpecificGamePackName(),
                     GAMEBASE_ERR_RESOLUTION_PACK_ALLOC);
      if (err) return InitFailed(err);
    }
  }

  if (!m_pSoundSystem) {
    m_pSoundSystem = CreateSoundSystemObject();
    if (m_pSoundSystem) {
      InitDeviceSoundSettigns();
      if (!m_pSoundSystem->Initialize()) {
        SafeDelete(m_pSoundSystem);
      } else {
        m_pSoundSystem->SoundON(IsSoundOn());
        m_pSoundSystem->MusicON(IsMusicOn());
        m_pSoundSystem->SetVolume(GetVolume());
        m_pSoundSystem->SetMusicVolume(GetMusicVolume());
      }
    }
  }

  if (!InitLocalizationManger()) return InitFailed(GAMEBASE_ERR_LOCALISATION);
  InitUI();
  if (!InitUILayout()) return InitFailed(GAMEBASE_ERR_UI_LAYOUT);
  if (!ReLoadFonts()) return InitFailed(GAMEBASE_ERR_FONTS);
  if (!LoadWinMobileQuitButton()) return InitFailed(GAMEBASE_ERR_QUIT_BUTTON);
  m_nInitError = 0;
  return true;
}

bool CGameBase::InitFailed(int code) {
  m_nInitError = code;
  return false;
}

// 0, or the error code: allocError when the reader can't be made, allocError + 1 when the
// pack does not open (the reader is then deleted).
int CGameBase::OpenPack(CiPhoneZipFileReader*& reader, const CommonString& name, int allocError) {
  if (!reader) reader = new CiPhoneZipFileReader(this);
  if (!reader) return allocError;
  CommonString path = GetModuleDirectory() + name;
  if (reader->Init(path.c_str()) != 1) {
    SafeDelete(reader);
    return allocError + 1;
  }
  return 0;
}

CiPhoneZipFileReader* CGameBase::InitOptionalGamePack(CommonString path) {
  SafeDelete(m_pOptionalPack);
  m_pOptionalPack = new CiPhoneZipFileReader(this);
  if (m_pOptionalPack->Init(path.c_str()) != 1) SafeDelete(m_pOptionalPack);
  return m_pOptionalPack;
}

// --- settings ---

bool CGameBase::LoadOrCreateDefaultAppData() {
  if (!m_pAppData && !CreateApplicationData()) return false;
  if (!m_pAppData) return false;
  m_pAppData->SetDefaultApplicationData();
  if (m_pAppData->ReadAppData(this)) {
    m_pAppData->BackupAppData(this);
    m_bAppDataFresh = 0;
    return true;
  }
  SafeDelete(m_pAppData);
  if (!CreateApplicationData() || !m_pAppData) return false;
  m_pAppData->SetDefaultApplicationData();
  if (m_pAppData->ReadAppDataBackup(this)) return true;
  SafeDelete(m_pAppData);
  if (!CreateApplicationData() || !m_pAppData) return false;
  m_pAppData->SetDefaultApplicationData();
  m_bAppDataFresh = 1;
  return true;
}

bool CGameBase::SaveAppData() { return m_pAppData && m_pAppData->WriteAppData(this); }

bool CGameBase::IsSoundOn() {
  return m_pAppData && m_pAppData->m_bSoundOn && !m_pAppData->m_bMuted && !m_bSoundSuppressed;
}
bool CGameBase::IsMusicOn() {
  return m_pAppData && m_pAppData->m_bMusicOn && !m_pAppData->m_bMuted && !m_bSoundSuppressed;
}
int CGameBase::GetVolume() { return m_pAppData ? m_pAppData->m_nVolume : 0; }
int CGameBase::GetMusicVolume() { return m_pAppData ? m_pAppData->m_nMusicVolume : 0; }
void CGameBase::SetVolume(int volume) {
  if (m_pAppData) m_pAppData->m_nVolume = volume;
  if (m_pSoundSystem) m_pSoundSystem->SetVolume(volume);
}
void CGameBase::SetMusicVolume(int volume) {
  if (m_pAppData) m_pAppData->m_nMusicVolume = volume;
  if (m_pSoundSystem) m_pSoundSystem->SetMusicVolume(volume);
}

// --- factories ---

IDibBitmap* CGameBase::CreateRenderTarget() { return OGLES_InitAndCreateRenderTarget(this); }

// The silent one when the host sends the sound nowhere: no mixer thread for an output nobody hears.
ISoundSystem* CGameBase::NewSoundSystem() {
  if (standin::CurrentConfig().audio == standin::Audio::None) return new (std::nothrow) CSilentSoundSystem();
  return new (std::nothrow) CiPhoneSoundSystem(this);
}

ISoundSystem* CGameBase::CreateSoundSystemObject() {
  return IsDeviceStableWithSoundSystem() ? NewSoundSystem() : nullptr;
}

// --- double buffer ---

bool CGameBase::CreateDoubleBufferWnd(int w, int h, int vb, int hb) {
  if (!m_pDoubleBuffer) {
    if (vb > 0 || hb > 0) m_bUseHardwareBitmaps = 0;
    if (m_bUseHardwareBitmaps) m_pDoubleBuffer = CreateRenderTarget();
    if (!m_pDoubleBuffer) m_pDoubleBuffer = new CWinDibBitmap(this);
  }
  m_pDrawTarget = m_pDoubleBuffer;
  int cw = w - (vb > 0 ? 2 * vb : 0);
  int ch = h - (hb > 0 ? 2 * hb : 0);
  if (!m_pDoubleBuffer->Create(cw, ch)) return false;
  m_pDoubleBuffer->DestroyAlpha();
  if (m_nRendererType == 5 || m_nRendererType == 7)
    m_pDoubleBuffer->HWReleasePixelDataInRAM();
  else
    m_pDoubleBuffer->ClearBitmap(0, 0, 0);
  CreateBlendBuffer();
  return true;
}

bool CGameBase::CreateBlendBuffer() {
  if (m_nRendererType != 5 && m_nRendererType != 7) return true;
  if (!m_pDoubleBuffer) return false;
  if (!m_pBlendBuffer) m_pBlendBuffer = new CWinDibBitmap(this);
  if (!m_pBlendBuffer->Create(m_pDoubleBuffer->GetWidth(), m_pDoubleBuffer->GetHeight())) {
    SafeDelete(m_pBlendBuffer);
    return false;
  }
  m_pBlendBuffer->DestroyAlpha();
  return true;
}

bool CGameBase::CreateBorderDoubleBufferWnds(int w, int h, int vb, int hb) {
  if (vb == 0 && hb == 0) return true;
  int bw = vb >= 1 ? vb : w;
  int bh = hb >= 1 ? hb : h;
  IDibBitmap** buffers[] = {&m_pVerticalBorderBuffer, &m_pHorizontalBorderBuffer};
  for (IDibBitmap** b : buffers) {
    if (!*b) *b = new CWinDibBitmap(this);
    if (!(*b)->Create(bw, bh)) return false;
    (*b)->DestroyAlpha();
    (*b)->ClearBitmap(0, 0, 0);
  }
  return true;
}

int CGameBase::GetCurrentResolutionId() {
  if (m_nCurrentResolutionId == 0 && m_pDoubleBuffer)
    m_nCurrentResolutionId = GetResolutionId(m_pDoubleBuffer->GetWidth(), m_pDoubleBuffer->GetHeight());
  return m_nCurrentResolutionId;
}

int CGameBase::DoubleBufferWidth() { return m_pDoubleBuffer ? m_pDoubleBuffer->GetWidth() : 0; }
int CGameBase::DoubleBufferHeight() { return m_pDoubleBuffer ? m_pDoubleBuffer->GetHeight() : 0; }

// --- drawing cycle ---

void CGameBase::DoDrawCycle() {
  if (m_pDoubleBuffer) m_pDoubleBuffer->HWBeginScene();
  // The 2D projection every frame; it also lets a finished screen rotation settle.
  GLES_Set2DRenderingMode(this, m_pDoubleBuffer);
  Draw();
  if (m_bFixedStep && m_bShowFpsStats)
    if (CBitmapFontText* font = GetDebugFont())
      font->TextOut(m_pDoubleBuffer, 2, 30, m_strStats, 255, 255, 255, TEXT_EFFECT_BORDER, 255, nullptr);
  DrawAutoRotateBorders();
  if (m_pDoubleBuffer) m_pDoubleBuffer->DrawToDeviceScreen();
  DrawBordersToDeviceScreen();
}

void CGameBase::DrawBordersToDeviceScreen() {
  if (m_bDrawBorders) DrawBorderBitmapsToDoubleBuffers();
}

void CGameBase::DrawBorderBitmapsToDoubleBuffers() {
  if (m_nVerticalBorderWidth <= 0 && m_nHorizontalBorderHeight <= 0) return;
  if (IDibBitmap* buf = m_pVerticalBorderBuffer) {
    int bw = buf->GetDeviceWidth(), bh = buf->GetDeviceHeight();
    if (IDibBitmap* b = m_pVerticalBorderBitmap)
      b->Draw(buf, -((b->GetDeviceWidth() - bw) >> 1), bh - b->GetDeviceHeight(), 0, 0, 0, 0);
    else if (IDibBitmap* s = m_pBorderBitmap)
      s->Draw(buf, bw - s->GetDeviceWidth(), -((s->GetDeviceHeight() - bh) >> 1), 0, 0, 0, 0);
  }
  if (IDibBitmap* buf = m_pHorizontalBorderBuffer) {
    int bw = buf->GetDeviceWidth(), bh = buf->GetDeviceHeight();
    if (IDibBitmap* b = m_pHorizontalBorderBitmap)
      b->Draw(buf, -((b->GetDeviceWidth() - bw) >> 1), 0, 0, 0, 0, 0);
    else if (IDibBitmap* s = m_pBorderBitmap)
      s->Draw(buf, 0, -((s->GetDeviceHeight() - bh) >> 1), 0, 0, 0, 0);
  }
}

// Localisation tables are not used by this game; the engine keeps the manager for games that have
// them. A repeated call replaces the manager.
void CGameBase::InitLocManager2(CommonString name) {
  SafeDelete(m_pLocManager);
  m_pLocManager = new (std::nothrow) CLocManager2(this);
  if (m_pLocManager) m_pLocManager->Init(name, 200);
}
