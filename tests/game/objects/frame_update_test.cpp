// The object frame update as a whole: the hero's sub-steps, level objects that integrate only
// vertically, the start wait, objects held up by the hero, fresh counters, steering and conveyors,
// movement paths, bound and triggered objects, carrying the hero, animation ends and the exit door.
#include <cmath>

#include "scenario.h"

namespace {

class FrameUpdateTest : public Scenario {};

TEST_F(FrameUpdateTest, TheHeroFallsInSixSubStepsPerFrame) {
  gameRect& h = Hero(5000, 5000);
  gameRect& thing = Block(6000, 5000, 10, 10);
  Frames(1);
  // Six Euler steps of a sixth of the frame: the drop is 1+2+...+6 = 21 times g dt'^2.
  EXPECT_NEAR(h.vy, 1600 * kFrame, 1e-3);
  EXPECT_NEAR(h.y - 5000, 21 * 1600 * kSub * kSub, 2e-3) << "one step of a frame would drop 0.41 px";
  EXPECT_NEAR(h.age, kFrame, 1e-6);
  EXPECT_NEAR(thing.age, kFrame, 1e-6);
}

TEST_F(FrameUpdateTest, LevelObjectsDoNotIntegrateTheirHorizontalSpeed) {
  gameRect& o = GameRects[AddGameRect(5000, 5000, 59, false)];
  EXPECT_EQ(o.runFactor, 0);
  o.vx = 100;
  o.gravity = 1000;
  Frames(1);
  EXPECT_FLOAT_EQ(o.x, 5000);
  EXPECT_FLOAT_EQ(o.vy, 1000 * kFrame);
  EXPECT_FLOAT_EQ(o.y, 5000 + 1000 * kFrame * kFrame);
}

TEST_F(FrameUpdateTest, TheHeroWaitsHalfASecondBeforeItMoves) {
  gameRect& h = Hero(5000, 5000, false);
  h.vx = 40;
  Frames(31); // 186 sub-steps: 0.496 s
  EXPECT_FLOAT_EQ(h.y, 5000);
  EXPECT_FLOAT_EQ(h.vx, 40) << "not even damped";
  Frames(1);
  EXPECT_GT(h.y, 5000);
  EXPECT_LT(h.vx, 40);
}

TEST_F(FrameUpdateTest, AnObjectTheHeroStandsOnDoesNotFall) {
  gameRect& ledge = Block(4990, 5023, 60, 20);
  ledge.frozen = 0;
  ledge.gravity = 1000;
  ledge.touchCounter = 0; // the hero has just landed on it
  gameRect& h = Hero(5000, 5000);
  Frames(30);
  EXPECT_FLOAT_EQ(ledge.y, 5023);
  EXPECT_GT(h.contactFloor, -7);
  h.active = 0; // the hero leaves
  Frames(10);
  EXPECT_FLOAT_EQ(ledge.y, 5023) << "held for ten more updates";
  Frames(1);
  EXPECT_GT(ledge.y, 5023);
}

TEST_F(FrameUpdateTest, AFreshObjectHasHadNoContactOfAnyKind) {
  gameRect& o = GameRects[AddGameRect(5000, 5000, 59, false)];
  for (int c : {o.touchCounter, o.contactCeiling, o.contactFloor, o.contactSide, o.contactWall,
                o.contactWallLevel, o.waterCounter, o.sandCounter, o.conveyorCounter})
    EXPECT_EQ(c, -1000);
  // In water or sand a falling object would be slowed or sunk.
  o.gravity = 1000;
  Frames(20);
  EXPECT_FLOAT_EQ(o.vy, 20 * 1000 * kFrame);
}

TEST_F(FrameUpdateTest, InWaterObjectsFallAtMost150AndInSandTheySink) {
  gameRect& w = GameRects[AddGameRect(5000, 5000, 59, false)];
  w.gravity = 1000;
  gameRect& s = GameRects[AddGameRect(5200, 5000, 59, false)];
  for (int i = 0; i < 60; ++i) {
    w.waterCounter = 10;
    s.sandCounter = 10;
    ProcessAllRects(kFrame);
  }
  EXPECT_FLOAT_EQ(w.vy, 150);
  EXPECT_NEAR(s.y - 5000, 60 * 130 * kFrame, 1e-2) << "sinks at 130 px/s with no speed of its own";
  EXPECT_EQ(s.jumpAllowance, 2);
}

struct SteerCase {
  const char* what;
  float input, kick;
  int row;
  u8 fast, noSteer;
  int water, sand; // counters before the update
  float vx;
};

class SteeringTest : public Scenario, public ::testing::WithParamInterface<SteerCase> {};

TEST_P(SteeringTest, TheSteeredSpeedIsTheInputAndTheKickScaledByTheGround) {
  const SteerCase& c = GetParam();
  gameRect& h = HeroOnFloor();
  h.steerable = 1;
  h.inputSpeed = c.input;
  h.kickX = c.kick;
  h.animation = c.row;
  h.fast = c.fast;
  h.noSteer = c.noSteer;
  h.waterCounter = c.water;
  h.sandCounter = c.sand;
  HeroUpdates(1);
  EXPECT_NEAR(h.vx, c.vx, 1e-3) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SteeringTest,
    ::testing::Values(SteerCase{"plain", 300, 0, 0, 0, 0, -1000, -1000, 300},
                      SteerCase{"fast", 300, 0, 0, 1, 0, -1000, -1000, 450},
                      SteerCase{"water", 300, 0, 0, 0, 0, 10, -1000, 300 * 0.33f},
                      SteerCase{"sand", 300, 0, 0, 0, 0, -1000, 10, 150},
                      SteerCase{"no steering", 300, 0, 0, 0, 1, -1000, -1000, 0},
                      SteerCase{"on a wall", 300, 0, 7, 0, 0, -1000, -1000, 1},
                      SteerCase{"sliding down a wall", -300, 0, 9, 0, 0, -1000, -1000, -1},
                      SteerCase{"on a wall without input", 0, 0, 7, 0, 0, -1000, -1000, 0},
                      SteerCase{"kick along the input is dropped", 300, 500, 0, 0, 0, -1000, -1000, 300},
                      SteerCase{"kick against the input decays", 300, -500, 0, 0, 0, -1000, -1000, 300 - 485},
                      SteerCase{"a small kick ends", 0, -103, 0, 0, 0, -1000, -1000, 0}));

TEST_F(FrameUpdateTest, AConveyorTouchedWithinTenUpdatesPushesTheHeroItsWay) {
  gameRect& h = HeroOnFloor();
  h.steerable = 0;
  h.dirX = -1;
  float x0 = h.x;
  h.conveyorCounter = 0; // the belt's own behaviour sets it on every touch
  HeroUpdates(20);
  // Nine more updates at the least push of 150 px/s, at 0.8 of it.
  EXPECT_NEAR(h.x - x0, -9 * 150 * kSub * 0.8f, 5e-3);
}

class PathTest : public Scenario {};

gameRect& Mover(gameRect& o, float time, float speed, int orientation, int respawn = 0) {
  o.move.moveXTime = time;
  o.move.moveXSpeed = speed;
  o.move.moveXOrientation = orientation;
  o.move.moveXRespawn = respawn;
  return o;
}

TEST_F(PathTest, ALegOfOneHundredthOfASecondIsOff) {
  gameRect& o = Mover(Block(5000, 5000, 40, 40), 0.01f, 100, 1);
  Frames(30);
  EXPECT_FLOAT_EQ(o.x, 5000);
}

TEST_F(PathTest, LegsGoBackAndForth) {
  gameRect& o = Mover(Block(5000, 5000, 40, 40), 0.5f, 100, 1);
  // The first update finds the empty leg over and turns: the first leg runs against the
  // orientation.
  Frames(1);
  EXPECT_FLOAT_EQ(o.x, 5000);
  EXPECT_EQ(o.moveState.moveXOrientation, -1);
  Frames(31);
  EXPECT_NEAR(o.x, 5000 - 31 * 1.6f, 1e-2);
  EXPECT_NEAR(o.pathX, o.x, 1e-3);
  Frames(1 + 31);
  EXPECT_NEAR(o.x, 5000, 1e-2) << "back where it started";
}

TEST_F(PathTest, ALegWithRespawnJumpsBackToTheStart) {
  gameRect& o = Mover(Block(5000, 5000, 40, 40), 0.5f, 100, 1, 1);
  Frames(1 + 31);
  EXPECT_NEAR(o.x, 5000 + 31 * 1.6f, 1e-2) << "no turn: it keeps its orientation";
  Frames(1);
  EXPECT_FLOAT_EQ(o.x, 5000);
  Frames(10);
  EXPECT_NEAR(o.x, 5016, 1e-2) << "and sets off the same way";
}

TEST_F(PathTest, APauseHoldsTheObjectBetweenLegs) {
  gameRect& o = Mover(Block(5000, 5000, 40, 40), 0.5f, 100, 1);
  o.move.moveXPause = 0.1f;
  Frames(32);
  float end = o.x;
  Frames(7);
  EXPECT_FLOAT_EQ(o.x, end);
  EXPECT_EQ(o.vx, 0);
  Frames(3);
  EXPECT_GT(o.x, end);
}

TEST_F(PathTest, AVerticalLegCarriesTheHeroItTouched) {
  gameRect& lift = Block(4990, 5023, 60, 20);
  lift.move.moveYTime = 1;
  lift.move.moveYSpeed = 50;
  lift.move.moveYOrientation = -1; // the first leg runs down
  gameRect& h = Hero(5000, 5000);
  Frames(1);
  float gap = lift.y - h.y;
  Frames(30);
  EXPECT_GT(lift.y, 5023 + 20);
  EXPECT_NEAR(lift.y - h.y, gap, 0.5) << "the hero rides on it";
  EXPECT_GT(h.contactFloor, -7);
}

struct CarryCase {
  int alsoMovePlayer;
  bool carried;
};

class CarryTest : public Scenario, public ::testing::WithParamInterface<CarryCase> {};

TEST_P(CarryTest, AHorizontalLegCarriesTheHeroUnlessTold) {
  gameRect& platform = Mover(Block(4900, 5023, 300, 20), 2, 100, 1);
  platform.alsoMovePlayer = GetParam().alsoMovePlayer;
  gameRect& h = Hero(5000, 5000);
  Frames(5);
  float x0 = h.x, p0 = platform.x;
  Frames(20);
  ASSERT_NEAR(platform.x - p0, -20 * 1.6f, 1e-2);
  EXPECT_NEAR(h.x - x0, GetParam().carried ? -20 * 1.6f : 0, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Flag, CarryTest, ::testing::Values(CarryCase{1, true}, CarryCase{0, false}));

TEST_F(PathTest, CirclingAndPendulumFollowTheirAngle) {
  gameRect& c = Block(5000, 5000, 40, 40);
  c.move.circlingSpeed = 20;
  c.move.circlingRadius = 50;
  c.move.circlingPhase = 0.3f;
  gameRect& p = Block(6000, 5000, 40, 40);
  p.move.circlingSpeed = 20;
  p.move.circlingRadius = 80;
  p.move.pendulum = 1;
  p.move.pendulumAmplitude = 0.5f;
  Frames(50);
  float age = c.age;
  float a = age * 0.05f * 20 + 0.3f;
  EXPECT_NEAR(c.x, 5000 + 50 * std::sin(a), 1e-2);
  EXPECT_NEAR(c.y, 5000 + 50 * std::cos(a), 1e-2);
  float b = std::sin(age * 20 * 0.1f) * 0.5f;
  EXPECT_NEAR(p.x, 6000 + 80 * std::sin(b), 1e-2);
  EXPECT_NEAR(p.y, 5000 + 80 * std::cos(b), 1e-2);
}

TEST_F(PathTest, ACirclingPlatformCarriesTheHeroByItsOwnStep) {
  gameRect& c = Block(4950, 5000, 120, 20);
  c.move.circlingSpeed = 10;
  c.move.circlingRadius = 30;
  c.age = 1.0f;
  c.touchCounter = 0; // the hero stood on it in the last update
  gameRect& h = Hero(5000, 4900);
  float x0 = h.x, y0 = h.y;
  c.Process(kFrame);
  float before = 1.0f * 0.05f * 10, after = (1.0f + kFrame) * 0.05f * 10;
  EXPECT_NEAR(c.x, 4950 + 30 * std::sin(after), 1e-3);
  EXPECT_NEAR(h.x - x0, 30 * (std::sin(after) - std::sin(before)), 1e-3);
  EXPECT_NEAR(h.y - y0, 30 * (std::cos(after) - std::cos(before)), 1e-3);
}

TEST_F(PathTest, ABoundObjectFollowsItsTargetWhateverItsOwnPath) {
  gameRect& target = Mover(Block(5000, 5000, 40, 40), 0.5f, 100, 1);
  gameRect& bound = Mover(Block(5010, 4995, 10, 10), 0.3f, 300, -1);
  bound.move.circlingSpeed = 5;
  bound.move.circlingRadius = 100;
  bound.bindSlot = target.slot;
  bound.bindOffsetX = 10;
  bound.bindOffsetY = -5;
  for (int i = 0; i < 40; ++i) {
    Frames(1);
    ASSERT_FLOAT_EQ(bound.x, target.x + 10);
    ASSERT_FLOAT_EQ(bound.y, target.y - 5);
  }
  // A slot beyond the table is kept inside it.
  bound.bindSlot = 5000;
  Frames(1);
  EXPECT_EQ(bound.bindSlot, GAME_RECTS - 1);
}

TEST_F(PathTest, ATriggeredPathWaitsForTheHero) {
  gameRect& o = Mover(Block(5000, 5000, 40, 40), 0.5f, 100, 1);
  o.move.trigger = 1;
  o.move.triggerDistanceX = 100;
  o.move.triggerDistanceY = 100;
  gameRect& h = Hero(5300, 5000);
  h.frozen = 1;
  Frames(10);
  EXPECT_FLOAT_EQ(o.x, 5000);
  EXPECT_EQ(o.move.triggered, 0);
  h.x = 5100; // centres 86.5 px apart
  h.UpdateCoordinates();
  Frames(5);
  EXPECT_EQ(o.move.triggered, 1);
  EXPECT_LT(o.x, 5000);
  h.x = 7000; // once triggered it keeps going
  h.UpdateCoordinates();
  float x = o.x;
  Frames(5);
  EXPECT_LT(o.x, x);
}

class AnimationEndTest : public Scenario {};

struct EndCase {
  int row;
  int next;
};

class RowEndTest : public Scenario, public ::testing::WithParamInterface<EndCase> {};

TEST_P(RowEndTest, EachRowEndsIntoItsSuccessor) {
  gameRect& h = Hero(5000, 5000);
  h.animation = GetParam().row;
  h.OnEndAnimation();
  EXPECT_EQ(h.animation, GetParam().next);
  EXPECT_EQ(h.active, 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, RowEndTest,
                         ::testing::Values(EndCase{28, 27}, EndCase{17, 0}, EndCase{5, 0}, EndCase{6, 0},
                                           EndCase{8, 7}, EndCase{10, 0}, EndCase{11, 0}, EndCase{12, 0},
                                           EndCase{2, 2}, EndCase{27, 27}));

TEST_F(AnimationEndTest, TheDoorRowAndTheDeathRowsTakeTheHeroOut) {
  gameRect& h = Hero(5000, 5000);
  for (int row : {20, 14, 15, 16}) {
    h.active = 1;
    h.animation = row;
    h.OnEndAnimation();
    EXPECT_EQ(h.active, 0) << row;
  }
}

TEST_F(AnimationEndTest, SomeRowsCannotBeLeftAndLeavingTheAirPicksAPose) {
  gameRect& h = Hero(5000, 5000);
  for (int row : {20, 17}) {
    h.animation = row;
    h.SwitchAnimation(5);
    EXPECT_EQ(h.animation, row);
  }
  h.animation = 0;
  h.inBubble = 1;
  h.SwitchAnimation(5);
  EXPECT_EQ(h.animation, 0) << "held in a bubble";
  h.inBubble = 0;
  for (int i = 0; i < 20; ++i) {
    h.animation = 27;
    h.SwitchAnimation(5);
    EXPECT_EQ(h.animation, 5);
    EXPECT_GE(h.pose, 3);
    EXPECT_LE(h.pose, 5);
  }
  g_characterID = 3; // no air poses
  gameRect& other = Hero(5000, 5000);
  other.animation = 27;
  other.pose = 3;
  other.SwitchAnimation(0);
  EXPECT_EQ(other.pose, 0);
}

TEST_F(AnimationEndTest, TheExitDoorFinishesTheLevelOnce) {
  gameRect& h = Hero(5000, 5000);
  h.frozen = 1;
  gameRect& door = GameRects[AddGameRect(5100, 5000, 58, true)];
  ASSERT_EQ(door.door, 1);
  ASSERT_EQ(door.oneShotAnimation, 1);
  // Without its entry animation (fewer than two frames) the door loops on its own.
  Frames(30);
  EXPECT_EQ(h.levelFinished, 0);
  door.frameCount = 28; // the hero has entered
  door.frame = 0;
  // The door's behaviour paces the entry (with its pauses at frames 5 and 10); the level finishes
  // once the frame passes 28.99, not before.
  float lastFrame = 0;
  int frames = 0;
  while (!h.levelFinished && frames < 600) {
    lastFrame = door.frame;
    Frames(1);
    ++frames;
  }
  EXPECT_EQ(h.levelFinished, 1);
  EXPECT_GT(lastFrame, 27.0f);
  EXPECT_EQ(h.levelEndStarted, 1);
  EXPECT_FLOAT_EQ(door.frame, 27);
  EXPECT_EQ(door.fps, 0);
  // Reached again: the level is not finished a second time.
  h.levelFinished = 0;
  door.BlockEndAnimation();
  EXPECT_EQ(h.levelFinished, 0);
  EXPECT_FLOAT_EQ(door.frame, 27);
}

TEST_F(AnimationEndTest, AFinishedLevelStopsPathsButNotOneShotAnimations) {
  gameRect& h = Hero(5000, 5000);
  h.levelFinished = 1;
  gameRect& o = Mover(Block(5000, 5000, 40, 40), 0.5f, 100, 1);
  gameRect& anim = GameRects[AddGameRect(6000, 5000, 177, true)];
  Frames(10);
  EXPECT_FLOAT_EQ(o.x, 5000);
  EXPECT_NEAR(anim.frame, 10 * kFrame * 7, 1e-3);
}

} // namespace
