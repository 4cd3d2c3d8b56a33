// Textured triangles: culling by winding and drawing across texture tile borders.
#include "drawing_helpers.h"
#include "gl_scene.h"

namespace {

using Triangles = GLScene;

// A solid triangle through the batcher, corners in pixels.
void Triangle(int x0, int y0, int x1, int y1, int x2, int y2) {
  GLES_SelectTexture(0, GL_LINEAR);
  const int xyz[9] = {x0 * 256, y0 * 256, 0, x1 * 256, y1 * 256, 0, x2 * 256, y2 * 256, 0};
  const int uv[6] = {};
  GLES_RenderTRIANGLE_3D(xyz, uv, nullptr);
}

TEST_F(Triangles, CounterClockwiseOnScreenIsCulledIn2DAnd3D) {
  for (bool threeD : {false, true}) {
    SCOPED_TRACE(threeD ? "3D" : "2D");
    if (threeD) GLES_Set3DRenderingMode(&game, screen.get());
    screen->ClearBitmap(0, 0, 0);
    Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
    Triangle(10, 10, 40, 10, 10, 40); // clockwise on screen (y grows downwards)
    Triangle(60, 10, 60, 40, 90, 10); // counter-clockwise
    EXPECT_TRUE(Near(At(15, 15), Quantized(255, 255, 255)));
    EXPECT_TRUE(Near(At(65, 15), Quantized(0, 0, 0)));
  }
  GLES_Set2DRenderingMode(&game, screen.get());
}

class TiledTriangles : public GLScene {
protected:
  void SetUp() override {
    GLScene::SetUp();
    savedMax = gMaxTextureWidth;
    gMaxTextureWidth = 32; // a 64-pixel wide image becomes two tiles side by side
  }
  void TearDown() override {
    gMaxTextureWidth = savedMax;
    GLScene::TearDown();
  }
  static Colour Band(int column) {
    static const Colour bands[8] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},     {255, 255, 0},
                                    {0, 255, 255}, {255, 0, 255}, {255, 255, 255}, {128, 0, 0}};
    return bands[column / 8];
  }
  std::unique_ptr<CBitmapHW> Banded() {
    return ImageOf(64, 16, [](int x, int) {
      Colour c = Band(x);
      return Rgb565((int)c.r, (int)c.g, (int)c.b);
    });
  }
  static QuellarVertex V(int x, int y, int u, int v) {
    return {x * 65536, y * 65536, 0, u * 65536, v * 65536, 255, 255, 255, 255};
  }
  int savedMax = 0;
};

TEST_F(TiledTriangles, CrossingATileBorderDrawsBothPartsWithoutASeam) {
  auto img = Banded();
  ASSERT_EQ(2, img->GetHWResource()->m_nTileCount);
  screen->ClearBitmap(0, 0, 0);
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  const QuellarVertex quad[2][3] = {{V(10, 20, 0, 0), V(74, 20, 64, 0), V(74, 36, 64, 16)},
                                    {V(10, 20, 0, 0), V(74, 36, 64, 16), V(10, 36, 0, 16)}};
  GLES_FlushBuffer();
  u32 indices = g_GLES_CallCounts.indicesDrawn;
  DrawTexturedTriangles_AbsoluteUV(&game, screen.get(), img.get(), quad, 1, true);
  GLES_FlushBuffer();
  // Left of the border one corner remains (a triangle), right of it a quadrilateral (two).
  EXPECT_EQ(9u, g_GLES_CallCounts.indicesDrawn - indices);
  DrawTexturedTriangles_AbsoluteUV(&game, screen.get(), img.get(), quad + 1, 1, true);
  GLES_FlushBuffer();
  std::vector<uint8_t> rgba = gl.ReadRGBA();
  int wrong = 0;
  for (int y = 21; y < 35; ++y)
    for (int x = 0; x < 64; ++x) {
      const uint8_t* p = &rgba[((size_t)y * kWidth + 10 + x) * 4];
      ::testing::AssertionResult ok = Near({p[0], p[1], p[2], 255}, Band(x));
      if (!ok && wrong++ < 5) ADD_FAILURE() << "column " << x << " row " << y << ": " << ok.message();
    }
  EXPECT_EQ(0, wrong);
}

TEST_F(TiledTriangles, ATriangleInsideOneTileIsDrawnOnce) {
  auto img = Banded();
  const QuellarVertex inside[1][3] = {{V(0, 0, 2, 2), V(20, 0, 22, 2), V(0, 10, 2, 12)}};
  GLES_FlushBuffer();
  u32 draws = g_GLES_CallCounts.drawCalls;
  DrawTexturedTriangles_AbsoluteUV(&game, screen.get(), img.get(), inside, 1, true);
  EXPECT_EQ(3u, g_GLES_NumIndexesUsed);
  EXPECT_EQ(draws, g_GLES_CallCounts.drawCalls);
}

TEST_F(TiledTriangles, TrianglesOffScreenAreSkippedIn2D) {
  auto img = Banded();
  const QuellarVertex off[4][3] = {{V(-30, 0, 0, 0), V(-1, 0, 8, 0), V(-30, 10, 0, 8)},
                                   {V(0, -30, 0, 0), V(10, -30, 8, 0), V(0, -1, 0, 8)},
                                   {V(kWidth, 0, 0, 0), V(kWidth + 9, 0, 8, 0), V(kWidth, 9, 0, 8)},
                                   {V(0, kHeight, 0, 0), V(9, kHeight, 8, 0), V(0, kHeight + 9, 0, 8)}};
  GLES_FlushBuffer();
  DrawTexturedTriangles_AbsoluteUV(&game, screen.get(), img.get(), off, 4, true);
  EXPECT_EQ(0u, g_GLES_NumIndexesUsed);
}

} // namespace

namespace {

TEST_F(Triangles, RepeatWrapTilesASingleTileTexture) {
  auto bm = Halves(8, 8);
  // Sixteen source pixels over sixteen screen pixels: the second half reads beyond the texture.
  const int one = 65536;
  const QuellarVertex strip[2][3] = {{{0, 0, 0, 0, 0, 255, 255, 255, 255},
                                      {16 * one, 0, 0, 16 * one, 0, 255, 255, 255, 255},
                                      {16 * one, 8 * one, 0, 16 * one, 8 * one, 255, 255, 255, 255}},
                                     {{0, 0, 0, 0, 0, 255, 255, 255, 255},
                                      {16 * one, 8 * one, 0, 16 * one, 8 * one, 255, 255, 255, 255},
                                      {0, 8 * one, 0, 0, 8 * one, 255, 255, 255, 255}}};
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  for (Renderer_TextureMapMode mode : {RENDERER_TEXTURE_CLAMP, RENDERER_TEXTURE_REPEAT}) {
    SCOPED_TRACE(mode);
    screen->ClearBitmap(0, 0, 0);
    Renderer_SetTextureMapMode(mode, mode, bm.get());
    DrawTexturedTriangles_AbsoluteUV(&game, screen.get(), bm.get(), strip, 2, true);
    EXPECT_TRUE(Near(At(1, 4), Quantized(255, 0, 0)));
    EXPECT_TRUE(
        Near(At(9, 4), mode == RENDERER_TEXTURE_REPEAT ? Quantized(255, 0, 0) : Quantized(0, 0, 255)));
  }
}

} // namespace
