// Every front-end screen that a player can reach by taps, reached so in one headless run of the
// real program on a 480x320 and on a 1024x600 display: each arrival is in the run's mode log, and
// each screenshot shows that screen's own art, found by the flat colour of its sample-pack picture,
// a colour the main menu does not show. The screens nothing switches to (hiscores 4, instructions
// 5, interLevel 7, mapMode 8, about 17) have no tap path; the editor is left to its own tests.
// Every screenshot of the walk is kept in the build's contact-sheet/<display>/, and all of them
// side by side in contact-sheet/<display>.png, to be looked at.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game_test_support.h"
#include "png_file_writer.h"
#include "program_run.h"
#include "screen_colours.h"

namespace {

using program_run::Picture;
using program_run::ReadPng;
using screen_colours::AtlasFill;
using screen_colours::Colour;
using screen_colours::CountNear;
using screen_colours::PictureFill;

struct Display {
  const char* name;
  int w, h;
  int logicalW; // the logical screen is 320 high and as wide as the display's shape makes it
};

// Where a tap lands, in the logical pixels of the 480 x 320 layout: from the left edge, from the
// centre (the layout centred on a wider screen) or from the right edge.
enum Anchor { kLeft, kCentre, kRight };
struct Tap {
  int x, y;
  Anchor anchor;
};

// One step of the walk: the taps (25 frames apart, or the back key) that lead from the screen
// before to the next, the mode they lead to (-1: the same), and the screenshot taken past the
// cross-fade with, for a screen of its own, the art it must show.
struct Step {
  std::vector<Tap> taps;
  int mode;
  const char* shot; // null for none
  Colour art;       // 0 for none checked
  bool back = false;
  int wait = 0; // frames before the shot
};

std::vector<Step> Walk() {
  return {
      {{{109, 286, kCentre}}, 2, "options", AtlasFill("options", "options_pan")},
      {{{394, 50, kCentre}}, 0, nullptr, 0},
      {{{42, 286, kCentre}}, -1, "menu-info", 0},
      {{{42, 226, kCentre}}, 3, "credits", PictureFill("panel_about")},
      {{{460, 20, kRight}}, 0, nullptr, 0},
      {{{42, 286, kCentre}, {42, 166, kCentre}}, 16, "help", PictureFill("help_tv")},
      {{{240, 160, kCentre}}, 0, nullptr, 0},
      {{{371, 286, kCentre}}, -1, "menu-extras", 0},
      {{{371, 226, kCentre}}, 15, "shop", PictureFill("shop_background")},
      {{{35, 295, kLeft}}, 0, nullptr, 0},
      {{{371, 286, kCentre}, {371, 166, kCentre}}, 12, "missions", PictureFill("ach_panel_closeover")},
      {{{35, 295, kLeft}}, 0, nullptr, 0},
      {{{371, 286, kCentre}, {371, 106, kCentre}}, 13, "secrets", PictureFill("secret_pan_close")},
      {{{35, 295, kLeft}}, 0, nullptr, 0},
      {{{371, 286, kCentre}, {371, 46, kCentre}},
       14,
       "mini-game",
       PictureFill("hidgame_background_gradient")},
      {{{450, 30, kRight}}, 0, nullptr, 0},
      {{{240, 264, kCentre}},
       1,
       "world-map",
       AtlasFill("global_map_background_png", "global_map_background")},
      {{{240, 160, kCentre}}, 11, "level-selection", AtlasFill("world", "map_button_level_closed")},
      {{}, -1, "level-selection-hint", 0, false, 150},
      {{{460, 15, kRight}}, -1, "character-picker", 0},
      {{{31, 296, kLeft}}, 1, nullptr, 0},
      {{{31, 296, kLeft}}, 0, nullptr, 0},
      {{}, -1, "quit-question", 0, true},
      {{{190, 195, kCentre}}, -1, nullptr, 0},
  };
}

// The shots side by side, four to a row, the wide ones at half size.
void WriteContactSheet(const std::vector<Picture>& shots, const std::string& path) {
  if (shots.empty()) return;
  const int k = shots[0].width > 600 ? 2 : 1, gap = 8, columns = 4;
  const int cw = shots[0].width / k, ch = shots[0].height / k;
  const int rows = ((int)shots.size() + columns - 1) / columns;
  const int w = columns * (cw + gap) + gap, h = rows * (ch + gap) + gap;
  PngRows out(h, std::vector<png_byte>((size_t)w * 4, 0));
  for (auto& row : out)
    for (int x = 0; x < w; ++x)
      row[x * 4] = row[x * 4 + 1] = row[x * 4 + 2] = 48, row[x * 4 + 3] = 255;
  for (size_t i = 0; i < shots.size(); ++i) {
    const int ox = gap + (int)(i % columns) * (cw + gap), oy = gap + (int)(i / columns) * (ch + gap);
    for (int y = 0; y < ch && (y + 1) * k <= shots[i].height; ++y)
      for (int x = 0; x < cw && (x + 1) * k <= shots[i].width; ++x)
        for (int c = 0; c < 3; ++c) {
          int sum = 0;
          for (int dy = 0; dy < k; ++dy)
            for (int dx = 0; dx < k; ++dx)
              sum += shots[i].At(x * k + dx, y * k + dy)[c];
          out[oy + y][(size_t)(ox + x) * 4 + c] = (png_byte)(sum / (k * k));
        }
  }
  WritePngFile(path, w, h, 8, PNG_COLOR_TYPE_RGBA, false, out);
}

class Reach : public ::testing::TestWithParam<Display> {};

TEST_P(Reach, EveryFrontEndScreenWithATapPathIsReachedByTapsAndShowsItsArt) {
  const Display& display = GetParam();
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  const double scale = (double)display.h / 320;
  const int centre = (display.logicalW - 480) / 2;
  auto tap = [&](int frame, const Tap& t) {
    const int x = t.anchor == kLeft     ? t.x
                  : t.anchor == kCentre ? t.x + centre
                                        : display.logicalW - (480 - t.x);
    return program_run::Tap(frame, (int)(x * scale), (int)(t.y * scale));
  };
  const std::vector<Step> steps = Walk();
  const int kGap = 25, kSettle = 40;
  std::string journal = tap(2, {240, 160, kCentre}); // the splash cut short: the menu at 158
  std::string args = "--shot 200:00-menu.png";
  std::vector<std::string> shots = {"00-menu"};
  std::vector<int> path = {18, 0};
  int frame = 220;
  for (size_t i = 0; i < steps.size(); ++i) {
    const Step& s = steps[i];
    if (s.back) journal += std::to_string(frame) + " key back\n";
    for (const Tap& t : s.taps) {
      journal += tap(frame, t);
      frame += kGap;
    }
    frame += kSettle - kGap + s.wait;
    if (s.shot) {
      const std::string name = (i + 1 < 10 ? "0" : "") + std::to_string(i + 1) + "-" + s.shot;
      args += " --shot " + std::to_string(frame) + ":" + name + ".png";
      shots.push_back(name);
    }
    frame += 10;
    if (s.mode >= 0) path.push_back(s.mode);
  }
  args += " --frames " + std::to_string(frame);
  const std::string size = std::to_string(display.w) + "x" + std::to_string(display.h);
  program_run::Run run = program_run::RunHeadless(dir.path(), journal, args, size);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(program_run::ModePath(run.out), path) << run.out;

  // The contact sheet, kept whatever the outcome.
  const std::filesystem::path keep = std::filesystem::path(SPROCKLET_BINARY_DIR) / "contact-sheet" / size;
  std::error_code ec;
  std::filesystem::remove_all(keep, ec);
  std::filesystem::create_directories(keep, ec);
  std::vector<Picture> pictures;
  for (const std::string& name : shots) {
    Picture p;
    ASSERT_TRUE(ReadPng(dir.path() + "/" + name + ".png", &p)) << name;
    ASSERT_EQ(p.width, display.w) << name;
    std::filesystem::copy_file(dir.path() + "/" + name + ".png", keep / (name + ".png"),
                               std::filesystem::copy_options::overwrite_existing, ec);
    pictures.push_back(p);
  }
  WriteContactSheet(pictures, keep.string() + ".png");

  const Picture& menu = pictures[0];
  const double area = scale * scale;
  EXPECT_GT(CountNear(menu, PictureFill("menu_yellow_pod")), 440 * 18 / 2 * area) << "the main menu's bar";
  size_t shot = 1;
  for (const Step& s : steps) {
    if (!s.shot) continue;
    const Picture& p = pictures[shot++];
    if (!s.art) continue;
    SCOPED_TRACE(s.shot);
    EXPECT_GT(CountNear(p, s.art), 1500 * area)
        << std::hex << s.art << "; the shots are in " << keep.string();
    EXPECT_LT(CountNear(menu, s.art), 100 * area) << "a colour of this screen, not of the menu";
  }
}

INSTANTIATE_TEST_SUITE_P(Displays, Reach,
                         ::testing::Values(Display{"480x320", 480, 320, 480},
                                           Display{"1024x600", 1024, 600, 546}),
                         [](const ::testing::TestParamInfo<Display>& info) {
                           return "d" + std::string(info.param.name);
                         });

} // namespace
