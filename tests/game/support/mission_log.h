// The mission steps the gameplay window ran during a test: the tests' own ProcessMissions takes the
// place of the stand-in and records the frame and step of each call.
#pragma once

#include <utility>
#include <vector>

std::vector<std::pair<int, float>>& MissionSteps();
