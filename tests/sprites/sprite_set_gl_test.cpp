// Sprite-set frames as they reach the screen: uploaded under the game's settings (true colour,
// pixels dropped after upload), drawn on a headless GL screen and read back.
#include <cstdlib>
#include <memory>
#include <string>

#include "../gl/gl_scene.h"
#include "sprite_test_game.h"

namespace {

class SpriteSetGLTest : public ::testing::Test {
protected:
  static constexpr int kWidth = SHEET_CELL * SHEET_COLUMNS;
  static constexpr int kHeight = SHEET_CELL * SHEET_ROWS;

  void SetUp() override {
    ASSERT_TRUE(game.m_bPackOpened) << SPRITE_PACK;
    screen.reset(OpenGLScreen(gl, game, kWidth, kHeight));
    ASSERT_TRUE(screen);
    screen->ClearBitmap(40, 40, 40);
    ASSERT_EQ(1, AddSpriteSetsFromFile(&game, "ui\\game_sprites.txt"));
  }
  void TearDown() override {
    CloseGLScreen(game);
    screen.reset();
    game.m_pManager->DestroySpriteSets();
    GLES_ResetStateCache();
  }
  CSpriteSet* Set(const char* name) { return game.m_pManager->GetSpriteSetNamed(name); }

  // Within a step of an RGB565 framebuffer.
  ::testing::AssertionResult Shows(int x, int y, SpriteColour want) {
    GLES_FlushBuffer();
    HeadlessGL::Pixel p = gl.At(x, y);
    if (std::abs(p.r - (int)want.r) <= 8 && std::abs(p.g - (int)want.g) <= 4 &&
        std::abs(p.b - (int)want.b) <= 8)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << x << ", " << y << ") shows (" << p.r << ", " << p.g << ", " << p.b << "), want ("
           << want.r << ", " << want.g << ", " << want.b << ")";
  }

  // Draws the 8 frames in the sheet's own layout and checks each cell's middle and corners.
  void ExpectSheetRedrawn(CSpriteSet* set) {
    ASSERT_EQ(8, set->m_nFrames);
    for (int i = 0; i < 8; i++) {
      ASSERT_EQ(SHEET_CELL, set->m_ppFrames[i]->GetWidth());
      set->m_ppFrames[i]->Draw(screen.get(), i % 4 * SHEET_CELL, i / 4 * SHEET_CELL, 0, 0, 0, 0);
    }
    for (int i = 0; i < 8; i++) {
      int x = i % 4 * SHEET_CELL, y = i / 4 * SHEET_CELL;
      EXPECT_TRUE(Shows(x + SHEET_CELL / 2, y + SHEET_CELL / 2, SheetColour(i))) << "frame " << i;
      EXPECT_TRUE(Shows(x, y, SheetColour(i))) << "frame " << i;
      EXPECT_TRUE(Shows(x + SHEET_CELL - 1, y + SHEET_CELL - 1, SheetColour(i))) << "frame " << i;
    }
  }

  HeadlessGL gl;
  SpriteTestGame game{true};
  std::unique_ptr<CBitmapHW> screen;
};

TEST_F(SpriteSetGLTest, FramesCutFromTheSheetDrawTheirCells) {
  ASSERT_EQ(1, game.m_pManager->AddSpriteSetRef("sheet"));
  EXPECT_FALSE(Set("sheet")->m_ppFrames[0]->HasPixelsInRAM()); // the game drops them after upload
  ExpectSheetRedrawn(Set("sheet"));
}

TEST_F(SpriteSetGLTest, ForcedAtlasFramesAreViewsOfOneTexture) {
  CSpriteSet* sheet = Set("sheet");
  sheet->m_bForceAtlas = 1;
  ASSERT_EQ(1, sheet->AddReference());
  ASSERT_NE(nullptr, sheet->m_pForcedAtlasSource);
  IDibBitmap* source = sheet->m_pForcedAtlasSource->m_ppFrames[0];
  for (int i = 0; i < 8; i++)
    EXPECT_EQ(source->GetHWResource()->m_pTiles, sheet->m_ppFrames[i]->GetHWResource()->m_pTiles) << i;
  ExpectSheetRedrawn(sheet);
  sheet->ReleaseReference();
  EXPECT_EQ(nullptr, sheet->m_pForcedAtlasSource);

  // Fewer frames than one row cannot be laid out.
  CSpriteSet narrow;
  narrow.DefineSpriteSetSingle(&game, "sheet.png", nullptr, 3, 4);
  narrow.m_bForceAtlas = 1;
  EXPECT_EQ(0, narrow.AddReference());
  EXPECT_EQ(0, narrow.m_nRefCount);
  EXPECT_EQ(nullptr, narrow.m_pForcedAtlasSource);
}

TEST_F(SpriteSetGLTest, SubsetFramesShowTheirAtlasItemsAndHoldTheParent) {
  CSpriteSet* items = Set("items");
  CSpriteSet* coins = Set("coins");
  ASSERT_EQ(1, coins->AddReference());
  EXPECT_EQ(1, items->m_nRefCount);
  int count = 0;
  const AtlasItemFixture* fixture = AtlasItems(count);
  ASSERT_EQ(count, coins->m_nFrames);
  for (int i = 0, x = 0; i < count; x += fixture[i].w, i++) {
    IDibBitmap* frame = coins->m_ppFrames[i];
    ASSERT_EQ(fixture[i].w, frame->GetWidth());
    ASSERT_EQ(fixture[i].h, frame->GetHeight());
    frame->Draw(screen.get(), x, 0, 0, 0, 0, 0);
    EXPECT_TRUE(Shows(x, 0, fixture[i].colour)) << fixture[i].name;
    EXPECT_TRUE(Shows(x + fixture[i].w - 1, fixture[i].h - 1, fixture[i].colour)) << fixture[i].name;
    EXPECT_TRUE(Shows(x + fixture[i].w - 1, fixture[i].h, SpriteColour{40, 40, 40})) << fixture[i].name;
  }
  coins->ReleaseReference();
  EXPECT_EQ(0, items->m_nRefCount);
  EXPECT_EQ(0, items->m_nFrames);

  // An item the parent lacks fails the subset and gives the parent reference back.
  CSpriteSet beyond;
  beyond.DefineSpriteSetMulti(&game, nullptr, nullptr, 1, 1);
  beyond.DefineTextureAtlasSubSet("items", "coin_%d", 2, 3);
  EXPECT_EQ(0, beyond.AddReference());
  EXPECT_EQ(0, beyond.m_nRefCount);
  EXPECT_EQ(0, items->m_nRefCount);
  EXPECT_EQ(0, items->m_nFrames);
}

// Item numbers are only checked where they address the atlas: an item reaching past it, or
// starting before it, fails its subset, which gives the parent reference back.
TEST_F(SpriteSetGLTest, SubsetOfAnItemOutsideTheAtlasIsRefused) {
  ASSERT_EQ(1, game.m_pManager->AddSpriteSetMulti("far", "atlas.png", nullptr, 1, 1, false, false));
  CSpriteSet* far = Set("far");
  far->DefineTextureAtlasDataFileName("beyond_items.txt");
  for (const char* item : {"inside", "wide", "left"}) {
    CSpriteSet subset;
    subset.DefineSpriteSetMulti(&game, nullptr, nullptr, 1, 1);
    subset.DefineTextureAtlasSubSet("far", item, 0, 1);
    const bool inside = std::string(item) == "inside";
    EXPECT_EQ(inside ? 1 : 0, subset.AddReference()) << item;
    EXPECT_EQ(inside ? 1 : 0, far->m_nRefCount) << item;
    if (inside) {
      ASSERT_EQ(3, far->m_AtlasItems.GetSize());
      EXPECT_EQ(32, subset.m_ppFrames[0]->GetWidth());
    }
  }
  EXPECT_EQ(0, far->m_nRefCount);
  EXPECT_EQ(0, far->m_nFrames);
}

TEST_F(SpriteSetGLTest, CommonAlphaMasksEveryFrameOnScreen) {
  CSpriteSet pair;
  pair.DefineSpriteSetSingleCommonAlpha(&game, "pair.png", "mask.png", 2, 2);
  ASSERT_EQ(1, pair.AddReference());
  for (int i = 0; i < 2; i++)
    pair.m_ppFrames[i]->Draw(screen.get(), i * CA_CELL * 2, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Shows(1, 1, SpriteColour{128, 128, 128}));
  EXPECT_TRUE(Shows(CA_CELL - 1, 1, SpriteColour{40, 40, 40}));
  EXPECT_TRUE(Shows(CA_CELL * 2 + 1, 1, SpriteColour{255, 255, 255}));
  EXPECT_TRUE(Shows(CA_CELL * 3 - 1, 1, SpriteColour{40, 40, 40}));
}

} // namespace
