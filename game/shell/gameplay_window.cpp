// CXGameplayWindow: first start, the frame, touch and key dispatch, tilt steering and release.
#include "gameplay_window.h"

#include <cmath>

#include "buttons.h"
#include "catalogue.h"
#include "dib_bitmap.h"
#include "display.h"
#include "frontend.h"
#include "game_base.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "level_data.h"
#include "menu_hints.h"
#include "missions.h"
#include "mode_framework.h"
#include "object_list.h"
#include "platform_services.h"
#include "progress_files.h"
#include "recordings.h"
#include "sound_table.h"
#include "static_backdrop.h"
#include "texture2d.h"

CXGameplayWindow::CXGameplayWindow(CXElement* parent) : XMyRoot(parent) { Accel_Init(); }

CXGameplayWindow::~CXGameplayWindow() {
  SaveAllData();
  UnLoadCommonMainMenuGFX();
  DeInitGameModes();
  SafeDeleteGlobals();
  ClearButtons();
  KillDialogs();
  gameInitialized = 0;
  g_currentMode = -1;
  g_previousMode = -1;
  currentCharacter = -1;
  curBGSprite = -1;
  newGameCurrentListShift = 0;
  g_characterID = 0;
  g_currentWorldAtlasID = -1;
  // The world sprites are gone with the rest: the next spawn must load its set again.
  previousSpriteSet = -100;
  currentGUIDBinding = 0;
  updatingRectID = 0;
  g_currentHint = 5;
  currentMission = -1;
  unlockedMissionY = -80.0f;
  currentRecording = 0;
  currentTime = 0;
  currentTrack = -1;
  lastBlendR = lastBlendG = lastBlendB = lastBlendA = -1;
  ReleaseProgressSaves();
  FrameBackdrop().Release();
  Accel_Close();
}

int CXGameplayWindow::OnInitElement() {
  if (g_pGame) g_pGame->SetFpsControl(60, true, false);
  if (gameInitialized == 1) return 1;
  IDibBitmap* screen = g_pGame ? g_pGame->GetDoubleBuffer() : nullptr;
  if (screen) {
    MAXX = screen->GetWidth();
    MAXY = screen->GetHeight();
  }
  g_ratio_is_more_1_5 = g_ratio_is_1_5 = g_ratio_is_less_1_5 = 0;
  g_guiShiftX = 1.0f;
  if (MAXX > 480) {
    g_guiShiftX = (float)MAXX / 480;
    g_ratio_is_more_1_5 = 1;
  } else if (MAXX == 480 && MAXY == 320) {
    g_ratio_is_1_5 = 1;
  } else if (MAXX == 480 && MAXY > 320) {
    g_ratio_is_less_1_5 = 1;
  }
  if (g_pGame && g_pGame->m_nDeviceScreenWidth > 512) g_screenScale = 2.0f;
  gameInitialized = 1;
  SafeDelete(display);
  display = new Display();
  HoldProgressSaves();
  InitGameModes();
  LoadOptions();
  LoadGlobalData();
  LoadImportantData();
  return 1;
}

void CXGameplayWindow::Draw() {
  g_glScaleX = g_glScaleY = 1.0f;
  g_realdt = 1.0f / 60.0f;
  g_realTimef += g_realdt;
  float dt = 0.016f / (float)g_gameDebugSlowdown;
  g_timef += dt;
  framesCount += 1;
  g_fps = (int)lroundf(1.0f / g_realdt);

  // Everything a front-end frame draws, from the mode to the dialogs, is one stretch for the
  // backdrop (up to a layer that moves, where the mode ends it). The level keeps its own for the
  // pause panel.
  const bool whole = g_currentMode != 9;
  if (whole)
    FrameBackdrop().Begin();
  else if (FrameBackdrop().Held())
    FrameBackdrop().Release();

  gamemode* current = g_currentMode >= 0 && g_currentMode < GAME_MODES ? GameModes[g_currentMode] : nullptr;
  if (current) current->Draw(dt);
  ProcessHelpDialogs(g_realdt);
  DrawHelpDialogs(display);

  // The mode may have switched during its frame.
  current = g_currentMode >= 0 && g_currentMode < GAME_MODES ? GameModes[g_currentMode] : nullptr;
  if (current) {
    if (g_currentMode == 9 || g_currentMode == 10 ||
        ((g_currentMode == 11 || g_currentMode == 1) && g_previousMode == 9))
      current->fadeActive = 0;
    gamemode* previous =
        g_previousMode >= 0 && g_previousMode < GAME_MODES ? GameModes[g_previousMode] : nullptr;
    if (current->fadeActive && previous && display) {
      current->fadeAlpha -= 4 * dt;
      float sx = g_glScaleX, sy = g_glScaleY;
      GlScale(1.0f, current->fadeAlpha);
      display->ForceNormalMode();
      int tint = (int)(current->fadeAlpha * 255) - 50;
      display->SetBlending(tint < 0 ? 0 : tint);
      display->DisableSetBlending();
      previous->Draw(dt);
      g_glScaleX = sx;
      g_glScaleY = sy;
      display->UnforceMode();
      display->SetNormalMode();
      display->EnableSetBlending();
      display->SetBlending(255);
      if (current->fadeAlpha < 0) current->fadeActive = 0;
    }
  }

  if (framesCount % 10 == 0) ProcessMissions(6 * dt);
  DrawUnlockedMissionsIfAny(dt);
  ProcessSounds(dt);
  XDialog::Draw();
  if (whole) FrameBackdrop().End();
}

void CXGameplayWindow::RunProcess() {
  XRoot::RunProcess();
  double x = 0, y = 0, z = 0;
  if (!Accel_GetValues(x, y, z)) return;
  int angle = 0;
  if (bbutil_get_screen_rotation_angle(angle) && angle == 180) x = -x;
  AccelerometerUpdate((float)y, (float)x, (float)z);
}

void CXGameplayWindow::AccelerometerUpdate(float, float tilt, float third) {
  if (g_currentMode != 9 || g_accelerometerControl != 1) return;
  float dead = 0.05f;
  if (third > 0.05f) {
    dead = 0.02f;
    tilt *= 1.5f;
  }
  gameRect& hero = GameRects[0];
  hero.steerable = 1;
  if (hero.inAir == 1) {
    if (fabsf(tilt) < 0.01f)
      tilt = 0;
    else
      tilt -= tilt > 0 ? 0.01f : -0.01f;
  } else if (fabsf(tilt) > dead) {
    tilt -= tilt > 0 ? dead : -dead;
  } else {
    // Never exactly still on the ground: the hero keeps facing the tilt.
    tilt = (tilt >= 0 ? 1 : -1) * 0.0001f;
  }
  float speed = (g_displayOrientation == 0 ? -tilt : tilt) * g_accelerometerSensitivity;
  if (speed > 350) speed = 350;
  if (speed < -350) speed = -350;
  hero.inputSpeed = speed;
}

int CXGameplayWindow::NotifyPointerEvent(int x, int y, int type) {
  return NotifyMultiTouchPointerEvent(x, y, 0, type);
}

int CXGameplayWindow::NotifyMultiTouchPointerEvent(int x, int y, int, int type) {
  if (type < 1 || type > 4) return 1;
  myPoint points[10];
  points[0] = myPoint((float)x, (float)y);
  if (ProcessHelpDialogsStylus(x, y, type == 2)) return 1;
  gamemode* mode = g_currentMode >= 0 && g_currentMode < GAME_MODES ? GameModes[g_currentMode] : nullptr;
  if (!mode) return 1;
  switch (type) {
  case 1:
    mode->StylusDown(points, 1);
    break;
  case 2:
    mode->StylusUp(points, 1);
    break;
  case 3:
    mode->StylusMove(points, 1);
    break;
  default:
    mode->StylusHover(points, 1);
    break;
  }
  return 1;
}

int CXGameplayWindow::NotifyKeyEvent(int key, int state) {
  bool dialogOpen = false;
  for (const helpDialog& d : HelpDialogs)
    dialogOpen = dialogOpen || d.active;
  if (dialogOpen) {
    if (key == 6 && state == 0) {
      KillDialogs();
      g_bExitDlgOn = 0;
    }
    return 1;
  }
  gamemode* mode = g_currentMode >= 0 && g_currentMode < GAME_MODES ? GameModes[g_currentMode] : nullptr;
  if (mode) mode->KeyboardEvent(key, state);
  return 1;
}

int CXGameplayWindow::OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t p2) {
  return XDialog::OnMessage(sender, message, p1, p2);
}

int CXGameplayWindow::Pause() {
  if (g_currentMode == 9 && !GameRects[0].levelFinished && !g_paused) ButtonPause();
  return 1;
}
