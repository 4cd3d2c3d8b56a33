// FreeType glyphs: rendered for bitmap fonts, and as outlines for the art's words.
#include "text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace samplepack {

struct TextRenderer::Impl {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  std::map<std::pair<unsigned, int>, GlyphImage> cache; // by code and size
  std::map<unsigned, GlyphOutline> outlines;
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

namespace {

// FreeType's outline walk into steps; quadratic pieces become cubic ones.
struct OutlineWalk {
  GlyphOutline* out;
  double lastX = 0, lastY = 0;
  void Add(char op, double x0, double y0, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0) {
    OutlineStep s{op, {x0, x1, x2}, {y0, y1, y2}};
    out->steps.push_back(s);
    if (op == 'C')
      lastX = x2, lastY = y2;
    else
      lastX = x0, lastY = y0;
  }
  static int Move(const FT_Vector* to, void* user) {
    static_cast<OutlineWalk*>(user)->Add('M', to->x, to->y);
    return 0;
  }
  static int Line(const FT_Vector* to, void* user) {
    static_cast<OutlineWalk*>(user)->Add('L', to->x, to->y);
    return 0;
  }
  static int Conic(const FT_Vector* c, const FT_Vector* to, void* user) {
    OutlineWalk* w = static_cast<OutlineWalk*>(user);
    const double x0 = w->lastX, y0 = w->lastY;
    w->Add('C', x0 + 2.0 / 3 * (c->x - x0), y0 + 2.0 / 3 * (c->y - y0), to->x + 2.0 / 3 * (c->x - to->x),
           to->y + 2.0 / 3 * (c->y - to->y), to->x, to->y);
    return 0;
  }
  static int Cubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    static_cast<OutlineWalk*>(user)->Add('C', c1->x, c1->y, c2->x, c2->y, to->x, to->y);
    return 0;
  }
};

} // namespace

bool TextRenderer::Outline(unsigned code, GlyphOutline* out) {
  auto cached = m_impl->outlines.find(code);
  if (cached != m_impl->outlines.end()) {
    *out = cached->second;
    return true;
  }
  FT_Face face = m_impl->face;
  if (!face || FT_Load_Char(face, code, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
    return false;
  if (face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) return false;
  GlyphOutline outline;
  outline.advance = (double)face->glyph->advance.x;
  OutlineWalk walk{&outline};
  FT_Outline_Funcs funcs = {
      &OutlineWalk::Move, &OutlineWalk::Line, &OutlineWalk::Conic, &OutlineWalk::Cubic, 0, 0};
  if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &walk) != 0) return false;
  m_impl->outlines[code] = outline;
  *out = outline;
  return true;
}

int TextRenderer::UnitsPerEm() { return m_impl->face ? m_impl->face->units_per_EM : 1000; }

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

} // namespace samplepack
