// The program headless from a fresh root: taps on the main menu's box and its mini-game button open
// the mini-game, whose screen shows its side gradients, the course on its line and its title.
#include <string>

#include "game_test_support.h"
#include "program_run.h"
#include "screen_colours.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;
using screen_colours::Counted;
using screen_colours::CountNear;
using screen_colours::PictureFill;

// How many pixels of the box are nearly black.
int CountDark(const Picture& p, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const unsigned c = p.Colour(x, y);
      n += (c >> 16) < 40 && (c >> 8 & 255) < 40 && (c & 255) < 40 ? 1 : 0;
    }
  return n;
}

TEST(MiniGameProgram, TheMenusBoxAndItsMiniGameButtonOpenTheMiniGameWithItsArt) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  // The loader hands over near frame 315; the box's buttons are unfolded 12 frames after its tap.
  std::string journal = program_run::Tap(340, 371, 286) + program_run::Tap(370, 371, 46);
  program_run::Run run = program_run::RunHeadless(dir.path(), journal,
                                                  "--frames 480 --shot 335:menu.png --shot 470:minigame.png");
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<int> path = program_run::ModePath(run.out);
  EXPECT_EQ(path, (std::vector<int>{18, 0, 14})) << run.out;

  Picture menu, shot;
  ASSERT_TRUE(ReadPng(dir.path() + "/menu.png", &menu));
  ASSERT_TRUE(ReadPng(dir.path() + "/minigame.png", &shot));
  ASSERT_EQ(shot.width, 480);
  ASSERT_EQ(shot.height, 320);
  // The gradient at both sides (mirrored on the right), most of each 122 px strip.
  unsigned gradient = PictureFill("hidgame_background_gradient", Counted::Opaque);
  EXPECT_GT(CountNear(shot, gradient, 0, 40, 122, 280), 122 * 240 / 2);
  EXPECT_GT(CountNear(shot, gradient, 358, 40, 480, 280), 122 * 240 / 2);
  EXPECT_LT(CountNear(menu, gradient, 0, 40, 122, 280), 122 * 240 / 10) << "not the menu's";
  // The course: the line across the screen and the first spike ahead of the running hero.
  EXPECT_GT(CountNear(shot, PictureFill("hidgame_line", Counted::Opaque), 122, 0, 358, 320), 150);
  EXPECT_GT(CountNear(shot, PictureFill("hidgame_spike_40x40", Counted::Opaque), 122, 0, 358, 320), 200);
  // The title in black at the top centre.
  EXPECT_GT(CountDark(shot, 180, 2, 300, 18), 40);
  program_run::KeepShotsOnFailure(dir.path(), "minigame");
}

} // namespace
