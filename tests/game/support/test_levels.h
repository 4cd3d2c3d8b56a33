// Level files that tests write with the game's own encoder: records as the editor saves them, a
// floor to stand on, and a header that starts the hero standing on it.
#pragma once

#include <cstring>
#include <vector>

#include "level_format.h"
#include "level_header.h"

namespace test_levels {

// The top of the floor that Floor lays.
constexpr float kFloorTop = 5200;

// A record as the editor saves it; every word it holds replaces the type's default, so the
// pass-through objects say so.
inline gameRectData Rec(int type, float x, float y, int noCollision = 1) {
  gameRectData r = FreshLevelRecord(type, x, y);
  r.SetInt(LW_NO_COLLISION, noCollision);
  return r;
}

// A floor of 200-px tiles with its top at kFloorTop from x over length pixels.
inline void Floor(std::vector<gameRectData>& level, float x, float length) {
  for (float px = x; px < x + length; px += 200)
    level.push_back(Rec(106, px, kFloorTop, 0));
}

// The file of the records with the hero standing on the floor at startX, before background 7.
inline std::vector<unsigned char> FileBytes(const std::vector<gameRectData>& records, int startX) {
  levelHeader h;
  memset(&h, 0, sizeof h);
  h.background = 7;
  h.startX = startX;
  h.startY = (int)kFloorTop - 23 - 2;
  h.characterA = h.characterR = h.characterG = h.characterB = 255;
  h.rankTime4 = 5;
  h.rankTime3 = 8;
  h.rankTime2 = 12;
  h.rankTime1 = 20;
  h.ipadZoom = 1;
  return EncodeLevelFile(records, h);
}

} // namespace test_levels
