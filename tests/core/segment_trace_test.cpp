// Segment crossings with horizontal and vertical segments, and the trace printer's output.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "segment_trace.h"

struct CrossCase {
  const char* name;
  bool vertical; // LinesIntersectV, else LinesIntersectH
  int x1, y1, x2, y2;
  int at, from, to; // height hy and hx1..hx2, or vx and vy1..vy2
  int hit, ix, iy;
};
std::ostream& operator<<(std::ostream& os, const CrossCase& c) { return os << c.name; }

class LinesIntersectTest : public ::testing::TestWithParam<CrossCase> {};

TEST_P(LinesIntersectTest, Crossing) {
  const CrossCase& c = GetParam();
  int ix = -999, iy = -999;
  int hit = c.vertical ? LinesIntersectV(c.x1, c.y1, c.x2, c.y2, c.at, c.from, c.to, &ix, &iy)
                       : LinesIntersectH(c.x1, c.y1, c.x2, c.y2, c.from, c.at, c.to, &ix, &iy);
  ASSERT_EQ(hit, c.hit);
  if (hit) {
    EXPECT_EQ(ix, c.ix);
    EXPECT_EQ(iy, c.iy);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Segments, LinesIntersectTest,
    ::testing::Values(CrossCase{"HDownSteep", false, 0, 0, 10, -40, -20, 0, 10, 1, 5, -20},
                      CrossCase{"HReversed", false, 10, -40, 0, 0, -20, 0, 10, 1, 5, -20},
                      CrossCase{"HAboveRange", false, 0, 0, 10, -40, -50, 0, 10, 0, 0, 0},
                      CrossCase{"HBesideSegment", false, 0, 0, 10, -40, -20, 6, 10, 0, 0, 0},
                      CrossCase{"HVerticalSegment", false, 4, 0, 4, 30, 12, 0, 10, 1, 4, 12},
                      CrossCase{"HVerySteepUp", false, 0, 0, 2, 100, 50, -5, 5, 1, 1, 50},
                      // Slopes from 0 up to 16 are divided exactly.
                      CrossCase{"HShallowUp", false, 0, 0, 100, 10, 5, 0, 100, 1, 50, 5},
                      CrossCase{"HModerateUp", false, 0, 0, 10, 40, 20, 0, 10, 1, 5, 20},
                      CrossCase{"HShallowMissesHeight", false, 0, 0, 100, 10, 11, 0, 100, 0, 0, 0},
                      CrossCase{"HCollinearOverlap", false, 0, 7, 20, 7, 7, 10, 40, 1, 10, 7},
                      CrossCase{"HCollinearApart", false, 0, 7, 20, 7, 7, 30, 40, 0, 0, 0},
                      CrossCase{"HParallelOtherHeight", false, 0, 7, 20, 7, 8, 0, 40, 0, 0, 0},
                      CrossCase{"VDownSteep", true, 0, 0, 20, -60, 10, -40, 0, 1, 10, -30},
                      CrossCase{"VBeyondEnd", true, 0, 0, 20, -60, 25, -100, 0, 0, 0, 0},
                      CrossCase{"VBeforeStart", true, 0, 0, 20, -60, -1, -100, 100, 0, 0, 0},
                      CrossCase{"VBesideSegment", true, 0, 0, 20, -60, 10, -20, 0, 0, 0, 0},
                      CrossCase{"VShallowUp", true, 0, 0, 20, 60, 10, 0, 40, 1, 10, 30},
                      CrossCase{"VHorizontal", true, 0, 5, 30, 5, 12, 0, 10, 1, 12, 5},
                      CrossCase{"VCollinearOverlap", true, 5, 0, 5, 20, 5, 10, 30, 1, 5, 10},
                      CrossCase{"VParallelElsewhere", true, 5, 0, 5, 20, 6, 0, 30, 0, 0, 0}),
    [](const ::testing::TestParamInfo<CrossCase>& info) { return std::string(info.param.name); });

TEST(LinesIntersectTest, NullOutputsAreTolerated) {
  EXPECT_EQ(LinesIntersectH(0, 0, 10, -40, 0, -20, 10, nullptr, nullptr), 1);
  EXPECT_EQ(LinesIntersectV(0, 0, 20, -60, 10, -40, 0, nullptr, nullptr), 1);
}

static std::string Trace(const char* tag, const char* format, const char* arg) {
  ::testing::internal::CaptureStdout();
  EngineLogTrace(tag, format, arg);
  fflush(stdout);
  return ::testing::internal::GetCapturedStdout();
}

TEST(EngineLogTraceTest, LineEndFirstThenOptionalTagAndWholeMessage) {
  EXPECT_EQ(Trace("", "value %s", "7"), "\nvalue 7");
  EXPECT_EQ(Trace(nullptr, "value %s", "7"), "\nvalue 7");
  EXPECT_EQ(Trace("GAME", "loaded %s", "pack"), "\nGAME\tloaded pack");
  std::string big(600, 'm');
  EXPECT_EQ(Trace("T", "<%s>", big.c_str()), "\nT\t<" + big + ">");
}
