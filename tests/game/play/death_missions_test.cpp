// A hazard that burns or electrocutes the hero in a level played by the running game counts the
// death toward the mission of its name: fire toward "Torch", electricity toward "Electroman".
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "game_rect.h"
#include "mission_table.h"
#include "missions.h"
#include "running_level.h"

namespace {

using test_levels::Floor;
using test_levels::kFloorTop;
using test_levels::Rec;

using DeathMissions = RunningLevelTest;

// Every mission done but these, so that they are the current ones and count.
void OnlyCurrent(std::initializer_list<int> open) {
  for (int i = 0; i < MISSIONS; ++i) {
    bool keep = std::find(open.begin(), open.end(), i) != open.end();
    Missions[i].completed = keep ? 0 : 1;
    Missions[i].justCompleted = 0;
  }
  ProcessMissions(0);
}

TEST_F(DeathMissions, EachKindOfDeathCountsTowardTheMissionOfItsName) {
  ASSERT_STREQ(Missions[17].name, "Torch");
  ASSERT_STREQ(Missions[20].name, "Electroman");
  // The hero starts at x 5100 on the floor: its centre is at (5106, 5186).
  const float cx = 5106, cy = kFloorTop - 14;
  const struct {
    const char* hazard;
    int type;
    float w, h; // its size
    int kind, row;
    int counted, notCounted;
  } cases[] = {
      {"electric circle", 262, 20, 20, 1, 15, 20, 17},
      {"fire circle", 260, 20, 30, 2, 16, 17, 20},
      {"laser", 651, 60, 60, 2, 16, 17, 20},
  };
  for (const auto& c : cases) {
    OnlyCurrent({4, 17, 20});
    const int undying = Missions[4].counter, counted = Missions[c.counted].counter,
              notCounted = Missions[c.notCounted].counter;
    std::vector<gameRectData> level;
    Floor(level, 4960, 600);
    if (c.type == 651) {
      // A turret above the hero, its beam straight down through it.
      gameRectData laser = Rec(651, cx - c.w / 2, 5050);
      laser.SetFloat(LW_CUSTOM1, 100);
      laser.SetFloat(LW_BLOCK_ANGLE, (float)M_PI_2);
      laser.SetFloat(LW_FPS, 0);
      level.push_back(laser);
    } else {
      level.push_back(Rec(c.type, cx - c.w / 2, cy - c.h / 2));
    }
    Play(level, 5100);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(CyclesUntil(120, [] { return GameRects[0].dead != 0; })) << c.hazard;
    EXPECT_EQ(GameRects[0].deathKind, c.kind) << c.hazard;
    EXPECT_EQ(GameRects[0].animation, c.row) << c.hazard;
    EXPECT_EQ(Missions[4].counter, undying + 1) << c.hazard << ": every death counts toward \"Undying\"";
    EXPECT_EQ(Missions[c.counted].counter, counted + 1) << c.hazard;
    EXPECT_EQ(Missions[c.notCounted].counter, notCounted) << c.hazard;
  }
}

} // namespace
