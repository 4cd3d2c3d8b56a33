// The application object per frame: cycle timing with an injected clock, pointer transform and
// clamping, capture, keys (locks, repeats), and the animated screen rotation.
#include <gtest/gtest.h>

#include "dib_bitmap.h"
#include "test_application.h"

namespace {

int64_t g_fakeNow = 0;
int64_t FakeClock() { return g_fakeNow; }

// Counts what reaches it through the tree.
class ProbeElement : public CXElement {
public:
  explicit ProbeElement(CXElement* parent) : CXElement(parent, nullptr) { SetPosition(0, 0, 2000, 2000); }
  void RunProcess() override { steps++; }
  void Draw() override { draws++; }
  int NotifyPointerEvent(int x, int y, int type) override {
    lastX = x;
    lastY = y;
    lastType = type;
    pointerEvents++;
    return 1;
  }
  int NotifyKeyEvent(int key, int state) override {
    if (state)
      presses[key]++;
    else
      releases[key]++;
    return 1;
  }
  int steps = 0, draws = 0, pointerEvents = 0;
  int lastX = -1, lastY = -1, lastType = 0;
  int presses[32] = {}, releases[32] = {};
};

class CycleTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_fakeNow = 1000 * 256;
    app.SetClock(FakeClock);
  }
  CTestApplication app;
  ProbeElement probe{&app};
};

} // namespace

TEST_F(CycleTest, PlainModeRunsExactlyOneStepAndOneDraw) {
  app.SetFpsControl(60, true, false);
  EXPECT_EQ(app.m_nFramePeriod, 15);
  g_fakeNow += 5000 * 256; // a long stall changes nothing in plain mode
  app.RunGameCycle();
  EXPECT_EQ(probe.steps, 1);
  EXPECT_EQ(probe.draws, 1);
}

struct StallCase {
  int stallMs;
  int expectedSteps;
};

class FixedStepStallTest : public CycleTest, public ::testing::WithParamInterface<StallCase> {};

TEST_P(FixedStepStallTest, CatchUpStepsAreCappedAtSix) {
  app.SetFpsControl(60, true, true);
  ASSERT_EQ(app.m_nFramePeriod, 4266);
  int64_t start = g_fakeNow;
  g_fakeNow += (int64_t)GetParam().stallMs * 256;
  app.RunGameCycle();
  EXPECT_EQ(probe.steps, GetParam().expectedSteps);
  EXPECT_EQ(probe.draws, 1);
  // Dropped periods are skipped, not owed: the step clock never runs ahead of now.
  EXPECT_LE(app.m_nLastStepTime, g_fakeNow);
  EXPECT_GT(app.m_nLastStepTime, start);
}

INSTANTIATE_TEST_SUITE_P(Stalls, FixedStepStallTest,
                         ::testing::Values(StallCase{100, 1 + 5}, StallCase{1000, 1 + 6},
                                           StallCase{34, 1 + 1}));

TEST_F(CycleTest, SkipNextStepSkipsOnlyTheLeadingStep) {
  app.SetFpsControl(60, true, true);
  app.m_bSkipNextStep = 1;
  g_fakeNow += 100 * 256;
  app.RunGameCycle();
  EXPECT_EQ(probe.steps, 5);
  EXPECT_EQ(app.m_bSkipNextStep, 0);
}

TEST(FpsControlTest, FramePeriods) {
  CTestApplication app;
  const int cases[][3] = {{30, 0, 30}, {34, 0, 30},   {60, 0, 15},  {64, 0, 15},
                          {50, 0, 20}, {60, 1, 4266}, {30, 1, 8533}};
  for (auto& c : cases) {
    app.SetFpsControl(c[0], true, c[1] != 0);
    EXPECT_EQ(app.m_nFramePeriod, c[2]) << "fps " << c[0] << " fixed " << c[1];
  }
}

struct PointerCase {
  int orientation, screenW, screenH, x, y, expectX, expectY;
};

class PointerTransformTest : public ::testing::TestWithParam<PointerCase> {};

TEST_P(PointerTransformTest, OrientationTransform) {
  const PointerCase& c = GetParam();
  CTestApplication app;
  ProbeElement probe(&app);
  app.m_nInputOrientation = c.orientation;
  app.m_nScreenWidth = c.screenW;
  app.m_nScreenHeight = c.screenH;
  app.NotifyPointerEvent(c.x, c.y, 1);
  EXPECT_EQ(probe.lastX, c.expectX);
  EXPECT_EQ(probe.lastY, c.expectY);
  EXPECT_EQ(app.m_bPointerDown, 1);
  app.NotifyPointerEvent(c.x, c.y, 2);
  EXPECT_EQ(app.m_bPointerDown, 0);
}

INSTANTIATE_TEST_SUITE_P(Orientations, PointerTransformTest,
                         ::testing::Values(PointerCase{0, 480, 320, 10, 20, 10, 20},
                                           PointerCase{1, 320, 480, 10, 20, 459, 10},
                                           PointerCase{2, 320, 480, 10, 20, 20, 309}));

TEST(PointerInputTest, HoverDroppedUnlessEnabledAndCaptureTakesEverything) {
  CTestApplication app;
  ProbeElement probe(&app);
  ProbeElement holder(nullptr);
  EXPECT_EQ(app.NotifyPointerEvent(5, 5, 4), 1);
  EXPECT_EQ(probe.pointerEvents, 0);
  app.m_bHoverEvents = 1;
  app.NotifyPointerEvent(5, 5, 4);
  EXPECT_EQ(probe.pointerEvents, 1);

  app.XSetCapture(&holder);
  app.NotifyPointerEvent(7, 8, 3);
  EXPECT_EQ(holder.pointerEvents, 1);
  EXPECT_EQ(probe.pointerEvents, 1);
  app.XReleaseCapture();
  app.NotifyPointerEvent(7, 8, 3);
  EXPECT_EQ(probe.pointerEvents, 2);
}

TEST(KeyInputTest, RepeatedPressIsDroppedAndLockedReleaseUnlocksAll) {
  CTestApplication app;
  ProbeElement probe(&app);
  app.NotifyKeyEvent(3, 1);
  app.NotifyKeyEvent(3, 1);
  EXPECT_EQ(probe.presses[3], 1);
  app.NotifyKeyEvent(3, 0);
  EXPECT_EQ(probe.releases[3], 1);

  app.LockKey(5);
  app.LockKey(7);
  EXPECT_EQ(app.NotifyKeyEvent(5, 1), 1);
  EXPECT_EQ(app.NotifyKeyEvent(5, 0), 1);
  EXPECT_EQ(probe.presses[5] + probe.releases[5], 0);
  EXPECT_FALSE(app.IsKeyLocked(7));

  // Codes outside 0..31 are refused, negative ones included.
  EXPECT_EQ(app.NotifyKeyEvent(32, 1), 0);
  EXPECT_EQ(app.NotifyKeyEvent(-1, 1), 0);
  app.LockKey(-3);
  EXPECT_FALSE(app.IsKeyLocked(-3));
}

TEST(KeyInputTest, AutoRepeatEveryFifteenStepsAndNeverKeyZero) {
  CTestApplication app;
  ProbeElement probe(&app);
  app.m_bKeyAutoRepeat = 1;
  app.NotifyKeyEvent(3, 1);
  app.NotifyKeyEvent(0, 1);
  for (int i = 0; i < 14; i++)
    app.RunProcess();
  EXPECT_EQ(probe.presses[3], 1);
  app.RunProcess();
  EXPECT_EQ(probe.presses[3], 2);
  for (int i = 0; i < 15; i++)
    app.RunProcess();
  EXPECT_EQ(probe.presses[3], 3);
  EXPECT_EQ(probe.presses[0], 1);
  // Beyond the arrow keys only when asked.
  app.NotifyKeyEvent(9, 1);
  for (int i = 0; i < 15; i++)
    app.ProcessPressedKeys();
  EXPECT_EQ(probe.presses[9], 1);
  app.m_bAutoRepeatArrowKeysOnly = 0;
  for (int i = 0; i < 15; i++)
    app.ProcessPressedKeys();
  EXPECT_EQ(probe.presses[9], 2);
}

TEST(RotationTest, StepsToTurnFromMinusNinetyToPlusNinety) {
  for (int fps : {30, 60}) {
    CTestApplication app;
    app.SetFpsControl(fps, true, false);
    app.SetIPhoneOrientation(1, true);
    app.m_nRotationSettle = 0;
    app.SetIPhoneOrientation(2, false);
    int steps = 0;
    while (app.m_nRotationAngle != 23040 && steps < 1000) {
      app.ProcessIPhoneRotation();
      steps++;
    }
    EXPECT_EQ(steps, fps == 30 ? 23 : 45) << fps;
    EXPECT_EQ(app.m_nRotationSettle, 3);
    EXPECT_TRUE(app.IsIPhoneRotationInProcess());
    app.m_nRotationSettle = 0;
    EXPECT_FALSE(app.IsIPhoneRotationInProcess());
  }
}
