// The options screen's art as the sample pack drew it: the fill colour of each entry of the
// options atlas, and the share of a square of pixels read back from the screen near a colour.
#pragma once

#include <map>
#include <string>

#include "program_run.h"
#include "screen_colours.h"

namespace options_art {

using screen_colours::Colour;
using screen_colours::kImages;

inline Colour PictureFill(const program_run::Picture& p) { return screen_colours::Fill(p); }

// The fill of every entry of the options atlas.
inline std::map<std::string, Colour> OptionsAtlasColours() { return screen_colours::AtlasFills("options"); }

// The share of the pixels of the square of half-side r about (x, y) near the colour, in RGBA rows
// of the given width.
inline float Share(const unsigned char* rgba, int width, Colour colour, int x, int y, int r) {
  int n = 0, all = 0;
  for (int py = y - r; py < y + r; ++py)
    for (int px = x - r; px < x + r; ++px, ++all) {
      const unsigned char* c = rgba + ((size_t)py * width + px) * 4;
      n += screen_colours::Near((Colour)c[0] << 16 | (Colour)c[1] << 8 | c[2], colour) ? 1 : 0;
    }
  return (float)n / all;
}

} // namespace options_art
