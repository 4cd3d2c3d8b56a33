// The dispatch's first blocks: the auto-jump pad, shrink and grow portals, the tilt zone,
// teleporter pairs and the cannon; and no behaviour once the level is finished.
#include <cmath>

#include "behaviour_fixture.h"

namespace {

using Transport = BehaviourTest;

TEST_F(Transport, AutoJumpPadFiresOncePerTouch) {
  HeroAt(5000, 5000).jumpAllowance = 1;
  gameRect& pad = Object(59, 5000, 5030);
  pad.autoJump = 1;
  pad.touched = 1;
  pad.ProcessCustom(kFrame);
  EXPECT_EQ(pad.touched, 0);
  EXPECT_EQ(hero().jumped, 1);
  EXPECT_FLOAT_EQ(hero().jumpHoldTimer, 0.2f);
  // No new touch: no new jump.
  hero().jumped = 0;
  hero().jumpAllowance = 1;
  Updates(pad, 5);
  EXPECT_EQ(hero().jumped, 0);
  pad.touched = 1;
  pad.ProcessCustom(kFrame);
  EXPECT_EQ(hero().jumped, 1);
}

TEST_F(Transport, ShrinkAndGrowPortalsChangeTheHeroOnlyOnce) {
  struct Case {
    int character;
    float w, h; // after shrinking
  } cases[] = {{0, 8, 15}, {1, 0, 0}};
  for (const Case& c : cases) {
    Fresh();
    g_characterID = c.character;
    gameRect& h = HeroAt(5000, 5000);
    float w0 = h.width, h0 = h.height, g0 = h.gravity;
    gameRect& shrink = Object(652, 5000, 5000);
    shrink.ProcessCustom(kFrame);
    EXPECT_EQ(h.small, 1);
    EXPECT_FLOAT_EQ(h.scale, 0.7f);
    EXPECT_FLOAT_EQ(h.gravity, g0 * 2);
    EXPECT_FLOAT_EQ(h.width, c.character == 0 ? c.w : w0 * 0.6f);
    EXPECT_FLOAT_EQ(h.height, c.character == 0 ? c.h : h0 * 0.6f);
    EXPECT_TRUE(PlayedSound(32, 0));
    // A small hero in a shrink portal stays as it is.
    float w1 = h.width;
    Updates(shrink, 3);
    EXPECT_FLOAT_EQ(h.width, w1);
    EXPECT_FLOAT_EQ(h.gravity, g0 * 2);

    gameRect& grow = Object(653, h.centerX, h.centerY);
    grow.ProcessCustom(kFrame);
    EXPECT_EQ(h.small, 0);
    EXPECT_FLOAT_EQ(h.scale, 1.0f);
    EXPECT_FLOAT_EQ(h.gravity, g0);
    EXPECT_FLOAT_EQ(h.width, 13);
    EXPECT_FLOAT_EQ(h.height, 23);
    EXPECT_TRUE(PlayedSound(33, 0));
    Updates(grow, 3);
    EXPECT_FLOAT_EQ(h.gravity, g0);
  }
}

TEST_F(Transport, TiltZoneSwitchesTheControlScheme) {
  struct Case {
    float custom1;
    int before, after;
    float heroOffset;
  } cases[] = {
      {10, 10, 1, 0},   {0, 1, 10, 0}, {-5, 0, 10, 0}, {0, 1, 1, 31}, // 31 px away: outside the zone
      {10, 10, 10, 31},
  };
  for (const Case& c : cases) {
    HeroAt(5000 + c.heroOffset, 5000);
    gameRect& zone = Object(598, 5000, 5000);
    zone.custom1 = c.custom1;
    g_accelerometerControl = c.before;
    zone.ProcessCustom(kFrame);
    EXPECT_EQ(g_accelerometerControl, c.after) << c.custom1 << " from " << c.before;
    ClearGameRects();
    rectID = 1;
  }
}

TEST_F(Transport, LeavingTheTiltSchemeMakesNoJumpAndLetsGoOfAHeldJump) {
  for (int character : {0, 6}) {
    Fresh();
    g_characterID = character;
    gameRect& h = HeroAt(5000, 5000);
    h.jumpAllowance = 20; // a jump would spin, puff and sound
    h.jumpHoldTimer = 0.2f;
    jumpButtonPressed = true; // a jump touch held under tilt
    const float gravity = h.gravity, spin = h.spin;
    Object(598, 5000, 5000).ProcessCustom(kFrame);
    EXPECT_EQ(g_accelerometerControl, 10) << character;
    EXPECT_EQ(Record().Mission(1), 0) << character;
    EXPECT_TRUE(Played().empty()) << character;
    int puffs = 0;
    for (const particle& p : Particles)
      puffs += p.active ? 1 : 0;
    EXPECT_EQ(puffs, 0) << character;
    EXPECT_EQ(h.spin, spin) << character;
    EXPECT_EQ(h.gravity, gravity) << character << ": character 6 flips its gravity on every jump";
    EXPECT_EQ(h.jumped, 0) << character;
    EXPECT_FALSE(jumpButtonPressed) << character;
    EXPECT_FLOAT_EQ(h.jumpHoldTimer, -1) << character;
  }
}

class Teleporters : public BehaviourTest {
protected:
  // A pair in slots 1 and 2, the hero on the first.
  void Pair(float hold) {
    HeroAt(5000, 5000);
    a = &Object(654, 5000, 5000);
    b = &Object(654, 5400, 5100);
    a->custom2 = hold;
    b->custom1 = -1; // back to slot 1
  }
  // Both teleporters, as the frame runs them.
  void Step(int n) {
    for (int i = 0; i < n; ++i) {
      a->ProcessCustom(kFrame);
      b->ProcessCustom(kFrame);
    }
  }
  bool HeroAtPartner() const { return hero().x == b->centerX - 4 && hero().y == b->centerY - 10; }
  gameRect* a = nullptr;
  gameRect* b = nullptr;
};

TEST_F(Teleporters, FireAfterSevenTenthsAndHoldTheHero) {
  Pair(50); // 0.5 s
  Step(43); // 0.688 s
  EXPECT_FALSE(HeroAtPartner());
  EXPECT_EQ(Record().Mission(24), 0);
  Step(2); // past 0.7 s
  EXPECT_TRUE(HeroAtPartner());
  EXPECT_EQ(Record().Mission(24), 1);
  EXPECT_TRUE(PlayedSound(26, 0));
  EXPECT_LT(b->customSize, 0.5f); // shrunk to 0.3, growing back
  EXPECT_EQ(hero().frozen, 1);
  EXPECT_EQ(hero().drawFlag, 1);
  // Held for the hold time, then released with "teleport_out".
  Step(29);
  EXPECT_EQ(hero().frozen, 1);
  Step(3);
  EXPECT_EQ(hero().frozen, 0);
  EXPECT_EQ(hero().drawFlag, 0);
  EXPECT_TRUE(PlayedSound(26, 1));
  // The partner, reset through the hold, does not send the hero straight back.
  Step(40);
  EXPECT_TRUE(HeroAtPartner());
  Step(10);
  EXPECT_FALSE(HeroAtPartner());
  EXPECT_EQ(Record().Mission(24), 2);
}

TEST_F(Teleporters, ZeroHoldReleasesOnTheNextUpdate) {
  Pair(0);
  Step(45);
  ASSERT_TRUE(HeroAtPartner());
  EXPECT_EQ(hero().frozen, 0);
  EXPECT_EQ(hero().drawFlag, 0);
  EXPECT_TRUE(PlayedSound(26, 1));
  // The hero moves on its own from here.
  hero().x += 30;
  Step(1);
  EXPECT_FALSE(HeroAtPartner());
}

TEST_F(Teleporters, PartnerOutsideTheLevelObjectsIsInert) {
  HeroAt(5000, 5000);
  gameRect& last = GameRects[GAME_RECTS - 1];
  last.Init(GAME_RECTS - 1, 0, 0, 654, true);
  Centre(last, 5000, 5000);
  last.custom1 = 1; // forward, past the table
  gameRect& first = Object(654, 5000, 5000);
  ASSERT_EQ(first.slot, 1);
  first.custom1 = -1; // back, onto the hero's slot
  for (int i = 0; i < 60; ++i) {
    last.ProcessCustom(kFrame);
    first.ProcessCustom(kFrame);
  }
  EXPECT_FLOAT_EQ(hero().centerX, 5000);
  EXPECT_EQ(Record().Mission(24), 0);
  EXPECT_EQ(PlayedCount(26), 0);
}

TEST_F(Transport, CannonLoadsFliesAndReleasesTheHero) {
  gameRect& h = HeroAt(5000, 5000);
  h.jumpAllowance = 1;
  gameRect& cannon = Object(739, 5000, 5000);
  cannon.custom2 = 20;               // 0.2 s of loading
  cannon.fps = 10;                   // 200 px/s
  cannon.custom1 = 0;                // no turn while loading
  cannon.blockAngle = (float)M_PI_2; // to the right
  // Nothing for its first 2.5 s; the level start does not fling the hero either.
  Updates(cannon, 150);
  EXPECT_EQ(h.frozen, 0);
  EXPECT_FLOAT_EQ(h.centerX, 5000);
  Updates(cannon, 10);
  // Loaded: hidden and held at the muzzle.
  EXPECT_EQ(h.drawFlag, 1);
  EXPECT_EQ(h.frozen, 1);
  EXPECT_FLOAT_EQ(h.x, cannon.centerX - 5);
  Updates(cannon, 20);
  // Fired: shown, still held, flown along the angle.
  EXPECT_TRUE(PlayedSound(19, 0));
  EXPECT_EQ(h.drawFlag, 0);
  EXPECT_EQ(h.frozen, 1);
  EXPECT_NEAR(h.vx, 200, 1e-3);
  EXPECT_NEAR(h.vy, 0, 1e-3);
  EXPECT_FLOAT_EQ(h.jumpHoldTimer, -1);
  float x = h.x;
  Updates(cannon, 1);
  EXPECT_NEAR(h.x - x, 200 * kFrame, 1e-3);
  // Released after 0.9 s of flight.
  Updates(cannon, 60);
  EXPECT_EQ(h.frozen, 0);
}

TEST_F(Transport, NoBehaviourRunsOnceTheLevelIsFinished) {
  gameRect& h = HeroAt(5000, 5000);
  gameRect& mushroom = Object(57, 5000, 5000);
  h.levelFinished = 1;
  for (int i = 0; i < 10; ++i)
    ProcessAllRects(kFrame);
  EXPECT_EQ(mushroom.updateCounter, 0);
  EXPECT_EQ(mushroom.hidden, 0);
  h.levelFinished = 0;
  Centre(h, 5000, 5000); // it fell meanwhile
  mushroom.ProcessCustom(kFrame);
  EXPECT_EQ(mushroom.updateCounter, 1);
  EXPECT_EQ(mushroom.hidden, 1);
}

} // namespace
