// soundgen: the sample pack's sounds, synthesised here. Every effect of the sound table becomes a
// short sound of its own (a sweep, a thump, a chime or a buzz, by what its name says, pitched by the
// name), every soundtrack a looping theme; each is written as a WAV image and encoded to OGG by
// oggenc, with a fixed stream serial so that two builds give the same bytes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sound_names.h"

namespace fs = std::filesystem;

namespace {

const int kRate = 22050;
const double kPi = 3.14159265358979323846;

uint32_t Hash(const std::string& s) {
  uint32_t h = 2166136261u;
  for (unsigned char c : s)
    h = (h ^ c) * 16777619u;
  return h;
}

// A small deterministic noise source.
struct Noise {
  uint32_t state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return (double)(state >> 8) / (double)(1u << 24) * 2.0 - 1.0;
  }
};

bool Has(const std::string& name, const char* word) { return name.find(word) != std::string::npos; }

std::vector<float> Effect(const std::string& name) {
  uint32_t h = Hash(name);
  double base = 220.0 * std::pow(2.0, (double)(h % 24) / 12.0); // two octaves above A3
  double seconds = 0.12 + (double)((h >> 8) % 20) / 100.0;
  Noise noise{h | 1u};
  if (Has(name, "death") || Has(name, "scream")) seconds += 0.3;
  int n = (int)(seconds * kRate);
  std::vector<float> out((size_t)n);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    double t = (double)i / kRate, u = (double)i / n;
    double env = std::min(1.0, t / 0.005) * (1.0 - u) * (1.0 - u);
    double v = 0;
    if (Has(name, "jump")) { // a rising sweep
      phase += 2 * kPi * base * (1.0 + 1.5 * u) / kRate;
      v = std::sin(phase) > 0 ? 0.6 : -0.6;
    } else if (Has(name, "land") || Has(name, "step") || Has(name, "hit") || Has(name, "break") ||
               Has(name, "explo") || Has(name, "stick")) { // a thump of noise over a falling tone
      phase += 2 * kPi * base * 0.5 * (1.0 - 0.6 * u) / kRate;
      v = 0.5 * noise.Next() + 0.5 * std::sin(phase);
    } else if (Has(name, "mushroom") || Has(name, "coin") || Has(name, "secret") || Has(name, "star") ||
               Has(name, "achiev") || Has(name, "buy")) { // a chime stepping up a major triad
      static const double steps[] = {1.0, 1.25, 1.5, 2.0};
      phase += 2 * kPi * base * 2 * steps[(int)(u * 4) % 4] / kRate;
      v = std::sin(phase) * 0.8;
    } else if (Has(name, "death") || Has(name, "electric") || Has(name, "fire")) { // a falling buzz
      phase += 2 * kPi * base * (1.0 - 0.7 * u) / kRate;
      v = 0.6 * (std::fmod(phase / (2 * kPi), 1.0) * 2 - 1) + 0.2 * noise.Next();
    } else { // a two-tone blip
      phase += 2 * kPi * base * (u < 0.5 ? 1.0 : 1.5) / kRate;
      v = 0.7 * std::sin(phase) + 0.2 * std::sin(3 * phase);
    }
    out[(size_t)i] = (float)(v * env);
  }
  return out;
}

// A theme of 16 beats that loops without a seam: every note ends at silence within its beat and
// the loop is a whole number of beats.
std::vector<float> Theme(const std::string& name) {
  uint32_t h = Hash(name);
  static const int scale[] = {0, 2, 4, 7, 9, 12, 14, 16};
  double root = 110.0 * std::pow(2.0, (double)(h % 7) / 12.0);
  int beat = kRate * (20 + (int)((h >> 4) % 10)) / 100; // 0.20-0.29 s a beat
  const int beats = 32;
  std::vector<float> out((size_t)beat * beats);
  uint32_t melody = h;
  for (int b = 0; b < beats; ++b) {
    melody = melody * 1103515245u + 12345u;
    int degree = scale[(melody >> 16) % 8];
    double lead = root * 4 * std::pow(2.0, degree / 12.0);
    double bass = root * std::pow(2.0, scale[(b / 4 + (int)(h >> 12)) % 4] / 12.0);
    for (int i = 0; i < beat; ++i) {
      double t = (double)i / kRate, u = (double)i / beat;
      double env = std::min(1.0, t / 0.004) * (1.0 - u);
      double v = 0.35 * std::sin(2 * kPi * lead * t) * env * env;
      v += 0.3 * (std::fmod(bass * t, 1.0) < 0.5 ? 1 : -1) * env * 0.5;
      if (b % 2 == 0 && t < 0.03) v += 0.2 * std::sin(2 * kPi * 60 * t) * (1 - t / 0.03); // a kick
      out[(size_t)b * beat + i] = (float)v;
    }
  }
  return out;
}

void PutU16(std::string& s, uint16_t v) {
  s += (char)(v & 255);
  s += (char)(v >> 8);
}
void PutU32(std::string& s, uint32_t v) {
  PutU16(s, (uint16_t)(v & 0xffff));
  PutU16(s, (uint16_t)(v >> 16));
}

bool WriteWav(const std::string& path, const std::vector<float>& samples) {
  std::string data;
  for (float f : samples) {
    float c = std::max(-1.0f, std::min(1.0f, f));
    PutU16(data, (uint16_t)(int16_t)std::lround(c * 30000.0f));
  }
  std::string wav = "RIFF";
  PutU32(wav, (uint32_t)(36 + data.size()));
  wav += "WAVEfmt ";
  PutU32(wav, 16);
  PutU16(wav, 1); // PCM
  PutU16(wav, 1); // mono
  PutU32(wav, kRate);
  PutU32(wav, kRate * 2);
  PutU16(wav, 2);
  PutU16(wav, 16);
  wav += "data";
  PutU32(wav, (uint32_t)data.size());
  wav += data;
  std::ofstream out(path, std::ios::binary);
  out << wav;
  return (bool)out;
}

bool Encode(const std::string& oggenc, const std::string& dir, const std::string& name,
            const std::vector<float>& samples, int serial) {
  std::string wav = dir + "/" + name + ".wav", ogg = dir + "/" + name + ".ogg";
  if (!WriteWav(wav, samples)) {
    fprintf(stderr, "soundgen: cannot write %s\n", wav.c_str());
    return false;
  }
  std::string command =
      "'" + oggenc + "' -Q -q 3 --serial " + std::to_string(serial) + " -o '" + ogg + "' '" + wav + "'";
  int status = std::system(command.c_str());
  fs::remove(wav);
  if (status != 0) {
    fprintf(stderr, "soundgen: oggenc failed on %s\n", name.c_str());
    return false;
  }
  return true;
}

} // namespace

int main(int argc, char** argv) {
  std::string out, oggenc = "oggenc";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!strcmp(argv[i], "--out"))
      out = argv[i + 1];
    else if (!strcmp(argv[i], "--oggenc"))
      oggenc = argv[i + 1];
  }
  if (out.empty()) {
    fputs("usage: soundgen --out DIR [--oggenc PATH]: writes DIR/sounds/NAME.ogg\n", stderr);
    return 2;
  }
  std::string dir = out + "/sounds";
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir, ec);
  if (ec) {
    fprintf(stderr, "soundgen: cannot create %s: %s\n", dir.c_str(), ec.message().c_str());
    return 1;
  }
  int count = 0, serial = 1;
  const sounds::Effect* effects = sounds::Effects(&count);
  int written = 0;
  for (int i = 0; i < count; ++i) {
    if (fs::exists(dir + "/" + effects[i].name + ".ogg")) continue; // one file may serve twice
    if (!Encode(oggenc, dir, effects[i].name, Effect(effects[i].name), serial++)) return 1;
    ++written;
  }
  int music = 0;
  const char* const* themes = sounds::MusicFiles(&music);
  for (int i = 0; i < music; ++i)
    if (!Encode(oggenc, dir, themes[i], Theme(themes[i]), serial++)) return 1;
  printf("soundgen: %d effects, %d themes\n", written, music);
  return 0;
}
