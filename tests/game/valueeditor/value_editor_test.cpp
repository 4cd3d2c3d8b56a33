// The value panel's rows and panel logic: values written by touch-down and drag, the int row's fine
// stepping, action rows, the hide corner, panel drag and scrolling, and touches on unused slots.
#include <gtest/gtest.h>

#include "display.h"
#include "value_editor.h"

namespace {

int g_calls = 0;
void CountCall() { g_calls++; }

class ValuePanel : public ::testing::Test {
protected:
  void SetUp() override {
    ValueList = valueList();
    lastX = 0;
    g_calls = 0;
    // The layout runs in Draw; without a white picture the fills draw nothing.
    saved = display;
    display = &d;
  }
  void TearDown() override {
    ValueList = valueList();
    display = saved;
  }
  // A panel at (100, 40) of 245 x 200 whose rows are 29 apart, laid out by one frame.
  void Open() {
    ValueList.Init("Test", 100, 40, 245, 200, 29);
    ValueList.Clear();
  }
  // Screen point of a row's slot i at fraction t of its width, dy below its top.
  int RowX(int i, float t) {
    return ValueList.x + ValueList.editors[i].x + (int)(t * ValueList.editors[i].w);
  }
  int RowY(int i, int dy = 5) { return ValueList.y + ValueList.editors[i].y + dy; }

  Display d;
  Display* saved = nullptr;
};

struct TouchCase {
  float min, max;
  int x; // on a row 100 wide
  float expected;
};

class FloatTouch : public ::testing::TestWithParam<TouchCase> {};

// A touch-down sets the value under the finger, cut to one decimal (never rounded up).
TEST_P(FloatTouch, KeepsOneDecimalCut) {
  TouchCase c = GetParam();
  float v = -1000;
  valueEditor row = {};
  row.Init("v", &v, c.min, c.max, 1, 0, 0, 100, 25, CountCall);
  g_calls = 0;
  EXPECT_EQ(row.StylusDown(c.x, 10), 1);
  EXPECT_FLOAT_EQ(v, c.expected);
  EXPECT_EQ(g_calls, 0) << "no callback at touch-down";
}

INSTANTIATE_TEST_SUITE_P(Rows, FloatTouch,
                         ::testing::Values(TouchCase{0, 1, 37, 0.3f}, TouchCase{0, 1, 99, 0.9f},
                                           TouchCase{0, 1, 0, 0.0f}, TouchCase{-5, 5, 12, -3.8f},
                                           TouchCase{1, 150, 50, 75.5f}, TouchCase{0, 300, 33, 99.0f}));

TEST(ValueRow, RightEdgeIsOutsideAndDraggingPastItGivesMax) {
  float f = 0;
  int i = 0;
  valueEditor fr = {}, ir = {};
  fr.Init("f", &f, 0, 1, 1, 10, 0, 200, 25, nullptr);
  ir.Init("i", &i, 0, 10, 1, 10, 0, 200, 25, nullptr);
  EXPECT_EQ(fr.StylusDown(210, 5), 0) << "the right edge is exclusive";
  EXPECT_EQ(fr.StylusDown(10, 25), 0) << "the bottom edge is exclusive";
  EXPECT_EQ(fr.StylusDown(209, 24), 1);
  EXPECT_LT(f, 1.0f);
  EXPECT_EQ(ir.StylusDown(209, 0), 1);
  EXPECT_EQ(i, 9);
  fr.StylusMove(400, 5);
  ir.StylusMove(400, 5);
  EXPECT_FLOAT_EQ(f, 1.0f);
  EXPECT_EQ(i, 10);
  fr.StylusMove(-300, 5);
  ir.StylusMove(-300, 5);
  EXPECT_FLOAT_EQ(f, 0.0f);
  EXPECT_EQ(i, 0);
  // Released, the rows no longer follow.
  fr.StylusUp(0, 0);
  fr.StylusMove(110, 5);
  EXPECT_FLOAT_EQ(f, 0.0f);
}

// Far below the row an int row steps by one per 4-pixel move instead of following the finger.
TEST(ValueRow, IntRowStepsFinelyBeyondFiftyPixels) {
  int v = 0;
  valueEditor row = {};
  row.Init("n", &v, 0, 1000, 1, 0, 0, 200, 25, CountCall);
  g_calls = 0;
  ASSERT_EQ(row.StylusDown(100, 10), 1);
  EXPECT_EQ(v, 500);
  EXPECT_EQ(lastX, 100);
  struct {
    int x, y, value;
  } moves[] = {{100, 60, 500}, {105, 60, 501}, {108, 60, 501}, {110, 60, 502}, {111, 80, 502},
               {100, 60, 501}, {95, -60, 500}, {50, 49, 250},  {51, -49, 255}};
  for (auto& m : moves) {
    row.StylusMove(m.x, m.y);
    EXPECT_EQ(v, m.value) << "move to " << m.x << ", " << m.y;
  }
  EXPECT_EQ(g_calls, 9) << "the callback runs after every move, changed or not";

  // Fine steps stop at the ends.
  v = 1000;
  lastX = 0;
  row.StylusMove(10, 100);
  EXPECT_EQ(v, 1000);
}

// A row whose min equals max draws no bar: a touch writes min and each drag move runs its action.
TEST(ValueRow, ZeroRangeRowActsOnEveryMove) {
  int v = 3;
  valueEditor row = {};
  row.Init("Kill", &v, 7, 7, 1, 10, 0, 200, 25, CountCall);
  g_calls = 0;
  EXPECT_FLOAT_EQ(row.range, 0.0f);
  ASSERT_EQ(row.StylusDown(150, 5), 1);
  EXPECT_EQ(v, 7);
  EXPECT_EQ(g_calls, 0) << "a plain tap does not act";
  for (int x : {150, 160, 20})
    row.StylusMove(x, 5);
  EXPECT_EQ(v, 7);
  EXPECT_EQ(g_calls, 3);
}

TEST_F(ValuePanel, TouchesReachTheRowsThroughThePanel) {
  Open();
  float f = 0;
  int n = 0;
  ValueList.editors[0].Init("f", &f, 0, 1, 1, 10, 0, 200, 25, nullptr);
  ValueList.editors[1].Init("n", &n, 0, 100, 1, 10, 0, 200, 25, CountCall);
  ValueList.Draw();
  EXPECT_EQ(ValueList.editors[0].y, 30);
  EXPECT_EQ(ValueList.editors[1].y, 59);
  EXPECT_EQ(ValueList.StylusDown(RowX(1, 0.25f), RowY(1)), 1);
  EXPECT_EQ(n, 25);
  EXPECT_FLOAT_EQ(f, 0);
  EXPECT_EQ(ValueList.StylusMove(RowX(1, 0.5f), RowY(1)), 1);
  EXPECT_EQ(n, 50);
  EXPECT_EQ(g_calls, 1);
  // The finger leaves the panel (left of it): the row still follows, the panel does not claim it.
  EXPECT_EQ(ValueList.StylusMove(60, RowY(1)), 0);
  EXPECT_EQ(n, 0);
  ValueList.StylusUp(60, RowY(1));
  EXPECT_FALSE(ValueList.editors[1].dragging);
  EXPECT_FALSE(ValueList.touched);
}

TEST_F(ValuePanel, HideCornerTitleDragAndScrollStrip) {
  Open();
  // The corner reaches 15 pixels outside the panel.
  EXPECT_EQ(ValueList.StylusDown(85, 25), 1);
  EXPECT_FALSE(ValueList.visible);
  EXPECT_EQ(ValueList.StylusDown(150, 100), 0) << "a hidden panel takes no touch";
  EXPECT_EQ(ValueList.StylusMove(150, 100), 0);
  ValueList.dragging = 1;
  ValueList.StylusUp(0, 0);
  EXPECT_FALSE(ValueList.dragging) << "a release ends drags even while hidden";

  // A builder shows it again where it was; the title strip moves it with the finger.
  Open();
  EXPECT_EQ(ValueList.StylusDown(200, 60), 1);
  EXPECT_TRUE(ValueList.dragging);
  EXPECT_EQ(ValueList.StylusMove(230, 50), 1);
  EXPECT_EQ(ValueList.x, 130);
  EXPECT_EQ(ValueList.y, 30);
  ValueList.StylusUp(230, 50);
  ValueList.Init("Again", ValueList.x, ValueList.y, 245, 200, 29);
  EXPECT_EQ(ValueList.x, 130);
  EXPECT_EQ(ValueList.y, 30);

  // Near the right edge (on either side of it) a move scrolls the rows and gives them speed.
  int edge = ValueList.x + ValueList.w;
  EXPECT_EQ(ValueList.StylusDown(edge - 10, 150), 1);
  EXPECT_EQ(ValueList.StylusMove(edge + 20, 130), 1);
  EXPECT_FLOAT_EQ(ValueList.scrollY, 10);
  EXPECT_FLOAT_EQ(ValueList.scrollSpeed, -8);
  ValueList.Draw();
  EXPECT_FLOAT_EQ(ValueList.scrollY, 10) << "no coasting while touched";
  ValueList.StylusUp(edge, 130);
  ValueList.Draw();
  EXPECT_FLOAT_EQ(ValueList.scrollY, 10 - 8 * 0.9f * 0.9f);
}

// A touch outside the panel is not taken but still stops the coasting until the release.
TEST_F(ValuePanel, OutsideTouchStopsCoasting) {
  Open();
  ValueList.scrollSpeed = 5;
  EXPECT_EQ(ValueList.StylusDown(20, 300), 0);
  EXPECT_TRUE(ValueList.touched);
  EXPECT_FLOAT_EQ(ValueList.scrollSpeed, 0);
  ValueList.Draw();
  EXPECT_FLOAT_EQ(ValueList.scrollY, 30);
  ValueList.StylusUp(20, 300);
  EXPECT_FALSE(ValueList.touched);
}

// Unused slots keep their last place: touching such a gap, or a row bound to nothing, changes
// nothing and starts no drag.
TEST_F(ValuePanel, GapAndUnboundRowsIgnoreTouches) {
  Open();
  int a = 0, b = 0, c = 0;
  for (int i = 0; i < 3; i++)
    ValueList.editors[i].Init("row", i == 0 ? &a : i == 1 ? &b : &c, 0, 100, 1, 10, 0, 200, 25, CountCall);
  ValueList.Draw();
  // Rebuilt without slot 2, which stays where it was drawn, and with slot 1 bound to nothing.
  ValueList.Init("Gap", ValueList.x, ValueList.y, 245, 200, 29);
  ValueList.Clear();
  ValueList.editors[0].Init("row", &a, 0, 100, 1, 10, 0, 200, 25, CountCall);
  ValueList.editors[1].Init("none", (int*)nullptr, 0, 100, 1, 10, 0, 200, 25, CountCall);
  ValueList.Draw();
  for (int slot : {1, 2}) {
    EXPECT_EQ(ValueList.StylusDown(RowX(slot, 0.5f), RowY(slot)), 1) << "the panel takes it";
    EXPECT_FALSE(ValueList.editors[slot].dragging) << slot;
    EXPECT_EQ(ValueList.StylusMove(RowX(slot, 0.7f), RowY(slot)), 1);
    ValueList.StylusUp(0, 0);
  }
  EXPECT_EQ(g_calls, 0);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(c, 0);
  // A row cleared while a drag is on stops acting too.
  ASSERT_EQ(ValueList.StylusDown(RowX(0, 0.5f), RowY(0)), 1);
  EXPECT_EQ(a, 50);
  ValueList.Clear();
  ValueList.StylusMove(RowX(0, 0.7f), RowY(0));
  EXPECT_EQ(a, 50);
  EXPECT_EQ(g_calls, 0);
}

} // namespace
