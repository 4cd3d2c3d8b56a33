// The smoke pool (growth and fading, leaving the view, screen-space puffs, a full pool) and the
// animated particle pool (frame lists, frame timing, the signal frame, a full pool, missing frames).
#include <gtest/gtest.h>

#include "display.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "particles.h"
#include "quest_state.h"
#include "smoke.h"
#include "sprite_tables.h"
#include "surface.h"

namespace {

class SmokeTest : public ::testing::Test {
protected:
  void SetUp() override {
    ClearSmoke();
    MAXX = 480;
    MAXY = 320;
    g_gameScreenScale = 1;
    g_drawShiftX = g_drawShiftY = 0;
  }
  void TearDown() override {
    ClearSmoke();
    g_drawShiftX = g_drawShiftY = 0;
  }
  // Frames of the layer-0 pass (which advances every puff) until it dies, at most max.
  static int FramesToLive(smoke& s, int max) {
    for (int i = 0; i < max; ++i) {
      ProcessAndDrawSmoke(0.016f, 0);
      if (!s.active) return i + 1;
    }
    return -1;
  }
};

TEST_F(SmokeTest, APuffWithoutAFadeGrowsToFullSizeThenShrinksAway) {
  AddSmoke2(nullptr, 100, 100, 0, 0, 0, 0, 0, 0.5f, 2, 255, 0, 0, 1);
  smoke& s = Smokes[0];
  float peak = 0;
  int frames = 0;
  while (s.active && frames < 1000) {
    ProcessAndDrawSmoke(0.016f, 0);
    peak = std::max(peak, s.scale);
    ++frames;
  }
  EXPECT_EQ(s.active, 0);
  EXPECT_GT(peak, 1.0f);
  EXPECT_LT(peak, 1.04f);
  EXPECT_NEAR(frames, (0.5 + 1.0) / (2 * 0.016), 2) << "up by 0.5 to 1, then down to 0";
}

TEST_F(SmokeTest, APuffWithNeitherRateLivesUntilItLeavesTheView) {
  AddSmoke2(nullptr, 100, 100, 0, 0, 0, 0, -100, 1, 0, 255, 0, 0, 1);
  // It must go 150 px to be 50 px out of view: about 94 frames.
  EXPECT_NEAR(FramesToLive(Smokes[0], 1000), 150 / (100 * 0.016), 1);
}

struct LeaveCase {
  int layer;
  float shiftX;
  int x, vx;
  bool lives;
};

class LeaveViewTest : public SmokeTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveViewTest, APuffOutOfViewDiesOnlyWhenMovingAway) {
  g_drawShiftX = GetParam().shiftX;
  AddSmoke2(nullptr, GetParam().x, 100, 0, 0, 0, GetParam().vx, 0, 1, 0, 255, 0, 0, GetParam().layer);
  ProcessAndDrawSmoke(0.016f, 0);
  EXPECT_EQ(Smokes[0].active, GetParam().lives ? 1 : 0);
}

// The view starts at -shift; 60 px to the left of it is past the 50 px margin.
INSTANTIATE_TEST_SUITE_P(Cases, LeaveViewTest,
                         ::testing::Values(LeaveCase{1, 0, -60, 10, true}, LeaveCase{1, 0, -60, -10, false},
                                           LeaveCase{1, -1000, 940, -10, false},
                                           LeaveCase{1, -1000, 1100, -10, true},
                                           LeaveCase{100, -1000, 100, -10, true},
                                           LeaveCase{100, -1000, -60, -10, false}));

TEST_F(SmokeTest, AFadingPuffDiesAtZeroAlpha) {
  AddSmoke2(nullptr, 100, 100, 0, 0, 0, 0, 0, 0.5f, 0, 100, -1000, 0, 1);
  EXPECT_EQ(FramesToLive(Smokes[0], 100), 7);
  EXPECT_EQ(Smokes[0].alpha, 0);
}

TEST_F(SmokeTest, AFullPoolDropsTheNewPuff) {
  for (int i = 0; i < SMOKES; ++i)
    AddSmoke2(nullptr, i, 0, 0, 0, 0, 0, 0, 1, 0, 255, 0, 0, 1);
  AddSmoke2(nullptr, 9999, 0, 0, 0, 0, 0, 0, 1, 0, 255, 0, 0, 1);
  for (const smoke& s : Smokes)
    EXPECT_NE(s.x, 9999);
  ClearSmoke();
  for (const smoke& s : Smokes)
    EXPECT_EQ(s.active, 0);
}

TEST_F(SmokeTest, OnlyTheLayerZeroAndScreenPassesAdvanceThePuffs) {
  AddSmoke2(nullptr, 100, 100, 0, 0, 0, 10, 0, 1, 0, 255, 0, 0, 4);
  ProcessAndDrawSmoke(0.5f, 4);
  ProcessAndDrawSmoke(0.5f, 1);
  EXPECT_EQ(Smokes[0].x, 100);
  ProcessAndDrawSmoke(0.5f, 100);
  EXPECT_EQ(Smokes[0].x, 105);
}

TEST_F(SmokeTest, PuffsDrawOnTheirLayerShiftedByTheCameraExceptOnScreenLayer) {
  ResetDrawingState();
  PackGame game;
  Display d;
  display = &d;
  Surface* s = FakeSurface(20, 20);
  g_drawShiftX = 30;
  g_drawShiftY = -10;
  AddSmoke2(s, 100, 100, 0, 0, 0, 0, 0, 1, 0, 255, 0, 0, 1);
  AddSmoke2(s, 200, 100, 0, 0, 0, 0, 0, 1, 0, 255, 0, 0, 100);
  {
    TriangleCapture capture;
    ProcessAndDrawSmoke(0, 4);
    EXPECT_TRUE(capture.Blits().empty());
    ProcessAndDrawSmoke(0, 1);
    ASSERT_EQ(capture.Blits().size(), 1u);
    EXPECT_NEAR((capture.Blits()[0].MinX() + capture.Blits()[0].MaxX()) / 2, 130, 1);
    capture.Clear();
    ProcessAndDrawSmoke(0, 100);
    ASSERT_EQ(capture.Blits().size(), 1u);
    EXPECT_NEAR((capture.Blits()[0].MinX() + capture.Blits()[0].MaxX()) / 2, 200, 1);
  }
  ClearSmoke();
  display = nullptr;
  delete s;
}

class ParticleTest : public ::testing::Test {
protected:
  void SetUp() override { ClearParticles(); }
  void TearDown() override { ClearParticles(); }
};

TEST_F(ParticleTest, AFrameListEndsAtItsFirstNegativeEntry) {
  int frames[20] = {0, 1, 2, -1};
  int slot = AddParticle(1, 1, 0, 0, 0, 0, 0, 0, frames, 0.1f, 1000);
  particle& p = Particles[slot];
  // A frame lasts half the frame time: 0.05 s.
  ParticlesProcess(0.03f);
  EXPECT_EQ(p.frameIndex, 0);
  ParticlesProcess(0.03f);
  EXPECT_EQ(p.frameIndex, 1);
  ParticlesProcess(0.06f);
  EXPECT_EQ(p.frameIndex, 2);
  EXPECT_EQ(p.active, 1);
  ParticlesProcess(0.06f);
  EXPECT_EQ(p.frameIndex, 3);
  EXPECT_EQ(p.active, 0);
}

TEST_F(ParticleTest, ParticlesMoveUnderTheirOwnGravity) {
  ParticleFrames f(1, 10);
  particle& p = Particles[AddParticle(1, 1, 10, 20, 100, -50, 0, 200, f.frames, 1, 1000)];
  ParticlesProcess(0.1f);
  EXPECT_FLOAT_EQ(p.vy, -30);
  EXPECT_FLOAT_EQ(p.y, 20 - 3);
  EXPECT_FLOAT_EQ(p.x, 20);
}

TEST_F(ParticleTest, TheSignalFrameIsMarkedWhenReached) {
  ParticleFrames f(1, 10);
  EXPECT_EQ(Particles[AddParticle(1, 1, 0, 0, 0, 0, 0, 0, f.frames, 0.1f, 0)].reached, 1);
  particle& p = Particles[AddParticle(1, 1, 0, 0, 0, 0, 0, 0, f.frames, 0.1f, 2)];
  EXPECT_EQ(p.reached, 0);
  ParticlesProcess(0.06f);
  EXPECT_EQ(p.reached, 0);
  ParticlesProcess(0.06f);
  EXPECT_EQ(p.reached, 1);
}

TEST_F(ParticleTest, WithTheFirst255SlotsBusyNothingStarts) {
  ParticleFrames f(1, 10);
  for (int i = 0; i < PARTICLES - 1; ++i)
    ASSERT_EQ(AddParticle(1, 1, i, 0, 0, 0, 0, 0, f.frames, 1, 1000), i);
  EXPECT_EQ(AddParticle(1, 1, 9999, 0, 0, 0, 0, 0, f.frames, 1, 1000), 0);
  EXPECT_EQ(Particles[PARTICLES - 1].active, 0);
  EXPECT_EQ(AddParticlePixel(1, 1, 0, 0, 0, 100, 10, 200, 1, 1), PARTICLES - 1) << "left to pixel particles";
  ParticlesProcess(0.1f);
  // Each channel drops by 20 and stops at 0 once it reads negative as a signed byte.
  EXPECT_EQ(Particles[PARTICLES - 1].r, 80);
  EXPECT_EQ(Particles[PARTICLES - 1].g, 0);
  EXPECT_EQ(Particles[PARTICLES - 1].b, 0);
}

TEST_F(ParticleTest, AMissingFrameDrawsNothingButTheParticleAnimates) {
  ResetDrawingState();
  PackGame game;
  Display d;
  Surface* s = FakeSurface(8, 8);
  g_Particles[3][2] = s;
  g_drawShiftX = 5;
  int frames[20] = {1, 2, 25, -1};
  particle& p = Particles[AddParticle(0.5f, 0.5f, 100, 100, 0, 0, 3, 0, frames, 0.1f, 1000)];
  {
    TriangleCapture capture;
    ParticlesDraw(&d, true);
    EXPECT_TRUE(capture.Blits().empty()) << "frame 1 of the row is missing";
    ParticlesProcess(0.06f);
    ParticlesDraw(&d, true);
    ASSERT_EQ(capture.Blits().size(), 1u);
    EXPECT_NEAR((capture.Blits()[0].MinX() + capture.Blits()[0].MaxX()) / 2, 105, 1);
    capture.Clear();
    ParticlesProcess(0.06f);
    EXPECT_EQ(p.frameIndex, 2);
    ParticlesDraw(&d, true);
    EXPECT_TRUE(capture.Blits().empty()) << "frame 25 lies outside the row";
  }
  g_Particles[3][2] = nullptr;
  g_drawShiftX = 0;
  delete s;
}

} // namespace
