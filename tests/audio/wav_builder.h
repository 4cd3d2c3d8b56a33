// WAV images built in memory for the audio tests and their fixture generator: PCM, and MS-ADPCM
// through a small encoder, with tones to fill them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace audio_test {

using Bytes = std::vector<uint8_t>;

inline void Put(Bytes& b, uint32_t v, int n) {
  for (int i = 0; i < n; i++)
    b.push_back((uint8_t)(v >> (8 * i)));
}
inline void PutId(Bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }

inline Bytes Samples16(const std::vector<int16_t>& s) {
  Bytes b;
  for (int16_t v : s)
    Put(b, (uint16_t)v, 2);
  return b;
}

struct Chunk {
  const char* id;
  Bytes data;
};

// A RIFF/WAVE image: the 12-byte header, a format chunk (16 bytes, or `format` when given), any
// chunks before the data, and the data chunk.
inline Bytes WavImage(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& data,
                      const std::vector<Chunk>& before = {}, const Bytes& format = {}) {
  Bytes fmt = format;
  if (fmt.empty()) {
    Put(fmt, tag, 2);
    Put(fmt, channels, 2);
    Put(fmt, rate, 4);
    Put(fmt, rate * channels * bits / 8, 4);
    Put(fmt, channels * bits / 8, 2);
    Put(fmt, bits, 2);
  }
  Bytes b;
  PutId(b, "RIFF");
  Put(b, 0, 4);
  PutId(b, "WAVE");
  PutId(b, "fmt ");
  Put(b, (uint32_t)fmt.size(), 4);
  b.insert(b.end(), fmt.begin(), fmt.end());
  for (const Chunk& c : before) {
    PutId(b, c.id);
    Put(b, (uint32_t)c.data.size(), 4);
    b.insert(b.end(), c.data.begin(), c.data.end());
  }
  PutId(b, "data");
  Put(b, (uint32_t)data.size(), 4);
  b.insert(b.end(), data.begin(), data.end());
  uint32_t riff = (uint32_t)b.size() - 8;
  memcpy(&b[4], &riff, 4);
  return b;
}

inline const int16_t kAdpcmCoefficients[7][2] = {{256, 0}, {512, -256}, {0, 0},     {192, 64},
                                                 {240, 0}, {460, -208}, {392, -232}};

// The MS-ADPCM format chunk (50 bytes).
inline Bytes AdpcmFormat(uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t samplesPerBlock,
                         uint16_t coefficientCount = 7) {
  Bytes f;
  Put(f, 2, 2);
  Put(f, channels, 2);
  Put(f, rate, 4);
  Put(f, rate * blockAlign / samplesPerBlock, 4);
  Put(f, blockAlign, 2);
  Put(f, 4, 2);
  Put(f, 32, 2);
  Put(f, samplesPerBlock, 2);
  Put(f, coefficientCount, 2);
  for (auto& c : kAdpcmCoefficients) {
    Put(f, (uint16_t)c[0], 2);
    Put(f, (uint16_t)c[1], 2);
  }
  return f;
}

inline Bytes AdpcmImage(uint16_t channels, uint32_t rate, uint16_t blockAlign, uint16_t samplesPerBlock,
                        const Bytes& blocks) {
  return WavImage(2, channels, rate, 4, blocks, {}, AdpcmFormat(channels, rate, blockAlign, samplesPerBlock));
}

// Mono MS-ADPCM blocks of `align` bytes for the samples, always with the first predictor pair
// (256, 0): each code is the one whose decoded value lands nearest the wanted sample.
inline Bytes EncodeAdpcmMono(const std::vector<int16_t>& pcm, int align) {
  static const int adapt[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                768, 614, 512, 409, 307, 230, 230, 230};
  const size_t perBlock = 2 + (size_t)(align - 7) * 2;
  Bytes out;
  for (size_t start = 0; start + perBlock <= pcm.size(); start += perBlock) {
    int delta = 16, s1 = pcm[start + 1], s2 = pcm[start];
    Bytes block;
    block.push_back(0);
    Put(block, (uint16_t)delta, 2);
    Put(block, (uint16_t)s1, 2);
    Put(block, (uint16_t)s2, 2);
    uint8_t pending = 0;
    for (size_t i = 2; i < perBlock; i++) {
      int predicted = (s1 * 256) / 256, best = 0, bestError = 1 << 30;
      for (int code = -8; code <= 7; code++) {
        int v = std::max(-32768, std::min(32767, predicted + delta * code));
        if (std::abs(v - pcm[start + i]) < bestError) {
          bestError = std::abs(v - pcm[start + i]);
          best = code;
        }
      }
      int value = std::max(-32768, std::min(32767, predicted + delta * best));
      uint8_t nibble = (uint8_t)(best & 15);
      s2 = s1;
      s1 = value;
      delta = std::max(16, adapt[nibble] * delta / 256);
      if (i % 2 == 0)
        pending = (uint8_t)(nibble << 4);
      else
        block.push_back(pending | nibble);
    }
    block.resize((size_t)align, 0);
    out.insert(out.end(), block.begin(), block.end());
  }
  return out;
}

inline std::vector<int16_t> Tone(size_t n, double offset, double amplitude, double period) {
  std::vector<int16_t> s(n);
  for (size_t i = 0; i < n; i++)
    s[i] = (int16_t)std::lround(offset + amplitude * std::sin(2 * M_PI * (double)i / period));
  return s;
}

} // namespace audio_test
