// What sets the characters apart in play: their jump speeds and vertical caps, the special
// abilities (dash, burst up, slam down, float), the impulses and their trail, and the character
// whose every jump turns gravity round.
#include <cmath>

#include "scenario.h"

namespace {

struct JumpSpeedCase {
  int character;
  float jumpSpeed, cap;
};

class JumpSpeedTest : public Scenario, public ::testing::WithParamInterface<JumpSpeedCase> {};

TEST_P(JumpSpeedTest, EachCharacterJumpsAtItsSpeedAndFallsAtMostItsCap) {
  g_characterID = GetParam().character;
  gameRect& h = HeroOnFloor();
  h.Jump();
  HeroUpdates(1);
  // The held jump sets the speed, then gravity adds its sub-step.
  EXPECT_FLOAT_EQ(h.vy, GetParam().jumpSpeed + h.gravity * kSub);

  gameRect& f = Hero(5000, 4000);
  f.vy = 5000;
  HeroUpdates(1);
  EXPECT_FLOAT_EQ(f.vy, GetParam().cap);
  f.vy = -5000;
  HeroUpdates(1);
  EXPECT_FLOAT_EQ(f.vy, -GetParam().cap);
}

INSTANTIATE_TEST_SUITE_P(Characters, JumpSpeedTest,
                         ::testing::Values(JumpSpeedCase{0, -300, 600}, JumpSpeedCase{2, -350, 600},
                                           JumpSpeedCase{4, -200, 300}, JumpSpeedCase{5, -300, 600}));

struct SpecialCase {
  int character;
  bool performed;
  float impulseX, impulseY;
  float cooldown; // the character's cooldown once performed; -1 untouched
};

class SpecialTest : public Scenario, public ::testing::WithParamInterface<SpecialCase> {};

TEST_P(SpecialTest, EachCharacterHasItsOwnSpecial) {
  const SpecialCase& c = GetParam();
  g_characterID = c.character;
  gameRect& h = Hero(5000, 5000);
  ASSERT_EQ(h.dirX, 1);
  h.vy = 120;
  ClearSounds();
  EXPECT_EQ(h.CustomJump(), c.performed);
  EXPECT_FLOAT_EQ(h.impulseX, c.impulseX);
  EXPECT_FLOAT_EQ(h.impulseY, c.impulseY);
  EXPECT_FLOAT_EQ(h.specialCooldown, c.cooldown);
  EXPECT_FLOAT_EQ(h.vy, c.character == 3 ? 0.0f : 120.0f) << "only the burst up stops the fall";
  bool soundExpected = c.impulseX != 0 || c.impulseY != 0;
  std::vector<std::pair<int, int>> played = PlayedSounds();
  EXPECT_EQ(played.size(), soundExpected ? 1u : 0u);
  if (soundExpected && !played.empty()) {
    EXPECT_EQ(played[0], std::make_pair(8, 2));
  }
}

INSTANTIATE_TEST_SUITE_P(Characters, SpecialTest,
                         ::testing::Values(SpecialCase{0, false, 0, 0, -1}, SpecialCase{1, true, 1000, 0, 5},
                                           SpecialCase{2, true, 0, 0, 2}, SpecialCase{3, true, 0, -2000, 2},
                                           SpecialCase{4, true, 0, 2000, 0}, SpecialCase{6, false, 0, 0, -1},
                                           SpecialCase{7, false, 0, 0, -1}));

class HeroSpecialTest : public Scenario {
protected:
  int Puffs() const {
    int n = 0;
    for (const smoke& s : Smokes)
      n += s.active;
    return n;
  }
};

TEST_F(HeroSpecialTest, TheDashCarriesTheHeroOnAndLeavesATrail) {
  g_characterID = 1;
  gameRect& h = HeroOnFloor();
  h.steerable = 0;
  float x0 = h.x;
  h.PerformSpecial();
  Frames(10);
  // 1000 px/s losing 1 % before each of 60 sub-steps, times the run factor 1.1: about 132 px.
  EXPECT_NEAR(h.x - x0, 1000 * kSub * 0.99f * (1 - std::pow(0.99f, 60)) / 0.01f * 1.1f, 0.5);
  EXPECT_GT(Puffs(), 0);
  // Steering against it ends the impulse at once.
  h.steerable = 1;
  h.inputSpeed = -100;
  HeroUpdates(1);
  EXPECT_EQ(h.impulseX, 0);
}

TEST_F(HeroSpecialTest, AnImpulseOfACharacterWithoutADashIsDropped) {
  gameRect& h = HeroOnFloor();
  h.steerable = 0;
  float x0 = h.x;
  h.impulseX = 1000;
  HeroUpdates(6);
  EXPECT_EQ(h.impulseX, 0);
  EXPECT_NEAR(h.x, x0, 0.01);
  EXPECT_EQ(Puffs(), 0);
}

TEST_F(HeroSpecialTest, TheBurstRisesAndTheSlamFallsUntilTheImpulseFadesBelow100) {
  g_characterID = 3;
  gameRect& up = HeroOnFloor();
  float ground = up.y;
  up.PerformSpecial();
  Frames(4);
  EXPECT_LT(up.y, ground - 60) << "2000 px/s losing 2 % per sub-step";
  Frames(30);
  EXPECT_EQ(up.impulseY, 0);

  SetUp();
  g_characterID = 4;
  gameRect& down = Hero(5000, 4500);
  down.PerformSpecial();
  HeroUpdates(6);
  EXPECT_GT(down.y, 4500 + 25) << "free fall alone would drop under 1 px";
}

TEST_F(HeroSpecialTest, TheFloatHoldsTheFallAt100WhileTheJumpIsHeld) {
  g_characterID = 2;
  gameRect& h = HeroOnFloor();
  jumpButtonPressed = true;
  h.Jump();
  EXPECT_FLOAT_EQ(h.floatTimer, 100);
  Frames(40); // past the top
  // Limited before gravity's sub-step is added.
  EXPECT_GT(h.vy, 0);
  EXPECT_LE(h.vy, 100 + h.gravity * kSub + 1e-3);
  EXPECT_EQ(h.pose, 3) << "the floating pose";
  jumpButtonPressed = false;
  h.jumpHoldTimer = -1;
  Frames(5);
  EXPECT_EQ(h.floatTimer, -1);
  EXPECT_EQ(h.pose, 0);
  EXPECT_GT(h.vy, 200) << "falls freely again";
}

TEST_F(HeroSpecialTest, EveryJumpOfTheGravityCharacterTurnsGravityRound) {
  g_characterID = 6;
  Block(4000, 4860, 3000, 40); // a ceiling 140 px above the floor
  gameRect& h = HeroOnFloor();
  ASSERT_GT(h.contactFloor, -7);
  h.Jump();
  EXPECT_EQ(h.gravity, -4000);
  EXPECT_EQ(h.jumpAllowance, -9) << "each of its jumps spends the allowance";
  h.jumpHoldTimer = -1;
  Frames(30);
  EXPECT_NEAR(h.y, 4900, 0.5) << "stands on the ceiling";
  EXPECT_GT(h.contactCeiling, -7);
  EXPECT_EQ(h.jumpAllowance, 1);
  h.Jump();
  EXPECT_EQ(h.gravity, 4000);
  h.jumpHoldTimer = -1;
  Frames(30);
  EXPECT_NEAR(h.y + h.height, 5023, 0.5) << "back on the floor";
}

} // namespace
