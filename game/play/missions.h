// The missions in play: their completion rules, the three current ones, the completion banner and
// the level-end list of missions with its reward (the table and its counters are mission_table.h).
#pragma once

#include "mission_table.h"
#include "quellar_types.h"

extern int currentMission;
extern float unlockedMissionY;
extern u8 beingUnlockedSoundPlayed;

void InitMissions();
void ProcessMissions(float dt);
void DrawUnlockedMissionsIfAny(float dt);
void PrepareToDraw3Missions();
void Update3Missions();
void DrawNext3Missions(int x, int y, float scale);
void DrawMissionPanelForEndlevel(int index, int x, int y, float scale, bool beingUnlocked);
void UnlockNextMission(int x, int y, int reward);
int DrawMissionIcons(int x, int y, float scale);
void DrawMissionPanel(int index, int x, int y, float scale);
