// The hidden mini-game: the level runs through the ordinary in-level frame without its HUD, the
// hero is kept running right, a touch jumps, and passing the course end fades to the menu.
#include "minigame.h"

#include <cstdio>
#include <cstdlib>

#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "fly_texts.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "inlevel_mode.h"
#include "level_data.h"
#include "level_header.h"
#include "minigame_sides_look.h"
#include "mission_table.h"
#include "progress_files.h"
#include "quellar_array.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"
#include "texture2d.h"

Surface* minBG1 = nullptr;
float minigameBannerY = 0;
float victoryBlend = 0;

namespace {

const float kRunSpeed = 290.0f;

// Index 0 is the gradient, index 1 frame k the course type 472 + k. A slot already filled is kept.
Surface** SlotOf(int index, int frame) {
  if (index == 0 && frame == 0) return minBG1 ? nullptr : &minBG1;
  return index == 1 ? MinigameCourseSlot(frame) : nullptr;
}

void LeaveForTheMenu() {
  SwitchMode(0);
  if (GameModes[0]) GameModes[0]->fadeActive = 0;
}

} // namespace

// The sides' shape across their picture (minigame_sides_look.h): the flat part and the fade, two
// triangles each, premultiplied.
const ShapeCorner* MiniGameSidesShape(int* corners) {
  namespace look = minigame_sides;
  const float r = look::kColour[0] / 255.0f, g = look::kColour[1] / 255.0f, b = look::kColour[2] / 255.0f;
  const float flat = (float)look::kFlat;
  static const ShapeCorner shape[] = {
      {0, 0, r, g, b, 1},    {flat, 0, r, g, b, 1}, {flat, 1, r, g, b, 1}, {0, 0, r, g, b, 1},
      {flat, 1, r, g, b, 1}, {0, 1, r, g, b, 1},    {flat, 0, r, g, b, 1}, {1, 0, 0, 0, 0, 0},
      {1, 1, 0, 0, 0, 0},    {flat, 0, r, g, b, 1}, {1, 1, 0, 0, 0, 0},    {flat, 1, r, g, b, 1},
  };
  *corners = (int)(sizeof shape / sizeof shape[0]);
  return shape;
}

void ButtonQuit() {
  ClearButtons();
  SwitchMode(0);
}

void miniGame::InitMode() {
  SwitchSoundtrack(1, true, false);
  g_characterID = 7;
  g_levelSelected = 20;
  ClearButtons();
  // Drawn only: StylusDown handles the corner itself.
  AddButtonCustom(MAXX - 25, 18, 52, 52, 0, "", g_guiPause[0], g_guiPause[1], ButtonQuit);
  StartLevelAnew();
  RespawnCharacter(false);
  RegisterScreenSprites(catalogue::MiniGameArt(), nullptr, SlotOf);
  courseEnd = 0;
  for (const gameRect& r : GameRects)
    if (r.active && r.x > courseEnd) courseEnd = r.x;
  // A finished fade or a hidden banner from an earlier visit would end this run at once.
  victoryBlend = 0;
  minigameBannerY = 0;
}

void miniGame::DeInitMode() {
  SafeDelete(minBG1);
  for (int k = 0; k < MINIGAME_COURSE_TYPES; ++k)
    SafeDelete(g_rects[MINIGAME_COURSE_FIRST_TYPE + k][0]);
}

Surface** MinigameCourseSlot(int frame) {
  if (frame < 0 || frame >= MINIGAME_COURSE_TYPES) return nullptr;
  Surface** slot = &g_rects[MINIGAME_COURSE_FIRST_TYPE + frame][0];
  return *slot ? nullptr : slot;
}

void miniGame::Draw(float dt) {
  // Drawn behind the menu's cross-fade once left: the level is the menu's now, so only the fade
  // to black is shown, neither the level run again nor its hero pushed.
  if (g_currentMode != 14) {
    if (display && victoryBlend > 0) {
      display->SetBlending((int)victoryBlend);
      display->FillRect(0, 0, MAXX, MAXY, ColorRGB(0, 0, 0));
      display->SetBlending(255);
    }
    return;
  }
  fadeActive = 0;
  DrawQuestMode(dt, true);
  gameRect& hero = GameRects[0];
  hero.steerable = 1;
  hero.inputSpeed = kRunSpeed;
  hero.vx = kRunSpeed;

  if (g_levelCurrentData.sinceRespawn < 2.0f)
    minigameBannerY += 100 * dt;
  else
    minigameBannerY -= 100 * dt;
  if (minigameBannerY < -50) minigameBannerY = -50;
  if (minigameBannerY > 0) minigameBannerY = 0;

  if (display) {
    display->SetNoBlackEdgesMode();
    const levelHeader& h = g_levelCur;
    if (h.backgroundR != 0)
      display->SetBlending(h.backgroundA, h.backgroundR, h.backgroundG, h.backgroundB);
    else
      display->SetBlending(255);
    // The sides as their shapes, without reading their picture; the picture where they cannot be.
    int corners = 0;
    const ShapeCorner* sides = MiniGameSidesShape(&corners);
    if (!display->ShadeScaled(61, (float)(MAXY / 2), 0.5f, 0.5f, minBG1, sides, corners))
      display->BlitScaled(61, (float)(MAXY / 2), 0.5f, 0.5f, minBG1);
    if (!display->ShadeScaled((float)(MAXX - 61), (float)(MAXY / 2), -0.5f, 0.5f, minBG1, sides, corners))
      display->BlitScaled((float)(MAXX - 61), (float)(MAXY / 2), -0.5f, 0.5f, minBG1);
    if (FontSTD) {
      FontSTD->SetScale(0.3f);
      FontSTD->Render((float)(MAXX / 2), 10, 2, "Vir Idivodor Odid", ColorRGB(0, 0, 0));
    }
    display->BlitScaled((float)(MAXX - 86), minigameBannerY + 18, 0.5f, 0.5f, g_guiDeaths);
    if (FontTime) {
      char text[16];
      snprintf(text, sizeof text, "%i", g_levelCurrentData.deaths);
      FontTime->SetScale(0.5f);
      FontTime->Render((float)(MAXX - 87), minigameBannerY + 24, 0, text);
    }
    display->SetNormalMode();
    display->SetBlending(255);
  }

  ProcessFlyTexts(dt);
  if (display) DrawFlyTexts(display);
  DrawButtons();

  if (hero.x <= courseEnd + 200) return;
  victoryBlend += 50 * dt;
  if (victoryBlend > 255) {
    Missions[15].AddToCounter(1.0f);
    if (g_charactersUnlocked[7] == 0) AddDialogByID(5, nullptr);
    g_charactersUnlocked[7] = 1;
    victoryBlend = 255;
    ClearFlyTexts();
    SwitchMode(0);
    return;
  }
  if (display) {
    display->SetBlending((int)victoryBlend);
    display->FillRect(0, 0, MAXX, MAXY, ColorRGB(0, 0, 0));
    display->SetBlending(255);
  }
  AddFlyText(rand() % MAXX, rand() % MAXY, 0, -120, "Victory!", 0);
}

void miniGame::StylusDown(myPoint* points, int count) {
  GameRects[0].Jump();
  if (!points || count < 1) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  if (x >= MAXX - 60 && x <= MAXX && y >= 0 && y <= 60) {
    LeaveForTheMenu();
  } else if (x >= 0 && x <= 60 && y >= 0 && y <= 60) {
    // Only the pause corner skips the menu's cross-fade.
    SwitchMode(g_finalRelease ? 0 : 10);
  }
}

void miniGame::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0)
    ButtonQuit();
  else if (key == 3 && state == 1)
    GameRects[0].Jump();
}
