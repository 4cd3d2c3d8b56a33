// The static backdrop on a real GL screen: layers that stand still are shown as their copy, with
// the same pixels, from the third frame on; a layer that changes, a new context, another viewport
// or GL driven in the middle of the layers all draw the layers as they are; a backdrop begun inside
// another's layers is part of them, and a copy with nothing after it is shown every frame. A glow
// that turns between the copy and layers that stand above it is drawn over their cover, with the
// picture the layers drawn over it give.
#include <GLES/gl.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "display.h"
#include "game_gl_screen.h"
#include "game_test_support.h"
#include "static_backdrop.h"
#include "texture2d.h"

namespace {

class StaticBackdropTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(screen.Open(game, 96, 64));
    ResetDrawingState();
    display = &d;
  }
  void TearDown() override {
    backdrop.Release();
    display = nullptr;
    ResetDrawingState();
  }

  static void Fill(float x, float y, float w, float h, int r, int g, int b, int a) {
    display->SetBlending(a, r, g, b);
    FillAtPointFlipY(_CGPointMake(x, y), w, h);
  }
  // The layers: opaque stripes, one of them in the given green, and a translucent band over them.
  void Layers(int green) {
    d.DisableGLBlend();
    for (int i = 0; i < 6; ++i)
      Fill((float)(i * 16), 0, 16, 64, i * 40, i == 2 ? green : 100, 255 - i * 40, 255);
    d.EnableGLBlend();
    Fill(8, 20, 80, 24, 0, 50, 50, 200);
  }
  // One frame: the layers bracketed by the backdrop or not, then something on top that moves.
  std::vector<uint8_t> Frame(int green, bool bracket, bool* shown = nullptr) {
    if (bracket) backdrop.Begin();
    Layers(green);
    const bool copy = bracket && backdrop.End();
    if (shown) *shown = copy;
    Fill((float)(frame++ % 40), 50, 10, 10, 255, 255, 255, 160);
    return screen.ReadRGBA();
  }
  std::vector<uint8_t> Reference(int green) {
    const int keep = frame;
    std::vector<uint8_t> p = Frame(green, false);
    frame = keep;
    return p;
  }

  PackGame game;
  GameGLScreen screen;
  Display d;
  StaticBackdrop backdrop;
  int frame = 0;
};

TEST_F(StaticBackdropTest, LayersThatStandStillAreShownAsTheirCopyWithTheSamePixels) {
  // The first frame starts from another state than those after it, which does not change what the
  // layers draw: the second one is the same drawing again, and copied.
  bool shown = true;
  Frame(100, true, &shown);
  EXPECT_FALSE(shown);
  EXPECT_FALSE(backdrop.Held());
  Frame(100, true, &shown);
  EXPECT_FALSE(shown);
  EXPECT_TRUE(backdrop.Held()) << "the same drawing twice is copied";
  for (int i = 0; i < 3; ++i) {
    const std::vector<uint8_t> want = Reference(100);
    const GLES_CallCounts before = g_GLES_CallCounts;
    const std::vector<uint8_t> got = Frame(100, true, &shown);
    EXPECT_TRUE(shown);
    EXPECT_EQ(2u, g_GLES_CallCounts.drawCalls - before.drawCalls) << "the copy and what lies on top";
    EXPECT_EQ(want, got);
  }
}

TEST_F(StaticBackdropTest, ALayerThatChangesIsDrawnAsItIsAndCopiedOnceItStandsStill) {
  bool shown = false;
  for (int i = 0; i < 4; ++i)
    Frame(100, true, &shown);
  ASSERT_TRUE(shown);
  std::vector<uint8_t> want = Reference(180);
  EXPECT_EQ(want, Frame(180, true, &shown));
  EXPECT_FALSE(shown);
  Frame(180, true, &shown);
  EXPECT_FALSE(shown);
  want = Reference(180);
  EXPECT_EQ(want, Frame(180, true, &shown));
  EXPECT_TRUE(shown) << "the changed layers were copied again";
}

// Layers that change every frame are held back and hashed only now and then, and drawn as they are
// in between; once they stand still, the copy comes within one rest.
TEST_F(StaticBackdropTest, LayersThatKeepMovingAreHeldBackOnlyNowAndThenAndCopiedSoonAfterTheyStop) {
  int held = 0;
  const int moving = 64;
  for (int i = 0; i < moving; ++i) {
    const int green = 100 + i % 2 * 40;
    const std::vector<uint8_t> want = Reference(green);
    backdrop.Begin();
    held += GLES_Deferring() ? 1 : 0;
    Layers(green);
    backdrop.End(); // a copy of one of the two pictures may be shown when it comes again
    Fill((float)(frame++ % 40), 50, 10, 10, 255, 255, 255, 160);
    EXPECT_EQ(want, screen.ReadRGBA()) << "frame " << i;
  }
  EXPECT_GT(held, 0);
  EXPECT_LE(held, moving / 4) << "held back in most frames while they move";
  bool shown = false;
  int still = 0;
  while (!shown && still < 40) {
    Frame(100, true, &shown);
    ++still;
  }
  EXPECT_TRUE(shown);
  EXPECT_LE(still, 18) << "copied within a rest and the two frames that show they stand still";
  const std::vector<uint8_t> want = Reference(100);
  EXPECT_EQ(want, Frame(100, true, &shown));
  EXPECT_TRUE(shown);
}

TEST_F(StaticBackdropTest, ANewContextOrAnotherViewportDrawsTheLayersAgain) {
  bool shown = false;
  for (int i = 0; i < 4; ++i)
    Frame(100, true, &shown);
  ASSERT_TRUE(shown);
  // The context is reset: the copy's texture belonged to the old one.
  GLES_ResetStateCache();
  game.m_pDoubleBuffer->HWBeginScene();
  std::vector<uint8_t> want = Reference(100);
  EXPECT_EQ(want, Frame(100, true, &shown));
  EXPECT_FALSE(shown);
  for (int i = 0; i < 3; ++i)
    Frame(100, true, &shown);
  ASSERT_TRUE(shown) << "copied anew in the new context";
  GLint view[4];
  glGetIntegerv(GL_VIEWPORT, view);
  glViewport(0, 0, 48, 32);
  Frame(100, true, &shown);
  EXPECT_FALSE(shown) << "a copy of another viewport does not fit";
  glViewport(view[0], view[1], view[2], view[3]);
}

TEST_F(StaticBackdropTest, GLDrivenInTheMiddleOfTheLayersSendsWhatWasHeldFirst) {
  const std::vector<uint8_t> want = Reference(100);
  for (int i = 0; i < 3; ++i) {
    backdrop.Begin();
    Fill(0, 0, 96, 64, 10, 20, 30, 255);
    // A texture made on the way (a picture loaded late) drives GL itself.
    GLuint name = GLES_CreateTextureSurface(4, 4, false);
    EXPECT_FALSE(GLES_Deferring());
    Layers(100);
    EXPECT_FALSE(backdrop.End());
    GLES_FlushBuffer();
    glDeleteTextures(1, &name);
    GLES_SelectTexture(0, 0);
    Fill(0, 50, 10, 10, 255, 255, 255, 160); // where the reference has it
    EXPECT_EQ(want, screen.ReadRGBA());
  }
  EXPECT_FALSE(backdrop.Held());
}

TEST_F(StaticBackdropTest, ABackdropBegunInsideAnothersLayersLeavesThemToTheOuterOne) {
  StaticBackdrop inner;
  bool shown = false;
  for (int i = 0; i < 5; ++i) {
    const std::vector<uint8_t> want = Reference(100);
    backdrop.Begin();
    d.DisableGLBlend();
    Fill(0, 0, 96, 64, 10, 20, 30, 255);
    inner.Begin();
    Layers(100);
    EXPECT_FALSE(inner.End());
    shown = backdrop.End();
    Fill((float)(frame++ % 40), 50, 10, 10, 255, 255, 255, 160);
    EXPECT_EQ(want, screen.ReadRGBA());
  }
  EXPECT_TRUE(shown) << "the outer layers, the inner ones among them, are shown as one copy";
  EXPECT_FALSE(inner.Held());
}

TEST_F(StaticBackdropTest, ACopyWithNothingDrawnAfterItIsShownEveryFrame) {
  // A whole frame held back: the next one starts from the state the copy left, not the drawing's.
  bool shown = false;
  for (int i = 0; i < 3; ++i) {
    backdrop.Begin();
    Layers(100);
    backdrop.End();
  }
  ASSERT_TRUE(backdrop.Held());
  for (int i = 0; i < 4; ++i) {
    backdrop.Begin();
    Layers(100);
    shown = backdrop.End();
    EXPECT_TRUE(shown) << "frame " << i;
  }
  const std::vector<uint8_t> got = screen.ReadRGBA();
  Layers(100);
  EXPECT_EQ(screen.ReadRGBA(), got);
}

// Standing layers over a scene that moves: a darkening over the whole screen, an opaque panel and a
// premultiplied square, in the given panel blue. Once they stand still they are one picture drawn
// over the moving scene, its opaque blocks without blending.
class LayersOverMovingScene : public StaticBackdropTest {
protected:
  std::vector<uint8_t> LayersFrame(int blue, bool bracket) {
    d.DisableGLBlend();
    const int at = frame++ % 40;
    Fill(0, 0, 96, 64, 30, 160, 90, 255);
    for (int i = 0; i < 6; ++i)
      Fill((float)(i * 16 + at % 16), 0, 16, 64, i * 40, 100, 255 - i * 40, 255);
    d.EnableGLBlend();
    if (bracket) backdrop.BeginLayers();
    display->SetNormalMode();
    Fill(0, 0, 96, 64, 0, 0, 0, 120);
    d.DisableGLBlend();
    Fill(16, 8, 64, 40, 200, 180, blue, 255);
    d.EnableGLBlend();
    display->SetNoBlackEdgesMode();
    Fill(50, 30, 30, 20, 60, 0, 60, 128);
    display->SetNormalMode();
    if (bracket) backdrop.EndLayers();
    return screen.ReadRGBA();
  }
  int Differ(int blue, double* blended = nullptr) {
    const int keep = frame;
    const std::vector<uint8_t> want = LayersFrame(blue, false);
    frame = keep;
    GLES_CountFill(96, 64);
    g_GLES_FillCounts = GLES_FillCounts{};
    const std::vector<uint8_t> got = LayersFrame(blue, true);
    if (blended) *blended = g_GLES_FillCounts.blended;
    GLES_CountFill(0, 0);
    return MostApart(want, got);
  }
};

TEST_F(LayersOverMovingScene, StandingLayersBecomeOnePictureOverTheMovingSceneAndAChangeIsDrawnInOrder) {
  Differ(200); // the first frame starts from another drawing state
  double first = 0, blended = 0;
  for (int i = 1; i < 30; ++i) {
    const int most = Differ(200, &blended);
    if (i == 1) first = blended;
    if (i < 10) {
      EXPECT_EQ(0, most) << "frame " << i << ": drawn as it goes";
    }
    // The picture's colour went through 5-6-5 once more, its alpha is known to 6 bits.
    EXPECT_LE(most, 17) << "frame " << i;
  }
  EXPECT_LT(blended, first - 0.3) << "the panel's blocks are drawn without blending, the square's with";
  EXPECT_EQ(0, Differ(90, &blended)) << "a changed panel goes to GL as drawn";
  EXPECT_GT(blended, first - 0.01);
  for (int i = 0; i < 20; ++i)
    EXPECT_LE(Differ(90, &blended), 17);
  EXPECT_LT(blended, first - 0.3) << "and becomes a picture of its own";
}

// The glow: a picture of soft bands turned about the screen's middle, added as the additive mode
// adds (its colour times its alpha); dim enough that nothing it is added to reaches white. A glow
// drawn in the normal mode instead is blended over what is below.
class GlowUnderCover : public StaticBackdropTest {
protected:
  void SetUp() override {
    StaticBackdropTest::SetUp();
    std::vector<uint8_t> rgba(32 * 32 * 4);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        uint8_t* p = &rgba[(y * 32 + x) * 4];
        const int a = (x / 4 + y / 8) % 3 == 0 ? 0 : 90 + 40 * ((x + y) % 3);
        p[0] = (uint8_t)(a * 200 / 255);
        p[1] = (uint8_t)(a * 180 / 255);
        p[2] = (uint8_t)(a * 120 / 255);
        p[3] = (uint8_t)a;
      }
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterx(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 32, 32, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    GLES_RestoreCachingSupport();
  }
  void TearDown() override {
    GLES_SelectTexture(0, 0);
    GLES_FlushBuffer();
    glDeleteTextures(1, &texture);
    StaticBackdropTest::TearDown();
  }

  void Glow(float angle, bool additive) {
    Renderer_SetBlendMode(additive ? RENDERER_BLEND_ADDITIVE : RENDERER_BLEND_NORMAL);
    GLES_SelectTexture(texture, 0);
    int xy[8], uv[8];
    const float c = std::cos(angle), s = std::sin(angle);
    const float corner[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int k = 0; k < 4; ++k) {
      const float x = corner[k][0] * 60, y = corner[k][1] * 60;
      xy[k * 2] = (int)((48 + x * c - y * s) * 256);
      xy[k * 2 + 1] = (int)((32 + x * s + y * c) * 256);
      uv[k * 2] = corner[k][0] > 0 ? 65536 : 0;
      uv[k * 2 + 1] = corner[k][1] > 0 ? 65536 : 0;
    }
    GLES_RenderQUAD(xy, uv, nullptr);
    GLES_SelectTexture(0, 0);
    display->SetNormalMode();
  }
  // What stands above the glow: a translucent band, an opaque block in the given blue (over the
  // four 16 x 16 blocks of the bottom right corner, and half of the next ones) and a premultiplied
  // half-see-through square.
  static void Front(int blue) {
    display->SetNormalMode();
    Fill(4, 6, 60, 14, 240, 30, 30, 150);
    display->DisableGLBlend();
    Fill(56, 28, 40, 36, 20, 40, blue, 255);
    display->EnableGLBlend();
    display->SetNoBlackEdgesMode();
    Fill(20, 30, 20, 20, 60, 60, 0, 128);
    display->SetNormalMode();
  }
  // One frame: the layers below as the backdrop, the glow and the front, then a moving square.
  std::vector<uint8_t> GlowFrame(float angle, int blue, bool additive, bool bracket) {
    if (bracket) backdrop.Begin();
    Layers(100);
    if (bracket) backdrop.EndIntoGlow();
    Glow(angle, additive);
    if (bracket) backdrop.BeginFront();
    Front(blue);
    if (bracket) backdrop.EndFront();
    Fill((float)(frame++ % 40), 50, 10, 10, 255, 255, 255, 160);
    return screen.ReadRGBA();
  }
  // The frame drawn straight to GL, and the same frame through the backdrop: their largest
  // difference in any channel, and the blended and opaque fill of the frame through the backdrop.
  int Differ(float angle, int blue, bool additive, double* blended = nullptr, double* opaque = nullptr) {
    const int keep = frame;
    const std::vector<uint8_t> want = GlowFrame(angle, blue, additive, false);
    frame = keep;
    GLES_CountFill(96, 64);
    g_GLES_FillCounts = GLES_FillCounts{};
    const std::vector<uint8_t> got = GlowFrame(angle, blue, additive, true);
    if (blended) *blended = g_GLES_FillCounts.blended;
    if (opaque) *opaque = g_GLES_FillCounts.opaque;
    GLES_CountFill(0, 0);
    return MostApart(want, got);
  }

  GLuint texture = 0;
};

// Drawn as it goes, a 5-6-5 screen holds the colour below the layers and again over them; through
// the cover, the layers over the copy and again with the glow added: two 5-bit steps apart at most.
// (What the layers let through is known to 6 bits, a share of the dim glow's colour.)
const int kCoverStep = 17;

TEST_F(GlowUnderCover, LayersThatStandStillBecomeACoverTheGlowIsDrawnUnderWithTheSamePicture) {
  // The first frame starts from another drawing state than those after it.
  Differ(0, 200, true);
  double first = 0, blended = 0, opaque = 0;
  for (int i = 1; i < 40; ++i) {
    const float angle = 0.07f * (float)i;
    const int most = Differ(angle, 200, true, &blended, &opaque);
    if (i == 1) first = blended;
    // Until the layers have stood still a while, the glow and they go to GL as drawn.
    if (i < 10) {
      EXPECT_EQ(0, most) << "frame " << i;
    }
    EXPECT_LE(most, kCoverStep) << "frame " << i;
  }
  // The glow's quad covers the screen at every angle. The front's band and square are no longer
  // drawn; the glow is, except under the opaque block's four whole blocks; the moving square is.
  EXPECT_LT(blended, first - (60 * 14 + 20 * 20) / (96.0 * 64) + 0.01) << "the front is in the cover";
  EXPECT_NEAR(blended, (96 * 64 - 4 * 16 * 16 + 10 * 10) / (96.0 * 64), 0.002)
      << "the glow is left out where the front is opaque";
  // The cover holds the copy of the layers below: the copy is not drawn under it as well.
  EXPECT_NEAR(opaque, 1.0, 1e-6) << "one opaque screen, the cover's";
}

TEST_F(GlowUnderCover, AFrontThatChangesIsDrawnInOrderUntilItsCoverIsMadeAndTwoCoversAreKept) {
  double still = 0, blended = 0;
  Differ(0, 200, true);
  for (int i = 0; i < 20; ++i)
    Differ(0.1f * (float)i, 200, true, &still);
  // Another front: drawn as it is at once, then a cover of its own.
  EXPECT_EQ(0, Differ(2.0f, 90, true, &blended)) << "a new front goes to GL in order";
  EXPECT_GT(blended, still + 0.1);
  for (int i = 0; i < 20; ++i)
    EXPECT_LE(Differ(2.0f + 0.1f * (float)i, 90, true, &blended), kCoverStep);
  EXPECT_NEAR(still, blended, 1e-9) << "the second front's cover is drawn";
  // Back to the first front: its cover is still kept.
  EXPECT_LE(Differ(4.5f, 200, true, &blended), kCoverStep);
  EXPECT_NEAR(still, blended, 1e-9);
}

TEST_F(GlowUnderCover, AGlowThatIsNotAddedIsAlwaysDrawnBetweenTheCopyAndTheFront) {
  Differ(0, 200, false);
  for (int i = 1; i < 30; ++i)
    EXPECT_EQ(0, Differ(0.1f * (float)i, 200, false)) << "frame " << i;
}

} // namespace
