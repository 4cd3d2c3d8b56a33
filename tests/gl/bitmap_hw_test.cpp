// The hardware bitmap drawing into the GL render target, read back from the framebuffer.
#include "gl_scene.h"

namespace {

using Scene = GLScene;

struct BlitCase {
  const char* name;
  int x, y, w, h, sx, sy;
  int left, top, right, bottom; // expected covered pixels, right and bottom exclusive
};

void PrintTo(const BlitCase& c, std::ostream* os) { *os << c.name; }

class BlitPlacement : public GLScene, public ::testing::WithParamInterface<BlitCase> {};

TEST_P(BlitPlacement, LandsOnExactlyTheExpectedPixels) {
  const BlitCase& c = GetParam();
  auto img = Image(20, 12, Rgb565(255, 255, 255));
  screen->ClearBitmap(0, 0, 0);
  img->BitBlt(screen.get(), c.x, c.y, c.w, c.h, c.sx, c.sy, 0);
  GLES_FlushBuffer();
  std::vector<uint8_t> rgba = gl.ReadRGBA();
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
      int v = rgba[((size_t)y * kWidth + x) * 4];
      if (v != (inside ? 255 : 0) && wrong++ < 5)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << v;
    }
  EXPECT_EQ(0, wrong);
}

INSTANTIATE_TEST_SUITE_P(
    Blits, BlitPlacement,
    ::testing::Values(BlitCase{"whole", 10, 7, 0, 0, 0, 0, 10, 7, 30, 19},
                      BlitCase{"part", 5, 40, 6, 4, 3, 2, 5, 40, 11, 44},
                      BlitCase{"sourceLeftOfImage", 10, 7, 15, 5, -10, 0, 20, 7, 25, 12},
                      BlitCase{"clippedBySource", 50, 30, 30, 30, 15, 10, 50, 30, 55, 32},
                      BlitCase{"offScreenLeft", -15, 0, 0, 0, 0, 0, 0, 0, 5, 12}),
    [](const ::testing::TestParamInfo<BlitCase>& i) { return std::string(i.param.name); });

TEST_F(Scene, OpaqueBlitWithFullAlphaTurnsBlendingOffAndAlphaMinusOneBlendsAt254) {
  auto img = Image(8, 8, Rgb565(255, 255, 255));
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(0, g_GLES_BlendModeEnabled);
  EXPECT_EQ(255, g_GLES_Colors[3]);
  GLES_FlushBuffer();
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, -1);
  EXPECT_EQ(1, g_GLES_BlendModeEnabled);
  for (int corner = 0; corner < 4; ++corner)
    EXPECT_EQ(254, g_GLES_Colors[corner * 4 + 3]);
  // The same blit at -128 over black shows the constant alpha on screen.
  screen->ClearBitmap(0, 0, 0);
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, -128);
  EXPECT_TRUE(Near(At(4, 4), Quantized(127, 127, 127)));
}

struct BlendCase {
  const char* name;
  Renderer_BlendMode mode;
  int texR, texG, texB, texA; // the texture's colour and alpha
  int r, g, b, a;             // the vertex colour
  double wantR, wantG, wantB; // over the background (0, 130, 255) that (0, 128, 255) becomes in 565
};

void PrintTo(const BlendCase& c, std::ostream* os) { *os << c.name; }

class BlendModes : public GLScene, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(BlendModes, GiveTheirColourOverAKnownBackground) {
  const BlendCase& c = GetParam();
  game.m_bTrueColorImages = 1; // 8888 texels, so that only the framebuffer rounds
  auto img = Image(16, 16, Rgb565(c.texR, c.texG, c.texB), c.texA);
  screen->ClearBitmap(0, 128, 255);
  HeadlessGL::Pixel bg = At(8, 8);
  Renderer_SetBlendMode(c.mode);
  img->GetHWResource()->Blt(screen.get(), 0, 0, 16, 16, 0, 0, c.r, c.g, c.b, c.a);
  EXPECT_TRUE(Near(At(8, 8), Quantized(c.wantR, c.wantG, c.wantB)))
      << "background was " << bg.r << " " << bg.g << " " << bg.b;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BlendModes,
    ::testing::Values(
        // normal: src x a + dst x (1 - a), a = 0.4 x 0.5
        BlendCase{"normal", RENDERER_BLEND_NORMAL, 255, 0, 0, 102, 255, 255, 255, 128, 255 * 0.2, 130 * 0.8,
                  255 * 0.8},
        // additive: dst + src x a
        BlendCase{"additive", RENDERER_BLEND_ADDITIVE, 0, 64, 0, 255, 255, 255, 255, 128, 0,
                  130 + 64 * 128 / 255.0, 255},
        // tinted: the vertex colour through the texture's alpha
        BlendCase{"tinted", RENDERER_BLEND_TINTED, 255, 255, 255, 153, 248, 0, 0, 255, 248 * 0.6, 130 * 0.4,
                  255 * 0.4},
        // opaque: the modulated texel replaces the background
        BlendCase{"opaque", RENDERER_BLEND_OPAQUE, 255, 128, 0, 51, 255, 255, 255, 255, 255, 130, 0},
        // premultiplied: src x 1 + dst x (1 - a)
        BlendCase{"premultiplied", RENDERER_BLEND_PREMULTIPLIED, 64, 0, 0, 102, 255, 255, 255, 255, 64,
                  130 * 0.6, 255 * 0.6}),
    [](const ::testing::TestParamInfo<BlendCase>& i) { return std::string(i.param.name); });

} // namespace

namespace {

using ScreenOps = GLScene;

TEST_F(ScreenOps, DrawIgnoresFlipsOnTheTargetAndRunsInSoftwareElsewhere) {
  auto img = Halves(16, 8);
  screen->ClearBitmap(0, 0, 0);
  img->Draw(screen.get(), 10, 10, 0, 0, 1, 0);
  EXPECT_TRUE(Near(At(11, 12), Quantized(255, 0, 0)));
  EXPECT_TRUE(Near(At(24, 12), Quantized(0, 0, 255)));
  // Wholly off the target: nothing is queued.
  GLES_FlushBuffer();
  img->Draw(screen.get(), kWidth + 1, 0, 0, 0, 0, 0);
  img->Draw(screen.get(), 0, -9, 0, 0, 0, 0);
  EXPECT_EQ(0u, g_GLES_NumIndexesUsed);

  // Into any other bitmap the software path copies the pixels.
  auto soft = MakeBitmap565(16, 8, 0, -1, &game);
  img->Draw(soft.get(), 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(Rgb565(255, 0, 0), Pixel(soft.get(), 0, 0));
  EXPECT_EQ(Rgb565(0, 0, 255), Pixel(soft.get(), 15, 7));
}

TEST_F(ScreenOps, FillsAndTintsThroughTheBatcher) {
  auto masked = Halves(16, 8, 255, 0);
  screen->ClearBitmap(0, 64, 0);
  // The alpha map as a mask painted in white, the colour of the pixels ignored.
  masked->FillAlphaNoStretch(screen.get(), 255, 255, 255, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(3, 3), Quantized(255, 255, 255)));
  EXPECT_TRUE(Near(At(12, 3), Quantized(0, 64, 0)));
  // Multiplied by a colour: white-on-red stays red, blue times red is black.
  auto opaque = Halves(16, 8);
  opaque->BitBltMultiply(screen.get(), 255, 0, 0, 20, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(23, 3), Quantized(255, 0, 0)));
  EXPECT_TRUE(Near(At(32, 3), Quantized(0, 0, 0)));
  // Added onto the background.
  opaque->BitBltAdditive(screen.get(), 40, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(43, 3), Quantized(255, 64, 0)));
  EXPECT_TRUE(Near(At(52, 3), Quantized(0, 64, 255)));
  // The whole screen brightened by 64 of 255.
  screen->AddBrightness(64);
  EXPECT_TRUE(Near(At(80, 40), Quantized(64, 128, 64)));
}

TEST_F(ScreenOps, FillRectangleOnTheTargetIsClippedToIt) {
  screen->ClearBitmap(0, 0, 0);
  screen->FillRectangle(-20, 5, 10, 10, 255, 255, 255); // wholly left of the screen
  GLES_FlushBuffer();
  u32 indices = g_GLES_CallCounts.indicesDrawn;
  screen->FillRectangle(-20, 5, 10, 10, 255, 255, 255);
  GLES_FlushBuffer();
  EXPECT_EQ(indices, g_GLES_CallCounts.indicesDrawn);
  screen->FillRectangle(kWidth - 4, kHeight - 4, 10, 10, 0, 255, 0);
  EXPECT_TRUE(Near(At(kWidth - 1, kHeight - 1), Quantized(0, 255, 0)));
  EXPECT_TRUE(Near(At(kWidth - 5, kHeight - 1), Quantized(0, 0, 0)));
}

} // namespace

namespace {

TEST_F(GLScene, ANewContextIsSetUpAfreshOnceTheCacheIsReset) {
  auto img = Image(8, 8, Rgb565(255, 255, 255));
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, -128);
  GLES_FlushBuffer();
  img.reset();

  // The old context and everything it held are gone; the cache must not claim otherwise.
  gl.Close();
  ASSERT_TRUE(gl.Open(kWidth, kHeight));
  GLES_ResetStateCache();
  screen->HWBeginScene();
  auto again = Image(8, 8, Rgb565(255, 255, 255));
  screen->ClearBitmap(0, 0, 0);
  again->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, -128);
  EXPECT_TRUE(Near(At(4, 4), Quantized(127, 127, 127))) << "blended in the new context too";
}

} // namespace

namespace {

TEST_F(GLScene, TexturesAreRebuiltForANewContextWithTheirRecordedType) {
  game.m_bTrueColorImages = 1;
  auto img = Image(8, 8, Rgb565(0, 255, 0));
  ASSERT_EQ((GLenum)GL_UNSIGNED_BYTE, img->GetHWResource()->m_nPixelType);
  gl.Close();
  ASSERT_TRUE(gl.Open(kWidth, kHeight));
  GLES_ResetStateCache();
  screen->HWBeginScene();

  game.m_bTrueColorImages = 0; // the restored texture keeps the type it was made with
  g_bRestoringLostContext = true;
  u32 deleted = g_GLES_CallCounts.texturesDeleted, created = g_GLES_CallCounts.texturesCreated;
  img->m_bPixelsChanged = 1;
  EXPECT_EQ(1, img->HWUpdateTexture());
  g_bRestoringLostContext = false;
  EXPECT_EQ(deleted, g_GLES_CallCounts.texturesDeleted) << "names of the lost context are not deleted";
  EXPECT_EQ(created + 1, g_GLES_CallCounts.texturesCreated);
  EXPECT_EQ((GLenum)GL_UNSIGNED_BYTE, img->GetHWResource()->m_nPixelType);
  screen->ClearBitmap(0, 0, 0);
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(4, 4), Quantized(0, 255, 0)));
}

} // namespace
