// The gameplay window: the screen shape of its first start, the clocks and mission steps of its
// frames, the cross-fade and when it is suppressed, touch and key dispatch with dialogs open, tilt
// steering, the pause and the release of everything at its end; a front-end frame at rest shown as
// one copy of itself, with the same pixels.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "atlas.h"
#include "buttons.h"
#include "catalogue.h"
#include "display.h"
#include "frontend.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "level_data.h"
#include "loader.h"
#include "mission_table.h"
#include "progress_files.h"
#include "sprite_tables.h"
#include "startup_pack.h"
#include "static_backdrop.h"
#include "surface.h"
#include "texture2d.h"

namespace {

std::vector<std::string> g_events;

// A mode that records what reaches it, and the drawing state while it draws.
class WatchMode : public gamemode {
public:
  explicit WatchMode(int id) : m_id(id) {}
  void Draw(float) override {
    draws.push_back({lastBlendA, g_glScaleY});
    g_events.push_back("draw " + std::to_string(m_id));
  }
  void StylusDown(myPoint* p, int n) override { Touch("down", p, n); }
  void StylusUp(myPoint* p, int n) override { Touch("up", p, n); }
  void StylusMove(myPoint* p, int n) override { Touch("move", p, n); }
  void StylusHover(myPoint* p, int n) override { Touch("hover", p, n); }
  void KeyboardEvent(int key, int state) override {
    g_events.push_back("key " + std::to_string(key) + " " + std::to_string(state));
  }
  struct Drawn {
    int tint;
    float scaleY;
  };
  std::vector<Drawn> draws;

private:
  void Touch(const char* what, myPoint* p, int n) {
    g_events.push_back(std::string(what) + " " + std::to_string((int)p[0].x) + "," +
                       std::to_string((int)p[0].y) + " x" + std::to_string(n));
  }
  int m_id;
};

// A screen of real pixels: opaque stripes, one in a green a tap changes, a translucent band and an
// opaque strip over them, and, when asked, a square that moves each frame, after the still part.
class PictureMode : public gamemode {
public:
  void Draw(float) override {
    display->DisableGLBlend();
    for (int i = 0; i < 6; ++i)
      Fill((float)(i * 91), 0, 91, 320, i * 40, i == 2 ? green : 100, 255 - i * 40, 255);
    display->EnableGLBlend();
    Fill(20, 100, 500, 120, 0, 50, 50, 200);
    display->DisableGLBlend();
    Fill(0, 300, 546, 20, 90, 90, 90, 255); // a third batch
    display->EnableGLBlend();
    if (moving < 0) return;
    FrameBackdrop().End();
    Fill((float)(moving % 400), 250, 40, 40, 255, 255, 255, 160);
  }
  void StylusDown(myPoint*, int) override { green += 60; }
  int green = 100;
  int moving = -1;

private:
  static void Fill(float x, float y, float w, float h, int r, int g, int b, int a) {
    display->SetBlending(a, r, g, b);
    FillAtPointFlipY(_CGPointMake(x, y), w, h);
  }
};

class GameplayWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    g_events.clear();
    framesCount = 0;
    g_timef = g_realTimef = 0;
    std::filesystem::create_directories("data");
    // The loader's start-up stage loads the catalogue's start-up atlases and fonts.
    ASSERT_TRUE(game.OpenPackFile(SamplePackPath()));
    ASSERT_TRUE(screen.Open(game, 546, 320));
    window = new CXGameplayWindow(&game);
    ASSERT_EQ(window->OnInitElement(), 1);
  }
  void TearDown() override {
    delete window;
    KillDialogs();
  }
  WatchMode* Watch(int id) {
    delete GameModes[id];
    WatchMode* m = new WatchMode(id);
    GameModes[id] = m;
    return m;
  }

  // The picture mode as the current screen id, entered without a cross-fade.
  PictureMode* Picture(int id) {
    delete GameModes[id];
    PictureMode* m = new PictureMode();
    GameModes[id] = m;
    g_currentMode = id;
    g_previousMode = -1;
    return m;
  }
  // One frame of the window: its pixels, and the draw calls it made.
  std::vector<uint8_t> Frame(unsigned* draws) {
    const unsigned before = g_GLES_CallCounts.drawCalls;
    window->Draw();
    std::vector<uint8_t> p = screen.ReadRGBA();
    *draws = g_GLES_CallCounts.drawCalls - before;
    return p;
  }
  // The mode's picture drawn by itself, outside the window and any backdrop.
  std::vector<uint8_t> Reference(int id) {
    GameModes[id]->Draw(0.016f);
    return screen.ReadRGBA();
  }

  PackGame game;
  GameGLScreen screen;
  CXGameplayWindow* window = nullptr;
};

TEST(GameplayWindowShape, LogicalScreenSetsTheShapeFlags) {
  struct {
    int w, h, deviceWidth;
    u8 more, exact, less;
    float shift, screenScale;
  } cases[] = {
      {480, 320, 480, 0, 1, 0, 1.0f, 1.0f},
      {546, 320, 1024, 1, 0, 0, 546.0f / 480, 2.0f},
      {480, 360, 512, 0, 0, 1, 1.0f, 1.0f},
      {480, 480, 720, 0, 0, 1, 1.0f, 2.0f},
  };
  for (auto& c : cases) {
    PackGame game;
    std::filesystem::create_directories("data");
    std::unique_ptr<CWinDibBitmap> buffer(new CWinDibBitmap(&game));
    ASSERT_TRUE(buffer->Create(c.w, c.h));
    game.m_pDoubleBuffer = buffer.get();
    game.m_nDeviceScreenWidth = c.deviceWidth;
    g_screenScale = 1.0f;
    {
      CXGameplayWindow window(&game);
      ASSERT_EQ(window.OnInitElement(), 1);
      EXPECT_EQ(MAXX, c.w);
      EXPECT_EQ(MAXY, c.h);
      EXPECT_EQ(g_ratio_is_more_1_5, c.more) << c.w << "x" << c.h;
      EXPECT_EQ(g_ratio_is_1_5, c.exact) << c.w << "x" << c.h;
      EXPECT_EQ(g_ratio_is_less_1_5, c.less) << c.w << "x" << c.h;
      EXPECT_FLOAT_EQ(g_guiShiftX, c.shift);
      EXPECT_EQ(g_screenScale, c.screenScale);
      EXPECT_EQ(game.m_nFps, 60);
      EXPECT_EQ(game.m_bFixedStep, 0);
      // The first start runs once until the window is gone.
      MAXX = 1;
      EXPECT_EQ(window.OnInitElement(), 1);
      EXPECT_EQ(MAXX, 1);
    }
    EXPECT_EQ(gameInitialized, 0);
    game.m_pDoubleBuffer = nullptr;
  }
  g_screenScale = 1.0f;
}

TEST_F(GameplayWindowTest, FramesAdvanceTheClocksAndStepMissionsEveryTenth) {
  EXPECT_EQ(g_currentMode, 18);
  EXPECT_EQ(g_previousMode, -1);
  // Past the splash: the loader runs the start-up on its first frame.
  loadingBlend = loadingBlend2 = 300.0f;
  const int frames = 45;
  // The loader's start-up defines the missions on the first frame; with 0-15 done, mission 16 (play
  // time) is current and adds each step it is given.
  window->Draw();
  for (int i = 0; i < 16; ++i) {
    Missions[i].completed = 1;
    Missions[i].justCompleted = 0;
  }
  Missions[16].accumulator = 0;
  std::vector<std::pair<int, float>> steps;
  for (int i = 1; i < frames; ++i) {
    float before = Missions[16].accumulator;
    window->Draw();
    if (Missions[16].accumulator != before) steps.push_back({framesCount, Missions[16].accumulator - before});
  }
  EXPECT_EQ(framesCount, frames);
  EXPECT_NEAR(g_timef, frames * 0.016f, 1e-4);
  EXPECT_NEAR(g_realTimef, frames / 60.0f, 1e-4);
  EXPECT_EQ(g_fps, 60);
  ASSERT_EQ(steps.size(), 4u);
  for (size_t i = 0; i < steps.size(); ++i) {
    EXPECT_EQ(steps[i].first, (int)(10 * (i + 1)));
    EXPECT_NEAR(steps[i].second, 0.096f, 1e-5);
  }
  // The loader ran the start-up on its first frame and left for the menu.
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(g_previousMode, 18);
  EXPECT_NE(FontSTD, nullptr);
}

TEST_F(GameplayWindowTest, CrossFadeDrawsThePreviousModeSixteenFramesFadingToNothing) {
  WatchMode* from = Watch(2);
  Watch(3);
  g_currentMode = 2;
  SwitchMode(3);
  for (int i = 0; i < 30; ++i)
    window->Draw();
  ASSERT_EQ(from->draws.size(), 16u);
  for (size_t i = 0; i < 16; ++i) {
    float alpha = 1.0f - 0.064f * (float)(i + 1);
    EXPECT_NEAR(from->draws[i].scaleY, alpha, 1e-4) << i;
    if (i < 12)
      EXPECT_EQ(from->draws[i].tint, (int)(alpha * 255) - 50) << i;
    else
      EXPECT_EQ(from->draws[i].tint, 0) << i;
  }
  // The previous mode is drawn after the current one, over it.
  EXPECT_EQ(g_events[0], "draw 3");
  EXPECT_EQ(g_events[1], "draw 2");
  EXPECT_EQ(g_glScaleY, 1.0f);
  EXPECT_EQ(lastBlendA, 255);
  EXPECT_FALSE(forceNormalMode);
  EXPECT_FALSE(noChangeBlending);
}

TEST_F(GameplayWindowTest, CrossFadeIsSuppressedInPlayTheEditorAndOnLeavingPlay) {
  struct {
    int from, to;
    bool fades;
  } cases[] = {{11, 9, false}, {0, 10, false}, {9, 11, false}, {9, 1, false},
               {3, 11, true},  {3, 1, true},   {11, 2, true}};
  for (auto& c : cases) {
    WatchMode* from = Watch(c.from);
    Watch(c.to);
    g_currentMode = c.from;
    SwitchMode(c.to);
    window->Draw();
    EXPECT_EQ(!from->draws.empty(), c.fades) << c.from << " to " << c.to;
  }
}

// The stand-ins and the modes written so far draw with no sprite or font loaded at all.
TEST_F(GameplayWindowTest, EveryModeIsEnteredAndDrawnWithNothingLoaded) {
  // The loader's splash lasts longer than the 20 frames drawn here, so the start-up stage that
  // would load the sprites and fonts does not run.
  ASSERT_NE(dynamic_cast<loader*>(GameModes[18]), nullptr);
  ASSERT_EQ(g_commonAtlas, nullptr);
  for (int id = 0; id <= 18; ++id) {
    if (id == 6) continue;
    SwitchMode(id);
    for (int frame = 0; frame < 20; ++frame) // past the cross-fade that draws the previous mode
      window->Draw();
    EXPECT_EQ(g_currentMode, id);
    // A tap and back may lead elsewhere (a screen that leaves on them); wherever they go draws too.
    window->NotifyPointerEvent(240, 160, 1);
    window->NotifyPointerEvent(240, 160, 2);
    window->NotifyKeyEvent(6, 0);
    for (int frame = 0; frame < 20; ++frame)
      window->Draw();
  }
}

TEST_F(GameplayWindowTest, OpenDialogsTakeTouchesAndTheBackKeyClosesThemAll) {
  Watch(5);
  g_currentMode = 5;
  window->NotifyPointerEvent(10, 20, 1);
  window->NotifyMultiTouchPointerEvent(11, 21, 2, 3); // finger 2 moves
  window->NotifyPointerEvent(12, 22, 4);
  window->NotifyPointerEvent(13, 23, 2);
  window->NotifyPointerEvent(13, 23, 7);
  window->NotifyKeyEvent(2, 1);
  EXPECT_EQ(g_events, (std::vector<std::string>{"down 10,20 x1", "move 11,21 x1", "hover 12,22 x1",
                                                "up 13,23 x1", "key 2 1"}));
  g_events.clear();
  AddDialogByID(2, nullptr);
  AddDialogByID(4, nullptr);
  g_bExitDlgOn = 1;
  window->NotifyPointerEvent(10, 20, 1);
  window->NotifyPointerEvent(10, 20, 2);
  window->NotifyKeyEvent(2, 0);
  window->NotifyKeyEvent(6, 1);
  EXPECT_TRUE(g_events.empty());
  EXPECT_TRUE(HelpDialogs[1].active);
  window->NotifyKeyEvent(6, 0);
  EXPECT_FALSE(HelpDialogs[0].active);
  EXPECT_FALSE(HelpDialogs[1].active);
  EXPECT_EQ(g_bExitDlgOn, 0);
  EXPECT_TRUE(g_events.empty());
}

TEST_F(GameplayWindowTest, TiltSteersTheHeroInPlay) {
  g_currentMode = 9;
  g_accelerometerControl = 1;
  g_accelerometerSensitivity = 2000;
  gameRect& hero = GameRects[0];
  // The record's constructor leaves it alone: a zero-filled one is what program start gives.
  static gameRect blank;
  struct {
    u8 inAir;
    float tilt, third;
    int orientation;
    float speed;
  } cases[] = {
      {0, 0.03f, 0, 0, -0.0001f * 2000}, // below the dead zone on the ground: never 0
      {0, -0.03f, 0, 0, 0.0001f * 2000},
      {0, 0.1f, 0, 0, -(0.1f - 0.05f) * 2000},     // the dead zone taken off
      {0, 0.1f, 0.5f, 0, -(0.15f - 0.02f) * 2000}, // 1.5 x tilt, narrower zone
      {0, 0.1f, 0, 1, (0.1f - 0.05f) * 2000},      // the other orientation turns the sign
      {1, 0.005f, 0, 0, 0},                        // a small tilt in the air is nothing
      {1, 0.1f, 0, 0, -(0.1f - 0.01f) * 2000},     // in the air only 0.01 comes off
      {0, 1.0f, 0, 0, -350},
  };
  for (auto& c : cases) {
    hero = blank;
    hero.inAir = c.inAir;
    g_displayOrientation = c.orientation;
    window->AccelerometerUpdate(0, c.tilt, c.third);
    EXPECT_EQ(hero.steerable, 1);
    EXPECT_NEAR(hero.inputSpeed, c.speed, 1e-3) << c.tilt << " in air " << (int)c.inAir;
  }
  g_displayOrientation = 0;
  // Other schemes and modes leave the hero alone.
  for (auto scheme_mode : {std::make_pair(10, 9), std::make_pair(1, 11)}) {
    hero = blank;
    g_accelerometerControl = scheme_mode.first;
    g_currentMode = scheme_mode.second;
    window->AccelerometerUpdate(0, 0.5f, 0);
    EXPECT_EQ(hero.steerable, 0);
    EXPECT_EQ(hero.inputSpeed, 0);
  }
  g_accelerometerControl = 1;
  hero = blank;
}

TEST_F(GameplayWindowTest, PausePressesThePauseButtonOnlyWhilePlaying) {
  g_paused = false;
  g_currentMode = 9;
  GameRects[0].levelFinished = 1;
  window->Pause();
  EXPECT_FALSE(g_paused);
  GameRects[0].levelFinished = 0;
  window->Pause();
  EXPECT_TRUE(g_paused);
  window->Pause();
  EXPECT_TRUE(g_paused);
  g_paused = false;
  g_currentMode = 0;
  window->Pause();
  EXPECT_FALSE(g_paused);
}

TEST_F(GameplayWindowTest, ReleaseSavesResetsAndFreesEveryGlobal) {
  g_rects[120][4] = FakeSurface(4, 4);
  g_character[64][64] = FakeSurface(4, 4);
  g_guiArrows[1][1] = FakeSurface(4, 4);
  g_dialogButOk = FakeSurface(4, 4);
  g_customSmoke[9] = FakeSurface(4, 4);
  g_worldAtlas[9] = new Atlas();
  g_rectDummies[3][3] = new SurfaceDummy("x", false, 0);
  Font1 = new hgeFont(nullptr);
  // The loader made the real white picture already.
  if (g_black == g_white) g_black = nullptr;
  SafeDelete(g_white);
  g_white = FakeSurface(4, 4);
  g_black = g_white;
  AddButtonCustom(1, 1, 1, 1, 0, "", nullptr, nullptr, nullptr);
  AddDialogByID(0, nullptr);
  g_globalAchievements[2] = 55;
  currentCharacter = 3;
  curBGSprite = 12;
  g_characterID = 4;
  lastBlendA = 200;
  delete window;
  window = nullptr;
  EXPECT_EQ(g_rects[120][4], nullptr);
  EXPECT_EQ(g_character[64][64], nullptr);
  EXPECT_EQ(g_guiArrows[1][1], nullptr);
  EXPECT_EQ(g_dialogButOk, nullptr);
  EXPECT_EQ(g_customSmoke[9], nullptr);
  EXPECT_EQ(g_worldAtlas[9], nullptr);
  EXPECT_EQ(g_rectDummies[3][3], nullptr);
  EXPECT_EQ(Font1, nullptr);
  EXPECT_EQ(g_white, nullptr);
  EXPECT_EQ(g_black, nullptr);
  EXPECT_EQ(display, nullptr);
  EXPECT_EQ(Buttons[0].active, 0);
  EXPECT_EQ(HelpDialogs[0].active, 0);
  for (gamemode* m : GameModes)
    EXPECT_EQ(m, nullptr);
  EXPECT_EQ(gameInitialized, 0);
  EXPECT_EQ(g_currentMode, -1);
  EXPECT_EQ(g_previousMode, -1);
  EXPECT_EQ(currentCharacter, -1);
  EXPECT_EQ(curBGSprite, -1);
  EXPECT_EQ(g_characterID, 0);
  EXPECT_EQ(lastBlendA, -1);
  // The progress went to disk.
  g_globalAchievements[2] = 0;
  EXPECT_EQ(LoadGlobalData(), 1);
  EXPECT_EQ(g_globalAchievements[2], 55);
  g_globalAchievements[2] = 0;
}

} // namespace

TEST_F(GameplayWindowTest, AFrontEndScreenAtRestIsOneCopyOfItselfAndIsDrawnAnewTheFrameItChanges) {
  PictureMode* mode = Picture(13);
  unsigned draws = 0;
  for (int i = 0; i < 3; ++i) // drawn, drawn the same again and copied
    Frame(&draws);
  for (int i = 0; i < 3; ++i) {
    const std::vector<uint8_t> want = Reference(13);
    EXPECT_EQ(want, Frame(&draws));
    EXPECT_EQ(draws, 1u) << "at rest every frame is the copy, frame " << i;
  }
  // A tap changes the picture: the very next frame draws it as it is now.
  window->NotifyPointerEvent(100, 100, 1);
  ASSERT_EQ(mode->green, 160);
  std::vector<uint8_t> want = Reference(13);
  const std::vector<uint8_t> changed = Frame(&draws);
  EXPECT_GT(draws, 1u);
  EXPECT_EQ(want, changed);
  Frame(&draws);
  want = Reference(13);
  EXPECT_EQ(want, Frame(&draws));
  EXPECT_EQ(draws, 1u) << "the changed picture is copied once it stands still";
}

TEST_F(GameplayWindowTest, ALayerThatMovesIsDrawnOverTheCopyOfTheStillLayersBelowIt) {
  PictureMode* mode = Picture(12);
  mode->moving = 0;
  unsigned draws = 0;
  for (int i = 0; i < 3; ++i) {
    mode->moving += 7;
    Frame(&draws);
  }
  for (int i = 0; i < 4; ++i) {
    mode->moving += 7;
    const std::vector<uint8_t> want = Reference(12);
    EXPECT_EQ(want, Frame(&draws));
    EXPECT_EQ(draws, 2u) << "the copy and the square, frame " << i;
  }
  EXPECT_TRUE(FrameBackdrop().Held());
}

TEST_F(GameplayWindowTest, TheLevelIsNeverShownAsTheFramesCopy) {
  Picture(9);
  unsigned draws = 0;
  for (int i = 0; i < 5; ++i) {
    const std::vector<uint8_t> want = Reference(9);
    EXPECT_EQ(want, Frame(&draws));
    EXPECT_GT(draws, 1u);
  }
  EXPECT_FALSE(FrameBackdrop().Held());
}
