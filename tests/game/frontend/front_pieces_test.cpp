// The list scroller's inertia, elastic bounds and page snapping; the mushroom panel's shown
// balance and its shop tap; the powerup stock that never goes below zero.
#include <gtest/gtest.h>

#include <cmath>

#include "front_pieces.h"
#include "game_modes.h"
#include "progress_files.h"

namespace {

const float kDt = 0.016f;

struct Scroller {
  float offset = 0;
  listAnimator list{};
  Scroller(float friction, float min, float max) { list.Assign(&offset, 1.0f, friction, min, max); }
};

TEST(ListAnimator, AFlickGlidesWithDecayingSpeedInsideTheRange) {
  Scroller s(0.9f, -1000, 1000);
  s.list.StylusDown(0, 0);
  s.list.StylusMove(0, 40); // the finger moves the offset directly and gives it speed
  EXPECT_FLOAT_EQ(s.offset, 40);
  EXPECT_FLOAT_EQ(s.list.velocity, 40);
  s.list.Process(kDt); // held: only the friction works
  EXPECT_FLOAT_EQ(s.offset, 40);
  s.list.StylusUp(0, 40);
  float before = s.offset, lastStep = 1e9f;
  for (int i = 0; i < 10; ++i) {
    s.list.Process(kDt);
    float step = s.offset - before;
    EXPECT_GT(step, 0);
    EXPECT_LT(step, lastStep);
    lastStep = step;
    before = s.offset;
  }
}

// Past a bound the speed drops to 0 and the offset returns at 300 px/s plus three times the
// overshoot per second.
TEST(ListAnimator, PastABoundItSpringsBackAt300PlusThreeTimesTheOvershoot) {
  struct Case {
    float start, velocity, expected;
  } cases[] = {
      {-100, 0, -90.4f},        // -100 + 300 dt + 3 x 100 dt
      {600, 0, 590.4f},         // 600 - 300 dt - 3 x 100 dt
      {-100, -1000, -105.632f}, // the glide first takes it to -116, then the spring works from there
      {250, 0, 250},            // inside the range nothing pulls
  };
  for (const Case& c : cases) {
    Scroller s(1.0f, 0, 500);
    s.offset = c.start;
    s.list.velocity = c.velocity;
    s.list.Process(kDt);
    EXPECT_NEAR(s.offset, c.expected, 1e-3) << c.start;
    if (c.start < 0 || c.start > 500) {
      EXPECT_EQ(s.list.velocity, 0) << c.start;
    }
  }
}

TEST(ListAnimator, SnapsToAPageInsideTheRangeOnlyBelow150PixelsASecond) {
  Scroller slow(1.0f, -400, 0);
  slow.list.pageSize = 100;
  slow.list.snapRate = 13;
  slow.offset = -230;
  slow.list.velocity = 149;
  for (int i = 0; i < 300; ++i) {
    slow.list.velocity = 0; // a slow release: no glide left
    slow.list.Process(kDt);
  }
  // trunc((-230 - 50) / 100) = -2: the page at -200.
  EXPECT_NEAR(slow.offset, -200, 0.5);

  Scroller fast(1.0f, -400, 0);
  fast.list.pageSize = 100;
  fast.list.snapRate = 13;
  fast.offset = -230;
  fast.list.velocity = 150;
  fast.list.Process(kDt);
  EXPECT_NEAR(fast.offset, -230 + 150 * kDt, 1e-3); // glides, no pull to a page

  // A target beyond the range is brought back inside it by whole pages.
  Scroller edge(1.0f, -400, -150);
  edge.list.pageSize = 100;
  edge.list.snapRate = 13;
  edge.offset = -160;
  for (int i = 0; i < 300; ++i)
    edge.list.Process(kDt);
  EXPECT_NEAR(edge.offset, -200, 0.5);
}

TEST(ListAnimator, UnboundIsInert) {
  listAnimator list{};
  list.Assign(nullptr, 1, 0.9f, 0, 100);
  list.StylusDown(0, 0);
  list.StylusMove(0, 50);
  list.Process(kDt);
  EXPECT_EQ(list.velocity, 0);
}

TEST(ShroomPanel, ShowsTheBalanceUpTo999) {
  const int balances[][2] = {{0, 0}, {998, 998}, {999, 999}, {1000, 999}, {123456, 999}};
  for (const auto& b : balances) {
    g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = b[0];
    EXPECT_EQ(shoomPanel::ShownBalance(), b[1]) << b[0];
  }
  g_globalAchievements[GLOBAL_WORD_MUSHROOMS] = 0;
}

class ShopMode : public gamemode {
public:
  void InitMode() override { ++entered; }
  int entered = 0;
};

TEST(ShroomPanel, AReleaseInItsBoxOpensTheShopWhereverTheTouchWentDown) {
  ShopMode* shopMode = new ShopMode();
  gamemode* kept = GameModes[15];
  GameModes[15] = shopMode;
  int keptMode = g_currentMode;
  g_currentMode = -1;
  ShroomPanel.Init(100, 50, 0);
  ShroomPanel.StylusDown(100, 50);
  EXPECT_EQ(ShroomPanel.pressed, 1);
  ShroomPanel.StylusUp(151, 50); // outside the 100 x 72 box: only the pressed look goes
  EXPECT_EQ(ShroomPanel.pressed, 0);
  EXPECT_EQ(shopMode->entered, 0);
  ShroomPanel.StylusDown(0, 0);
  EXPECT_EQ(ShroomPanel.pressed, 0);
  ShroomPanel.StylusUp(140, 80);
  EXPECT_EQ(shopMode->entered, 1);
  GameModes[15] = kept;
  delete shopMode;
  g_currentMode = keptMode;
}

TEST(PowerupStock, ConsumingFloorsAtZeroAndANegativeCountAdds) {
  struct Case {
    int stock, n, left;
  } cases[] = {{3, 1, 2}, {3, 3, 0}, {3, 10, 0}, {0, 1, 0}, {2, -5, 7}};
  for (const Case& c : cases) {
    g_superItemsUnlocked[0] = c.stock;
    g_superItemsUnlocked[1] = c.stock;
    GlobalData.ConsumeShield(c.n);
    GlobalData.ConsumeTimeSlows(c.n);
    EXPECT_EQ(GlobalData.GetShields(), c.left) << c.stock << " - " << c.n;
    EXPECT_EQ(GlobalData.GetTimeSlows(), c.left) << c.stock << " - " << c.n;
  }
  g_superItemsUnlocked[0] = g_superItemsUnlocked[1] = 0;
}

} // namespace
