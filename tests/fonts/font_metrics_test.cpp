// Loading a bitmap font: the ".fdb" metrics, the three glyph layouts over the atlas, the checks of
// damaged files, and measuring text.
#include "font_test_support.h"

#include <cstring>

namespace {

using FontMetricsTest = FontScene;

TEST_F(FontMetricsTest, GeneratedGridFontPlacesGlyphsOnA16By14Grid) {
  auto font = GridFont();
  EXPECT_EQ(256, font->m_nAtlasWidth);
  EXPECT_EQ(224, font->m_nAtlasHeight);
  EXPECT_EQ(16, font->GetCharWidth());
  EXPECT_EQ(16, font->GetCharHeight());
  // 'A' is code 65, cell 33: column 1, row 2.
  const FontGlyphRect& a = font->m_GlyphRects['A'];
  EXPECT_EQ(16, a.left);
  EXPECT_EQ(32, a.top);
  EXPECT_EQ(24, a.right);
  EXPECT_EQ(48, a.bottom);
  EXPECT_EQ(10, font->m_nAdvance['A']);
  EXPECT_EQ(10, font->m_nSpaceWidth);
  // The last code sits in the bottom right cell.
  EXPECT_EQ(240, font->m_GlyphRects[255].left);
  EXPECT_EQ(208, font->m_GlyphRects[255].top);
}

TEST_F(FontMetricsTest, ExactAbcTableLoadsWithoutOffsetOrCodeListAndSpaceComesFromUnderscore) {
  MakeFont("plain", FdbBytes::Grid().Record('_', 0, 20, 8).Record(' ', 0, 40, 40));
  auto font = Load("plain");
  EXPECT_EQ(0, font->m_nVerticalOffset);
  EXPECT_EQ(0, font->m_nCodeCount);
  EXPECT_EQ(16, font->m_nCellHeight);
  EXPECT_EQ(7, font->m_nSpaceWidth); // (20 + 8) / 4, not the space's own 20
}

TEST_F(FontMetricsTest, ShortAbcTableLeavesTheRestZero) {
  FdbBytes f = FdbBytes::Grid();
  f.bytes.resize(12 * 2 + 6); // codes 32, 33 and half of 34
  MakeFont("short", f);
  auto font = Load("short");
  EXPECT_EQ(32u, font->m_ABC[33].B);
  EXPECT_EQ(0u, font->m_ABC[34].B);
  EXPECT_EQ(0, font->m_nAdvance['A']);
}

TEST_F(FontMetricsTest, OutOfRangeWidthsFallBackToTheSpaceRecord) {
  MakeFont("wild", FdbBytes::Grid()
                       .Record(' ', 4, 24, 0)
                       .Record('a', 1001, 32, 8)
                       .Record('b', 0, -1, 8)
                       .Record('c', 0, 32, 5000)
                       .Int(0));
  auto font = Load("wild");
  EXPECT_EQ(4, font->m_ABC['a'].A);
  EXPECT_EQ(24u, font->m_ABC['b'].B);
  EXPECT_EQ(5000, font->m_ABC['c'].C);
  EXPECT_EQ((32 + 5000) / 4, font->m_nAdvance['c']);
}

TEST_F(FontMetricsTest, VerticalOffsetRaisesTheLineHeight) {
  MakeFont("raised", FdbBytes::Grid().Int(8));
  auto font = Load("raised");
  EXPECT_EQ(8, font->m_nVerticalOffset);
  EXPECT_EQ(16 - 4, font->GetCharHeight());
  font->m_nExtraLineHeight = 3;
  EXPECT_EQ(16 + 3 - 4, font->GetCharHeight());
}

struct CodeListCase {
  int count;
  int columns, rows;
};
class FontCodeListTest : public FontScene, public ::testing::WithParamInterface<CodeListCase> {};

TEST_P(FontCodeListTest, ListedCodesFillRowsOfSixteen) {
  const CodeListCase& c = GetParam();
  FdbBytes f = FdbBytes::Grid().Int(0).Int(c.count);
  // Listed from 'a' on: the first is placed in cell 0, the last in cell count - 1.
  for (int i = 0; i < c.count; i++)
    f.Byte((uint8_t)('a' + i));
  MakeFont("listed", f);
  auto font = Load("listed");
  EXPECT_EQ(256 / c.columns, font->m_nCellWidth);
  EXPECT_EQ(224 / c.rows, font->m_nCellHeight);
  const FontGlyphRect& first = font->m_GlyphRects['a'];
  EXPECT_EQ(0, first.left);
  EXPECT_EQ(0, first.top);
  const int last = c.count - 1;
  const FontGlyphRect& end = font->m_GlyphRects['a' + last];
  EXPECT_EQ((last % 16) * 256 / c.columns, end.left);
  EXPECT_EQ((last / c.columns) * 224 / c.rows, end.top);
  // Codes not listed have no glyph and no advance.
  EXPECT_EQ(0, font->m_nAdvance['A']);
  EXPECT_EQ(0, font->m_GlyphRects['A'].right);
  EXPECT_EQ(10, font->m_nAdvance['a']);
}

INSTANTIATE_TEST_SUITE_P(Counts, FontCodeListTest,
                         ::testing::Values(CodeListCase{1, 1, 1}, CodeListCase{16, 16, 1},
                                           CodeListCase{17, 16, 2}, CodeListCase{100, 16, 7}));

// Damaged or missing files are refused. The font loaded a good listed font before, so a refusal
// that changed what it must not shows in the code list, the glyphs or the atlas; how far the load
// read before it stopped shows that it stopped for the reason the case names.
enum RefusedAt { AT_ATLAS, AT_METRICS_FILE, AT_CODE_LIST };
struct BadFontCase {
  const char* what;
  std::vector<uint8_t> tail; // after the complete ABC table and a vertical offset of 8
  bool atlas;
  bool metrics;
  RefusedAt at;
};
class FontRefusedTest : public FontScene, public ::testing::WithParamInterface<BadFontCase> {};

TEST_P(FontRefusedTest, LoadFailsAndKeepsTheEarlierCodeList) {
  const BadFontCase& c = GetParam();
  MakeFont("good", FdbBytes::Grid().Int(0).Int(3).Byte('x').Byte('y').Byte('z'));
  auto font = Load("good");
  ASSERT_EQ(3, font->m_nCodeCount);

  FdbBytes f = FdbBytes::Grid().Record('x', 0, 64, 0).Int(8);
  f.bytes.insert(f.bytes.end(), c.tail.begin(), c.tail.end());
  MakeFont("bad", f);
  if (!c.atlas) std::filesystem::remove("bad_rgba.png");
  if (!c.metrics) std::filesystem::remove("bad.fdb");
  std::string name = "bad.fnt";
  EXPECT_EQ(0, font->LoadFont(name.data()));

  // Where it stopped: before the widths (the good font's 'x'), after clearing them for the
  // metrics file that did not open, or at the code list after reading the widths and the offset.
  const unsigned bOfX = c.at == AT_ATLAS ? 32 : c.at == AT_METRICS_FILE ? 0 : 64;
  EXPECT_EQ(bOfX, font->m_ABC['x'].B);
  EXPECT_EQ(c.at == AT_CODE_LIST ? 8 : 0, font->m_nVerticalOffset);

  EXPECT_EQ(1, game.m_bCreateTextures) << "the loader left textures switched off";
  ASSERT_EQ(3, font->m_nCodeCount);
  EXPECT_EQ(0, memcmp(font->m_pCodeList, "xyz", 3)) << "the earlier code list was replaced";
  // The glyphs stay where the good file put them: the bad file's widths are never placed.
  EXPECT_EQ((32 + 8) / 4, font->m_nAdvance['x']);
  ASSERT_TRUE(font->m_pAtlas) << "the atlas object stays, loaded or empty";
  EXPECT_EQ(c.atlas, font->m_pAtlas->GetAlphaBits() != nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FontRefusedTest,
    ::testing::Values(BadFontCase{"count0", {0, 0, 0, 0}, true, true, AT_CODE_LIST},
                      BadFontCase{"count225", {225, 0, 0, 0}, true, true, AT_CODE_LIST},
                      BadFontCase{"negativeCount", {0xFF, 0xFF, 0xFF, 0xFF}, true, true, AT_CODE_LIST},
                      BadFontCase{"listShorterThanCount", {3, 0, 0, 0, 'a', 'b'}, true, true, AT_CODE_LIST},
                      BadFontCase{"noAtlas", {}, false, true, AT_ATLAS},
                      BadFontCase{"noMetrics", {}, true, false, AT_METRICS_FILE}),
    [](const ::testing::TestParamInfo<BadFontCase>& i) { return std::string(i.param.what); });

TEST_F(FontMetricsTest, MeasuresWithAdvanceBearingAndExtraSpacing) {
  MakeFont("measure", FdbBytes::Grid().Record('b', 8, 32, 4).Int(0));
  auto font = Load("measure");
  EXPECT_EQ(0, font->Length2(nullptr));
  EXPECT_EQ(0, font->Length2(""));
  EXPECT_EQ(10, font->Length2(" "));
  EXPECT_EQ(10, font->CharLength2('a'));
  EXPECT_EQ(9 + 2, font->CharLength2('b')); // (32 + 4) / 4 + (8 >> 2)
  EXPECT_EQ(10 + 11 + 2 * 2, font->Length2("ab"));
  EXPECT_EQ(12 + 10 + 2, font->Length2("a \n")); // a line break is measured like any glyph
  font->m_nExtraCharSpacing = -1;
  EXPECT_EQ(9 + 10, font->Length2("ab"));
}

} // namespace
