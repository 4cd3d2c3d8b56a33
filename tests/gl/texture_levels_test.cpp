// Halving texels for smaller texture levels, the mip chain it feeds, and the S-curve.
#include "gl_scene.h"

namespace {

TEST(ScalePixels2xDown, AveragesEachBlockPerChannelAndDropsOddEdges) {
  // 565: 3 x 2 texels; the third column has no partner and is dropped.
  u16 p565[6] = {(u16)((31 << 11) | (63 << 5) | 31), 0, 0xFFFF, (u16)(1 << 11), (u16)((2 << 5) | 3), 0xFFFF};
  ScalePixels2xDown((unsigned char*)p565, 3, 2, GL_UNSIGNED_SHORT_5_6_5);
  EXPECT_EQ((u16)((8 << 11) | (16 << 5) | 8), p565[0]); // (31+1)/4, (63+2)/4, (31+3)/4, truncated

  u16 p4444[4] = {0xF000, 0x0F00, 0x00F0, 0x000F};
  ScalePixels2xDown((unsigned char*)p4444, 2, 2, GL_UNSIGNED_SHORT_4_4_4_4);
  EXPECT_EQ(0x3333, p4444[0]);

  unsigned char p8888[16] = {200, 0, 0, 255, 100, 0, 0, 255, 0, 40, 0, 0, 0, 40, 3, 1};
  ScalePixels2xDown(p8888, 2, 2, GL_UNSIGNED_BYTE);
  const unsigned char want[4] = {75, 20, 0, 127};
  for (int c = 0; c < 4; ++c)
    EXPECT_EQ(want[c], p8888[c]) << c;

  // One row has nothing to pair with: unchanged.
  u16 row[2] = {0x1234, 0x5678};
  ScalePixels2xDown((unsigned char*)row, 2, 1, GL_UNSIGNED_SHORT_5_6_5);
  EXPECT_EQ(0x1234, row[0]);
  EXPECT_EQ(0x5678, row[1]);
}

TEST_F(GLScene, MipChainsUploadEveryLevelDownToOneTexel) {
  g_bDunmarrowMakeMipMapsForTexture = true;
  u32 uploads = g_GLES_CallCounts.textureUploads;
  auto img = Image(8, 8, Rgb565(0, 255, 0));
  g_bDunmarrowMakeMipMapsForTexture = false;
  EXPECT_EQ(uploads + 4, g_GLES_CallCounts.textureUploads) << "8, 4, 2 and 1 texels wide";
  // Drawn at a quarter of its size, the smaller levels still show the colour.
  screen->ClearBitmap(0, 0, 0);
  const FIXED_FLOAT_16 one = 65536;
  const QuellarVertex tris[1][3] = {{{0, 0, 0, 0, 0, 255, 255, 255, 255},
                                     {4 * one, 0, 0, 8 * one, 0, 255, 255, 255, 255},
                                     {0, 4 * one, 0, 0, 8 * one, 255, 255, 255, 255}}};
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  img->GetHWResource()->BltTriangles_AbsoluteUV_Fast(screen.get(), tris, 1, true);
  EXPECT_TRUE(Near(At(1, 1), Quantized(0, 255, 0)));
}

TEST(SCurve, EasesFromZeroToOneInStepsOf1Over256) {
  const struct {
    float t, want;
  } cases[] = {{0.0f, 0.0f},          {0.25f, 37 / 256.0f}, {0.5f, 0.5f},
               {0.75f, 218 / 256.0f}, {1.0f, 1.0f},         {2.0f, 0.0f}};
  for (const auto& c : cases)
    EXPECT_FLOAT_EQ(c.want, internal_scurve(c.t)) << c.t;
}

} // namespace
