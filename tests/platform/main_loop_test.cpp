// The platform main loop and its handlers, driven through the headless stand-in with a logging
// application object: touch scaling and routing, event order, orientation, window states,
// start-up failures.
#include <gtest/gtest.h>

#include "fake_game.h"
#include "platform_main.h"
#include "platform_services.h"

#include <standin/standin.h>

#include <algorithm>
#include <cstdlib>

namespace {

class MainLoopTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_fakeSetup = FakeSetup();
    g_fakeLog.clear();
    g_windowSeen = WindowSeen();
    unsetenv("ORIENTATION");
  }
  void TearDown() override { unsetenv("ORIENTATION"); }

  // Runs the whole program life over a journal; answers PlatformMain's status.
  int Run(const std::string& journal, int frames = 8, int width = 1024, int height = 600) {
    standin::Config config;
    config.backend = standin::Backend::Headless;
    config.displayWidth = width;
    config.displayHeight = height;
    config.exitAfterFrames = frames;
    int line = 0;
    std::string error;
    EXPECT_TRUE(standin::ParseJournal(journal, &config.journal, &line, &error)) << error;
    standin::Configure(config);
    return PlatformMain();
  }

  std::vector<std::string> Without(const std::string& what) {
    std::vector<std::string> out;
    for (const std::string& s : g_fakeLog)
      if (s != what) out.push_back(s);
    return out;
  }

  bool Logged(const std::string& what) {
    return std::find(g_fakeLog.begin(), g_fakeLog.end(), what) != g_fakeLog.end();
  }
};

TEST_F(MainLoopTest, TouchesAreScaledToTheLogicalScreenAndRoutedByTouchId) {
  ASSERT_EQ(Run("1 touch down 0 1023 599\n"
                "1 touch down 2 1023 599\n"
                "2 touch move 1 100 50\n"
                "3 touch up 0 0 0\n"),
            0);
  EXPECT_FLOAT_EQ(g_PixelScale, 480.0f / 1024.0f);
  std::vector<std::string> events = Without("cycle");
  std::vector<std::string> expected = {"init 480 281",
                                       "pointer 479 280 1",
                                       "multi 479 280 id 2 type 1",
                                       "multi 46 23 id 1 type 3",
                                       "pointer 0 0 2",
                                       "deleted"};
  EXPECT_EQ(events, expected);
}

TEST_F(MainLoopTest, EveryPendingEventIsHandledBeforeTheNextCycle) {
  ASSERT_EQ(Run("2 touch down 0 10 10\n2 touch move 0 20 20\n2 nav swipedown\n2 touch up 0 30 30\n"), 0);
  // init, then frames 0 and 1 run with nothing pending, then all four events, then the cycle.
  ASSERT_GE(g_fakeLog.size(), 8u);
  std::vector<std::string> head(g_fakeLog.begin(), g_fakeLog.begin() + 8);
  std::vector<std::string> expected = {"init 480 281",  "cycle", "cycle",           "pointer 4 4 1",
                                       "pointer 9 9 3", "pause", "pointer 14 14 2", "cycle"};
  EXPECT_EQ(head, expected);
}

TEST_F(MainLoopTest, NoEventsMeansOneCyclePerFrameUntilTheExit) {
  ASSERT_EQ(Run("", 5), 0);
  // Frames 0 to 4, then the cycle after the pass that delivered the exit.
  EXPECT_EQ(std::count(g_fakeLog.begin(), g_fakeLog.end(), "cycle"), 6);
  EXPECT_EQ(g_fakeLog.back(), "deleted");
}

struct OrientationCase {
  int gameMode; // 0 portrait, 1 landscape
  int angle;
  bool accepted;
  int rotation;
  int width, height;
};

void PrintTo(const OrientationCase& c, std::ostream* os) {
  *os << (c.gameMode == 0 ? "portrait game, angle " : "landscape game, angle ") << c.angle;
}

class OrientationCheck : public MainLoopTest, public ::testing::WithParamInterface<OrientationCase> {};

TEST_P(OrientationCheck, AcceptsOnlyAnglesOfTheGamesOrientation) {
  const OrientationCase& c = GetParam();
  g_fakeSetup.orientationMode = c.gameMode;
  ASSERT_EQ(Run("1 nav orientation " + std::to_string(c.angle) + "\n"), 0);
  EXPECT_EQ(standin::Navigator().checkResponses, 1);
  EXPECT_EQ(standin::Navigator().lastCheckAccepted, c.accepted);
  EXPECT_EQ(standin::Navigator().doneOrientations, c.accepted ? 1 : 0);
  EXPECT_EQ(g_windowSeen.rotation, c.rotation);
  EXPECT_EQ(g_windowSeen.buffer[0], c.width);
  EXPECT_EQ(g_windowSeen.buffer[1], c.height);
  EXPECT_EQ(g_windowSeen.surface[0], c.width);
  EXPECT_EQ(g_windowSeen.surface[1], c.height);
}

INSTANTIATE_TEST_SUITE_P(Cases, OrientationCheck,
                         ::testing::Values(OrientationCase{1, 90, false, 0, 1024, 600},
                                           OrientationCase{1, 270, false, 0, 1024, 600},
                                           OrientationCase{1, 180, true, 180, 1024, 600},
                                           OrientationCase{0, 90, true, 90, 600, 1024},
                                           OrientationCase{0, 180, false, 0, 1024, 600}));

TEST_F(MainLoopTest, WindowStatesPauseTheGameAndSoundAndForegroundResumesOnlyTheSound) {
  ASSERT_EQ(Run("1 nav window 1\n2 nav window 0\n3 nav window 2\n4 nav window 0\n5 nav swipedown\n6 nav "
                "swipedown\n"),
            0);
  std::vector<std::string> events = Without("cycle");
  std::vector<std::string> expected = {"init 480 281", "pause",        "sound paused",  "sound resumed",
                                       "pause",        "sound paused", "sound resumed", "pause",
                                       "pause",        "deleted"};
  EXPECT_EQ(events, expected);
}

TEST_F(MainLoopTest, WindowStatesWithoutASoundSystemOnlyPause) {
  g_fakeSetup.withSound = false;
  ASSERT_EQ(Run("1 nav window 2\n2 nav window 0\n"), 0);
  std::vector<std::string> expected = {"init 480 281", "pause", "deleted"};
  EXPECT_EQ(Without("cycle"), expected);
}

struct EnvCase {
  const char* value; // null: unset
  int status;
  int rotation, width, height;
};

void PrintTo(const EnvCase& c, std::ostream* os) { *os << "ORIENTATION=" << (c.value ? c.value : "(unset)"); }

class OrientationVariable : public MainLoopTest, public ::testing::WithParamInterface<EnvCase> {};

TEST_P(OrientationVariable, DecidesTheBufferOrEndsStartUp) {
  const EnvCase& c = GetParam();
  if (c.value) setenv("ORIENTATION", c.value, 1);
  testing::internal::CaptureStderr();
  int status = Run("", 2);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, c.status);
  if (c.status == 0) {
    EXPECT_EQ(g_windowSeen.rotation, c.rotation);
    EXPECT_EQ(g_windowSeen.buffer[0], c.width);
    EXPECT_EQ(g_windowSeen.buffer[1], c.height);
  } else {
    EXPECT_NE(err.find("Navigator returned an unexpected orientation angle.\n"), std::string::npos) << err;
    EXPECT_NE(err.find("bbutil_init_egl failed\n"), std::string::npos) << err;
    EXPECT_FALSE(Logged("cycle"));
    EXPECT_EQ(g_pGame, nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OrientationVariable,
                         ::testing::Values(EnvCase{nullptr, 0, 0, 1024, 600}, EnvCase{"0", 0, 0, 1024, 600},
                                           EnvCase{"180", 0, 180, 1024, 600}, EnvCase{"90", 0, 90, 600, 1024},
                                           EnvCase{"270", 0, 270, 600, 1024}, EnvCase{"45", 1, 0, 0, 0},
                                           EnvCase{"up", 0, 0, 1024, 600}));

TEST_F(MainLoopTest, StartUpFailuresEndWithANonZeroStatusAndReleaseTheGame) {
  g_fakeSetup.initResult = false;
  EXPECT_NE(Run("", 3), 0);
  std::vector<std::string> expected = {"init 480 281", "deleted"};
  EXPECT_EQ(g_fakeLog, expected);
  EXPECT_EQ(g_pGame, nullptr);
  EXPECT_EQ(initialized, 0);

  g_fakeSetup = FakeSetup();
  g_fakeSetup.createNothing = true;
  g_fakeLog.clear();
  EXPECT_NE(Run("", 3), 0);
  EXPECT_TRUE(g_fakeLog.empty());

  // A display without a size is refused before anything divides by it.
  g_fakeSetup = FakeSetup();
  EXPECT_NE(Run("", 3, 0, 600), 0);
  EXPECT_FALSE(Logged("cycle"));
}

TEST_F(MainLoopTest, AccelerometerReadingsReachTheGameOnlyOnceStarted) {
  ASSERT_EQ(Run("1 tilt 0.5 -0.25 1\n", 4), 0);
  EXPECT_FALSE(Logged("tilt 0.5 -0.25 1"));

  g_fakeLog.clear();
  g_fakeSetup.startAccelerometer = true;
  ASSERT_EQ(Run("1 tilt 0.5 -0.25 1\n3 tilt 0 0 1\n", 5), 0);
  std::vector<std::string> tilts;
  for (const std::string& s : g_fakeLog)
    if (s.rfind("tilt", 0) == 0) tilts.push_back(s);
  std::vector<std::string> expected = {"tilt 0 0 0", "tilt 0.5 -0.25 1", "tilt 0 0 1"};
  EXPECT_EQ(tilts, expected);
  Accel_Close();
  double x, y, z;
  EXPECT_FALSE(Accel_GetValues(x, y, z));
}

} // namespace
