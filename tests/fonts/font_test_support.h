// The font tests' GL screen and fixture fonts. The generated grid font has every glyph as an
// 8x8 block at the top left of its 16x16 cell, A = 0, B = 8 and C = 2 pixels: the pen moves 10
// pixels per glyph plus the extra spacing of 2, and the space (the underscore's advance) is 10.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../gl/gl_scene.h"
#include "bitmap_font.h"
#include "temp_dir.h"

// ".fdb" contents built field by field.
struct FdbBytes {
  std::vector<uint8_t> bytes;

  // The fixture's records: A = 0, B = 32, C = 8 quarter pixels for codes 32..255.
  static FdbBytes Grid() {
    FdbBytes f;
    for (int code = 32; code < 256; code++) {
      f.Int(0);
      f.Int(32);
      f.Int(8);
    }
    return f;
  }
  FdbBytes& Int(int32_t v) {
    for (int i = 0; i < 4; i++)
      bytes.push_back((uint8_t)((uint32_t)v >> (8 * i)));
    return *this;
  }
  FdbBytes& Byte(uint8_t v) {
    bytes.push_back(v);
    return *this;
  }
  FdbBytes& Record(int code, int32_t a, int32_t b, int32_t c) {
    size_t at = (size_t)(code - 32) * 12;
    for (int k = 0; k < 3; k++) {
      uint32_t v = (uint32_t)(k == 0 ? a : k == 1 ? b : c);
      for (int i = 0; i < 4; i++)
        bytes[at + 4 * k + i] = (uint8_t)(v >> (8 * i));
    }
    return *this;
  }
};

// A GL screen whose working directory is a fresh temporary directory; fonts are made there from
// the generated atlases and metrics written by the test.
class FontScene : public GLScene {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.ok());
    game.m_bUsePacks = 0;
    GLScene::SetUp();
  }

  static std::string Fixture(const char* name) { return std::string(FONT_FIXTURES_DIR "/images/") + name; }

  // "<stem>_rgba.png" (the grid atlas) and "<stem>.fdb" with the given metrics.
  static void MakeFont(const std::string& stem, const FdbBytes& fdb) {
    std::filesystem::copy_file(Fixture("grid_rgba.png"), stem + "_rgba.png",
                               std::filesystem::copy_options::overwrite_existing);
    WriteFile(stem + ".fdb", fdb.bytes);
  }
  static void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(name.c_str(), "wb");
    ASSERT_TRUE(f);
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
  }

  // A font loaded from a stem in the working directory ("<stem>.fnt" names it).
  std::unique_ptr<CBitmapFontText> Load(const std::string& stem, int expect = 1) {
    auto font = std::make_unique<CBitmapFontText>(&game);
    std::string name = stem + ".fnt";
    EXPECT_EQ(expect, font->LoadFont(name.data())) << stem;
    return font;
  }
  // The generated grid font, loaded from the fixture directory.
  std::unique_ptr<CBitmapFontText> GridFont() {
    auto font = std::make_unique<CBitmapFontText>(&game);
    std::string name = Fixture("grid.fdb");
    EXPECT_EQ(1, font->LoadFont(name.data()));
    return font;
  }

  // True when the screen pixel shows the colour, within what RGB565 and blending may move it.
  ::testing::AssertionResult Shows(int x, int y, int r, int g, int b) {
    HeadlessGL::Pixel p = At(x, y);
    if (std::abs(p.r - r) <= 12 && std::abs(p.g - g) <= 12 && std::abs(p.b - b) <= 12)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << x << ", " << y << ") shows (" << p.r << ", " << p.g << ", "
                                         << p.b << "), want (" << r << ", " << g << ", " << b << ")";
  }

  ScopedTempDir m_dir;
};
