// The test's own level completion, level-end taps, next-level step and mission counter: they
// take the place of the stand-ins and record each call.
#include "behaviour_fixture.h"
#include "mission_table.h"

Recorded& Record() {
  static Recorded r;
  return r;
}

void OnLevelComplete() { ++Record().completions; }
void ProcessLevelCompletion(int, int) { ++Record().levelCompletionTaps; }
void NextLevel() { ++Record().nextLevels; }
void mission::AddToCounter(float n) { Record().missions.push_back({(int)(this - Missions), n}); }
