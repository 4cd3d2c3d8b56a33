// Helpers of the audio tests: the WAV image builders, the stand-in configured for one output,
// reading back a WAV file, and waiting for the audio thread.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <tremor/ivorbisfile.h>

#include "sound_mixer.h"
#include "sound_system.h"
#include "standin/standin.h"
#include "test_application.h"
#include "wav_builder.h"
#include "zip_pack.h"

namespace audio_test {

// Configures the stand-in for one test: the output and nothing else; restores the default after.
class ScopedAudioOutput {
public:
  explicit ScopedAudioOutput(standin::Audio audio, const std::string& path = std::string()) {
    standin::Config config;
    config.audio = audio;
    config.audioPath = path;
    standin::Configure(config);
  }
  ~ScopedAudioOutput() {
    standin::StallAudioOutput(false);
    standin::Configure(standin::Config());
  }
};

struct WavFile {
  bool ok = false;
  uint16_t tag = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  std::vector<int16_t> samples; // interleaved
};

// Reads a 16-bit PCM WAV file as the stand-in writes it.
inline WavFile ReadWav(const std::string& path) {
  WavFile w;
  std::ifstream in(path, std::ios::binary);
  Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 44 || memcmp(b.data(), "RIFF", 4) || memcmp(b.data() + 8, "WAVEfmt ", 8) ||
      memcmp(b.data() + 36, "data", 4))
    return w;
  auto u16 = [&](size_t at) { return (uint16_t)(b[at] | (b[at + 1] << 8)); };
  auto u32 = [&](size_t at) { return (uint32_t)(u16(at) | (u16(at + 2) << 16)); };
  w.tag = u16(20);
  w.channels = u16(22);
  w.rate = u32(24);
  w.bits = u16(34);
  uint32_t size = u32(40);
  if (u32(4) != 36 + size || size != b.size() - 44) return w;
  for (size_t at = 44; at + 1 < b.size(); at += 2)
    w.samples.push_back((int16_t)u16(at));
  w.ok = true;
  return w;
}

// Polls until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int ms = 10000, int pollMs = 1) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
  }
  return true;
}

// Whether the audio thread mixes: a looped voice of the effect in slot, started now, moves within
// ms. The mixer's running flag cannot tell, since a thread that has ended leaves it set.
inline bool ThreadMixes(CiPhoneSoundSystem& sound, int slot, int ms = 10000) {
  int channel = sound.PlaySFX(slot, true);
  if (channel < 0) return false;
  Sound& mixer = *sound.m_pMixer;
  auto position = [&] {
    mixer.Lock();
    u32 at = static_cast<SFXChannel*>(mixer.channel((unsigned)channel))->m_nPosition;
    mixer.Unlock();
    return at;
  };
  const u32 start = position();
  bool moved = WaitFor([&] { return position() != start; }, ms);
  sound.StopSFX(slot, channel);
  return moved;
}

// The test application reading the generated sound pack.
struct PackApp {
  CTestApplication app;
  bool ok = false;
  PackApp() {
    app.m_pCommonPack = new CiPhoneZipFileReader(&app);
    ok = app.m_pCommonPack->Init(AUDIO_PACK) == ZIP_OK;
  }
};

// Reports the mixer's rate to the stream providers, without a mixer.
struct At48k : CSilentSoundSystem {
  int GetSamplingRate() override { return 48000; }
};

struct Decoded {
  int channels = 0;
  long rate = 0;
  std::vector<int16_t> samples; // interleaved
};

// The whole file as Tremor decodes it: what the providers must reproduce.
inline Decoded DecodeOgg(const std::string& path) {
  Decoded d;
  FILE* f = fopen(path.c_str(), "rb");
  OggVorbis_File vf;
  if (!f || ov_open(f, &vf, nullptr, 0) != 0) {
    if (f) fclose(f);
    return d;
  }
  d.channels = ov_info(&vf, -1)->channels;
  d.rate = ov_info(&vf, -1)->rate;
  char chunk[4096];
  int bitstream = 0;
  long got;
  while ((got = ov_read(&vf, chunk, sizeof chunk, &bitstream)) != 0) {
    if (got < 0) continue;
    const int16_t* s = (const int16_t*)chunk;
    d.samples.insert(d.samples.end(), s, s + got / 2);
  }
  ov_clear(&vf);
  return d;
}

inline std::string Fixture(const char* name) {
  return std::string(AUDIO_FIXTURES_DIR) + "/pack/Sounds/" + name;
}

} // namespace audio_test
