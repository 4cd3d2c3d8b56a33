// Software blits of the RGB565 bitmap: alpha thresholds, fade offsets, key colour, multiply,
// additive, flips and clipping.
#include "bitmap_test_support.h"

#include <gtest/gtest.h>

namespace {

const u16 kWhite = 0xFFFF, kBlack = 0x0000;

struct BlitCase {
  int alpha; // source alpha map value, -1 for none
  int k;     // fade offset
  u16 dest, src, expected;
};

void PrintTo(const BlitCase& c, std::ostream* os) {
  *os << "alpha " << c.alpha << " k " << c.k << " dest " << c.dest << " src " << c.src;
}

class BitBltPixel : public ::testing::TestWithParam<BlitCase> {};

TEST_P(BitBltPixel, BlendsByAlphaAndOffset) {
  const BlitCase& c = GetParam();
  auto src = MakeBitmap565(1, 1, c.src, c.alpha);
  auto dest = MakeBitmap565(1, 1, c.dest);
  src->BitBlt(dest.get(), 0, 0, 0, 0, 0, 0, c.k);
  EXPECT_EQ(Pixel(dest.get(), 0, 0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, BitBltPixel,
    ::testing::Values(
        // k = 0 with an alpha map: skip up to 10, copy from 240, packed blend between.
        BlitCase{10, 0, kBlack, kWhite, kBlack}, BlitCase{11, 0, kBlack, kWhite, 0x0841},
        BlitCase{128, 0, kBlack, kWhite, 0x7BEF}, BlitCase{128, 0, 0x001F, 0xF800, 0x780F},
        BlitCase{240, 0, kBlack, kWhite, kWhite},
        // Offsets with an alpha map: weight alpha + k, copy from 245.
        BlitCase{255, -10, kBlack, kWhite, kWhite}, BlitCase{255, -11, kBlack, kWhite, 0xEF9D},
        BlitCase{20, -10, kBlack, kWhite, kBlack},
        // Without an alpha map: -10 is still an opaque copy, -11 blends at 244, weight 9 is nothing.
        BlitCase{-1, -10, kWhite, kBlack, kBlack}, BlitCase{-1, -11, kWhite, kBlack, 0x0841},
        BlitCase{-1, -246, kWhite, kBlack, kWhite}));

TEST(Draw565, OffsetsAtTheEndOfTheFade) {
  // Source black with alpha 255 and 254 over white.
  struct {
    int k;
    u16 first, second;
  } cases[] = {{-256, kWhite, kWhite}, {-255, kWhite, kWhite}, {-254, 0xF7DE, kWhite}, {0, kBlack, kBlack}};
  for (auto& c : cases) {
    auto src = MakeBitmap565(2, 1, kBlack, 255);
    SetAlpha(src.get(), 1, 0, 254);
    auto dest = MakeBitmap565(2, 1, kWhite);
    src->Draw565(dest.get(), 0, 0, 0, 0, 0, c.k);
    EXPECT_EQ(Pixel(dest.get(), 0, 0), c.first) << c.k;
    EXPECT_EQ(Pixel(dest.get(), 1, 0), c.second) << c.k;
  }
}

// A 4x4 source with a spread of colours and alpha values over a patterned destination.
void FillPatterns(CWinDibBitmap* src, CWinDibBitmap* dest) {
  const u8 alphas[16] = {0, 5, 10, 11, 60, 128, 200, 239, 240, 244, 245, 250, 254, 255, 90, 30};
  for (int i = 0; i < 16; i++) {
    SetPixel(src, i % 4, i / 4, (u16)(0x1234 * (i + 1) + 0x0841 * i));
    SetAlpha(src, i % 4, i / 4, alphas[i]);
    SetPixel(dest, i % 4, i / 4, (u16)(0xF00D ^ (0x1111 * i)));
  }
}

TEST(BitBltMultiply, WhiteIsExactlyThePlainBlit) {
  for (int k : {0, -60}) {
    for (bool withAlpha : {true, false}) {
      auto src = MakeBitmap565(4, 4, 0, 255);
      auto a = MakeBitmap565(4, 4, 0), b = MakeBitmap565(4, 4, 0);
      FillPatterns(src.get(), a.get());
      FillPatterns(src.get(), b.get());
      if (!withAlpha) src->DestroyAlpha();
      src->BitBlt(a.get(), 0, 0, 0, 0, 0, 0, k);
      src->BitBltMultiply(b.get(), 255, 255, 255, 0, 0, 0, 0, 0, 0, k);
      EXPECT_EQ(Pixels(a.get()), Pixels(b.get())) << "k " << k << " alpha " << withAlpha;
      EXPECT_NE(Pixels(a.get()), Pixels(MakeBitmap565(4, 4, 0).get()));
    }
  }
}

TEST(BitBltMultiply, ScalesEachChannelByTheColour) {
  auto src = MakeBitmap565(1, 1, kWhite);
  auto dest = MakeBitmap565(1, 1, kBlack);
  src->BitBltMultiply(dest.get(), 128, 128, 128, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixel(dest.get(), 0, 0), 0x7BEF);
  // With an alpha map and an offset the product is blended in.
  auto masked = MakeBitmap565(1, 1, kWhite, 255);
  auto over = MakeBitmap565(1, 1, kWhite);
  masked->BitBltMultiply(over.get(), 0, 0, 0, 0, 0, 0, 0, 0, 0, -127);
  EXPECT_EQ(Pixel(over.get(), 0, 0), 0x7BEF); // halfway from white to black
}

TEST(TransparentColour, BlitsSkipTheKeyAndMultiplyDrawsNothing) {
  const u16 key = 0xF81F;
  auto src = MakeBitmap565(3, 1, key);
  SetPixel(src.get(), 1, 0, 0x1234);
  src->m_nTransparentColor = key;
  src->m_bTransparentColorMode = 1;
  struct {
    int k;
    u16 middle;
  } cases[] = {{0, 0x1234}, {-100, 0x6C78}, {-245, kWhite}};
  for (auto& c : cases) {
    auto dest = MakeBitmap565(3, 1, kWhite);
    src->BitBlt(dest.get(), 0, 0, 0, 0, 0, 0, c.k);
    EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{kWhite, c.middle, kWhite})) << c.k;
  }
  auto dest = MakeBitmap565(3, 1, kWhite);
  src->BitBltMultiply(dest.get(), 128, 64, 32, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), std::vector<u16>(3, kWhite));
  src->BitBltMultiply(dest.get(), 255, 255, 255, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{kWhite, 0x1234, kWhite}));
}

TEST(TransparentColour, ReplacingAlphaKeysTheFaintPixels) {
  auto src = MakeBitmap565(3, 1, 0x1234, 255);
  SetAlpha(src.get(), 0, 0, 0);
  SetAlpha(src.get(), 2, 0, 127); // below the default threshold of 128
  SetAlpha(src.get(), 1, 0, 128);
  src->ReplaceAlphaWithTransparentColor();
  EXPECT_EQ(src->GetAlphaBits(), nullptr);
  EXPECT_EQ(Pixels(src.get()), (std::vector<u16>{0xF81F, 0x1234, 0xF81F}));
  auto dest = MakeBitmap565(3, 1, kBlack);
  src->BitBlt(dest.get(), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{kBlack, 0x1234, kBlack}));
}

TEST(BitBltAdditive, SaturatesPerChannel) {
  struct {
    int alpha, k;
    u16 dest, src, expected;
  } cases[] = {
      {10, 0, 0x8410, 0x8410, 0x8410},   {245, 0, 0x8410, 0x8410, kWhite},
      {128, 0, kBlack, kWhite, 0x7BEF},  {255, -127, kBlack, kWhite, 0x7BEF},
      {20, -10, 0x8410, kWhite, 0x8410},
  };
  for (auto& c : cases) {
    auto src = MakeBitmap565(1, 1, c.src, c.alpha);
    auto dest = MakeBitmap565(1, 1, c.dest);
    src->BitBltAdditive(dest.get(), 0, 0, 0, 0, 0, 0, c.k);
    EXPECT_EQ(Pixel(dest.get(), 0, 0), c.expected) << c.alpha << " " << c.k;
  }
  auto opaque = MakeBitmap565(1, 1, kWhite);
  auto dest = MakeBitmap565(1, 1, kBlack);
  opaque->BitBltAdditive(dest.get(), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixel(dest.get(), 0, 0), kBlack); // needs an alpha map
}

TEST(FillAlpha, PaintsTheColourThroughTheMask) {
  auto mask = MakeBitmap565(3, 1, 0, 255);
  SetAlpha(mask.get(), 1, 0, 0);
  SetAlpha(mask.get(), 2, 0, 128);
  auto dest = MakeBitmap565(3, 1, kBlack);
  mask->FillAlphaNoStretch(dest.get(), 255, 255, 255, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{kWhite, kBlack, 0x7BEF}));

  auto faded = MakeBitmap565(3, 1, kBlack);
  mask->FillAlphaNoStretch(faded.get(), 255, 255, 255, 0, 0, 0, 0, 0, -256);
  EXPECT_EQ(Pixels(faded.get()), std::vector<u16>(3, kBlack));

  // Additive: intensity alpha >> 4 of the colour, saturating; green keeps five bits.
  auto add = MakeBitmap565(3, 1, kBlack);
  SetPixel(add.get(), 0, 0, kWhite);
  mask->FillAlphaNoStretchAdditive(add.get(), 255, 255, 255, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(add.get()), (std::vector<u16>{0xFFDF, kBlack, 0x7BCF}));
  auto single = MakeBitmap565(1, 1, kBlack);
  MakeBitmap565(1, 1, 0, 255)->FillAlphaNoStretchAdditive(single.get(), 255, 255, 255, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixel(single.get(), 0, 0), 0xEF5D);
}

TEST(FillAlpha, KeyColourModeUsesTheWholeBitmap) {
  auto mask = MakeBitmap565(2, 1, 0xF81F);
  SetPixel(mask.get(), 1, 0, 0x0001);
  mask->m_nTransparentColor = 0xF81F;
  mask->m_bTransparentColorMode = 1;
  auto dest = MakeBitmap565(2, 1, kBlack);
  mask->FillAlphaNoStretch(dest.get(), 255, 255, 255, 0, 0, 1, 1, 1, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{kBlack, kWhite}));
}

std::unique_ptr<CWinDibBitmap> Numbered(int w, int h, bool alpha) {
  auto bm = MakeBitmap565(w, h, 0, alpha ? 255 : -1);
  for (int i = 0; i < w * h; i++)
    ((u16*)bm->GetBits())[i] = (u16)(i + 1);
  return bm;
}

TEST(Blit, ClipsToBothBitmaps) {
  struct {
    int x, y, sx, sy;
    std::vector<u16> expected; // 4x4 destination
  } cases[] = {
      {-1, -1, 0, 0, {5, 6, 0, 0, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {3, 3, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
      {0, 0, 2, 2, {9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {1, 0, -1, 0, {0, 0, 1, 2, 0, 0, 4, 5, 0, 0, 7, 8, 0, 0, 0, 0}},
      {4, 0, 0, 0, std::vector<u16>(16, 0)},
  };
  for (bool alpha : {false, true}) {
    for (auto& c : cases) {
      auto src = Numbered(3, 3, alpha);
      auto dest = MakeBitmap565(4, 4, 0);
      src->BitBlt(dest.get(), c.x, c.y, 3, 3, c.sx, c.sy, 0);
      EXPECT_EQ(Pixels(dest.get()), c.expected) << c.x << "," << c.y << " alpha " << alpha;
    }
  }
}

TEST(Blit, DrawMirrorsByFlipBits) {
  struct {
    int x, flip;
    std::vector<u16> expected; // 3x2 destination
  } cases[] = {
      {0, 0, {1, 2, 3, 4, 5, 6}}, {0, 1, {3, 2, 1, 6, 5, 4}},  {0, 2, {4, 5, 6, 1, 2, 3}},
      {0, 3, {6, 5, 4, 3, 2, 1}}, {-1, 1, {2, 1, 0, 5, 4, 0}}, {2, 1, {0, 0, 3, 0, 0, 6}},
  };
  for (bool alpha : {false, true}) {
    for (auto& c : cases) {
      auto src = Numbered(3, 2, alpha);
      auto dest = MakeBitmap565(3, 2, 0);
      src->DrawOpaque(dest.get(), c.x, 0, 0, 0, c.flip);
      EXPECT_EQ(Pixels(dest.get()), c.expected) << "flip " << c.flip << " x " << c.x << " alpha " << alpha;
    }
  }
}

TEST(Blit, FastDrawHasItsOwnThresholds) {
  auto src = MakeBitmap565(3, 1, kWhite, 9);
  SetAlpha(src.get(), 1, 0, 245);
  SetAlpha(src.get(), 2, 0, 128);
  auto dest = MakeBitmap565(3, 1, kBlack);
  src->FastDraw(dest.get(), 0, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{kBlack, kWhite, 0x7BEF}));
}

TEST(Stretch, ScalesClampsAndMirrors) {
  auto src = Numbered(2, 2, false);
  auto dest = MakeBitmap565(4, 4, 0);
  src->StretchDraw(dest.get(), 0, 0, 4, 4, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));

  dest = MakeBitmap565(4, 4, 0);
  src->StretchDraw(dest.get(), 0, 0, 4, 2, 0, 0, 2, 1, 1, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{2, 2, 1, 1, 2, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}));

  // A source rectangle running past the source keeps reading its last column and row.
  dest = MakeBitmap565(4, 4, 0);
  src->StretchDraw(dest.get(), 0, 0, 4, 4, 1, 1, 4, 4, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), std::vector<u16>(16, 4));

  // Sizes that leave nothing to draw.
  for (auto wh : {std::pair<int, int>{-4, 4}, {4, -1}}) {
    dest = MakeBitmap565(4, 4, 0);
    src->StretchDraw(dest.get(), 0, 0, wh.first, wh.second, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Pixels(dest.get()), std::vector<u16>(16, 0));
  }
  CWinDibBitmap empty(nullptr);
  dest = MakeBitmap565(4, 4, 0);
  empty.StretchDraw(dest.get(), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), std::vector<u16>(16, 0));
}

TEST(Stretch, FadesWithTheAlphaMap) {
  auto src = MakeBitmap565(2, 1, kWhite, 255);
  SetAlpha(src.get(), 1, 0, 0);
  auto dest = MakeBitmap565(2, 1, kBlack);
  src->StretchDraw(dest.get(), 0, 0, 0, 0, 0, 0, 0, 0, 0, -127);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{0x7BEF, kBlack}));
}

} // namespace

namespace {

TEST(Blit, TurnedBitmapsLandAtTheSameStoredPlaceByEveryPath) {
  // A 2x3 (logical) picture drawn at logical (1, 1) of a 5x4 (logical) screen, both turned.
  struct {
    int mode, storedX, storedY;
  } cases[] = {{1, 1, 2}, {2, 0, 1}};
  for (auto& c : cases) {
    auto src = Numbered(3, 2, false);
    src->SetOrientaionMode(c.mode);
    src->UpdateWidthAndHeight();
    ASSERT_EQ(src->GetWidth(), 2);
    auto viaBlit = MakeBitmap565(4, 5, 0), viaDraw = MakeBitmap565(4, 5, 0);
    for (auto* d : {viaBlit.get(), viaDraw.get()}) {
      d->SetOrientaionMode(c.mode);
      d->UpdateWidthAndHeight();
    }
    src->BitBlt(viaBlit.get(), 1, 1, 0, 0, 0, 0, 0);
    src->DrawOpaque(viaDraw.get(), 1, 1, 0, 0, 0);
    EXPECT_EQ(Pixels(viaBlit.get()), Pixels(viaDraw.get())) << c.mode;
    for (int i = 0; i < 6; i++)
      EXPECT_EQ(Pixel(viaBlit.get(), c.storedX + i % 3, c.storedY + i / 3), i + 1) << c.mode;
  }
}

} // namespace
