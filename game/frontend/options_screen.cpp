// The options screen: the two pages, their switches and sliders, the swipe between them and the
// developer switch's corner gesture.
#include "options_screen.h"

#include <cmath>
#include <cstdio>

#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "front_pieces.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "progress_files.h"
#include "quellar_array.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "static_backdrop.h"
#include "surface.h"

Surface* opt_arrow = nullptr;
int g_optionsCornerTaps = 0;

namespace {

enum {
  PAN = 1,
  RADIO = 2,
  RADIO_OFF = 3,
  RADIO_ON = 4,
  PAN_DARKEN = 5,
  LINE = 6,
  LINE2 = 7,
  LINE_BALL = 8,
  CLOSE = 9,
  BALL_SMALL = 11,
  BALL_BIG = 12,
};

const ColorRGB kTitle(176, 100, 22);
const ColorRGB kBlack(0, 0, 0);
const ColorRGB kNote(100, 100, 100);
const ColorRGB kHint(103, 20, 20);

// Page 2's slider boxes, relative to the page.
const int kSliderLeft = 74, kSliderRight = 402;
const int kSensitivityTop = 72, kZoomTop = 125, kZoomBottom = 181;

Surface** ArrowSlot(int index, int frame) { return index == 0 && frame == 0 ? &opt_arrow : nullptr; }

// The shift that centres the 480-wide layout on a wider screen.
int WideShift() { return g_ratio_is_more_1_5 ? (MAXX - 480) / 2 : 0; }
int TopShift() { return (MAXY - 320) / 2; }

// The game's rectangles: left and top edges inside, right and bottom outside.
bool InBox(int x, int y, int cx, int cy) {
  return x >= cx - 35 && x < cx + 35 && y >= cy - 35 && y < cy + 35;
}

// A radio button, with its mark over it: on, off, or none.
enum Mark { NO_MARK, MARK_ON, MARK_OFF };
void Radio(float x, float y, float scale, Mark mark) {
  DrawScaled(x, y, scale, OptSurf[RADIO]);
  if (mark == MARK_ON) DrawScaled(x, y, scale, OptSurf[RADIO_ON]);
  if (mark == MARK_OFF) DrawScaled(x, y, scale, OptSurf[RADIO_OFF]);
}

Mark Switch(bool on) { return on ? MARK_ON : MARK_OFF; }

} // namespace

void options::InitMode() {
  // Opened from play, the level's music keeps playing.
  if (g_previousMode != 9) {
    ResetCurrentTrackPlayingTime();
    SwitchSoundtrack(0, false, false);
  }
  // Play started straight from the start-up has not loaded the menus' set with its options atlas.
  if (!OptionsAtlas()) LoadCommonMainMenuGFX();
  DisableButtons();
  pageOffset = 0;
  pages.Assign(&pageOffset, 30.0f, 0.94f, (float)-MAXX, 0.0f);
  pages.pageSize = (float)MAXX;
  pages.snapRate = 13;
  SafeDelete(opt_arrow);
  RegisterScreenSprites(catalogue::OptionsScreenArt(), nullptr, ArrowSlot);
  sliderMoved = 0;
  sensitivityGrabbed = zoomGrabbed = 0;
  Buttons[OPTIONS_SLOT_BACK].Init(WideShift() + 394, TopShift() + 50, 65, 65, 1, "", nullptr, nullptr,
                                  GoBack);
  appear = 0;
}

void options::DeInitMode() {
  SafeDelete(opt_arrow);
  FrameBackdrop().Release(); // the panel's picture
  Buttons[OPTIONS_SLOT_BACK].active = 0;
}

void options::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) GoBack();
}

void options::Draw(float dt) {
  pages.Process(dt);
  // The panel lies over the screen below it: no cross-fade into it.
  fadeActive = 0;
  const bool current = g_currentMode == 2;
  if (current) {
    gamemode* below = g_previousMode >= 0 && g_previousMode < GAME_MODES && g_previousMode != 2
                          ? GameModes[g_previousMode]
                          : nullptr;
    // The screen below, which keeps moving, and the darkening over it.
    if (below) below->Draw(dt);
    FrameBackdrop().End();
    // The screen below may have begun them with what stands over its own moving part.
    if (!FrameBackdrop().LayersOpen()) FrameBackdrop().BeginLayers();
    if (display) {
      display->SetBlending(200);
      display->FillRect(0, 0, MAXX, MAXY, ColorRGB(0, 0, 0));
      display->SetBlending(255);
    }
  }
  appear += (current ? 7 : -5) * dt;
  // Fading out it shrinks to nothing, never through to a mirrored panel.
  if (appear > 1.0f) appear = 1.0f;
  if (appear < 0.0f) appear = 0.0f;
  if (appear < 1.0f) pageOffset = 400 * appear - 400;
  if (g_accelerometerSensitivity < 1000) g_accelerometerSensitivity = 1000;
  if (!display) {
    FrameBackdrop().EndLayers();
    return;
  }

  const float offset = pageOffset;
  const float ox = offset + WideShift();
  const float oy = (float)TopShift();
  const float px = ox + MAXX;
  const float s = 0.5f * appear;
  const float text = 0.48f * appear;
  const float midY = (float)(MAXY / 2 - 10);

  DrawScaled(offset + MAXX / 2, midY, s, OptSurf[PAN]);
  if (ox < -1) DrawScaled(offset + MAXX / 2 + MAXX, midY, s, OptSurf[PAN]);

  const bool first = ox > -100;
  DrawScaled((float)(MAXX / 2 - 9), (float)(MAXY - 20), 0.5f, OptSurf[first ? BALL_BIG : BALL_SMALL]);
  DrawScaled((float)(MAXX / 2 + 9), (float)(MAXY - 20), 0.5f, OptSurf[first ? BALL_SMALL : BALL_BIG]);

  DrawScaled(offset + MAXX / 2, oy + 79, s, OptSurf[PAN_DARKEN]);
  DrawScaled(ox + 400, oy + 50, s, OptSurf[CLOSE]);
  DrawScaled(g_ratio_is_more_1_5 ? ox + 400 + MAXX : ox + 874, oy + 50, s, OptSurf[CLOSE]);

  // Page 1.
  DrawText(ox + 236, oy + 37, text, 2, "Options", kTitle);
  DrawText(ox + 158, oy + 78, text, 2, "Sound", kBlack);
  DrawText(ox + 325, oy + 78, text, 2, "Music", kBlack);
  Radio(ox + 90, oy + 76, s, Switch(!g_muteSound));
  Radio(ox + 252, oy + 76, s, Switch(!g_muteMusic));
  display->SetBlending(90);
  DrawText(ox + 90, oy + 98, 0.2f, 0, "(check the mute switch if you can't hear any sound)", kHint);
  display->SetBlending(255);
  DrawText(ox + 236, oy + 124, text, 2, "Controls:", kTitle);
  const int scheme = g_accelerometerControl;
  DrawText(ox + 182, oy + 150, text, 2, "Tilt & Jump", kBlack);
  Radio(ox + 88, oy + 156, s, scheme == 1 ? MARK_ON : NO_MARK);
  DrawText(ox + 207, oy + 200, text, 2, "Arrow Buttons", kBlack);
  Radio(ox + 88, oy + 206, s, scheme != 1 && scheme != 0 ? MARK_ON : NO_MARK);
  DrawText(ox + 207, oy + 250, text, 2, "Virtual Joystick", kBlack);
  Radio(ox + 88, oy + 258, s, scheme == 0 ? MARK_ON : NO_MARK);
  const float note = 0.39f * appear;
  DrawText(ox + 211, oy + 170, note, 2, "(Use Accelerometer)", kNote);
  DrawText(ox + 220, oy + 221, note, 2, "(Well-known Classics)", kNote);
  DrawText(ox + 220, oy + 273, note, 2, "(Slide stick to move)", kNote);

  // Page 2.
  DrawText(px + 236, oy + 37, text, 2, "Advanced", kTitle);
  DrawText(px + 240, oy + 67, 0.42f * appear, 2, scheme == 1 ? "Accel. Sensitivity" : "Joystick Sensitivity",
           kBlack);
  DrawScaled(px + 234, oy + 94, s, OptSurf[LINE]);
  DrawScaled(px + (int)((g_accelerometerSensitivity - 1000) / 9 + 74), oy + 94, s, OptSurf[LINE_BALL]);
  DrawText(px + 156, oy + 128, text, 2, "Custom Zoom", kBlack);
  DrawScaled(px + 179, oy + 158, s, OptSurf[LINE2]);
  DrawScaled(px + (int)((g_iphoneCustomZoom - 0.5f) * 450 + 74), oy + 158, s, OptSurf[LINE_BALL]);
  if (FontSTD) {
    FontSTD->SetScale(text);
    char zoom[32];
    snprintf(zoom, sizeof zoom, "[%2.2fx]", g_iphoneCustomZoom);
    FontSTD->Render(px + 348, oy + 156, 2, zoom, kBlack);
  }
  DrawText(px + 192, oy + 205, text, 2, "Ghost Mode", kBlack);
  Radio(px + 96, oy + 203, s, Switch(g_ghostMode != 0));

  if (Buttons[OPTIONS_SLOT_BACK].active) Buttons[OPTIONS_SLOT_BACK].Draw();

  // The panel and all on it stand still while the screen below moves: shown as one picture of
  // them. The arrows sway every frame, over the panel's edges and nothing else.
  FrameBackdrop().EndLayers();
  const float sway = 3 * std::sin(5 * g_timef);
  if (opt_arrow) {
    display->BlitScaled(offset + MAXX - 25 + sway, midY, s, s, opt_arrow);
    display->BlitScaled(offset + MAXX + 25 + sway, midY, -s, s, opt_arrow);
  }
}

void options::StylusDown(myPoint* points, int) {
  if (!points) return;
  const int x = (int)points[0].x, y = (int)points[0].y;
  if (ProcessHelpDialogsStylus(x, y, false)) return;
  pages.StylusDown(x, x);
  const int ox = (int)pageOffset + WideShift(), oy = TopShift();
  bool musicFlipped = false;
  if (InBox(x, y, ox + 90, oy + 76)) {
    EnginePlaySound(47, 0);
    g_muteSound = !g_muteSound;
  }
  if (InBox(x, y, ox + 252, oy + 76)) {
    EnginePlaySound(47, 0);
    g_muteMusic = !g_muteMusic;
    musicFlipped = true;
  }
  const struct { int y, scheme; } kSchemes[] = {{146, 1}, {196, 10}, {248, 0}};
  for (const auto& row : kSchemes)
    if (InBox(x, y, ox + 88, oy + row.y)) {
      EnginePlaySound(47, 0);
      g_accelerometerControl = row.scheme;
    }
  if (InBox(x, y, MAXX + ox + 94, oy + 202)) {
    EnginePlaySound(47, 0);
    g_ghostMode = !g_ghostMode;
  }
  if (x >= MAXX + ox + kSliderLeft && x < MAXX + ox + kSliderRight) {
    if (y >= oy + kSensitivityTop && y < oy + kZoomTop) sensitivityGrabbed = 1;
    if (y >= oy + kZoomTop && y < oy + kZoomBottom) zoomGrabbed = 1;
  }
  // Muted: silence; unmuted: the theme from its start.
  if (musicFlipped) SwitchSoundtrack(g_muteMusic ? 10 : 0, true, false);
  ButtonsStylus(x, y, false);
}

void options::StylusMove(myPoint* points, int) {
  if (!points) return;
  const int x = (int)points[0].x, y = (int)points[0].y;
  if (ProcessHelpDialogsStylus(x, y, false)) return;
  const int sx = x - WideShift(), sy = y - TopShift();
  const float left = MAXX + pageOffset + kSliderLeft, right = MAXX + pageOffset + kSliderRight;
  if (sx >= left && sx < right) {
    if (sensitivityGrabbed && sy >= kSensitivityTop && sy < kZoomTop) {
      sliderMoved = 1;
      g_accelerometerSensitivity = (float)((sx - kSliderLeft) * 9 + 1000);
    }
    if (zoomGrabbed && sy >= kZoomTop && sy < kZoomBottom) {
      sliderMoved = 1;
      float z = (sx - kSliderLeft) / 450.0f + 0.5f;
      // Steps of 0.05 from 0.5.
      g_iphoneCustomZoom = (float)((int)(z * 200) / 10) / 20;
      if (g_iphoneCustomZoom > 1.0f) g_iphoneCustomZoom = 1.0f;
    }
  }
  if (!sliderMoved) pages.StylusMove(x, x);
  ButtonsStylus(x, y, false);
}

void options::StylusUp(myPoint* points, int) {
  if (!points) return;
  const int x = (int)points[0].x, y = (int)points[0].y;
  if (x > MAXX - 30 && y < 30) {
    ++g_optionsCornerTaps;
    if (g_optionsCornerTaps > OPTIONS_CORNER_TAPS_BEFORE_TOGGLE) g_finalRelease = g_optionsCornerTaps % 2;
  }
  if (ProcessHelpDialogsStylus(x, y, true)) return;
  sensitivityGrabbed = zoomGrabbed = 0;
  sliderMoved = 0;
  pages.StylusUp(x, x);
  ButtonsStylus(x, y, true);
}
