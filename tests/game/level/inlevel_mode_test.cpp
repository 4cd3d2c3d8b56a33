// The in-level mode on the sample pack's level 1: entering starts the level with the camera far off
// and the pause button; frames move the hero and ease the camera; pause freezes everything but the
// animators and the pause panel, which get the real step; a zoom option below 0.5 draws at 0.7.
#include <vector>

#include "buttons.h"
#include "catalogue.h"
#include "inlevel_mode.h"
#include "level_gen.h"
#include "pack_levels.h"
#include "progress_files.h"
#include "quest_state.h"
#include "smoke.h"
#include "sound_table.h"
#include "texture2d.h"

namespace {

// The level frame's animators and pause panel record the steps they are given.
std::vector<float> g_animatorSteps, g_pausePanelSteps;
void RecordAnimatorStep(float dt) { g_animatorSteps.push_back(dt); }
void RecordPausePanelStep(float dt) { g_pausePanelSteps.push_back(dt); }

class InLevelModeTest : public PackLevelTest {
protected:
  void SetUp() override {
    PackLevelTest::SetUp();
    g_levelSelected = 1;
    g_currentMode = 9;
    keepZoom = g_iphoneCustomZoom;
    g_iphoneCustomZoom = 1;
    g_paused = false;
    g_animatorSteps.clear();
    g_pausePanelSteps.clear();
    keepAnimators = g_questAnimatorsHook;
    keepPausePanel = g_questPausePanelHook;
    g_questAnimatorsHook = RecordAnimatorStep;
    g_questPausePanelHook = RecordPausePanelStep;
  }
  void TearDown() override {
    g_questAnimatorsHook = keepAnimators;
    g_questPausePanelHook = keepPausePanel;
    g_iphoneCustomZoom = keepZoom;
    g_paused = false;
    ClearButtons();
    PackLevelTest::TearDown();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i)
      mode.Draw(0.016f);
  }
  questGame mode;
  float keepZoom = 1;
  void (*keepAnimators)(float) = nullptr;
  void (*keepPausePanel)(float) = nullptr;
};

TEST_F(InLevelModeTest, EnteringStartsTheLevelAtItsStartWithTheCameraFarOff) {
  mode.InitMode();
  const gameRect& hero = GameRects[0];
  EXPECT_EQ(hero.type, HERO_TYPE);
  EXPECT_EQ(hero.x, (float)g_levelCur.startX);
  EXPECT_EQ(hero.y, (float)g_levelCur.startY);
  EXPECT_GT(ActiveCount(), 20);
  EXPECT_EQ(g_drawShiftX, -5000);
  EXPECT_EQ(g_drawShiftY, -5000);
  EXPECT_TRUE(Buttons[0].active);
  EXPECT_EQ(Buttons[0].action, ButtonPause);
  // The world's and the character's sprites are loaded.
  EXPECT_NE(RectSprite(GameRects[1].type, 0), nullptr);
  EXPECT_NE(CharacterSprite(0, 0), nullptr);
}

TEST_F(InLevelModeTest, FramesRunTheHeroAndTheCameraFollows) {
  mode.InitMode();
  gameRect& hero = GameRects[0];
  float startX = hero.x;
  int frame = g_frame;
  hero.steerable = 1;
  hero.inputSpeed = 300;
  Frames(120);
  EXPECT_EQ(g_frame, frame + 120);
  EXPECT_GT(hero.x, startX + 300);
  EXPECT_FALSE(hero.dead);
  // The camera keeps the hero near the middle of the view, a look-ahead in front.
  float onScreen = hero.centerX + g_drawShiftX;
  EXPECT_GT(onScreen, 150);
  EXPECT_LT(onScreen, 330);
  // Once the camera has come in, a frame draws the floor tiles around the hero, the hero and the button.
  capture.Clear();
  Frames(1);
  EXPECT_GE(capture.Blits().size(), 4u);
}

TEST_F(InLevelModeTest, PauseFreezesAllButTheAnimatorsAndThePausePanel) {
  mode.InitMode();
  gameRect& hero = GameRects[0];
  hero.steerable = 1;
  hero.inputSpeed = 300;
  Frames(60);
  g_paused = true;
  g_animatorSteps.clear();
  g_pausePanelSteps.clear();
  float x = hero.x, y = hero.y, shiftX = g_drawShiftX, age = GameRects[1].age,
        time = g_levelCurrentData.levelTime;
  int frames = g_levelCurrentData.frames;
  Frames(10);
  EXPECT_EQ(hero.x, x);
  EXPECT_EQ(hero.y, y);
  EXPECT_EQ(g_drawShiftX, shiftX);
  EXPECT_EQ(GameRects[1].age, age);
  EXPECT_EQ(g_levelCurrentData.levelTime, time);
  EXPECT_EQ(g_levelCurrentData.frames, frames + 10); // the run's frame counter still advances
  EXPECT_EQ(g_animatorSteps, std::vector<float>(10, 0.016f));
  EXPECT_EQ(g_pausePanelSteps, std::vector<float>(10, 0.016f));
  g_paused = false;
  Frames(1);
  EXPECT_NE(hero.x, x);
}

TEST_F(InLevelModeTest, AZoomBelowHalfDrawsAtSevenTenthsAndOnlyTheLevelIsZoomed) {
  mode.InitMode();
  for (float option : {0.4f, 0.5f, 1.0f}) {
    g_iphoneCustomZoom = option;
    Frames(1);
    EXPECT_FLOAT_EQ(g_gameScreenScale, option < 0.5f ? 0.7f : option) << option;
    EXPECT_EQ(g_glScaleX, 1.0f);
    EXPECT_EQ(g_glScaleY, 1.0f);
  }
}

struct MusicCase {
  int level;
  int track;
};

class LevelStartMusic : public InLevelModeTest, public ::testing::WithParamInterface<MusicCase> {};

// The main worlds play the gameplay tracks in turn; bonus levels the track of their range, the
// last range that holds the level.
TEST_P(LevelStartMusic, EachLevelStartsItsWorldsTrack) {
  currentTrack = -1;
  g_levelSelected = GetParam().level;
  RespawnCharacter(false);
  EXPECT_EQ(currentTrack, GetParam().track);
  EXPECT_EQ(g_levelCur.startX, levelgen::MakeLevel(GetParam().level).header.startX);
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelStartMusic,
                         ::testing::Values(MusicCase{1, 1}, MusicCase{150, 1}, MusicCase{151, 2},
                                           MusicCase{161, 3}, MusicCase{175, 4}, MusicCase{201, 6},
                                           MusicCase{205, 2}, MusicCase{221, 2}));

TEST_F(InLevelModeTest, Level46IsPlayedWithCharacter2InPlaceOfCharacter0) {
  g_levelSelected = 46;
  g_characterID = 0;
  RespawnCharacter(false);
  EXPECT_EQ(g_characterID, 2);
  EXPECT_EQ(GameRects[0].characterId, 2);
  EXPECT_EQ(currentCharacter, 2);
}

TEST_F(InLevelModeTest, AStartPointOfZeroIsReadAsFiveThousand) {
  // A level file whose header leaves the start point at 0.
  levelHeader h = Header(0, 0);
  WriteFile("level7.txt", RawFile({Record(1, 5000, 5100)}, h));
  g_finalRelease = 0;
  g_levelSelected = 7;
  mode.InitMode();
  EXPECT_EQ(g_levelCur.startX, 5000);
  EXPECT_EQ(g_levelCur.startY, 5000);
  g_finalRelease = 1;
}

} // namespace
