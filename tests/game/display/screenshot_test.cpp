// The drawing layer on a real GL screen: a sprite from a generated atlas, a line of text in a
// generated font, a button and an open dialog over them, checked pixel by pixel in the read-back.
#include <cstdlib>
#include <memory>

#include "atlas.h"
#include "buttons.h"
#include "display.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "game_services.h"
#include "game_test_support.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "surface.h"

namespace {

struct Want {
  const char* what;
  int x, y;
  int r, g, b;
};

// Within 12 of the ideal colour: the pbuffer keeps 5-6-5 bits.
void ExpectPixels(GameGLScreen& screen, const std::vector<Want>& wants) {
  for (const Want& w : wants) {
    HeadlessGL::Pixel p = screen.At(w.x, w.y);
    EXPECT_NEAR(p.r, w.r, 12) << w.what;
    EXPECT_NEAR(p.g, w.g, 12) << w.what;
    EXPECT_NEAR(p.b, w.b, 12) << w.what;
  }
}

TEST(DrawingScreenshot, AtlasSpriteTextButtonAndDialog) {
  PackGame game;
  // Atlas page: red on the left half, blue on the right, one entry each.
  game.Add("images\\shot.cfg",
           AtlasIndexBytes({{{"red", 0, 0, 32, 32, 0, 0, 0, 0}, {"blue", 0, 0, 32, 32, 0, 0, 32, 0}}}));
  game.Add("images\\shot0.png", PngBytes(64, 32, [](int x, int) {
             return x < 32 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255};
           }));
  // Font: 'I' a white bar 4 x 12, the space 4 wide and empty.
  game.Add("images\\font_shot.fnt", TextBytes("[HGEFONT]\nBitmap=font_shot_page\nChar=\"I\",0,0,4,12,0,0\n"
                                              "Char=\" \",8,0,4,12,0,0\n"));
  game.Add("images\\font_shot_page.png", PngBytes(16, 12, [](int x, int) {
             return x < 4 ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 0};
           }));
  game.Add("images\\white.png", SolidPng(4, 4, {255, 255, 255, 255}));
  game.Add("images\\dialog_box.png", SolidPng(200, 100, {0, 255, 0, 255}));
  ASSERT_TRUE(game.OpenPack());
  game.m_bCreateTextures = 1;

  GameGLScreen screen;
  if (!screen.Open(game, 480, 320)) GTEST_SKIP() << "no headless GL";
  ResetDrawingState();
  MAXX = 480;
  MAXY = 320;
  Display d;
  display = &d;
  d.SetBlending(255);
  d.SetNormalMode();

  Atlas atlas("shot");
  Surface* red = new Surface(&atlas, "red");
  std::unique_ptr<Surface> blue(new Surface(&atlas, "blue"));
  hgeFont font("font_shot");
  g_white = new Surface("white", 0, false);
  g_dialog[0] = new Surface("dialog_box", 0, false);
  ASSERT_NE(red->texture, nullptr);
  ASSERT_NE(font.page, nullptr);
  ASSERT_NE(g_white->texture, nullptr);

  d.BlitScaled(50, 50, 1, 1, red);
  font.Render(50, 250, 0, "I I");
  ClearButtons();
  AddButtonCustom(420, 60, 40, 40, 0, "", blue.get(), blue.get(), nullptr);
  DrawButtons();
  // The atlas entry draws one texel more at its left and top, centred by half a texel.
  ExpectPixels(screen, {{"sprite", 50, 50, 255, 0, 0},
                        {"sprite's edge", 36, 36, 255, 0, 0},
                        {"beside the sprite", 70, 50, 0, 0, 0},
                        {"first bar", 52, 250, 255, 255, 255},
                        {"space", 58, 250, 0, 0, 0},
                        {"second bar", 65, 250, 255, 255, 255},
                        {"button at half size", 420, 60, 0, 0, 255},
                        {"outside the button", 420, 82, 0, 0, 0}});

  KillDialogs();
  ASSERT_EQ(AddDialogByID(2, nullptr), 0);
  ProcessHelpDialogs(1.0f);
  DrawHelpDialogs(&d);
  // Dim (55, 55, 255) at 175/255 over everything; the box (200 x 100 at half size) centred on the
  // dialog's box (65, 35, 346, 256).
  auto dim = [](int c, int under) { return (c * 175 + under * 80) / 255; };
  ExpectPixels(screen, {{"dimmed sprite", 50, 50, dim(55, 255), dim(55, 0), dim(255, 0)},
                        {"dimmed background", 300, 300, dim(55, 0), dim(55, 0), dim(255, 0)},
                        {"dialog box", 238, 163, 0, 255, 0},
                        {"box edge", 188 + 2, 163, 0, 255, 0},
                        {"beside the box", 180, 163, dim(55, 0), dim(55, 0), dim(255, 0)}});

  KillDialogs();
  ClearButtons();
  delete red;
  SafeDelete(g_dialog[0]);
  SafeDelete(g_white);
  display = nullptr;
}

} // namespace
