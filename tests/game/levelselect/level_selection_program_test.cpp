// The program headless from a fresh root, driven by a journal of taps: the splash, the menu's play
// button, the world map's centre picture, level selection's first box and into play: the tutorial's
// level 41, and world 1's level 1 after the carousel is dragged on by one world.
#include <string>
#include <vector>

#include "game_test_support.h"
#include "program_run.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;
using program_run::Tap;

class LevelSelectionProgram : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(dir.ok()); }
  void TearDown() override { program_run::KeepShotsOnFailure(dir.path(), "levelselect"); }
  // The screenshot is a picture of the display that is not one flat colour.
  void ExpectDrawn(const std::string& shot) {
    Picture p;
    ASSERT_TRUE(ReadPng(dir.path() + "/" + shot, &p)) << shot;
    ASSERT_EQ(p.width, 480) << shot;
    int differing = 0;
    for (int y = 0; y < p.height; y += 4)
      for (int x = 0; x < p.width; x += 4)
        differing += p.Colour(x, y) != p.Colour(0, 0) ? 1 : 0;
    EXPECT_GT(differing, 100) << shot;
  }
  ScopedTempDir dir;
};

// A tap on the splash (frame 2), the play button, the centre world, box 1.
const int kMenuTap = 175, kMapTap = 200, kBoxTap = 230;

TEST_F(LevelSelectionProgram, TheTutorialsFirstBoxLeadsFromTheMenuIntoLevel41) {
  std::string journal =
      Tap(2, 240, 160) + Tap(kMenuTap, 240, 264) + Tap(kMapTap, 240, 160) + Tap(kBoxTap, 56, 80);
  program_run::Run r = program_run::RunHeadless(
      dir.path(), journal,
      "--frames 330 --shot 170:menu.png --shot 195:map.png --shot 225:levels.png --shot 320:play.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(program_run::ModePath(r.out), (std::vector<int>{18, 0, 1, 11, 9})) << r.out;
  // Play follows once the shutters have closed, not at the tap.
  int start = program_run::SwitchFrame(r.out, 11, 9);
  EXPECT_GE(start, kBoxTap + 2 + 10) << r.out;
  EXPECT_LE(start, kBoxTap + 2 + 30) << r.out;
  EXPECT_NE(r.out.find("sprocklet: level 41 started"), std::string::npos) << r.out;
  for (const char* shot : {"menu.png", "map.png", "levels.png", "play.png"})
    ExpectDrawn(shot);
}

TEST_F(LevelSelectionProgram, WorldOnesFirstBoxPlaysLevel1) {
  // The carousel dragged slowly one world on, then a tap on its centre picture.
  std::string journal = Tap(2, 240, 160) + Tap(kMenuTap, 240, 264);
  int f = 200;
  journal += std::to_string(f) + " touch down 0 240 100\n";
  for (int x = 230; x >= 40; x -= 10) {
    f += 10;
    journal += std::to_string(f) + " touch move 0 " + std::to_string(x) + " 100\n";
  }
  f += 10;
  journal += std::to_string(f) + " touch up 0 40 100\n";
  const int mapTap = f + 60, boxTap = mapTap + 30;
  journal += Tap(mapTap, 240, 160) + Tap(boxTap, 56, 80);
  const int end = boxTap + 100;
  program_run::Run r = program_run::RunHeadless(
      dir.path(), journal,
      "--frames " + std::to_string(end) + " --shot " + std::to_string(mapTap - 2) + ":map.png --shot " +
          std::to_string(boxTap - 2) + ":levels.png --shot " + std::to_string(end - 5) + ":play.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(program_run::ModePath(r.out), (std::vector<int>{18, 0, 1, 11, 9})) << r.out;
  EXPECT_NE(r.out.find("sprocklet: level 1 started"), std::string::npos) << "g_levelSelected is 1:\n"
                                                                         << r.out;
  for (const char* shot : {"map.png", "levels.png", "play.png"})
    ExpectDrawn(shot);
}

} // namespace
