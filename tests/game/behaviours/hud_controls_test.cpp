// The HUD (rank icons, clock text, special button, death banner), the background fitting and the
// level labels, and the key controls with their level-end latches.
#include <cmath>
#include <cstring>

#include "background_fitting.h"
#include "behaviour_fixture.h"
#include "buttons.h"
#include "display.h"
#include "finishes.h"
#include "hud.h"
#include "keyboard_controls.h"
#include "level_header.h"
#include "level_layout.h"
#include "quest_state.h"
#include "sprite_tables.h"

namespace {

class Hud : public BehaviourTest {
protected:
  void SetUp() override {
    BehaviourTest::SetUp();
    ResetDrawingState();
    keepDisplay = display;
    display = &screen;
    MAXX = 480;
    MAXY = 320;
    memset(&g_levelCur, 0, sizeof g_levelCur);
    g_levelCur.rankTime4 = 10;
    g_levelCur.rankTime3 = 20;
    g_levelCur.rankTime2 = 30;
    g_levelCur.rankTime1 = 40;
    for (Surface** s :
         {&g_guiCross[0], &g_guiCross[1], &g_guiSuper, &g_guiDeaths, &g_guiTime, &g_goldenStick})
      *s = FakeSurface(40, 40);
    HeroAt(5000, 5000);
  }
  void TearDown() override {
    for (Surface** s :
         {&g_guiCross[0], &g_guiCross[1], &g_guiSuper, &g_guiDeaths, &g_guiTime, &g_goldenStick}) {
      delete *s;
      *s = nullptr;
    }
    display = keepDisplay;
    BehaviourTest::TearDown();
  }
  // The blits of one sprite in the last frame, as (width, centre y).
  std::vector<std::pair<double, double>> Of(Surface* s) const {
    std::vector<std::pair<double, double>> out;
    for (const CapturedBlit& b : capture.Blits())
      if (b.source == s->texture->bitmap) out.push_back({b.MaxX() - b.MinX(), (b.MinY() + b.MaxY()) / 2});
    return out;
  }
  std::vector<double> Widths(Surface* s) const {
    std::vector<double> w;
    for (auto& e : Of(s))
      if (e.first > 1e-6) w.push_back(e.first);
    return w;
  }
  void Frame(float dt = kFrame) {
    capture.Clear();
    DrawQuestInterface(dt);
  }

  Display screen;
  Display* keepDisplay = nullptr;
  TriangleCapture capture;
};

TEST_F(Hud, RankIconsFollowTheTimeLimits) {
  const struct {
    float t;
    u8 quickSaved;
    int rank;
    std::vector<double> filled; // widths of the filled icons drawn
  } cases[] = {
      {5, 0, 4, {20, 20, 20}},
      {10, 0, 3, {20, 20, 20}}, // exactly at a limit keeps the better rank
      {20, 0, 3, {20, 20, 20}},
      {20.01f, 0, 2, {28, 20, 20}}, // the first icon swells to 0.75 ...
      {20.2f, 0, 2, {20, 20}},      // ... and is gone 0.15 s after its limit
      {30.1f, 0, 1, {10, 20}},
      {45, 0, 1, {20}}, // the third icon never fades with time
      {5, 1, 4, {}},    // a quick-saved run shows none, its rank still follows the time
  };
  for (auto& c : cases) {
    g_levelCurrentData.levelTime = c.t;
    g_levelCurrentData.quickSaved = c.quickSaved;
    Frame();
    EXPECT_EQ(g_levelCurrentData.rank, c.rank) << c.t;
    std::vector<double> w = Widths(g_guiCross[1]);
    ASSERT_EQ(w.size(), c.filled.size()) << c.t;
    for (size_t i = 0; i < w.size(); ++i)
      EXPECT_NEAR(w[i], c.filled[i], 0.05) << c.t << " icon " << i;
    EXPECT_EQ(Widths(g_guiCross[0]).size(), 3u);
  }
}

TEST_F(Hud, ClockText) {
  const struct {
    float t;
    bool quickSaved;
    const char* text;
  } cases[] = {{0, false, "0:00"},     {5.25f, false, "5:25"},   {12.5f, false, "12:50"},
               {3.75f, false, "3:75"}, {59.99f, false, "59:99"}, {12.5f, true, "-:-.-"}};
  for (auto& c : cases) {
    char text[16];
    FormatLevelClock(text, sizeof text, c.t, c.quickSaved);
    EXPECT_STREQ(text, c.text) << c.t;
  }
}

TEST_F(Hud, GoldenJoystickSlidesAwayWhenThePerfectRankIsLost) {
  goldenStickCustomTime = 0;
  g_levelCurrentData.levelTime = 5;
  Frame();
  ASSERT_EQ(Of(g_goldenStick).size(), 1u);
  g_levelCurrentData.levelTime = 10.5f;
  std::vector<size_t> drawn;
  for (int i = 0; i < 30; ++i) {
    Frame(0.02f);
    drawn.push_back(Of(g_goldenStick).size());
  }
  // Drawn while the slide lasts (0.4 s, 20 frames), then gone.
  EXPECT_EQ(drawn[0], 1u);
  EXPECT_EQ(drawn[18], 1u);
  EXPECT_EQ(drawn[22], 0u);
  EXPECT_EQ(drawn[29], 0u);
  // A restart rearms it.
  g_levelCurrentData.levelTime = 0.5f;
  Frame();
  EXPECT_FLOAT_EQ(goldenStickCustomTime, 0);
}

TEST_F(Hud, SpecialButtonScalesWithItsCooldown) {
  const struct {
    u8 has;
    float cooldown;
    std::vector<double> widths;
  } cases[] = {{1, -1, {20}}, {1, 0, {20}}, {1, 0.2f, {12}}, {1, 0.5f, {}}, {0, -1, {}}};
  for (auto& c : cases) {
    hero().hasSpecial = c.has;
    hero().specialCooldown = c.cooldown;
    Frame();
    EXPECT_EQ(Widths(g_guiSuper).size(), c.widths.size()) << c.cooldown;
    if (!c.widths.empty()) {
      EXPECT_NEAR(Widths(g_guiSuper)[0], c.widths[0], 0.05);
    }
    if (c.has) {
      EXPECT_FLOAT_EQ(RbuttonAttack.x, MAXX - 160);
    }
  }
}

TEST_F(Hud, DeathBannerSlidesInAfterADeathAndOutTwoSecondsLater) {
  diesCountBannerY = -50;
  g_levelCurrentData.sinceRespawn = 0;
  Frame(0.25f);
  EXPECT_FLOAT_EQ(diesCountBannerY, -25);
  ASSERT_EQ(Of(g_guiDeaths).size(), 1u);
  EXPECT_NEAR(Of(g_guiDeaths)[0].second, -25 + 18, 0.5);
  Frame(0.5f);
  EXPECT_FLOAT_EQ(diesCountBannerY, 0); // held at 0
  g_levelCurrentData.sinceRespawn = 2.0f;
  Frame(0.1f);
  EXPECT_FLOAT_EQ(diesCountBannerY, -10);
  Frame(1.0f);
  EXPECT_FLOAT_EQ(diesCountBannerY, -50);
}

TEST_F(Hud, BackgroundFitsTheScreenShape) {
  Surface* bg = FakeSurface(960, 640);
  const struct {
    u8 more, less;
    int maxY;
    std::vector<double> centresX;
    double width;
  } cases[] = {
      {0, 0, 320, {240}, 480},
      {1, 0, 320, {-239, 240, 719}, 480},
      {0, 1, 360, {240}, 540}, // taller: the centre copy grows to the height
  };
  for (auto& c : cases) {
    g_ratio_is_more_1_5 = c.more;
    g_ratio_is_less_1_5 = c.less;
    MAXY = c.maxY;
    capture.Clear();
    SmartDrawBackgroundIphone5(0, 0, bg, false, false);
    ASSERT_EQ(capture.Blits().size(), c.centresX.size());
    for (size_t i = 0; i < c.centresX.size(); ++i) {
      const CapturedBlit& b = capture.Blits()[i];
      EXPECT_NEAR((b.MinX() + b.MaxX()) / 2, c.centresX[i], 0.6);
    }
    EXPECT_NEAR(capture.Blits()[c.centresX.size() / 2].MaxX() - capture.Blits()[c.centresX.size() / 2].MinX(),
                c.width, 0.6);
  }
  g_ratio_is_more_1_5 = g_ratio_is_less_1_5 = 0;
  MAXY = 320;
  // The scrolling form wraps half the width to minus half.
  capture.Clear();
  SmartDrawBackgroundIphone5_F(240, 0, bg, false, false);
  ASSERT_EQ(capture.Blits().size(), 1u);
  EXPECT_NEAR((capture.Blits()[0].MinX() + capture.Blits()[0].MaxX()) / 2, 0, 0.6);
  // Nothing to fit: no picture, no texture, no width. Each returns at once.
  capture.Clear();
  SmartDrawBackgroundIphone5_F(10, 0, nullptr, false, true);
  Surface* empty = FakeSurface(0, 640);
  SmartDrawBackgroundIphone5_F(10, 0, empty, false, true);
  SmartDrawBackgroundIphone5(0, 0, empty, false, true);
  Texture2D* t = empty->texture;
  empty->texture = nullptr;
  empty->width = 960;
  SmartDrawBackgroundIphone5_F(10, 0, empty, false, true);
  empty->texture = t;
  EXPECT_TRUE(capture.Blits().empty());
  delete empty;
  delete bg;
}

TEST_F(Hud, BothBackgroundFormsCentreOnTheSameWholePixelOfAnOddScreen) {
  Surface* bg = FakeSurface(960, 640);
  const int keepX = MAXX, keepY = MAXY;
  MAXX = 481;
  MAXY = 321;
  capture.Clear();
  SmartDrawBackgroundIphone5(0, 0, bg, false, false);
  SmartDrawBackgroundIphone5_F(0, 0, bg, false, false);
  ASSERT_EQ(capture.Blits().size(), 2u);
  for (const CapturedBlit& b : capture.Blits()) {
    EXPECT_NEAR((b.MinX() + b.MaxX()) / 2, 240, 0.01);
    EXPECT_NEAR((b.MinY() + b.MaxY()) / 2, 160, 0.01);
  }
  MAXX = keepX;
  MAXY = keepY;
  delete bg;
}

// The scrolling background follows the camera, which a level can fling far out: it comes back at
// once, wrapped inside its span, and a camera that is no number draws nothing.
TEST_F(Hud, TheScrollingBackgroundWrapsACameraFarOut) {
  Surface* bg = FakeSurface(960, 640);
  for (float dx : {1.0e9f, -3.0e12f, 4.0e37f}) {
    ASSERT_TRUE(FinishesWithin(5, [&] { SmartDrawBackgroundIphone5_F(dx, 0, bg, false, false); })) << dx;
    capture.Clear();
    SmartDrawBackgroundIphone5_F(dx, 0, bg, false, false);
    ASSERT_EQ(capture.Blits().size(), 1u);
    double centre = (capture.Blits()[0].MinX() + capture.Blits()[0].MaxX()) / 2;
    EXPECT_GE(centre, 240 - 240 - 0.6) << dx;
    EXPECT_LT(centre, 240 + 240 + 0.6) << dx;
  }
  capture.Clear();
  SmartDrawBackgroundIphone5_F(NAN, 0, bg, false, false);
  EXPECT_TRUE(capture.Blits().empty());
  delete bg;
}

TEST(LevelLabel, CalculateWorldID) {
  const struct {
    int level;
    const char* label;
  } cases[] = {{25, "H1-5"}, {53, "2-3"},   {43, "T-3"}, {163, "B2-3"}, {20, "0-0"},  {48, "0-0"},
               {150, "4-1"}, {151, "B1-1"}, {1, "1-1"},  {121, "H3-1"}, {221, "B7-1"}};
  int keep = g_levelSelected;
  for (auto& c : cases) {
    g_levelSelected = c.level;
    char out[9];
    CalculateWorldID(out, sizeof out);
    EXPECT_STREQ(out, c.label) << c.level;
  }
  // Cut to the buffer, and terminated.
  g_levelSelected = 163;
  char small[3] = {'x', 'x', 'x'};
  CalculateWorldID(small, sizeof small);
  EXPECT_STREQ(small, "B2");
  g_levelSelected = keep;
}

class Keys : public BehaviourTest {
protected:
  void SetUp() override {
    BehaviourTest::SetUp();
    HeroAt(5000, 5000);
    bRightPressed = bLeftPressed = bJumpPressed = bEnterPressed = false;
    bHadSkipKey1 = bHadSkipKey2 = false;
    g_dpad_acceleration_cur = 0;
    ClearButtons();
  }
  void TearDown() override {
    bRightPressed = bLeftPressed = bJumpPressed = bEnterPressed = false;
    ClearButtons();
    BehaviourTest::TearDown();
  }
};

TEST_F(Keys, HeldKeysSteerInTheKeySchemesOnly) {
  g_accelerometerControl = 11;
  QuestKeyboardEvent(GAME_KEY_RIGHT, 0);
  EXPECT_TRUE(bRightPressed);
  float speeds[4];
  for (float& s : speeds) {
    ProcessKeyboardControls();
    s = hero().inputSpeed;
  }
  EXPECT_EQ(hero().steerable, 1);
  EXPECT_FLOAT_EQ(speeds[0], 90);
  EXPECT_FLOAT_EQ(speeds[2], 270);
  EXPECT_FLOAT_EQ(speeds[3], 350); // full speed in four frames
  // Both held: coasting at the current speed.
  QuestKeyboardEvent(GAME_KEY_LEFT, 0);
  hero().vx = 123;
  ProcessKeyboardControls();
  EXPECT_EQ(hero().steerable, 0);
  EXPECT_FLOAT_EQ(hero().inputSpeed, 123);
  // Left alone: the ramp restarts from nothing.
  QuestKeyboardEvent(GAME_KEY_RIGHT, 1);
  ProcessKeyboardControls();
  EXPECT_FLOAT_EQ(hero().inputSpeed, 123 - 90);
  // The virtual stick ignores the keys.
  g_accelerometerControl = 0;
  hero().steerable = 0;
  hero().inputSpeed = 0;
  ProcessKeyboardControls();
  EXPECT_EQ(hero().steerable, 0);
  EXPECT_FLOAT_EQ(hero().inputSpeed, 0);
}

TEST_F(Keys, JumpKeyStartsOneJumpAndItsReleaseEndsTheHold) {
  g_accelerometerControl = 11;
  hero().jumpAllowance = 1;
  bJumpPressed = true;
  ProcessKeyboardControls();
  EXPECT_TRUE(jumpButtonPressed);
  EXPECT_EQ(hero().jumped, 1);
  hero().jumped = 0;
  ProcessKeyboardControls();
  EXPECT_EQ(hero().jumped, 0);
  bJumpPressed = false;
  ProcessKeyboardControls();
  EXPECT_FALSE(jumpButtonPressed);
  EXPECT_FLOAT_EQ(hero().jumpHoldTimer, -1.0f);
}

TEST_F(Keys, ReleaseThenPressLatchesAtTheLevelEnd) {
  g_accelerometerControl = 11;
  bRightPressed = true; // held across the moment the exit is reached
  hero().levelFinished = 1;
  for (int i = 0; i < 5; ++i)
    ProcessKeyboardControls();
  EXPECT_EQ(Record().levelCompletionTaps, 0);
  bRightPressed = false;
  ProcessKeyboardControls();
  EXPECT_TRUE(bHadSkipKey1);
  bEnterPressed = true;
  ProcessKeyboardControls();
  EXPECT_EQ(Record().levelCompletionTaps, 1);
  // The result buttons are up: the same key still held moves nothing on.
  Buttons[2].active = 1;
  for (int i = 0; i < 3; ++i)
    ProcessKeyboardControls();
  EXPECT_EQ(Record().nextLevels, 0);
  bEnterPressed = false;
  ProcessKeyboardControls();
  bJumpPressed = true;
  ProcessKeyboardControls();
  EXPECT_EQ(Record().nextLevels, 1);
  ProcessKeyboardControls();
  EXPECT_EQ(Record().nextLevels, 1);
  // Back in play both latches clear.
  hero().levelFinished = 0;
  ProcessKeyboardControls();
  EXPECT_FALSE(bHadSkipKey1);
  EXPECT_FALSE(bHadSkipKey2);
}

TEST_F(Keys, ATapAtTheLevelEndReachesTheCompletionAndTheControls) {
  myPoint p(100, 200);
  QuestStylusDownMultiDown(&p, 1);
  EXPECT_EQ(Record().levelCompletionTaps, 1);
  QuestStylusDownMultiDown(&p, 0);
  EXPECT_EQ(Record().levelCompletionTaps, 1);
}

} // namespace
