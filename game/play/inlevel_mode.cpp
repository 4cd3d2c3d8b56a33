// The in-level mode and its frame driver.
#include "inlevel_mode.h"

#include <cmath>
#include <cstdio>

#include "animator.h"
#include "buttons.h"
#include "display.h"
#include "draw_order.h"
#include "fly_texts.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "hud.h"
#include "keyboard_controls.h"
#include "level_data.h"
#include "level_end.h"
#include "level_file.h"
#include "level_header.h"
#include "object_list.h"
#include "particles.h"
#include "pause_panel.h"
#include "progress_files.h"
#include "quest_state.h"
#include "recordings.h"
#include "smoke.h"
#include "static_backdrop.h"
#include "texture2d.h"
#include "touch_controls.h"
#include "weather.h"

// Large-tablet screens, and the camera shift of level coordinates.

void (*g_questAnimatorsHook)(float) = ProcessEffectAnimators;
void (*g_questPausePanelHook)(float) = DrawPausePanel;

questGame::~questGame() { owned = nullptr; }

namespace {

// The level the mode started, until the run's line says it was left: the selection may already
// name the next level by then, and the mode is left again when every mode is released.
int playedLevel = -1;

} // namespace

void questGame::InitMode() {
  GameRects[0].steerable = 0;
  RmoveCenterCur.x = 0;
  bRightPressed = bLeftPressed = bJumpPressed = bEnterPressed = false;
  g_paused = false;
  touchesBegunHere = 0;
  InitQuest();
  ClearEffectAnimators();
  RemoveShuttersAnimation();
}

void questGame::DeInitMode() {
  // Nothing in the mode ever sets it: it stays null.
  owned = nullptr;
  counter = 0;
  // The run's end state, for whoever watches a headless run.
  if (playedLevel < 0) return;
  const gameRect& hero = GameRects[0];
  printf("sprocklet: level %d left after %d frames: hero at (%.1f, %.1f), %s\n", playedLevel,
         g_levelCurrentData.frames, hero.x, hero.y, hero.dead ? "dead" : "alive");
  playedLevel = -1;
  PauseBackdrop().Release();
}

void questGame::Draw(float dt) {
  // A level that cannot be read is no place to play (its line is said): back where the player came
  // from, or to level selection after the next level or a restart.
  if (g_levelUnreadable) {
    int back = g_previousMode;
    if (back == 9 || back < 0) back = 11;
    if (back == 18) back = 0;
    SwitchMode(back);
    return;
  }
  ++g_frame;
  DrawQuestMode(dt, false);
}

void questGame::StylusDown(myPoint* points, int count) {
  ++touchesBegunHere;
  QuestStylusDownMultiDown(points, count);
}

// The rest of a touch that began in another mode (the editor's exit corner) is not play's.
void questGame::StylusUp(myPoint* points, int count) {
  if (touchesBegunHere == 0) return;
  --touchesBegunHere;
  QuestStylusDownMultiUp(points, count);
}

void questGame::StylusMove(myPoint* points, int count) {
  if (touchesBegunHere > 0) QuestStylusDownMultiMove(points, count);
}
void questGame::KeyboardEvent(int key, int state) { QuestKeyboardEvent(key, state); }
void questGame::StylusHover(myPoint* points, int) { ButtonsStylusHover((int)points[0].x, (int)points[0].y); }

void InitQuest() {
  g_drawShiftX = g_drawShiftY = -5000.0f;
  StartLevelAnew();
  RespawnCharacter(false);
  playedLevel = g_levelUnreadable ? -1 : g_levelSelected;
  if (g_levelUnreadable) return;
  if (g_levelCur.startX == 0) g_levelCur.startX = 5000;
  if (g_levelCur.startY == 0) g_levelCur.startY = 5000;
  int objects = 0;
  for (int i = 1; i < GAME_RECTS; ++i)
    objects += GameRects[i].active;
  printf("sprocklet: level %d started with %d objects, hero at (%.1f, %.1f)\n", g_levelSelected, objects,
         GameRects[0].x, GameRects[0].y);
}

bool PtInMobile(int x, int y) { return x > MAXX - 85 && y < 100; }

namespace {

bool TintSet(int a, int g, int b) { return a != 0 && g != 0 && b != 0; }

} // namespace

void UpdateQuestCamera(float step, bool noHud) {
  const gameRect& hero = GameRects[0];
  float s = g_gameScreenScale;
  float hx = (float)(int)(MAXX / 2.0f / s), hy = (float)(int)(MAXY / 2.0f / s);
  float ex = (hero.centerX + g_drawShiftX) - hx + hero.vx * 0.16f;
  if (!noHud) {
    g_drawShiftX += ex * step * -5.0f;
    g_drawShiftY += ((hero.centerY + g_drawShiftY) - hy + hero.vy * 0.16f) * step * -5.0f;
  } else {
    g_drawShiftX = (float)(g_drawShiftX + (double)ex * step * -3.2);
    g_drawShiftY = (float)(g_drawShiftY +
                           ((double)(hero.centerY + g_drawShiftY) - hy + 5.0 + hero.vy * 0.16) * step * -6.2);
    if (g_currentMode == 14) g_drawShiftX -= ex * step * 3.2f + step * 600.0f;
  }
  // Whole pixels; a hero flung far out of a level takes the camera beyond int.
  g_drawShiftX = std::trunc(g_drawShiftX);
  g_drawShiftY = std::trunc(g_drawShiftY);
}

void DrawQuestMode(float dt, bool noHud) {
  float step = g_paused ? 0.0f : dt;
  ProcessKeyboardControls();
  ProcessCurrentLevel(step);
  PlayShadowRecording();
  // Paused, the level usually stands still under the panel's darkening: the pause panel shows a
  // copy of both while nothing drawn there changes. At the level end the level stands still under
  // the show's darkening or its closed shutters: the animators end the copy where the show moves.
  const bool levelEnd = GameRects[0].levelFinished && !g_paused;
  if (g_paused || levelEnd)
    PauseBackdrop().Begin();
  else if (PauseBackdrop().Held())
    PauseBackdrop().Release();
  if (display) display->SetBlending(255);
  DrawBackgrounds(step);

  float keepX = g_glScaleX, keepY = g_glScaleY;
  g_gameScreenScale = g_iphoneCustomZoom < 0.5f ? 0.7f : g_iphoneCustomZoom;
  GlScale(g_gameScreenScale, g_gameScreenScale);

  const levelHeader& h = g_levelCur;
  if (display && TintSet(h.particlesA, h.particlesG, h.particlesB))
    display->SetBlending(h.particlesA, h.particlesR, h.particlesG, h.particlesB);
  ProcessAndDrawSmoke(step, 0);
  if (display) display->SetBlending(255);

  ProcessAllRects(step);
  ResortGlobalObjects();
  DrawAllObjects(step);

  if (display) display->SetBlending(h.characterA, h.characterR, h.characterG, h.characterB);
  ProcessAndDrawSmoke(step, 4);
  if (display) {
    display->SetBlending(255);
    display->SetBlending(h.characterA, h.characterR, h.characterG, h.characterB);
  }
  if (!noHud) {
    ParticlesDraw(display, true);
    ParticlesProcess(step);
  }
  if (display) display->SetBlending(255);
  AddWeatherFX(step);

  g_glScaleX = keepX;
  g_glScaleY = keepY;

  if (!noHud) {
    DrawQuestInterface(step);
    DrawButtons();
  }
  g_questAnimatorsHook(dt);
  DrawEffectAnimators(levelEnd ? &PauseBackdrop() : nullptr);
  ProcessFlyTexts(step);
  if (display) DrawFlyTexts(display);
  g_questPausePanelHook(dt);
  PauseBackdrop().End(); // when the panel did not end the layers itself

  UpdateQuestCamera(step, noHud);
  const gameRect& hero = GameRects[0];
  UpdateCurrentRecording(hero.x, hero.y, hero.vx, hero.vy, hero.inAir, hero.animation, hero.frame, hero.dirX,
                         hero.dirY);
}
