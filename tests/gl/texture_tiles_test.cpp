// Texture tiles: layout, uploads, released pixels and atlas items.
#include <cstring>

#include "gl_scene.h"

namespace {

struct TileCase {
  int w, h;
  int across, down;
  int tileW, tileH; // texture size of every tile
  int uScale, vScale;
};

void PrintTo(const TileCase& c, std::ostream* os) { *os << c.w << "x" << c.h; }

class TileLayout : public GLScene, public ::testing::WithParamInterface<TileCase> {};

TEST_P(TileLayout, CutsTheImageIntoPowerOfTwoTiles) {
  const TileCase& c = GetParam();
  auto img = Image(c.w, c.h, 0x1234);
  QuellarTextureData* td = img->GetHWResource();
  ASSERT_EQ(c.across * c.down, td->m_nTileCount);
  EXPECT_EQ(c.across, td->m_nTilesAcross);
  EXPECT_EQ(c.down, td->m_nTilesDown);
  for (int i = 0; i < td->m_nTileCount; ++i) {
    EXPECT_EQ(c.tileW, td->m_pTiles[i].texWidth) << i;
    EXPECT_EQ(c.tileH, td->m_pTiles[i].texHeight) << i;
    EXPECT_NE(0u, td->m_pTiles[i].name) << i;
  }
  EXPECT_EQ(c.uScale, td->m_nUScale);
  EXPECT_EQ(c.vScale, td->m_nVScale);
}

INSTANTIATE_TEST_SUITE_P(Sizes, TileLayout,
                         ::testing::Values(TileCase{480, 320, 1, 1, 512, 512, 61440, 40960},
                                           TileCase{2048, 100, 2, 1, 1024, 128, 131072, 51200},
                                           TileCase{1, 1, 1, 1, 8, 8, 8192, 8192},
                                           TileCase{4, 200, 1, 1, 16, 256, 16384, 51200}));

TEST_F(GLScene, LastColumnAndRowGetTheirOwnSmallerTextures) {
  auto img = Image(1100, 1030, 0x1234);
  QuellarTextureData* td = img->GetHWResource();
  ASSERT_EQ(4, td->m_nTileCount);
  // The last row's 6 pixels would make 1024 x 8, beyond the aspect limit of 16: 1024 x 64.
  const int sizes[4][2] = {{1024, 1024}, {128, 1024}, {1024, 64}, {128, 64}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(sizes[i][0], td->m_pTiles[i].texWidth) << i;
    EXPECT_EQ(sizes[i][1], td->m_pTiles[i].texHeight) << i;
  }
}

TEST_F(GLScene, ReleasedPixelsAreNeitherUploadedNorTouchedBySoftware) {
  auto img = Image(16, 8, Rgb565(0, 255, 0), 255);
  img->HWReleasePixelDataInRAM();
  EXPECT_TRUE(img->ArePixelsReleased());
  EXPECT_FALSE(img->HasPixelsInRAM());
  EXPECT_FALSE(img->HasAlphaInRAM());
  ASSERT_NE(nullptr, img->GetBits()) << "GL paths still see a bitmap with pixels";
  ASSERT_NE(nullptr, img->GetAlphaBits());

  u32 uploads = g_GLES_CallCounts.textureUploads;
  EXPECT_EQ(1, img->HWUpdateTexture());
  EXPECT_EQ(uploads, g_GLES_CallCounts.textureUploads);

  // Software paths into and out of the released bitmap leave everything alone.
  auto soft = MakeBitmap565(16, 8, 0x0F0F, -1, &game);
  img->BitBlt(soft.get(), 0, 0, 0, 0, 0, 0, 0);
  img->Draw(soft.get(), 0, 0, 0, 0, 0, 0);
  soft->BitBlt(img.get(), 0, 0, 0, 0, 0, 0, 0);
  img->FillRectangle(0, 0, 16, 8, 255, 0, 0);
  img->AddBrightness(50);
  for (u16 p : Pixels(soft.get()))
    ASSERT_EQ(0x0F0F, p);

  // The texture still draws on screen.
  screen->ClearBitmap(0, 0, 0);
  img->BitBlt(screen.get(), 4, 4, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(10, 8), Quantized(0, 255, 0)));

  // New pixels make it a normal bitmap again and are uploaded.
  u16* px = (u16*)malloc(16 * 8 * 2);
  for (int i = 0; i < 16 * 8; ++i)
    px[i] = Rgb565(0, 0, 255);
  EXPECT_EQ(1, img->SetBits((unsigned char*)px, 16, 8));
  EXPECT_FALSE(img->GetHWResource() == nullptr);
  EXPECT_GT(g_GLES_CallCounts.textureUploads, uploads);
  EXPECT_TRUE(img->HasPixelsInRAM());
}

TEST_F(GLScene, ReleaseAfterUploadWhenTheApplicationAsksForIt) {
  game.m_bReleasePixelsAfterUpload = 1;
  auto img = Image(8, 8, 0xFFFF);
  EXPECT_TRUE(img->ArePixelsReleased());
  EXPECT_EQ(nullptr, img->m_pBits) << "the memory copy is freed";
}

TEST_F(GLScene, ThreeBytePixelsUploadAs8888WhateverTheTrueColourSetting) {
  game.m_bTrueColorImages = 0;
  auto img = std::make_unique<CBitmapHW>(&game);
  img->SetBitsPerPixel(24);
  ASSERT_TRUE(img->Create(4, 4));
  img->DestroyAlpha();
  for (int i = 0; i < 16; ++i) {
    img->GetBits()[i * 3] = 40; // red, green, blue in memory order
    img->GetBits()[i * 3 + 1] = 200;
    img->GetBits()[i * 3 + 2] = 100;
  }
  ASSERT_EQ(1, img->HWUpdateTexture());
  EXPECT_EQ((GLenum)GL_UNSIGNED_BYTE, img->GetHWResource()->m_nPixelType);
  screen->ClearBitmap(0, 0, 0);
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(2, 2), Quantized(40, 200, 100)));
}

// The texels sent for a 5 x 3 picture in its 8 x 4 texture: red, green, blue and alpha (255 without
// an alpha map), each row's last pixel repeated to the end of the row and the last row below it.
TEST_F(GLScene, ThreeBytePixelsFillTheirTextureRowsAndRepeatTheEdges) {
  for (bool alpha : {true, false}) {
    SCOPED_TRACE(alpha ? "with an alpha map" : "opaque");
    auto img = std::make_unique<CBitmapHW>(&game);
    img->SetBitsPerPixel(24);
    ASSERT_TRUE(img->Create(5, 3));
    for (int i = 0; i < 15; ++i) {
      img->GetBits()[i * 3] = (u8)(10 * i);
      img->GetBits()[i * 3 + 1] = (u8)(10 * i + 1);
      img->GetBits()[i * 3 + 2] = (u8)(10 * i + 2);
      if (alpha) img->GetAlphaBits()[i] = (u8)(100 + i);
    }
    if (!alpha) img->DestroyAlpha();
    if (g_pTextureDataBuffer) memset(g_pTextureDataBuffer, 0xEE, 8 * 4 * 4);
    ASSERT_EQ(1, img->HWUpdateTexture());
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) {
        int i = (y < 3 ? y : 2) * 5 + (x < 5 ? x : 4);
        const unsigned char* t = g_pTextureDataBuffer + (y * 8 + x) * 4;
        const unsigned char want[4] = {(u8)(10 * i), (u8)(10 * i + 1), (u8)(10 * i + 2),
                                       (u8)(alpha ? 100 + i : 255)};
        EXPECT_EQ(0, memcmp(t, want, 4)) << x << "," << y;
      }
  }
}

TEST_F(GLScene, SixteenBitUploadsKeepTheTopBitsOfEachChannel) {
  // 4444 keeps the top four bits of colour and alpha: red 0xF8 becomes 15/15, alpha 0x8F 8/15.
  auto img = Image(8, 8, Rgb565(0xF8, 0, 0), 0x8F);
  EXPECT_EQ((GLenum)GL_UNSIGNED_SHORT_4_4_4_4, img->GetHWResource()->m_nPixelType);
  screen->ClearBitmap(0, 0, 0);
  img->BitBlt(screen.get(), 0, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(4, 4), Quantized(255 * 8 / 15.0, 0, 0)));
  auto opaque = Image(8, 8, Rgb565(0, 0x84, 0xF8));
  EXPECT_EQ((GLenum)GL_UNSIGNED_SHORT_5_6_5, opaque->GetHWResource()->m_nPixelType);
}

TEST_F(GLScene, AtlasItemsDrawTheirSubRectangleAndMayNotLeaveTheAtlas) {
  auto atlas = Halves(32, 16);
  CBitmapHW item(&game);
  struct Rect {
    int x, y, w, h;
  };
  const Rect outside[] = {{20, 0, 13, 16}, {0, 8, 16, 9}, {-1, 0, 4, 4}, {0, -2, 4, 4}, {0, 0, 0, 4}};
  for (const Rect& r : outside)
    EXPECT_EQ(0, item.HWInitFromTextureAtlas(atlas.get(), r.x, r.y, r.w, r.h)) << r.x << "," << r.y;

  ASSERT_EQ(1, item.HWInitFromTextureAtlas(atlas.get(), 16, 4, 16, 8));
  EXPECT_EQ(16, item.GetWidth());
  EXPECT_EQ(8, item.GetHeight());
  EXPECT_TRUE(item.ArePixelsReleased()) << "an item has no pixels of its own";
  screen->ClearBitmap(0, 0, 0);
  item.BitBlt(screen.get(), 40, 20, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(40, 20), Quantized(0, 0, 255)));
  EXPECT_TRUE(Near(At(55, 27), Quantized(0, 0, 255)));
  EXPECT_TRUE(Near(At(56, 27), Quantized(0, 0, 0))) << "nothing beyond the item's width";
  EXPECT_TRUE(Near(At(39, 20), Quantized(0, 0, 0)));

  // Releasing the item leaves the shared tiles to the atlas.
  u32 deleted = g_GLES_CallCounts.texturesDeleted;
  item.HWReleaseTexture();
  EXPECT_EQ(deleted, g_GLES_CallCounts.texturesDeleted);
  atlas->BitBlt(screen.get(), 0, 40, 0, 0, 0, 0, 0);
  EXPECT_TRUE(Near(At(2, 42), Quantized(255, 0, 0)));
}

} // namespace
