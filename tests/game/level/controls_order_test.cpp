// The touch controls' thresholds, the draw-order list (layer then slot, every ninth rebuild, the
// layer-1 smoke before the first deep object) and the camera's easing.
#include "display.h"
#include "draw_order.h"
#include "inlevel_mode.h"
#include "level_fixture.h"
#include "object_list.h"
#include "progress_files.h"
#include "quest_state.h"
#include "smoke.h"
#include "sprite_tables.h"
#include "surface.h"
#include "touch_controls.h"

namespace {

class ControlsTest : public LevelTest {
protected:
  void SetUp() override {
    LevelTest::SetUp();
    MAXX = 480;
    MAXY = 320;
    g_ipad = false;
    keepScheme = g_accelerometerControl;
    keepSensitivity = g_accelerometerSensitivity;
    g_accelerometerControl = 0;
    g_accelerometerSensitivity = 2000;
    RmoveCenter = myPoint(120, 250);
    jumpButtonPressed = false;
    GameRects[0].Init(0, 5000, 5000, HERO_TYPE, false);
    GameRects[0].inAir = 0;
  }
  void TearDown() override {
    g_accelerometerControl = keepScheme;
    g_accelerometerSensitivity = keepSensitivity;
    LevelTest::TearDown();
  }
  int keepScheme = 1;
  float keepSensitivity = 2000;
};

struct StickCase {
  int drag; // px from the stick's centre, positive to the left
  bool inAir;
  float speed;
};

class StickDrag : public ControlsTest, public ::testing::WithParamInterface<StickCase> {};

TEST_P(StickDrag, TheDeadZoneSwallowsNinePixelsOnTheGround) {
  const StickCase& c = GetParam();
  gameRect& hero = GameRects[0];
  hero.inAir = c.inAir;
  GameRectStylusMove(120 - c.drag, 250);
  EXPECT_FLOAT_EQ(hero.inputSpeed, c.speed);
  EXPECT_TRUE(hero.steerable);
}

// s = 2000 / 4000 x 9.6 = 4.8 px/s per pixel; a leftward drag steers left (negative speed).
INSTANTIATE_TEST_SUITE_P(Drags, StickDrag,
                         ::testing::Values(StickCase{9, false, 0}, StickCase{-9, false, 0},
                                           StickCase{10, false, -4.8f}, StickCase{-10, false, 4.8f},
                                           StickCase{1, true, -4.8f * 0.913f}, StickCase{99, false, -350}));

TEST_F(ControlsTest, TheJumpZoneStartsPastHalfTheScreenAndEveryReleaseThereEndsTheHold) {
  gameRect& hero = GameRects[0];
  GameRectStylusDown(240, 200);
  EXPECT_FALSE(jumpButtonPressed);
  EXPECT_LT(hero.jumpHoldTimer, 0);
  GameRectStylusDown(241, 200);
  EXPECT_TRUE(jumpButtonPressed);
  EXPECT_FLOAT_EQ(hero.jumpHoldTimer, 0.2f);

  // Left of the middle the release lets go of the stick, not the jump.
  hero.steerable = 1;
  GameRectStylusUp(239, 200);
  EXPECT_TRUE(jumpButtonPressed);
  EXPECT_FALSE(hero.steerable);
  GameRectStylusUp(240, 200);
  EXPECT_FALSE(jumpButtonPressed);
  EXPECT_EQ(hero.jumpHoldTimer, -1);
}

TEST_F(ControlsTest, TheSpecialButtonTakesTheTouchOnlyWhenReady) {
  g_characterID = 1; // a character with a special
  gameRect& hero = GameRects[0];
  hero.Init(0, 5000, 5000, HERO_TYPE, false);
  ASSERT_TRUE(hero.hasSpecial);
  hero.specialCooldown = 1; // not ready: the touch falls through to the jump zone
  EXPECT_EQ(GameRectStylusDown((int)RbuttonAttack.x, (int)RbuttonAttack.y), 0);
  EXPECT_TRUE(jumpButtonPressed);
  jumpButtonPressed = false;
  hero.specialCooldown = -1;
  EXPECT_EQ(GameRectStylusDown((int)RbuttonAttack.x, (int)RbuttonAttack.y), 1);
  EXPECT_FALSE(jumpButtonPressed);
  EXPECT_GE(hero.specialCooldown, 0);
}

TEST_F(ControlsTest, UnderTiltEveryTouchJumpsAndTheStickIsOff) {
  g_accelerometerControl = 1;
  gameRect& hero = GameRects[0];
  hero.inputSpeed = 123;
  GameRectStylusDown(120, 250);
  EXPECT_TRUE(jumpButtonPressed);
  GameRectStylusMove(100, 250);
  EXPECT_EQ(hero.inputSpeed, 123);
  GameRectStylusUp(1, 250);
  EXPECT_FALSE(jumpButtonPressed);
}

class DrawOrderTest : public LevelTest {
protected:
  void SetUp() override {
    LevelTest::SetUp();
    ResetDrawingState();
    keepDisplay = display;
    display = &screen;
    g_drawShiftX = -4900;
    g_drawShiftY = -4900;
    g_gameScreenScale = 1;
    MAXX = 480;
    MAXY = 320;
    ClearSmoke();
    AddGameRect(0, 0, 1, true); // slot 0, drawn with nothing behind it
    GameRects[0].hidden = 1;
    GameRects[0].layer = 0;
  }
  void TearDown() override {
    for (int t = 0; t < 6; ++t) {
      delete g_rects[t][0];
      g_rects[t][0] = nullptr;
    }
    delete smokeSprite;
    ClearSmoke();
    display = keepDisplay;
    LevelTest::TearDown();
  }
  // An object of its own type (with a sprite of its own) on layer at slot order.
  int Object(int layer) {
    int type = nextType++;
    g_rects[type][0] = FakeSurface(10, 10);
    int slot = AddGameRect(5000, 5000, type, true);
    GameRects[slot].layer = layer;
    return slot;
  }
  std::vector<IDibBitmap*> Drawn() const {
    std::vector<IDibBitmap*> out;
    for (const CapturedBlit& b : capture.Blits())
      out.push_back(b.source);
    return out;
  }
  IDibBitmap* BitmapOf(int slot) const { return g_rects[GameRects[slot].type][0]->texture->bitmap; }

  Display screen;
  Display* keepDisplay = nullptr;
  TriangleCapture capture;
  Surface* smokeSprite = nullptr;
  int nextType = 1; // types 1-5 have no extras of their own
};

TEST_F(DrawOrderTest, LayersDrawBackToFrontAndEqualLayersInSlotOrder) {
  int a = Object(10), b = Object(5), c = Object(10), d = Object(-3);
  ForceResortGlobalObjects();
  DrawAllObjects(0.016f);
  EXPECT_EQ(Drawn(), (std::vector<IDibBitmap*>{BitmapOf(d), BitmapOf(b), BitmapOf(a), BitmapOf(c)}));
  EXPECT_EQ(compare(&GlobalObjects[0], &GlobalObjects[0]), 1); // never "equal"
}

TEST_F(DrawOrderTest, TheListIsRebuiltOnEveryNinthRequest) {
  Object(10);
  ForceResortGlobalObjects();
  EXPECT_EQ(globalObjectsCount, 2);
  int late = AddGameRectInGame(5000, 5000, 1, true);
  for (int i = 0; i < 8; ++i)
    ResortGlobalObjects();
  EXPECT_EQ(globalObjectsCount, 2);
  capture.Clear();
  DrawAllObjects(0.016f);
  EXPECT_EQ(capture.Blits().size(), 1u); // the new object waits for the rebuild
  ResortGlobalObjects();
  EXPECT_EQ(globalObjectsCount, 3);
  EXPECT_EQ(GlobalObjects[2].index, late);
  // An object switched off since the rebuild is skipped.
  GameRects[late].active = 0;
  capture.Clear();
  DrawAllObjects(0.016f);
  EXPECT_EQ(capture.Blits().size(), 1u);
}

TEST_F(DrawOrderTest, LayerOneSmokeGoesInBeforeTheFirstObjectDeeperThanThree) {
  smokeSprite = FakeSurface(8, 8);
  AddSmoke2(smokeSprite, 5000, 5000, 0, 0, 0, 0, 0, 1, 0, 255, 0, 0, 1);
  int a = Object(2), b = Object(3), c = Object(4), d = Object(12);
  ForceResortGlobalObjects();
  DrawAllObjects(0.016f);
  IDibBitmap* smoke = smokeSprite->texture->bitmap;
  EXPECT_EQ(Drawn(), (std::vector<IDibBitmap*>{BitmapOf(a), BitmapOf(b), smoke, BitmapOf(c), BitmapOf(d)}));

  // No object deeper than 3: this pass draws no smoke.
  GameRects[c].layer = GameRects[d].layer = 1;
  ForceResortGlobalObjects();
  capture.Clear();
  DrawAllObjects(0.016f);
  EXPECT_EQ(capture.Blits().size(), 4u);
}

TEST_F(DrawOrderTest, OffScreenObjectsAreNotDrawn) {
  int on = Object(10), off = Object(10);
  GameRects[off].x = 5000 + 480 + 100;
  GameRects[off].UpdateCoordinates();
  ForceResortGlobalObjects();
  DrawAllObjects(0.016f);
  EXPECT_EQ(Drawn(), (std::vector<IDibBitmap*>{BitmapOf(on)}));
}

TEST(QuestCamera, EasesInFromFarOffAtFiveTimesTheErrorPerSecond) {
  MAXX = 480;
  MAXY = 320;
  g_gameScreenScale = 1;
  static gameRect blank;
  gameRect& hero = GameRects[0];
  hero = blank;
  hero.centerX = 5006.5f;
  hero.centerY = 5011.5f;
  hero.vx = hero.vy = 0;
  g_drawShiftX = g_drawShiftY = -5000;
  UpdateQuestCamera(0.016f, false);
  // Error x: 5006.5 - 5000 - 240 = -233.5, so the shift moves by 233.5 x 0.08, truncated.
  EXPECT_EQ(g_drawShiftX, -4981);
  EXPECT_EQ(g_drawShiftY, -4988); // error y: 11.5 - 160 = -148.5, so 11.88
  for (int i = 0; i < 300; ++i)
    UpdateQuestCamera(0.016f, false);
  // Whole pixels: it settles within a pixel or two of centring the hero.
  EXPECT_NEAR(g_drawShiftX, 240 - 5006.5f, 13);
  EXPECT_NEAR(g_drawShiftY, 160 - 5011.5f, 13);
  float x = g_drawShiftX, y = g_drawShiftY;
  hero.centerX += 1000;
  UpdateQuestCamera(0, false); // paused: no step, no move
  EXPECT_EQ(g_drawShiftX, x);
  EXPECT_EQ(g_drawShiftY, y);
  hero = blank;
}

} // namespace
