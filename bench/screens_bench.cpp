// Every screen of the game, headless on Mesa at 1024x600 as the program runs it: the start-up to
// the main menu's and to a level's first frame, then a fixed number of frames on each screen with
// the CPU time of the game's update and batching, the whole frame with the driver's finish, the
// process's CPU (the driver's threads included), draw calls, texture changes, the game's own heap
// allocations, the rasteriser's fill (opaque and blended screens) and the resident memory, against
// the frame targets.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <standin/headless_gl.h>

#include "alloc_count.h"
#include "animator.h"
#include "buttons.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include "pause_panel.h"
#include "platform_services.h"
#include "progress_files.h"
#include "texture2d.h"
#include "the_game.h"

namespace {

const int kDisplayW = 1024, kDisplayH = 600;

// --- the frame: the swap ends the game's update and batching; the driver then finishes it ---
double g_cpuAtSwap = 0, g_wallAfterFinish = 0;

void SwapAndFinish() {
  g_cpuAtSwap = ThreadCpuMs();
  glFinish();
  g_wallAfterFinish = WallMs();
}

double ProcessCpuMs() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
}

long ResidentMiB() {
  long pages = 0, resident = 0;
  FILE* f = fopen("/proc/self/statm", "r");
  if (!f) return 0;
  if (fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
  fclose(f);
  return resident * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

// The game as the host's main loop starts it on a display of 1024x600: the logical screen the
// game picks for it, double-resolution pictures, the host's swap.
class BenchGame {
public:
  bool Start() {
    if (!m_GL.Open(kDisplayW, kDisplayH)) return false;
    GLES_ResetStateCache();
    m_Game = new CTheGame();
    g_pGame = m_Game;
    m_Game->m_pApp = m_Game;
    g_bGameRunsInPortait = m_Game->GetIPhoneOrientation() == 0;
    int w = 0, h = 0;
    if (g_bGameRunsInPortait || !m_Game->SelectAndroidInGameResolution(kDisplayW, kDisplayH, w, h))
      return false;
    m_Game->m_b2xImages = 1;
    m_Game->m_nDeviceScreenWidth = kDisplayW;
    m_Game->m_nDeviceScreenHeight = kDisplayH;
    g_PixelScale = (float)w / (float)kDisplayW;
    g_prefer_GL_NEAREST = 0x2601;
    g_pfnGLES_SwapBuffers = SwapAndFinish;
    return m_Game->Init(w, h);
  }
  ~BenchGame() {
    delete m_Game;
    g_pGame = nullptr;
    g_pfnGLES_SwapBuffers = nullptr;
    GLES_ResetStateCache();
  }
  CTheGame* Game() { return m_Game; }
  // One frame of the host's loop. The tilt goes to the window straight (PlayerRun): there is no
  // platform window whose turn would correct a sensor reading.
  void Cycle() {
    g_bUsingAccelerometer = false;
    m_Game->RunGameCycle();
  }
  CXGameplayWindow* Window() { return m_Game->m_pGameplayWindow; }

  // Runs frames until mode is the current one at the start of a frame, and that frame; false when
  // it is not reached within limit frames.
  bool RunUntilFirstFrameOf(int mode, int limit, int* frames = nullptr) {
    for (int i = 0; i < limit; ++i) {
      bool there = g_currentMode == mode;
      Cycle();
      if (there) {
        if (frames) *frames = i;
        return true;
      }
    }
    return false;
  }

private:
  HeadlessGL m_GL;
  CTheGame* m_Game = nullptr;
};

// A working directory of its own for the game's data/, removed at the end.
struct TempRoot {
  std::string path, previous;
  TempRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "screens-bench-XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
    previous = std::filesystem::current_path().string();
    if (!path.empty()) {
      std::filesystem::create_directories(path + "/data");
      std::filesystem::current_path(path);
    }
  }
  ~TempRoot() {
    std::error_code ec;
    std::filesystem::current_path(previous, ec);
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
};

// The wall time from nothing to the end of the first frame of the main menu (level < 0) or of that
// level, measured in a child process so that every start loads the driver afresh; -1 on failure.
double StartupMs(int level, int* frames) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  fflush(stdout);
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    close(fds[0]);
    if (!freopen("/dev/null", "w", stdout)) _exit(1);
    double result[2] = {-1, 0};
    TellDriverAllocations(false);
    TempRoot root;
    g_hostGameOptions.level = level;
    double t0 = WallMs();
    BenchGame game;
    int n = 0;
    if (game.Start() && game.RunUntilFirstFrameOf(level < 0 ? 0 : 9, 2000, &n)) {
      result[0] = WallMs() - t0;
      result[1] = n + 1;
    }
    if (write(fds[1], result, sizeof result) != (ssize_t)sizeof result) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  double result[2] = {-1, 0};
  ssize_t got = read(fds[0], result, sizeof result);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (got != (ssize_t)sizeof result) return -1;
  *frames = (int)result[1];
  return result[0];
}

struct Sample {
  double cpu;     // the game's update and batching, and the batches sent on the way
  double frame;   // the whole frame, the driver's finish included
  double process; // every thread of the process, the driver's rasterisers included
  long draws, textures, allocations;
  long unblended;         // pictures drawn with their opaque part unblended, each in a draw of its own
  double opaque, blended; // screens filled with blending off and on
};

struct Screen {
  std::string name;
  std::vector<Sample> samples;
  long residentMiB = 0;
};

// The picture the last frame left in the pbuffer, as an RGB PNG of the display's size (for comparing
// a screen before and after a change to its drawing); false when it cannot be written.
bool WriteShot(const std::string& path) {
  std::vector<unsigned char> rgba((size_t)kDisplayW * kDisplayH * 4), rgb((size_t)kDisplayW * kDisplayH * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kDisplayW, kDisplayH, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  for (int y = 0; y < kDisplayH; ++y) // GL's rows run bottom-up
    for (int x = 0; x < kDisplayW; ++x)
      for (int c = 0; c < 3; ++c)
        rgb[((size_t)y * kDisplayW + x) * 3 + c] =
            rgba[((size_t)(kDisplayH - 1 - y) * kDisplayW + x) * 4 + c];
  std::string error;
  if (standin::WritePng(path, kDisplayW, kDisplayH, rgb, &error)) return true;
  fprintf(stderr, "screens: %s\n", error.c_str());
  return false;
}

// Input given before each frame, by frame number from the screen's entry.
typedef std::function<void(int)> Input;

Sample Frame(BenchGame& game) {
  GLES_CallCounts before = g_GLES_CallCounts;
  const unsigned unblended = g_opaqueMiddles.count;
  g_GLES_FillCounts = GLES_FillCounts{};
  AllocationMark mark;
  double cpu0 = ThreadCpuMs(), wall0 = WallMs(), process0 = ProcessCpuMs();
  game.Cycle();
  Sample s;
  s.cpu = g_cpuAtSwap - cpu0;
  s.frame = g_wallAfterFinish - wall0;
  s.process = ProcessCpuMs() - process0;
  s.draws = (long)(g_GLES_CallCounts.drawCalls - before.drawCalls);
  s.textures = (long)(g_GLES_CallCounts.textureBinds - before.textureBinds);
  s.unblended = (long)(g_opaqueMiddles.count - unblended);
  s.allocations = mark.Own();
  s.opaque = g_GLES_FillCounts.opaque;
  s.blended = g_GLES_FillCounts.blended;
  return s;
}

class Walk {
public:
  Walk(BenchGame& game, int warmup, int frames, const std::string& shots)
      : m_Game(game), m_Warmup(warmup), m_Frames(frames), m_Shots(shots) {}

  // Frames of the current screen: warmup unmeasured, then the measured ones, as long as the screen
  // stays (the splash ends by itself).
  void Measure(const std::string& name, const Input& input = nullptr) {
    const int mode = g_currentMode;
    int f = 0;
    for (int i = 0; i < m_Warmup && g_currentMode == mode; ++i, ++f) {
      if (input) input(f);
      m_Game.Cycle();
    }
    Screen s{name, {}, 0};
    for (int i = 0; i < m_Frames && g_currentMode == mode; ++i, ++f) {
      if (input) input(f);
      s.samples.push_back(Frame(m_Game));
    }
    s.residentMiB = ResidentMiB();
    m_Screens.push_back(s);
    if (!m_Shots.empty()) {
      char file[160];
      snprintf(file, sizeof file, "/%02zu-", m_Screens.size());
      std::string path = m_Shots + file;
      for (char c : name)
        path += isalnum((unsigned char)c) ? c : '-';
      if (!WriteShot(path + ".png")) fprintf(stderr, "screens: cannot write %s.png\n", path.c_str());
    }
  }
  // Frames that are not measured, with input; stops early when done() says so.
  bool Run(int limit, const Input& input, const std::function<bool()>& done) {
    for (int f = 0; f < limit; ++f) {
      if (done && done()) return true;
      if (input) input(f);
      m_Game.Cycle();
    }
    return !done || done();
  }
  const std::vector<Screen>& Screens() const { return m_Screens; }

private:
  BenchGame& m_Game;
  int m_Warmup, m_Frames;
  std::string m_Shots;
  std::vector<Screen> m_Screens;
};

void Tap(CTheGame* game, int x, int y) {
  game->NotifyPointerEvent(x, y, 1);
  game->NotifyPointerEvent(x, y, 2);
}

// The player's run through a level: leaning right, a jump held 15 frames every 20 from frame 40.
// Its rhythm runs on over the screens measured on the way.
Input PlayerRun(CXGameplayWindow* window) {
  auto frame = std::make_shared<int>(0);
  return [window, frame](int) {
    int f = (*frame)++;
    window->AccelerometerUpdate(0, -0.2f, 0);
    myPoint at = {240, 200};
    if (f >= 40 && (f - 40) % 20 == 0) GameModes[9]->StylusDown(&at, 1);
    if (f >= 40 && (f - 40) % 20 == 15) GameModes[9]->StylusUp(&at, 1);
  };
}

void PrintTable(const std::vector<Screen>& screens) {
  printf("\n%-24s %14s %14s %8s %10s %10s %14s %11s %9s\n", "screen", "update+batch", "frame+finish",
         "process", "draws", "textures", "own allocs", "fill", "resident");
  printf("%-24s %14s %14s %8s %10s %10s %14s %11s %9s\n", "", "ms p50/p99", "ms p50/p99", "ms mean",
         "p50/max", "p50/max", "per frame p50/max", "opaq/blend", "MiB");
  for (const Screen& s : screens) {
    std::vector<double> cpu, frame;
    std::vector<long> draws, textures, allocs;
    double process = 0, opaque = 0, blended = 0;
    for (const Sample& x : s.samples) {
      opaque += x.opaque;
      blended += x.blended;
      cpu.push_back(x.cpu);
      frame.push_back(x.frame);
      draws.push_back(x.draws);
      textures.push_back(x.textures);
      allocs.push_back(x.allocations);
      process += x.process;
    }
    if (!s.samples.empty()) {
      process /= (double)s.samples.size();
      opaque /= (double)s.samples.size();
      blended /= (double)s.samples.size();
    }
    char a[32], b[32], c[32], d[32], e[32], f[32];
    snprintf(f, sizeof f, "%.2f/%.2f", opaque, blended);
    snprintf(a, sizeof a, "%.3f/%.3f", Percentile(cpu, 0.5), Percentile(cpu, 0.99));
    snprintf(b, sizeof b, "%.2f/%.2f", Percentile(frame, 0.5), Percentile(frame, 0.99));
    snprintf(c, sizeof c, "%.0f/%.0f", Percentile(draws, 0.5), Percentile(draws, 1.0));
    snprintf(d, sizeof d, "%.0f/%.0f", Percentile(textures, 0.5), Percentile(textures, 1.0));
    if (AllocationsCounted())
      snprintf(e, sizeof e, "%.0f/%.0f", Percentile(allocs, 0.5), Percentile(allocs, 1.0));
    else
      snprintf(e, sizeof e, "not counted");
    printf("%-24s %14s %14s %8.2f %10s %10s %14s %11s %9ld\n", s.name.c_str(), a, b, process, c, d, e, f,
           s.residentMiB);
  }
}

// Each screen against the targets: at most 1 ms of update and batching (p99), no allocation of
// the game's own in any measured frame of a steady screen, no more draws than texture changes + 1.
int PrintTargets(const std::vector<Screen>& screens) {
  printf(
      "\ntargets: update+batch p99 <= 1.0 ms; own allocations 0 in a steady screen; draws <= textures + 1\n"
      "         (and one more for each picture whose opaque part is drawn without blending)\n");
  int missed = 0;
  for (const Screen& s : screens) {
    std::vector<double> cpu;
    long allocs = 0, excess = -1;
    for (const Sample& x : s.samples) {
      cpu.push_back(x.cpu);
      allocs = std::max(allocs, x.allocations);
      excess = std::max(excess, x.draws - x.textures - 1 - x.unblended);
    }
    std::string misses;
    if (Percentile(cpu, 0.99) > 1.0) misses += " update+batch";
    if (AllocationsCounted() && allocs > 0) misses += " allocations";
    if (excess > 0) misses += " draws";
    if (!misses.empty()) {
      printf("  %-22s missed:%s\n", s.name.c_str(), misses.c_str());
      ++missed;
    }
  }
  if (!missed) printf("  every screen meets them\n");
  return missed;
}

} // namespace

int main(int argc, char** argv) {
  int frames = 240, warmup = 40, startups = 3;
  std::string shots;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--frames" && i + 1 < argc)
      frames = atoi(argv[++i]);
    else if (a == "--warmup" && i + 1 < argc)
      warmup = atoi(argv[++i]);
    else if (a == "--startups" && i + 1 < argc)
      startups = atoi(argv[++i]);
    else if (a == "--shots" && i + 1 < argc)
      shots = argv[++i];
    else {
      fprintf(stderr, "usage: %s [--frames N] [--warmup N] [--startups N] [--shots DIR]\n", argv[0]);
      return 2;
    }
  }
  if (frames < 1 || warmup < 0 || startups < 1) {
    fprintf(stderr, "screens: --frames and --startups take 1 or more, --warmup 0 or more\n");
    return 2;
  }
  if (!shots.empty()) {
    // Made absolute now: the walk runs in a temporary directory of its own.
    std::error_code ec;
    shots = std::filesystem::absolute(shots).string();
    std::filesystem::create_directories(shots, ec);
  }
  setenv("LP_NUM_THREADS", "2", 0); // comparable runs: llvmpipe's threads pinned unless set
  g_hostGameOptions.dataDirectory = SPROCKLET_DATA_DIR;

  // Start-up, each in a fresh process: the median of the runs.
  printf("screens: %dx%d headless, LP_NUM_THREADS=%s, %d frames a screen after %d unmeasured\n", kDisplayW,
         kDisplayH, getenv("LP_NUM_THREADS"), frames, warmup);
  for (int level : {-1, 1}) {
    std::vector<double> ms;
    int n = 0;
    for (int i = 0; i < startups; ++i) {
      double t = StartupMs(level, &n);
      if (t < 0) {
        fprintf(stderr, "screens: the start-up to %s failed\n", level < 0 ? "the main menu" : "the level");
        return 1;
      }
      ms.push_back(t);
    }
    if (level < 0)
      printf("start to the main menu's first frame:  %8.1f ms median of %d (%d frames, the splash's as fast "
             "as they draw)\n",
             Percentile(ms, 0.5), startups, n);
    else
      printf("start to level %d's first frame:        %8.1f ms median of %d (--level %d, %d frames)\n", level,
             Percentile(ms, 0.5), startups, level, n);
  }

  TempRoot root;
  g_hostGameOptions.level = -1;
  BenchGame bench;
  if (root.path.empty() || !bench.Start()) {
    fprintf(stderr, "screens: the game did not start on a headless GL screen\n");
    return 1;
  }
  CTheGame* game = bench.Game();
  // The fill is counted in the walk only; the game itself never pays for it.
  GLES_CountFill(MAXX, MAXY);
  // The same walk draws the same pictures: the game's random numbers start from a fixed seed.
  srand(1);
  Walk walk(bench, warmup, frames, shots);
  walk.Measure("loader (splash)");
  if (!bench.RunUntilFirstFrameOf(0, 2000)) {
    fprintf(stderr, "screens: the loader never reached the main menu\n");
    return 1;
  }
  walk.Measure("main menu");
  struct Entry {
    const char* name;
    int mode;
  };
  // Every screen is entered from the main menu, as a player goes.
  auto enter = [&](int mode) {
    SwitchMode(0);
    if (mode == 9) {
      g_levelSelected = 1;
      g_characterID = 0;
    }
    SwitchMode(mode);
    if (g_currentMode != mode) fprintf(stderr, "screens: screen %d could not be entered\n", mode);
    return g_currentMode == mode;
  };
  for (Entry e : {Entry{"world map", 1}, Entry{"level selection", 11}}) {
    if (!enter(e.mode)) return 1;
    walk.Measure(e.name);
  }

  // Level 1, which the player's run finishes: play, the pause panel, and the level end.
  g_accelerometerControl = 1;
  if (!enter(9)) return 1;
  Input run = PlayerRun(bench.Window());
  walk.Measure("level (play)", run);
  bench.Window()->Pause();
  walk.Measure("pause panel");
  ButtonResume();
  if (!walk.Run(3000, run, [] { return GameRects[0].levelFinished != 0; })) {
    fprintf(stderr, "screens: the player's run did not finish level 1\n");
    return 1;
  }
  // The result panel stands once its script has run (the tap that goes on is accepted then).
  walk.Run(1000, nullptr, [] { return EffectAnimators[33].time >= EffectAnimators[33].endTime; });
  walk.Measure("level end: result");
  const int midX = MAXX / 2, midY = MAXY / 2;
  Tap(game, midX, midY);
  walk.Measure("level end: buttons");
  // Out through the menu button once it takes taps, which clears the show, as a player leaves.
  walk.Run(500, nullptr, [] { return !Buttons[1].disabled; });
  Tap(game, Buttons[1].x, Buttons[1].y);
  if (!walk.Run(200, nullptr, [] { return g_currentMode == 11; })) {
    fprintf(stderr, "screens: the level end's menu button did not lead to level selection\n");
    return 1;
  }

  for (Entry e :
       {Entry{"shop", 15}, Entry{"options", 2}, Entry{"missions list", 12}, Entry{"secrets list", 13},
        Entry{"credits", 3}, Entry{"help", 16}, Entry{"mini-game", 14}}) {
    if (!enter(e.mode)) return 1;
    walk.Measure(e.name);
  }
  // The editor is the developer build's.
  g_finalRelease = 0;
  if (!enter(10)) return 1;
  walk.Measure("level editor");
  g_finalRelease = 1;

  PrintTable(walk.Screens());
  PrintTargets(walk.Screens());
  return 0;
}
