// The pause panel and the specials sub-panel.
#include "pause_panel.h"

#include <cmath>
#include <cstdio>

#include "background_fitting.h"
#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "hge_font.h"
#include "level_complete.h"
#include "level_data.h"
#include "level_end.h"
#include "level_layout.h"
#include "missions.h"
#include "object_list.h"
#include "progress_files.h"
#include "sprite_tables.h"
#include "static_backdrop.h"
#include "surface.h"

float pausePanelSize = 0;
float specialsPanelSize = 0;

StaticBackdrop& PauseBackdrop() {
  static StaticBackdrop* backdrop = new StaticBackdrop(); // its texture goes with GL, not at exit
  return *backdrop;
}

void ButtonResume() { g_paused = false; }

void ButtonOptions() { SwitchMode(2); }

void ButtonSpecials() {
  Buttons[PAUSE_SLOT_SPECIALS].x = -100;
  Buttons[PAUSE_SLOT_SPECIALS].UpdatePos();
  pauseSpecialsEnabled = true;
}

void ActivateShield() {
  gameRect& hero = GameRects[0];
  if (hero.shield || GlobalData.GetShields() < 1) return;
  GlobalData.ConsumeShield(1);
  Missions[11].AddToCounter(1);
  hero.shield = 1;
}

void ActivateTimeSlow() {
  gameRect& hero = GameRects[0];
  if (hero.timeSlow || GlobalData.GetTimeSlows() < 1) return;
  GlobalData.ConsumeTimeSlows(1);
  hero.timeSlow = 1;
}

void ReturnToMenu() {
  ClearButtons();
  g_paused = false;
  AddShuttersAnimation(GoBackToMenu);
}

namespace {

float Toward(float v, bool up, float step) {
  v += up ? step : -step;
  return v < 0 ? 0 : (v > 1 ? 1 : v);
}

bool LevelCompletedBefore() {
  int L = g_levelSelected;
  return L >= 0 && L < LEVEL_RECORDS && g_levelAchievements[L][LEVEL_WORD_COMPLETIONS] > 0;
}

void AddPauseButton(int slot, int x, int y, int size, Surface* s, void (*action)()) {
  Buttons[slot].Init(x, y, size, size, 1, "", s, s, action);
}

void CreatePauseButtons() {
  const int y = MAXY - 34;
  if (!LevelCompletedBefore())
    AddPauseButton(PAUSE_SLOT_SKIP, MAXX / 2 - 6, y, 50, g_butPauseSkip, NextLevelFor4Shrooms);
  AddPauseButton(PAUSE_SLOT_OPTIONS, MAXX / 2 + 63, y, 50, g_butPauseOptions, ButtonOptions);
  AddPauseButton(PAUSE_SLOT_MENU, MAXX / 2 + 132, y, 50, g_butPauseMap, ReturnToMenu);
  AddPauseButton(PAUSE_SLOT_RESTART, MAXX / 2 + 201, y, 50, g_butPauseRestart, RestartLevel);
  AddPauseButton(PAUSE_SLOT_RESUME, MAXX - 25, 25, 60, g_butPausePlay, ButtonResume);
  AddPauseButton(PAUSE_SLOT_SPECIALS, 14, MAXY / 2 + 92, 60, g_butPauseSpecial, ButtonSpecials);
}

void ReleaseSlots(int first, int last) {
  for (int i = first; i <= last; i++)
    Buttons[i].active = 0;
}

void Draw(float x, float y, float scale, Surface* s) {
  if (s) display->BlitScaled(x, y, scale, scale, s);
}

// Row 0 of the hero's sprites as far as it has pictures.
int HeroRowLength() {
  int n = 0;
  while (n < CHARACTER_FRAMES && CharacterSprite(0, n))
    n++;
  return n;
}

void DrawHero(float x, float y, float fps) {
  int n = HeroRowLength();
  if (n == 0) return;
  Draw(x, y, 0.8f, CharacterSprite(0, (int)(g_timef * fps) % n));
}

void DrawPanelArt() {
  Surface* panel = g_guiPausePanel[0];
  Surface* left = g_guiPausePanel[3];
  Surface* right = g_guiPausePanel[4];
  if (!panel || !left || !right) return;
  const float y = MAXY + 100 - 120 * pausePanelSize;
  if (g_ratio_is_1_5) {
    Draw(240, y, 0.5f, panel);
    Draw((float)(MAXX - 45), y, 0.5f, right);
    Draw((float)(MAXX / 2 - 195), y + 9, 0.5f, left);
  } else if (g_ratio_is_less_1_5) {
    Draw((float)(MAXX / 2), y, 0.5f, panel);
    Draw((float)(MAXX / 2 - 150), y + 9, 0.5f, left);
  } else {
    Draw(240, y, 0.5f, panel);
    Draw(left->width / 4.0f, y + 9, 0.5f, left);
    const float x4 = right->width / 4.0f + 479;
    Draw(x4, y, 0.5f, right);
    Draw(x4 + right->width / 2.0f - 1, y, 0.5f, right);
  }
}

void DrawSparkle(int row, float radius, float speed, float t) {
  Surface* s = g_pixie[row][(int)(30 * t) % 10];
  Draw(18 + radius * std::sin(speed * t), MAXY / 2 - 2 + radius * std::cos(speed * t), 0.5f, s);
}

void DrawGlow(const button& b, float t) {
  if (b.active) Draw((float)b.x, (float)b.y, 0.5f * specialsPanelSize + 0.04f * std::sin(5 * t), g_greenGlow);
}

} // namespace

void DrawPausePanel(float dt) {
  pausePanelSize = Toward(pausePanelSize, g_paused, 3 * dt);
  if (pausePanelSize < 0.01f) return;
  const bool specials = g_paused && pauseSpecialsEnabled;
  specialsPanelSize = Toward(specialsPanelSize, specials, 3 * dt);

  if (g_paused && !Buttons[PAUSE_SLOT_OPTIONS].active) CreatePauseButtons();
  if (Buttons[PAUSE_SLOT_OPTIONS].active && !g_paused)
    ReleaseSlots(PAUSE_SLOT_SKIP, PAUSE_SLOT_SPECIALS);
  else if (!pauseSpecialsEnabled)
    ReleaseSlots(PAUSE_SLOT_SHIELD, PAUSE_SLOT_TIME);
  if (specials && !Buttons[PAUSE_SLOT_SHIELD].active) {
    Buttons[PAUSE_SLOT_SHIELD].Init(77, 121, 50, 50, 1, "", g_butPauseShield[GlobalData.GetShields() >= 1],
                                    g_butPauseShield[GlobalData.GetShields() >= 1], ActivateShield);
    Buttons[PAUSE_SLOT_TIME].Init(77, 200, 50, 50, 1, "", g_butPauseTime[GlobalData.GetTimeSlows() >= 1],
                                  g_butPauseTime[GlobalData.GetTimeSlows() >= 1], ActivateTimeSlow);
  }

  display->SetBlending((int)(pausePanelSize * 200));
  display->FillRect(0, 0, MAXX, MAXY, ColorRGB(0, 50, 50));
  display->SetBlending(255);
  PauseBackdrop().End();

  DrawPanelArt();

  const gameRect& hero = GameRects[0];
  const float t = g_timef;
  if (!pauseSpecialsEnabled) {
    Draw(60 * pausePanelSize - 40, MAXY / 2 + 75, 0.5f, g_guiPausePanel[2]);
    DrawHero(60 * pausePanelSize - 46, MAXY / 2 + 40, 5);
  } else {
    Draw(145 * specialsPanelSize - 100, MAXY / 2, 0.5f * pausePanelSize, g_guiPausePanel[1]);
    DrawHero(120 * specialsPanelSize - 102, MAXY / 2 - 2, 10);
    if (hero.shield) {
      DrawSparkle(1, 20, 10, t);
      DrawGlow(Buttons[PAUSE_SLOT_SHIELD], t);
    }
    if (hero.timeSlow) {
      DrawSparkle(0, 16, -15, t);
      DrawGlow(Buttons[PAUSE_SLOT_TIME], t);
    }
  }

  display->SetNoBlackEdgesMode();
  const float y = MAXY - 60 * pausePanelSize + 50;
  if (FontSTD) {
    FontSTD->SetScale(0.3f);
    FontSTD->Render(100, y, 0, "Level:", ColorRGB(220, 220, 220));
    char label[64];
    CalculateWorldID(label, sizeof label);
    FontSTD->Render(153, y, 0, label, ColorRGB(220, 220, 0));
  }
  if (FontShroom) {
    FontShroom->SetScale(0.48f);
    FontShroom->printf(32, y, 0, "%i", g_globalAchievements[GLOBAL_WORD_MUSHROOMS]);
  }

  DrawButtons();

  if (specials && FontSTD) {
    FontSTD->SetScale(0.26f * pausePanelSize);
    char stock[16];
    snprintf(stock, sizeof stock, "%ix", GlobalData.GetShields());
    FontSTD->Render(85, 138, 2, stock, ColorRGB(0, 0, 0));
    snprintf(stock, sizeof stock, "%ix", GlobalData.GetTimeSlows());
    FontSTD->Render(85, 217, 2, stock, ColorRGB(0, 0, 0));
  }
  display->SetNormalMode();
}
