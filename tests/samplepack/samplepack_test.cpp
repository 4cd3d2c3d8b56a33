// The sample-pack generator: what it writes stays inside the readers' limits and reads back, and
// the same tables give the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "art.h"
#include "atlas.h"
#include "atlas_writer.h"
#include "font_writer.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "hge_font.h"
#include "program_run.h"
#include "recordings.h"
#include "sound_names.h"
#include "temp_dir.h"

namespace fs = std::filesystem;
using namespace samplepack;

namespace {

std::vector<char> Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SamplePack, AtlasPackingKeepsToTheReadersLimits) {
  std::vector<PackItem> items{{std::string(kAtlasMaxName, 'n'), 4, 4}};
  std::vector<AtlasPlacement> at;
  int pages = 0;
  EXPECT_NE(PackAtlas(items, &at, &pages), "") << "a name of 256 bytes leaves no room for its zero";
  items[0].name.resize(kAtlasMaxName - 1);
  EXPECT_EQ(PackAtlas(items, &at, &pages), "");

  // Sprites taller than half a page: one page each, and one more than the reader's 30 is refused.
  items.clear();
  for (int i = 0; i <= kAtlasMaxPages; ++i)
    items.push_back({"page" + std::to_string(i), kAtlasPageSize, kAtlasPageSize / 2 + 1});
  EXPECT_NE(PackAtlas(items, &at, &pages), "");
  items.pop_back();
  EXPECT_EQ(PackAtlas(items, &at, &pages), "");
  EXPECT_EQ(pages, kAtlasMaxPages);
  items = {{"wide", kAtlasPageSize + 1, 4}};
  EXPECT_NE(PackAtlas(items, &at, &pages), "");
}

TEST(SamplePack, TheGamesAtlasReaderFindsEveryPackedSpriteWhereItWasDrawn) {
  std::vector<AtlasSprite> sprites;
  for (int i = 0; i < 40; ++i)
    sprites.push_back({"s" + std::to_string(i), Canvas(100 + 37 * (i % 9), 60 + 53 * (i % 7))});
  std::vector<PackItem> items;
  for (const AtlasSprite& s : sprites)
    items.push_back({s.name, s.art.width(), s.art.height()});
  std::vector<AtlasPlacement> at;
  int pages = 0;
  ASSERT_EQ(PackAtlas(items, &at, &pages), "");
  std::vector<unsigned char> index = AtlasIndex(sprites, at, pages);
  Atlas atlas;
  const char* why = nullptr;
  ASSERT_EQ(atlas.ReadIndex(index.data(), (int)index.size(), &why), 1) << (why ? why : "");
  EXPECT_EQ(atlas.pageCount, pages);
  for (size_t i = 0; i < sprites.size(); ++i) {
    SurfaceInfo* info = atlas.getSurfaceInfo(sprites[i].name.c_str());
    ASSERT_NE(info, nullptr) << sprites[i].name;
    EXPECT_EQ(info->width, sprites[i].art.width());
    EXPECT_EQ(info->height, sprites[i].art.height());
    EXPECT_EQ(info->atlasX, at[i].x);
    EXPECT_EQ(info->atlasY, at[i].y);
    // No two sprites of a page overlap.
    for (size_t k = 0; k < i; ++k) {
      if (at[k].page != at[i].page) continue;
      bool apart =
          at[k].x + sprites[k].art.width() <= at[i].x || at[i].x + sprites[i].art.width() <= at[k].x ||
          at[k].y + sprites[k].art.height() <= at[i].y || at[i].y + sprites[i].art.height() <= at[k].y;
      EXPECT_TRUE(apart) << sprites[i].name << " overlaps " << sprites[k].name;
    }
  }
}

// Every asset the catalogue names gets its size from the one table beside the rows, or from the
// size its name carries; the table holds no row that no asset uses.
TEST(SamplePack, EveryPictureIsSizedByTheTableOrItsName) {
  struct Walk : catalogue::AssetVisitor {
    std::vector<ArtRequest> all;
    void Atlas(const char*) override {}
    void AtlasEntry(const char* atlas, const char* name, const catalogue::Slot& slot) override {
      all.push_back({name, slot, atlas});
    }
    void Picture(const char* name, catalogue::Source, const catalogue::Slot& slot) override {
      all.push_back({name, slot, ""});
    }
    void Font(const catalogue::FontSpec&) override {}
  } walk;
  catalogue::WalkAssets(walk);
  ASSERT_GT(walk.all.size(), 2000u);

  int count = 0;
  const catalogue::ArtSize* table = catalogue::ArtSizes(&count);
  std::set<std::string> keys, used;
  for (int i = 0; i < count; ++i) {
    EXPECT_TRUE(keys.insert(table[i].key).second) << table[i].key << " twice";
    EXPECT_GT(table[i].width, 0) << table[i].key;
    EXPECT_GT(table[i].height, 0) << table[i].key;
  }
  // The keys a sprite can be found by: its name, its run's pattern, its atlas.
  int setCount = 0;
  const catalogue::Set* const* sets = catalogue::AllSets(&setCount);
  char name[catalogue::kMaxNameLength];
  for (int s = 0; s < setCount; ++s)
    for (int r = 0; r < sets[s]->runCount; ++r) {
      const catalogue::Run& run = sets[s]->runs[r];
      for (int i = 0; i < catalogue::SlotCount(run); ++i) {
        if (!catalogue::ExpandName(run, i, name, sizeof name)) continue;
        for (const char* key : {(const char*)name, run.pattern, sets[s]->atlas})
          if (key && keys.count(key)) {
            used.insert(key);
            break;
          }
      }
    }
  for (const std::string& key : keys)
    EXPECT_TRUE(used.count(key)) << key << " sizes nothing";

  for (const ArtRequest& r : walk.all) {
    SCOPED_TRACE(r.name);
    const PixelSize size = ArtSize(r);
    ASSERT_GT(size.width, 0);
    ASSERT_GT(size.height, 0);
    int w = 0, h = 0;
    if (!catalogue::LogicalSizeInName(r.name.c_str(), &w, &h)) continue;
    // A name that carries a size has it: logical pixels drawn at scale 0.5, or for a full-screen
    // background the double-resolution screen itself.
    const bool screen = r.slot.target == catalogue::Target::Backgrounds || (w == 960 && h == 640);
    EXPECT_EQ(size.width, screen ? w : 2 * w);
    EXPECT_EQ(size.height, screen ? h : 2 * h);
  }

  // By name, by the run's pattern, by the atlas, and from the name alone.
  const struct {
    const char* name;
    catalogue::Run run;
    const char* atlas;
    int width, height;
  } cases[] = {
      {"global_map_zamok", catalogue::Run{}, "world", 110, 90},
      {"door_07", catalogue::Run{catalogue::Target::Rects, 58, 58, 0, 28, "door_%02d", 1, 1, {}},
       "common_blocks", 128, 128},
      {"hero_go_normal_03",
       catalogue::Run{catalogue::Target::Character, 2, 2, 0, 6, "hero_go_normal_%02d", 1, 1, {}},
       "character_lowres", 64, 64},
      {"w2_grass_04_50x20",
       catalogue::Run{catalogue::Target::Rects, 312, 315, 0, 0, "w2_grass_%02d_50x20", 4, 1, {}},
       "level0sprites", 100, 40},
  };
  for (const auto& c : cases) {
    int w = 0, h = 0;
    EXPECT_TRUE(catalogue::SizeOf(c.name, c.run, c.atlas, &w, &h)) << c.name;
    EXPECT_EQ(w, c.width) << c.name;
    EXPECT_EQ(h, c.height) << c.name;
  }
  int w = 0, h = 0;
  EXPECT_FALSE(catalogue::SizeOf("nothing_known", catalogue::Run{}, nullptr, &w, &h));
  EXPECT_FALSE(catalogue::LogicalSizeInName("menu_bird1-1", &w, &h));
  EXPECT_FALSE(catalogue::LogicalSizeInName("x_0x5", &w, &h));
}

// Every entry of every atlas of the pack holds its own picture, exactly as the generator draws it
// for that entry, and nothing of another's: the texels the game samples around it (one more on
// each side) are clear or beyond the page.
TEST(SamplePack, EveryAtlasEntryHoldsItsOwnPictureAndNothingOfAnothers) {
  TextRenderer text;
  std::string error;
  ASSERT_TRUE(text.Open(SAMPLEPACK_FONT, &error)) << error;
  struct Walk : catalogue::AssetVisitor {
    std::map<std::string, std::map<std::string, ArtRequest>> atlases;
    void Atlas(const char* atlas) override { atlases[atlas]; }
    void AtlasEntry(const char* atlas, const char* name, const catalogue::Slot& slot) override {
      atlases[atlas][name] = ArtRequest{name, slot, atlas};
    }
    void Picture(const char*, catalogue::Source, const catalogue::Slot&) override {}
    void Font(const catalogue::FontSpec&) override {}
  } walk;
  catalogue::WalkAssets(walk);
  ASSERT_GT(walk.atlases.size(), 10u);

  const fs::path images = fs::path(SAMPLEPACK_FILES) / "images";
  int entries = 0;
  for (const auto& atlasEntries : walk.atlases) {
    const std::string& atlasName = atlasEntries.first;
    SCOPED_TRACE(atlasName);
    const std::vector<char> index = Slurp(images / (atlasName + ".cfg"));
    Atlas atlas;
    const char* why = nullptr;
    ASSERT_EQ(atlas.ReadIndex((const unsigned char*)index.data(), (int)index.size(), &why), 1) << why;
    std::set<std::string> listed;
    for (int page = 0; page < atlas.pageCount; ++page) {
      program_run::Picture sheet;
      ASSERT_TRUE(
          program_run::ReadPng((images / (atlasName + std::to_string(page) + ".png")).string(), &sheet));
      for (int e = 0; e < atlas.pages[page]->count; ++e) {
        const SurfaceInfo& info = *atlas.pages[page]->entries[e];
        SCOPED_TRACE(info.name);
        listed.insert(info.name);
        auto request = atlasEntries.second.find(info.name);
        ASSERT_NE(request, atlasEntries.second.end()) << "an entry no row names";
        const Canvas art = DrawArt(request->second, text);
        ASSERT_EQ(info.width, art.width());
        ASSERT_EQ(info.height, art.height());
        ASSERT_GE(info.atlasX, 0);
        ASSERT_GE(info.atlasY, 0);
        ASSERT_LE(info.atlasX + info.width, sheet.width);
        ASSERT_LE(info.atlasY + info.height, sheet.height);
        int differ = 0;
        for (int y = 0; y < info.height; ++y)
          differ += memcmp(sheet.At(info.atlasX, info.atlasY + y), &art.rgba()[(size_t)y * art.width() * 4],
                           (size_t)art.width() * 4) != 0;
        EXPECT_EQ(differ, 0) << "rows of the rectangle that are not the entry's own picture";
        int marked = 0;
        for (int y = info.atlasY - 1; y <= info.atlasY + info.height; ++y)
          for (int x = info.atlasX - 1; x <= info.atlasX + info.width; ++x) {
            const bool frame = x < info.atlasX || y < info.atlasY || x >= info.atlasX + info.width ||
                               y >= info.atlasY + info.height;
            if (frame && x >= 0 && y >= 0 && x < sheet.width && y < sheet.height && sheet.At(x, y)[3] != 0)
              ++marked;
          }
        EXPECT_EQ(marked, 0) << "texels of another picture beside the rectangle";
        ++entries;
      }
    }
    EXPECT_EQ(listed.size(), atlasEntries.second.size()) << "entries missing from the index";
  }
  EXPECT_GT(entries, 2000);
}

TEST(SamplePack, FontsStayWithinTheDescriptionLimitAndReadBack) {
  TextRenderer text;
  std::string error;
  ASSERT_TRUE(text.Open(SAMPLEPACK_FONT, &error)) << error;
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  int count = 0;
  const catalogue::FontSpec* fonts = catalogue::Fonts(&count);
  for (int f = 0; f < count; ++f) {
    std::vector<std::string> files;
    ASSERT_EQ(WriteFont(dir.path(), fonts[f], text, &files), "");
    std::vector<char> description = Slurp(dir.path() + "/" + fonts[f].file + ".fnt");
    EXPECT_LE((int)description.size(), kFontMaxText) << fonts[f].file;
    hgeFont font(nullptr);
    font.LoadFromText(description.data(), (int)description.size(), fonts[f].file);
    for (unsigned c = kFirstCharacter + 1; c <= kLastCharacter; ++c)
      EXPECT_GT(font.glyph[c].right - font.glyph[c].left, 0) << fonts[f].file << " " << c;
    EXPECT_EQ(font.glyph[127].right - font.glyph[127].left, 0);

    // Words are set apart by a natural gap under the game's rule for a space (its extra space and
    // five unscaled pixels, then the cell and the tracking scaled) at the scale the screens use:
    // no less than the font's own space, no wider than an 'n'.
    const FontStyle style = StyleOf(fonts[f].id);
    const float s = style.scale, tracking = fonts[f].tracking;
    GlyphImage space;
    ASSERT_TRUE(text.Glyph(' ', style.pixelSize, &space));
    const float spaceCell = font.glyph[' '].GetWidth(), nCell = font.glyph['n'].GetWidth();
    const float drawn = 5 + fonts[f].extraSpace + (spaceCell + tracking) * s;
    const float natural = (space.advance + style.outline) * s, letter = (nCell + tracking) * s;
    EXPECT_GE(drawn, natural - 1) << fonts[f].file;
    EXPECT_LE(drawn, letter) << fonts[f].file;
    // A space left out is measured as a '?': lines are wrapped at the width they are drawn.
    if (spaceCell == 0) {
      font.SetScale(s);
      font.SetTracking(tracking);
      EXPECT_NEAR(font.GetStringWidth(" "), drawn, 1.5f) << fonts[f].file;
    }
  }
}

namespace {

// The regular files under root, by their path relative to it.
std::vector<fs::path> FilesUnder(const fs::path& root) {
  std::vector<fs::path> out;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) out.push_back(fs::relative(entry.path(), root));
  std::sort(out.begin(), out.end());
  return out;
}

} // namespace

// The build made the pack once; the same steps again, into other directories, give the very same
// bytes: every file the generators write, and the pack itself. (The steps are those of the
// build's sample_pack command.)
TEST(SamplePack, TwoBuildsGiveByteIdenticalPacks) {
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  const fs::path files = dir.path() + "/files", levels = dir.path() + "/levels",
                 sounds = dir.path() + "/sounds", demos = dir.path() + "/demos";
  const std::string pack = dir.path() + "/_game_bb.pak", firstPack = dir.path() + "/nodemos.pak";
  const std::string sources = "'" + files.string() + "' '" + levels.string() + "' '" + sounds.string() +
                              "' '" + SAMPLEPACK_STARTUP_FILES + "'";
  const std::string steps[] = {
      std::string("'") + SAMPLEPACK_PROGRAM + "' --out '" + files.string() + "' --font '" + SAMPLEPACK_FONT +
          "'",
      std::string("'") + LEVELGEN_PROGRAM + "' --out '" + levels.string() + "/levels'",
      std::string("'") + SOUNDGEN_PROGRAM + "' --out '" + sounds.string() + "' --oggenc '" +
          SAMPLEPACK_OGGENC + "'",
      std::string("'") + SPROCKPACK_PROGRAM + "' -o '" + firstPack + "' " + sources,
      std::string("'") + DEMOREC_PROGRAM + "' --pack '" + firstPack + "' --level 0 --out '" + demos.string() +
          "'",
      std::string("'") + DEMOREC_PROGRAM + "' --pack '" + firstPack + "' --level 19 --out '" +
          demos.string() + "'",
      std::string("'") + SPROCKPACK_PROGRAM + "' -o '" + pack + "' " + sources + " '" + demos.string() + "'",
  };
  for (const std::string& step : steps)
    ASSERT_EQ(system((step + " >/dev/null").c_str()), 0) << step;

  for (const auto& tree : {std::make_pair(fs::path(SAMPLEPACK_FILES), files),
                           std::make_pair(fs::path(SAMPLEPACK_LEVELS), levels),
                           std::make_pair(fs::path(SAMPLEPACK_SOUNDS), sounds),
                           std::make_pair(fs::path(SAMPLEPACK_DEMOS), demos)}) {
    SCOPED_TRACE(tree.first.string());
    std::vector<fs::path> built = FilesUnder(tree.first);
    ASSERT_EQ(built, FilesUnder(tree.second));
    EXPECT_GT(built.size(), 0u);
    for (const fs::path& relative : built)
      ASSERT_TRUE(Slurp(tree.first / relative) == Slurp(tree.second / relative)) << relative << " differs";
  }
  std::vector<char> built = Slurp(SAMPLEPACK_PAK), rebuilt = Slurp(pack);
  EXPECT_GT(built.size(), 0u);
  EXPECT_TRUE(built == rebuilt) << "the packs differ: " << built.size() << " and " << rebuilt.size()
                                << " bytes";
}

// The demo runs behind the main menu (level 0) and the loader (level 19) are in the pack where the
// game looks for them, and its demo reader takes them: real runs, the hero going right.
TEST(SamplePack, HoldsTheDemoRunsOfLevels0And19) {
  PackGame game;
  ASSERT_TRUE(game.OpenPackFile(SAMPLEPACK_PAK));
  const int finalRelease = g_finalRelease, levelSelected = g_levelSelected;
  g_finalRelease = 1; // the released game plays the pack's demo, not the player's own ghost
  for (int level : {0, 19}) {
    SCOPED_TRACE(level);
    g_levelSelected = level;
    Recordings[0].length = 0;
    ASSERT_EQ(LoadRecording(0, true), 1);
    const recording& run = Recordings[0];
    ASSERT_GT(run.length, 0);
    EXPECT_GT(run.x[run.length - 1], run.x[0] + 100.0f);
  }
  g_finalRelease = finalRelease;
  g_levelSelected = levelSelected;
}

// Every effect of the sound table and every soundtrack has an OGG file of its own, each a different
// sound (different samples give different encoded bytes).
TEST(SamplePack, EverySoundOfTheTableIsAnOggOfItsOwn) {
  int effectCount = 0, musicCount = 0;
  const sounds::Effect* effects = sounds::Effects(&effectCount);
  sounds::MusicFiles(&musicCount);
  std::set<std::string> names;
  for (int i = 0; i < effectCount; ++i)
    names.insert(effects[i].name);
  EXPECT_EQ(names.size(), 83u);
  const fs::path dir = fs::path(SAMPLEPACK_SOUNDS) / "sounds";
  std::vector<fs::path> files = FilesUnder(dir);
  EXPECT_EQ(files.size(), names.size() + (size_t)musicCount);
  std::set<std::vector<char>> contents;
  for (const fs::path& f : files) {
    std::vector<char> bytes = Slurp(dir / f);
    ASSERT_GT(bytes.size(), 4u) << f;
    EXPECT_EQ(std::string(bytes.data(), 4), "OggS") << f;
    contents.insert(bytes);
  }
  EXPECT_EQ(contents.size(), files.size()) << "two sounds are the same";
  for (const std::string& name : names)
    EXPECT_TRUE(fs::exists(dir / (name + ".ogg"))) << name;
}

} // namespace
