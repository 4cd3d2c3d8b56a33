// Keyboard controls and in-level touch.
#include "keyboard_controls.h"

#include "buttons.h"
#include "game_globals.h"
#include "game_rect.h"
#include "geometry.h"
#include "level_complete.h"
#include "level_data.h"
#include "object_list.h"
#include "pause_panel.h"
#include "progress_files.h"
#include "touch_controls.h"

float g_dpad_acceleration = 90.0f;
float g_dpad_acceleration_cur = 0;
bool bHadSkipKey1 = false;
bool bHadSkipKey2 = false;
void (*g_levelEndTapHook)(int, int) = ProcessLevelCompletion;
void (*g_nextLevelHook)() = NextLevel;

namespace {

// The level-end buttons are up once button slot 2 is in use.
bool LevelEndButtonsUp() { return Buttons[2].active != 0; }

} // namespace

void QuestKeyboardEvent(int key, int state) {
  if (g_accelerometerControl == 10 || g_accelerometerControl == 11) {
    // Held keys: a press sets, a release clears.
    bool down = state == 0;
    if (key == GAME_KEY_LEFT) bLeftPressed = down;
    if (key == GAME_KEY_RIGHT) bRightPressed = down;
    if (key == GAME_KEY_UP) bJumpPressed = down;
    if (key == GAME_KEY_ENTER) bEnterPressed = down;
  }
  if (state != 0) return;
  if (key == GAME_KEY_BACK) {
    if (GameRects[0].levelFinished) {
      if (LevelEndButtonsUp())
        ReturnToMenu();
      else
        g_levelEndTapHook(MAXX / 2, MAXY / 2);
    } else if (!g_paused) {
      ButtonPause();
    } else {
      ReturnToMenu();
    }
  } else if (key == GAME_KEY_ENTER && g_paused) {
    ButtonPause();
  }
}

void ProcessKeyboardControls() {
  if (g_accelerometerControl != 10 && g_accelerometerControl != 11) return;
  gameRect& hero = GameRects[0];
  if (g_accelerometerControl == 11) {
    if (bJumpPressed && !jumpButtonPressed) {
      hero.Jump();
      jumpButtonPressed = true;
    } else if (!bJumpPressed && jumpButtonPressed) {
      hero.jumpHoldTimer = -1.0f;
      jumpButtonPressed = false;
    }
  }

  if (bRightPressed == bLeftPressed) {
    hero.steerable = 0;
    hero.inputSpeed = hero.vx;
    g_dpad_acceleration_cur = 0;
  } else if (bRightPressed) {
    hero.steerable = 1;
    while (g_dpad_acceleration_cur < g_dpad_acceleration)
      g_dpad_acceleration_cur += 2.0f;
    hero.inputSpeed += g_dpad_acceleration_cur;
  } else {
    hero.steerable = 1;
    while (g_dpad_acceleration_cur > -g_dpad_acceleration)
      g_dpad_acceleration_cur -= 2.0f;
    hero.inputSpeed += g_dpad_acceleration_cur;
  }
  if (hero.inputSpeed > 350) hero.inputSpeed = 350;
  if (hero.inputSpeed < -350) hero.inputSpeed = -350;

  if (!hero.levelFinished) levelEndedHere = false;

  if (g_accelerometerControl != 11) return;
  bool anyKey = bRightPressed || bLeftPressed || bJumpPressed || bEnterPressed;
  if (!hero.levelFinished) {
    bHadSkipKey1 = bHadSkipKey2 = false;
  } else if (!LevelEndButtonsUp()) {
    if (!anyKey) bHadSkipKey1 = true;
    if (bHadSkipKey1 && anyKey) {
      bHadSkipKey2 = false;
      g_levelEndTapHook(MAXX / 2, MAXY / 2);
    }
  } else {
    if (!anyKey) bHadSkipKey2 = true;
    if (bHadSkipKey2 && anyKey) {
      bHadSkipKey2 = false;
      g_nextLevelHook();
    }
  }
}

void QuestStylusDownMultiDown(myPoint* points, int count) {
  if (count < 1) return;
  g_levelEndTapHook((int)points[0].x, (int)points[0].y);
  ButtonsStylus((int)points[0].x, (int)points[0].y, false);
  for (int i = 0; i < count; ++i)
    GameRectStylusDown((int)points[i].x, (int)points[i].y);
}

void QuestStylusDownMultiUp(myPoint* points, int count) {
  if (count < 1) return;
  ButtonsStylus((int)points[0].x, (int)points[0].y, true);
  for (int i = 0; i < count; ++i)
    GameRectStylusUp((int)points[i].x, (int)points[i].y);
}

void QuestStylusDownMultiMove(myPoint* points, int count) {
  if (count < 1) return;
  ButtonsStylus((int)points[0].x, (int)points[0].y, false);
  for (int i = 0; i < count; ++i)
    GameRectStylusMove((int)points[i].x, (int)points[i].y);
}
