// The effects the game asked to play during a test: the tests' own EnginePlaySound takes the place
// of the silent stand-in and records each (id, variant).
#pragma once

#include <utility>
#include <vector>

std::vector<std::pair<int, int>>& PlayedSounds();
