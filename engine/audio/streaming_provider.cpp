// What the music stream providers share (rates, volume, fades, the pack file), and the PCM WAV
// provider.
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

// ---------------------------------------------------------------------------------------------
// WAV

bool CStreamingProviderWAV::LoadStreamFromFile(IFile* file, const char* name) {
  Unload();
  if (!file) return false;
  m_pFile = file;
  auto fail = [&]() {
    Unload();
    return false;
  };
  int fileSize = file->GetSize();
  u8 header[8], format[16];
  if (!file->Seek(12, FILE_SEEK_BEGIN) || file->ReadData(header, 8) != 8 || memcmp(header, "fmt ", 4) != 0)
    return fail();
  u32 formatSize = ReadLe32(header + 4);
  if (formatSize < 16 || file->ReadData(format, 16) != 16) return fail();
  u16 channels = ReadLe16(format + 2);
  u32 rate = ReadLe32(format + 4);
  u16 bits = ReadLe16(format + 14);
  // 4-bit data has no decoder here.
  if (bits != 8 && bits != 16) return fail();
  long at = 36 + (long)(formatSize - 16);
  u32 dataSize = 0;
  for (;;) {
    if (at > fileSize - 8 || !file->Seek(at, FILE_SEEK_BEGIN) || file->ReadData(header, 8) != 8)
      return fail();
    dataSize = ReadLe32(header + 4);
    at += 8;
    if (memcmp(header, "data", 4) == 0) break;
    at += (long)dataSize;
  }
  if (dataSize > (u32)(fileSize - at) || !SetRates(rate, channels)) return fail();
  m_nDataOffset = (u32)at;
  m_nDataSize = dataSize;
  m_nDataRead = 0;
  m_b8Bit = bits == 8;
  m_nSampleCount = m_b8Bit ? dataSize : dataSize / 2;
  m_FileName = name;
  return true;
}

void CStreamingProviderWAV::Unload() {
  m_bPlaying = false;
  m_bLoop = false;
  CloseFile();
  m_nFileRate = m_nStep = m_nChannels = 0;
  m_nSampleCount = 0;
  m_b8Bit = false;
  m_nDataOffset = m_nDataSize = m_nDataRead = 0;
}

void CStreamingProviderWAV::Start(bool loop) {
  if (!m_pFile) return;
  m_bLoop = loop;
  m_bFadeOut = false; // as for OGG streams
  m_bPlaying = true;
}

void CStreamingProviderWAV::Stop() {
  m_bPlaying = false;
  Rewind();
}

bool CStreamingProviderWAV::Rewind() {
  if (!m_pFile || !m_pFile->Seek((long)m_nDataOffset, FILE_SEEK_BEGIN)) return false;
  m_nDataRead = 0;
  return true;
}

int CStreamingProviderWAV::ReadData(u8* to, int n) {
  u32 left = m_nDataSize - m_nDataRead;
  if ((u32)n > left) n = (int)left;
  if (n <= 0) return 0;
  int got = m_pFile->ReadData(to, n);
  if (got < 0) return -1;
  m_nDataRead += (u32)got;
  return got;
}

void CStreamingProviderWAV::UpdateBufferAdd(short* block, int n) {
  if (!m_pFile || !m_bPlaying || n <= 0) return;
  const int sampleBytes = m_b8Bit ? 1 : 2;
  int64_t want = (int64_t)m_nChannels * n * sampleBytes;
  if (m_nStep != 256) want = want * m_nStep / 256;
  if (want < sampleBytes) want = sampleBytes;
  if (want > g_nReadBufferSize) {
    free(g_pReadBuffer);
    g_pReadBuffer = (u8*)malloc((size_t)want);
    g_nReadBufferSize = g_pReadBuffer ? (int)want : 0;
    if (!g_pReadBuffer) return;
  }
  int size = (int)want;
  int got = ReadData(g_pReadBuffer, size);
  if (got < 0) got = 0;
  if (got < size) {
    if (!m_bLoop) {
      memset(g_pReadBuffer + got, 0, (size_t)(size - got));
      m_bPlaying = false;
      Rewind();
    } else {
      int more = Rewind() ? ReadData(g_pReadBuffer + got, size - got) : -1;
      if (more < size - got) {
        m_bPlaying = false;
        Rewind();
        return;
      }
    }
  }
  if (FadeOutFinished()) {
    m_bPlaying = false;
    m_bFadeIn = m_bFadeOut = false;
    Rewind();
    return;
  }
  // Never past the bytes read: the last whole sample stands in for anything beyond.
  const u32 samples = (u32)size / (u32)sampleBytes;
  u32 p = 0;
  for (int i = 0; i < n; i++) {
    u32 index = m_nChannels == 1 ? p >> 8 : p >> 7;
    if (index >= samples) index = samples - 1;
    int sample = m_b8Bit ? ((int)g_pReadBuffer[index] - 128) * 256
                         : (s16)(u16)(g_pReadBuffer[2 * index] | (g_pReadBuffer[2 * index + 1] << 8));
    block[i] = (short)Clamp16(block[i] + ((NextLevel() * sample) >> 7));
    p += m_nStep;
  }
}
