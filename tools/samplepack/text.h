// Glyphs rendered with FreeType from a TrueType font: labels on the placeholder art and the
// game's bitmap fonts.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace samplepack {

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
  int Width(const std::string& text, int pixelSize);

  // Draws text centred on (cx, cy) with an outline of the given width.
  void Draw(Canvas& canvas, const std::string& text, float cx, float cy, int pixelSize, Colour fill,
            Colour outline, int outlineWidth);

private:
  struct Impl;
  Impl* m_impl;
};

// Coverage grown by radius pixels in every direction (a disc), for outlines.
std::vector<unsigned char> Dilate(const std::vector<unsigned char>& coverage, int width, int height,
                                  int radius);

} // namespace samplepack
