// Which file ImageLoad reads (plain or double-resolution, JPEG or PNG) and how a double-resolution
// file is halved outside double-resolution mode.
#include <ostream>

#include "image_loaders.h"
#include "image_test_support.h"

namespace {

struct ChoiceCase {
  const char* what;
  const char* name;
  bool mode2x;
  PatternPixel colour; // of the file that must win
  int storedSide;
  bool flag2x; // the bitmap reports a double-resolution file
};
std::ostream& operator<<(std::ostream& os, const ChoiceCase& c) { return os << c.what; }

const PatternPixel kRed{200, 40, 40, 255}, kGreen{40, 200, 40, 255}, kBlue{40, 40, 200, 255},
    kYellow{200, 200, 40, 255};

class ImageChoiceTest : public ImageTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ImageChoiceTest, LoadsTheExpectedFile) {
  const ChoiceCase& c = GetParam();
  game.m_b2xImages = c.mode2x;
  game.m_bTrueColorImages = 1;
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad(&game, c.name, bitmap), bitmap);
  EXPECT_EQ(bitmap->GetStoredWidth(), c.storedSide);
  EXPECT_EQ(bitmap->GetStoredHeight(), c.storedSide);
  EXPECT_EQ(bitmap->m_b2xImage, c.flag2x ? 1 : 0);
  // Either way the game sees the image at its one-time size.
  EXPECT_EQ(bitmap->GetWidth(), 8);
  PatternPixel p = ColourAt(bitmap, 3, 3);
  EXPECT_TRUE(Near(p.r, c.colour.r, 3));
  EXPECT_TRUE(Near(p.g, c.colour.g, 3));
  EXPECT_TRUE(Near(p.b, c.colour.b, 3));
  EXPECT_EQ(game.m_bUpdateTextureOnSetBits, 1);
  delete bitmap;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImageChoiceTest,
    ::testing::Values(ChoiceCase{"jpeg_beats_png", "images\\pick", false, kRed, 8, false},
                      ChoiceCase{"extension_is_cut_off", "images\\pick.png", false, kRed, 8, false},
                      ChoiceCase{"2x_png_beats_everything", "images\\pick.jpg", true, kBlue, 16, true},
                      ChoiceCase{"2x_jpeg_without_2x_png", "images\\pickj", true, kYellow, 16, true},
                      ChoiceCase{"plain_jpeg_outside_2x_mode", "images\\pickj", false, kRed, 8, false},
                      ChoiceCase{"plain_png_when_nothing_else", "images\\onlypng", true, kGreen, 8, false}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.what); });

TEST_F(ImageTest, DoubleResolutionOnlyJpegIsDecodedAtHalfScaleWithItsAlpha) {
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad(&game, "images\\halfj", bitmap), bitmap);
  EXPECT_EQ(bitmap->GetStoredWidth(), 8);
  EXPECT_EQ(bitmap->GetStoredHeight(), 6);
  EXPECT_EQ(bitmap->m_b2xImage, 0);
  PatternPixel p = ColourAt(bitmap, 4, 3);
  EXPECT_TRUE(Near(p.r, 90, 8));
  EXPECT_TRUE(Near(p.b, 220, 8));
  // The "_a.jpg" also exists only at double resolution and is halved to the same size.
  ASSERT_NE(bitmap->GetAlphaBits(), nullptr);
  EXPECT_TRUE(Near(p.a, 100, 3));
  delete bitmap;
}

class HalvedPngTest : public ImageTest, public ::testing::WithParamInterface<int> {};

// 4 x 5 pixels become 2 x 2: each output pixel averages a 2 x 2 block, the odd last row is dropped.
TEST_P(HalvedPngTest, AveragesTwoByTwoBlocks) {
  game.m_bTrueColorImages = GetParam() == 3;
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad(&game, "images\\half", bitmap), bitmap);
  EXPECT_EQ(bitmap->m_b2xImage, 0);
  ASSERT_EQ(bitmap->GetStoredWidth(), 2);
  ASSERT_EQ(bitmap->GetStoredHeight(), 2);
  ASSERT_EQ(bitmap->GetBytesPerPixel(), GetParam());
  ASSERT_NE(bitmap->GetAlphaBits(), nullptr);
  for (int j = 0; j < 2; j++)
    for (int i = 0; i < 2; i++) {
      unsigned r = 0, g = 0, b = 0, a = 0;
      for (int dy = 0; dy < 2; dy++)
        for (int dx = 0; dx < 2; dx++) {
          PatternPixel s = GradientPixel(2 * i + dx, 2 * j + dy);
          r += s.r;
          g += s.g;
          b += s.b;
          a += s.a;
        }
      PatternPixel p = ColourAt(bitmap, i, j);
      SCOPED_TRACE(testing::Message() << "pixel " << i << "," << j);
      EXPECT_EQ(p.r, Reduce(r >> 2, 5, GetParam()));
      EXPECT_EQ(p.g, Reduce(g >> 2, 6, GetParam()));
      EXPECT_EQ(p.b, Reduce(b >> 2, 5, GetParam()));
      EXPECT_EQ(p.a, a >> 2);
    }
  delete bitmap;
}

INSTANTIATE_TEST_SUITE_P(BytesPerPixel, HalvedPngTest, ::testing::Values(2, 3));

TEST_F(ImageTest, InDoubleResolutionModeTheSameFileIsKeptWhole) {
  game.m_b2xImages = 1;
  CWinDibBitmap* bitmap = NewBitmap();
  ASSERT_EQ(ImageLoad(&game, "images\\half", bitmap), bitmap);
  EXPECT_EQ(bitmap->m_b2xImage, 1);
  EXPECT_EQ(bitmap->GetStoredWidth(), 4);
  EXPECT_EQ(bitmap->GetStoredHeight(), 5);
  EXPECT_EQ(bitmap->GetWidth(), 2);
  delete bitmap;
}

} // namespace
