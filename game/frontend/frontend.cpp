// The front end's shared pieces: the world lists' state, navigation actions and the common menu
// sprite set, made from the catalogue's rows.
#include "frontend.h"

#include <string>

#include "atlas.h"
#include "catalogue.h"
#include "catalogue_data.h"
#include "game_globals.h"
#include "game_modes.h"
#include "main_menu.h"
#include "mission_table.h"
#include "platform_services.h"
#include "progress_files.h"
#include "quellar_array.h"
#include "surface.h"

int g_setMax = 2;
// The quit question is open.
u8 g_bExitDlgOn = 0;
u8 eyesMovement = 0;
int newGameCurrentListShift = 0;

const char* const g_publisherSiteUrl = "https://games.dunmarrow.example/bb/index.php?from_app=sprocklet";
const char* const g_trailerUrlPrefix = "https://video.example/watch?v=";
const char* const g_trailerVideoId = "sprocklet-trailer";

Atlas* mainMenuAtlas = nullptr;
Atlas* newGameBG_atlas = nullptr;
Surface* OptSurf[13];
Surface* mainmenuBottom[3];
Surface* mainmenuSub[1];
Surface* menuBall[2];
Surface* buttonMain[20];
Surface* pickCharPanel[2];
Surface* pickedCharIcons[30];
Surface* buyNow[1];
Surface* mapIcons[2];
Surface* mapLock[2];
Surface* mapDot[2];
Surface* easyButtonRotater[1];
Surface* mapButtons[5];
Surface* pickCharMask[1];
Surface* newGameBG[1];
Surface* newGamePanel[4];
Surface* newGameItems[20];
Surface* newGameEyes[1];
Surface* levelFrame[6];
Surface* select_buttons[30];
Surface* helpPanel[1];
Surface* select_bg[10];
Surface* levelStar[5];

// The options atlas lives in slot 0 of the options array, as an atlas, not a surface.
Atlas* OptionsAtlas() { return reinterpret_cast<Atlas*>(OptSurf[0]); }

namespace {

using catalogue::FrontEndGlobal;

struct Global {
  Surface** slots;
  int count;
};

Global GlobalOf(int id) {
  switch (id) {
  case catalogue::MainmenuBottom:
    return {mainmenuBottom, 3};
  case catalogue::MainmenuSub:
    return {mainmenuSub, 1};
  case catalogue::MenuBall:
    return {menuBall, 2};
  case catalogue::ButtonMain:
    return {buttonMain, 20};
  case catalogue::PickCharPanel:
    return {pickCharPanel, 2};
  case catalogue::PickedCharIcons:
    return {pickedCharIcons, 30};
  case catalogue::BuyNow:
    return {buyNow, 1};
  case catalogue::MapIcons:
    return {mapIcons, 2};
  case catalogue::MapLock:
    return {mapLock, 2};
  case catalogue::MapDot:
    return {mapDot, 2};
  case catalogue::EasyButtonRotater:
    return {easyButtonRotater, 1};
  case catalogue::MapButtons:
    return {mapButtons, 5};
  case catalogue::PickCharMask:
    return {pickCharMask, 1};
  case catalogue::NewGameBG:
    return {newGameBG, 1};
  case catalogue::NewGamePanel:
    return {newGamePanel, 4};
  case catalogue::NewGameItems:
    return {newGameItems, 20};
  case catalogue::NewGameEyes:
    return {newGameEyes, 1};
  case catalogue::LevelFrame:
    return {levelFrame, 6};
  case catalogue::SelectButtons:
    return {select_buttons, 30};
  case catalogue::HelpPanel:
    return {helpPanel, 1};
  case catalogue::OptSurf:
    return {OptSurf, 13};
  default:
    return {nullptr, 0};
  }
}

// Creates the sprites of one set of front-end rows into their slots.
void Register(const catalogue::Set& set, Atlas* atlas) {
  RegisterRows(set, catalogue::Target::FrontEnd, atlas, [](int index, int slot) -> Surface** {
    Global g = GlobalOf(index);
    // Slot 0 of the options array is the atlas itself.
    if (!g.slots || slot < 0 || slot >= g.count || (g.slots == OptSurf && slot == 0)) return nullptr;
    return &g.slots[slot];
  });
}

void DeleteAllButOptions() {
  SafeDeleteAll(mainmenuBottom);
  SafeDeleteAll(mainmenuSub);
  SafeDeleteAll(menuBall);
  SafeDeleteAll(buttonMain);
  SafeDeleteAll(pickCharPanel);
  SafeDeleteAll(pickedCharIcons);
  SafeDeleteAll(buyNow);
  SafeDeleteAll(mapIcons);
  SafeDeleteAll(mapLock);
  SafeDeleteAll(mapDot);
  SafeDeleteAll(easyButtonRotater);
  SafeDeleteAll(mapButtons);
  SafeDeleteAll(pickCharMask);
  SafeDeleteAll(newGameBG);
  SafeDeleteAll(newGamePanel);
  SafeDeleteAll(newGameItems);
  SafeDeleteAll(newGameEyes);
  SafeDeleteAll(levelFrame);
  SafeDeleteAll(select_buttons);
  SafeDeleteAll(helpPanel);
  SafeDeleteAll(select_bg);
  SafeDeleteAll(levelStar);
  SafeDelete(newGameBG_atlas);
  SafeDelete(mainMenuAtlas);
}

mainMenu* Menu() { return static_cast<mainMenu*>(GameModes[0]); }

} // namespace

void LoadCommonMainMenuGFX() {
  if (mainmenuBottom[0]) return;
  mainMenuAtlas = new Atlas(CommonString(catalogue::FrontEndWorldSprites().atlas));
  Register(catalogue::FrontEndPictures(), nullptr);
  Register(catalogue::FrontEndWorldSprites(), mainMenuAtlas);
  newGameBG_atlas = new Atlas(CommonString(catalogue::FrontEndBackgroundSprites().atlas));
  Register(catalogue::FrontEndBackgroundSprites(), newGameBG_atlas);
  // Kept through play for the pause panel's options: making it again would leak the old one.
  if (!OptSurf[0]) {
    OptSurf[0] =
        reinterpret_cast<Surface*>(new Atlas(CommonString(catalogue::FrontEndOptionsSprites().atlas)));
    Register(catalogue::FrontEndOptionsSprites(), OptionsAtlas());
  }
}

void UnLoadCommonMainMenuGFXForPlay() { DeleteAllButOptions(); }

void UnLoadCommonMainMenuGFX() {
  DeleteAllButOptions();
  Atlas* options = OptionsAtlas();
  OptSurf[0] = nullptr;
  SafeDelete(options);
  for (int i = 1; i < 13; ++i)
    SafeDelete(OptSurf[i]);
}

void InitMainMenu() {
  newGameCurrentListShift = 0;
  SwitchMode(0);
}

void InitMainMenu_FromNewGame() {
  if (newGameCurrentListShift != 0) {
    newGameCurrentListShift = 0;
    g_worldSelected = 4;
    SwitchMode(1);
  } else {
    newGameCurrentListShift = 0;
    SwitchMode(0);
  }
}

void GoBack() { SwitchMode(g_previousMode); }
void GoWorldSelect() { SwitchMode(1); }
void GoSubmenu1() {
  if (Menu()) Menu()->ActivateSubmenu(0);
}
void GoSubmenu2() { SwitchMode(2); }
void GoSubmenu3() {
  if (Menu()) Menu()->ActivateSubmenu(2);
}
void GoSubmenu4() {
  if (Menu()) Menu()->ActivateSubmenu(3);
}
void InitCredits() { SwitchMode(3); }
void GoHelp() { SwitchMode(16); }
void GoShop() { SwitchMode(15); }
void GoMissionsList() { SwitchMode(12); }
void GoSecretsList() { SwitchMode(13); }
void GoMiniGame() { SwitchMode(14); }

void GoToSite() {
  CloseMainMenuSubMenus();
  BBWeb_OpenURL(g_publisherSiteUrl);
}

void GoVideo() {
  CloseMainMenuSubMenus();
  std::string url = std::string(g_trailerUrlPrefix) + g_trailerVideoId;
  BBWeb_OpenURL(url.c_str());
}

void NewGameSubmenu() {
  newGameCurrentListShift = 10;
  g_worldSelected = 10;
  SwitchMode(1);
}
void TurnEyesOn() { eyesMovement = 1; }
void PressGift() { GoGift(); }
void GoGift() { CloseMainMenuSubMenus(); }
void InitNewGameButton() { SwitchMode(1); }
void SwitchToNewGame() { SwitchMode(1); }
void InitOptions() { SwitchMode(2); }
void InitHiscores() { SwitchMode(4); }
void InitInstructions() { SwitchMode(5); }
void SwitchMinigame() { SwitchMode(14); }
void GoAbout() {
  Missions[19].AddToCounter(1);
  SwitchMode(17);
}
void GoNewGame() {}
void DoMobileScreen() {}
void GoShowAchievements() {}
void GoShowLeaderboards() {}
void GoShowAchievementsMainMenu() {}

void CloseMainMenuSubMenus() {
  if (g_currentMode != 0 || !Menu()) return;
  if (Menu()->AnySubmenuOpen()) Menu()->CloseSubmenus();
}
