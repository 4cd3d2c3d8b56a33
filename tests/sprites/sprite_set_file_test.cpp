// The sprite-set description file: blocks become defined, unloaded sets in the manager; a
// damaged file keeps the sets of the blocks before its failure.
#include <fstream>
#include <string>
#include <vector>

#include "sprite_test_game.h"
#include "temp_dir.h"

namespace {

class SpriteSetFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.ok());
    game.m_bUsePacks = 0; // the files of these tests are written to disk
  }
  int Read(const std::string& text) {
    std::ofstream("sprites.txt", std::ios::binary) << text;
    return AddSpriteSetsFromFile(&game, "sprites.txt");
  }
  CSpriteSetManager& sets() { return *game.m_pManager; }
  // "name kind frames second" of every registered set, in list order.
  std::vector<std::string> Listed() {
    std::vector<std::string> out;
    for (int i = 0; i < sets().GetNumSpriteSets(); i++) {
      CSpriteSet* s = sets().GetSpriteSetAt(i);
      out.push_back(std::string(s->m_Name.c_str()) + " " + std::to_string(s->m_nKind) + " " +
                    std::to_string(s->m_nNumFrames) + " " + std::to_string(s->m_nFramesPerRowOrFirstIndex));
    }
    return out;
  }

  ScopedTempDir dir;
  SpriteTestGame game;
};

TEST_F(SpriteSetFileTest, BlocksDefineSetsWithTheirFilesFlagsGroupsAndAtlases) {
  ASSERT_EQ(1, Read("// sprites\n"
                    "set = hud_digits\n"
                    "  file = hud_digits, 10, 5 // one image\n"
                    "\tgroup = hud\n"
                    "remove_rgba_in3d\n"
                    "force_8888_texture = 1\n"
                    "end\n"
                    "set = hero_run, multi_optional\n"
                    "file = run_%02d, 12, 1\n"
                    "afile = run_%02d_mask, 12, 1\n"
                    "will_use_fill_alpha\n"
                    "skip_auto =\n"
                    "end\n"
                    "set = items\n"
                    "file = items\n"
                    "atlas_data = items_atlas.txt\n"
                    "force_atlas\n"
                    "end\n"
                    "set = coin_spin\n"
                    "atlas_texture = items\n"
                    "atlas_indexes = coin_%d, 1, 8\n"
                    "end\n"
                    "set = gem_spin, common_alpha\n"
                    "file = \"gems.png\", 4, 2\n"
                    "afile = gem_mask.png\n"
                    "atlas_indexes = gem_%d, 0, 4\n" // still a subset of items
                    "end\n"));
  EXPECT_EQ((std::vector<std::string>{"hud_digits 1 10 5", "hero_run 3 12 1", "items 2 1 1",
                                      "coin_spin 2 1 1", "gem_spin 4 4 2"}),
            Listed());
  CSpriteSet* hud = sets().GetSpriteSetNamed("hud_digits");
  EXPECT_STREQ("hud_digits", hud->m_FileName.c_str());
  EXPECT_STREQ("hud", hud->m_GroupName.c_str());
  EXPECT_EQ(CalculateSpriteSetNameHashCode("hud"), hud->m_nGroupHash);
  EXPECT_EQ(1, hud->m_bReleasePixels);
  EXPECT_EQ(1, hud->m_bForce8888Texture);
  EXPECT_EQ(0, hud->m_nRefCount); // nothing is loaded
  CSpriteSet* run = sets().GetSpriteSetNamed("hero_run");
  EXPECT_STREQ("run_%02d_mask", run->m_AlphaFileName.c_str());
  EXPECT_EQ(1, run->m_bWillUseFillAlpha);
  EXPECT_EQ(1, run->m_bSkipAuto);
  EXPECT_EQ(0, run->m_bReleasePixels); // flags do not carry into the next block
  CSpriteSet* items = sets().GetSpriteSetNamed("items");
  EXPECT_EQ(1, items->m_bHasAtlasData);
  EXPECT_STREQ("items_atlas.txt", items->m_AtlasDataFileName.c_str());
  EXPECT_EQ(1, items->m_bForceAtlas);
  EXPECT_EQ(0, items->m_bIsAtlasSubset);
  CSpriteSet* coins = sets().GetSpriteSetNamed("coin_spin");
  EXPECT_EQ(1, coins->m_bIsAtlasSubset);
  EXPECT_STREQ("items", coins->m_AtlasParentName.c_str());
  EXPECT_STREQ("coin_%d", coins->m_AtlasIndexPattern.c_str());
  EXPECT_EQ(1, coins->m_nAtlasFirstIndex);
  EXPECT_EQ(8, coins->m_nAtlasCount);
  CSpriteSet* gems = sets().GetSpriteSetNamed("gem_spin");
  EXPECT_STREQ("gems.png", gems->m_FileName.c_str());
  EXPECT_STREQ("items", gems->m_AtlasParentName.c_str());
  EXPECT_EQ(4, gems->m_nAtlasCount);

  ASSERT_EQ(1, DestroySpriteSetsFromFile(&game, "sprites.txt"));
  EXPECT_EQ(0, sets().GetNumSpriteSets());
}

// Files that read to the end, and the sets each one registers.
TEST_F(SpriteSetFileTest, LinesAreReadAsTheFileFormatSays) {
  struct Case {
    const char* what;
    const char* text;
    std::vector<std::string> sets;
  };
  const Case cases[] = {
      {"empty", "", {}},
      {"comments only", "// nothing\n   // here\n", {}},
      {"end with trailing blanks closes, end outside is ignored",
       "end\nset = a\nfile = a, 4, 2\nend   \nend\n",
       {"a 1 4 2"}},
      {"an unterminated block absorbs the next set line",
       "set = a\nfile = a, 4\nset = b\nfile = b, 6\nend\n",
       {"a 1 6 6"}},
      {"an unterminated last block is dropped", "set = a\nend\nset = b\nfile = b, 2\n", {"a 2 1 1"}},
      {"unquoted blank splits the name", "set = my sprite\nfile = x, 2\nend\n", {"my 1 2 2"}},
      {"quoted name keeps its blank",
       "set = \"my sprite\", multi\nfile = x%d, 2\nend\n",
       {"my sprite 2 2 0"}},
      {"a set line without a value opens nothing", "set =\nfile = x, 2\nend\n", {}},
      {"one frame in one cell becomes a one-file set", "set = a\nfile = a, 1, 1\nend\n", {"a 2 1 1"}},
      {"multi without a third number keeps first index 0",
       "set = a, multi\nfile = a%d, 5\nend\n",
       {"a 2 5 0"}},
      {"the later of file and afile sets the numbers",
       "set = a\nfile = a, 4, 2\nafile = m, 6, 3\nend\n",
       {"a 1 6 3"}},
      {"colon separator, unknown keywords and case",
       "set : a, MULTI\nFILE = q, 9\nfile : a, 4, 2\nsize = 3\nend\n",
       {"a 1 4 2"}},
      {"four atlas index items are accepted", "set = a\natlas_indexes = c%d, 1, 2, 9\nend\n", {"a 2 1 1"}},
      {"equal names register twice",
       "set = a\nend\nset = a, multi\nfile = f%d, 3\nend\n",
       {"a 2 1 1", "a 2 3 0"}},
  };
  for (const Case& c : cases) {
    sets().DestroySpriteSets();
    EXPECT_EQ(1, Read(c.text)) << c.what;
    EXPECT_EQ(c.sets, Listed()) << c.what;
  }
}

TEST_F(SpriteSetFileTest, SwitchesFollowTheirOwnRules) {
  ASSERT_EQ(1, Read("set = a\nforce_atlas\nforce_atlas = 0\nskip_auto = 0\nwill_use_fill_alpha = 1\n"
                    "remove_rgba_in3d = 3\nend\n"
                    "set = b\nforce_atlas = 2\nskip_auto\ngroup = force_atlas\nend\n"));
  CSpriteSet* a = sets().GetSpriteSetAt(0);
  EXPECT_EQ(0, a->m_bForceAtlas);
  EXPECT_EQ(1, a->m_bSkipAuto);
  EXPECT_EQ(0, a->m_bWillUseFillAlpha);
  EXPECT_EQ(1, a->m_bReleasePixels);
  CSpriteSet* b = sets().GetSpriteSetAt(1);
  EXPECT_EQ(1, b->m_bForceAtlas);
  EXPECT_EQ(0, b->m_bSkipAuto);
  EXPECT_STREQ("force_atlas", b->m_GroupName.c_str());
}

// A damaged file answers 0; the sets of the blocks before the failing one stay, and the failing
// block registers nothing (not even a set that would lack its subset).
TEST_F(SpriteSetFileTest, DamagedFileKeepsTheSetsBeforeTheFailure) {
  const char* damaged[] = {
      "set = a\nend\nset = b\natlas_indexes = c%d, 1\nend\nset = c\nend\n",
      "set = a\nend\nset = b, multi\nfile = walk_%s, 3\nend\nset = c\nend\n",
      "set = a\nend\nset = b, multi_optional\nfile = w%d\nafile = w%d%d\nend\nset = c\nend\n",
      "set = a\nend\nset = b\natlas_texture = a\natlas_indexes = %n, 1, 2\nend\nset = c\nend\n",
  };
  for (const char* text : damaged) {
    sets().DestroySpriteSets();
    ASSERT_EQ(1, sets().AddSpriteSetMulti("kept", "k%d", nullptr, 1, 1, false, false));
    EXPECT_EQ(0, Read(text)) << text;
    EXPECT_EQ((std::vector<std::string>{"kept 2 1 1", "a 2 1 1"}), Listed()) << text;
  }
}

TEST_F(SpriteSetFileTest, MissingFileOrManagerIsRefused) {
  EXPECT_EQ(0, AddSpriteSetsFromFile(&game, "missing.txt"));
  EXPECT_EQ(0, DestroySpriteSetsFromFile(&game, "missing.txt"));
  EXPECT_EQ(0, AddSpriteSetsFromFile(nullptr, "sprites.txt"));
  CTestApplication noManager;
  noManager.m_bUsePacks = 0;
  std::ofstream("sprites.txt") << "set = a\nend\n";
  EXPECT_EQ(0, AddSpriteSetsFromFile(&noManager, "sprites.txt"));
  EXPECT_EQ(0, DestroySpriteSetsFromFile(&noManager, "sprites.txt"));
}

TEST_F(SpriteSetFileTest, DestroyRemovesTheFirstSetOfEachNamedLine) {
  ASSERT_EQ(1, Read("set = a\nend\nset = b\nend\nset = a\nend\n"));
  std::ofstream("other.txt") << "set = a\nfile = x\nset = \"b\"\nend\nset =\n";
  ASSERT_EQ(1, DestroySpriteSetsFromFile(&game, "other.txt"));
  EXPECT_EQ(std::vector<std::string>{"a 2 1 1"}, Listed());
}

} // namespace
