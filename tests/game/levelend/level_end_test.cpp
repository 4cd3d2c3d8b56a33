// The level-end script read back from the animator pool: stars, rank text and badges by the run,
// the record pair, the golden-joystick loop and the slots it reuses, phase 1's shutters, side
// copies and buttons, the shutters' done callback, and the mission list's toggles.
#include <gtest/gtest.h>

#include <cmath>

#include "animator.h"
#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "level_complete.h"
#include "level_data.h"
#include "level_end.h"
#include "level_header.h"
#include "object_list.h"
#include "progress_files.h"
#include "sprite_tables.h"
#include "surface.h"

namespace {

Surface* Fx(int i) { return reinterpret_cast<Surface*>(0x10000 + 64 * i); }

class LevelEndTest : public ::testing::Test {
protected:
  void SetUp() override {
    ClearEffectAnimators();
    ClearButtons();
    for (int i = 0; i < 80; ++i)
      g_levelEndFXs[i] = Fx(i);
    savedHeader = g_levelCur;
    g_levelCur.rankTime4 = 10; // L1, the perfect time
    g_levelCur.rankTime3 = 20; // L2
    g_levelCur.rankTime2 = 30; // L3
    g_levelCurrentData.Reset();
    g_levelSelected = 7;
    g_characterID = 0;
    SetLevelBestTime(7, 0, 0);
    Screen(480, 320);
  }
  void TearDown() override {
    ClearEffectAnimators();
    ClearButtons();
    for (int i = 0; i < 80; ++i)
      g_levelEndFXs[i] = nullptr;
    g_levelCur = savedHeader;
    g_levelCurrentData.Reset();
    SetLevelBestTime(7, 0, 0);
    Screen(480, 320);
  }
  static void Screen(int w, int h) {
    MAXX = w;
    MAXY = h;
    const float ratio = (float)w / h;
    g_ratio_is_1_5 = ratio == 1.5f;
    g_ratio_is_more_1_5 = ratio > 1.5f;
    g_ratio_is_less_1_5 = ratio < 1.5f;
    g_guiShiftX = w / 480.0f * 320.0f / h;
  }
  static void Run(float t) {
    g_levelCurrentData.levelTime = t;
    AddLevelEndAnimation(false);
  }
  static bool Live(int slot) { return EffectAnimators[slot].active != 0; }
  static Surface* SpriteOf(int slot) { return EffectAnimators[slot].sprite; }
  static int Stars() {
    int n = 0;
    for (int slot : {47, 50, 53})
      n += Live(slot);
    return n;
  }
  levelHeader savedHeader;
};

struct RunCase {
  float time;
  int stars;
  int rankSprite;
  bool golden;
};
class LevelEndRunTest : public LevelEndTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(LevelEndRunTest, StarsRankTextAndTheGoldenJoystickFollowTheTime) {
  const RunCase c = GetParam();
  Run(c.time);
  EXPECT_EQ(Stars(), c.stars);
  for (int slot : {13, 14, 15})
    EXPECT_EQ(SpriteOf(slot), Fx(c.rankSprite)) << slot;
  EXPECT_EQ(EffectAnimators[39].onFinish == GoldenJoystickExtraAnimation, c.golden);
  EXPECT_FALSE(Live(23)) << "no badge without a pickup";
}

INSTANTIATE_TEST_SUITE_P(Times, LevelEndRunTest,
                         ::testing::Values(RunCase{35, 1, 33, false}, RunCase{25, 2, 34, false},
                                           RunCase{15, 3, 35, false}, RunCase{5, 3, 36, true}));

TEST_F(LevelEndTest, APickupShowsItsBadgeInPlaceOfTheRankTextAndTheSecretWins) {
  g_levelCurrentData.mushroomsTaken = 1;
  Run(35);
  for (int slot : {13, 14, 15})
    EXPECT_FALSE(Live(slot)) << slot;
  EXPECT_EQ(SpriteOf(23), Fx(5));
  EXPECT_EQ(SpriteOf(26), Fx(30));
  EXPECT_EQ(SpriteOf(28), Fx(6));
  AddLevelEndAnimation(true);
  EXPECT_EQ(SpriteOf(90), Fx(6)) << "the mushroom flies to the shop link";
  EXPECT_EQ(EffectAnimators[90].onFinish, PlayPopShroom);

  ClearEffectAnimators();
  Surface* item = reinterpret_cast<Surface*>(0x999);
  g_secretItems[4] = item;
  g_levelCurrentData.secretsTaken = 1;
  g_levelCurrentData.secretIndex = 4;
  Run(35);
  EXPECT_EQ(SpriteOf(23), Fx(7));
  EXPECT_EQ(SpriteOf(27), item);
  g_levelCurrentData.secretIndex = 500; // out of the table: no picture, no crash
  Run(35);
  EXPECT_EQ(SpriteOf(27), nullptr);
  g_secretItems[4] = nullptr;
}

TEST_F(LevelEndTest, TheNewRecordPairShowsWhenTheRunIsTheStoredBest) {
  SetLevelBestTime(7, 0, 12.5f);
  Run(12.5f);
  EXPECT_EQ(SpriteOf(33), Fx(27));
  EXPECT_EQ(SpriteOf(34), Fx(24));
  Run(13.0f);
  EXPECT_EQ(SpriteOf(33), Fx(28));
  EXPECT_EQ(SpriteOf(34), Fx(25));
}

TEST_F(LevelEndTest, APerfectRunLoopsTheGoldenJoystickInTheStarsFirstSlot) {
  Run(5);
  EXPECT_EQ(SpriteOf(45), Fx(11)) << "the first star's growth";
  for (int i = 0; i < 100 && !EffectAnimators[39].finished; ++i)
    ProcessEffectAnimators(0.016f);
  ASSERT_TRUE(EffectAnimators[39].finished);
  ASSERT_TRUE(Live(44));
  EXPECT_EQ(EffectAnimators[44].onFinish, RepeatGoldenJoystickExtraAnimation);
  EXPECT_EQ(SpriteOf(45), Fx(41)) << "the golden flash takes the star's spent slot";
  EXPECT_EQ(SpriteOf(40), Fx(40));
  EXPECT_TRUE(Live(47)) << "the star stays";
  bool restarted = false;
  for (int i = 0; i < 100 && !restarted; ++i) {
    const float before = EffectAnimators[44].time;
    ProcessEffectAnimators(0.016f);
    restarted = EffectAnimators[44].time < before;
  }
  EXPECT_TRUE(restarted) << "slot 44's end starts the loop again";
  EXPECT_EQ(SpriteOf(45), Fx(41));
}

TEST_F(LevelEndTest, WideScreensGetSideShuttersInTheStarSlotsAndPhaseOneEnablesTheButtons) {
  Screen(1024, 600);
  Run(5);
  ProcessLevelCompletion(0, 0); // not finished: nothing
  GameRects[0].levelFinished = 1;
  for (int i = 0; i < 200; ++i)
    ProcessEffectAnimators(0.016f);
  ProcessLevelCompletion(0, 0);
  ASSERT_TRUE(Live(55));
  const int right = (int)(480 / g_guiShiftX + 240), left = (int)(-480 / g_guiShiftX + 240);
  EXPECT_EQ(SpriteOf(49), Fx(16));
  EXPECT_EQ(EffectAnimators[49].targetX, right);
  EXPECT_EQ(SpriteOf(51), Fx(15));
  EXPECT_EQ(SpriteOf(52), Fx(16));
  EXPECT_EQ(EffectAnimators[54].targetX, left);
  EXPECT_TRUE(Live(47)) << "phase 0's stars stay beneath";
  EXPECT_EQ(Buttons[2].disabled, 1);
  int frames = 0;
  while (!EffectAnimators[82].finished && frames++ < 100) {
    EXPECT_EQ(Buttons[0].disabled, 1);
    ProcessEffectAnimators(0.016f);
  }
  EXPECT_NEAR(EffectAnimators[82].time, 0.38f, 0.025f);
  EXPECT_EQ(Buttons[0].disabled, 0);
  EXPECT_EQ(Buttons[2].disabled, 0);
  GameRects[0].levelFinished = 0;
  levelEndedHere = false;
}

TEST_F(LevelEndTest, TheFirstTapOnlyFastForwardsAndTheNextStartsPhaseOneAndTheButtonsOnce) {
  GameRects[0].levelFinished = 1;
  levelEndedHere = false;
  Run(25);
  for (int i = 0; i < 10; ++i)
    ProcessEffectAnimators(0.016f);
  ProcessLevelCompletion(0, 0);
  EXPECT_EQ(GameRects[0].fastForward, 1);
  EXPECT_FALSE(Live(55)) << "no shutters yet";
  EXPECT_TRUE(Live(1)) << "phase 0 goes on";
  int frames = 0;
  while (EffectAnimators[33].time < EffectAnimators[33].endTime && frames++ < 200)
    ProcessEffectAnimators(0.016f);
  EXPECT_LT(frames, 1.72f / (0.024f * 2) + 12) << "twice as fast";
  EXPECT_EQ(GameRects[0].fastForward, 0) << "the time pod's end restores the speed";
  ProcessLevelCompletion(0, 0);
  ASSERT_TRUE(Live(55));
  EXPECT_FALSE(Live(1)) << "phase 0's first slots are cleared";
  EXPECT_TRUE(Live(33)) << "the record badge stays";
  EXPECT_EQ(Buttons[2].action, NextLevel);
  for (int i = 0; i < 5; ++i)
    ProcessEffectAnimators(0.016f);
  const float t = EffectAnimators[55].time;
  ProcessLevelCompletion(0, 0);
  EXPECT_FLOAT_EQ(EffectAnimators[55].time, t) << "a later tap starts nothing again";
  GameRects[0].levelFinished = 0;
  GameRects[0].fastForward = 0;
  levelEndedHere = false;
}

TEST_F(LevelEndTest, NarrowScreensShiftPhaseZeroByHalfAndPhaseOneByTheWholeExtraHeight) {
  Screen(480, 360);
  Run(35);
  EXPECT_EQ(EffectAnimators[47].y, 154 + 20);
  AddLevelEndAnimation(true);
  EXPECT_EQ(EffectAnimators[75].targetY, 284 + 40);
  EXPECT_FALSE(Live(49)) << "no side shutters";
}

int doneCalls = 0;
void Done() { ++doneCalls; }

TEST_F(LevelEndTest, TheShuttersCallBackWhenTheUpperTeethArrive) {
  for (bool wide : {false, true}) {
    ClearEffectAnimators();
    Screen(wide ? 1024 : 480, wide ? 600 : 320);
    doneCalls = 0;
    AddShuttersAnimation(Done);
    EXPECT_EQ(Live(5), wide);
    EXPECT_EQ(Live(66), wide);
    int frames = 0;
    while (doneCalls == 0 && frames < 100) {
      ProcessEffectAnimators(0.016f);
      ++frames;
    }
    EXPECT_EQ(frames, 16) << "0.38 animator seconds at 0.024 a frame";
    EXPECT_EQ(EffectAnimators[2].y, wide ? 110 : 112);
    for (int i = 0; i < 30; ++i)
      ProcessEffectAnimators(0.016f);
    EXPECT_EQ(doneCalls, 1);
  }
}

TEST_F(LevelEndTest, OpeningShuttersFreeThePoolOnceGone) {
  AddLevelEndAnimation(false);
  RemoveShuttersAnimation();
  for (int i = 0; i < 30; ++i)
    ProcessEffectAnimators(0.016f);
  int live = 0;
  for (const effect_animator& a : EffectAnimators)
    live += a.active;
  EXPECT_EQ(live, 0);
}

TEST_F(LevelEndTest, TheMissionListOpensAndClosesAndOpeningClosesTheLeaderboards) {
  AddLevelEndAnimation(true);
  EXPECT_EQ(missionsCollapsed, 1);
  EXPECT_EQ(leaderboardsCollapsed, 1);
  LeaderboardsCollapse();
  EXPECT_EQ(leaderboardsCollapsed, 0);
  g_realdt = 0.1f;
  missionsX = 0;
  MissionsCollapse();
  EXPECT_EQ(missionsCollapsed, 0);
  EXPECT_EQ(leaderboardsCollapsed, 1) << "opening closes the leaderboards";
  for (int i = 0; i < 5; ++i)
    AlsoDrawMissions(25, 102);
  EXPECT_FLOAT_EQ(missionsX, 387);
  EXPECT_EQ(Buttons[3].x, 387 + 50 - 46);
  LeaderboardsCollapse();
  MissionsCollapse();
  EXPECT_EQ(missionsCollapsed, 1);
  EXPECT_EQ(leaderboardsCollapsed, 0) << "closing leaves them alone";
  AlsoDrawMissions(25, 102);
  EXPECT_NEAR(missionsX, 287, 0.01);
  for (int i = 0; i < 5; ++i)
    AlsoDrawMissions(25, 102);
  EXPECT_FLOAT_EQ(missionsX, 0);
  g_realdt = 0.016f;
}

TEST_F(LevelEndTest, ButtonHitBoxesFollowTheIdleMotion) {
  Buttons[0].Init(94, 284, 100, 60, 1, "", nullptr, nullptr);
  Buttons[2].Init(396, 284, 100, 60, 1, "", nullptr, nullptr);
  AlsoDrawRestartButton(101.6f, 284);
  EXPECT_EQ(Buttons[0].x, 101);
  EXPECT_NEAR(Buttons[0].rect.left, 101 - 50, 1);
  float x = 396, y = 284;
  g_timef = 0.1f;
  CustomAnimationGoLeftRight(&x, &y);
  EXPECT_NEAR(x, 396 + std::sin(12 * 0.1f + 2) * 13 / 60.0f, 1e-4);
  EXPECT_FLOAT_EQ(y, 284);
}

} // namespace
