// The catalogue's art and fonts in the running program: scripts/run.sh's headless demo, and one
// level of each world set started headless from the sample pack. Each screenshot must show the flat colours
// of the sprites the catalogue names, found in the atlas pages the pack was made of. A failing test keeps its
// screenshots in the build's catalogue-shots/.
#include <sys/wait.h>

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue_data.h"
#include "game_test_support.h"
#include "program_run.h"
#include "screen_colours.h"
#include "startup_pack.h"

namespace fs = std::filesystem;

namespace {

using program_run::Picture;
using program_run::ReadPng;
using program_run::Slurp;
using screen_colours::Colour;
using screen_colours::CountNear;
using screen_colours::kImages;
using screen_colours::Near;

const int kW = 480, kH = 320;

// Which entry of the atlas has this fill colour; empty when none.
std::string EntryOfColour(const std::map<std::string, Colour>& entries, Colour colour) {
  for (const auto& e : entries)
    if (Near(e.second, colour)) return e.first;
  return "";
}

// The hero, found by its fill colour, and the colours of the ground right under its feet that
// cover at least minimum pixels, the most frequent first. False when the hero does not show.
bool GroundUnderHero(const Picture& p, Colour hero, int minimum, std::vector<Colour>* ground) {
  std::vector<int> xs;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (Near(p.Colour(x, y), hero)) xs.push_back(x);
  if (xs.size() < 15) return false;
  std::nth_element(xs.begin(), xs.begin() + xs.size() / 2, xs.end());
  const int cx = xs[xs.size() / 2];
  int feet = -1;
  for (int y = 0; y < p.height; ++y)
    for (int x = std::max(0, cx - 20); x < std::min(p.width, cx + 20); ++x)
      if (Near(p.Colour(x, y), hero)) feet = y;
  std::map<Colour, int> counts;
  for (int y = feet + 1; y < std::min(p.height, feet + 26); ++y)
    for (int x = std::max(0, cx - 40); x < std::min(p.width, cx + 40); ++x)
      ++counts[p.Colour(x, y)];
  std::vector<std::pair<int, Colour>> byCount;
  for (const auto& c : counts)
    if (c.second >= minimum) byCount.push_back({c.second, c.first});
  std::sort(byCount.rbegin(), byCount.rend());
  ground->clear();
  for (const auto& c : byCount)
    ground->push_back(c.second);
  return true;
}

// The first sprite of the atlas whose fill is one of the colours, or empty.
std::string SpriteAmong(const std::map<std::string, Colour>& entries, const std::vector<Colour>& colours) {
  for (Colour c : colours) {
    std::string entry = EntryOfColour(entries, c);
    if (!entry.empty()) return entry;
  }
  return "";
}

std::string Hex(const std::vector<Colour>& colours) {
  std::ostringstream s;
  for (Colour c : colours)
    s << std::hex << c << " ";
  return s.str();
}

void Keep(const std::string& shot, const std::string& as) {
  std::string dir = std::string(SPROCKLET_BINARY_DIR) + "/catalogue-shots";
  std::error_code ec;
  fs::create_directories(dir, ec);
  fs::copy_file(shot, dir + "/" + as + ".png", fs::copy_options::overwrite_existing, ec);
  ADD_FAILURE() << "screenshot kept: " << dir << "/" << as << ".png";
}

// What a headless run leaves: its exit, its output and its screenshot.
struct RunResult {
  bool exited = false;
  std::string out, err;
  Picture shot;
  bool shotRead = false;
};

RunResult RunCommand(const std::string& command, const std::string& dir, const std::string& shot) {
  RunResult r;
  int status = system((command + " >'" + dir + "/out.txt' 2>'" + dir + "/err.txt'").c_str());
  r.exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  r.out = Slurp(dir + "/out.txt");
  r.err = Slurp(dir + "/err.txt");
  r.shotRead = ReadPng(shot, &r.shot);
  return r;
}

// The leak check belongs to the unit tests; the GL driver's exit is no concern of these runs.
const char* kNoLeakCheck = "ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" ";

TEST(ProgramScreens, TheRunScriptsHeadlessDemoShowsTheLevelTheHeroTheHudSpritesAndTheClocksText) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  const std::string script =
      (fs::path(__FILE__).parent_path() / "../../../scripts/run.sh").lexically_normal();
  ASSERT_TRUE(fs::exists(script)) << script;
  // As on a machine without a display; the build is this test's own, so setting up is skipped.
  std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + kNoLeakCheck +
                        "SPROCKLET_SKIP_SETUP=1 SPROCKLET_BUILD_DIR='" + SPROCKLET_BINARY_DIR + "' TMPDIR='" +
                        dir.path() + "' XDG_DATA_HOME='" + dir.path() + "/xdg' '" + script + "' --shot 40:'" +
                        dir.path() + "/frame40.png'";
  const std::string shot = dir.path() + "/sprocklet-run/frame100.png";
  RunResult run = RunCommand(command, dir.path(), shot);
  ASSERT_TRUE(run.exited) << run.out << run.err;
  EXPECT_NE(run.out.find("its screenshot is " + shot), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("sprocklet: level 1 started"), std::string::npos) << run.out;
  EXPECT_TRUE(fs::is_directory(dir.path() + "/xdg/sprocklet")) << "the runtime root is the user's";
  ASSERT_TRUE(run.shotRead) << shot;
  ASSERT_EQ(run.shot.width, kW);
  ASSERT_EQ(run.shot.height, kH);

  // The pause button of the start-up sprites, in the top right corner.
  std::map<std::string, Colour> common = screen_colours::AtlasFills("allcommon");
  ASSERT_TRUE(common.count("gui_pause_pas"));
  int pause = CountNear(run.shot, common["gui_pause_pas"], kW - 60, 0, kW, 60);
  EXPECT_GT(pause, 400) << "the pause button's fill";
  // The clock's pod in the top left, and on it the time in the clock's game font: pixels of the
  // font's glyph colour there that change from frame 40 to frame 100 as the time runs.
  ASSERT_TRUE(common.count("gui_time_pod"));
  const Colour pod = common["gui_time_pod"];
  int x0 = kW, y0 = kH, x1 = 0, y1 = 0, podPixels = 0;
  for (int y = 0; y < kH / 2; ++y)
    for (int x = 0; x < kW / 2; ++x)
      if (Near(run.shot.Colour(x, y), pod)) {
        ++podPixels;
        x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1), y1 = std::max(y1, y + 1);
      }
  EXPECT_GT(podPixels, 400) << "the clock's pod";
  Picture glyphs;
  ASSERT_TRUE(ReadPng(kImages + "/font_time.png", &glyphs));
  const Colour ink = screen_colours::Fill(glyphs);
  Picture earlier;
  ASSERT_TRUE(ReadPng(dir.path() + "/frame40.png", &earlier));
  int inked = 0, changed = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      bool now = Near(run.shot.Colour(x, y), ink), before = Near(earlier.Colour(x, y), ink);
      inked += now ? 1 : 0;
      changed += now != before ? 1 : 0;
    }
  EXPECT_GT(inked, 200) << "the clock's digits in " << std::hex << ink; // the pod's own label has about 90
  EXPECT_GT(changed, 30) << "the time moves on";
  // The hero, standing on a floor in the colour of a first-world sprite.
  std::map<std::string, Colour> hero = screen_colours::AtlasFills("character_lowres");
  std::vector<Colour> ground;
  ASSERT_TRUE(GroundUnderHero(run.shot, hero["hero_breath_01"], 150, &ground)) << "the hero shows";
  EXPECT_NE(SpriteAmong(screen_colours::AtlasFills("doodle_world"), ground), "") << Hex(ground);
  if (HasFailure()) Keep(shot, "run_script_demo");
}

TEST(ProgramScreens, OneLevelOfEachWorldShowsItsWorldsArt) {
  const int firstCasual[5] = {41, 1, 51, 101, 150};
  const Colour heroColour = screen_colours::AtlasFills("character_lowres")["hero_breath_01"];
  // The first level of each world set; the last is a bonus world's.
  for (int level : {1, 51, 101, 41, 0, 151}) {
    const int set = catalogue::SpriteSetForLevel(level, firstCasual);
    const catalogue::Set* rows = catalogue::WorldSet(set);
    ASSERT_NE(rows, nullptr) << level;
    SCOPED_TRACE("level " + std::to_string(level) + ", set " + std::to_string(set) + " (" + rows->atlas +
                 ")");
    ScopedTempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string shot = dir.path() + "/shot.png";
    std::string command = std::string(kNoLeakCheck) + "'" + SPROCKLET_PROGRAM +
                          "' --headless --display 480x320 --level " + std::to_string(level) +
                          " --character 0 --frames 101 --shot 100:'" + shot + "' --root '" + dir.path() +
                          "/root' --data '" + SPROCKLET_DATA_DIR + "'";
    RunResult run = RunCommand(command, dir.path(), shot);
    ASSERT_TRUE(run.exited) << run.err;
    EXPECT_NE(run.out.find("sprocklet: level " + std::to_string(level) + " started"), std::string::npos)
        << run.out;
    ASSERT_TRUE(run.shotRead);
    ASSERT_EQ(run.shot.width, kW);

    // The hero stands on ground in the colour of one of its own world's sprites; an entry of
    // another set would be null there and draw nothing.
    std::vector<Colour> ground;
    ASSERT_TRUE(GroundUnderHero(run.shot, heroColour, 150, &ground)) << "the hero shows";
    EXPECT_NE(SpriteAmong(screen_colours::AtlasFills(rows->atlas), ground), "")
        << "no sprite of " << rows->atlas << " has one of the colours " << Hex(ground);
    if (HasFailure()) {
      Keep(shot, "level_" + std::to_string(level));
      return;
    }
  }
}

} // namespace
