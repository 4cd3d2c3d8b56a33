// The mini-game through the real application object on a headless screen with the sample pack:
// its sprites loaded on entry and freed on exit, the corners jumping before they leave, the win
// with its unlock, dialog and mission count (again, without the dialog, on a second win that fades
// as long as the first), the death banner, and a run that jumps where the course needs it and wins.
#include <algorithm>
#include <cstring>
#include <map>
#include <string>

#include "buttons.h"
#include "catalogue_data.h"
#include "display.h"
#include "fly_texts.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "geometry.h"
#include "gl_renderer.h"
#include "help_dialogs.h"
#include "level_data.h"
#include "level_header.h"
#include "minigame.h"
#include "mission_table.h"
#include "missions.h"
#include "progress_files.h"
#include "running_game.h"
#include "sprite_tables.h"
#include "the_game.h"

namespace {

// Every mission count of the program, by mission, whether or not the mission is current; the
// count itself goes on as usual.
std::map<int, float> g_missionCounts;
void RecordMissionCount(mission& m, float n) {
  g_missionCounts[(int)(&m - Missions)] += n;
  CountMission(m, n);
}

class MiniGame : public RunningGameTest {
protected:
  int Width() const override { return 546; }
  void SetUp() override {
    keepCount = g_missionCountHook;
    g_missionCountHook = RecordMissionCount;
    StartInTheMenu();
    if (!Running()) return;
    g_missionCounts.clear();
    keepRelease = g_finalRelease;
    g_finalRelease = 1;
  }
  void TearDown() override {
    g_finalRelease = keepRelease;
    StopGame();
    g_missionCountHook = keepCount;
  }
  miniGame* Mode() { return static_cast<miniGame*>(GameModes[14]); }
  int OpenDialogs(const char* containing) {
    int n = 0;
    for (const helpDialog& d : HelpDialogs)
      n += d.active && strstr(d.text, containing) ? 1 : 0;
    return n;
  }
  // The line the course stands on.
  gameRect* Line() {
    for (int i = 1; i < GAME_RECTS; ++i)
      if (GameRects[i].active && GameRects[i].type == 478) return &GameRects[i];
    return nullptr;
  }
  // Holds the hero at the start while the line grows (100 px a frame) past the course's end,
  // puts it on the line there and runs until the mode is left; the frames it took, or -1.
  int WinFromPastTheEnd() {
    gameRect* line = Line();
    if (!line) return -1;
    gameRect& hero = GameRects[0];
    for (int n = 0; n < 300 && line->box.right < Mode()->courseEnd + 400; ++n) {
      hero.x = (float)g_levelCur.startX;
      game->RunGameCycle();
    }
    hero.x = Mode()->courseEnd + 250;
    hero.y = line->box.top - hero.height - 1;
    hero.vy = 0;
    hero.UpdateCoordinates();
    for (int frame = 1; frame <= 600; ++frame) {
      game->RunGameCycle();
      if (g_currentMode != 14) return frame;
      if (hero.dead) return -1;
    }
    return -1;
  }

  int keepRelease = 1;
  void (*keepCount)(mission&, float) = nullptr;
};

// The sides are drawn as their shape, without a texture, and look like their picture: over a light
// screen, tinted as a level tints them, left and mirrored right, no pixel more than a 5-bit step
// or two apart, and they are drawn at all.
TEST_F(MiniGame, TheSidesDrawnAsTheirShapeLookLikeTheirPicture) {
  SwitchMode(14);
  Cycles(5);
  ASSERT_NE(minBG1, nullptr);
  ASSERT_NE(display, nullptr);
  int corners = 0;
  const ShapeCorner* shape = MiniGameSidesShape(&corners);
  auto draw = [&](int how) { // 0 nothing, 1 the picture, 2 the shape
    display->SetBlending(255);
    display->SetNormalMode();
    display->FillRect(0, 0, MAXX, MAXY, ColorRGB(230, 220, 200));
    display->SetNoBlackEdgesMode();
    display->SetBlending(255, 200, 230, 255);
    for (float side : {1.0f, -1.0f}) {
      const float x = side > 0 ? 61 : (float)(MAXX - 61);
      if (how == 1) display->BlitScaled(x, (float)(MAXY / 2), 0.5f * side, 0.5f, minBG1);
      if (how == 2) {
        EXPECT_TRUE(display->ShadeScaled(x, (float)(MAXY / 2), 0.5f * side, 0.5f, minBG1, shape, corners));
      }
    }
    display->SetNormalMode();
    display->SetBlending(255);
    GLES_FlushBuffer();
    return gl.ReadRGBA();
  };
  const std::vector<uint8_t> none = draw(0), picture = draw(1), shaded = draw(2);
  ASSERT_EQ(picture.size(), shaded.size());
  long lit = 0;
  for (size_t k = 0; k < picture.size(); k += 4)
    lit += std::abs(picture[k] - none[k]) + std::abs(picture[k + 2] - none[k + 2]) > 60;
  EXPECT_GT(lit, (long)(picture.size() / 4 / 5)) << "the sides cover a good part of the screen";
  EXPECT_LE(MostApart(picture, shaded), 17);
}

TEST_F(MiniGame, EntryLoadsLevel20WithCharacter7AndItsOwnSpritesWhichLeavingFrees) {
  SwitchMode(14);
  EXPECT_EQ(g_levelSelected, 20);
  EXPECT_EQ(g_characterID, 7);
  EXPECT_EQ(GameRects[0].characterId, 7);
  ASSERT_NE(minBG1, nullptr);
  for (int t = 472; t <= 478; ++t)
    EXPECT_NE(g_rects[t][0], nullptr) << t;
  // The course end is the last object's x, and the hero starts well before it.
  float last = 0;
  for (const gameRect& r : GameRects)
    if (r.active) last = std::max(last, r.x);
  EXPECT_EQ(Mode()->courseEnd, last);
  EXPECT_GT(Mode()->courseEnd, GameRects[0].x + 2000);
  // The pause sprite's button, drawn at the top right.
  int buttons = 0;
  for (const button& b : Buttons)
    if (b.active) {
      ++buttons;
      EXPECT_EQ(b.x, MAXX - 25);
      EXPECT_EQ(b.y, 18);
      EXPECT_EQ(b.action, ButtonQuit);
    }
  EXPECT_EQ(buttons, 1);
  Cycles(60); // past the appearance
  // The hero runs on its own at 290 px/s.
  EXPECT_EQ(GameRects[0].vx, 290.0f);
  EXPECT_GT(GameRects[0].x, g_levelCur.startX + 100);

  game->m_pGameplayWindow->NotifyKeyEvent(6, 0);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(minBG1, nullptr);
  for (int t = 472; t <= 478; ++t)
    EXPECT_EQ(g_rects[t][0], nullptr) << t;
}

TEST_F(MiniGame, ATouchJumpsAndACornerJumpsBeforeItLeaves) {
  struct Case {
    int x, y;
    int release;
    int to;
    int fade; // the new screen's cross-fade runs
  } cases[] = {
      {MAXX / 2, 200, 1, 14, 0}, // anywhere else only jumps
      {MAXX - 20, 20, 1, 0, 0},  // top right: the menu at once
      {20, 20, 1, 0, 1},         // top left: the menu, faded in, in a release build
      {20, 20, 0, 10, 1},        // and the level editor in a developer build
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " release " + std::to_string(c.release));
    g_finalRelease = c.release;
    SwitchMode(14);
    Cycles(45); // appeared and standing on the line
    g_missionCounts.clear();
    ASSERT_EQ(GameRects[0].inAir, 0);
    Down(c.x, c.y);
    EXPECT_EQ(g_missionCounts[1], 1.0f) << "the jump is counted";
    EXPECT_EQ(g_currentMode, c.to);
    if (c.to == 14) {
      EXPECT_EQ(GameRects[0].jumped, 1);
      EXPECT_LT(GameRects[0].jumpHoldTimer, 0.21f);
      EXPECT_GT(GameRects[0].jumpHoldTimer, 0.0f);
      Up(c.x, c.y);
      Cycles(5);
      EXPECT_LT(GameRects[0].vy, 0.0f) << "rising";
    } else {
      // The new screen's hero did not jump: the jump came first, on the mini-game's hero.
      EXPECT_EQ(GameRects[0].jumped, 0);
      EXPECT_EQ(GameModes[c.to]->fadeActive, c.fade);
    }
    Up(c.x, c.y);
    SwitchMode(0);
  }
  // Key 3 jumps too.
  SwitchMode(14);
  Cycles(45);
  game->m_pGameplayWindow->NotifyKeyEvent(3, 1);
  EXPECT_EQ(GameRects[0].jumped, 1);
}

TEST_F(MiniGame, AWinUnlocksCharacter7WithTheDialogOnceAndCountsTheMissionEveryTime) {
  g_charactersUnlocked[7] = 0;
  SwitchMode(14);
  int frames = WinFromPastTheEnd();
  // 255 at 50 a second: about 320 frames of fade.
  EXPECT_NEAR(frames, 320, 3);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(g_charactersUnlocked[7], 1);
  EXPECT_EQ(OpenDialogs("-Dav Overovav Aro-"), 1);
  EXPECT_EQ(g_missionCounts[15], 1.0f);
  EXPECT_EQ(victoryBlend, 255.0f);
  for (const flyingtext& t : FlyText)
    EXPECT_EQ(t.active, 0) << "the victory texts are cleared";
  KillDialogs();

  // The second visit fades again from the start, and shows no dialog.
  SwitchMode(14);
  EXPECT_EQ(victoryBlend, 0.0f);
  EXPECT_EQ(minigameBannerY, 0.0f);
  frames = WinFromPastTheEnd();
  EXPECT_NEAR(frames, 320, 3);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(OpenDialogs(""), 0);
  EXPECT_EQ(g_missionCounts[15], 2.0f);
  EXPECT_EQ(g_charactersUnlocked[7], 1);
}

TEST_F(MiniGame, TheFadeBehindTheMenusCrossFadeLeavesTheMenusLevelAlone) {
  SwitchMode(14);
  ASSERT_GT(WinFromPastTheEnd(), 0);
  ASSERT_EQ(GameModes[0]->fadeActive, 1);
  // Level 0 runs one step a frame, and its hero is not pushed into the mini-game's run.
  int before = g_levelCurrentData.frames;
  Cycles(10);
  EXPECT_EQ(g_levelCurrentData.frames, before + 10);
  EXPECT_EQ(g_levelSelected, 0);
  EXPECT_NE(GameRects[0].inputSpeed, 290.0f);
}

TEST_F(MiniGame, TheDeathBannerShowsForTwoSecondsAfterADeathThenSlidesAway) {
  SwitchMode(14);
  g_levelCurrentData.sinceRespawn = 10; // long past the last respawn
  Cycles(32);
  EXPECT_EQ(minigameBannerY, -50.0f) << "away after half a second";
  int deaths = g_levelCurrentData.deaths;
  GameRects[0].Die();
  EXPECT_EQ(g_levelCurrentData.deaths, deaths + 1);
  Cycles(32);
  EXPECT_EQ(minigameBannerY, 0.0f) << "in within half a second";
  Cycles(85); // nearly 2 s after the death
  EXPECT_EQ(minigameBannerY, 0.0f) << "still shown";
  EXPECT_EQ(g_currentMode, 14) << "a death restarts the run in the mini-game";
  EXPECT_EQ(GameRects[0].dead, 0);
  GameRects[0].shieldTimer = 10; // no second death at the first spike
  Cycles(40);
  EXPECT_EQ(minigameBannerY, -50.0f);
}

// Taps whenever the hero stands before a wall or a hazard close ahead, as a player would.
TEST_F(MiniGame, ARunThatJumpsWhereTheCourseNeedsItReachesTheVictory) {
  g_charactersUnlocked[7] = 0;
  SwitchMode(14);
  gameRect& hero = GameRects[0];
  const float start = hero.x;
  int taps = 0, frame = 0;
  bool down = false;
  for (; frame < 60 * 40 && g_currentMode == 14; ++frame) {
    bool standing = !hero.inAir && hero.contactFloor > -3;
    bool ahead = false;
    for (int i = 1; i < GAME_RECTS; ++i) {
      const gameRect& o = GameRects[i];
      if (!o.active || o.type == 478) continue;
      bool obstacle = o.lethalBox || (!o.noCollision && o.box.top < hero.box.bottom - 3);
      if (obstacle && o.box.left >= hero.box.right - 2 && o.box.left < hero.box.right + 40) ahead = true;
    }
    if (down) {
      Up(MAXX / 2, 200);
      down = false;
    } else if (standing && ahead) {
      Down(MAXX / 2, 200);
      down = true;
      ++taps;
    }
    game->RunGameCycle();
    ASSERT_EQ(hero.dead, 0) << "died at x " << hero.x - start << " after " << taps << " taps";
  }
  EXPECT_EQ(g_currentMode, 0) << "the hero stopped at x " << hero.x - start;
  EXPECT_GE(taps, 10);
  EXPECT_EQ(g_charactersUnlocked[7], 1);
  EXPECT_EQ(g_missionCounts[15], 1.0f);
  EXPECT_EQ(g_missionCounts[4], 0.0f) << "no death on the way";
}

} // namespace
