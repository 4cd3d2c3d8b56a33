// Level layouts for the sample pack, written with the game's level encoder.
#include "level_gen.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "catalogue_data.h"
#include "files.h"

namespace levelgen {
namespace {

// The world sets' first casual levels (the front end's table).
const int kFirstCasual[5] = {41, 1, 51, 101, 150};

// Per sprite set: floor, block, hazard.
const Palette kWorld1 = {{106, 200, 40, 0, 10, 10}, {107, 40, 40, 0, 10, 10}, {115, 40, 20, 1, 10, 10}};
const Palette kWorld2 = {{3, 200, 40, 0, 10, 10}, {4, 40, 40, 0, 10, 10}, {23, 40, 20, 1, 10, 10}};
const Palette kWorld3 = {{625, 200, 40, 0, 10, 10}, {600, 100, 100, 0, 10, 10}, {603, 40, 20, 1, 10, 10}};
const Palette kTutorial = {{550, 100, 100, 0, 10, 10}, {551, 100, 100, 0, 10, 10}, {570, 20, 20, 1, 10, 10}};
const Palette kLevelZero = {{106, 200, 40, 0, 10, 10}, {107, 40, 40, 0, 10, 10}, {115, 40, 20, 1, 10, 10}};
const Palette kBonus = {{458, 200, 40, 0, 10, 10}, {451, 40, 40, 0, 10, 10}, {463, 20, 20, 1, 10, 10}};

// Small deterministic numbers: the same level number always gives the same level.
struct Random {
  unsigned state;
  explicit Random(int seed) : state(2166136261u ^ ((unsigned)seed * 16777619u)) {}
  int Below(int n) {
    state = state * 1103515245u + 12345u;
    return (int)((state >> 16) % (unsigned)n);
  }
};

class Builder {
public:
  gameRectData& Add(const TypeInfo& t, float x, float y) {
    gameRectData r = FreshLevelRecord(t.type, x, y);
    r.SetInt(LW_UID, ++uid);
    r.SetInt(LW_LAYER, t.layer);
    r.SetFloat(LW_X2, x + (float)t.width);
    r.SetFloat(LW_Y2, y + (float)t.height);
    r.SetInt(LW_NO_COLLISION, t.noCollision);
    r.SetFloat(LW_FPS, t.fps);
    records.push_back(r);
    return records.back();
  }
  std::vector<gameRectData> records;

private:
  int uid = 0;
};

// A run of floor tiles with its top at top, from x over at least length pixels; the x after it.
int Floor(Builder& b, const TypeInfo& floor, int x, int top, int length) {
  int end = x + length;
  for (; x < end; x += floor.width)
    b.Add(floor, (float)x, (float)top);
  return x;
}

// A wall of blocks standing on top, rising height pixels.
void Wall(Builder& b, const TypeInfo& block, int x, int top, int height) {
  for (int y = top - block.height; y > top - height - block.height; y -= block.height)
    b.Add(block, (float)x, (float)y);
}

// Blocks filling the rectangle from (left, top) to at least (right, bottom).
void Fill(Builder& b, const TypeInfo& t, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; y += t.height)
    for (int x = left; x < right; x += t.width)
      b.Add(t, (float)x, (float)y);
}

// A pit of width gap after the floor that ends at x, walled down both sides, with a floor depth
// pixels below the floor's top and spikes on it when asked. The x where the floor goes on.
int Pit(Builder& b, const Palette& p, int x, int top, int gap, int depth, bool spikes) {
  const TypeInfo& k = p.block;
  int bottom = top + depth;
  Fill(b, k, x - k.width, top + p.floor.height, x, bottom);
  Fill(b, k, x + gap, top + p.floor.height, x + gap + k.width, bottom);
  Fill(b, k, x, bottom, x + gap, bottom + k.height);
  if (spikes) {
    const int count = gap / p.hazard.width, from = x + (gap - count * p.hazard.width) / 2;
    for (int i = 0; i < count; ++i)
      b.Add(p.hazard, (float)(from + i * p.hazard.width), (float)(bottom - p.hazard.height));
  }
  return x + gap;
}

// The level's end, from the floor that ends at x: a room under a roof whose floor rises in steps
// of 40 px to a last stretch as high as the door, which stands against the end wall. The roof is
// higher than a double jump from the floor before it, so the hero comes in under it, and it holds
// him down the way in: the low room leads him into the door however he jumps. The x of the door.
int EndRoom(Builder& b, const Palette& p, int x, int top) {
  const TypeInfo& k = p.block;
  const int steps = 4, low = kDoor.height, roof = low + steps * kMaxStepUp;
  // Whole blocks: no tile overlaps the next step's.
  const int stepLength = (120 + k.width - 1) / k.width * k.width,
            last = (200 + k.width - 1) / k.width * k.width;
  const int left = x;
  int floor = top;
  x = Floor(b, p.floor, x, floor, stepLength);
  for (int i = 0; i < steps; ++i) {
    floor -= kMaxStepUp;
    int length = i + 1 == steps ? last : stepLength;
    Fill(b, k, x, floor, x + length, top + p.floor.height);
    x += length;
  }
  int doorX = x - kDoor.width;
  b.Add(kDoor, (float)doorX, (float)(floor - kDoor.height));
  Fill(b, k, left, top - roof - k.height, x, top - roof);
  Fill(b, k, x, top - roof - k.height, x + k.width, top + p.floor.height);
  return doorX;
}

// The mini-game's course (level 20): the line the hero runs on, blocks to jump onto and
// spikes and water to jump over. The line grows ahead of the hero in the mini-game.
const TypeInfo kLine = {478, 200, 40, 0, 10, 10};
const TypeInfo kBlock40 = {472, 40, 40, 0, 10, 10};
const TypeInfo kBlock120 = {473, 120, 120, 0, 10, 10};
const TypeInfo kBlock160 = {474, 160, 40, 0, 10, 10};
const TypeInfo kBlock400 = {475, 400, 40, 0, 10, 10};
const TypeInfo kSpike = {476, 40, 40, 1, 10, 10};
const TypeInfo kWater = {477, 40, 40, 1, 10, 10};

// An auto-runner at 290 px/s clears 40 px with a tap and flies about 130 px, so each obstacle
// stands alone with room to land before the next.
Level MiniGameCourse() {
  Builder b;
  const int start = 5000, top = 5200;
  b.Add(kLine, (float)start, (float)top); // under the start point
  // On the line at start + dx, sunk by sink pixels into it.
  auto on = [&](const TypeInfo& t, int dx, int sink = 0) {
    b.Add(t, (float)(start + dx), (float)(top - t.height + sink));
  };
  on(kSpike, 500);
  on(kBlock40, 850);
  on(kBlock160, 1200);
  on(kWater, 1650);
  // A step, then a higher one from it.
  on(kBlock160, 2000);
  on(kBlock120, 2160, 40);
  on(kSpike, 2650);
  // A long ledge with a spike halfway along it.
  on(kBlock400, 3000);
  b.Add(kSpike, (float)(start + 3180), (float)(top - kBlock400.height - kSpike.height));
  on(kWater, 3750);
  on(kBlock40, 4100);
  on(kSpike, 4450);

  Level level;
  level.records = b.records;
  memset(&level.header, 0, sizeof level.header);
  levelHeader& h = level.header;
  h.background = 50; // the mini-game's own background
  h.backgroundR = h.backgroundG = h.backgroundB = h.backgroundA = 255;
  h.startX = start + 60;
  h.startY = top - 23 - 2;
  h.characterA = h.characterR = h.characterG = h.characterB = 255;
  float run = 4450.0f / 290.0f;
  h.rankTime4 = run + 2;
  h.rankTime3 = run + 5;
  h.rankTime2 = run + 9;
  h.rankTime1 = run + 15;
  h.ipadZoom = 1.0f;
  return level;
}

} // namespace

const TypeInfo kMushroom = {57, 49, 64, 1, 10, 10};
const TypeInfo kDoor = {58, 64, 64, 1, 12, 10};

std::vector<int> LevelNumbers() {
  std::vector<int> numbers;
  for (int n = 0; n <= 250; ++n)
    numbers.push_back(n);
  return numbers;
}

Palette PaletteOf(int level) {
  switch (catalogue::SpriteSetForLevel(level, kFirstCasual)) {
  case 0:
    return kWorld1;
  case 1:
    return kWorld2;
  case 2:
    return kWorld3;
  case 3:
    return kTutorial;
  case 4:
    return kLevelZero;
  default:
    return kBonus;
  }
}

Level MakeLevel(int number) {
  if (number == 20) return MiniGameCourse();
  const Palette p = PaletteOf(number);
  Random rnd(number);
  Builder b;
  const int start = 5000;
  int top = 5200;

  // A back wall, then a long flat run: the first seconds need no jump.
  Wall(b, p.block, start - p.block.width, top, 240);
  int x = Floor(b, p.floor, start - p.block.width, top, 1000);

  // Sections: a pit, a step up or down, a pit with spikes, a platform with a mushroom.
  int sections = 5 + number % 4;
  int mushrooms = 0;
  for (int i = 0; i < sections; ++i) {
    switch (rnd.Below(4)) {
    case 0: { // a pit
      int gap = 60 + rnd.Below(kMaxGap - 60 + 1);
      x = Pit(b, p, x, top, gap, 120 + 20 * rnd.Below(3), false);
      x = Floor(b, p.floor, x, top, 400);
      break;
    }
    case 1: { // a step, kept within the level's band
      int step = rnd.Below(2) ? -kMaxStepUp : kMaxStepUp;
      if (top + step < 5000 || top + step > 5320) step = -step;
      top += step;
      x = Floor(b, p.floor, x, top, 400);
      break;
    }
    case 2: { // a narrow pit with spikes too deep for a fall that lands on the far wall
      int gap = kMinSpikedGap + rnd.Below(kMaxSpikedGap - kMinSpikedGap + 1);
      x = Pit(b, p, x, top, gap, SpikedPitDepth(gap), true);
      x = Floor(b, p.floor, x, top, 400);
      break;
    }
    default: { // a platform over the run, a mushroom on it
      int from = x;
      x = Floor(b, p.floor, x, top, 600);
      // A thin platform floats with room to run under it; a tall block is a step to jump on.
      int platformTop = p.block.height > 40 ? top - 60 : top - 70;
      for (int px = from + 200; px < from + 200 + 120; px += p.block.width)
        b.Add(p.block, (float)px, (float)platformTop);
      if (mushrooms < 3) {
        b.Add(kMushroom, (float)(from + 230), (float)(platformTop - kMushroom.height));
        ++mushrooms;
      }
      break;
    }
    }
  }
  // A flat run to the end's room, long enough for any jump to settle into its rhythm there.
  x = Floor(b, p.floor, x, top, 400);
  int doorX = EndRoom(b, p, x, top);

  Level level;
  level.records = b.records;
  memset(&level.header, 0, sizeof level.header);
  levelHeader& h = level.header;
  h.background = number % 40;
  h.backgroundR = h.backgroundG = h.backgroundB = h.backgroundA = 255;
  h.startX = start + 60;
  h.startY = 5200 - 23 - 2;
  h.characterA = h.characterR = h.characterG = h.characterB = 255;
  // Rank limits from the length of the run at a steady 250 px/s.
  float run = (float)(doorX - start) / 250.0f;
  h.rankTime4 = run + 2;
  h.rankTime3 = run + 5;
  h.rankTime2 = run + 9;
  h.rankTime1 = run + 15;
  h.ipadZoom = 1.0f;
  return level;
}

std::string WriteLevels(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) return "cannot create " + dir + ": " + ec.message();
  for (int n : LevelNumbers()) {
    Level level = MakeLevel(n);
    std::vector<unsigned char> bytes = EncodeLevelFile(level.records, level.header);
    std::string path = dir + "/level" + std::to_string(n) + ".txt";
    if (!WriteFileAtomically(path.c_str(), bytes.data(), bytes.size())) return "cannot write " + path;
  }
  return "";
}

} // namespace levelgen
