// SoundFX: reading RIFF/WAVE images (PCM in place, MS-ADPCM decoded once), and the Module record.
#include "sound_fx.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "byte_order.h"
#include "pcm_limits.h"

namespace {

const int kAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};

} // namespace

bool SoundFX::Refuse(const char* why) {
  m_pError = why;
  m_pData = nullptr;
  m_nSamples = 0;
  return false;
}

void SoundFX::destroy() {
  if (m_bOwnsData) free((void*)m_pData);
  if (m_bOwnsData) m_pData = nullptr;
  m_bOwnsData = false;
}

bool SoundFX::load(const void* image, u32 size) {
  destroy();
  m_pError = nullptr;
  if (!image) return Refuse("no image");
  const u8* p = (const u8*)image;
  // The first 12 bytes (the RIFF header) are not read: images made in memory leave them blank.
  if (size < 36) return Refuse("too short for a format chunk");
  if (memcmp(p + 12, "fmt ", 4) != 0) return Refuse("no \"fmt \" chunk at byte 12");
  u32 formatSize = ReadLe32(p + 16);
  u16 formatTag = ReadLe16(p + 20);
  u16 channels = ReadLe16(p + 22);
  u32 rate = ReadLe32(p + 24);
  u16 bits = ReadLe16(p + 34);
  if (formatSize < 16 || formatSize > size - 20) return Refuse("format chunk runs past the image");
  if (bits != 8 && bits != 16 && bits != 4)
    return Refuse("only 8-bit, 16-bit and 4-bit MS-ADPCM samples play");
  if (channels < 1 || channels > 2) return Refuse("only mono and stereo play");
  if (rate == 0 || rate > kMaxSampleRate) return Refuse("sample rate out of range");

  // Chunks follow without pad bytes after odd sizes.
  uint64_t at = 20 + (uint64_t)formatSize;
  u32 dataSize = 0;
  for (;;) {
    if (at + 8 > size) return Refuse("no \"data\" chunk");
    dataSize = ReadLe32(p + at + 4);
    if (memcmp(p + at, "data", 4) == 0) break;
    at += 8 + (uint64_t)dataSize;
  }
  at += 8;
  if (dataSize > size - at) return Refuse("data chunk runs past the image");
  const u8* data = p + at;

  u32 count = 0;
  bool eightBit = false, owned = false;
  if (bits == 8) {
    count = dataSize;
    eightBit = true;
  } else if (bits == 16) {
    count = dataSize / 2;
  } else {
    if (formatTag != 2) return Refuse("4-bit samples must be MS-ADPCM");
    if (formatSize < 50) return Refuse("MS-ADPCM format chunk too short");
    MSADPCMFormat format;
    format.formatTag = formatTag;
    format.channels = channels;
    format.rate = rate;
    format.bytesPerSecond = ReadLe32(p + 28);
    format.blockAlign = ReadLe16(p + 32);
    format.bitsPerSample = bits;
    format.samplesPerBlock = ReadLe16(p + 38);
    format.numCoefficients = ReadLe16(p + 40);
    for (int i = 0; i < 7; i++) {
      format.coefficients[i][0] = ReadLeS16(p + 42 + 4 * i);
      format.coefficients[i][1] = ReadLeS16(p + 44 + 4 * i);
    }
    if (init_MSADPCM(format) != 0) return Refuse("MS-ADPCM needs 7 coefficient pairs");
    u8* decoded = (u8*)data;
    u32 decodedSize = dataSize;
    if (decode_MSADPCM(&decoded, &decodedSize, false) != 0)
      return Refuse(m_pError ? m_pError : "MS-ADPCM data damaged");
    data = decoded;
    count = decodedSize / 2;
    owned = true;
  }
  if (channels == 2) count /= 2;
  if (count > kMaxEffectFrames) {
    if (owned) free((void*)data);
    return Refuse("effect too long");
  }
  m_pData = data;
  m_bOwnsData = owned;
  m_b8Bit = eightBit;
  m_nRate = rate;
  m_nSamples = count;
  m_nChannels = channels;
  m_nFrequency = rate;
  return true;
}

int SoundFX::init_MSADPCM(const MSADPCMFormat& format) {
  if (format.numCoefficients != 7) return -1;
  m_Format = format;
  return 0;
}

s16 SoundFX::nibble_MSADPCM(MSADPCMState& state, u8 nibble, const s16* coefficients) {
  nibble &= 15;
  int64_t predictor =
      ((int64_t)state.sample1 * coefficients[0] + (int64_t)state.sample2 * coefficients[1]) / 256;
  int s = (nibble & 8) ? nibble - 16 : nibble;
  // Within int: the predictor is at most 2^23 in size and the step 2^18.
  s16 value = (s16)Clamp16((int)(predictor + (int64_t)state.delta * s));
  state.sample2 = state.sample1;
  state.sample1 = value;
  int delta = kAdaptation[nibble] * state.delta / 256;
  if (delta < 16) delta = 16;
  if (delta > 32767) delta = 32767;
  state.delta = (s16)delta;
  return value;
}

int SoundFX::decode_MSADPCM(u8** data, u32* size, bool freeOld) {
  const u32 channels = m_Format.channels, align = m_Format.blockAlign, perBlock = m_Format.samplesPerBlock;
  if (channels < 1 || channels > 2) {
    m_pError = "MS-ADPCM needs 1 or 2 channels";
    return -1;
  }
  // Each block's header and codes must fit inside it.
  if (perBlock < 2 || align < 7 * channels || 7 * channels + (channels * (perBlock - 2) + 1) / 2 > align) {
    m_pError = "MS-ADPCM blocks larger than their block align";
    return -1;
  }
  const u8* in = *data;
  u32 blocks = *size / align;
  uint64_t outBytes = (uint64_t)blocks * perBlock * channels * 2;
  if (outBytes > 0xFFFFFFFFu) {
    m_pError = "MS-ADPCM data too long";
    return -1;
  }
  s16* out = (s16*)malloc(outBytes > 0 ? (size_t)outBytes : 1);
  if (!out) {
    m_pError = "out of memory";
    return -1;
  }
  s16* o = out;
  for (u32 b = 0; b < blocks; b++) {
    const u8* block = in + (size_t)b * align;
    for (u32 c = 0; c < channels; c++) {
      MSADPCMState& st = m_State[c];
      st.predictor = block[c];
      st.delta = ReadLeS16(block + channels + 2 * c);
      st.sample1 = ReadLeS16(block + 3 * channels + 2 * c);
      st.sample2 = ReadLeS16(block + 5 * channels + 2 * c);
      if (st.predictor >= 7) {
        free(out);
        m_pError = "MS-ADPCM predictor index out of range";
        return -1;
      }
    }
    for (u32 c = 0; c < channels; c++)
      *o++ = m_State[c].sample2;
    for (u32 c = 0; c < channels; c++)
      *o++ = m_State[c].sample1;
    const u8* codes = block + 7 * channels;
    u32 nibbles = channels * (perBlock - 2);
    for (u32 k = 0; k < nibbles; k++) {
      u8 byte = codes[k / 2];
      u8 nibble = (k % 2 == 0) ? (u8)(byte >> 4) : (u8)(byte & 15);
      MSADPCMState& st = m_State[channels == 2 ? k % 2 : 0];
      *o++ = nibble_MSADPCM(st, nibble, m_Format.coefficients[st.predictor]);
    }
  }
  if (freeOld) free(*data);
  *data = (u8*)out;
  *size = (u32)outBytes;
  return 0;
}

bool Module::load(const void* image) {
  destroy();
  if (!image) return false;
  m_pData = (const u8*)image;
  return true;
}

void Module::destroy() {
  if (m_bOwnsData) free((void*)m_pData);
  m_pData = nullptr;
  m_bOwnsData = false;
}
