// The pause panel: its buttons made on pause and released when it slides out, the skip button only
// for a level never completed, the specials sub-panel, one powerup per activation, and the panel
// animating while play is frozen.
#include <gtest/gtest.h>

#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "level_complete.h"
#include "level_data.h"
#include "missions.h"
#include "object_list.h"
#include "pause_panel.h"
#include "progress_files.h"
#include "sprite_tables.h"
#include "surface.h"

namespace {

class PausePanelTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    display = &d;
    MAXX = 480;
    MAXY = 320;
    ClearButtons();
    g_paused = false;
    pauseSpecialsEnabled = false;
    pausePanelSize = specialsPanelSize = 0;
    g_levelSelected = 5;
    g_levelAchievements[5][LEVEL_WORD_COMPLETIONS] = 0;
    g_superItemsUnlocked[0] = g_superItemsUnlocked[1] = 0;
    GameRects[0].shield = GameRects[0].timeSlow = 0;
    for (Surface*& s : sprites)
      s = FakeSurface(100, 100);
    g_butPauseSkip = sprites[0];
    g_butPauseOptions = sprites[1];
    g_butPauseMap = sprites[2];
    g_butPauseRestart = sprites[3];
    g_butPausePlay = sprites[4];
    g_butPauseSpecial = sprites[5];
    g_butPauseShield[0] = sprites[6];
    g_butPauseShield[1] = sprites[7];
    g_butPauseTime[0] = sprites[8];
    g_butPauseTime[1] = sprites[9];
  }
  void TearDown() override {
    ClearButtons();
    g_paused = false;
    pauseSpecialsEnabled = false;
    pausePanelSize = specialsPanelSize = 0;
    g_butPauseSkip = g_butPauseOptions = g_butPauseMap = g_butPauseRestart = g_butPausePlay =
        g_butPauseSpecial = nullptr;
    g_butPauseShield[0] = g_butPauseShield[1] = g_butPauseTime[0] = g_butPauseTime[1] = nullptr;
    g_superItemsUnlocked[0] = g_superItemsUnlocked[1] = 0;
    GameRects[0].shield = GameRects[0].timeSlow = 0;
    display = nullptr;
    for (Surface* s : sprites)
      delete s;
  }
  static void Frames(int n) {
    for (int i = 0; i < n; ++i)
      DrawPausePanel(0.016f);
  }
  PackGame game;
  Display d;
  Surface* sprites[10];
};

struct SlotPlace {
  int slot, x, y, w;
};

TEST_F(PausePanelTest, PausingMakesTheButtonsAtTheirPlacesAndTheFirstFrameOfSlidingOutReleasesThem) {
  ButtonPause();
  ASSERT_TRUE(g_paused);
  Frames(1);
  const SlotPlace places[] = {{10, 234, 286, 50}, {11, 303, 286, 50}, {12, 372, 286, 50},
                              {13, 441, 286, 50}, {14, 455, 25, 60},  {17, 14, 252, 60}};
  for (const SlotPlace& p : places) {
    const button& b = Buttons[p.slot];
    ASSERT_TRUE(b.active) << p.slot;
    EXPECT_EQ(b.x, p.x) << p.slot;
    EXPECT_EQ(b.y, p.y) << p.slot;
    EXPECT_EQ(b.w, p.w) << p.slot;
  }
  EXPECT_EQ(Buttons[10].action, &NextLevelFor4Shrooms);
  EXPECT_EQ(Buttons[14].action, &ButtonResume);
  EXPECT_FALSE(Buttons[15].active) << "the shield waits for the specials";

  Frames(30);
  EXPECT_FLOAT_EQ(pausePanelSize, 1.0f) << "in within a third of a second";
  ButtonResume();
  Frames(1);
  EXPECT_GT(pausePanelSize, 0.9f) << "still sliding out";
  for (int slot = 10; slot <= 17; ++slot)
    EXPECT_FALSE(Buttons[slot].active) << slot;
  Frames(30);
  EXPECT_FLOAT_EQ(pausePanelSize, 0.0f);
}

TEST_F(PausePanelTest, ALevelCompletedBeforeHasNoSkipButtonAndTheOthersKeepTheirPlaces) {
  g_levelAchievements[5][LEVEL_WORD_COMPLETIONS] = 1;
  ButtonPause();
  Frames(1);
  EXPECT_FALSE(Buttons[10].active);
  EXPECT_TRUE(Buttons[11].active);
  EXPECT_EQ(Buttons[11].x, 303);
  EXPECT_EQ(Buttons[13].x, 441);
}

TEST_F(PausePanelTest, TheSpecialsOpenWithTheStockSpritesAndCloseOnTheNextPause) {
  g_superItemsUnlocked[0] = 2; // shields in stock, no time slows
  ButtonPause();
  Frames(1);
  ButtonSpecials();
  EXPECT_TRUE(pauseSpecialsEnabled);
  EXPECT_EQ(Buttons[17].x, -100);
  Frames(1);
  ASSERT_TRUE(Buttons[15].active);
  ASSERT_TRUE(Buttons[16].active);
  EXPECT_EQ(Buttons[15].surface, g_butPauseShield[1]);
  EXPECT_EQ(Buttons[16].surface, g_butPauseTime[0]);
  EXPECT_EQ(Buttons[15].y, 121);
  EXPECT_EQ(Buttons[16].y, 200);
  Frames(30);
  EXPECT_FLOAT_EQ(specialsPanelSize, 1.0f);

  ButtonPause(); // resumes
  Frames(1);
  EXPECT_FALSE(Buttons[15].active);
  Frames(30);
  ButtonPause(); // pauses again: the specials start closed
  EXPECT_FALSE(pauseSpecialsEnabled);
  Frames(1);
  EXPECT_FALSE(Buttons[15].active);
  EXPECT_EQ(Buttons[17].x, 14);
}

TEST_F(PausePanelTest, EachPowerupIsUsedOncePerActivationAndNeedsStock) {
  ActivateShield();
  ActivateTimeSlow();
  EXPECT_FALSE(GameRects[0].shield) << "no stock";
  EXPECT_FALSE(GameRects[0].timeSlow);

  g_superItemsUnlocked[0] = 3;
  g_superItemsUnlocked[1] = 1;
  Missions[11].active = 1;
  const int counted = Missions[11].counter;
  ActivateShield();
  ActivateShield();
  EXPECT_TRUE(GameRects[0].shield);
  EXPECT_EQ(g_superItemsUnlocked[0], 2) << "one shield for two taps";
  EXPECT_EQ(Missions[11].counter, counted + 1);
  ActivateTimeSlow();
  ActivateTimeSlow();
  EXPECT_TRUE(GameRects[0].timeSlow);
  EXPECT_EQ(g_superItemsUnlocked[1], 0);
  Missions[11].active = 0;
}

TEST_F(PausePanelTest, ThePanelAnimatesWhilePlayIsFrozen) {
  ClearGameRects();
  const int hero = AddGameRect(1200, 1200, 199, false);
  GameRects[hero].vx = 300;
  ButtonPause();
  const float x = GameRects[hero].x;
  float sizes[3];
  for (float& s : sizes) {
    ProcessAllRects(0.016f);
    DrawPausePanel(0.016f);
    s = pausePanelSize;
  }
  EXPECT_FLOAT_EQ(GameRects[hero].x, x) << "the level stands still";
  EXPECT_LT(sizes[0], sizes[1]);
  EXPECT_LT(sizes[1], sizes[2]);
  ClearGameRects();
}

TEST_F(PausePanelTest, MenuClearsTheButtonsAndResumesBeforeLeaving) {
  ButtonPause();
  Frames(1);
  ASSERT_TRUE(Buttons[12].active);
  Buttons[12].action();
  EXPECT_FALSE(g_paused);
  EXPECT_FALSE(Buttons[11].active);
}

} // namespace
