// CGameBase start-up and ownership. The start-up chain needs the packs, the bitmaps and the
// settings file; until those layers are in, it reports failure rather than pretend to succeed.
#include "game_base.h"

#include <new>

#include "sound_system.h"
#include "zip_pack.h"

CGameBase::~CGameBase() {
  SafeDelete(m_pSoundSystem);
  SafeDelete(m_pCommonPack);
  SafeDelete(m_pResolutionPack);
  SafeDelete(m_pOptionalPack);
  FlushCachedTemplates();
}

bool CGameBase::Init(int w, int h) {
  m_nScreenWidth = w;
  m_nScreenHeight = h;
  return InitFailed(GAMEBASE_ERR_APP_DATA);
}

bool CGameBase::InitFailed(int code) {
  m_nInitError = code;
  return false;
}

bool CGameBase::LoadOrCreateDefaultAppData() { return false; }
bool CGameBase::SaveAppData() { return false; }
bool CGameBase::IsSoundOn() { return false; }
bool CGameBase::IsMusicOn() { return false; }
int CGameBase::GetVolume() { return 0; }
int CGameBase::GetMusicVolume() { return 0; }
void CGameBase::SetVolume(int volume) {
  if (m_pSoundSystem) m_pSoundSystem->SetVolume(volume);
}
void CGameBase::SetMusicVolume(int volume) {
  if (m_pSoundSystem) m_pSoundSystem->SetMusicVolume(volume);
}
IDibBitmap* CGameBase::CreateBitmapObject() { return nullptr; }
ISoundSystem* CGameBase::CreateSoundSystemObject() { return nullptr; }
bool CGameBase::CreateDoubleBufferWnd(int, int, int, int) { return false; }
bool CGameBase::CreateBorderDoubleBufferWnds(int, int, int, int) { return false; }
bool CGameBase::CreateBlendBuffer() { return false; }
IDibBitmap* CGameBase::GetBlendBuffer() { return m_pBlendBuffer ? m_pBlendBuffer : m_pDoubleBuffer; }
CiPhoneZipFileReader* CGameBase::InitOptionalGamePack(CommonString path) {
  SafeDelete(m_pOptionalPack);
  m_pOptionalPack = new (std::nothrow) CiPhoneZipFileReader(this);
  if (m_pOptionalPack && m_pOptionalPack->Init(path.GetData()) != ZIP_OK) SafeDelete(m_pOptionalPack);
  return m_pOptionalPack;
}
void CGameBase::InitLocManager2(CommonString) {}
int CGameBase::GetCurrentResolutionId() { return m_nCurrentResolutionId; }
void CGameBase::DoDrawCycle() { Draw(); }
void CGameBase::DrawBorderBitmapsToDoubleBuffers() {}
void CGameBase::DrawBordersToDeviceScreen() {
  if (m_bDrawBorders) DrawBorderBitmapsToDoubleBuffers();
}
int CGameBase::DoubleBufferWidth() { return 0; }
int CGameBase::DoubleBufferHeight() { return 0; }
