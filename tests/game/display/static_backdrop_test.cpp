// The static backdrop on a real GL screen: layers that stand still are shown as their copy, with
// the same pixels, from the third frame on; a layer that changes, a new context, another viewport
// or GL driven in the middle of the layers all draw the layers as they are; a backdrop begun inside
// another's layers is part of them, and a copy with nothing after it is shown every frame.
#include <GLES/gl.h>

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
  // The first frame starts from another state than those after it; the next one is the same drawing
  // again, and copied.
  bool shown = true;
  Frame(100, true, &shown);
  EXPECT_FALSE(shown);
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

} // namespace
