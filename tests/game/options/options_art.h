// The options screen's art as the sample pack drew it: the fill colour of each entry of the
// options atlas, and colour tests for pixels read back from the screen.
#pragma once

#include <cstdlib>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "atlas.h"
#include "program_run.h"

namespace options_art {

const std::string kImages = std::string(SPROCKLET_BINARY_DIR) + "/samplepack/images";

typedef unsigned Colour; // 0xRRGGBB

// The screen is 5-6-5: a colour read back is the art's to within one step of each channel.
inline bool Near(Colour a, Colour b) {
  int dr = (int)(a >> 16) - (int)(b >> 16), dg = (int)(a >> 8 & 255) - (int)(b >> 8 & 255),
      db = (int)(a & 255) - (int)(b & 255);
  return std::abs(dr) <= 8 && std::abs(dg) <= 4 && std::abs(db) <= 8;
}

// The most frequent bright colour of a box of RGBA rows: the fill of a sample-pack sprite.
inline Colour Fill(const unsigned char* rgba, int stride, int x0, int y0, int x1, int y1) {
  std::map<Colour, int> counts;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const unsigned char* c = rgba + ((size_t)y * stride + x) * 4;
      if (c[3] == 255 && c[0] + c[1] + c[2] > 90) ++counts[(Colour)c[0] << 16 | (Colour)c[1] << 8 | c[2]];
    }
  Colour best = 0;
  int most = 0;
  for (const auto& c : counts)
    if (c.second > most) most = c.second, best = c.first;
  return best;
}

inline Colour PictureFill(const program_run::Picture& p) {
  return Fill(p.rgba.data(), p.width, 0, 0, p.width, p.height);
}

// The fill of every entry of the options atlas, from its index and pages.
inline std::map<std::string, Colour> OptionsAtlasColours() {
  std::map<std::string, Colour> out;
  const std::string index = program_run::Slurp(kImages + "/options.cfg");
  Atlas atlas;
  const char* why = nullptr;
  EXPECT_EQ(atlas.ReadIndex((const unsigned char*)index.data(), (int)index.size(), &why), 1)
      << (why ? why : "");
  for (int page = 0; page < atlas.pageCount; ++page) {
    program_run::Picture art;
    EXPECT_TRUE(program_run::ReadPng(kImages + "/options" + std::to_string(page) + ".png", &art));
    for (int e = 0; e < atlas.pages[page]->count; ++e) {
      const SurfaceInfo* s = atlas.pages[page]->entries[e];
      out[s->name] =
          Fill(art.rgba.data(), art.width, s->atlasX, s->atlasY, s->atlasX + s->width, s->atlasY + s->height);
    }
  }
  return out;
}

// The share of the pixels of the square of half-side r about (x, y) near the colour, in RGBA rows
// of the given width.
inline float Share(const unsigned char* rgba, int width, Colour colour, int x, int y, int r) {
  int n = 0, all = 0;
  for (int py = y - r; py < y + r; ++py)
    for (int px = x - r; px < x + r; ++px, ++all) {
      const unsigned char* c = rgba + ((size_t)py * width + px) * 4;
      n += Near((Colour)c[0] << 16 | (Colour)c[1] << 8 | c[2], colour) ? 1 : 0;
    }
  return (float)n / all;
}

} // namespace options_art
