// Dialog backgrounds on a real (headless) GL screen: a dialog without a size at 0, 0 clears the
// whole buffer to its colour, a root or a dialog inside it; a sized one fills only its rectangle.
#include <gtest/gtest.h>

#include "dib_bitmap.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "temp_dir.h"
#include "widget_test_support.h"

namespace {

const char* kDraw = R"(root: clear
  color: 0, 0, 255
end
root: framed
  size: 480, 320
  child: box
    position: 200, 100
  end
end
root: inner
  size: 480, 320
  child: full
  end
end
dialog: full
  modal: position
  color: 0, 255, 0
end
dialog: box
  size: 40, 20
  modal: position
  color: 255, 0, 0
end
)";

bool Is(const HeadlessGL::Pixel& p, int r, int g, int b) {
  return std::abs(p.r - r) <= 8 && std::abs(p.g - g) <= 8 && std::abs(p.b - b) <= 8;
}

TEST(DialogDraw, ABackgroundColourClearsTheWholeBufferOrFillsTheDialog) {
  ScopedTempDir dir;
  HeadlessGL gl;
  ASSERT_TRUE(gl.Open(480, 320));
  GLES_ResetStateCache();
  {
    WidgetApp app;
    ASSERT_TRUE(app.Init(480, 320));
    WriteUiFile("draw.txt", kDraw);
    XRoot* root = new XRoot(&app);

    ASSERT_TRUE(root->InitRoot("draw.txt", "clear"));
    EXPECT_EQ(root->GetOriginalSize().x, 480); // no size: the double buffer's
    app.DoDrawCycle();
    for (auto [x, y] : {std::pair{0, 0}, {479, 0}, {0, 319}, {479, 319}, {240, 160}})
      EXPECT_TRUE(Is(gl.At(x, y), 0, 0, 255)) << x << "," << y;

    // A dialog inside the root, of no size at 0, 0, clears it all too.
    ASSERT_TRUE(root->InitRoot("draw.txt", "inner"));
    app.GetDoubleBuffer()->ClearBitmap(0, 0, 0);
    app.DoDrawCycle();
    for (auto [x, y] : {std::pair{0, 0}, {479, 0}, {0, 319}, {479, 319}, {240, 160}})
      EXPECT_TRUE(Is(gl.At(x, y), 0, 255, 0)) << x << "," << y;

    ASSERT_TRUE(root->InitRoot("draw.txt", "framed"));
    app.GetDoubleBuffer()->ClearBitmap(0, 0, 0);
    app.DoDrawCycle();
    EXPECT_TRUE(Is(gl.At(200, 100), 255, 0, 0));
    EXPECT_TRUE(Is(gl.At(239, 119), 255, 0, 0));
    EXPECT_TRUE(Is(gl.At(240, 110), 0, 0, 0));
    EXPECT_TRUE(Is(gl.At(210, 120), 0, 0, 0));
    EXPECT_TRUE(Is(gl.At(199, 99), 0, 0, 0));
  }
  GLES_ResetStateCache();
}

} // namespace
