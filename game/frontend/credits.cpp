// The credits: background, growing panel, version and the rising lines.
#include "credits.h"

#include <cmath>

#include "animator.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "geometry.h"
#include "hge_font.h"
#include "quellar_array.h"
#include "sprite_tables.h"
#include "static_backdrop.h"
#include "surface.h"

Surface* creditsBG = nullptr;
Surface* creditsPanExtra = nullptr;

namespace {

struct Line {
  int row;
  const char* text;
  float largest;
  ColorRGB colour;
};

const ColorRGB kInk(0, 0, 0);
const ColorRGB kHeading(120, 120, 0);

const Line kLines[] = {
    {0, "TAVENMOOR ENTERTAINMENT PRESENTS", 0.4f, kInk},
    {1, "Published by Dunmarrow", 0.4f, ColorRGB(0, 0, 100)},
    {3, "Sprocklet", 0.6f, ColorRGB(255, 0, 0)},
    {8, "PROGRAMMING", 0.4f, kHeading},
    {9, "Oskar Lindqvist", 0.4f, kInk},
    {11, "ART & DESIGN", 0.4f, kHeading},
    {12, "Mirela Vasquez", 0.4f, kInk},
    {14, "LEVEL DESIGN", 0.4f, kHeading},
    {15, "Oskar Lindqvist", 0.4f, kInk},
    {16, "Mirela Vasquez", 0.4f, kInk},
    {18, "SOUND & MUSIC", 0.4f, kHeading},
    {19, "Tomas Brenner", 0.4f, kInk},
    {20, "Anja Koval", 0.4f, kInk},
    {21, "Lanternfish Audio Studio", 0.22f, kInk},
    {23, "PORT & PUBLISHING", 0.4f, kHeading},
    {24, "Dunmarrow LLC", 0.4f, kInk},
    {35, "That's all folks!", 0.4f, kInk},
    {36, "Thanks for the mushrooms!", 0.4f, kInk},
    {47, "No, wait..", 0.4f, kInk},
    {58, "Well it's really all that was there.", 0.3f, kInk},
    {69, "Ok, you are persistent!", 0.3f, kInk},
    {80, "Did you know? There's a secret item at:", 0.3f, kInk},
    {81, "1-1, 1-4, 2-3, 3-12, 3-18", 0.3f, kInk},
};

Surface** CreditsSlot(int index, int frame) {
  if (frame != 0) return nullptr;
  switch (index) {
  case 0:
    return &select_bg[0];
  case 1:
    return &creditsBG;
  case 2:
    return &creditsPanExtra;
  default:
    return nullptr;
  }
}

void FreeCredits() {
  SafeDelete(select_bg[0]);
  SafeDelete(creditsBG);
  SafeDelete(creditsPanExtra);
}

} // namespace

float CreditsScaleAt(int y, float largest) {
  float s = 1 - 2.5f * std::fabs((float)(MAXY / 2 - y + 20)) / (float)MAXY;
  return s > largest ? largest : s;
}

void CreditsDrawSmart(int x, int y, float largest, const char* text, ColorRGB colour) {
  if (!FontSTD) return;
  float s = CreditsScaleAt(y, largest);
  FontSTD->SetScale(s);
  if (s > 0) FontSTD->Render((float)x, (float)y, 2, text, colour);
}

void credits::InitMode() {
  ClearButtons();
  panelScale = 0;
  scrollY = 330;
  FreeCredits();
  RegisterScreenSprites(catalogue::CreditsArt(), nullptr, CreditsSlot);
  // Invisible: its box covers the top-right corner of the screen.
  AddButtonCustom(MAXX - 50, 30, 265, 265, 1, "", nullptr, nullptr, InitMainMenu);
}

void credits::DeInitMode() { FreeCredits(); }

void credits::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) InitMainMenu();
}

void credits::Draw(float dt) {
  panelScale += 5 * dt;
  if (panelScale > 1.0f) panelScale = 1.0f;
  scrollY -= 70 * dt;
  SmartDrawBackgroundIphone5(0, 0, select_bg[0], false, false);
  const int top = (int)std::floor((MAXY - 320) / 2.0);
  if (display) {
    display->SetNoBlackEdgesMode();
    display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), 0.5f * panelScale, 0.5f * panelScale,
                        creditsBG);
    display->SetNormalMode();
  }
  if (FontSTD) {
    FontSTD->SetScale(0.37f);
    const int x = g_ratio_is_more_1_5 ? (int)std::floor((MAXX - 480) / 2.0) + 35 : 35;
    FontSTD->Render((float)x, (float)(top + 29), 0, "Version 1.01", ColorRGB(244, 244, 0));
  }
  // The lines scroll every frame: what lies under them is the frame's still part, shown as its copy.
  FrameBackdrop().End();
  for (const Line& line : kLines)
    CreditsDrawSmart(MAXX / 2, (int)(scrollY + 28 * line.row), line.largest, line.text, line.colour);
  if (display) display->BlitScaled((float)(MAXX / 2), top + 27.5f, 0.5f, 0.5f, creditsPanExtra);
  DrawButtons();
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}
