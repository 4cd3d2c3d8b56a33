// Effect data for the mixer: SoundFX made from a RIFF/WAVE image (8- or 16-bit PCM in place,
// MS-ADPCM decoded at load) with its play settings, and the Module record of tracker songs.
#pragma once

#include "quellar_types.h"

// The MS-ADPCM format block as stored in the image.
struct MSADPCMFormat {
  u16 formatTag = 0;
  u16 channels = 0;
  u32 rate = 0;
  u32 bytesPerSecond = 0;
  u16 blockAlign = 0;
  u16 bitsPerSample = 0;
  u16 samplesPerBlock = 0;
  u16 numCoefficients = 0;
  s16 coefficients[7][2] = {};
};

// One channel's decoder state.
struct MSADPCMState {
  u8 predictor = 0;
  s16 delta = 0;
  s16 sample1 = 0;
  s16 sample2 = 0;
};

// The play settings an effect or a song hands to the voice that plays it: volume 0-64, pan 0-255
// (128 the middle), frequency and looping.
class SoundSettings {
public:
  void volume(unsigned v) { m_nVolume = v > 64 ? 64 : v; }
  unsigned volume() const { return m_nVolume; }
  void pan(unsigned v) { m_nPan = v > 255 ? 255 : v; }
  unsigned pan() const { return m_nPan; }
  void frequency(unsigned f) { m_nFrequency = f; }
  unsigned frequency() const { return m_nFrequency; }
  void loop(bool b) { m_bLoop = b; }
  bool loop() const { return m_bLoop; }

  u32 m_nVolume = 64;
  bool m_bLoop = false;
  u32 m_nPan;
  u32 m_nFrequency;

protected:
  SoundSettings(u32 pan, u32 frequency) : m_nPan(pan), m_nFrequency(frequency) {}
};

class SoundFX : public SoundSettings {
public:
  SoundFX() : SoundSettings(128, 1) {}
  SoundFX(const SoundFX&) = delete;
  SoundFX& operator=(const SoundFX&) = delete;
  virtual ~SoundFX() { destroy(); }

  // Reads the image of size bytes. PCM samples stay in the image, which must outlive the
  // effect; MS-ADPCM is decoded into a buffer the effect owns. False (and no data) for an image
  // this effect cannot play; error() then says why.
  bool load(const void* image, u32 size);
  // Frees owned data.
  void destroy();
  const char* error() const { return m_pError; }

  void maxplaybacks(int n) { m_nMaxPlaybacks = n; }
  int maxplaybacks() const { return m_nMaxPlaybacks; }

  // Copies the format and its coefficient pairs; -1 unless there are exactly 7 pairs.
  int init_MSADPCM(const MSADPCMFormat& format);
  // Decodes the whole blocks of *data into a new buffer of 16-bit samples, which replaces
  // *data and *size. -1 when the buffer cannot be allocated or a block is malformed (a
  // predictor index without a coefficient pair); *data is then unchanged.
  int decode_MSADPCM(u8** data, u32* size, bool freeOld);
  // One 4-bit code through the decoder state, with the coefficient pair (k1, k2).
  static s16 nibble_MSADPCM(MSADPCMState& state, u8 nibble, const s16* coefficients);

  // --- data ---
  const u8* m_pData = nullptr;
  bool m_b8Bit = true;
  u32 m_nRate = 0;
  u32 m_nSamples = 0; // frames
  u32 m_nChannels = 1;
  int m_nMaxPlaybacks = -1;
  MSADPCMFormat m_Format;
  MSADPCMState m_State[2];
  u32 m_nSpeed = 128;
  bool m_bOwnsData = false;

private:
  bool Refuse(const char* why);
  const char* m_pError = nullptr;
};

class Module : public SoundSettings {
public:
  Module() : SoundSettings(255, 44100) {}
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  virtual ~Module() { destroy(); }

  // The image is not copied and not owned.
  bool load(const void* image);
  void destroy();

  const u8* m_pData = nullptr;
  u32 m_nSpeed = 128;
  bool m_bOwnsData = false;
};
