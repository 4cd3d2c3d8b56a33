// levelgen: writes the sample pack's level files (level0.txt ... level250.txt) into a directory.
#include <cstdio>
#include <string>

#include "level_gen.h"

int main(int argc, char** argv) {
  std::string out;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      out = argv[++i];
    } else {
      fputs("usage: levelgen --out DIR\nWrites a playable level file for every level number the game "
            "reaches.\n",
            arg == "-h" || arg == "--help" ? stdout : stderr);
      return arg == "-h" || arg == "--help" ? 0 : 2;
    }
  }
  if (out.empty()) {
    fputs("usage: levelgen --out DIR\n", stderr);
    return 2;
  }
  std::string error = levelgen::WriteLevels(out);
  if (!error.empty()) {
    fprintf(stderr, "levelgen: %s\n", error.c_str());
    return 1;
  }
  printf("levelgen: %zu levels\n", levelgen::LevelNumbers().size());
  return 0;
}
