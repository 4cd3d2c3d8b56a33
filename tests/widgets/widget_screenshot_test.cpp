// One of each template widget on a real (headless) GL screen, read back at known pixels: an image
// from a PNG file, a focused button, a checked check box with its caption, one-line, wrapped and
// information texts in the grid font, a half-full progress bar, a tuner and a dialog with a tiled
// background.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "bitmap_hw.h"
#include "gl_renderer.h"
#include <standin/headless_gl.h>
#include "png_file_writer.h"
#include "temp_dir.h"
#include "widget_button.h"
#include "widget_progress.h"
#include "widget_sets_support.h"
#include "widget_text.h"
#include "widget_tuner.h"

namespace {

const char* kScreen = R"(root: screen
  size: 480, 320
  color: 0, 0, 0
  child: pic
    position: 10, 10
  end
  child: btn
    position: 60, 10
  end
  child: box
    position: 120, 10
  end
  child: label
    position: 10, 60
  end
  child: para
    position: 10, 90
  end
  child: info
    position: 10, 150
  end
  child: bar
    position: 100, 60
  end
  child: slider
    position: 100, 100
  end
  child: panel
    position: 300, 150
  end
end
image: pic
  file: pic.png
end
button: btn
  set: btn
end
checkBox: box
  set: box
  set_checked: boxOn
  caption: C
  style: magenta
  textOffset: 0
end
text: label
  caption: A
  color: 0, 255, 255
end
text_multi: para
  size: 10, 0
  caption: "A A"
  mt_align: 0
  row_add_dy: 4
end
textInfo: info
  infoType: buildDate
  color: 255, 255, 0
end
progress: bar
  set_empty: empty
  set_full: full
end
tuner: slider
  tunerId: track
  fullId: fill
  handleId: knob
  offsetLeft: 10
  offsetRight: 10
end
dialog: panel
  modal: position
  background: tiles
  bgCenterTilesX: 3
end
tiledBG: tiles
  single_set: 1
  center: nine
end
)";

u16 Rgb565(int r, int g, int b) { return (u16)(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); }

struct Rgb {
  int r, g, b;
};

bool Is(const HeadlessGL::Pixel& p, Rgb c) {
  return std::abs(p.r - c.r) <= 8 && std::abs(p.g - c.g) <= 8 && std::abs(p.b - c.b) <= 8;
}

const Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kBlue{0, 0, 255}, kYellow{255, 255, 0}, kWhite{255, 255, 255},
    kGreen{0, 255, 0}, kGrey{132, 130, 132}, kNavy{0, 0, 132}, kOrange{255, 130, 0}, kCyan{0, 255, 255},
    kMagenta{255, 0, 255}, kPurple{132, 0, 132};

TEST(WidgetScreenshot, OneOfEachWidgetShowsAtKnownPixels) {
  ScopedTempDir dir;
  HeadlessGL gl;
  ASSERT_TRUE(gl.Open(480, 320));
  GLES_ResetStateCache();
  {
    SetsApp app;
    ASSERT_TRUE(app.Init(480, 320));
    // Solid frames, one colour per set and frame.
    std::map<std::string, std::vector<Rgb>> colours = {
        {"btn", {kBlue, kYellow, kWhite}},
        {"box", {kWhite}},
        {"boxOn", {kGreen}},
        {"empty", {kGrey}},
        {"full", {kGreen}},
        {"track", {kNavy}},
        {"fill", {kOrange}},
        {"knob", {kWhite, kWhite, kWhite}},
        {"nine", {kRed, kRed, kRed, kRed, kPurple, kRed, kRed, kRed, kRed}},
    };
    app.makeFrame = [&](const std::string& tag, int w, int h, int frame) -> IDibBitmap* {
      std::string set = tag.substr(0, tag.size() - std::to_string(frame).size());
      Rgb c = colours.at(set)[(size_t)frame];
      IDibBitmap* bm = app.CreateBitmapObject();
      bm->Create(w, h);
      u16* px = (u16*)bm->GetBits();
      for (int i = 0; i < w * h; i++)
        px[i] = Rgb565(c.r, c.g, c.b);
      bm->DestroyAlpha();
      bm->HWUpdateTexture();
      return bm;
    };
    app.AddSet("btn", {{40, 20}, {40, 20}, {40, 20}});
    app.AddSet("box", {{16, 16}});
    app.AddSet("boxOn", {{16, 16}});
    app.AddSet("empty", {{200, 10}});
    app.AddSet("full", {{200, 10}});
    app.AddSet("track", {{200, 20}});
    app.AddSet("fill", {{200, 20}});
    app.AddSet("knob", {{10, 10}, {10, 10}, {10, 10}});
    app.AddSet("nine", {{10, 8}, {16, 8}, {10, 8}, {10, 16}, {16, 16}, {10, 16}, {10, 8}, {16, 8}, {10, 8}});
    app.m_BuildDateText = "A";

    // The grid font: every glyph an 8 x 8 block at the top left of its cell.
    for (const char* name : {"grid_rgba.png", "grid.fdb"})
      std::filesystem::copy_file(std::string(FONT_FIXTURES_DIR "/images/") + name, name);
    UILayout_FontData* font = app.layout.AddNewFontData();
    font->id = "grid";
    font->font = new CBitmapFontText(&app);
    char fontName[] = "grid.fnt";
    ASSERT_EQ(font->font->LoadFont(fontName), 1);
    for (auto [id, c] : {std::pair{"plain", kWhite}, {"magenta", kMagenta}}) {
      UILayout_StyleData* style = app.layout.AddNewStyleData();
      style->id = id;
      style->fontId = "grid";
      style->r = (u8)c.r, style->g = (u8)c.g, style->b = (u8)c.b;
      style->font = font->font;
    }

    // The image comes from a file: its ".png" is cut off and the set loads "pic" from the images.
    std::filesystem::create_directories("images");
    PngRows rows(20, std::vector<png_byte>(30 * 3));
    for (auto& row : rows)
      for (size_t x = 0; x < row.size(); x += 3)
        row[x] = 255;
    ASSERT_EQ(WritePngFile("images/pic.png", 30, 20, 8, PNG_COLOR_TYPE_RGB, false, rows), "");

    WriteUiFile("screen.txt", kScreen);
    XRoot* root = new XRoot(&app);
    ASSERT_TRUE(root->InitRoot("screen.txt", "screen"));
    auto* pic = dynamic_cast<XImage*>(root->FindChildWithWidgetId("pic"));
    ASSERT_NE(pic, nullptr);
    ASSERT_NE(pic->m_Image.set, nullptr);
    EXPECT_TRUE(pic->m_Image.owned);
    EXPECT_STREQ(pic->m_Image.set->m_FileName.c_str(), "pic");
    EXPECT_EQ(pic->m_Image.set->m_nKind, SPRITESET_MULTI);
    EXPECT_EQ(pic->m_Image.set->m_nFramesPerRowOrFirstIndex, 1);
    dynamic_cast<XCheckBox*>(root->FindChildWithWidgetId("box"))->Check(true);
    dynamic_cast<XProgress*>(root->FindChildWithWidgetId("bar"))->SetPercent(50);
    int h = font->font->GetCharHeight();

    app.DoDrawCycle();
    struct Probe {
      const char* what;
      int x, y;
      Rgb colour;
    } probes[] = {
        {"image", 10, 10, kRed},
        {"image's last pixel", 39, 29, kRed},
        {"beside the image", 40, 15, kBlack},
        {"focused button, frame 1", 60, 10, kYellow},
        {"button's last pixel", 99, 29, kYellow},
        {"checked box", 120, 10, kGreen},
        {"caption right after the box", 137, 10 + 8 - h / 2 + 1, kMagenta},
        {"text", 11, 61, kCyan},
        {"beside the glyph", 19, 61, kBlack},
        {"first wrapped line", 11, 91, kWhite},
        {"second wrapped line", 11, 90 + h + 4 + 1, kWhite},
        {"between the lines", 11, 90 + h + 1, kBlack},
        {"information text", 11, 151, kYellow},
        {"full part of the bar", 100, 60, kGreen},
        {"end of the full part", 199, 69, kGreen},
        {"empty part of the bar", 200, 60, kGrey},
        {"filled track", 101, 101, kOrange},
        {"track after the handle", 210, 101, kNavy},
        {"handle", 196, 106, kWhite},
        {"handle's last pixel", 204, 114, kWhite},
        {"tiled top-left corner", 300, 150, kRed},
        {"tiled centre", 310, 158, kPurple},
        {"third centre tile", 357, 173, kPurple},
        {"tiled right column", 358, 160, kRed},
        {"tiled bottom-right", 367, 181, kRed},
        {"past the tiles", 368, 160, kBlack},
    };
    for (const Probe& p : probes) {
      HeadlessGL::Pixel px = gl.At(p.x, p.y);
      EXPECT_TRUE(Is(px, p.colour)) << p.what << " at " << p.x << "," << p.y << ": " << px.r << " " << px.g
                                    << " " << px.b;
    }
    delete root; // before the sets its widgets reference
  }
  GLES_ResetStateCache();
}

} // namespace
