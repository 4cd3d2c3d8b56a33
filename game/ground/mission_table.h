// The missions' table: 100 slots (31 defined), each with its rule, counters and flags, which the
// objects and the front end count and missions.cfg keeps. Play's missions.cpp holds the rules that
// complete them (CheckCompletion) and the unlock (DoInstantUnlock).
#pragma once

#include "quellar_types.h"

struct mission {
  u8 defined = 0;
  int rule = 0;
  u8 completed = 0;
  u8 justCompleted = 0; // until its level-end panel has played the unlock
  int counter = 0;
  float accumulator = 0;
  int reward = 0; // mushrooms, 1-3
  int icon = 0;
  char name[50] = {};
  char description[100] = {};
  char progressFormat[100] = {};
  char achievementId[50] = {};
  char extra[52] = {};
  float unlockTimer = 0;
  float panelY = 0;
  float panelTargetY = 0;
  float bannerTimer = 0;
  u8 active = 0;        // one of the three current missions
  int progressMode = 0; // 0 counter, 1 accumulator, 2 no progress line

  void Init(int rule, int reward, int icon, int progressMode, const char* name, const char* description,
            const char* progressFormat, const char* achievementId, const char* extra);
  // Goes through g_missionCountHook, so a test can see every count.
  void AddToCounter(float n);
  void CheckCompletion(float dt);
  void DoInstantUnlock();
};

enum { MISSIONS = 100, DEFINED_MISSIONS = 31 };
extern mission Missions[MISSIONS];

// The count itself: only the current missions count.
void CountMission(mission& m, float n);
// What AddToCounter calls: CountMission unless a test has put its own here.
extern void (*g_missionCountHook)(mission& m, float n);
