// Every front-end screen that a player can reach by taps, reached so in one headless run of the
// real program: each arrival is in the run's mode log, and each screenshot shows that screen's own
// art, found by the flat colour of its sample-pack picture, a colour the main menu does not show.
// The screens nothing switches to (hiscores 4, instructions 5, interLevel 7, mapMode 8, about 17)
// have no tap path; the editor and the mini-game are left to their own tests. A failing test keeps
// its screenshots in the build's screens-shots/.
#include <string>
#include <vector>

#include "game_test_support.h"
#include "program_run.h"
#include "screen_colours.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;
using screen_colours::AtlasFill;
using screen_colours::Colour;
using screen_colours::CountNear;
using screen_colours::PictureFill;

// One step of the walk: the taps (25 frames apart) that lead from the screen before to this mode,
// and for a screen of its own the art it must show on its screenshot, taken past the cross-fade.
struct Step {
  std::vector<std::pair<int, int>> taps;
  int mode;
  const char* what; // null for a way back
  Colour art;
};

TEST(Reach, EveryFrontEndScreenWithATapPathIsReachedByTapsAndShowsItsArt) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  // A 480 x 320 display: the menu's bar buttons at y 286, its sub-menus unfolding upward 60 px a
  // button (credits, help; shop, missions, secrets); the back buttons of the lists, the shop, the
  // world map and level selection bottom left, the options' top right; the world map's centre
  // picture opens level selection.
  const std::vector<Step> steps = {
      {{{109, 286}}, 2, "options", AtlasFill("options", "options_pan")},
      {{{394, 50}}, 0, nullptr, 0},
      {{{42, 286}, {42, 226}}, 3, "credits", PictureFill("panel_about")},
      {{{460, 20}}, 0, nullptr, 0},
      {{{42, 286}, {42, 166}}, 16, "help", PictureFill("help_tv")},
      {{{240, 160}}, 0, nullptr, 0},
      {{{371, 286}, {371, 226}}, 15, "shop", PictureFill("shop_background")},
      {{{35, 295}}, 0, nullptr, 0},
      {{{371, 286}, {371, 166}}, 12, "missions list", PictureFill("ach_panel_closeover")},
      {{{35, 295}}, 0, nullptr, 0},
      {{{371, 286}, {371, 106}}, 13, "secrets list", PictureFill("secret_pan_close")},
      {{{35, 295}}, 0, nullptr, 0},
      {{{240, 264}}, 1, "world map", AtlasFill("global_map_background_png", "global_map_background")},
      {{{240, 160}}, 11, "level selection", AtlasFill("world", "map_button_level_closed")},
      {{{31, 296}}, 1, nullptr, 0},
      {{{31, 296}}, 0, nullptr, 0},
  };
  const int kGap = 25, kSettle = 40;
  std::string journal = program_run::Tap(2, 240, 160); // the splash cut short: the menu at 158
  std::string args = "--shot 200:menu.png";
  std::vector<int> path = {18, 0};
  int frame = 220;
  for (size_t i = 0; i < steps.size(); ++i) {
    for (const auto& t : steps[i].taps) {
      journal += program_run::Tap(frame, t.first, t.second);
      frame += kGap;
    }
    frame += kSettle - kGap;
    if (steps[i].what) args += " --shot " + std::to_string(frame) + ":step" + std::to_string(i) + ".png";
    frame += 10;
    path.push_back(steps[i].mode);
  }
  args += " --frames " + std::to_string(frame);
  program_run::Run run = program_run::RunHeadless(dir.path(), journal, args);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(program_run::ModePath(run.out), path) << run.out;

  Picture menu;
  ASSERT_TRUE(ReadPng(dir.path() + "/menu.png", &menu));
  EXPECT_GT(CountNear(menu, PictureFill("menu_yellow_pod")), 440 * 18 / 2) << "the main menu's bar";
  for (size_t i = 0; i < steps.size(); ++i) {
    if (!steps[i].what) continue;
    SCOPED_TRACE(steps[i].what);
    Picture shot;
    ASSERT_TRUE(ReadPng(dir.path() + "/step" + std::to_string(i) + ".png", &shot));
    ASSERT_EQ(shot.width, 480);
    EXPECT_GT(CountNear(shot, steps[i].art), 1500) << std::hex << steps[i].art;
    EXPECT_LT(CountNear(menu, steps[i].art), 100) << "a colour of this screen, not of the menu";
  }
  program_run::KeepShotsOnFailure(dir.path(), "screens");
}

} // namespace
