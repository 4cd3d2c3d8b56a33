// The catalogue's rows checked against themselves and against the counts and slots the game's
// readers rely on: every name expands, no loader writes a slot twice, every slot lies inside its
// array and its world's release range, and the per-loader counts are the stated ones.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue_data.h"
#include "catalogue_rows.h"

using namespace catalogue;

namespace {

struct Registration {
  const Set* set;
  const Run* run;
  Target target;
  int index;
  int frame;
  std::string name;
};

std::vector<Registration> Expand(const Set& set) {
  std::vector<Registration> out;
  char name[kMaxNameLength];
  for (int r = 0; r < set.runCount; ++r) {
    const catalogue::Run& run = set.runs[r];
    for (int i = 0; i < SlotCount(run); ++i) {
      Registration reg{&set, &run, run.target, 0, 0, ""};
      SlotAt(run, i, &reg.index, &reg.frame);
      if (ExpandName(run, i, name, sizeof(name))) reg.name = name;
      out.push_back(reg);
    }
  }
  return out;
}

std::vector<const Set*> Sets() {
  int count = 0;
  const Set* const* sets = AllSets(&count);
  return std::vector<const Set*>(sets, sets + count);
}

std::string Describe(const Set& set, const catalogue::Run& run) {
  std::ostringstream s;
  s << set.loader << " row \"" << (run.pattern ? run.pattern : "(null)") << "\" at " << run.firstIndex << "-"
    << run.lastIndex << "/" << run.firstFrame << "-" << run.lastFrame;
  return s.str();
}

} // namespace

namespace {

// What is wrong with a set's rows, one line per fault: a row without slots, a name that does not
// expand or holds a blank or a separator, a slot outside its global, a way of making it that its
// set or target does not allow.
std::vector<std::string> RowFaults(const Set& set) {
  std::vector<std::string> faults;
  auto fault = [&](const catalogue::Run& run, const std::string& what) {
    faults.push_back(Describe(set, run) + ": " + what);
  };
  for (int r = 0; r < set.runCount; ++r) {
    const catalogue::Run& run = set.runs[r];
    if (SlotCount(run) == 0) fault(run, "no slots (a run spans types or frames, not both, in rising order)");
    const bool known = (int)run.target < (int)Target::Count;
    const TargetShape& shape = ShapeOf(run.target);
    char name[kMaxNameLength];
    for (int i = 0; i < SlotCount(run); ++i) {
      if (!ExpandName(run, i, name, sizeof(name)))
        fault(run, "slot " + std::to_string(i) + " does not expand");
      else if (std::string(name).find_first_of(" %\\/") != std::string::npos)
        fault(run, std::string("\"") + name + "\" holds a blank or a separator");
      int index = 0, frame = 0;
      SlotAt(run, i, &index, &frame);
      if (!known || index < 0 || index >= shape.rows || frame < 0 || frame >= shape.columns)
        fault(run, std::string(known ? shape.name : "no global") + "[" + std::to_string(index) + "][" +
                       std::to_string(frame) + "] is outside its global");
    }
    if (run.source == Source::Atlas && !set.atlas) fault(run, "an atlas row in a set without atlas");
    if ((run.source == Source::Deferred) != (run.target == Target::RectDummies))
      fault(run, "placeholders, and only they, are deferred");
    if (run.source == Source::Jpeg && run.target != Target::Backgrounds && run.target != Target::FrontEnd &&
        run.target != Target::Screen)
      fault(run, "a JPEG outside the backgrounds, the front end and the screens");
  }
  return faults;
}

} // namespace

TEST(CatalogueTables, EveryRowExpandsIntoNamesInsideItsGlobalAndIsMadeTheWayItsSetAllows) {
  for (const Set* set : Sets()) {
    EXPECT_EQ(RowFaults(*set), std::vector<std::string>{});
    // The check every set's rows passed as they compiled.
    for (int r = 0; r < set->runCount; ++r)
      EXPECT_EQ(CheckRow(set->runs[r]), RowFault::None) << Describe(*set, set->runs[r]);
  }
}

// Each rule broken once: the test above and the build's check (CheckRow, which MakeSet applies to
// every row as a set compiles) both refuse the row.
TEST(CatalogueTables, PlantedBadRowsAreRefusedByTheTestAndByTheBuild) {
  using namespace catalogue::rows;
  const Target none = Target::Count;
  struct Case {
    catalogue::Run run;
    const char* fault; // a part of the test's message
    RowFault build;
  } cases[] = {
      {Entries(Target::Smoke, 0, 3, "leaf_%s"), "does not expand", RowFault::NotExpanding},
      {Entries(Target::Smoke, 0, 3, "leaf_%02d", -2), "slot 0 does not expand", RowFault::NotExpanding},
      {Entry(Target::Dialog, 0, "panel_std_dialog_with_a_name_much_longer_than_any_file_name_can_be"),
       "does not expand", RowFault::NotExpanding},
      {Entry(Target::Dialog, 0, "panel std dialog"), "holds a blank", RowFault::NotExpanding},
      {Entry(Target::Dialog, 0, "panels/dialog"), "holds a blank or a separator", RowFault::NotExpanding},
      {Entry(Target::Dialog, 3, "rozha_03"), "g_dialog[3][0] is outside", RowFault::OutsideGlobal},
      {Entry(Target::Dialog, -1, "rozha_00"), "g_dialog[-1][0] is outside", RowFault::OutsideGlobal},
      {Cell(Target::GuiArrows, 1, 2, "joystick_dual_button_x"), "g_guiArrows[1][2] is outside",
       RowFault::OutsideGlobal},
      {Entry(Target::DialogButOk, 1, "panel_std_dialog_button_ok"), "g_dialogButOk[1][0] is outside",
       RowFault::OutsideGlobal},
      {Types(798, 800, "w3_tile_%d", 1), "g_rects[800][0] is outside", RowFault::OutsideGlobal},
      {Frames(58, 28, 30, "door_%02d"), "g_rects[58][30] is outside", RowFault::OutsideGlobal},
      {Cell(Target::FrontEnd, FrontEndGlobalCount, 0, "menu_extra"), "front end[23][0] is outside",
       RowFault::OutsideGlobal},
      {Own(kScreenGlobals, 0, "screen_extra"), "is outside", RowFault::OutsideGlobal},
      {Entry(none, 0, "nowhere"), "no global[0][0] is outside", RowFault::OutsideGlobal},
      {catalogue::Run{Target::Rects, 1, 2, 0, 1, "x", 0, 1, Source::Atlas}, "no slots", RowFault::NoSlots},
      {Frames(58, 5, 4, "door_%02d"), "no slots", RowFault::NoSlots},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.run.pattern);
    const Set planted{"planted", "allcommon", &c.run, 1};
    std::vector<std::string> faults = RowFaults(planted);
    ASSERT_FALSE(faults.empty());
    bool named = false;
    for (const std::string& f : faults)
      named = named || f.find(c.fault) != std::string::npos;
    EXPECT_TRUE(named) << faults[0];
    EXPECT_EQ(CheckRow(c.run), c.build);
  }
  // The same rows made well pass both.
  const catalogue::Run good[] = {
      Entries(Target::Smoke, 0, 3, "leaf_%02d"), Entry(Target::Dialog, 2, "rozha_02"),
      Cell(Target::GuiArrows, 1, 1, "joystick_dual_button_r_push"), Frames(58, 0, 28, "door_%02d")};
  const Set planted{"planted", "allcommon", good, 4};
  EXPECT_EQ(RowFaults(planted), std::vector<std::string>{});
  for (const catalogue::Run& run : good)
    EXPECT_EQ(CheckRow(run), RowFault::None) << run.pattern;
}

TEST(CatalogueTables, NameExpansionFollowsTheConversionsAndRefusesOthers) {
  struct Case {
    const char* pattern;
    int first;
    int step;
    int slot;
    const char* expected; // null: refused
  } cases[] = {
      {"door_%02d", 1, 1, 28, "door_29"},
      {"water_40x40_%04d", 1, 1, 9, "water_40x40_0010"},
      {"w2_elevator_140x20a_%02d", 3, -1, 2, "w2_elevator_140x20a_01"},
      {"w2_bones_40x40_%d", 1, 1, 2, "w2_bones_40x40_3"},
      {"w2_100x100%c", 'a', 1, 4, "w2_100x100e"},
      {"ach_ico_shroom+%d", 1, 1, 0, "ach_ico_shroom+1"},
      {"bonus2_brick_debris", 0, 1, 2, "bonus2_brick_debris"},
      {"x_%02d", 1, -1, 2, nullptr},  // counts below zero
      {"x_%d_%d", 1, 1, 0, nullptr},  // two conversions
      {"x_%s", 1, 1, 0, nullptr},     // not ours
      {"x_%5d", 1, 1, 0, nullptr},    // width without zero padding
      {"x_%02c", 'a', 1, 0, nullptr}, // padded character
      {"x_%c", ' ', 1, 0, nullptr},   // a blank in a name
      {"x_%", 1, 1, 0, nullptr},      // cut short
      {"", 1, 1, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    catalogue::Run run{Target::Rects, 0, 0, 0, 29, c.pattern, (int16_t)c.first, (int8_t)c.step,
                       Source::Atlas};
    char out[kMaxNameLength];
    bool ok = ExpandName(run, c.slot, out, sizeof(out));
    if (c.expected) {
      ASSERT_TRUE(ok);
      EXPECT_STREQ(out, c.expected);
    } else {
      EXPECT_FALSE(ok);
    }
  }
  catalogue::Run run{Target::Rects, 0, 0, 0, 2, "door_%02d", 1, 1, Source::Atlas};
  char small[7];
  EXPECT_FALSE(ExpandName(run, 0, small, sizeof(small))) << "door_01 and its terminator need 8 bytes";
  char fits[8];
  EXPECT_TRUE(ExpandName(run, 0, fits, sizeof(fits)));
  EXPECT_FALSE(ExpandName(run, 3, fits, sizeof(fits))) << "past the run";
  catalogue::Run both{Target::Rects, 0, 1, 0, 1, "x", 0, 1, Source::Atlas};
  EXPECT_EQ(SlotCount(both), 0) << "a run over types and frames at once";
}

TEST(CatalogueTables, NoLoaderWritesASlotTwice) {
  std::map<std::string, std::set<std::tuple<int, int, int>>> written; // by loader
  for (const Set* set : Sets()) {
    for (const Registration& reg : Expand(*set)) {
      const TargetShape& shape = ShapeOf(reg.target);
      SCOPED_TRACE(Describe(*set, *reg.run));
      EXPECT_TRUE(written[set->loader].insert({(int)reg.target, reg.index, reg.frame}).second)
          << shape.name << "[" << reg.index << "][" << reg.frame << "] written twice";
    }
  }
}

TEST(CatalogueTables, WorldSetsStayInsideTheirReleaseRangesAndOffTheCommonTypes) {
  for (int s = 0; s < kWorldSetCount; ++s) {
    const Set* set = WorldSet(s);
    if (!set) continue;
    for (const Registration& reg : Expand(*set)) {
      SCOPED_TRACE(Describe(*set, *reg.run));
      ASSERT_TRUE(reg.target == Target::Rects || reg.target == Target::RectDummies);
      if (s == kCommonSet) {
        EXPECT_TRUE(IsCommonType(reg.index)) << reg.index;
        for (int range : {0, 1, 2, 8})
          EXPECT_FALSE(InReleaseRange(range, reg.index))
              << "range " << range << " would free common type " << reg.index;
        continue;
      }
      EXPECT_FALSE(IsCommonType(reg.index)) << reg.index;
      bool freed = false;
      for (int range : {0, 1, 2, 8})
        if (ReleaseRangesOf(s) & (1u << range)) freed = freed || InReleaseRange(range, reg.index);
      EXPECT_TRUE(freed) << "type " << reg.index << " of set " << s;
    }
  }
  // Every type but the common ones lies in exactly one release range; ranges 3-7 are empty.
  for (int type = 0; type < 800; ++type) {
    int ranges = 0;
    for (int range = 0; range < 10; ++range)
      ranges += InReleaseRange(range, type) ? 1 : 0;
    EXPECT_EQ(ranges, IsCommonType(type) ? 0 : 1) << "type " << type;
  }
  EXPECT_TRUE(IsCommonType(199));
  EXPECT_FALSE(InReleaseRange(0, 199)) << "range 0's first span ends at 198";
}

namespace {

struct Counts {
  int atlas = 0, png = 0, jpeg = 0, deferred = 0;
};

Counts CountOf(const Set& set) {
  Counts c;
  for (const Registration& reg : Expand(set)) {
    switch (reg.run->source) {
    case Source::Atlas:
      ++c.atlas;
      break;
    case Source::Png:
      ++c.png;
      break;
    case Source::Jpeg:
      ++c.jpeg;
      break;
    case Source::Deferred:
      ++c.deferred;
      break;
    }
  }
  return c;
}

int DistinctTypes(const Set& set, Target target) {
  std::set<int> types;
  for (const Registration& reg : Expand(set))
    if (reg.target == target) types.insert(reg.index);
  return (int)types.size();
}

int DistinctAtlasNames(const Set& set) {
  std::set<std::string> names;
  for (const Registration& reg : Expand(set))
    if (reg.run->source == Source::Atlas) names.insert(reg.name);
  return (int)names.size();
}

} // namespace

TEST(CatalogueTables, EachLoaderRegistersTheStatedCounts) {
  struct Expected {
    const char* what;
    const Set* set;
    const char* atlas;
    int atlasSprites, png, jpeg, deferred;
  } expected[] = {
      {"common", WorldSet(9), "common_blocks", 70, 0, 0, 0},
      {"first world", WorldSet(0), "doodle_world", 294, 13, 0, 29},
      {"second world", WorldSet(1), "industrial_world", 251, 12, 0, 0},
      {"third world", WorldSet(2), "clay_world", 171, 0, 0, 0},
      {"tutorial", WorldSet(3), "vudarudiri_tutorial_world", 47, 0, 0, 0},
      {"level zero", WorldSet(4), "level0sprites", 104, 0, 0, 0},
      {"bonus", WorldSet(8), "bonus_worlds", 84, 36, 0, 0},
      {"GUI", &GuiSprites(), "allcommon", 35, 5, 0, 0},
      {"particles", &ParticleSprites(), "allcommon", 54, 0, 0, 0},
      {"secret items", &SecretItemSprites(), "secret_items", 32, 0, 0, 0},
      {"mission icons", &MissionIconSprites(), "missions", 34, 0, 0, 0},
      {"backgrounds", &BackgroundPictures(), nullptr, 0, 1, 40, 0},
      {"skin 0", SkinSprites(0), "character_lowres", 229, 0, 0, 0},
      {"skin 1", SkinSprites(1), "character_demon", 136, 0, 0, 0},
      {"skin 2", SkinSprites(2), "character_jario", 143, 0, 0, 0},
      {"skin 3", SkinSprites(3), "slicker", 140, 0, 0, 0},
      {"skin 4", SkinSprites(4), "character_star", 134, 0, 0, 0},
      {"skin 5", SkinSprites(5), "character_stickman", 141, 0, 0, 0},
      {"skin 6", SkinSprites(6), "character_zombie", 92, 0, 0, 0},
      {"skin 7", SkinSprites(7), nullptr, 0, 2, 0, 0},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.what);
    ASSERT_NE(e.set, nullptr);
    if (e.atlas)
      EXPECT_STREQ(e.set->atlas, e.atlas);
    else
      EXPECT_EQ(e.set->atlas, nullptr);
    Counts c = CountOf(*e.set);
    EXPECT_EQ(c.atlas, e.atlasSprites);
    EXPECT_EQ(c.png, e.png);
    EXPECT_EQ(c.jpeg, e.jpeg);
    EXPECT_EQ(c.deferred, e.deferred);
  }
  EXPECT_EQ(SkinSprites(-1), nullptr);
  EXPECT_EQ(SkinSprites(8), nullptr);
  for (int s : {5, 6, 7, -1, 10})
    EXPECT_EQ(WorldSet(s), nullptr) << s;

  // Types per world, and the bonus set's distinct entries.
  EXPECT_EQ(DistinctTypes(*WorldSet(0), Target::Rects), 213);
  EXPECT_EQ(DistinctTypes(*WorldSet(0), Target::RectDummies), 29);
  EXPECT_EQ(DistinctTypes(*WorldSet(1), Target::Rects), 171);
  EXPECT_EQ(DistinctTypes(*WorldSet(2), Target::Rects), 154);
  EXPECT_EQ(DistinctTypes(*WorldSet(8), Target::Rects), 79);
  EXPECT_EQ(DistinctAtlasNames(*WorldSet(8)), 69);

  // The start-up stage: 273 sprites from three atlases, by global.
  std::map<Target, int> filled;
  int total = 0;
  std::set<std::string> atlases;
  for (const Set* set : {&StartupSprites(), &GuiSprites(), &ParticleSprites(), &EffectSprites(),
                         &SecretItemSprites(), &MissionIconSprites()}) {
    atlases.insert(set->atlas);
    for (const Registration& reg : Expand(*set)) {
      ++filled[reg.target];
      ++total;
    }
  }
  EXPECT_EQ(total, 273);
  EXPECT_EQ(atlases, (std::set<std::string>{"allcommon", "secret_items", "missions"}));
  struct Fill {
    Target target;
    int count;
  } fills[] = {
      {Target::LevelEndFXs, 39}, {Target::Leaderboards, 2},
      {Target::Missions, 2},     {Target::MissionButtons, 9},
      {Target::Dialog, 3},       {Target::PreloaderAnim, 4},
      {Target::Pixie, 20},       {Target::Smoke, 30},
      {Target::SecretItems, 32}, {Target::AchievementIcons, 34},
      {Target::Particles, 54},   {Target::CustomSmoke, 1},
  };
  for (const Fill& f : fills)
    EXPECT_EQ(filled[f.target], f.count) << ShapeOf(f.target).name;

  int fontCount = 0;
  const FontSpec* fonts = Fonts(&fontCount);
  ASSERT_EQ(fontCount, 7);
  std::set<std::string> files;
  for (int f = 0; f < fontCount; ++f)
    files.insert(fonts[f].file);
  EXPECT_EQ(files.size(), 7u);
}

namespace {

// The rows of a skin as written in its frame table ("0-5, 7-10, 14").
std::set<int> RowsOf(const Set& skin) {
  std::set<int> rows;
  for (const Registration& reg : Expand(skin))
    rows.insert(reg.index);
  return rows;
}

std::set<int> Parse(const char* list) {
  std::set<int> out;
  std::istringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) {
    int a = 0, b = 0;
    if (sscanf(item.c_str(), "%d-%d", &a, &b) == 2)
      for (int i = a; i <= b; ++i)
        out.insert(i);
    else if (sscanf(item.c_str(), "%d", &a) == 1)
      out.insert(a);
  }
  return out;
}

} // namespace

TEST(CatalogueTables, SkinsFillTheirStatedRows) {
  const char* rows[kSkinCount] = {
      "0-12,14-16,20-28,30-34",          "0,1,3-5,7-10,14-16,20-24,26-28",
      "0-5,7,8,10,14-16,20-24,26,27,30", "0-5,7,8,10,14-16,20-24,26,27",
      "0-5,7-10,14-16,20-24,26,27",      "0-5,7,8,10,14-16,20-24,26,27",
      "0,1,4,5,7,8,14-16,20-24,26,27",   "0",
  };
  for (int skin = 0; skin < kSkinCount; ++skin)
    EXPECT_EQ(RowsOf(*SkinSprites(skin)), Parse(rows[skin])) << "skin " << skin;
}

namespace {

const Registration* Find(const std::vector<Registration>& regs, Target target, int index, int frame) {
  for (const Registration& reg : regs)
    if (reg.target == target && reg.index == index && reg.frame == frame) return &reg;
  return nullptr;
}

} // namespace

// Slots whose names the level objects and the effects rely on; null: the slot stays empty.
TEST(CatalogueTables, SlotsTheReadersRelyOnHoldTheirNames) {
  struct Case {
    const Set* set;
    Target target;
    int index, frame;
    const char* name;
  } cases[] = {
      {WorldSet(9), Target::Rects, 57, 1, "mushroom"},
      {WorldSet(9), Target::Rects, 57, 0, nullptr},
      {WorldSet(9), Target::Rects, 199, 0, "hero_APPEAR_dust_01"},
      {WorldSet(9), Target::Rects, 199, 8, nullptr},
      {WorldSet(9), Target::Rects, 204, 17, nullptr},
      {WorldSet(4), Target::Rects, 116, 0, "w2_elevator_140x20a_03"},
      {WorldSet(4), Target::Rects, 116, 2, "w2_elevator_140x20a_01"},
      {WorldSet(4), Target::Rects, 177, 10, nullptr},
      {WorldSet(4), Target::Rects, 177, 15, nullptr},
      {WorldSet(4), Target::Rects, 177, 16, "w2_baloon_30x50_blow_06"},
      {WorldSet(4), Target::Rects, 177, 21, "w2_baloon_30x50_blow_01"},
      {WorldSet(4), Target::Rects, 505, 0, nullptr},
      {WorldSet(4), Target::Rects, 505, 1, "w2_val_40x40a"},
      {WorldSet(4), Target::Rects, 312, 0, "w2_grass_04_50x20"},
      {WorldSet(3), Target::Rects, 587, 0, nullptr},
      {WorldSet(3), Target::Rects, 588, 0, "wt_banner_100x134_01"},
      {WorldSet(0), Target::Rects, 100, 0, "w2_100x100a"},
      {WorldSet(0), Target::Rects, 118, 9, nullptr},
      {WorldSet(0), Target::Rects, 118, 13, "sand_40x40_deep_04"},
      {WorldSet(0), Target::Rects, 124, 0, nullptr},
      {WorldSet(0), Target::RectDummies, 131, 0, "w2_banner_112x46"},
      {WorldSet(0), Target::RectDummies, 136, 0, "w2_banner_112x46"},
      {WorldSet(0), Target::Rects, 179, 5, nullptr},
      {WorldSet(0), Target::Rects, 183, 0, nullptr},
      {WorldSet(0), Target::Rects, 184, 4, nullptr},
      {WorldSet(0), Target::Rects, 184, 3, "w2_gun_smoke_20x20"},
      {WorldSet(0), Target::Rects, 196, 0, "w2_kapkan_50x30_close_00"},
      {WorldSet(0), Target::Rects, 595, 0, "w2_graffiti_14"},
      {WorldSet(0), Target::Rects, 598, 0, "w2_graffiti_11"},
      {WorldSet(0), Target::Rects, 323, 0, "w2_barrel_50x50a"},
      {WorldSet(1), Target::Rects, 22, 10, "water_40x40_deep"},
      {WorldSet(1), Target::Rects, 22, 0, "water_40x40_0001"},
      {WorldSet(1), Target::Rects, 28, 4, "porshen_100x40_a_06"},
      {WorldSet(1), Target::Rects, 78, 0, "cycle_100x100_06"},
      {WorldSet(1), Target::Rects, 81, 0, "cycle_100x100_03"},
      {WorldSet(1), Target::Rects, 88, 0, "cycle_100x100_07"},
      {WorldSet(1), Target::Rects, 207, 2, "rocket_fx_1"},
      {WorldSet(1), Target::Rects, 207, 4, nullptr},
      {WorldSet(1), Target::Rects, 47, 0, nullptr}, // rotating parts: frame 0 stays empty
      {WorldSet(1), Target::Rects, 95, 0, nullptr},
      {WorldSet(1), Target::Rects, 97, 0, nullptr},
      {WorldSet(1), Target::Rects, 223, 0, nullptr},
      {WorldSet(1), Target::Rects, 224, 0, nullptr},
      {WorldSet(1), Target::Rects, 224, 1, "shesterenka_80x80"},
      {WorldSet(2), Target::Rects, 602, 0, nullptr},
      {WorldSet(2), Target::Rects, 650, 0, nullptr},
      {WorldSet(2), Target::Rects, 739, 0, nullptr},
      {WorldSet(2), Target::Rects, 739, 1, "w3_goodturret"},
      {WorldSet(2), Target::Rects, 650, 1, "w3_32x52b"},
      {WorldSet(2), Target::Rects, 694, 0, "w3_rounder_70x70c"},
      {WorldSet(2), Target::Rects, 651, 2, "w3_laser"},
      {WorldSet(8), Target::Rects, 467, 12, "bonus5_monster_50x40_01"},
      {WorldSet(8), Target::Rects, 467, 14, "bonus5_monster_50x40_03"},
      {WorldSet(8), Target::Rects, 440, 3, "bonus2_brick_debris"},
      {WorldSet(8), Target::Rects, 421, 0, "bonus4_block_30x30a"},
      {SkinSprites(0), Target::Character, 9, 0, "hero_wall_left_shlepok_04"},
      {SkinSprites(0), Target::Character, 9, 3, "hero_wall_left_shlepok_01"},
      {SkinSprites(0), Target::Character, 6, 2, "hero_shlepok_06"},
      {SkinSprites(0), Target::Character, 14, 12, nullptr},
      {SkinSprites(0), Target::Character, 14, 13, "blood_debris_1"},
      {SkinSprites(0), Target::Character, 3, 30, nullptr},
      {SkinSprites(1), Target::Character, 3, 31, "rocket_fx_2"},
      {SkinSprites(1), Target::Character, 3, 0, nullptr},
      {SkinSprites(2), Target::Character, 27, 4, "b_jario_fly_03"},
      {SkinSprites(2), Target::Character, 21, 5, "b_jario_mushroom_fly_02"},
      {SkinSprites(3), Target::Character, 3, 30, "b_slicker_smoke"},
      {SkinSprites(5), Target::Character, 10, 24, "b_stickmen_breath_fun_25"},
      {SkinSprites(6), Target::Character, 27, 0, "b_zombie_clay_go_03"},
      {SkinSprites(6), Target::Character, 14, 10, nullptr},
      {&BackgroundPictures(), Target::Backgrounds, 8, 0, "background_w2_960x640_09"},
      {&BackgroundPictures(), Target::Backgrounds, 9, 0, "background_w2_960x640_02"},
      {&BackgroundPictures(), Target::Backgrounds, 39, 0, "background_w3_960x640_13"},
      {&BackgroundPictures(), Target::Backgrounds, 40, 0, nullptr},
      {&BackgroundPictures(), Target::Backgrounds, 50, 0, "hidgame_background"},
      {&EffectSprites(), Target::Smoke, 20, 0, "star4"},
      {&StartupSprites(), Target::LevelEndFXs, 42, 0, "fxend_button_next_down"},
      {&StartupSprites(), Target::LevelEndFXs, 26, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.set->loader) + " " + ShapeOf(c.target).name + "[" + std::to_string(c.index) +
                 "][" + std::to_string(c.frame) + "]");
    std::vector<Registration> regs = Expand(*c.set);
    const Registration* reg = Find(regs, c.target, c.index, c.frame);
    if (!c.name) {
      EXPECT_EQ(reg, nullptr);
      continue;
    }
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->name, c.name);
  }
}

TEST(CatalogueTables, LevelsMapToTheirWorldSets) {
  const int shipped[5] = {41, 1, 51, 101, 150};
  struct Case {
    int level, set;
  } cases[] = {{0, 4},   {20, 4},  {19, 3}, {41, 3},  {50, 3},    {1, 0},   {18, 0},
               {21, 0},  {40, 0},  {51, 1}, {100, 1}, {101, 2},   {149, 2}, {150, 8},
               {250, 8}, {251, 0}, {-5, 8}, {-1, 8},  {100000, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(SpriteSetForLevel(c.level, shipped), c.set) << "level " << c.level;
}

namespace {

struct Collector : AssetVisitor {
  std::vector<std::string> atlases;
  std::map<std::string, std::vector<std::string>> entries;
  std::vector<std::pair<std::string, Source>> pictures;
  std::vector<std::string> fonts;
  void Atlas(const char* atlas) override { atlases.push_back(atlas); }
  // The screens' own sprites, apart: each screen adds its own, so the counts below leave them out.
  std::set<std::string> sharedAtlases; // atlases with an entry outside the screens' sets
  std::map<std::string, Slot> screenPictures;
  void AtlasEntry(const char* atlas, const char* name, const Slot& slot) override {
    entries[atlas].push_back(name);
    if (slot.target != Target::Screen) sharedAtlases.insert(atlas);
  }
  void Picture(const char* name, Source source, const Slot& slot) override {
    if (slot.target == Target::Screen)
      screenPictures[name] = slot;
    else
      pictures.push_back({name, source});
  }
  void Font(const FontSpec& font) override { fonts.push_back(font.file); }
};

} // namespace

TEST(CatalogueTables, TheWalkReportsEveryAssetOnce) {
  Collector walk;
  WalkAssets(walk);
  std::set<std::string> atlasSet(walk.atlases.begin(), walk.atlases.end());
  EXPECT_EQ(atlasSet.size(), walk.atlases.size()) << "an atlas reported twice";
  EXPECT_EQ(walk.sharedAtlases, (std::set<std::string>{"common_blocks",
                                                       "doodle_world",
                                                       "industrial_world",
                                                       "clay_world",
                                                       "vudarudiri_tutorial_world",
                                                       "level0sprites",
                                                       "bonus_worlds",
                                                       "allcommon",
                                                       "secret_items",
                                                       "missions",
                                                       "character_lowres",
                                                       "character_demon",
                                                       "character_jario",
                                                       "slicker",
                                                       "character_star",
                                                       "character_stickman",
                                                       "character_zombie",
                                                       "world",
                                                       "global_map_background_png",
                                                       "options"}));
  // Every atlas name of every set is an entry of its atlas, once.
  for (const Set* set : Sets()) {
    if (!set->atlas) continue;
    const std::vector<std::string>& names = walk.entries[set->atlas];
    std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), names.size()) << set->atlas;
    for (const Registration& reg : Expand(*set)) {
      if (reg.run->source == Source::Atlas) {
        EXPECT_TRUE(unique.count(reg.name)) << set->atlas << " " << reg.name;
      }
    }
  }
  EXPECT_EQ(walk.entries["bonus_worlds"].size(), 69u);
  // "allcommon" serves four groups with 199 atlas registrations; three names repeat (level-end
  // sprites 7 and 37, 21 and 42, and the mission panel).
  EXPECT_EQ(walk.entries["allcommon"].size(), 196u);

  std::map<std::string, int> pictureUses;
  for (const auto& p : walk.pictures)
    ++pictureUses[p.first];
  for (const auto& p : pictureUses)
    EXPECT_EQ(p.second, 1) << p.first;
  // 13 sand + 28 distinct banners, 12 of the second world, 36 bonus, 5 GUI, 3 start-up, 41
  // backgrounds, the two pictures of skin 7, 5 of the menus and the loader's 4.
  EXPECT_EQ(walk.pictures.size(), (size_t)(13 + 28 + 12 + 36 + 5 + 3 + 41 + 2 + 5 + 4));
  EXPECT_EQ(walk.fonts.size(), 7u);

  // A screen's picture carries the pixel size the size table gives it.
  ASSERT_TRUE(walk.screenPictures.count("global_map_bonus_world_6"));
  const Slot& bonus = walk.screenPictures["global_map_bonus_world_6"];
  EXPECT_EQ(bonus.frame, 5);
  EXPECT_EQ(bonus.width, 280);
  EXPECT_EQ(bonus.height, 440);
}
