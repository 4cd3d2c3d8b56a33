// The game's value types and arithmetic helpers, as tables of cases.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "finishes.h"
#include "geometry.h"

namespace {

TEST(Geometry, RectanglesAreHalfOpen) {
  myRect r(0, 0, 10, 10);
  struct {
    float x, y;
    bool inside;
  } cases[] = {{0, 0, true}, {9.99f, 9.99f, true}, {10, 5, false}, {5, 10, false}, {-0.01f, 5, false}};
  for (auto& c : cases)
    EXPECT_EQ(r.Contains(myPoint(c.x, c.y)), c.inside) << c.x << "," << c.y;
  EXPECT_TRUE(r.Contains(9, 9));
  EXPECT_FALSE(r.Contains(10, 0));
  // Stored left, right, top, bottom; built from left, top, right, bottom.
  myRect s;
  s.Set(1, 2, 3, 4);
  EXPECT_EQ(s.left, 1);
  EXPECT_EQ(s.top, 2);
  EXPECT_EQ(s.right, 3);
  EXPECT_EQ(s.bottom, 4);
  EXPECT_EQ(s.GetWidth(), 2);
  EXPECT_EQ(s.GetHeight(), 2);
}

TEST(Geometry, ExtendTakesInThePixelOnOneSidePerAxis) {
  struct {
    float x, y;
    float left, right, top, bottom;
  } cases[] = {
      {10, 3, 0, 11, 0, 10},  // on the right edge: right grows past it
      {-4, 3, -4, 10, 0, 10}, // left of it: only left moves
      {5, 12, 0, 10, 0, 13},  // below
      {5, -1, 0, 10, -1, 10}, // above
      {5, 5, 0, 10, 0, 10},   // inside: nothing
  };
  for (auto& c : cases) {
    myRect r(0, 0, 10, 10);
    r.Extend(myPoint(c.x, c.y));
    EXPECT_EQ(r.left, c.left);
    EXPECT_EQ(r.right, c.right);
    EXPECT_EQ(r.top, c.top);
    EXPECT_EQ(r.bottom, c.bottom);
  }
  myRect u(0, 0, 10, 10);
  u.Extend(myRect(5, -5, 20, 8));
  EXPECT_EQ(u.top, -5);
  EXPECT_EQ(u.right, 20);
  EXPECT_EQ(u.bottom, 10);
}

TEST(Geometry, IntersectionOfDisjointRectanglesIsEmpty) {
  myRect a(0, 0, 10, 10);
  a.Intersect(myRect(5, 5, 20, 20));
  EXPECT_EQ(a.left, 5);
  EXPECT_EQ(a.bottom, 10);
  EXPECT_FALSE(a.IsEmpty());
  myRect b(0, 0, 10, 10);
  b.Intersect(myRect(20, 0, 30, 10));
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_TRUE(myRect(0, 0, 0, 5).IsEmpty());
}

TEST(Geometry, SignsClampsAndSwaps) {
  EXPECT_EQ(signOf(0.0f), 1);
  EXPECT_EQ(signOf(-0.0001f), -1);
  EXPECT_EQ(signOf(3.0f), 1);
  // The two signs part at zero and at not a number: signOf picks a side, signOrZero does not.
  const struct {
    float v;
    int of;
    float orZero;
  } signs[] = {{0.0f, 1, 0.0f}, {-0.0f, 1, 0.0f}, {NAN, -1, 0.0f}, {-2.5f, -1, -1.0f}, {0.25f, 1, 1.0f}};
  for (auto& c : signs) {
    EXPECT_EQ(signOf(c.v), c.of) << c.v;
    EXPECT_EQ(signOrZero(c.v), c.orZero) << c.v;
  }
  float v = 5;
  limitValueMax(v, 3);
  EXPECT_EQ(v, 3);
  limitValueMin(v, 4);
  EXPECT_EQ(v, 4);
  struct {
    int v, low, high, want;
  } cases[] = {{5, 0, 10, 5}, {-3, 0, 10, 0}, {12, 0, 10, 10}, {5, 8, 2, 2}};
  for (auto& c : cases) {
    int x = c.v;
    CheckIndexInside(x, c.low, c.high);
    EXPECT_EQ(x, c.want);
  }
  float a = 2.5f, b = -1.25f;
  SWAP(a, b);
  EXPECT_EQ(a, -1.25f);
  EXPECT_EQ(b, 2.5f);
  int i = 1, j = 2;
  SWAP(i, j);
  EXPECT_EQ(i, 2);
}

TEST(Geometry, AngleDifferencesWrapIntoHalfATurn) {
  EXPECT_NEAR(compareAngles(3.0f, -3.0f), 6.0 - 6.283185307, 1e-5);
  EXPECT_EQ(compareAngles(1.2f, 1.2f), 0);
  EXPECT_NEAR(compareAngles(-3.0f, 3.0f), -6.0 + 6.283185307, 1e-5);
  EXPECT_NEAR(compareAngles(20.0f, 0.0f), 20.0 - 3 * 6.283185307, 1e-4);
}

// Angles from a level file reach this every frame: a difference of many turns, or one that is no
// number, comes back at once inside half a turn (or as no difference at all).
TEST(Geometry, AngleDifferencesOfAnySizeReturnAtOnce) {
  struct {
    float a, b;
    double expected;
  } cases[] = {
      {1.0e9f, 0.0f, std::remainder(1.0e9, 6.283185307)},
      {0.0f, 3.0e8f, std::remainder(-3.0e8, 6.283185307)},
      {3.4e38f, -3.4e38f, 0}, // the difference itself overflows
      {INFINITY, 0.0f, 0},
      {0.0f, -INFINITY, 0},
      {NAN, 1.0f, 0},
  };
  for (auto& c : cases) {
    ASSERT_TRUE(FinishesWithin(5, [&] { compareAngles(c.a, c.b); })) << c.a << " - " << c.b;
    float d = compareAngles(c.a, c.b);
    EXPECT_NEAR(d, c.expected, 1e-3) << c.a << " - " << c.b;
    EXPECT_LE(std::fabs(d), 3.1415927f);
  }
}

TEST(Geometry, CircleAgainstSegment) {
  struct {
    const char* what;
    myPoint a, b;
    bool hit;
  } cases[] = {
      {"crossing", {-20, 0}, {20, 0}, true},
      {"passing at exactly the radius", {-20, 10}, {20, 10}, false},
      {"passing just inside", {-20, 9.9f}, {20, 9.9f}, true},
      {"pointing away, starting outside", {15, 0}, {30, 0}, false},
      {"pointing away, starting inside", {5, 0}, {30, 0}, true},
      {"ending before the circle", {-40, 0}, {-15, 0}, false},
      {"zero length inside", {3, 3}, {3, 3}, true},
      {"zero length outside", {30, 3}, {30, 3}, false},
  };
  for (auto& c : cases)
    EXPECT_EQ(IntersectCircleLine(myPoint(0, 0), 10, c.a, c.b), c.hit) << c.what;
}

TEST(Geometry, RandomFloatsStayInTheirRange) {
  srand(7);
  float lo = 1e9f, hi = -1e9f;
  for (int i = 0; i < 20000; ++i) {
    float f = randFloat(-2, 3);
    lo = std::min(lo, f);
    hi = std::max(hi, f);
  }
  EXPECT_GE(lo, -2);
  EXPECT_LE(hi, 3);
  EXPECT_LT(lo, -1.9f);
  EXPECT_GT(hi, 2.9f);
}

} // namespace
