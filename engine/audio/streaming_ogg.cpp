// The OGG Vorbis music stream: decoded with Tremor on demand into a buffer sized for a few
// blocks, resampled to the output rate by taking the nearest lower source frame.
#include <tremor/ivorbisfile.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "byte_order.h"
#include "files.h"
#include "ogg_file_callbacks.h"
#include "pcm_limits.h"
#include "streaming_provider.h"

bool CStreamingProviderOGG::LoadStreamFromFile(IFile* file, const char* name) {
  Unload();
  if (!file) return false;
  m_pFile = file;
  m_pVF = new (std::nothrow) OggVorbis_File;
  if (!m_pVF) {
    Unload();
    return false;
  }
  memset(m_pVF, 0, sizeof *m_pVF);
  bool ok = ov_open_callbacks(file, m_pVF, nullptr, 0, EngineFileCallbacks()) == 0 &&
            ov_pcm_total(m_pVF, -1) > 0 && RewindOggFile(m_pVF, file);
  vorbis_info* info = ok ? ov_info(m_pVF, -1) : nullptr;
  if (!info || info->rate <= 0 || !SetRates((u32)info->rate, (u32)info->channels)) {
    Unload();
    return false;
  }
  // About 8000 output samples' worth of source data, in whole frames.
  const int frameBytes = 2 * (int)m_nChannels;
  int64_t size = ((int64_t)m_nStep * 8000 * m_nChannels) >> 8;
  size = (size + frameBytes - 1) / frameBytes * frameBytes;
  m_pBuffer = (u8*)malloc((size_t)size);
  if (!m_pBuffer) {
    Unload();
    return false;
  }
  m_nBufferSize = (int)size;
  m_nReadOffset = m_nAvailable = 0;
  m_FileName = name;
  return true;
}

void CStreamingProviderOGG::Unload() {
  m_bPlaying = false;
  m_bLoop = false;
  m_bEnded = false;
  m_nReadOffset = m_nAvailable = 0;
  if (m_pVF) {
    ov_clear(m_pVF);
    delete m_pVF;
    m_pVF = nullptr;
  }
  CloseFile();
  free(m_pBuffer);
  m_pBuffer = nullptr;
  m_nBufferSize = 0;
}

void CStreamingProviderOGG::Start(bool loop) {
  if (!m_pFile || !m_pVF || !m_pBuffer) return;
  m_bLoop = loop;
  m_bEnded = false;
  // A fade-out left over from before a stop must not silence or end the new play (a fade-in
  // only rises, and may have just been set to go on from the fade-out's level).
  m_bFadeOut = false;
  m_bPlaying = true;
}

void CStreamingProviderOGG::Stop() {
  m_bPlaying = false;
  m_bEnded = false;
  Rewind();
}

void CStreamingProviderOGG::Rewind() { RewindOggFile(m_pVF, m_pFile); }

void CStreamingProviderOGG::StopAtFadeEnd() {
  m_bPlaying = false;
  m_bEnded = false;
  m_bFadeIn = m_bFadeOut = false;
  Rewind();
}

int CStreamingProviderOGG::MixAvailable(short* block, int n) {
  if (n <= 0 || m_nAvailable <= 0) return 0;
  const bool stereo = m_nChannels == 2;
  int first = m_nReadOffset / 2;
  if (stereo) first &= ~1;
  const int end = (m_nReadOffset + m_nAvailable) / 2; // one past the last sample
  const int last = stereo && end - 2 >= first ? end - 2 : end - 1;
  const u8* data = m_pBuffer;
  u32 p = 0;
  int written = 0, consumed = 0;
  while (written < n) {
    int index = first + (int)(p >> 8) * (int)m_nChannels;
    if (index >= end) index = last;
    int sample = ReadLeS16(data + 2 * index);
    block[written] = (short)Clamp16(block[written] + ((NextLevel() * sample) >> 7));
    written++;
    p += m_nStep;
    consumed = stereo ? (int)(2 * (p >> 7)) : (int)(((p >> 7) + 1) & ~1u);
    if (consumed >= m_nAvailable) break;
  }
  if (consumed > m_nAvailable) consumed = m_nAvailable;
  m_nReadOffset += consumed;
  m_nAvailable -= consumed;
  return written;
}

void CStreamingProviderOGG::UpdateBufferAdd(short* block, int n) {
  if (!m_pFile || !m_pVF || !m_pBuffer || !m_bPlaying || n <= 0) return;
  if (m_nAvailable > 0) {
    int written = MixAvailable(block, n);
    if (FadeOutFinished()) {
      StopAtFadeEnd();
      return;
    }
    if (m_nAvailable > 0) return;
    block += written;
    n -= written;
  }
  m_nReadOffset = m_nAvailable = 0;
  if (m_bEnded) {
    m_bEnded = false;
    m_bPlaying = false;
    return;
  }
  if (n <= 0) return;

  const int64_t needed = (((int64_t)n * m_nStep * m_nChannels) >> 8) * 4;
  int failures = 0;
  while (m_nAvailable < needed && m_nAvailable < m_nBufferSize) {
    int room = m_nBufferSize - m_nAvailable;
    int bitstream = 0;
    long got = ov_read(m_pVF, (char*)m_pBuffer + m_nAvailable, room < 4096 ? room : 4096, &bitstream);
    if (got > 0) {
      m_nAvailable += (int)(got < room ? got : room);
      failures = 0;
      continue;
    }
    if (++failures > kMaxDecoderFailures) {
      StopAtFadeEnd();
      break;
    }
    if (got < 0) continue; // a hole in the data
    if (m_bLoop) {
      Rewind();
      continue;
    }
    m_bEnded = true;
    Rewind();
    break;
  }
  MixAvailable(block, n);
  if (FadeOutFinished())
    StopAtFadeEnd();
  else if (m_bEnded && m_nAvailable == 0)
    Stop();
}
