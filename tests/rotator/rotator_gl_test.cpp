// Rotated and scaled draws onto the GL screen, read back from a headless context: where each corner
// of an asymmetric picture lands, mirroring, and the opacity and colour of each blend mode.
#include "../gl/gl_scene.h"
#include "rotator_test_support.h"

namespace {

class ScreenRotator : public GLScene {
protected:
  void SetUp() override {
    GLScene::SetUp();
    rot = GameRotator(&game);
  }

  std::unique_ptr<CBitmapHW> QuadrantPicture(int n) {
    return ImageOf(n, n, [n](int x, int y) { return To565(kQuadrant[QuadrantOf(x, y, n)]); });
  }

  static Colour Of(const Rgb8& c) { return Quantized(c.r, c.g, c.b); }

  std::unique_ptr<CQuellarImageRotatorScaler> rot;
};

constexpr int kCx = 48, kCy = 32; // the screen's centre

struct ScreenTurn {
  FIXED_FLOAT angle;
  int turns;
  int flags;
};

void PrintTo(const ScreenTurn& c, std::ostream* os) { *os << "angle " << c.angle << " flags " << c.flags; }

class ScreenTurns : public ScreenRotator, public ::testing::WithParamInterface<ScreenTurn> {};

// An 8 x 8 quadrant picture at double size: each screen quadrant around the centre must show the
// picture quadrant the clockwise turn (and the mirrors) bring there, and nothing beyond 8 pixels.
TEST_P(ScreenTurns, CornersLandWhereTheTurnTakesThem) {
  const ScreenTurn& c = GetParam();
  auto img = QuadrantPicture(8);
  screen->ClearBitmap(0, 0, 0);
  rot->DrawRotatedBitmap(img.get(), screen.get(), kCx * 256, kCy * 256, c.angle, 2 * 65536, c.flags);
  static const int vertical[4] = {3, 2, 1, 0};
  const int probe[4][2] = {{-4, -4}, {4, -4}, {4, 4}, {-4, 4}};
  for (int p = 0; p < 4; p++) {
    int shown = ShownAt(p, c.turns, c.flags & 1);
    if (c.flags & 2) shown = ShownAt(vertical[ShownAt(p, c.turns, false)], 0, c.flags & 1);
    EXPECT_TRUE(Near(At(kCx + probe[p][0], kCy + probe[p][1]), Of(kQuadrant[shown])))
        << "screen quadrant " << p;
  }
  for (int d : {-10, 10}) {
    EXPECT_TRUE(Near(At(kCx + d, kCy), Quantized(0, 0, 0))) << d;
    EXPECT_TRUE(Near(At(kCx, kCy + d), Quantized(0, 0, 0))) << d;
  }
}

INSTANTIATE_TEST_SUITE_P(AnglesAndMirrors, ScreenTurns,
                         ::testing::Values(ScreenTurn{0, 0, 0}, ScreenTurn{Degrees(90), 1, 0},
                                           ScreenTurn{Degrees(180), 2, 0}, ScreenTurn{Degrees(270), 3, 0},
                                           ScreenTurn{Degrees(360), 0, 0}, ScreenTurn{Degrees(-90), 3, 0},
                                           ScreenTurn{Degrees(-630), 1, 0}, ScreenTurn{0, 0, 1},
                                           ScreenTurn{Degrees(90), 1, 1}, ScreenTurn{0, 0, 2},
                                           ScreenTurn{0, 0, 3}));

TEST_F(ScreenRotator, ScaleAndAnEighthTurnShapeTheOutline) {
  auto img = Image(16, 16, Rgb565(255, 255, 255));
  screen->ClearBitmap(0, 0, 0);
  // At 45 degrees a 16-pixel square has its tips 11.3 pixels from the centre along the axes and
  // its box corners empty.
  rot->DrawRotatedBitmap(img.get(), screen.get(), kCx * 256, kCy * 256, Degrees(45), 65536, 0);
  EXPECT_TRUE(Near(At(kCx, kCy - 10), Quantized(255, 255, 255)));
  EXPECT_TRUE(Near(At(kCx + 10, kCy), Quantized(255, 255, 255)));
  EXPECT_TRUE(Near(At(kCx - 7, kCy - 7), Quantized(0, 0, 0)));
  // Half size, unturned: 8 pixels across.
  screen->ClearBitmap(0, 0, 0);
  rot->DrawRotatedBitmap(img.get(), screen.get(), kCx * 256, kCy * 256, 0, 32768, 0);
  EXPECT_TRUE(Near(At(kCx - 3, kCy + 3), Quantized(255, 255, 255)));
  EXPECT_TRUE(Near(At(kCx - 6, kCy), Quantized(0, 0, 0)));
  EXPECT_TRUE(Near(At(kCx + 5, kCy), Quantized(0, 0, 0)));
}

enum Mode { PLAIN, TRANSLUCENT, MULTIPLY, ADDITIVE, ALPHA_CHANNEL };

struct ScreenBlend {
  const char* name;
  Mode mode;
  int alphaMap; // -1: none
  u8 r, g, b;
  int alpha;
  Rgb8 expected; // over a (64, 64, 64) background
};

void PrintTo(const ScreenBlend& c, std::ostream* os) { *os << c.name; }

class ScreenBlends : public ScreenRotator, public ::testing::WithParamInterface<ScreenBlend> {};

TEST_P(ScreenBlends, CentreColour) {
  const ScreenBlend& c = GetParam();
  auto img = Image(8, 8, Rgb565(255, 255, 0), c.alphaMap);
  screen->ClearBitmap(64, 64, 64);
  const FIXED_FLOAT x = kCx * 256, y = kCy * 256, angle = Degrees(30);
  switch (c.mode) {
  case PLAIN:
    rot->DrawRotatedBitmap(img.get(), screen.get(), x, y, angle, 65536, 0);
    break;
  case TRANSLUCENT:
    rot->DrawRotatedBitmapTransparent(img.get(), screen.get(), x, y, angle, 65536, c.alpha, 0);
    break;
  case MULTIPLY:
    rot->DrawRotatedBitmapMultiply(img.get(), screen.get(), x, y, angle, 65536, c.r, c.g, c.b, c.alpha, 0);
    break;
  case ADDITIVE:
    rot->DrawRotatedBitmapAdditive(img.get(), screen.get(), x, y, angle, 65536, c.r, c.g, c.b, c.alpha, 0);
    break;
  case ALPHA_CHANNEL:
    rot->DrawRotatedBitmapAlphaChannel(img.get(), screen.get(), x, y, angle, 65536, c.r, c.g, c.b, c.alpha,
                                       0);
    break;
  }
  EXPECT_TRUE(Near(At(kCx, kCy), Of(c.expected)));
  EXPECT_TRUE(Near(At(kCx + 12, kCy), Quantized(66, 65, 66))); // outside the picture
}

// The picture is yellow over grey (66, 65, 66 once held in 5-6-5). Alpha maps reach the texture in
// 4 bits: 136 is 8/15.
INSTANTIATE_TEST_SUITE_P(
    Modes, ScreenBlends,
    ::testing::Values(ScreenBlend{"PlainWithoutAlphaMapIsOpaque", PLAIN, -1, 0, 0, 0, 0, {255, 255, 0}},
                      ScreenBlend{"PlainBlendsByTheMap", PLAIN, 136, 0, 0, 0, 0, {167, 166, 31}},
                      ScreenBlend{"TranslucentHalf", TRANSLUCENT, 255, 0, 0, 0, -128, {160, 160, 33}},
                      ScreenBlend{"TranslucentGone", TRANSLUCENT, 255, 0, 0, 0, -255, {66, 65, 66}},
                      ScreenBlend{
                          "TranslucentAboveZeroIsOpaque", TRANSLUCENT, 255, 0, 0, 0, 50, {255, 255, 0}},
                      ScreenBlend{"MultiplyTints", MULTIPLY, 255, 128, 255, 255, 0, {128, 255, 0}},
                      ScreenBlend{"MultiplyGone", MULTIPLY, 255, 255, 255, 255, -300, {66, 65, 66}},
                      ScreenBlend{"AdditiveAdds", ADDITIVE, 255, 0, 255, 255, 0, {66, 255, 66}},
                      ScreenBlend{"AlphaChannelIsAFlatColour", ALPHA_CHANNEL, 255, 0, 0, 255, 0, {0, 0, 255}},
                      ScreenBlend{"AlphaChannelHalf", ALPHA_CHANNEL, 255, 0, 0, 255, -128, {33, 32, 160}}),
    [](const ::testing::TestParamInfo<ScreenBlend>& info) { return std::string(info.param.name); });

TEST_F(ScreenRotator, ARotatorWithoutTablesDrawsNothing) {
  CQuellarImageRotatorScaler fresh(&game, 360000);
  auto img = Image(8, 8, Rgb565(255, 255, 255));
  screen->ClearBitmap(0, 0, 0);
  fresh.DrawRotatedBitmap(img.get(), screen.get(), kCx * 256, kCy * 256, Degrees(30), 65536, 0);
  EXPECT_TRUE(Near(At(kCx, kCy), Quantized(0, 0, 0)));
}

TEST_F(ScreenRotator, OriginOperationTurnsAboutTheGivenPoint) {
  auto img = QuadrantPicture(8);
  screen->ClearBitmap(0, 0, 0);
  // Top-left corner pinned at the centre, a quarter turn: the picture hangs down and to the left,
  // red beside the pin, green below red, white to the left of red.
  rot->DrawRotatedBitmapWithSourceOriginWithBlendMode(img.get(), screen.get(), kCx * 256, kCy * 256,
                                                      Degrees(90), 0, 0, 65536, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(kCx - 2, kCy + 1), Of(kQuadrant[0])));
  EXPECT_TRUE(Near(At(kCx - 2, kCy + 6), Of(kQuadrant[1])));
  EXPECT_TRUE(Near(At(kCx - 6, kCy + 1), Of(kQuadrant[3])));
  EXPECT_TRUE(Near(At(kCx + 2, kCy + 2), Quantized(0, 0, 0)));
}

} // namespace
