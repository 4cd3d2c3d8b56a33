// Records every mission step, for the tests.
#include "mission_log.h"

#include "game_globals.h"

std::vector<std::pair<int, float>>& MissionSteps() {
  static std::vector<std::pair<int, float>> steps;
  return steps;
}

void ProcessMissions(float dt) { MissionSteps().push_back({framesCount, dt}); }
