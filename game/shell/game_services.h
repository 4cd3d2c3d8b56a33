// What the shell and the drawing layer use of the game's other subsystems: the sprite and
// character catalogues, the front end, audio, the level objects, in-level play and the level
// editor.
#pragma once

#include "game_modes.h"
#include "game_rect.h"
#include "level_header.h"
#include "quellar_types.h"

class Atlas;
class Surface;
class SurfaceDummy;
class hgeFont;

// --- sprite catalogue ---
enum {
  RECTS_TYPES = 800,
  RECTS_FRAMES = 30,
  WORLD_ATLASES = 10,
  CHARACTER_ROWS = 65,
  CHARACTER_FRAMES = 65,
};

extern Surface* g_rects[RECTS_TYPES][RECTS_FRAMES];
extern SurfaceDummy* g_rectDummies[RECTS_TYPES][RECTS_FRAMES];
extern Atlas* g_worldAtlas[WORLD_ATLASES];
extern int previousSpriteSet;
extern int g_currentWorldAtlasID;
extern Atlas* g_commonAtlas;
extern Atlas* g_secretItemsAtlas;
extern Atlas* g_achievementsAtlas;
extern Surface* g_levelEndFXs[80];
extern Surface* g_leaderboards[2];
extern Surface* g_missions[2];
extern Surface* g_missionButtons[20];
extern Surface* g_dialog[3];
extern Surface* g_dialogButCancel;
extern Surface* g_dialogButYes;
extern Surface* g_dialogButNo;
extern Surface* g_dialogButOk;
extern Surface* g_preloaderAnim[4];
extern Surface* g_pixie[2][20];
extern Surface* g_smoke[50];
extern Surface* g_secretItems[100];
extern Surface* g_achievementIcons[60];
extern Surface* g_guiCross[2];
extern Surface* g_guiJoystick[2];
extern Surface* g_guiPause[2];
extern Surface* g_guiArrows[2][2];
extern Surface* g_guiArrowsPod;
extern Surface* g_greenGlow;
extern Surface* g_guiSuper;
extern Surface* g_guiTime;
extern Surface* g_guiShroom;
extern Surface* g_guiAchievement;
extern Surface* g_guiDeaths;
extern Surface* g_goldenStick;
extern Surface* g_guiPausePanel[5];
extern Surface* g_butPauseMap;
extern Surface* g_butPauseOptions;
extern Surface* g_butPauseRestart;
extern Surface* g_butPauseSkip;
extern Surface* g_butPausePlay;
extern Surface* g_butPauseSpecial;
extern Surface* g_butPauseShield[2];
extern Surface* g_butPauseTime[2];
extern Surface* g_achievementPanel;
extern Surface* g_achievementPanel2;
extern Surface* g_shroomPanel[2][2];
extern Surface* g_customSmoke[10];
extern Surface* g_Particles[10][20];
extern Surface* g_fragments[25];
extern Surface* g_bgTile[5];
extern int curBGSprite;
extern hgeFont* Font1;
extern hgeFont* FontButtons;
extern hgeFont* FontLarge;
extern hgeFont* FontInterface;
extern hgeFont* FontTime;
extern hgeFont* FontTimeBig;
extern hgeFont* FontHintText;
extern hgeFont* FontSTD;
extern hgeFont* FontShroom;
extern hgeFont* FontLevelID;
extern hgeFont* FontSmallText;
// The start-up sprites and the game's fonts, once per run.
void LoadBasicSprites();
// The sprites of the world that holds g_levelSelected.
void LoadRects();
void LoadBGSprites();
void ClearTemporarySurfaces();

// --- character catalogue ---
extern Surface* g_character[CHARACTER_ROWS][CHARACTER_FRAMES];
extern Atlas* g_charAtlas;
extern int currentCharacter;
void LoadCharacter(int id);

// --- front end ---
// Two entries per world: the first level of its casual set, then of its hardcore set.
extern int g_levelStartingIndexes[40];
extern u8 g_bExitDlgOn;
extern int newGameCurrentListShift;
void UnLoadCommonMainMenuGFX();
// The picked character and the powerup stock (over g_superItemsUnlocked).
class globalData {
public:
  void Init();
  int GetShields();
  int GetTimeSlows();
  // n may be negative (the shop adds stock); the stock never falls below 0.
  void ConsumeShield(int n);
  void ConsumeTimeSlows(int n);
  int characterIndex = 0; // picked in level selection
};
extern globalData GlobalData;
#include "frontend.h"
#include "main_menu.h"
#include "menu_hints.h"
#include "credits.h"
#include "dormant_screens.h"
#include "help_screen.h"
#include "level_selection.h"
#include "lists.h"
#include "minigame.h"
#include "options_screen.h"
#include "shop.h"
#include "world_map.h"

// --- audio ---
#include "sound_table.h"

// --- level objects (game_rect.h, level_header.h) ---
extern int updatingRectID;
extern int currentGUIDBinding;

// --- in-level play ---
#include "animator.h"
#include "fragments.h"
#include "hud.h"
#include "inlevel_mode.h"
#include "keyboard_controls.h"
#include "level_complete.h"
#include "life_particles.h"
#include "missions.h"
#include "pause_panel.h"
#include "recordings.h"
#include "score.h"
#include "weather.h"
// The level-end presentation and its panels (level_end.h, which the level flow does not include).
void AddLevelEndAnimation(bool);
void AddCharacterDieAnimation();
void MissionsCollapse();
void LeaderboardsCollapse();
void RemoveShuttersAnimation();
extern bool g_ipad;
// The camera shift of level coordinates.
extern float g_shiftX;
extern float g_shiftY;

// --- level editor ---
#include "level_editor.h"
