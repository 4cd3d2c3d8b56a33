// The game's bitmap font: the "[HGEFONT]" description with its quoted, hexadecimal and bad lines,
// measuring, drawing with alignment and colour, and boxed text with line breaks.
#include <memory>
#include <string>

#include "display.h"
#include "game_test_support.h"
#include "hge_font.h"
#include "surface.h"

namespace {

// Glyphs 'A' 10 wide, 'B' 6 wide, '?' 8 wide, ' ' 4 wide, all 12 high, on a 64 x 16 page.
const char* kFont = "[HGEFONT]\r\n"
                    "\n"
                    "Bitmap=font_page.png\n"
                    "Char=\"A\",0,0,10,12,3,4\n"
                    "Char=42,10,0,6,12,0,0\n"
                    "Char=\"?\", 16, 0, 8, 12, 0, 0\n"
                    "Char=20,24,0,4,12,0,0\n";

class FontTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetDrawingState();
    lastBlendR = lastBlendG = lastBlendB = lastBlendA = 255;
    display = &d;
    font.LoadFromText(kFont, (int)strlen(kFont), "font_test");
    // A page with a texture, so that glyphs reach the batcher.
    delete font.page;
    font.page = FakeSurface(64, 16);
  }
  void TearDown() override { display = nullptr; }
  // x of every glyph drawn, in order.
  std::vector<double> Xs() {
    std::vector<double> xs;
    for (const CapturedBlit& b : capture.Blits())
      xs.push_back(b.MinX());
    return xs;
  }

  Display d;
  hgeFont font{nullptr};
  TriangleCapture capture;
};

TEST(FontFile, QuotedHexAndBadLinesParse) {
  std::string text = std::string("[HGEFONT]\n") +
                     "Bitmap = pages/glyphs.png\n"
                     "Char=\"=\",1,2,3,4,5,6\n"     // the first '=' separates; the quoted '=' is the code
                     "Char = 7e , 5,6,7,8,0,0\n"    // hex with blanks
                     "Char=1FF,0,0,9,9,0,0\n"       // above 255: skipped
                     "Char 41,0,0,9,9,0,0\n"        // no '=': skipped
                     "Char=\"C\",0,0\n"             // too few values: skipped
                     "Char=\"D\",0,0,-4,20,0,0\n"   // a negative size: skipped
                     "Char=\"E\",0,0,99999,2,0,0\n" // beyond any page: skipped
                     "Char=zz,0,0,9,9,0,0\n"        // no character: skipped
                     "Comment=ignored\n"
                     "Char=\""; // ends inside the quote
  hgeFont font(nullptr);
  font.LoadFromText(text.data(), (int)text.size(), "fonts\\f");
  EXPECT_FALSE(font.glyph['='].IsEmpty());
  EXPECT_EQ(font.glyph['='].left, 1);
  EXPECT_EQ(font.glyph['='].top, 2);
  EXPECT_EQ(font.glyph['='].right, 4);
  EXPECT_EQ(font.glyph['='].bottom, 6);
  EXPECT_EQ(font.glyph[0x7e].right, 12);
  EXPECT_EQ(font.glyph[0x7e].bottom, 14);
  for (int c : {0x1F, 0xFF, 0x41, (int)'C', (int)'D', (int)'E', 0, (int)'"'})
    EXPECT_TRUE(font.glyph[c].IsEmpty()) << c;
  EXPECT_EQ(font.height, 8);
  EXPECT_EQ(font.pre['='], 0);
  EXPECT_EQ(font.post['='], 0);
  // The page is named relative to the font's own name; no picture is there to load.
  ASSERT_NE(font.page, nullptr);
  EXPECT_EQ(font.page->texture, nullptr);
}

TEST(FontFile, WrongFirstLineOrMissingFileLeavesAnEmptyFont) {
  for (const char* text : {"HGEFONT\nChar=\"A\",0,0,4,4,0,0\n", "", "[HGEFONT] \nChar=\"A\",0,0,4,4,0,0\n"}) {
    hgeFont font(nullptr);
    font.LoadFromText(text, (int)strlen(text), "f");
    EXPECT_TRUE(font.glyph['A'].IsEmpty()) << text;
    EXPECT_EQ(font.page, nullptr);
  }
  PackGame game;
  ASSERT_TRUE(game.OpenPack());
  hgeFont missing("font_nowhere");
  EXPECT_EQ(missing.page, nullptr);
  EXPECT_EQ(missing.height, 0);
  EXPECT_EQ(missing.GetStringWidth("abc"), 0);
}

TEST(FontFile, LoadsFromThePackWithItsPage) {
  PackGame game;
  game.Add("images\\2x_font_ui.fnt", TextBytes(kFont));
  game.Add("images\\font_page.png", SolidPng(64, 16, {255, 255, 255, 255}));
  ASSERT_TRUE(game.OpenPack());
  hgeFont font("font_ui");
  EXPECT_EQ(font.glyph['A'].right, 10);
  ASSERT_NE(font.page, nullptr);
  EXPECT_NE(font.page->texture, nullptr);
  EXPECT_EQ(font.page->GetWidth(), 64);
}

TEST(FontFile, LinesAreCutAtTheirLimit) {
  std::string text = "[HGEFONT]\n" + std::string(400, 'x') + "\nChar=\"A\",0,0,4,4,0,0\n";
  hgeFont font(nullptr);
  font.LoadFromText(text.data(), (int)text.size(), "f");
  EXPECT_FALSE(font.glyph['A'].IsEmpty());
  char line[HGEFONT_MAX_LINE + 1];
  std::string source = std::string(300, 'y') + "\r\n\nnext";
  char* next = hgeFont::_get_line(source.data(), line);
  EXPECT_EQ(strlen(line), (size_t)HGEFONT_MAX_LINE);
  EXPECT_STREQ(next, "next");
  EXPECT_EQ(hgeFont::_get_line(next + 4, line), nullptr);
}

TEST_F(FontTest, GlyphlessCodeIsMeasuredAsQuestionMarkAndDrawnAsSpace) {
  EXPECT_EQ(font.GetStringWidth("A"), 10);
  EXPECT_EQ(font.GetStringWidth("A\x01"), 18);
  font.spaceExtra = 6;
  font.Render(0, 50, 0,
              "A\x01"
              "B");
  // A at 0; the unknown code moves the pen by the space extra, 5 and the space glyph; B after it.
  std::vector<double> xs = Xs();
  ASSERT_EQ(xs.size(), 3u);
  EXPECT_EQ(xs[0], 0);
  EXPECT_EQ(xs[1], 10 + 6 + 5);
  EXPECT_EQ(xs[2], 10 + 6 + 5 + 4);
  // The line is centred on y: the glyphs start half the height above it.
  EXPECT_EQ(capture.Blits()[0].MinY(), 44);
}

TEST_F(FontTest, RightAlignedLinesAlignEachByTheWidestRemaining) {
  font.Render(200, 50, 1, "AAB\nA");
  std::vector<double> xs = Xs();
  ASSERT_EQ(xs.size(), 4u);
  EXPECT_EQ(xs[0], 200 - 26);
  EXPECT_EQ(xs[3], 200 - 10);
  EXPECT_EQ(capture.Blits()[3].MinY(), 44 + 12);
}

TEST_F(FontTest, ScaleTrackingAndCentring) {
  font.SetScale(0.5f);
  font.SetTracking(2);
  font.SetSpacing(2);
  EXPECT_EQ(font.GetStringWidth("AB"), 0.5f * (10 + 6 + 4));
  font.Render(100, 20, 2, "AB\nA");
  std::vector<double> xs = Xs();
  ASSERT_EQ(xs.size(), 3u);
  EXPECT_EQ(xs[0], 100 - 5);
  EXPECT_EQ(xs[1], 95 + 6);
  EXPECT_EQ(capture.Blits()[0].MaxX() - capture.Blits()[0].MinX(), 5);
  // The next line is 12 x 0.5 x 2 lower.
  EXPECT_EQ(capture.Blits()[2].MinY() - capture.Blits()[0].MinY(), 12);
}

TEST_F(FontTest, ColouredRenderTintsAndPutsTheTintBack) {
  d.SetBlending(200, 255, 255, 255);
  font.Render(0, 0, 0, "A", ColorRGB(15, 20, 25));
  ASSERT_EQ(capture.Blits().size(), 1u);
  const QuellarVertex& v = capture.Blits()[0].tri[0][0];
  EXPECT_EQ(v.r, 15);
  EXPECT_EQ(v.g, 20);
  EXPECT_EQ(v.b, 25);
  EXPECT_EQ(v.a, 200);
  EXPECT_EQ(lastBlendR, 255);
  EXPECT_EQ(lastBlendA, 200);
  EXPECT_EQ(display_mode_current, 3);
}

TEST_F(FontTest, BoxedTextBreaksAtSpacesAndCentresTheBlock) {
  // "AAA" is 30 wide, more than the box: alone on its line; "B B" fits in 25 (16).
  int lines = font.printfb(0, 0, 25, 100, 8, "%s %s", "AAA", "B B");
  EXPECT_EQ(lines, 2);
  EXPECT_STREQ(font.buffer, "AAA\nB B");
  // Block of 2 x 12 centred in 100: the first line is centred on 38.
  EXPECT_EQ(capture.Blits()[0].MinY(), 38 - 6);
  capture.Clear();

  EXPECT_EQ(font.printfb(0, 0, 25, 100, 4, "B B B B A"), 3);
  EXPECT_STREQ(font.buffer, "B B\nB B\nA");
  capture.Clear();
  // A word wider than the box at the end of the text ends it.
  EXPECT_EQ(font.printfb(100, 0, 100, 50, 1, "B\nAAAAAAAAAAAA"), 2);
  EXPECT_STREQ(font.buffer, "B\nAAAAAAAAAAAA");
  // Right-aligned at x + w by the widest remaining line.
  EXPECT_EQ(capture.Blits()[0].MinX(), 200 - 120);
}

TEST_F(FontTest, GlyphsWithoutAPageOrADisplayDrawNothing) {
  // A font whose page picture is missing (or not loaded yet at start-up) still measures its text.
  delete font.page;
  font.page = nullptr;
  font.Render(10, 10, 0, "AB A");
  font.Render(10, 10, 2, "AB", ColorRGB(1, 2, 3));
  EXPECT_EQ(font.printfb(0, 0, 12, 40, 8, "A A"), 2);
  EXPECT_EQ(font.GetStringWidth("AB"), 16);
  font.page = FakeSurface(64, 16);
  display = nullptr;
  font.Render(10, 10, 0, "AB");
  font.Render(10, 10, 0, "AB", ColorRGB(1, 2, 3));
  EXPECT_TRUE(capture.Blits().empty());
}

TEST_F(FontTest, FormattedTextIsCutToTheBuffer) {
  std::string long_text(3000, 'A');
  font.printf(0, 0, 0, "%s", long_text.c_str());
  EXPECT_EQ(strlen(font.buffer), sizeof font.buffer - 2);
}

} // namespace
