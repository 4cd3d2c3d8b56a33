// Glyphs read with FreeType from a TrueType font: rendered for the game's bitmap fonts, as outlines
// for the words on the placeholder art.
#pragma once

#include <string>
#include <vector>

namespace samplepack {

// One step of a glyph's outline in font units (y up): move, line, or cubic curve through two
// control points to the end point.
struct OutlineStep {
  char op; // 'M', 'L' or 'C'
  double x[3], y[3];
};
struct GlyphOutline {
  std::vector<OutlineStep> steps;
  double advance = 0; // font units
};

struct GlyphImage {
  int width = 0, height = 0; // of the coverage bitmap
  int left = 0, top = 0;     // bitmap origin against the pen on the baseline (top upwards)
  int advance = 0;           // whole pixels
  std::vector<unsigned char> coverage;
};

class TextRenderer {
public:
  TextRenderer();
  ~TextRenderer();
  TextRenderer(const TextRenderer&) = delete;
  TextRenderer& operator=(const TextRenderer&) = delete;

  // False with a reason when the font cannot be read.
  bool Open(const std::string& fontFile, std::string* error);

  bool Glyph(unsigned code, int pixelSize, GlyphImage* out);
  // Ascender and descender (negative) of the size, whole pixels.
  void LineMetrics(int pixelSize, int* ascender, int* descender);

  // The unscaled outline of a character, for setting text as paths; false without a glyph.
  bool Outline(unsigned code, GlyphOutline* out);
  int UnitsPerEm();

private:
  struct Impl;
  Impl* m_impl;
};

// Coverage grown by radius pixels in every direction (a disc), for outlines.
std::vector<unsigned char> Dilate(const std::vector<unsigned char>& coverage, int width, int height,
                                  int radius);

} // namespace samplepack
