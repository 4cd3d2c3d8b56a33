// The life-curve particle pool (curve ends, delay, sheet cells, a full pool, pass order) and the
// weather puffs (the amount's clamp and spawn chance, kinds, drift, pause).
#include <gtest/gtest.h>

#include <cstdlib>

#include "display.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "geometry.h"
#include "level_data.h"
#include "level_header.h"
#include "life_particles.h"
#include "quest_state.h"
#include "smoke.h"
#include "sprite_tables.h"
#include "surface.h"
#include "weather.h"

namespace {

const float kFlat[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

class LifeParticlesTest : public ::testing::Test {
protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    for (newParticle& p : NewParticles)
      p.active = 0;
  }
  static void Add(int frame, float delay, const float* curve, float lifeSpeed, int additive = 0) {
    AddParticlesNew(100, 100, 50, 0, frame, 1.0f, 0, delay, additive, 0, curve, lifeSpeed,
                    ColorRGB(255, 255, 255), ColorRGB(255, 255, 255));
  }
};

TEST_F(LifeParticlesTest, ANegativeKeyEndsTheLifeOnceTheKeyBeforeItIsReached) {
  float curve[10] = {0.5f, 0.7f, 0.9f, -1, 1, 1, 1, 1, 1, 1};
  Add(0, 0, curve, 10); // one key per 0.1 s
  newParticle& p = NewParticles[0];
  p.Process(0.15f); // lifeTime 1.5: key 1 in use, key 2 still positive
  ASSERT_EQ(p.active, 1);
  EXPECT_FLOAT_EQ(p.currentScale, 0.7f);
  p.Process(0.06f); // lifeTime 2.1: key 3 is the end mark
  EXPECT_EQ(p.active, 0);
}

TEST_F(LifeParticlesTest, AFullCurveStepsKeyByKeyAndEndsPastTen) {
  float curve[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  Add(0, 0, curve, 1);
  newParticle& p = NewParticles[0];
  for (int key = 0; key < 10; ++key) {
    p.Process(key == 0 ? 0.5f : 1.0f);
    ASSERT_EQ(p.active, 1) << key;
    EXPECT_FLOAT_EQ(p.currentScale, key) << "no interpolation between keys";
  }
  p.Process(0.5f); // lifeTime exactly 10 keeps the last key
  ASSERT_EQ(p.active, 1);
  EXPECT_FLOAT_EQ(p.currentScale, 9);
  p.Process(0.01f);
  EXPECT_EQ(p.active, 0);
}

TEST_F(LifeParticlesTest, TheDelayHoldsMovementAndDrawingBack) {
  ResetDrawingState();
  PackGame game;
  Display d;
  display = &d;
  Surface* sheet = FakeSurface(256, 256);
  g_ParticlesSet = sheet;
  Add(5, 0.5f, kFlat, 1);
  newParticle& p = NewParticles[0];
  {
    TriangleCapture capture;
    for (int i = 0; i < 4; ++i) {
      p.Process(0.1f);
      DrawNewParticles();
    }
    EXPECT_FLOAT_EQ(p.x, 100) << "no movement during the delay";
    EXPECT_FLOAT_EQ(p.lifeTime, 0);
    EXPECT_TRUE(capture.Blits().empty());
    p.Process(0.2f); // the delay is over: this step moves it
    EXPECT_GT(p.x, 100);
    DrawNewParticles();
    ASSERT_EQ(capture.Blits().size(), 1u);
    // Frame 5 of the four-column pool is the cell (64, 64)-(128, 128).
    EXPECT_FLOAT_EQ(p.source.left, 64);
    EXPECT_FLOAT_EQ(p.source.top, 64);
    EXPECT_FLOAT_EQ(p.source.right, 128);
    EXPECT_FLOAT_EQ(p.source.bottom, 128);
    capture.Clear();
    // The single draw uses an eight-column layout: frame 5 is (320, 0)-(384, 64).
    DrawSingleParticle(200, 200, 5, 1.0f, 255, ColorRGB(255, 0, 0), true);
    ASSERT_EQ(capture.Blits().size(), 1u);
    EXPECT_FLOAT_EQ(rSingle.left, 320);
    EXPECT_FLOAT_EQ(rSingle.top, 0);
    EXPECT_FLOAT_EQ(rSingle.right, 384);
    EXPECT_FLOAT_EQ(rSingle.bottom, 64);
    EXPECT_NEAR(capture.Blits()[0].MinX(), 168, 0.5);
    EXPECT_NEAR(capture.Blits()[0].MaxX(), 232, 0.5);
    EXPECT_EQ(lastBlendG, 255) << "the tint is reset to white";
  }
  g_ParticlesSet = nullptr;
  {
    TriangleCapture capture;
    DrawNewParticles();
    DrawSingleParticle(200, 200, 5, 1.0f, 255, ColorRGB(255, 0, 0), true);
    EXPECT_TRUE(capture.Blits().empty()) << "no sheet, nothing drawn";
  }
  display = nullptr;
  delete sheet;
}

TEST_F(LifeParticlesTest, APlainPassDrawsBeforeTheAdditivePassAndAFullPoolDrops) {
  ResetDrawingState();
  PackGame game;
  Display d;
  display = &d;
  Surface* sheet = FakeSurface(256, 256);
  g_ParticlesSet = sheet;
  Add(0, 0, kFlat, 1, 1); // slot 0 additive
  AddParticlesNew(300, 100, 0, 0, 0, 1.0f, 0, 0, 0, 0, kFlat, 1, ColorRGB(255, 255, 255), ColorRGB(0, 0, 0));
  for (int i = 2; i < NEW_PARTICLES; ++i)
    Add(0, 0, kFlat, 1);
  AddParticlesNew(900, 900, 0, 0, 0, 1.0f, 0, 0, 0, 0, kFlat, 1, ColorRGB(), ColorRGB());
  for (const newParticle& p : NewParticles)
    EXPECT_NE(p.x, 900) << "the 257th is dropped";
  {
    TriangleCapture capture;
    DrawNewParticles();
    ASSERT_EQ(capture.Blits().size(), (size_t)NEW_PARTICLES);
    EXPECT_NEAR(capture.Blits()[0].MinX(), 268, 0.5) << "slot 1 (plain) first";
    EXPECT_NEAR(capture.Blits().back().MinX(), 68, 0.5) << "slot 0 (additive) last";
  }
  g_ParticlesSet = nullptr;
  display = nullptr;
  delete sheet;
}

TEST_F(LifeParticlesTest, TheColourMovesTowardTheEndAndNeverBelowZero) {
  AddParticlesNew(0, 0, 0, 0, 0, 1.0f, 0.5f, 0, 0, 0, kFlat, 0, ColorRGB(100, 0, 0), ColorRGB(200, 0, 0));
  newParticle& p = NewParticles[0];
  p.Process(1.0f);
  EXPECT_FLOAT_EQ(p.colour[0], 150);
  EXPECT_FLOAT_EQ(p.alpha, 1.5f) << "alpha steps once per call";
  p.colourDelta[1] = -1000;
  p.Process(1.0f);
  EXPECT_FLOAT_EQ(p.colour[1], 0);
}

class WeatherTest : public ::testing::Test {
protected:
  void SetUp() override {
    ClearSmoke();
    saved = g_levelCur;
    MAXX = 480;
    MAXY = 320;
    g_paused = false;
    g_drawShiftX = g_drawShiftY = 0;
    for (int i = 0; i < 30; ++i)
      g_smoke[i] = reinterpret_cast<Surface*>(0x1000 + 16 * i);
    g_levelCur.weatherKind = 1;
    g_levelCur.weatherVelX = g_levelCur.weatherVelY = 0;
  }
  void TearDown() override {
    ClearSmoke();
    for (int i = 0; i < 30; ++i)
      g_smoke[i] = nullptr;
    g_levelCur = saved;
    g_paused = false;
  }
  static int Live() {
    int n = 0;
    for (const smoke& s : Smokes)
      n += s.active;
    return n;
  }
  // Puffs started over a number of frames (the pool is cleared between frames).
  static int Started(int frames) {
    int n = 0;
    for (int i = 0; i < frames; ++i) {
      AddWeatherFX(0.016f);
      n += Live();
      ClearSmoke();
    }
    return n;
  }
  levelHeader saved;
};

struct AmountCase {
  int amount;
  int clamped;
};
class WeatherAmountTest : public WeatherTest, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(WeatherAmountTest, TheAmountIsClampedAndSetsTheChance) {
  const AmountCase c = GetParam();
  EXPECT_EQ(WeatherAmount(c.amount), c.clamped);
  g_levelCur.weatherAmount = c.amount;
  srand(7);
  const int frames = 4000;
  const int n = Started(frames);
  if (c.clamped == 0) {
    EXPECT_EQ(n, 0);
  } else if (c.clamped == 20) {
    EXPECT_EQ(n, frames) << "one puff every frame";
  } else {
    const double expected = frames / double(21 - c.clamped);
    EXPECT_NEAR(n, expected, expected * 0.2);
  }
}

INSTANTIATE_TEST_SUITE_P(Amounts, WeatherAmountTest,
                         ::testing::Values(AmountCase{-3, 0}, AmountCase{0, 0}, AmountCase{1, 1},
                                           AmountCase{11, 11}, AmountCase{20, 20}, AmountCase{21, 20},
                                           AmountCase{1000, 20}));

TEST_F(WeatherTest, KindsPickTheirSpritesAndOtherKindsStartNothing) {
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(WeatherSprite(0, r), g_smoke[r % 4]);
    EXPECT_EQ(WeatherSprite(1, r), g_smoke[4 + r % 5]);
    EXPECT_EQ(WeatherSprite(4, r), g_smoke[17 + r % 5]);
    EXPECT_EQ(WeatherSprite(9, r), g_smoke[27 + r % 3]);
  }
  EXPECT_EQ(WeatherSprite(5, 3), g_smoke[23]);
  EXPECT_EQ(WeatherSprite(8, 3), g_smoke[26]);
  EXPECT_EQ(WeatherSprite(10, 3), nullptr);
  EXPECT_EQ(WeatherSprite(-1, 3), nullptr);
  g_levelCur.weatherAmount = 20;
  g_levelCur.weatherKind = 10;
  EXPECT_EQ(Started(50), 0);
}

TEST_F(WeatherTest, PuffsDriftLeftAndFallFromAboveTheViewAndStopWhilePaused) {
  g_levelCur.weatherAmount = 20;
  g_drawShiftX = -1000;
  g_drawShiftY = -2000;
  srand(3);
  for (int i = 0; i < 200; ++i)
    AddWeatherFX(0.016f);
  ASSERT_EQ(Live(), 200);
  for (int i = 0; i < 200; ++i) {
    const smoke& s = Smokes[i];
    EXPECT_GE(s.vx, -70);
    EXPECT_LE(s.vx, -20);
    EXPECT_GE(s.vy, 90);
    EXPECT_LE(s.vy, 200);
    EXPECT_GE(s.x, 1000 - 240);
    EXPECT_LT(s.x, 1000 + 480 + 410);
    EXPECT_EQ(s.y, 2000 - 50);
    EXPECT_EQ(s.layer, 0);
    EXPECT_GE(s.scale, 0.1f);
    EXPECT_LE(s.scale, 0.4f);
  }
  ClearSmoke();
  g_levelCur.weatherKind = 3; // falls upside down without spinning
  AddWeatherFX(0.016f);
  EXPECT_FLOAT_EQ(Smokes[0].rotation, 3.1415927f);
  EXPECT_EQ(Smokes[0].spin, 0);
  ClearSmoke();
  g_paused = true;
  EXPECT_EQ(Started(100), 0);
}

} // namespace
