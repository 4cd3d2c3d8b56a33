#include "demo_run.h"

#include <cstdio>

#include "game_base.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include "main_menu.h"
#include "platform_services.h"
#include "progress_files.h"
#include "recordings.h"

CXGameplayWindow* StartLevelWindow(CGameBase* game, int level, const char* who) {
  g_finalRelease = 1;
  g_ghostMode = 0; // the run alone drives the hero; no ghost beside it
  g_hostGameOptions.level = level;
  g_hostGameOptions.character = 0;
  g_accelerometerControl = 1;
  CXGameplayWindow* window = new CXGameplayWindow(game);
  if (window->OnInitElement() != 1) {
    fprintf(stderr, "%s: the gameplay window did not start\n", who);
    delete window;
    return nullptr;
  }
  loadingBlend = loadingBlend2 = 300.0f; // past the splash
  for (int i = 0; i < 3 && g_currentMode != 9; ++i)
    window->Draw();
  if (g_currentMode != 9) {
    fprintf(stderr, "%s: level %d did not start\n", who, level);
    delete window;
    return nullptr;
  }
  return window;
}

bool RecordLevelRun(CXGameplayWindow& window, int frames) {
  // Lean right and jump for 'hold' frames every 'period' from frame 40.
  const int rhythms[][2] = {{20, 15}, {25, 15}, {18, 15}, {20, 10}, {22, 10}, {30, 10}};
  myPoint tap = {240, 200};
  for (const auto& r : rhythms) {
    SwitchMode(9);
    for (int f = 0; f < frames && !GameRects[0].levelFinished; ++f) {
      window.AccelerometerUpdate(0, -0.2f, 0);
      if (f >= 40 && (f - 40) % r[0] == 0) GameModes[9]->StylusDown(&tap, 1);
      if (f >= 40 && (f - 40) % r[0] == r[1]) GameModes[9]->StylusUp(&tap, 1);
      window.Draw();
      GLES_FlushBuffer();
    }
    if (GameRects[0].levelFinished) break;
  }
  bool finished = GameRects[0].levelFinished != 0;
  if (!finished) SaveRecording(); // a finished run has saved itself as the level's ghost
  return finished;
}
