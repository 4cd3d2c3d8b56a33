// Software paths never touch pixels that are not there: bitmaps without pixels, pixels released
// after a texture upload, and grids of another pixel size than the 16-bit workers handle.
#include "bitmap_test_support.h"
#include "drawing_helpers.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// What a texture upload leaves behind: one-pixel placeholders under a large stored size.
class ReleasedBitmap : public CWinDibBitmap {
public:
  ReleasedBitmap() : CWinDibBitmap(nullptr) {
    Create(1, 1);
    m_nStoredWidth = 64;
    m_nStoredHeight = 64;
    UpdateWidthAndHeight();
  }
  bool ArePixelsReleased() override { return true; }
};

// Every software operation that reads src and writes dest.
const std::vector<std::pair<const char*, std::function<void(CWinDibBitmap*, CWinDibBitmap*)>>>& Draws() {
  static const std::vector<std::pair<const char*, std::function<void(CWinDibBitmap*, CWinDibBitmap*)>>>
      draws = {
          {"Draw", [](CWinDibBitmap* s, CWinDibBitmap* d) { s->Draw(d, 0, 0, 0, 0, 0, 0); }},
          {"DrawFaded", [](CWinDibBitmap* s, CWinDibBitmap* d) { s->Draw(d, 0, 0, 0, 0, 0, -20); }},
          {"DrawOpaque", [](CWinDibBitmap* s, CWinDibBitmap* d) { s->DrawOpaque(d, 0, 0, 0, 0, 3); }},
          {"FastDraw", [](CWinDibBitmap* s, CWinDibBitmap* d) { s->FastDraw(d, 0, 0); }},
          {"StretchDraw",
           [](CWinDibBitmap* s, CWinDibBitmap* d) { s->StretchDraw(d, 0, 0, 8, 8, 0, 0, 0, 0, 0, 0); }},
          {"BitBltAdditive",
           [](CWinDibBitmap* s, CWinDibBitmap* d) { s->BitBltAdditive(d, 0, 0, 0, 0, 0, 0, -5); }},
          {"BitBltMultiply",
           [](CWinDibBitmap* s, CWinDibBitmap* d) { s->BitBltMultiply(d, 9, 9, 9, 0, 0, 0, 0, 0, 0, 0); }},
          {"FillAlpha",
           [](CWinDibBitmap* s, CWinDibBitmap* d) { s->FillAlphaNoStretch(d, 9, 9, 9, 0, 0, 0, 0, 0, 0); }},
          {"FillAlphaAdditive",
           [](CWinDibBitmap* s, CWinDibBitmap* d) {
             s->FillAlphaNoStretchAdditive(d, 9, 9, 9, 0, 0, 0, 0, 0, 0);
           }},
          {"CopyBitmap", [](CWinDibBitmap* s, CWinDibBitmap* d) { s->CopyBitmap(d, 0, 0, 0, 0); }},
          {"CopyAlpha", [](CWinDibBitmap* s, CWinDibBitmap* d) { s->CopyAlpha(d, 0, 0, 0, 0); }},
          {"FastCopy", [](CWinDibBitmap* s, CWinDibBitmap* d) { s->FastCopy(d, 0, 0, 64); }},
          {"StretchHelper",
           [](CWinDibBitmap* s, CWinDibBitmap* d) { Bitmap_StretchDraw(d, s, 0, 0, 8, 8, 0, 0, 0, 0); }},
      };
  return draws;
}

std::vector<u8> Snapshot(IDibBitmap* bm) {
  const u8* p = bm->GetBits();
  std::vector<u8> v(p, p + bm->GetStoredWidth() * bm->GetStoredHeight() * bm->GetBytesPerPixel());
  if (bm->GetAlphaBits()) v.insert(v.end(), bm->GetAlphaBits(), bm->GetAlphaBits() + 64);
  return v;
}

TEST(BitmapGuards, ReleasedOrMissingPixelsAreNeverReadOrWritten) {
  // Out-of-bounds access on the placeholders shows under the sanitizers; here the other side of
  // each draw must stay as it was.
  for (auto& [name, draw] : Draws()) {
    ReleasedBitmap released;
    CWinDibBitmap empty(nullptr);
    empty.m_nStoredWidth = empty.m_nStoredHeight = 8;
    empty.UpdateWidthAndHeight();
    auto target = MakeBitmap565(8, 8, 0x1234, 255);
    auto before = Snapshot(target.get());
    draw(&released, target.get());
    draw(&empty, target.get());
    EXPECT_EQ(Snapshot(target.get()), before) << name;
    auto source = MakeBitmap565(8, 8, 0x4321, 200);
    draw(source.get(), &released);
    draw(source.get(), &empty);
    EXPECT_EQ(((u16*)released.GetBits())[0], 0) << name;
    EXPECT_EQ(released.GetAlphaBits()[0], 255) << name;
  }
}

TEST(BitmapGuards, ReleasedPixelsIgnoreTheirOwnOperations) {
  ReleasedBitmap released;
  const u16 data[64] = {};
  released.ClearBitmap(255, 255, 255);
  released.FillRectangle(0, 0, 64, 64, 255, 255, 255);
  released.DrawRectangle(0, 0, 64, 64, 255, 255, 255);
  released.DrawLineH(0, 64, 10, 255, 255, 255, 255);
  released.AddBrightness(100);
  released.AdjustHSL(10, 10, 10);
  released.WriteBits(0, 5, (unsigned char*)data, 64);
  released.WriteAlphaBits(0, 5, (unsigned char*)data, 64);
  released.ReplaceAlphaWithTransparentColor();
  FillRectangle_Transparent(nullptr, &released, 0, 0, 64, 64, 255, 255, 255, 100);
  EXPECT_EQ(((u16*)released.GetBits())[0], 0);
  EXPECT_EQ(released.GetAlphaBits()[0], 255);
  EXPECT_FALSE(released.HasPixelsInRAM());
  EXPECT_FALSE(released.HasAlphaInRAM());
}

TEST(BitmapGuards, SixteenBitWorkersSkipOtherPixelSizes) {
  for (auto& [name, draw] : Draws()) {
    if (std::string(name) == "CopyAlpha") continue; // alpha maps are one byte whatever the pixels
    CWinDibBitmap rgb(nullptr);
    rgb.SetBitsPerPixel(24);
    ASSERT_EQ(rgb.Create(8, 8), 1);
    memset(rgb.GetBits(), 0x5A, 8 * 8 * 3);
    auto target = MakeBitmap565(8, 8, 0x1234, 255);
    auto before = Snapshot(target.get());
    draw(&rgb, target.get());
    EXPECT_EQ(Snapshot(target.get()), before) << name << " from 24-bit";
    auto source = MakeBitmap565(8, 8, 0x4321, 255);
    auto rgbBefore = Snapshot(&rgb);
    draw(source.get(), &rgb);
    EXPECT_EQ(Snapshot(&rgb), rgbBefore) << name << " into 24-bit";
  }
}

} // namespace
