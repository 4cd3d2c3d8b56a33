// Whole levels written with the game's level writer and played in the in-level mode on the sample
// pack's sprites, steered by the accelerometer: the smallest level (start, floor, door) is finished
// once, and a level with one of each hazard kills the hero at the hazard it runs into.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "behaviour_fixture.h"
#include "catalogue.h"
#include "display.h"
#include "gameplay_window.h"
#include "inlevel_mode.h"
#include "startup_pack.h"
#include "test_levels.h"

namespace {

using test_levels::Floor;
using test_levels::Rec;

class LevelRun : public BehaviourTest {
protected:
  void SetUp() override {
    BehaviourTest::SetUp();
    ASSERT_TRUE(game.OpenPackFile(SamplePackPath())) << SamplePackPath();
    g_pGame = &game;
    sounds.reset();
    sounds = std::make_unique<SoundLog>(game);
    std::filesystem::create_directories(game.Dir() + "/data");
    ResetDrawingState();
    keepDisplay = display;
    display = &screen;
    MAXX = 480;
    MAXY = 320;
    g_finalRelease = 0; // the level comes from the save directory
    g_levelSelected = 7;
    g_accelerometerControl = 1;
    g_displayOrientation = 0;
    window = std::make_unique<CXGameplayWindow>(&game);
  }
  void TearDown() override {
    display = nullptr; // the test's own: the window's release would delete it
    window.reset();    // releases the game's globals
    previousSpriteSet = -100;
    currentCharacter = -1;
    curBGSprite = -1;
    g_currentWorldAtlasID = -1;
    display = keepDisplay;
    BehaviourTest::TearDown();
  }

  void Write(const std::vector<gameRectData>& records, int startX) {
    std::vector<unsigned char> bytes = test_levels::FileBytes(records, startX);
    std::ofstream(game.Dir() + "/data/level7.txt", std::ios::binary)
        .write((const char*)bytes.data(), (std::streamsize)bytes.size());
  }
  // One frame as the window runs it: the tilt reading, then the mode.
  void Frame(float tilt) {
    window->AccelerometerUpdate(0, tilt, 0);
    g_timef += kFrame;
    mode.Draw(kFrame);
  }

  PackGame game;
  Display screen;
  Display* keepDisplay = nullptr;
  TriangleCapture capture; // the frames' triangles go nowhere
  std::unique_ptr<CXGameplayWindow> window;
  questGame mode;
};

TEST_F(LevelRun, SmallestLevelIsFinishedOnceWithATiltToTheRight) {
  std::vector<gameRectData> level;
  Floor(level, 4960, 800);
  level.push_back(Rec(58, 5400, 5200 - 64));
  Write(level, 5060);
  g_currentMode = 9;
  mode.InitMode();
  ASSERT_EQ(GameRects[0].type, HERO_TYPE);
  ASSERT_FLOAT_EQ(GameRects[0].x, 5060);
  int finishedAt = -1;
  for (int f = 0; f < 600 && finishedAt < 0; ++f) {
    Frame(-0.3f); // tilted right: full speed to the right
    if (GameRects[0].levelFinished) finishedAt = f;
  }
  ASSERT_GE(finishedAt, 0) << "hero at " << GameRects[0].x;
  EXPECT_EQ(Record().completions, 1);
  EXPECT_EQ(g_levelCurrentData.deaths, 0);
  EXPECT_TRUE(PlayedSound(11, 0));
  for (int f = 0; f < 120; ++f)
    Frame(-0.3f);
  EXPECT_EQ(Record().completions, 1);
}

struct HazardCase {
  const char* name;
  int type;
  float x;    // where it was put
  float tilt; // a trap catches only a hero that lingers in its jaws
};

TEST_F(LevelRun, EachHazardKillsTheHeroThatRunsIntoIt) {
  // One level with one of each hazard on a long floor, 400 px apart; the hero starts in front of
  // each in turn.
  std::vector<gameRectData> level;
  Floor(level, 4960, 2800);
  level.push_back(Rec(115, 5300 - 20, 5200 - 20));    // lethal box, 40 x 20 on the floor
  level.push_back(Rec(21, 5700 - 10, 5200 - 30));     // lethal circle
  gameRectData trap = Rec(196, 6100 - 20, 5200 - 40); // trap
  level.push_back(trap);
  gameRectData laser = Rec(651, 6500 - 10, 5050); // laser turret above the run, pointing down
  laser.SetFloat(LW_CUSTOM1, 100);
  laser.SetFloat(LW_BLOCK_ANGLE, (float)M_PI_2);
  laser.SetFloat(LW_FPS, 0);
  level.push_back(laser);
  gameRectData monster = Rec(195, 6900 - 15, 5200 - 40); // monster, chasing at 100 px/s
  monster.SetFloat(LW_CUSTOM1, 100);
  level.push_back(monster);
  level.push_back(Rec(736, 7300 - 20, 5200 - 40)); // chainsaw
  const HazardCase cases[] = {{"lethal box", 115, 5300, -0.3f}, {"lethal circle", 21, 5700, -0.3f},
                              {"trap", 196, 6100, -0.1f},       {"laser", 651, 6500, -0.3f},
                              {"monster", 195, 6900, -0.3f},    {"chainsaw", 736, 7300, -0.3f}};
  for (const HazardCase& c : cases) {
    Write(level, (int)c.x - 200);
    g_levelCurrentData = levelCurrentData();
    g_currentMode = 9;
    mode.InitMode();
    // The hazard as the level start placed it.
    const gameRect* hazard = nullptr;
    for (int i = 1; i < GAME_RECTS; ++i)
      if (GameRects[i].active && GameRects[i].type == c.type) hazard = &GameRects[i];
    ASSERT_NE(hazard, nullptr) << c.name;
    ASSERT_LT(std::fabs(hazard->centerX - c.x), 60) << c.name;
    float diedAt = 0;
    for (int f = 0; f < 300 && diedAt == 0; ++f) {
      Frame(c.tilt);
      if (GameRects[0].dead) diedAt = GameRects[0].centerX;
    }
    ASSERT_NE(diedAt, 0) << c.name << ": hero at " << GameRects[0].centerX;
    EXPECT_EQ(g_levelCurrentData.deaths, 1) << c.name;
    // Killed at the hazard it ran into (the monster has come to meet it); the others are 400 px off.
    EXPECT_LT(std::fabs(diedAt - hazard->centerX), 60)
        << c.name << " killed at " << diedAt << ", hazard at " << hazard->centerX;
    mode.DeInitMode();
  }
}

} // namespace
