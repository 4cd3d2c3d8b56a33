// Opaque cells: which cells of a picture its upload notes as wholly opaque, and the middle of a
// blit's texels that may then be drawn without blending.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gl_scene.h"

namespace {

struct Rect {
  int x0, y0, x1, y1;
};

struct MiddleCase {
  const char* name;
  int w, h;
  std::function<u8(int x, int y)> alphaAt;
  Rect texels; // what the blit draws
  bool found;
  Rect middle; // when found
};

void PrintTo(const MiddleCase& c, std::ostream* os) { *os << c.name; }

class OpaqueMiddle : public GLScene, public ::testing::WithParamInterface<MiddleCase> {};

TEST_P(OpaqueMiddle, GrowsFromTheMiddleAndKeepsATexelInsideTheOpaqueCells) {
  const MiddleCase& c = GetParam();
  auto img = ImageOf(
      c.w, c.h, [](int, int) { return Rgb565(0, 255, 0); }, c.alphaAt);
  Rect got = {};
  EXPECT_EQ(c.found, img->GetHWResource()->OpaqueMiddle(c.texels.x0, c.texels.y0, c.texels.x1, c.texels.y1,
                                                        &got.x0, &got.y0, &got.x1, &got.y1));
  if (!c.found) return;
  EXPECT_EQ(c.middle.x0, got.x0);
  EXPECT_EQ(c.middle.y0, got.y0);
  EXPECT_EQ(c.middle.x1, got.x1);
  EXPECT_EQ(c.middle.y1, got.y1);
  // Every texel a pixel of the middle filters is opaque.
  for (int y = got.y0 - 1; y <= got.y1; ++y)
    for (int x = got.x0 - 1; x <= got.x1; ++x)
      ASSERT_EQ(255, c.alphaAt(x, y)) << x << ", " << y;
}

u8 Opaque(int, int) { return 255; }
// A transparent border 4 texels wide, as a panel's rounded edge leaves.
u8 Framed(int x, int y) { return x < 4 || y < 4 || x >= 60 || y >= 60 ? 0 : 255; }
u8 Holed(int x, int y) { return x >= 24 && x < 40 && y >= 24 && y < 40 ? 0 : 255; }
// One texel not quite opaque beside the middle row.
u8 Nicked(int x, int y) { return x == 50 && y == 33 ? 254 : 255; }
// An atlas page: its left entry opaque, its right one see-through.
u8 LeftOpaque(int x, int) { return x < 64 ? 255 : 0; }

INSTANTIATE_TEST_SUITE_P(
    Pictures, OpaqueMiddle,
    ::testing::Values(
        MiddleCase{"Opaque", 64, 64, Opaque, {0, 0, 64, 64}, true, {9, 9, 55, 55}},
        MiddleCase{"Framed", 64, 64, Framed, {0, 0, 64, 64}, true, {9, 9, 55, 55}},
        MiddleCase{"HoleInTheMiddle", 64, 64, Holed, {0, 0, 64, 64}, false, {}},
        MiddleCase{"NickedBesideTheMiddleRow", 64, 64, Nicked, {0, 0, 64, 64}, true, {9, 9, 47, 55}},
        MiddleCase{"TooSmall", 64, 64, Opaque, {8, 8, 28, 28}, false, {}},
        MiddleCase{
            "AtlasEntryWithItsExtraTexel", 128, 64, LeftOpaque, {-1, -1, 64, 64}, true, {9, 9, 55, 55}},
        MiddleCase{"SeeThroughAtlasEntry", 128, 64, LeftOpaque, {64, 0, 128, 64}, false, {}},
        MiddleCase{"BeyondThePicture", 64, 64, Opaque, {0, 0, 64, 200}, false, {}}),
    [](const ::testing::TestParamInfo<MiddleCase>& info) { return std::string(info.param.name); });

// The pieces a blit's texels split into: together they hold each texel once, and a texel a pixel
// of an opaque or clear piece filters (one beyond it, as far as the picture goes) is of that kind.
// A see-through texel with colour in it is not clear.
TEST_F(GLScene, CellPiecesHoldEachTexelOnceAndKeepTheirKindOneTexelBeyond) {
  // A television: opaque sides, a half-transparent ring, a window of nothing.
  auto frame = [](int x, int y) -> u8 {
    const int in = std::min(std::min(x, 127 - x), std::min(y, 95 - y));
    return in < 20 ? 255 : in < 24 ? 128 : 0;
  };
  const struct {
    const char* name;
    u16 colourInTheWindow;
    Rect texels;
    bool opaque;
    bool clearPieces; // whether any piece is clear
  } cases[] = {
      {"whole", 0, {0, 0, 128, 96}, true, true},
      {"a part", 0, {3, 5, 70, 50}, true, true},
      {"opaque counted as mixed", 0, {0, 0, 128, 96}, false, true},
      {"colour where nothing shows", Rgb565(255, 0, 0), {0, 0, 128, 96}, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const u16 window = c.colourInTheWindow;
    auto img = ImageOf(
        128, 96, [&](int x, int y) { return frame(x, y) ? Rgb565(0, 255, 0) : window; }, frame);
    QuellarTextureData* td = img->GetHWResource();
    QuellarTextureData::CellPiece pieces[64];
    const int n = td->CellPieces(c.texels.x0, c.texels.y0, c.texels.x1, c.texels.y1, c.opaque, pieces, 64);
    ASSERT_GT(n, 0);
    std::vector<int> held((size_t)(128 * 96), 0);
    bool anyClear = false;
    for (int i = 0; i < n; ++i) {
      const QuellarTextureData::CellPiece& p = pieces[i];
      anyClear = anyClear || p.kind == QuellarTextureData::kCellClear;
      if (!c.opaque) {
        EXPECT_NE(p.kind, QuellarTextureData::kCellOpaque);
      }
      for (int y = p.y0; y < p.y1; ++y)
        for (int x = p.x0; x < p.x1; ++x)
          ++held[(size_t)(y * 128 + x)];
      if (p.kind == QuellarTextureData::kCellMixed) continue;
      for (int y = std::max(0, p.y0 - 1); y < std::min(96, p.y1 + 1); ++y)
        for (int x = std::max(0, p.x0 - 1); x < std::min(128, p.x1 + 1); ++x)
          ASSERT_EQ(p.kind == QuellarTextureData::kCellOpaque ? 255 : 0, frame(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(c.clearPieces, anyClear);
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 128; ++x) {
        const bool inside = x >= c.texels.x0 && x < c.texels.x1 && y >= c.texels.y0 && y < c.texels.y1;
        ASSERT_EQ(inside ? 1 : 0, held[(size_t)(y * 128 + x)]) << x << ", " << y;
      }
  }
}

TEST_F(GLScene, APictureWithoutAnAlphaMapNotesNoCells) {
  auto img = ImageOf(64, 64, [](int, int) { return Rgb565(0, 255, 0); });
  int x0, y0, x1, y1;
  EXPECT_FALSE(img->GetHWResource()->OpaqueMiddle(0, 0, 64, 64, &x0, &y0, &x1, &y1));
}

TEST_F(GLScene, NewPixelsNoteTheCellsAgain) {
  auto img = ImageOf(
      64, 64, [](int, int) { return Rgb565(0, 255, 0); }, Opaque);
  unsigned char* clear = (unsigned char*)calloc(64 * 64, 1); // the bitmap takes it
  ASSERT_NE(nullptr, clear);
  img->SetAlphaBits(clear, 64, 64);
  ASSERT_EQ(1, img->HWUpdateTexture());
  int x0, y0, x1, y1;
  EXPECT_FALSE(img->GetHWResource()->OpaqueMiddle(0, 0, 64, 64, &x0, &y0, &x1, &y1));
}

struct SolidCase {
  const char* name;
  u16 colour;
  int alpha; // -1: no alpha map
  int solid;
};

void PrintTo(const SolidCase& c, std::ostream* os) { *os << c.name; }

class SolidPicture : public GLScene, public ::testing::WithParamInterface<SolidCase> {};

TEST_P(SolidPicture, IsNotedOnlyWhenEveryTexelIsOpaqueBlackOrWhite) {
  const SolidCase& c = GetParam();
  auto img = c.alpha < 0 ? Image(16, 16, c.colour) : Image(16, 16, c.colour, c.alpha);
  EXPECT_EQ(c.solid, img->GetHWResource()->m_nSolidColour);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, SolidPicture,
    ::testing::Values(SolidCase{"Black", 0x0000, 255, 0}, SolidCase{"White", 0xFFFF, 255, 1},
                      SolidCase{"WhiteWithoutAlpha", 0xFFFF, -1, 1},
                      SolidCase{"HalfSeeThroughBlack", 0x0000, 128, -1}, SolidCase{"Grey", 0x8410, 255, -1},
                      SolidCase{"AlmostWhite", 0xFFFE, 255, -1}),
    [](const ::testing::TestParamInfo<SolidCase>& info) { return std::string(info.param.name); });

TEST_F(GLScene, OneOtherTexelMakesAPictureNoLongerSolid) {
  auto img = ImageOf(
      16, 16, [](int x, int y) { return x == 15 && y == 15 ? Rgb565(8, 0, 0) : (u16)0; },
      [](int, int) { return (u8)255; });
  EXPECT_EQ(-1, img->GetHWResource()->m_nSolidColour);
}

} // namespace
