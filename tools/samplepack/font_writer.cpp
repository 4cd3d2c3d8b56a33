// Bitmap fonts for the game: white glyphs with a dark outline (so a tint colours them and they
// read on any background), each cell widened by the font's negative tracking so the letters end
// up at their natural spacing, and the space as wide as makes a natural gap with the game's rule.
#include "font_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "canvas.h"

namespace samplepack {

FontStyle StyleOf(catalogue::FontId id) {
  switch (id) {
  case catalogue::FontId::Interface:
    return {34, 3, 0.4f};
  case catalogue::FontId::LevelID:
    return {40, 3, 0.5f};
  case catalogue::FontId::Time:
    return {48, 3, 0.5f}; // the clock, the one thing read while running
  case catalogue::FontId::TimeBig:
    return {56, 4, 0.5f};
  case catalogue::FontId::HintText:
    return {24, 2, 0.5f}; // the hints wrap in 240 px, three lines above the screen's bottom
  case catalogue::FontId::STD:
    return {40, 3, 0.3f};
  case catalogue::FontId::Shroom:
    return {40, 3, 0.48f};
  }
  return {40, 3, 0.5f};
}

int SpaceWidth(const FontStyle& style, const catalogue::FontSpec& font, int naturalAdvance) {
  // The game moves the pen over a space by its extra space and 5 more unscaled pixels, then by the
  // cell and the tracking scaled. The cell makes up the rest of a natural gap at the usual scale.
  const float gap = (float)(naturalAdvance + style.outline);
  const float width = gap - font.tracking - (5 + font.extraSpace) / style.scale;
  return width < 1 ? 0 : (int)std::lround(width);
}

std::string FontDescription(const std::string& page, const std::vector<std::vector<int>>& glyphs) {
  std::string out = "[HGEFONT]\nBitmap=" + page + "\n";
  char line[96];
  for (size_t code = 0; code < glyphs.size(); ++code) {
    const std::vector<int>& g = glyphs[code];
    if (g.size() != 4) continue;
    snprintf(line, sizeof(line), "Char=%02X,%d,%d,%d,%d,0,0\n", (unsigned)code, g[0], g[1], g[2], g[3]);
    out += line;
  }
  return out;
}

std::string WriteFont(const std::string& dir, const catalogue::FontSpec& font, TextRenderer& text,
                      std::vector<std::string>* files) {
  FontStyle style = StyleOf(font.id);
  int ascender = 0, descender = 0;
  text.LineMetrics(style.pixelSize, &ascender, &descender);
  const int pad = 2;
  // The cell is widened by what the tracking takes back, less one outline: letters then advance
  // by their natural width and one outline, so neighbouring outlines just meet.
  const int widen = std::max(0, (int)std::lround(std::fabs(font.tracking)) - style.outline);
  const int cellHeight = ascender - descender + 2 * style.outline + 2 * pad;
  const int baseline = pad + style.outline + ascender;

  struct Cell {
    GlyphImage glyph;
    int width, origin;
  };
  std::vector<Cell> cells;
  for (unsigned code = kFirstCharacter; code <= kLastCharacter; ++code) {
    Cell cell;
    if (!text.Glyph(code, style.pixelSize, &cell.glyph))
      return font.file + std::string(": no glyph for a character");
    int left = std::min(0, cell.glyph.left);
    int right = std::max(cell.glyph.advance, cell.glyph.left + cell.glyph.width);
    cell.width = right - left + 2 * style.outline + widen;
    cell.origin = widen / 2 + style.outline - left;
    if (code == ' ') cell.width = SpaceWidth(style, font, cell.glyph.advance);
    cells.push_back(cell);
  }

  // Rows of cells across a page as narrow as keeps it no taller than wide.
  int pageWidth = 256;
  std::vector<std::pair<int, int>> at(cells.size());
  int usedHeight = 0;
  for (;;) {
    int x = 0, y = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
      if (x + cells[i].width > pageWidth) x = 0, y += cellHeight + pad;
      at[i] = {x, y};
      x += cells[i].width + pad;
    }
    usedHeight = y + cellHeight;
    if (usedHeight <= pageWidth) break;
    pageWidth *= 2;
  }
  int pageHeight = 1;
  while (pageHeight < usedHeight)
    pageHeight *= 2;

  Canvas page(pageWidth, pageHeight);
  const Colour fill{255, 255, 255, 255}, outline{25, 25, 35, 255};
  std::vector<std::vector<int>> rects(kLastCharacter + 1);
  for (size_t i = 0; i < cells.size(); ++i) {
    const Cell& cell = cells[i];
    const GlyphImage& g = cell.glyph;
    int w = g.width + 2 * style.outline, h = g.height + 2 * style.outline;
    std::vector<unsigned char> body((size_t)std::max(w * h, 1), 0);
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x)
        body[(size_t)(y + style.outline) * w + x + style.outline] = g.coverage[(size_t)y * g.width + x];
    std::vector<unsigned char> ring = Dilate(body, w, h, style.outline);
    int ox = at[i].first + cell.origin + g.left - style.outline;
    int oy = at[i].second + baseline - g.top - style.outline;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        page.Blend(ox + x, oy + y, outline, ring[(size_t)y * w + x] / 255.0f);
        page.Blend(ox + x, oy + y, fill, body[(size_t)y * w + x] / 255.0f);
      }
    // A space without width is left out: the game then measures it as a '?', about the gap it draws.
    if (cell.width > 0) rects[kFirstCharacter + i] = {at[i].first, at[i].second, cell.width, cellHeight};
  }

  std::string description = FontDescription(font.file, rects);
  if ((int)description.size() > kFontMaxText) return std::string(font.file) + ": the description is too long";
  std::string pageError = WritePng(dir + "/" + font.file + ".png", page);
  if (!pageError.empty()) return pageError;
  files->push_back(std::string(font.file) + ".png");
  std::string name = std::string(font.file) + ".fnt";
  FILE* f = fopen((dir + "/" + name).c_str(), "wb");
  if (!f) return "cannot write " + dir + "/" + name;
  bool ok = fwrite(description.data(), 1, description.size(), f) == description.size();
  ok = fclose(f) == 0 && ok;
  if (!ok) return "cannot write " + dir + "/" + name;
  files->push_back(name);
  return "";
}

} // namespace samplepack
