// Colour-space conversion used by the bitmaps' colour adjustment.
#include "dib_bitmap.h"

#include <gtest/gtest.h>

struct HslCase {
  rgbcolor rgb;
  hslcolor hsl;  // rgb2hsl(rgb)
  rgbcolor back; // hsl2rgb(hsl)
};

class HslRoundTrip : public ::testing::TestWithParam<HslCase> {};

TEST_P(HslRoundTrip, ConvertsThereAndBack) {
  const HslCase& c = GetParam();
  hslcolor h = rgb2hsl(c.rgb);
  EXPECT_EQ(h.h, c.hsl.h);
  EXPECT_EQ(h.s, c.hsl.s);
  EXPECT_EQ(h.l, c.hsl.l);
  rgbcolor back = hsl2rgb(h);
  EXPECT_EQ(back.r, c.back.r);
  EXPECT_EQ(back.g, c.back.g);
  EXPECT_EQ(back.b, c.back.b);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, HslRoundTrip,
    ::testing::Values(HslCase{{255, 0, 0}, {255, 255, 127}, {254, 0, 0}}, // hue 255 stays red, not grey
                      HslCase{{0, 255, 0}, {85, 255, 127}, {0, 254, 0}},
                      HslCase{{0, 0, 255}, {170, 255, 127}, {0, 0, 254}},
                      HslCase{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
                      HslCase{{255, 255, 255}, {0, 0, 255}, {255, 255, 255}},
                      HslCase{{200, 100, 100}, {255, 121, 150}, {199, 100, 100}}));

TEST(Hsl, NoSaturationIsGreyWhateverTheHue) {
  for (int h : {0, 40, 128, 255, 300, -20}) {
    rgbcolor c = hsl2rgb(hslcolor{h, 0, 77});
    EXPECT_EQ(c.r, 77) << h;
    EXPECT_EQ(c.g, 77) << h;
    EXPECT_EQ(c.b, 77) << h;
  }
}

TEST(Hsl, HueFarOutOfRangeGivesGrey) {
  // An adjustment may push the hue past a full turn; the colour then loses its hue.
  rgbcolor c = hsl2rgb(hslcolor{255 + 60, 255, 127});
  EXPECT_EQ(c.r, 127);
  EXPECT_EQ(c.g, 127);
  EXPECT_EQ(c.b, 127);
}
