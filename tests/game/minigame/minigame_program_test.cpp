// The program headless from a fresh root: taps on the main menu's box and its mini-game button open
// the mini-game, whose screen shows its side gradients, the course on its line and its title.
#include <map>
#include <string>

#include "game_test_support.h"
#include "program_run.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;

const std::string kImages = std::string(SPROCKLET_BINARY_DIR) + "/samplepack/images";

// The screen is 5-6-5: a colour read back is the art's to within one step of each channel.
bool Near(unsigned a, unsigned b) {
  int dr = (int)(a >> 16) - (int)(b >> 16), dg = (int)(a >> 8 & 255) - (int)(b >> 8 & 255),
      db = (int)(a & 255) - (int)(b & 255);
  return std::abs(dr) <= 8 && std::abs(dg) <= 4 && std::abs(db) <= 8;
}

// The most frequent colour of a sample-pack picture: its fill.
unsigned Fill(const std::string& name) {
  Picture p;
  EXPECT_TRUE(ReadPng(kImages + "/2x_" + name + ".png", &p)) << name;
  std::map<unsigned, int> counts;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.At(x, y)[3] == 255) ++counts[p.Colour(x, y)];
  unsigned best = 0;
  int most = 0;
  for (const auto& c : counts)
    if (c.second > most) most = c.second, best = c.first;
  return best;
}

int Count(const Picture& p, int x0, int y0, int x1, int y1, bool (*match)(unsigned, unsigned),
          unsigned colour) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      n += match(p.Colour(x, y), colour) ? 1 : 0;
  return n;
}

bool Dark(unsigned c, unsigned) { return (c >> 16) < 40 && (c >> 8 & 255) < 40 && (c & 255) < 40; }

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
  unsigned gradient = Fill("hidgame_background_gradient");
  EXPECT_GT(Count(shot, 0, 40, 122, 280, Near, gradient), 122 * 240 / 2);
  EXPECT_GT(Count(shot, 358, 40, 480, 280, Near, gradient), 122 * 240 / 2);
  EXPECT_LT(Count(menu, 0, 40, 122, 280, Near, gradient), 122 * 240 / 10) << "not the menu's";
  // The course: the line across the screen and the first spike ahead of the running hero.
  EXPECT_GT(Count(shot, 122, 0, 358, 320, Near, Fill("hidgame_line")), 150);
  EXPECT_GT(Count(shot, 122, 0, 358, 320, Near, Fill("hidgame_spike_40x40")), 200);
  // The title in black at the top centre.
  EXPECT_GT(Count(shot, 180, 2, 300, 18, Dark, 0), 40);
  program_run::KeepShotsOnFailure(dir.path(), "minigame");
}

} // namespace
