// The drawing layer's geometry, checked on the triangles every blit sends to the batcher: the four
// textured-triangle blits, the display's source clipping, stretching, scaling and rotation, the
// vertex colours from the tint cache, and the global transform.
#include <cmath>
#include <memory>

#include "display.h"
#include "game_test_support.h"
#include "surface.h"
#include "texture2d.h"

namespace {

double X(const QuellarVertex& v) { return CapturedBlit::Px(v.x); }
double Y(const QuellarVertex& v) { return CapturedBlit::Px(v.y); }
double U(const QuellarVertex& v) { return CapturedBlit::Px(v.u); }
double V(const QuellarVertex& v) { return CapturedBlit::Px(v.v); }

// The (u, v) drawn at the quad's corner nearest to (x, y).
std::pair<double, double> TexelAt(const CapturedBlit& b, double x, double y) {
  const QuellarVertex* best = &b.tri[0][0];
  double bestD = 1e30;
  for (const auto& t : b.tri)
    for (const QuellarVertex& v : t) {
      double d = (X(v) - x) * (X(v) - x) + (Y(v) - y) * (Y(v) - y);
      if (d < bestD) {
        bestD = d;
        best = &v;
      }
    }
  return {U(*best), V(*best)};
}

class BlitGeometry : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    lastBlendR = lastBlendG = lastBlendB = lastBlendA = 255;
    texture.bitmap = nullptr;
  }
  const CapturedBlit& Only() {
    EXPECT_EQ(capture.Blits().size(), 1u);
    return capture.Blits().back();
  }
  TriangleCapture capture;
  Texture2D texture;
};

TEST(FixedFloat16, HalfIsAddedBeforeTruncationTowardZero) {
  EXPECT_EQ(FixedFloat16FromDouble(1.5), 98304);
  EXPECT_EQ(FixedFloat16FromDouble(-1.5), -98303);
  EXPECT_EQ(FixedFloat16FromDouble(0.0), 0);
  EXPECT_EQ(FixedFloat16FromDouble(1e12), INT32_MAX);
  EXPECT_EQ(FixedFloat16FromDouble(-1e12), INT32_MIN);
}

TEST_F(BlitGeometry, PlainBlitCoversTheScaledRectangleWithTwoClockwiseTriangles) {
  texture.BlitAtPointUsingRect({10, 20}, {4, 8, 16, 12}, false, 2, 0.5f);
  const CapturedBlit& b = Only();
  EXPECT_DOUBLE_EQ(b.MinX(), 10);
  EXPECT_DOUBLE_EQ(b.MaxX(), 42);
  EXPECT_DOUBLE_EQ(b.MinY(), 20);
  EXPECT_DOUBLE_EQ(b.MaxY(), 26);
  // TL, TR, BR then TL, BR, BL: both wound clockwise on the y-down screen.
  for (const auto& t : b.tri) {
    double cross = (X(t[1]) - X(t[0])) * (Y(t[2]) - Y(t[0])) - (Y(t[1]) - Y(t[0])) * (X(t[2]) - X(t[0]));
    EXPECT_GT(cross, 0);
  }
  EXPECT_EQ(TexelAt(b, 10, 20), std::make_pair(4.0, 8.0));
  EXPECT_EQ(TexelAt(b, 42, 26), std::make_pair(20.0, 20.0));
}

TEST_F(BlitGeometry, FlipYWithNegativeScaleMirrorsIntoTheSpanBeforeThePoint) {
  texture.BlitAtPointUsingRectFlipY({100, 0}, {0, 0, 20, 10}, false, -1, 1);
  const CapturedBlit& b = Only();
  EXPECT_DOUBLE_EQ(b.MinX(), 80);
  EXPECT_DOUBLE_EQ(b.MaxX(), 100);
  // The rectangle's right column lands at x 80.
  EXPECT_EQ(TexelAt(b, 80, 0).first, 20.0);
  EXPECT_EQ(TexelAt(b, 100, 0).first, 0.0);

  capture.Clear();
  texture.BlitAtPointUsingRectFlipY({0, 50}, {0, 0, 20, 10}, false, 1, -2);
  const CapturedBlit& up = Only();
  EXPECT_DOUBLE_EQ(up.MinY(), 30);
  EXPECT_DOUBLE_EQ(up.MaxY(), 50);
  EXPECT_EQ(TexelAt(up, 0, 30).second, 10.0);
}

TEST_F(BlitGeometry, Rotated90LaysTheSourceOnItsSide) {
  texture.BlitAtPointUsingRectFlipYAndRotated90({0, 0}, {0, 0, 10, 20}, false, 1, 1);
  const CapturedBlit& b = Only();
  EXPECT_DOUBLE_EQ(b.MaxX() - b.MinX(), 20);
  EXPECT_DOUBLE_EQ(b.MaxY() - b.MinY(), 10);
  // TL takes the source's bottom-right texel, TR its top-right, BR its top-left, BL its bottom-left.
  EXPECT_EQ(TexelAt(b, 0, 0), std::make_pair(10.0, 20.0));
  EXPECT_EQ(TexelAt(b, 20, 0), std::make_pair(10.0, 0.0));
  EXPECT_EQ(TexelAt(b, 20, 10), std::make_pair(0.0, 0.0));
  EXPECT_EQ(TexelAt(b, 0, 10), std::make_pair(0.0, 20.0));
}

TEST_F(BlitGeometry, Rotated90WithNegativeScalesMirrorsOnBothAxesIntoTheSpansBeforeThePoint) {
  texture.BlitAtPointUsingRectFlipYAndRotated90({0, 0}, {0, 0, 10, 20}, false, -1, -1);
  const CapturedBlit& b = Only();
  // Negative positions are a fixed-point step off.
  EXPECT_NEAR(b.MinX(), -20, 1e-4);
  EXPECT_NEAR(b.MaxX(), 0, 1e-4);
  EXPECT_NEAR(b.MinY(), -10, 1e-4);
  EXPECT_NEAR(b.MaxY(), 0, 1e-4);
  // The unmirrored corners' texels, turned half round.
  EXPECT_EQ(TexelAt(b, -20, -10), std::make_pair(0.0, 0.0));
  EXPECT_EQ(TexelAt(b, 0, -10), std::make_pair(0.0, 20.0));
  EXPECT_EQ(TexelAt(b, 0, 0), std::make_pair(10.0, 20.0));
  EXPECT_EQ(TexelAt(b, -20, 0), std::make_pair(10.0, 0.0));
}

TEST_F(BlitGeometry, AngleTurnsAboutThePivot) {
  // A 40 x 10 quad at (0, 0): its centre is (20, 5).
  texture.BlitAtPointUsingRectFlipYWithAngle({0, 0}, {0, 0, 40, 10}, false, 1, 1, 90, {20, 5});
  const CapturedBlit& own = Only();
  EXPECT_NEAR((own.MinX() + own.MaxX()) / 2, 20, 1e-3);
  EXPECT_NEAR((own.MinY() + own.MaxY()) / 2, 5, 1e-3);
  EXPECT_NEAR(own.MaxX() - own.MinX(), 10, 1e-3);
  EXPECT_NEAR(own.MaxY() - own.MinY(), 40, 1e-3);

  // About a pivot 30 px left of the centre a quarter turn clockwise carries the centre 30 px up.
  capture.Clear();
  texture.BlitAtPointUsingRectFlipYWithAngle({0, 0}, {0, 0, 40, 10}, false, 1, 1, 90, {-10, 5});
  const CapturedBlit& moved = Only();
  EXPECT_NEAR((moved.MinX() + moved.MaxX()) / 2, -10, 1e-3);
  EXPECT_NEAR((moved.MinY() + moved.MaxY()) / 2, 35, 1e-3);
}

TEST_F(BlitGeometry, AngleBlitSamplesBottomUpUnlessScaleYIsNegative) {
  texture.BlitAtPointUsingRectFlipYWithAngle({0, 0}, {0, 0, 8, 8}, false, 1, 1, 0, {4, 4});
  EXPECT_EQ(TexelAt(Only(), 0, 0).second, 8.0);
  capture.Clear();
  texture.BlitAtPointUsingRectFlipYWithAngle({0, 8}, {0, 0, 8, 8}, false, 1, -1, 0, {4, 4});
  const CapturedBlit& upright = Only();
  EXPECT_DOUBLE_EQ(upright.MinY(), 0);
  EXPECT_EQ(TexelAt(upright, 0, 0).second, 0.0);
}

TEST_F(BlitGeometry, GlobalTransformAppliesToPositionsOnly) {
  g_glTranslateX = 5;
  g_glTranslateY = -2;
  GlScale(2, 0.5f);
  texture.BlitAtPointUsingRect({10, 20}, {0, 0, 8, 8}, false, 1, 1);
  const CapturedBlit& b = Only();
  EXPECT_DOUBLE_EQ(b.MinX(), 30);
  EXPECT_DOUBLE_EQ(b.MaxX(), 46);
  EXPECT_DOUBLE_EQ(b.MinY(), 9);
  EXPECT_DOUBLE_EQ(b.MaxY(), 13);
  EXPECT_EQ(TexelAt(b, 46, 13), std::make_pair(8.0, 8.0));
  ResetDrawingState();
}

TEST_F(BlitGeometry, VertexColoursClampTheTintCache) {
  struct {
    int r, g, b, a;
    u8 want[4];
  } cases[] = {
      {10, 20, 30, 40, {10, 20, 30, 40}},
      {300, -1, 255, 300, {255, 0, 255, 255}},
      {-200, 256, 0, -1, {0, 255, 0, 0}},
  };
  for (auto& c : cases) {
    lastBlendR = c.r;
    lastBlendG = c.g;
    lastBlendB = c.b;
    lastBlendA = c.a;
    capture.Clear();
    texture.BlitAtPointUsingRect({0, 0}, {0, 0, 4, 4}, false, 1, 1);
    for (const auto& t : Only().tri)
      for (const QuellarVertex& v : t) {
        EXPECT_EQ(v.r, c.want[0]);
        EXPECT_EQ(v.g, c.want[1]);
        EXPECT_EQ(v.b, c.want[2]);
        EXPECT_EQ(v.a, c.want[3]);
      }
  }
}

// --- Display ---

class DisplayGeometry : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    lastBlendR = lastBlendG = lastBlendB = lastBlendA = 255;
    surface.reset(FakeSurface(32, 32));
  }
  const CapturedBlit& Only() {
    EXPECT_EQ(capture.Blits().size(), 1u);
    return capture.Blits().back();
  }
  TriangleCapture capture;
  Display d;
  std::unique_ptr<Surface> surface;
};

TEST_F(DisplayGeometry, BlitClipsTheSourceAtTheTrimmedImage) {
  myRect src(-10, 0, 40, 20);
  d.Blit(5, 7, surface.get(), &src);
  const CapturedBlit& b = Only();
  // ix 0, dx 10, iw 50 limited to the width 32, ih 20, drawn at (x + 10, y).
  EXPECT_DOUBLE_EQ(b.MinX(), 15);
  EXPECT_DOUBLE_EQ(b.MaxX(), 47);
  EXPECT_DOUBLE_EQ(b.MinY(), 7);
  EXPECT_DOUBLE_EQ(b.MaxY(), 27);
  EXPECT_EQ(TexelAt(b, 47, 27), std::make_pair(32.0, 20.0));

  // An atlas entry: the trimmed image starts at its offset inside the frame.
  capture.Clear();
  surface->atlasX = 100;
  surface->atlasY = 50;
  surface->offsetX = 3;
  surface->offsetY = 4;
  d.Blit(0, 0, surface.get());
  const CapturedBlit& whole = Only();
  EXPECT_DOUBLE_EQ(whole.MinX(), 3);
  EXPECT_DOUBLE_EQ(whole.MinY(), 4);
  EXPECT_EQ(TexelAt(whole, 3, 4), std::make_pair(100.0, 50.0));
}

TEST_F(DisplayGeometry, StretchWithReversedCornersMirrors) {
  d.BlitStretch(100, 50, 20, 90, surface.get());
  const CapturedBlit& b = Only();
  EXPECT_DOUBLE_EQ(b.MinX(), 20);
  EXPECT_DOUBLE_EQ(b.MaxX(), 100);
  EXPECT_DOUBLE_EQ(b.MinY(), 50);
  EXPECT_DOUBLE_EQ(b.MaxY(), 90);
  EXPECT_EQ(TexelAt(b, 20, 50).first, 32.0);
  EXPECT_EQ(TexelAt(b, 100, 50).first, 0.0);
}

TEST_F(DisplayGeometry, ScaledBlitMirrorsAboutTheSameCentre) {
  Surface* s = surface.get();
  d.BlitScaled(100, 60, 0.5f, 0.5f, s);
  d.BlitScaled(100, 60, -0.5f, 0.5f, s);
  ASSERT_EQ(capture.Blits().size(), 2u);
  const CapturedBlit& plain = capture.Blits()[0];
  const CapturedBlit& mirrored = capture.Blits()[1];
  for (const CapturedBlit* b : {&plain, &mirrored}) {
    EXPECT_DOUBLE_EQ(b->MinX(), 92);
    EXPECT_DOUBLE_EQ(b->MaxX(), 108);
    EXPECT_DOUBLE_EQ(b->MinY(), 52);
    EXPECT_DOUBLE_EQ(b->MaxY(), 68);
  }
  EXPECT_EQ(TexelAt(plain, 92, 52).first, 0.0);
  EXPECT_EQ(TexelAt(mirrored, 92, 52).first, 32.0);
}

TEST_F(DisplayGeometry, ScaledAtlasEntryDrawsAnExtraTexelPlacedByItsCentreOffsets) {
  Surface* s = surface.get();
  s->fromAtlas = true;
  s->atlasX = 64;
  s->atlasY = 0;
  s->centerOffsetX = 2;
  s->centerOffsetY = 4;
  d.BlitScaled(100, 100, 1, 1, s);
  const CapturedBlit& b = Only();
  // Texture (63, -1, 33, 33); point (100 - 16 - 3, 100 - 16 - 4.5).
  EXPECT_DOUBLE_EQ(b.MinX(), 81);
  EXPECT_DOUBLE_EQ(b.MinY(), 79.5);
  EXPECT_DOUBLE_EQ(b.MaxX() - b.MinX(), 33);
  // -1 becomes one 16.16 unit less in magnitude (the half added before truncation).
  EXPECT_EQ(TexelAt(b, 81, 79.5).first, 63.0);
  EXPECT_NEAR(TexelAt(b, 81, 79.5).second, -1, 2.0 / 65536);
  s->fromAtlas = false; // the fake's texture is its own, to be freed with it
}

TEST_F(DisplayGeometry, RotatedScaleUprightIsCentredHalfATexelLow) {
  Surface* s = surface.get();
  d.BlitRotatedScale(50, 50, 0, 1, -1, s);
  const CapturedBlit& b = Only();
  EXPECT_NEAR(b.MinX(), 33, 1e-4);
  EXPECT_NEAR(b.MaxX(), 66, 1e-4);
  EXPECT_NEAR(b.MinY(), 33.5, 1e-4);
  EXPECT_NEAR(b.MaxY(), 66.5, 1e-4);
  // Upright: the top edge samples v -1, so texel row 0 starts half a texel below the centre line.
  EXPECT_NEAR(TexelAt(b, 33, 33.5).second, -1, 1e-4);

  // A quarter turn (radians) swaps the extents about the same centre.
  capture.Clear();
  d.BlitRotatedScale(50, 50, (float)(M_PI / 2), 2, -1, s);
  const CapturedBlit& turned = Only();
  EXPECT_NEAR(turned.MaxX() - turned.MinX(), 33, 1e-3);
  EXPECT_NEAR(turned.MaxY() - turned.MinY(), 66, 1e-3);
}

TEST_F(DisplayGeometry, BlitsOfMissingSurfacesDrawNothing) {
  std::unique_ptr<Surface> empty(new Surface("", 2, false));
  Surface* none = nullptr;
  Surface* hollow = empty.get();
  myRect src(0, 0, 4, 4);
  for (Surface* s : {none, hollow}) {
    d.Blit(0, 0, s, &src);
    d.Blit(0, 0, s);
    d.BlitAdd(0, 0, s);
    d.BlitStretch(0, 0, 10, 10, s);
    d.BlitScaled(0, 0, 1, 1, s);
    d.BlitScaled(0, 0, 1, 1, s, true);
    d.BlitRotatedScale(0, 0, 1, 1, 1, s);
    d.FillRect(0, 0, 10, 10, ColorRGB(1, 2, 3));
  }
  EXPECT_TRUE(capture.Blits().empty());
}

TEST_F(DisplayGeometry, ScaleOverrideMultipliesStretchAndScale) {
  d.scaleOverride = true;
  d.scaleOverrideX = 2;
  d.scaleOverrideY = 1;
  Surface* s = surface.get();
  d.BlitScaled(100, 100, 0.5f, 0.5f, s);
  const CapturedBlit& b = Only();
  EXPECT_DOUBLE_EQ(b.MaxX() - b.MinX(), 32);
  EXPECT_DOUBLE_EQ(b.MaxY() - b.MinY(), 16);
}

} // namespace
