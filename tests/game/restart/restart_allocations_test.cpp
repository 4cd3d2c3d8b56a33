// A hero who dies starts the level again without an allocation of the game's own: in ordinary play
// (a level of the save directory, with its ghost) and in the mini-game (a level of the pack), the
// frames around each restart allocate nothing; a level file changed on disk between two deaths is
// still read again at the next restart.
#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>

#include "game_rect.h"
#include "level_data.h"
#include "recordings.h"
#include "running_level.h"

// --- allocation counting: every malloc family call and operator new of the program, except those
// the GL driver makes itself (told apart by the library that called); a sanitizer build owns malloc,
// and only operator new is counted there ---
namespace {

std::atomic<long> g_allocations{0};
thread_local bool t_inside = false;

bool FromDriver(void* caller) {
  Dl_info info;
  if (!dladdr(caller, &info) || !info.dli_fname) return false;
  const char* f = info.dli_fname;
  return strstr(f, "dri") || strstr(f, "gallium") || strstr(f, "libGL") || strstr(f, "libEGL") ||
         strstr(f, "LLVM") || strstr(f, "glapi");
}

void Count(void* caller) {
  if (t_inside) return; // dladdr and operator new's own malloc
  t_inside = true;
  if (!FromDriver(caller)) g_allocations.fetch_add(1, std::memory_order_relaxed);
  t_inside = false;
}

} // namespace

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define RAW_MALLOC std::malloc
#else
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* malloc(size_t n) {
  Count(__builtin_return_address(0));
  return __libc_malloc(n);
}
void* calloc(size_t n, size_t m) {
  Count(__builtin_return_address(0));
  return __libc_calloc(n, m);
}
void* realloc(void* p, size_t n) {
  Count(__builtin_return_address(0));
  return __libc_realloc(p, n);
}
}
#define RAW_MALLOC __libc_malloc
#endif

// operator new counted by its own caller, so that a driver's C++ allocation stays the driver's.
// What it takes from the C library goes back there: GCC, inlining the two, takes the pair for a
// mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(size_t n) {
  Count(__builtin_return_address(0));
  if (void* p = RAW_MALLOC(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t n) {
  Count(__builtin_return_address(0));
  if (void* p = RAW_MALLOC(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  Count(__builtin_return_address(0));
  return RAW_MALLOC(n ? n : 1);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
  Count(__builtin_return_address(0));
  return RAW_MALLOC(n ? n : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

using test_levels::Floor;
using test_levels::kFloorTop;
using test_levels::Rec;

// What the frames from a death until the hero stands again, and a little beyond, allocated.
struct Restart {
  bool restarted = false;
  long allocations = 0;
};

// Dies at the start of an electric circle: the hero starts at x 5100, its centre at (5106, 5186).
std::vector<gameRectData> DeadlyStart() {
  std::vector<gameRectData> level;
  Floor(level, 4960, 600);
  level.push_back(Rec(262, 5106 - 10, kFloorTop - 14 - 10));
  return level;
}

class RestartAllocations : public RunningLevelTest {
protected:
  // Frames until the hero has died and stands again, then ten more, counted.
  Restart DieAndRestart(int deaths) {
    Restart r;
    const long before = g_allocations.load();
    bool died = false;
    for (int f = 0; f < 600; ++f) {
      Cycles(1);
      died = died || GameRects[0].dead;
      if (died && !GameRects[0].dead && g_levelCurrentData.deaths >= deaths) {
        r.restarted = true;
        break;
      }
    }
    if (r.restarted) Cycles(10);
    r.allocations = g_allocations.load() - before;
    return r;
  }
  void WriteLevel(const std::vector<gameRectData>& records) {
    const std::vector<unsigned char> bytes = test_levels::FileBytes(records, 5100);
    const std::string path =
        DiskPathFromEnginePath((g_pGame->GetSaveDirectory() + "level7.txt").c_str()).c_str();
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), (std::streamsize)bytes.size());
  }
};

TEST_F(RestartAllocations, RestartsInPlayWithAGhostAllocateNothing) {
  // A first run of the level, kept as its ghost: the level's next start plays it beside the hero.
  std::vector<gameRectData> level;
  Floor(level, 4960, 600);
  Play(level, 5100);
  if (HasFatalFailure()) return;
  Cycles(60);
  SaveRecording();
  WriteLevel(DeadlyStart());
  SwitchMode(9);
  ASSERT_EQ(g_currentMode, 9);
  ASSERT_TRUE(shadowRecordingLoaded) << "the ghost of the first run";
  const int deaths = g_levelCurrentData.deaths;
  for (int n = 1; n <= 3; ++n) {
    Restart r = DieAndRestart(deaths + n);
    ASSERT_TRUE(r.restarted) << "death " << n;
    EXPECT_EQ(r.allocations, 0) << "death " << n;
    EXPECT_TRUE(shadowRecordingLoaded) << "the ghost plays again after death " << n;
  }
}

TEST_F(RestartAllocations, ALevelFileChangedOnDiskBetweenDeathsIsReadAgain) {
  std::vector<gameRectData> level = DeadlyStart();
  Play(level, 5100);
  if (HasFatalFailure()) return;
  ASSERT_TRUE(DieAndRestart(1).restarted);
  auto count = [](int type) {
    int n = 0;
    for (int i = 1; i < GAME_RECTS; ++i)
      n += GameRects[i].active && GameRects[i].type == type;
    return n;
  };
  ASSERT_EQ(count(115), 0);
  // Saved while the hero lies dead, as the editor or a developer would.
  level.push_back(Rec(115, 5400, kFloorTop - 20));
  WriteLevel(level);
  ASSERT_TRUE(DieAndRestart(2).restarted);
  EXPECT_EQ(count(115), 1) << "the restart plays the file as it is now";
  // A damaged save is refused like at any read, and gives way to the pack's level of that number
  // rather than to the bytes held from before.
  const std::string path =
      DiskPathFromEnginePath((g_pGame->GetSaveDirectory() + "level7.txt").c_str()).c_str();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write("broken", 6);
  ASSERT_TRUE(DieAndRestart(3).restarted);
  EXPECT_NE(g_levelCur.startX, 5100) << "the pack's level 7 starts elsewhere";
}

class MiniGameRestart : public RunningGameTest {
protected:
  void SetUp() override {
    StartInTheMenu();
    keepRelease = g_finalRelease;
    g_finalRelease = 1; // the course is the pack's level 20
  }
  void TearDown() override {
    g_finalRelease = keepRelease;
    StopGame();
  }
  int keepRelease = 1;
};

TEST_F(MiniGameRestart, RestartsOnTheCourseAllocateNothing) {
  if (!Running()) return;
  SwitchMode(14);
  ASSERT_EQ(g_currentMode, 14);
  Cycles(120);
  for (int n = 1; n <= 3; ++n) {
    const int deaths = g_levelCurrentData.deaths;
    const long before = g_allocations.load();
    GameRects[0].Die(); // as the course's spikes do
    bool restarted = false;
    for (int f = 0; f < 300 && !restarted; ++f) {
      Cycles(1);
      restarted = !GameRects[0].dead;
    }
    ASSERT_TRUE(restarted) << "death " << n;
    Cycles(10);
    EXPECT_EQ(g_levelCurrentData.deaths, deaths + 1);
    EXPECT_EQ(g_currentMode, 14);
    EXPECT_EQ(g_allocations.load() - before, 0) << "death " << n;
  }
}

} // namespace
