// Loaded images as they reach the screen: uploaded to GL textures under the game's settings (true
// colour, pixels dropped after upload), drawn over a background and read back.
#include <memory>

#include "../gl/gl_scene.h"
#include "bitmap_utils.h"
#include "fixture_pattern.h"
#include "image_loaders.h"
#include "image_test_game.h"
#include "quellar_utils.h"

namespace {

// The renderer tests' GL screen, run in the fixture directory with the game's image settings.
class ImageGLTest : public GLScene {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.ok());
    game.m_bUsePacks = 0;
    game.m_bTrueColorImages = 1;
    game.m_bReleasePixelsAfterUpload = 1;
    GLScene::SetUp();
  }
  // Within a step of an RGB565 framebuffer.
  static ::testing::AssertionResult Shows(const HeadlessGL::Pixel& p, int r, int g, int b) {
    if (std::abs(p.r - r) <= 10 && std::abs(p.g - g) <= 6 && std::abs(p.b - b) <= 10)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "shows (" << p.r << ", " << p.g << ", " << p.b << "), want (" << r
                                         << ", " << g << ", " << b << ")";
  }

private:
  WorkingDirectory m_dir{IMAGE_FIXTURES_DIR};
};

TEST_F(ImageGLTest, PngWithAlphaAndJpegWithItsAlphaImageBlendOverTheBackground) {
  std::unique_ptr<IDibBitmap> badge(ImageLoad(&game, "images\\badge", nullptr));
  std::unique_ptr<IDibBitmap> tinted(ImageLoad(&game, "images\\tinted", nullptr));
  ASSERT_TRUE(badge);
  ASSERT_TRUE(tinted);
  // The pixels went to the texture.
  EXPECT_FALSE(badge->HasPixelsInRAM());
  screen->ClearBitmap(0, 0, 255);
  badge->Draw(screen.get(), 4, 4, 0, 0, 0, 0);
  tinted->Draw(screen.get(), 30, 4, 0, 0, 0, 0);
  EXPECT_TRUE(Shows(At(7, 8), 250, 30, 30));    // opaque half
  EXPECT_TRUE(Shows(At(16, 8), 125, 15, 142));  // half-transparent half
  EXPECT_TRUE(Shows(At(34, 8), 100, 100, 227)); // grey at alpha 128 from "_a.jpg"
  EXPECT_TRUE(Shows(At(50, 20), 0, 0, 255));    // background
}

// The sheet (GetImagesDirectory() is empty here) is cut from pixels in memory even though every uploaded
// bitmap drops its pixels.
TEST_F(ImageGLTest, SheetFramesReachTheScreenWhenPixelsAreDroppedAfterUpload) {
  FIXED_FLOAT unused = 0;
  int uses = 0, loaded = 0;
  IDibBitmap** frames = nullptr;
  TCoord2D* offsets = nullptr;
  ASSERT_TRUE(VisibleObjectWithSpritesLoad(8, 4, "images\\sheet.png", nullptr, unused, uses, loaded, frames,
                                           offsets, true, &game, false));
  screen->ClearBitmap(0, 0, 0);
  for (int i = 0; i < 8; i++)
    frames[i]->Draw(screen.get(), i * SHEET_CELL, 0, 0, 0, 0, 0);
  for (int i = 0; i < 8; i++) {
    PatternPixel c = SheetCellPixel(i);
    EXPECT_TRUE(Shows(At(i * SHEET_CELL + 4, 4), c.r * c.a / 255, c.g * c.a / 255, c.b * c.a / 255))
        << "frame " << i;
    delete frames[i];
  }
  free(frames);
}

} // namespace
