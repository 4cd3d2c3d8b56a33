// A hero who dies starts the level again without an allocation of the game's own: in ordinary play
// (a level of the save directory, with its ghost) and in the mini-game (a level of the pack), the
// frames around each restart allocate nothing; a level file changed on disk between two deaths is
// still read again at the next restart.
#include <fstream>

#include "alloc_count.h"
#include "game_rect.h"
#include "level_data.h"
#include "recordings.h"
#include "running_level.h"

namespace {

using test_levels::Floor;
using test_levels::kFloorTop;
using test_levels::Rec;

// What the frames from a death until the hero stands again, and a little beyond, allocated of the
// game's own (the benchmarks' counting: none in a sanitizer build, whose allocator is its own).
struct Restart {
  bool restarted = false;
  long allocations = 0;
};

void ExpectNoAllocations(long allocations, int death) {
  if (AllocationsCounted()) {
    EXPECT_EQ(allocations, 0) << "death " << death;
  }
}

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
    const AllocationMark mark;
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
    r.allocations = mark.Own();
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
    ExpectNoAllocations(r.allocations, n);
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
    const AllocationMark mark;
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
    ExpectNoAllocations(mark.Own(), n);
  }
}

} // namespace
