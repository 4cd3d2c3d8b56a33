// The object sprite tables and the world sets: registration from the tables, the switch of world
// set at each hero spawn, the release ranges and the deferred pictures.
#include <cstring>

#include "atlas.h"
#include "catalogue.h"
#include "game_globals.h"
#include "level_layout.h"
#include "quellar_array.h"
#include "surface.h"

using catalogue::Set;
using catalogue::Source;
using catalogue::Target;

Atlas* g_worldAtlas[WORLD_ATLASES];
int previousSpriteSet = -100;
int g_currentWorldAtlasID = -1;

namespace {

// Creates the set's atlas into its slot and registers the set's rows from it.
void LoadSet(int set, Atlas*& slot) {
  const Set* rows = catalogue::WorldSet(set);
  slot = new Atlas(CommonString(rows->atlas));
  RegisterSprites(*rows, slot);
}

} // namespace

void RegisterSprites(const Set& set, Atlas* atlas) {
  char name[catalogue::kMaxNameLength];
  for (int r = 0; r < set.runCount; ++r) {
    const catalogue::Run& run = set.runs[r];
    for (int i = 0; i < catalogue::SlotCount(run); ++i) {
      int index = 0, frame = 0;
      catalogue::SlotAt(run, i, &index, &frame);
      if (!catalogue::ExpandName(run, i, name, sizeof(name))) continue;
      if (run.source == Source::Deferred) {
        SurfaceDummy** slot = run.target == Target::RectDummies ? PlaceholderSlot(index, frame) : nullptr;
        if (slot) *slot = new SurfaceDummy(CommonString(name), false, 1);
        continue;
      }
      Surface** slot = SpriteSlot(run.target, index, frame);
      if (!slot) continue;
      if (run.source == Source::Atlas)
        *slot = new Surface(atlas, CommonString(name));
      else
        *slot = new Surface(CommonString(name), run.source == Source::Jpeg ? 1 : 0, false);
    }
  }
}

void LoadRects() {
  int firstCasual[5];
  for (int w = 0; w < 5; ++w)
    firstCasual[w] = g_levelStartingIndexes[2 * w];
  int set = catalogue::SpriteSetForLevel(g_levelSelected, firstCasual);
  if (set == previousSpriteSet) return;
  // The common loader runs before the release: once its atlas exists it returns at once.
  LoadCommonWorldData();
  DeleteAllWorlds(-1);
  switch (set) {
  case 0:
    LoadWorld1();
    break;
  case 1:
    LoadWorld2();
    break;
  case 2:
    LoadWorld3();
    break;
  case 3:
    LoadWorldTutorial();
    break;
  case 4:
    LoadWorld_Level_0();
    break;
  case 8:
    LoadBonusWorlds();
    break;
  default:
    break;
  }
  previousSpriteSet = set;
}

void DeleteWorld(int w) {
  for (int type = 0; type < RECTS_TYPES; ++type) {
    if (!catalogue::InReleaseRange(w, type)) continue;
    SafeDeleteAll(g_rects[type]);
  }
}

void DeleteAllWorlds(int keep) {
  // Slot 9, the common atlas, is never touched. An atlas may go before the sprites cut from it:
  // a sprite never touches its atlas when deleted.
  for (int w = 0; w <= 8; ++w) {
    if (w == keep) continue;
    SafeDelete(g_worldAtlas[w]);
    DeleteWorld(w);
  }
  for (auto& row : g_rectDummies)
    for (SurfaceDummy*& d : row)
      SafeDelete(d);
}

void ClearTemporarySurfaces() {
  for (int type = 0; type < RECTS_TYPES; ++type)
    for (int frame = 0; frame < RECTS_FRAMES; ++frame)
      if (g_rects[type][frame] && g_rectDummies[type][frame]) SafeDelete(g_rects[type][frame]);
}

void LoadCommonWorldData() {
  if (g_worldAtlas[catalogue::kCommonSet]) return;
  LoadSet(catalogue::kCommonSet, g_worldAtlas[catalogue::kCommonSet]);
}

void LoadWorld1() {
  if (g_worldAtlas[0] || g_rects[100][0]) return;
  LoadSet(0, g_worldAtlas[0]);
}

void LoadWorld2() {
  if (g_worldAtlas[1]) return;
  LoadSet(1, g_worldAtlas[1]);
}

void LoadWorld3() {
  if (g_worldAtlas[2]) return;
  LoadSet(2, g_worldAtlas[2]);
}

void LoadWorldTutorial() {
  if (g_worldAtlas[3] || g_rects[521][0]) return;
  LoadSet(3, g_worldAtlas[3]);
}

void LoadWorld_Level_0() {
  if (g_worldAtlas[4]) return;
  LoadSet(4, g_worldAtlas[4]);
}

void LoadBonusWorlds() {
  if (g_currentWorldAtlasID == 8 && g_worldAtlas[8]) return;
  g_currentWorldAtlasID = 8;
  LoadSet(8, g_worldAtlas[8]);
}
