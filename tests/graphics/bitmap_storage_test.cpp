// Storage of the software bitmap: sizes by orientation and double resolution, creation,
// ownership, registration with the application object, and the bounded copies.
#include "bitmap_test_support.h"

#include <gtest/gtest.h>

namespace {

struct Sizes {
  int logicalW, logicalH, deviceW, deviceH, storedW, storedH;
};

Sizes SizesOf(IDibBitmap* bm) {
  return {bm->GetWidth(),        bm->GetHeight(),      bm->GetDeviceWidth(),
          bm->GetDeviceHeight(), bm->GetStoredWidth(), bm->GetStoredHeight()};
}

void ExpectSizes(IDibBitmap* bm, Sizes e) {
  Sizes s = SizesOf(bm);
  EXPECT_EQ(s.logicalW, e.logicalW);
  EXPECT_EQ(s.logicalH, e.logicalH);
  EXPECT_EQ(s.deviceW, e.deviceW);
  EXPECT_EQ(s.deviceH, e.deviceH);
  EXPECT_EQ(s.storedW, e.storedW);
  EXPECT_EQ(s.storedH, e.storedH);
}

TEST(BitmapStorage, SetBitsTakesTheSizeInDrawingOrientation) {
  struct {
    int mode;
    Sizes expected;
  } cases[] = {
      {0, {100, 50, 100, 50, 100, 50}}, {1, {100, 50, 50, 100, 50, 100}}, {2, {100, 50, 50, 100, 50, 100}}};
  for (auto& c : cases) {
    CWinDibBitmap bm(nullptr);
    bm.SetOrientaionMode(c.mode);
    EXPECT_EQ(bm.SetBits((unsigned char*)malloc(100 * 50 * 2), 100, 50), 1);
    SCOPED_TRACE(c.mode);
    ExpectSizes(&bm, c.expected);
    // Create keeps the size as given, only the logical size turns.
    ASSERT_EQ(bm.Create(100, 50), 1);
    ExpectSizes(&bm, c.mode == 0 ? Sizes{100, 50, 100, 50, 100, 50} : Sizes{50, 100, 100, 50, 100, 50});
  }
}

TEST(BitmapStorage, TakesOrientationAndDepthFromTheApplication) {
  BitmapTestGame game;
  game.m_nInputOrientation = 2;
  CWinDibBitmap bm(&game);
  EXPECT_EQ(bm.GetOrientationMode(), 2);
  EXPECT_EQ(bm.GetBitsPerPixel(), 16);
  EXPECT_EQ(bm.GetBytesPerPixel(), 2);
  bm.SetBitsPerPixel(24);
  EXPECT_EQ(bm.GetBytesPerPixel(), 3);
  EXPECT_EQ(bm.m_nPixelFormat, PIXEL_FORMAT_24);
  bm.SetBitsPerPixel(23);
  EXPECT_EQ(bm.GetBytesPerPixel(), 2);
  EXPECT_EQ(bm.m_nPixelFormat, PIXEL_FORMAT_565);
}

TEST(BitmapStorage, CreateLeavesAnOpaqueAlphaMap) {
  for (int bpp : {16, 24}) {
    CWinDibBitmap bm(nullptr);
    bm.SetBitsPerPixel(bpp);
    ASSERT_EQ(bm.Create(7, 3), 1);
    ASSERT_NE(bm.GetAlphaBits(), nullptr);
    for (int i = 0; i < 21; i++)
      ASSERT_EQ(bm.GetAlphaBits()[i], 255) << bpp;
  }
  CWinDibBitmap bad(nullptr);
  EXPECT_EQ(bad.Create(0, 5), 0);
  EXPECT_EQ(bad.Create(-3, 5), 0);
  EXPECT_EQ(bad.Create(1 << 20, 1 << 20), 0);
  EXPECT_EQ(bad.GetBits(), nullptr);
}

TEST(BitmapStorage, DoubleResolutionImagesAreHalved) {
  BitmapTestGame game;
  CWinDibBitmap bm(&game);
  bm.m_b2xImage = 1;
  ASSERT_EQ(bm.Create(200, 100), 1);
  ExpectSizes(&bm, {200, 100, 200, 100, 200, 100}); // not in double-resolution mode
  game.m_b2xImages = 1;
  bm.UpdateWidthAndHeight();
  ExpectSizes(&bm, {100, 50, 100, 50, 200, 100});
  bm.m_b2xImage = 0;
  bm.UpdateWidthAndHeight();
  ExpectSizes(&bm, {200, 100, 200, 100, 200, 100});
}

TEST(BitmapStorage, DeletingUnregistersFromTheApplication) {
  BitmapTestGame game;
  game.m_bRegisterBitmaps = 1;
  auto* a = new CWinDibBitmap(&game);
  auto* b = new CWinDibBitmap(&game);
  auto* c = new CWinDibBitmap(&game);
  for (IDibBitmap* bm : {(IDibBitmap*)a, (IDibBitmap*)b, (IDibBitmap*)c})
    game.m_CreatedBitmaps.Add(bm);
  delete b;
  ASSERT_EQ(game.m_CreatedBitmaps.GetSize(), 2);
  EXPECT_EQ(game.m_CreatedBitmaps[0], a);
  EXPECT_EQ(game.m_CreatedBitmaps[1], c);
  game.m_bRegisterBitmaps = 0; // not registering: the list is left alone
  delete a;
  EXPECT_EQ(game.m_CreatedBitmaps.GetSize(), 2);
  delete c;
}

TEST(BitmapStorage, ExternalBuffersAreNotFreed) {
  // Run under the sanitizers: a wrong free or leak shows there.
  static unsigned char pixels[4 * 2 * 2];
  static unsigned char alpha[4 * 2];
  {
    CWinDibBitmap bm(nullptr);
    bm.SetExternalBits(pixels, 4, 2);
    bm.SetExternalAlpha(alpha);
    EXPECT_TRUE(bm.IsAlphaExternal());
    ExpectSizes(&bm, {4, 2, 4, 2, 4, 2});
    // An adopted buffer is owned again.
    bm.SetBits((unsigned char*)malloc(16), 4, 2);
    bm.SetAlphaBits((unsigned char*)malloc(8), 4, 2);
    EXPECT_FALSE(bm.IsAlphaExternal());
  }
  CWinDibBitmap bm(nullptr);
  bm.SetExternalBits(pixels, 4, 2);
  bm.Destroy();
  EXPECT_EQ(bm.GetBits(), nullptr);
}

TEST(BitmapCopies, ClipToTheBitmaps) {
  auto src = MakeBitmap565(3, 1, 0x1111, 200);
  SetPixel(src.get(), 2, 0, 0x2222);
  auto dest = MakeBitmap565(4, 2, 0, 0);

  src->CopyBitmap(dest.get(), 2, 1, 0, 0);
  src->CopyAlpha(dest.get(), -1, 0, 0, 0);
  EXPECT_EQ(Pixels(dest.get()), (std::vector<u16>{0, 0, 0, 0, 0, 0, 0x1111, 0x1111}));
  EXPECT_EQ(std::vector<u8>(dest->GetAlphaBits(), dest->GetAlphaBits() + 8),
            (std::vector<u8>{200, 200, 0, 0, 0, 0, 0, 0}));

  // FastCopy runs over rows but never past the end of either grid.
  src->FastCopy(dest.get(), 1, 6, 100);
  EXPECT_EQ(Pixel(dest.get(), 2, 1), 0x1111);
  EXPECT_EQ(Pixel(dest.get(), 3, 1), 0x2222);
  src->FastCopy(dest.get(), 2, 0, 5);
  EXPECT_EQ(Pixels(dest.get())[0], 0x2222);
  EXPECT_EQ(Pixels(dest.get())[1], 0);
  src->FastCopy(dest.get(), -1, 0, 2);
  src->FastCopy(dest.get(), 0, 8, 2);
  EXPECT_EQ(Pixels(dest.get())[0], 0x2222);
}

TEST(BitmapCopies, WritesStayInsideTheRow) {
  auto bm = MakeBitmap565(3, 2, 0, 0);
  const u16 data[5] = {1, 2, 3, 4, 5};
  const u8 alpha[5] = {9, 8, 7, 6, 5};
  bm->WriteBits(1, 0, (unsigned char*)data, 5);
  bm->WriteBits(-2, 1, (unsigned char*)data, 3);
  bm->WriteBits(0, 2, (unsigned char*)data, 3);
  bm->WriteBits(0, -1, (unsigned char*)data, 3);
  EXPECT_EQ(Pixels(bm.get()), (std::vector<u16>{0, 1, 2, 3, 0, 0}));
  bm->WriteAlphaBits(2, 1, (unsigned char*)alpha, 5);
  EXPECT_EQ(std::vector<u8>(bm->GetAlphaBits(), bm->GetAlphaBits() + 6), (std::vector<u8>{0, 0, 0, 0, 0, 9}));
}

} // namespace
