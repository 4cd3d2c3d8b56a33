// Software rotate-and-scale draws into RGB565 bitmaps: where the picture lands for each turn, scale,
// mirror and quality, the per-pixel arithmetic of each blend mode, clipping, and the guards.
#include <climits>
#include <cstring>

#include "rotator_test_support.h"

namespace {

constexpr int kSize = 32; // destination; pictures are drawn about its centre
constexpr int kCentre = kSize / 2;

class SoftRotator : public ::testing::Test {
protected:
  void SetUp() override { rot = GameRotator(&game); }

  // An n x n quadrant picture, with an opaque alpha map or none.
  static std::unique_ptr<CWinDibBitmap> Quadrants(int n, bool alphaMap, CGameBase* owner = nullptr) {
    auto bm = MakeBitmap565(n, n, 0, alphaMap ? 255 : -1, owner);
    for (int y = 0; y < n; y++)
      for (int x = 0; x < n; x++)
        SetPixel(bm.get(), x, y, To565(kQuadrant[QuadrantOf(x, y, n)]));
    return bm;
  }

  BitmapTestGame game;
  std::unique_ptr<CQuellarImageRotatorScaler> rot;
};

struct TurnCase {
  FIXED_FLOAT angle;
  int turns; // quarter turns clockwise it must show
  FIXED_FLOAT_16 scale;
  int flags;
};

void PrintTo(const TurnCase& c, std::ostream* os) {
  *os << "angle " << c.angle << " scale " << c.scale << " flags " << c.flags;
}

class SoftTurns : public SoftRotator,
                  public ::testing::WithParamInterface<std::tuple<TurnCase, int, bool>> {};

// An 8 x 8 quadrant picture is drawn about the destination's centre; a probe in each screen
// quadrant must show the picture quadrant the turn (and mirror) brings there, and probes beyond
// the scaled half size must stay untouched.
TEST_P(SoftTurns, CornersLandWhereTheTurnTakesThem) {
  const auto& [c, quality, alphaMap] = GetParam();
  rot->SetQuality(quality);
  auto src = Quadrants(8, alphaMap);
  auto dest = MakeBitmap565(kSize, kSize, 0);
  rot->DrawRotatedBitmap(src.get(), dest.get(), kCentre * 256, kCentre * 256, c.angle, c.scale, c.flags);

  // Probe offsets that sample source pixels 2 and 5 or 6 (never an edge pixel), per scale; and a
  // distance that lies outside the picture.
  int near = -2, far = 1, outside = 6;
  if (c.scale == 2 * 65536) near = -4, far = 3, outside = 11;
  if (c.scale == 32768) near = -1, far = 1, outside = 3;
  const int probe[4][2] = {{near, near}, {far, near}, {far, far}, {near, far}};
  for (int p = 0; p < 4; p++) {
    int x = kCentre + probe[p][0], y = kCentre + probe[p][1];
    EXPECT_EQ(ShownAt(p, c.turns, c.flags & 1), NearestQuadrant565(Pixel(dest.get(), x, y)))
        << "screen quadrant " << p << " at " << x << "," << y;
  }
  for (int dx : {-outside, outside}) {
    EXPECT_EQ(0, Pixel(dest.get(), kCentre + dx, kCentre)) << dx;
    EXPECT_EQ(0, Pixel(dest.get(), kCentre, kCentre + dx)) << dx;
  }
}

INSTANTIATE_TEST_SUITE_P(
    AnglesScalesMirrors, SoftTurns,
    ::testing::Combine(
        ::testing::Values(TurnCase{0, 0, 65536, 0}, TurnCase{Degrees(90), 1, 65536, 0},
                          TurnCase{Degrees(180), 2, 65536, 0}, TurnCase{Degrees(270), 3, 65536, 0},
                          // A full turn draws as none; negative angles turn back.
                          TurnCase{Degrees(360), 0, 65536, 0}, TurnCase{Degrees(-90), 3, 65536, 0},
                          // Far outside one turn either way.
                          TurnCase{Degrees(-630), 1, 65536, 0}, TurnCase{Degrees(1170), 1, 65536, 0},
                          TurnCase{Degrees(90), 1, 2 * 65536, 0}, TurnCase{Degrees(180), 2, 32768, 0},
                          // Bit 0 mirrors; bit 1 means nothing to the software path.
                          TurnCase{0, 0, 65536, 1}, TurnCase{Degrees(90), 1, 65536, 1},
                          TurnCase{Degrees(90), 1, 65536, 2}),
        ::testing::Values(0, 1, 2), ::testing::Bool()));

// A double-resolution picture (16 x 16 stored, 8 x 8 on the device) is drawn whole at its device
// size, at every quality and with or without an alpha map, and its rotated copy is 8 x 8 too.
TEST_F(SoftRotator, DoubleResolutionSourcesShowTheirWholePictureAtDeviceSize) {
  game.m_b2xImages = 1;
  const int probe[4][2] = {{-2, -2}, {1, -2}, {1, 1}, {-2, 1}};
  for (bool alphaMap : {false, true}) {
    auto src = Quadrants(16, alphaMap, &game);
    src->m_b2xImage = 1;
    src->UpdateWidthAndHeight();
    ASSERT_EQ(8, src->GetDeviceWidth());
    for (int quality : {0, 1, 2}) {
      SCOPED_TRACE(testing::Message() << "quality " << quality << " alpha map " << alphaMap);
      rot->SetQuality(quality);
      auto dest = MakeBitmap565(kSize, kSize, 0);
      rot->DrawRotatedBitmap(src.get(), dest.get(), kCentre * 256, kCentre * 256, Degrees(90), 65536, 0);
      for (int p = 0; p < 4; p++)
        EXPECT_EQ(ShownAt(p, 1, false),
                  NearestQuadrant565(Pixel(dest.get(), kCentre + probe[p][0], kCentre + probe[p][1])))
            << "screen quadrant " << p;
      EXPECT_EQ(0, Pixel(dest.get(), kCentre + 6, kCentre)) << "drawn beyond the device size";
    }
    std::unique_ptr<IDibBitmap> copy(rot->CreateRotatedBitmap(src.get(), Degrees(180), 256));
    ASSERT_TRUE(copy);
    EXPECT_EQ(8, copy->GetStoredWidth());
    for (int p = 0; p < 4; p++)
      EXPECT_EQ(ShownAt(p, 2, false), NearestQuadrant565(Pixel(copy.get(), 4 + probe[p][0], 4 + probe[p][1])))
          << "rotated copy, quadrant " << p;
  }
}

TEST_F(SoftRotator, SmallTurnsStayInsideTheRotatedOutline) {
  // A 45-degree turn of an opaque square: its corners point up, down, left and right, so the box's
  // corners stay empty while the tips along the axes are drawn.
  for (int quality : {0, 1, 2}) {
    SCOPED_TRACE(quality);
    rot->SetQuality(quality);
    auto src = MakeBitmap565(10, 10, 0xFFFF, 255);
    auto dest = MakeBitmap565(kSize, kSize, 0);
    rot->DrawRotatedBitmap(src.get(), dest.get(), kCentre * 256, kCentre * 256, Degrees(45), 65536, 0);
    EXPECT_NE(0, Pixel(dest.get(), kCentre, kCentre - 5));
    EXPECT_NE(0, Pixel(dest.get(), kCentre - 5, kCentre));
    EXPECT_EQ(0, Pixel(dest.get(), kCentre - 5, kCentre - 5));
    EXPECT_EQ(0, Pixel(dest.get(), kCentre + 5, kCentre + 5));
  }
}

// ---- per-pixel arithmetic of the modes ----

enum Mode { PLAIN, TRANSLUCENT, MULTIPLY, ADDITIVE, ALPHA_CHANNEL };

struct PixelCase {
  const char* name;
  Mode mode;
  int quality;
  int alphaMap; // value of the source's alpha map, -1 for none
  bool pixels;  // whether the source keeps its colour pixels
  u16 src, dest;
  u8 r, g, b;
  int alpha;
  u16 expected; // the destination pixel that samples source pixel (2, 2) exactly
};

void PrintTo(const PixelCase& c, std::ostream* os) { *os << c.name; }

u16 C565(int r5, int g6, int b5) { return (u16)((r5 << 11) | (g6 << 5) | b5); }

class SoftPixel : public SoftRotator, public ::testing::WithParamInterface<PixelCase> {};

TEST_P(SoftPixel, CentrePixel) {
  const PixelCase& c = GetParam();
  rot->SetQuality(c.quality);
  auto src = MakeBitmap565(4, 4, c.src, c.alphaMap);
  if (!c.pixels) src->DestroyBits();
  auto dest = MakeBitmap565(8, 8, c.dest);
  const FIXED_FLOAT x = 4 * 256, y = 4 * 256; // pixel (4, 4) samples source (2, 2) at fraction 0
  switch (c.mode) {
  case PLAIN:
    rot->DrawRotatedBitmap(src.get(), dest.get(), x, y, 0, 65536, 0);
    break;
  case TRANSLUCENT:
    rot->DrawRotatedBitmapTransparent(src.get(), dest.get(), x, y, 0, 65536, c.alpha, 0);
    break;
  case MULTIPLY:
    rot->DrawRotatedBitmapMultiply(src.get(), dest.get(), x, y, 0, 65536, c.r, c.g, c.b, c.alpha, 0);
    break;
  case ADDITIVE:
    rot->DrawRotatedBitmapAdditive(src.get(), dest.get(), x, y, 0, 65536, c.r, c.g, c.b, c.alpha, 0);
    break;
  case ALPHA_CHANNEL:
    rot->DrawRotatedBitmapAlphaChannel(src.get(), dest.get(), x, y, 0, 65536, c.r, c.g, c.b, c.alpha, 0);
    break;
  }
  EXPECT_EQ(c.expected, Pixel(dest.get(), 4, 4));
}

const u16 kWhite = 0xFFFF, kRed = 0xF800, kBlue = 0x001F;

// Worked by hand. At fraction 0 the bilinear weights are 254, 0, 0, 0 (255 complements), so a
// filtered channel c comes out as (254 c) >> 8: 31 -> 30, 63 -> 62, 16 -> 15, 32 -> 31.
INSTANTIATE_TEST_SUITE_P(
    Modes, SoftPixel,
    ::testing::Values(
        // Four opaque samples (sum >= 1000): written without blending.
        PixelCase{"PlainOpaque", PLAIN, 2, 255, true, kWhite, 0, 0, 0, 0, 0, C565(30, 62, 30)},
        // Alpha 128: a = (254 x 128) >> 8 = 127; red 127 x 30 >> 8 = 14, blue 31 + floor(127 x -31 / 256).
        PixelCase{"PlainHalfAlpha", PLAIN, 2, 128, true, kRed, kBlue, 0, 0, 0, 0, C565(14, 0, 15)},
        // Lowest: 4-bit blend in spread form, (128 >> 4) / 16 of the way; green's low bit is lost.
        PixelCase{"LowestHalfAlpha", PLAIN, 0, 128, true, kRed, kBlue, 0, 0, 0, 0, 0x780F},
        PixelCase{"LowestOpaqueCopiesTheWord", PLAIN, 0, 250, true, kWhite, 0, 0, 0, 0, 0, kWhite},
        // High blends in spread form, which drops green's lowest bit.
        PixelCase{"HighOpaque", PLAIN, 1, 255, true, kWhite, 0, 0, 0, 0, 0, 0xFFDF},
        // Quality values other than 0 and 1 run the Highest loop.
        PixelCase{"QualityFiveIsHighest", PLAIN, 5, 255, true, kWhite, 0, 0, 0, 0, 0, C565(30, 62, 30)},
        // No alpha map: interior coverage 255, at every quality.
        PixelCase{"NoAlphaMapLowest", PLAIN, 0, -1, true, kWhite, 0, 0, 0, 0, 0, C565(30, 62, 30)},
        // Translucent: 255 - 128 = 127 -> 127 x 30 >> 8 = 14, 127 x 62 >> 8 = 30.
        PixelCase{"TranslucentHalf", TRANSLUCENT, 2, 255, true, kWhite, 0, 0, 0, 0, -128, C565(14, 30, 14)},
        PixelCase{"TranslucentGone", TRANSLUCENT, 2, 255, true, kWhite, 0, 0, 0, 0, -255, 0},
        PixelCase{"TranslucentZeroIsPlain", TRANSLUCENT, 0, 255, true, kWhite, 0, 0, 0, 0, 0, kWhite},
        // Without an alpha map the fade uses the coverage, as on the screen.
        PixelCase{"TranslucentNoAlphaMap", TRANSLUCENT, 2, -1, true, kWhite, 0, 0, 0, 0, -128,
                  C565(14, 30, 14)},
        // Multiply: (255 x 30) >> 8 = 29, (128 x 62) >> 8 = 31, 0.
        PixelCase{"Multiply", MULTIPLY, 2, 255, true, kWhite, 0, 255, 128, 0, 0, C565(29, 31, 0)},
        PixelCase{"MultiplyPositiveAlphaIsOpaque", MULTIPLY, 0, 255, true, kWhite, 0, 255, 255, 255, 40,
                  C565(29, 61, 29)},
        PixelCase{"MultiplyNoAlphaMap", MULTIPLY, 2, -1, true, kWhite, 0, 255, 128, 0, 0, C565(29, 31, 0)},
        // Additive: 15 x 31 >> 5 = 14, 31 x 63 >> 6 = 30, added to (5, 10, 5).
        PixelCase{"Additive", ADDITIVE, 2, 255, true, C565(16, 32, 16), C565(5, 10, 5), 255, 255, 255, 0,
                  C565(19, 40, 19)},
        PixelCase{"AdditiveSaturates", ADDITIVE, 2, 255, true, kWhite, kWhite, 255, 255, 255, 0, kWhite},
        // Half opacity: (127 x 14) >> 8 = 6, (127 x 30) >> 8 = 14.
        PixelCase{"AdditiveHalf", ADDITIVE, 2, 255, true, C565(16, 32, 16), C565(5, 10, 5), 255, 255, 255,
                  -128, C565(11, 24, 11)},
        PixelCase{"AdditiveNoAlphaMap", ADDITIVE, 2, -1, true, C565(16, 32, 16), C565(5, 10, 5), 255, 255,
                  255, 0, C565(19, 40, 19)},
        // Quality 0 samples the nearest pixel unfiltered: 16 x 31 >> 5 = 15, 32 x 63 >> 6 = 31.
        PixelCase{"AdditiveNoAlphaMapLowest", ADDITIVE, 0, -1, true, C565(16, 32, 16), C565(5, 10, 5), 255,
                  255, 255, 0, C565(20, 41, 20)},
        PixelCase{"AdditiveBlackLeavesDest", ADDITIVE, 2, -1, true, 0, C565(5, 10, 5), 255, 255, 255, 0,
                  C565(5, 10, 5)},
        // Alpha channel: the flat colour through the map; 200 x 31 >> 8 = 24. No colour pixels needed.
        PixelCase{"AlphaChannel", ALPHA_CHANNEL, 2, 255, false, 0, 0, 255, 0, 0, -55, C565(24, 0, 0)},
        PixelCase{"AlphaChannelOpaque", ALPHA_CHANNEL, 1, 255, false, 0, 0, 0, 255, 0, 0, C565(0, 63, 0)},
        PixelCase{"AlphaChannelNeedsTheMap", ALPHA_CHANNEL, 2, -1, true, kWhite, 0, 255, 0, 0, 0, 0}),
    [](const ::testing::TestParamInfo<PixelCase>& info) { return std::string(info.param.name); });

// ---- edges, clipping and guards ----

TEST_F(SoftRotator, LowerQualitiesLeaveTheSourcesLastRowAndColumnAndTheDestinationsLastColumn) {
  // A 4 x 4 opaque picture whose right half runs off the 8 x 8 destination's right edge.
  for (int quality : {0, 1, 2}) {
    SCOPED_TRACE(quality);
    rot->SetQuality(quality);
    auto src = MakeBitmap565(4, 4, kWhite, 255);
    auto dest = MakeBitmap565(8, 8, 0);
    rot->DrawRotatedBitmap(src.get(), dest.get(), 7 * 256, 4 * 256, 0, 65536, 0);
    // Pixels 5 and 6 sample source columns 0 and 1; the last column (7) samples column 2.
    EXPECT_NE(0, Pixel(dest.get(), 6, 4));
    EXPECT_EQ(quality == 2, Pixel(dest.get(), 7, 4) != 0);

    // Centred: the source's last row (row 3 lands on row 5) only at Highest.
    dest = MakeBitmap565(8, 8, 0);
    rot->DrawRotatedBitmap(src.get(), dest.get(), 4 * 256, 4 * 256, 0, 65536, 0);
    EXPECT_NE(0, Pixel(dest.get(), 3, 4));
    EXPECT_EQ(quality == 2, Pixel(dest.get(), 3, 5) != 0);
  }
}

TEST_F(SoftRotator, HighestFadesTheBorderOfASourceWithoutAlphaMap) {
  auto src = MakeBitmap565(4, 4, kWhite);
  auto dest = MakeBitmap565(8, 8, 0);
  // Half a pixel off the grid: the outer pixels are edge pixels and only partly covered.
  rot->DrawRotatedBitmap(src.get(), dest.get(), 4 * 256 + 128, 4 * 256 + 128, 0, 65536, 0);
  u16 inner = Pixel(dest.get(), 4, 4), border = Pixel(dest.get(), 2, 4);
  EXPECT_GT(inner >> 11, 20);
  EXPECT_GT(border >> 11, 0);
  EXPECT_LT(border >> 11, inner >> 11);
}

TEST_F(SoftRotator, ScalesBelowOneSixteenthOrNotPositiveDrawNothing) {
  auto src = MakeBitmap565(8, 8, kWhite, 255);
  for (FIXED_FLOAT_16 scale : {0, -65536, INT_MIN, 4095}) {
    auto dest = MakeBitmap565(16, 16, 0);
    for (int quality : {0, 1, 2}) {
      rot->SetQuality(quality);
      rot->DrawRotatedBitmap(src.get(), dest.get(), 8 * 256, 8 * 256, Degrees(30), scale, 0);
      rot->DrawRotatedBitmapAdditive(src.get(), dest.get(), 8 * 256, 8 * 256, 0, scale, 255, 255, 255, 0, 0);
    }
    EXPECT_EQ(std::vector<u16>(256, 0), Pixels(dest.get())) << scale;
  }
  // 1/16 itself still draws (an 8 x 8 picture becomes a point).
  auto dest = MakeBitmap565(16, 16, 0);
  rot->DrawRotatedBitmap(src.get(), dest.get(), 8 * 256, 8 * 256, 0, 4096, 0);
  EXPECT_NE(std::vector<u16>(256, 0), Pixels(dest.get()));
}

TEST_F(SoftRotator, HugeScalesFillTheDestinationWithTheCentrePixel) {
  // One source pixel grows past the whole destination: every pixel shows it, nothing overflows.
  // The 9 x 9 picture's centre lies inside its bottom-right (blue) quadrant.
  auto src = Quadrants(9, true);
  for (FIXED_FLOAT_16 scale : {1000 * 65536, INT_MAX}) {
    for (int quality : {0, 1, 2}) {
      SCOPED_TRACE(testing::Message() << "scale " << scale << " quality " << quality);
      rot->SetQuality(quality);
      auto dest = MakeBitmap565(16, 16, 0);
      rot->DrawRotatedBitmap(src.get(), dest.get(), 8 * 256, 8 * 256, Degrees(10), scale, 0);
      // Lower qualities never write the last column.
      for (int y = 0; y < 16; y++)
        for (int x = 0; x < (quality == 2 ? 16 : 15); x++)
          ASSERT_EQ(2, NearestQuadrant565(Pixel(dest.get(), x, y))) << x << "," << y;
    }
  }
}

TEST_F(SoftRotator, BoxesJustOutsideAndFarOffPositionsDrawNothing) {
  auto src = MakeBitmap565(4, 4, kWhite, 255);
  // The 4 x 4 box ends one to two pixels above or left of the destination; then positions at the
  // ends of the fixed-point range.
  const FIXED_FLOAT positions[][2] = {{4 * 256, -3 * 256},     {4 * 256, -4 * 256 + 1}, {-3 * 256, 4 * 256},
                                      {-4 * 256 + 1, 4 * 256}, {INT_MIN, INT_MIN},      {INT_MAX, INT_MAX},
                                      {INT_MIN, INT_MAX}};
  for (int quality : {0, 1, 2}) {
    rot->SetQuality(quality);
    for (const auto& p : positions) {
      auto dest = MakeBitmap565(8, 8, 0);
      rot->DrawRotatedBitmap(src.get(), dest.get(), p[0], p[1], Degrees(0), 65536, 0);
      rot->DrawRotatedBitmapMultiply(src.get(), dest.get(), p[0], p[1], 0, 65536, 9, 9, 9, 0, 0);
      EXPECT_EQ(std::vector<u16>(64, 0), Pixels(dest.get())) << quality << ": " << p[0] << "," << p[1];
    }
  }
}

TEST_F(SoftRotator, MissingBitmapsOrPixelsDrawNothing) {
  auto src = MakeBitmap565(4, 4, kWhite, 255);
  auto dest = MakeBitmap565(8, 8, 0);
  auto noPixels = MakeBitmap565(8, 8, 0);
  noPixels->DestroyBits();
  rot->DrawRotatedBitmap(nullptr, dest.get(), 1024, 1024, 0, 65536, 0);
  rot->DrawRotatedBitmap(src.get(), nullptr, 1024, 1024, 0, 65536, 0);
  rot->DrawRotatedBitmap(src.get(), noPixels.get(), 1024, 1024, 0, 65536, 0);
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(nullptr, dest.get(), 0, 0, 0, 0, 0, 65536, 0, 0, 0, 0,
                                                      0, 0);
  EXPECT_EQ(std::vector<u16>(64, 0), Pixels(dest.get()));
  // A source that lost its colour pixels draws nothing but its alpha-channel silhouette.
  src->DestroyBits();
  rot->DrawRotatedBitmap(src.get(), dest.get(), 1024, 1024, 0, 65536, 0);
  rot->DrawRotatedBitmapAdditive(src.get(), dest.get(), 1024, 1024, 0, 65536, 255, 255, 255, 0, 0);
  EXPECT_EQ(std::vector<u16>(64, 0), Pixels(dest.get()));
  rot->DrawRotatedBitmapAlphaChannel(src.get(), dest.get(), 1024, 1024, 0, 65536, 255, 255, 255, 0, 0);
  EXPECT_NE(0, Pixel(dest.get(), 4, 4));
}

TEST_F(SoftRotator, TurnedDestinationsMoveTheCentreForEveryMode) {
  // A destination held turned (orientation mode 1) while input is turned: the centre (x, y)
  // becomes (y, H - x - 1) in the stored grid, for the tinted draw as for the others.
  game.m_nInputOrientation = 1;
  auto src = MakeBitmap565(2, 2, kWhite, 255);
  for (Mode mode : {PLAIN, TRANSLUCENT, MULTIPLY, ADDITIVE, ALPHA_CHANNEL}) {
    SCOPED_TRACE(mode);
    auto dest = std::make_unique<CWinDibBitmap>(&game);
    dest->SetOrientaionMode(1);
    ASSERT_TRUE(dest->Create(16, 12));
    dest->DestroyAlpha();
    memset(dest->GetBits(), 0, 16 * 12 * 2);
    const FIXED_FLOAT x = 3 * 256, y = 9 * 256;
    switch (mode) {
    case PLAIN:
      rot->DrawRotatedBitmap(src.get(), dest.get(), x, y, 0, 65536, 0);
      break;
    case TRANSLUCENT:
      rot->DrawRotatedBitmapTransparent(src.get(), dest.get(), x, y, 0, 65536, -10, 0);
      break;
    case MULTIPLY:
      rot->DrawRotatedBitmapMultiply(src.get(), dest.get(), x, y, 0, 65536, 255, 255, 255, 0, 0);
      break;
    case ADDITIVE:
      rot->DrawRotatedBitmapAdditive(src.get(), dest.get(), x, y, 0, 65536, 255, 255, 255, 0, 0);
      break;
    case ALPHA_CHANNEL:
      rot->DrawRotatedBitmapAlphaChannel(src.get(), dest.get(), x, y, 0, 65536, 255, 255, 255, 0, 0);
      break;
    }
    // Device centre (9, 12 - 3 - 1) = (9, 8): the picture's first pixel lands at (8, 7).
    EXPECT_NE(0, Pixel(dest.get(), 8, 7));
    EXPECT_EQ(0, Pixel(dest.get(), 2, 8)); // where the unmapped centre would have put it
  }
}

TEST_F(SoftRotator, ARotatorWithoutTablesDrawsNothing) {
  // Never initialised, and refused at Initialize: neither may read a table.
  CQuellarImageRotatorScaler fresh(&game, 360000), refused(&game, 0);
  ASSERT_EQ(0, refused.Initialize());
  auto src = MakeBitmap565(4, 4, kWhite, 255);
  auto dest = MakeBitmap565(8, 8, 0);
  for (CQuellarImageRotatorScaler* r : {&fresh, &refused}) {
    r->DrawRotatedBitmap(src.get(), dest.get(), 1024, 1024, Degrees(30), 65536, 0);
    r->DrawRotatedBitmapAdditive(src.get(), dest.get(), 1024, 1024, 0, 65536, 255, 255, 255, 0, 0);
    r->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 1024, 1024, 0, 0, 0, 65536, 0, 0,
                                                      0, 0, 0, 0);
    EXPECT_EQ(nullptr, r->CreateRotatedBitmap(src.get(), 0, 256));
  }
  EXPECT_EQ(std::vector<u16>(64, 0), Pixels(dest.get()));
}

TEST_F(SoftRotator, OriginFarFromTheCentreAtHugeScalesStaysOffTheDestination) {
  // The centre lands far outside; it must not wrap round onto the destination.
  auto src = MakeBitmap565(4, 4, kWhite, 255);
  auto dest = MakeBitmap565(8, 8, 0);
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 1024, 1024, Degrees(90), INT_MIN,
                                                      INT_MAX, INT_MAX, 0, 0, 0, 0, 0, 0);
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 1024, 1024, 0, -(1 << 22), 0,
                                                      1 << 24, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(std::vector<u16>(64, 0), Pixels(dest.get()));
}

// ---- placing by a source point ----

TEST_F(SoftRotator, OriginAtTheCentreDrawsLikeTheCentredOperation) {
  auto src = Quadrants(8, true);
  for (int angle : {0, 30, 90, 200, -45}) {
    for (int mode = 0; mode < 4; mode++) {
      SCOPED_TRACE(testing::Message() << "angle " << angle << " mode " << mode);
      auto byOrigin = MakeBitmap565(kSize, kSize, 0x1234);
      auto centred = MakeBitmap565(kSize, kSize, 0x1234);
      rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), byOrigin.get(), 10 * 256, 12 * 256,
                                                          Degrees(angle), 4 * 256, 4 * 256, 65536, mode, -20,
                                                          200, 100, 50, 0);
      switch (mode) {
      case 0:
        rot->DrawRotatedBitmapTransparent(src.get(), centred.get(), 10 * 256, 12 * 256, Degrees(angle), 65536,
                                          -20, 0);
        break;
      case 1:
        rot->DrawRotatedBitmapAdditive(src.get(), centred.get(), 10 * 256, 12 * 256, Degrees(angle), 65536,
                                       200, 100, 50, -20, 0);
        break;
      case 2:
        rot->DrawRotatedBitmapMultiply(src.get(), centred.get(), 10 * 256, 12 * 256, Degrees(angle), 65536,
                                       200, 100, 50, -20, 0);
        break;
      case 3:
        rot->DrawRotatedBitmapAlphaChannel(src.get(), centred.get(), 10 * 256, 12 * 256, Degrees(angle),
                                           65536, 200, 100, 50, -20, 0);
        break;
      }
      EXPECT_EQ(Pixels(centred.get()), Pixels(byOrigin.get()));
      EXPECT_NE(std::vector<u16>(kSize * kSize, 0x1234), Pixels(byOrigin.get()));
    }
  }
}

TEST_F(SoftRotator, OriginAtTheTopLeftTurnsAboutThatCorner) {
  auto src = Quadrants(8, true);
  auto dest = MakeBitmap565(kSize, kSize, 0);
  // A quarter turn clockwise about the picture's top-left corner at (16, 16): the picture now
  // hangs down and to the left of that point, its red quadrant touching it.
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 16 * 256, 16 * 256, Degrees(90),
                                                      0, 0, 65536, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(0, NearestQuadrant565(Pixel(dest.get(), 14, 17)));
  EXPECT_EQ(1, NearestQuadrant565(Pixel(dest.get(), 14, 21)));
  EXPECT_EQ(3, NearestQuadrant565(Pixel(dest.get(), 10, 17)));
  EXPECT_EQ(0, Pixel(dest.get(), 18, 18));
  EXPECT_EQ(0, Pixel(dest.get(), 14, 13));
  // Scale doubles the distance of the centre from the origin point as well as the picture.
  dest = MakeBitmap565(kSize, kSize, 0);
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 16 * 256, 16 * 256, 0, 0, 0,
                                                      2 * 65536, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(0, NearestQuadrant565(Pixel(dest.get(), 17, 17)));
  EXPECT_EQ(2, NearestQuadrant565(Pixel(dest.get(), 29, 29)));
  EXPECT_EQ(0, Pixel(dest.get(), 15, 15));
}

TEST_F(SoftRotator, OriginOperationDispatchesByBlendMode) {
  auto src = MakeBitmap565(4, 4, kWhite, 255);
  // Modes outside 0..3 draw nothing.
  for (int mode : {-1, 4, 99}) {
    auto dest = MakeBitmap565(8, 8, 0);
    rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 4 * 256, 4 * 256, 0, 2 * 256,
                                                        2 * 256, 65536, mode, 0, 255, 255, 255, 0);
    EXPECT_EQ(std::vector<u16>(64, 0), Pixels(dest.get())) << mode;
  }
  // Mode 0 with alpha -1 is the translucent draw, which filters at every quality, where the plain
  // draw at quality 0 would copy the word.
  rot->SetQuality(0);
  auto dest = MakeBitmap565(8, 8, 0);
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 4 * 256, 4 * 256, 0, 2 * 256,
                                                      2 * 256, 65536, 0, -1, 0, 0, 0, 0);
  EXPECT_EQ(C565(30, 62, 30), Pixel(dest.get(), 4, 4));
  // Colours are passed on as their low bytes: 0x1FF is 255.
  dest = MakeBitmap565(8, 8, 0);
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(src.get(), dest.get(), 4 * 256, 4 * 256, 0, 2 * 256,
                                                      2 * 256, 65536, 3, 0, 0x1FF, 0x100, 0x100, 0);
  EXPECT_EQ(C565(31, 0, 0), Pixel(dest.get(), 4, 4));
}

TEST_F(SoftRotator, FixedSquareBoundsCutTheCornersOfATurnedSquare) {
  auto src = MakeBitmap565(8, 8, kWhite, 255);
  auto free = MakeBitmap565(kSize, kSize, 0), fixed = MakeBitmap565(kSize, kSize, 0);
  rot->DrawRotatedBitmap(src.get(), free.get(), kCentre * 256, kCentre * 256, Degrees(45), 65536, 0);
  rot->m_bFixedSquareBounds = true;
  rot->DrawRotatedBitmap(src.get(), fixed.get(), kCentre * 256, kCentre * 256, Degrees(45), 65536, 0);
  // The turned square's tip above the unturned square's top edge (16 - 4) is drawn only without.
  EXPECT_NE(0, Pixel(free.get(), kCentre, kCentre - 5));
  EXPECT_EQ(0, Pixel(fixed.get(), kCentre, kCentre - 5));
  EXPECT_EQ(Pixel(free.get(), kCentre, kCentre), Pixel(fixed.get(), kCentre, kCentre));
}

} // namespace
