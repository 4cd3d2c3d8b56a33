// The rotator's sine and cosine tables, angle lookup and wrapping, and rotated copies of bitmaps.
#include <climits>

#include "rotator_test_support.h"

namespace {

TEST(RotatorTables, GameSetUpHoldsAThousandStepsPerDegree) {
  BitmapTestGame game;
  auto rot = GameRotator(&game);
  EXPECT_EQ(360000, rot->m_nAngleSteps);
  EXPECT_EQ(256000, rot->m_nStepsPerDegree);
  EXPECT_EQ(2, rot->GetQuality());
  EXPECT_FALSE(rot->m_bFixedSquareBounds);
  // {step, sin8, cos8, sin16, cos16}: exact quarter turns, and 30 and 45 degrees rounded half away
  // from zero (0.5 x 65536 = 32768; 0.70710678 x 65536 = 46340.95).
  const int rows[][5] = {{0, 0, 256, 0, 65536},
                         {90000, 256, 0, 65536, 0},
                         {180000, 0, -256, 0, -65536},
                         {270000, -256, 0, -65536, 0},
                         {30000, 128, 222, 32768, 56756},
                         {45000, 181, 181, 46341, 46341},
                         {315000, -181, 181, -46341, 46341}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r[0]);
    EXPECT_EQ(r[1], rot->m_pSinTable8[r[0]]);
    EXPECT_EQ(r[2], rot->m_pCosTable8[r[0]]);
    EXPECT_EQ(r[3], rot->m_pSinTable16[r[0]]);
    EXPECT_EQ(r[4], rot->m_pCosTable16[r[0]]);
  }
  // The last entry is one thousandth of a degree short of a full turn.
  EXPECT_EQ(0, rot->m_pSinTable8[359999]);
  EXPECT_EQ(-1, rot->m_pSinTable16[359999]);
  EXPECT_EQ(65536, rot->m_pCosTable16[359999]);
}

TEST(RotatorTables, LookupIndexIsTheFloorOfStepsAndStaysInTheTable) {
  BitmapTestGame game;
  auto rot = GameRotator(&game);
  const int cases[][2] = {
      {0, 0},
      {11520, 45000},
      {92159, 359996},
      {1, 3},
      {23040, 90000},
      // Outside one turn the index is brought back into the table rather than read past it.
      {92160, 0},
      {-256, 359000},
      {INT_MAX, -1},
      {INT_MIN, -1},
  };
  for (const auto& c : cases) {
    int index = rot->GetLookupIndex(c[0]);
    if (c[1] >= 0)
      EXPECT_EQ(c[1], index) << c[0];
    else
      EXPECT_TRUE(index >= 0 && index < 360000) << c[0] << " -> " << index;
  }
}

TEST(RotatorTables, WrapAngleBringsAnyAngleIntoOneTurn) {
  const int cases[][2] = {{0, 0},          {92159, 92159}, {92160, 0},         {-1, 92159},
                          {-23040, 69120}, {-92160, 0},    {5 * 92160 + 7, 7}, {-3 * 92160 - 1, 92159}};
  for (const auto& c : cases)
    EXPECT_EQ(c[1], CQuellarImageRotatorScaler::WrapAngle(c[0])) << c[0];
  for (int extreme : {INT_MIN, INT_MAX}) {
    FIXED_FLOAT wrapped = CQuellarImageRotatorScaler::WrapAngle(extreme);
    EXPECT_TRUE(wrapped >= 0 && wrapped < 92160) << wrapped;
    EXPECT_EQ(0, ((int64_t)extreme - wrapped) % 92160);
  }
}

TEST(RotatorTables, StepCountsOutsideTheFixedPointRangeAreRefused) {
  // {steps, Initialize's answer, steps per degree}
  const int cases[][3] = {{1, 1, 0}, {4, 1, 2},   {5760, 1, 4096},    {524287, 1, 372826},
                          {0, 0, 0}, {-5, 0, -3}, {524288, 0, 372827}};
  for (const auto& c : cases) {
    CQuellarImageRotatorScaler rot(nullptr, c[0]);
    EXPECT_EQ(c[1], rot.Initialize()) << c[0];
    EXPECT_EQ(c[2], rot.m_nStepsPerDegree) << c[0];
    EXPECT_EQ(c[1] == 1, rot.m_pSinTable8 != nullptr) << c[0];
  }
  // Four steps: a quarter turn per entry.
  CQuellarImageRotatorScaler four(nullptr, 4);
  ASSERT_EQ(1, four.Initialize());
  const int sin8[4] = {0, 256, 0, -256};
  for (int i = 0; i < 4; i++)
    EXPECT_EQ(sin8[i], four.m_pSinTable8[i]);
  // A second Initialize rebuilds in place (the sanitizer build checks that nothing leaks).
  ASSERT_EQ(1, four.Initialize());
  EXPECT_EQ(256, four.m_pCosTable8[0]);
}

// ---- rotated copies ----

class RotatedCopy : public ::testing::Test {
protected:
  void SetUp() override { rot = GameRotator(&game); }
  BitmapTestGame game;
  std::unique_ptr<CQuellarImageRotatorScaler> rot;
};

TEST_F(RotatedCopy, UnturnedCopyBlendsEachPixelWithAOneSixteenthOfItsLowerRightNeighbour) {
  auto src = MakeBitmap565(4, 3, 0, 255);
  SetPixel(src.get(), 0, 0, 0xF800); // red
  SetPixel(src.get(), 1, 1, 0x001F); // blue
  SetAlpha(src.get(), 1, 1, 0);
  std::unique_ptr<IDibBitmap> out(rot->CreateRotatedBitmap(src.get(), 0, 256));
  ASSERT_TRUE(out);
  ASSERT_EQ(4, out->GetWidth());
  ASSERT_EQ(3, out->GetHeight());
  // 15/16 of red and 1/16 of blue: red 15 x 31 / 16 = 29, blue 31 / 16 = 1; alpha 15 x 255 / 16.
  EXPECT_EQ((29 << 11) | 1, Pixel(out.get(), 0, 0));
  EXPECT_EQ(239, out->GetAlphaBits()[0]);
  // (1, 1) itself: 15/16 of blue with alpha 0, 1/16 of an opaque black neighbour.
  EXPECT_EQ(29, Pixel(out.get(), 1, 1));
  EXPECT_EQ(15, out->GetAlphaBits()[1 * 4 + 1]);
  // The last row and column stay black and transparent.
  for (int x = 0; x < 4; x++)
    EXPECT_EQ(0, out->GetAlphaBits()[2 * 4 + x]) << x;
  for (int y = 0; y < 3; y++)
    EXPECT_EQ(0, out->GetAlphaBits()[y * 4 + 3]) << y;
  EXPECT_EQ(255, out->GetAlphaBits()[1 * 4 + 2]);
}

TEST_F(RotatedCopy, SizeFollowsTheTurnAndScale) {
  auto src = MakeBitmap565(8, 6, 0xFFFF, 255);
  // {angle, scale (256 = 1.0), width, height}
  const int cases[][4] = {{0, 256, 8, 6},
                          {Degrees(90), 256, 6, 8},
                          {Degrees(180), 256, 8, 6},
                          {Degrees(-90), 256, 6, 8},
                          {Degrees(360), 256, 8, 6},
                          {0, 512, 16, 12},
                          {Degrees(90), 128, 3, 4}};
  for (const auto& c : cases) {
    std::unique_ptr<IDibBitmap> out(rot->CreateRotatedBitmap(src.get(), c[0], c[1]));
    ASSERT_TRUE(out) << c[0];
    EXPECT_EQ(c[2], out->GetWidth()) << c[0] << " " << c[1];
    EXPECT_EQ(c[3], out->GetHeight()) << c[0] << " " << c[1];
  }
}

TEST_F(RotatedCopy, QuarterTurnMovesTheTopLeftCornerToTheTopRight) {
  auto src = MakeBitmap565(9, 9, 0, 255);
  for (int y = 0; y < 9; y++)
    for (int x = 0; x < 9; x++)
      SetPixel(src.get(), x, y, To565(kQuadrant[QuadrantOf(x, y, 9)]));
  std::unique_ptr<IDibBitmap> out(rot->CreateRotatedBitmap(src.get(), Degrees(90), 256));
  ASSERT_TRUE(out);
  ASSERT_EQ(9, out->GetWidth());
  // Clockwise: top-left (red) to top-right, top-right (green) to bottom-right, and so on.
  EXPECT_EQ(0, NearestQuadrant565(Pixel(out.get(), 6, 1)));
  EXPECT_EQ(1, NearestQuadrant565(Pixel(out.get(), 6, 6)));
  EXPECT_EQ(2, NearestQuadrant565(Pixel(out.get(), 2, 6)));
  EXPECT_EQ(3, NearestQuadrant565(Pixel(out.get(), 2, 1)));
}

TEST_F(RotatedCopy, BadInputsMakeNoBitmap) {
  auto src = MakeBitmap565(8, 8, 0xFFFF, 255);
  EXPECT_EQ(nullptr, rot->CreateRotatedBitmap(nullptr, 0, 256));
  for (FIXED_FLOAT scale : {15, 0, -256, INT_MIN})
    EXPECT_EQ(nullptr, rot->CreateRotatedBitmap(src.get(), 0, scale)) << scale;
  // Scales too large for any bitmap are refused, not wrapped into a small one.
  EXPECT_EQ(nullptr, rot->CreateRotatedBitmap(src.get(), Degrees(45), INT_MAX));
  auto empty = MakeBitmap565(8, 8, 0, 255);
  empty->DestroyBits();
  empty->DestroyAlpha();
  EXPECT_EQ(nullptr, rot->CreateRotatedBitmap(empty.get(), 0, 256));
  // 1/16 is still allowed.
  std::unique_ptr<IDibBitmap> tiny(rot->CreateRotatedBitmap(MakeBitmap565(64, 64, 0xFFFF).get(), 0, 16));
  ASSERT_TRUE(tiny);
  EXPECT_EQ(4, tiny->GetWidth());
}

TEST_F(RotatedCopy, CopiesOnlyTheMapsTheSourceHas) {
  auto alphaOnly = MakeBitmap565(6, 6, 0, 200);
  alphaOnly->DestroyBits();
  std::unique_ptr<IDibBitmap> a(rot->CreateRotatedBitmap(alphaOnly.get(), 0, 256));
  ASSERT_TRUE(a);
  EXPECT_EQ(nullptr, a->GetBits());
  EXPECT_EQ(200, a->GetAlphaBits()[0]); // the weights sum to 16: one value comes back whole
  auto pixelsOnly = MakeBitmap565(6, 6, 0x07E0);
  std::unique_ptr<IDibBitmap> p(rot->CreateRotatedBitmap(pixelsOnly.get(), 0, 256));
  ASSERT_TRUE(p);
  EXPECT_EQ(nullptr, p->GetAlphaBits());
  EXPECT_EQ(0x07E0, Pixel(p.get(), 2, 2));
  // One pixel wide: nothing is filled.
  std::unique_ptr<IDibBitmap> thin(rot->CreateRotatedBitmap(MakeBitmap565(1, 5, 0xFFFF, 255).get(), 0, 256));
  ASSERT_TRUE(thin);
  EXPECT_EQ(0, Pixel(thin.get(), 0, 2));
  EXPECT_EQ(0, thin->GetAlphaBits()[2]);
}

} // namespace
