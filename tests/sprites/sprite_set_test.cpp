// Sprite sets without GL: reference counting around loading and unloading, the frame kinds, the
// manager's registry and group unloading, atlas item files.
#include <functional>
#include <string>
#include <vector>

#include "sprite_test_game.h"

namespace {

class SpriteSetTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(game.m_bPackOpened) << SPRITE_PACK; }
  CSpriteSetManager& sets() { return *game.m_pManager; }
  CSpriteSet* Last() { return sets().GetLastSpriteSet(); }

  SpriteTestGame game;
};

TEST_F(SpriteSetTest, FirstReferenceLoadsLastReleaseUnloadsAndTheDefinitionSurvives) {
  ASSERT_EQ(1, sets().AddSpriteSetMulti("walk", "walk_%02d", nullptr, 3, 1, false, false));
  CSpriteSet* walk = Last();
  EXPECT_EQ(0, walk->m_nFrames); // defining loads nothing

  for (int round = 0; round < 2; round++) {
    ASSERT_EQ(1, walk->AddReference());
    ASSERT_EQ(3, walk->m_nFrames);
    IDibBitmap* first = walk->m_ppFrames[0];
    for (int i = 0; i < 3; i++)
      EXPECT_TRUE(SameColour(Rgb24At(walk->m_ppFrames[i], 1, 1), WalkColour(i + 1))) << "frame " << i;
    // Further references only count.
    ASSERT_EQ(1, walk->AddReference());
    EXPECT_EQ(2, walk->m_nRefCount);
    EXPECT_EQ(first, walk->m_ppFrames[0]);
    walk->ReleaseReference();
    EXPECT_EQ(3, walk->m_nFrames);
    walk->ReleaseReference();
    EXPECT_EQ(0, walk->m_nFrames);
    EXPECT_EQ(nullptr, walk->m_ppFrames);
    EXPECT_EQ(0, walk->m_nRefCount);
    EXPECT_EQ(SPRITESET_MULTI, walk->m_nKind);
    EXPECT_STREQ("walk_%02d", walk->m_FileName.c_str());
  }
  // Releasing an unloaded set changes nothing.
  walk->ReleaseReference();
  EXPECT_EQ(0, walk->m_nRefCount);
  EXPECT_EQ(0, walk->m_nFrames);
}

TEST_F(SpriteSetTest, SingleSetIsCutRowByRow) {
  ASSERT_EQ(1, sets().AddSpriteSetSingle("sheet", "sheet.png", nullptr, 8, 4, false, false));
  CSpriteSet* sheet = Last();
  ASSERT_EQ(1, sheet->AddReference());
  ASSERT_EQ(8, sheet->m_nFrames);
  for (int i = 0; i < 8; i++) {
    IDibBitmap* frame = sheet->m_ppFrames[i];
    ASSERT_EQ(SHEET_CELL, frame->GetWidth());
    ASSERT_EQ(SHEET_CELL, frame->GetHeight());
    EXPECT_TRUE(SameColour(Rgb24At(frame, 0, 0), SheetColour(i))) << "frame " << i;
    EXPECT_TRUE(SameColour(Rgb24At(frame, SHEET_CELL - 1, SHEET_CELL - 1), SheetColour(i))) << "frame " << i;
  }
}

// Sets that cannot load leave nothing loaded and no reference counted.
TEST_F(SpriteSetTest, RefusedLoadsLeaveTheSetUnloaded) {
  struct Case {
    const char* what;
    std::function<void(CSpriteSet&)> define;
  };
  const Case cases[] = {
      {"undefined", [](CSpriteSet&) {}},
      {"missing frame file",
       [&](CSpriteSet& s) { s.DefineSpriteSetMulti(&game, "walk_%02d", nullptr, 4, 1); }},
      {"missing image", [&](CSpriteSet& s) { s.DefineSpriteSetSingle(&game, "nothing.png", nullptr, 2, 2); }},
      {"no frames", [&](CSpriteSet& s) { s.DefineSpriteSetMulti(&game, "walk_%02d", nullptr, 0, 1); }},
      {"negative frame count",
       [&](CSpriteSet& s) { s.DefineSpriteSetMulti(&game, "walk_%02d", nullptr, -5, 1); }},
      {"negative first index",
       [&](CSpriteSet& s) { s.DefineSpriteSetMulti(&game, "walk_%02d", nullptr, 1, -1); }},
      {"pattern reading a string",
       [&](CSpriteSet& s) { s.DefineSpriteSetMulti(&game, "walk_%s", nullptr, 1, 1); }},
      {"common alpha of another size",
       [&](CSpriteSet& s) { s.DefineSpriteSetSingleCommonAlpha(&game, "pair.png", "bigmask.png", 2, 2); }},
      {"common alpha missing",
       [&](CSpriteSet& s) { s.DefineSpriteSetSingleCommonAlpha(&game, "pair.png", "nomask.png", 2, 2); }},
      {"damaged item file",
       [&](CSpriteSet& s) {
         s.DefineSpriteSetMulti(&game, "atlas", nullptr, 1, 1);
         s.DefineTextureAtlasDataFileName("zero_items.txt");
       }},
  };
  for (const Case& c : cases) {
    CSpriteSet set;
    c.define(set);
    EXPECT_EQ(0, set.AddReference()) << c.what;
    EXPECT_EQ(0, set.m_nRefCount) << c.what;
    EXPECT_EQ(0, set.m_nFrames) << c.what;
    EXPECT_EQ(nullptr, set.m_ppFrames) << c.what;
    EXPECT_EQ(nullptr, set.m_pCommonAlpha) << c.what;
  }
}

TEST_F(SpriteSetTest, OptionalFramesMayBeMissingAndSharedFramesAreOwnedOnce) {
  CSpriteSet set;
  set.DefineSpriteSetMultiOptional(&game, "walk_%02d", nullptr, 4, 1);
  ASSERT_EQ(1, set.AddReference());
  ASSERT_EQ(4, set.m_nFrames);
  EXPECT_NE(nullptr, set.m_ppFrames[2]);
  EXPECT_EQ(nullptr, set.m_ppFrames[3]); // walk_04 does not exist
  set.ReleaseReference();

  // Alternate frames of each row repeat their left neighbour; the unload frees each bitmap once.
  set.m_bShareOddFrames = 1;
  set.m_nShareRows = 1;
  ASSERT_EQ(1, set.AddReference());
  EXPECT_EQ(set.m_ppFrames[0], set.m_ppFrames[1]);
  EXPECT_EQ(set.m_ppFrames[2], set.m_ppFrames[3]);
  EXPECT_TRUE(SameColour(Rgb24At(set.m_ppFrames[2], 0, 0), WalkColour(3)));
  // More rows than frames shares nothing rather than dividing by zero.
  set.ReleaseReference();
  set.m_nShareRows = 8;
  ASSERT_EQ(1, set.AddReference());
  EXPECT_NE(set.m_ppFrames[0], set.m_ppFrames[1]);
}

TEST_F(SpriteSetTest, CommonAlphaIsSharedByEveryFrame) {
  CSpriteSet set;
  set.DefineSpriteSetSingleCommonAlpha(&game, "pair.png", "mask.png", 2, 2);
  ASSERT_EQ(1, set.AddReference());
  ASSERT_EQ(2, set.m_nFrames);
  ASSERT_NE(nullptr, set.m_pCommonAlpha);
  for (int i = 0; i < 2; i++) {
    IDibBitmap* frame = set.m_ppFrames[i];
    ASSERT_EQ(set.m_pCommonAlpha->GetAlphaBits(), frame->GetAlphaBits());
    EXPECT_EQ(255, frame->GetAlphaBits()[1]);
    EXPECT_EQ(0, frame->GetAlphaBits()[CA_CELL - 1]);
  }
  EXPECT_TRUE(SameColour(Rgb24At(set.m_ppFrames[1], 0, 0), SpriteColour{255, 255, 255}));
}

TEST_F(SpriteSetTest, ManagerFindsTheFirstOfEqualNamesAndDeletesByNameIndexAndPointer) {
  CSpriteSetManager small(&game, 2); // grows several times below
  for (const char* name : {"a", "b", "a", "c", "d"})
    ASSERT_EQ(1, small.AddSpriteSetMulti(name, "walk_%02d", nullptr, 1, 1, false, false));
  ASSERT_EQ(5, small.GetNumSpriteSets());
  CSpriteSet* firstA = small.GetSpriteSetAt(0);
  EXPECT_EQ(firstA, small.GetSpriteSetNamed("a"));
  EXPECT_EQ(3, small.GetIdOfSpriteSetNamed("c"));
  EXPECT_EQ(-1, small.GetIdOfSpriteSetNamed("A")); // case-sensitive
  EXPECT_EQ(nullptr, small.GetSpriteSetNamed(nullptr));
  EXPECT_EQ(nullptr, small.GetSpriteSetAt(5));
  EXPECT_EQ(nullptr, small.GetSpriteSetAt(-1));
  EXPECT_EQ(0, small.AddSpriteSet(nullptr));
  EXPECT_EQ(0, small.AddSpriteSetRef("missing"));

  // Deleting a referenced set frees its frames at once (the sanitizer build checks the freeing).
  ASSERT_EQ(1, small.AddSpriteSetRef("a"));
  small.DeleteSpriteSet("a");
  EXPECT_EQ(4, small.GetNumSpriteSets());
  EXPECT_EQ(1, small.GetIdOfSpriteSetNamed("a")); // the second one is now the first
  small.DeleteSpriteSet(small.GetSpriteSetNamed("d"));
  small.DeleteSpriteSet(7);
  EXPECT_EQ(3, small.GetNumSpriteSets());
  EXPECT_STREQ("c", small.GetLastSpriteSet()->m_Name.c_str());
  small.DestroySpriteSets();
  EXPECT_EQ(0, small.GetNumSpriteSets());
  EXPECT_EQ(nullptr, small.GetLastSpriteSet());
}

TEST_F(SpriteSetTest, GroupUnloadFreesEveryReferenceAndKeepsTheSetsRegistered) {
  ASSERT_EQ(1, sets().AddSpriteSetMulti("w1", "walk_%02d", nullptr, 2, 1, false, false));
  Last()->SetGroupName("level");
  ASSERT_EQ(1, sets().AddSpriteSetMulti("w2", "walk_%02d", nullptr, 2, 2, false, false));
  Last()->SetGroupName("levels");
  for (const char* name : {"w1", "w1", "w2"})
    ASSERT_EQ(1, sets().AddSpriteSetRef(name));
  UnloadSritesSetsWithGroupName(&game, "level");
  CSpriteSet* w1 = sets().GetSpriteSetNamed("w1");
  ASSERT_NE(nullptr, w1);
  EXPECT_EQ(0, w1->m_nRefCount);
  EXPECT_EQ(0, w1->m_nFrames);
  EXPECT_EQ(1, sets().GetSpriteSetNamed("w2")->m_nRefCount); // another group
  EXPECT_EQ(1, sets().AddSpriteSetRef("w1"));                // can be loaded again
}

TEST_F(SpriteSetTest, SubsetsThatAreEachOthersParentsRefuseToLoad) {
  for (const char* names : {"ab", "ba"}) {
    ASSERT_EQ(
        1, sets().AddSpriteSetMulti(std::string(1, names[0]).c_str(), nullptr, nullptr, 1, 1, false, false));
    Last()->DefineTextureAtlasSubSet(std::string(1, names[1]).c_str(), "coin_%d", 1, 1);
  }
  EXPECT_EQ(0, sets().AddSpriteSetRef("a"));
  for (const char* name : {"a", "b"}) {
    EXPECT_EQ(0, sets().GetSpriteSetNamed(name)->m_nRefCount) << name;
    EXPECT_EQ(1, sets().GetSpriteSetNamed(name)->m_bIsAtlasSubset) << name;
  }
}

TEST_F(SpriteSetTest, ItemTableIsReadOnEveryLoadWithoutPilingUp) {
  CSpriteSet set;
  set.DefineSpriteSetMulti(&game, "atlas", nullptr, 1, 1);
  set.DefineTextureAtlasDataFileName("atlas_items.txt");
  int count = 0;
  const AtlasItemFixture* items = AtlasItems(count);
  for (int round = 0; round < 2; round++) {
    ASSERT_EQ(1, set.AddReference());
    ASSERT_EQ(count, set.m_AtlasItems.GetSize());
    for (int i = 0; i < count; i++) {
      CSpriteSetTextureAtlasItem* item = set.FindAtlasItem(items[i].name);
      ASSERT_NE(nullptr, item) << items[i].name;
      EXPECT_EQ(items[i].x, item->m_nX);
      EXPECT_EQ(items[i].y, item->m_nY);
      EXPECT_EQ(items[i].w, item->m_nWidth);
      EXPECT_EQ(items[i].h, item->m_nHeight);
    }
    EXPECT_EQ(nullptr, set.FindAtlasItem("coin_4"));
    set.ReleaseReference();
    EXPECT_EQ(count, set.m_AtlasItems.GetSize()); // the table survives the unload
  }
}

TEST_F(SpriteSetTest, ItemFileFoundOnlyAtDoubleResolutionIsHalved) {
  CSpriteSet set;
  set.DefineSpriteSetMulti(&game, "atlas", nullptr, 1, 1);
  set.DefineTextureAtlasDataFileName("halved_items.txt");
  ASSERT_EQ(1, set.AddReference());
  CSpriteSetTextureAtlasItem* odd = set.FindAtlasItem("odd");
  ASSERT_NE(nullptr, odd);
  EXPECT_EQ(3, odd->m_nX);
  EXPECT_EQ(-4, odd->m_nY);
  EXPECT_EQ(16, odd->m_nWidth);
  EXPECT_EQ(8, odd->m_nHeight);
}

TEST_F(SpriteSetTest, DoubleResolutionModeReadsThePlainItemFileOfAPlainAtlasUnscaled) {
  game.m_b2xImages = 1;
  CSpriteSet set;
  set.DefineSpriteSetMulti(&game, "atlas", nullptr, 1, 1);
  set.DefineTextureAtlasDataFileName("atlas_items.txt");
  ASSERT_EQ(1, set.AddReference());
  ASSERT_EQ(0, set.m_ppFrames[0]->m_b2xImage);
  CSpriteSetTextureAtlasItem* item = set.FindAtlasItem("coin_3");
  ASSERT_NE(nullptr, item);
  EXPECT_EQ(48, item->m_nX);
  EXPECT_EQ(16, item->m_nWidth);
}

// The set's upload switches act on its frames only while they load.
TEST_F(SpriteSetTest, UploadSwitchesApplyToTheSetsOwnFrames) {
  game.m_bTrueColorImages = 0;
  struct Case {
    u8 force8888, releasePixels;
    int bytesPerPixel;
    bool pixelsKept;
  };
  for (const Case& c : {Case{0, 0, 2, true}, Case{1, 0, 3, true}, Case{0, 1, 2, false}}) {
    CSpriteSet set;
    set.DefineSpriteSetMulti(&game, "walk_%02d", nullptr, 2, 1);
    set.m_bForce8888Texture = c.force8888;
    set.m_bReleasePixels = c.releasePixels;
    ASSERT_EQ(1, set.AddReference());
    for (int i = 0; i < 2; i++) {
      EXPECT_EQ(c.bytesPerPixel, set.m_ppFrames[i]->GetBytesPerPixel()) << int(c.force8888);
      EXPECT_EQ(c.pixelsKept, set.m_ppFrames[i]->HasPixelsInRAM()) << int(c.releasePixels);
    }
    EXPECT_EQ(0, game.m_bTrueColorImages);
  }
}

// An item file is read up to its count or its end; an item the end cuts short is dropped alone.
TEST_F(SpriteSetTest, ItemFilesAreReadUpToTheirCountOrTheirEnd) {
  struct Case {
    const char* file;
    std::vector<std::string> items; // "name x y w h"
  };
  const Case cases[] = {
      {"short_items.txt", {"coin_1 0 0 32 32", "coin_2 32 0 16 16"}},
      {"uncounted_items.txt", {"coin_1 0 0 32 32"}},
      {"wordy_items.txt", {"coin_1 8 4 32 32"}},
  };
  for (const Case& c : cases) {
    CSpriteSet set;
    set.DefineSpriteSetMulti(&game, "atlas", nullptr, 1, 1);
    set.DefineTextureAtlasDataFileName(c.file);
    ASSERT_EQ(1, set.AddReference()) << c.file;
    std::vector<std::string> items;
    for (int i = 0; i < set.m_AtlasItems.GetSize(); i++) {
      CSpriteSetTextureAtlasItem* item = set.m_AtlasItems[i];
      items.push_back(std::string(item->m_Name.c_str()) + " " + std::to_string(item->m_nX) + " " +
                      std::to_string(item->m_nY) + " " + std::to_string(item->m_nWidth) + " " +
                      std::to_string(item->m_nHeight));
    }
    EXPECT_EQ(c.items, items) << c.file;
  }
}

TEST_F(SpriteSetTest, DamagedItemFileKeepsTheTableItHad) {
  CSpriteSet set;
  set.DefineSpriteSetMulti(&game, "atlas", nullptr, 1, 1);
  set.DefineTextureAtlasDataFileName("atlas_items.txt");
  ASSERT_EQ(1, set.AddReference());
  set.ReleaseReference();
  for (const char* damaged : {"zero_items.txt", "missing_items.txt"}) {
    set.DefineTextureAtlasDataFileName(damaged);
    EXPECT_EQ(0, set.AddReference()) << damaged;
    EXPECT_EQ(0, set.m_nFrames) << damaged;
    EXPECT_EQ(3, set.m_AtlasItems.GetSize()) << damaged;
    EXPECT_NE(nullptr, set.FindAtlasItem("coin_3")) << damaged;
  }
}

TEST(SpriteFramePattern, OnlyOneIntegerConversionIsFormatted) {
  struct Case {
    const char* pattern;
    const char* formatted; // null: refused
  };
  const Case cases[] = {
      {"walk_%02d", "walk_07"}, {"plain", "plain"}, {"100%%_%d", "100%_7"}, {"%x", "7"},
      {"%s", nullptr},          {"%d_%d", nullptr}, {"%n", nullptr},        {"%9999d", nullptr},
      {"%", nullptr},           {"%.3d", nullptr},  {"%ld", nullptr},
  };
  for (const Case& c : cases) {
    CommonString out("untouched");
    EXPECT_EQ(c.formatted != nullptr, FormatSpriteFrameName(c.pattern, 7, out)) << c.pattern;
    EXPECT_STREQ(c.formatted ? c.formatted : "untouched", out.c_str()) << c.pattern;
  }
}

} // namespace
