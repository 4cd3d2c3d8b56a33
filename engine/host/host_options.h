// The host's command line: the game itself has none; these choose the backend, the display and
// what is replayed, recorded and captured.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct HostOptions {
  bool headless = false;
  int displayWidth = 1024;
  int displayHeight = 600;
  int orientation = 0;
  int frames = -1; // negative: run until the navigator's exit
  std::string journal;
  std::string record;
  std::vector<std::pair<int, std::string>> shots;
  std::string root;
  bool hasSeed = false;
  unsigned seed = 0;
  // For the game: start straight into a level with a character, the developer build, the
  // directory holding the read-only asset pack (empty: the one fixed at build time).
  int level = -1;
  int character = -1;
  bool developer = false;
  std::string data;
  bool help = false;
  // --audio: "sdl", "none" or "wav" (then audioFile); empty: sdl in a window, none headless.
  std::string audio;
  std::string audioFile;
};

// Answers false with a one-line reason on an unknown option, a missing or bad value.
bool ParseHostOptions(int argc, const char* const* argv, HostOptions* options, std::string* error);

const char* HostUsage();
