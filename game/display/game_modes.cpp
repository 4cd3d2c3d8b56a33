// The game modes: the base's touch handling, the mode table and switching.
#include "game_modes.h"

#include <cstdio>

#include "buttons.h"
#include "game_globals.h"

gamemode* GameModes[GAME_MODES];
int g_currentMode = -1;
int g_previousMode = -1;
int g_switchingTo = -1;

float g_stylusOrientationFlipX = 1.0f;
float g_stylusOrientationFlipY = 1.0f;
bool g_stylusOrientationInvertX = false;

void gamemode::StylusDown(myPoint* points, int) { ButtonsStylus((int)points[0].x, (int)points[0].y, false); }
void gamemode::StylusUp(myPoint* points, int) { ButtonsStylus((int)points[0].x, (int)points[0].y, true); }
void gamemode::StylusMove(myPoint* points, int) { ButtonsStylus((int)points[0].x, (int)points[0].y, false); }
void gamemode::StylusHover(myPoint* points, int) { ButtonsStylusHover((int)points[0].x, (int)points[0].y); }

void SwitchMode(int id) {
  if (id < 0 || id >= GAME_MODES || !GameModes[id]) {
    fprintf(stderr, "sprocklet: no game mode %d to switch to; staying in mode %d\n", id, g_currentMode);
    return;
  }
  // The run's log: every screen change, so a scripted run can tell where it went.
  printf("sprocklet: mode %d -> %d at frame %d\n", g_currentMode, id, framesCount);
  fflush(stdout);
  g_switchingTo = id;
  if (g_currentMode >= 0 && GameModes[g_currentMode]) GameModes[g_currentMode]->DeInitMode();
  g_previousMode = g_currentMode;
  g_currentMode = id;
  GameModes[id]->InitMode();
  GameModes[id]->fadeActive = 1;
  GameModes[id]->fadeAlpha = 1.0f;
}

void DrawInterface(float) {}
void DrawNormalGame(float) {}
void GameStylusDown(int, int) {}
void GameStylusMove(int, int) {}
void GameStylusUp(int, int) {}

namespace {

void MultiTouch(myPoint* points, bool release) {
  float x = points[0].x * g_stylusOrientationFlipX, y = points[0].y * g_stylusOrientationFlipY;
  if (g_stylusOrientationInvertX) x = 480 - x;
  ButtonsStylus((int)x, (int)y, release);
}

} // namespace

void GameStylusDownMultiDown(myPoint* points, int) { MultiTouch(points, false); }
void GameStylusDownMultiMove(myPoint* points, int) { MultiTouch(points, false); }
void GameStylusDownMultiUp(myPoint* points, int) { MultiTouch(points, true); }
