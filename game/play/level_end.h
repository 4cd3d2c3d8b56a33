// The level-end presentation: the scripted result panel (phase 0) and, after the accepting tap,
// the shutters, the level pod and the live buttons, shop link and mission list (phase 1); and the
// callbacks the script hangs on its animators, the golden-joystick loop and the shutters that
// close over the screen when a level is left.
#pragma once

#include "quellar_types.h"

extern u8 missionsCollapsed;
extern float missionsX; // opening width of the mission list, 0-387
extern u8 leaderboardsCollapsed;
extern s32 topScoreRetrieved;
extern s32 topScoreRetrieved2;
extern u8 g_leaderboardsCurrentGlobal;
extern char g_playerNames[100][30];
extern s32 g_playerScores[100];
extern s32 shsss; // shutter sound counter

void AddLevelEndAnimation(bool phase1);
void AddShroomPanelAnimation();
// Closes the shutters over the screen, then runs the callback.
void AddShuttersAnimation(void (*done)());
void RemoveShuttersAnimation();
void AddCharacterDieAnimation();

// Drawing callbacks take the animator's position in logical pixels.
void AlsoDrawRestartButton(float x, float y);
void AlsoDrawMenuButton(float x, float y);
void AlsoDrawNextButton(float x, float y);
void AlsoDrawRecordTime(float x, float y);
void AlsoDrawBestTimeReference(float x, float y);
void AlsoDrawShroomShop(float x, float y);
void AlsoDrawMissions(float x, float y);
void AlsoDrawLeaderBoards(float x, float y);
void AlsoDrawSmoke(float x, float y);
void CustomAnimationGoUpAndDown(float* x, float* y);
void CustomAnimationGoLeftRight(float* x, float* y);
void CustomAnimationGoRound(float* x, float* y);

void GoShopReturn();
void MissionsCollapse();
void LeaderboardsCollapse();
void ClearLeaderboardView();
void SwitchLeaderboardGlobals();
void SwitchLeaderboardFriends();
void DrawLeaderBoardItem(int place, int x, int y, int index);
void GoldenJoystickExtraAnimation();
void RepeatGoldenJoystickExtraAnimation();
void PlayShuttersSound();
void PlayPopShroom();
// Ends the level-end fast-forward.
void RestorePlaybackspeed();
