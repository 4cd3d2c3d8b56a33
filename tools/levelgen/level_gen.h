// The sample pack's levels: for every level number the game can reach, a simple level of its
// world's types (start, floors and platforms, pits, spikes and mushrooms, the exit door), laid out
// for a player who holds right and taps jump steadily, and encoded by the game's own level writer.
#pragma once

#include <string>
#include <vector>

#include "level_format.h"

namespace levelgen {

// The hero's reach the layouts keep within: a held jump rises about 88 px and the hero runs at up
// to 350 px/s, so gaps stay at or below 100 px and steps at or below 40 px.
//
// A steady tapper does not jump where a level asks him to, but he climbs any wall he runs against,
// one wall jump a tap. So every pit has walls and a floor, and a player who falls in taps his way
// up its far wall; and the end's door stands in a room under a roof, which no tapper gets over.
const int kMaxGap = 100;
const int kMaxStepUp = 40;
// Spikes lie at the bottom of narrow pits only. Running at 350 px/s and falling at most 600 px/s,
// the hero meets the far wall at most 1.7 times the pit's width below its edge; there his slide is
// slow and the next tap lifts him, so the spikes stand below that, yet within sight of the floor.
const int kMinSpikedGap = 40, kMaxSpikedGap = 50;
inline int SpikedPitDepth(int gap) { return 2 * gap + 20; }

// The player the levels are laid out for: he holds right and taps jump every 'period' frames, each
// tap held 'hold' frames, from frame 'from' of the level on, whatever lies ahead.
struct SteadyTaps {
  int period, hold, from;
  bool Down(int frame) const { return frame >= from && (frame - from) % period == 0; }
  bool Up(int frame) const { return frame >= from && (frame - from) % period == hold; }
};
// Three or four short taps a second.
const SteadyTaps kSteadyRhythms[] = {{20, 6, 0}, {15, 6, 0}};

// Level numbers written: 0 (behind the main menu), 19 (help) and 20 (the mini-game), every level
// of the level-selection tables, and the numbers the next-level step passes through between
// them, up to 250, the last level of the bonus worlds' sprite set.
std::vector<int> LevelNumbers();

// One object type the layouts use, with the defaults the game gives it (a record carries them,
// since every word it stores replaces the default on loading).
struct TypeInfo {
  int type;
  int width, height;
  int noCollision;
  float fps;
  int layer;
};

// The types of the level's world: floor, block (walls and platforms), hazard; the mushroom and
// the exit door are common to every world.
struct Palette {
  TypeInfo floor, block, hazard;
};
Palette PaletteOf(int level);
extern const TypeInfo kMushroom;
extern const TypeInfo kDoor;

struct Level {
  std::vector<gameRectData> records;
  levelHeader header;
};
// Level 20 is the mini-game's course instead: its own types (472-478), no mushroom and no door,
// since the mini-game ends past the last object.
Level MakeLevel(int number);

// Writes DIR/level<N>.txt for every level number; an empty string, or what failed.
std::string WriteLevels(const std::string& dir);

} // namespace levelgen
