// Fills, lines, colour operations and the drawing helpers of the software bitmap.
#include "bitmap_test_support.h"
#include "drawing_helpers.h"

#include <gtest/gtest.h>

namespace {

const u16 kWhite = 0xFFFF, kBlack = 0x0000;

std::vector<u8> Bytes(IDibBitmap* bm) {
  const u8* p = bm->GetBits();
  return std::vector<u8>(p, p + bm->GetStoredWidth() * bm->GetStoredHeight() * bm->GetBytesPerPixel());
}

TEST(BitmapFill, ClearFollowsThePixelFormat) {
  struct {
    int format;
    u16 word;
  } cases[] = {{PIXEL_FORMAT_444, 0x0ACE}, {PIXEL_FORMAT_555, 0x573D}, {PIXEL_FORMAT_565, 0xAE7D}};
  for (auto& c : cases) {
    auto bm = MakeBitmap565(2, 2, 0);
    bm->m_nPixelFormat = c.format;
    bm->ClearBitmap(0xAB, 0xCD, 0xEF);
    EXPECT_EQ(Pixels(bm.get()), std::vector<u16>(4, c.word)) << c.format;
  }
  CWinDibBitmap rgb(nullptr);
  rgb.SetBitsPerPixel(24);
  ASSERT_EQ(rgb.Create(2, 1), 1);
  rgb.ClearBitmap(0xAB, 0xCD, 0xEF);
  EXPECT_EQ(Bytes(&rgb), (std::vector<u8>{0xAB, 0xCD, 0xEF, 0xAB, 0xCD, 0xEF}));
}

TEST(BitmapFill, FillRectangleClipsAndKeepsRedGreenBlueOrder) {
  CWinDibBitmap rgb(nullptr);
  rgb.SetBitsPerPixel(24);
  ASSERT_EQ(rgb.Create(3, 1), 1);
  rgb.FillRectangle(1, -5, 10, 10, 1, 2, 3);
  EXPECT_EQ(Bytes(&rgb), (std::vector<u8>{0, 0, 0, 1, 2, 3, 1, 2, 3}));

  auto bm = MakeBitmap565(3, 2, kBlack);
  bm->FillRectangle(2, 1, -2, -1, 255, 255, 255); // corners are ordered
  EXPECT_EQ(Pixels(bm.get()), (std::vector<u16>{kWhite, kWhite, kBlack, kBlack, kBlack, kBlack}));
  bm->FillRectangle(3, 0, 5, 5, 0, 0, 0);
  bm->FillRectangle(-9, 0, 9, 5, 0, 0, 0);
  EXPECT_EQ(Pixel(bm.get(), 0, 0), kWhite);
}

TEST(BitmapFill, TranslucentFillSpansNegativeSizesFromTheFarEdge) {
  struct {
    int x, w, first, last; // columns changed, inclusive
  } cases[] = {{20, -10, 11, 20}, {20, 10, 20, 29}, {-3, 5, 0, 1}, {30, -40, 0, 30}};
  for (auto& c : cases) {
    auto bm = MakeBitmap565(32, 2, kBlack);
    FillRectangle_Transparent(nullptr, bm.get(), c.x, 0, c.w, 1, 255, 255, 255, 128);
    for (int x = 0; x < 32; x++) {
      u16 expected = x >= c.first && x <= c.last ? 0x7BEF : kBlack;
      ASSERT_EQ(Pixel(bm.get(), x, 0), expected) << "x " << c.x << " w " << c.w << " column " << x;
      ASSERT_EQ(Pixel(bm.get(), x, 1), kBlack);
    }
  }
}

TEST(BitmapFill, OpaqueTranslucentFillIsTheBitmapsOwnFill) {
  auto a = MakeBitmap565(6, 4, 0x1234), b = MakeBitmap565(6, 4, 0x1234);
  a->SetOrientaionMode(1);
  b->SetOrientaionMode(1);
  FillRectangle_Transparent(nullptr, a.get(), 1, 1, 2, 3, 10, 200, 30, 255);
  b->FillRectangle(1, 1, 2, 3, 10, 200, 30);
  EXPECT_EQ(Pixels(a.get()), Pixels(b.get()));
  EXPECT_NE(Pixels(a.get()), Pixels(MakeBitmap565(6, 4, 0x1234).get()));
  // Nothing at alpha 0 or on a bitmap that is not 16-bit.
  auto c = MakeBitmap565(6, 4, 0x1234);
  FillRectangle_Transparent(nullptr, c.get(), 0, 0, 6, 4, 255, 255, 255, 0);
  c->SetBitsPerPixel(12);
  FillRectangle_Transparent(nullptr, c.get(), 0, 0, 6, 4, 255, 255, 255, 100);
  EXPECT_EQ(Pixels(c.get()), std::vector<u16>(24, 0x1234));
}

TEST(BitmapLines, ClampRunsAndOutlineRectangles) {
  auto bm = MakeBitmap565(4, 3, kBlack);
  bm->DrawLineH(-5, 3, 1, 255, 255, 255, 255);
  bm->DrawLineV(3, 1, 10, 255, 255, 255, 128);
  bm->DrawLineH(0, 4, 3, 255, 255, 255, 255); // row outside
  bm->DrawLineV(0, 0, 3, 255, 255, 255, 0);   // alpha 0
  EXPECT_EQ(Pixels(bm.get()),
            (std::vector<u16>{0, 0, 0, 0, kWhite, kWhite, kWhite, 0x7BEF, 0, 0, 0, 0x7BEF}));

  auto box = MakeBitmap565(4, 3, kBlack);
  box->DrawRectangle(0, 0, 4, 3, 255, 255, 255);
  EXPECT_EQ(Pixels(box.get()), (std::vector<u16>{kWhite, kWhite, kWhite, kWhite, kWhite, kBlack, kBlack,
                                                 kWhite, kWhite, kWhite, kWhite, kWhite}));
}

TEST(BitmapColour, AddBrightnessWidensChannels) {
  auto bm = MakeBitmap565(1, 1, 0x8410);
  bm->AddBrightness(128);
  EXPECT_EQ(Pixel(bm.get(), 0, 0), 0xC618);
  bm->AddBrightness(-50);
  EXPECT_EQ(Pixel(bm.get(), 0, 0), 0xC618);
  auto grey12 = MakeBitmap565(1, 1, 0xF888);
  grey12->m_nPixelFormat = PIXEL_FORMAT_444;
  grey12->AddBrightness(128);
  EXPECT_EQ(Pixel(grey12.get(), 0, 0), 0xFCCC);
  // The double buffer scales raw channels, saturating.
  BitmapTestGame game;
  auto screen = MakeBitmap565(1, 1, 0x8410, -1, &game);
  game.m_pDoubleBuffer = screen.get();
  screen->AddBrightness(256);
  EXPECT_EQ(Pixel(screen.get(), 0, 0), kWhite);
  game.m_pDoubleBuffer = nullptr;
}

TEST(BitmapColour, AdjustHslKeepsRedAndReadsRedGreenBlueBytes) {
  auto red = MakeBitmap565(1, 1, 0xF800);
  red->AdjustHSL(0, 0, 0);
  u16 p = Pixel(red.get(), 0, 0);
  EXPECT_GE(p >> 11, 30);
  EXPECT_EQ(p & 0x7FF, 0); // still pure red, not grey

  CWinDibBitmap rgb(nullptr);
  rgb.SetBitsPerPixel(24);
  ASSERT_EQ(rgb.Create(1, 1), 1);
  rgb.GetBits()[1] = 255;  // green
  rgb.AdjustHSL(85, 0, 0); // a third of a turn: green becomes blue
  EXPECT_EQ(Bytes(&rgb), (std::vector<u8>{0, 0, 254}));

  auto top = MakeBitmap565(1, 1, 0xF000);
  top->m_nPixelFormat = PIXEL_FORMAT_444;
  top->AdjustHSL(0, 0, 0);
  EXPECT_EQ(Pixel(top.get(), 0, 0), 0);
}

TEST(DrawingHelpers, RectanglesMapIntoTheStoredGrid) {
  struct {
    int mode;
    int x, y, w, h;
  } cases[] = {{0, 1, 2, 3, 4}, {1, 2, 26, 4, 3}, {2, 34, 1, 4, 3}};
  for (auto& c : cases) {
    CWinDibBitmap bm(nullptr);
    bm.SetOrientaionMode(c.mode);
    ASSERT_EQ(bm.Create(40, 30), 1);
    int x = 1, y = 2, w = 3, h = 4;
    SetRectAccordingToOrientationMode(&bm, x, y, w, h);
    EXPECT_EQ(std::vector<int>({x, y, w, h}), std::vector<int>({c.x, c.y, c.w, c.h})) << c.mode;
  }
}

TEST(DrawingHelpers, StretchBlendsByAlphaThresholds) {
  auto src = MakeBitmap565(3, 1, kWhite, 10);
  SetAlpha(src.get(), 1, 0, 245);
  SetAlpha(src.get(), 2, 0, 128);
  auto dest = MakeBitmap565(6, 1, kBlack);
  Bitmap_StretchDraw(dest.get(), src.get(), 0, 0, 6, 1, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{kBlack, kBlack, kWhite, kWhite, 0x7BEF, 0x7BEF}));
}

TEST(DrawingHelpers, StretchReadsRowsOfTheStoredWidth) {
  // A double-resolution source: its device size is half the stored grid.
  BitmapTestGame game;
  game.m_b2xImages = 1;
  auto src = MakeBitmap565(4, 4, 0, -1, &game);
  for (int i = 0; i < 16; i++)
    ((u16*)src->GetBits())[i] = (u16)(i + 1);
  src->m_b2xImage = 1;
  src->UpdateWidthAndHeight();
  ASSERT_EQ(src->GetDeviceWidth(), 2);
  auto dest = MakeBitmap565(4, 4, 0);
  Bitmap_StretchDraw(dest.get(), src.get(), 0, 0, 4, 4, 0, 0, 4, 4);
  EXPECT_EQ(Pixels(dest.get()), Pixels(src.get()));
  // Zero sizes take the source's device size.
  auto small = MakeBitmap565(4, 4, 0);
  Bitmap_StretchDraw(small.get(), src.get(), 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Pixels(small.get()), (std::vector<u16>{1, 2, 0, 0, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

} // namespace
