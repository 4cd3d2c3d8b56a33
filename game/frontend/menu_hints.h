// The gameplay tips level selection shows in a small panel, one at a time, chosen at random.
#pragma once

class Surface;

enum { MaxHint = 11, MENU_HINT_FONT_ROWS = 30 };

struct MenuHintFontInfo {
  float scale;
  float lineSpacing;
  float enabled; // 1.0: the tip can be chosen
  int spare;
};

extern char menuhints[MaxHint][200];
extern MenuHintFontInfo menuHintsFontInfos[MENU_HINT_FONT_ROWS];
extern int g_currentHint;

// Picks g_currentHint among the enabled tips; the same tip may come twice in a row.
void GenerateRandomHint();
// The panel centred at (x, y) and the current tip wrapped into its 240 x 80 box; the number of
// lines the tip took (0 without the hint font).
int DrawMenuHint(int x, int y, float scale, Surface* panel);
