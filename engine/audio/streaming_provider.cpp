// What the music stream providers share: rates, volume, fades, the pack file and the read buffer.
#include "streaming_provider.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "byte_order.h"
#include "pcm_limits.h"
#include "sound_system.h"
#include "zip_pack.h"

u8* g_pReadBuffer = nullptr;
int g_nReadBufferSize = 0;

void ReleaseStreamReadBuffer() {
  free(g_pReadBuffer);
  g_pReadBuffer = nullptr;
  g_nReadBufferSize = 0;
}

// ---------------------------------------------------------------------------------------------
// Shared

CStreamingProviderBase::CStreamingProviderBase(CAppCore* app, ISoundSystem* soundSystem) : m_pApp(app) {
  int rate = soundSystem ? soundSystem->GetSamplingRate() : 22050;
  m_nOutputRate = rate > 0 ? (u32)rate : 22050;
}

CStreamingProviderBase::~CStreamingProviderBase() { CloseFile(); }

void CStreamingProviderBase::CloseFile() {
  delete m_pFile;
  m_pFile = nullptr;
}

bool CStreamingProviderBase::LoadStream(const char* path) {
  Unload();
  m_bFileOpened = false;
  if (!path) return false;
  CZipElementFile* file = new (std::nothrow) CZipElementFile();
  if (!file) return false;
  if (!file->Open(m_pApp, path, FILE_MODE_READ)) {
    delete file;
    return false;
  }
  m_bFileOpened = true;
  return LoadStreamFromFile(file, path);
}

bool CStreamingProviderBase::SetRates(u32 fileRate, u32 channels) {
  if (fileRate == 0 || fileRate > kMaxSampleRate || channels < 1 || channels > 2) return false;
  m_nFileRate = fileRate;
  m_nChannels = channels;
  m_nStep = (u32)((int)(fileRate << 8) / (int)m_nOutputRate);
  return m_nStep > 0;
}

int CStreamingProviderBase::NextLevel() {
  int level = (int)m_nVolume;
  if (m_bFadeOut) {
    level = m_nFadeOutLength > 0 ? (int)((int64_t)m_nVolume * m_nFadeOutCounter / m_nFadeOutLength) : 0;
    if (m_nFadeOutCounter > 0) m_nFadeOutCounter--;
  } else if (m_bFadeIn && m_nFadeInLength > 0) {
    level = (int)((int64_t)m_nVolume * (m_nFadeInLength - m_nFadeInCounter) / m_nFadeInLength);
    if (m_nFadeInCounter > 0) m_nFadeInCounter--;
  }
  return level;
}

void CStreamingProviderBase::SetFadeIn(FIXED_FLOAT seconds) {
  if (!m_bPlaying) return;
  int64_t length = ((int64_t)m_nOutputRate * seconds) >> 8;
  if (length < 0) length = 0;
  if (length > INT_MAX) length = INT_MAX;
  int counter = (int)length;
  // Continue from the level a running fade-out has reached, without a jump.
  if (m_bFadeOut && m_nFadeOutLength > 0) {
    double done = 1.0 - (double)m_nFadeOutCounter / (double)m_nFadeOutLength;
    int64_t c = (int64_t)((double)length * done);
    counter = (int)(c < 0 ? 0 : (c > length ? length : c));
  }
  m_bFadeOut = false;
  m_bFadeIn = true;
  m_nFadeInLength = (int)length;
  m_nFadeInCounter = counter;
}

void CStreamingProviderBase::StopWithFadeOut(FIXED_FLOAT seconds) {
  if (!m_bPlaying) return;
  int64_t length = ((int64_t)m_nOutputRate * seconds) >> 8;
  if (length < 1) length = 1;
  if (length > INT_MAX) length = INT_MAX;
  m_bFadeOut = true;
  m_nFadeOutLength = m_nFadeOutCounter = (int)length;
}
