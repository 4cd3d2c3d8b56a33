// The timedemo: a run through the busiest generated level of the sample pack is recorded once with
// the game's own recorder (leaning right and jumping), then replayed as the level's demo headless on
// Mesa as fast as it goes, and each replayed frame's CPU time, draw calls, texture changes and heap
// allocations are printed as p50 and p99 against the frame targets.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "alloc_count.h"
#include "demo_run.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "gameplay_window.h"
#include "level_data.h"
#include "level_file.h"
#include "mode_framework.h"
#include "pack_file_game.h"
#include "platform_services.h"
#include "progress_files.h"
#include "recordings.h"

namespace {

// The generated level with the most objects.
int BusiestLevel(int* objects) {
  int best = 1, most = -1;
  for (int level = 0; level <= 250; ++level) {
    char name[32];
    snprintf(name, sizeof name, "level%i", level);
    if (!EditorLoad(name)) continue;
    int n = 0;
    for (int i = 1; i < GAME_RECTS; ++i)
      n += GameRects[i].active;
    if (n > most) {
      most = n;
      best = level;
    }
  }
  *objects = most;
  return best;
}

struct Frame {
  double cpu;    // the whole game frame: update, batching and the batches sent on the way
  double submit; // the last batch sent and GL finished
  long drawCalls, textureChanges;
  long allocations;       // the game's and the engine's own
  long driverAllocations; // the GL driver's, while it draws what the frame sent
};

} // namespace

int main(int argc, char** argv) {
  int recordFrames = 1500, level = -1;
  bool requireTargets = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--record-frames" && i + 1 < argc)
      recordFrames = atoi(argv[++i]);
    else if (a == "--level" && i + 1 < argc)
      level = atoi(argv[++i]);
    else if (a == "--require-targets")
      requireTargets = true;
    else {
      fprintf(stderr, "usage: %s [--level N] [--record-frames N] [--require-targets]\n", argv[0]);
      return 2;
    }
  }
  const std::string pack = std::string(SPROCKLET_DATA_DIR) + "/_game_bb.pak";
  setenv("LP_NUM_THREADS", "2", 0); // comparable runs: llvmpipe's threads pinned unless set

  PackFileGame game; // its temporary directory is the working directory and holds the save directory
  std::filesystem::create_directories("data");
  if (!game.OpenPackFile(pack)) {
    fprintf(stderr, "timedemo: cannot open the sample pack %s\n", pack.c_str());
    return 1;
  }
  GameGLScreen screen;
  if (!screen.Open(game, 480, 320)) {
    fprintf(stderr, "timedemo: no headless GL context\n");
    return 1;
  }
  game.m_bCreateTextures = 1;
  g_finalRelease = 1;
  int objects = 0;
  if (level < 0) level = BusiestLevel(&objects);
  std::unique_ptr<CXGameplayWindow> window(StartLevelWindow(&game, level, "timedemo"));
  if (!window) return 1;
  bool finished = RecordLevelRun(*window, recordFrames);

  // The replay: the level again from its start, the hero driven by the recorded run.
  SwitchMode(9);
  g_finalRelease = 0; // the development build's demo is the player's own run of the level
  int loaded = RecordingsPlayReplay();
  g_finalRelease = 1;
  if (!loaded) {
    fprintf(stderr, "timedemo: the recorded run of level %d did not load\n", level);
    return 1;
  }
  int runFrames = Recordings[0].length;
  std::vector<Frame> frames;
  frames.reserve((size_t)runFrames + 1);
  while (g_playingRecording && (int)frames.size() < RECORDING_FRAMES) {
    GLES_CallCounts before = g_GLES_CallCounts;
    AllocationMark mark;
    double t0 = ThreadCpuMs();
    window->Draw();
    double t1 = ThreadCpuMs();
    GLES_FlushBuffer();
    glFinish();
    double t2 = ThreadCpuMs();
    const GLES_CallCounts& after = g_GLES_CallCounts;
    frames.push_back({t1 - t0, t2 - t1, (long)(after.drawCalls - before.drawCalls),
                      (long)(after.textureBinds - before.textureBinds), mark.Own(), mark.Driver()});
  }
  // The first frames load what the level needs once; the targets are for play.
  size_t warm = std::min<size_t>(frames.size(), 5);
  std::vector<double> cpu, submit;
  std::vector<long> draws, textures, allocs, submitAllocs, excess;
  for (size_t i = warm; i < frames.size(); ++i) {
    cpu.push_back(frames[i].cpu);
    submit.push_back(frames[i].submit);
    draws.push_back(frames[i].drawCalls);
    textures.push_back(frames[i].textureChanges);
    allocs.push_back(frames[i].allocations);
    submitAllocs.push_back(frames[i].driverAllocations);
    excess.push_back(frames[i].drawCalls - frames[i].textureChanges - 1);
  }
  printf("timedemo: level %d (%d objects), a recorded run of %d frames%s, %zu frames replayed\n", level,
         objects, runFrames, finished ? " to the exit door" : "", frames.size());
  printf("                                 p50       p99       max\n");
  printf("update + batching, ms CPU   %9.3f %9.3f %9.3f   (target <= 1.0)\n", Percentile(cpu, 0.5),
         Percentile(cpu, 0.99), Percentile(cpu, 1.0));
  printf("final submit + finish, ms   %9.3f %9.3f %9.3f\n", Percentile(submit, 0.5), Percentile(submit, 0.99),
         Percentile(submit, 1.0));
  printf("draw calls                  %9.0f %9.0f %9.0f\n", Percentile(draws, 0.5), Percentile(draws, 0.99),
         Percentile(draws, 1.0));
  printf("texture changes             %9.0f %9.0f %9.0f\n", Percentile(textures, 0.5),
         Percentile(textures, 0.99), Percentile(textures, 1.0));
  printf("draws - (textures + 1)      %9.0f %9.0f %9.0f   (target <= 0)\n", Percentile(excess, 0.5),
         Percentile(excess, 0.99), Percentile(excess, 1.0));
  if (AllocationsCounted()) {
    printf("heap allocations, own       %9.0f %9.0f %9.0f   (target 0)\n", Percentile(allocs, 0.5),
           Percentile(allocs, 0.99), Percentile(allocs, 1.0));
    printf("heap allocations, GL driver %9.0f %9.0f %9.0f   (Mesa's, not the game's)\n",
           Percentile(submitAllocs, 0.5), Percentile(submitAllocs, 0.99), Percentile(submitAllocs, 1.0));
  } else {
    printf("heap allocations            not counted in a sanitizer build\n");
  }
  window.reset();
  DeInitGameModes();
  if (requireTargets) {
    bool met = Percentile(cpu, 0.99) <= 1.0 && Percentile(excess, 1.0) <= 0;
    if (AllocationsCounted()) met = met && Percentile(allocs, 1.0) == 0;
    if (!met) {
      printf("timedemo: a target is not met\n");
      return 3;
    }
  }
  return frames.size() > warm ? 0 : 1;
}
