// The global sprite and font tables every screen draws from; the catalogue fills them.
#pragma once

class Surface;
class SurfaceDummy;
class hgeFont;

enum {
  RECTS_TYPES = 800,
  RECTS_FRAMES = 30,
  WORLD_ATLASES = 10,
  CHARACTER_ROWS = 65,
  CHARACTER_FRAMES = 65,
};

// --- objects and the hero ---
extern Surface* g_rects[RECTS_TYPES][RECTS_FRAMES];
extern SurfaceDummy* g_rectDummies[RECTS_TYPES][RECTS_FRAMES];
extern Surface* g_character[CHARACTER_ROWS][CHARACTER_FRAMES];
extern Surface* g_bgTile[5];

// --- start-up sprites ---
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

// --- the game's fonts ---
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
