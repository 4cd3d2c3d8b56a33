// A hardware bitmap reloads its pixels from its image file after the GL context was lost.
#include <png.h>

#include <cstdio>

#include "gl_scene.h"
#include "image_loaders.h"
#include "temp_dir.h"

namespace {

// An opaque w x h PNG of one colour.
bool WritePng(const char* path, int w, int h, u8 r, u8 g, u8 b) {
  FILE* f = fopen(path, "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = png && info && !setjmp(png_jmpbuf(png));
  if (ok) {
    png_init_io(png, f);
    png_set_IHDR(png, info, (png_uint_32)w, (png_uint_32)h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<u8> row((size_t)w * 3);
    for (int x = 0; x < w; ++x) {
      row[(size_t)x * 3] = r;
      row[(size_t)x * 3 + 1] = g;
      row[(size_t)x * 3 + 2] = b;
    }
    for (int y = 0; y < h; ++y)
      png_write_row(png, row.data());
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  fclose(f);
  return ok;
}

TEST_F(GLScene, ReloadAfterALostContextReadsTheImageFileAgain) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  ASSERT_TRUE(WritePng("pic.png", 8, 8, 0, 255, 0));
  game.m_bUsePacks = 0;
  game.m_bReleasePixelsAfterUpload = 1;
  std::unique_ptr<IDibBitmap> img(ImageLoad_PNG(&game, "pic.png", nullptr));
  ASSERT_TRUE(img);
  ASSERT_TRUE(img->ArePixelsReleased()) << "only the texture holds the picture";

  gl.Close();
  ASSERT_TRUE(gl.Open(kWidth, kHeight));
  GLES_ResetStateCache();
  screen->HWBeginScene();
  g_bRestoringLostContext = true;
  img->HWReloadContentFromAppAssets();
  g_bRestoringLostContext = false;
  screen->ClearBitmap(0, 0, 0);
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(4, 4), Quantized(0, 255, 0)));
  EXPECT_EQ(0, game.m_bTrueColorImages);
  EXPECT_EQ(1, game.m_bCreateTextures);

  // Without its file the reload fails and leaves the application's settings as they were.
  ASSERT_EQ(0, remove("pic.png"));
  ::testing::internal::CaptureStdout();
  img->HWReloadContentFromAppAssets();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(0, game.m_bTrueColorImages);
  EXPECT_EQ(1, game.m_bCreateTextures);
}

} // namespace
