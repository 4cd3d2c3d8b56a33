// Stand-ins for the game's subsystems that do not exist yet: empty sprite tables, empty (non-null)
// fonts, silent sounds, empty game modes and the hero and mission fields the shell touches. Each
// subsystem replaces its own section. The functions are weak, so a subsystem's (or a test's) own
// definition takes their place.
#include "game_services.h"

#include "display.h"
#include "hge_font.h"
#include "surface.h"

#define STUB __attribute__((weak))

// --- sprite catalogue: null tables ---
Surface* g_rects[RECTS_TYPES][RECTS_FRAMES];
SurfaceDummy* g_rectDummies[RECTS_TYPES][RECTS_FRAMES];
Atlas* g_worldAtlas[WORLD_ATLASES];
int previousSpriteSet = -100;
int g_currentWorldAtlasID = -1;
Atlas* g_commonAtlas;
Atlas* g_secretItemsAtlas;
Atlas* g_achievementsAtlas;
Surface* g_levelEndFXs[80];
Surface* g_leaderboards[2];
Surface* g_missions[2];
Surface* g_missionButtons[20];
Surface* g_dialog[3];
Surface* g_dialogButCancel;
Surface* g_dialogButYes;
Surface* g_dialogButNo;
Surface* g_dialogButOk;
Surface* g_preloaderAnim[4];
Surface* g_pixie[2][20];
Surface* g_smoke[50];
Surface* g_secretItems[100];
Surface* g_achievementIcons[60];
Surface* g_guiCross[2];
Surface* g_guiJoystick[2];
Surface* g_guiPause[2];
Surface* g_guiArrows[2][2];
Surface* g_guiArrowsPod;
Surface* g_greenGlow;
Surface* g_guiSuper;
Surface* g_guiTime;
Surface* g_guiShroom;
Surface* g_guiAchievement;
Surface* g_guiDeaths;
Surface* g_goldenStick;
Surface* g_guiPausePanel[5];
Surface* g_butPauseMap;
Surface* g_butPauseOptions;
Surface* g_butPauseRestart;
Surface* g_butPauseSkip;
Surface* g_butPausePlay;
Surface* g_butPauseSpecial;
Surface* g_butPauseShield[2];
Surface* g_butPauseTime[2];
Surface* g_achievementPanel;
Surface* g_achievementPanel2;
Surface* g_shroomPanel[2][2];
Surface* g_customSmoke[10];
Surface* g_Particles[10][20];
Surface* g_fragments[25];
Surface* g_bgTile[5];
int curBGSprite = -1;
hgeFont* Font1;
hgeFont* FontButtons;
hgeFont* FontLarge;
hgeFont* FontInterface;
hgeFont* FontTime;
hgeFont* FontTimeBig;
hgeFont* FontHintText;
hgeFont* FontSTD;
hgeFont* FontShroom;
hgeFont* FontLevelID;
hgeFont* FontSmallText;

// The seven game fonts exist but hold no glyphs: text draws nothing.
STUB void LoadBasicSprites() {
  hgeFont** fonts[] = {&FontInterface, &FontLevelID, &FontTime,  &FontTimeBig,
                       &FontHintText,  &FontSTD,     &FontShroom};
  for (hgeFont** f : fonts)
    if (!*f) *f = new hgeFont(nullptr);
}
STUB void LoadRects() {}
STUB void LoadBGSprites() {}
STUB void ClearTemporarySurfaces() {}

// --- character catalogue ---
Surface* g_character[CHARACTER_ROWS][CHARACTER_FRAMES];
Atlas* g_charAtlas;
int currentCharacter = -1;
STUB void LoadCharacter(int) {}

// --- front end ---
u8 g_bExitDlgOn = 0;
int newGameCurrentListShift = 0;
int g_currentHint = 5;
globalData GlobalData;
STUB void globalData::Init() {}
STUB void UnLoadCommonMainMenuGFX() {}

STUB void loader::Draw(float) {
  // Once: the cross-fade draws the loader again after it has left.
  if (started) return;
  started = true;
  if (!g_white) g_white = new Surface("white", 0, false);
  g_black = g_white;
  InitGame();
  StartFirstMode();
}

// --- audio: silent ---
int currentTrack = -1;
STUB void EnginePlaySound(int, int) {}
STUB void PlaySoundDelayed(float, int, int) {}
STUB void ProcessSounds(float) {}
STUB void InitSoundEngine() {}
STUB void LoadAllSounds() {}

// --- level objects ---
gameRect GameRects[GAME_RECTS];
int updatingRectID = 0;
int currentGUIDBinding = 0;

// --- in-level play ---
bool g_paused = false;
bool g_ipad = false;
float g_shiftX = 0;
float g_shiftY = 0;
int currentRecording = 0;
int currentTime = 0;
mission Missions[MISSIONS];
int currentMission = -1;
float unlockedMissionY = -80.0f;
STUB void ButtonPause() { g_paused = !g_paused; }
STUB void InitMissions() {}
STUB void ProcessMissions(float) {}
STUB void DrawUnlockedMissionsIfAny(float) {}
STUB void DrawEffectAnimators() {}
