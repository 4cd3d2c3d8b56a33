// The sample-pack generator: what it writes stays inside the readers' limits and reads back, and
// the same tables give the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

TEST(SamplePack, SpritesAreSizedFromTheirNames) {
  struct Case {
    const char* name;
    catalogue::Target target;
    int index, width, height;
  } cases[] = {
      {"w2_banner_66x30", catalogue::Target::RectDummies, 122, 132, 60},
      {"w2_100x100a", catalogue::Target::Rects, 100, 200, 200},
      {"w2_grass_04_50x20", catalogue::Target::Rects, 312, 100, 40},
      {"door_01", catalogue::Target::Rects, 58, 128, 128}, // no size in the name: the type's
      {"background_w2_960x640_02", catalogue::Target::Backgrounds, 9, 960, 640},
      {"hero_breath_01", catalogue::Target::Character, 0, 64, 64},
  };
  for (const Case& c : cases) {
    PixelSize size = ArtSize(ArtRequest{c.name, {c.target, c.index, 0}, "atlas"});
    EXPECT_EQ(size.width, c.width) << c.name;
    EXPECT_EQ(size.height, c.height) << c.name;
  }
  int w = 0, h = 0;
  EXPECT_FALSE(LogicalSizeInName("menu_bird1-1", &w, &h));
  EXPECT_FALSE(LogicalSizeInName("x_0x5", &w, &h));
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
    for (unsigned c = kFirstCharacter; c <= kLastCharacter; ++c)
      EXPECT_GT(font.glyph[c].right - font.glyph[c].left, 0) << fonts[f].file << " " << c;
    EXPECT_EQ(font.glyph[127].right - font.glyph[127].left, 0);
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
