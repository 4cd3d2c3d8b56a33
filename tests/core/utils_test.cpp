// Engine utilities: hash, point-in-rectangle edges, table arc-tangents, rotation deltas, text helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <ostream>
#include <string>

#include "quellar_utils.h"

TEST(GetHashCodeTest, KnownValuesFoldHighBitsAndNeverGoNegative) {
  EXPECT_EQ(GetHashCode(""), 0);
  EXPECT_EQ(GetHashCode(nullptr), 0);
  EXPECT_EQ(GetHashCode("a"), 97);
  EXPECT_EQ(GetHashCode("ab"), 1650);
  EXPECT_EQ(GetHashCode("abcdefghij"), 180004458); // folds the top nibble back in
  EXPECT_EQ(GetHashCode("game_sprites.txt"), 27982532);
  EXPECT_EQ(GetHashCode("\xe9t\xe9"), 268382169); // bytes above 127 count as negative
  EXPECT_NE(GetHashCode("ab"), GetHashCode("ba"));
  std::string longText(1000, '\xff');
  EXPECT_GE(GetHashCode(longText.c_str()), 0);
}

struct PtInRectCase {
  int x, y;
  bool inside;
};
std::ostream& operator<<(std::ostream& os, const PtInRectCase& c) { return os << c.x << "," << c.y; }

class PtInRectTest : public ::testing::TestWithParam<PtInRectCase> {};

// Every rectangle form describes the same area: x 10..30, y -5..15, edges included.
TEST_P(PtInRectTest, AllRectangleFormsAgreeAndIncludeEdges) {
  const PtInRectCase& c = GetParam();
  TCoordRect2D coord{10, -5, 20, 20};
  TRect2D fixed{10 * 256, -5 * 256, 20 * 256, 20 * 256};
  TRect2D_16 fixed16{10 * 65536, -5 * 65536, 20 * 65536, 20 * 65536};
  // A fraction below one pixel is dropped by the vector forms.
  TVector2D v{c.x * 256 + 255, c.y * 256 + 255};
  EXPECT_EQ(PtInRect(c.x, c.y, &coord), c.inside);
  EXPECT_EQ(PtInRect(c.x, c.y, &fixed), c.inside);
  EXPECT_EQ(PtInRect(c.x, c.y, &fixed16), c.inside);
  EXPECT_EQ(PtInRect(v, &coord), c.inside);
  EXPECT_EQ(PtInRect(v, &fixed), c.inside);
}

INSTANTIATE_TEST_SUITE_P(Edges, PtInRectTest,
                         ::testing::Values(PtInRectCase{10, -5, true}, PtInRectCase{30, 15, true},
                                           PtInRectCase{20, 0, true}, PtInRectCase{9, 0, false},
                                           PtInRectCase{31, 0, false}, PtInRectCase{20, -6, false},
                                           PtInRectCase{20, 16, false}));

TEST(PtInRectTest, NullRectangleIsNeverHit) {
  EXPECT_FALSE(PtInRect(0, 0, (const TCoordRect2D*)nullptr));
  EXPECT_FALSE(PtInRect(0, 0, (const TRect2D*)nullptr));
}

struct AtanCase {
  int x, y;
  int fast, fast2;
};
std::ostream& operator<<(std::ostream& os, const AtanCase& c) { return os << c.x << "," << c.y; }

class FastAtanTest : public ::testing::TestWithParam<AtanCase> {};

TEST_P(FastAtanTest, KnownDirections) {
  const AtanCase& c = GetParam();
  EXPECT_EQ(fast_atan(c.x, c.y), c.fast) << c.x << "," << c.y;
  EXPECT_EQ(fast_atan2(c.x, c.y), c.fast2) << c.x << "," << c.y;
}

INSTANTIATE_TEST_SUITE_P(Axes, FastAtanTest,
                         ::testing::Values(AtanCase{1, 0, 360, 360}, AtanCase{0, -5, 270, 270},
                                           AtanCase{0, 0, 270, 270}, AtanCase{0, 7, 90, 90},
                                           AtanCase{-4, 0, 180, 180}, AtanCase{5, 5, 45, 45},
                                           AtanCase{-3, 4, 127, 127}, AtanCase{-5, -5, 225, 225},
                                           AtanCase{5, -5, 315, 315}, AtanCase{-5, 5, 135, 135}));

// The tables are whole-degree approximations: every octant must stay close to the true angle.
TEST(FastAtanTest, StaysWithinTableErrorOfTrueAngleAllAround) {
  const double kPi = 3.14159265358979323846;
  for (int deg = 0; deg < 360; deg += 7) {
    for (double radius : {50.0, 3000.0, 200000.0}) {
      int x = (int)std::lround(radius * std::cos(deg * kPi / 180));
      int y = (int)std::lround(radius * std::sin(deg * kPi / 180));
      if (x == 0) continue;
      double truth = std::atan2((double)y, (double)x) * 180 / kPi;
      if (truth <= 0) truth += 360;
      for (int got : {fast_atan(x, y), fast_atan2(x, y)}) {
        EXPECT_GE(got, 0);
        EXPECT_LE(got, 360);
        double diff = std::fabs(got - truth);
        diff = std::fmin(diff, 360 - diff);
        EXPECT_LE(diff, 3.5) << "x=" << x << " y=" << y << " got " << got << " truth " << truth;
      }
    }
  }
}

struct RotationCase {
  double from, to, expected; // degrees
};
std::ostream& operator<<(std::ostream& os, const RotationCase& c) { return os << c.from << "->" << c.to; }

class ClosestRotationAngleTest : public ::testing::TestWithParam<RotationCase> {};

TEST_P(ClosestRotationAngleTest, ShortestSignedTurn) {
  const RotationCase& c = GetParam();
  auto fx = [](double deg) { return (FIXED_FLOAT)std::lround(deg * 256); };
  EXPECT_EQ(ClosestRotationAngle(fx(c.from), fx(c.to)), fx(c.expected)) << c.from << " -> " << c.to;
}

INSTANTIATE_TEST_SUITE_P(Turns, ClosestRotationAngleTest,
                         ::testing::Values(RotationCase{350, 10, 20}, RotationCase{10, 350, -20},
                                           RotationCase{45, 45, 0}, RotationCase{720 + 10, -350, 0},
                                           RotationCase{0, 180, 180}, RotationCase{180, 0, -180},
                                           RotationCase{-90, 90, -180}, RotationCase{30, 200, 170},
                                           RotationCase{30, 220, -170}, RotationCase{-725, 5, 10},
                                           RotationCase{12.5, 10, -2.5}));

TEST(IntToCommonStringTest, SignsAndExtremes) {
  const struct {
    int n;
    const char* text;
  } cases[] = {
      {0, "0"}, {7, "7"}, {-45, "-45"}, {1000, "1000"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"}};
  for (const auto& c : cases)
    EXPECT_TRUE(IntToCommonString(c.n).IsEqual(c.text)) << c.n;
}

struct FindCase {
  const char* needle; // null: a default-constructed string
  const char* hay;
  bool found;
};
std::ostream& operator<<(std::ostream& os, const FindCase& c) {
  return os << '"' << (c.needle ? c.needle : "(none)") << "\" in \"" << c.hay << '"';
}

class FindSubstrTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindSubstrTest, CaseSensitiveSearch) {
  const FindCase& c = GetParam();
  CommonString needle(c.needle), hay(c.hay);
  EXPECT_EQ(FindSubstr(&needle, &hay), c.found) << (c.needle ? c.needle : "(none)") << " in " << c.hay;
}

INSTANTIATE_TEST_SUITE_P(Cases, FindSubstrTest,
                         ::testing::Values(FindCase{"lo", "hello", true}, FindCase{"he", "hello", true},
                                           FindCase{"o", "hello", true}, FindCase{"hello", "hello", true},
                                           FindCase{"Hello", "hello", false},
                                           FindCase{"hello!", "hello", false},
                                           FindCase{"lol", "hello", false}, FindCase{nullptr, "abc", false},
                                           FindCase{nullptr, "", false}));

TEST(FindSubstrTest, NeedleLongerThanAnyFixedBuffer) {
  std::string part(300, 'q');
  CommonString needle(part.c_str());
  CommonString hay(("x" + part + "y").c_str());
  EXPECT_TRUE(FindSubstr(&needle, &hay));
  CommonString other(("x" + std::string(299, 'q') + "y").c_str());
  EXPECT_FALSE(FindSubstr(&needle, &other));
}
