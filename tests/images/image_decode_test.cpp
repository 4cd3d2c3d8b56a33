// What the loaders put into a bitmap: pixel layouts and orientations, alpha maps, premultiplied
// colour, the transparent-edge fill, cropped and streamed JPEGs.
#include <ostream>

#include "files.h"
#include "image_loaders.h"
#include "image_test_support.h"

namespace {

struct LayoutCase {
  int orientation;
  int bytesPerPixel;
};
std::ostream& operator<<(std::ostream& os, const LayoutCase& c) {
  return os << "orientation " << c.orientation << ", " << c.bytesPerPixel << " bytes";
}

class PngLayoutTest : public ImageTest, public ::testing::WithParamInterface<LayoutCase> {};

// Every pixel of a 4 x 3 picture with alpha lands at its place for the bitmap's orientation.
TEST_P(PngLayoutTest, EveryPixelAndAlphaAtItsOrientedPlace) {
  const LayoutCase& c = GetParam();
  game.m_bTrueColorImages = c.bytesPerPixel == 3;
  CWinDibBitmap* bitmap = NewBitmap(c.orientation);
  ASSERT_EQ(ImageLoad_PNG(&game, "images\\gradient.png", bitmap), bitmap);
  EXPECT_STREQ(bitmap->m_ImageFileName.c_str(), "images\\gradient.png");
  ASSERT_EQ(bitmap->GetBytesPerPixel(), c.bytesPerPixel);
  EXPECT_EQ(bitmap->GetWidth(), 4);
  EXPECT_EQ(bitmap->GetHeight(), 3);
  EXPECT_EQ(bitmap->GetStoredWidth(), c.orientation == 0 ? 4 : 3);
  ASSERT_NE(bitmap->GetAlphaBits(), nullptr);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) {
      SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
      PatternPixel want = GradientPixel(x, y), got = ColourAt(bitmap, x, y);
      EXPECT_EQ(got.r, Reduce(want.r, 5, c.bytesPerPixel));
      EXPECT_EQ(got.g, Reduce(want.g, 6, c.bytesPerPixel));
      EXPECT_EQ(got.b, Reduce(want.b, 5, c.bytesPerPixel));
      EXPECT_EQ(got.a, want.a);
    }
  delete bitmap;
}

INSTANTIATE_TEST_SUITE_P(Layouts, PngLayoutTest,
                         ::testing::Values(LayoutCase{0, 2}, LayoutCase{0, 3}, LayoutCase{1, 2},
                                           LayoutCase{1, 3}, LayoutCase{2, 2}, LayoutCase{2, 3}));

struct PngKindCase {
  const char* file;
  bool hasAlpha;
  bool grey;
};
std::ostream& operator<<(std::ostream& os, const PngKindCase& c) { return os << c.file; }

class PngKindTest : public ImageTest, public ::testing::WithParamInterface<PngKindCase> {};

// Opaque RGB keeps no alpha map; grey with alpha becomes R = G = B; a palette's tRNS becomes alpha;
// 16-bit channels are cut to 8.
TEST_P(PngKindTest, ConvertsToEightBitColourAndAlpha) {
  const PngKindCase& c = GetParam();
  game.m_bTrueColorImages = 1;
  CWinDibBitmap* bitmap = NewBitmap();
  bitmap->Create(2, 2); // an old alpha map must not survive an opaque load
  ASSERT_EQ(ImageLoad_PNG(&game, c.file, bitmap), bitmap);
  EXPECT_EQ(bitmap->GetAlphaBits() != nullptr, c.hasAlpha);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) {
      SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
      PatternPixel want = GradientPixel(x, y), got = ColourAt(bitmap, x, y);
      EXPECT_EQ(got.r, want.r);
      EXPECT_EQ(got.g, c.grey ? want.r : want.g);
      EXPECT_EQ(got.b, c.grey ? want.r : want.b);
      EXPECT_EQ(got.a, c.hasAlpha ? want.a : 255u);
    }
  delete bitmap;
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngKindTest,
                         ::testing::Values(PngKindCase{"images\\opaque.png", false, false},
                                           PngKindCase{"images\\greyalpha.png", true, true},
                                           PngKindCase{"images\\palette.png", true, false},
                                           PngKindCase{"images\\deep.png", true, false}));

class GreyJpegTest : public ImageTest, public ::testing::WithParamInterface<int> {};

TEST_P(GreyJpegTest, GivesEqualChannelsInEitherFormat) {
  game.m_bTrueColorImages = GetParam() == 3;
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad_JPG(&game, "images\\grey.jpg", bitmap), bitmap);
  ASSERT_EQ(bitmap->GetBytesPerPixel(), GetParam());
  EXPECT_EQ(bitmap->GetAlphaBits(), nullptr);
  for (int y = 0; y < 8; y++)
    for (int x = 0; x < 8; x++) {
      size_t i = (size_t)y * 8 + x;
      const unsigned char* bits = bitmap->GetBits();
      unsigned grey;
      if (GetParam() == 3) {
        grey = bits[3 * i];
        EXPECT_EQ(bits[3 * i + 1], grey);
        EXPECT_EQ(bits[3 * i + 2], grey);
      } else {
        unsigned v = bits[2 * i] | (bits[2 * i + 1] << 8);
        // One grey g is stored as (g >> 3, g >> 2, g >> 3).
        unsigned r5 = v >> 11, g6 = (v >> 5) & 63, b5 = v & 31;
        EXPECT_EQ(r5, b5);
        EXPECT_EQ(g6 >> 1, r5);
        grey = g6 << 2;
      }
      EXPECT_TRUE(Near(grey, (unsigned)(x * 30 + y * 2), 6)) << x << "," << y;
    }
  delete bitmap;
}

INSTANTIATE_TEST_SUITE_P(BytesPerPixel, GreyJpegTest, ::testing::Values(2, 3));

TEST_F(ImageTest, PremultiplyHalvesColourAtHalfAlpha) {
  game.m_bTrueColorImages = 1;
  game.m_bPremultiplyAlpha = 1;
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad(&game, "images\\premul", bitmap), bitmap);
  PatternPixel half = ColourAt(bitmap, 0, 0), full = ColourAt(bitmap, 1, 0);
  EXPECT_EQ(half.r, 100u);
  EXPECT_EQ(half.g, 50u);
  EXPECT_EQ(half.b, 25u);
  EXPECT_EQ(half.a, 128u);
  EXPECT_EQ(full.r, 254u); // a shift, not a division by 255

  // A JPEG with its "_a.jpg" is premultiplied the same way.
  ASSERT_EQ(ImageLoad(&game, "images\\tinted", bitmap), bitmap);
  EXPECT_STREQ(bitmap->m_AlphaFileName.c_str(), "images\\tinted_a.jpg");
  PatternPixel tinted = ColourAt(bitmap, 4, 4);
  EXPECT_TRUE(Near(tinted.a, 128, 2));
  EXPECT_TRUE(Near(tinted.r, 100, 3));
  delete bitmap;
}

TEST_F(ImageTest, PremultiplyLeavesRgb565Alone) {
  game.m_bPremultiplyAlpha = 1;
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad(&game, "images\\premul", bitmap), bitmap);
  EXPECT_EQ(ColourAt(bitmap, 0, 0).r, 200u & 0xF8);
  delete bitmap;
}

TEST_F(ImageTest, JpegWithoutAlphaFileLoadsOpaque) {
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad(&game, "images\\plain.jpg", bitmap), bitmap);
  EXPECT_NE(bitmap->GetBits(), nullptr);
  EXPECT_EQ(bitmap->GetAlphaBits(), nullptr);
  delete bitmap;
}

TEST_F(ImageTest, AlphaImageOfAnotherSizeIsDropped) {
  CWinDibBitmap* bitmap = NewBitmap();
  // 8 x 8 colour, 4 x 4 "_a.jpg": the image loads without alpha map.
  ASSERT_EQ(ImageLoad(&game, "images\\mismatch", bitmap), bitmap);
  EXPECT_EQ(bitmap->GetStoredWidth(), 8);
  EXPECT_EQ(bitmap->GetAlphaBits(), nullptr);
  EXPECT_EQ(ImageLoad_PNG_Alpha(&game, "images\\gradient.png", bitmap), nullptr);
  EXPECT_EQ(bitmap->GetAlphaBits(), nullptr);

  // Alpha first, then colour of another size: the alpha map goes.
  CWinDibBitmap* other = NewBitmap();
  ASSERT_EQ(ImageLoad_JPG_Alpha(&game, "images\\mismatch_a.jpg", other), other);
  ASSERT_NE(other->GetAlphaBits(), nullptr);
  ASSERT_EQ(ImageLoad_JPG(&game, "images\\mismatch.jpg", other), other);
  EXPECT_EQ(other->GetStoredWidth(), 8);
  EXPECT_EQ(other->GetAlphaBits(), nullptr);
  delete bitmap;
  delete other;
}

TEST_F(ImageTest, AlphaOnlyLoadsTakeGreyJpegElsePngAlpha) {
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad_Alpha(&game, "images\\tinted_a", bitmap), bitmap);
  EXPECT_EQ(bitmap->GetBits(), nullptr);
  ASSERT_NE(bitmap->GetAlphaBits(), nullptr);
  EXPECT_TRUE(Near(bitmap->GetAlphaBits()[9], 128, 2));

  ASSERT_EQ(ImageLoad_Alpha(&game, "images\\gradient.png", bitmap), bitmap);
  EXPECT_EQ(bitmap->GetStoredWidth(), 4);
  for (int x = 0; x < 4; x++)
    EXPECT_EQ(bitmap->GetAlphaBits()[4 + x], GradientPixel(x, 1).a);
  delete bitmap;
}

TEST_F(ImageTest, TransparentEdgeFillTakesNeighbourColours) {
  game.m_bTrueColorImages = 1;
  CWinDibBitmap* plain = NewBitmap();
  ASSERT_EQ(ImageLoad_PNG(&game, "images\\edge.png", plain), plain);
  EXPECT_EQ(ColourAt(plain, 0, 0).r, 9u);

  game.m_bFillTransparentPixels = 1;
  CWinDibBitmap* filled = NewBitmap();
  ASSERT_EQ(ImageLoad_PNG(&game, "images\\edge.png", filled), filled);
  struct {
    int x, y;
    unsigned r, g;
  } expected[] = {
      {0, 0, 0, 255}, // right neighbour red, then overwritten from the opaque green below
      {2, 0, 255, 0}, // left neighbour
      {1, 1, 0, 255}, // left neighbour green
      {2, 1, 0, 0},   // no opaque neighbour
  };
  for (auto& e : expected) {
    PatternPixel p = ColourAt(filled, e.x, e.y);
    EXPECT_EQ(p.r, e.r) << e.x << "," << e.y;
    EXPECT_EQ(p.g, e.g) << e.x << "," << e.y;
    EXPECT_EQ(p.a, 0u);
  }
  delete plain;
  delete filled;
}

struct CropCase {
  int x, y;
};
std::ostream& operator<<(std::ostream& os, const CropCase& c) { return os << c.x << "," << c.y; }

class CroppedJpegTest : public ImageTest, public ::testing::WithParamInterface<CropCase> {};

// A 4 x 4 red JPEG into a black 6 x 5 bitmap at (x, y): red exactly where the shifted file covers it.
TEST_P(CroppedJpegTest, WritesOnlyTheCoveredPixels) {
  const CropCase& c = GetParam();
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_TRUE(bitmap->Create(6, 5));
  bitmap->ClearBitmap(0, 0, 0);
  ASSERT_EQ(ImageLoadCropped_JPG(&game, "images\\crop.jpg", bitmap, c.x, c.y), bitmap);
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 6; x++) {
      bool covered = x >= c.x && x < c.x + 4 && y >= c.y && y < c.y + 4;
      EXPECT_EQ(ColourAt(bitmap, x, y).r > 200, covered) << x << "," << y;
    }
  delete bitmap;
}

INSTANTIATE_TEST_SUITE_P(Offsets, CroppedJpegTest,
                         ::testing::Values(CropCase{0, 0}, CropCase{-2, 2}, CropCase{3, -1}, CropCase{5, 4},
                                           CropCase{9, 0}, CropCase{-7, 0}));

TEST_F(ImageTest, CroppedJpegNeedsAnRgb565BitmapWithPixels) {
  CWinDibBitmap* empty = NewBitmap();
  EXPECT_EQ(ImageLoadCropped_JPG(&game, "images\\crop.jpg", empty, 0, 0), nullptr);
  EXPECT_EQ(ImageLoadCropped_JPG(&game, "images\\crop.jpg", nullptr, 0, 0), nullptr);
  CWinDibBitmap* deep = NewBitmap();
  deep->SetBitsPerPixel(24);
  ASSERT_TRUE(deep->Create(4, 4));
  EXPECT_EQ(ImageLoadCropped_JPG(&game, "images\\crop.jpg", deep, 0, 0), nullptr);
  delete empty;
  delete deep;
}

TEST_F(ImageTest, StreamJpegIsAlwaysRgb565) {
  game.m_bTrueColorImages = 1;
  CMemoryFile file;
  ASSERT_TRUE(file.Open(&game, "images\\grey.jpg", FILE_MODE_READ));
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad_JPG_FromStream(&game, &file, bitmap), bitmap);
  EXPECT_EQ(bitmap->GetBytesPerPixel(), 2);
  EXPECT_EQ(bitmap->GetStoredWidth(), 8);
  EXPECT_TRUE(Near(ColourAt(bitmap, 7, 0).r, 210, 10));
  delete bitmap;
}

} // namespace
