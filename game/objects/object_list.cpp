// The object list in a level: InitRects, slot-order drawing and the in-level touch controls (stick,
// special button, jump zone, developer corners).
#include "object_list.h"

#include <cstdio>

#include "buttons.h"
#include "catalogue.h"
#include "draw_order.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "level_data.h"
#include "level_file.h"
#include "particles.h"
#include "progress_files.h"
#include "quest_state.h"
#include "smoke.h"
#include "touch_controls.h"

// The slot whose behaviour is running, and the binding id the editor hands out next.
int updatingRectID = 0;
int currentGUIDBinding = 0;

void InitRects() {
  g_drawShiftX = g_drawShiftY = -5000;
  for (gameRect& r : GameRects)
    r.active = 0;
  rectID = 0;
  RespawnCharacter(false);
}

void DrawAllRects() {
  for (gameRect& r : GameRects)
    if (r.active) r.Draw();
}

namespace {

// The arrow scheme's stick: a finger right of the centre (dx below 0) presses right, left of it left.
void PressArrowForStick(int dx) {
  if (dx >= 1) {
    bLeftPressed = true;
    bRightPressed = false;
  } else if (dx < 0) {
    bRightPressed = true;
    bLeftPressed = false;
  }
}

} // namespace

int GameRectStylusDown(int x, int y) {
  gameRect& hero = GameRects[0];
  int ax = (int)(RbuttonAttack.x - (float)x), ay = (int)(RbuttonAttack.y - (float)y);
  if (hero.hasSpecial && hero.specialCooldown < 0 &&
      (float)(ax * ax + ay * ay) < buttonRadius * buttonRadius) {
    hero.PerformSpecial();
    return 1;
  }
  int dx = (int)(RmoveCenter.x - (float)x), dy = (int)(RmoveCenter.y - (float)y);
  RmoveCenter.x = g_ipad ? 60.0f : 120.0f;
  if ((float)(dx * dx + dy * dy) < wheelRadius * wheelRadius && g_accelerometerControl != 1) {
    hero.steerable = 1;
    if (dx > 60) dx = 60;
    if (dx < -60) dx = -60;
    if (g_ipad) dx = (int)(dx * 1.5f);
    RmoveCenterCur.x = (float)dx;
    if (g_accelerometerControl == 0) hero.inputSpeed = -(float)dx * 5.75f;
    if (g_accelerometerControl == 10) PressArrowForStick(dx);
  }
  int half = g_accelerometerControl == 1 ? 0 : MAXX / 2;
  if (x > half && y > 40 && g_accelerometerControl != 11) {
    hero.Jump();
    jumpButtonPressed = true;
  }
  if (!g_finalRelease && y < 65) {
    if (x < 65) {
      RespawnCharacter(false);
    } else if (x > MAXX - 65) {
      LoadBGSprites();
      SwitchMode(10);
    }
  }
  return 0;
}

void GameRectStylusMove(int x, int y) {
  gameRect& hero = GameRects[0];
  RmoveCenter.x = g_ipad ? 60.0f : 120.0f;
  int dx = (int)(RmoveCenter.x - (float)x), dy = (int)(RmoveCenter.y - (float)y);
  if (g_accelerometerControl == 1 || (float)(dx * dx + dy * dy) >= wheelRadius * wheelRadius) return;
  if (g_ipad) dx *= 2;
  hero.steerable = 1;
  float s = (g_accelerometerSensitivity / 4000) * 9.6f;
  if (g_accelerometerControl == 10) {
    PressArrowForStick(dx);
  } else if (hero.inAir) {
    hero.inputSpeed = -(float)dx * s * 0.913f;
  } else {
    // A 9 px dead zone around the stick's centre.
    if (dx > -9 && dx < 9)
      dx = 0;
    else
      dx += dx > 0 ? -9 : 9;
    hero.inputSpeed = -(float)dx * s;
  }
  if (hero.inputSpeed > 350) hero.inputSpeed = 350;
  if (hero.inputSpeed < -350) hero.inputSpeed = -350;
  float knob = (float)dx;
  if (knob > 60) knob = 60;
  if (knob < -60) knob = -60;
  RmoveCenterCur = myPoint(knob, (float)y);
}

void GameRectStylusUp(int x, int) {
  gameRect& hero = GameRects[0];
  int half = g_accelerometerControl == 1 ? 0 : MAXX / 2;
  if (x >= half) {
    hero.jumpHoldTimer = -1;
    jumpButtonPressed = false;
  } else if (g_accelerometerControl != 1) {
    hero.steerable = 0;
    RmoveCenterCur.x = 0;
    if (g_accelerometerControl == 10) bRightPressed = bLeftPressed = false;
  }
}
