#include "demo_run.h"

#include <cstdio>

#include "game_base.h"
#include "game_globals.h"
#include "game_modes.h"
#include "game_rect.h"
#include "gameplay_window.h"
#include "gl_renderer.h"
#include "level_gen.h"
#include "loader.h"
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

namespace {

const float kRightTilt = -0.5f; // the arrow key's tilt: the hero runs at full speed
const myPoint kTap = {240, 200};

void Steer(CXGameplayWindow& window, float tilt) { window.AccelerometerUpdate(0, tilt, 0); }

void Tap(const levelgen::SteadyTaps& taps, int frame, bool tapping) {
  myPoint at = kTap;
  if (tapping && taps.Down(frame)) GameModes[9]->StylusDown(&at, 1);
  // A tap under way is always let go, even once the player stops tapping.
  if (taps.Up(frame)) GameModes[9]->StylusUp(&at, 1);
}

void Frame(CXGameplayWindow& window) {
  window.Draw();
  GLES_FlushBuffer();
}

int DoorSlot() {
  for (int i = 1; i < GAME_RECTS; ++i)
    if (GameRects[i].active && GameRects[i].door) return i;
  return -1;
}

} // namespace

bool RecordLevelRun(CXGameplayWindow& window, int frames) {
  for (const levelgen::SteadyTaps& taps : levelgen::kSteadyRhythms) {
    SwitchMode(9);
    for (int f = 0; f < frames && !GameRects[0].levelFinished; ++f) {
      Steer(window, kRightTilt);
      Tap(taps, f, true);
      Frame(window);
    }
    if (GameRects[0].levelFinished) break;
  }
  bool finished = GameRects[0].levelFinished != 0;
  if (!finished) SaveRecording(); // a finished run has saved itself as the level's ghost
  return finished;
}

int DemoLoopFrames(int level) { return level == 19 ? 4875 : 5711; }

bool RecordDemoLoop(CXGameplayWindow& window, int loop) {
  SwitchMode(9);
  const gameRect& hero = GameRects[0];
  int door = DoorSlot();
  if (door < 0) {
    fprintf(stderr, "demorec: the level has no door\n");
    return false;
  }
  // Turns well before the end's room, and rests on the long flat floor after the start.
  const float doorX = GameRects[door].centerX, doorY = GameRects[door].centerY;
  const float turnX = doorX - 900, restX = hero.x + 150;
  // Going back takes a frame for every 4 px at most, with two seconds to spare for the pits.
  const float framesPerPixel = 0.25f;
  const int slack = 120, restBy = loop - 60, frames = loop + 60;
  const levelgen::SteadyTaps& taps = levelgen::kSteadyRhythms[0];
  int direction = 1, restFrom = -1;
  for (int f = 0; f < frames; ++f) {
    int left = restBy - f;
    if (restFrom < 0) {
      if (direction > 0 && (hero.x >= turnX || (hero.x - restX) * framesPerPixel + slack >= left))
        direction = -1;
      else if (direction < 0 && hero.x <= restX) {
        if (left < 2 * slack)
          restFrom = f;
        else
          direction = 1;
      }
    }
    Steer(window, restFrom < 0 ? kRightTilt * (float)direction : 0.0f);
    Tap(taps, f, restFrom < 0);
    Frame(window);
    if (hero.dead || hero.levelFinished) {
      fprintf(stderr, "demorec: the hero %s at frame %d\n", hero.dead ? "died" : "left through the door", f);
      return false;
    }
    float dx = hero.centerX - doorX, dy = hero.centerY - doorY;
    if (dx * dx + dy * dy < 300 * 300) {
      fprintf(stderr, "demorec: the hero came near the door at frame %d\n", f);
      return false;
    }
  }
  if (restFrom < 0 || restFrom > restBy || hero.inAir) {
    fprintf(stderr, "demorec: the hero was not at rest by frame %d (from %d)\n", restBy, restFrom);
    return false;
  }
  SaveRecording();
  return true;
}
