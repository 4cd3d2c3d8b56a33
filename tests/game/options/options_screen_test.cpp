// The options screen through the real application object on a headless GL screen with the sample
// pack: swipes and sliders, the zoom steps, the switches and what a save writes of them, the music
// it asks for from the menu and from the pause panel, the back ways out, the developer corner, and
// its art read back from the screen over the menu and over the pause panel.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "atlas.h"
#include "buttons.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "help_dialogs.h"
#include "level_data.h"
#include "main_menu.h"
#include "options_art.h"
#include "options_screen.h"
#include "pause_panel.h"
#include "png_file_writer.h"
#include "program_run.h"
#include "progress_files.h"
#include "running_game.h"
#include "sound_log.h"
#include "sound_table.h"
#include "surface.h"
#include "texture2d.h"
#include "the_game.h"

namespace {

using options_art::Colour;
using options_art::OptionsAtlasColours;
using program_run::Picture;
using program_run::ReadPng;
using program_run::Slurp;

// The option globals as a run starts; every test leaves them so.
struct Settings {
  int muteSound = 0, muteMusic = 0, control = 1;
  float sensitivity = 2000.0f, zoom = 0.8f;
  u8 ghost = 1;
  int finalRelease = 1;
  void Apply() const {
    g_muteSound = muteSound;
    g_muteMusic = muteMusic;
    g_accelerometerControl = control;
    g_accelerometerSensitivity = sensitivity;
    g_iphoneCustomZoom = zoom;
    g_ghostMode = ghost;
    g_finalRelease = finalRelease;
  }
};

class OptionsScreen : public RunningGameTest {
protected:
  void SetUp() override {
    StartInTheMenu();
    if (!Running()) return;
    Settings().Apply();
    Cycles(10); // past the menu's input delay
  }
  void TearDown() override {
    if (sounds) {
      // Its handles mean nothing to the game's own sound system.
      SwitchSoundtrack(10, true, false);
      sounds.reset();
    }
    g_paused = false;
    Settings().Apply();
    StopGame();
  }
  // A finger dragged in ten steps, a frame between each, and held still for the frames before it
  // is lifted.
  void Drag(int x0, int y0, int x1, int y1, int hold = 0) {
    Down(x0, y0);
    for (int i = 1; i <= 10; ++i) {
      Move(x0 + (x1 - x0) * i / 10, y0 + (y1 - y0) * i / 10);
      Cycles(1);
    }
    Cycles(hold);
    Up(x1, y1);
  }
  // The sound system logs from here on, with the menu's theme loaded in it.
  void Listen() {
    sounds.reset(new SoundLog(*game));
    SwitchSoundtrack(0, true, false);
    sounds->system.music.clear();
  }
  // Plays of the switches' click.
  int Clicks() {
    int n = 0;
    for (const auto& p : sounds->Played())
      n += p == std::make_pair(47, 0) ? 1 : 0;
    return n;
  }
  options* Options() { return static_cast<options*>(GameModes[2]); }
  // The menu's options button; the panel has grown in after the frames.
  void OpenFromMenu() {
    Cycles(10); // past the menu's input delay
    Tap(Buttons[51].x, Buttons[51].y);
    ASSERT_EQ(g_currentMode, 2);
    Cycles(60);
    ASSERT_EQ(Options()->appear, 1.0f);
    ASSERT_NEAR(Options()->pageOffset, 0, 0.5f);
  }
  // Level 1 played, then paused.
  void Pause() {
    g_levelSelected = 1;
    SwitchMode(9);
    Cycles(5);
    Tap(MAXX - 18, 18);
    ASSERT_TRUE(g_paused);
    Cycles(30);
    ASSERT_EQ(Buttons[PAUSE_SLOT_OPTIONS].active, 1);
  }
  void OpenFromPause() {
    Pause();
    Tap(Buttons[PAUSE_SLOT_OPTIONS].x, Buttons[PAUSE_SLOT_OPTIONS].y);
    ASSERT_EQ(g_currentMode, 2);
    Cycles(60);
  }
  // Swiped to page 2 and settled there.
  void ToPage2() {
    Drag(400, 230, 100, 230);
    Cycles(120);
    ASSERT_NEAR(Options()->pageOffset, -MAXX, 0.5f);
  }
  int Ox() { return (int)Options()->pageOffset + (g_ratio_is_more_1_5 ? (MAXX - 480) / 2 : 0); }
  int Oy() { return (MAXY - 320) / 2; }

  std::unique_ptr<SoundLog> sounds;
};

TEST_F(OptionsScreen, ASwipeTurnsThePageAndItSnapsBackFromAShortOne) {
  OpenFromMenu();
  // Dragged less than half a page and held: back to page 1.
  Drag(300, 230, 100, 230, 60);
  EXPECT_NEAR(Options()->pageOffset, -200, 1);
  Cycles(120);
  EXPECT_NEAR(Options()->pageOffset, 0, 0.5f);
  // Dragged more than half and held: page 2.
  Drag(400, 230, 140, 230, 60);
  Cycles(120);
  EXPECT_NEAR(Options()->pageOffset, -MAXX, 0.5f);
  // A quick flick of a short way turns the page too.
  Drag(200, 230, 280, 230);
  Cycles(120);
  EXPECT_NEAR(Options()->pageOffset, 0, 0.5f);
}

TEST_F(OptionsScreen, ASwipeStartingOnASliderMovesTheSliderAndNotThePages) {
  OpenFromMenu();
  ToPage2();
  const float page = Options()->pageOffset;
  // The sensitivity slider: the knob follows the finger, the pages stay.
  Drag(150, 100, 300, 100);
  EXPECT_EQ(g_accelerometerSensitivity, (300 - 74) * 9 + 1000);
  EXPECT_EQ(Options()->pageOffset, page);
  // The zoom slider likewise.
  Drag(300, 160, 120, 160);
  EXPECT_EQ(Options()->pageOffset, page);
  EXPECT_NEAR(g_iphoneCustomZoom, 0.6f, 1e-6);
  EXPECT_EQ(Options()->sensitivityGrabbed, 0) << "released with the finger";
  EXPECT_EQ(Options()->zoomGrabbed, 0);
  // A swipe from below the sliders that crosses them turns the page and leaves them.
  const float sensitivity = g_accelerometerSensitivity;
  Drag(150, 240, 400, 100);
  EXPECT_EQ(g_accelerometerSensitivity, sensitivity);
  EXPECT_NEAR(g_iphoneCustomZoom, 0.6f, 1e-6);
  EXPECT_GT(Options()->pageOffset, page + 100);
}

TEST_F(OptionsScreen, TheSlidersCannotBeGrabbedFromPage1) {
  OpenFromMenu();
  // Where page 2's sliders lie on page 1: the pages follow the finger instead.
  Drag(400, 100, 200, 100);
  EXPECT_EQ(g_accelerometerSensitivity, 2000.0f);
  EXPECT_EQ(g_iphoneCustomZoom, 0.8f);
}

TEST_F(OptionsScreen, TheBoxesHoldTheirLeftAndTopEdgesButNotTheirRightAndBottom) {
  OpenFromMenu();
  const int ox = Ox(), oy = Oy();
  struct Edge {
    int dx, dy;
    bool flips;
  };
  // The sound switch's 70 x 70 box around (ox + 90, oy + 76).
  const Edge edges[] = {{-35, 0, true}, {0, -35, true}, {34, 34, true}, {35, 0, false}, {0, 35, false}};
  for (const Edge& e : edges) {
    const int before = g_muteSound;
    Tap(ox + 90 + e.dx, oy + 76 + e.dy);
    EXPECT_EQ(g_muteSound != before, e.flips) << e.dx << ", " << e.dy;
  }
  // On page 2 lying exactly in place the sensitivity slider ends just before x 402: just under
  // 3952.
  ToPage2();
  Options()->pageOffset = (float)-MAXX;
  Down(100, 100);
  Move(401, 100);
  EXPECT_EQ(g_accelerometerSensitivity, (401 - 74) * 9 + 1000);
  Move(402, 100);
  EXPECT_EQ(g_accelerometerSensitivity, (401 - 74) * 9 + 1000) << "past the slider's end";
  Up(402, 100);
  // The zoom slider's box ends above y 181.
  Down(200, 180);
  Move(300, 180);
  EXPECT_EQ(g_iphoneCustomZoom, 1.0f);
  Move(120, 181);
  EXPECT_EQ(g_iphoneCustomZoom, 1.0f) << "below the slider's box";
  Up(120, 181);
  Down(300, 181);
  Move(120, 170);
  EXPECT_EQ(g_iphoneCustomZoom, 1.0f) << "not grabbed from below its box";
  Up(120, 170);
}

TEST_F(OptionsScreen, TheZoomTakesOnlyStepsOf005From050To100) {
  OpenFromMenu();
  ToPage2();
  struct Case {
    int x;
    float zoom;
  };
  // x - 74 over 450 plus 0.5, down to its step, at most 1.0.
  const Case cases[] = {{75, 0.50f},  {96, 0.50f},  {97, 0.55f},  {119, 0.60f},
                        {141, 0.60f}, {300, 1.00f}, {298, 0.95f}, {401, 1.00f}};
  for (const Case& c : cases) {
    Down(90, 160);
    Move(c.x, 160);
    Up(c.x, 160);
    EXPECT_NEAR(g_iphoneCustomZoom, c.zoom, 1e-6) << "x " << c.x;
  }
  // Every place along the slider gives one of the eleven steps (the settled page lies a fraction
  // of a pixel off, so the ends are left out).
  Down(75, 160);
  for (int x = 75; x <= 401; ++x) {
    Move(x, 160);
    const float steps = (g_iphoneCustomZoom - 0.5f) / 0.05f;
    ASSERT_NEAR(steps, std::round(steps), 1e-4) << "x " << x << ": " << g_iphoneCustomZoom;
    ASSERT_GE(g_iphoneCustomZoom, 0.5f);
    ASSERT_LE(g_iphoneCustomZoom, 1.0f);
  }
  Up(401, 160);
}

TEST_F(OptionsScreen, ASensitivityBelow1000IsRaisedOnTheFirstFrame) {
  g_accelerometerSensitivity = 500.0f;
  SwitchMode(2);
  EXPECT_EQ(g_accelerometerSensitivity, 500.0f) << "not on entry";
  Cycles(1);
  EXPECT_EQ(g_accelerometerSensitivity, 1000.0f);
  g_accelerometerSensitivity = 1000.5f;
  Cycles(1);
  EXPECT_EQ(g_accelerometerSensitivity, 1000.5f);
}

TEST_F(OptionsScreen, TheSwitchesChangeTheGlobalsAndASaveWritesThem) {
  OpenFromMenu();
  const int ox = Ox(), oy = Oy();
  Tap(ox + 90, oy + 76);  // sound off
  Tap(ox + 252, oy + 76); // music off
  Tap(ox + 88, oy + 196); // arrow buttons
  EXPECT_EQ(g_muteSound, 1);
  EXPECT_EQ(g_muteMusic, 1);
  EXPECT_EQ(g_accelerometerControl, 10);
  Tap(ox + 88, oy + 248);
  EXPECT_EQ(g_accelerometerControl, 0);
  ToPage2();
  Tap(MAXX + Ox() + 94, oy + 202); // ghost off
  EXPECT_EQ(g_ghostMode, 0);
  Drag(100, 100, 200, 100);
  Drag(100, 160, 320, 160);
  const float zoom = g_iphoneCustomZoom;
  EXPECT_EQ(zoom, 1.0f);
  EXPECT_EQ(g_accelerometerSensitivity, (200 - 74) * 9 + 1000);

  ASSERT_TRUE(std::filesystem::exists("data")) << "the save directory";
  std::filesystem::remove("data/options.cfg");
  SaveAllData();
  const std::string file = Slurp("data/options.cfg");
  ASSERT_EQ(file.size(), (size_t)OPTIONS_FILE_SIZE);
  s32 words[OPTIONS_WORDS];
  memcpy(words, file.data(), sizeof words);
  float sensitivity, savedZoom;
  memcpy(&sensitivity, &words[3], 4);
  memcpy(&savedZoom, &words[4], 4);
  EXPECT_EQ(words[0], 1) << "sound muted";
  EXPECT_EQ(words[1], 1) << "music muted";
  EXPECT_EQ(words[2], 0) << "the virtual joystick";
  EXPECT_EQ(sensitivity, (200 - 74) * 9 + 1000);
  EXPECT_EQ(savedZoom, zoom);
  EXPECT_EQ(words[5], 0) << "no ghost";
  // And a start reads them back.
  Settings().Apply();
  ASSERT_EQ(LoadOptions(), 1);
  EXPECT_EQ(g_muteSound, 1);
  EXPECT_EQ(g_muteMusic, 1);
  EXPECT_EQ(g_accelerometerControl, 0);
  EXPECT_EQ(g_accelerometerSensitivity, (200 - 74) * 9 + 1000);
  EXPECT_EQ(g_iphoneCustomZoom, zoom);
  EXPECT_EQ(g_ghostMode, 0);
}

TEST_F(OptionsScreen, EachSwitchClicksAndTheRadioRowsChooseOneScheme) {
  OpenFromMenu();
  Listen();
  const int ox = Ox(), oy = Oy();
  struct Row {
    int y, scheme;
  };
  for (const Row& r : {Row{146, 1}, Row{196, 10}, Row{248, 0}, Row{146, 1}}) {
    sounds->Age();
    const int before = Clicks();
    Tap(ox + 88, oy + r.y);
    EXPECT_EQ(g_accelerometerControl, r.scheme) << r.y;
    EXPECT_EQ(Clicks(), before + 1) << r.y;
  }
  // A tap between the rows changes nothing and is silent.
  sounds->Age();
  const int before = Clicks();
  Tap(ox + 88, oy + 290);
  Tap(ox + 170, oy + 176);
  EXPECT_EQ(g_accelerometerControl, 1);
  EXPECT_EQ(Clicks(), before);
}

TEST_F(OptionsScreen, TheMusicSwitchForcesSilenceOrTheThemeFromItsStart) {
  OpenFromMenu();
  Listen();
  ASSERT_EQ(GetCurrentTrackID(), 0) << "the menu's theme";
  const int handle = g_prev_music_stream;
  ASSERT_GE(handle, 0);
  Tap(Ox() + 252, Oy() + 76);
  ASSERT_EQ(g_muteMusic, 1);
  const std::vector<std::string> stopped = {"stop " + std::to_string(handle),
                                            "unload " + std::to_string(handle)};
  EXPECT_EQ(sounds->system.music, stopped) << "silence: nothing loaded";
  EXPECT_EQ(g_prev_music_stream, -1);
  sounds->system.music.clear();
  Tap(Ox() + 252, Oy() + 76);
  ASSERT_EQ(g_muteMusic, 0);
  // The theme was the current track all along; forced, it loads and plays again.
  ASSERT_EQ(sounds->system.music.size(), 2u);
  EXPECT_EQ(sounds->system.music[0].rfind("load ", 0), 0u);
  EXPECT_NE(sounds->system.music[0].find("sprocklet_theme.ogg"), std::string::npos)
      << sounds->system.music[0];
  EXPECT_EQ(sounds->system.music[1], "play " + std::to_string(g_prev_music_stream));
  EXPECT_EQ(GetCurrentTrackID(), 0);
}

TEST_F(OptionsScreen, FromTheMenuTheThemeIsKeptWhenItPlaysAndStartedWhenNot) {
  Listen();
  OpenFromMenu();
  EXPECT_TRUE(sounds->system.music.empty()) << "the theme went on";
  EXPECT_GE(GetCurrentTrackPlayingTime(), 10000.0f) << "counted as long played";
  Tap(Buttons[OPTIONS_SLOT_BACK].x, Buttons[OPTIONS_SLOT_BACK].y);
  ASSERT_EQ(g_currentMode, 0);
  // Another track, then options from the menu: the theme.
  SwitchSoundtrack(3, true, false);
  sounds->system.music.clear();
  OpenFromMenu();
  EXPECT_EQ(GetCurrentTrackID(), 0);
  ASSERT_FALSE(sounds->system.music.empty());
  EXPECT_NE(sounds->system.music.back().find("play "), std::string::npos);
}

TEST_F(OptionsScreen, FromThePausePanelTheLevelsMusicPlaysOnAndStaysWhenPlayResumes) {
  Listen();
  Pause();
  ASSERT_EQ(GetCurrentTrackID(), 1) << "a gameplay track";
  const std::vector<std::string> level = sounds->system.music;
  ASSERT_FALSE(level.empty());
  const int stream = g_prev_music_stream;
  Tap(Buttons[PAUSE_SLOT_OPTIONS].x, Buttons[PAUSE_SLOT_OPTIONS].y);
  ASSERT_EQ(g_currentMode, 2);
  EXPECT_EQ(g_previousMode, 9);
  Cycles(20);
  EXPECT_EQ(sounds->system.music, level);
  // The pause panel's buttons stay under the screen but no longer react.
  EXPECT_EQ(Buttons[PAUSE_SLOT_RESUME].active, 1);
  Tap(Buttons[PAUSE_SLOT_RESUME].x, Buttons[PAUSE_SLOT_RESUME].y);
  EXPECT_EQ(g_currentMode, 2);
  // The back key returns to play, and the same music goes on.
  EXPECT_EQ(game->m_pGameplayWindow->NotifyKeyEvent(6, 0), 1);
  ASSERT_EQ(g_currentMode, 9);
  Cycles(10);
  EXPECT_EQ(sounds->system.music, level);
  EXPECT_EQ(GetCurrentTrackID(), 1);
  EXPECT_EQ(g_prev_music_stream, stream);
  EXPECT_FALSE(g_paused);
}

TEST_F(OptionsScreen, TheBackButtonAndTheBackKeyReturnAndLeavingFreesTheArrowAndTheButton) {
  OpenFromMenu();
  ASSERT_NE(opt_arrow, nullptr);
  EXPECT_NE(opt_arrow->texture, nullptr) << "the arrow's picture";
  const button& back = Buttons[OPTIONS_SLOT_BACK];
  ASSERT_EQ(back.active, 1);
  EXPECT_EQ(back.x, 394);
  EXPECT_EQ(back.y, 50);
  EXPECT_EQ(Buttons[51].disabled, 1) << "the menu's buttons stay and no longer react";
  Tap(Buttons[51].x, Buttons[51].y);
  EXPECT_EQ(g_currentMode, 2);
  Tap(back.x, back.y);
  EXPECT_EQ(g_currentMode, 0);
  EXPECT_EQ(opt_arrow, nullptr);
  EXPECT_EQ(Buttons[OPTIONS_SLOT_BACK].active, 0);
  // Leaving fades the panel out over the menu without a fault.
  Cycles(20);
  EXPECT_EQ(Options()->appear, 0.0f);
  OpenFromMenu();
  game->m_pGameplayWindow->NotifyKeyEvent(6, 1);
  EXPECT_EQ(g_currentMode, 2) << "back acts when released";
  game->m_pGameplayWindow->NotifyKeyEvent(6, 0);
  EXPECT_EQ(g_currentMode, 0);
}

TEST_F(OptionsScreen, EnteringAgainStartsOnPage1SlidingIn) {
  OpenFromMenu();
  ToPage2();
  game->m_pGameplayWindow->NotifyKeyEvent(6, 0);
  Cycles(30);
  Tap(Buttons[51].x, Buttons[51].y);
  ASSERT_EQ(g_currentMode, 2);
  Cycles(1);
  EXPECT_GT(Options()->appear, 0.0f);
  EXPECT_LT(Options()->appear, 1.0f);
  EXPECT_LT(Options()->pageOffset, -300) << "sliding in from the left";
  Cycles(60);
  EXPECT_NEAR(Options()->pageOffset, 0, 0.5f);
}

TEST_F(OptionsScreen, ACornerTapPastTheCountTogglesTheDeveloperSwitch) {
  OpenFromMenu();
  const int start = g_optionsCornerTaps;
  g_finalRelease = 1;
  int taps = start;
  while (taps < OPTIONS_CORNER_TAPS_BEFORE_TOGGLE) {
    Tap(MAXX - 10, 10);
    ++taps;
    EXPECT_EQ(g_finalRelease, 1) << taps;
  }
  EXPECT_EQ(g_optionsCornerTaps, taps);
  for (int i = 0; i < 4; ++i) {
    Tap(MAXX - 10, 10);
    ++taps;
    EXPECT_EQ(g_finalRelease, taps % 2) << taps;
  }
  // Outside the corner nothing counts.
  Tap(MAXX - 40, 10);
  Tap(MAXX - 10, 40);
  EXPECT_EQ(g_optionsCornerTaps, taps);
}

// The leftmost dark pixel of page 2's sensitivity title (black text on the panel), -1 for none.
int TitleLeftEdge(const std::vector<uint8_t>& shot, int width) {
  for (int x = 70; x < 224; ++x)
    for (int y = 60; y < 75; ++y) {
      const uint8_t* c = &shot[((size_t)y * width + x) * 4];
      if (c[0] + c[1] + c[2] < 120) return x;
    }
  return -1;
}

TEST_F(OptionsScreen, Page2NamesTheSensitivityOfTheChosenScheme) {
  OpenFromMenu();
  ToPage2();
  int edge[3];
  const int schemes[3] = {1, 0, 10};
  for (int i = 0; i < 3; ++i) {
    g_accelerometerControl = schemes[i];
    Cycles(1);
    GLES_FlushBuffer();
    edge[i] = TitleLeftEdge(gl.ReadRGBA(), gl.Width());
  }
  ASSERT_GT(edge[0], 70) << "\"Accel. Sensitivity\" shows";
  // "Joystick Sensitivity" is the longer line, centred at the same place.
  EXPECT_LT(edge[1], edge[0] - 5);
  EXPECT_EQ(edge[2], edge[1]);
}

struct ShotCase {
  const char* name;
  int w, h;
  bool fromPause;
};

class OptionsScreenShot : public OptionsScreen, public ::testing::WithParamInterface<ShotCase> {
protected:
  int Width() const override { return GetParam().w; }
  int Height() const override { return GetParam().h; }
  float Share(Colour colour, int x, int y, int r) {
    return options_art::Share(shot.data(), gl.Width(), colour, x, y, r);
  }
  void Keep() {
    PngRows rows(gl.Height());
    for (int y = 0; y < gl.Height(); ++y)
      rows[y].assign(shot.begin() + (size_t)y * gl.Width() * 4,
                     shot.begin() + (size_t)(y + 1) * gl.Width() * 4);
    const std::string keep = std::string(SPROCKLET_BINARY_DIR) + "/options-shots";
    std::filesystem::create_directories(keep);
    WritePngFile(keep + "/" + GetParam().name + ".png", gl.Width(), gl.Height(), 8, PNG_COLOR_TYPE_RGBA,
                 false, rows);
    ADD_FAILURE() << "screenshot kept in " << keep;
  }
  std::vector<uint8_t> shot;
};

TEST_P(OptionsScreenShot, ThePanelItsSwitchesAndTheArrowShow) {
  const std::map<std::string, Colour> art = OptionsAtlasColours();
  for (const char* name :
       {"options_pan", "options_radiobutton", "options_radiobutton_v", "options_radiobutton_x"})
    ASSERT_TRUE(art.count(name)) << name;
  Picture arrowArt;
  ASSERT_TRUE(ReadPng(options_art::kImages + "/2x_options_arrow_r.png", &arrowArt));
  const Colour arrow = options_art::PictureFill(arrowArt);

  g_muteMusic = 1; // its radio shows the off mark
  if (GetParam().fromPause)
    OpenFromPause();
  else
    OpenFromMenu();
  EXPECT_EQ(g_previousMode, GetParam().fromPause ? 9 : 0);
  GLES_FlushBuffer();
  shot = gl.ReadRGBA();
  const int ox = Ox(), oy = Oy();
  struct Probe {
    const char* what;
    Colour colour;
    int x, y, r;
    float least;
  };
  const Probe probes[] = {
      {"the panel", art.at("options_pan"), ox + 375, oy + 122, 15, 0.9f},
      {"sound on", art.at("options_radiobutton_v"), ox + 90, oy + 76, 10, 0.5f},
      {"music off", art.at("options_radiobutton_x"), ox + 252, oy + 76, 10, 0.5f},
      {"tilt chosen", art.at("options_radiobutton_v"), ox + 88, oy + 156, 10, 0.5f},
      {"arrows not chosen", art.at("options_radiobutton"), ox + 88, oy + 206, 10, 0.5f},
      {"the page arrow", arrow, MAXX - 25, MAXY / 2 - 10, 7, 0.5f},
  };
  for (const Probe& p : probes)
    EXPECT_GE(Share(p.colour, p.x, p.y, p.r), p.least) << p.what << " at " << p.x << ", " << p.y;
  // Outside the panel the screen below shows darkened.
  int dark = 0;
  for (int x = 0; x < ox + 40; ++x) {
    const uint8_t* c = &shot[((size_t)(MAXY / 2) * gl.Width() + x) * 4];
    dark += c[0] + c[1] + c[2] < 3 * 90 ? 1 : 0;
  }
  EXPECT_GE(dark, (ox + 40) * 9 / 10);
  if (HasFailure()) Keep();
}

INSTANTIATE_TEST_SUITE_P(Screens, OptionsScreenShot,
                         ::testing::Values(ShotCase{"menu-480x320", 480, 320, false},
                                           ShotCase{"pause-480x320", 480, 320, true},
                                           ShotCase{"menu-546x320", 546, 320, false},
                                           ShotCase{"pause-546x320", 546, 320, true}),
                         [](const ::testing::TestParamInfo<ShotCase>& info) {
                           std::string n = info.param.name;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

} // namespace
