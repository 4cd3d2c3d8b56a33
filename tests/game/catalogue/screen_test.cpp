// The generated art on a real GL screen (headless Mesa): start-up sprites and a line in a game
// font, a sprite of every world set, a deferred banner, the hero and a background, found in the
// read-back. A failing test keeps its screenshot in the build's catalogue-shots/.
#include <cstring>
#include <filesystem>
#include <string>

#include "catalogue_fixture.h"
#include "display.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "gl_required.h"
#include "hge_font.h"
#include "level_header.h"
#include "png_file_writer.h"

namespace {

const int kW = 480, kH = 320;

class CatalogueScreen : public CatalogueTest {
protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    game.m_bCreateTextures = 1;
    if (!screen.Open(game, kW, kH)) SKIP_OR_FAIL_WITHOUT_GL(screen.GL());
    opened = true;
    ResetDrawingState();
    MAXX = kW;
    MAXY = kH;
    display = &d;
    d.SetBlending(255);
    d.SetNormalMode();
  }
  void TearDown() override {
    if (opened && HasFailure()) Keep();
    display = nullptr;
    CatalogueTest::TearDown();
  }
  // Pixels of the box (x0, y0)-(x1, y1) that are not the black of an empty screen.
  int Lit(int x0, int y0, int x1, int y1) {
    std::vector<uint8_t> px = screen.ReadRGBA();
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const uint8_t* p = &px[((size_t)y * kW + x) * 4];
        if (p[0] > 40 || p[1] > 40 || p[2] > 40) ++n;
      }
    return n;
  }
  // Most of a sprite drawn at half size centred on (x, y) shows.
  void ExpectSpriteAt(const char* what, Surface* s, float x, float y) {
    ASSERT_NE(s, nullptr) << what;
    ASSERT_NE(s->texture, nullptr) << what;
    d.BlitScaled(x, y, 0.5f, 0.5f, s, false);
    int w = s->width / 4, h = s->height / 4; // a box of half the drawn size about the centre
    int lit = Lit((int)x - w / 2, (int)y - h / 2, (int)x + w / 2, (int)y + h / 2);
    EXPECT_GT(lit, w * h / 2) << what << ": " << lit << " of " << w * h << " pixels show";
  }
  void Keep() {
    std::vector<uint8_t> px = screen.ReadRGBA();
    PngRows rows(kH);
    for (int y = 0; y < kH; ++y)
      rows[y].assign(px.begin() + (size_t)y * kW * 4, px.begin() + (size_t)(y + 1) * kW * 4);
    std::string dir = std::string(SPROCKLET_BINARY_DIR) + "/catalogue-shots";
    std::filesystem::create_directories(dir);
    std::string path = dir + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
    WritePngFile(path, kW, kH, 8, PNG_COLOR_TYPE_RGBA, false, rows);
    ADD_FAILURE() << "screenshot kept: " << path;
  }

  GameGLScreen screen;
  Display d;
  bool opened = false;
};

TEST_F(CatalogueScreen, StartUpSpritesAndALineInAGameFontShow) {
  LoadBasicSprites();
  ASSERT_EQ(Lit(0, 0, kW, kH), 0) << "the screen starts empty";
  ExpectSpriteAt("clock pod", g_guiTime, 120, 60);
  ExpectSpriteAt("preloader", g_preloaderAnim[0], 360, 60);
  ExpectSpriteAt("mission icon", g_achievementIcons[3], 240, 120);
  ExpectSpriteAt("secret item", g_secretItems[5], 300, 120);

  FontTime->SetScale(0.5f);
  FontTime->Render(240, 220, 2, "Loading 1:23");
  float half = FontTime->GetStringWidth("Loading 1:23") / 2;
  int text = Lit((int)(240 - half), 205, (int)(240 + half), 235);
  EXPECT_GT(text, 150) << "the text shows";
  EXPECT_EQ(Lit(0, 205, (int)(240 - half) - 10, 235), 0) << "nothing left of the centred text";
  EXPECT_EQ(Lit((int)(240 + half) + 10, 205, kW, 235), 0) << "nothing right of it";
}

TEST_F(CatalogueScreen, EveryWorldSetTheHeroAndABackgroundShowTheirArt) {
  struct Shown {
    int level, type, frame;
    float x, y;
  } sprites[] = {{1, 100, 0, 60, 60},   {51, 0, 0, 180, 60},   {101, 600, 0, 300, 60},
                 {41, 550, 0, 420, 60}, {0, 106, 0, 120, 180}, {150, 400, 0, 300, 180}};
  for (const Shown& s : sprites) {
    g_levelSelected = s.level;
    LoadRects();
    ExpectSpriteAt(("level " + std::to_string(s.level)).c_str(), g_rects[s.type][s.frame], s.x, s.y);
  }
  g_levelSelected = 1;
  LoadRects();
  g_rectDummies[139][0]->UseMeToLoad(139, 0);
  ExpectSpriteAt("deferred banner", g_rects[139][0], 420, 180);
  LoadCharacter(0);
  ExpectSpriteAt("hero", g_character[0][0], 240, 270);

  memcpy((unsigned char*)&g_levelCur + 36, "\x05\0\0\0", 4);
  LoadBGSprites();
  ASSERT_NE(g_bgTile[1], nullptr);
  d.BlitScaled(kW / 2, kH / 2, 0.5f, 0.5f, g_bgTile[1], false);
  // Sky and hills fill the screen; only the dark outlines of the hills and the label stay unlit.
  EXPECT_GT(Lit(0, 0, kW, kH), kW * kH * 95 / 100) << "the background covers the screen";
  for (int corner = 0; corner < 4; ++corner) {
    int x = corner % 2 ? kW - 8 : 0, y = corner / 2 ? kH - 8 : 0;
    EXPECT_EQ(Lit(x, y, x + 8, y + 8), 64) << "corner " << corner;
  }
}

} // namespace
