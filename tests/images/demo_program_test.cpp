// The host's entry end to end around the touch demo: with the asset pack in its runtime root, the
// headless demo draws a PNG with alpha and a JPEG with its "_a.jpg" over its background, as its
// screenshot shows.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "image_loaders.h"
#include "image_test_support.h"
#include "temp_dir.h"

namespace {

TEST(DemoProgramTest, ScreenshotShowsPackPicturesComposedOverTheBackground) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  std::string root = dir.path() + "/root", shot = dir.path() + "/shot.png";
  std::filesystem::create_directories(root + "/app/native/assets");
  std::filesystem::copy_file(IMAGE_DEMO_PACK, root + "/app/native/assets/_game_bb.pak");
  std::string command = std::string("'") + SPROCKLET_PROGRAM + "' --headless --display 1024x600 --root '" +
                        root + "' --frames 4 --shot '3:" + shot + "' >/dev/null 2>'" + dir.path() +
                        "/stderr.txt'";
  ASSERT_EQ(system(command.c_str()), 0) << command;

  ImageTestGame game;
  game.m_bTrueColorImages = 1;
  std::unique_ptr<IDibBitmap> picture(ImageLoad_PNG(&game, shot.c_str(), nullptr));
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->GetWidth(), 1024);
  // The logical screen is 480 wide, scaled by 1024 / 480; the pictures sit at logical (20, 20)
  // and (20, 80), 64 x 32 each, over the demo's dark grey.
  auto at = [&](int lx, int ly) { return ColourAt(picture.get(), lx * 1024 / 480, ly * 1024 / 480); };
  PatternPixel bg = at(300, 200);
  EXPECT_TRUE(Near(bg.r, 25, 10) && Near(bg.g, 25, 10) && Near(bg.b, 25, 10)) << bg.r << ", " << bg.g;
  struct {
    const char* what;
    int x, y;
    unsigned r, g, b, a;
  } expected[] = {
      {"opaque PNG", 36, 36, 250, 30, 30, 255},
      {"PNG at alpha 128", 68, 36, 250, 30, 30, 128},
      {"opaque JPEG", 36, 96, 200, 200, 200, 255},
      {"JPEG at alpha 64", 68, 96, 200, 200, 200, 64},
  };
  for (auto& e : expected) {
    PatternPixel p = at(e.x, e.y);
    auto over = [&](unsigned c, unsigned under) { return (c * e.a + under * (255 - e.a)) / 255; };
    EXPECT_TRUE(Near(p.r, over(e.r, bg.r), 10) && Near(p.g, over(e.g, bg.g), 10) &&
                Near(p.b, over(e.b, bg.b), 10))
        << e.what << " shows " << p.r << ", " << p.g << ", " << p.b;
  }
}

} // namespace
