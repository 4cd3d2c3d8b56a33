// Level selection's level boxes (a level record at a glance) and its character picker: the strip of
// the eight characters, in which the centred unlocked one becomes the current one, a locked one
// leads to the shop, and the corner preview of the current character.
#include "level_box.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "buttons.h"
#include "catalogue.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "geometry.h"
#include "hge_font.h"
#include "level_header.h"
#include "level_selection.h"
#include "progress_files.h"
#include "smoke.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "surface.h"

int shiftVal = -62;
int shiftEx = 5;
int shiftY = 144;
int lastCharacter = 0;

namespace {

const char kNames[PICKER_CHARACTERS][20] = {"Sprocklet", "Demon",    "Mr. Jario",  "Slicker",
                                            "Superstar", "Stickman", "Zombie Boy", "Possible Guy"};
// The preview's offsets in the corner, per character, so each stands on the same line.
const int kPreviewDx[PICKER_CHARACTERS] = {0, 0, -3, -1, -2, 0, -1, -2};
const int kPreviewDy[PICKER_CHARACTERS] = {0, 0, 2, 3, 2, 2, 3, 2};
// Below this strip offset character 7 is the centred one.
const int kHiddenCharacterOffset = -864;

int Alpha(float a) { return a < 0 ? 0 : a > 255 ? 255 : (int)a; }

bool Unlocked(int id) { return id >= 0 && id < 15 && g_charactersUnlocked[id] != 0; }

} // namespace

const char* PickerCharacterName(int id) { return id >= 0 && id < PICKER_CHARACTERS ? kNames[id] : nullptr; }

void levelSelection::DrawLevelInfoPanel(int x, int y, int, int, float, float) {
  if (!display || !g_black) return;
  display->SetBlending(255, 0, 0, 0);
  display->BlitScaled((float)x, (float)y, 5.0f, 3.0f, g_black);
  display->SetBlending(255);
}

void levelSelection::DrawLevelBox(int x, int y, int box, int level, float scale, float) {
  if (level < 0 || level >= LEVEL_RECORDS) return;
  const s32* r = g_levelAchievements[level];
  const float s = scale / 2;
  const s32 rank = r[LEVEL_WORD_RANK], completions = r[LEVEL_WORD_COMPLETIONS];
  bool locked = false;
  Surface* frame;
  if (rank == 4) {
    frame = levelFrame[2];
    if (rand() % 40 == 0)
      AddSmoke2(g_smoke[20], (int)(x + randFloat(-25, 25)), (int)(y + randFloat(-25, 25)), 0, 0,
                randFloat(9, 13), 0, 0, 0, 9, 255, 0, 0, 100);
  } else if (completions > 0) {
    frame = levelFrame[1];
  } else if (r[LEVEL_WORD_OPENED] != 0) {
    frame = levelFrame[5];
  } else {
    frame = levelFrame[0];
    locked = true;
  }
  DrawScaled((float)x, (float)y, s, s, frame);

  const int character = AcceptedCharacterId(g_characterID);
  if (r[LEVEL_WORD_MUSHROOM + character] != 0) {
    float wobble = box + 8 * g_timef;
    DrawScaled(x - 46 * s, y - 46 * s, s - 0.1f + 0.05f * std::sin(wobble),
               s - 0.1f + 0.05f * std::cos(wobble), levelFrame[3]);
  }

  if (rank != 4) {
    int marks = rank < 3 ? rank : 3;
    for (int m = 0; m < marks; ++m)
      DrawScaled(x - 34 * s + 32 * m * s, y + 34 * s, s, s, levelFrame[4]);
  }

  if (FontLevelID && !locked && completions > 0) {
    char number[16];
    snprintf(number, sizeof number, "%i", box + 1);
    FontLevelID->SetScale(s);
    FontLevelID->Render((float)(x - 8), (float)(y - 12), 2, number, ColorRGB(255, 255, 255));
  }
}

void levelSelection::DrawCharacterSelectionIcon(int x, int y, int id, float scale, float) {
  if (id < 0 || id >= PICKER_CHARACTERS) return;
  const int locked = Unlocked(id) ? 0 : 1;
  DrawScaled((float)x, (float)y, scale, scale, pickCharPanel[locked]);
  DrawScaled((float)x, y - 70 * scale, scale, scale, pickedCharIcons[3 * id + locked]);
  if (!locked) DrawScaled((float)x, y + shiftY * scale, scale, scale, pickedCharIcons[3 * id + 2]);
}

void levelSelection::DrawHeroPreview() {
  gameRect& hero = GameRects[0];
  // Re-made each frame so that it carries the current character's scale and frames.
  if (!pickerOpen) hero.Init(0, g_levelCur.startX, g_levelCur.startY, HERO_TYPE, false);
  const int id = AcceptedCharacterId(g_characterID);
  float scale = hero.heroScale;
  // The object keeps a row's length a hair under its frame count, so that its clock wraps after
  // the last frame: rounded, it is the number of frames to cycle.
  int frames = (int)std::lround(hero.animLength[0]);
  if (id == PICKER_HIDDEN_CHARACTER) {
    frames = 2;
    scale *= 0.7f;
  }
  Surface* frame = CharacterLoopFrame(0, frames, (int)(g_timef * 10));
  float x = (float)(MAXX - 15), y = 10;
  if (!pickerOpen) {
    x += kPreviewDx[id];
    y += kPreviewDy[id];
  }
  DrawScaled(x, y, scale, scale, frame);
}

void levelSelection::DrawPicker(float dt) {
  pickerScroller.Process(dt);
  if (pickerOpen) {
    pickerAppear += 5 * dt;
    if (pickerAppear > 1) pickerAppear = 1;
  } else {
    pickerAppear -= 5 * dt;
    if (pickerAppear < 0) pickerAppear = 0;
  }
  if (!pickerOpen && pickerAppear <= 0) return;

  if (display) display->SetBlending(255);
  DrawScaled((float)(MAXX / 2), (float)(MAXY / 2), (MAXX / 3) * pickerAppear, 0.5f, pickCharMask[0]);
  for (int id = 0; id < PICKER_CHARACTERS; ++id) {
    const int x = (int)(pickerOffset + MAXX / 2 + PICKER_STEP * id), y = MAXY / 2;
    float s = 0.5f - 0.0015f * std::abs(MAXX / 2 - x);
    if (s < 0.031f) s = 0.031f;
    const bool unlocked = Unlocked(id);
    const bool centred = s > 0.4f;
    if (centred) {
      // Selection follows the strip; the character is loaded when the picker closes.
      centredCharacterUnlocked = unlocked ? 1 : 0;
      if (unlocked) g_characterID = GlobalData.characterIndex = id;
    }
    DrawCharacterSelectionIcon(x, y, id, pickerAppear * s, dt);
    if (pickerTapPending && centred && display) {
      display->SetOverlayMode();
      display->SetBlending(100, 100, 100, 100);
      DrawCharacterSelectionIcon(x, y, id, pickerAppear * s, dt);
      display->SetBlending(255);
      display->SetNormalMode();
    }
    if (s <= 0.3f || !display) continue;
    const int lift = (int)(shiftVal * s);
    const float labelY = (float)(y + shiftEx - lift);
    if (unlocked) {
      if (FontSTD) {
        FontSTD->SetScale(pickerAppear * s * 0.7f);
        display->SetBlending(Alpha((s - 0.32f) * 1255));
        FontSTD->Render((float)x, labelY, 2, kNames[id], ColorRGB(0, 0, 0));
      }
    } else if (id == PICKER_HIDDEN_CHARACTER) {
      if (FontSTD) {
        display->SetBlending(Alpha((s - 0.33f) * 1255));
        FontSTD->SetScale(pickerAppear * s * 0.6f);
        FontSTD->Render((float)x, labelY + 20, 2, "Win Mini-Game", ColorRGB(0, 0, 0));
        FontSTD->Render((float)x, labelY + 32, 2, "to unlock.*", ColorRGB(0, 0, 0));
        FontSTD->SetScale(pickerAppear * s * 0.35f);
        FontSTD->SetSpacing(0.2f);
        FontSTD->spaceExtra = 1;
        FontSTD->Render((float)x, labelY + 46, 2, "*hidden in 3rd sub-menu", ColorRGB(0, 0, 0));
        FontSTD->Render((float)x, labelY + 55, 2, "of the Start Menu.", ColorRGB(0, 0, 0));
        FontSTD->SetSpacing(0.7f);
        FontSTD->spaceExtra = 6;
      }
    } else {
      display->SetBlending(Alpha((s - 0.32f) * 1255), 255, 255, 255);
      display->SetNormalMode();
      DrawScaled((float)x, labelY + 30, s, s, buyNow[0]);
      display->SetNoBlackEdgesMode();
    }
    display->SetBlending(255);
  }
}

void levelSelection::PickerStylusDown(int x) {
  pickerScroller.StylusDown(x, x);
  pickerTapPending = 1;
}

void levelSelection::PickerStylusMove(int x) {
  if (lastCharacter != g_characterID) EnginePlaySound(38, 0);
  lastCharacter = g_characterID;
  pickerScroller.StylusMove(x, x);
}

void levelSelection::PickerStylusUp(int x, int y) {
  pickerScroller.StylusUp(x, x);
  ButtonsStylus(x, y, true);
  // A button that left the screen (back) has taken the touch.
  if (g_currentMode != 11 || !pickerTapPending) return;
  if (centredCharacterUnlocked) {
    EnginePlaySound(47, 1);
    pickerOpen = 0;
    g_characterID = GlobalData.characterIndex;
    LoadCharacter(g_characterID);
  } else if ((int)pickerOffset >= kHiddenCharacterOffset) {
    pickerTapPending = 0;
    SwitchMode(15);
  } else {
    pickerTapPending = 0;
  }
}
