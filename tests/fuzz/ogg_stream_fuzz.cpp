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
#include "streaming_provider.h"

namespace {

struct At48k : CSilentSoundSystem {
  int GetSamplingRate() override { return 48000; }
};

void Stream(const uint8_t* data, size_t size) {
  void* copy = malloc(size > 0 ? size : 1);
  if (!copy) return;
  memcpy(copy, data, size);
  CMemoryFile* file = new CMemoryFile();
  file->Attach(copy, (int)size);
  At48k rate;
  CStreamingProviderOGG stream(nullptr, &rate);
  if (!stream.LoadStreamFromFile(file, "fuzz.ogg")) return;
  std::vector<short> block(1024);
  stream.SetVolume(191);
  stream.Start(true);
  for (int i = 0; i < 16 && stream.m_bPlaying; i++)
    stream.UpdateBufferAdd(block.data(), (int)block.size());
  stream.StopWithFadeOut(FIXED_FLOAT_ONE / 50);
  for (int i = 0; i < 4 && stream.m_bPlaying; i++)
    stream.UpdateBufferAdd(block.data(), (int)block.size());
  stream.Stop();
  stream.Start(false);
  for (int i = 0; i < 64 && stream.m_bPlaying; i++)
    stream.UpdateBufferAdd(block.data(), (int)block.size());
}

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
  Stream(data, size);
  Effect(data, size);
  return 0;
}
