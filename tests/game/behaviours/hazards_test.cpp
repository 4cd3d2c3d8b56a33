// Enemies, weapons and hazards: guns, lasers, traps, projectiles, monsters, saucers, bubbles,
// balloons, lethal circles, chainsaws and lethal boxes.
#include <cmath>

#include "behaviour_fixture.h"

namespace {

using Hazards = BehaviourTest;

int ActiveOfType(int type) {
  int n = 0;
  for (const gameRect& r : GameRects)
    n += r.active && r.type == type ? 1 : 0;
  return n;
}

TEST_F(Hazards, GunFiresOnlyWithinFiveHundredPixels) {
  const struct {
    float heroDx, heroDy;
    bool fires;
  } cases[] = {{499, 0, true}, {0, -499, true}, {501, 0, false}, {0, 501, false}};
  for (auto& c : cases) {
    Fresh();
    HeroAt(5000 + c.heroDx, 5000 + c.heroDy);
    gameRect& gun = Object(183, 5000, 5000);
    gun.custom1 = 200; // does not turn
    gun.fireTimer = 0;
    gun.fireInterval = 2;
    gun.ProcessCustom(kFrame);
    EXPECT_EQ(ActiveOfType(184), c.fires ? 1 : 0) << c.heroDx << "," << c.heroDy;
    EXPECT_EQ(PlayedSound(19, 0), c.fires);
    EXPECT_FLOAT_EQ(gun.fireTimer, c.fires ? 2.0f : -kFrame);
  }
}

TEST_F(Hazards, GunTimerRunsOutOfRangeSoAReturningHeroIsShotAtOnce) {
  gameRect& h = HeroAt(6000, 5000);
  gameRect& gun = Object(206, 5000, 5000);
  gun.custom1 = 200;
  gun.fireTimer = 1;
  gun.fireInterval = 1;
  Updates(gun, 100);
  EXPECT_EQ(ActiveOfType(207), 0);
  Centre(h, 5300, 5000);
  gun.ProcessCustom(kFrame);
  EXPECT_EQ(ActiveOfType(207), 1);
  EXPECT_TRUE(PlayedSound(20, 0));
}

TEST_F(Hazards, LaserBeamKillsWhatItCrossesWithinRange) {
  const struct {
    float custom1, heroDx, heroDy;
    bool dies;
  } cases[] = {
      {100, 100, 0, true},   // on the beam
      {100, 100, 50, false}, // in range, beside the beam
      {100, 250, 0, false},  // past twice the range
      {0, 0, 5, false},      // no range at all
  };
  for (auto& c : cases) {
    Fresh();
    gameRect& h = HeroAt(5000 + c.heroDx, 5000 + c.heroDy);
    gameRect& laser = Object(651, 5000, 5000);
    laser.custom1 = c.custom1;
    laser.fps = 0; // no turning
    laser.blockAngle = 0;
    laser.fireTimer = 0.5f;
    laser.ProcessCustom(0.1f);
    EXPECT_EQ(h.dead, c.dies ? 1 : 0) << c.custom1 << " " << c.heroDx << "," << c.heroDy;
    if (c.dies) {
      EXPECT_EQ(h.deathKind, 2);
    }
    bool inRange =
        c.custom1 > 0 && std::fabs(c.heroDx) <= 2 * c.custom1 && std::fabs(c.heroDy) <= 2 * c.custom1;
    EXPECT_NEAR(laser.fireTimer, inRange ? 0.9f : 0.1f, 1e-5);
  }
}

TEST_F(Hazards, TrapKillsOnlyWithinThirtyPixelsAtItsThirdFrame) {
  gameRect& h = HeroAt(5000, 5000);
  gameRect& trap = Object(196, 5000, 5000);
  trap.width = 60;
  trap.height = 40;
  trap.UpdateCoordinates();
  Centre(trap, 5000, 5000);
  Updates(trap, 6); // 0.096 s in the jaws
  EXPECT_EQ(trap.trapState, 0);
  trap.ProcessCustom(kFrame);
  EXPECT_EQ(trap.trapState, 1);
  EXPECT_EQ(trap.firstFrame, 1);
  EXPECT_EQ(trap.frameCount, 7);
  EXPECT_EQ(PlayedCount(14), 1);
  // The hero slips out before the jaws meet: frame 3 spares it, frame 6 reopens.
  Centre(h, 5040, 5000);
  trap.frame = 3.5f;
  trap.ProcessCustom(kFrame);
  EXPECT_EQ(h.dead, 0);
  EXPECT_EQ(trap.trapTime, 0);
  trap.frame = 6.1f;
  trap.ProcessCustom(kFrame);
  EXPECT_EQ(trap.trapState, 0);
  EXPECT_EQ(trap.firstFrame, 0);
  EXPECT_EQ(trap.frameCount, 0);
  // Caught inside the square.
  Centre(h, 5010, 5000);
  trap.frame = 0;
  Updates(trap, 7);
  ASSERT_EQ(trap.trapState, 1);
  trap.frame = 3.2f;
  trap.ProcessCustom(kFrame);
  EXPECT_EQ(h.dead, 1);
}

TEST_F(Hazards, ProjectileCountsNearMissesAndLeavesWhenDead) {
  const struct {
    float heroDx;
    int counted;
  } cases[] = {{22, 1}, {23, 0}}; // 324 x 1.6 = 518.4 px^2
  for (auto& c : cases) {
    Fresh();
    HeroAt(5000 + c.heroDx, 5000);
    gameRect& shot = Object(184, 5000, 5000);
    shot.speed = 0;
    shot.ProcessCustom(kFrame);
    EXPECT_EQ(Record().Mission(13), c.counted) << c.heroDx;
    EXPECT_EQ(shot.dead, 0);
  }
  HeroAt(5400, 5000);
  gameRect& shot = Object(184, 5000, 5000);
  shot.speed = 100;
  shot.framesInAir = 0; // it hit something
  shot.ProcessCustom(kFrame);
  EXPECT_EQ(shot.dead, 1);
  EXPECT_TRUE(PlayedSound(12, 0));
  shot.frame = 16;
  shot.ProcessCustom(kFrame);
  EXPECT_EQ(shot.active, 1);
  shot.frame = 16.5f;
  shot.ProcessCustom(kFrame);
  EXPECT_EQ(shot.active, 0);
}

TEST_F(Hazards, MonsterWakesChasesAndCatches) {
  const struct { int type, variant; } kinds[] = {{195, 0}, {467, 1}};
  for (auto& k : kinds) {
    Fresh();
    gameRect& h = HeroAt(5300, 5000);
    gameRect& m = Object(k.type, 5000, 5000);
    m.custom1 = 100;
    m.turnRate = 1;
    Updates(m, 3);
    EXPECT_EQ(m.monsterState, 0);
    Centre(h, 5150, 5000);
    m.ProcessCustom(kFrame);
    EXPECT_EQ(m.monsterState, 1);
    EXPECT_EQ(m.firstFrame, 3);
    EXPECT_TRUE(PlayedSound(25, k.variant));
    // Chasing: it moves at custom value 1.
    float x = m.x, y = m.y;
    m.ProcessCustom(0.1f);
    EXPECT_NEAR(std::hypot(m.x - x, m.y - y), 10, 1e-3);
    // Jaws open within 89 px, the catch within 30.
    Centre(h, m.centerX + 60, m.centerY);
    m.ProcessCustom(kFrame);
    EXPECT_EQ(m.firstFrame, 7);
    EXPECT_FLOAT_EQ(m.fps, 25);
    EXPECT_EQ(h.dead, 0);
    Centre(h, m.centerX + 20, m.centerY);
    m.ProcessCustom(kFrame);
    EXPECT_EQ(m.monsterState, 2);
    EXPECT_EQ(h.dead, 1);
    x = m.x;
    m.ProcessCustom(kFrame);
    EXPECT_FLOAT_EQ(m.x, x);
  }
}

TEST_F(Hazards, SaucerCarriesTheHeroUntilItJumpsOut) {
  gameRect& h = HeroAt(5000, 5000);
  h.jumpAllowance = 1;
  gameRect& saucer = Object(179, 5000, 5000);
  saucer.ProcessCustom(kFrame);
  EXPECT_EQ(saucer.holdState, 1);
  EXPECT_EQ(saucer.layer, 25);
  EXPECT_EQ(h.inSaucer, 1);
  EXPECT_EQ(h.saucerSlot, saucer.slot);
  EXPECT_FLOAT_EQ(h.x, saucer.x);
  EXPECT_TRUE(PlayedSound(27, 0));
  // It follows the hero 0.3 of the way each update.
  h.x += 100;
  float x = saucer.x;
  saucer.ProcessCustom(kFrame);
  EXPECT_NEAR(saucer.x - x, 30, 1e-3);
  EXPECT_FLOAT_EQ(h.jumpHoldTimer, 0.1f);
  // Jumping out lets it go.
  h.jumpAllowance = 1;
  h.Jump();
  EXPECT_EQ(saucer.holdState, 2);
  saucer.ProcessCustom(kFrame);
  EXPECT_EQ(saucer.layer, 24);
  EXPECT_EQ(saucer.firstFrame, 11);
  EXPECT_EQ(saucer.active, 1);
  saucer.frame = 20;
  saucer.ProcessCustom(kFrame);
  EXPECT_EQ(saucer.active, 0);
}

TEST_F(Hazards, SecondOfTwoBubblesBursts) {
  gameRect& h = HeroAt(5000, 5000);
  gameRect& first = Object(205, 5000, 5000);
  gameRect& second = Object(205, 5005, 5000);
  first.ProcessCustom(kFrame);
  EXPECT_EQ(first.bubbleState, 1);
  EXPECT_EQ(h.inBubble, 1);
  EXPECT_EQ(h.animation, 26);
  EXPECT_EQ(PlayedCount(17), 1);
  Centre(second, h.centerX, h.centerY);
  second.ProcessCustom(kFrame);
  EXPECT_EQ(second.bubbleState, 2);
  EXPECT_FLOAT_EQ(second.frame, 16);
  EXPECT_EQ(h.inBubble, 1);
  // The first holds the hero while it rises.
  first.custom1 = 100;
  first.ProcessCustom(kFrame);
  EXPECT_EQ(h.frozen, 1);
  EXPECT_FLOAT_EQ(h.vy, -10);
  // A jump bursts it and lets the hero go.
  ClearSounds();
  h.Jump();
  first.ProcessCustom(kFrame);
  EXPECT_EQ(first.bubbleState, 2);
  EXPECT_EQ(h.frozen, 0);
  EXPECT_EQ(PlayedCount(17), 1);
  second.frame = 20;
  second.ProcessCustom(kFrame);
  EXPECT_EQ(second.active, 0);
}

TEST_F(Hazards, BalloonBouncesTheHeroAndComesBackNotSolid) {
  gameRect& h = HeroAt(5000, 5000);
  gameRect& b = Object(177, 5000, 5010);
  b.ProcessCustom(kFrame);
  EXPECT_EQ(b.bubbleState, 1);
  EXPECT_EQ(b.noCollision, 1);
  EXPECT_EQ(h.jumped, 1);
  EXPECT_EQ(h.jumpAllowance, 1);
  EXPECT_FLOAT_EQ(h.balloonBounce, 0.2f);
  EXPECT_EQ(Record().Mission(12), 1);
  EXPECT_TRUE(PlayedSound(18, 0));
  Centre(h, 5000, 4000);
  b.frame = 16;
  b.ProcessCustom(kFrame);
  EXPECT_EQ(b.bubbleState, 2);
  EXPECT_EQ(b.drawFlag, 1);
  b.frame = 16;
  b.ProcessCustom(kFrame);
  EXPECT_EQ(b.bubbleState, 0);
  EXPECT_EQ(b.drawFlag, 0);
  EXPECT_EQ(b.noCollision, 1);
}

TEST_F(Hazards, LethalCircleSparesAReplayAndALethalBoxDoesNot) {
  const struct {
    int type;
    bool replay, dies;
    int kind;
  } cases[] = {
      {21, false, true, 0},  {21, true, false, 0}, {262, false, true, 1},
      {173, false, true, 2}, {23, false, true, 0}, {23, true, true, 0},
  };
  for (auto& c : cases) {
    Fresh();
    gameRect& h = HeroAt(5000, 5000);
    gameRect& o = Object(c.type, 5000, 5000);
    o.width = o.height = 40;
    o.UpdateCoordinates();
    Centre(o, 5000, 5000);
    g_playingRecording = c.replay;
    o.ProcessCustom(kFrame);
    EXPECT_EQ(h.dead, c.dies ? 1 : 0) << c.type << " replay " << c.replay;
    if (c.dies) {
      EXPECT_EQ(h.deathKind, c.kind) << c.type;
    }
  }
}

TEST_F(Hazards, LethalBoxKillsOnlyInsideItsInnerBox) {
  gameRect& h = HeroAt(5000, 5000);
  gameRect& box = Object(23, 5000, 5000);
  box.width = 40;
  box.height = 40;
  box.UpdateCoordinates();
  Centre(box, 5000, 5000);
  // The inner box starts 9 px below the top: a hero resting just on it survives.
  Centre(h, 5000, box.y + 9 - h.height / 2);
  box.ProcessCustom(kFrame);
  EXPECT_EQ(h.dead, 0);
  Centre(h, 5000, box.y + 10 - h.height / 2);
  box.ProcessCustom(kFrame);
  EXPECT_EQ(h.dead, 1);
}

TEST_F(Hazards, ChainsawSamplesSevenPointsAlongItsBlade) {
  const struct {
    float heroDx;
    bool dies;
  } cases[] = {{-40, true}, {40, true}, {-55, false}, {0, true}, {-49, true}};
  for (auto& c : cases) {
    Fresh();
    gameRect& h = HeroAt(5000 + c.heroDx, 5000);
    gameRect& saw = Object(736, 5000, 5000);
    saw.x2 = saw.x + 100;
    saw.y2 = saw.y;
    saw.rotated = 0;
    saw.bladeLength = 110; // samples every 10 px from -30 to 30
    saw.ProcessCustom(kFrame);
    EXPECT_EQ(h.dead, c.dies ? 1 : 0) << c.heroDx;
  }
}

} // namespace
