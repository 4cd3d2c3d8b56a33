// Stand-ins for the game's subsystems that do not exist yet: the front end's loader and tables,
// empty game modes and the hero and mission fields the shell touches. Each
// subsystem replaces its own section. The functions are weak, so a subsystem's (or a test's) own
// definition takes their place.
#include "game_services.h"

#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "object_list.h"
#include "surface.h"

#define STUB __attribute__((weak))

// --- front end ---
int g_levelStartingIndexes[40] = {41,  41,  1,   21,  51,  71,  101, 121, 150, 150, 150, 150, 150, 150,
                                  150, 150, 150, 150, 150, 150, 151, 151, 161, 161, 171, 171, 181, 181,
                                  191, 191, 201, 201, 221, 221, 0,   0,   0,   0,   0,   0};
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

// --- level objects ---
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
STUB void ClearEffectAnimators() {}
STUB void mission::AddToCounter(float) {}
bool g_playingRecording = false;
STUB void OnLevelComplete() {}
STUB void AddLevelEndAnimation(bool) {}
STUB void AddCharacterDieAnimation() {}
// The parts of the level frame that are not written yet: the level plays without keys, HUD,
// background, weather, pause panel or recordings; single touches go straight to the controls.
STUB void ProcessKeyboardControls() {}
STUB void QuestKeyboardEvent(int, int) {}
STUB void QuestStylusDownMultiDown(myPoint* points, int) {
  if (!ButtonsStylus((int)points[0].x, (int)points[0].y, false))
    GameRectStylusDown((int)points[0].x, (int)points[0].y);
}
STUB void QuestStylusDownMultiUp(myPoint* points, int) {
  if (!ButtonsStylus((int)points[0].x, (int)points[0].y, true))
    GameRectStylusUp((int)points[0].x, (int)points[0].y);
}
STUB void QuestStylusDownMultiMove(myPoint* points, int) {
  GameRectStylusMove((int)points[0].x, (int)points[0].y);
}
// Until the level's backgrounds are drawn, the level's picture covers the screen, so no frame shows
// through the next.
STUB void DrawBackgrounds(float) {
  if (!display) return;
  Surface* picture = g_bgTile[1];
  if (picture && picture->width > 0 && picture->height > 0) {
    float k = (float)MAXX / (float)picture->width, ky = (float)MAXY / (float)picture->height;
    if (ky > k) k = ky;
    display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2), k, k, picture);
  } else {
    display->FillRect(0, 0, MAXX, MAXY, ColorRGB(0, 0, 0));
  }
}
STUB void DrawQuestInterface(float) {}
STUB void AddWeatherFX(float) {}
STUB void DrawPausePanel(float) {}
STUB void ProcessEffectAnimators(float) {}
STUB void RemoveShuttersAnimation() {}
STUB void RecordingsReset() {}
STUB void LoadShadowRecording() {}
STUB void PlayShadowRecording() {}
STUB void UpdateCurrentRecording(float, float, float, float, int, int, float, int, int) {}
// Object behaviours and their drawn extras.
STUB void gameRect::ProcessCustom(float) {}
STUB void gameRect::CustomDraw() {}
