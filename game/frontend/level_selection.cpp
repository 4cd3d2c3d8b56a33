// Level selection: the grid of one world's level boxes in its casual or hardcore set, paging
// between the sets, the rule that opens each set's first level, and starting a level behind the
// shutters. The boxes and the character picker are drawn in level_box.cpp.
#include "level_selection.h"

#include <cmath>

#include "animator.h"
#include "background_fitting.h"
#include "buttons.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "display.h"
#include "frontend.h"
#include "game_globals.h"
#include "game_modes.h"
#include "geometry.h"
#include "level_box.h"
#include "level_end.h"
#include "level_layout.h"
#include "menu_hints.h"
#include "progress_files.h"
#include "quest_state.h"
#include "smoke.h"
#include "sound_table.h"
#include "surface.h"

int g_setSelected = 0;

namespace {

const float kInputDelay = 0.2f;
const float kPageDrag = 70; // a longer drag pages to the other set
const float kTapDrag = 30;  // a longer drag is no tap on the picker
const float kPagingSpeed = 1600;

levelSelection* Screen() { return static_cast<levelSelection*>(GameModes[11]); }

bool WorldInTable() { return g_worldSelected >= 0 && g_worldSelected < WORLDS; }

// Worlds whose levels come in one set: the tutorial and the bonus worlds.
bool OneSetWorld(int w) { return w == 0 || (w >= 10 && w <= 15); }

void ResetBoxScales(levelSelection* s) {
  for (float& scale : s->boxScale)
    scale = 0;
}

int BoxX(int col) { return (int)(56 + 75 * col * g_guiShiftX); }
int BoxY(int row) { return 80 + 75 * row; }

s32* Record(int level) { return level >= 0 && level < LEVEL_RECORDS ? g_levelAchievements[level] : nullptr; }

} // namespace

int levelSelection::FirstLevel(int set) {
  if (!WorldInTable() || set < 0 || set > 1) return 0;
  return g_levelStartingIndexes[2 * g_worldSelected + set];
}

void BackToWorldSelect() { SwitchMode(1); }

void GoStartLevel() { SwitchMode(9); }

void ShowCharPanel() {
  if (Screen()) Screen()->pickerOpen = 1;
}

void CasualModeButton() {
  if (levelSelection* s = Screen()) {
    s->popInActive = 1;
    ResetBoxScales(s);
  }
  g_setSelected = (g_setSelected + 1) % g_setMax;
  GenerateRandomHint();
  RegenCasualButtons();
}

void RegenCasualButtons() {
  // The button shows the set shown and switches to the other.
  Surface* normal = g_setSelected == 0 ? select_buttons[5] : select_buttons[8];
  Surface* pressed = g_setSelected == 0 ? select_buttons[4] : select_buttons[7];
  Buttons[0].Init(MAXX / 2 + 6, 21, 146, 48, 0, "", normal, pressed, CasualModeButton);
}

void HardcoreModeButton() {
  if (levelSelection* s = Screen()) {
    s->popInActive = 1;
    ResetBoxScales(s);
    s->pressedBox = s->hoverBox = -1;
  }
  g_setSelected = 1;
}

void levelSelection::InitMode() {
  ResetCurrentTrackPlayingTime();
  inputDelay = kInputDelay;
  SwitchSoundtrack(0, false, false);
  LoadCommonMainMenuGFX();

  pickerOpen = 0;
  pickerTapPending = 0;
  pickerAppear = 0;
  pressedBox = hoverBox = -1;
  g_drawShiftX = g_drawShiftY = 0;
  dragDistance = 0;
  pagingActive = 0;
  pagingOffset = 0;
  hintAlpha = hintTimer = 0;

  GenerateRandomHint();
  // Only a skin's id has frames and a place on the strip; anything else plays the default hero.
  GlobalData.characterIndex = AcceptedCharacterId(GlobalData.characterIndex);
  g_characterID = GlobalData.characterIndex;
  LoadCharacter(g_characterID);
  pickerOffset = -130.0f * g_characterID;
  pickerScroller.Assign(&pickerOffset, 5, 0.92f, -931, 0);
  pickerScroller.pageSize = PICKER_STEP;
  pickerScroller.snapRate = 19;

  ShroomPanel.Init(40, 17, 1);

  ResetBoxScales(this);
  boxCount = WorldInTable() ? g_levelAmounts[g_worldSelected] : 0;
  popInActive = 1;
  singleSet = 0;

  SafeDelete(select_bg[0]);
  SafeDelete(select_bg[1]);
  g_loadUpdateFunction = nullptr;
  if (WorldInTable()) {
    // The rows are by world: only the selected world's two backgrounds are made.
    RegisterScreenSprites(catalogue::LevelSelectionArt(), nullptr, [](int world, int frame) -> Surface** {
      return world == g_worldSelected && frame >= 0 && frame <= 1 ? &select_bg[frame] : nullptr;
    });
    singleSet = OneSetWorld(g_worldSelected) ? 1 : 0;
  }

  ClearButtons();
  RegenCasualButtons();
  if (singleSet) {
    Buttons[0].active = 0;
    g_setSelected = 0;
  }
  AddButtonCustom(31, MAXY - 24, 50, 50, 0, "", select_buttons[0], select_buttons[1], BackToWorldSelect);
  AddButtonCustom(MAXX - 20, 15, 146, 48, 0, "", select_buttons[9], select_buttons[10], ShowCharPanel);

  keyboardFocus = -1;
  touchHeld = 0;
}

void levelSelection::DeInitMode() {
  // Play needs the memory; the pause panel's options still draw with their own sprites.
  if (g_switchingTo == 9) UnLoadCommonMainMenuGFXForPlay();
}

void levelSelection::ChooseLevel(int n) {
  g_levelSelected = n;
  const s32* r = Record(n);
  bool playable = g_finalRelease == 0 || (r && (r[LEVEL_WORD_OPENED] != 0 || r[LEVEL_WORD_COMPLETIONS] >= 1));
  if (!playable) return;
  EnginePlaySound(47, 1);
  AddShuttersAnimation(GoStartLevel);
}

int levelSelection::BoxAt(int x, int y) const {
  int found = -1;
  for (int k = 0; k < boxCount && k < 20; ++k) {
    int row = k / 6, col = k % 6;
    int cx = BoxX(col);
    myRect hit((float)(cx - 34), (float)(46 + 75 * row), (float)(cx + 34), (float)(114 + 75 * row));
    if (hit.Contains(x, y)) found = k;
  }
  return found;
}

void levelSelection::StylusDown(myPoint* points, int) {
  if (inputDelay > 0 || !points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  touchHeld = 1;
  dragDistance = 0;
  lastTouchX = x;
  if (pickerOpen) {
    PickerStylusDown(x);
    return;
  }
  pressedBox = BoxAt(x, y);
  if (pressedBox >= 0) EnginePlaySound(47, 0);
  ButtonsStylus(x, y, false);
  ShroomPanel.StylusDown(x, y);
}

void levelSelection::StylusMove(myPoint* points, int) {
  if (inputDelay > 0 || !points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  if (pickerOpen) PickerStylusMove(x);
  dragDistance -= (float)(x - lastTouchX);
  lastTouchX = x;
  if (std::fabs(dragDistance) > kTapDrag) pickerTapPending = 0;
  pressedBox = BoxAt(x, y);
  ButtonsStylus(x, y, false);
  ShroomPanel.StylusMove(x, y);
}

void levelSelection::StylusUp(myPoint* points, int) {
  if (inputDelay > 0 || touchHeld != 1 || !points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  if (pickerOpen) {
    PickerStylusUp(x, y);
    return;
  }
  touchHeld = 0;
  pressedBox = -1;
  if ((dragDistance > kPageDrag || dragDistance < -kPageDrag) && !singleSet) {
    EnginePlaySound(38, 0);
    pagingActive = 1;
    pagingOffset = 0;
    pagingDirection = dragDistance > kPageDrag ? 1 : -1;
    return;
  }
  int box = BoxAt(x, y);
  if (box >= 0) ChooseLevel(FirstLevel(g_setSelected) + box);
  ButtonsStylus(x, y, true);
  ShroomPanel.StylusUp(x, y);
}

void levelSelection::StylusHover(myPoint* points, int) {
  if (!points) return;
  int x = (int)points[0].x, y = (int)points[0].y;
  ButtonsStylusHover(x, y);
  hoverBox = -1;
  if (!pickerOpen) {
    hoverBox = BoxAt(x, y);
    keyboardFocus = -1;
  }
}

void levelSelection::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) {
    if (pickerOpen)
      pickerOpen = 0;
    else
      BackToWorldSelect();
    return;
  }
  if (state != 1) return;
  switch (key) {
  case 2:
    if (++keyboardFocus >= boxCount) {
      if (!singleSet && g_setSelected == 0) {
        CasualModeButton();
        keyboardFocus = 0;
      } else {
        keyboardFocus = boxCount - 1;
      }
    }
    break;
  case 1:
    if (keyboardFocus < 0) keyboardFocus = 0;
    if (--keyboardFocus < 0) {
      if (!singleSet && g_setSelected == 1) {
        CasualModeButton();
        keyboardFocus = boxCount - 1;
      } else {
        keyboardFocus = 0;
      }
    }
    break;
  case 4:
    if (keyboardFocus < 0) keyboardFocus = 0;
    keyboardFocus += 6;
    if (keyboardFocus >= boxCount) keyboardFocus -= 6;
    break;
  case 3:
    if (keyboardFocus < 0) keyboardFocus = 0;
    keyboardFocus -= 6;
    if (keyboardFocus < 0) keyboardFocus += 6;
    break;
  case 5:
    if (keyboardFocus >= 0 && keyboardFocus < boxCount)
      ChooseLevel(FirstLevel(g_setSelected) + keyboardFocus);
    return;
  default:
    return;
  }
  hoverBox = -1;
}

void levelSelection::DrawBoxes(int firstLevel, int shiftX, float dt) {
  for (int k = 0; k < boxCount && k < 20; ++k)
    DrawLevelBox(shiftX + BoxX(k % 6), BoxY(k / 6), k, firstLevel + k, boxScale[k], dt);
}

void levelSelection::DrawHint(float dt) {
  hintTimer += dt;
  if (hintTimer > 2 && hintTimer <= 7) {
    hintAlpha += 6 * dt;
    if (hintAlpha > 1) hintAlpha = 1;
  } else if (hintTimer > 7) {
    hintAlpha -= 6 * dt;
    if (hintAlpha < 0) hintAlpha = 0;
  }
  if (hintTimer <= 2 || !display) return;
  display->SetBlending((int)(hintAlpha * 255));
  display->BlitScaled((float)(MAXX - 41), (float)(MAXY - 42), 0.5f * hintAlpha, 0.5f * hintAlpha,
                      newGamePanel[1]);
  DrawMenuHint((int)((MAXX / 2) * g_guiShiftX), MAXY - 29, hintAlpha, newGamePanel[2]);
  display->SetBlending(255);
}

void levelSelection::Draw(float dt) {
  inputDelay -= dt;
  Surface* shown = g_setSelected == 0 ? select_bg[0] : select_bg[1];
  SmartDrawBackgroundIphone5(0, 0, shown, false, false);

  if (!singleSet && display) {
    display->BlitScaled((float)(MAXX / 2 - 9), (float)(MAXY - 20), 0.5f, 0.5f,
                        g_setSelected == 0 ? menuBall[1] : menuBall[0]);
    display->BlitScaled((float)(MAXX / 2 + 9), (float)(MAXY - 20), 0.5f, 0.5f,
                        g_setSelected == 0 ? menuBall[0] : menuBall[1]);
  }

  if (pagingActive) {
    hintTimer = hintAlpha = 0;
    Surface* other = g_setSelected == 0 ? select_bg[1] : select_bg[0];
    float shift = MAXX * pagingDirection + pagingOffset;
    if (!g_ratio_is_less_1_5) {
      if (display) display->BlitScaled(MAXX / 2 + shift, (float)(MAXY / 2), 0.5f, 0.5f, other);
    } else {
      SmartDrawBackgroundIphone5((int)shift, 0, other, false, false);
    }
  }

  for (int i = 0; i < 20; ++i) {
    float& s = boxScale[i];
    if (popInActive) {
      s += 10 * dt;
      if (s > 1.1f) popInActive = 0;
    } else if ((i == hoverBox && !touchHeld) || i == keyboardFocus) {
      s += 5 * dt;
      if (s > 1.2f) s = 1.2f;
    } else if (i == pressedBox) {
      s += 5 * dt;
      if (s > 1.3f) s = 1.3f;
    } else {
      s -= 5 * dt;
      if (s < 1.0f) s = 1.0f;
    }
  }

  if (display) display->SetNoBlackEdgesMode();
  int o = pagingActive ? (int)pagingOffset : 0;
  if (pagingActive) {
    pagingOffset += -kPagingSpeed * pagingDirection * dt;
    DrawBoxes(FirstLevel(g_setSelected == 0 ? 1 : 0), MAXX * pagingDirection + o, dt);
    if ((pagingDirection == 1 && pagingOffset < -MAXX) || (pagingDirection == -1 && pagingOffset > MAXX)) {
      pagingOffset = 0;
      pagingActive = 0;
      if (pagingDirection == 1)
        g_setSelected = (g_setSelected + 1) % g_setMax;
      else if (--g_setSelected < 0)
        g_setSelected = g_setMax - 1;
      RegenCasualButtons();
    }
  }

  // The first level of every set is open: a fresh save can always start somewhere.
  if (s32* first = Record(FirstLevel(g_setSelected)))
    if (WorldInTable() && first[LEVEL_WORD_OPENED] == 0 && first[LEVEL_WORD_COMPLETIONS] == 0)
      first[LEVEL_WORD_OPENED] = 1;
  DrawBoxes(FirstLevel(g_setSelected), o, dt);

  DrawButtons();
  if (display) display->SetNormalMode();

  DrawHint(dt);

  if (!singleSet && display)
    display->BlitRotatedScale((float)(MAXX / 2 + 55), 19, 0.4f * std::sin(3 * g_timef),
                              0.5f + 0.05f * std::cos(g_timef), 0.5f + 0.05f * std::sin(g_timef),
                              easyButtonRotater[0]);

  DrawHeroPreview();
  ProcessAndDrawSmoke(dt, 100);
  DrawPicker(dt);

  ShroomPanel.Draw();
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}
