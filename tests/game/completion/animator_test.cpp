// The effect animator: windows, ramps, callbacks, fast-forward, freeing and the clears.
#include "completion_fixture.h"

namespace {

int finishes = 0;
int draws = 0;
void CountFinish() { ++finishes; }
void CountDraw(float, float) { ++draws; }
void StopPass() { g_effectProcessStopHack = 1; }

class AnimatorTest : public CompletionTest {
protected:
  void SetUp() override {
    CompletionTest::SetUp();
    finishes = draws = 0;
  }
  // Frames of 0.016 s until slot 0 finishes.
  static int FramesToFinish() {
    int n = 0;
    while (!EffectAnimators[0].finished && n < 1000) {
      ProcessEffectAnimators(0.016f);
      ++n;
    }
    return n;
  }
};

TEST_F(AnimatorTest, AnEmptyWindowJumpsToItsEndAndFinishesOnceOnTheFirstStep) {
  effect_animator& a = EffectAnimators[0];
  a.Init(nullptr, 10, 20, 110, 70, 0, 0, 1.0f, 2.0f, 0, 255, 0, 90, 0, 0);
  a.onFinish = CountFinish;
  ProcessEffectAnimators(0.016f);
  EXPECT_EQ(a.finished, 1);
  EXPECT_EQ(finishes, 1);
  EXPECT_FLOAT_EQ(a.x, 110);
  EXPECT_FLOAT_EQ(a.y, 70);
  EXPECT_FLOAT_EQ(a.scaleX, 2.0f);
  EXPECT_FLOAT_EQ(a.scaleY, 1.0f); // the vertical scale keeps its value at the jump
  EXPECT_FLOAT_EQ(a.alpha, 255);
  EXPECT_FLOAT_EQ(a.angle, 90);
  ProcessEffectAnimators(0.016f);
  EXPECT_EQ(finishes, 1);
  EXPECT_EQ(a.active, 1); // the default lifetime holds a finished slot
}

TEST_F(AnimatorTest, RampsAddTheirShareEachStepAndAWindowShorterThanAStepDoesNotRamp) {
  effect_animator& a = EffectAnimators[0];
  // At one and a half times the clock, each step of 1/15 s is a tenth of a one-second window.
  a.Init(nullptr, 0, 0, 100, -50, 0, 1.0f, 0, 1.0f, 255, 0, 0, 0, 0, 0);
  for (int i = 0; i < 5; ++i)
    ProcessEffectAnimators(1.0f / 15);
  EXPECT_NEAR(a.x, 50, 1e-3);
  EXPECT_NEAR(a.y, -25, 1e-3);
  EXPECT_NEAR(a.scaleX, 0.5f, 1e-5);
  EXPECT_NEAR(a.alpha, 127.5f, 1e-3);
  EXPECT_EQ(a.finished, 0);

  effect_animator& b = EffectAnimators[1];
  b.Init(nullptr, 0, 0, 100, 0, 0.01f, 0.02f, 1.0f, 3.0f, 0, 255, 0, 0, 0, 0);
  ProcessEffectAnimators(0.01f); // time 0.015: inside the window, but the step is longer than it
  EXPECT_FLOAT_EQ(b.x, 0);
  EXPECT_FLOAT_EQ(b.scaleX, 1.0f);
  ProcessEffectAnimators(0.01f);
  EXPECT_FLOAT_EQ(b.x, 100);
  EXPECT_FLOAT_EQ(b.scaleX, 3.0f);
}

TEST_F(AnimatorTest, FastForwardEndsAOneSecondWindowInAThirdOfASecond) {
  EffectAnimators[0].Init(nullptr, 0, 0, 0, 0, 0, 1.0f, 1, 1, 255, 255, 0, 0, 0, 0);
  int normal = FramesToFinish();
  EXPECT_NEAR(normal * 0.016f, 0.67f, 0.02f);
  GameRects[0].fastForward = 1;
  EffectAnimators[0].Init(nullptr, 0, 0, 0, 0, 0, 1.0f, 1, 1, 255, 255, 0, 0, 0, 0);
  int fast = FramesToFinish();
  EXPECT_NEAR(fast * 0.016f, 0.33f, 0.02f);
}

TEST_F(AnimatorTest, AScaleRampBelowZeroFreesTheSlotBeforeItsWindowEnds) {
  effect_animator& a = EffectAnimators[5];
  a.Init(nullptr, 0, 0, 0, 0, 0, 1.0f, 1.0f, -1.0f, 255, 255, 0, 0, 0, 0);
  a.onFinish = CountFinish;
  while (a.active && a.time < 2)
    ProcessEffectAnimators(0.016f);
  EXPECT_EQ(a.active, 0);
  EXPECT_GT(a.time, 0.5f);
  EXPECT_LT(a.time, 0.55f);
  EXPECT_EQ(finishes, 0);
}

TEST_F(AnimatorTest, TheClearsTheStopFlagAndTheDrawWindow) {
  for (int i = 0; i < EFFECT_ANIMATORS; ++i) {
    EffectAnimators[i].Init(nullptr, 0, 0, 0, 0, 0.1f, 1.0f, 1, 1, 255, 255, 0, 0, 0, 0);
    EffectAnimators[i].onFinish = CountFinish;
  }
  ClearAnimators0_to_29();
  EXPECT_EQ(EffectAnimators[28].active, 0);
  EXPECT_EQ(EffectAnimators[29].active, 1);
  EXPECT_NE(EffectAnimators[0].onFinish, nullptr);
  ClearEffectAnimators();
  for (const effect_animator& a : EffectAnimators) {
    EXPECT_EQ(a.active, 0);
    EXPECT_EQ(a.onFinish, nullptr);
  }

  // A callback that stops the pass keeps the later slots where they were, for this frame only.
  EffectAnimators[3].Init(nullptr, 0, 0, 0, 0, 0, 0, 1, 1, 255, 255, 0, 0, 0, 0);
  EffectAnimators[3].onFinish = StopPass;
  EffectAnimators[7].Init(nullptr, 0, 0, 0, 0, 0, 1, 1, 1, 255, 255, 0, 0, 0, 0);
  ProcessEffectAnimators(0.1f);
  EXPECT_FLOAT_EQ(EffectAnimators[7].time, 0);
  EXPECT_EQ(g_effectProcessStopHack, 0);
  ProcessEffectAnimators(0.1f);
  EXPECT_NEAR(EffectAnimators[7].time, 0.15f, 1e-6);

  // Drawn only after its start, and not after its end with hideAfterEnd.
  effect_animator& a = EffectAnimators[9];
  a.Init(nullptr, 0, 0, 0, 0, 0.25f, 0.55f, 1, 1, 255, 255, 0, 0, 0, 0);
  a.alsoDraw = CountDraw;
  a.hideAfterEnd = 1;
  int drawnAt[8] = {};
  for (int i = 0; i < 8; ++i) {
    int before = draws;
    DrawEffectAnimators();
    drawnAt[i] = draws - before;
    for (int j = 0; j < EFFECT_ANIMATORS; ++j)
      if (j != 9) EffectAnimators[j].active = 0;
    ProcessEffectAnimators(0.1f); // 0.15 s each
  }
  // Times 0, 0.15, 0.3, 0.45, 0.6, 0.75...: drawn while 0.25 < time <= 0.55.
  const int expected[8] = {0, 0, 1, 1, 0, 0, 0, 0};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(drawnAt[i], expected[i]) << i;
}

TEST_F(AnimatorTest, BoundValuesFollowTheSlotWithTheirOffsets) {
  float bx = 0, by = 0;
  effect_animator& a = EffectAnimators[0];
  a.Init(nullptr, 0, 0, 30, 60, 0, 0.3f, 1, 1, 255, 255, 0, 0, 0, 0);
  a.BindToUs(&bx, &by, 5, -5);
  ProcessEffectAnimators(0.1f); // half the window
  EXPECT_NEAR(bx, 20, 1e-3);
  EXPECT_NEAR(by, 25, 1e-3);
}

} // namespace
