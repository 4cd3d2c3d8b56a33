// The application object's frame on a real (headless) GL screen: the element tree's drawing
// reaches the framebuffer, and a finished screen rotation settles over the next frames.
#include <gtest/gtest.h>

#include "dib_bitmap.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "temp_dir.h"
#include "test_application.h"

namespace {

class FillElement : public CXElement {
public:
  explicit FillElement(CGameBase* app) : CXElement(app, app) {}
  void Draw() override {
    IDibBitmap* screen = m_pApp->GetDoubleBuffer();
    screen->FillRectangle(10, 10, 20, 10, 255, 0, 0);
  }
};

} // namespace

TEST(DrawCycleTest, TreeDrawingReachesTheScreenAndRotationSettles) {
  ScopedTempDir dir;
  HeadlessGL gl;
  ASSERT_TRUE(gl.Open(480, 320));
  GLES_ResetStateCache();
  {
    CTestApplication app;
    app.m_bUsePacks = 0;
    ASSERT_TRUE(app.Init(480, 320));
    ASSERT_EQ(app.m_nRendererType, 5); // the GL render target
    ASSERT_NE(app.GetBlendBuffer(), app.GetDoubleBuffer());
    new FillElement(&app); // owned by the application object

    app.SetIPhoneOrientation(1, true);
    EXPECT_EQ(app.m_nRotationSettle, 3);
    for (int i = 0; i < 3; i++)
      app.DoDrawCycle();
    EXPECT_EQ(app.m_nRotationSettle, 0);
    EXPECT_FALSE(app.IsIPhoneRotationInProcess());

    app.DoDrawCycle();
    glFinish();
    HeadlessGL::Pixel inside = gl.At(15, 12), outside = gl.At(40, 40);
    EXPECT_GE(inside.r, 250);
    EXPECT_LE(inside.g, 4);
    EXPECT_LE(outside.r, 4);
  }
  GLES_ResetStateCache();
}
