// Input during level play: game keys, held arrow and jump keys steering the hero in the two key
// control schemes, and touches routed to the buttons and the object touch controls.
#pragma once

#include "geometry.h"

// The engine's game key codes.
enum {
  GAME_KEY_LEFT = 1,
  GAME_KEY_RIGHT = 2,
  GAME_KEY_UP = 3,
  GAME_KEY_DOWN = 4,
  GAME_KEY_ENTER = 5,
  GAME_KEY_BACK = 6
};

extern float g_dpad_acceleration;
extern float g_dpad_acceleration_cur;
// Every key was released since the level end: before the result buttons (1) and with them (2).
extern bool bHadSkipKey1;
extern bool bHadSkipKey2;

// What the keys and touches do at the level end, the accepting tap and the next level:
// ProcessLevelCompletion and NextLevel unless a test has put its own here.
extern void (*g_levelEndTapHook)(int x, int y);
extern void (*g_nextLevelHook)();

// First thing of every level frame.
void ProcessKeyboardControls();
// State 0 a press, 1 a release.
void QuestKeyboardEvent(int key, int state);
void QuestStylusDownMultiDown(myPoint* points, int count);
void QuestStylusDownMultiUp(myPoint* points, int count);
void QuestStylusDownMultiMove(myPoint* points, int count);
