// Drawing text: on the GL screen (read back), by hand into software bitmaps, the effects, clipping,
// the scaled and rotated variant and the application object's statistics line.
#include "font_test_support.h"
#include "test_application.h"
#include "win_dib_bitmap.h"

namespace {

using FontDrawTest = FontScene;

TEST_F(FontDrawTest, GlyphsLandWherePenAndMetricsPutThem) {
  MakeFont("metrics", FdbBytes::Grid().Record('B', 8, 16, 8).Int(0));
  auto font = Load("metrics");
  screen->ClearBitmap(0, 0, 255);
  font->TextOut(screen.get(), 10, 20, "AB A", 255, 0, 0, 0, 255, nullptr);
  // 'A': the 8x8 block at the pen.
  EXPECT_TRUE(Shows(10, 20, 255, 0, 0));
  EXPECT_TRUE(Shows(17, 27, 255, 0, 0));
  EXPECT_TRUE(Shows(18, 20, 0, 0, 255));
  EXPECT_TRUE(Shows(10, 28, 0, 0, 255));
  EXPECT_TRUE(Shows(9, 20, 0, 0, 255));
  // 'B' at pen 10 + 10 + 2, moved right by its bearing of 2 and cut to (8 + 16) / 4 + 1 columns.
  EXPECT_TRUE(Shows(23, 22, 0, 0, 255));
  EXPECT_TRUE(Shows(24, 22, 255, 0, 0));
  EXPECT_TRUE(Shows(30, 22, 255, 0, 0));
  EXPECT_TRUE(Shows(31, 22, 0, 0, 255));
  // The space moves the pen by the underscore's advance: 22 + (6 + 2) + 2 + 10.
  EXPECT_TRUE(Shows(41, 22, 0, 0, 255));
  EXPECT_TRUE(Shows(42, 22, 255, 0, 0));
}

TEST_F(FontDrawTest, VerticalOffsetAndExtraLineHeightMoveTheLine) {
  MakeFont("offset", FdbBytes::Grid().Int(8));
  auto font = Load("offset");
  screen->ClearBitmap(0, 0, 255);
  font->TextOut(screen.get(), 10, 20, "A", 255, 255, 255, 0, 255, nullptr);
  EXPECT_TRUE(Shows(12, 18, 255, 255, 255)); // two pixels higher
  EXPECT_TRUE(Shows(12, 17, 0, 0, 255));
  EXPECT_TRUE(Shows(12, 26, 0, 0, 255));
  font->m_nExtraLineHeight = 6;
  font->TextOut(screen.get(), 40, 20, "A", 255, 255, 255, 0, 255, nullptr);
  EXPECT_TRUE(Shows(42, 20, 0, 0, 255)); // 20 - 2 + 6 / 2
  EXPECT_TRUE(Shows(42, 21, 255, 255, 255));
}

struct Probe {
  int dx, dy;
  int r, g, b;
};
struct EffectCase {
  const char* name;
  int effect;
  int alpha;
  std::vector<Probe> probes; // relative to the pen of a red "A" at (20, 20) over blue
};
class FontEffectTest : public FontScene, public ::testing::WithParamInterface<EffectCase> {};

TEST_P(FontEffectTest, CopiesShowAroundTheLine) {
  const EffectCase& c = GetParam();
  auto font = GridFont();
  screen->ClearBitmap(0, 0, 255);
  font->TextOut(screen.get(), 20, 20, "A", 255, 0, 0, c.effect, (u8)c.alpha, nullptr);
  for (const Probe& p : c.probes)
    EXPECT_TRUE(Shows(20 + p.dx, 20 + p.dy, p.r, p.g, p.b));
}

// The glyph covers 0..7 x 0..7 from the pen.
INSTANTIATE_TEST_SUITE_P(
    Effects, FontEffectTest,
    ::testing::Values(
        EffectCase{"none", 0, 255, {{3, 3, 255, 0, 0}, {8, 8, 0, 0, 255}, {-1, -1, 0, 0, 255}}},
        EffectCase{
            "shadow",
            1,
            255,
            {{3, 3, 255, 0, 0}, {8, 8, 0, 0, 0}, {8, 0, 0, 0, 255}, {8, 1, 0, 0, 0}, {-1, -1, 0, 0, 255}}},
        EffectCase{"border",
                   2,
                   255,
                   {{-1, -1, 0, 0, 0},
                    {8, -1, 0, 0, 0},
                    {-1, 8, 0, 0, 0},
                    {8, 8, 0, 0, 0},
                    {-1, 3, 0, 0, 0},
                    {-2, 3, 0, 0, 255},
                    {3, 3, 255, 0, 0}}},
        EffectCase{"glowFaint", 3, 200, {{-2, -2, 0, 0, 255}, {9, 3, 0, 0, 255}, {3, 3, 200, 0, 55}}},
        EffectCase{"glow", 3, 255, {{-2, -2, 0, 0, 224}, {9, 9, 0, 0, 224}, {3, 3, 255, 0, 0}}},
        EffectCase{
            "whiteBorder", 4, 255, {{-1, -1, 127, 127, 255}, {8, 8, 127, 127, 255}, {3, 3, 255, 0, 0}}},
        EffectCase{"border2", 5, 255, {{-1, -1, 0, 0, 128}, {8, 8, 0, 0, 128}, {3, 3, 255, 0, 0}}},
        EffectCase{"whiteBorder2", 6, 255, {{8, -1, 127, 127, 255}, {3, 3, 255, 0, 0}}},
        EffectCase{"unknown", 7, 255, {{3, 3, 0, 0, 255}, {8, 8, 0, 0, 255}}}),
    [](const ::testing::TestParamInfo<EffectCase>& i) { return std::string(i.param.name); });

TEST_F(FontDrawTest, ClipRectangleCutsGlyphsOnTheScreen) {
  auto font = GridFont();
  screen->ClearBitmap(0, 0, 255);
  TCoordRect2D clip;
  clip.x = 14;
  clip.y = 22;
  clip.width = 12;
  clip.height = 4;
  font->TextOut(screen.get(), 10, 20, "AB", 255, 0, 0, 0, 255, &clip);
  EXPECT_TRUE(Shows(13, 23, 0, 0, 255));
  EXPECT_TRUE(Shows(14, 23, 255, 0, 0));
  EXPECT_TRUE(Shows(14, 21, 0, 0, 255));
  EXPECT_TRUE(Shows(14, 25, 255, 0, 0));
  EXPECT_TRUE(Shows(14, 26, 0, 0, 255));
  EXPECT_TRUE(Shows(25, 23, 255, 0, 0));
  EXPECT_TRUE(Shows(26, 23, 0, 0, 255));
  // A glyph wholly outside draws nothing and still advances.
  EXPECT_EQ(10, font->DrawChar_565bpp(screen.get(), 60, 40, 'A', 255, 255, 255, 255, &clip));
  EXPECT_TRUE(Shows(62, 42, 0, 0, 255));
}

TEST_F(FontDrawTest, ScaledAndRotatedTextTurnsAboutThePen) {
  auto font = GridFont();
  screen->ClearBitmap(0, 0, 255);
  font->TextOutF(screen.get(), "A", 10 << 16, 10 << 16, 2 << 16, 2 << 16, 0, 255, 0, 0, 0, 255, nullptr);
  EXPECT_TRUE(Shows(11, 11, 255, 0, 0));
  EXPECT_TRUE(Shows(24, 24, 255, 0, 0));
  EXPECT_TRUE(Shows(12, 30, 0, 0, 255)); // the cell's empty lower half
  EXPECT_TRUE(Shows(28, 12, 0, 0, 255));
  // A quarter turn clockwise: the glyph's top now lies right of the pen.
  TVector2D_16 move = font->DrawCharF(screen.get(), 'A', 70 << 16, 30 << 16, 2 << 16, 2 << 16, 90 << 16, 255,
                                      255, 0, 255, nullptr);
  EXPECT_TRUE(Shows(66, 38, 255, 255, 0));
  EXPECT_TRUE(Shows(56, 32, 255, 255, 0));
  EXPECT_TRUE(Shows(44, 38, 0, 0, 255)); // the empty half, now left of the block
  EXPECT_TRUE(Shows(66, 50, 0, 0, 255));
  EXPECT_NEAR(0, move.x, 2);
  EXPECT_NEAR(20 << 16, move.y, 2);
}

// Into a bitmap that is not the screen: the alpha-only atlas is blended by hand.
TEST_F(FontDrawTest, SoftwareTargetsBlendTheAlphaAtlasByHand) {
  auto font = std::make_unique<CBitmapFontText>(&game);
  std::string name = Fixture("alpha.jpg");
  ASSERT_EQ(1, font->LoadFont(name.data()));
  EXPECT_EQ(nullptr, font->m_pColorPixels);
  auto target = MakeBitmap565(64, 32, 0xFFFF, -1, &game);
  u16* px = (u16*)target->GetBits();
  auto at = [&](int x, int y) { return px[y * 64 + x]; };

  font->TextOut(target.get(), 4, 4, "AB", 255, 0, 0, 1, 255, nullptr);
  EXPECT_EQ(0xF800, at(4, 4));
  EXPECT_EQ(0xF800, at(11, 11));
  EXPECT_EQ(0x0000, at(12, 12)); // shadow
  EXPECT_EQ(0xFFFF, at(13, 4));
  EXPECT_EQ(0xF800, at(16, 4)); // 'B' at 4 + 12
  EXPECT_EQ(0xFFFF, at(4, 13));

  // Half alpha moves each channel half way; a clip keeps the rest untouched.
  TCoordRect2D clip;
  clip.x = 42;
  clip.y = 0;
  clip.width = 4;
  clip.height = 32;
  font->TextOut(target.get(), 40, 20, "A", 0, 0, 255, 0, 128, &clip);
  EXPECT_EQ(0xFFFF, at(41, 22));
  EXPECT_EQ((u16)((15 << 11) | (31 << 5) | 31), at(42, 22));
  EXPECT_EQ(0xFFFF, at(46, 22));
  // Without a clip the glyph stops one pixel before the bitmap's right edge.
  font->TextOut(target.get(), 60, 20, "A", 0, 0, 0, 0, 255, nullptr);
  EXPECT_EQ(0x0000, at(62, 20));
  EXPECT_EQ(0xFFFF, at(63, 20));
}

TEST_F(FontDrawTest, SoftwareTargetsTakeTheColourAtlasThroughTheMultiplyBlit) {
  auto font = GridFont();
  ASSERT_NE(nullptr, font->m_pColorPixels);
  auto target = MakeBitmap565(32, 16, 0x001F, -1, &game);
  font->TextOut(target.get(), 2, 2, "A", 255, 255, 0, 0, 255, nullptr);
  u16* px = (u16*)target->GetBits();
  const u16 p = px[2 * 32 + 2]; // yellow, within the multiply's rounding
  EXPECT_GE(p >> 11, 28);
  EXPECT_GE((p >> 5) & 0x3F, 56);
  EXPECT_LE(p & 0x1F, 2);
  EXPECT_EQ(0x001F, px[2 * 32 + 10]);
}

// Metrics that claim more than the atlas holds: the glyph ends at the atlas edge instead of
// reading past it.
TEST_F(FontDrawTest, GlyphWiderThanTheAtlasStopsAtItsEdge) {
  std::filesystem::copy_file(Fixture("alpha.jpg"), "wide.jpg");
  WriteFile("wide.fdb", FdbBytes::Grid().Record('A', 0, 1000, 0).bytes);
  auto font = std::make_unique<CBitmapFontText>(&game);
  ASSERT_EQ(1, font->LoadFont((char*)"wide.jpg"));
  ASSERT_EQ(nullptr, font->m_pColorPixels);
  auto target = MakeBitmap565(300, 20, 0xFFFF, -1, &game);
  font->TextOut(target.get(), 4, 4, "A", 0, 0, 0, 0, 255, nullptr);
  u16* px = (u16*)target->GetBits();
  EXPECT_EQ(0, px[4 * 300 + 4]);            // atlas column 16
  EXPECT_EQ(0, px[4 * 300 + 4 + 224]);      // atlas column 240, the last cell
  EXPECT_EQ(0xFFFF, px[4 * 300 + 4 + 240]); // atlas column 256 does not exist
  EXPECT_EQ(0xFFFF, px[4 * 300 + 4 + 250]);
  // The screen path takes the same cut.
  screen->ClearBitmap(0, 0, 255);
  font->TextOut(screen.get(), 0, 4, "A", 255, 0, 0, 0, 255, nullptr);
  EXPECT_TRUE(Shows(0, 4, 255, 0, 0));
}

// The application object's statistics line, drawn with its debug font in fixed-step mode only.
class StatsApp : public CTestApplication {
public:
  CBitmapFontText* GetDebugFont() override { return m_pFont.get(); }
  std::unique_ptr<CBitmapFontText> m_pFont;
};

class BlueElement : public CXElement {
public:
  explicit BlueElement(CGameBase* app) : CXElement(app, app) {}
  void Draw() override { m_pApp->GetDoubleBuffer()->FillRectangle(0, 0, 96, 64, 0, 0, 255); }
};

TEST(FontStatsTest, FixedStepFrameShowsTheStatisticsLine) {
  ScopedTempDir dir;
  HeadlessGL gl;
  ASSERT_TRUE(gl.Open(480, 320));
  GLES_ResetStateCache();
  {
    StatsApp app;
    app.m_bUsePacks = 0;
    ASSERT_TRUE(app.Init(480, 320));
    new BlueElement(&app);
    app.m_pFont = std::make_unique<CBitmapFontText>(&app);
    std::string name = FONT_FIXTURES_DIR "/images/grid.fdb";
    ASSERT_EQ(1, app.m_pFont->LoadFont(name.data()));
    app.m_strStats = "AA";
    app.m_bShowFpsStats = 1;

    app.DoDrawCycle();
    EXPECT_LE(gl.At(5, 33).r, 8); // not in variable-step mode
    EXPECT_GE(gl.At(5, 33).b, 248);

    app.m_bFixedStep = 1;
    app.DoDrawCycle();
    HeadlessGL::Pixel text = gl.At(5, 33), border = gl.At(1, 29), clear = gl.At(5, 50);
    EXPECT_GE(text.r, 248);
    EXPECT_GE(text.b, 248);
    EXPECT_LE(border.b, 8); // the black border effect
    EXPECT_GE(clear.b, 248);
    EXPECT_GE(gl.At(17, 33).g, 248); // the second glyph
    app.m_strStats = CommonString();
    app.DoDrawCycle(); // an empty line draws nothing
    EXPECT_LE(gl.At(5, 33).r, 8);
    EXPECT_GE(gl.At(5, 33).b, 248);
  }
  GLES_ResetStateCache();
}

} // namespace

namespace {

// A font over a hand-made alpha-only atlas: one 1x1 glyph per code, its coverage given.
struct CoverageFont {
  explicit CoverageFont(CGameBase* game, int coverage) : font(game) {
    auto* atlas = new CWinDibBitmap(game);
    atlas->Create(16, 14);
    memset(atlas->GetAlphaBits(), coverage, 16 * 14);
    atlas->DestroyBits();
    font.m_pAtlas = atlas;
    font.m_nAtlasWidth = 16;
    font.m_nAtlasHeight = 14;
    for (int code = 32; code < 256; code++)
      font.m_ABC[code] = {0, 0, 4};
    font.PlaceGlyphs();
  }
  CBitmapFontText font;
};

struct CoverageCase {
  int coverage;
  int alpha;
  int r, g, b; // 565 channels of black text blended over white
};
class FontCoverageTest : public FontScene, public ::testing::WithParamInterface<CoverageCase> {};

TEST_P(FontCoverageTest, HandBlendFollowsCoverageAndAlpha) {
  const CoverageCase& c = GetParam();
  CoverageFont cf(&game, c.coverage);
  auto target = MakeBitmap565(8, 8, 0xFFFF, -1, &game);
  cf.font.TextOut(target.get(), 2, 2, "A", 0, 0, 0, 0, (u8)c.alpha, nullptr);
  u16 p = ((u16*)target->GetBits())[2 * 8 + 2];
  EXPECT_EQ(c.r, p >> 11);
  EXPECT_EQ(c.g, (p >> 5) & 0x3F);
  EXPECT_EQ(c.b, p & 0x1F);
  EXPECT_EQ(0xFFFF, ((u16*)target->GetBits())[2 * 8 + 3]);
}

// Full alpha moves in sixteenths of the coverage; other alphas scale the coverage.
INSTANTIATE_TEST_SUITE_P(
    Coverage, FontCoverageTest,
    ::testing::Values(CoverageCase{15, 255, 31, 63, 31}, CoverageCase{16, 255, 29, 59, 29},
                      CoverageCase{128, 255, 15, 31, 15}, CoverageCase{240, 255, 1, 3, 1},
                      CoverageCase{241, 255, 0, 0, 0}, CoverageCase{255, 128, 15, 31, 15},
                      CoverageCase{128, 128, 23, 47, 23}, CoverageCase{255, 250, 0, 0, 0},
                      CoverageCase{255, 0, 31, 63, 31}));

// With the input turned, glyphs are blended by hand through the target's orientation mapping.
TEST_F(FontDrawTest, TurnedTargetsReceiveTheGlyphInTheirStoredGrid) {
  auto font = GridFont();
  game.m_nInputOrientation = 1;
  CWinDibBitmap target(&game);
  target.SetOrientaionMode(1);
  ASSERT_TRUE(target.Create(32, 16)); // stored 32 x 16, drawn as 16 x 32
  ASSERT_EQ(16, target.GetWidth());
  u16* px = (u16*)target.GetBits();
  for (int i = 0; i < 32 * 16; i++)
    px[i] = 0xFFFF;
  font->TextOut(&target, 2, 4, "A", 0, 0, 0, 0, 255, nullptr);
  game.m_nInputOrientation = 0;
  auto stored = [&](int x, int y) { return px[(15 - x) * 32 + y]; };
  EXPECT_EQ(0, stored(2, 4));
  EXPECT_EQ(0, stored(9, 11));
  EXPECT_EQ(0xFFFF, stored(10, 4));
  EXPECT_EQ(0xFFFF, stored(2, 12));
  int black = 0;
  for (int i = 0; i < 32 * 16; i++)
    black += px[i] == 0;
  EXPECT_EQ(64, black);
}

} // namespace

namespace {

struct DepthCase {
  int bitsPerPixel;
  int advance;              // 0: the depth is not drawn
  std::vector<u8> expected; // bytes of the covered pixel after full black over white
};
class FontDepthTest : public FontScene, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(FontDepthTest, DrawCharBlendsInTheTargetsFormat) {
  const DepthCase& c = GetParam();
  CoverageFont cf(&game, 255);
  CWinDibBitmap target(&game);
  target.SetBitsPerPixel(c.bitsPerPixel);
  ASSERT_TRUE(target.Create(4, 4));
  const int bpp = target.GetBytesPerPixel();
  memset(target.GetBits(), 0xFF, (size_t)16 * bpp);
  EXPECT_EQ(c.advance, cf.font.DrawChar(&target, 1, 1, 'A', 0, 0, 0, 255, nullptr));
  const u8* covered = target.GetBits() + (1 * 4 + 1) * bpp;
  const u8* beside = target.GetBits() + (1 * 4 + 2) * bpp;
  EXPECT_EQ(c.expected, std::vector<u8>(covered, covered + bpp));
  EXPECT_EQ(std::vector<u8>((size_t)bpp, 0xFF), std::vector<u8>(beside, beside + bpp));
}

// 4-4-4 and 5-5-5 keep the word's unused top bits.
INSTANTIATE_TEST_SUITE_P(Depths, FontDepthTest,
                         ::testing::Values(DepthCase{16, 1, {0x00, 0x00}}, DepthCase{12, 1, {0x00, 0xF0}},
                                           DepthCase{15, 1, {0x00, 0x80}},
                                           DepthCase{24, 1, {0x00, 0x00, 0x00}},
                                           DepthCase{8, 0, {0xFF, 0xFF}}),
                         [](const ::testing::TestParamInfo<DepthCase>& i) {
                           return "bpp" + std::to_string(i.param.bitsPerPixel);
                         });

} // namespace
