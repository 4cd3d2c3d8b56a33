// Writes the audio tests' fixtures: `tones DIR` writes the tone WAV files that oggenc turns into
// OGG files and the WAV streams of the pack; `damage DIR` then derives the damaged OGG files.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

#include "wav_builder.h"

using namespace audio_test;

namespace {

bool Save(const std::string& path, const Bytes& b) {
  std::ofstream out(path, std::ios::binary);
  out.write((const char*)b.data(), (std::streamsize)b.size());
  return (bool)out;
}

Bytes Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Two tones together, so no stretch of the music is silent.
std::vector<int16_t> Music(size_t n, double a, double periodA, double b, double periodB) {
  std::vector<int16_t> s(n);
  for (size_t i = 0; i < n; i++)
    s[i] = (int16_t)std::lround(a * std::sin(2 * M_PI * (double)i / periodA) +
                                b * std::sin(2 * M_PI * (double)i / periodB + 0.5));
  return s;
}

bool Tones(const std::string& dir) {
  std::string src = dir + "/src", sounds = dir + "/pack/Sounds";
  mkdir(dir.c_str(), 0755);
  mkdir(src.c_str(), 0755);
  mkdir((dir + "/pack").c_str(), 0755);
  mkdir(sounds.c_str(), 0755);
  bool ok = true;
  // A quarter of a second at the mixer's rate, looped by the tests.
  ok &= Save(src + "/music_48k_mono.wav",
             WavImage(1, 1, 48000, 16, Samples16(Music(12000, 4000, 120, 2000, 37))));
  // Two seconds, for the damaged copies: enough pages behind the headers to scramble.
  ok &=
      Save(src + "/music_long.wav", WavImage(1, 1, 48000, 16, Samples16(Music(96000, 4000, 120, 2000, 37))));
  // Left and right differ: the stream plays the left one.
  std::vector<int16_t> left = Music(13230, 5000, 100, 1000, 23), right = Music(13230, 3000, 13, 0, 1);
  std::vector<int16_t> stereo;
  for (size_t i = 0; i < left.size(); i++) {
    stereo.push_back(left[i]);
    stereo.push_back(right[i]);
  }
  ok &= Save(src + "/music_44k_stereo.wav", WavImage(1, 2, 44100, 16, Samples16(stereo)));
  ok &= Save(src + "/effect_mono.wav", WavImage(1, 1, 22050, 16, Samples16(Music(2205, 6000, 50, 0, 1))));
  std::vector<int16_t> three = Music(3000, 3000, 40, 1000, 9);
  ok &= Save(src + "/effect_3ch.wav", WavImage(1, 3, 22050, 16, Samples16(three)));

  // WAV streams and effects go into the pack as they are. The stream's data is followed by a
  // chunk that is not sound.
  ok &= Save(sounds + "/music_wav.wav", [] {
    Bytes b = WavImage(1, 1, 24000, 16, Samples16(Music(2400, 5000, 60, 0, 1)));
    PutId(b, "LIST");
    Put(b, 8, 4);
    b.insert(b.end(), 8, 0x7F);
    return b;
  }());
  Bytes eight;
  for (int16_t s : Music(2000, 60, 30, 0, 1)) {
    eight.push_back((uint8_t)(128 + s));
    eight.push_back((uint8_t)(128 - s));
  }
  ok &= Save(sounds + "/music_8bit_stereo.wav", WavImage(1, 2, 48000, 8, eight));
  ok &= Save(sounds + "/music_4bit.wav",
             AdpcmImage(1, 22050, 256, 500, EncodeAdpcmMono(Music(1000, 3000, 50, 0, 1), 256)));
  ok &= Save(sounds + "/effect.wav", WavImage(1, 1, 22050, 8, Bytes(441, 160)));
  return ok;
}

bool Damage(const std::string& dir) {
  std::string sounds = dir + "/pack/Sounds";
  bool ok = Save(sounds + "/Mixed.Ogg", Load(sounds + "/music_48k_mono.ogg"));
  Bytes ogg = Load(dir + "/src/music_long.ogg");
  if (ogg.size() < 8000) return false;
  // Cut in the middle of a page.
  ok &= Save(sounds + "/truncated.ogg", Bytes(ogg.begin(), ogg.begin() + (long)(ogg.size() * 6 / 10)));
  // The headers and the last page intact, the pages between them scrambled.
  Bytes scrambled = ogg;
  uint32_t seed = 12345;
  for (size_t i = 4500; i + 600 < scrambled.size(); i++) {
    seed = seed * 1103515245u + 12345u;
    if (i % 5 == 0) scrambled[i] = (uint8_t)(seed >> 16);
  }
  ok &= Save(sounds + "/damaged_pages.ogg", scrambled);
  Bytes garbage = {'O', 'g', 'g', 'S'};
  for (int i = 0; i < 6000; i++) {
    seed = seed * 1103515245u + 12345u;
    garbage.push_back((uint8_t)(seed >> 16));
  }
  ok &= Save(sounds + "/garbage.ogg", garbage);
  return ok;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s tones|damage DIR\n", argv[0]);
    return 2;
  }
  std::string what = argv[1];
  bool ok = what == "tones" ? Tones(argv[2]) : what == "damage" ? Damage(argv[2]) : false;
  if (!ok) fprintf(stderr, "make_audio_fixtures: %s %s failed\n", argv[1], argv[2]);
  return ok ? 0 : 1;
}
