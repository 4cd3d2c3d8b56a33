// The options screen in the real program, run headless from a fresh root with a journal: opened
// from the main menu's options button and from the pause panel of a level, its panel, switches
// and arrow on the screenshot, and the back key returning to where it came from.
#include <string>
#include <vector>

#include "game_test_support.h"
#include "options_art.h"
#include "program_run.h"
#include "screen_colours.h"

namespace {

using program_run::Picture;
using screen_colours::Colour;

struct Route {
  const char* name;
  const char* args;    // further arguments of the run
  std::string journal; // taps up to the options screen, the screenshot at frame 260, back at 270
  std::vector<int> path;
};

class OptionsProgram : public ::testing::TestWithParam<Route> {
protected:
  ScopedTempDir dir;
};

TEST_P(OptionsProgram, TheScreenShowsItsArtAndBackReturns) {
  ASSERT_TRUE(dir.ok());
  const Route& route = GetParam();
  const std::map<std::string, Colour> art = screen_colours::AtlasFills("options");
  ASSERT_TRUE(art.count("options_pan") && art.count("options_radiobutton_v"));
  const Colour arrow = screen_colours::PictureFill("options_arrow_r");

  const std::string journal = route.journal + "270 key back\n";
  program_run::Run r = program_run::RunHeadless(
      dir.path(), journal, std::string("--frames 300 --shot 260:options.png ") + route.args);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(program_run::ModePath(r.out), route.path) << r.out;

  Picture shot;
  ASSERT_TRUE(program_run::ReadPng(dir.path() + "/options.png", &shot));
  ASSERT_EQ(shot.width, 480);
  struct Probe {
    const char* what;
    Colour colour;
    int x, y, r;
    float least;
  };
  const Probe probes[] = {
      {"the panel", art.at("options_pan"), 375, 122, 15, 0.9f},
      {"sound on", art.at("options_radiobutton_v"), 90, 76, 10, 0.5f},
      {"tilt chosen", art.at("options_radiobutton_v"), 88, 156, 10, 0.5f},
      {"the page arrow", arrow, 455, 150, 7, 0.5f},
  };
  for (const Probe& p : probes)
    EXPECT_GE(options_art::Share(shot.rgba.data(), shot.width, p.colour, p.x, p.y, p.r), p.least) << p.what;
  program_run::KeepShotsOnFailure(dir.path(), "options");
}

// A tap on the splash shortens it: the menu comes at about frame 158, the level likewise.
INSTANTIATE_TEST_SUITE_P(
    Routes, OptionsProgram,
    ::testing::Values(Route{"FromTheMainMenu",
                            "",
                            program_run::Tap(2, 240, 160) + program_run::Tap(190, 109, 286),
                            {18, 0, 2, 0}},
                      Route{"FromThePausePanel",
                            "--level 1",
                            program_run::Tap(2, 240, 160) + program_run::Tap(190, 462, 18) +
                                program_run::Tap(225, 303, 286),
                            {18, 9, 2, 9}}),
    [](const ::testing::TestParamInfo<Route>& info) { return std::string(info.param.name); });

} // namespace
