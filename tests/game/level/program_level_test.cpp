// The sprocklet program started straight into a level of the sample pack with a journal: under a
// tilt, level 1 loads in the in-level mode, the hero runs right for 120 frames without falling out,
// and the screenshots show the level's art scrolling by; held right with steady taps, levels of
// every world set are completed through their doors.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "game_test_support.h"
#include "level_gen.h"
#include "program_run.h"
#include "startup_pack.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;

// The distinct colours in a band of rows, and how many of its pixels are not black.
void Band(const Picture& p, int top, int bottom, std::set<int>* colours, int* lit) {
  *lit = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < p.width; ++x) {
      const unsigned char* c = p.At(x, y);
      colours->insert(c[0] << 16 | c[1] << 8 | c[2]);
      if (c[0] + c[1] + c[2] > 30) ++*lit;
    }
}

TEST(ProgramLevel, Level1RunsUnderTiltAndShowsItsArt) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  program_run::Run run = program_run::RunHeadless(
      dir.path(), "# lean right from the first frame\n0 tilt -0.2 0 0\n",
      "--level 1 --character 0 --frames 120 --shot 60:'" + dir.path() + "/a.png' --shot 119:'" + dir.path() +
          "/b.png' --data '" + SPROCKLET_DATA_DIR + "'");
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string& out = run.out;

  float startX = 0, startY = 0, endX = 0, endY = 0;
  int objects = 0, frames = 0;
  char state[16] = "";
  size_t started = out.find("sprocklet: level 1 started");
  size_t left = out.find("sprocklet: level 1 left");
  ASSERT_NE(started, std::string::npos) << out;
  ASSERT_NE(left, std::string::npos) << out;
  ASSERT_EQ(sscanf(out.c_str() + started, "sprocklet: level 1 started with %d objects, hero at (%f, %f)",
                   &objects, &startX, &startY),
            3);
  ASSERT_EQ(sscanf(out.c_str() + left, "sprocklet: level 1 left after %d frames: hero at (%f, %f), %15s",
                   &frames, &endX, &endY, state),
            4);
  EXPECT_GT(objects, 20);
  EXPECT_EQ(frames, 120);
  // The start wait is half a second; then the tilt runs the hero right on the first floor.
  EXPECT_GT(endX, startX + 250);
  EXPECT_NEAR(endY, startY, 5);
  EXPECT_STREQ(state, "alive");

  Picture a, b;
  ASSERT_TRUE(ReadPng(dir.path() + "/a.png", &a));
  ASSERT_TRUE(ReadPng(dir.path() + "/b.png", &b));
  ASSERT_EQ(b.width, 480);
  ASSERT_EQ(b.height, 320);
  // The floor fills the band below the hero, in the several colours of its tiles' art.
  std::set<int> colours;
  int lit = 0;
  Band(b, 190, 230, &colours, &lit);
  EXPECT_GT(lit, 480 * 40 * 3 / 4);
  EXPECT_GT(colours.size(), 4u);
  // Between the two shots the camera has followed the hero: the art moved.
  int differing = 0;
  for (int y = 150; y < 240; ++y)
    for (int x = 0; x < 480; ++x)
      if (memcmp(a.At(x, y), b.At(x, y), 3) != 0) ++differing;
  EXPECT_GT(differing, 1000);
}

// The journal of the steady player: the arrow key's tilt right from the first frame, and taps
// anywhere below the pause button.
std::string SteadyJournal(const levelgen::SteadyTaps& taps, int frames) {
  std::string journal = "0 tilt -0.5 0 0\n";
  for (int f = 0; f < frames; ++f) {
    if (taps.Down(f)) journal += std::to_string(f) + " touch down 0 240 200\n";
    if (taps.Up(f)) journal += std::to_string(f) + " touch up 0 240 200\n";
  }
  return journal;
}

TEST(ProgramLevel, HeldRightWithSteadyTapsLevelsOfEveryWorldSetAreCompletedThroughTheirDoors) {
  const levelgen::SteadyTaps every20 = levelgen::kSteadyRhythms[0], every15 = levelgen::kSteadyRhythms[1];
  const struct {
    int level;
    levelgen::SteadyTaps taps;
  } cases[] = {{2, every20}, {41, every15}, {51, every15}, {101, every20}, {160, every20}};
  for (const auto& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level) + ", a tap every " + std::to_string(c.taps.period));
    ScopedTempDir dir;
    ASSERT_TRUE(dir.ok());
    program_run::Run run = program_run::RunHeadless(dir.path(), SteadyJournal(c.taps, 2000),
                                                    "--level " + std::to_string(c.level) +
                                                        " --frames 2000 --data '" + SPROCKLET_DATA_DIR + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("sprocklet: level " + std::to_string(c.level) + " completed in"),
              std::string::npos)
        << run.out;
  }
}

} // namespace
