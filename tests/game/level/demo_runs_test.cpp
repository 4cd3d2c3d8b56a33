// The sample pack's demo runs on their screens, in the running game: the main menu's demo of level 0
// plays its whole loop and starts again without the level ever ending, so the menu looks after a
// loop as it did before it; the help screen's demo of level 19 plays until the screen lets the hero
// go, and leaves him standing far from the door.
#include <cmath>
#include <string>
#include <vector>

#include "game_rect.h"
#include "level_data.h"
#include "level_file.h"
#include "recordings.h"
#include "running_game.h"

namespace {

class DemoRuns : public RunningGameTest {
protected:
  void SetUp() override { StartInTheMenu(); }

  // The door of the level on show.
  static const gameRect& Door() {
    for (int i = 1; i < GAME_RECTS; ++i)
      if (GameRects[i].active && GameRects[i].door) return GameRects[i];
    return GameRects[0];
  }
  // Runs a frame of the screen in 'mode'; false, with what went wrong, when the screen changed or
  // the level on it came to an end or a death.
  bool Frame(int mode, std::string* why) {
    Cycles(1);
    const gameRect& hero = GameRects[0];
    if (g_currentMode != mode)
      *why = "the screen changed to mode " + std::to_string(g_currentMode);
    else if (hero.levelFinished || hero.levelEndStarted || hero.animation == 20)
      *why = "the level ended";
    else if (hero.dead || !hero.active)
      *why = "the hero died";
    else if (Door().door == 0)
      *why = "the level has no door";
    else if (std::fabs(hero.centerX - Door().centerX) < 200)
      *why = "the hero came near the door";
    else
      return true;
    *why += " after " + std::to_string(g_levelCurrentData.frames) + " frames of the level";
    return false;
  }
  std::vector<uint8_t> Screen() {
    GLES_FlushBuffer();
    return gl.ReadRGBA();
  }
};

// The menu starts its demo again after frame 5710 of the level, so a loop is 5711 frames.
const int kMenuLoop = 5711;

TEST_F(DemoRuns, TheMainMenusDemoPlaysItsWholeLoopAndAgainWithoutTheLevelEverEnding) {
  ASSERT_TRUE(Running());
  ASSERT_TRUE(g_playingRecording);
  // Ten seconds in, then once round the loop and on to the same moment of it.
  const int tenSeconds = 600;
  std::string why;
  for (int f = 0; f < tenSeconds; ++f)
    ASSERT_TRUE(Frame(0, &why)) << why;
  const float x = GameRects[0].x, y = GameRects[0].y;
  std::vector<uint8_t> before = Screen();
  for (int f = 0; f < kMenuLoop; ++f) {
    ASSERT_TRUE(Frame(0, &why)) << why;
    ASSERT_TRUE(g_playingRecording) << "the demo stopped after " << g_levelCurrentData.frames << " frames";
  }
  EXPECT_EQ(g_levelCurrentData.frames, tenSeconds);
  EXPECT_EQ(GameRects[0].x, x);
  EXPECT_EQ(GameRects[0].y, y);
  std::vector<uint8_t> after = Screen();
  ASSERT_EQ(after.size(), before.size());
  size_t differing = 0;
  for (size_t i = 0; i < after.size(); i += 4)
    differing += std::abs(after[i] - before[i]) + std::abs(after[i + 1] - before[i + 1]) +
                     std::abs(after[i + 2] - before[i + 2]) >
                 24;
  EXPECT_LT(differing, after.size() / 4 / 100) << "the menu looks other than a loop before";
}

// The help screen lets the hero go after frame 4874 of its demo: he stands still near the start.
TEST_F(DemoRuns, TheHelpScreensDemoPlaysToItsEndWithoutTheLevelEndingAndLeavesTheHeroStanding) {
  ASSERT_TRUE(Running());
  SwitchMode(16);
  ASSERT_EQ(g_currentMode, 16);
  ASSERT_TRUE(g_playingRecording);
  std::string why;
  while (g_playingRecording) {
    ASSERT_TRUE(Frame(16, &why)) << why;
    ASSERT_LE(g_levelCurrentData.frames, 4876) << "the demo outlasts the screen's loop";
  }
  EXPECT_GE(g_levelCurrentData.frames, 4875) << "the demo ended before the screen's loop";
  const float x = GameRects[0].x;
  for (int f = 0; f < 300; ++f)
    ASSERT_TRUE(Frame(16, &why)) << why;
  EXPECT_NEAR(GameRects[0].x, x, 2) << "the hero was let go while running";
  EXPECT_FALSE(GameRects[0].inAir);
  EXPECT_LT(GameRects[0].x, g_levelCur.startX + 400) << "he rests on the start's floor";
}

} // namespace
