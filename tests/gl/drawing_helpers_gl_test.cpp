// The GL paths of the drawing helpers, read back from the framebuffer.
#include "drawing_helpers.h"
#include "gl_scene.h"

namespace {

using Helpers = GLScene;

TEST_F(Helpers, StretchScalesTheSourceAndHonoursTheFade) {
  auto img = Halves(8, 8, 255, 255);
  screen->ClearBitmap(0, 0, 0);
  const FIXED_FLOAT_16 one = 65536;
  GLES_FlushBuffer();
  Bitmap_StretchDrawF16_Transparent(&game, screen.get(), img.get(), 10 * one, 10 * one, 32 * one, 16 * one, 0,
                                    0, 8 * one, 8 * one, -255, RENDERER_BLEND_NORMAL);
  EXPECT_EQ(0u, g_GLES_NumIndexesUsed) << "a fade of -255 draws nothing";
  Bitmap_StretchDrawF16_Transparent(&game, screen.get(), img.get(), 10 * one, 10 * one, 32 * one, 16 * one, 0,
                                    0, 8 * one, 8 * one, 0, RENDERER_BLEND_NORMAL);
  for (int v = 0; v < 6; ++v)
    EXPECT_EQ(255, g_GLES_Colors[v * 4 + 3]);
  EXPECT_TRUE(Near(At(11, 11), Quantized(255, 0, 0)));
  EXPECT_TRUE(Near(At(20, 24), Quantized(255, 0, 0))); // away from the filtered red-blue edge
  EXPECT_TRUE(Near(At(28, 11), Quantized(0, 0, 255)));
  EXPECT_TRUE(Near(At(41, 25), Quantized(0, 0, 255)));
  EXPECT_TRUE(Near(At(42, 20), Quantized(0, 0, 0)));
  EXPECT_TRUE(Near(At(20, 26), Quantized(0, 0, 0)));

  // The 8.8 form is the same stretch.
  screen->ClearBitmap(0, 0, 0);
  Bitmap_StretchDrawF(&game, screen.get(), img.get(), 50 * 256, 40 * 256, 16 * 256, 8 * 256, 0, 0, 8 * 256,
                      8 * 256, RENDERER_BLEND_OPAQUE);
  EXPECT_TRUE(Near(At(51, 41), Quantized(255, 0, 0)));
  EXPECT_TRUE(Near(At(64, 47), Quantized(0, 0, 255)));
  EXPECT_TRUE(Near(At(66, 47), Quantized(0, 0, 0)));
}

TEST_F(Helpers, TwoTextureBlitMasksTheFirstColourWithTheSecondAlpha) {
  auto colour = Image(16, 16, Rgb565(255, 255, 0));
  auto mask = Halves(16, 16, 255, 0);
  screen->ClearBitmap(0, 0, 255);
  GLES_FlushBuffer();
  u32 draws = g_GLES_CallCounts.drawCalls;
  BitBlt_Texture1RGB_Texture2A(&game, screen.get(), 20, 20, 16, 16, colour.get(), 0, 0, mask.get(), 0, 0, 0);
  EXPECT_EQ(draws + 1, g_GLES_CallCounts.drawCalls);
  // Colour x mask colour: yellow x red on the left; the right is transparent.
  EXPECT_TRUE(Near(At(22, 25), Quantized(255, 0, 0)));
  EXPECT_TRUE(Near(At(33, 25), Quantized(0, 0, 255)));
  EXPECT_TRUE(Near(At(19, 25), Quantized(0, 0, 255)));

  // GL is back in the cached state: an ordinary opaque blit still draws from texture unit 0 alone.
  colour->BitBlt(screen.get(), 60, 20, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(65, 25), Quantized(255, 255, 0)));

  // Textures of several tiles are not supported: nothing is drawn.
  int saved = gMaxTextureWidth;
  gMaxTextureWidth = 8;
  auto tiled = Image(16, 16, Rgb565(0, 255, 0));
  gMaxTextureWidth = saved;
  draws = g_GLES_CallCounts.drawCalls;
  BitBlt_Texture1RGB_Texture2A(&game, screen.get(), 0, 40, 16, 16, tiled.get(), 0, 0, mask.get(), 0, 0, 0);
  EXPECT_EQ(draws, g_GLES_CallCounts.drawCalls);
}

TEST_F(Helpers, FillsAddOrBlendOverTheirNormalisedRectangle) {
  screen->ClearBitmap(64, 0, 0);
  // w = -10 at x = 20 covers the pixels 11 to 20.
  FillRectangle_Additive(&game, screen.get(), 20, 5, -10, 4, 0, 128, 0);
  EXPECT_TRUE(Near(At(11, 6), Quantized(64, 128, 0)));
  EXPECT_TRUE(Near(At(20, 6), Quantized(64, 128, 0)));
  EXPECT_TRUE(Near(At(10, 6), Quantized(64, 0, 0)));
  EXPECT_TRUE(Near(At(21, 6), Quantized(64, 0, 0)));

  FillRectangle_Transparent(&game, screen.get(), 40, 30, 10, 10, 0, 0, 255, 128);
  EXPECT_TRUE(Near(At(45, 35), Quantized(64 * 127 / 255.0, 0, 255 * 128 / 255.0)));
  FillRectangle_Transparent(&game, screen.get(), 60, 30, 10, 10, 0, 255, 0, 255);
  EXPECT_TRUE(Near(At(65, 35), Quantized(0, 255, 0)));
  EXPECT_EQ(0, g_GLES_BlendModeEnabled) << "alpha 255 is the bitmap's own opaque fill";
  FillRectangle_Transparent(&game, screen.get(), 80, 30, 10, 10, 0, 255, 0, 0);
  EXPECT_TRUE(Near(At(85, 35), Quantized(64, 0, 0)));
}

} // namespace
