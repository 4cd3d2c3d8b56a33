// The game-mode framework: the mode table, switching, the second start-up stage and the
// load-progress hook.
#include "game_modes.h"

#include <cstdio>

#include "background_fitting.h"
#include "buttons.h"
#include "display.h"
#include "game_globals.h"
#include "game_services.h"
#include "platform_services.h"
#include "progress_files.h"
#include "quellar_array.h"

gamemode* GameModes[GAME_MODES];
int g_currentMode = -1;
int g_previousMode = -1;
int g_switchingTo = -1;

int loadcurPos = 0;
float loadUpgradeAdd = 1.0f;
static int loadCalls = 0; // the hook acts on every second call
float g_stylusOrientationFlipX = 1.0f;
float g_stylusOrientationFlipY = 1.0f;
bool g_stylusOrientationInvertX = false;

void gamemode::StylusDown(myPoint* points, int) { ButtonsStylus((int)points[0].x, (int)points[0].y, false); }
void gamemode::StylusUp(myPoint* points, int) { ButtonsStylus((int)points[0].x, (int)points[0].y, true); }
void gamemode::StylusMove(myPoint* points, int) { ButtonsStylus((int)points[0].x, (int)points[0].y, false); }
void gamemode::StylusHover(myPoint* points, int) { ButtonsStylusHover((int)points[0].x, (int)points[0].y); }

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

void SwitchMode(int id) {
  if (id < 0 || id >= GAME_MODES || !GameModes[id]) {
    fprintf(stderr, "sprocklet: no game mode %d to switch to; staying in mode %d\n", id, g_currentMode);
    return;
  }
  // The run's log: every screen change, so a scripted run can tell where it went.
  printf("sprocklet: mode %d -> %d at frame %d\n", g_currentMode, id, framesCount);
  fflush(stdout);
  g_switchingTo = id;
  if (g_currentMode >= 0 && GameModes[g_currentMode]) GameModes[g_currentMode]->DeInitMode();
  g_previousMode = g_currentMode;
  g_currentMode = id;
  GameModes[id]->InitMode();
  GameModes[id]->fadeActive = 1;
  GameModes[id]->fadeAlpha = 1.0f;
}

void InitGame() {
  if (g_screenScale == 1.0f) g_iphoneCustomZoom = 1.0f;
  LoadAllLevelsInfo();
  LoadBasicSprites();
  InitMissions();
  GlobalData.Init();
  InitSoundEngine();
  LoadAllSounds();
  if (display) display->SetNormalMode();
}

void StartFirstMode() {
  if (g_hostGameOptions.level >= 0) {
    g_levelSelected = g_hostGameOptions.level;
    g_characterID = g_hostGameOptions.character;
    // The world and set as the map and level selection would have chosen them, so that the way
    // back from play (the pause panel's map) leads to this level's world.
    int set = LevelSetOf(g_levelSelected);
    if (set >= 0) {
      g_worldSelected = set / 2;
      g_setSelected = set % 2;
      newGameCurrentListShift = g_worldSelected >= 10 ? 10 : 0;
    }
    SwitchMode(9);
  } else {
    SwitchMode(0);
  }
}

void ClearLoadUpdateFuction() {
  loadcurPos = 0;
  loadCalls = 0;
  loadUpgradeAdd = 1.0f;
}

void SetLoadUpdateFuctionInterval(float v) { loadUpgradeAdd = v; }

void LoadUpdateFuction() {
  if (++loadCalls % 2 != 0) return;
  DrawEffectAnimators();
  if (display && g_screenScale <= 1 && !g_ipad) {
    display->BlitScaled((float)(MAXX / 2), (float)(MAXY / 2 + 60), 0.5f, 0.5f,
                        g_preloaderAnim[(loadcurPos / 5) % 4]);
    loadcurPos++;
  }
  if (display) display->SwapBuffers();
}

void DrawInterface(float) {}
void DrawNormalGame(float) {}
void GameStylusDown(int, int) {}
void GameStylusMove(int, int) {}
void GameStylusUp(int, int) {}

namespace {

void MultiTouch(myPoint* points, bool release) {
  float x = points[0].x * g_stylusOrientationFlipX, y = points[0].y * g_stylusOrientationFlipY;
  if (g_stylusOrientationInvertX) x = 480 - x;
  ButtonsStylus((int)x, (int)y, release);
}

} // namespace

void GameStylusDownMultiDown(myPoint* points, int) { MultiTouch(points, false); }
void GameStylusDownMultiMove(myPoint* points, int) { MultiTouch(points, false); }
void GameStylusDownMultiUp(myPoint* points, int) { MultiTouch(points, true); }
