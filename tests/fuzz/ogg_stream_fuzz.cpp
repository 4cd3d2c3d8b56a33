// Fuzzes the OGG readers: the input is a whole OGG file. It is streamed as music (looping, with a
// fade, stopped and played again to its end, all within a bounded number of blocks) and decoded
// whole as an effect. Neither may hang, crash or read outside its buffers. (Refused effects are
// reported on stderr: run libFuzzer with -close_fd_mask=2.)
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "files.h"
#include "sound_fx.h"
#include "sound_system.h"
#include "stream_fuzz_support.h"
#include "streaming_provider.h"

namespace {

void Effect(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/sprocklet-ogg-fuzz-" + std::to_string(getpid()) + ".ogg";
  FILE* out = fopen(path.c_str(), "wb");
  if (!out) return;
  fwrite(data, 1, size, out);
  fclose(out);
  CiPhoneSoundSystem sound(nullptr);
  int slot = sound.LoadOGG(path.c_str());
  if (slot >= 0) {
    SoundFX* fx = sound.m_pEffects[slot];
    if (!fx || fx->m_b8Bit || fx->m_nChannels < 1 || fx->m_nChannels > 2) abort();
    unsigned sum = 0;
    for (size_t i = 0; i < (size_t)fx->m_nSamples * fx->m_nChannels * 2; i++)
      sum += fx->m_pData[i];
    volatile unsigned sink = sum;
    (void)sink;
  }
  unlink(path.c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 22)) return 0;
  PlayFuzzedStream<CStreamingProviderOGG>(data, size, "fuzz.ogg");
  Effect(data, size);
  return 0;
}
