// World sets on the generated pack: the switch at each spawn, the common types and atlas that
// survive it, the release ranges, the guards, and the deferred banner pictures.
#include <filesystem>
#include <map>
#include <memory>

#include "catalogue_fixture.h"
#include "game_globals.h"
#include "win_dib_bitmap.h"

using catalogue::Target;

namespace {

// Every slot of the object tables that a set and the common types fill, and nothing else.
SlotSet Expected(int set) {
  return Union(RowSlots(*catalogue::WorldSet(set)), RowSlots(*catalogue::WorldSet(catalogue::kCommonSet)));
}

// An atlas sprite must draw from a page of the atlas now loaded for its set.
bool FromAtlas(const Surface* s, const Atlas* atlas) {
  if (!s || !atlas) return false;
  for (int p = 0; p < atlas->pageCount; ++p)
    if (s->texture == atlas->pageTextures[p]) return true;
  return false;
}

std::vector<Surface*> CommonSprites() {
  std::vector<Surface*> out;
  for (const auto& slot : RowSlots(*catalogue::WorldSet(catalogue::kCommonSet)))
    out.push_back(g_rects[std::get<1>(slot)][std::get<2>(slot)]);
  return out;
}

// Each slot's object in the object tables: the sprite, else its placeholder.
std::vector<const void*> TableObjects() {
  std::vector<const void*> out;
  for (int t = 0; t < RECTS_TYPES; ++t)
    for (int f = 0; f < RECTS_FRAMES; ++f)
      out.push_back(g_rects[t][f] ? (const void*)g_rects[t][f] : (const void*)g_rectDummies[t][f]);
  return out;
}

class WorldSets : public CatalogueTest {
protected:
  void Spawn(int level) {
    g_levelSelected = level;
    LoadRects();
  }
  // The tables hold exactly the set's slots, every one with its picture, cut from the set's atlas.
  void ExpectLoaded(int set) {
    SCOPED_TRACE("set " + std::to_string(set));
    EXPECT_EQ(previousSpriteSet, set);
    for (int w = 0; w <= 8; ++w)
      EXPECT_EQ(g_worldAtlas[w] != nullptr, w == set) << "atlas slot " << w;
    int missing = 0;
    SlotSet filled = Union(Filled(Target::Rects, &missing), Filled(Target::RectDummies));
    EXPECT_EQ(filled, Expected(set));
    EXPECT_EQ(missing, 0) << "sprites without a picture in the pack";
    const catalogue::Set& rows = *catalogue::WorldSet(set);
    for (int r = 0; r < rows.runCount; ++r) {
      if (rows.runs[r].source != catalogue::Source::Atlas) continue;
      for (int i = 0; i < catalogue::SlotCount(rows.runs[r]); ++i) {
        int type = 0, frame = 0;
        catalogue::SlotAt(rows.runs[r], i, &type, &frame);
        ASSERT_TRUE(FromAtlas(g_rects[type][frame], g_worldAtlas[set])) << type << "/" << frame;
      }
    }
  }
};

TEST_F(WorldSets, EachSpawnLoadsItsLevelsSetAndReleasesTheOthersButTheCommonTypes) {
  struct Step {
    int level, set;
  } steps[] = {{1, 0},   {19, 3}, {20, 4}, {41, 3},  {51, 1}, {149, 2}, {150, 8},
               {251, 0}, {-5, 8}, {0, 4},  {101, 2}, {50, 3}, {250, 8}};
  Spawn(steps[0].level);
  ExpectLoaded(steps[0].set);
  Atlas* common = g_worldAtlas[catalogue::kCommonSet];
  ASSERT_NE(common, nullptr);
  std::vector<Surface*> commons = CommonSprites();
  for (const Step& s : steps) {
    SCOPED_TRACE("level " + std::to_string(s.level));
    Spawn(s.level);
    ExpectLoaded(s.set);
    EXPECT_EQ(g_worldAtlas[catalogue::kCommonSet], common);
    EXPECT_EQ(CommonSprites(), commons) << "the common sprites are the same objects after every switch";
  }
  EXPECT_EQ(g_rects[57][1], commons[0]);
  EXPECT_TRUE(FromAtlas(g_rects[57][1], common));
}

TEST_F(WorldSets, ASpawnInTheLoadedSetLoadsAndReleasesNothing) {
  Spawn(1);
  g_rectDummies[124][0]->UseMeToLoad(124, 0);
  Surface* banner = g_rects[124][0];
  ASSERT_NE(banner, nullptr);
  const std::vector<const void*> before = TableObjects();
  Atlas* atlas = g_worldAtlas[0];
  for (int level : {1, 18, 21, 40, 300}) {
    Spawn(level);
    EXPECT_EQ(g_worldAtlas[0], atlas);
    EXPECT_TRUE(TableObjects() == before) << "level " << level;
  }
  EXPECT_EQ(g_rects[124][0], banner);
}

TEST_F(WorldSets, DeferredBannersLoadOnFirstDrawAndGoBackAtLevelCompletion) {
  Spawn(1);
  const SlotSet placeholders = Filled(Target::RectDummies);
  ASSERT_EQ(placeholders.size(), 29u);
  // Nothing drawn yet: no sprite and no placeholder changes.
  const std::vector<const void*> before = TableObjects();
  ClearTemporarySurfaces();
  EXPECT_TRUE(TableObjects() == before);
  g_loadUpdateFunction = [] {};
  for (const auto& slot : placeholders) {
    int type = std::get<1>(slot), frame = std::get<2>(slot);
    ASSERT_EQ(g_rects[type][frame], nullptr) << type;
    g_rectDummies[type][frame]->UseMeToLoad(type, frame);
    ASSERT_NE(g_rects[type][frame], nullptr) << type;
    EXPECT_NE(g_rects[type][frame]->texture, nullptr) << "no picture for the banner of type " << type;
  }
  EXPECT_EQ(g_loadUpdateFunction, nullptr);
  // One name, two banners: each its own surface.
  EXPECT_NE(g_rects[131][0], g_rects[136][0]);
  Surface* tile = g_rects[100][0];
  ClearTemporarySurfaces();
  for (const auto& slot : placeholders)
    EXPECT_EQ(g_rects[std::get<1>(slot)][std::get<2>(slot)], nullptr);
  EXPECT_EQ(Filled(Target::RectDummies), placeholders) << "the placeholders stay";
  EXPECT_EQ(g_rects[100][0], tile);
  // A switch to the level-zero set gives every placeholder back; 124 becomes an atlas sprite.
  Spawn(0);
  EXPECT_TRUE(Filled(Target::RectDummies).empty());
  EXPECT_TRUE(FromAtlas(g_rects[124][0], g_worldAtlas[4]));
}

TEST_F(WorldSets, SwitchingAwayAndBackReloadsEverySpriteFromTheNewAtlas) {
  Spawn(0);
  Spawn(1);
  Spawn(20);
  ExpectLoaded(4); // every sprite draws from the atlas loaded now, none from the freed one
  // The bonus loader's guard: its id stays 8 after a switch, but the freed atlas slot lets it load.
  Spawn(150);
  EXPECT_EQ(g_currentWorldAtlasID, 8);
  Spawn(1);
  EXPECT_EQ(g_currentWorldAtlasID, 8);
  EXPECT_EQ(g_rects[440][0], nullptr);
  Spawn(160);
  ExpectLoaded(8);
  // One entry, several slots: each its own sprite, freed once with the world.
  EXPECT_NE(g_rects[440][1], g_rects[440][2]);
  EXPECT_NE(g_rects[440][2], g_rects[440][3]);
  EXPECT_NE(g_rects[420][1], g_rects[421][0]);
  EXPECT_EQ(g_rects[440][1]->texture, g_rects[440][3]->texture);
}

TEST_F(WorldSets, LoaderGuardsAndReleaseRanges) {
  Spawn(51); // the second world, for something to keep or free
  // A first-world call while its first slot is held creates nothing, not even its atlas.
  Surface* held = g_rects[100][0] = new Surface(CommonString("held"), 2, false);
  LoadWorld1();
  EXPECT_EQ(g_worldAtlas[0], nullptr);
  EXPECT_EQ(g_rects[101][0], nullptr);
  EXPECT_EQ(g_rects[100][0], held);
  Surface* arrow = g_rects[521][0] = new Surface(CommonString("held"), 2, false);
  LoadWorldTutorial();
  EXPECT_EQ(g_worldAtlas[3], nullptr);
  EXPECT_EQ(g_rects[550][0], nullptr);
  EXPECT_EQ(g_rects[521][0], arrow);
  // A loaded set's loader returns at once.
  Surface* first = g_rects[0][0];
  LoadWorld2();
  EXPECT_EQ(g_rects[0][0], first);

  for (int w = 3; w <= 7; ++w)
    DeleteWorld(w);
  EXPECT_EQ(g_rects[0][0], first);
  EXPECT_EQ(g_rects[100][0], held);

  LoadWorld3();
  Surface* third = g_rects[600][0];
  DeleteAllWorlds(2);
  EXPECT_NE(g_worldAtlas[2], nullptr);
  EXPECT_EQ(g_rects[600][0], third);
  EXPECT_EQ(g_worldAtlas[1], nullptr);
  EXPECT_EQ(g_rects[0][0], nullptr);
  EXPECT_EQ(g_rects[100][0], nullptr) << "range 0 frees the held slot";
  EXPECT_EQ(g_rects[521][0], nullptr);
  EXPECT_NE(g_rects[57][1], nullptr);
}

// Called again while its set is loaded, each loader (the common one too) creates nothing.
TEST_F(WorldSets, EveryLoaderReturnsAtOnceWhileItsSetIsLoaded) {
  struct Case {
    int level;
    void (*loader)();
  } cases[] = {{1, LoadWorld1},         {51, LoadWorld2},       {101, LoadWorld3},
               {41, LoadWorldTutorial}, {0, LoadWorld_Level_0}, {150, LoadBonusWorlds},
               {1, LoadCommonWorldData}};
  auto snapshot = [] {
    std::vector<const void*> out(std::begin(g_worldAtlas), std::end(g_worldAtlas));
    for (int t = 0; t < RECTS_TYPES; ++t)
      for (int f = 0; f < RECTS_FRAMES; ++f) {
        out.push_back(g_rects[t][f]);
        out.push_back(g_rectDummies[t][f]);
      }
    return out;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("level " + std::to_string(c.level));
    Spawn(c.level);
    const std::vector<const void*> before = snapshot();
    c.loader();
    EXPECT_TRUE(snapshot() == before);
  }
}

// The window's end releases the catalogue with everything else; a new window's first spawn must
// load its set again rather than trust the old set number.
TEST_F(WorldSets, ANewGameplayWindowSpawnsIntoALoadedSet) {
  std::filesystem::create_directories("data");
  std::unique_ptr<CWinDibBitmap> buffer(new CWinDibBitmap(&game));
  ASSERT_TRUE(buffer->Create(480, 320));
  game.m_pDoubleBuffer = buffer.get();
  for (int round = 0; round < 2; ++round) {
    CXGameplayWindow window(&game);
    ASSERT_EQ(window.OnInitElement(), 1);
    Spawn(51);
    ExpectLoaded(1);
  }
  EXPECT_EQ(previousSpriteSet, -100);
  EXPECT_EQ(g_rects[0][0], nullptr);
  game.m_pDoubleBuffer = nullptr;
}

} // namespace
