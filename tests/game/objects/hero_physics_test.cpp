// The hero's physics as played: running, jump heights, damping, wall slide and wall kick, the air
// jump, grazing and double side contacts, falling out, the shield, the teleport special, deaths,
// the choice of ground animation, landings on floors and walls with their sounds, the long fall
// and footsteps, a held jump under a ceiling, exploding shots and the mushroom poses.
#include <cmath>

#include "scenario.h"
#include "sound_table.h"

// The level starts asked for by the stand-in of the level start.
extern int g_levelStartsRequested;

namespace {

struct RunCase {
  int character;
  float runFactor;
};

class RunTest : public Scenario, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunTest, StandsOnAPlatformAndRunsAtItsInputSpeed) {
  g_characterID = GetParam().character;
  gameRect& h = HeroOnFloor();
  Frames(30);
  float ground = h.y;
  h.steerable = 1;
  h.inputSpeed = 350;
  Frames(40);
  float x0 = h.x;
  Frames(10);
  EXPECT_NEAR(h.x - x0, 10 * 350 * kFrame * GetParam().runFactor, 0.02);
  EXPECT_NEAR(h.y, ground, 0.05) << "runs along the floor";
  EXPECT_GT(h.contactFloor, -7);
  EXPECT_EQ(h.dead, 0);
  if (GetParam().character == 0) {
    EXPECT_EQ(h.animation, 3) << "the fast run row";
  }
}

INSTANTIATE_TEST_SUITE_P(Characters, RunTest,
                         ::testing::Values(RunCase{0, 1.0f}, RunCase{5, 1.4f}, RunCase{3, 0.9f}));

class HeroTest : public Scenario {};

// Highest point above the ground over the next frames.
float Rise(gameRect& h, float ground, int frames) {
  float top = h.y;
  for (int i = 0; i < frames; ++i) {
    ProcessAllRects(kFrame);
    top = std::fmin(top, h.y);
  }
  return ground - top;
}

TEST_F(HeroTest, AHeldJumpRisesAbout88PixelsAndATapAbout28) {
  gameRect& h = HeroOnFloor();
  Frames(20);
  float ground = h.y;

  jumpButtonPressed = true;
  h.Jump();
  // 0.2 s held at 300 px/s less one sub-step of gravity (58 px), then about 27 px ballistic in
  // the sub-steps' Euler steps: 85 px, which is "about 60 + 28".
  float held = Rise(h, ground, 90);
  EXPECT_NEAR(held, 88, 3);
  EXPECT_NEAR(h.y, ground, 0.05) << "lands again";

  // A tap: the release comes after one frame of the hold (300 x 0.016 = 4.8 px) and the
  // ballistic part adds its 28 px.
  Frames(20);
  h.Jump();
  Frames(1);
  h.jumpHoldTimer = -1;
  jumpButtonPressed = false;
  float tap = Rise(h, ground, 60);
  EXPECT_GT(tap, 28);
  EXPECT_LT(tap, 28 + 4.8 + 1);
}

struct DampCase {
  float vx, after;
};

class DampingTest : public Scenario, public ::testing::WithParamInterface<DampCase> {};

TEST_P(DampingTest, SlowSpeedsDieAwayFasterThanFastOnes) {
  gameRect& h = HeroOnFloor();
  h.steerable = 0;
  h.vx = GetParam().vx;
  HeroUpdates(1);
  EXPECT_FLOAT_EQ(h.vx, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Speeds, DampingTest,
                         ::testing::Values(DampCase{50, 50 * 0.86f}, DampCase{-50, -50 * 0.86f},
                                           DampCase{50.1f, 50.1f * 0.97f}, DampCase{-200, -200 * 0.97f}));

struct SlideCase {
  int character;
  float slideSpeed;
};

class WallSlideTest : public Scenario, public ::testing::WithParamInterface<SlideCase> {};

TEST_P(WallSlideTest, PressingIntoAWallSlidesDownAtItsSpeed) {
  g_characterID = GetParam().character;
  Block(5100, 4500, 40, 1000);
  gameRect& h = Hero(5080, 4700);
  h.steerable = 1;
  h.inputSpeed = 300;
  Frames(40);
  ASSERT_GT(h.contactWall, -7) << "on the wall";
  ASSERT_LT(h.contactFloor, -7);
  float y0 = h.y;
  Frames(10);
  // Each update sets the slide speed, gravity adds its sub-step, then the hero moves.
  float perUpdate = (GetParam().slideSpeed + h.gravity * kSub) * kSub;
  EXPECT_NEAR(h.y - y0, 60 * perUpdate, 0.02);
  EXPECT_NEAR(h.x + 13, 5100, 0.01) << "stays against the wall";
  if (GetParam().character == 0) {
    EXPECT_EQ(h.animation, 7);
  }
}

INSTANTIATE_TEST_SUITE_P(Characters, WallSlideTest, ::testing::Values(SlideCase{0, 40}, SlideCase{3, 0}));

// A hero pressed against a wall on its left (so it faces right, away from the wall).
gameRect& PressedToTheLeft(gameRect& h) {
  h.steerable = 1;
  h.inputSpeed = -300;
  for (int i = 0; i < 10; ++i)
    ProcessAllRects(kFrame);
  return h;
}

struct KickCase {
  float input;
  float kick;
};

class WallKickTest : public Scenario, public ::testing::WithParamInterface<KickCase> {};

TEST_P(WallKickTest, AJumpOffAWallKicksByTheInput) {
  Block(4900, 4500, 40, 1000);
  gameRect& h = PressedToTheLeft(Hero(4945, 4800));
  ASSERT_EQ(h.contactSide, 0);
  ASSERT_EQ(h.dirX, 1);
  h.inputSpeed = GetParam().input;
  h.Jump();
  EXPECT_FLOAT_EQ(h.kickX, GetParam().kick);
  float x0 = h.x;
  Frames(5);
  EXPECT_GT(h.x, x0 + 5) << "leaves the wall";
}

INSTANTIATE_TEST_SUITE_P(Inputs, WallKickTest,
                         ::testing::Values(KickCase{-300, 792}, KickCase{300, 792}, KickCase{0, 264},
                                           KickCase{-150, 800 * (0.5f * 0.66f + 0.33f)}));

struct KickTimingCase {
  int updates; // counting the update of the last contact as the first
  bool kicks;
};

class WallKickTimingTest : public Scenario, public ::testing::WithParamInterface<KickTimingCase> {};

TEST_P(WallKickTimingTest, TheKickLastsFourteenUpdates) {
  Block(4900, 4500, 40, 1000);
  gameRect& h = PressedToTheLeft(Hero(4945, 4800));
  ASSERT_EQ(h.contactSide, 0);
  h.steerable = 0;
  h.vx = 0;
  h.x += 1; // off the wall
  h.UpdateCoordinates();
  HeroUpdates(GetParam().updates - 1);
  h.Jump();
  EXPECT_EQ(h.kickX != 0, GetParam().kicks) << h.kickX;
}

INSTANTIATE_TEST_SUITE_P(Updates, WallKickTimingTest,
                         ::testing::Values(KickTimingCase{1, true}, KickTimingCase{14, true},
                                           KickTimingCase{15, false}));

TEST_F(HeroTest, AHeroThatNeverTouchedAWallGetsNoKick) {
  gameRect& h = Hero(5000, 5000);
  EXPECT_EQ(h.contactSide, -1000);
  h.inputSpeed = 300;
  h.Jump();
  EXPECT_EQ(h.kickX, 0);
}

struct AirJumpCase {
  int updates;
  bool spent;
};

class AirJumpTest : public Scenario, public ::testing::WithParamInterface<AirJumpCase> {};

TEST_P(AirJumpTest, AJumpLongAfterTheLastContactSpinsAndSpendsTheAllowance) {
  gameRect& floor = GameRects[AddGameRect(0, 0, 59, true)];
  floor.x = 4000, floor.y = 5023, floor.width = 3000, floor.height = 40;
  floor.UpdateCoordinates();
  gameRect& h = Hero(5000, 5000);
  Frames(5);
  ASSERT_EQ(h.sinceContact, 0);
  floor.active = 0; // the ground falls away
  HeroUpdates(GetParam().updates);
  float spinBefore = h.spin;
  ClearSounds();
  h.Jump();
  EXPECT_FLOAT_EQ(h.jumpHoldTimer, 0.2f);
  if (GetParam().spent) {
    EXPECT_EQ(h.jumpAllowance, -9);
    EXPECT_FLOAT_EQ(h.spin, h.spinFloor + 2 * (float)M_PI);
    EXPECT_FLOAT_EQ(h.spinDirection, -1);
    EXPECT_EQ(PlayedSounds().at(0).first, 1) << "the spent jump's sound";
    // No third jump.
    HeroUpdates(3);
    float hold = h.jumpHoldTimer;
    h.Jump();
    EXPECT_FLOAT_EQ(h.jumpHoldTimer, hold);
  } else {
    EXPECT_EQ(h.jumpAllowance, 1);
    EXPECT_EQ(h.spin, spinBefore);
    EXPECT_EQ(PlayedSounds().at(0).first, 0);
  }
}

// sinceContact reads -60 after 60 updates off the ground.
INSTANTIATE_TEST_SUITE_P(Updates, AirJumpTest,
                         ::testing::Values(AirJumpCase{60, false}, AirJumpCase{61, true}));

struct OverlapCase {
  float width, height; // of the overlap at the hero's bottom-right corner
  float dx, dy;        // the hero's move
};

class OverlapTest : public Scenario, public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(OverlapTest, GrazingOverlapsOfTwoPixelsAreIgnored) {
  gameRect& h = Hero(5000, 5000);
  Block(5013 - GetParam().width, 5023 - GetParam().height, 40, 40);
  h.framesInAir = 50;
  h.Collide(kSub);
  EXPECT_NEAR(h.x, 5000 + GetParam().dx, 1e-3);
  EXPECT_NEAR(h.y, 5000 + GetParam().dy, 1e-3);
  EXPECT_EQ(h.framesInAir, 0) << "any overlap counts as contact";
}

INSTANTIATE_TEST_SUITE_P(Sizes, OverlapTest,
                         ::testing::Values(OverlapCase{2, 2, 0, 0}, OverlapCase{1, 1, 0, 0},
                                           OverlapCase{2.01f, 2, 0, -2}, OverlapCase{2, 2.01f, -2, 0}));

TEST_F(HeroTest, OnlyTheFirstOfTwoSideOverlapsMovesTheHero) {
  gameRect& h = Hero(5000, 5000);
  Block(4960, 4990, 43, 60); // 3 px into the hero's left side
  Block(5010, 4990, 40, 60); // 3 px into its right side
  h.vx = 50;
  h.Collide(kSub);
  EXPECT_NEAR(h.x, 5003, 1e-3) << "pushed right by the lower slot only";
  EXPECT_EQ(h.dirX, 1);
  EXPECT_EQ(h.vx, 0);
  EXPECT_EQ(h.contactSide, 0);
}

struct FallCase {
  float y;
  bool dies;
};

class FallingOutTest : public Scenario, public ::testing::WithParamInterface<FallCase> {};

TEST_P(FallingOutTest, TheHeroDiesBelowTheLevelBottomOrFarAboveItsTop) {
  g_levelCurrentData.levelBottom = 5000;
  g_levelCurrentData.levelTop = 4000;
  gameRect& h = Hero(5000, 0);
  h.y = GetParam().y;
  h.UpdateCoordinates();
  HeroUpdates(1);
  EXPECT_EQ(h.dead, GetParam().dies ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Heights, FallingOutTest,
                         ::testing::Values(FallCase{5200, false}, FallCase{5201, true}, FallCase{3000, false},
                                           FallCase{2999, true}));

TEST_F(HeroTest, TheShieldTakesOneDeathAndGivesTwoSecondsOfImmunity) {
  gameRect& h = HeroOnFloor();
  h.shield = 1;
  h.Die();
  EXPECT_EQ(h.dead, 0);
  EXPECT_EQ(h.shield, 0);
  EXPECT_FLOAT_EQ(h.shieldTimer, 2);
  EXPECT_EQ(PlayedSounds().back(), std::make_pair(8, 0));
  h.Die();
  EXPECT_EQ(h.dead, 0) << "immune right after";
  Frames(124);
  h.Die();
  EXPECT_EQ(h.dead, 0) << "still immune at 1.98 s";
  Frames(2);
  h.Die();
  EXPECT_EQ(h.dead, 1);
  EXPECT_EQ(g_levelCurrentData.deaths, 1);
}

TEST_F(HeroTest, TheTeleportSpecialTakesTheFirstFreeDistance) {
  g_characterID = 5;
  gameRect& h = Hero(5000, 5000);
  Block(4960, 4950, 38, 150); // right behind the hero (it faces right)
  Block(4900, 4950, 30, 150); // a free gap of 30 px between the two
  ASSERT_EQ(h.dirX, 1);
  h.PerformSpecial();
  ASSERT_EQ(h.teleporting, 1);
  EXPECT_FLOAT_EQ(h.teleportX, 5000 - 54) << "the first free even distance";
  EXPECT_EQ(h.collides, 0);
  EXPECT_EQ(h.layer, 19);
  EXPECT_FLOAT_EQ(h.specialCooldown, h.specialCooldownMax);
  Frames(10);
  EXPECT_EQ(h.teleporting, 0);
  EXPECT_NEAR(h.x, 4946, 2);
  EXPECT_EQ(h.collides, 1);
  EXPECT_EQ(h.layer, 5);
  EXPECT_EQ(h.noCollision, 0);
}

TEST_F(HeroTest, TheTeleportSpecialDoesNothingWhenNoPlaceIsFree) {
  g_characterID = 5;
  gameRect& h = Hero(5000, 5000);
  Block(4700, 4950, 298, 150);
  EXPECT_FALSE(h.CustomJump());
  EXPECT_EQ(h.teleporting, 0);
  EXPECT_EQ(h.collides, 1);
  EXPECT_FLOAT_EQ(h.x, 5000);
}

struct DeathCase {
  int kind;
  int row;
  int sound;
  int debris;
};

class DeathTest : public Scenario, public ::testing::WithParamInterface<DeathCase> {};

TEST_P(DeathTest, EachKindOfDeathHasItsRowSoundAndDebris) {
  gameRect& h = HeroOnFloor();
  h.steerable = 1;
  RmoveCenterCur.x = 30;
  bLeftPressed = true;
  h.deathKind = GetParam().kind;
  g_levelCurrentData.sinceRespawn = 5;
  ClearSounds();
  h.Die();
  EXPECT_EQ(h.dead, 1);
  EXPECT_EQ(g_levelCurrentData.deaths, 1);
  EXPECT_EQ(g_levelCurrentData.sinceRespawn, 0);
  EXPECT_EQ(h.animation, GetParam().row);
  EXPECT_EQ(h.layer, 10000);
  EXPECT_EQ(h.steerable, 0) << "the controls are let go";
  EXPECT_EQ(RmoveCenterCur.x, 0);
  EXPECT_FALSE(bLeftPressed);
  EXPECT_EQ(PlayedSounds().at(0).first, GetParam().sound);
  int debris = 0;
  for (const smoke& s : Smokes)
    if (s.active && s.layer == 4) ++debris;
  EXPECT_EQ(debris, GetParam().debris);
  // Dead, it no longer moves; its death row plays out, it leaves the table and the level starts
  // again, once.
  float y = h.y;
  int starts = g_levelStartsRequested;
  Frames(60);
  EXPECT_FLOAT_EQ(h.y, y);
  EXPECT_EQ(h.active, 0);
  EXPECT_EQ(g_levelStartsRequested, starts + 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DeathTest,
                         ::testing::Values(DeathCase{0, 14, 7, 12}, DeathCase{1, 15, 9, 0},
                                           DeathCase{2, 16, 10, 0}));

struct GroundRowCase {
  int character;
  int from;
  float input;
  int row;
};

class GroundRowTest : public Scenario, public ::testing::WithParamInterface<GroundRowCase> {};

TEST_P(GroundRowTest, TheRunRowFollowsTheSpeed) {
  g_characterID = GetParam().character;
  gameRect& h = HeroOnFloor();
  h.steerable = 1;
  h.inputSpeed = GetParam().input;
  HeroUpdates(1); // vx takes the input
  h.animation = GetParam().from;
  h.frame = 0;
  HeroUpdates(1);
  EXPECT_EQ(h.animation, GetParam().row);
}

// The damping first takes 3 % off the speed the row is chosen from.
INSTANTIATE_TEST_SUITE_P(Speeds, GroundRowTest,
                         ::testing::Values(GroundRowCase{0, 1, 5, 0}, GroundRowCase{0, 0, 40, 1},
                                           GroundRowCase{0, 1, 100, 1}, GroundRowCase{0, 1, 125, 2},
                                           GroundRowCase{0, 2, 170, 2}, GroundRowCase{0, 2, 220, 3},
                                           GroundRowCase{0, 5, 220, 5}, GroundRowCase{1, 0, 220, 1}));

TEST_F(HeroTest, CharactersWithASpeedDrivenRunSetTheRunRowsSpeed) {
  g_characterID = 1;
  gameRect& h = HeroOnFloor();
  h.steerable = 1;
  h.inputSpeed = 200;
  HeroUpdates(2);
  EXPECT_EQ(h.animation, 1);
  EXPECT_FLOAT_EQ(h.animFps[1], 200 * 0.97f * 0.12f);
}

TEST_F(HeroTest, AFinishedHeroNeitherJumpsNorFallsOut) {
  g_levelCurrentData.levelBottom = 4000;
  gameRect& h = Hero(5000, 5000);
  h.levelFinished = 1;
  h.shield = 1;
  h.Jump();
  EXPECT_EQ(h.jumpHoldTimer, -1);
  HeroUpdates(1);
  EXPECT_EQ(h.dead, 0);
  EXPECT_EQ(h.shield, 0);
  EXPECT_FLOAT_EQ(h.finishTime, -1 + kSub);
}

// The effects played so far with this id.
int Count(const std::vector<std::pair<int, int>>& played, int id) {
  int n = 0;
  for (auto& p : played)
    n += p.first == id;
  return n;
}

TEST_F(HeroTest, AFallEndsInTheLandingRowWithItsSoundAndDust) {
  Block(4000, 5023, 3000, 40);
  gameRect& h = Hero(5000, 4800);
  Frames(25);
  ASSERT_EQ(h.animation, 27) << "in the air";
  ClearSounds();
  int landed = -1;
  for (int i = 0; i < 20 && landed < 0; ++i) {
    Frames(1);
    if (h.contactFloor > -7) landed = i;
  }
  ASSERT_GE(landed, 0);
  EXPECT_EQ(h.animation, 5);
  EXPECT_EQ(h.inAir, 0);
  ASSERT_EQ(Count(PlayedSounds(), 5), 1);
  int dust = 0;
  for (const particle& p : Particles)
    dust += p.active && p.row == 4;
  EXPECT_EQ(dust, 1);
  Frames(25); // the landing row's 10 frames at 30 fps
  EXPECT_EQ(h.animation, 0);
}

TEST_F(HeroTest, FlyingIntoAWallLandsOnItAndThenHoldsIt) {
  Block(5100, 4500, 40, 1000);
  gameRect& h = Hero(4990, 4700);
  Frames(12);
  ASSERT_EQ(h.animation, 27);
  h.steerable = 1;
  h.inputSpeed = 300;
  ClearSounds();
  int rowAtContact = -1;
  for (int i = 0; i < 60 && rowAtContact < 0; ++i) {
    Frames(1);
    if (h.contactSide > -6) rowAtContact = h.animation;
  }
  EXPECT_EQ(rowAtContact, 8) << "the wall landing";
  EXPECT_EQ(Count(PlayedSounds(), 4), 1);
  Frames(15); // four frames at 20 fps
  EXPECT_EQ(h.animation, 7);
}

TEST_F(HeroTest, ALongFallScreamsOnceAfterASecond) {
  gameRect& h = Hero(5000, 4100);
  ClearSounds();
  Frames(62); // 0.992 s
  EXPECT_EQ(Count(PlayedSounds(), 35), 0);
  Frames(2);
  EXPECT_EQ(Count(PlayedSounds(), 35), 1);
  EXPECT_EQ(h.screamPlayed, 1);
  ClearSounds();
  Frames(30);
  EXPECT_EQ(Count(PlayedSounds(), 35), 0) << "once per fall";
}

TEST_F(HeroTest, FootstepsSoundEveryTwentySeventhOfASecondOnTheRunRows) {
  gameRect& h = HeroOnFloor();
  h.steerable = 1;
  h.inputSpeed = 300;
  Frames(10);
  ASSERT_EQ(h.animation, 3);
  ClearSounds();
  // 0.27 s ends on the 102nd sub-step after a step: 17 frames.
  for (int i = 0; i < 170; ++i) {
    ProcessAllRects(kFrame);
    ProcessSounds(kFrame);
  }
  EXPECT_EQ(Count(PlayedSounds(), 6), 10);
  h.inputSpeed = 0;
  Frames(30); // standing
  ClearSounds();
  for (int i = 0; i < 60; ++i) {
    ProcessAllRects(kFrame);
    ProcessSounds(kFrame);
  }
  EXPECT_EQ(Count(PlayedSounds(), 6), 0);
}

TEST_F(HeroTest, AHeldJumpClingsToACeilingUntilReleased) {
  Block(4000, 4930, 3000, 40); // its underside 70 px above the floor
  gameRect& h = HeroOnFloor();
  jumpButtonPressed = true;
  h.Jump();
  Frames(60); // a second: far longer than the 0.2 s hold
  EXPECT_NEAR(h.y, 4970, 1) << "pressed against the ceiling";
  EXPECT_GT(h.contactCeiling, -7);
  jumpButtonPressed = false;
  h.jumpHoldTimer = -1;
  Frames(30);
  EXPECT_NEAR(h.y, 5000, 0.5) << "falls back to the floor";
}

struct BlastCase {
  float distance; // between the centres, along x
  bool kills;
};

class BlastTest : public Scenario, public ::testing::WithParamInterface<BlastCase> {};

TEST_P(BlastTest, AnExplodingShotKillsTheHeroWithinItsBlast) {
  gameRect& h = Hero(5000, 5000);
  // Type 184 is 9 x 9 with a blast of 324 (18 px).
  gameRect& shot = GameRects[AddGameRect(0, 0, 184, false)];
  shot.x = h.centerX + GetParam().distance - 4.5f;
  shot.y = h.centerY - 4.5f;
  shot.UpdateCoordinates();
  ClearSounds();
  shot.Die();
  EXPECT_EQ(h.dead, GetParam().kills ? 1 : 0);
  EXPECT_EQ(shot.dead, 1);
  EXPECT_EQ(shot.active, 1) << "it stays to play its explosion";
  EXPECT_EQ(shot.collides, 0);
  EXPECT_EQ(shot.oneShotAnimation, 1);
  EXPECT_EQ(shot.firstFrame, 2);
  EXPECT_EQ(shot.frameCount, 16);
  EXPECT_EQ(shot.fps, 20);
  EXPECT_EQ(PlayedSounds().at(0), std::make_pair(12, 0));
  shot.Die();
  EXPECT_EQ(Count(PlayedSounds(), 12), 1) << "explodes once";
}

INSTANTIATE_TEST_SUITE_P(Distances, BlastTest,
                         ::testing::Values(BlastCase{10, true}, BlastCase{17.5f, true}, BlastCase{18, false},
                                           BlastCase{40, false}));

struct PoseCase {
  int character;
  int row;
  int overrideRow; // -1: the one set before stays
};

class MushroomPoseTest : public Scenario, public ::testing::WithParamInterface<PoseCase> {};

TEST_P(MushroomPoseTest, TheMushroomPoseDependsOnTheRow) {
  g_characterID = GetParam().character;
  gameRect& h = HeroOnFloor();
  h.mushroomTimer = 1;
  h.animation = GetParam().row;
  h.frame = 0;
  h.animationOverride = 26; // a row none of the cases picks
  HeroUpdates(1);
  EXPECT_EQ(h.animationOverride, GetParam().overrideRow < 0 ? 26 : GetParam().overrideRow);
}

INSTANTIATE_TEST_SUITE_P(Rows, MushroomPoseTest,
                         ::testing::Values(PoseCase{0, 7, 24}, PoseCase{0, 8, 23}, PoseCase{0, 27, 21},
                                           PoseCase{0, 5, 25}, PoseCase{3, 5, -1}, PoseCase{0, 0, 22},
                                           PoseCase{0, 3, 22}));

TEST_F(HeroTest, TheMushroomPoseEndsInALanding) {
  gameRect& h = HeroOnFloor();
  h.mushroomTimer = 0.001f;
  HeroUpdates(1);
  EXPECT_EQ(h.animation, 5);
  EXPECT_EQ(h.animationOverride, -1);
}

} // namespace
