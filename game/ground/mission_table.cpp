// The missions' table, each slot's definition and its counting.
#include "mission_table.h"

#include <cstdio>

mission Missions[MISSIONS];

namespace {

void Copy(char* to, size_t size, const char* from) { snprintf(to, size, "%s", from ? from : ""); }

} // namespace

void mission::Init(int r, int rew, int ic, int mode, const char* n, const char* d, const char* f,
                   const char* a, const char* e) {
  defined = 1;
  rule = r;
  reward = rew;
  icon = ic;
  progressMode = mode;
  completed = justCompleted = 0;
  counter = 0;
  accumulator = 0;
  bannerTimer = 0;
  active = 0;
  Copy(name, sizeof name, n);
  Copy(description, sizeof description, d);
  Copy(progressFormat, sizeof progressFormat, f);
  Copy(achievementId, sizeof achievementId, a);
  Copy(extra, sizeof extra, e);
  unlockTimer = 15.0f;
}

void mission::AddToCounter(float n) { g_missionCountHook(*this, n); }

void CountMission(mission& m, float n) {
  if (m.active != 1) return;
  m.counter = (int)((float)m.counter + n);
  m.accumulator += n;
}

void (*g_missionCountHook)(mission&, float) = CountMission;
