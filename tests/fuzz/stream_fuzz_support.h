// Shared by the music stream harnesses: a fuzz input played as a stream from a memory file, looping
// with a fade, stopped and played again to its end, all within a bounded number of blocks.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "files.h"
#include "sound_system.h"
#include "streaming_provider.h"

struct At48k : CSilentSoundSystem {
  int GetSamplingRate() override { return 48000; }
};

// Provider is CStreamingProviderOGG or CStreamingProviderWAV; name gives the stream its extension.
template <class Provider> void PlayFuzzedStream(const uint8_t* data, size_t size, const char* name) {
  void* copy = malloc(size > 0 ? size : 1);
  if (!copy) return;
  memcpy(copy, data, size);
  CMemoryFile* file = new CMemoryFile();
  file->Attach(copy, (int)size);
  At48k rate;
  Provider stream(nullptr, &rate);
  if (!stream.LoadStreamFromFile(file, name)) return;
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
  ReleaseStreamReadBuffer();
}
