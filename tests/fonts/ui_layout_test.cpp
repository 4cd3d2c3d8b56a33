// The UI layout file: fonts and styles read from text, their fonts loaded from the images
// directory, lookups by id and the effect names.
#include <cstdlib>
#include <cstring>

#include "files.h"
#include "font_test_support.h"
#include "ui_layout.h"

namespace {

int Read(CUILayout& layout, const char* text) {
  CMemoryFile file;
  size_t n = strlen(text);
  void* copy = malloc(n + 1);
  memcpy(copy, text, n + 1);
  file.Attach(copy, (int)n);
  return layout.LoadFromUILayoutFile(&file);
}

const char* const kLayout = R"(// fonts first
font = "FontDebug"
  file = "debug.fnt"
  add_width = -1
end
font = Small
  file = small.fnt
  style = "ignored inside a font block"
  add_height = 3
end
font = Broken
  file = none.fnt
end
style = Title
  font = Small
  color = 300, 0, 0
  effect = 4
  unknown = 7
end
style = Plain
  font : Missing
  color = 1, 2
end
style = Title
  font = FontDebug
end
end
)";

TEST_F(FontScene, LayoutFileGivesFontsAndStylesWithTheirFonts) {
  MakeFont("debug", FdbBytes::Grid().Int(0));
  MakeFont("small", FdbBytes::Grid().Int(0));
  CUILayout layout(&game);
  ASSERT_EQ(1, Read(layout, kLayout));
  ASSERT_EQ(3, layout.GetNumFonts());
  ASSERT_EQ(3, layout.GetNumStyles());

  UILayout_FontData* debug = layout.GetDefaultFont();
  EXPECT_STREQ("FontDebug", debug->id.c_str());
  EXPECT_STREQ("debug.fnt", debug->file.c_str());
  EXPECT_EQ(-1, debug->addWidth);
  UILayout_FontData* small = layout.GetFontById("Small");
  ASSERT_NE(nullptr, small);
  EXPECT_EQ(3, small->addHeight);
  EXPECT_EQ(0, small->addWidth);
  EXPECT_EQ(nullptr, layout.GetFontById("small")); // case matters
  EXPECT_EQ(nullptr, layout.GetFontById(""));

  UILayout_StyleData* title = layout.GetStyleById("Title");
  EXPECT_EQ(title, layout.GetDefaultStyle()); // the first of two equal ids
  EXPECT_STREQ("Small", title->fontId.c_str());
  EXPECT_EQ(44, title->r); // 300 in a byte
  EXPECT_EQ(4, title->effect);
  UILayout_StyleData* plain = layout.GetStyleById("Plain");
  EXPECT_STREQ("Missing", plain->fontId.c_str());
  EXPECT_EQ(0, plain->r + plain->g + plain->b); // two numbers are not a colour

  EXPECT_EQ(1, layout.ReLoadFonts());
  ASSERT_NE(nullptr, debug->font);
  ASSERT_NE(nullptr, small->font);
  EXPECT_EQ(nullptr, layout.GetFontById("Broken")->font);
  EXPECT_EQ(-1, debug->font->m_nExtraCharSpacing);
  EXPECT_EQ(0, small->font->m_nExtraCharSpacing); // not the font's own default of 2
  EXPECT_EQ(3, small->font->m_nExtraLineHeight);
  EXPECT_EQ(0, debug->font->m_nExtraLineHeight);

  layout.PrepareFontPointersForStyles();
  EXPECT_EQ(small->font, title->font);
  EXPECT_EQ(debug->font, plain->font); // unknown font id: the default font
  EXPECT_EQ(debug->font, layout.m_pStyles[2]->font);

  // A font whose files fail on a later load keeps the font it had.
  CBitmapFontText* before = small->font;
  std::filesystem::remove("small.fdb");
  EXPECT_EQ(1, layout.ReLoadFonts());
  EXPECT_EQ(before, small->font);
}

struct EffectValueCase {
  const char* value;
  int effect;
};
class LayoutEffectTest : public ::testing::TestWithParam<EffectValueCase> {};

TEST_P(LayoutEffectTest, EffectValueIsANumberOrAName) {
  CUILayout layout(nullptr);
  std::string text = std::string("style = s\neffect = ") + GetParam().value + "\nend\n";
  ASSERT_EQ(1, Read(layout, text.c_str()));
  ASSERT_EQ(1, layout.GetNumStyles());
  EXPECT_EQ(GetParam().effect, layout.GetDefaultStyle()->effect) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, LayoutEffectTest,
    ::testing::Values(EffectValueCase{"4", 4}, EffectValueCase{"glow", 3}, EffectValueCase{"Glow", 0},
                      EffectValueCase{"white border2", 6}, EffectValueCase{"white_border", 4},
                      EffectValueCase{"\"shadow\"", 1}, EffectValueCase{"x", 0}, EffectValueCase{"12", 0}),
    [](const ::testing::TestParamInfo<EffectValueCase>& i) { return std::to_string(i.index); });

TEST(LayoutEffectNames, ExactWholeNamesOnly) {
  EXPECT_EQ(-1, CUILayout::WhichEffectName(nullptr));
  EXPECT_EQ(-1, CUILayout::WhichEffectName(""));
  for (int i = 0; i < UILAYOUT_NUM_EFFECTS; i++)
    EXPECT_EQ(i, CUILayout::WhichEffectName(g_EffectNames[i]));
  EXPECT_EQ(-1, CUILayout::WhichEffectName("white_border2"));
  EXPECT_EQ(-1, CUILayout::WhichEffectName("borde"));
}

TEST(LayoutLimits, NinthFontOrStyleEndsTheReadKeepingEight) {
  for (const char* kind : {"font", "style"}) {
    std::string text;
    for (int i = 0; i < 9; i++)
      text += std::string(kind) + " = id" + std::to_string(i) + "\nend\n";
    text += "style = after\nend\n";
    CUILayout layout(nullptr);
    EXPECT_EQ(0, Read(layout, text.c_str())) << kind;
    EXPECT_EQ(8, std::string(kind) == "font" ? layout.GetNumFonts() : layout.GetNumStyles());
    EXPECT_EQ(nullptr, layout.GetStyleById("after"));
    if (std::string(kind) == "font") {
      EXPECT_EQ(nullptr, layout.AddNewFontData());
    }
  }
  CUILayout layout(nullptr);
  for (int i = 0; i < 8; i++)
    EXPECT_EQ(1, layout.AddStyle("s", "f", 1, 2, 3, 4));
  EXPECT_EQ(0, layout.AddStyle("s", "f", 1, 2, 3, 4));
  EXPECT_EQ(0, layout.ReLoadFonts()); // no application object
}

TEST_F(FontScene, LayoutLoadsFromAFileAndStartsAfresh) {
  WriteFile("game_styles.txt", std::vector<uint8_t>(kLayout, kLayout + strlen(kLayout)));
  CUILayout layout(&game);
  ASSERT_EQ(1, layout.AddFont("old", "old.fnt", 0, 0));
  EXPECT_EQ(1, layout.LoadFromUILayoutFile(CommonString("game_styles.txt")));
  EXPECT_EQ(3, layout.GetNumFonts());
  EXPECT_EQ(nullptr, layout.GetFontById("old"));
  EXPECT_EQ(0, layout.LoadFromUILayoutFile(CommonString("missing.txt")));
  EXPECT_EQ(0, layout.GetNumFonts());
}

} // namespace
