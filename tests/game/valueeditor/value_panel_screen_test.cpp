// The value panel drawn on a real GL screen (headless Mesa) with the sample pack's interface font:
// panel, title bar, hide mark, scroll bar, the rows' backgrounds, value bars and labels are read
// back at their places. The frames are kept as PNGs in the build's valueeditor-shots/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogue.h"
#include "display.h"
#include "editor_panels.h"
#include "game_gl_screen.h"
#include "game_globals.h"
#include "game_test_support.h"
#include "gameplay_window.h"
#include "gl_required.h"
#include "hge_font.h"
#include "level_header.h"
#include "png_file_writer.h"
#include "sprite_tables.h"
#include "startup_pack.h"
#include "surface.h"
#include "value_editor.h"

namespace {

struct Colour {
  int r, g, b;
};

const Colour kPanel{0, 100, 255}, kTitle{0, 255, 255}, kScroll{0, 255, 0}, kBlack{0, 0, 0}, kRow{255, 255, 0},
    kBar{255, 0, 0};

class ValuePanelScreen : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(game.OpenPackFile(SamplePackPath())) << SamplePackPath();
    game.m_bCreateTextures = 1;
    if (!screen.Open(game, 480, 320)) SKIP_OR_FAIL_WITHOUT_GL(screen.GL());
    opened = true;
    ResetDrawingState();
    MAXX = 480;
    MAXY = 320;
    display = &d;
    LoadBasicSprites();
    if (!g_white) g_white = new Surface("white", 0, false);
    ASSERT_NE(FontInterface, nullptr);
    ValueList = valueList();
  }
  void TearDown() override {
    ValueList = valueList();
    display = nullptr;
    if (opened) SafeDeleteGlobals();
  }
  void Frame() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    d.SetBlending(255);
    d.SetNormalMode();
    ValueList.Draw();
  }
  std::vector<uint8_t> Shot(const std::string& name) {
    std::vector<uint8_t> px = screen.ReadRGBA();
    PngRows rows(320);
    for (int y = 0; y < 320; ++y)
      rows[y].assign(px.begin() + (size_t)y * 480 * 4, px.begin() + (size_t)(y + 1) * 480 * 4);
    const std::string dir = std::string(SPROCKLET_BINARY_DIR) + "/valueeditor-shots";
    std::filesystem::create_directories(dir);
    WritePngFile(dir + "/" + name + ".png", 480, 320, 8, PNG_COLOR_TYPE_RGBA, false, rows);
    return px;
  }
  void ExpectColour(const char* what, int x, int y, Colour c) {
    HeadlessGL::Pixel p = screen.At(x, y);
    EXPECT_TRUE(std::abs(p.r - c.r) < 12 && std::abs(p.g - c.g) < 12 && std::abs(p.b - c.b) < 12)
        << what << " at " << x << ", " << y << ": " << (int)p.r << " " << (int)p.g << " " << (int)p.b;
  }
  // Pixels that differ between two frames inside a box.
  static int Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int x0, int y0, int x1,
                       int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        size_t i = ((size_t)y * 480 + x) * 4;
        n += std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 100;
      }
    return n;
  }

  PackGame game;
  GameGLScreen screen;
  Display d;
  bool opened = false;
};

TEST_F(ValuePanelScreen, PanelAndRowsDrawAtTheirPlaces) {
  float half = 0.5f;
  int action = 0, quarter = 25;
  ValueList.Init("Panel", 100, 40, 245, 200, 29);
  ValueList.Clear();
  ValueList.editors[0].Init("half", &half, 0, 1, 1, 10, 0, 200, 25, nullptr);
  ValueList.editors[1].Init("action", &action, 3, 3, 1, 10, 0, 200, 25, nullptr);
  ValueList.editors[3].Init("quarter", &quarter, 0, 100, 1, 10, 0, 200, 25, nullptr);
  Frame();
  std::vector<uint8_t> with = Shot("panel");
  // Rows at panel y 30, 59 and (after the gap of slot 2) 117: screen y 70, 99, 157.
  ExpectColour("panel left of the rows", 105, 200, kPanel);
  ExpectColour("panel below the rows", 200, 230, kPanel);
  ExpectColour("gap of the unused slot", 200, 140, kPanel);
  ExpectColour("title bar", 320 - 20, 45, kTitle);
  ExpectColour("hide mark", 108, 48, kBlack);
  // Scroll bar from trunc(142 - 3) over 100 - 5 x 3 rows.
  ExpectColour("scroll bar", 336, 150, kScroll);
  ExpectColour("below the scroll bar", 336, 230, kPanel);
  ExpectColour("value bar of 0.5", 115, 90, kBar);
  ExpectColour("value bar's end", 205, 90, kBar);
  ExpectColour("row behind the bar's end", 212, 90, kRow);
  ExpectColour("row's right part", 300, 90, kRow);
  ExpectColour("zero-range row: no bar", 115, 119, kRow);
  ExpectColour("value bar of 25", 140, 177, kBar);
  ExpectColour("beyond the quarter bar", 170, 177, kRow);
  ExpectColour("right of the rows", 315, 90, kPanel);

  // The labels and the title are drawn in the font: without it those places change.
  hgeFont* font = FontInterface;
  FontInterface = nullptr;
  Frame();
  std::vector<uint8_t> without = Shot("panel-without-text");
  FontInterface = font;
  EXPECT_GT(Differing(with, without, 110, 70, 310, 82), 20) << "label of row 0";
  EXPECT_GT(Differing(with, without, 110, 157, 310, 169), 20) << "label of row 3";
  EXPECT_GT(Differing(with, without, 170, 40, 280, 50), 10) << "title";
  EXPECT_EQ(Differing(with, without, 100, 190, 345, 240), 0) << "below the rows";

  // Hidden, nothing is drawn.
  ValueList.Hide();
  Frame();
  ExpectColour("hidden panel", 105, 200, kBlack);
}

// The level settings have 54 rows: the scroll bar's length is 100 - 270 and it is drawn upwards
// from its top, out of the panel; rows below the panel are not drawn.
TEST_F(ValuePanelScreen, LongPanelDrawsItsScrollBarUpwards) {
  ValueList.x = 100;
  ValueList.y = 100;
  ValueEditorGameSetup();
  // Only the fills are looked at here.
  hgeFont* font = FontInterface;
  FontInterface = nullptr;
  Frame();
  FontInterface = font;
  Shot("setup-panel");
  // Top at trunc(202 - 3) = 199, the other end at 199 - 170 = 29.
  ExpectColour("bar above the panel", 336, 50, kScroll);
  ExpectColour("bar's top end", 336, 195, kScroll);
  ExpectColour("above the bar", 336, 20, kBlack);
  ExpectColour("under the bar's top", 336, 250, kPanel);
  ExpectColour("first row, a half row", 200, 145, kRow);
  ExpectColour("beside the half row", 250, 145, kPanel);
  ExpectColour("below the panel", 200, 305, kBlack);
}

// "Start X" and "Start X BIG" edit one field: a value the BIG row set beyond the small row's range
// shows the small row full (or empty), never a bar past its end.
TEST_F(ValuePanelScreen, SharedFieldBarsStayInTheirRows) {
  levelHeader saved = g_levelCur;
  g_levelCur.startX = 9000;
  g_levelCur.startY = 2500;
  ValueList.x = 100;
  ValueList.y = 20;
  ValueEditorGameSetup();
  // Rows 18-21 brought to panel y 30, 59, 88 and 117.
  ValueList.scrollY = 30 - 18 * 29;
  hgeFont* font = FontInterface;
  FontInterface = nullptr;
  Frame();
  FontInterface = font;
  Shot("start-rows");
  g_levelCur = saved;
  ExpectColour("Start X full", 305, 65, kBar);
  ExpectColour("past the Start X row", 315, 65, kPanel);
  ExpectColour("Start Y empty", 200, 94, kRow);
  // 9000 of 2000-9500 is 14/15 of the BIG row; 2500 is a fifteenth.
  ExpectColour("Start X BIG", 290, 123, kBar);
  ExpectColour("Start X BIG's end", 302, 123, kRow);
  ExpectColour("Start Y BIG", 120, 152, kBar);
  ExpectColour("Start Y BIG's end", 130, 152, kRow);
}

} // namespace
