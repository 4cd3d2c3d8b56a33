// The mode framework: every screen of the game, created into the mode table by its id.
#include "mode_framework.h"

#include "credits.h"
#include "display.h"
#include "dormant_screens.h"
#include "game_modes.h"
#include "help_screen.h"
#include "inlevel_mode.h"
#include "level_editor.h"
#include "level_selection.h"
#include "lists.h"
#include "loader.h"
#include "main_menu.h"
#include "minigame.h"
#include "options_screen.h"
#include "quellar_array.h"
#include "shop.h"
#include "world_map.h"

void InitGameModes() {
  GameModes[0] = new mainMenu();
  GameModes[1] = new newGame();
  GameModes[2] = new options();
  GameModes[3] = new credits();
  GameModes[4] = new hiscores();
  GameModes[5] = new instructions();
  GameModes[7] = new interLevel();
  GameModes[8] = new mapMode();
  GameModes[9] = new questGame();
  GameModes[10] = new level_editor();
  GameModes[11] = new levelSelection();
  GameModes[12] = new missionsList();
  GameModes[13] = new secretsList();
  GameModes[14] = new miniGame();
  GameModes[15] = new shop();
  GameModes[16] = new help();
  GameModes[17] = new about();
  GameModes[18] = new loader();
  // The loader is entered directly: no previous mode, no cross-fade.
  g_currentMode = 18;
  GameModes[18]->InitMode();
  if (display) {
    display->lineFlag = false;
    display->scaleOverride = false;
    display->SetBlending(255);
  }
}

void DeInitGameModes() {
  g_switchingTo = 9;
  for (gamemode*& mode : GameModes) {
    if (!mode) continue;
    mode->DeInitMode();
    SafeDelete(mode);
  }
}
