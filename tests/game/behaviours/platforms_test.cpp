// Platforms and zones: ice, bricks, falling and blinking blocks, swarms, conveyors, sliding blocks,
// water and sand.
#include "behaviour_fixture.h"
#include "finishes.h"

namespace {

using Platforms = BehaviourTest;

TEST_F(Platforms, IceMarksTheHeroOnlyForRecentContactOnTheGround) {
  struct Case {
    int touchCounter, animation;
    u8 collisionPending;
    int onIce;
  } cases[] = {{0, 0, 0, 1}, {-4, 3, 0, 1}, {-5, 0, 0, 0}, {0, 4, 0, 0}, {0, 1, 1, 0}};
  for (const Case& c : cases) {
    gameRect& h = HeroAt(5000, 5000);
    h.animation = c.animation;
    h.collisionPending = c.collisionPending;
    gameRect& ice = Object(679, 5000, 5030);
    ice.touchCounter = c.touchCounter;
    ice.ProcessCustom(kFrame);
    EXPECT_EQ(h.onIce, c.onIce) << c.touchCounter << " " << c.animation;
    ClearGameRects();
    rectID = 1;
  }
}

TEST_F(Platforms, BrickBreaksAtFifteenHundredthsAndHidesAtTwoTenths) {
  HeroAt(5000, 4900);
  gameRect& brick = Object(15, 5000, 5000);
  brick.width = brick.height = 30;
  brick.UpdateCoordinates();
  brick.touched = 1;
  float age = 0, brokeAt = -1, hiddenAt = -1;
  for (int i = 0; i < 30 && hiddenAt < 0; ++i) {
    brick.ProcessCustom(0.01f);
    age += 0.01f;
    if (brokeAt < 0 && brick.noCollision) brokeAt = age;
    if (brick.hidden) hiddenAt = age;
  }
  EXPECT_GT(brokeAt, 0.15f);
  EXPECT_LE(brokeAt, 0.161f);
  EXPECT_GT(hiddenAt, 0.2f);
  EXPECT_LE(hiddenAt, 0.211f);
  // Debris on a 10 px grid over the 30 x 30 box: 3 x 3 puffs, and one cleaving sound.
  EXPECT_EQ(ActiveSmoke(), 9);
  EXPECT_EQ(PlayedCount(16), 1);
  // Hidden for good: a new touch does nothing.
  brick.touched = 1;
  Updates(brick, 20);
  EXPECT_EQ(PlayedCount(16), 1);
}

TEST_F(Platforms, TinyBrickBreaksWithoutDebrisButWithItsSound) {
  HeroAt(5000, 4900);
  gameRect& brick = Object(15, 5000, 5000);
  brick.width = 5;
  brick.height = 30;
  brick.UpdateCoordinates();
  brick.touched = 1;
  Updates(brick, 20, 0.01f);
  EXPECT_EQ(brick.hidden, 1);
  EXPECT_EQ(ActiveSmoke(), 0);
  EXPECT_EQ(PlayedCount(16), 1);
}

TEST_F(Platforms, FallingBlockSinksUnderTheHeroAndRisesBack) {
  gameRect& h = HeroAt(5000, 4980);
  gameRect& block = Object(20, 5000, 5000);
  float base = block.y;
  // Never touched: stays at its base.
  block.touchCounter = -100;
  Updates(block, 10);
  EXPECT_FLOAT_EQ(block.y, base);
  EXPECT_EQ(block.rest, 1);
  // Touched: block and hero sink at 200 px/s.
  float heroY = h.y;
  h.vy = 50;
  block.touchCounter = 0;
  block.ProcessCustom(0.1f);
  EXPECT_NEAR(block.y - base, 20, 1e-3);
  EXPECT_NEAR(h.y - heroY, 20, 1e-3);
  EXPECT_EQ(h.vy, 0);
  EXPECT_EQ(block.rest, 0);
  // Left alone: rises at 40 px/s, not above its base.
  block.touchCounter = -3;
  block.ProcessCustom(0.1f);
  EXPECT_NEAR(block.y - base, 16, 1e-3);
  block.ProcessCustom(1.0f);
  EXPECT_FLOAT_EQ(block.y, base);
}

TEST_F(Platforms, BlinkingPlatformFollowsFramesZeroAndOne) {
  HeroAt(5000, 4900);
  gameRect& p = Object(420, 5000, 5000);
  const struct {
    float frame;
    int before, after;
  } cases[] = {{0.5f, 0, 1}, {1.2f, 1, 0}, {2.0f, 1, 1}, {3.0f, 0, 0}};
  for (auto& c : cases) {
    p.noCollision = c.before;
    p.frame = c.frame;
    p.ProcessCustom(kFrame);
    EXPECT_EQ(p.noCollision, c.after) << c.frame;
  }
}

TEST_F(Platforms, SwarmMembersFromCustomValueUpToTwenty) {
  HeroAt(5000, 4900);
  const struct {
    float custom1;
    int members;
  } cases[] = {{9, 0}, {35, 3}, {500, 20}};
  for (auto& c : cases) {
    gameRect& s = Object(220, 5000, 5000);
    s.custom1 = c.custom1;
    for (int k = 0; k < SWARM_MEMBERS; ++k)
      s.animFps[k] = s.animLength[k] = 0;
    s.ProcessCustom(kFrame);
    int moved = 0;
    for (int k = 0; k < SWARM_MEMBERS; ++k)
      moved += s.animFps[k] != 0 || s.animLength[k] != 0;
    EXPECT_EQ(moved, c.members) << c.custom1;
    ClearGameRects();
    rectID = 1;
  }
}

TEST_F(Platforms, ConveyorObeysSignFlipAndSide) {
  const struct {
    float custom1;
    int flipX, rotated;
    float heroDx, heroDy; // hero centre relative to the belt's
    float moveX, moveY;   // hero movement per second
  } cases[] = {
      {100, 0, 0, 0, -20, 100, 0},   {100, 0, 0, 0, 20, -100, 0},
      {-100, 0, 0, 0, -20, -100, 0}, {100, 1, 0, 0, -20, -100, 0},
      {-100, 1, 0, 0, -20, -100, 0}, {100, 0, 0, 0, 0, -100, 0}, // exactly level: the minus side
      {0, 0, 0, 0, -20, 0, 0},       {100, 0, 1, -20, 0, 0, 100},
      {100, 0, 1, 20, 0, 0, -100},
  };
  for (auto& c : cases) {
    gameRect& h = HeroAt(5000 + c.heroDx, 5000 + c.heroDy);
    h.animation = 0;
    h.conveyorContact = 1;
    gameRect& belt = Object(116, 5000, 5000);
    belt.custom1 = c.custom1;
    belt.flipX = c.flipX;
    belt.rotated = c.rotated;
    belt.touchCounter = 0;
    float x = h.x, y = h.y;
    belt.ProcessCustom(0.1f);
    EXPECT_NEAR(h.x - x, c.moveX * 0.1f, 1e-3) << c.custom1 << " flip " << c.flipX << " dy " << c.heroDy;
    EXPECT_NEAR(h.y - y, c.moveY * 0.1f, 1e-3) << c.custom1 << " rotated " << c.rotated;
    EXPECT_EQ(h.conveyorContact, 0);
    ClearGameRects();
    rectID = 1;
  }
  // No contact, or a stale one: nothing moves.
  gameRect& h = HeroAt(5000, 4980);
  h.animation = 0;
  gameRect& belt = Object(116, 5000, 5000);
  belt.custom1 = 100;
  belt.touchCounter = 0;
  float x = h.x;
  belt.ProcessCustom(0.1f);
  h.conveyorContact = 1;
  belt.touchCounter = -3;
  belt.ProcessCustom(0.1f);
  EXPECT_FLOAT_EQ(h.x, x);
}

TEST_F(Platforms, SlidingBlockCarriesARecentRider) {
  gameRect& h = HeroAt(5000, 4980);
  gameRect& b = Object(120, 5000, 5000);
  b.slideSpeed = 100;
  b.touchCounter = 0;
  float bx = b.x, hx = h.x;
  b.ProcessCustom(0.1f);
  EXPECT_NEAR(b.x - bx, 9.8f, 1e-3);
  EXPECT_NEAR(h.x - hx, 9.8f, 1e-3);
  b.touchCounter = -7;
  hx = h.x;
  b.ProcessCustom(0.1f);
  EXPECT_FLOAT_EQ(h.x, hx);
}

TEST_F(Platforms, WaterAndSandRefreshTheirCountersAndSplashAfterLongDry) {
  const struct {
    int type;
    int gameRect::*counter;
    int sound;
  } zones[] = {{22, &gameRect::waterCounter, 22}, {118, &gameRect::sandCounter, 21}};
  for (auto& z : zones) {
    Fresh();
    gameRect& zone = Object(z.type, 5000, 5000);
    zone.width = 200;
    zone.height = 100;
    zone.custom1 = 0;
    zone.UpdateCoordinates();
    gameRect& h = HeroAt(zone.x + 100, zone.y + 60);
    h.*z.counter = -101;
    zone.ProcessCustom(kFrame);
    EXPECT_EQ(h.*z.counter, 15);
    EXPECT_EQ(PlayedCount(z.sound), 1);
    // In again after a short time out: refreshed, no splash.
    ClearSounds();
    h.*z.counter = -50;
    zone.ProcessCustom(kFrame);
    EXPECT_EQ(h.*z.counter, 15);
    EXPECT_EQ(PlayedCount(z.sound), 0);
    // Above the surface's 29 px: outside.
    Centre(h, zone.x + 100, zone.y + 10);
    h.*z.counter = -200;
    zone.ProcessCustom(kFrame);
    EXPECT_EQ(h.*z.counter, -200);
  }
}

} // namespace

// A level file's size extras can grow a brick's box without end; its debris never passes what the
// smoke pool holds, so breaking it takes no time.
TEST_F(Platforms, ABrickGrownByHugeSizeExtrasBreaksAtOnce) {
  HeroAt(5000, 4900);
  gameRect& brick = Object(15, 5000, 5000);
  brick.sizeExtraX = brick.sizeExtraY = 2000000;
  brick.UpdateCoordinates();
  brick.touched = 1;
  EXPECT_TRUE(FinishesWithin(10, [&] {
    Updates(brick, 20, 0.01f);
    if (!brick.hidden || ActiveSmoke() != SMOKES) _exit(1);
  }));
}
