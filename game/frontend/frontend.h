// The front end's shared pieces: the world lists' state, the navigation actions every menu button
// and key calls, and the common menu sprite set.
#pragma once

#include "quellar_types.h"

class Atlas;
class Surface;

// --- the world and set lists (the level layout is the ground's, the unlock tables the progress
// files') ---
extern int g_setMax;
// The quit question is open.
extern u8 g_bExitDlgOn;
// 10 while the bonus worlds are listed.
extern int newGameCurrentListShift;
extern u8 eyesMovement;

// --- the common menu sprite set (null until LoadCommonMainMenuGFX) ---
extern Atlas* mainMenuAtlas;
extern Atlas* newGameBG_atlas;
extern Surface* OptSurf[13]; // slot 0 holds the options atlas
extern Surface* mainmenuBottom[3];
extern Surface* mainmenuSub[1];
extern Surface* menuBall[2];
extern Surface* buttonMain[20];
extern Surface* pickCharPanel[2];
extern Surface* pickedCharIcons[30];
extern Surface* buyNow[1];
extern Surface* mapIcons[2];
extern Surface* mapLock[2];
extern Surface* mapDot[2];
extern Surface* easyButtonRotater[1];
extern Surface* mapButtons[5];
extern Surface* pickCharMask[1];
extern Surface* newGameBG[1];
extern Surface* newGamePanel[4];
extern Surface* newGameItems[20];
extern Surface* newGameEyes[1];
extern Surface* levelFrame[6];
extern Surface* select_buttons[30];
extern Surface* helpPanel[1];
extern Surface* select_bg[10];
extern Surface* levelStar[5];
Atlas* OptionsAtlas();

// Loads the set once: returns at once while it is loaded. The options atlas and its sprites are
// kept when level selection frees the rest for play, so they are made only when absent.
void LoadCommonMainMenuGFX();
// Frees every sprite of the set and its three atlases.
void UnLoadCommonMainMenuGFX();
// Frees the set but the options atlas and sprites, which the pause panel's options still use.
void UnLoadCommonMainMenuGFXForPlay();

// --- navigation actions ---
void InitMainMenu();
void InitMainMenu_FromNewGame();
void GoBack();
void GoWorldSelect();
void GoSubmenu1();
void GoSubmenu2();
void GoSubmenu3();
void GoSubmenu4();
void InitCredits();
void GoHelp();
void GoShop();
void GoMissionsList();
void GoSecretsList();
void GoMiniGame();
void GoToSite();
void GoVideo();
void NewGameSubmenu();
void TurnEyesOn();
void PressGift();
void GoGift();
void InitNewGameButton();
void SwitchToNewGame();
void InitOptions();
void InitHiscores();
void InitInstructions();
void SwitchMinigame();
void GoAbout();
void GoNewGame();
void DoMobileScreen();
void GoShowAchievements();
void GoShowLeaderboards();
void GoShowAchievementsMainMenu();
// Closes the main menu's open sub-menu; nothing while another mode is current.
void CloseMainMenuSubMenus();

// The links the menu opens in the navigator.
extern const char* const g_publisherSiteUrl;
extern const char* const g_trailerUrlPrefix;
extern const char* const g_trailerVideoId;
