// Records every effect the game plays, for the tests.
#include "sound_log.h"

std::vector<std::pair<int, int>>& PlayedSounds() {
  static std::vector<std::pair<int, int>> played;
  return played;
}

void EnginePlaySound(int id, int variant) { PlayedSounds().push_back({id, variant}); }
