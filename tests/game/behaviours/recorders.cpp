// The test's own level completion, level-end taps, next-level step and mission counter: while a
// behaviour test runs, the game's hooks point at them, and each records its calls.
#include "behaviour_fixture.h"
#include "keyboard_controls.h"
#include "level_events.h"

Recorded& Record() {
  static Recorded r;
  return r;
}

namespace {

void RecordCompletion() { ++Record().completions; }
void RecordLevelEndTap(int, int) { ++Record().levelCompletionTaps; }
void RecordNextLevel() { ++Record().nextLevels; }
void RecordMissionCount(mission& m, float n) { Record().missions.push_back({(int)(&m - Missions), n}); }

} // namespace

Recorders::Recorders()
    : complete(g_levelCompleteHook), tap(g_levelEndTapHook), next(g_nextLevelHook),
      count(g_missionCountHook) {
  g_levelCompleteHook = RecordCompletion;
  g_levelEndTapHook = RecordLevelEndTap;
  g_nextLevelHook = RecordNextLevel;
  g_missionCountHook = RecordMissionCount;
}

Recorders::~Recorders() {
  g_levelCompleteHook = complete;
  g_levelEndTapHook = tap;
  g_nextLevelHook = next;
  g_missionCountHook = count;
}
