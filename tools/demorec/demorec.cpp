// demorec: records the demo run of one level for the sample pack. The level is played from the
// pack with the game's own physics (see demo_run.h) for as long as its screen replays it, and the
// recorded run is written as the pack's demo file "levels/record<level>.txt" under --out. One level
// per run of the program: every run starts from the same state, so the same pack gives the same
// bytes.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "demo_run.h"
#include "files.h"
#include "game_gl_screen.h"
#include "gameplay_window.h"
#include "pack_file_game.h"
#include "progress_files.h"
#include "recordings.h"

int main(int argc, char** argv) {
  std::string pack, out;
  int level = -1;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--pack" && i + 1 < argc)
      pack = argv[++i];
    else if (a == "--out" && i + 1 < argc)
      out = argv[++i];
    else if (a == "--level" && i + 1 < argc)
      level = atoi(argv[++i]);
    else
      level = -2;
  }
  if (pack.empty() || out.empty() || level < 0) {
    fprintf(stderr, "usage: %s --pack PAK --level N --out DIR\n", argv[0]);
    return 2;
  }
  out = std::filesystem::absolute(out).string(); // the game works in a directory of its own
  srand(1);
  setenv("LP_NUM_THREADS", "2", 0);

  PackFileGame game; // its temporary directory is the working directory and holds the save directory
  std::filesystem::create_directories("data");
  if (!game.OpenPackFile(pack)) {
    fprintf(stderr, "demorec: cannot open the pack %s\n", pack.c_str());
    return 1;
  }
  GameGLScreen screen;
  if (!screen.Open(game, 480, 320)) {
    fprintf(stderr, "demorec: no headless GL context\n");
    return 1;
  }
  game.m_bCreateTextures = 1;
  std::unique_ptr<CXGameplayWindow> window(StartLevelWindow(&game, level, "demorec"));
  if (!window) return 1;
  if (!RecordDemoLoop(*window, DemoLoopFrames(level))) {
    fprintf(stderr, "demorec: no demo run for level %d\n", level);
    return 1;
  }

  // The ghost file and the demo file are one format: the saved ghost is the demo.
  char name[64], path[300];
  RecordingFileName(level, 0, name, sizeof name);
  if (!GetFileFromDocuments(name, path)) {
    fprintf(stderr, "demorec: no save directory for the run of level %d\n", level);
    return 1;
  }
  std::ifstream in(DiskPathFromEnginePath(path).c_str(), std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() <= 4) {
    fprintf(stderr, "demorec: the run of level %d was not saved\n", level);
    return 1;
  }
  const std::string dir = out + "/levels", file = dir + "/record" + std::to_string(level) + ".txt";
  std::filesystem::create_directories(dir);
  if (!WriteFileAtomically(file.c_str(), bytes.data(), bytes.size())) {
    fprintf(stderr, "demorec: cannot write %s\n", file.c_str());
    return 1;
  }
  printf("demorec: level %d, %d frames -> %s\n", level, Recordings[0].length, file.c_str());
  return 0;
}
