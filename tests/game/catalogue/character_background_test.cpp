// Skins and backgrounds on the generated pack: every skin loads exactly its frames with their
// pictures and frees the previous one; a background loads only on a change of index.
#include "catalogue_fixture.h"
#include "level_header.h"

using catalogue::Target;

namespace {

const int kMark = -4242;

void SetBackgroundIndex(s32 index) { g_levelCur.background = index; }

TEST_F(CatalogueTest, EachSkinFillsExactlyItsFramesAndFreesThePreviousOne) {
  // The id already "loaded" at start: nothing happens, so what the table holds stays.
  Surface* held = new Surface("", 2, false);
  g_character[0][0] = held;
  LoadCharacter(-1);
  EXPECT_EQ(g_character[0][0], held);
  EXPECT_EQ(g_charAtlas, nullptr);
  EXPECT_EQ(currentCharacter, -1);
  const char* atlases[] = {"character_lowres", "character_demon",    "character_jario",  "slicker",
                           "character_star",   "character_stickman", "character_zombie", nullptr};
  for (int id : {0, 4, 1, 2, 5, 3, 7, 6, 0}) {
    SCOPED_TRACE("skin " + std::to_string(id));
    LoadCharacter(id);
    EXPECT_EQ(currentCharacter, id);
    EXPECT_EQ(g_charAtlas != nullptr, atlases[id] != nullptr);
    int missing = 0;
    EXPECT_EQ(Filled(Target::Character, &missing), RowSlots(*catalogue::SkinSprites(id)));
    EXPECT_EQ(missing, 0) << "frames without a picture in the pack";
    // The same id again changes nothing: a mark on a surface shows a reload, even one that
    // happens to get the same address.
    Surface* first = g_character[0][0];
    ASSERT_NE(first, nullptr);
    first->centerOffsetX = kMark;
    Atlas* atlas = g_charAtlas;
    LoadCharacter(id);
    ASSERT_EQ(g_character[0][0], first);
    EXPECT_EQ(first->centerOffsetX, kMark);
    EXPECT_EQ(g_charAtlas, atlas);
  }
  EXPECT_EQ(Filled(Target::Character).size(), 229u);
  EXPECT_NE(g_character[27][0], g_character[30][0]) << "rows 27 and 30: one name, two surfaces";
  // An id without a skin empties the table and frees the atlas.
  LoadCharacter(8);
  EXPECT_TRUE(Filled(Target::Character).empty());
  EXPECT_EQ(g_charAtlas, nullptr);
  EXPECT_EQ(currentCharacter, 8);
  // The mini-game's hero: two pictures of their own, no atlas.
  LoadCharacter(7);
  EXPECT_EQ(g_charAtlas, nullptr);
  EXPECT_FALSE(g_character[0][0]->fromAtlas);
  EXPECT_FALSE(g_character[0][1]->fromAtlas);
  EXPECT_NE(g_character[0][1]->texture, nullptr);
}

TEST_F(CatalogueTest, CharacterIdsFromFilesAndLoopedRowsStayInRange) {
  struct Case {
    int read, accepted;
  } ids[] = {{0, 0}, {7, 7}, {3, 3}, {8, 0}, {-1, 0}, {1000000, 0}};
  for (const Case& c : ids)
    EXPECT_EQ(AcceptedCharacterId(c.read), c.accepted) << c.read;

  LoadCharacter(6);
  EXPECT_EQ(CharacterLoopFrame(0, 7, 10), g_character[0][3]);
  EXPECT_EQ(CharacterLoopFrame(10, 7, 10), nullptr) << "skin 6 has no flourish row: nothing to cycle";
  EXPECT_EQ(CharacterLoopFrame(0, 0, 10), nullptr) << "a loop of no frames";
  EXPECT_EQ(CharacterLoopFrame(65, 7, 1), nullptr);
  EXPECT_EQ(CharacterLoopFrame(0, 100, 99), nullptr) << "past the table's frames";
  LoadCharacter(8);
  EXPECT_EQ(CharacterLoopFrame(0, 7, 3), nullptr);
}

TEST_F(CatalogueTest, BackgroundsLoadOnAChangeOfIndexOnly) {
  // The initial index: the first call does nothing, so the slot keeps what it holds.
  Surface* held = new Surface("", 2, false);
  g_bgTile[1] = held;
  SetBackgroundIndex(-1);
  LoadBGSprites();
  EXPECT_EQ(g_bgTile[1], held);
  EXPECT_EQ(curBGSprite, -1);

  struct Step {
    s32 index;
    bool picture;
  } steps[] = {{0, true},   {3, true},   {45, false}, {50, true},
               {51, false}, {-7, false}, {39, true},  {40, false}};
  for (const Step& s : steps) {
    SCOPED_TRACE("index " + std::to_string(s.index));
    SetBackgroundIndex(s.index);
    LoadBGSprites();
    EXPECT_EQ(curBGSprite, s.index);
    ASSERT_EQ(g_bgTile[1] != nullptr, s.picture);
    if (s.picture) {
      EXPECT_NE(g_bgTile[1]->texture, nullptr);
    }
    // The same index again keeps the slot as it is; a mark on what it holds shows a reload.
    if (!g_bgTile[1]) g_bgTile[1] = new Surface("", 2, false);
    Surface* kept = g_bgTile[1];
    kept->centerOffsetX = kMark;
    LoadBGSprites();
    ASSERT_EQ(g_bgTile[1], kept) << "the same index keeps its picture";
    EXPECT_EQ(kept->centerOffsetX, kMark);
  }
  for (Surface* s : {g_bgTile[0], g_bgTile[2], g_bgTile[3], g_bgTile[4]})
    EXPECT_EQ(s, nullptr);

  // Every picture of 0-39 is a JPEG in the pack and loads: the JPEG file is the only one there.
  for (s32 index = 0; index <= 39; ++index) {
    SetBackgroundIndex(index);
    LoadBGSprites();
    ASSERT_NE(g_bgTile[1], nullptr) << index;
    EXPECT_NE(g_bgTile[1]->texture, nullptr) << index;
    EXPECT_EQ(g_bgTile[1]->width, 960) << index;
  }
}

} // namespace
