// Builds the start-up files in memory.
#include "startup_files.h"

#include <png.h>

#include <cstdint>
#include <functional>

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes Png(int w, int h, const std::function<uint32_t(int x, int y)>& rgbaAt) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = (png_uint_32)w;
  image.height = (png_uint_32)h;
  image.format = PNG_FORMAT_RGBA;
  Bytes pixels((size_t)w * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = rgbaAt(x, y);
      for (int k = 0; k < 4; ++k)
        pixels[((size_t)y * w + x) * 4 + k] = (unsigned char)(c >> (24 - 8 * k));
    }
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr)) return Bytes();
  Bytes out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr)) return Bytes();
  out.resize(size);
  return out;
}

Bytes Text(const char* text) { return Bytes(text, text + std::char_traits<char>::length(text)); }

void PutU32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back((unsigned char)(v >> (8 * i)));
}

// The debug font: a 16 x 14 grid of 8 x 8 cells for the codes 32..255, each glyph a box (the space
// empty), 8 pixels wide with 2 of spacing.
const int kCell = 8;

Bytes DebugFontAtlas() {
  return Png(16 * kCell, 14 * kCell, [](int x, int y) -> uint32_t {
    int cell = (y / kCell) * 16 + x / kCell, cx = x % kCell, cy = y % kCell;
    bool edge = cx == 1 || cx == kCell - 2 || cy == 1 || cy == kCell - 2;
    bool inside = cx >= 1 && cx <= kCell - 2 && cy >= 1 && cy <= kCell - 2;
    return cell != 0 && edge && inside ? 0xFFFFFFFFu : 0x00000000u;
  });
}

Bytes DebugFontMetrics() {
  Bytes fdb;
  for (int code = 32; code < 256; ++code) {
    PutU32(fdb, 0);         // A
    PutU32(fdb, 4 * kCell); // B, quarter pixels
    PutU32(fdb, 4 * 2);     // C
  }
  PutU32(fdb, 0); // vertical offset; no code list: the grid holds every code
  return fdb;
}

} // namespace

std::vector<StartupFile> StartupFiles() {
  return {
      {"ui\\game_sprites.txt", Bytes()},
      {"ui\\ui_iphone\\game_styles.txt", Text("font = \"FontDebug\"\n  file = \"debug.fnt\"\nend\nend\n")},
      {"images\\debug_rgba.png", DebugFontAtlas()},
      {"images\\debug.fdb", DebugFontMetrics()},
      {"images\\white.png", Png(4, 4, [](int, int) { return 0xFFFFFFFFu; })},
  };
}
