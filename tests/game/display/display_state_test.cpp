// The display's tint and mode caches on a real GL batch: a tint change keeps the batch, whose
// vertices carry their colours, the clamp and storage of tint requests, the display modes over the
// renderer's blend states, forced and unforced, and untextured fills.
#include "display.h"
#include "game_gl_screen.h"
#include "game_test_support.h"
#include "texture2d.h"

namespace {

class DisplayState : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    ASSERT_TRUE(screen.Open(game, 32, 32));
  }
  void TearDown() override { ResetDrawingState(); }
  // Puts one quad into the batch, as a blit would.
  void Queue() { GLES_RenderFilledQuad(0, 0, 4, 4, 255, 255, 255, 255); }

  struct Blend {
    int enabled;
    GLenum src, dst;
  };
  static Blend Current() {
    return {g_GLES_BlendModeEnabled, g_GLES_BlendSourceFactor, g_GLES_BlendDestFactor};
  }

  PackGame game;
  GameGLScreen screen;
  Display d;
};

TEST_F(DisplayState, TintChangesKeepTheBatchAndTheColoursAlreadyQueued) {
  const u32 draws = g_GLES_CallCounts.drawCalls;
  d.SetBlending(100, 1, 2, 3);
  FillAtPointFlipY(_CGPointMake(0, 0), 8, 8);
  d.SetBlending(200);
  FillAtPointFlipY(_CGPointMake(8, 0), 8, 8);
  d.SetBlending(-4, 400, 5, 6); // stored as asked, drawn clamped
  FillAtPointFlipY(_CGPointMake(16, 0), 8, 8);
  EXPECT_EQ(g_GLES_CallCounts.drawCalls, draws);
  ASSERT_EQ(g_GLES_NumVertexUsed, 18u); // two triangles a fill
  const GLubyte first[4] = {1, 2, 3, 100}, second[4] = {255, 255, 255, 200}, third[4] = {255, 5, 6, 0};
  for (u32 v = 0; v < 18; ++v) {
    const GLubyte* want = v < 6 ? first : v < 12 ? second : third;
    for (int c = 0; c < 4; ++c)
      EXPECT_EQ(g_GLES_Colors[v * 4 + c], want[c]) << "vertex " << v << " channel " << c;
  }
  GLES_FlushBuffer();
  EXPECT_EQ(g_GLES_CallCounts.drawCalls, draws + 1);
}

// A fill reads no texture: it turns texturing off and paints its tint, blended like any blit.
TEST_F(DisplayState, FillsPaintTheirTintOverWhatLiesUnder) {
  d.SetNormalMode();
  GLES_SelectTexture(1, g_prefer_GL_NEAREST);
  d.SetBlending(255, 255, 0, 0);
  FillAtPointFlipY(_CGPointMake(0, 0), 32, 32);
  EXPECT_EQ(g_Current_texName, 0u);
  d.SetBlending(128, 0, 0, 255);
  FillAtPointFlipY(_CGPointMake(32, 32), -16, -32); // mirrored: the right half
  HeadlessGL::Pixel left = screen.At(4, 16), right = screen.At(28, 16);
  EXPECT_GE(left.r, 248);
  EXPECT_EQ(left.b, 0);
  // Half of each: 565 keeps five bits of red and blue.
  EXPECT_NEAR(right.r, 127, 8);
  EXPECT_NEAR(right.b, 128, 8);
  EXPECT_EQ(right.g, 0);
}

TEST_F(DisplayState, TintRequestsStoreWhatWasAsked) {
  d.SetBlending(-5, 255, 255, 255);
  EXPECT_EQ(d.alpha, 0);
  EXPECT_EQ(lastBlendA, 0);
  d.SetBlending(300);
  EXPECT_EQ(d.alpha, 300);
  EXPECT_EQ(lastBlendA, 300);
  d.SetBlending(70, 1, 2, 3);
  d.DisableSetBlending();
  d.SetBlending(10, 9, 9, 9);
  EXPECT_EQ(lastBlendA, 70);
  EXPECT_EQ(lastBlendR, 1);
  d.EnableSetBlending();
  d.SetBlending(10, 9, 9, 9);
  EXPECT_EQ(lastBlendA, 10);
}

TEST_F(DisplayState, ModesSelectTheirRendererBlendStates) {
  struct {
    void (Display::*set)();
    int mode;
    GLenum src, dst;
  } cases[] = {
      {&Display::SetAddMode, 1, GL_SRC_ALPHA, GL_ONE},
      {&Display::SetOverlayMode, 2, GL_SRC_ALPHA, GL_ONE},
      {&Display::SetNormalMode, 3, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {&Display::SetNoBlackEdgesMode, 4, GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
  };
  for (auto& c : cases) {
    (d.*c.set)();
    EXPECT_EQ(display_mode_current, c.mode);
    Blend b = Current();
    EXPECT_EQ(b.enabled, 1);
    EXPECT_EQ(b.src, c.src);
    EXPECT_EQ(b.dst, c.dst);
  }
}

TEST_F(DisplayState, ForcedNormalModeIgnoresTheSettersUntilUnforced) {
  d.SetAddMode();
  d.ForceNormalMode();
  EXPECT_EQ(display_mode_current, 3);
  d.SetAddMode();
  d.SetNoBlackEdgesMode();
  EXPECT_EQ(display_mode_current, 3);
  EXPECT_EQ(Current().dst, (GLenum)GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(Current().src, (GLenum)GL_SRC_ALPHA);
  d.UnforceMode();
  EXPECT_EQ(display_mode_current, 3);
  d.SetAddMode();
  EXPECT_EQ(display_mode_current, 1);
  EXPECT_EQ(Current().dst, (GLenum)GL_ONE);
}

TEST_F(DisplayState, DirectBlendSwitchesLeaveTheStoredMode) {
  d.SetNormalMode();
  d.DisableGLBlend();
  EXPECT_EQ(Current().enabled, 0);
  EXPECT_EQ(display_mode_current, 3);
  // The stored mode is still normal, so asking for it again does not re-enable blending.
  d.SetNormalMode();
  EXPECT_EQ(Current().enabled, 0);
  d.EnableGLBlend();
  EXPECT_EQ(Current().enabled, 1);
}

TEST_F(DisplayState, ClippingStoresItsRectangleWithoutClipping) {
  d.SetClipping(10, 20, 30, 40);
  EXPECT_EQ(d.clipRect.left, 10);
  EXPECT_EQ(d.clipRect.top, 20);
  EXPECT_EQ(d.clipRect.right, 30);
  EXPECT_EQ(d.clipRect.bottom, 40);
  // The scissor box takes them as top, left, bottom, right; the test stays off.
  GLint box[4] = {};
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EXPECT_EQ(box[0], 20);
  EXPECT_EQ(box[1], 10);
  EXPECT_EQ(box[2], 40);
  EXPECT_EQ(box[3], 30);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  d.ResetClipping();
  EXPECT_EQ(d.clipRect.right, 480);
  EXPECT_EQ(d.clipRect.bottom, 320);
}

} // namespace
