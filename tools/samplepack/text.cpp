// FreeType glyph rendering for labels and bitmap fonts.
#include "text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace samplepack {

struct TextRenderer::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  std::map<std::pair<unsigned, int>, GlyphImage> cache; // by code and size
};

TextRenderer::TextRenderer() : m_impl(new Impl) {}

TextRenderer::~TextRenderer() {
  if (m_impl->face) FT_Done_Face(m_impl->face);
  if (m_impl->library) FT_Done_FreeType(m_impl->library);
  delete m_impl;
}

bool TextRenderer::Open(const std::string& fontFile, std::string* error) {
  if (FT_Init_FreeType(&m_impl->library) != 0) {
    *error = "FreeType does not start";
    return false;
  }
  if (FT_New_Face(m_impl->library, fontFile.c_str(), 0, &m_impl->face) != 0) {
    *error = "cannot read the font " + fontFile;
    return false;
  }
  return true;
}

bool TextRenderer::Glyph(unsigned code, int pixelSize, GlyphImage* out) {
  auto cached = m_impl->cache.find({code, pixelSize});
  if (cached != m_impl->cache.end()) {
    *out = cached->second;
    return true;
  }
  FT_Face face = m_impl->face;
  if (!face || FT_Set_Pixel_Sizes(face, 0, (FT_UInt)pixelSize) != 0) return false;
  if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return false;
  FT_GlyphSlot slot = face->glyph;
  out->width = (int)slot->bitmap.width;
  out->height = (int)slot->bitmap.rows;
  out->left = slot->bitmap_left;
  out->top = slot->bitmap_top;
  out->advance = (int)((slot->advance.x + 32) >> 6);
  out->coverage.assign((size_t)out->width * out->height, 0);
  for (int y = 0; y < out->height; ++y)
    for (int x = 0; x < out->width; ++x)
      out->coverage[(size_t)y * out->width + x] = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
  m_impl->cache[{code, pixelSize}] = *out;
  return true;
}

void TextRenderer::LineMetrics(int pixelSize, int* ascender, int* descender) {
  *ascender = pixelSize, *descender = 0;
  FT_Face face = m_impl->face;
  if (!face || FT_Set_Pixel_Sizes(face, 0, (FT_UInt)pixelSize) != 0) return;
  *ascender = (int)((face->size->metrics.ascender + 63) >> 6);
  *descender = (int)(face->size->metrics.descender >> 6);
}

int TextRenderer::Width(const std::string& text, int pixelSize) {
  int w = 0;
  GlyphImage g;
  for (unsigned char c : text)
    if (Glyph(c, pixelSize, &g)) w += g.advance;
  return w;
}

std::vector<unsigned char> Dilate(const std::vector<unsigned char>& coverage, int width, int height,
                                  int radius) {
  std::vector<unsigned char> out(coverage);
  if (radius <= 0) return out;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned char best = 0;
      for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
          if (dx * dx + dy * dy > radius * radius) continue;
          int sx = x + dx, sy = y + dy;
          if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
          best = std::max(best, coverage[(size_t)sy * width + sx]);
        }
      out[(size_t)y * width + x] = best;
    }
  return out;
}

void TextRenderer::Draw(Canvas& canvas, const std::string& text, float cx, float cy, int pixelSize,
                        Colour fill, Colour outline, int outlineWidth) {
  int ascender = 0, descender = 0;
  LineMetrics(pixelSize, &ascender, &descender);
  int width = Width(text, pixelSize);
  int penX = (int)std::lround(cx - width / 2.0f);
  int baseline = (int)std::lround(cy + (ascender + descender) / 2.0f);
  GlyphImage g;
  // Outlines of every glyph first, so a neighbour's outline never covers a glyph.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 0 && outlineWidth <= 0) continue;
    int x = penX;
    for (unsigned char c : text) {
      if (!Glyph(c, pixelSize, &g)) continue;
      const int pad = pass == 0 ? outlineWidth : 0;
      int w = g.width + 2 * pad, h = g.height + 2 * pad;
      std::vector<unsigned char> grown((size_t)w * h, 0);
      for (int y = 0; y < g.height; ++y)
        for (int k = 0; k < g.width; ++k)
          grown[(size_t)(y + pad) * w + k + pad] = g.coverage[(size_t)y * g.width + k];
      if (pass == 0) grown = Dilate(grown, w, h, outlineWidth);
      for (int y = 0; y < h; ++y)
        for (int k = 0; k < w; ++k)
          canvas.Blend(x + g.left - pad + k, baseline - g.top - pad + y, pass == 0 ? outline : fill,
                       grown[(size_t)y * w + k] / 255.0f);
      x += g.advance;
    }
  }
}

} // namespace samplepack
