// The drawing layer on a real GL screen: a sprite from a generated atlas, a line of text in a
// generated font and a button, then an open dialog over them with its text, its yellow line and
// its ok button, drawn frame by frame as the game does and checked pixel by pixel in the read-back.
#include <GLES/gl.h>

#include <memory>

#include "atlas.h"
#include "buttons.h"
#include "display.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "help_dialogs.h"
#include "hge_font.h"
#include "sprite_tables.h"
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
    EXPECT_NEAR(p.r, w.r, 12) << w.what << " at " << w.x << "," << w.y;
    EXPECT_NEAR(p.g, w.g, 12) << w.what << " at " << w.x << "," << w.y;
    EXPECT_NEAR(p.b, w.b, 12) << w.what << " at " << w.x << "," << w.y;
  }
}

// The colour c laid over `under` at the dialogs' dimming alpha, 175.
int Dim(int c, int under) { return (c * 175 + under * 80) / 255; }

class DrawingScreenshot : public ::testing::Test {
protected:
  void SetUp() override {
    // Atlas page: red on the left half, blue on the right, one entry each.
    game.Add("images\\shot.cfg",
             AtlasIndexBytes({{{"red", 0, 0, 32, 32, 0, 0, 0, 0}, {"blue", 0, 0, 32, 32, 0, 0, 32, 0}}}));
    game.Add("images\\shot0.png", PngBytes(64, 32, [](int x, int) {
               return x < 32 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255};
             }));
    // Scene font: 'I' a white bar 4 x 12, the space 4 wide and empty.
    game.Add(
        "images\\font_shot.fnt",
        TextBytes("[HGEFONT]\nBitmap=font_shot_page\nChar=\"I\",0,0,4,12,0,0\nChar=\" \",8,0,4,12,0,0\n"));
    game.Add("images\\font_shot_page.png", PngBytes(16, 12, [](int x, int) {
               return x < 4 ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 0};
             }));
    // Dialog font: only 'C' has a glyph, a white 40 x 40 block; everything else advances as a space.
    game.Add("images\\font_dialog.fnt",
             TextBytes("[HGEFONT]\nBitmap=font_dialog_page\nChar=43,0,0,40,40,0,0\n"));
    game.Add("images\\font_dialog_page.png", SolidPng(40, 40, {255, 255, 255, 255}));
    game.Add("images\\white.png", SolidPng(4, 4, {255, 255, 255, 255}));
    // Double-size pictures, drawn at half size: the box fills the dialog's 346 x 256.
    game.Add("images\\dialog_box.png", SolidPng(692, 512, {0, 255, 0, 255}));
    game.Add("images\\dialog_ok.png", SolidPng(170, 122, {255, 255, 0, 255}));
    ASSERT_TRUE(game.OpenPack());
    game.m_bCreateTextures = 1;
    ASSERT_TRUE(screen.Open(game, 480, 320));
    ResetDrawingState();
    MAXX = 480;
    MAXY = 320;
    g_ratio_is_more_1_5 = 0;
    g_guiShiftX = 1.0f;
    display = &d;
    d.SetBlending(255);
    d.SetNormalMode();
    KillDialogs();
    ClearButtons();
  }
  void TearDown() override {
    KillDialogs();
    ClearButtons();
    FontSTD = nullptr;
    g_dialogButOk = nullptr;
    SafeDelete(g_dialog[0]);
    SafeDelete(g_white);
    display = nullptr;
    ResetDrawingState();
  }

  // One frame as the gameplay window runs it: the mode's drawing, then the dialogs.
  void Frame(Surface* sprite, hgeFont& font) {
    GLES_FlushBuffer();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    d.BlitScaled(50, 50, 1, 1, sprite);
    font.Render(50, 250, 0, "I I");
    DrawButtons();
    ProcessHelpDialogs(0.016f);
    DrawHelpDialogs(&d);
  }

  PackGame game;
  GameGLScreen screen;
  Display d;
};

TEST_F(DrawingScreenshot, AtlasSpriteTextButtonAndDialog) {
  Atlas atlas("shot");
  std::unique_ptr<Surface> red(new Surface(&atlas, "red"));
  std::unique_ptr<Surface> blue(new Surface(&atlas, "blue"));
  std::unique_ptr<Surface> ok(new Surface("dialog_ok", 0, false));
  hgeFont font("font_shot");
  hgeFont dialogFont("font_dialog");
  g_white = new Surface("white", 0, false);
  g_dialog[0] = new Surface("dialog_box", 0, false);
  ASSERT_NE(red->texture, nullptr);
  ASSERT_NE(font.page, nullptr);
  ASSERT_NE(dialogFont.page, nullptr);
  ASSERT_NE(g_white->texture, nullptr);
  ASSERT_NE(g_dialog[0]->texture, nullptr);
  FontSTD = &dialogFont;
  g_dialogButOk = ok.get();

  AddButtonCustom(420, 60, 40, 40, 0, "", blue.get(), blue.get(), nullptr);
  Frame(red.get(), font);
  // The atlas entry draws one texel more at its left and top (33 x 33 from (33, 33.5)); the text's
  // first line is centred on y 250; the button's 32 x 32 entry is drawn at half size.
  ExpectPixels(screen, {{"sprite", 50, 50, 255, 0, 0},
                        {"sprite's top-left", 34, 35, 255, 0, 0},
                        {"beside the sprite", 70, 50, 0, 0, 0},
                        {"first bar", 52, 250, 255, 255, 255},
                        {"space", 58, 250, 0, 0, 0},
                        {"second bar", 65, 250, 255, 255, 255},
                        {"above the text", 52, 240, 0, 0, 0},
                        {"button at half size", 420, 60, 0, 0, 255},
                        {"outside the button", 420, 72, 0, 0, 0}});

  // Dialog 2 on a 480-wide screen: box (65, 35, 346, 256); text at (108, 115) scale 0.32 in
  // (15, 15, 15), three spaces of 5 before the 'C'; the yellow line centred at (238, 147); the ok
  // button of 85 x 61 centred at (240, 195) once it has grown in over 20 frames.
  ASSERT_EQ(AddDialogByID(2, "C"), 0);
  for (int i = 0; i < 25; ++i)
    Frame(red.get(), font);
  ExpectPixels(screen, {{"dimmed sprite", 50, 50, Dim(55, 255), Dim(55, 0), Dim(255, 0)},
                        {"dimmed text", 52, 250, Dim(55, 255), Dim(55, 255), Dim(255, 255)},
                        {"dimmed button", 420, 60, Dim(55, 0), Dim(55, 0), Dim(255, 255)},
                        {"dimmed background", 450, 300, Dim(55, 0), Dim(55, 0), Dim(255, 0)},
                        {"box", 300, 100, 0, 255, 0},
                        {"box's top-left", 66, 36, 0, 255, 0},
                        {"box's bottom-right", 410, 290, 0, 255, 0},
                        {"left of the box", 63, 100, Dim(55, 0), Dim(55, 0), Dim(255, 0)},
                        {"below the box", 300, 293, Dim(55, 0), Dim(55, 0), Dim(255, 0)},
                        {"dialog text", 129, 114, 15, 15, 15},
                        {"before the text's first glyph", 120, 114, 0, 255, 0},
                        {"yellow line", 238, 146, 255, 255, 0},
                        {"beside the yellow line", 250, 146, 0, 255, 0},
                        {"ok button", 240, 195, 255, 255, 0},
                        {"ok button's edge", 200, 167, 255, 255, 0},
                        {"below the ok button", 240, 229, 0, 255, 0}});
  EXPECT_EQ(HelpDialogs[0].buttons[0].baseScale, 1.0f);
  EXPECT_EQ(lastBlendA, 255);

  // The ok button closes it and the next frame shows the scene undimmed again.
  EXPECT_EQ(ProcessHelpDialogsStylus(240, 195, true), 1);
  Frame(red.get(), font);
  ExpectPixels(screen, {{"sprite again", 50, 50, 255, 0, 0}, {"box gone", 300, 100, 0, 0, 0}});
}

} // namespace
