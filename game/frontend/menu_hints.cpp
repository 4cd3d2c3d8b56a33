// The menu hints: the tip texts with their font settings, the random choice and the panel.
#include "menu_hints.h"

#include <cstdlib>

#include "display.h"
#include "hge_font.h"
#include "sprite_tables.h"
#include "surface.h"

char menuhints[MaxHint][200] = {
    " Collect mushrooms to be able to unlock other characters.",
    " Hardcore levels are very hard. It's recommended to complete all casual levels first.",
    " Complete missions to gain more mushrooms.",
    " Complete level with a perfect time to gain a golden joystick, sign of a pro.",
    " If you like the game, Rate Us on VudarUdiri World to gain updates and stuff.",
    " If too easy, swipe to flip to hardcore world. There are brand new levels, too.",
    " You can always switch between virtual joystick, d-pad and accelerometer.",
    " Discover secret items, hidden well in the darkness. Or not.",
    " You can collect mushrooms again on a same level if you use different character.",
    " Out of mushrooms? Buy more at the shop!",
    " There is one mushroom on every level. And you can pick it up again with a different character.",
};

MenuHintFontInfo menuHintsFontInfos[MENU_HINT_FONT_ROWS] = {
    {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0},
    {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0},
    {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0},
    {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0}, {0.5f, 0.7f, 1.0f, 0},
    {0.5f, 0.7f, 1.0f, 0},
};

int g_currentHint = 5;

void GenerateRandomHint() {
  // Bounded, so a table with every tip disabled cannot hang the menu; the first tip is kept then.
  for (int tries = 0; tries < 10000; ++tries) {
    int i = rand() % MaxHint;
    if (menuHintsFontInfos[i].enabled == 1.0f) {
      g_currentHint = i;
      return;
    }
  }
}

int DrawMenuHint(int x, int y, float scale, Surface* panel) {
  if (!display) return 0;
  display->BlitScaled((float)x, (float)y, 0.5f * scale, 0.5f * scale, panel);
  display->SetBlending(display->alpha, 0, 0, 0);
  int lines = 0;
  int hint = g_currentHint >= 0 && g_currentHint < MaxHint ? g_currentHint : 0;
  if (FontHintText) {
    FontHintText->SetScale(menuHintsFontInfos[hint].scale * scale);
    FontHintText->SetSpacing(menuHintsFontInfos[hint].lineSpacing);
    lines = FontHintText->printfb((float)(x - 145), (float)(y - 10), 240, 80, 0, "%s", menuhints[hint]);
  }
  display->SetBlending(255, 255, 255, 255);
  return lines;
}
