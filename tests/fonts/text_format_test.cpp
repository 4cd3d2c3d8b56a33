// Word wrapping measured with the grid font (12 pixels per letter, 10 per space, a fit allowance of
// 10) and drawing the lines aligned in their box.
#include "font_test_support.h"
#include "text_format.h"

namespace {

std::vector<std::string> Lines(const CQuellarTextFormat& f) {
  std::vector<std::string> out;
  for (int i = 0; i < f.GetNumStrings(); i++)
    out.push_back(f.GetString(i)->c_str());
  return out;
}

struct WrapCase {
  const char* name;
  int width;
  const char* text;
  std::vector<std::string> lines;
};
class TextWrapTest : public FontScene, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(TextWrapTest, Wraps) {
  const WrapCase& c = GetParam();
  auto font = GridFont();
  CQuellarTextFormat f;
  EXPECT_EQ(1, f.FormatText(c.width, font.get(), c.text));
  EXPECT_EQ(c.lines, Lines(f));
}

// "ab cd": 24 + 10 + 24 must stay below the width to share a line.
INSTANTIATE_TEST_SUITE_P(
    Texts, TextWrapTest,
    ::testing::Values(WrapCase{"bothFit", 59, "ab cd", {"ab cd"}},
                      WrapCase{"justTooNarrow", 58, "ab cd", {"ab", "cd"}},
                      WrapCase{"threeWords", 70, "ab cd ef", {"ab cd", "ef"}},
                      WrapCase{"escapeBreaks", 200, "ab\\ncd", {"ab", "cd"}},
                      WrapCase{"lineFeedBreaks", 200, "ab\ncd", {"ab", "cd"}},
                      WrapCase{"crLfIsOneBreak", 200, "ab\r\ncd", {"ab", "cd"}},
                      WrapCase{"carriageReturnsVanish", 200, "a\r\rb", {"ab"}},
                      WrapCase{"longWordStandsAlone", 20, "abcdefghij", {"abcdefghij"}},
                      WrapCase{"longWordAfterLine", 40, "ab abcdefghij cd", {"ab", "abcdefghij", "cd"}},
                      WrapCase{"trailingBreak", 200, "a\n", {"a", ""}},
                      WrapCase{"narrowBreakKeepsWord", 20, "abc\nd", {"abc", "d"}},
                      WrapCase{"extraSpacesStay", 200, " a  b", {"a  b"}}, WrapCase{"empty", 200, "", {}},
                      WrapCase{"backslashAlone", 200, "a\\", {"a\\"}}),
    [](const ::testing::TestParamInfo<WrapCase>& i) { return std::string(i.param.name); });

TEST_F(FontScene, FormatKeepsEarlierLinesAndMeasuresHeight) {
  auto font = GridFont();
  CQuellarTextFormat f;
  EXPECT_EQ(0, f.FormatText(100, font.get(), nullptr));
  EXPECT_EQ(0, f.CalcFormatHeight(font.get(), 2));
  EXPECT_EQ(1, f.FormatText(100, font.get(), "one"));
  EXPECT_EQ(1, f.FormatText(100, font.get(), "two\nsix"));
  EXPECT_EQ((std::vector<std::string>{"one", "two", "six"}), Lines(f));
  font->m_nExtraLineHeight = 4;
  EXPECT_EQ(3 * (20 + 2), f.CalcFormatHeight(font.get(), 2));
  f.Clear();
  EXPECT_EQ(0, f.GetNumStrings());
  EXPECT_EQ(0, f.m_Lines.GetCapacity());
}

struct AlignCase {
  int alignment;
  int x; // where the 24-pixel line "ab" starts, -1 for not drawn
};
class TextAlignTest : public FontScene, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(TextAlignTest, LinesSitInTheirBox) {
  auto font = GridFont();
  CQuellarTextFormat f;
  f.m_nAlignment = GetParam().alignment;
  f.m_nBoxWidth = 60;
  ASSERT_EQ(1, f.FormatText(200, font.get(), "ab\nab"));
  screen->ClearBitmap(0, 0, 255);
  f.TextOut(screen.get(), 4, 10, font.get(), 255, 0, 0, 0, 255, 3, nullptr);
  const int x = GetParam().x;
  for (int line = 0; line < 2; line++) {
    const int y = 10 + line * (16 + 3) + 2;
    if (x < 0) {
      for (int px : {4, 16, 34, 40, 60})
        EXPECT_TRUE(Shows(px, y, 0, 0, 255));
      continue;
    }
    EXPECT_TRUE(Shows(x - 1, y, 0, 0, 255));
    EXPECT_TRUE(Shows(x, y, 255, 0, 0));
    EXPECT_TRUE(Shows(x + 19, y, 255, 0, 0)); // the second glyph's last column
    EXPECT_TRUE(Shows(x + 20, y, 0, 0, 255));
  }
}

INSTANTIATE_TEST_SUITE_P(Alignments, TextAlignTest,
                         ::testing::Values(AlignCase{0, 4}, AlignCase{1, 4 + 30 - 12},
                                           AlignCase{2, 4 + 60 - 24}, AlignCase{5, -1}),
                         [](const ::testing::TestParamInfo<AlignCase>& i) {
                           return "alignment" + std::to_string(i.param.alignment);
                         });

} // namespace
