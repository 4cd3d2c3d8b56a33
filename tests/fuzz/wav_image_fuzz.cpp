// Fuzzes the WAV readers: the input is a whole WAV image. As effect data, a loaded effect's
// samples must lie inside the image (PCM) or its own decoded buffer (MS-ADPCM), and every one of
// them is read as the mixer would; a refused image leaves no data and says why. As a music
// stream, it is played as the shared stream harness plays it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "files.h"
#include "sound_fx.h"
#include "sound_system.h"
#include "stream_fuzz_support.h"
#include "streaming_provider.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1 << 22)) return 0;
  PlayFuzzedStream<CStreamingProviderWAV>(data, size, "fuzz.wav");
  // An exact-size copy, so a read past the image is caught.
  std::vector<uint8_t> image(data, data + size);
  SoundFX fx;
  if (!fx.load(image.data(), (uint32_t)size)) {
    if (fx.m_pData || !fx.error()) abort();
    return 0;
  }
  size_t bytes = (size_t)fx.m_nSamples * fx.m_nChannels * (fx.m_b8Bit ? 1 : 2);
  if (!fx.m_bOwnsData && (fx.m_pData < image.data() || fx.m_pData + bytes > image.data() + size)) abort();
  if (fx.m_nChannels < 1 || fx.m_nChannels > 2 || fx.m_nRate == 0) abort();
  unsigned sum = 0;
  for (size_t i = 0; i < bytes; i++)
    sum += fx.m_pData[i];
  volatile unsigned sink = sum;
  (void)sink;
  return 0;
}
