// The PCM WAV music stream: 8- or 16-bit mono or stereo data read from the file a block at a
// time, resampled to the output rate by taking the nearest lower source frame.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "byte_order.h"
#include "pcm_limits.h"
#include "sound_system.h"
#include "streaming_provider.h"
#include "zip_pack.h"

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
    int sample = m_b8Bit ? ((int)g_pReadBuffer[index] - 128) * 256 : ReadLeS16(g_pReadBuffer + 2 * index);
    block[i] = (short)Clamp16(block[i] + ((NextLevel() * sample) >> 7));
    p += m_nStep;
  }
}
