// The vertex batcher and the GL state cache, checked by the GL calls they actually issue.
#include <gtest/gtest.h>

#include "gl_calls.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>

namespace {

class Batcher : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(gl.Open(64, 64));
    GLES_ResetStateCache();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    GLES_SetupXY_UV_Pointers();
  }
  void TearDown() override {
    GLES_FlushBuffer();
    GLES_ResetStateCache();
  }
  GLES_CallCounts Since(const GLES_CallCounts& before) {
    GLES_CallCounts d = g_GLES_CallCounts;
    d.drawCalls -= before.drawCalls;
    d.blendFuncs -= before.blendFuncs;
    d.blendSwitches -= before.blendSwitches;
    d.texEnvs -= before.texEnvs;
    d.textureBinds -= before.textureBinds;
    d.textureSwitches -= before.textureSwitches;
    return d;
  }
  static void Quad(int x, int y, int w, int h, const unsigned char* rgba = nullptr) {
    const int xy[8] = {x * 256,       y * 256,       (x + w) * 256, y * 256,
                       (x + w) * 256, (y + h) * 256, x * 256,       (y + h) * 256};
    const int uv[8] = {};
    GLES_RenderQUAD(xy, uv, rgba);
  }
  HeadlessGL gl;
};

TEST_F(Batcher, QuadsFillOneBatchUntilTheHundredSixtySeventh) {
  GLES_CallCounts before = g_GLES_CallCounts;
  for (int i = 0; i < 165; ++i)
    Quad(i % 60, 0, 1, 1);
  EXPECT_EQ(990u, g_GLES_NumIndexesUsed);
  EXPECT_EQ(660u, g_GLES_NumVertexUsed);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(996u, g_GLES_NumIndexesUsed) << "the 166th quad still fits";
  EXPECT_EQ(0u, Since(before).drawCalls);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(1u, Since(before).drawCalls) << "the 167th quad flushes the full batch first";
  EXPECT_EQ(6u, g_GLES_NumIndexesUsed);
  EXPECT_EQ(4u, g_GLES_NumVertexUsed);
  EXPECT_EQ(3, g_GLES_Indexes[5]) << "vertex numbers restart with the new batch";

  GLES_FlushBuffer();
  EXPECT_EQ(2u, Since(before).drawCalls);
  GLES_FlushBuffer();
  EXPECT_EQ(2u, Since(before).drawCalls) << "an empty batch issues no draw";
}

TEST_F(Batcher, TrianglesFlushOnlyWhenTheNextOneWouldNotFit) {
  GLES_CallCounts before = g_GLES_CallCounts;
  const int xyz[9] = {}, uv[6] = {};
  for (int i = 0; i < 333; ++i)
    GLES_RenderTRIANGLE_3D(xyz, uv, nullptr);
  EXPECT_EQ(999u, g_GLES_NumIndexesUsed);
  EXPECT_EQ(0u, Since(before).drawCalls);
  EXPECT_EQ(3, GLES_RenderTRIANGLE_3D(xyz, uv, nullptr));
  EXPECT_EQ(1u, Since(before).drawCalls);
}

TEST_F(Batcher, QuadIndicesShareTheDiagonalAndNullColourIsWhite) {
  const unsigned char red[16] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  Quad(0, 0, 1, 1, red);
  Quad(0, 0, 1, 1);
  const GLushort expected[12] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(expected[i], g_GLES_Indexes[i]) << i;
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(red[i], g_GLES_Colors[i]) << i;
    EXPECT_EQ(255, g_GLES_Colors[16 + i]) << i;
  }
}

TEST_F(Batcher, BlendModesReachGlWithTheNextTriangleOnlyWhenTheyChange) {
  GLES_CallCounts before = g_GLES_CallCounts;
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  EXPECT_EQ(0u, Since(before).StateChanges()) << "nothing is sent before something is drawn";
  Quad(0, 0, 1, 1);
  EXPECT_EQ(1u, Since(before).blendFuncs);
  EXPECT_EQ(1u, Since(before).blendSwitches);

  // Opaque and back: blending goes off and on again; its factors, unchanged, are not sent again.
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  EXPECT_EQ(0u, Since(before).drawCalls);
  EXPECT_EQ(0, g_GLES_BlendModeEnabled);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(1u, Since(before).drawCalls) << "queued geometry is drawn under the old state";
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(2u, Since(before).drawCalls);
  EXPECT_EQ(3u, Since(before).blendSwitches);
  EXPECT_EQ(1u, Since(before).blendFuncs);

  // A mode left and taken again with nothing drawn in it splits no batch and sends nothing.
  GLES_CallCounts mark = g_GLES_CallCounts;
  Renderer_SetBlendMode(RENDERER_BLEND_PREMULTIPLIED);
  Renderer_SetBlendMode(RENDERER_BLEND_TINTED);
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(0u, Since(mark).drawCalls);
  EXPECT_EQ(0u, Since(mark).StateChanges());
  EXPECT_EQ(12u, g_GLES_NumIndexesUsed);

  struct Case {
    Renderer_BlendMode mode;
    int enabled;
    GLenum src, dst;
  };
  const Case cases[] = {{RENDERER_BLEND_ADDITIVE, 1, GL_SRC_ALPHA, GL_ONE},
                        {RENDERER_BLEND_PREMULTIPLIED, 1, GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
                        {RENDERER_BLEND_TINTED, 1, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
                        {RENDERER_BLEND_OPAQUE, 0, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}};
  for (const Case& c : cases) {
    Renderer_SetBlendMode(c.mode);
    EXPECT_EQ(c.enabled, g_GLES_BlendModeEnabled) << c.mode;
    EXPECT_EQ(c.src, g_GLES_BlendSourceFactor) << c.mode;
    EXPECT_EQ(c.dst, g_GLES_BlendDestFactor) << c.mode;
  }
  // An unknown mode leaves the one before (here additive, sent with its quad) as it was.
  Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
  Quad(0, 0, 1, 1);
  mark = g_GLES_CallCounts;
  Renderer_SetBlendMode(99);
  EXPECT_EQ(1, g_GLES_BlendModeEnabled);
  EXPECT_EQ((GLenum)GL_SRC_ALPHA, g_GLES_BlendSourceFactor);
  EXPECT_EQ((GLenum)GL_ONE, g_GLES_BlendDestFactor);
  Quad(0, 0, 1, 1);
  const GLES_CallCounts d = Since(mark);
  EXPECT_EQ(0u, d.blendFuncs + d.blendSwitches + d.drawCalls) << "an unknown mode changes nothing";
}

// The state each batch is drawn under, read back from GL's pixels: a batch built in one mode and
// a triangle appended after a switch are drawn each in its own.
TEST_F(Batcher, EachBatchIsDrawnUnderTheStateItWasBuiltIn) {
  glViewport(0, 0, 64, 64);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrthox(0, 64 << 8, 64 << 8, 0, -(1 << 16), 1 << 16); // the batcher's positions are pixels x 256
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  GLES_SelectTexture(0, GL_LINEAR);
  const unsigned char red[16] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  const unsigned char halfBlue[16] = {0, 0, 255, 128, 0, 0, 255, 128, 0, 0, 255, 128, 0, 0, 255, 128};
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  Quad(0, 0, 64, 64, red);
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  Quad(0, 0, 32, 64, halfBlue); // blended over the red
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  Quad(32, 0, 32, 64, halfBlue); // replaces it
  GLES_FlushBuffer();
  HeadlessGL::Pixel blended = gl.At(16, 32), replaced = gl.At(48, 32);
  EXPECT_NEAR(blended.r, 127, 8);
  EXPECT_NEAR(blended.b, 128, 8);
  EXPECT_EQ(replaced.r, 0);
  EXPECT_GE(replaced.b, 248);
}

// A texture refilled or deleted while a batch that uses it is still being built: the batch is drawn
// first, with the picture it was built with.
TEST_F(Batcher, ATextureChangesOnlyAfterTheBatchThatUsesItIsDrawn) {
  glViewport(0, 0, 64, 64);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrthox(0, 64 << 8, 64 << 8, 0, -(1 << 16), 1 << 16);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Renderer_SetBlendMode(RENDERER_BLEND_OPAQUE);
  auto fill = [](unsigned char r, unsigned char g) {
    const unsigned char px[16] = {r, g, 0, 255, r, g, 0, 255, r, g, 0, 255, r, g, 0, 255};
    GLC_TexImage2D(0, GL_RGBA, 2, 2, GL_UNSIGNED_BYTE, px);
  };
  auto textured = [](int x, int y, int w, int h) {
    const int xy[8] = {x * 256,       y * 256,       (x + w) * 256, y * 256,
                       (x + w) * 256, (y + h) * 256, x * 256,       (y + h) * 256};
    const int uv[8] = {0, 0, 1 << 16, 0, 1 << 16, 1 << 16, 0, 1 << 16};
    GLES_RenderQUAD(xy, uv, nullptr);
  };
  const GLuint name = GLC_GenTexture();
  ASSERT_NE(0u, name);
  GLES_SelectTexture(name, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  fill(255, 0);
  textured(0, 0, 32, 32); // red
  fill(0, 255);
  textured(32, 0, 32, 32); // green
  GLC_DeleteTexture(name);
  g_Current_texName = 0; // as a texture's owner does when it lets the name go
  GLES_FlushBuffer();
  const HeadlessGL::Pixel before = gl.At(16, 16), after = gl.At(48, 16);
  EXPECT_EQ(255, before.r) << "drawn with the picture it was built with, not the refilled one";
  EXPECT_EQ(0, before.g);
  EXPECT_EQ(0, after.r) << "drawn before its texture was deleted, not with none";
  EXPECT_EQ(255, after.g);
}

TEST_F(Batcher, TintedModeKeepsTheEnvironmentColourAndNormalResetsIt) {
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  Renderer_SetBlendMode(RENDERER_BLEND_TINTED);
  EXPECT_EQ(GL_BLEND, g_GLES_TextEnvironmentMode);
  GLES_SetTextEnvironmentColor(10 << 8, 20 << 8, 30 << 8, 40 << 8);
  EXPECT_EQ(0x281E140Au, g_TextEnvironmentColorARGB);
  Quad(0, 0, 1, 1);
  GLES_CallCounts before = g_GLES_CallCounts;
  Renderer_SetBlendMode(RENDERER_BLEND_TINTED);
  EXPECT_EQ(0x281E140Au, g_TextEnvironmentColorARGB);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(0u, Since(before).texEnvs);
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  EXPECT_EQ(GL_MODULATE, g_GLES_TextEnvironmentMode);
  EXPECT_EQ(0u, g_TextEnvironmentColorARGB);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(2u, Since(before).texEnvs) << "mode and colour each sent once";
}

TEST_F(Batcher, TextureSelectionIsCached) {
  GLuint names[2];
  glGenTextures(2, names);
  GLES_CallCounts before = g_GLES_CallCounts;
  GLES_SelectTexture(0, GL_LINEAR);
  EXPECT_EQ(0u, Since(before).StateChanges()) << "texturing is already off";
  GLES_SelectTexture(names[0], GL_LINEAR);
  GLES_SelectTexture(names[0], GL_LINEAR);
  EXPECT_EQ(1u, Since(before).textureSwitches);
  EXPECT_EQ(1u, Since(before).textureBinds);
  Quad(0, 0, 1, 1);
  GLES_SelectTexture(names[1], GL_LINEAR);
  EXPECT_EQ(1u, Since(before).drawCalls);
  EXPECT_EQ(2u, Since(before).textureBinds);
  GLES_SelectTexture(0, GL_LINEAR);
  EXPECT_EQ(2u, Since(before).textureSwitches);
  EXPECT_EQ(0u, g_Current_texName);
  glDeleteTextures(2, names);
}

TEST_F(Batcher, RestoringCachingSupportForcesEveryStateBackIntoGl) {
  Renderer_SetBlendMode(RENDERER_BLEND_NORMAL);
  GLES_CallCounts before = g_GLES_CallCounts;
  GLES_RestoreCachingSupport();
  GLES_CallCounts d = Since(before);
  EXPECT_EQ(2u, d.texEnvs);
  EXPECT_EQ(1u, d.blendFuncs);
  EXPECT_EQ(1u, d.blendSwitches);
  EXPECT_EQ(1u, d.textureSwitches);
  EXPECT_EQ(1, g_GLES_BlendModeEnabled);
  EXPECT_EQ((GLenum)GL_SRC_ALPHA, g_GLES_BlendSourceFactor);
  EXPECT_EQ(0u, g_Current_texName);
  EXPECT_EQ(0u, g_TextEnvironmentColorARGB);
}

TEST_F(Batcher, ResetForANewContextForgetsTheCache) {
  Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
  Quad(0, 0, 1, 1);
  GLES_ResetStateCache();
  EXPECT_EQ(0u, g_GLES_NumIndexesUsed);
  EXPECT_EQ(0, g_GLES_BlendModeEnabled);
  // The same mode must now reach the new context again.
  GLES_CallCounts before = g_GLES_CallCounts;
  Renderer_SetBlendMode(RENDERER_BLEND_ADDITIVE);
  Quad(0, 0, 1, 1);
  EXPECT_EQ(1u, Since(before).blendFuncs);
  EXPECT_EQ(1u, Since(before).blendSwitches);
}

} // namespace

// The fill counter measures what the rasteriser is given: the drawn area on the 64 x 64 screen,
// clipped to it, apart for blending off and on; a culled (anticlockwise) quad fills nothing.
struct FillCase {
  const char* name;
  int x, y, w, h; // a negative w mirrors the quad, which turns its winding
  bool blend;
  double screens;
};

class BatcherFill : public Batcher, public ::testing::WithParamInterface<FillCase> {};

TEST_P(BatcherFill, CountsTheDrawnAreaOnScreen) {
  const FillCase& c = GetParam();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  // The screen's 2D projection and culling, as the hardware bitmap sets them.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrthox(0, 64 << 8, 64 << 8, 0, 0, 1 << 16);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glCullFace(GL_FRONT);
  g_bRenderingMode2D = 1;
  GLES_CountFill(64, 64);
  GLES_BlendMode(c.blend, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  Quad(0, 0, 1, 1); // sends the state, so the counted quad is drawn under it
  GLES_FlushBuffer();
  g_GLES_FillCounts = GLES_FillCounts{};
  if (c.w < 0) {
    const int xy[8] = {(c.x - c.w) << 8, c.y << 8,         c.x << 8,         c.y << 8,
                       c.x << 8,         (c.y + c.h) << 8, (c.x - c.w) << 8, (c.y + c.h) << 8};
    const int uv[8] = {};
    GLES_RenderQUAD(xy, uv, nullptr);
  } else {
    Quad(c.x, c.y, c.w, c.h);
  }
  GLES_FlushBuffer();
  EXPECT_NEAR(c.blend ? 0 : c.screens, g_GLES_FillCounts.opaque, 1e-9);
  EXPECT_NEAR(c.blend ? c.screens : 0, g_GLES_FillCounts.blended, 1e-9);
  // GL agrees on what is drawn: the middle of the quad, where it is on screen, is white or untouched.
  const int mx = c.x + (c.w < 0 ? -c.w : c.w) / 2, my = c.y + c.h / 2;
  if (mx >= 1 && mx < 64 && my >= 0 && my < 64) {
    EXPECT_EQ(c.screens > 0 ? 255 : 0, gl.At(mx, my).r);
  }
  GLES_CountFill(0, 0);
  Quad(c.x, c.y, c.w < 0 ? -c.w : c.w, c.h);
  GLES_FlushBuffer();
  EXPECT_NEAR(c.screens, g_GLES_FillCounts.opaque + g_GLES_FillCounts.blended, 1e-9)
      << "nothing is counted once counting stops";
}

INSTANTIATE_TEST_SUITE_P(Quads, BatcherFill,
                         ::testing::Values(FillCase{"Inside", 8, 8, 32, 16, false, 0.125},
                                           FillCase{"HalfOffTheLeft", -16, 0, 32, 64, true, 0.25},
                                           FillCase{"OverTheCorner", 48, 48, 32, 32, false, 0.0625},
                                           FillCase{"LargerThanTheScreen", -64, -64, 256, 256, true, 1.0},
                                           FillCase{"OffTheScreen", 70, 0, 16, 16, false, 0.0},
                                           FillCase{"Culled", 8, 8, -32, 16, true, 0.0}),
                         [](const ::testing::TestParamInfo<FillCase>& i) { return i.param.name; });
