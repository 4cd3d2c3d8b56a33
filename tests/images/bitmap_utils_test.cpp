// The engine's bitmap helpers: cutting sprite sheets into frames, creating and copying bitmaps in the
// game orientation, and the half-turn flip between the two quarter-turn orientations.
#include <cstdlib>
#include <ostream>

#include "bitmap_utils.h"
#include "image_test_support.h"
#include "quellar_utils.h"

namespace {

// Writes an RGB565 pixel at image pixel (x, y) of a bitmap in its orientation.
void PutPixel(IDibBitmap* b, int x, int y, unsigned r, unsigned g, unsigned bl) {
  size_t i = StoredIndex(b, x, y);
  unsigned v = ((r >> 3) << 11) | ((g >> 2) << 5) | (bl >> 3);
  b->GetBits()[2 * i] = (unsigned char)v;
  b->GetBits()[2 * i + 1] = (unsigned char)(v >> 8);
}

// The frames of one VisibleObjectWithSpritesLoad, freed as the sprite sets free them.
struct FrameSet {
  FIXED_FLOAT unused = 0;
  int uses = 0;
  int loaded = 0;
  IDibBitmap** frames = nullptr;
  TCoord2D* offsets = nullptr;

  bool Load(CGameBase* game, int count, int perRow, const char* image, const char* alpha,
            bool keepAlpha = true) {
    return VisibleObjectWithSpritesLoad(count, perRow, image, alpha, unused, uses, loaded, frames, offsets,
                                        keepAlpha, game, true);
  }
  ~FrameSet() {
    for (int i = 0; frames && i < loaded; i++)
      delete frames[i];
    free(frames);
    free(offsets);
  }
};

class SheetTest : public ImageTest, public ::testing::WithParamInterface<int> {};

// 8 frames, 4 to a row, out of a 32 x 16 sheet of solid 8 x 8 cells, in every input orientation.
TEST_P(SheetTest, CutsEightFramesFourToARow) {
  game.m_nInputOrientation = GetParam();
  game.m_bTrueColorImages = 1;
  FrameSet set;
  ASSERT_TRUE(set.Load(&game, 8, 4, "sheet.png", nullptr));
  EXPECT_EQ(set.uses, 1);
  ASSERT_EQ(set.loaded, 8);
  ASSERT_NE(set.offsets, nullptr);
  for (int i = 0; i < 8; i++) {
    IDibBitmap* frame = set.frames[i];
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetWidth(), SHEET_CELL);
    EXPECT_EQ(frame->GetHeight(), SHEET_CELL);
    ASSERT_NE(frame->GetAlphaBits(), nullptr);
    PatternPixel want = SheetCellPixel(i);
    for (int y = 0; y < SHEET_CELL; y++)
      for (int x = 0; x < SHEET_CELL; x++) {
        PatternPixel got = ColourAt(frame, x, y);
        ASSERT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b && got.a == want.a)
            << "frame " << i << " pixel " << x << "," << y << " holds " << got.r << "," << got.g << ","
            << got.b << "," << got.a;
      }
  }
  // Later calls only count a use.
  IDibBitmap** first = set.frames;
  ASSERT_TRUE(set.Load(&game, 8, 4, "sheet.png", nullptr));
  EXPECT_EQ(set.uses, 2);
  EXPECT_EQ(set.frames, first);
}

INSTANTIATE_TEST_SUITE_P(Orientations, SheetTest, ::testing::Values(0, 1, 2));

TEST_F(ImageTest, SeparateAlphaSheetGivesEachFrameItsCell) {
  game.m_bTrueColorImages = 1;
  FrameSet set;
  ASSERT_TRUE(set.Load(&game, 8, 4, "sheet.png", "sheetmask.jpg"));
  for (int i = 0; i < 8; i++) {
    EXPECT_EQ(ColourAt(set.frames[i], 2, 2).r, SheetCellPixel(i).r);
    EXPECT_TRUE(Near(set.frames[i]->GetAlphaBits()[5], SheetMaskGrey(i), 3)) << "frame " << i;
  }

  // Alpha alone: frames without colour.
  FrameSet alphaOnly;
  ASSERT_TRUE(alphaOnly.Load(&game, 8, 4, nullptr, "sheetmask.jpg"));
  EXPECT_EQ(alphaOnly.frames[7]->GetBits(), nullptr);
  EXPECT_TRUE(Near(alphaOnly.frames[7]->GetAlphaBits()[0], SheetMaskGrey(7), 3));
}

struct BadSheetCase {
  const char* what;
  int count, perRow;
  const char* image;
  const char* alpha;
};
std::ostream& operator<<(std::ostream& os, const BadSheetCase& c) { return os << c.what; }

class BadSheetTest : public ImageTest, public ::testing::WithParamInterface<BadSheetCase> {};

TEST_P(BadSheetTest, FailsAndLeavesNothingBehind) {
  const BadSheetCase& c = GetParam();
  game.m_bRegisterBitmaps = 1;
  int before = game.m_CreatedBitmaps.GetSize();
  FrameSet set;
  EXPECT_FALSE(set.Load(&game, c.count, c.perRow, c.image, c.alpha));
  EXPECT_EQ(set.uses, 0);
  EXPECT_EQ(set.loaded, 0);
  EXPECT_EQ(set.frames, nullptr);
  EXPECT_EQ(set.offsets, nullptr);
  EXPECT_EQ(game.m_CreatedBitmaps.GetSize(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, BadSheetTest,
    ::testing::Values(BadSheetCase{"cells_narrower_than_a_pixel", 8, 40, "sheet.png", nullptr},
                      BadSheetCase{"cells_lower_than_a_pixel", 80, 4, "sheet.png", nullptr},
                      BadSheetCase{"no_frames_per_row", 8, 0, "sheet.png", nullptr},
                      BadSheetCase{"no_frames", 0, 4, "sheet.png", nullptr},
                      BadSheetCase{"missing_image", 8, 4, "absent.png", nullptr},
                      BadSheetCase{"missing_alpha_image", 8, 4, "sheet.png", "absent.jpg"},
                      BadSheetCase{"no_file_at_all", 8, 4, nullptr, nullptr}),
    [](const ::testing::TestParamInfo<BadSheetCase>& info) { return std::string(info.param.what); });

class OrientedCopyTest : public ImageTest, public ::testing::WithParamInterface<int> {};

// Whatever the orientation, the game sees a copy of a 2 x 3 bitmap at (1, 2) of a 6 x 5 one.
TEST_P(OrientedCopyTest, CopiesLandWhereTheGameDrewThem) {
  game.m_nInputOrientation = GetParam();
  IDibBitmap* src = CreateBitmap(&game, 2, 3, true);
  IDibBitmap* dst = CreateBitmap(&game, 6, 5, true);
  ASSERT_NE(src, nullptr);
  ASSERT_NE(dst, nullptr);
  EXPECT_EQ(src->GetWidth(), 2);
  EXPECT_EQ(src->GetHeight(), 3);
  EXPECT_EQ(src->GetStoredWidth(), GetParam() == 0 ? 2 : 3);
  dst->ClearBitmap(0, 0, 0);
  memset(dst->GetAlphaBits(), 0, 30);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 2; x++) {
      PutPixel(src, x, y, 8 * (x + 1), 8 * (y + 1), 0);
      src->GetAlphaBits()[StoredIndex(src, x, y)] = (unsigned char)(10 * x + y + 1);
    }
  CopyBitmapData(&game, src, dst, 1, 2);
  CopyAlphaData(&game, src, dst, 1, 2);
  for (int y = 0; y < 5; y++)
    for (int x = 0; x < 6; x++) {
      bool inside = x >= 1 && x < 3 && y >= 2 && y < 5;
      PatternPixel p = ColourAt(dst, x, y);
      EXPECT_EQ(p.r, inside ? 8u * (x - 1 + 1) : 0u) << x << "," << y;
      EXPECT_EQ(p.g, inside ? 8u * (y - 2 + 1) : 0u) << x << "," << y;
      EXPECT_EQ(p.a, inside ? 10u * (x - 1) + (y - 2) + 1 : 0u) << x << "," << y;
    }
  delete src;
  delete dst;
}

INSTANTIATE_TEST_SUITE_P(Orientations, OrientedCopyTest, ::testing::Values(0, 1, 2));

TEST_F(ImageTest, CreateBitmapRefusesMissingArgumentsAndDropsAlphaOnRequest) {
  CWinDibBitmap* b = NewBitmap();
  EXPECT_EQ(CreateBitmap(nullptr, b, 4, 4), 0);
  EXPECT_EQ(CreateBitmap(&game, nullptr, 4, 4), 0);
  EXPECT_EQ(b->GetBits(), nullptr);
  IDibBitmap* opaque = CreateBitmap(&game, 4, 2, false);
  ASSERT_NE(opaque, nullptr);
  EXPECT_EQ(opaque->GetAlphaBits(), nullptr);
  EXPECT_EQ(opaque->GetWidth(), 4);
  EXPECT_EQ(CreateBitmap(&game, 0, 2, true), nullptr);
  delete opaque;
  delete b;
}

TEST_F(ImageTest, FlipTurnsEveryBitmapHalfARound) {
  game.m_nInputOrientation = 1;
  game.m_bRegisterBitmaps = 1;
  IDibBitmap* screen = CreateBitmap(&game, 3, 2, true);
  IDibBitmap* sprite = CreateBitmap(&game, 3, 2, true);
  ASSERT_NE(screen, nullptr);
  ASSERT_NE(sprite, nullptr);
  // The screen is also in the registered list: it must still turn only once.
  game.m_pDoubleBuffer = screen;
  ASSERT_EQ(game.m_CreatedBitmaps.Find(screen) >= 0, true);
  for (IDibBitmap* b : {screen, sprite})
    for (int y = 0; y < 2; y++)
      for (int x = 0; x < 3; x++) {
        PutPixel(b, x, y, 8 * x, 8 * y, 0);
        b->GetAlphaBits()[StoredIndex(b, x, y)] = (unsigned char)(x + 3 * y);
      }

  FlipGameOrientation(&game, 2);
  EXPECT_EQ(game.m_nInputOrientation, 2);
  for (IDibBitmap* b : {screen, sprite}) {
    ASSERT_EQ(b->GetOrientationMode(), 2);
    // The picture is the same as the game sees it; only its storage turned.
    for (int y = 0; y < 2; y++)
      for (int x = 0; x < 3; x++) {
        PatternPixel p = ColourAt(b, x, y);
        EXPECT_EQ(p.r, 8u * x);
        EXPECT_EQ(p.g, 8u * y);
        EXPECT_EQ(p.a, (unsigned)(x + 3 * y));
      }
  }
  game.m_pDoubleBuffer = nullptr;
  delete screen;
  delete sprite;
}

TEST_F(ImageTest, FlipNeedsAQuarterTurnOrientation) {
  EXPECT_FALSE(CanFlipGameOrientation(&game));
  EXPECT_FALSE(CanFlipGameOrientation(nullptr));
  FlipGameOrientation(&game, 2);
  EXPECT_EQ(game.m_nInputOrientation, 0);
  game.m_nInputOrientation = 2;
  EXPECT_TRUE(CanFlipGameOrientation(&game));
}

} // namespace
