// Finding the sample pack's art on a screenshot: the pack draws every sprite as a flat fill with a
// dark label and outline, so a sprite shows on screen as pixels near its fill colour. The fills
// are read from the pack's own pictures and atlases, the pixels from the screenshot.
#pragma once

#include <cstdlib>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "atlas.h"
#include "program_run.h"

namespace screen_colours {

using program_run::Picture;

typedef unsigned Colour; // 0xRRGGBB

// Where the sample pack's pictures and atlases are.
const std::string kImages = std::string(SPROCKLET_BINARY_DIR) + "/samplepack/images";

// The screen is 5-6-5: a colour read back is the art's to within one step of each channel.
inline bool Near(Colour a, Colour b) {
  int dr = (int)(a >> 16) - (int)(b >> 16), dg = (int)(a >> 8 & 255) - (int)(b >> 8 & 255),
      db = (int)(a & 255) - (int)(b & 255);
  return std::abs(dr) <= 8 && std::abs(dg) <= 4 && std::abs(db) <= 8;
}

// Which pixels a fill is taken over: bright ones leave out the label and outline, opaque ones the
// transparent margin.
enum class Counted { OpaqueBright, Bright, Opaque };

// The most frequent counted colour of the box: the fill of a sample-pack sprite; 0 when no pixel
// counts.
inline Colour Fill(const Picture& p, int x0, int y0, int x1, int y1,
                   Counted counted = Counted::OpaqueBright) {
  std::map<Colour, int> counts;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const Colour c = p.Colour(x, y);
      const bool opaque = p.At(x, y)[3] == 255, bright = (c >> 16) + (c >> 8 & 255) + (c & 255) > 90;
      if ((counted != Counted::Bright && !opaque) || (counted != Counted::Opaque && !bright)) continue;
      ++counts[c];
    }
  Colour best = 0;
  int most = 0;
  for (const auto& c : counts)
    if (c.second > most) most = c.second, best = c.first;
  return best;
}

// The fill of the whole picture.
inline Colour Fill(const Picture& p, Counted counted = Counted::OpaqueBright) {
  return Fill(p, 0, 0, p.width, p.height, counted);
}

// The fill of a standalone picture of the pack ("2x_" + name + ".png").
inline Colour PictureFill(const std::string& name, Counted counted = Counted::OpaqueBright) {
  Picture art;
  EXPECT_TRUE(program_run::ReadPng(kImages + "/2x_" + name + ".png", &art)) << name;
  return Fill(art, counted);
}

// The fill of every entry of an atlas of the pack, by entry name, from its index and pages;
// an entry without a counted pixel is left out.
inline std::map<std::string, Colour> AtlasFills(const std::string& atlasName,
                                                Counted counted = Counted::OpaqueBright) {
  std::map<std::string, Colour> out;
  const std::string index = program_run::Slurp(kImages + "/" + atlasName + ".cfg");
  Atlas atlas;
  const char* why = nullptr;
  EXPECT_EQ(atlas.ReadIndex((const unsigned char*)index.data(), (int)index.size(), &why), 1)
      << atlasName << ": " << (why ? why : "");
  for (int page = 0; page < atlas.pageCount; ++page) {
    Picture art;
    EXPECT_TRUE(program_run::ReadPng(kImages + "/" + atlasName + std::to_string(page) + ".png", &art))
        << atlasName;
    for (int e = 0; e < atlas.pages[page]->count; ++e) {
      const SurfaceInfo* s = atlas.pages[page]->entries[e];
      const Colour fill =
          Fill(art, s->atlasX, s->atlasY, s->atlasX + s->width, s->atlasY + s->height, counted);
      if (fill != 0) out[s->name] = fill;
    }
  }
  return out;
}

// The fill of one entry of an atlas of the pack.
inline Colour AtlasFill(const std::string& atlasName, const std::string& entry,
                        Counted counted = Counted::OpaqueBright) {
  const std::map<std::string, Colour> fills = AtlasFills(atlasName, counted);
  const auto found = fills.find(entry);
  if (found != fills.end()) return found->second;
  ADD_FAILURE() << entry << " is no entry of " << atlasName << " with a fill";
  return 0;
}

// How many pixels of the box are near the colour.
inline int CountNear(const Picture& p, Colour colour, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      n += Near(p.Colour(x, y), colour) ? 1 : 0;
  return n;
}

// How many pixels of the whole picture are near the colour.
inline int CountNear(const Picture& p, Colour colour) {
  return CountNear(p, colour, 0, 0, p.width, p.height);
}

// The share of the box's pixels near the colour.
inline double ShareNear(const Picture& p, Colour colour, int x0, int y0, int x1, int y1) {
  return (double)CountNear(p, colour, x0, y0, x1, y1) / ((x1 - x0) * (y1 - y0));
}

} // namespace screen_colours
