// The main menu: the demo level behind, the play button, the bottom bar with its sub-menus and
// their labels, the quit question and the two rating requests.
#include "main_menu.h"

#include <cstring>

#include "animator.h"
#include "buttons.h"
#include "display.h"
#include "front_pieces.h"
#include "frontend.h"
#include "game_base.h"
#include "game_globals.h"
#include "game_rect.h"
#include "geometry.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "inlevel_mode.h"
#include "platform_services.h"
#include "progress_files.h"
#include "recordings.h"
#include "sound_table.h"
#include "sprite_tables.h"
#include "static_backdrop.h"
#include "surface.h"

namespace {

// The bar along the bottom, the buttons and what opens from them, standing over the demo run that
// keeps moving: shown as one picture of them while they stand still. Its textures go with GL, not at
// exit.
StaticBackdrop& Overlay() {
  static StaticBackdrop* overlay = new StaticBackdrop();
  return *overlay;
}

struct SubButton {
  int sprite; // index into buttonMain
  void (*action)();
  const char* label;
};

// Sub-menu i's buttons in slot order (slots 10 + 5i + j); sub-menu 1 never opens.
const SubButton kSubButtons[4][4] = {
    {{6, InitCredits, "credits"}, {8, GoHelp, "help"}, {-1, nullptr, ""}, {-1, nullptr, ""}},
    {{-1, nullptr, ""}, {-1, nullptr, ""}, {-1, nullptr, ""}, {-1, nullptr, ""}},
    {{10, GoShop, "shop"},
     {11, GoMissionsList, "missions"},
     {12, GoSecretsList, "secrets"},
     {13, GoMiniGame, "minigame"}},
    {{7, GoToSite, "more games"}, {9, GoVideo, "video"}, {-1, nullptr, ""}, {-1, nullptr, ""}},
};
const float kSubTargets[4] = {0.72f, 1.0f, 1.28f, 0.72f};
const float kAnchors[4] = {42, 107, 371, 436};

int BarShift() { return g_ratio_is_more_1_5 ? (MAXX - 480) / 2 : 0; }

void AddSlot(int slot, int x, int y, int w, int h, Surface* normal, Surface* pressed, void (*action)()) {
  Buttons[slot].Init(x, y, w, h, 1, "", normal, pressed, action);
}

} // namespace

void mainMenu::InitMode() {
  LoadCommonMainMenuGFX();
  g_levelSelected = 0;
  g_characterID = 0;
  RespawnCharacter(false);
  // The pack's demo run of level 0 drives the hero behind the menu; without one it stands.
  RecordingsPlayReplay();
  ClearButtons();
  inputDelay = 0.1f;
  int d = BarShift();
  AddSlot(0, MAXX / 2, MAXY - 56, 110, 66, buttonMain[0], buttonMain[1], GoWorldSelect);
  AddSlot(50, 42 + d, MAXY - 34, 55, 55, buttonMain[2], buttonMain[2], GoSubmenu1);
  AddSlot(51, 109 + d, MAXY - 34, 55, 55, buttonMain[3], buttonMain[3], GoSubmenu2);
  AddSlot(52, 371 + d, MAXY - 34, 55, 55, buttonMain[4], buttonMain[4], GoSubmenu3);
  AddSlot(53, 436 + d, MAXY - 34, 55, 55, buttonMain[5], buttonMain[5], GoSubmenu4);
  for (int i = 0; i < 4; ++i) {
    subOpen[i] = 0;
    subProgress[i] = 0;
  }
  SwitchSoundtrack(0, false, false);

  const s32 balance = g_globalAchievements[GLOBAL_WORD_MUSHROOMS];
  if (balance > 5 && g_levelAchievements[54][LEVEL_WORD_COMPLETIONS] > 0 &&
      g_ratemeShownOrCompleted[2] != 1 && g_ratemeShownOrCompleted[0] != 1) {
    g_ratemeShownOrCompleted[0] = 1;
    AddDialogByID(1, nullptr);
    SaveOptions();
  }
  if (balance > 5 && g_levelAchievements[103][LEVEL_WORD_COMPLETIONS] > 0 &&
      g_ratemeShownOrCompleted[2] != 1 && g_ratemeShownOrCompleted[1] != 1) {
    g_ratemeShownOrCompleted[1] = 1;
    AddDialogByID(6, nullptr);
    SaveOptions();
  }
}

void mainMenu::DeInitMode() {
  // Options lies over the menu, which it draws below its panel, picture and all.
  if (g_switchingTo != 2) Overlay().Release();
  for (int i = 0; i < 4; ++i) {
    subOpen[i] = 0;
    subProgress[i] = 0;
  }
  g_playingRecording = false;
}

bool mainMenu::AnySubmenuOpen() const {
  for (u8 open : subOpen)
    if (open) return true;
  return false;
}

void mainMenu::CloseSubmenus() {
  for (int i = 0; i < 4; ++i) {
    subOpen[i] = 0;
    labelScale[i] = 0;
    labelTime[i] = 0;
  }
}

void mainMenu::ActivateSubmenu(int i) {
  if (i < 0 || i >= 4) return;
  bool wasOpen = subOpen[i];
  CloseSubmenus();
  if (wasOpen) return;
  subOpen[i] = 1;
  subBaseY = (float)(MAXY - 35);
  for (int k = 0; k < 4; ++k)
    subAnchorX[k] = kAnchors[k] + BarShift();
  subTarget[i] = 1.0f;
  for (char* label : subLabels)
    label[0] = 0;
  for (int j = 0; j < 4; ++j) {
    const SubButton& b = kSubButtons[i][j];
    if (b.sprite < 0) continue;
    AddSlot(10 + 5 * i + j, (int)subAnchorX[i], MAXY - 34, 55, 55, buttonMain[b.sprite], buttonMain[b.sprite],
            b.action);
    strncpy(subLabels[j], b.label, sizeof(subLabels[j]) - 1);
  }
  subTarget[i] = kSubTargets[i];
  // Pressable only once unfolded.
  for (int slot = 10; slot < 30; ++slot)
    Buttons[slot].disabled = 1;
}

void mainMenu::Draw(float dt) {
  inputDelay -= dt;
  DrawQuestMode(dt, true);
  for (int i = 0; i < 4; ++i) {
    if (!subOpen[i]) {
      subProgress[i] -= 7 * dt;
      if (subProgress[i] <= 0) {
        subProgress[i] = 0;
        for (int j = 0; j < 4; ++j)
          Buttons[10 + 5 * i + j].active = 0;
      }
      continue;
    }
    subProgress[i] += 7 * dt;
    if (subProgress[i] >= subTarget[i]) {
      subProgress[i] = subTarget[i];
      for (int j = 0; j < 4; ++j) {
        Buttons[10 + 5 * i + j].disabled = 0;
        labelTime[j] += dt;
        float goal = labelTime[j] < 2.0f ? 1.0f : 0.0f;
        if (labelScale[j] < goal)
          labelScale[j] = labelScale[j] + 7 * dt > goal ? goal : labelScale[j] + 7 * dt;
        else if (labelScale[j] > goal)
          labelScale[j] = labelScale[j] - 7 * dt < goal ? goal : labelScale[j] - 7 * dt;
      }
    }
  }
  for (int i = 0; i < 4; ++i) {
    float unfolded = subTarget[i] > 0 ? subProgress[i] / subTarget[i] : 0;
    if (unfolded > 1) unfolded = 1;
    for (int j = 0; j < 4; ++j) {
      button& b = Buttons[10 + 5 * i + j];
      b.y = (int)((MAXY - 34) + (j + 1) * unfolded * -60);
      b.UpdatePos();
    }
  }
  if (!display) return;
  // The frame's copy takes in only the demo; what stands over it is a picture of its own, or, under
  // the options panel, part of the panel's picture with the darkening over it.
  FrameBackdrop().End();
  const bool underOptions = g_currentMode == 2;
  (underOptions ? FrameBackdrop() : Overlay()).BeginLayers();
  for (int i = 0; i < 4; ++i)
    if (subProgress[i] > 0)
      display->BlitScaled(subAnchorX[i], subBaseY - 60 * subProgress[i], 0.5f, 0.5f * subProgress[i],
                          mainmenuSub[0]);
  display->BlitScaled((float)(MAXX / 2), (float)(MAXY - 25), 0.5f, 0.5f, mainmenuBottom[0]);
  if (mainmenuBottom[1] && mainmenuBottom[2] && g_ratio_is_more_1_5) {
    float wl = mainmenuBottom[1]->GetWidth(), wr = mainmenuBottom[2]->GetWidth();
    display->BlitScaled((float)(int)(MAXX / 2 - 240 - wl / 4 + 1), (float)(MAXY - 30), 0.5f, 0.5f,
                        mainmenuBottom[1]);
    display->BlitScaled((float)(int)(MAXX / 2 + 240 + wr / 4), (float)(MAXY - 30), 0.5f, 0.5f,
                        mainmenuBottom[2]);
  }
  if (FontHintText)
    for (int i = 0; i < 4; ++i) {
      if (subProgress[i] <= 0) continue;
      for (int j = 0; j < 4; ++j) {
        if (!subLabels[j][0]) continue;
        const button& b = Buttons[10 + 5 * i + j];
        FontHintText->SetScale(labelScale[j] * 0.3f);
        FontHintText->Render((float)(int)(b.x - 6), (float)(int)(b.y + 26), 2, subLabels[j],
                             ColorRGB(60, 60, 60));
      }
    }
  DrawButtons();
  if (!underOptions) Overlay().EndLayers();
  ProcessEffectAnimators(dt);
  DrawEffectAnimators();
}

void mainMenu::Touch(myPoint* points, bool release) {
  if (inputDelay > 0) return;
  DialogsThenButtons(points, release);
}

void mainMenu::StylusDown(myPoint* points, int) { Touch(points, false); }
void mainMenu::StylusUp(myPoint* points, int) { Touch(points, true); }
void mainMenu::StylusMove(myPoint* points, int) { Touch(points, false); }

void mainMenu::KeyboardEvent(int key, int state) {
  if (key == 6 && state == 0) {
    if (AnySubmenuOpen()) {
      CloseSubmenus();
      return;
    }
    g_bExitDlgOn = 1;
    int slot = AddDialogByID(7, nullptr);
    if (slot >= 0) {
      HelpDialogs[slot].buttons[0].action = mainMenu_QuitYes;
      HelpDialogs[slot].buttons[1].action = mainMenu_QuitNo;
    }
  } else if (key == 5 && state == 1) {
    GoWorldSelect();
  }
}

void mainMenu_QuitYes() {
  if (!g_pGame) return;
  KillDialogs();
  g_bExitDlgOn = 0;
  SaveAllData();
  g_pGame->SetFinished(2);
}

void mainMenu_QuitNo() {
  if (!g_pGame) return;
  KillDialogs();
  g_bExitDlgOn = 0;
}
