// Writes a game bitmap font: the "[HGEFONT]" description "<file>.fnt" and its glyph page
// "<file>.png", rendered with FreeType.
#pragma once

#include <string>
#include <vector>

#include "catalogue_data.h"
#include "text.h"

namespace samplepack {

// The reader's limit on the whole description (its lines are short by construction).
const int kFontMaxText = 2999;

// The characters the game's texts use: printable ASCII.
const unsigned kFirstCharacter = 32;
const unsigned kLastCharacter = 126;

struct FontStyle {
  int pixelSize;
  int outline;
  float scale; // the scale the screens mostly draw the font at
};
FontStyle StyleOf(catalogue::FontId id);
// The width of the space's cell, 0 for none, for a space whose glyph advances naturalAdvance.
int SpaceWidth(const FontStyle& style, const catalogue::FontSpec& font, int naturalAdvance);

// The description text for glyph rectangles given as x, y, w, h per character code.
std::string FontDescription(const std::string& page, const std::vector<std::vector<int>>& glyphs);

// Empty on success; files receives the names written.
std::string WriteFont(const std::string& dir, const catalogue::FontSpec& font, TextRenderer& text,
                      std::vector<std::string>* files);

} // namespace samplepack
